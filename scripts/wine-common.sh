# shellcheck shell=bash
# What the Wine proofs share, sourced by wine-proof.sh and install-proof.sh: the PASS/FAIL
# counting, a scratch directory removed on exit with the Wine server and Xvfb, a fresh prefix
# under Xvfb, the add-in's registry names and reading a registry value.

passed=0
failed=0
check() { # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@" >/dev/null 2>&1; then
    echo "PASS: $what"
    passed=$((passed + 1))
  else
    echo "FAIL: $what"
    failed=$((failed + 1))
  fi
}
absent() { ! "$@"; }
is() { [[ "$1" == "$2" ]]; }

work=$(mktemp -d)
# No Mono or Gecko offers; a crash ends the program instead of waiting in Wine's debugger.
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
xvfb=""
cleanup() {
  wineserver -k >/dev/null 2>&1
  [[ -n "$xvfb" ]] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

start_prefix() { # start_prefix: Xvfb on a display of its own, then a fresh prefix on it
  Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$work/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 50); do [[ -s "$work/display" ]] && break; sleep 0.1; done
  DISPLAY=":$(head -1 "$work/display")"
  export DISPLAY
  wineboot -i >/dev/null 2>&1 && wineserver -w
  check "a fresh Wine prefix" test -f "$WINEPREFIX/system.reg"
}

# The add-in's class and the IDE's key for it.
clsid='{38E2B761-B571-4B06-BB17-4538DF03CBFF}'
addin='HKCU\Software\Microsoft\Visual Basic\6.0\Addins\Zarvelin.Connect'
value() { # value KEY NAME VIEW: the value's data as reg.exe prints it
  local name=(/v "$2")
  [[ "$2" == "" ]] && name=(/ve)
  wine reg query "$1" "${name[@]}" "/reg:$3" 2>/dev/null | tr -d '\r' |
    awk '/REG_/ { sub(/^.*REG_[A-Z_]+ +/, ""); print; exit }'
}
