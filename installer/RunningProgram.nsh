; The running program, for the setup and the uninstaller: found by its own named objects wherever it runs, closed
; before its files are written, and started again as the user of the desktop.

; How long a silent setup waits for the program to end, and an interactive one before it asks.
!define SILENT_CLOSE_WAIT_MS 30000
!define ASKING_CLOSE_WAIT_MS 10000

; The copies to close: those in this folder (any folder when empty), in this session ("this") or in every session
; ("all": a copy for all users may run for other users too).
Var CloseFolder
Var CloseSessions
; 1 when a copy of this session was closed and is to run again.
Var ProgramWasRunning

; Closes the running copies as Windows does at log-off and waits for them to end, so that their files can be
; replaced or removed. While a copy keeps running an interactive setup asks to close it (Retry) or to stop
; (Cancel); a silent one waits a while and then stops. $0 becomes 1 when a copy still runs.
!macro CloseRunningProgramFunction UN
Function ${UN}CloseRunningProgram
    ${If} ${Silent}
        StrCpy $2 ${SILENT_CLOSE_WAIT_MS}
    ${Else}
        StrCpy $2 ${ASKING_CLOSE_WAIT_MS}
    ${EndIf}
    ${Do}
        SetupSupport::CloseProgram "$CloseFolder" "$CloseSessions" $2
        Pop $1
        ${If} $1 == closed
        ${OrIf} $1 == closedelsewhere
            StrCpy $ProgramWasRunning 1
        ${EndIf}
        ${If} $1 == closedelsewhere
            StrCpy $1 elsewhere
        ${EndIf}
        ${If} $1 == none
        ${OrIf} $1 == closed
            StrCpy $0 0
            Return
        ${EndIf}
        DetailPrint "${PRODUCT} is still running ($1)."
        ${If} $1 == elsewhere
            StrCpy $3 "${PRODUCT} is running for another user of this computer. Ask him to exit it (Exit in the \
menu of its icon) or to log off, then click Retry."
        ${Else}
            StrCpy $3 "${PRODUCT} is still running. Exit it (Exit in the menu of its icon), then click Retry."
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$3" /SD IDCANCEL IDRETRY retry
        ${Break}
        retry:
    ${Loop}
    StrCpy $0 1
FunctionEnd
!macroend
!insertmacro CloseRunningProgramFunction ""
!insertmacro CloseRunningProgramFunction "un."
