; Names shared by the setup (kob.nsi) and the new users' helper (kobuser.nsi).

Unicode true
SetCompressor /SOLID lzma

; The setup's version, given to makensis as -DVERSION_QUAD=3.0.<build>.0 (cmake/SetupVersion.cmake), in the forms
; Windows shows ("3.0.<build>") and Active Setup compares ("3,0,<build>,0"): every later build reaches every user
; again, and compares above the "3.00.0439" of the releases made before the build numbered them.
!ifndef VERSION_QUAD
    !error "Give the setup's version: makensis -DVERSION_QUAD=<major.minor.build.0>"
!endif
!searchparse /noerrors "${VERSION_QUAD}" "" VERSION_MAJOR "." VERSION_MINOR "." VERSION_PATCH "." VERSION_BUILD
!define VERSION "${VERSION_MAJOR}.${VERSION_MINOR}.${VERSION_PATCH}"
!searchreplace ACTIVE_SETUP_VERSION "${VERSION_QUAD}" "." ","

!define PRODUCT "Drovo Volume Controller 3.0"
!define COMPANY "Marlox's Software"
!define PROGRAM "kob3.0.exe"
!define USER_HELPER "kobuser.exe"
!define PROGRAM_KEY "Software\Marlox's Software\Drovo Volume Controller\3.0"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Drovo Volume Controller 3.0"
; The Windows Installer package's upgrade code (installer/kob.wxs, built by tools/build-msi.sh, which reads it here).
!define MSI_UPGRADE_CODE "{F6DC0A34-C07F-4093-972A-605CBCCA6E05}"
; The program key's values: the first-start flag, the controller's state, and the scope of the installation
; (1: a copy of this user's alone, whose log-on start belongs in his own Run key).
!define CSTPVAL "cstpval"
!define ONTOPSTAT "ontopstat"
!define PERUSER "peruser"
!define ONTOPSTAT_CLOSED 2
; The packagers' switch that leaves the log-on start off.
!define NO_LOGON_START_SWITCH "/NoLogonStart"
; The helper's switch that starts the program once the user has his settings.
!define START_PROGRAM_SWITCH "/StartProgram"
; The helper's switch in a user's own Run value, set aside while a copy for all users starts instead.
!define LOGON_START_SWITCH "/LogonStart"

VIProductVersion ${VERSION_QUAD}
VIFileVersion ${VERSION_QUAD}
VIAddVersionKey /LANG=1033 "ProductName" "Drovo Volume Controller"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${COMPANY}"

; The setup's own manifest instead of the one makensis writes: it is generated only when one of these asks for it.
XPStyle off
ManifestSupportedOS none
