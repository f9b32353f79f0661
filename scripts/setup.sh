#!/bin/bash
# Installs what the native and the Windows builds, their tests and the
# program under Wine need, on Debian 12. Installs only what is missing, so
# a second run is quick. Runs as root, or through sudo when that exists.
set -euo pipefail

packages=(
    cmake make g++ googletest libgtest-dev libbenchmark-dev
    g++-mingw-w64-x86-64-posix mingw-w64-tools
    wine wine64 xvfb xauth x11-utils fonts-ipafont-gothic imagemagick xdotool
    zip clang libclang-rt-14-dev locales
)

AsRoot() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "setup: need root to run: $*" >&2
        return 1
    fi
}

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$package")
    fi
done
if [ "${#missing[@]}" -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    AsRoot apt-get update
    AsRoot env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The Windows programs get code page 932 only under a Japanese locale.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    echo "setup: generating the ja_JP.UTF-8 locale"
    AsRoot localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
