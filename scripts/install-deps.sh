#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, if any is missing.
# apt-get update runs at most once, and only when something has to be installed.
set -euo pipefail

packages=(cmake g++ make pkg-config libgtest-dev libncurses-dev tmux libbenchmark-dev)
if [ "${1:-}" = "--test" ]; then
  packages+=(xxd)
  # The Windows builds: mingw-w64 with posix threads, googletest's sources.
  packages+=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq >&2
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi
