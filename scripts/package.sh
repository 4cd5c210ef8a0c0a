#!/usr/bin/env bash
# Builds the Debian package of Hygrova with CPack (CMake preset "package", in
# build/package/) after installing what is missing, and prints the package's path as the
# last line. Extra arguments go to cmake's configure step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

HYGROVA_PRESET=package "$root/scripts/build.sh" "$@"
output=$(cpack --preset package)
echo "$output"
deb=$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' <<<"$output")
[ -f "$deb" ] || { echo "CPack made no Debian package" >&2; exit 1; }
echo "$deb"
