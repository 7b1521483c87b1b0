#!/usr/bin/env bash
# wine.sh start|stop|run PREFIX [PROGRAM ARGS...]: Wine for the Windows build, in a Wine
# prefix of its own (PREFIX, inside the build folder), its debug output silenced.
#   start  creates the prefix when it is new (about 8 s), starts its server and services
#   run    start, then runs PROGRAM under Wine (the build's emulator: tests, build steps),
#          again when Wine ended it before it ran (see below)
#   stop   ends the server and every Wine process of the prefix
#
# The server and the services are started detached from the caller's output: a service
# started from inside a test would inherit the test's output pipe and keep it open, and
# ctest would wait for it without end. Started once, a test process then starts in well
# under 0.1 s. The server ends by itself when no Wine program has run for a while.
set -euo pipefail
command=${1:?start, stop or run}
prefix=${2:?a Wine prefix folder}
shift 2
mkdir -p "$prefix"
export WINEPREFIX
WINEPREFIX=$(cd "$prefix" && pwd)
export WINEDEBUG=-all
linger=${TALLYO_WINE_LINGER:-120}

start() {
  # One caller starts the server; the others wait here until its services are up.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if wineserver "-p$linger" </dev/null >/dev/null 2>&1; then
    wine wineboot </dev/null >/dev/null 2>&1 || true
  fi
  # Under a bare X server there is no window manager, and Wine waits for one at every window
  # it hides (about 2 s): its windows are left unmanaged, once for the prefix.
  if [ ! -e "$WINEPREFIX/.tallyo-unmanaged" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 &&
      touch "$WINEPREFIX/.tallyo-unmanaged"
  fi
  flock -u 9
  exec 9>&-
}

case $command in
start) start ;;
run)
  start
  # Waited for rather than exec'd: with exec, about one test process in a few hundred
  # ended at once without a word under load (seen with ctest -j4 on 2 cores). Waiting made
  # that rarer but not gone: now and then Wine still ends a program before it runs, with a
  # failing status and nothing written. Every test program writes to its output before
  # its first test, so a start that fails within 5 s having written nothing is tried
  # again, twice at most, and noted in PREFIX.retries; the output is passed on as it comes.
  out=$(mktemp)
  trap 'rm -f "$out"' EXIT
  for try in 1 2 3; do
    began=$SECONDS
    status=0
    wine "$@" | tee "$out" || status=${PIPESTATUS[0]}
    if [ "$status" -eq 0 ] || [ -s "$out" ] || [ $((SECONDS - began)) -ge 5 ] || [ "$try" -eq 3 ]; then
      break
    fi
    echo "$(date +%T) $* ended at once with status $status and no output (try $try)" \
      >>"$WINEPREFIX.retries"
  done
  exit "$status"
  ;;
stop)
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true
  ;;
*)
  echo "wine.sh: unknown command $command" >&2
  exit 2
  ;;
esac
