#!/usr/bin/env bash
# Builds the Release program and measures it under load: the real program in
# a pseudo-terminal, the project's flood library as its POS library. Prints
# one table (figure, measured, target) and the lines "lost: N" and "ratio: R".
#   ./bench.sh                  every figure
#   ./bench.sh --quick          fewer rounds
#   ./bench.sh --callgrind F    one burst under callgrind (instruction counts in F)
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
for arg in "$@"; do
  if [ "$arg" = "--callgrind" ] && ! command -v valgrind >/dev/null; then
    ./scripts/install-deps.sh --valgrind
  fi
done
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DRIDOZOD_TESTS=OFF >/dev/null
cmake --build build-release -j"$(nproc)" --target ridozod flood_vekapi32 ridozod_bench >/dev/null
exec build-release/bench/ridozod_bench "$@"
