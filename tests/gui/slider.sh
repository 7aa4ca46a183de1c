#!/usr/bin/env bash
# shellcheck disable=SC2016 # check evaluates its condition later: the single quotes are meant
# The slider and the window drag with a real pointer: xdotool presses, moves and releases on the X display, the
# preview's real window handles the messages, and the master volume is read back inside the preview's process.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

# The controller sits at (874, 578) on a 1024 x 768 display without a task bar.
wx=874
wy=578
pointer() { xdotool mousemove "$1" "$2"; sleep 0.3; }
press() { xdotool mousedown 1; sleep 0.3; }
release() { xdotool mouseup 1; sleep 0.5; }
# drag X1 Y1 X2 Y2 : left button pressed at the first point, released at the second (window coordinates).
drag() {
    pointer $((wx + $1)) $((wy + $2))
    press
    pointer $((wx + $3)) $((wy + $4))
    release
}

# The read-out must show the master volume that the device really holds.
expect_volume_shown() {
    kob_probe "$KOB_WORK/volume" volume
    # shellcheck disable=SC2034 # read by the check condition below
    local percent expected=$1
    percent=$(kob_value "$KOB_WORK/volume" volume)
    check '[ "$percent" = "$expected" ]' "master volume $percent % like the read-out"
}

kob_start kobpreview.exe --level 50
kob_probe "$KOB_WORK/start" controller
expect "$KOB_WORK/start" knob 44,77,59,96 "knob at 50 %"

echo "drag the knob 30 pixels down"
drag 51 86 51 116
kob_probe "$KOB_WORK/down" controller
expect "$KOB_WORK/down" readout 17 "read-out after the drag"
expect "$KOB_WORK/down" knob 44,108,59,127 "knob snapped to 17 %"
expect_volume_shown 17

echo "drag the knob up and out of the window: the knob keeps the mouse"
drag 51 117 136 42
kob_probe "$KOB_WORK/up" controller
expect "$KOB_WORK/up" readout 99 "read-out after dragging outside"
expect "$KOB_WORK/up" knob 44,32,59,51
expect_volume_shown 99

echo "click the track, then move over it: the knob jumps to the pointer"
drag 51 120 51 120
pointer $((wx + 51)) $((wy + 121))
kob_probe "$KOB_WORK/track" controller
expect "$KOB_WORK/track" readout 28 "read-out after the track click"
expect "$KOB_WORK/track" knob 44,98,59,117
expect_volume_shown 28

echo "drag the window by its background"
pointer $((wx + 10)) $((wy + 62))
press
for step in 1 2 3 4; do
    pointer $((wx + 10 - 50 * step)) $((wy + 62 - 25 * step))
done
release
kob_probe "$KOB_WORK/moved" controller
expect "$KOB_WORK/moved" rect 674,478,741,664 "window moved by the pointer's travel"
expect "$KOB_WORK/moved" readout 28 "volume unchanged by the window drag"
kob_screenshot controller-moved
kob_stop "$KOB_PID"
kob_finish
