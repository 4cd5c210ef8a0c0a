#!/usr/bin/env bash
# The deeper checks CI runs after ./scripts/test.sh, each in the folder of its CMake preset:
#  1. the core and window tests built with GCC under AddressSanitizer (LeakSanitizer
#     included) and UndefinedBehaviorSanitizer, run offscreen, and the real program driven
#     through a whole session under Xvfb (preset "san");
#  2. the libFuzzer targets of fuzz/ built with clang under the same sanitizers, each run
#     for HYGROVA_FUZZ_SECONDS (default 120) on a scratch copy of its seed corpus, two at a
#     time (preset "fuzz");
#  3. the program built without X11 (preset "no-x11"): it links no libxcb, its core and
#     window tests pass offscreen and it runs on Wayland;
#  4. the core and its tests cross-built for Windows with mingw-w64 and run under wine
#     (preset "windows-core");
#  5. the equivalence check of the core's fast forms against their step-by-step references
#     (tests/deep/equivalence_check.cpp: every float for the saturation pressure and the
#     number text, dense grids for the rounding, the solvers and the thirteen chains), built
#     optimised with the tests (preset "test") and bounded by HYGROVA_DEEP_MINUTES (default 40);
#  6. the real program's window checks (starts, shape under drags, maximize and restore,
#     the settings and About windows, warnings) under the window managers of KDE (KWin),
#     Xfce (xfwm4) and GNOME (mutter), as under Openbox in ./scripts/test.sh (preset "test").
# Every stage always runs; any failing test, sanitizer report or fuzzer finding fails the
# script at the end. Extra arguments go to every cmake configure step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
san_build=$root/build/san
fuzz_build=$root/build/fuzz
fuzz_seconds=${HYGROVA_FUZZ_SECONDS:-120}
deep_minutes=${HYGROVA_DEEP_MINUTES:-40}
jobs=$(nproc)
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
chmod 0700 "$XDG_RUNTIME_DIR"

HYGROVA_WITH_FUZZ=1 HYGROVA_WITH_WINDOWS=1 HYGROVA_WITH_WINDOW_MANAGERS=1 \
  "$root/scripts/install-deps.sh"

failed=()
started=$SECONDS
configure_args=("$@")
elapsed() { echo "($(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s so far)"; }

# Configures and builds a preset with the extra arguments, as scripts/build.sh does
# (HYGROVA_TARGETS may name targets).
build() {
  HYGROVA_PRESET=$1 "$root/scripts/build.sh" "${configure_args[@]}"
}

# Builds a preset, runs a check of the build (a command; `true` for none) and then the
# preset's tests. Fails at the first step that fails.
build_and_test() {
  local preset=$1
  shift
  build "$preset" && "$@" && ctest --preset "$preset" --parallel "$jobs"
}

# --- 1. Core and window tests under the sanitizers (GCC) -----------------------------------
echo "== Core and window tests under AddressSanitizer, LeakSanitizer and UBSan (GCC, $san_build)"
build san

# ASan and LSan write each report to a file of its own (one per process, test discovery
# included), so a report fails the stage even where a process's output is not shown. UBSan
# reports go to the test's output and, built with -fno-sanitize-recover, end the process.
san_logs=$san_build/sanitizer-logs
rm -rf "$san_logs"
mkdir -p "$san_logs"
san_status=0
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:log_path=$san_logs/asan" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ctest --test-dir "$san_build" --output-on-failure --parallel "$jobs" \
    -LE 'e2e|wayland|window-managers' || san_status=$?
if compgen -G "$san_logs/*" >/dev/null; then
  echo "Sanitizer reports:" >&2
  for log in "$san_logs"/*; do
    echo "--- $log" >&2
    cat "$log" >&2
  done
  san_status=1
fi
if grep -E -q 'runtime error:|ERROR: [A-Za-z]+Sanitizer' "$san_build/Testing/Temporary/LastTest.log"; then
  echo "Sanitizer reports in the test output ($san_build/Testing/Temporary/LastTest.log):" >&2
  grep -E -A20 'runtime error:|ERROR: [A-Za-z]+Sanitizer' "$san_build/Testing/Temporary/LastTest.log" >&2
  san_status=1
fi
# The real program under the sanitizers, driven through a whole session; the end-to-end
# test fails on any sanitizer report in the program's output or a non-zero exit status.
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ctest --test-dir "$san_build" --output-on-failure -L e2e || san_status=$?
if [ "$san_status" -ne 0 ]; then
  failed+=("tests under the sanitizers")
fi
echo "== Sanitizer stage done $(elapsed)"

# --- 2. Fuzzers (clang, libFuzzer) ------------------------------------------------------
echo "== Fuzzers, ${fuzz_seconds} s each (clang, $fuzz_build)"
build fuzz

# The targets fuzz/CMakeLists.txt builds, one name a line.
mapfile -t fuzzers <"$fuzz_build/fuzz/fuzzers.txt"
artifacts=$fuzz_build/artifacts
rm -rf "$artifacts" "$fuzz_build/corpus-run" "$fuzz_build/logs"
mkdir -p "$artifacts" "$fuzz_build/corpus-run" "$fuzz_build/logs"

# Runs one fuzzer on a scratch copy of its seeds (the committed corpus stays as it is).
run_fuzzer() {
  local name=$1
  local corpus=$fuzz_build/corpus-run/$name
  cp -r "$root/fuzz/corpus/$name" "$corpus"
  "$fuzz_build/fuzz/$name" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2560 \
    -print_final_stats=1 -artifact_prefix="$artifacts/$name-" "$corpus" \
    >"$fuzz_build/logs/$name.log" 2>&1
}

fuzz_status=0
for ((i = 0; i < ${#fuzzers[@]}; i += jobs)); do
  pids=()
  batch=("${fuzzers[@]:i:jobs}")
  for name in "${batch[@]}"; do
    run_fuzzer "$name" &
    pids+=($!)
  done
  for k in "${!batch[@]}"; do
    name=${batch[$k]}
    if wait "${pids[$k]}"; then
      runs=$(grep -E '^stat::number_of_executed_units' "$fuzz_build/logs/$name.log" | awk '{print $2}')
      speed=$(grep -E '^stat::average_exec_per_sec' "$fuzz_build/logs/$name.log" | awk '{print $2}')
      echo "$name: ok, $runs runs, $speed exec/s"
    else
      echo "$name: FAILED (log $fuzz_build/logs/$name.log)" >&2
      grep -E -A40 'ERROR|fuzz check failed|runtime error|Test unit written' \
        "$fuzz_build/logs/$name.log" | head -80 >&2 || tail -40 "$fuzz_build/logs/$name.log" >&2
      fuzz_status=1
    fi
  done
done
if compgen -G "$artifacts/*" >/dev/null; then
  echo "Fuzzer findings (reproduce with $fuzz_build/fuzz/<target> <file>):" >&2
  ls -l "$artifacts" >&2
  fuzz_status=1
fi
if [ "$fuzz_status" -ne 0 ]; then
  failed+=("fuzzers")
fi
echo "== Fuzzer stage done $(elapsed)"

# --- 3. Without X11 ----------------------------------------------------------------------
echo "== Without X11 ($root/build/no-x11)"
links_no_xcb() {
  if readelf -d "$root/build/no-x11/src/hygrova" | grep -q 'NEEDED.*libxcb'; then
    echo "The program built without X11 links libxcb." >&2
    return 1
  fi
}
build_and_test no-x11 links_no_xcb || failed+=("the build without X11")
echo "== Stage without X11 done $(elapsed)"

# --- 4. The core for Windows ------------------------------------------------------------
# Where a Windows C runtime would read or write numbers differently, the core tests fail.
echo "== The core and its tests for Windows (mingw-w64, wine; $root/build/windows-core)"
windows_started=$SECONDS
# wine's server stops a few seconds after its last program ends, and a test that starts just
# then fails ("recvmsg: Connection reset by peer"). One server, in the tests' own prefix (the
# test preset's settings), stays up for the whole stage; wineboot starts wine's background
# services under it with no output of their own, so that no test's output stays open on them.
wine_prefix=$root/build/windows-core/wine
keep_wine_server() {
  mkdir -p "$wine_prefix" &&
    WINEPREFIX=$wine_prefix wineserver -p &&
    WINEPREFIX=$wine_prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
      wineboot </dev/null >/dev/null 2>&1
}
build_and_test windows-core keep_wine_server || failed+=("the core for Windows")
WINEPREFIX=$wine_prefix wineserver -k 2>/dev/null || true
echo "== Windows stage done in $((SECONDS - windows_started)) s $(elapsed)"

# --- 5. Fast forms against their references (GCC, optimised) -------------------------------
echo "== Equivalence of the fast core forms with their references (at most ${deep_minutes} min)"
HYGROVA_TARGETS=equivalence_check build test
if ! timeout "${deep_minutes}m" "$root/build/test/tests/deep/equivalence_check"; then
  failed+=("equivalence of the fast forms (a difference, or over ${deep_minutes} min)")
fi
echo "== Equivalence stage done $(elapsed)"

# --- 6. The window checks under other window managers -----------------------------------
echo "== The real program under KWin, xfwm4 and mutter ($root/build/test)"
cmake --build --preset test --parallel "$jobs" --target hygrova
# mutter's compositor now and then shows a freshly mapped window black for seconds (a bare Qt
# window whose first paint comes late does the same), so a failed run gets two more tries.
if ! ctest --test-dir "$root/build/test" --output-on-failure -L window-managers \
    --repeat until-pass:3; then
  failed+=("the window checks under KWin, xfwm4 and mutter")
fi
echo "== Window manager stage done $(elapsed)"

if [ ${#failed[@]} -ne 0 ]; then
  echo "Deep checks FAILED: ${failed[*]}" >&2
  exit 1
fi
echo "Deep checks passed."
