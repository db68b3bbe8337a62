#!/usr/bin/env bash
# Installs what is missing, builds, and starts RIDOZOD in this terminal from build/run/.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" >/dev/null
cd build/run
set +e
./ridozod
status=$?
exit $status
