#!/usr/bin/env bash
# wine.sh start|stop|run PREFIX [PROGRAM ARGS...]: Wine for the Windows build, in a Wine
# prefix of its own (PREFIX, inside the build folder), its debug output silenced.
#   start  creates the prefix when it is new (about 8 s), starts its server and services
#   run    start, then runs PROGRAM under Wine (the build's emulator: tests, build steps)
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
  flock -u 9
  exec 9>&-
}

case $command in
start) start ;;
run)
  start
  # Waited for rather than exec'd: with exec, about one test process in a few hundred
  # ended at once without a word under load (seen with ctest -j4 on 2 cores).
  status=0
  wine "$@" || status=$?
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
