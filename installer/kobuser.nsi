; The settings of a new user of an all-users installation. Windows runs it once for every user at his first log-on
; after the installation, and again after each later version (Active Setup), before the log-on start runs the
; program:
;   kobuser.exe [/NoLogonStart] [/StartProgram]
; It creates the program key with cstpval = 1, so that the program's first start does its work, or, with
; /NoLogonStart, with that work done and no log-on start (cstpval = 0, the controller closed). A user who already
; has the key keeps it untouched. Where the machine's Run value starts this copy (the one for all users) at everyone's
; log-on, a log-on start of the user's own (a copy installed for him alone before) is set aside, with its per-user
; scope: one copy starts at his log-on. Where his copy's helper is as new as this one, his Run value then starts it
; with /LogonStart instead of the program:
;   kobuser.exe /LogonStart
; which starts nothing while the machine's Run value starts an installed program, and otherwise (the copy of all
; users removed) starts his own copy's program and gives his log-on start back to it.
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
    ReadRegStr $1 HKCU "${RUN_KEY}" "${PRODUCT}"
    ${If} $0 != "$\"$EXEDIR\${PROGRAM}$\""
    ${OrIf} $1 == ""
        Return
    ${EndIf}
    DeleteRegValue HKCU "${PROGRAM_KEY}" "${PERUSER}"
    ; His own copy's helper waits at his log-on for the copy of all users to go, where it knows how to.
    ReadRegStr $2 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $2 != ""
    ${AndIf} $2 != $EXEDIR
    ${AndIf} $1 == "$\"$2\${PROGRAM}$\""
        ClearErrors
        GetDLLVersion "$2\${USER_HELPER}" $3 $4
        IntOp $4 $4 >> 16
        ${IfNot} ${Errors}
        ${AndIf} $4 >= ${VERSION_PATCH}
            WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" "$\"$2\${USER_HELPER}$\" ${LOGON_START_SWITCH}"
            Return
        ${EndIf}
    ${EndIf}
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
FunctionEnd

; The user's own log-on start, set aside while a copy for all users starts at everyone's log-on.
Function StartUnlessServed
    ReadRegStr $0 HKLM "${RUN_KEY}" "${PRODUCT}"
    StrCpy $1 $0 1
    ${If} $1 == '"'
        StrCpy $0 $0 "" 1
        StrCpy $0 $0 -1
    ${EndIf}
    ${If} $0 != ""
    ${AndIf} ${FileExists} $0
        Return
    ${EndIf}
    WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" "$\"$EXEDIR\${PROGRAM}$\""
    WriteRegDWORD HKCU "${PROGRAM_KEY}" "${PERUSER}" 1
    Exec "$\"$EXEDIR\${PROGRAM}$\""
FunctionEnd

Section
    SetErrorLevel 0
    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "${LOGON_START_SWITCH}" $2
    ${IfNot} ${Errors}
        Call StartUnlessServed
        Return
    ${EndIf}
    Call GiveSettings
    Call LeaveOneLogonStart
    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "${START_PROGRAM_SWITCH}" $2
    ${IfNot} ${Errors}
        Exec "$\"$EXEDIR\${PROGRAM}$\""
    ${EndIf}
SectionEnd
