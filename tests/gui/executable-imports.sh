#!/usr/bin/env bash
# shellcheck disable=SC2016 # check evaluates its condition later: the single quotes are meant
# kob3.0.exe is a 32-bit GUI program that loads on Windows 2000: only its system DLLs, none of the functions
# that later Windows versions added, subsystem version 4.0 and the version record.
set -euo pipefail
exe=$KOB_BIN/kob3.0.exe
failures=0
check() { if eval "$1"; then echo "  ok   $2"; else echo "  FAIL $2"; failures=$((failures + 1)); fi; }

dump=$(i686-w64-mingw32-objdump -p "$exe")
# shellcheck disable=SC2034 # read by the check conditions below
kind=$(file "$exe")
check 'grep -q "PE32 executable (GUI) Intel 80386" <<<"$kind"' "PE32 i386 GUI program"
check 'grep -q "MajorSubsystemVersion\s*4" <<<"$dump" && grep -q "MinorSubsystemVersion\s*0" <<<"$dump"' \
    "subsystem version 4.0"
# Only known DLLs, which Windows loads from its own folder whatever lies beside the program: kernel32, user32,
# gdi32, advapi32 and shell32 are on every documented list, ole32 and oleaut32 on those Windows 2000 and XP install,
# and msvcrt (the C runtime every MinGW program needs before its first line runs) is loaded by the known DLLs
# themselves. winmm, psapi, oleacc, comctl32 and wtsapi32 are loaded by their full paths when first needed. The
# setup's plugin runs inside a setup started from wherever it was downloaded to: the same rule.
# shellcheck disable=SC2034 # read by the check condition below
allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|msvcrt)\.dll$'
for file in "$exe" "$KOB_BIN/setup-plugins/SetupSupport.dll"; do
    for dll in $(i686-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
        check '[[ "${dll,,}" =~ $allowed ]]' "${file##*/} imports from $dll"
    done
done
# Functions that MinGW's runtime or the headers pull in on newer targets, none of which Windows 2000 has.
newer='K32[A-Za-z]+|GetTickCount64|[A-Za-z]*ConditionVariable[A-Za-z]*|[A-Za-z]*SRWLock[A-Za-z]*|InitOnce[A-Za-z]*'
newer+='|Fls(Alloc|Free|GetValue|SetValue)|GetModuleHandleEx[AW]|EncodePointer|DecodePointer|SetDllDirectory[AW]'
newer+='|GetNativeSystemInfo|AddVectoredExceptionHandler|RtlCaptureStackBackTrace|InterlockedCompareExchange64'
newer+='|GetLogicalProcessorInformation|CreateSymbolicLink[AW]|QueryFullProcessImageName[AW]|IsWow64Process'
found=$(grep -oE "\b($newer)\b" <<<"$dump" | sort -u | tr '\n' ' ' || true)
check '[ -z "$found" ]' "no function newer than Windows 2000 imported ${found:+(found: $found)}"
# shellcheck disable=SC2034 # read by the check conditions below
wide=$(strings -el "$exe")
# shellcheck disable=SC2034 # read by the check conditions below
narrow=$(strings "$exe")
check 'grep -qx "3.00.0439" <<<"$wide"' "version record 3.00.0439"
check 'grep -qx "An alternative for Windows master playback Volume Control." <<<"$wide"' "version comment"
check 'grep -q "level=\"asInvoker\"" <<<"$narrow"' "manifest asks for no elevation"
# The preview's reporter window answers any process's questions about the mixer: never in the shipped program.
check '! grep -q "DrovoVC3Preview" <<<"$narrow"' "no preview or test reporter in the program"
# One small file with no runtime beside it: no symbols, and under 400 KB.
size=$(stat -c %s "$exe")
check '[ "$size" -lt 409600 ]' "under 400 KB ($size bytes)"
check 'i686-w64-mingw32-objdump -t "$exe" | grep -q "no symbols"' "stripped"
check '! grep -q "__cxa_demangle" <<<"$narrow"' "no demangler linked"
[ "$failures" -eq 0 ]
