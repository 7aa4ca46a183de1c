# shellcheck shell=bash
# Shared by the benchmark and the soak: the build, a Wine prefix of their own with the silent sound device, a
# virtual display, the installed program, and what Linux tells of a Windows process's cost. Source it.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root" || exit 1
bash tools/bootstrap.sh >/dev/null
build=${KOB_BUILD:-$root/build}
export KOB_BUILD=$build
cmake -S "$root" -B "$build/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw32.cmake >/dev/null
cmake --build "$build/win32" -j "$(nproc)" >/dev/null
# shellcheck source=../wine-env.sh
source tools/wine-env.sh
KOB_FORCE_XVFB=1 kob_display_start
kob_wine_use run
kob_wine_start
trap 'kob_wine_stop; kob_display_stop' EXIT
wine "$build/win32/DrovoVolumeController-3.0-setup.exe" /S </dev/null >/dev/null 2>&1
# shellcheck disable=SC2034 # for the scripts that source this file
program='C:\Program Files\Drovo Volume Controller\kob3.0.exe'
# shellcheck disable=SC2034 # for the scripts that source this file
baseline=$(winepath -w "$build/win32/kobbaseline.exe")
work=$(mktemp -d)

probe() { # COMMAND ARGS... : runs the probe; its answers are read with answer KEY
    wine "$build/win32/kobprobe.exe" "$1" "$(winepath -w "$work/probe.out")" "${@:2}" </dev/null >/dev/null 2>&1 || true
    tr -d '\r' <"$work/probe.out" >"$work/probe.txt"
}
answer() { sed -n "s/^$1=//p" "$work/probe.txt" | head -n 1; }

# The Linux process of a running Windows program, by its file name, in this Wine prefix: other prefixes on the
# machine may run programs of the same name.
pid_of() {
    local pid
    for pid in $(pgrep -f "$1"); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
            echo "$pid"
            return 0
        fi
    done
}
# Processor time used so far, in milliseconds.
cpu_ms() { awk -v hz="$(getconf CLK_TCK)" '{ print int(($14 + $15) * 1000 / hz) }' "/proc/$1/stat"; }
# Resident memory and its private part, in KB.
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
private_kb() { awk '/^RssAnon:/ { print $2 }' "/proc/$1/status"; }
# The Windows program's own count of kernel handles, through the probe.
tray_xy() {
    local tray
    tray=$(xwininfo -name "Wine System Tray")
    echo "$(($(sed -n 's/.*Absolute upper-left X: *//p' <<<"$tray") + 10)) $(($(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$tray") + 10))"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
