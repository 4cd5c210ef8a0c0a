#!/usr/bin/env bash
# Imports a generated day of one-minute readings into the real hygrova executable as a user
# does, on an X display with Openbox: right-clicks the chart, takes "导入测量数据…", types the
# file's name, waits for the import window's summary, closes it, then saves the chart as SVG
# from the same menu and checks that the SVG holds the readings and the layer's legend.
# Usage: measured_import_test.sh <hygrova> <artifact dir>; run it under xvfb-run.
set -euo pipefail
program=$1
artifacts=$2
mkdir -p "$artifacts"
rm -f "$artifacts"/*.png "$artifacts"/*.svg
# shellcheck source=tests/e2e/x11_session.sh
source "$(dirname "$0")/x11_session.sh"
start_program_session

# A day of readings a minute apart: 18..28 deg C and 35..75 % over the day, one bad row.
awk 'BEGIN { print "time,tdb,rh"; for (m = 0; m < 1440; m++) {
  s = sin((m - 480) * 6.2832 / 1440)
  printf "2026-07-01 %02d:%02d,%.2f,%.1f\n", m / 60, m % 60, 23 + 5 * s, 55 - 20 * s
  if (m == 100) print "2026-07-01 01:40,N/A,50" } }' >"$work/day.csv"

"$program" 2>"$log" &
pid=$!
main=$(find_window Hygrova) || fail "the main window did not appear"
sleep 0.7
geometry "$main"
chart_x=$((X + WIDTH / 4))
chart_y=$((Y + HEIGHT / 3))

# The chart's menu: copy, save, print, the design's seven commands, then "导入测量数据…".
click "$chart_x" "$chart_y" 3
xdotool key Down Down Down Down Down Down Down Down Down Down Down Return
find_window 导入测量数据 >/dev/null || fail "no file dialog after \"导入测量数据…\""
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 20 "$work/day.csv"
xdotool key Return
import_window=$(find_window 读取测量数据) || fail "no import window"
sleep 1
shot imported
geometry "$import_window"
xdotool key Return  # "关闭"
sleep 0.5
shot layer

click "$chart_x" "$chart_y" 3
xdotool key Down Down Return
find_window 保存图表 >/dev/null || fail "no save dialog"
sleep 0.5
target=$work/chart.svg
xdotool key ctrl+a
xdotool type --delay 20 "$target"
xdotool key Return
for _ in $(seq 100); do [ -s "$target" ] && break; sleep 0.1; done
[ -s "$target" ] || fail "no file written at $target"
cp "$target" "$artifacts/chart.svg"

dots=$(grep -c '<ellipse\|<circle' "$target" || true)
echo "SVG: $dots dots, $(wc -c <"$target") bytes"
[ "$dots" -ge 1440 ] || fail "the SVG holds only $dots dots for 1440 readings"
grep -q '测量数据：1440 个读数' "$target" || fail "no legend of the 1440 readings in the SVG"
grep -q '大气压力' "$target" || fail "no pressure caption in the SVG"

wmctrl -i -c "$main"
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after closing its window"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "exit status $status"
echo "PASS: a day of readings imported and saved with the chart as SVG"
