#!/usr/bin/env bash
# Runs a 64-bit Windows program under wine64, for ctest (CMAKE_CROSSCOMPILING_EMULATOR).
#   wine-emulator.sh PREFIX PROGRAM.exe [ARGS...]
# PREFIX is a private Wine prefix, made on first use. One wineserver is kept
# for the whole run (it lingers a minute after the last program), so that each
# test case does not pay for starting Wine again.
set -uo pipefail

prefix=$1
shift

export WINEPREFIX=$prefix
export WINEARCH=win64
export WINELOADER=${RIDOZOD_WINE64:-/usr/lib/wine/wine64}
export WINESERVER=${RIDOZOD_WINESERVER:-/usr/lib/wine/wineserver64}
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko prompts
export WINEDEBUG=${WINEDEBUG:--all}

if [ ! -x "$WINELOADER" ]; then
  echo "wine-emulator: $WINELOADER not found (install wine64)" >&2
  exit 127
fi

# Wine's own background programs (services, devices) start with the first
# program of a server and keep its output open; started here, they hold
# nothing of the caller's, so that whoever reads the program's output sees
# its end when it ends.
mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/.ready" ]; then
    "$WINELOADER" wineboot --init </dev/null >/dev/null 2>&1 9>&-
    "$WINESERVER" -w 9>&-
    touch "$prefix/.ready"
  fi
  # Fails when a server already runs for the prefix.
  if "$WINESERVER" -p60 </dev/null >/dev/null 2>&1 9>&-; then
    "$WINELOADER" wineboot </dev/null >/dev/null 2>&1 9>&-
  fi
) 9>"$prefix.lock"

# Now and then wine64 ends at once, having run nothing and said nothing (seen
# once in some hundreds of starts of a ctest run). Every program run here
# prints before it does anything else, so a failure with no output at all
# is a start that never happened: it is tried again, twice at most.
out=$(mktemp) && err=$(mktemp) || exit 1
trap 'rm -f "$out" "$err"' EXIT
for try in 1 2 3; do
  "$WINELOADER" "$@" >"$out" 2>"$err"
  status=$?
  if [ "$status" -eq 0 ] || [ -s "$out" ] || [ -s "$err" ] || [ "$try" -eq 3 ]; then
    cat "$out"
    cat "$err" >&2
    exit "$status"
  fi
  echo "wine-emulator: wine64 ended with status $status before the program ran; again" >&2
  sleep 1
done
