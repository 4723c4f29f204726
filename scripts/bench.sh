#!/usr/bin/env bash
# Runs every benchmark program of the x86_64 build under Wine and prints its figures.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${BUILD:-build}" && pwd)
prefix="$build/wineprefix-test"
source "$root/scripts/wine-env.sh"
start_wine_session
for b in "$build"/x86_64/bench_*.exe; do
    [ -n "${BENCH:-}" ] && [[ $(basename "$b") != *${BENCH}* ]] && continue
    echo "== $(basename "$b" .exe)"
    (cd "$build/x86_64" && wine "$b")
done
