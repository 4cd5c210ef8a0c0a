#!/usr/bin/env bash
# The real hygrova-calc's design commands: mix, process and project, their outputs, exit
# statuses and messages. The figures are those worked by hand in
# tests/project/project_evaluation_test.cpp (outdoor 30 deg C 60 %, room 24 deg C 50 %, coil
# 14 deg C 95 %).
# Usage: project_cli_test.sh <hygrova-calc>
set -euo pipefail
calc=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
source "$(dirname "$0")/expect_output.sh"

expect 0 '{"tdb":25.512,"twb":18.875,"tdp":15.491,"rh":53.82,"d":10.983,"h":53.755,"v":0.862,"pv":1758.15}' '' \
  -- mix 'tdb=30 rh=60' 'tdb=24 rh=50' --ratio 1:3 --json
"$calc" mix 'tdb=30 rh=60' 'tdb=24 rh=50' --flows 2000:6000 | grep -q -x "$(printf '焓(kJ/kg干)\t 53.62\tkJ/kg')" ||
  fail "mix --flows lines"
expect 0 '{"dt":-16,"dd":-6.575,"dh":-33.248,"epsilon":5056.7,"sensible":-16.804,"latent":-16.444,"dry_air":11337.9,"load":-104.712,"sensible_load":-52.922,"latent_load":-51.789,"moisture":-74.546}' '' \
  -- process 'tdb=30 rh=60' 'tdb=14 rh=95' --flow 10000 --json
"$calc" process 'tdb=24 rh=50' 'tdb=30 d=9.298' | grep -q -x "$(printf '热湿比ε(kJ/kg)\t∞\tkJ/kg')" ||
  fail "process without a moisture change"
"$calc" mix 'tdb=40 rh=100' 'tdb=-10 rh=100' --ratio 1:1 2>"$work/err" >/dev/null || fail "supersaturated mix"
grep -q '过饱和' "$work/err" || fail "a supersaturated mix has no note"
expect 2 '' "hygrova-calc: 'tdb=30 rh=': rh: no value" -- mix 'tdb=30 rh=' 'tdb=24 rh=50' --ratio 1:3
expect 1 '' "'tdb=30 rh=160': 相对湿度在0~100%之间，请重新输入！" -- mix 'tdb=30 rh=160' 'tdb=24 rh=50' --ratio 1:3
expect 1 '' '两股空气的混合比不能都为0，请重新输入！' -- mix 'tdb=30 rh=60' 'tdb=24 rh=50' --ratio 0:0
expect 1 '' '风量应大于0且不超过1e9，请重新输入！' -- process 'tdb=30 rh=60' 'tdb=14 rh=95' --flow 0
expect 1 '' '大气压力过大，请重新输入！' -- process 'tdb=30 rh=60' 'tdb=14 rh=95' --pressure 300000
status=0
"$calc" mix 'tdb=30 rh=60' 'tdb=24 rh=50' --ratio 1:3 >/dev/full 2>/dev/null || status=$?
[ "$status" = 3 ] || fail "mix into a full disk: exit status $status, expected 3"
expect 2 '' 'hygrova-calc: mix takes --ratio A:B or --flows A:B' -- mix 'tdb=30 rh=60' 'tdb=24 rh=50'
expect 2 '' 'hygrova-calc: --ratio takes two numbers as A:B, e.g. 1:3' -- mix 'tdb=30 rh=60' 'tdb=24 rh=50' --ratio 1

# A project file: the states and operations as a table, or as JSON.
cat >"$work/design.hygrova" <<'JSON'
{"format": "hygrova-project", "version": 1, "pressure_pa": "101325",
 "chart": {"moisture_line_color": 0, "enthalpy_line_color": 2, "rh_line_color": 9,
           "isotherm_color": 7, "moisture_line_spacing": 1, "enthalpy_line_spacing": 1,
           "isotherm_spacing": 1},
 "states": [{"id": 1, "label": "W", "note": "室外", "known": {"tdb": "30", "rh": "60"}},
            {"id": 2, "label": "N", "note": "", "known": {"rh": "50", "tdb": "24"}},
            {"id": 3, "label": "M", "note": ""}],
 "operations": [{"id": 4, "kind": "mix", "first": 1, "second": 2, "output": 3,
                 "basis": "mass_ratio", "first_share": "1", "second_share": "3"}]}
JSON
"$calc" project "$work/design.hygrova" >"$work/table" || fail "project: exit status $?"
grep -q -x "$(printf 'M\t25.512\t18.875\t15.491\t53.82\t10.983\t53.755\t0.862\t1758.15\tW 与 N 混合，质量比 1:3\t\t')" \
  "$work/table" || fail "project table: $(cat "$work/table")"
"$calc" project "$work/design.hygrova" --json | grep -q '"h": 53.755' || fail "project --json"
sed -i 's/"version": 1/"version": 7/' "$work/design.hygrova"
expect 2 '' "hygrova-calc: $work/design.hygrova：该项目文件的格式版本为 7，由较新的 Hygrova 写成；本程序只能打开版本 1 及以前的项目文件" \
  -- project "$work/design.hygrova"

[ "$failures" -eq 0 ] && echo "hygrova-calc design commands: all checks passed"
exit "$failures"
