#!/usr/bin/env bash
# The style checks of the test command, run by ctest as style.clang-format and style.shellcheck:
#   bash tools/check-style.sh clang-format TOOL   every C++ source and header in src/, installer/, tests/ and tools/
#                                                 is laid out as .clang-format says; the ones that are not are listed
#   bash tools/check-style.sh shellcheck TOOL     every shell script in tools/ and tests/gui/ is shellcheck-clean
# TOOL is the program the build found. The bootstrap installs both, so a missing one fails the check.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1
check=$1
tool=$2
if [ ! -x "$tool" ]; then
    echo "$check not found: bash tools/bootstrap.sh installs it"
    exit 1
fi

case $check in
clang-format)
    mapfile -t sources < <(find src installer tests tools -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
    status=0
    report=$("$tool" --dry-run --Werror "${sources[@]}" 2>&1) || status=$?
    mapfile -t unformatted < <(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' \
        <<<"$report" | sort -u)
    if [ ${#unformatted[@]} -eq 0 ] && [ "$status" -ne 0 ]; then
        echo "$report"
        exit 1
    fi
    if [ ${#unformatted[@]} -gt 0 ]; then
        echo "${#unformatted[@]} of ${#sources[@]} C++ files not formatted:"
        printf '  %s\n' "${unformatted[@]}"
        echo "Format them with: clang-format -i ${unformatted[*]}"
        exit 1
    fi
    echo "${#sources[@]} C++ files formatted"
    ;;
shellcheck)
    mapfile -t scripts < <(find tools tests/gui -type f -name '*.sh' | sort)
    "$tool" "${scripts[@]}"
    echo "${#scripts[@]} shell scripts clean"
    ;;
*)
    echo "unknown check: $check"
    exit 2
    ;;
esac
