#!/usr/bin/env bash
# shellcheck disable=SC2016,SC2034 # check evaluates its condition later: the single quotes are meant, and the
# variables only its conditions read look unused
# The setup program as administrators and packagers use it, each scenario in a fresh Wine prefix of its own: the
# other users of an all-users installation, an update that keeps the user's choices, a per-user installation and
# its first start, /D= (quoted too) and a reinstallation elsewhere, a target folder that cannot be written, two
# setups at once, a file in use during an update and an uninstallation, and the machine shared by several users: an
# uninstaller run from a copy of its folder or by its own user, the two scopes side by side, the log-on choice of the
# machine, the running program found wherever it runs, each version reaching every user, a standard user, and the
# program started as the desktop's user. Also the folders refused, files left by an ended setup, the failed setup
# that starts the program itself again, and the quiet uninstallation's helper holding the setups' lock.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

SHARED_PREFIX=$WINEPREFIX
PROGRAM_KEY="HKCU\\Software\\Marlox's Software\\Drovo Volume Controller\\3.0"
ACTIVE_SETUP='HKLM\Software\Microsoft\Active Setup\Installed Components\{84421BBE-4F53-49A5-A6E3-7FDCD6294F7E}'
UNINSTALL='Software\Microsoft\Windows\CurrentVersion\Uninstall\Drovo Volume Controller 3.0'
ALL_USERS_MENU="drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Drovo Volume Controller"

# A clean prefix is made once and copied for each scenario: a copy is as fresh as a new one and quicker to make.
if [ ! -f "$KOB_TEMPLATE/system.reg" ]; then
    rm -rf "$KOB_TEMPLATE"
    WINEPREFIX=$KOB_TEMPLATE kob_wine_start
    WINEPREFIX=$KOB_TEMPLATE kob_wine_stop
    WINEPREFIX=$KOB_TEMPLATE wineserver -w
fi

# Another user of the same machine: his own HKCU (user.reg) and profile folder (USER); the machine's keys and files
# are shared. His registry is made once, beside the template's.
ADMIN_USER=${USER:-$(id -un)}
OTHER_USER=kobother
export USER=$ADMIN_USER
if [ ! -f "$KOB_TEMPLATE/user.reg.$OTHER_USER" ]; then
    mv "$KOB_TEMPLATE/user.reg" "$KOB_TEMPLATE/user.reg.$ADMIN_USER"
    USER=$OTHER_USER WINEPREFIX=$KOB_TEMPLATE wineboot -u </dev/null >/dev/null 2>&1 || true
    USER=$OTHER_USER WINEPREFIX=$KOB_TEMPLATE wineserver -w
    mv "$KOB_TEMPLATE/user.reg" "$KOB_TEMPLATE/user.reg.$OTHER_USER"
    mv "$KOB_TEMPLATE/user.reg.$ADMIN_USER" "$KOB_TEMPLATE/user.reg"
fi

done_with_prefix() {
    [ "$WINEPREFIX" != "$SHARED_PREFIX" ] || return 0
    kob_stop_started
    kob_wine_stop
    wineserver -w 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    export WINEPREFIX=$SHARED_PREFIX USER=$ADMIN_USER
}

# as_user NAME : the following wine commands run as that user ($ADMIN_USER, who made the prefix, or $OTHER_USER).
as_user() {
    kob_wine_stop
    wineserver -w
    mv "$WINEPREFIX/user.reg" "$WINEPREFIX/user.reg.$USER"
    mv "$WINEPREFIX/user.reg.$1" "$WINEPREFIX/user.reg"
    export USER=$1
    kob_wine_start
}
trap 'done_with_prefix; kob_gui_cleanup' EXIT

has_key() { wine reg query "$1" </dev/null >/dev/null 2>&1; }

# installation_state : the installed copy of all users, a line each: its files and shortcuts (size and time), its
# uninstall entry, its component for new users, the machine's log-on start. unchanged : it is as $before holds.
installation_state() {
    { find "$KOB_INSTALL_DIR" "$WINEPREFIX/$ALL_USERS_MENU" -mindepth 1 -printf '%P %s %T@\n' 2>/dev/null ||
        true; } | sort
    wine reg query "HKLM\\$UNINSTALL" </dev/null 2>/dev/null | tr -d '\r' || true
    wine reg query "$ACTIVE_SETUP" </dev/null 2>/dev/null | tr -d '\r' || true
    logon_start
}
unchanged() { [ "$(installation_state)" = "$before" ]; }

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
    expect_icon other-start "his program starts with its icon, no installation error"
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
    probe update-first traywindow
    probe update-close close
    # The user unticked "Run when Windows starts." and left the controller on top.
    reg delete "$RUN_KEY" /v "Drovo Volume Controller 3.0"
    reg add "$PROGRAM_KEY" /v ontopstat /t REG_DWORD /d 1
    # An earlier setup ended between its moves: the helper set aside, a file staged.
    mv "$KOB_INSTALL_DIR/kobuser.exe" "$KOB_INSTALL_DIR/kobuser.exe.old"
    touch "$KOB_INSTALL_DIR/POURING.WAV.new"
    setup /S
    check '[ "$RC" = 0 ] && [ "$(ls "$KOB_INSTALL_DIR" | tr "\n" " ")" = "KOBHELP.HTM POURING.WAV kob3.0.exe kobuser.exe uninstall.exe " ]' \
        "silent update ends with 0, the files an ended setup left removed (got $RC)"
    probe updated settings
    expect "$KOB_WORK/updated" run absent "no log-on start comes back"
    expect "$KOB_WORK/updated" userrun absent "not for the user either"
    expect "$KOB_WORK/updated" cstpval 0 "cstpval as the user left it"
    expect "$KOB_WORK/updated" ontopstat 1 "ontopstat as the user left it"
    check '[ "$(regval "$ACTIVE_SETUP" StubPath)" = "\"$KOB_PROGRAM_DIR\\kobuser.exe\"" ]' \
        "the new users' component as the machine had it"
    kob_start_program
    probe update-start traywindow
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
    expect_icon per-user-start "first start"
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
    check '[ "$(logon_start)" = "\"C:\\Apps\\Drovo\\kob3.0.exe\"" ]' "the log-on start follows"
    setup /S /NoLogonStart /D=C:\\Apps\\Drovo
    check '[ "$RC" = 0 ] && [ -z "$(logon_start)" ]' "/NoLogonStart takes the log-on start away (exit code $RC)"
    check '[ "$(regval "$ACTIVE_SETUP" StubPath)" = "\"C:\\Apps\\Drovo\\kobuser.exe\" /NoLogonStart" ]' \
        "and gives new users none"
    # A folder with blanks as several deployment tools pass it, the whole switch quoted (wine quotes a word with
    # blanks), is honoured; one that is no full path is refused.
    mkdir -p "$WINEPREFIX/drive_c/Apps"
    touch "$WINEPREFIX/drive_c/Apps/keep.txt"
    setup /S '/D=C:\Program Files\My DVC'
    local mine="$WINEPREFIX/drive_c/Program Files/My DVC"
    check '[ "$RC" = 0 ] && [ -f "$mine/kob3.0.exe" ] && [ ! -e "$KOB_INSTALL_DIR" ]' \
        "a quoted /D= honoured (exit code $RC)"
    check '[ ! -e "$WINEPREFIX/drive_c/Apps/Drovo" ] && [ -f "$WINEPREFIX/drive_c/Apps/keep.txt" ]' \
        "the copy before removed; the other file beside it kept"
    before=$(installation_state)
    setup /S '/D=Drovo Folder'
    check '[ "$RC" = 3 ] && unchanged' "a folder that is no full path: 3 (got $RC)"
    # Folders Windows would name otherwise or open as a device, its own, a drive's root, another program's, one too
    # long to start from.
    local folder codes=""
    for folder in 'C:' 'C:\windows\Drovo' 'C:\Dro|vo' 'C:\Drovo<1>' 'C:\Drovo.' 'C:\Drovo \Files' 'C:\Apps' \
        "C:\$(printf 'd%.0s' $(seq 1 240))" 'C:\Drovo\con' 'C:\Nul.txt\Drovo' 'C:\Drovo\COM9' 'C:\lpt1 .log' \
        'C:\aux' 'C:\PRN.x' $'C:\\Dro\tvo' $'C:\\Dro\x1fvo'; do
        setup /S "/D=$folder"
        codes+="$RC "
    done
    check '[ "$codes" = "3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 3 " ] && unchanged && [ ! -e "$WINEPREFIX/drive_c/Drovo" ] &&
        [ -z "$(find "$WINEPREFIX/drive_c" -maxdepth 1 -iname "*nul*" -o -maxdepth 1 -iname "lpt1*")" ]' \
        "unfit folders refused with 3, nothing written (got $codes)"
    # The registered quiet uninstallation returns when it has finished, with its exit code.
    probe quiet runline "$(regval "HKLM\\$UNINSTALL" QuietUninstallString)"
    expect "$KOB_WORK/quiet" exitcode 0 "the quiet uninstallation's exit code"
    check '! has_key "HKLM\\$UNINSTALL" && ! has_key "$ACTIVE_SETUP" && [ ! -e "$WINEPREFIX/$ALL_USERS_MENU" ]' \
        "its entry, component and shortcuts gone when it returns"
    check 'wait_for "[ ! -e \"$mine\" ]"' "and its folder with its last file right after"
    check 'wait_for "[ -z \"\$(find \"$WINEPREFIX/drive_c\" -path \"*/Temp/kob3.0-*\")\" ]" &&
        [ -z "$(regval "HKLM\\System\\CurrentControlSet\\Control\\Session Manager" PendingFileRenameOperations)" ]' \
        "the helper's file and folder gone once it has ended, none left for the next restart"
    # A setup into the same folder right after keeps its files.
    setup /S '/D=C:\Program Files\My DVC'
    sleep 2
    check '[ "$RC" = 0 ] && [ -f "$mine/kob3.0.exe" ] && [ -f "$mine/uninstall.exe" ]' \
        "a setup right after the quiet uninstallation keeps its files (exit code $RC)"
    # Where a policy forbids the command processor, the copy runs by itself: the folder goes, the copy's stays.
    reg add 'HKCU\Software\Policies\Microsoft\Windows\System' /v DisableCMD /t REG_DWORD /d 1
    probe forbidden runline "$(regval "HKLM\\$UNINSTALL" QuietUninstallString)"
    check 'wait_for "[ ! -e \"$mine\" ]" && [ -n "$(find "$WINEPREFIX/drive_c" -path "*/Temp/kob3.0-*/uninstall.exe")" ]' \
        "without the command processor the folder still goes"
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
    check '[ "$RC" = 3 ] && ! has_key "HKLM\\$UNINSTALL" && ! has_key "HKCU\\$UNINSTALL" &&
        [ ! -e "$WINEPREFIX/$ALL_USERS_MENU" ]' "exit code 3, no uninstall entry, no shortcuts (got $RC)"
    # A reinstallation there over an installed, running copy fails the same way, leaves that copy exactly as it was
    # and starts it again, although the helper beside it (as the previous release's) ignores the switch to start it.
    setup /S
    cp "$WINEPREFIX/drive_c/windows/system32/hostname.exe" "$KOB_INSTALL_DIR/kobuser.exe"
    kob_start_program
    probe started traywindow
    local settings
    before=$(installation_state)
    probe settings-before settings
    settings=$(cat "$KOB_WORK/settings-before.txt")
    setup /S /D=C:\\Locked
    [ "$immutable" = 0 ] || chattr -i "$target"
    probe settings-after settings
    check '[ "$RC" = 3 ] && unchanged && [ "$(cat "$KOB_WORK/settings-after.txt")" = "$settings" ]' \
        "a failed reinstallation elsewhere: 3, files, entry, log-on start, component, shortcuts and settings kept"
    expect_icon again "the program it closed runs again"
    # A folder that cannot be made at all (a file stands in its path) fails too, never installing elsewhere.
    echo "in the folder's place" >"$WINEPREFIX/drive_c/NotAFolder"
    setup /S /D=C:\\NotAFolder\\Drovo
    check '[ "$RC" = 3 ] && unchanged' "a folder under a file: exit code 3, nothing changed (got $RC)"

    # A second setup while one waits on its first page ends at once, and says so in its exit code.
    wine "$KOB_SETUP" </dev/null >/dev/null 2>&1 &
    KOB_STARTED_PIDS+=("$!")
    wait_for 'xdotool search --name "Drovo Volume Controller 3.0 Setup" >/dev/null 2>&1' || true
    setup /S
    check '[ "$RC" = 5 ]' "one setup at a time: exit code 5 (got $RC)"
    done_with_prefix
}

file_in_use() {
    fresh in-use
    setup /S
    # The test sound, which an update replaces after the program and the help page, held open by another program;
    # the help page marked, to see whether it is the installed one afterwards.
    echo "<!-- as installed -->" >>"$KOB_INSTALL_DIR/KOBHELP.HTM"
    kob_start kobprobe.exe lock "$(winepath -w "$KOB_WORK/lock")" "$KOB_PROGRAM_DIR\\POURING.WAV"
    wait_for 'grep -q locked=1 "$KOB_WORK/lock" 2>/dev/null' || true
    # Marks the registration, to see whether the failed update wrote it again.
    reg add "HKLM\\$UNINSTALL" /v DisplayVersion /d 3.00.0001
    before=$(installation_state)
    # An earlier setup ended between its moves, the program set aside: this one puts it back before anything else.
    mv "$KOB_INSTALL_DIR/kob3.0.exe" "$KOB_INSTALL_DIR/kob3.0.exe.old"
    setup /S
    check '[ "$RC" = 3 ] && unchanged' \
        "a silent update with a file in use: 3, nothing registered, the program set aside and the files it had \
replaced put back (got $RC)"
    # What a setup ended midway leaves: the uninstaller removes it too.
    touch "$KOB_INSTALL_DIR/kob3.0.exe.new" "$KOB_INSTALL_DIR/uninstall.exe.old"

    probe quiet runline "$(regval "HKLM\\$UNINSTALL" QuietUninstallString)"
    expect "$KOB_WORK/quiet" exitcode 3010 "the quiet uninstallation tells of the file left for the restart"
    check '! has_key "HKLM\\$UNINSTALL" && wait_for "[ \"\$(ls \"\$KOB_INSTALL_DIR\")\" = POURING.WAV ]"' \
        "uninstalled around the file in use, staged and set-aside files too"
    check 'regval "HKLM\\System\\CurrentControlSet\\Control\\Session Manager" PendingFileRenameOperations |
        grep -q "Drovo Volume Controller\\\\POURING.WAV"' "the file in use is removed at the next restart"
    done_with_prefix
}

uninstaller_removes_its_own_copy() {
    fresh own-copy
    # Hers, for herself alone, before an administrator installs for everyone.
    as_user "$OTHER_USER"
    setup /S /CurrentUser
    local hers
    hers=$(regval "HKCU\\$UNINSTALL" InstallLocation)
    as_user "$ADMIN_USER"
    setup /S
    before=$(installation_state)
    # The installed folder copied elsewhere by hand: its uninstaller removes that copy alone.
    cp -a "$KOB_INSTALL_DIR" "$WINEPREFIX/drive_c/Copied"
    wine 'C:\Copied\uninstall.exe' /AllUsers /S </dev/null >/dev/null 2>&1 || true
    wait_for '[ ! -e "$WINEPREFIX/drive_c/Copied" ]' || true
    check '[ ! -e "$WINEPREFIX/drive_c/Copied" ] && unchanged' \
        "a copied folder's uninstaller removes that folder only, never the registered installation"
    # A switch naming the other scope is refused, and nothing goes.
    probe other-scope runline "\"$KOB_PROGRAM_DIR\\uninstall.exe\" /CurrentUser /S _?=$KOB_PROGRAM_DIR"
    expect "$KOB_WORK/other-scope" exitcode 2 "/CurrentUser on the copy of all users refused"
    check 'unchanged' "and it stays"
    # Hers, without a switch: her copy and its registration go; the copy of all users and her settings stay.
    as_user "$OTHER_USER"
    wine "$hers\\uninstall.exe" /S </dev/null >/dev/null 2>&1 || true
    wait_for '! has_key "HKCU\\$UNINSTALL"' || true
    check '! has_key "HKCU\\$UNINSTALL" && [ ! -e "$(winepath -u "$hers")" ] && unchanged' \
        "her own uninstaller removes her copy alone"
    probe hers settings
    expect "$KOB_WORK/hers" cstpval 1 "her settings kept for the copy of all users"
    expect "$KOB_WORK/hers" peruser absent "no longer for her alone"
    done_with_prefix
}

scopes_never_fight() {
    fresh scopes
    as_user "$OTHER_USER"
    setup /S /CurrentUser
    local hers
    hers=$(regval "HKCU\\$UNINSTALL" InstallLocation)
    # The administrator's own copy, then his installation for everyone, which takes his own copy with it.
    as_user "$ADMIN_USER"
    setup /S /CurrentUser
    local his
    his=$(regval "HKCU\\$UNINSTALL" InstallLocation)
    setup /S /AllUsers
    check '[ "$RC" = 0 ] && ! has_key "HKCU\\$UNINSTALL" && [ ! -e "$(winepath -u "$his")" ]' \
        "an installation for all users takes the installing user's own copy with it"
    probe his settings
    expect "$KOB_WORK/his" userrun absent "his own log-on start gone"
    expect "$KOB_WORK/his" peruser absent "his settings no longer for him alone"
    # No copy for one user beside it, whoever asks (a standard user installs for himself by default).
    before=$(installation_state)
    setup /S /CurrentUser
    probe standard runstandard "\"$(winepath -w "$KOB_SETUP")\" /S"
    check '[ "$RC" = 7 ] && [ "$(kob_value "$KOB_WORK/standard" exitcode)" = 7 ] && unchanged' \
        "a copy for one user beside the one for all users refused with 7 (got $RC)"
    # At her next log-on Windows runs the component: a machine's log-on start that is not this copy's leaves hers.
    as_user "$OTHER_USER"
    reg add "$RUN_KEY" /v "Drovo Volume Controller 3.0" /d '"C:\Elsewhere\kob3.0.exe"'
    as_windows_at_logon
    probe hers-kept settings
    expect "$KOB_WORK/hers-kept" userrun "\"$hers\\kob3.0.exe\"" "her own log-on start kept beside another's"
    # This copy's: of her two log-on starts, the machine's alone starts a program; hers waits for it to go.
    reg add "$RUN_KEY" /v "Drovo Volume Controller 3.0" /d "\"$KOB_PROGRAM\""
    as_windows_at_logon
    probe hers settings
    expect "$KOB_WORK/hers" userrun "\"$hers\\kobuser.exe\" /LogonStart" "her own log-on start set aside"
    expect "$KOB_WORK/hers" run "\"$KOB_PROGRAM\"" "the machine's"
    check '[ -e "$(winepath -u "$hers")" ]' "her copy itself left to her"
    wine "$hers\\kobuser.exe" /LogonStart </dev/null >/dev/null 2>&1 || true
    sleep 2
    probe hers-served mutex kob3.0
    expect "$KOB_WORK/hers-served" exists 0 "it starts nothing while the copy of all users starts"
    # The copy of all users removed, her own copy starts at her log-on again, and has its log-on start back.
    as_user "$ADMIN_USER"
    probe quiet runline "$(regval "HKLM\\$UNINSTALL" QuietUninstallString)"
    as_user "$OTHER_USER"
    wine "$hers\\kobuser.exe" /LogonStart </dev/null >/dev/null 2>&1 || true
    expect_icon hers-alone "her own copy starts at her log-on"
    probe hers-back settings
    expect "$KOB_WORK/hers-back" userrun "\"$hers\\kob3.0.exe\"" "with its own log-on start again"
    done_with_prefix
}

machine_keeps_its_logon_choice() {
    fresh machine-choice
    # An administrator switched his own copy's log-on start off: installed for all users, it stays off.
    setup /S /CurrentUser
    reg delete "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run" /v "Drovo Volume Controller 3.0"
    setup /S /AllUsers
    check '[ "$RC" = 0 ] && [ -z "$(logon_start)" ]' \
        "the user's choice carried over to the copy for all users (exit code $RC)"
    # Another administrator, with no settings of his own (as the system account has none), updates it silently.
    as_user "$OTHER_USER"
    setup /S
    check '[ "$RC" = 0 ] && [ -z "$(logon_start)" ]' "the machine's log-on start stays off (exit code $RC)"
    check '[ "$(regval "$ACTIVE_SETUP" StubPath)" = "\"$KOB_PROGRAM_DIR\\kobuser.exe\"" ]' "its component unchanged"
    # On for the machine, off for its new users: both kept too.
    reg add "$RUN_KEY" /v "Drovo Volume Controller 3.0" /d "\"$KOB_PROGRAM\""
    reg add "$ACTIVE_SETUP" /v StubPath /d "\"$KOB_PROGRAM_DIR\\kobuser.exe\" /NoLogonStart"
    setup /S
    check '[ "$(logon_start)" = "\"$KOB_PROGRAM\"" ]' "the log-on start stays on"
    check '[ "$(regval "$ACTIVE_SETUP" StubPath)" = "\"$KOB_PROGRAM_DIR\\kobuser.exe\" /NoLogonStart" ]' \
        "and its new users keep none"
    done_with_prefix
}

running_program_found_everywhere() {
    fresh running
    setup /S
    kob_start_program
    # Each setup closes the program and starts it again; the next one comes while that copy is still starting.
    local codes=""
    for _ in 1 2 3; do
        setup /S
        codes+="$RC "
    done
    check '[ "$codes" = "0 0 0 " ]' "three silent setups in a row over the running program end with 0 (got $codes)"
    expect_icon running "and it runs again"
    # A copy in another session, by its mutex in that session's namespace (session 0's is the global one): a
    # silent setup waits for it to end, then installs; one that keeps running past the wait ends it with 3.
    kob_start kobprobe.exe mutex "$(winepath -w "$KOB_WORK/elsewhere")" 'Global\kob3.0' 3000
    wait_for 'grep -q held=1 "$KOB_WORK/elsewhere" 2>/dev/null' || true
    setup /S
    check '[ "$RC" = 0 ] && ! kill -0 "$KOB_PID" 2>/dev/null' \
        "a copy elsewhere waited for, then installed (exit code $RC)"
    kob_start kobprobe.exe mutex "$(winepath -w "$KOB_WORK/held")" 'Global\kob3.0' 60000
    wait_for 'grep -q held=1 "$KOB_WORK/held" 2>/dev/null' || true
    before=$(installation_state)
    kob_start_program
    probe running-here traywindow
    setup /S
    check '[ "$RC" = 3 ] && unchanged' \
        "one that keeps running: 3 after a bounded wait, nothing changed (got $RC)"
    expect_icon running-again "the copy of this session it closed runs again"
    done_with_prefix
}

each_version_reaches_every_user() {
    fresh versions
    setup /S
    # As the previous release left it: its version shown as "3.00.0439" and its component's 3,0,0,439.
    reg add "HKLM\\$UNINSTALL" /v DisplayVersion /d 3.00.0439
    reg add "$ACTIVE_SETUP" /v Version /d 3,0,0,439
    setup /S
    check '[ "$RC" = 0 ] && [[ "$(regval "$ACTIVE_SETUP" Version)" =~ ^3,0,1[0-9]{3},0$ ]]' \
        "an update over the previous release raises the component's version (exit code $RC)"
    # The same setup built as the next version.
    makensis -V1 -WX -DVERSION_QUAD=3.0.9999.0 -DBUILD_DIR="$KOB_BIN" -DPLUGINS="$KOB_BIN/setup-plugins" \
        -DRESOURCES="$KOB_ROOT/resources" -DOUTFILE="$KOB_WORK/next.exe" "$KOB_ROOT/installer/kob.nsi" >/dev/null
    KOB_SETUP=$KOB_WORK/next.exe setup /S
    check '[ "$RC" = 0 ] && [ "$(regval "$ACTIVE_SETUP" Version)" = 3,0,9999,0 ]' \
        "the next version raises the component's version, so Windows runs it again for every user (exit code $RC)"
    check '[ "$(regval "HKLM\\$UNINSTALL" DisplayVersion)" = 3.0.9999 ]' "and shows itself in the entry"
    # This setup is older now: silently, it changes nothing.
    before=$(installation_state)
    setup /S
    check '[ "$RC" = 8 ] && unchanged' "an older setup refuses silently with 8 (got $RC)"
    done_with_prefix
}

standard_user_and_all_users_uninstall() {
    fresh standard-user
    setup /S
    before=$(installation_state)
    probe uninstall runstandard "\"$KOB_PROGRAM_DIR\\uninstall.exe\" /AllUsers /S _?=$KOB_PROGRAM_DIR"
    expect "$KOB_WORK/uninstall" exitcode 4 "a standard user's silent all-users uninstallation: 4, no box waits"
    check 'unchanged' "and removes nothing"
    probe install runstandard "\"$(winepath -w "$KOB_SETUP")\" /S /AllUsers"
    expect "$KOB_WORK/install" exitcode 4 "nor may he install for all users"
    done_with_prefix
}

program_starts_as_desktop_user() {
    fresh desktop-user
    # Through the pages with Enter, "Start Drovo Volume Controller 3.0 now" left ticked on the last.
    wine "$KOB_SETUP" </dev/null >/dev/null 2>&1 &
    local interactive=$! window=""
    for _ in 1 2 3 4 5; do
        wait_for 'window=$(xdotool search --name "Drovo Volume Controller 3.0 Setup" 2>/dev/null | head -n 1)' || true
        sleep 1
        xdotool key --window "$window" Return 2>/dev/null || true
    done
    RC=0
    wait "$interactive" || RC=$?
    probe finished traywindow
    check '[ "$RC" = 0 ] && [ "$(kob_value "$KOB_WORK/finished" tray)" = 1 ]' \
        "the finish page started it (exit code $RC)"
    # Without the desktop's shell to ask (its process gone), a setup with an administrator's token starts nothing
    # itself: the program it closed for a silent update stays closed.
    local pid
    for pid in $(pgrep -f 'explorer.exe /desktop'); do
        ! grep -qz "^WINEPREFIX=$WINEPREFIX\$" "/proc/$pid/environ" 2>/dev/null || kill "$pid"
    done
    setup /S
    sleep 2
    probe closed mutex 'kob3.0'
    check '[ "$RC" = 0 ] && [ "$(kob_value "$KOB_WORK/closed" exists)" = 0 ]' \
        "never started with the setup's own rights (exit code $RC)"
    done_with_prefix
}

all_users_serve_another_user
update_keeps_choices
per_user_first_start
folder_switch_and_reinstall_elsewhere
target_cannot_be_written
file_in_use
uninstaller_removes_its_own_copy
scopes_never_fight
machine_keeps_its_logon_choice
running_program_found_everywhere
each_version_reaches_every_user
standard_user_and_all_users_uninstall
program_starts_as_desktop_user
kob_finish
