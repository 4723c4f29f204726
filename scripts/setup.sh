#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are missing.
# 32-bit Wine (wine32, from the i386 architecture) is installed too, retried when its index
# fails; the build goes on without it, and the tests say loudly that i686 was not run.
set -u
packages=(cmake ninja-build g++ clang libfuzzer-14-dev libclang-rt-14-dev googletest
          g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          wine wine64 xvfb xauth xdotool x11-utils imagemagick icoutils
          fonts-wine fonts-dejavu-core fonts-liberation tango-icon-theme zip)

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

wine32_installed() {
    dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'
}

# 32-bit Wine runs the release build's tests. Its package index sometimes fails to sync on
# the first try, so the lists are fetched again before each further attempt.
if ! wine32_installed && [ ! -e "${BUILD:-build}/.wine32-unavailable" ]; then
    echo "setup: installing wine32 (i386)"
    dpkg --print-foreign-architectures | grep -qx i386 || { as_root dpkg --add-architecture i386; updated=no; }
    for attempt in 1 2 3; do
        if [ "$updated" = no ] || [ "$attempt" -gt 1 ]; then
            as_root apt-get update -q || true
        fi
        as_root apt-get install -y -q --no-install-recommends wine32:i386 </dev/null && break
        echo "setup: wine32 attempt $attempt failed"
        sleep $((attempt * 5))
    done
    if ! wine32_installed; then
        mkdir -p "${BUILD:-build}" && touch "${BUILD:-build}/.wine32-unavailable"
        echo "setup: ********************************************************************"
        echo "setup: wine32 could not be installed: the i686 release build will NOT be tested"
        echo "setup: (remove ${BUILD:-build}/.wine32-unavailable to try again)"
        echo "setup: ********************************************************************"
    fi
fi
exit 0
