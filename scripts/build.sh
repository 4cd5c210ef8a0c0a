#!/usr/bin/env bash
# Configures and builds one of Hygrova's CMake presets (HYGROVA_PRESET, default "dev": the
# program alone) in build/<preset>/ after installing what is missing. Extra arguments go to
# cmake's configure step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
preset=${HYGROVA_PRESET:-dev}
cd "$root"

"$root/scripts/install-deps.sh"
cmake --preset "$preset" "$@" >/dev/null
cmake --build --preset "$preset" --parallel "$(nproc)"
