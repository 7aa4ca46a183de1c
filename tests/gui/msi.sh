#!/usr/bin/env bash
# shellcheck disable=SC2016,SC2034 # check evaluates its condition later: the single quotes are meant, and the
# variables only its conditions read look unused
# The Windows Installer package as administrators deploy it, through Wine's msiexec in a fresh prefix: refused
# beside the setup program's copy, a failed installation, a quiet one, a build of the same version without the log-on
# start, an upgrade that keeps that choice while the program is in use, the setup program refused beside it, a refused
# downgrade, and the removal.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

fresh msi
trap 'kob_wine_stop; rm -rf "$WINEPREFIX"; kob_gui_cleanup' EXIT
UNINSTALL='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
ACTIVE_SETUP='HKLM\Software\Microsoft\Active Setup\Installed Components\{B84DCCAC-EEC7-46C4-871C-3EA39DEB0DCC}'

# An older package of the same source, whose program is another file: an upgrade must replace it.
mkdir "$KOB_WORK/old"
cp "$KOB_BIN/kobuser.exe" "$KOB_WORK/old/"
cp "$KOB_BIN/StandInProbe.exe" "$KOB_WORK/old/kob3.0.exe"
bash "$KOB_ROOT/tools/build-msi.sh" 3.0.1000.0 "$KOB_WORK/old" "$KOB_WORK/old.msi" 2>/dev/null
OLD=$(winepath -w "$KOB_WORK/old.msi")
NEW=$(winepath -w "$KOB_BIN/DrovoVolumeController-3.0.msi")
NEW_VERSION=$(msiinfo export "$KOB_BIN/DrovoVolumeController-3.0.msi" Property | tr -d '\r' |
    sed -n 's/^ProductVersion\t//p')

# msiexec ARGS... : runs it and waits for it; its full exit code goes into RC.
msiexec() {
    probe msiexec runline "msiexec $*"
    RC=$(kob_value "$KOB_WORK/msiexec" exitcode)
}
# refusal_box TITLE PROGRAM ARGS... : runs the program with its own user interface and reads the box it shows.
refusal_box() {
    wine "${@:2}" </dev/null >/dev/null 2>&1 &
    probe refusal box "$1"
    wait $! || true
}
# The uninstall entries of the program, as "name version" lines.
entries() {
    wine reg query "$UNINSTALL" /s </dev/null 2>/dev/null | tr -d '\r' |
        sed -n 's/^ *\(DisplayName\|DisplayVersion\) *REG_SZ *//p' | paste - - | grep '^Drovo' || true
}
# What the machine holds: every file of the prefix's drive outside Windows' own and the temporary folders, and the
# machine's software keys outside the engine's own records.
machine_state() {
    (cd "$WINEPREFIX/drive_c" && find . \( -path ./windows -o -name Temp \) -prune -o -printf '%p %s\n' | sort)
    wine reg export 'HKLM\Software' "$(winepath -w "$KOB_WORK/software.reg")" /y </dev/null >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$KOB_WORK/software.reg" | tr -d '\r' |
        awk '/^\[/ { keep = $0 !~ /\\Installer(\\|])/ } keep && NF'
}

# A machine with another program starting at log-on, which the package must leave alone.
reg add "$RUN_KEY" /v "Another Program" /d 'C:\another.exe'
before=$(machine_state)

echo "beside the setup program's copy for all users"
setup /S
msiexec /i "$NEW" /qn
check '[ "$RC" = 1603 ] && [ "$(entries | wc -l)" = 1 ]' "the package is refused: 1603, one entry (got $RC)"
refusal_box "Install Failed" msiexec /i "$NEW" # Wine's title
expect "$KOB_WORK/refusal" text "Drovo Volume Controller 3.0 is installed for all users by its setup program. Remove \
it first with its uninstall (Add or Remove Programs: Drovo Volume Controller 3.0), then install this package." \
    "it names the setup's uninstall"
kob_uninstall

echo "into a folder that cannot be written"
mkdir -p "$KOB_INSTALL_DIR"
chattr +i "$KOB_INSTALL_DIR"
msiexec /i "$NEW" /qn
chattr -i "$KOB_INSTALL_DIR"
rmdir "$KOB_INSTALL_DIR"
check '[ "$RC" = 1603 ] && [ "$(machine_state)" = "$before" ]' "1603, and nothing left behind (got $RC)"

echo "quiet"
msiexec /i "$OLD" /qn
check '[ "$RC" = 0 ] && [ "$(entries)" = "$(printf "Drovo Volume Controller 3.0\t3.0.1000.0")" ]' \
    "installed: 0, one entry (got $RC)"
check '[ "$(logon_start)" = "\"$KOB_PROGRAM_DIR\\kob3.0.exe\"" ] &&
    [ "$(regval "$ACTIVE_SETUP" StubPath)" = "\"$KOB_PROGRAM_DIR\\kobuser.exe\"" ]' \
    "the machine's log-on start, and new users get their settings"
# Another build of the same version has its own product code, and replaces this one.
echo "a build of the same version, without the log-on start"
bash "$KOB_ROOT/tools/build-msi.sh" 3.0.1000.0 "$KOB_WORK/old" "$KOB_WORK/rebuilt.msi" 2>/dev/null
msiexec /i "$(winepath -w "$KOB_WORK/rebuilt.msi")" /qn LOGONSTART=0
check '[ "$RC" = 0 ] && [ "$(entries | wc -l)" = 1 ] && [ -z "$(logon_start)" ] &&
    [ "$(regval "$ACTIVE_SETUP" StubPath)" = "\"$KOB_PROGRAM_DIR\\kobuser.exe\" /NoLogonStart" ]' \
    "0, one entry, no log-on start, and new users get their settings without it (got $RC)"

# Wine lets a running program's file be replaced: a file held open without sharing stands for it, as for Windows
# before the Restart Manager (Vista), where the program in use ends in 3010.
echo "an upgrade to the build's package while the program is in use"
kob_start kobprobe.exe lock "$(winepath -w "$KOB_WORK/lock")" "$KOB_PROGRAM_DIR\kob3.0.exe"
wait_for '[ -s "$KOB_WORK/lock" ]' || true
msiexec /i "$NEW" /qn
kob_stop "$KOB_PID"
check '[ "$RC" = 3010 ] && [ "$(entries)" = "$(printf "Drovo Volume Controller 3.0\t%s" "$NEW_VERSION")" ]' \
    "upgraded: 3010, one entry, version $NEW_VERSION (got $RC)"
# Windows' restart replaces the file that was in use.
wineboot -r </dev/null >/dev/null 2>&1
check 'cmp -s "$KOB_INSTALL_DIR/kob3.0.exe" "$KOB_BIN/kob3.0.exe" && cmp -s "$KOB_INSTALL_DIR/KOBHELP.HTM" \
    "$KOB_ROOT/resources/KOBHELP.HTM" && cmp -s "$KOB_INSTALL_DIR/POURING.WAV" "$KOB_ROOT/resources/POURING.WAV" &&
    cmp -s "$KOB_INSTALL_DIR/kobuser.exe" "$KOB_BIN/kobuser.exe"' "the new files in place after the restart"
check '[ "$(regval "$ACTIVE_SETUP" Version)" = "${NEW_VERSION//./,}" ] &&
    [ "$(regval "$ACTIVE_SETUP" IsInstalled)" = 0x1 ] && [ -z "$(logon_start)" ] &&
    [ "$(regval "$ACTIVE_SETUP" StubPath)" = "\"$KOB_PROGRAM_DIR\\kobuser.exe\" /NoLogonStart" ]' \
    "the new users' component raised to ${NEW_VERSION//./,}, the log-on start still left out"
icon=$(wine reg query 'HKLM\Software\Classes\Installer\Products' /s </dev/null | tr -d '\r' |
    sed -n 's/^ *ProductIcon *REG_SZ *//p')
check '[ -n "$icon" ] && cmp -s "$(winepath -u "$icon")" "$KOB_ROOT/resources/kob.ico"' \
    "the entry shows the program's icon"
installed=$(machine_state)

echo "the setup program beside it"
setup /S
check '[ "$RC" = 9 ] && [ "$(machine_state)" = "$installed" ]' "the setup is refused: 9, nothing changed (got $RC)"
refusal_box "Drovo Volume Controller 3.0 Setup" "$KOB_SETUP"
expect "$KOB_WORK/refusal" text "Drovo Volume Controller 3.0 is installed for all users by its Windows Installer \
package. Remove it first with its uninstall (Add or Remove Programs: Drovo Volume Controller 3.0), then run this \
setup." "it names the package's uninstall"

echo "an older package over it"
msiexec /i "$OLD" /qn
check '[ "$RC" = 1603 ] && [ "$(machine_state)" = "$installed" ]' "refused: 1603, nothing changed (got $RC)"
refusal_box "Install Failed" msiexec /i "$OLD"
expect "$KOB_WORK/refusal" text \
    "A newer version of Drovo Volume Controller 3.0 is already installed. Nothing was changed."

echo "removal"
echo "the user's own notes" >"$KOB_INSTALL_DIR/notes.txt"
msiexec /x "$NEW" /qn
check '[ "$RC" = 0 ] && [ -f "$KOB_INSTALL_DIR/notes.txt" ]' "removed: 0, a file it did not write is kept (got $RC)"
rm -r "$KOB_INSTALL_DIR"
check '[ "$(machine_state)" = "$before" ]' "everything it wrote is gone, and nothing else"
kob_finish
