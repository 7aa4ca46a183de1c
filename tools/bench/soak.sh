#!/usr/bin/env bash
# The installed program driven for a long run under Wine. First phase, in each cycle: the controller is shown from
# the tray, the master mute is switched with the controller's own mute box, the controller is closed with its fade,
# and the tray menu pops up and is dismissed. Second phase: 1,000 left clicks on the tray icon, each showing the
# controller afresh. Every 50 cycles and every 250 clicks the program must still be alive and show no message box
# (the run fails at once otherwise), and its memory, kernel handles and GDI and USER objects are sampled (the last
# two where the system counts them). Ends with status 1 when any of them keeps growing: the last quarter of the
# samples above the second quarter by more than a little and above all of it. The program is the process this
# script started, never one found by name (other Wine prefixes on the machine may run copies of it).
#   bash tools/bench/soak.sh [cycles (1000)]
set -euo pipefail
cycles=${1:-1000}
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"

# wine execs the loader, which becomes the program: this process id is the program's for the whole run.
wine "$program" </dev/null >/dev/null 2>&1 &
kob=$!
probe traywindow
sleep 2
read -r x y <<<"$(tray_xy)"
samples=$work/samples
sample() {
    if ! kill -0 "$kob" 2>/dev/null || ! tr '\0' ' ' <"/proc/$kob/cmdline" | grep -q 'kob3.0.exe'; then
        echo "FAILED at $1: the program has ended"
        exit 1
    fi
    probe resources
    if [ "$(answer found)" != 1 ]; then
        echo "FAILED at $1: the program's window is gone"
        exit 1
    fi
    if [ "$(answer boxes)" != 0 ]; then
        echo "FAILED at $1: the program shows a message box"
        exit 1
    fi
    echo "$1 $(rss_kb "$kob") $(private_kb "$kob") $(answer handles) $(answer gdi) $(answer user)" >>"$samples"
}

start=$(date +%s)
sample 0
for cycle in $(seq 1 "$cycles"); do
    xdotool mousemove "$x" "$y" click 1
    sleep 0.4
    xdotool key m
    sleep 0.1
    xdotool key Escape
    sleep 0.6
    xdotool mousemove "$x" "$y" click 3
    sleep 0.3
    xdotool key Escape
    sleep 0.2
    if [ $((cycle % 50)) = 0 ]; then
        sample "$cycle"
        echo "cycle $cycle: $(tail -n 1 "$samples" | cut -d' ' -f2-) (resident KB, private KB, handles, GDI, USER)"
    fi
done
# Each click shows the controller afresh: its discovery of the mixer included.
for click in $(seq 1 1000); do
    xdotool mousemove "$x" "$y" click 1
    sleep 0.05
    if [ $((click % 250)) = 0 ]; then
        sample "$((cycles + click))"
        echo "click $click: $(tail -n 1 "$samples" | cut -d' ' -f2-) (resident KB, private KB, handles, GDI, USER)"
    fi
done
xdotool key Escape
minutes=$((($(date +%s) - start) / 60))
probe close

echo
echo "$cycles cycles and 1000 tray clicks in $minutes min, alive with no message box at every sample (resident KB, private KB, handles, GDI objects, USER objects):"
awk -v minutes="$minutes" '
    { n++; for (i = 2; i <= 6; i++) v[n, i] = $i }
    END {
        split("resident private handles gdi user", name, " ")
        split("1024 1024 16 8 8", slack, " ")
        failed = 0
        q = int(n / 4); if (q < 1) q = 1
        for (i = 2; i <= 6; i++) {
            # Wine counts neither handles nor GDI or USER objects: it answers 0.
            if (v[1, i] == "-" || v[1, i] == "" || (i >= 4 && v[1, i] == 0)) {
                printf "%-9s not counted by this system\n", name[i - 1]; continue
            }
            second = 0; last = 0; top = 0
            for (k = q + 1; k <= 2 * q; k++) { second += v[k, i]; if (v[k, i] > top) top = v[k, i] }
            for (k = n - q + 1; k <= n; k++) last += v[k, i]
            second /= q; last /= q
            growing = (last - second > slack[i - 1] && v[n, i] > top)
            printf "%-9s first %8d  second quarter %10.0f  last quarter %10.0f  %s\n", name[i - 1], v[1, i], second, last,
                   growing ? "KEEPS GROWING" : "flat"
            failed += growing
        }
        exit failed ? 1 : 0
    }' "$samples"
