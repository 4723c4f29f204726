# Sourced by the run and test scripts: a Wine prefix inside the build folder, an X display
# (Xvfb when none is set) and one persistent wineserver for the whole session.
# Needs: $prefix (the Wine prefix folder). Sets: DISPLAY, WINEPREFIX, WINEDEBUG.

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINEARCH

xvfb_pid=""
start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return
    fi
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$fdfile" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
}

prepare_prefix() {
    if [ ! -f "$WINEPREFIX/.quillmont-ready" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
        # Without this Wine stalls about two seconds whenever a shown window is hidden.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d Y /f >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.quillmont-ready"
    fi
    wineserver -p
    # Start Wine's own background processes now, detached from our output: a test runner
    # that started them would wait for them to close its pipes.
    wine cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
}

stop_wine() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}

# Display, prefix and server for a session, stopped again when the calling script exits.
start_wine_session() {
    start_display
    prepare_prefix
    trap stop_wine EXIT
}

# The program to start: the 32-bit build where 32-bit Wine is installed, else the 64-bit one.
program_exe() {
    if [ -x /usr/lib/wine/wine ] && [ -f "$build/i686/Quillmont.exe" ]; then
        echo "$build/i686/Quillmont.exe"
    else
        echo "$build/x86_64/Quillmont.exe"
    fi
}
