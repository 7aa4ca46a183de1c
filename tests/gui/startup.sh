#!/usr/bin/env bash
# The real program installed in a scratch folder: a normal start, a first start after the installation, a second
# copy, a missing installation, and the end at log-off.
source "$(dirname "$0")/lib.sh"

folder="$WINEPREFIX/drive_c/Program Files/Drovo Volume Controller"
program='C:\Program Files\Drovo Volume Controller\kob3.0.exe'
mkdir -p "$folder"
cp "$KOB_BIN/kob3.0.exe" "$folder/"
probe() { kob_probe "$KOB_WORK/$1" "${@:2}"; }
start_program() {
    wine "$program" >"$KOB_WORK/program.out" 2>&1 </dev/null &
    KOB_STARTED_PIDS+=("$!")
}
finish() {
    probe uninstall uninstall
    rm -rf "$folder"
    kob_gui_cleanup
}
trap finish EXIT

echo "a normal start: the icon in the tray and no window"
probe install install 0
start_program
probe normal companion
expect "$KOB_WORK/normal" found 1 "companion window created"
expect "$KOB_WORK/normal" visible 0 "companion window hidden"
expect "$KOB_WORK/normal" title "" "empty caption"
expect "$KOB_WORK/normal" toolwindow 1 "a tool window"
expect "$KOB_WORK/normal" appwindow 0
expect "$KOB_WORK/normal" client 74x30 "client area"
expect "$KOB_WORK/normal" origin 1298,-33 "placed beyond the desktop's right edge"
expect "$KOB_WORK/normal" visible_windows 0 "no window on screen"
expect "$KOB_WORK/normal" tray 1 "icon in the tray"
expect "$KOB_WORK/normal" controller 0 "the controller loaded at start-up is gone"
kob_screenshot startup-tray 200x60+0+0
probe settings0 settings
expect "$KOB_WORK/settings0" cstpval 0 "no first-start work"
expect "$KOB_WORK/settings0" run absent "no Run value written"

echo "the shell restarts: the icon comes back"
probe restart shellrestart
expect "$KOB_WORK/restart" removed 1 "icon gone with the old shell"
expect "$KOB_WORK/restart" restored 1 "icon back in the new shell"

echo "a second copy ends at once, silently, with its own process id"
probe second run "$program"
expect "$KOB_WORK/second" messages 0 "no message"
pid=$(kob_value "$KOB_WORK/second" pid)
code=$(kob_value "$KOB_WORK/second" exitcode)
check '[ -n "$pid" ] && [ "$code" = "$pid" ]' "exit code $code is its process id $pid"

echo "closed by the system: the controller is recorded closed and the icon goes"
probe closed close
expect "$KOB_WORK/closed" ended 1 "program ended"
expect "$KOB_WORK/closed" tray 0 "icon removed"
probe settings1 settings
expect "$KOB_WORK/settings1" ontopstat 2

echo "the first start after an installation"
probe install install 1
start_program
probe first companion
expect "$KOB_WORK/first" tray 1 "icon in the tray"
probe settings2 settings
expect "$KOB_WORK/settings2" cstpval 0
expect "$KOB_WORK/settings2" ontopstat 2
expect "$KOB_WORK/settings2" run "\"$program\"" "Run value"
probe closed2 close

echo "the program key missing: the installation error and no icon"
probe uninstall uninstall
probe missing run "$program"
expect "$KOB_WORK/missing" messages 1 "exactly one message"
expect "$KOB_WORK/missing" message1 "KOB Installation Error. Please re-install the program to correct this problem"
expect "$KOB_WORK/missing" icon1 error
expect "$KOB_WORK/missing" tray_seen 0 "no icon in the tray"
expect "$KOB_WORK/missing" exitcode 0
kob_finish
