#!/usr/bin/env bash
# An air-handling design made in the real hygrova executable as a user makes it, on an X
# display with a window manager: two states taken from the query into the states window, a
# mix of them and a process arrow from the processes window, the project saved with Ctrl+S,
# the program closed and started again with the file (`hygrova FILE`), and the chart saved as
# SVG from its context menu, which must show the states' labels and the arrow.
# Usage: project_design_test.sh <hygrova> <artifact dir>; run it under xvfb-run. Screenshots
# of the steps, the project file and the SVG are kept in the artifact dir.
set -euo pipefail
program=$1
artifacts=$2
mkdir -p "$artifacts"
rm -f "$artifacts"/*.png "$artifacts"/*.svg "$artifacts"/*.hygrova
# shellcheck source=tests/e2e/x11_session.sh
source "$(dirname "$0")/x11_session.sh"
start_program_session
key() { xdotool key "$@"; sleep 0.3; }
# The middle of the main window's chart.
chart_middle() { geometry "$main"; echo $((X + WIDTH * 2 / 5)) $((Y + HEIGHT * 2 / 5)); }
# chart_menu <entries down>: right-click the chart and take that entry of its menu.
chart_menu() {
  # shellcheck disable=SC2046
  click $(chart_middle) 3
  for _ in $(seq "$1"); do xdotool key Down; done
  key Return
}
# type_file <dialog title> <path>: names the file in Qt's file dialog and accepts it.
type_file() {
  find_window "$1" >/dev/null || fail "no dialog \"$1\""
  sleep 0.5
  xdotool key ctrl+a
  xdotool type --delay 20 "$2"
  key Return
  poll 10 test -s "$2" || fail "no file written at $2"
}
start() {
  "$program" "$@" 2>>"$log" &
  pid=$!
  main=$(find_window Hygrova) || fail "the main window did not appear"
  sleep 0.7
}
stop() {
  wmctrl -i -c "$main"
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end after closing its window"
  wait "$pid" || fail "exit status $?"
  pid=""
}

start
# "查询": dry bulb 20, relative humidity 50, "确定".
geometry "$main"
click $((X + WIDTH * 12007 / 12915)) $((Y + HEIGHT * 7027 / 9600 + 10))
query=$(find_window 查询条件) || fail "no query dialog"
tick_dry_bulb_and_humidity "$query"
sleep 0.3
xdotool type --delay 50 50
click $((X + 36)) $((Y + 196))

# The states window from the chart's menu (its fifth entry, after the three exports and "在此处添加状态点"), and the
# state the results window shows: A.
chart_menu 5
states=$(find_window 状态点) || fail "no states window from the chart's menu"
xdotool windowactivate --sync "$states"
key alt+r
shot state-a

# A second query, dry bulb 32 and 60 %, taken as B.
geometry "$query"
click $((X + 148)) $((Y + 41)); xdotool key ctrl+a; xdotool type --delay 50 32
click $((X + 148)) $((Y + 89)); xdotool key ctrl+a; xdotool type --delay 50 60
click $((X + 36)) $((Y + 196))
xdotool windowactivate --sync "$states"
key alt+r
shot state-b

# The processes window: A and B mixed in equal parts (C), then the process A -> B.
key alt+p
processes=$(find_window 过程与混合) || fail "no processes window"
xdotool windowactivate --sync "$processes"
key alt+2
key alt+m
key alt+1
key alt+p
shot mix-and-process

# Saved with Ctrl+S in the main window.
project=$work/design.hygrova
xdotool windowactivate --sync "$main"
key ctrl+s
type_file 保存项目 "$project"
cp "$project" "$artifacts/"
grep -q '"kind": "mix"' "$project" || fail "no mix in the saved project"
grep -q '"kind": "process"' "$project" || fail "no process in the saved project"
stop

# Started again with the file: the layer is back.
start "$project"
sleep 0.5
shot reopened
calc=$(dirname "$program")/cli/hygrova-calc
if [ -x "$calc" ]; then
  rows=$("$calc" project "$project")
  grep -q 'A + B' <<<"$rows" || fail "hygrova-calc finds no mix in the project: $rows"
fi

# The chart saved as SVG ("保存图表…", the menu's second entry) shows labels and the arrow.
chart_menu 2
svg=$work/design.svg
type_file 保存图表 "$svg"
cp "$svg" "$artifacts/"
shot exported
for label in A B C; do
  grep -q ">$label<" "$svg" || fail "no label $label in the SVG"
done
grep -q 'ε=' "$svg" || fail "no process label (ε=) in the SVG"
grep -q 'fill="#800080"' "$svg" || fail "no arrow head or mark of the layer in the SVG"
stop
if grep -E -q 'ERROR: (Address|Leak)Sanitizer|runtime error:|Sanitizer' "$log"; then
  fail "sanitizer report"
fi
echo "PASS: a design made, saved, reopened from the command line and exported"
