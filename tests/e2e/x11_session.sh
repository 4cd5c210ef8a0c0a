# Shared by the real-program tests on an X display (source it after setting `artifacts` and
# `log`): failing with the program's log, screenshots, polling, the window manager, and
# finding windows and their client areas. The sourcing script sets `pid` once it has
# started the program.
pid=""

fail() {
  echo "FAIL: $*" >&2
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -f "$log" ] && sed 's/^/  program: /' "$log" >&2
  exit 1
}
step=0
shot() { step=$((step + 1)); import -window root "$artifacts/$(printf %02d $step)-$1.png"; }

# poll <seconds> <command...>: succeeds as soon as the command does, fails after the time.
poll() {
  local tries=$(($1 * 20))
  shift
  for _ in $(seq "$tries"); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}

# start_window_manager [<more to do on exit>]: the window manager that HYGROVA_WINDOW_MANAGER
# names (openbox, the default, kwin, xfwm4 or mutter) gives the windows frames and close
# boxes; it and the program are ended when the script exits. KWin and xfwm4 need a session
# bus, and KWin its Breeze style for title bars.
start_window_manager() {
  case ${HYGROVA_WINDOW_MANAGER:-openbox} in
    openbox) openbox --sm-disable >/dev/null 2>&1 & ;;
    kwin) KWIN_COMPOSE=N dbus-run-session kwin_x11 --replace >/dev/null 2>&1 & ;;
    xfwm4) dbus-run-session xfwm4 --compositor=off >/dev/null 2>&1 & ;;
    mutter) dbus-run-session mutter --x11 --replace >/dev/null 2>&1 & ;;
    *) fail "unknown window manager $HYGROVA_WINDOW_MANAGER" ;;
  esac
  wm=$!
  # shellcheck disable=SC2064
  trap "kill $wm 2>/dev/null || true; [ -n \"\$pid\" ] && kill \$pid 2>/dev/null || true; ${1:-}" EXIT
  wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
  poll 20 wm_ready || fail "the window manager did not start"
}

# wm_caught_up <window>: returns once the window manager has handled the requests sent to it
# before, as shown by its answer to one more (a state it adds to the window and takes away).
wm_state_has() { xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_SKIP_PAGER; }
wm_state_lacks() { ! wm_state_has "$1"; }
wm_caught_up() {
  wmctrl -i -r "$1" -b add,skip_pager
  poll 5 wm_state_has "$1" || return 1
  wmctrl -i -r "$1" -b remove,skip_pager
  poll 5 wm_state_lacks "$1"
}

# start_program_session: what a real-program script does first (after setting `artifacts`):
# a private runtime folder and home, removed on exit, the program's log in the artifact dir,
# and the window manager.
start_program_session() {
  export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
  chmod 0700 "$XDG_RUNTIME_DIR"
  work=$(mktemp -d)
  export HOME=$work
  log=$artifacts/program.log
  start_window_manager 'rm -rf "$work"'
}
click() { xdotool mousemove "$1" "$2" click "${3:-1}"; sleep 0.3; }

visible_id() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
find_window() {  # find_window <exact title>: the id of the visible window, waiting for it
  local id=""
  for _ in $(seq 100); do
    id=$(visible_id "$1" || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}
geometry() {  # geometry <window>: sets X Y WIDTH HEIGHT of its client area on the screen
  local info
  info=$(xwininfo -id "$1")
  X=$(awk '/Absolute upper-left X/ { print $NF }' <<<"$info")
  Y=$(awk '/Absolute upper-left Y/ { print $NF }' <<<"$info")
  WIDTH=$(awk '/^ *Width:/ { print $NF }' <<<"$info")
  HEIGHT=$(awk '/^ *Height:/ { print $NF }' <<<"$info")
}

# tick_dry_bulb_and_humidity <query dialog>: ticks "干球温度(℃)", types 20 into its box and
# ticks "相对湿度(%)", whose box then has the keyboard. Leaves X Y WIDTH HEIGHT of the dialog.
tick_dry_bulb_and_humidity() {
  geometry "$1"
  xdotool mousemove $((X + 24)) $((Y + 40)) click 1
  xdotool type --delay 50 20
  xdotool mousemove $((X + 24)) $((Y + 88)) click 1
}
