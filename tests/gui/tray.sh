#!/usr/bin/env bash
# shellcheck disable=SC2016 # check evaluates its condition later: the single quotes are meant
# The installed program as a user meets it, through Wine's notification area: a left click shows the controller,
# a right click opens the menu, whose items are chosen with the keyboard as a user may.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

kob_uninstall_on_exit

kob_install
kob_start_program
program=$!
expect_icon started "icon in the tray"

echo "the wheel over another window in front reaches it while its program forges the icon's reports"
probe forged forgedwheel 3000 &
sleep 1
xdotool mousemove 550 400 sleep 0.2 mousemove 551 400 click --repeat 3 --delay 200 5
wait $!
expect "$KOB_WORK/forged" turns 3 "turns the other window received"

echo "the wheel over the icon, the controller hidden: three notches towards the user"
kob_wheel_tray 5 3

echo "a left click shows the controller at its place with the current volume"
kob_click_tray 1
probe shown controller
expect "$KOB_WORK/shown" rect 874,578,941,764 "controller above the bottom-right corner"
expect "$KOB_WORK/shown" readout 94 "read-out of the volume the wheel left, 2 % a notch"
expect "$KOB_WORK/shown" topmost 0
kob_screenshot tray-controller 67x186+874+578

echo "the wheel over the icon, the controller shown and in front: one notch away from the user"
kob_wheel_tray 4 1
probe wheeled controller
expect "$KOB_WORK/wheeled" readout 96 "the controller follows at its next sync"

echo "a middle click on the icon mutes and unmutes; the tray shows the pictures' 16-pixel frames at 96 dpi"
check '[ "$(kob_tray_frame_differs normal 16)" = 0 ]' "the normal picture as drawn"
kob_click_tray 2
check '[ "$(kob_tray_frame_differs muted 16)" = 0 ]' "the muted picture as drawn"
kob_screenshot tray-muted 170x30+0+17
probe muted controller
expect "$KOB_WORK/muted" mute 1 "the controller's mute box follows"
kob_click_tray 2
check '[ "$(kob_tray_frame_differs normal 16)" = 0 ]' "the normal picture again"
probe unmuted controller
expect "$KOB_WORK/unmuted" mute 0
expect "$KOB_WORK/unmuted" readout 96 "the volume untouched"

echo "destruction messages another program posts change nothing: clicks and the menu still work, the exit ends with 0"
probe forged postdestroy
expect "$KOB_WORK/forged" windows 2 "posted to the tray window and the controller"

echo "a right click opens the menu"
kob_click_tray 3
probe menu1 menu
expect "$KOB_WORK/menu1" open 1 "pop-up menu open"
kob_screenshot tray-menu 260x220+0+20
xdotool key Escape
sleep 0.5

echo "Keep Controller on Top, twice"
menu Down Down Down Down Down Return
probe ontop controller
expect "$KOB_WORK/ontop" topmost 1 "controller on top"
probe ontop-settings settings
expect "$KOB_WORK/ontop-settings" ontopstat 1
menu Down Down Down Down Down Return
probe normal controller
expect "$KOB_WORK/normal" topmost 0 "controller back among the others"
probe normal-settings settings
expect "$KOB_WORK/normal-settings" ontopstat 0

echo "Options: the box shows the log-on start the first start wrote, and removes and adds it"
menu Down Down Down Return
probe options window DrovoVC3Options
expect "$KOB_WORK/options" found 1 "Options window shown"
expect "$KOB_WORK/options" checked 1 "box ticked: the program starts with Windows"
kob_screenshot tray-options
read -r box_x box_y <<<"$(kob_value "$KOB_WORK/options" boxcentre)"
xdotool mousemove "$box_x" "$box_y" click 1
sleep 0.5
probe run-off settings
expect "$KOB_WORK/run-off" run absent "Run value removed"
probe options-off window DrovoVC3Options
expect "$KOB_WORK/options-off" checked 0 "box clear"
xdotool mousemove "$box_x" "$box_y" click 1
sleep 0.5
probe run-on settings
expect "$KOB_WORK/run-on" run "\"$KOB_PROGRAM\"" "Run value written again"

echo "About opens once however often it is chosen"
menu Down Return
probe about window DrovoVC3About
expect "$KOB_WORK/about" found 1 "About window shown"
expect "$KOB_WORK/about" title About
kob_screenshot tray-about
menu Down Return
probe about2 window DrovoVC3About
expect "$KOB_WORK/about2" count 1 "still one About window"

echo "Test Sound plays the installed sound"
menu Down Down Down Down Return
probe played box
expect "$KOB_WORK/played" found 0 "no message"

echo "Test Sound without its file says so for each failed step"
mv "$KOB_INSTALL_DIR/POURING.WAV" "$KOB_WORK/POURING.WAV"
menu Down Down Down Down Return
probe sound1 box
expect "$KOB_WORK/sound1" text "The .wav file referred by the Drovo Volume Controller is missing. Please reinstall the program to install the sound file. " "missing-file message"
expect "$KOB_WORK/sound1" icon exclamation
probe sound2 box
expect "$KOB_WORK/sound2" found 1 "the next failed step says so again"
mv "$KOB_WORK/POURING.WAV" "$KOB_INSTALL_DIR/POURING.WAV"

echo "Help opens the installed page"
check '[ -f "$KOB_INSTALL_DIR/KOBHELP.HTM" ]' "the page is where the program looks for it"
menu Down Down Return
probe help box
expect "$KOB_WORK/help" found 0 "no message"

echo "the exit ends the program and records the controller closed"
menu Up Return
probe exit settings
expect "$KOB_WORK/exit" ontopstat 2
sleep 1
probe gone1 resources
expect "$KOB_WORK/gone1" found 0 "program ended"
check "wait $program" "exit code 0"
check '! xwininfo -name "Wine System Tray" 2>/dev/null | grep -q IsViewable' "no icon left in the tray"
kob_finish
