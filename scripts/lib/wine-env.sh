# Shared by the scripts and the build's wine-run.sh: a private Wine prefix, made once and kept warm.
# WINEPREFIX must be set by the caller; it always lies inside a build tree, never in $HOME.

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer dialogs
export LANG=en_US.UTF-8                   # Wine rewrites the font link when the code page changes
unset LC_ALL
export LC_CTYPE=C.UTF-8                   # file names beyond ASCII (no other locale is generated)

# Also closes the lock descriptor: a lingering wineserver must not hold the prefix lock.
vt_wine_quiet() { "$@" </dev/null >/dev/null 2>&1 9>&-; }

# Fonts (Tahoma with a Korean link), no sound driver, frames drawn by Wine under a bare Xvfb.
vt_wine_configure_prefix() {
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
    local nanum
    for nanum in /usr/share/fonts/truetype/nanum/NanumGothic.ttf; do
        [ -f "$nanum" ] && cp "$nanum" "$WINEPREFIX/drive_c/windows/Fonts/"
    done
    vt_wine_quiet wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
        /v Tahoma /t REG_MULTI_SZ /d 'NanumGothic.ttf,NanumGothic' /f
    # Bold Tahoma is a face of its own: without its link bold Korean text shows as squares. (Wine
    # takes the regular Nanum file here; its bold file is not used as a link.)
    vt_wine_quiet wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
        /v 'Tahoma Bold' /t REG_MULTI_SZ /d 'NanumGothic.ttf,NanumGothic' /f
    vt_wine_quiet wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f
    vt_wine_quiet wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f
}

# Creates the prefix on first use (under a lock: CTest runs tests in parallel) and makes sure a
# session is running whose services do not hold the caller's stdout open; anything reading that pipe
# (CTest, $(...)) would otherwise wait for the whole Wine session.
vt_wine_ensure_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")" || return 1
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.vt-ready" ]; then
            rm -rf "$WINEPREFIX"
            vt_wine_quiet wineboot -i || exit 1
            vt_wine_quiet wineserver -w
            vt_wine_configure_prefix
            vt_wine_quiet wineserver -w
            touch "$WINEPREFIX/.vt-ready"
        fi
        # Exit code 2: a server of this prefix is already running.
        vt_wine_quiet wineserver -p60
        if [ $? -ne 2 ]; then
            vt_wine_quiet wine cmd /c exit
        fi
    ) 9>"$WINEPREFIX.lock"
}

vt_wine_stop() {
    vt_wine_quiet wineserver -k
    vt_wine_quiet wineserver -w
}
