#!/usr/bin/env bash
# Installs what building and testing Quillbarrow needs on Debian 12. Safe to run again: it asks apt-get only for
# what is missing, and does nothing when all is there. A package list that does not arrive (an archive mid-sync)
# is left out after a few tries; only a package that cannot be had stops it.
set -euo pipefail
cd "$(dirname "$0")/.."
packages_caller=install-deps
. scripts/debian-packages.sh

packages=(
    cmake ninja-build g++ googletest libssl-dev clang-format
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
# The functions call apt-get; as another user than root, through sudo.
[ -z "$sudo" ] || apt-get() { sudo DEBIAN_FRONTEND=noninteractive apt-get "$@"; }
echo "install-deps: installing ${missing[*]}" >&2
fetch_lists system
get_packages "the system's package archive" install "${missing[@]}"
