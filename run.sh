#!/usr/bin/env bash
# Installs what is missing, builds what the tool needs (the program, the
# simulated POS library, posimctl and the run folder's files; not the tests)
# and starts RIDOZOD in this terminal from build/run/. Says what it does
# before each step; the build shows its own progress.
set -euo pipefail
cd "$(dirname "$0")"

step() { echo "run.sh: $*"; }

step "installing what is missing (Debian packages) ..."
./scripts/install-deps.sh

step "configuring the build in build/ ..."
# Quiet unless it fails: then everything it said.
if ! configured=$(cmake --preset default 2>&1); then
  echo "$configured" >&2
  exit 1
fi

step "building RIDOZOD (the first build takes a few minutes) ..."
# The program, vekapi32 and posimctl (CMakeLists.txt's run_folder); ./test.sh
# builds everything else.
cmake --build --preset default -j"$(nproc)" --target run_folder

step "starting build/run/ridozod"
cd build/run
# The program starts on a clean screen, and one that leaves a screen of its
# own comes back to it.
clear 2>/dev/null || true
set +e
./ridozod
status=$?
exit $status
