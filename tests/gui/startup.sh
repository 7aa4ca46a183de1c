#!/usr/bin/env bash
# shellcheck disable=SC2016 # check evaluates its condition later: the single quotes are meant
# The program as its setup installs it: the silent installation, the first start and the later ones, a second
# copy, a shell restart, the end at log-off, a missing installation, an update over a running copy, and the
# silent uninstallation of a running copy.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

kob_uninstall_on_exit
probe clean uninstall

echo "the silent installation"
kob_install
check '[ -f "$KOB_INSTALL_DIR/kob3.0.exe" ] && [ -f "$KOB_INSTALL_DIR/KOBHELP.HTM" ] && [ -f "$KOB_INSTALL_DIR/POURING.WAV" ]' \
    "program, help page and sound installed"
check 'cmp -s "$KOB_INSTALL_DIR/kob3.0.exe" "$KOB_BIN/kob3.0.exe"' "the program as built"
check '[ -f "$KOB_MENU_DIR/Drovo Volume Controller 3.0.lnk" ]' "Start-menu shortcut"
probe installed settings
expect "$KOB_WORK/installed" cstpval 1 "program key with cstpval = 1"
expect "$KOB_WORK/installed" uninstallentry 1 "uninstaller registered"

echo "the first start: the icon in the tray, no window at any moment, and the first-start work"
# The watcher starts the program and looks at its top-level windows every 2 ms until the icon is there.
probe watch startwatch "$KOB_PROGRAM"
expect "$KOB_WORK/watch" tray 1 "icon in the tray"
looks=$(kob_value "$KOB_WORK/watch" looks)
check '[ "${looks:-0}" -ge 10 ]' "the start-up watched ($looks looks)"
expect "$KOB_WORK/watch" visible_looks 0 "no window of it visible at any look"
expect "$KOB_WORK/watch" visible_classes "" "no window class ever visible"
expect "$KOB_WORK/watch" controller_created 0 "no controller window made"
expect "$KOB_WORK/watch" foreground_taken 0 "the foreground stays where it was"
probe first traywindow
expect "$KOB_WORK/first" found 1 "tray window created"
expect "$KOB_WORK/first" visible 0 "tray window hidden"
expect "$KOB_WORK/first" title "" "empty caption"
expect "$KOB_WORK/first" toolwindow 1 "a tool window"
expect "$KOB_WORK/first" client 74x30 "client area"
expect "$KOB_WORK/first" origin 1298,-33 "placed beyond the desktop's right edge"
expect "$KOB_WORK/first" visible_windows 0 "no window on screen"
expect "$KOB_WORK/first" tray 1 "icon in the tray"
expect "$KOB_WORK/first" controller 0 "the controller loaded at start-up is gone"
kob_screenshot startup-tray 200x60+0+0
probe first-settings settings
expect "$KOB_WORK/first-settings" cstpval 0
expect "$KOB_WORK/first-settings" ontopstat 2
expect "$KOB_WORK/first-settings" run "\"$KOB_PROGRAM\"" "Run value"

echo "the shell restarts: the icon comes back"
probe restart shellrestart
expect "$KOB_WORK/restart" removed 1 "icon gone with the old shell"
expect "$KOB_WORK/restart" restored 1 "icon back in the new shell"

echo "a second copy ends at once, silently, with its own process id"
probe second run "$KOB_PROGRAM"
expect "$KOB_WORK/second" messages 0 "no message"
pid=$(kob_value "$KOB_WORK/second" pid)
code=$(kob_value "$KOB_WORK/second" exitcode)
check '[ -n "$pid" ] && [ "$code" = "$pid" ]' "exit code $code is its process id $pid"

echo "closed by the system at log-off: the controller is recorded closed and the icon goes"
probe closed close
expect "$KOB_WORK/closed" ended 1 "program ended"
expect "$KOB_WORK/closed" tray 0 "icon removed"

echo "a later start skips the first-start work"
kob_start_program
expect_icon later "icon in the tray"
probe later-settings settings
expect "$KOB_WORK/later-settings" cstpval 0
expect "$KOB_WORK/later-settings" run "\"$KOB_PROGRAM\"" "Run value kept"

echo "an update over the running installation: closed, replaced, started again, the settings kept"
probe before-update resources
kob_install
check 'cmp -s "$KOB_INSTALL_DIR/kob3.0.exe" "$KOB_BIN/kob3.0.exe"' "files replaced"
expect_icon updated-start "started again after the update"
probe after-update resources
old_pid=$(kob_value "$KOB_WORK/before-update" pid)
new_pid=$(kob_value "$KOB_WORK/after-update" pid)
check '[ -n "$old_pid" ] && [ -n "$new_pid" ] && [ "$old_pid" != "$new_pid" ]' \
    "a new process ($old_pid before, $new_pid after)"
probe updated-settings settings
expect "$KOB_WORK/updated-settings" cstpval 0 "cstpval kept"
expect "$KOB_WORK/updated-settings" ontopstat 2 "controller recorded closed by the closing"
expect "$KOB_WORK/updated-settings" run "\"$KOB_PROGRAM\"" "one Run value, for all users"
expect "$KOB_WORK/updated-settings" userrun absent "none for the user alone"

echo "the silent uninstallation of a running copy"
kob_uninstall
probe gone2 resources
expect "$KOB_WORK/gone2" found 0 "the running copy was ended"
check '[ ! -e "$KOB_INSTALL_DIR" ]' "no file left"
check '[ ! -e "$KOB_MENU_DIR" ]' "no Start-menu folder left"
probe removed settings
expect "$KOB_WORK/removed" run absent "Run value removed"
expect "$KOB_WORK/removed" programkey 0 "program key removed"
expect "$KOB_WORK/removed" makerkey 0 "maker's empty key removed"
expect "$KOB_WORK/removed" uninstallentry 0 "uninstaller's entry removed"
check '! xwininfo -name "Wine System Tray" 2>/dev/null | grep -q IsViewable' "no icon left in the tray"

echo "the program key missing: the installation error and no icon"
kob_install
probe missing-key uninstall
probe missing run "$KOB_PROGRAM"
expect "$KOB_WORK/missing" messages 1 "exactly one message"
expect "$KOB_WORK/missing" message1 "KOB Installation Error. Please re-install the program to correct this problem"
expect "$KOB_WORK/missing" icon1 error
expect "$KOB_WORK/missing" tray_seen 0 "no icon in the tray"
expect "$KOB_WORK/missing" exitcode 1 "ends with the installation error's code"
kob_finish
