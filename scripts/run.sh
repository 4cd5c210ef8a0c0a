#!/usr/bin/env bash
# Builds Hygrova (CMake preset "dev", in build/dev/) and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$root/build/dev/src/hygrova

HYGROVA_PRESET=dev "$root/scripts/build.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<MSG
Hygrova is built ($program), but this machine has no display to show it on.
Run it on a virtual X display and take a screenshot:
  xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '$program & sleep 2; import -window root hygrova.png; kill %1'
MSG
  exit 1
fi
exec "$program"
