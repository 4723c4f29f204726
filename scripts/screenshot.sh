#!/usr/bin/env bash
# Starts Quillmont under Xvfb and writes a PNG of its main window.
# Usage: screenshot.sh [output.png] [seconds to wait] [xdotool keys to send first...]
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "${BUILD:-build}"
build=$(cd "${BUILD:-build}" && pwd)
out=${1:-$root/docs/main-window.png}
wait_s=${2:-4}
shift 2 2>/dev/null || shift $#
prefix="$build/wineprefix"
unset DISPLAY
source "$root/scripts/wine-env.sh"
exe=$(build_program) || exit 1
start_wine_session
wine "$exe" &
sleep "$wait_s"
# A first start in this prefix shows the notice before the window: close it with OK.
notice=$(xdotool search --name '^Напоминание$' | tail -n1)
if [ -n "$notice" ]; then
    xdotool key --window "$notice" Return
    sleep 2
fi
win=$(xdotool search --name '^Quillmont$' | tail -n1)
for keys in "$@"; do
    xdotool key --window "$win" $keys
    sleep 1
done
if [ -n "$win" ]; then
    import -window "$win" "$out"
else
    import -window root "$out"
fi
echo "screenshot: $out"
