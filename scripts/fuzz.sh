#!/usr/bin/env bash
# Builds the libFuzzer targets (native, clang, with the sanitizers) and runs each for
# FUZZ_SECONDS seconds (default 60), keeping its corpus under $BUILD/fuzz-corpus.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
TARGETS=fuzz bash "$root/scripts/build.sh"
build=$(cd "${BUILD:-build}" && pwd)
seconds=${FUZZ_SECONDS:-60}
for fuzzer in "$build"/fuzz/*_fuzz; do
    name=$(basename "$fuzzer")
    corpus="$build/fuzz-corpus/$name"
    mkdir -p "$corpus"
    echo "fuzz: $name for $seconds s"
    "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 "$corpus" 2>&1 | tail -n 12
done
