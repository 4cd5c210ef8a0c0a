#!/usr/bin/env bash
# Builds Hygrova with its tests (CMake preset "test", in build/test/) and runs the whole
# suite: the core and window tests offscreen, the window tests again on a real X server
# (Xvfb), the real program end to end under Xvfb and on Wayland, and the Debian package:
# built, checked with lintian, unpacked and run. Extra arguments go to cmake's configure
# steps.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/test
cd "$root"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 0700 "$XDG_RUNTIME_DIR"

HYGROVA_PRESET="test" "$root/scripts/build.sh" "$@"

echo "== Core and window tests (offscreen)"
ctest --preset test --parallel "$(nproc)"

# The thousand-fold opening and closing of windows runs offscreen only: it checks the
# program's own bookkeeping, which does not depend on the window system.
echo "== Window tests on an X server (Xvfb)"
HYGROVA_TEST_PLATFORM=xcb xvfb-run -a -s "-screen 0 1920x1080x24" \
  ctest --test-dir "$build" --output-on-failure -L ui -E '^LifetimeTest'

echo "== The real program (Xvfb with a window manager, and Wayland)"
ctest --test-dir "$build" --output-on-failure -L 'e2e|wayland'

echo "== The Debian package"
"$root/scripts/package.sh" "$@" | tee "$build/package.log"
deb=$(tail -n 1 "$build/package.log")
lintian --fail-on error "$deb"
xvfb-run -a -s "-screen 0 1920x1080x24" \
  "$root/tests/e2e/installed_package_test.sh" "$deb" "$build/artifacts/package"
echo "Package: $deb ($(du -k "$deb" | cut -f1) KB)"
