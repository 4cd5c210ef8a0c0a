#!/usr/bin/env bash
# The real hygrova-calc: exit statuses and messages of both commands, a 200,000-row file
# through one and two threads (rows in = rows out, the same bytes, flat memory), and the
# installed program with its manual page.
# Usage: calc_cli_test.sh <hygrova-calc> <build dir> [<sanitizers the build uses>]
set -euo pipefail
calc=$1
build=$2
sanitizers=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
source "$(dirname "$0")/expect_output.sh"

: >"$work/stdin"
expect 0 '{"tdb":20,"twb":13.737,"tdp":9.28,"rh":50,"d":7.261,"h":38.629,"v":0.841,"pv":1169.24}' '' \
  -- state rh=50 tdb=20 --json
expect 1 '' '请输入相对湿度！' -- state tdb=20 rh=
expect 1 '' '输入参数不得少于两个！' -- state tdb=20
expect 1 '' '大气压力过大，请重新输入！' -- state tdb=20 rh=50 --pressure 200001
expect 2 '' 'hygrova-calc: unknown parameter "t"; the names are tdb, twb, tdp, rh, d, h' -- state t=20 rh=5
expect 0 'hygrova-calc 1.0' '' -- --version
"$calc" state tdb=20 rh=50 | grep -q -x "$(printf '露点温度(℃)\t 9.28\t°C')" || fail "state lines"
"$calc" --help | grep -q 'batch' || fail "--help names the batch command"
"$calc" batch --jobs 0 </dev/null >/dev/null 2>&1 && fail "--jobs 0 accepted"

printf 'tdb,rh\r\n20,50\r\n20\r\n' >"$work/stdin"
expect 1 "$(printf 'tdb,twb,tdp,rh,d,h,v,pv,message\n20,13.737,9.28,50,7.261,38.629,0.841,1169.24,\n,,,,,,,,1 field where the header has 2')" \
  'hygrova-calc: 1 of 2 rows failed; the first on line 3: 1 field where the header has 2' -- batch -
: >"$work/stdin"
expect 2 '' 'hygrova-calc: the input is empty: the first line names the columns' -- batch
expect 2 '' "hygrova-calc: cannot open $work/none.csv: No such file or directory" -- batch "$work/none.csv"

# 200,000 rows of dry bulb and relative humidity.
awk 'BEGIN { srand(14); print "tdb,rh"; for (i = 0; i < 200000; i++) printf "%.2f,%.1f\n", -20 + rand() * 80, rand() * 100 }' \
  >"$work/rows.csv"
for jobs in 1 2; do
  /usr/bin/time -f '%M' -o "$work/rss$jobs" "$calc" batch "$work/rows.csv" --jobs "$jobs" \
    >"$work/out$jobs.csv" || fail "batch --jobs $jobs: exit status $?"
  [ "$(wc -l <"$work/out$jobs.csv")" = 200001 ] || fail "batch --jobs $jobs: $(wc -l <"$work/out$jobs.csv") lines"
done
cmp -s "$work/out1.csv" "$work/out2.csv" || fail "--jobs 2 changes the output"
# Flat memory: the whole run stays within 60 MB (sanitizers keep freed memory, so only a
# plain build is measured).
if [ -z "$sanitizers" ]; then
  for jobs in 1 2; do
    [ "$(cat "$work/rss$jobs")" -le 61440 ] || fail "batch --jobs $jobs: peak memory $(cat "$work/rss$jobs") kB"
  done
fi

# Installed beside hygrova: the program and its manual page.
cmake --install "$build" --prefix "$work/prefix" >/dev/null || fail "cmake --install"
[ -x "$work/prefix/bin/hygrova-calc" ] || fail "bin/hygrova-calc not installed"
manual=$work/prefix/share/man/man1/hygrova-calc.1.gz
[ -s "$manual" ] || fail "share/man/man1/hygrova-calc.1.gz not installed"
gzip -dc "$manual" | grep -q '^\.SH "EXIT STATUS"' || fail "the manual page has no exit statuses"

[ "$failures" -eq 0 ] && echo "hygrova-calc: all checks passed"
exit "$failures"
