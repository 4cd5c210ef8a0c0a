#!/usr/bin/env bash
# The real hygrova-calc: exit statuses and messages of both commands, a logger's files, a
# 200,000-row log with a timestamp through one and two threads (rows in = rows out, the same
# bytes, flat memory), and the installed program with its manual page.
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
expect 1 '' '干球温度过大或过小，请重新输入！' -- state tdb=70.01 rh=50
expect 1 '' '大气压力过大，请重新输入！' -- state tdb=20 rh=50 --pressure 200001
expect 2 '' 'hygrova-calc: unknown parameter "t"; the names are tdb, twb, tdp, rh, d, h' -- state t=20 rh=5
expect 2 '' 'hygrova-calc: unknown parameter "p"; the names are tdb, twb, tdp, rh, d, h; the pressure is --pressure PA' \
  -- state tdb=20 p=90000
expect 2 '' 'hygrova-calc: rh: no value' -- state tdb=20 rh=
expect 2 '' 'hygrova-calc: one parameter (tdb): a state needs two' -- state tdb=20
expect 2 '' 'hygrova-calc: 3 parameters (tdb, twb, rh): a state needs two' -- state tdb=20 twb=15 rh=50
expect 2 '' 'hygrova-calc: twb and h do not fix a state together: either follows from the other' -- state twb=15 h=50
expect 2 '' 'hygrova-calc: tdb: "NaN" is not a number' -- state tdb=NaN rh=50
expect 2 '' 'hygrova-calc: --pressure: "90000Pa" is not a number' -- state tdb=20 rh=50 --pressure 90000Pa
# A flagged state: its numbers, the flag on the standard error, status 0.
expect 0 '{"tdb":20,"twb":23.718,"tdp":25,"rh":135.5,"d":20.079,"h":71.161,"v":0.858,"pv":3168.63}' \
  'hygrova-calc: relative humidity above 100 %: the state lies beyond saturation' -- state tdb=20 tdp=25 --json
"$calc" state tdb=20 rh=50 >/dev/full 2>"$work/err" && fail "state into a full disk: exit status 0"
[ "$(cat "$work/err")" = 'hygrova-calc: cannot write the output: No space left on device' ] ||
  fail "state into a full disk: $(cat "$work/err")"
expect 0 'hygrova-calc 1.0' '' -- --version
"$calc" state tdb=20 rh=50 | grep -q -x "$(printf '露点温度(℃)\t 9.28\t°C')" || fail "state lines"
"$calc" --help | grep -q 'batch' || fail "--help names the batch command"
"$calc" batch --jobs 0 </dev/null >/dev/null 2>&1 && fail "--jobs 0 accepted"

printf 'tdb,rh\r\n20,50\r\n20\r\n' >"$work/stdin"
expect 1 "$(printf 'tdb,twb,tdp,rh,d,h,v,pv,message\n20,13.737,9.28,50,7.261,38.629,0.841,1169.24,\n,,,,,,,,line 3: 1 field where the header has 2')" \
  'hygrova-calc: 1 of 2 rows failed; the first: line 3: 1 field where the header has 2' -- batch -
# A logger's file as a European spreadsheet saves it, and the same in UTF-16: the timestamp
# carried through, decimal commas read, a missing reading failed, blank lines skipped.
printf 'Zeit;tdb;rh\r\n2026-01-01 00:00;20,0;50\r\n2026-01-01 00:01;--;50\r\n;;\r\n\r\n' >"$work/stdin"
logger_out="$(printf 'Zeit,tdb,twb,tdp,rh,d,h,v,pv,message\n2026-01-01 00:00,20,13.737,9.28,50,7.261,38.629,0.841,1169.24,\n2026-01-01 00:01,,,,,,,,,"line 3, column ""tdb"": ""--"" is not a number"')"
logger_err="$(printf '%s\n%s' 'hygrova-calc: 1 of 2 rows failed; the first: line 3, column "tdb": "--" is not a number' \
  'hygrova-calc: 2 blank lines skipped')"
expect 1 "$logger_out" "$logger_err" -- batch
iconv -f UTF-8 -t UTF-16 <"$work/stdin" >"$work/utf16.csv"
expect 1 "$logger_out" "$logger_err" -- batch "$work/utf16.csv"
printf 'time,T_in,RH_in,T_out,RH_out\n1,20,50,-25,50\n' >"$work/stdin"
expect 0 'time,T_in,RH_in,tdb,twb,tdp,rh,d,h,v,pv,message'$'\n''1,20,50,-25,-19.999,-31.976,50,0.248,-24.641,0.704,40.38,line 2: wet bulb at the limit of its solver (-20 to 60 °C): the true value lies beyond; dry bulb outside the chart'"'"'s -20 to 70 °C' \
  "hygrova-calc: 1 of 1 rows flagged; the first: line 2: wet bulb at the limit of its solver (-20 to 60 °C): the true value lies beyond; dry bulb outside the chart's -20 to 70 °C" \
  -- batch --columns tdb=T_out,rh=RH_out
printf 'tdb,rh\n20,50\n' >"$work/stdin"
status=0
"$calc" batch <"$work/stdin" >/dev/full 2>"$work/err" || status=$?
[ "$status" = 3 ] || fail "batch into a full disk: exit status $status, expected 3"
expect 2 '' 'hygrova-calc: --columns: unknown name "t"; the names are tdb, twb, tdp, rh, d, h and p' -- batch --columns t=T
: >"$work/stdin"
expect 2 '' 'hygrova-calc: the input is empty: the first line names the columns' -- batch
expect 2 '' "hygrova-calc: cannot open $work/none.csv: No such file or directory" -- batch "$work/none.csv"

# 200,000 rows of a timestamp, dry bulb and relative humidity.
awk 'BEGIN { srand(14); print "time,tdb,rh"; for (i = 0; i < 200000; i++)
  printf "2026-01-01T%02d:%02d:%02d,%.2f,%.1f\n", i / 3600 % 24, i / 60 % 60, i % 60, -20 + rand() * 80, rand() * 100 }' \
  >"$work/rows.csv"
for jobs in 1 2; do
  /usr/bin/time -f '%M' -o "$work/rss$jobs" "$calc" batch "$work/rows.csv" --jobs "$jobs" \
    >"$work/out$jobs.csv" 2>"$work/err$jobs" || fail "batch --jobs $jobs: exit status $?"
  grep -q 'rows failed' "$work/err$jobs" && fail "batch --jobs $jobs: $(cat "$work/err$jobs")"
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
gzip -dc "$manual" | grep -q -- '--jobs N' || fail "the manual page's options lack --jobs"
gzip -dc "$manual" | grep -q '^\.BR hygrova (1)' || fail "the manual page does not point to hygrova(1)"

[ "$failures" -eq 0 ] && echo "hygrova-calc: all checks passed"
exit "$failures"
