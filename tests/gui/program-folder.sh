#!/usr/bin/env bash
# shellcheck disable=SC2016 # check evaluates its condition later: the single quotes are meant
# The program in a folder named in another script (its ANSI name comes back with question marks): Test Sound
# plays the sound beside it and Help opens the page beside it, in a stand-in for the browser. A sound driver planted
# beside it, which the system loads by its name, is not taken for the system's.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

# shellcheck disable=SC2034 # read by a check condition
folder='C:\Программы\Громкость'
folder_unix="$WINEPREFIX/drive_c/Программы"
# Wine's file types live in the machine's classes only; the prefix has none for .htm before the test.
classes='HKLM\Software\Classes'
kob_folder_cleanup() {
    reg delete "$classes\\.htm"
    reg delete "$classes\\KobTestPage"
    rm -rf "$folder_unix"
}
if wine reg query "$classes\\.htm" </dev/null >/dev/null 2>&1; then
    echo "  FAIL the prefix already has a file type for .htm: the test would replace it"
    exit 1
fi
trap 'kob_folder_cleanup; kob_uninstall; kob_probe "$KOB_WORK/cleanup" uninstall; kob_gui_cleanup' EXIT

# The program key and the files as the setup installs them, copied into the folder.
kob_install
mkdir -p "$folder_unix/Громкость"
cp "$KOB_INSTALL_DIR/kob3.0.exe" "$KOB_INSTALL_DIR/KOBHELP.HTM" "$KOB_INSTALL_DIR/POURING.WAV" "$folder_unix/Громкость/"
# Wine's sound driver, which the audio libraries load by name; Wine prefers a file it finds only when told to.
cp "$KOB_BIN/StandInLibrary.dll" "$folder_unix/Громкость/winealsa.drv"

# Pages open in the stand-in, which leaves a mark in the temporary folder naming what it was asked to open.
reg add "$classes\\.htm" /ve /d KobTestPage
reg add "$classes\\KobTestPage\\shell\\open\\command" /ve /d "\"$(winepath -w "$KOB_BIN/StandInProbe.exe")\" \"%1\""
mark="$(winepath -u "$(wine cmd /c echo %TEMP% </dev/null 2>/dev/null | tr -d '\r')")/kob-stand-in-started"
rm -f "$mark"

# Started from inside the folder, as Windows starts it at log-on; Wine needs a UTF-8 locale to spell the path.
(cd "$folder_unix/Громкость" && LC_ALL=C.UTF-8 WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winealsa.drv=n,b" exec wine ./kob3.0.exe) \
    >"$KOB_WORK/program.out" 2>&1 </dev/null &
KOB_STARTED_PIDS+=("$!")
expect_icon started "icon in the tray"

echo "Test Sound plays the sound from the folder"
menu Down Down Down Down Return
probe played box
expect "$KOB_WORK/played" found 0 "no missing-file message"

echo "Help opens the page from the folder"
menu Down Down Return
check 'wait_for "[ -f \"\$mark\" ]"' "the browser was started"
check 'sed -n 2p "$mark" 2>/dev/null | grep -qF "$folder\\KOBHELP.HTM"' "with the page in the folder"
kob_finish
