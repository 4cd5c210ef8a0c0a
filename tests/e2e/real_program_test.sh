#!/usr/bin/env bash
# Drives the real hygrova executable on an X display with a window manager, as a user would:
# the pointer readout, a query with "确定", "描点" and "清除", the settings and About windows,
# resizing and maximizing, and ending it with "退出" and with the main window's close box.
# Usage: real_program_test.sh <hygrova> <artifact dir>; run it under xvfb-run. Screenshots of
# every step are kept in the artifact dir. Any sanitizer report of the program fails the test.
set -euo pipefail
program=$1
artifacts=$2
mkdir -p "$artifacts"
rm -f "$artifacts"/*.png
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 0700 "$XDG_RUNTIME_DIR"
log=$artifacts/program.log
pid=""

fail() {
  echo "FAIL: $*" >&2
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -f "$log" ] && sed 's/^/  program: /' "$log" >&2
  exit 1
}
step=0
shot() { step=$((step + 1)); import -window root "$artifacts/$(printf %02d $step)-$1.png"; }

# --- The window manager gives the windows frames and close boxes.
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null || true; [ -n "$pid" ] && kill $pid 2>/dev/null || true' EXIT
sleep 0.5

find_window() {  # find_window <exact title>: the id of the visible window, waiting for it
  local id=""
  for _ in $(seq 50); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
gone() {  # gone <exact title>: true once no visible window has that title
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}
geometry() {  # geometry <window>: sets X Y WIDTH HEIGHT of its client area on the screen
  local info
  info=$(xwininfo -id "$1")
  X=$(awk '/Absolute upper-left X/ { print $NF }' <<<"$info")
  Y=$(awk '/Absolute upper-left Y/ { print $NF }' <<<"$info")
  WIDTH=$(awk '/^ *Width:/ { print $NF }' <<<"$info")
  HEIGHT=$(awk '/^ *Height:/ { print $NF }' <<<"$info")
}
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.3; }
start() {
  "$program" 2>"$log" &
  pid=$!
  main=$(find_window Hygrova) || fail "the main window did not appear"
  sleep 0.7
}
finish() {  # finish <what ended it>: the program must end by itself with status 0
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end after $1"
  local status=0
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "exit status $status after $1"
  if grep -E -q 'ERROR: (Address|Leak)Sanitizer|runtime error:|Sanitizer' "$log"; then
    fail "sanitizer report after $1"
  fi
}

# The main window's outer frame must be at least 65 % of the screen wide and 3/4 as high.
check_shape() {
  geometry "$main"
  local extents left right top bottom outer_w outer_h screen_w
  extents=$(xprop -id "$main" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  read -r left right top bottom <<<"$extents"
  outer_w=$((WIDTH + left + right))
  outer_h=$((HEIGHT + top + bottom))
  screen_w=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1] }')
  echo "$1: outer ${outer_w}x${outer_h}"
  [ $((outer_w * 100)) -ge $((screen_w * 65)) ] || fail "$1: narrower than 65 % of the screen"
  local want=$(( (outer_w * 3 + 2) / 4 ))
  [ $((outer_h - want)) -le 1 ] && [ $((want - outer_h)) -le 1 ] ||
    fail "$1: outer height $outer_h is not three quarters of $outer_w"
}

# Controls of the main window sit at fixed fractions of its client area, which starts below
# the menu bar: the first row of the window's light-blue background.
client_top() {
  geometry "$main"
  local row
  row=$(import -window root -crop "1x80+$((X + 4))+$Y" -depth 8 txt:- |
        awk -F'[,:]' '/#C0C0FF/ { print $2; exit }')
  [ -n "$row" ] || fail "no client area found below the menu bar"
  menu=$row
}
at() {  # at <design x twips> <design y twips>: screen position in the main window
  awk -v x="$1" -v y="$2" -v X="$X" -v Y="$Y" -v w="$WIDTH" -v h="$HEIGHT" -v m="$menu" \
    'BEGIN { printf "%d %d", X + x / 12915 * w, Y + m + y / 9600 * (h - m) }'
}
# Pure red pixels in the main window's client area: plotted states are red discs.
red_pixels() {
  geometry "$main"
  import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage png:- |
    convert - -alpha off -fill black +opaque '#FF0000' -fill white -opaque '#FF0000' \
      -format '%[fx:round(mean*w*h)]' info:
}

# ---------------------------------------------------------------- 1: a whole session
start
shot started
check_shape "at start"
client_top

# The readout follows the pointer over the chart.
for f in 2000 3000 4000 5000 6000; do
  # shellcheck disable=SC2046
  xdotool mousemove $(at "$f" 3000)
  sleep 0.05
done
shot pointer-over-chart
kill -0 "$pid" 2>/dev/null || fail "the program ended while the pointer moved"

# "查询" opens the query dialog and the results window.
# shellcheck disable=SC2046
click $(at 12007 7027)
query=$(find_window 查询条件) || fail "no query dialog"
results=$(find_window 查询结果) || fail "no results window"
shot query-opened

# Dry bulb 20 °C and relative humidity 50 %, then "确定".
geometry "$query"
click $((X + 24)) $((Y + 40))
xdotool type --delay 50 20
click $((X + 24)) $((Y + 88))
xdotool type --delay 50 50
click $((X + 36)) $((Y + 196))
shot query-solved

# "描点" marks the state with a red disc; "清除" removes it.
baseline=$(red_pixels)
geometry "$results"
click $((X + 340)) $((Y + 20))
marked=$(red_pixels)
shot state-plotted
echo "red pixels: $baseline before, $marked after plotting"
[ "$marked" -ge $((baseline + 20)) ] || fail "描点 drew no red disc"
geometry "$results"
click $((X + 340)) $((Y + 52))
cleared=$(red_pixels)
shot chart-cleared
[ "$cleared" -le $((baseline + 2)) ] || fail "清除 left the disc ($cleared red pixels)"

# "设置", then its "确定".
geometry "$main"
# shellcheck disable=SC2046
click $(at 12007 7627)
settings=$(find_window 设置) || fail "no settings dialog"
shot settings-opened
geometry "$settings"
click $((X + 184)) $((Y + 212))
gone 设置 || fail "the settings dialog stayed after 确定"

# "关于", then its "确定".
geometry "$main"
# shellcheck disable=SC2046
click $(at 12007 8227)
find_window '关于 Hygrova' >/dev/null || fail "no About window"
about=$(find_window '关于 Hygrova')
shot about-opened
geometry "$about"
click $((X + 196)) $((Y + 188))
gone '关于 Hygrova' || fail "the About window stayed after 确定"

# Dragged too small, the window snaps back to its shape; maximized, it fills the screen;
# restored, it has its shape again.
xdotool windowsize "$main" 700 300
sleep 1
shot resized-small
check_shape "after a small resize"
wmctrl -i -r "$main" -b add,maximized_vert,maximized_horz
sleep 1
shot maximized
geometry "$main"
[ "$WIDTH" -ge 1800 ] || fail "maximized width $WIDTH"
wmctrl -i -r "$main" -b remove,maximized_vert,maximized_horz
sleep 1
shot restored
check_shape "after restoring"

# "退出" ends the program with the query windows still open.
client_top
# shellcheck disable=SC2046
click $(at 12007 8827)
finish 退出

# ---------------------------------------------------------------- 2: the close box
start
client_top
# shellcheck disable=SC2046
click $(at 12007 7027)
find_window 查询条件 >/dev/null || fail "no query dialog in the second run"
wmctrl -i -c "$main"
finish "closing the main window"
shot closed

echo "PASS: a whole session under a window manager; ended by 退出 and by the close box"
