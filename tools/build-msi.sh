#!/usr/bin/env bash
# Builds the Windows Installer package from installer/kob.wxs:
#   bash tools/build-msi.sh VERSION BUILD_DIR OUT.msi
# VERSION is the setup's (3.0.<build>.0, cmake/SetupVersion.cmake); BUILD_DIR holds kob3.0.exe and kobuser.exe.
# wixl 0.101 writes neither component conditions, nor where RemoveExistingProducts runs, nor same-version upgrades,
# nor secure properties, so the tables are edited after it: the log-on start's components follow LOGONSTART; the
# removal of an earlier version moves into the installation's own transaction (after InstallInitialize), where a
# failure rolls both back; a build of the same version (each has its own product code) replaces the installed one
# instead of going beside it with a second entry; and LOGONSTART reaches the elevated part of an installation
# started by an administrator without elevation (UAC).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=$1
build_dir=$2
out=$3

site=$(sed -n 's/.*kMakersWebsite = "\([^"]*\)".*/\1/p' "$root/src/common/MakersWebsite.h")
[ -n "$site" ] || { echo "build-msi: the maker's site is not in src/common/MakersWebsite.h" >&2; exit 1; }
# The log-on start: asked for (LOGONSTART other than 0), or not asked about and new, or kept from the installed version.
logon_start='(LOGONSTART AND LOGONSTART <> "0") OR (NOT LOGONSTART AND (NOT WIX_UPGRADE_DETECTED OR MACHINELOGONSTART))'
# The package's upgrade code, which the setup program knows it by too.
upgrade_code=$(sed -n 's/^!define MSI_UPGRADE_CODE "\(.*\)"$/\1/p' "$root/installer/common.nsh")
[ -n "$upgrade_code" ] || { echo "build-msi: no MSI_UPGRADE_CODE in installer/common.nsh" >&2; exit 1; }

# wixl takes the files' paths relative to the current folder only.
relative() { realpath --relative-to=. "$1"; }
wixl -a x86 -D "Version=$version" -D "ActiveSetupVersion=${version//./,}" -D "UpgradeCode=$upgrade_code" \
    -D "BuildDir=$(relative "$build_dir")" -D "Resources=$(relative "$root/resources")" -D "MakersSite=$site" \
    -o "$out.tmp" "$root/installer/kob.wxs"
msibuild "$out.tmp" \
    -q "UPDATE Component SET Condition = '$logon_start' WHERE Component = 'LogonStart'" \
    -q "UPDATE Component SET Condition = '$logon_start' WHERE Component = 'NewUsersStartAtLogon'" \
    -q "UPDATE Component SET Condition = 'NOT ($logon_start)' WHERE Component = 'NewUsersNoLogonStart'" \
    -q "UPDATE InstallExecuteSequence SET Sequence = 1510 WHERE Action = 'RemoveExistingProducts'" \
    -q "DELETE FROM Upgrade WHERE ActionProperty = 'WIX_UPGRADE_DETECTED'" \
    -q "INSERT INTO Upgrade (UpgradeCode, VersionMax, Attributes, ActionProperty)
        VALUES ('$upgrade_code', '$version', 513, 'WIX_UPGRADE_DETECTED')" \
    -q "UPDATE Property SET Value = 'LOGONSTART;MACHINELOGONSTART;WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED'
        WHERE Property = 'SecureCustomProperties'"
mv "$out.tmp" "$out"
