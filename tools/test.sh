#!/usr/bin/env bash
# Builds everything and runs all three test layers: native unit tests, Windows-side tests under Wine, and GUI
# tests of the real programs under Wine on a virtual display; the native tree also runs the style checks
# (tools/check-style.sh). Ends with "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1

bash tools/bootstrap.sh || exit 1
build=${KOB_BUILD:-$root/build}
export KOB_BUILD=$build

configure() { # dir, extra cmake args...
    local dir=$1
    shift
    cmake -S "$root" -B "$build/$dir" -G Ninja "$@" >"$build/$dir.configure.log" 2>&1 ||
        { cat "$build/$dir.configure.log"; exit 1; }
}
mkdir -p "$build"
configure native -DCMAKE_BUILD_TYPE=Debug
configure win32 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw32.cmake
configure wintest -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw32-posix.cmake \
    -DKOB_WIN_TESTS=ON
for tree in native win32 wintest; do
    cmake --build "$build/$tree" -j "$(nproc)" || exit 1
done

# One virtual display and one Wine session with the null audio device for every Windows-side and GUI test.
# shellcheck source=wine-env.sh
source tools/wine-env.sh
KOB_FORCE_XVFB=1 kob_display_start || exit 1
kob_wine_use audio
kob_wine_start
trap 'kob_wine_stop; kob_display_stop' EXIT

passed=0
failed=0
for tree in native wintest win32; do
    echo "=== $tree tests"
    (cd "$build/$tree" && ctest --output-on-failure --no-tests=error) | tee "$build/$tree.ctest.log"
    summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$build/$tree.ctest.log" | tail -n 1)
    if [ -z "$summary" ]; then
        failed=$((failed + 1))
        continue
    fi
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
    bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$summary")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
done
echo "Screenshots: $build/artifacts"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
