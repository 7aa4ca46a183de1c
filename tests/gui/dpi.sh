#!/usr/bin/env bash
# shellcheck disable=SC2016 # check evaluates its condition later: the single quotes are meant
# The controller at 120 dots per inch (Windows XP's "large fonts"): everything grows with the display, the art
# scales with it, the knob is drawn whole and a click on the track lands where the track is drawn. The tray shows
# the pictures' frames drawn for its larger icons.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

restore() {
    kob_uninstall
    kob_probe "$KOB_WORK/dpi96" dpi 96
    kob_wine_stop
    kob_wine_start
    kob_gui_cleanup
}
trap restore EXIT
kob_probe "$KOB_WORK/dpi120" dpi 120
expect "$KOB_WORK/dpi120" written 1 "120 dpi set"
kob_wine_stop
kob_wine_start

kob_start kobpreview.exe --level 50
kob_probe "$KOB_WORK/large" controller
expect "$KOB_WORK/large" size 84x232 "window grown by a quarter"
expect "$KOB_WORK/large" regionbox 0,0,83,231 "rounded region of the grown window"
expect "$KOB_WORK/large" knob 56,97,75,121 "knob 19 x 24 at 50 %"
expect "$KOB_WORK/large" readout 50
kob_probe "$KOB_WORK/knob" knobpixels "$(winepath -w "$KOB_BIN/kobpreview.exe")"
expect "$KOB_WORK/knob" size 19x24
expect "$KOB_WORK/knob" whole 1 "the knob's picture fills its window ($(kob_value "$KOB_WORK/knob" differing) pixels differ)"
expect "$KOB_WORK/large" rect 857,532,941,764 "still whole above the bottom, 83 pixels from the right"
kob_screenshot controller-120dpi 84x232+857+532

echo "a click on the lower part of the drawn track"
# The track is drawn 41 to 181 pixels down the scaled skin. The knob jumps at the move after the click, at y 151:
# 1317 twips into the track, knob Top 1467, level 72.
xdotool mousemove 921 682
sleep 0.3
xdotool click 1
sleep 0.3
xdotool mousemove 921 683
sleep 0.5
kob_probe "$KOB_WORK/track" controller
expect "$KOB_WORK/track" readout 28 "the knob jumps to the pointer"
kob_stop "$KOB_PID"

echo "the tray's 20-pixel icons show the pictures' 20-pixel frames, normal and muted"
kob_install
kob_start_program
kob_probe "$KOB_WORK/tray" traywindow
check '[ "$(kob_tray_frame_differs normal 20)" = 0 ]' "the normal picture as drawn"
kob_screenshot tray-120dpi 200x36+0+21
kob_click_tray 2
check '[ "$(kob_tray_frame_differs muted 20)" = 0 ]' "the muted picture as drawn"
# Drawn afresh for the picture (Wine's tray draws a change over the old picture without erasing it).
kob_probe "$KOB_WORK/restarted" shellrestart
kob_screenshot tray-120dpi-muted 200x36+0+21
kob_click_tray 2
kob_probe "$KOB_WORK/closed" close
kob_finish
