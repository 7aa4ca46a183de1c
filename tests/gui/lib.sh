# shellcheck shell=bash
# Helpers of the GUI tests. Each test runs against the real program under Wine on an X display; tools/test.sh
# provides the display and the Wine prefix, and a test started on its own sets them up itself.
set -euo pipefail

: "${KOB_ROOT:?}" "${KOB_BIN:?}"
# shellcheck source=../../tools/wine-env.sh
source "$KOB_ROOT/tools/wine-env.sh"
KOB_ARTIFACTS=${KOB_ARTIFACTS:-$KOB_BUILD/artifacts}
mkdir -p "$KOB_ARTIFACTS"
KOB_WORK=$(mktemp -d)
failures=0
KOB_STARTED_PIDS=()

# Ends the programs the test started in the background.
kob_stop_started() {
    local pid
    for pid in "${KOB_STARTED_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    KOB_STARTED_PIDS=()
}

kob_gui_cleanup() {
    kob_stop_started
    rm -rf "$KOB_WORK"
    if [ "${KOB_OWN_SESSION:-0}" = 1 ]; then
        kob_wine_stop
        kob_display_stop
    fi
}
trap kob_gui_cleanup EXIT

if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
    KOB_OWN_SESSION=1
    kob_display_start
    kob_wine_use audio
    kob_wine_start
fi

# kob_start NAME ARGS... : starts a Windows program in the background; its Linux pid goes into KOB_PID.
kob_start() {
    local exe=$1
    shift
    wine "$KOB_BIN/$exe" "$@" >"$KOB_WORK/$exe.out" 2>&1 </dev/null &
    KOB_PID=$!
    KOB_STARTED_PIDS+=("$KOB_PID")
}

kob_stop() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

# The program as a user has it: installed by its setup program, for all users (Wine runs as an administrator).
KOB_SETUP=$KOB_BIN/DrovoVolumeController-3.0-setup.exe
KOB_PROGRAM_DIR='C:\Program Files\Drovo Volume Controller'
KOB_PROGRAM='C:\Program Files\Drovo Volume Controller\kob3.0.exe'
KOB_INSTALL_DIR="$WINEPREFIX/drive_c/Program Files/Drovo Volume Controller"
# shellcheck disable=SC2034 # for the tests that source this file
KOB_MENU_DIR="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Drovo Volume Controller"

# fresh NAME : the following wine commands run in a new prefix with its own wineserver: a copy of the setup tests'
# clean prefix where they made one, as fresh as a new one and quicker to have.
KOB_TEMPLATE=$KOB_BUILD/wineprefix-setup-template
fresh() {
    export WINEPREFIX=$KOB_BUILD/wineprefix-setup-$1
    rm -rf "$WINEPREFIX"
    [ ! -f "$KOB_TEMPLATE/system.reg" ] || cp -a "$KOB_TEMPLATE" "$WINEPREFIX"
    KOB_INSTALL_DIR="$WINEPREFIX/drive_c/Program Files/Drovo Volume Controller"
    kob_wine_start
    echo "$1 (fresh prefix)"
}

kob_install() {
    wine "$KOB_SETUP" /S </dev/null >/dev/null 2>&1
}

# The uninstaller hands over to a copy of itself and returns at once: wait for it to finish.
kob_uninstall() {
    [ -f "$KOB_INSTALL_DIR/uninstall.exe" ] || return 0
    wine "$KOB_PROGRAM_DIR\\uninstall.exe" /AllUsers /S </dev/null >/dev/null 2>&1
    wait_for "[ ! -e \"\$KOB_INSTALL_DIR\" ]" || true
}

# setup ARGS... : runs the setup; its exit code goes into RC. A silent setup never waits for a click.
# shellcheck disable=SC2034 # RC is read by the tests that source this file
setup() {
    RC=0
    timeout 120 wine "$KOB_SETUP" "$@" </dev/null >/dev/null 2>&1 || RC=$?
}

# wait_for CONDITION : waits up to 20 s for it to hold.
wait_for() {
    for _ in $(seq 1 100); do
        ! eval "$1" || return 0
        sleep 0.2
    done
    return 1
}

# reg ARGS... : changes the registry as the user or another program would.
reg() { wine reg "$@" /f </dev/null >/dev/null 2>&1 || true; }

# regval KEY NAME : a value's data as reg.exe shows it, empty when absent; NAME "" is the key's default value.
regval() {
    if [ -z "$2" ]; then
        wine reg query "$1" /ve </dev/null 2>/dev/null | tr -d '\r' | sed -n "s/^ *([^)]*) *REG_[A-Z_]* *//p" || true
    else
        wine reg query "$1" /v "$2" </dev/null 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p" || true
    fi
}

# logon_start : the machine's log-on start of the program, empty when there is none.
RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
logon_start() { regval "$RUN_KEY" "Drovo Volume Controller 3.0"; }

# kob_start_program : starts the installed program in the background.
kob_start_program() {
    wine "$KOB_PROGRAM" >"$KOB_WORK/program.out" 2>&1 </dev/null &
    KOB_STARTED_PIDS+=("$!")
}

# kob_tray_window : prints "x y height" of Wine's tray window, whose first slot holds the program's icon.
kob_tray_window() {
    xwininfo -name "Wine System Tray" |
        sed -n 's/.*Absolute upper-left [XY]: *//p; s/.*Height: *//p' | tr '\n' ' '
    echo
}

# kob_tray_icon : prints "x y", a point on the program's icon.
kob_tray_icon() {
    local x y
    read -r x y _ <<<"$(kob_tray_window)"
    echo $((x + 10)) $((y + 10))
}

# kob_click_tray BUTTON : clicks the program's icon.
kob_click_tray() {
    local x y
    read -r x y <<<"$(kob_tray_icon)"
    xdotool mousemove "$x" "$y" click "$1"
    sleep 1
}

# kob_wheel_tray BUTTON NOTCHES : turns the wheel over the program's icon (button 4 away from the user, 5 towards),
# after moving onto it as a hand does: Wine's tray reports a move to the icon only from a pointer already over it.
kob_wheel_tray() {
    local x y
    read -r x y <<<"$(kob_tray_icon)"
    xdotool mousemove $((x - 2)) "$y" sleep 0.2 mousemove "$x" "$y" sleep 0.6 click --repeat "$2" --delay 200 "$1"
    sleep 0.5
}

# kob_tray_frame_differs PICTURE SIZE : how many pixels of the tray's first slot differ from the program's picture
# (normal, muted) as drawn at SIZE pixels: its 32-bit frame of that size, laid in the middle of the slot over what the
# slot showed before (Wine's tray draws a new picture over the old one without erasing it). 0: the tray shows that
# frame as it is, neither shrunk nor stretched.
kob_tray_frame_differs() {
    local x y side frame margin
    read -r x y side <<<"$(kob_tray_window)"
    case $2 in 32) frame=0 ;; 24) frame=1 ;; 20) frame=2 ;; *) frame=3 ;; esac
    margin=$(((side - $2) / 2))
    import -window root -crop "${side}x$side+$x+$y" +repage "$KOB_WORK/shown.png"
    [ -f "$KOB_WORK/slot.png" ] ||
        convert "$KOB_WORK/shown.png" -crop 1x1+0+0 +repage -scale "${side}x$side!" "$KOB_WORK/slot.png"
    convert "$KOB_WORK/slot.png" "$KOB_ROOT/resources/tray_$1.ico[$frame]" -geometry "+$margin+$margin" \
        -composite "$KOB_WORK/expected.png"
    mv "$KOB_WORK/shown.png" "$KOB_WORK/slot.png"
    compare -metric AE -fuzz 3% "$KOB_WORK/slot.png" "$KOB_WORK/expected.png" null: 2>&1 || true
}

# menu KEYS... : opens the menu with a right click and chooses with the keys given.
menu() {
    kob_click_tray 3
    probe menu menu
    for key in "$@"; do
        xdotool key "$key"
        sleep 0.2
    done
    sleep 1
}

# Removes the installed program and its settings when the test ends, however it ends.
kob_uninstall_on_exit() {
    trap 'kob_uninstall; kob_probe "$KOB_WORK/cleanup" uninstall; kob_gui_cleanup' EXIT
}

# kob_probe OUTFILE COMMAND ARGS... : runs the probe and waits for it.
kob_probe() {
    local out=$1
    shift
    wine "$KOB_BIN/kobprobe.exe" "$1" "$(winepath -w "$out")" "${@:2}" </dev/null >/dev/null 2>&1 || true
    tr -d '\r' <"$out" >"$out.txt" 2>/dev/null || : >"$out.txt"
}

# probe NAME COMMAND ARGS... : kob_probe into the test's work folder; read the answers with kob_value.
probe() { kob_probe "$KOB_WORK/$1" "${@:2}"; }

kob_value() { sed -n "s/^$2=//p" "$1.txt" | head -n 1; }

# expect FILE KEY VALUE [WHAT]
expect() {
    local got
    got=$(kob_value "$1" "$2")
    if [ "$got" == "$3" ]; then
        echo "  ok   ${4:-$2} = $3"
    else
        echo "  FAIL ${4:-$2}: expected '$3', got '$got'"
        failures=$((failures + 1))
    fi
}

# expect_icon NAME WHAT : the running program's icon is in the tray (its tray window probed into NAME).
expect_icon() {
    probe "$1" traywindow
    expect "$KOB_WORK/$1" tray 1 "$2"
}

check() {
    if eval "$1"; then
        echo "  ok   $2"
    else
        echo "  FAIL $2"
        failures=$((failures + 1))
    fi
}

# kob_screenshot NAME [GEOMETRY] : keeps a picture of the display (or of part of it) as a build artefact.
kob_screenshot() {
    local file=$KOB_ARTIFACTS/$1.png
    if [ -n "${2:-}" ]; then
        import -window root -crop "$2" +repage "$file"
    else
        import -window root "$file"
    fi
    echo "  screenshot: $file"
}

kob_finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed"
        exit 1
    fi
}
