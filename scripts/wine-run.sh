#!/usr/bin/env bash
# Runs a Windows program of the build under Wine.
#   wine-run.sh <state-dir> <program.exe> [args...]
#   wine-run.sh --stop <state-dir>
#   wine-run.sh --running <state-dir>   (status 0 when its session is up)
# The state directory holds a private WINEPREFIX. One persistent wineserver
# serves every program of a test run, and when no X display is set a virtual
# one (Xvfb) is started once and shared, so that windows can be created.
# The prefix is 32-bit unless the state directory's file "winearch" (written
# by the build's configuration) says win64; a 64-bit prefix runs 64-bit
# programs with Wine's 64-bit loader. A script that starts a session stops it
# again when it ends (scripts/demo.sh, bench.sh, test.sh), one that was
# already running it leaves alone.
set -uo pipefail

stop=0
running=0
if [ "${1:-}" = "--stop" ]; then stop=1; shift; fi
if [ "${1:-}" = "--running" ]; then running=1; shift; fi
state=$(mkdir -p "$1" && cd "$1" && pwd); shift

export WINEPREFIX="$state/prefix"
export WINEARCH=$(cat "$state/winearch" 2>/dev/null || echo win32)
wine_bin=wine
if [ "$WINEARCH" = win64 ]; then
  wine_bin=$(command -v wine64 || echo /usr/lib/wine/wine64)
fi
export WINEDEBUG="${WINEDEBUG:--all}"
# No debugger: a program that crashes ends at once with an error status
# instead of waiting in Wine's debugger until the test's time runs out.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
export GTEST_COLOR=no

wineserver_bin=$(command -v wineserver || echo /usr/lib/wine/wineserver)

if [ $stop -eq 1 ]; then
  "$wineserver_bin" -k >/dev/null 2>&1 || true
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" >/dev/null 2>&1 || true
    rm -f "$state/xvfb.pid" "$state/display"
  fi
  exit 0
fi

# The virtual display this state directory started is alive when its process
# runs and its socket exists.
xvfb_alive() {
  [ -f "$state/xvfb.pid" ] && [ -f "$state/display" ] || return 1
  kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null || return 1
  local n
  n=$(cut -c2- "$state/display")
  [ -e "/tmp/.X11-unix/X$n" ]
}

# The prefix's wineserver works in a folder named after the prefix's device
# and inode (server-<dev>-<inode>, in hexadecimal).
server_alive() {
  [ -d "$WINEPREFIX" ] || return 1
  local id pid
  id=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
  for pid in $(pgrep wineserver); do
    [ "$(basename "$(readlink "/proc/$pid/cwd" 2>/dev/null)")" = "$id" ] && return 0
  done
  return 1
}

if [ $running -eq 1 ]; then
  xvfb_alive || server_alive
  exit
fi

exec 9>"$state/lock"
flock 9

if [ -z "${DISPLAY:-}" ]; then
  if xvfb_alive; then
    DISPLAY=$(cat "$state/display")
  else
    # Wine processes stay bound to the display they started on: a session
    # left from an earlier, vanished display must go before a new one starts.
    "$wineserver_bin" -k >/dev/null 2>&1 || true
    # Xvfb picks a free display number itself and writes it once it accepts
    # connections: two builds starting at once must not end up on one
    # display, where each test's windows would take the other's focus.
    # Started in a subshell so that init, not this script's process, reaps it.
    rm -f "$state/xvfb.pid" "$state/display" "$state/display.number"
    (setsid sh -c 'echo $$ >"$1"; exec Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$2"' \
      sh "$state/xvfb.pid" "$state/display.number" </dev/null >/dev/null 2>&1 &)
    for _ in $(seq 100); do [ -s "$state/display.number" ] && break; sleep 0.1; done
    n=$(tr -dc 0-9 <"$state/display.number" 2>/dev/null)
    if [ -z "$n" ]; then
      echo "wine-run.sh: the virtual display (Xvfb) did not start" >&2
      exit 1
    fi
    echo ":$n" >"$state/display"
    DISPLAY=":$n"
  fi
  export DISPLAY
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine_bin" wineboot -i </dev/null >/dev/null 2>&1
fi
# Xvfb runs no window manager: windows Wine hands to one would make every
# hide of a dialog wait two seconds for an answer that never comes.
if [ ! -f "$state/unmanaged" ]; then
  "$wine_bin" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 &&
    touch "$state/unmanaged"
fi
# -p keeps the server alive between programs: starting Wine is then fast.
setsid "$wineserver_bin" -p </dev/null >/dev/null 2>&1 || true

flock -u 9
exec 9>&-
# Leaked descriptors of the caller (CTest keeps pipes open) must not reach
# Wine's long-lived service processes, or the caller waits for them forever.
for fd in /proc/$$/fd/*; do
  n=${fd##*/}
  if [ "$n" -gt 2 ] 2>/dev/null; then eval "exec $n>&-" 2>/dev/null; fi
done

# Programs started on the way (explorer, services) inherit the standard
# streams; give them files, not the caller's pipes, and replay them after.
out=$(mktemp "$state/stdout.XXXXXX")
err=$(mktemp "$state/stderr.XXXXXX")
"$wine_bin" "$@" <"${QC_WINE_STDIN:-/dev/null}" >"$out" 2>"$err"
rc=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit $rc
