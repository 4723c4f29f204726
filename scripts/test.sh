#!/usr/bin/env bash
# Runs every test: the native (sanitizer) build, then the Windows builds under Wine in a
# prefix made for the tests inside the build folder. The 32-bit build is run only when
# 32-bit Wine is installed. Ends with CTest's summary; fails when any test fails.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${BUILD:-build}" && pwd)
prefix="$build/wineprefix-test"
[ "${FRESH_PREFIX:-0}" = 1 ] && rm -rf "$prefix"
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"

ctest_args=(--output-on-failure --no-tests=error)
[ -n "${TESTS:-}" ] && ctest_args+=(-R "$TESTS")
failed=0

run_ctest() {
    echo "test: $1"
    (cd "$build/$1" && ctest "${ctest_args[@]}") || failed=1
}

targets=" ${TARGETS:-x86_64 i686 native} "
wine32=no
[ -x /usr/lib/wine/wine ] && wine32=yes
[[ $targets == *" i686 "* && $wine32 == no ]] && targets=${targets/ i686 / }
echo "test: running the tests of:$targets"
[[ $targets == *" native "* ]] && run_ctest native

if [[ ${TARGETS:-i686} == *i686* && $wine32 == no ]]; then
    echo "test: ********************************************************************"
    echo "test: i686 (the release build) SKIPPED: no 32-bit Wine on this machine"
    echo "test: ********************************************************************"
fi
if [[ $targets == *" x86_64 "* || $targets == *" i686 "* ]]; then
    start_wine_session
    [[ $targets == *" i686 "* ]] && run_ctest i686
    [[ $targets == *" x86_64 "* ]] && run_ctest x86_64
fi
exit $failed
