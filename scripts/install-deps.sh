#!/usr/bin/env bash
# Installs what building and testing Quillbarrow needs on Debian 12. Safe to run again.
set -euo pipefail

packages=(
    cmake ninja-build g++ googletest libssl-dev
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
    wine wine64 fonts-wine xvfb xauth fonts-wqy-microhei locales-all python3
    fonts-arphic-uming python3-fonttools
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
