#!/usr/bin/env bash
# Drives the real hygrova executable on an X display with a window manager, as a user would:
# repeated starts (each centred and in shape), the pointer readout, a query with "确定",
# "描点" and "清除", minimized windows brought back, the settings and About windows above the
# disabled main window, typing after a warning, dragging the frame, maximizing, and ending it
# with "退出" and with the main window's close box.
# Usage: real_program_test.sh <hygrova> <artifact dir> [starts|windows]; run it under
# xvfb-run, with the window manager HYGROVA_WINDOW_MANAGER names (Openbox by default). With
# "starts" only the repeated starts are checked (for further screen sizes); with "windows"
# only what a window manager has a hand in (starts, the settings and About windows, drags,
# maximizing, warnings, the close box). Screenshots of every step are kept in the artifact
# dir. Any sanitizer report of the program fails the test.
# Nothing waits a fixed time for the program: every check polls until it holds or times out.
set -euo pipefail
program=$1
artifacts=$2
mode=${3:-all}
mkdir -p "$artifacts"
rm -f "$artifacts"/*.png
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 0700 "$XDG_RUNTIME_DIR"
log=$artifacts/program.log
# shellcheck source=tests/e2e/x11_session.sh
source "$(dirname "$0")/x11_session.sh"
start_window_manager
read -r screen_w screen_h < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')

absent() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
gone() { poll 5 absent "$1"; }  # gone <exact title>: true once no visible window has it
extents() {  # extents <window>: sets LEFT RIGHT TOP BOTTOM of its frame (0 while unframed)
  local values
  values=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)
  read -r LEFT RIGHT TOP BOTTOM <<<"${values:-0 0 0 0}"
}
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
iconic() { xprop -id "$1" WM_STATE 2>/dev/null | grep -q Iconic; }
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
# How many windows of the program are on the screen.
windows_shown() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
more_windows_than() { [ "$(windows_shown)" -gt "$1" ]; }
windows_back_to() { [ "$(windows_shown)" -le "$1" ]; }
# The active window's title is empty, as a warning box's is.
active_title_empty() { [ -z "$(xdotool getactivewindow getwindowname 2>/dev/null)" ]; }
click() { xdotool mousemove "$1" "$2" click 1; }
# A checksum of what a screen rectangle shows: crop <x> <y> <width> <height>.
crop() { import -window root -crop "$3x$4+$1+$2" -depth 8 rgb:- | md5sum; }
differs_from() { [ "$(crop "$2" "$3" "$4" "$5")" != "$1" ]; }

start() {
  "$program" 2>"$log" &
  pid=$!
  main=$(find_window Hygrova) || fail "the main window did not appear"
  poll 10 client_top || fail "no client area found below the menu bar"
}
finish() {  # finish <what ended it>: the program must end by itself with status 0
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end after $1"
  local status=0
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "exit status $status after $1"
  if grep -E -q 'ERROR: (Address|Leak)Sanitizer|runtime error:|Sanitizer' "$log"; then
    fail "sanitizer report after $1"
  fi
}

# The main window's outer frame is at least 65 % of the screen wide and 3/4 as high, to the
# pixel (to the logical pixel at a device-pixel ratio of 2).
ratio=${QT_SCALE_FACTOR:-1}
slack=$ratio
shaped() {
  geometry "$main"
  extents "$main"
  outer_w=$((WIDTH + LEFT + RIGHT))
  outer_h=$((HEIGHT + TOP + BOTTOM))
  local want=$(((outer_w * 3 + 2) / 4))
  [ $((outer_w * 100)) -ge $((screen_w * 65)) ] &&
    [ $((outer_h - want)) -le "$slack" ] && [ $((want - outer_h)) -le "$slack" ]
}
expect_shape() {
  poll 5 shaped || fail "$1: outer ${outer_w}x${outer_h} on a ${screen_w}-pixel screen"
  echo "$1: outer ${outer_w}x${outer_h}"
}
# At its first showing the window is exactly 65 % of the screen wide (or its design width,
# 861 pixels inside the frame, where that is more), its frame in the middle of the screen,
# title bar included.
centred() {
  shaped || return 1
  local least=$(((screen_w * 65 + 50) / 100)) design=$((861 * ratio + LEFT + RIGHT))
  [ "$design" -gt "$least" ] && least=$design
  [ $((outer_w - least)) -le "$slack" ] && [ $((least - outer_w)) -le "$slack" ] || return 1
  in_middle "$main"
}
# in_middle <window>: its frame, title bar included, is in the middle of the screen.
in_middle() {
  geometry "$1"
  extents "$1"
  local left=$((X - LEFT)) top=$((Y - TOP))
  local right=$((screen_w - X - WIDTH - RIGHT)) bottom=$((screen_h - Y - HEIGHT - BOTTOM))
  [ "$TOP" -gt 0 ] && [ "$top" -ge 0 ] &&
    [ $((left - right)) -le "$slack" ] && [ $((right - left)) -le "$slack" ] &&
    [ $((top - bottom)) -le "$slack" ] && [ $((bottom - top)) -le "$slack" ]
}

# Controls of the main window sit at fixed fractions of its client area, which starts below
# the menu bar: the first row of the window's light-blue background.
client_top() {
  geometry "$main"
  menu=$(import -window root -crop "1x80+$((X + 4))+$Y" -depth 8 txt:- |
    awk -F'[,:]' '/#C0C0FF/ { print $2; exit }')
  [ -n "$menu" ]
}
at() {  # at <design x twips> <design y twips>: screen position in the main window
  awk -v x="$1" -v y="$2" -v X="$X" -v Y="$Y" -v w="$WIDTH" -v h="$HEIGHT" -v m="$menu" \
    'BEGIN { printf "%d %d", X + x / 12915 * w, Y + m + y / 9600 * (h - m) }'
}
press() {  # press <design x> <design y>: a click on the main window, laid out as now
  client_top || fail "no client area found below the menu bar"
  # shellcheck disable=SC2046
  click $(at "$1" "$2")
}
# Pure red pixels in the main window's client area: plotted states are red discs.
red_pixels() {
  geometry "$main"
  import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage png:- |
    convert - -alpha off -fill black +opaque '#FF0000' -fill white -opaque '#FF0000' \
      -format '%[fx:round(mean*w*h)]' info:
}
red_at_least() { [ "$(red_pixels)" -ge "$1" ]; }
red_at_most() { [ "$(red_pixels)" -le "$1" ]; }

# drag <x> <y> <dx> <dy>: the user drags the frame from x, y by dx, dy. The button is let go
# only once the window manager has resized the window, as a user watching it would.
size_changed_from() { geometry "$main"; [ "${WIDTH}x${HEIGHT}" != "$1" ]; }
drag() {
  geometry "$main"
  local before="${WIDTH}x${HEIGHT}"
  xdotool mousemove "$1" "$2" mousedown 1
  for s in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $(($1 + s * $3 / 8)) $(($2 + s * $4 / 8))
  done
  poll 5 size_changed_from "$before" || { xdotool mouseup 1; fail "the drag did not resize"; }
  xdotool mouseup 1
}
# Where the frame is grabbed beyond the client area: in the middle of a visible border, or
# a few pixels out where the window manager draws none but resizes from an invisible one.
grip() { if [ "$1" -gt 0 ]; then echo $(($1 / 2)); else echo 3; fi; }
corner() {
  geometry "$main"
  extents "$main"
  echo "$((X + WIDTH + $(grip "$RIGHT"))) $((Y + HEIGHT + $(grip "$BOTTOM")))"
}
bottom_edge() { geometry "$main"; extents "$main"; echo "$((X + WIDTH / 2)) $((Y + HEIGHT + $(grip "$BOTTOM")))"; }
grown_to() { shaped && [ "$outer_w" -ge "$1" ]; }

# ---------------------------------------------------------------- 0: repeated starts
for run in 1 2 3; do
  start
  poll 5 centred || fail "start $run: not centred: client at $X,$Y ${WIDTH}x${HEIGHT}, frame $LEFT $RIGHT $TOP $BOTTOM"
  echo "start $run: frame at $((X - LEFT)),$((Y - TOP)), outer ${outer_w}x${outer_h}"
  # The desktop entry's StartupWMClass is the window's class, so the desktop groups them.
  entry_class=$(sed -n 's/^StartupWMClass=//p' "$(dirname "$0")/../../dist/org.example.hygrova.Hygrova.desktop")
  window_class=$(xprop -id "$main" WM_CLASS | sed 's/.*, "\(.*\)"$/\1/')
  [ "$window_class" = "$entry_class" ] || fail "window class $window_class, StartupWMClass $entry_class"
  shot "start-$run-centred"
  wmctrl -i -c "$main"
  finish "closing the main window after start $run"
done
if [ "$mode" = starts ]; then
  echo "PASS: three starts, each centred and in shape on a ${screen_w}x${screen_h} screen"
  exit 0
fi

# ---------------------------------------------------------------- 1: a whole session
start
shot started

# The readout follows the pointer over the chart.
for f in 2000 3000 4000 5000 6000; do
  # shellcheck disable=SC2046
  xdotool mousemove $(at "$f" 3000)
done
shot pointer-over-chart
kill -0 "$pid" 2>/dev/null || fail "the program ended while the pointer moved"

if [ "$mode" = all ]; then
# "查询" opens the query dialog and the results window.
press 12007 7027
query=$(find_window 查询条件) || fail "no query dialog"
results=$(find_window 查询结果) || fail "no results window"
poll 5 active_is "$query" || fail "the query dialog did not get the keyboard"
shot query-opened

# Dry bulb 20 °C and relative humidity 50 %, then "确定": the results appear and the
# keyboard stays in the query dialog.
geometry "$results"
results_box=("$X" "$Y" 300 110)
empty_results=$(crop "${results_box[@]}")
tick_dry_bulb_and_humidity "$query"
xdotool type --delay 50 50
click $((X + 36)) $((Y + 196))
poll 5 differs_from "$empty_results" "${results_box[@]}" || fail "确定 showed no results"
poll 5 active_is "$query" || fail "the results window took the keyboard from the query dialog"
shot query-solved

# "描点" marks the state with a red disc; "清除" removes it.
baseline=$(red_pixels)
geometry "$results"
click $((X + 340)) $((Y + 20))
poll 5 red_at_least $((baseline + 20)) || fail "描点 drew no red disc"
shot state-plotted
geometry "$results"
click $((X + 340)) $((Y + 52))
poll 5 red_at_most $((baseline + 2)) || fail "清除 left the disc"
shot chart-cleared

# Minimized, the query windows come back with "查询"; the results window with "确定". A window
# manager may slide a window it restores into place (Openbox does): the dialog is clicked
# once it is back where it was.
geometry "$query"
query_place="$X $Y"
back_in_place() { geometry "$1"; [ "$X $Y" = "$2" ]; }
xdotool windowminimize "$query"
xdotool windowminimize "$results"
poll 5 iconic "$query" || fail "the query dialog was not minimized"
poll 5 iconic "$results" || fail "the results window was not minimized"
shot query-windows-minimized
press 12007 7027
poll 5 viewable "$query" || fail "查询 did not bring the minimized query dialog back"
poll 5 viewable "$results" || fail "查询 did not bring the minimized results window back"
xdotool windowminimize "$results"
poll 5 iconic "$results" || fail "the results window was not minimized"
poll 5 back_in_place "$query" "$query_place" || fail "the query dialog came back elsewhere"
click $((X + 36)) $((Y + 196))
poll 5 viewable "$results" || fail "确定 did not bring the minimized results window back"
shot query-windows-back
fi

# "设置": the dialog opens in the middle of the screen and stays above the disabled main
# window when that is clicked, and the main window's close box does nothing meanwhile. Then
# the dialog's "确定".
stacked_above() {  # stacked_above <window> <other>: window is higher in the stacking order
  xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | tr ' ' '\n' | grep '^0x' |
    awk -v a="$(printf 0x%x "$1")" -v b="$(printf 0x%x "$2")" \
      '$1 == a { ia = NR } $1 == b { ib = NR } END { exit !(ia > ib && ib > 0) }'
}
disabled_main_clicked() {  # disabled_main_clicked <dialog title>
  local dialog
  dialog=$(find_window "$1") || fail "no window $1"
  poll 5 in_middle "$dialog" || fail "$1 is not in the middle of the screen: client at $X,$Y ${WIDTH}x${HEIGHT}, frame $LEFT $RIGHT $TOP $BOTTOM"
  press 3000 3000
  # The click makes the main window the window manager's active window.
  poll 5 active_is "$main" || true
  stacked_above "$dialog" "$main" || fail "a click on the disabled main window buried $1"
  viewable "$dialog" || fail "a click on the disabled main window hid $1"
}
press 12007 7627
disabled_main_clicked 设置
shot settings-above-disabled-main
# Minimized, the dialog comes back when the waiting main window is clicked; a window manager
# that minimizes the main window with it (Openbox) brings both back with the main window.
settings=$(find_window 设置)
xdotool windowminimize "$settings"
poll 5 iconic "$settings" || fail "the settings dialog was not minimized"
if viewable "$main"; then
  press 3000 3000
else
  wmctrl -i -a "$main"
fi
poll 5 viewable "$settings" || fail "the minimized settings dialog did not come back"
poll 5 viewable "$main" || fail "the main window did not come back with the settings dialog"
wmctrl -i -c "$main"
# The close request has reached the program before "确定" enables the main window again.
wm_caught_up "$main" || fail "the window manager did not answer"
settings=$(find_window 设置)
geometry "$settings"
click $((X + 184)) $((Y + 212))
gone 设置 || fail "the settings dialog stayed after 确定"
kill -0 "$pid" 2>/dev/null || fail "the close box ended the program while the main window was disabled"
viewable "$main" || fail "the close box closed the disabled main window"

# "关于": the same, then its "确定".
press 12007 8227
disabled_main_clicked '关于 Hygrova'
shot about-above-disabled-main
# It has no minimize box: a window manager that minimizes it anyway gets it straight back,
# with the main window.
about=$(find_window '关于 Hygrova')
xdotool windowminimize "$about"
shown_again() { viewable "$about" && viewable "$main" && ! iconic "$about"; }
poll 5 shown_again || fail "the minimized About window did not come back with the main window"
about=$(find_window '关于 Hygrova')
geometry "$about"
click $((X + 196)) $((Y + 188))
gone '关于 Hygrova' || fail "the About window stayed after 确定"

# Dragged by the frame's corner or bottom edge, larger or smaller, the window ends in shape.
geometry "$main"
first_width=$outer_w
# shellcheck disable=SC2046
drag $(corner) 200 40
poll 5 grown_to $((first_width + 100)) || fail "dragged larger: outer ${outer_w}x${outer_h}"
shot dragged-larger
# shellcheck disable=SC2046
drag $(corner) -600 -300
expect_shape "dragged smaller by the corner"
shot dragged-smaller
# shellcheck disable=SC2046
drag $(bottom_edge) 0 80
expect_shape "dragged by the bottom edge"
shot dragged-bottom-edge

# Resized by a program too small, the window snaps back to its shape; maximized, it fills the
# screen; restored, it has exactly the size it had before.
xdotool windowsize "$main" 700 300
expect_shape "after a small resize"
before_maximizing="${outer_w}x${outer_h}"
shot resized-small
wmctrl -i -r "$main" -b add,maximized_vert,maximized_horz
wide() { geometry "$main"; [ "$WIDTH" -ge $((screen_w - 20)) ]; }
poll 5 wide || fail "maximized width $WIDTH"
shot maximized
wmctrl -i -r "$main" -b remove,maximized_vert,maximized_horz
restored() { ! wide && shaped && [ "${outer_w}x${outer_h}" = "$before_maximizing" ]; }
poll 5 restored || fail "after restoring: outer ${outer_w}x${outer_h}, before maximizing $before_maximizing"
shot restored

# "退出" ends the program (with the query windows still open in the whole session).
press 12007 8827
finish 退出

# ---------------------------------------------------------------- 2: keyboard after warnings
start
press 12007 7027
query=$(find_window 查询条件) || fail "no query dialog in the second run"
results=$(find_window 查询结果) || fail "no results window in the second run"
geometry "$results"
results_box=("$X" "$Y" 300 110)
empty_results=$(crop "${results_box[@]}")
# Dry bulb 20 °C, relative humidity ticked but empty: a warning names its box.
tick_dry_bulb_and_humidity "$query"
shown=$(windows_shown)
click $((X + 36)) $((Y + 196))
poll 5 more_windows_than "$shown" || fail "no warning for an empty relative humidity"
poll 5 active_title_empty || fail "the warning box has a title"
shot query-warning
xdotool key Return
poll 5 windows_back_to "$shown" || fail "the warning box did not close"
poll 5 active_is "$query" ||
  fail "after the warning the query dialog is not active but \"$(xdotool getactivewindow getwindowname 2>&1)\""
# What the user types now goes into the relative-humidity box, and solves.
xdotool type --delay 50 50
geometry "$query"
click $((X + 36)) $((Y + 196))
poll 5 differs_from "$empty_results" "${results_box[@]}" ||
  fail "after the warning the typed relative humidity did not reach its box"
shot query-solved-after-warning

# The settings dialog: a pressure too low, a warning, and the corrected pressure typed at once.
press 12007 7627
settings=$(find_window 设置) || fail "no settings dialog in the second run"
geometry "$settings"
click $((X + 160)) $((Y + 70))
xdotool key ctrl+a
xdotool type --delay 50 5
shown=$(windows_shown)
click $((X + 184)) $((Y + 212))
poll 5 more_windows_than "$shown" || fail "no warning for a pressure of 5 Pa"
shot settings-warning
xdotool key Return
poll 5 windows_back_to "$shown" || fail "the settings warning box did not close"
poll 5 active_is "$settings" || fail "after the warning the settings dialog is not active"
xdotool type --delay 50 90000
geometry "$settings"
click $((X + 184)) $((Y + 212))
gone 设置 || fail "after the warning the typed pressure did not reach the pressure box"
shot settings-after-warning

# ---------------------------------------------------------------- 3: the close box
wmctrl -i -c "$main"
finish "closing the main window"
shot closed

echo "PASS: starts, ${mode/all/a whole session}, warnings and the close box under ${HYGROVA_WINDOW_MANAGER:-openbox}"
