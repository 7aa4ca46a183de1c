#!/usr/bin/env bash
# What the program costs, beside the least any program doing the same work costs (tools/bench/baseline.cpp),
# under Wine with the silent sound device on a virtual display: the time to its tray icon, the processor time
# while idle (controller hidden, then shown), the memory, and how often each one re-sends its tray icon and reads
# the mute. Each target is printed beside its figure with "met" or "missed".
#   bash tools/bench/bench.sh [hidden seconds (60)] [shown seconds (30)] [start-up runs (5)] [count seconds (10)]
set -euo pipefail
hidden=${1:-60}
shown=${2:-30}
runs=${3:-5}
counted=${4:-10}
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"

echo "start-up: process start to tray icon, $runs runs each"
for _ in $(seq 1 "$runs"); do
    probe starttime "$program"
    answer ms >>"$work/kob.ms"
    probe starttime "$baseline"
    answer ms >>"$work/base.ms"
done
kob_start=$(median <"$work/kob.ms")
base_start=$(median <"$work/base.ms")

# Wine's own traces tell each call: a tray record sent (NIM_MODIFY) and a mute read (the mixer's control 1). The
# tracing costs time of its own, so these runs are apart from the timed ones.
echo "work per second: both running side by side for $counted s with Wine's traces, the controller hidden"
WINEDEBUG=+systray,+winmm wine "$program" </dev/null >/dev/null 2>"$work/kob.trace" &
WINEDEBUG=+systray,+winmm wine "$baseline" </dev/null >/dev/null 2>"$work/base.trace" &
sleep 5
kob_from=$(wc -l <"$work/kob.trace") base_from=$(wc -l <"$work/base.trace")
sleep "$counted"
kob=$(pid_of 'kob3.0.exe')
base=$(pid_of 'kobbaseline.exe')
# per_second PATTERN TRACE FIRST-LINE : the pattern's lines from that line on, per counted second
per_second() {
    awk -v n="$(tail -n "+$(($3 + 1))" "$2" | grep -c "$1" || true)" -v s="$counted" 'BEGIN { printf "%.1f", n / s }'
}
kob_resends=$(per_second 'Shell_NotifyIconW dwMessage = 1,' "$work/kob.trace" "$kob_from")
base_resends=$(per_second 'Shell_NotifyIconW dwMessage = 1,' "$work/base.trace" "$base_from")
kob_reads=$(per_second 'mixerGetControlDetailsW dwControlID: 1$' "$work/kob.trace" "$kob_from")
base_reads=$(per_second 'mixerGetControlDetailsW dwControlID: 1$' "$work/base.trace" "$base_from")
probe close
kill "$base"
while kill -0 "$kob" 2>/dev/null || kill -0 "$base" 2>/dev/null; do sleep 0.2; done

echo "idle: both running side by side, $hidden s with the controller hidden, then $shown s with it shown"
# The program's icon first, so that it is the first in the tray, the one clicked below.
wine "$program" </dev/null >/dev/null 2>&1 &
probe traywindow
wine "$baseline" </dev/null >/dev/null 2>&1 &
sleep 5
kob=$(pid_of 'kob3.0.exe')
base=$(pid_of 'kobbaseline.exe')
kob_rss0=$(rss_kb "$kob") kob_priv0=$(private_kb "$kob") base_rss0=$(rss_kb "$base") base_priv0=$(private_kb "$base")
k0=$(cpu_ms "$kob") b0=$(cpu_ms "$base")
sleep "$hidden"
kob_hidden=$(($(cpu_ms "$kob") - k0)) base_hidden=$(($(cpu_ms "$base") - b0))

# The shown controller reads the volume at every tick of its 1 ms timer: so does the baseline's second mode.
read -r x y <<<"$(tray_xy)"
xdotool mousemove "$x" "$y" click 1
kill "$base"
wine "$baseline" --shown </dev/null >/dev/null 2>&1 &
sleep 3
base=$(pid_of 'kobbaseline.exe')
k0=$(cpu_ms "$kob") b0=$(cpu_ms "$base")
sleep "$shown"
kob_shown=$(($(cpu_ms "$kob") - k0)) base_shown=$(($(cpu_ms "$base") - b0))
kob_rss1=$(rss_kb "$kob") kob_priv1=$(private_kb "$kob") base_rss1=$(rss_kb "$base") base_priv1=$(private_kb "$base")
probe close
kill "$base" 2>/dev/null || true

# verdict HOLDS : "met" or "missed"
verdict() { if awk "BEGIN { exit !($1) }"; then echo met; else echo missed; fi; }
printf '\n%-46s %11s %11s %8s  %-22s %s\n' "" "kob3.0.exe" "baseline" "ratio" "target" ""
row() { printf '%-46s %11s %11s %8s  %-22s %s\n' "$1" "$2" "$3" "$(ratio "$2" "$3")" "${4:-}" "${5:-}"; }
# target ROW-TITLE KOB BASELINE MAX-RATIO
target() { row "$1" "$2" "$3" "ratio <= $4" "$(verdict "$3 > 0 && $2 / $3 <= $4")"; }
target "start-up to tray icon, median (ms)" "$kob_start" "$base_start" 1.2
target "processor, $hidden s hidden (ms)" "$kob_hidden" "$base_hidden" 1.2
target "processor, $shown s shown (ms)" "$kob_shown" "$base_shown" 1.0
row "resident after start-up (KB)" "$kob_rss0" "$base_rss0"
row "private after start-up (KB)" "$kob_priv0" "$base_priv0" "<= baseline + 1024" \
    "$(verdict "$kob_priv0 <= $base_priv0 + 1024")"
row "resident after the idle runs (KB)" "$kob_rss1" "$base_rss1"
row "private after the idle runs (KB)" "$kob_priv1" "$base_priv1"
# One re-send and one mute read a tick of 100 ms: a program doing either twice a tick shows about 20.
target "tray record re-sent, hidden (per second)" "$kob_resends" "$base_resends" 1.05
target "mute read, hidden (per second)" "$kob_reads" "$base_reads" 1.05
row "executable (bytes)" "$(stat -c %s "$build/win32/kob3.0.exe")" "$(stat -c %s "$build/win32/kobbaseline.exe")"
echo "(Wine on $(nproc) processor(s); the wineserver's own share of the work is not counted.)"
