#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build, then an
# AddressSanitizer + UndefinedBehaviorSanitizer build.
set -uo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh --test || exit 1

status=0
for preset in default sanitize; do
  echo "=== $preset build ==="
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset" -j"$(nproc)"; then
    echo "build failed: $preset" >&2
    status=1
    continue
  fi
  ctest --preset "$preset" -j"$(nproc)" || status=1
done
# --- robustness: a short libFuzzer run of every fuzz target on its corpus ---
echo "=== fuzz (short runs) ==="
./fuzz.sh "${FUZZ_SECONDS:-3}" || status=1
# --- end of robustness ---
exit $status
