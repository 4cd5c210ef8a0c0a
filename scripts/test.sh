#!/usr/bin/env bash
# Builds Hygrova with its tests and runs the whole suite: the core and window tests offscreen,
# the window tests again on a real X server (Xvfb), and the real program end to end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HYGROVA_BUILD_DIR:-$root/build}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 0700 "$XDG_RUNTIME_DIR"

HYGROVA_BUILD_DIR=$build "$root/scripts/build.sh" -DHYGROVA_WARNINGS_AS_ERRORS=ON \
  -DHYGROVA_BUILD_TESTS=ON -DHYGROVA_BUILD_BENCHMARKS=OFF "$@"

echo "== Core and window tests (offscreen)"
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" -LE e2e

# The thousand-fold opening and closing of windows runs offscreen only: it checks the
# program's own bookkeeping, which does not depend on the window system.
echo "== Window tests on an X server (Xvfb)"
HYGROVA_TEST_PLATFORM=xcb xvfb-run -a -s "-screen 0 1920x1080x24" \
  ctest --test-dir "$build" --output-on-failure -L ui -E '^LifetimeTest'

echo "== The real program (Xvfb)"
ctest --test-dir "$build" --output-on-failure -L e2e
