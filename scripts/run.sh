#!/usr/bin/env bash
# Starts Quillmont under Wine with a persistent prefix inside the build folder (under Xvfb
# when there is no display). Uses the 32-bit build when 32-bit Wine is installed.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "${BUILD:-build}"
build=$(cd "${BUILD:-build}" && pwd)
prefix="$build/wineprefix"
source "$root/scripts/wine-env.sh"
exe=$(build_program) || exit 1
start_wine_session
echo "run: $exe on display $DISPLAY"
wine "$exe"
