#!/usr/bin/env bash
# Start-up time of the real program, from launch to the chart painted on the screen, and its
# peak memory. Runs on a virtual X display: bench/startup.sh [build dir] [runs]
set -euo pipefail
build=${1:-build/bench}
runs=${2:-5}
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"
fi
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 0700 "$XDG_RUNTIME_DIR"

# The centre of the screen lies on the chart picture of the centred window. Before the chart
# is painted it shows the bare display (black) or the window's light-blue background. The
# polling itself takes a few tens of milliseconds, so the figures are upper bounds.
painted() {
  local colour
  colour=$(import -window root -crop 1x1+960+400 -depth 8 txt:- | awk 'NR == 2 { print $3 }')
  [ "$colour" != "#000000" ] && [ "$colour" != "#C0C0FF" ]
}

for run in $(seq "$runs"); do
  start=$(date +%s%N)
  "$build/src/hygrova" &
  pid=$!
  until painted; do sleep 0.005; done
  end=$(date +%s%N)
  peak=$(awk '/VmHWM/ { print $2 }' "/proc/$pid/status")
  echo "run $run: chart painted after $(((end - start) / 1000000)) ms; peak memory $((peak / 1024)) MB"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
