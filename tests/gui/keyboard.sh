#!/usr/bin/env bash
# The controller shown from the tray answers the mouse wheel and the keyboard as well as drags.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

kob_uninstall_on_exit

kob_install
kob_start_program
probe started traywindow
kob_click_tray 1
probe shown controller
expect "$KOB_WORK/shown" readout 100 "controller shown at full volume"

# step NAME READOUT WHAT ACTION... : acts, then reads the controller back.
step() {
    local name=$1 readout=$2 what=$3
    shift 3
    "$@"
    sleep 0.5
    probe "$name" controller
    expect "$KOB_WORK/$name" readout "$readout" "$what"
}
wheel() { # wheel BUTTON TIMES : 4 turns up, 5 down
    for _ in $(seq 1 "$2"); do
        xdotool click "$1"
        sleep 0.1
    done
}
xdotool mousemove 905 650
step wheel-down 90 "five notches down" wheel 5 5
step wheel-up 94 "two notches up" wheel 4 2
step up 96 "Up" xdotool key Up
step left 94 "Left" xdotool key Left
step page-down 84 "Page Down" xdotool key Next
step end 0 "End" xdotool key End
step home 100 "Home" xdotool key Home
xdotool key m
sleep 0.5
probe muted controller
expect "$KOB_WORK/muted" mute 1 "M ticks the mute box"
xdotool key space
sleep 0.5
probe unmuted controller
expect "$KOB_WORK/unmuted" mute 0 "Space clears it"

echo "Escape closes the controller with its fade"
xdotool key Escape
sleep 3
probe closed window DrovoVC3Controller
expect "$KOB_WORK/closed" count 0 "controller gone"
probe settings settings
expect "$KOB_WORK/settings" ontopstat 2
probe end close
kob_finish
