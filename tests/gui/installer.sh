#!/usr/bin/env bash
# shellcheck disable=SC2016 # check evaluates its condition later: the single quotes are meant
# The setup program as administrators and packagers use it, each scenario in a fresh Wine prefix of its own: the
# other users of an all-users installation, an update that keeps the user's choices, a per-user installation and
# its first start, /D= and a reinstallation elsewhere, a target folder that cannot be written, two setups at once, a
# file in use during an update and an uninstallation.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

SHARED_PREFIX=$WINEPREFIX
TEMPLATE=$KOB_BUILD/wineprefix-setup-template
PROGRAM_KEY="HKCU\\Software\\Marlox's Software\\Drovo Volume Controller\\3.0"
ACTIVE_SETUP='HKLM\Software\Microsoft\Active Setup\Installed Components\{84421BBE-4F53-49A5-A6E3-7FDCD6294F7E}'
UNINSTALL='Software\Microsoft\Windows\CurrentVersion\Uninstall\Drovo Volume Controller 3.0'
RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
# shellcheck disable=SC2034 # read by check conditions
ALL_USERS_MENU="drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Drovo Volume Controller"

# A clean prefix is made once and copied for each scenario: a copy is as fresh as a new one and quicker to make.
if [ ! -f "$TEMPLATE/system.reg" ]; then
    rm -rf "$TEMPLATE"
    WINEPREFIX=$TEMPLATE kob_wine_start
    WINEPREFIX=$TEMPLATE kob_wine_stop
    WINEPREFIX=$TEMPLATE wineserver -w
fi

# fresh NAME : the following wine commands run in a new prefix with its own wineserver.
fresh() {
    export WINEPREFIX=$KOB_BUILD/wineprefix-setup-$1
    rm -rf "$WINEPREFIX"
    cp -a "$TEMPLATE" "$WINEPREFIX"
    KOB_INSTALL_DIR="$WINEPREFIX/drive_c/Program Files/Drovo Volume Controller"
    kob_wine_start
    echo "$1 (fresh prefix)"
}

done_with_prefix() {
    [ "$WINEPREFIX" != "$SHARED_PREFIX" ] || return 0
    local pid
    for pid in "${KOB_STARTED_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    KOB_STARTED_PIDS=()
    kob_wine_stop
    wineserver -w 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    export WINEPREFIX=$SHARED_PREFIX
}
trap 'done_with_prefix; kob_gui_cleanup' EXIT

# setup ARGS... : runs the setup; its exit code goes into RC. A silent setup never waits for a click.
setup() {
    RC=0
    timeout 120 wine "$KOB_SETUP" "$@" </dev/null >/dev/null 2>&1 || RC=$?
}

# regval KEY NAME : a value's data as reg.exe shows it, empty when absent; NAME "" is the key's default value.
regval() {
    if [ -z "$2" ]; then
        wine reg query "$1" /ve </dev/null 2>/dev/null | tr -d '\r' | sed -n "s/^ *([^)]*) *REG_[A-Z_]* *//p" || true
    else
        wine reg query "$1" /v "$2" </dev/null 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p" || true
    fi
}
has_key() { wine reg query "$1" </dev/null >/dev/null 2>&1; }

# as_windows_at_logon : runs the Active Setup component's StubPath command line as Windows does at a log-on.
as_windows_at_logon() {
    local stub exe
    stub=$(regval "$ACTIVE_SETUP" StubPath)
    exe=$(sed -n 's/^"\([^"]*\)".*/\1/p' <<<"$stub")
    if [ -z "$exe" ]; then
        echo "  FAIL no Active Setup component to run"
        failures=$((failures + 1))
        return 0
    fi
    # shellcheck disable=SC2086 # the switches after the quoted program are separate words
    wine "$exe" ${stub#\""$exe"\"} </dev/null >/dev/null 2>&1 || echo "  (the component's command ended with $?)"
}

# reg ARGS... : changes the registry as the user or another program would.
reg() { wine reg "$@" /f </dev/null >/dev/null 2>&1 || true; }

all_users_serve_another_user() {
    fresh all-users
    setup /S
    check '[ "$RC" = 0 ]' "silent all-users installation ends with 0 (got $RC)"
    check '[ -f "$KOB_INSTALL_DIR/kob3.0.exe" ] && [ -f "$WINEPREFIX/$ALL_USERS_MENU/Drovo Volume Controller 3.0.lnk" ]' \
        "program and all-users shortcut in place"
    check '[ "$(regval "$ACTIVE_SETUP" "")" = "Drovo Volume Controller 3.0" ]' "Active Setup component named"
    check '[ "$(regval "$ACTIVE_SETUP" IsInstalled)" = 0x1 ] && [ -n "$(regval "$ACTIVE_SETUP" Version)" ]' \
        "component installed, with a version"
    check '[ "$(regval "$ACTIVE_SETUP" StubPath)" = "\"$KOB_PROGRAM_DIR\\kobuser.exe\"" ]' "StubPath runs the helper"
    local estimated actual
    estimated=$(($(regval "HKLM\\$UNINSTALL" EstimatedSize)))
    actual=$(find "$KOB_INSTALL_DIR" -type f -printf '%s\n' | awk '{ s += $1 } END { print int(s / 1024) }')
    check '[ $((estimated - actual)) -le 1 ] && [ $((actual - estimated)) -le 1 ]' \
        "EstimatedSize ${estimated} KB, the installed files ${actual} KB"
    probe all-installed settings
    expect "$KOB_WORK/all-installed" run "\"$KOB_PROGRAM\"" "the setup registered the log-on start for everyone"
    expect "$KOB_WORK/all-installed" userrun absent "and none for the installing user alone"

    # Another user: no program key of his own until Windows runs the component at his log-on.
    reg delete "HKCU\\Software\\Marlox's Software"
    as_windows_at_logon
    probe other settings
    expect "$KOB_WORK/other" cstpval 1 "the other user's program key, first start pending"
    expect "$KOB_WORK/other" peruser absent "no per-user scope"
    kob_start_program
    probe other-start companion
    expect "$KOB_WORK/other-start" tray 1 "his program starts with its icon, no installation error"
    probe other-started settings
    expect "$KOB_WORK/other-started" cstpval 0 "first-start work done"
    expect "$KOB_WORK/other-started" userrun absent "no second log-on start for him"

    reg add "$PROGRAM_KEY" /v ontopstat /t REG_DWORD /d 1
    as_windows_at_logon
    probe again settings
    expect "$KOB_WORK/again" cstpval 0 "the component run again keeps cstpval"
    expect "$KOB_WORK/again" ontopstat 1 "and ontopstat"
    done_with_prefix
}

update_keeps_choices() {
    fresh update
    setup /S
    kob_start_program
    probe update-first companion
    probe update-close close
    # The user unticked "Run when Windows starts." and left the controller on top.
    reg delete "$RUN_KEY" /v "Drovo Volume Controller 3.0"
    reg add "$PROGRAM_KEY" /v ontopstat /t REG_DWORD /d 1
    setup /S
    check '[ "$RC" = 0 ]' "silent update ends with 0 (got $RC)"
    probe updated settings
    expect "$KOB_WORK/updated" run absent "no log-on start comes back"
    expect "$KOB_WORK/updated" userrun absent "not for the user either"
    expect "$KOB_WORK/updated" cstpval 0 "cstpval as the user left it"
    expect "$KOB_WORK/updated" ontopstat 1 "ontopstat as the user left it"
    check '[ "$(regval "$ACTIVE_SETUP" StubPath)" = "\"$KOB_PROGRAM_DIR\\kobuser.exe\" /NoLogonStart" ]' \
        "new users get no log-on start either"
    kob_start_program
    probe update-start companion
    probe update-started settings
    expect "$KOB_WORK/update-started" run absent "the next start adds none"
    done_with_prefix
}

per_user_first_start() {
    fresh per-user
    setup /S /CurrentUser
    check '[ "$RC" = 0 ]' "silent per-user installation ends with 0 (got $RC)"
    local folder
    folder=$(regval "HKCU\\$UNINSTALL" InstallLocation)
    check '[ -n "$folder" ] && ! has_key "HKLM\\$UNINSTALL" && ! has_key "$ACTIVE_SETUP"' \
        "registered for the user alone ($folder)"
    probe per-user-installed settings
    expect "$KOB_WORK/per-user-installed" peruser 1 "the program key says per-user"
    expect "$KOB_WORK/per-user-installed" userrun "\"$folder\\kob3.0.exe\"" "the user's log-on start"
    wine "$folder\\kob3.0.exe" >"$KOB_WORK/per-user.out" 2>&1 </dev/null &
    KOB_STARTED_PIDS+=("$!")
    probe per-user-start companion
    expect "$KOB_WORK/per-user-start" tray 1 "first start"
    probe per-user-started settings
    expect "$KOB_WORK/per-user-started" cstpval 0 "first-start work done"
    expect "$KOB_WORK/per-user-started" run absent "no log-on start for everyone"
    expect "$KOB_WORK/per-user-started" userrun "\"$folder\\kob3.0.exe\"" "the user's own log-on start"
    done_with_prefix
}

folder_switch_and_reinstall_elsewhere() {
    fresh folders
    setup /S /D=C:\\Tools\\Drovo
    check '[ "$RC" = 0 ] && [ -f "$WINEPREFIX/drive_c/Tools/Drovo/kob3.0.exe" ] && [ ! -e "$KOB_INSTALL_DIR" ]' \
        "/D= honoured (exit code $RC)"
    setup /S /D=C:\\Apps\\Drovo
    check '[ "$RC" = 0 ] && [ -f "$WINEPREFIX/drive_c/Apps/Drovo/kob3.0.exe" ]' "reinstalled elsewhere (exit code $RC)"
    check '[ ! -e "$WINEPREFIX/drive_c/Tools" ]' "the first copy removed, with the folder made for it"
    check '[ "$(regval "HKLM\\$UNINSTALL" InstallLocation)" = "C:\\Apps\\Drovo" ] && ! has_key "HKCU\\$UNINSTALL"' \
        "one uninstall entry, for the new folder"
    check '[ "$(regval "$RUN_KEY" "Drovo Volume Controller 3.0")" = "\"C:\\Apps\\Drovo\\kob3.0.exe\"" ]' \
        "the log-on start follows"
    setup /S /NoLogonStart /D=C:\\Apps\\Drovo
    check '[ "$RC" = 0 ] && [ -z "$(regval "$RUN_KEY" "Drovo Volume Controller 3.0")" ]' \
        "/NoLogonStart takes the log-on start away (exit code $RC)"
    check '[ "$(regval "$ACTIVE_SETUP" StubPath)" = "\"C:\\Apps\\Drovo\\kobuser.exe\" /NoLogonStart" ]' \
        "and gives new users none"
    # The uninstaller removes its own files and the empty folder the setup created for them, nothing else.
    mkdir -p "$WINEPREFIX/drive_c/Apps"
    touch "$WINEPREFIX/drive_c/Apps/keep.txt"
    wine 'C:\Apps\Drovo\uninstall.exe' /AllUsers /S </dev/null >/dev/null 2>&1 || true
    for _ in $(seq 1 100); do
        has_key "HKLM\\$UNINSTALL" || break
        sleep 0.2
    done
    check '[ ! -e "$WINEPREFIX/drive_c/Apps/Drovo" ] && [ -f "$WINEPREFIX/drive_c/Apps/keep.txt" ]' \
        "uninstalled; the other file beside it kept"
    check '! has_key "HKLM\\$UNINSTALL" && ! has_key "$ACTIVE_SETUP"' "entry and component removed"
    done_with_prefix
}

target_cannot_be_written() {
    fresh read-only
    local target=$WINEPREFIX/drive_c/Locked
    mkdir -p "$target"
    # A folder nobody may write into; where the file system or the user cannot make one, a file stands in the
    # folder's place, which no setup can create or write into either.
    local immutable=1
    if ! chattr +i "$target" 2>/dev/null; then
        immutable=0
        rmdir "$target"
        echo "in the folder's place" >"$target"
    fi
    setup /S /D=C:\\Locked
    [ "$immutable" = 0 ] || chattr -i "$target"
    check '[ "$RC" = 3 ]' "exit code 3 (got $RC)"
    check '! has_key "HKLM\\$UNINSTALL" && ! has_key "HKCU\\$UNINSTALL"' "no uninstall entry"
    check '[ ! -e "$WINEPREFIX/$ALL_USERS_MENU" ]' "no shortcuts"
    # A folder that cannot be made at all (a file stands in its path) fails too, never installing elsewhere.
    echo "in the folder's place" >"$WINEPREFIX/drive_c/NotAFolder"
    setup /S /D=C:\\NotAFolder\\Drovo
    check '[ "$RC" = 3 ] && ! has_key "HKLM\\$UNINSTALL"' "a folder under a file: exit code 3, nothing registered (got $RC)"

    # A second setup while one waits on its first page ends at once, and says so in its exit code.
    wine "$KOB_SETUP" </dev/null >/dev/null 2>&1 &
    KOB_STARTED_PIDS+=("$!")
    for _ in $(seq 1 100); do
        xdotool search --name "Drovo Volume Controller 3.0 Setup" >/dev/null 2>&1 && break
        sleep 0.2
    done
    setup /S
    check '[ "$RC" = 5 ]' "one setup at a time: exit code 5 (got $RC)"
    done_with_prefix
}

file_in_use() {
    fresh in-use
    setup /S
    wine "$KOB_BIN/kobprobe.exe" lock "$(winepath -w "$KOB_WORK/lock")" "$KOB_PROGRAM" </dev/null >/dev/null 2>&1 &
    KOB_STARTED_PIDS+=("$!")
    for _ in $(seq 1 100); do
        grep -q locked=1 "$KOB_WORK/lock" 2>/dev/null && break
        sleep 0.1
    done
    # Marks the registration, to see whether the failed update wrote it again.
    reg add "HKLM\\$UNINSTALL" /v DisplayVersion /d 3.00.0001
    setup /S
    check '[ "$RC" = 3 ]' "a silent update with the program file in use ends with 3 (got $RC)"
    check '[ "$(regval "HKLM\\$UNINSTALL" DisplayVersion)" = 3.00.0001 ]' "and registers nothing"

    wine "$KOB_PROGRAM_DIR\\uninstall.exe" /AllUsers /S </dev/null >/dev/null 2>&1 || true
    for _ in $(seq 1 100); do
        has_key "HKLM\\$UNINSTALL" || break
        sleep 0.2
    done
    check '! has_key "HKLM\\$UNINSTALL" && [ ! -e "$KOB_INSTALL_DIR/KOBHELP.HTM" ]' "uninstalled around the file in use"
    check 'regval "HKLM\\System\\CurrentControlSet\\Control\\Session Manager" PendingFileRenameOperations |
        grep -q "Drovo Volume Controller\\\\kob3.0.exe"' "the file in use is removed at the next restart"
    done_with_prefix
}

KOB_PROGRAM_DIR='C:\Program Files\Drovo Volume Controller'
all_users_serve_another_user
update_keeps_choices
per_user_first_start
folder_switch_and_reinstall_elsewhere
target_cannot_be_written
file_in_use
kob_finish
