#!/usr/bin/env bash
# Starts the hygrova executable on the X display, checks its window, moves the pointer over
# the chart and ends it with "退出". Usage: real_program_test.sh <hygrova> <artifact dir>
set -euo pipefail
program=$1
artifacts=$2
mkdir -p "$artifacts"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 0700 "$XDG_RUNTIME_DIR"

fail() { echo "FAIL: $*" >&2; kill "$pid" 2>/dev/null || true; exit 1; }
shot() { import -window root "$artifacts/$1.png"; }

"$program" &
pid=$!

window=""
for _ in $(seq 50); do
  window=$(xdotool search --onlyvisible --name '^Hygrova$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "the main window did not appear"
sleep 0.5
shot 01-started

eval "$(xdotool getwindowgeometry --shell "$window")"
screen_width=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1] }')
minimum=$(( screen_width * 65 / 100 ))
echo "window ${WIDTH}x${HEIGHT} at ${X},${Y}; screen width $screen_width"
[ "$WIDTH" -ge "$minimum" ] || fail "window narrower than 65 % of the screen ($WIDTH < $minimum)"
expected_height=$(( WIDTH * 3 / 4 ))
[ $(( HEIGHT - expected_height )) -le 1 ] && [ $(( expected_height - HEIGHT )) -le 1 ] ||
  fail "window height $HEIGHT is not three quarters of $WIDTH"

# The client area lies below the menu bar; controls sit at fixed fractions of it.
menu=22
client_height=$(( HEIGHT - menu ))
at() {  # at <fraction of client width> <fraction of client height>
  local x y
  x=$(awk -v f="$1" -v w="$WIDTH" -v o="$X" 'BEGIN { printf "%d", o + f * w }')
  y=$(awk -v f="$2" -v h="$client_height" -v o="$Y" -v m="$menu" 'BEGIN { printf "%d", o + m + f * h }')
  echo "$x $y"
}

# Sweep the pointer across the chart: the readout follows it.
for f in 0.15 0.25 0.35 0.45; do
  # shellcheck disable=SC2046
  xdotool mousemove $(at "$f" 0.3)
  sleep 0.05
done
shot 02-pointer-over-chart
kill -0 "$pid" 2>/dev/null || fail "the program ended while the pointer moved"

# "退出": Command4 in Frame2, design centre (12007, 8827) twips of the 12915 x 9600 client.
# shellcheck disable=SC2046
xdotool mousemove $(at 0.9297 0.9195) click 1
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  fail "the program did not end after 退出"
fi
wait "$pid" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "PASS: started, followed the pointer and ended with status 0"
