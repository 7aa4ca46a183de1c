#!/usr/bin/env bash
# Without any audio device the first discovery reports that no mixer can be opened and the program ends: the
# installed program at start-up, and the controller preview.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

saved_prefix=$WINEPREFIX saved_alsa=$ALSA_CONFIG_PATH
kob_wine_use noaudio
kob_wine_start
folder="$WINEPREFIX/drive_c/Program Files/Drovo Volume Controller"
mkdir -p "$folder"
cp "$KOB_BIN/kob3.0.exe" "$folder/"
kob_probe "$KOB_WORK/install" install 0
kob_probe "$KOB_WORK/program" run 'C:\Program Files\Drovo Volume Controller\kob3.0.exe'
kob_probe "$KOB_WORK/uninstall" uninstall
rm -rf "$folder"
kob_probe "$KOB_WORK/run" run "$(winepath -w "$KOB_BIN/kobpreview.exe")"
kob_wine_stop
export WINEPREFIX=$saved_prefix ALSA_CONFIG_PATH=$saved_alsa

echo "the program"
expect "$KOB_WORK/program" messages 1 "exactly one message"
expect "$KOB_WORK/program" message1 "Error! Unable to open a Mixer Device. Program will be terminated."
expect "$KOB_WORK/program" icon1 exclamation
expect "$KOB_WORK/program" tray_seen 0 "no icon in the tray"
expect "$KOB_WORK/program" controller_seen 0 "controller never shown"
expect "$KOB_WORK/program" exitcode 10 "ended with the code of no mixer device"
echo "the preview"

expect "$KOB_WORK/run" started 1
expect "$KOB_WORK/run" messages 1 "exactly one message"
expect "$KOB_WORK/run" message1 "Error! Unable to open a Mixer Device. Program will be terminated."
expect "$KOB_WORK/run" icon1 exclamation
expect "$KOB_WORK/run" controller_seen 0 "controller never shown"
expect "$KOB_WORK/run" exitcode 10 "ended with the code of no mixer device"
kob_finish
