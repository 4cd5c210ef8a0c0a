#!/usr/bin/env bash
# Configures and builds one of Hygrova's CMake presets (HYGROVA_PRESET, default "dev": the
# program alone) in build/<preset>/ after installing what is missing. Extra arguments go to
# cmake's configure step; HYGROVA_TARGETS names build targets instead of the preset's own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
preset=${HYGROVA_PRESET:-dev}
cd "$root"

"$root/scripts/install-deps.sh"
cmake --preset "$preset" "$@" >/dev/null
targets=()
if [ -n "${HYGROVA_TARGETS:-}" ]; then
  read -r -a names <<<"$HYGROVA_TARGETS"
  targets=(--target "${names[@]}")
fi
cmake --build --preset "$preset" --parallel "$(nproc)" "${targets[@]}"
