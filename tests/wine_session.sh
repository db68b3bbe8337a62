# Sourced by the scripts that run the Windows program under wine64: a private
# Wine prefix (made on first use) and a private Xvfb display.
#   wine_session_start PREFIX_DIR   starts Xvfb and a persistent wineserver
#   wine_session_stop               stops both (only what the start started)
#   run_wine PROGRAM ARGS...        runs a Windows program in the session
# Windows programs cannot run as 32-bit here: this is wine64 only.

WINE_BIN=/usr/lib/wine/wine64
export WINELOADER=$WINE_BIN
export WINESERVER=/usr/lib/wine/wineserver64
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=${WINEDEBUG:--all}

wine_session_xvfb_pid=""

# Wine's own fonts (the caption buttons' Marlett, MS Sans Serif) live in its
# data folder; a fresh prefix does not see them until they are in its Fonts.
_wine_link_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  for f in /usr/share/wine/fonts/*; do
    [ -e "$fonts/$(basename "$f")" ] || ln -s "$f" "$fonts/"
  done
}

wine_session_start() {
  export WINEPREFIX=$1
  if [ ! -d "$WINEPREFIX/drive_c" ]; then
    mkdir -p "$WINEPREFIX"
    DISPLAY= "$WINE_BIN" wineboot -i >/dev/null 2>&1 || return 1
    "$WINESERVER" -w
  fi
  _wine_link_fonts
  # Without a window manager on Xvfb, Wine draws the caption bars and frames
  # itself (Decorated=N) and does not wait for one to map windows (Managed=N).
  local key='HKCU\Software\Wine\X11 Driver'
  "$WINE_BIN" reg add "$key" /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 &&
    "$WINE_BIN" reg add "$key" /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || return 1
  "$WINESERVER" -w

  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 9 -screen 0 "${WINE_SESSION_SCREEN:-1024x768x24}" -nolisten tcp 9>"$fd_file" \
    >/dev/null 2>&1 &
  wine_session_xvfb_pid=$!
  for _ in $(seq 1 100); do
    [ -s "$fd_file" ] && break
    sleep 0.05
  done
  if [ ! -s "$fd_file" ]; then
    rm -f "$fd_file"
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
  # One wineserver for the whole session: each program then starts in a second.
  "$WINESERVER" -p
}

run_wine() {
  "$WINE_BIN" "$@"
}

wine_session_stop() {
  [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k 2>/dev/null
  if [ -n "$wine_session_xvfb_pid" ]; then
    kill "$wine_session_xvfb_pid" 2>/dev/null
    wait "$wine_session_xvfb_pid" 2>/dev/null
    wine_session_xvfb_pid=""
  fi
}
