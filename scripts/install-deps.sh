#!/usr/bin/env bash
# Installs what building, running and testing the program needs on Debian 12:
# the host compiler and test libraries, the MinGW-w64 cross compilers, Wine,
# a virtual X display, faketime and xdotool for the end-to-end runs, and the
# Korean locale and font. Installs only what is missing; safe to run again.
set -euo pipefail

packages=(
    cmake g++ make python3 libgtest-dev googletest libbenchmark-dev
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64-i686
    wine wine64 xvfb x11-utils x11-apps xdotool faketime imagemagick
    locales fonts-nanum procps
)

# Root does it directly; anyone else through sudo, where there is one.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "error: installing what is missing needs root, and sudo is not installed: run '${SORELAN_COMMAND:-bash $0}' as root" >&2
        exit 1
    fi
}

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "==> Installing ${#missing[@]} missing packages: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
        "${missing[@]}" >/dev/null
else
    echo "==> All needed packages are installed"
fi

# Wine takes its ANSI code page from the locale: ko_KR.UTF-8 gives code page 949.
if ! locale -a 2>/dev/null | grep -qi '^ko_KR\.utf-\?8$'; then
    echo "==> Generating the ko_KR.UTF-8 locale"
    as_root sed -i 's/^# *\(ko_KR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ko_KR.UTF-8 UTF-8' /etc/locale.gen || echo 'ko_KR.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
fi
