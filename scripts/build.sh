#!/usr/bin/env bash
# Configures and builds each target of $TARGETS under $BUILD/<target>; $PROGRAMS, when set,
# names the only programs to build (e.g. PROGRAMS=Quillmont for a run).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-build}
mkdir -p "$build"
build=$(cd "$build" && pwd)
jobs=$(nproc)

for target in ${TARGETS:-x86_64 i686 native}; do
    dir="$build/$target"
    case "$target" in
        x86_64|i686) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$target.cmake") ;;
        native) args=(-DQM_NATIVE=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang) ;;
        fuzz) args=(-DQM_NATIVE=ON -DQM_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang) ;;
        *) echo "build: unknown target $target" >&2; exit 2 ;;
    esac
    # A developer's machine with ccache shares compiled objects between build trees.
    command -v ccache >/dev/null && args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${args[@]}" >/dev/null
    fi
    echo "build: $target"
    # shellcheck disable=SC2086
    cmake --build "$dir" -j "$jobs" ${PROGRAMS:+--target $PROGRAMS}
done
