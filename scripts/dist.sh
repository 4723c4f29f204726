#!/usr/bin/env bash
# Builds the release (i686) programs and packs them with the user guide into
# dist/quillmont-<version>-win32.zip; the version is the project's, from CMakeLists.txt.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-build}
mkdir -p "$build"
build=$(cd "$build" && pwd)
version=$(sed -n 's/^project(Quillmont VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "dist: no version in CMakeLists.txt" >&2; exit 1; }

TARGETS=i686 PROGRAMS="Quillmont quillmont-harvest" bash "$root/scripts/build.sh"

name="quillmont-$version"
stage="$build/dist-stage/$name"
rm -rf "$build/dist-stage"
mkdir -p "$stage" "$root/dist"
# The build keeps its debugging information; users get the programs without it.
for program in Quillmont quillmont-harvest; do
    i686-w64-mingw32-strip -o "$stage/$program.exe" "$build/i686/$program.exe"
done
# The guide as a Windows text file: UTF-8 marked as such (for any Notepad), CR LF line ends.
{ printf '\xEF\xBB\xBF'; sed 's/$/\r/' "$root/docs/user-guide.md"; } > "$stage/user-guide.txt"
archive="$root/dist/$name-win32.zip"
rm -f "$archive"
(cd "$build/dist-stage" && zip -q -X -r "$archive" "$name")
echo "dist: $archive"
unzip -l "$archive"
