#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset) and runs each for a given time
# on its corpus, then reports executions, seconds and crashes per target.
#   ./fuzz.sh [SECONDS] [TARGET...]     (default: 60 seconds, every target)
#   ./fuzz.sh --runs N [SECONDS] [TARGET...]
#                                       (N executions, or SECONDS if sooner; 0: no limit)
# Seeds live in fuzz/corpus/TARGET/; what a run adds stays in
# build-fuzz/corpus/TARGET/; an input that crashes lands in
# build-fuzz/crashes/TARGET/ (keep it in fuzz/corpus/TARGET/ and add a unit
# test once the fault is mended). Exit status 1 when any target crashed.
set -uo pipefail
cd "$(dirname "$0")"
runs=-1
if [ "${1:-}" = --runs ]; then
  runs=${2:?--runs takes a number of executions}
  shift 2
fi
seconds=${1:-60}
shift $(($# > 0 ? 1 : 0))
./scripts/install-deps.sh --test >/dev/null || exit 1
if ! cmake --preset fuzz >/dev/null || ! cmake --build --preset fuzz -j"$(nproc)" >/dev/null; then
  echo "fuzz build failed" >&2
  exit 1
fi
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/*_fuzz.cpp; do
    t=$(basename "$f" _fuzz.cpp)
    targets+=("$t")
  done
fi
printf '%-22s %14s %8s %8s\n' target executions seconds crashes
failed=0
for t in "${targets[@]}"; do
  corpus=$PWD/build-fuzz/corpus/$t
  crashes=$PWD/build-fuzz/crashes/$t
  log=build-fuzz/crashes/$t.log
  mkdir -p "$corpus" "$crashes" fuzz/corpus/"$t"
  start=$SECONDS
  ./build-fuzz/fuzz/"${t}"_fuzz -runs="$runs" -max_total_time="$seconds" -print_final_stats=1 \
    -timeout=10 -rss_limit_mb=4096 -malloc_limit_mb=4096 -artifact_prefix="$crashes/" \
    "$corpus" "$PWD/fuzz/corpus/$t" >"$log" 2>&1
  done_runs=$(awk '/stat::number_of_executed_units/ { print $2 }' "$log" | tail -1)
  found=$(find "$crashes" -type f | wc -l)
  printf '%-22s %14s %8d %8d\n' "$t" "${done_runs:-?}" $((SECONDS - start)) "$found"
  if [ "$found" -ne 0 ] || [ -z "$done_runs" ]; then
    failed=1
    tail -n 30 "$log" >&2
  fi
done
exit $failed
