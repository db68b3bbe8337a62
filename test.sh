#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build, an
# AddressSanitizer + UndefinedBehaviorSanitizer build, the 32-bit x86 Linux
# build with its tests under qemu-i386, then the Windows builds (mingw-w64):
# the 64-bit one's tests run under wine64, the 32-bit one is built and its
# DLLs' exports checked (32-bit Windows programs cannot run here).
set -uo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh --test || exit 1

jobs=$(nproc)
status=0
started=$SECONDS

run_preset() {  # preset [ctest arguments...]
  local preset=$1
  shift
  echo "=== $preset build ==="
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset" -j"$jobs"; then
    echo "build failed: $preset" >&2
    status=1
    return
  fi
  ctest --preset "$preset" -j"$jobs" "$@" || status=1
}

run_preset default
run_preset sanitize
run_preset linux-i386

wine64=/usr/lib/wine/wine64
if [ -x "$wine64" ]; then
  # Windows programs with windows of their own need a display.
  display=()
  if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
    display=(xvfb-run -a)
  fi
  echo "=== windows-x64 build ==="
  if cmake --preset windows-x64 >/dev/null && cmake --build --preset windows-x64 -j"$jobs"; then
    "${display[@]}" ctest --preset windows-x64 -j"$jobs" || status=1
    # The Wine server kept for the run.
    WINEPREFIX=$PWD/build-win64/wine/prefix /usr/lib/wine/wineserver64 -k 2>/dev/null
    # --- The Windows program end to end (tests/e2e_win32.sh) ---
    # An automation program of ours drives ridozod.exe's real windows under
    # wine64 on an Xvfb display of its own.
    echo "=== windows-x64 end-to-end ==="
    tests/e2e_win32.sh build-win64 || status=1
    # --- end of the Windows end-to-end block ---
  else
    echo "build failed: windows-x64" >&2
    status=1
  fi
else
  echo "=== wine64 is not installed: the 64-bit Windows tests are built but not run ==="
  run_preset windows-x64
fi
run_preset windows-x86

# --- robustness: a short libFuzzer run of every fuzz target on its corpus ---
echo "=== fuzz (short runs) ==="
./fuzz.sh "${FUZZ_SECONDS:-3}" || status=1
# --- end of robustness ---

echo "test.sh: $((SECONDS - started)) s, status $status"
exit $status
