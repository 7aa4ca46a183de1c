#!/usr/bin/env bash
# Installs every Debian package the build and the three test layers need, when it is missing.
# Safe to run again: it only calls apt when something is absent.
set -euo pipefail

packages=(
    cmake ninja-build g++ libgtest-dev googletest
    g++-mingw-w64-i686 binutils-mingw-w64-i686
    wine wine32:i386 fonts-wine xvfb xdotool x11-utils imagemagick nsis wixl msitools
    python3 file clang-format shellcheck
)

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    sudo_if_needed dpkg --add-architecture i386
    need_update=1
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "bootstrap: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    sudo_if_needed apt-get update -qq
    sudo_if_needed apt-get install -y -qq --no-install-recommends "${missing[@]}"
elif [ "${need_update:-0}" = 1 ]; then
    sudo_if_needed apt-get update -qq
fi
echo "bootstrap: all packages present"
