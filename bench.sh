#!/usr/bin/env bash
# Builds the Release program and measures it under load: the real program in
# a pseudo-terminal, the project's flood library as its POS library. Prints
# one table (figure, measured, target) and the lines "lost: N" and "ratio: R".
#   ./bench.sh                  every figure
#   ./bench.sh --quick          fewer rounds
#   ./bench.sh --callgrind F    one burst under callgrind (instruction counts in F)
#   ./bench.sh --windows [--quick]   the Windows program under wine64 (after a
#                               windows-x64 build), on an Xvfb display of its own
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
if [ "${1:-}" = "--windows" ]; then
  shift
  build=$PWD/build-win64
  [ -d "$build" ] || { echo "bench: build the windows-x64 preset first" >&2; exit 1; }
  cmake --build --preset windows-x64 -j"$(nproc)" \
    --target ridozod flood_vekapi32 ridozod_win_bench >/dev/null
  # A run folder of its own: the program, the list files, the flood library.
  run=$build/bench/run
  rm -rf "$run" && mkdir -p "$run"
  cp "$build"/run/ridozod.exe "$build"/run/*.DAT "$build"/bench/flood/vekapi32.dll "$run"/
  machine="$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1), $(nproc) cores,\
 $(uname -sr), $(/usr/lib/wine/wine64 --version 2>/dev/null)"
  # shellcheck source=tests/wine_session.sh
  source tests/wine_session.sh
  trap wine_session_stop EXIT
  wine_session_start "$build/wine-bench" || { echo "bench: Wine did not start" >&2; exit 1; }
  run_wine "$build/bench/ridozod_win_bench.exe" "Z:$(echo "$run" | tr / '\\')" "$machine" "$@"
  exit
fi
for arg in "$@"; do
  if [ "$arg" = "--callgrind" ] && ! command -v valgrind >/dev/null; then
    ./scripts/install-deps.sh --valgrind
  fi
done
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DRIDOZOD_TESTS=OFF >/dev/null
cmake --build build-release -j"$(nproc)" --target ridozod flood_vekapi32 ridozod_bench >/dev/null
exec build-release/bench/ridozod_bench "$@"
