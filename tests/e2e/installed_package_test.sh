#!/usr/bin/env bash
# Unpacks the Debian package into a scratch root (dpkg -x), checks that it holds the
# program and hygrova-calc, the desktop entry, AppStream metadata, icons and manual pages,
# and runs the installed programs: hygrova-calc gives the typical state, and hygrova, briefly
# on an X display, shows its main window with the chart.
# Usage: installed_package_test.sh <deb> <artifact dir>; run it under xvfb-run.
set -euo pipefail
# shellcheck source=SCRIPTDIR/screen_checks.sh
source "$(dirname "$0")/screen_checks.sh"
deb=$1
artifacts=$2
mkdir -p "$artifacts"
root=$(mktemp -d)
log=$artifacts/program.log
pid=""
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; rm -rf "$root"' EXIT
fail() {
  echo "FAIL: $*" >&2
  [ -f "$log" ] && sed 's/^/  program: /' "$log" >&2
  exit 1
}

dpkg -x "$deb" "$root"
id=org.example.hygrova.Hygrova
share=$root/usr/share
for file in usr/bin/hygrova usr/bin/hygrova-calc "usr/share/applications/$id.desktop" \
  "usr/share/metainfo/$id.metainfo.xml" "usr/share/icons/hicolor/scalable/apps/$id.svg" \
  usr/share/man/man1/hygrova.1.gz usr/share/man/man1/hygrova-calc.1.gz \
  usr/share/doc/hygrova/copyright; do
  [ -f "$root/$file" ] || fail "the package lacks /$file"
done
for size in 16 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x$size/apps/$id.png
  [ -f "$png" ] || fail "the package lacks the ${size} px icon"
  [ "$(identify -format '%wx%h' "$png")" = "${size}x$size" ] || fail "$png is not $size px"
done
# The installed hygrova-calc gives the results window's texts.
"$root/usr/bin/hygrova-calc" state tdb=20 rh=50 | grep -q $'^含湿量(g/kg干)\t 7.261\t' ||
  fail "the installed hygrova-calc does not give the typical state"
# The metadata with the desktop entry it launches, as installed.
appstreamcli validate-tree --no-net "$root" >/dev/null || fail "the installed metadata do not validate"

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 0700 "$XDG_RUNTIME_DIR"
"$root/usr/bin/hygrova" >"$log" 2>&1 &
pid=$!
shot=$artifacts/installed-program.png
for _ in $(seq 30); do
  sleep 0.5
  kill -0 "$pid" 2>/dev/null || fail "the installed program ended"
  import -window root "$shot"
  main_window_shown "$shot" && break
done
main_window_shown "$shot" || fail "no main window on the screen ($shot)"
sleep 1
import -window root "$shot"
chart_shown "$shot" || fail "the installed program shows no chart ($shot)"
kill -0 "$pid" 2>/dev/null || fail "the installed program ended"
echo "PASS: the installed program runs; screenshot $shot"
