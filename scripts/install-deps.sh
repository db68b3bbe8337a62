#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, if any is missing.
# apt-get update runs at most once, and only when something has to be installed.
set -euo pipefail

packages=(cmake g++ make pkg-config libgtest-dev libncurses-dev tmux libbenchmark-dev)
optional=()
if [ "${1:-}" = "--test" ] || [ "${1:-}" = "--screenshots" ]; then
  packages+=(xxd clang libclang-rt-dev)
  # The Windows builds: mingw-w64 with posix threads, googletest's sources.
  packages+=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest)
  # The 32-bit x86 Linux build (g++ -m32, a 32-bit curses) and qemu-i386, which
  # runs its tests on a 64-bit kernel.
  packages+=(g++-multilib lib32ncurses-dev qemu-user)
  # Wine runs the 64-bit Windows tests, Xvfb gives their windows a display.
  # Where they cannot be installed, test.sh says so and leaves those tests out.
  optional+=(wine64 xvfb xauth)
  # Wine's own fonts (the caption buttons' Marlett, MS Sans Serif) for the
  # Windows program's window frames.
  optional+=(fonts-wine)
fi
# The README's pictures of the Windows program (scripts/screenshots.sh).
if [ "${1:-}" = "--screenshots" ]; then
  packages+=(imagemagick)
fi
if [ "${1:-}" = "--valgrind" ]; then
  packages+=(valgrind)
fi

export DEBIAN_FRONTEND=noninteractive
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
updated=false

# install_missing required|optional package...
install_missing() {
  local kind=$1 missing=() p
  shift
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}" >&2
  if ! $updated; then
    "${sudo_cmd[@]}" apt-get update -qq >&2 || [ "$kind" = optional ] || return 1
    updated=true
  fi
  if ! "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2; then
    [ "$kind" = optional ] || return 1
    echo "Could not install ${missing[*]}: the tests that need them are left out" >&2
  fi
}

install_missing required "${packages[@]}"
[ ${#optional[@]} -eq 0 ] || install_missing optional "${optional[@]}"
