; Names shared by the setup (kob.nsi) and the new users' helper (kobuser.nsi).

Unicode true
SetCompressor /SOLID lzma

!define PRODUCT "Drovo Volume Controller 3.0"
!define COMPANY "Marlox's Software"
!define VERSION "3.00.0439"
!define VERSION_QUAD "3.0.0.439"
!define PROGRAM "kob3.0.exe"
!define USER_HELPER "kobuser.exe"
!define PROGRAM_KEY "Software\Marlox's Software\Drovo Volume Controller\3.0"
; The program key's values: the first-start flag, the controller's state, and the scope of the installation
; (1: a copy of this user's alone, whose log-on start belongs in his own Run key).
!define CSTPVAL "cstpval"
!define ONTOPSTAT "ontopstat"
!define PERUSER "peruser"
!define ONTOPSTAT_CLOSED 2
; The packagers' switch that leaves the log-on start off.
!define NO_LOGON_START_SWITCH "/NoLogonStart"

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
