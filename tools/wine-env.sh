# shellcheck shell=bash
# Wine and display environment of the tests and the run command. Source it, then call the functions.
#   KOB_BUILD   build folder that holds the Wine prefixes (default: build)
# Each prefix has its own wineserver, so a prefix with and one without an audio device can live side by side.

KOB_ROOT=${KOB_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
KOB_BUILD=${KOB_BUILD:-$KOB_ROOT/build}
export WINEDEBUG=-all
# No Mono or Gecko installer dialog may ever appear, and Wine's menu builder writes no entries for the shortcuts
# a setup makes into the host's desktop menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# kob_wine_use audio|noaudio : selects the prefix and the audio set-up for the following wine commands.
kob_wine_use() {
    case "$1" in
    audio) export WINEPREFIX=$KOB_BUILD/wineprefix ALSA_CONFIG_PATH=$KOB_ROOT/tools/wine/alsa-null.conf ;;
    noaudio) export WINEPREFIX=$KOB_BUILD/wineprefix-noaudio ALSA_CONFIG_PATH=$KOB_ROOT/tools/wine/alsa-none.conf ;;
    # The run command's own prefix, with the null audio device, apart from the tests'.
    run) export WINEPREFIX=$KOB_BUILD/wineprefix-run ALSA_CONFIG_PATH=$KOB_ROOT/tools/wine/alsa-null.conf ;;
    *) echo "kob_wine_use: audio, noaudio or run" >&2; return 2 ;;
    esac
}

# Starts a persistent wineserver for the selected prefix (creating the prefix on first use) and brings up
# Wine's helper processes with no pipes of ours, so later wine commands are quick and nothing waits on them.
kob_wine_start() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1 </dev/null || true
        wineserver -w
    fi
    # No pipe of a caller (ctest waits for its pipes to close) may stay with the persistent server.
    # A server already running for the prefix makes this answer 2: that one serves instead.
    wineserver -p </dev/null >/dev/null 2>&1 || true
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

kob_wine_stop() {
    wineserver -k 2>/dev/null || true
}

# Uses $DISPLAY when there is one, else starts a 1024 x 768 virtual display. Sets KOB_XVFB_PID when it started one.
kob_display_start() {
    if [ -n "${DISPLAY:-}" ] && [ "${KOB_FORCE_XVFB:-0}" != 1 ]; then
        return 0
    fi
    local n
    for n in $(seq 91 120); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            break
        fi
    done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    KOB_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "kob_display_start: Xvfb did not start" >&2
    return 1
}

kob_display_stop() {
    if [ -n "${KOB_XVFB_PID:-}" ]; then
        kill "$KOB_XVFB_PID" 2>/dev/null || true
        wait "$KOB_XVFB_PID" 2>/dev/null || true
        unset KOB_XVFB_PID
    fi
}
