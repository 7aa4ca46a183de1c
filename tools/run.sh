#!/usr/bin/env bash
# Builds the program and shows the controller window under Wine. On a desktop ($DISPLAY set) the window stays
# until Escape is pressed; without one, a virtual display is used, a screenshot is saved and its path printed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash tools/bootstrap.sh
build=${KOB_BUILD:-$root/build}
export KOB_BUILD=$build
cmake -S "$root" -B "$build/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw32.cmake >/dev/null
cmake --build "$build/win32" -j "$(nproc)"
echo "Built $build/win32/kob3.0.exe (copy it to a Windows 2000 or later machine and run it)."

source tools/wine-env.sh
virtual=0
[ -z "${DISPLAY:-}" ] && virtual=1
kob_display_start
kob_wine_use audio
kob_wine_start
trap 'kob_wine_stop; kob_display_stop' EXIT

if [ "$virtual" = 0 ]; then
    echo "Showing the controller on $DISPLAY; press Escape in it to close."
    wine "$build/win32/kobpreview.exe" </dev/null
    exit 0
fi

wine "$build/win32/kobpreview.exe" </dev/null >/dev/null 2>&1 &
preview=$!
for _ in $(seq 1 100); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Drovo Volume Controller 3.0"' && break
    sleep 0.1
done
sleep 1
mkdir -p "$build/artifacts"
shot=$build/artifacts/run-desktop.png
import -window root "$shot"
kill "$preview" 2>/dev/null || true
echo "No display was set, so the controller was shown on a virtual 1024 x 768 display."
echo "Screenshot: $shot"
