#!/usr/bin/env bash
# Saves the chart from the real hygrova executable as a user does, on an X display with a
# window manager: plots the typical state (dry bulb 20 °C, relative humidity 50 %),
# right-clicks the chart, takes "保存图表…", types a file name ending in .svg, presses Enter,
# and checks the SVG written: the chart's lines, its labels as text and the red mark, and that
# nothing else was written.
# Usage: chart_export_test.sh <hygrova> <artifact dir>; run it under xvfb-run. Screenshots of
# the steps and the SVG are kept in the artifact dir.
set -euo pipefail
program=$1
artifacts=$2
mkdir -p "$artifacts"
rm -f "$artifacts"/*.png "$artifacts"/*.svg
# shellcheck source=tests/e2e/x11_session.sh
source "$(dirname "$0")/x11_session.sh"
start_program_session
# A point of the main window's client area (below the menu bar) at design twips.
at() {
  geometry "$main"
  local menu
  menu=$(import -window root -crop "1x80+$((X + 4))+$Y" -depth 8 txt:- |
         awk -F'[,:]' '/#C0C0FF/ { print $2; exit }')
  [ -n "$menu" ] || fail "no client area found below the menu bar"
  awk -v x="$1" -v y="$2" -v X="$X" -v Y="$Y" -v w="$WIDTH" -v h="$HEIGHT" -v m="$menu" \
    'BEGIN { printf "%d %d", X + x / 12915 * w, Y + m + y / 9600 * (h - m) }'
}

"$program" 2>"$log" &
pid=$!
main=$(find_window Hygrova) || fail "the main window did not appear"
sleep 0.7

# "查询", then dry bulb 20 and relative humidity 50, "确定" and "描点".
# shellcheck disable=SC2046
click $(at 12007 7027)
query=$(find_window 查询条件) || fail "no query dialog"
results=$(find_window 查询结果) || fail "no results window"
tick_dry_bulb_and_humidity "$query"
sleep 0.3
xdotool type --delay 50 50
click $((X + 36)) $((Y + 196))
geometry "$results"
click $((X + 340)) $((Y + 20))
shot state-plotted

# Right-click the chart, take the second entry of its menu: "保存图表…".
# shellcheck disable=SC2046
click $(at 3000 3000) 3
shot chart-menu
xdotool key Down Down Return
dialog=$(find_window 保存图表) || fail "no save dialog after the second entry of the chart menu"
sleep 0.5
shot save-dialog
target=$work/chart.svg
xdotool key ctrl+a
xdotool type --delay 20 "$target"
sleep 0.3
xdotool key Return
for _ in $(seq 100); do [ -s "$target" ] && break; sleep 0.1; done
[ -s "$target" ] || fail "no file written at $target"
cp "$target" "$artifacts/chart.svg"
shot saved

# The SVG: the chart's lines in their colors, the labels as text, the red disc.
lines=$(grep -c '<polyline' "$target" || true)
echo "SVG: $lines line elements, $(wc -c <"$target") bytes"
[ "$lines" -ge 500 ] || fail "the SVG holds only $lines lines"
grep -q 'stroke="#0000ff"' "$target" || fail "no relative-humidity curves (blue) in the SVG"
grep -q '>100%<' "$target" || fail "no \"100%\" label in the SVG"
grep -q '大气压力' "$target" || fail "no pressure caption in the SVG"
grep -B3 '<circle' "$target" | grep -q 'fill="#ff0000"' || fail "no red mark in the SVG"
ls "$work" | grep -v -x 'chart.svg' | grep -q . && fail "files left beside the SVG: $(ls "$work")"
[ -e "$work/.config/QtProject.conf" ] && fail "the save dialog wrote Qt's settings file"

wmctrl -i -c "$main"
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after closing its window"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "exit status $status"
if grep -E -q 'ERROR: (Address|Leak)Sanitizer|runtime error:|Sanitizer' "$log"; then
  fail "sanitizer report"
fi
echo "PASS: the chart saved as SVG from its context menu"
