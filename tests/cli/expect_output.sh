# Sourced by the tests of the real hygrova-calc: fail and expect, on the variables calc (the
# program), work (a scratch folder) and failures (the count so far).

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# expect <status> <stdout> <stderr> -- <arguments...>: runs the program with the standard
# input from $work/stdin (empty unless a test writes it) and compares.
expect() {
  local status=$1 out=$2 err=$3
  shift 4
  local actual=0
  [ -e "$work/stdin" ] || : >"$work/stdin"
  "$calc" "$@" <"$work/stdin" >"$work/out" 2>"$work/err" || actual=$?
  [ "$actual" = "$status" ] || fail "$*: exit status $actual, expected $status"
  [ "$(cat "$work/out")" = "$out" ] || fail "$*: output \"$(cat "$work/out")\", expected \"$out\""
  [ "$(cat "$work/err")" = "$err" ] || fail "$*: error output \"$(cat "$work/err")\", expected \"$err\""
}
