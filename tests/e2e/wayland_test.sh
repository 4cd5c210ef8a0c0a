#!/usr/bin/env bash
# Starts the real hygrova executable on a headless Wayland compositor (weston) and checks
# that it stays up, that a screenshot shows the main window with the chart, and that the
# window keeps its size once shown (the window-shape rules settle without an X11 frame).
# Usage: wayland_test.sh <hygrova> <artifact dir>; needs weston and Qt's Wayland plugin.
set -euo pipefail
# shellcheck source=SCRIPTDIR/screen_checks.sh
source "$(dirname "$0")/screen_checks.sh"
program=$1
artifacts=$2
mkdir -p "$artifacts"
rm -f "$artifacts"/*.png
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
chmod 0700 "$XDG_RUNTIME_DIR"
socket=hygrova-test
log=$artifacts/program.log
weston_pid=""
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null
  rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  [ -f "$log" ] && sed 's/^/  program: /' "$log" >&2
  exit 1
}

# --debug lets weston-screenshooter take screenshots.
weston --backend=headless-backend.so --use-pixman --width=1920 --height=1080 \
  --socket="$socket" --debug >"$artifacts/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
  [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
  sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/$socket" ] || { cat "$artifacts/weston.log" >&2; fail "weston did not start"; }
export WAYLAND_DISPLAY=$socket

# shot <name>: a screenshot of the whole output into the artifact dir (weston-screenshooter
# writes a time-stamped file into the current folder).
shot() {
  local files
  (cd "$artifacts" && weston-screenshooter >/dev/null 2>&1) || fail "weston-screenshooter failed"
  files=("$artifacts"/wayland-screenshot-*.png)
  [ -f "${files[0]}" ] || fail "weston-screenshooter wrote no screenshot"
  mv "${files[0]}" "$artifacts/$1.png"
}

QT_QPA_PLATFORM=wayland "$program" >"$log" 2>&1 &
pid=$!

shown=0
for _ in $(seq 30); do
  sleep 0.5
  kill -0 "$pid" 2>/dev/null || fail "the program ended on Wayland"
  shot main-window
  if main_window_shown "$artifacts/main-window.png"; then
    shown=1
    break
  fi
done
[ "$shown" = 1 ] || fail "no main window on the screen ($artifacts/main-window.png)"
sleep 1
shot main-window
chart_shown "$artifacts/main-window.png" || fail "the screenshot shows no chart ($artifacts/main-window.png)"

# Two seconds later the program is still up and its window unchanged (the panel with its
# clock along the top is left out).
sleep 2
kill -0 "$pid" 2>/dev/null || fail "the program ended on Wayland"
shot later
changed=$(compare -metric AE "$artifacts/main-window.png[1920x1040+0+40]" \
  "$artifacts/later.png[1920x1040+0+40]" null: 2>&1 || true)
[ "$changed" = 0 ] || fail "the window kept changing: $changed pixels differ"

kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""
if grep -E -q 'ERROR: [A-Za-z]+Sanitizer|runtime error:' "$log"; then
  fail "sanitizer report"
fi
echo "PASS: the program runs on Wayland; screenshot $artifacts/main-window.png"
