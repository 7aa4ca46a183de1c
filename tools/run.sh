#!/usr/bin/env bash
# Builds the program and its setup, installs it silently into a Wine prefix of its own (with a silent sound
# device) and runs it. On a desktop ($DISPLAY set) the program lives in the notification area until it is closed
# from its menu. Without one, a virtual display is used: the run clicks the tray icon, opens the menu, About and
# Options, saves a screenshot of each, prints their paths and ends the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash tools/bootstrap.sh
build=${KOB_BUILD:-$root/build}
export KOB_BUILD=$build
cmake -S "$root" -B "$build/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw32.cmake >/dev/null
cmake --build "$build/win32" -j "$(nproc)"
setup=$build/win32/DrovoVolumeController-3.0-setup.exe
echo "Built $build/win32/kob3.0.exe and its setup program $setup"
echo "(copy the setup program to a Windows 2000 or later machine and run it)."

# shellcheck source=wine-env.sh
source tools/wine-env.sh
virtual=0
[ -z "${DISPLAY:-}" ] && virtual=1
kob_display_start
kob_wine_use run
kob_wine_start
trap 'kob_wine_stop; kob_display_stop' EXIT

wine "$setup" /S </dev/null >/dev/null 2>&1
program='C:\Program Files\Drovo Volume Controller\kob3.0.exe'
echo "Installed into $WINEPREFIX/drive_c/Program Files/Drovo Volume Controller"

if [ "$virtual" = 0 ]; then
    echo "Drovo Volume Controller runs in the notification area on $DISPLAY: left-click its icon for the"
    echo "controller, right-click it for the menu; choose \"Close Drovo Volume Controller\" to end it."
    wine "$program" </dev/null
    exit 0
fi

probe() { wine "$build/win32/kobprobe.exe" "$1" "$(winepath -w "$build/artifacts/run.out")" "${@:2}" </dev/null >/dev/null 2>&1 || true; }
shot() { # NAME GEOMETRY
    import -window root -crop "$2" +repage "$build/artifacts/$1.png"
    echo "  $build/artifacts/$1.png"
}
mkdir -p "$build/artifacts"
wine "$program" </dev/null >/dev/null 2>&1 &
probe traywindow
tray=$(xwininfo -name "Wine System Tray")
tray_x=$(($(sed -n 's/.*Absolute upper-left X: *//p' <<<"$tray") + 10))
tray_y=$(($(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$tray") + 10))
echo "No display was set, so the program ran on a virtual 1024 x 768 display. Screenshots:"
xdotool mousemove 300 300
sleep 0.5
shot run-tray 170x30+0+17
xdotool mousemove "$tray_x" "$tray_y" click 2
sleep 0.5
xdotool mousemove 300 300
# Wine's tray draws a changed picture over the old one without erasing it: after a shell restart it draws the muted
# picture afresh, as Windows shows it.
probe shellrestart
sleep 0.5
shot run-tray-muted 170x30+0+17
xdotool mousemove "$tray_x" "$tray_y" click 2
xdotool mousemove "$tray_x" "$tray_y" click 1
sleep 1.5
xdotool mousemove 600 300
sleep 0.5
shot run-controller 67x186+874+578
xdotool mousemove "$tray_x" "$tray_y" click 3
sleep 1
shot run-menu 250x220+0+17
xdotool key Down Return
sleep 1.5
shot run-about 360x420+330+175
xdotool mousemove "$tray_x" "$tray_y" click 3
sleep 1
xdotool key Down Down Down Return
sleep 1.5
shot run-options 300x160+360+300
probe close
