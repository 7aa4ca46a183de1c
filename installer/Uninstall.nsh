; The uninstaller: it removes its own copy, the one in the folder it belongs to, and takes the registration with it
; only when that copy is the one registered. Which registration names its folder decides the scope: the user's own
; first, so that it never takes the copy of all users for a copy of one user's.
;   uninstall.exe [/AllUsers | /CurrentUser] [/S]
; The registered quiet command adds _?=<folder>: the uninstaller then runs in place and its caller waits for it.
; Exit codes: 0 removed; 1 cancelled while the program kept running; 2 refused: the switch names the other scope;
; 4 a copy of all users and no administrator's rights; 5 another setup of the program is running; 3010 removed,
; some files at the next restart of Windows.

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
    Call un.RemoveFolderOfEndedUninstaller
    Call un.OneSetupAtATime
    Call un.RemoveEndedHelperFolders
    Call un.ChooseScope
FunctionEnd

; Run in place (the registered quiet command), the uninstaller cannot remove its own file while it runs: a copy of
; it, run from a new folder only this user can open by the system's command processor, which holds the setups' lock
; until it has removed that folder, waits for it to end, then removes that file and the empty folders the setup made
; for it. The paths reach the copy through its environment, never through the command processor's command line.
!define REMOVAL_HELPER_SWITCH "/RemovalHelper"
!define REMOVAL_VARIABLE "KOB30_REMOVAL"
!define REMOVE_AFTER_SWITCH "/RemoveAfter="
!define CREATED_SWITCH "/Created="
!define FOLDER_SWITCH "/Folder="

Function un.RemoveFolderAfterEnd
    ${If} $EXEDIR != $INSTDIR
        !insertmacro DeleteCopyFiles $INSTDIR
        !insertmacro RemoveCreatedFolders $INSTDIR $CreatedFolder
        Return
    ${EndIf}
    System::Call 'kernel32::GetCurrentProcessId() i .r2'
    StrCpy $3 "${REMOVE_AFTER_SWITCH}$2 ${CREATED_SWITCH}$CreatedFolder ${FOLDER_SWITCH}$INSTDIR"
    System::Call 'kernel32::SetEnvironmentVariable(t "${REMOVAL_VARIABLE}", t r3)'
    ; The engine runs a copy in place only given an existing full path; the copy's $INSTDIR comes from the environment.
    SetupSupport::StartRemovalHelper "$EXEPATH" "${REMOVAL_HELPER_SWITCH} /S _?=$SYSDIR" "${SETUP_MUTEX}"
    Pop $1
    DetailPrint "The uninstaller's last files: $1"
    ${If} $1 != started
        !insertmacro DeleteCopyFiles $INSTDIR
    ${EndIf}
FunctionEnd

; The copy's part: it ends at once.
Function un.RemoveFolderOfEndedUninstaller
    ${un.GetParameters} $0
    ClearErrors
    ${un.GetOptions} $0 "${REMOVAL_HELPER_SWITCH}" $1
    ${If} ${Errors}
        Return
    ${EndIf}
    SetErrorLevel 0
    ReadEnvStr $0 ${REMOVAL_VARIABLE}
    ClearErrors
    ${un.GetOptions} $0 "${REMOVE_AFTER_SWITCH}" $1
    ${un.GetOptions} $0 "${CREATED_SWITCH}" $CreatedFolder
    ${un.GetOptions} $0 "${FOLDER_SWITCH}" $INSTDIR
    ${If} ${Errors}
    ${OrIf} $INSTDIR == ""
        Quit
    ${EndIf}
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2' ; SYNCHRONIZE
    ${If} $2 P<> 0
        System::Call 'kernel32::WaitForSingleObject(p r2, i 60000)'
        System::Call 'kernel32::CloseHandle(p r2)'
    ${EndIf}
    !insertmacro DeleteCopyFiles $INSTDIR
    !insertmacro RemoveCreatedFolders $INSTDIR $CreatedFolder
    Quit
FunctionEnd

; The user's settings stay while another installation still serves him.
Function un.RemoveUserSettings
    ; The log-on start of this copy, also as its helper holds it while a copy for all users starts instead.
    ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
    ${If} $0 == "$\"$INSTDIR\${PROGRAM}$\""
    ${OrIf} $0 == "$\"$INSTDIR\${USER_HELPER}$\" ${LOGON_START_SWITCH}"
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

    !insertmacro DeleteProgramFiles $INSTDIR
    ${If} $MultiUser.InstallMode == ""
        DetailPrint "Only the copy in $INSTDIR was removed: it is not the registered installation."
        StrCpy $CreatedFolder ""
    ${Else}
        ReadRegStr $CreatedFolder SHCTX "${UNINSTALL_KEY}" "CreatedFolder"
        !insertmacro DeleteShortcuts
        ${If} $MultiUser.InstallMode == AllUsers
            DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
            DeleteRegKey HKLM "${ACTIVE_SETUP_KEY}"
        ${EndIf}
        Call un.RemoveUserSettings
        DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    ${EndIf}
    Call un.RemoveFolderAfterEnd

    ${If} ${RebootFlag}
        MessageBox MB_OK|MB_ICONINFORMATION "Some files of ${PRODUCT} are in use. Windows removes them when it \
restarts." /SD IDOK
        SetErrorLevel ${EXIT_RESTART_NEEDED}
    ${EndIf}
SectionEnd
