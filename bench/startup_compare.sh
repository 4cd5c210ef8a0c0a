#!/usr/bin/env bash
# Start-up of Hygrova against a bare Qt main window of the same size with a menu bar, from
# launch until the main window is mapped, as an X client watching the root window sees it.
# Builds the bare window and the timer (startup_bare_window.cpp, startup_map_timer.cpp) with
# g++, then starts the two programs in turn on one virtual X display and prints the median
# of each and their ratio: bench/startup_compare.sh [build dir] [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build/bench}
runs=${2:-21}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"
fi
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 0700 "$XDG_RUNTIME_DIR"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

g++ -std=c++20 -O2 "$here/startup_map_timer.cpp" -o "$work/timer" $(pkg-config --cflags --libs xcb)
g++ -std=c++20 -O2 -fPIC "$here/startup_bare_window.cpp" -o "$work/bare" \
  $(pkg-config --cflags --libs Qt6Widgets)

# One start in milliseconds, tried again when the timer lost the display.
start() {
  local attempt
  for attempt in 1 2 3; do
    "$work/timer" "$1" && return 0
  done
  echo "could not time $1" >&2
  return 1
}
# A first start of each fills the system's caches for both alike.
start "$build/src/hygrova" >/dev/null
start "$work/bare" >/dev/null
for _ in $(seq "$runs"); do
  echo "$(start "$build/src/hygrova") $(start "$work/bare")"
done >"$work/times"
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
hygrova=$(cut -d' ' -f1 "$work/times" | median)
bare=$(cut -d' ' -f2 "$work/times" | median)
awk -v h="$hygrova" -v b="$bare" -v n="$runs" 'BEGIN {
  printf "launch to mapped window, median of %d interleaved starts: Hygrova %.1f ms, bare Qt window %.1f ms, ratio %.2f\n", n, h, b, h / b }'
