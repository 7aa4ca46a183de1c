; The settings of a new user of an all-users installation. Windows runs it once for every user at his first log-on
; after the installation, and again after each later version (Active Setup), before the log-on start runs the
; program:
;   kobuser.exe [/NoLogonStart] [/StartProgram]
; It creates the program key with cstpval = 1, so that the program's first start does its work, or, with
; /NoLogonStart, with that work done and no log-on start (cstpval = 0, the controller closed). A user who already
; has the key keeps it untouched. Where the machine's Run value starts this copy (the one for all users) at everyone's
; log-on, a log-on start of the user's own (a copy installed for him alone before) goes, with its per-user scope: one
; copy starts at his log-on.
; With /StartProgram it then starts the program beside it: the setup starts it so for the user of the desktop, who
; may not be the one who ran the setup. Exit code 0, or 1 when the key could not be written.
; Built by the project's build with makensis:
;   makensis -DVERSION_QUAD=<version> -DRESOURCES=<resources folder> -DOUTFILE=<kobuser.exe> kobuser.nsi

!include common.nsh
!include LogicLib.nsh
!include FileFunc.nsh

Name "${PRODUCT}"
OutFile "${OUTFILE}"
Icon "${RESOURCES}/kob.ico"
SilentInstall silent
; It runs as the user who logs on: an elevation prompt at log-on would stop his log-on.
RequestExecutionLevel user
RequestExecutionLevel none
PEAddResource /OVERWRITE "kobuser.manifest" "#24" "#1"

VIAddVersionKey /LANG=1033 "FileDescription" "Drovo Volume Controller 3.0 settings of a new user"
VIAddVersionKey /LANG=1033 "InternalName" "kobuser"
VIAddVersionKey /LANG=1033 "OriginalFilename" "${USER_HELPER}"

Function GiveSettings
    ClearErrors
    EnumRegKey $0 HKCU "${PROGRAM_KEY}" 0
    ${IfNot} ${Errors}
        Return
    ${EndIf}
    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "${NO_LOGON_START_SWITCH}" $2
    ${If} ${Errors}
        ClearErrors
        WriteRegDWORD HKCU "${PROGRAM_KEY}" "${CSTPVAL}" 1
    ${Else}
        ClearErrors
        WriteRegDWORD HKCU "${PROGRAM_KEY}" "${CSTPVAL}" 0
        WriteRegDWORD HKCU "${PROGRAM_KEY}" "${ONTOPSTAT}" ${ONTOPSTAT_CLOSED}
    ${EndIf}
    ${If} ${Errors}
        SetErrorLevel 1
    ${EndIf}
FunctionEnd

Function LeaveOneLogonStart
    ReadRegStr $0 HKLM "${RUN_KEY}" "${PRODUCT}"
    ${If} $0 == "$\"$EXEDIR\${PROGRAM}$\""
        DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
        DeleteRegValue HKCU "${PROGRAM_KEY}" "${PERUSER}"
    ${EndIf}
FunctionEnd

Section
    SetErrorLevel 0
    Call GiveSettings
    Call LeaveOneLogonStart
    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "${START_PROGRAM_SWITCH}" $2
    ${IfNot} ${Errors}
        Exec "$\"$EXEDIR\${PROGRAM}$\""
    ${EndIf}
SectionEnd
