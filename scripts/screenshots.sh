#!/usr/bin/env bash
# Makes the README's pictures of the Windows program: ridozod.exe under wine64
# on a private Xvfb display, posed by tests/win32/pose.cpp, captured with
# ImageMagick into docs/:
#   docs/win32-main.png     the main window with log lines
#   docs/win32-menu.png     the Pos_Commands menu open
#   docs/win32-dialog.png   the Open dialog
#   docs/win32-box.png      a message box
#   docs/win32-logmenu.png  the CommandLog's system menu with Copy and Save log as…
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
./scripts/install-deps.sh --screenshots
command -v import >/dev/null || {
  echo "screenshots: ImageMagick is needed (Debian package imagemagick)" >&2
  exit 1
}
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 -j"$(nproc)" --target ridozod vekapi32 ridozod_pose
build=$root/build-win64

# shellcheck source=tests/wine_session.sh
source "$root/tests/wine_session.sh"
trap wine_session_stop EXIT
WINE_SESSION_SCREEN=1024x768x24 wine_session_start "$build/wine-e2e"

work=$(mktemp -d)
trap 'wine_session_stop; rm -rf "$work"' EXIT
winpath() { echo "Z:$1" | tr / '\\'; }
mkdir -p docs
cd "$build/run"
for pose in main menu dialog box logmenu; do
  rm -f "$work/done" "$work/rect"
  run_wine "$build/e2e/ridozod_pose.exe" "$(winpath "$build/run")" "$pose" "$(winpath "$work/done")" \
    >"$work/rect" &
  pose_pid=$!
  for _ in $(seq 1 300); do
    [ -s "$work/rect" ] && break
    kill -0 "$pose_pid" 2>/dev/null || break
    sleep 0.1
  done
  read -r x y w h <"$work/rect" || { echo "screenshots: pose $pose failed" >&2; exit 1; }
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$root/docs/win32-$pose.png"
  touch "$work/done"
  wait "$pose_pid"
  echo "docs/win32-$pose.png"
done
