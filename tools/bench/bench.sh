#!/usr/bin/env bash
# What the program costs, beside the least any program doing the same work costs (tools/bench/baseline.cpp),
# under Wine with the silent sound device on a virtual display: the time to its tray icon, the processor time
# while idle (controller hidden, then shown) and the memory.
#   bash tools/bench/bench.sh [hidden seconds (60)] [shown seconds (30)] [start-up runs (5)]
set -euo pipefail
hidden=${1:-60}
shown=${2:-30}
runs=${3:-5}
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

echo "idle: both running side by side, $hidden s with the controller hidden, then $shown s with it shown"
wine "$program" </dev/null >/dev/null 2>&1 &
wine "$baseline" </dev/null >/dev/null 2>&1 &
sleep 5
kob=$(pid_of 'kob3.0.exe')
base=$(pid_of 'kobbaseline.exe')
kob_rss0=$(rss_kb "$kob") kob_priv0=$(private_kb "$kob") base_rss0=$(rss_kb "$base") base_priv0=$(private_kb "$base")
k0=$(cpu_ms "$kob") b0=$(cpu_ms "$base")
sleep "$hidden"
kob_hidden=$(($(cpu_ms "$kob") - k0)) base_hidden=$(($(cpu_ms "$base") - b0))

# The shown controller reads the volume every millisecond: so does the baseline's second mode.
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

printf '\n%-44s %12s %12s %8s\n' "" "kob3.0.exe" "baseline" "ratio"
row() { printf '%-44s %12s %12s %8s\n' "$1" "$2" "$3" "$(ratio "$2" "$3")"; }
row "start-up to tray icon, median (ms)" "$kob_start" "$base_start"
row "processor, $hidden s hidden (ms)" "$kob_hidden" "$base_hidden"
row "processor, $shown s shown (ms)" "$kob_shown" "$base_shown"
row "resident after start-up (KB)" "$kob_rss0" "$base_rss0"
row "private after start-up (KB)" "$kob_priv0" "$base_priv0"
row "resident after the idle runs (KB)" "$kob_rss1" "$base_rss1"
row "private after the idle runs (KB)" "$kob_priv1" "$base_priv1"
row "executable (bytes)" "$(stat -c %s "$build/win32/kob3.0.exe")" "$(stat -c %s "$build/win32/kobbaseline.exe")"
echo "(Wine on $(nproc) processor(s); the wineserver's own share of the work is not counted.)"
