#!/usr/bin/env bash
# End-to-end cases of the Windows program: the automation program
# ridozod_e2e.exe starts ridozod.exe from the run folder and drives its real
# windows, all under wine64 on a private Xvfb display.
#   tests/e2e_win32.sh [BUILD_DIR [gtest options]]    (BUILD_DIR: build-win64)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build-win64}")
shift || true

for f in "$build/e2e/ridozod_e2e.exe" "$build/run/ridozod.exe" "$build/run/vekapi32.dll" \
  "$build/run/posimctl.exe"; do
  [ -f "$f" ] || { echo "e2e_win32: $f is missing (build the windows-x64 preset)" >&2; exit 1; }
done
if [ ! -x /usr/lib/wine/wine64 ] || ! command -v Xvfb >/dev/null; then
  echo "e2e_win32: wine64 or Xvfb is not installed: the Windows end-to-end cases are skipped" >&2
  exit 0
fi

# shellcheck source=tests/wine_session.sh
source "$root/tests/wine_session.sh"
trap wine_session_stop EXIT
wine_session_start "$build/wine-e2e" || { echo "e2e_win32: Wine did not start" >&2; exit 1; }

cd "$build/run" || exit 1
run_wine "$build/e2e/ridozod_e2e.exe" 'Z:'"$(echo "$build/run" | tr / '\\')" "$@"
