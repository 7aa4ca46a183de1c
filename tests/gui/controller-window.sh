#!/usr/bin/env bash
# shellcheck disable=SC2016 # check evaluates its condition later: the single quotes are meant
# The controller window as a user first sees it: place, size, shape, knob and read-out at the current volume.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

echo "controller at full volume (a fresh Wine audio session)"
kob_start kobpreview.exe
kob_probe "$KOB_WORK/full" controller
expect "$KOB_WORK/full" found 1 "window found"
expect "$KOB_WORK/full" rect 874,578,941,764 "window rectangle on a 1024 x 768 work area"
expect "$KOB_WORK/full" size 67x186
expect "$KOB_WORK/full" visible 1
expect "$KOB_WORK/full" topmost 0
expect "$KOB_WORK/full" toolwindow 1 "a tool window: no task-bar button"
expect "$KOB_WORK/full" appwindow 0
expect "$KOB_WORK/full" regiontype 3 "window region (complex: rounded)"
expect "$KOB_WORK/full" regionbox 0,0,66,185
expect "$KOB_WORK/full" corner_in_region 0 "top-left corner cut off"
expect "$KOB_WORK/full" edge_in_region 1 "top edge kept"
expect "$KOB_WORK/full" knob 44,31,59,50 "knob at the top of its travel"
expect "$KOB_WORK/full" knobregiontype 3 "knob rounded"
expect "$KOB_WORK/full" readout 100
kob_screenshot controller 67x186+874+578
kob_screenshot controller-desktop
kob_stop "$KOB_PID"

echo "controller at 70 % (level 30)"
kob_start kobpreview.exe --level 30
kob_probe "$KOB_WORK/seventy" controller
expect "$KOB_WORK/seventy" knob 44,59,59,78 "knob at 884 twips"
expect "$KOB_WORK/seventy" readout 70
kob_probe "$KOB_WORK/volume" volume
volume=$(kob_value "$KOB_WORK/volume" volume)
check '[ "$volume" = 70 ]' "master volume set to 70 % (read back $volume)"
kob_stop "$KOB_PID"
kob_finish
