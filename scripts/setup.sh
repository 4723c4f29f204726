#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are missing.
# 32-bit Wine (wine32, from the i386 architecture) is tried; the build goes on without it.
set -u
packages=(cmake ninja-build g++ clang libfuzzer-14-dev libclang-rt-14-dev googletest
          g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          wine wine64 xvfb xauth xdotool x11-utils imagemagick icoutils
          fonts-wine fonts-dejavu-core fonts-liberation tango-icon-theme)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }
export DEBIAN_FRONTEND=noninteractive
updated=no
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    as_root apt-get update -q || true
    updated=yes
    as_root apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null || exit 1
fi

if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
    if [ ! -e "${BUILD:-build}/.wine32-tried" ]; then
        echo "setup: trying wine32 (i386)"
        dpkg --print-foreign-architectures | grep -qx i386 || { as_root dpkg --add-architecture i386; updated=no; }
        [ "$updated" = yes ] || as_root apt-get update -q || true
        as_root apt-get install -y -q --no-install-recommends wine32:i386 </dev/null \
            || echo "setup: wine32 is not installable here; the i686 build is compiled, not run"
        mkdir -p "${BUILD:-build}" && touch "${BUILD:-build}/.wine32-tried"
    fi
fi
exit 0
