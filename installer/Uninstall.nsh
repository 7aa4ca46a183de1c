; The uninstaller: it removes its own copy, the one in the folder it belongs to, and takes the registration with it
; only when that copy is the one registered. Which registration names its folder decides the scope: the user's own
; first, so that it never takes the copy of all users for a copy of one user's.
;   uninstall.exe [/AllUsers | /CurrentUser] [/S]
; The registered quiet command adds _?=<folder>: the uninstaller then runs in place and its caller waits for it.
; Exit codes: 0 removed; 1 cancelled while the program kept running; 2 refused: the switch names the other scope;
; 4 a copy of all users and no administrator's rights; 3010 removed, some files at the next restart of Windows.

!define EXIT_OTHER_SCOPE 2

; The folder the uninstaller belongs to, as the engine hands it over (where it was started from, or _?=).
Var OwnFolder

Function un.ChooseScope
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${un.GetParameters} $2
    StrCpy $3 ""
    ClearErrors
    ${un.GetOptions} $2 "/AllUsers" $4
    ${IfNot} ${Errors}
        StrCpy $3 AllUsers
    ${EndIf}
    ClearErrors
    ${un.GetOptions} $2 "/CurrentUser" $4
    ${IfNot} ${Errors}
        StrCpy $3 CurrentUser
    ${EndIf}

    StrCpy $MultiUser.InstallMode ""
    ${If} $1 == $OwnFolder
    ${AndIf} $3 != AllUsers
        StrCpy $MultiUser.InstallMode CurrentUser
    ${ElseIf} $0 == $OwnFolder
        StrCpy $MultiUser.InstallMode AllUsers
    ${ElseIf} $1 == $OwnFolder
        StrCpy $MultiUser.InstallMode CurrentUser
    ${EndIf}

    ${If} $3 != ""
    ${AndIf} $MultiUser.InstallMode != ""
    ${AndIf} $3 != $MultiUser.InstallMode
        ${If} $MultiUser.InstallMode == AllUsers
            StrCpy $4 "all users of this computer"
        ${Else}
            StrCpy $4 "one user alone"
        ${EndIf}
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} in $OwnFolder is installed for $4: /$3 does not remove it. \
Nothing was removed." /SD IDOK
        SetErrorLevel ${EXIT_OTHER_SCOPE}
        Quit
    ${EndIf}

    UserInfo::GetAccountType
    Pop $MultiUser.Privileges
    ${If} $MultiUser.InstallMode == AllUsers
        ${If} $MultiUser.Privileges != "Admin"
        ${AndIf} $MultiUser.Privileges != "Power"
            MessageBox MB_OK|MB_ICONSTOP "Removing ${PRODUCT} for all users of this computer needs an administrator's \
rights. Nothing was removed." /SD IDOK
            SetErrorLevel ${EXIT_NO_RIGHTS}
            Quit
        ${EndIf}
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
FunctionEnd

Function un.onInit
    StrCpy $OwnFolder $INSTDIR
    Call un.OneSetupAtATime
    Call un.ChooseScope
FunctionEnd

; Run in place, the uninstaller cannot delete its own running file: it moves it out of the folder into the
; temporary folder, where Windows deletes it at its next start, so that the folder goes now. Only where that is
; impossible (another drive) does the file itself wait for the restart.
Function un.RemoveOwnFile
    Delete "$INSTDIR\uninstall.exe"
    ${IfNot} ${FileExists} "$INSTDIR\uninstall.exe"
        Return
    ${EndIf}
    GetTempFileName $0
    Delete $0
    ClearErrors
    Rename "$INSTDIR\uninstall.exe" $0
    ${If} ${Errors}
        Delete /REBOOTOK "$INSTDIR\uninstall.exe"
    ${Else}
        System::Call 'kernel32::MoveFileEx(t r0, p 0, i 4)' ; MOVEFILE_DELAY_UNTIL_REBOOT
    ${EndIf}
FunctionEnd

; The user's settings stay while another installation still serves him.
Function un.RemoveUserSettings
    ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
    ${If} $0 == "$\"$INSTDIR\${PROGRAM}$\""
        DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    ${EndIf}
    ${If} $MultiUser.InstallMode == AllUsers
        ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${Else}
        ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
        DeleteRegValue HKCU "${PROGRAM_KEY}" "${PERUSER}"
    ${EndIf}
    ${If} $0 == ""
        DeleteRegKey HKCU "${PROGRAM_KEY}"
        DeleteRegKey /ifempty HKCU "Software\Marlox's Software\Drovo Volume Controller"
        DeleteRegKey /ifempty HKCU "Software\Marlox's Software"
    ${EndIf}
FunctionEnd

Section "Uninstall"
    ; The working folder may be the one to remove.
    SetOutPath "$TEMP"
    StrCpy $CloseFolder $INSTDIR
    StrCpy $CloseSessions this
    ${If} $MultiUser.InstallMode == AllUsers
        StrCpy $CloseSessions all
    ${EndIf}
    Call un.CloseRunningProgram
    ; A silent uninstallation goes on: what is still in use goes at the next restart of Windows.
    ${If} $0 == 1
    ${AndIfNot} ${Silent}
        SetErrorLevel ${EXIT_CANCELLED}
        Abort
    ${EndIf}

    ReadRegStr $R2 SHCTX "${UNINSTALL_KEY}" "CreatedFolder"
    Call un.RemoveOwnFile
    !insertmacro DeleteCopyFiles $INSTDIR
    ${If} $MultiUser.InstallMode == ""
        DetailPrint "Only the copy in $INSTDIR was removed: it is not the registered installation."
    ${Else}
        !insertmacro RemoveCreatedFolders $INSTDIR $R2
        !insertmacro DeleteShortcuts
        ${If} $MultiUser.InstallMode == AllUsers
            DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
            DeleteRegKey HKLM "${ACTIVE_SETUP_KEY}"
        ${EndIf}
        Call un.RemoveUserSettings
        DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    ${EndIf}

    ${If} ${RebootFlag}
        MessageBox MB_OK|MB_ICONINFORMATION "Some files of ${PRODUCT} are in use. Windows removes them when it \
restarts." /SD IDOK
        SetErrorLevel ${EXIT_RESTART_NEEDED}
    ${EndIf}
SectionEnd
