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
    install_marlett
    wineserver -p
    # Start Wine's own background processes now, detached from our output: a test runner
    # that started them would wait for them to close its pipes.
    wine cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
}

# Wine draws the title-bar buttons with its Marlett font; a prefix that lacks it shows them
# as letters.
install_marlett() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    [ -f "$fonts/marlett.ttf" ] && return
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/" 2>/dev/null || return
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' \
        /v 'Marlett (TrueType)' /d marlett.ttf /f >/dev/null 2>&1
    wineserver -w
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

# The build users run: the 32-bit one where 32-bit Wine is installed, else the 64-bit one.
program_target() {
    if [ -x /usr/lib/wine/wine ]; then echo i686; else echo x86_64; fi
}

# Builds only the program of that build, and names it.
build_program() {
    TARGETS=$(program_target) PROGRAMS=Quillmont bash "$root/scripts/build.sh" >&2 || return 1
    echo "$build/$(program_target)/Quillmont.exe"
}
