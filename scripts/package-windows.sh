#!/usr/bin/env bash
# Builds both Windows programs and zips their run folders:
#   dist/ridozod-win64.zip   (64-bit: for a 64-bit vendor library)
#   dist/ridozod-win32.zip   (32-bit: for the usual 32-bit vendor vekapi32.dll)
# Each holds ridozod.exe, the simulated vekapi32.dll, posimctl.exe, the sixteen
# list files and VENDOR-LIBRARY.txt in a folder of the same name.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --test
mkdir -p dist
for pair in windows-x64:build-win64 windows-x86:build-win32; do
  preset=${pair%%:*}
  build=${pair#*:}
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)" --target ridozod vekapi32 posimctl
  (cd "$build" && cpack --config CPackConfig.cmake >/dev/null)
  cp "$build/package/ridozod-${build#build-}.zip" dist/
done
ls -l dist/ridozod-win64.zip dist/ridozod-win32.zip
