#!/usr/bin/env bash
# Builds Hygrova and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HYGROVA_BUILD_DIR:-$root/build}

HYGROVA_BUILD_DIR=$build "$root/scripts/build.sh" -DHYGROVA_BUILD_TESTS=OFF -DHYGROVA_BUILD_BENCHMARKS=OFF
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<MSG
Hygrova is built ($build/src/hygrova), but this machine has no display to show it on.
Run it on a virtual X display and take a screenshot:
  xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '$build/src/hygrova & sleep 2; import -window root hygrova.png; kill %1'
MSG
  exit 1
fi
exec "$build/src/hygrova"
