; Setup of Drovo Volume Controller 3.0. Built by the project's build with makensis, after the new users' helper:
;   makensis -DBUILD_DIR=<folder of kob3.0.exe and kobuser.exe> -DRESOURCES=<resources folder> -DOUTFILE=<setup.exe>
;            kob.nsi
; An administrator installs for all users under Program Files; any other user (on Windows Vista and later without
; elevation) installs into his own programs folder. The program reads its settings from the HKEY_CURRENT_USER of
; whoever runs it: the setup writes them for the user who runs it, and for an all-users installation Windows runs
; kobuser.exe once for every other user at his first log-on (Active Setup), before the log-on start.
;
; Switches: /S silent; /AllUsers or /CurrentUser the scope; /D=<folder> the folder (last, unquoted);
; /NoLogonStart leaves the log-on start off. Exit codes: 0 installed; 1 cancelled by the user; 2 stopped by the
; setup; 3 a file could not be written (nothing registered); 4 /AllUsers without an administrator's rights;
; 5 another setup of the program is running; 6 a newer version is installed and the user kept it. The uninstaller:
; 0 removed; 3010 removed, some files at the next restart of Windows.

!include common.nsh

!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Drovo Volume Controller 3.0"
!define ACTIVE_SETUP_KEY "Software\Microsoft\Active Setup\Installed Components\{84421BBE-4F53-49A5-A6E3-7FDCD6294F7E}"
!define COMPANION_CLASS "DrovoVC3Companion"
!define MENU_FOLDER "$SMPROGRAMS\Drovo Volume Controller"
!define SETUP_MUTEX "Drovo Volume Controller 3.0 Setup"

!define EXIT_FILE_NOT_WRITTEN 3
!define EXIT_NO_RIGHTS 4
!define EXIT_SETUP_RUNNING 5
!define EXIT_NEWER_KEPT 6
!define EXIT_RESTART_NEEDED 3010

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "Drovo Volume Controller"
; An update keeps the mode and the folder of the installation it replaces; /D= overrides the folder.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_FUNCTION KeepCommandLineFolder

!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include Sections.nsh
!include WinMessages.nsh

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${COMPANY}"
; A file that cannot be written offers Retry and Cancel, never Ignore; a silent setup cancels.
AllowSkipFiles off

VIAddVersionKey /LANG=1033 "FileDescription" "Drovo Volume Controller 3.0 Setup"
VIAddVersionKey /LANG=1033 "InternalName" "kob3.0"
VIAddVersionKey /LANG=1033 "Comments" "An alternative for Windows master playback Volume Control."

Var CommandLineFolder
Var ProgramWasRunning
Var CreatedFolder

!define MUI_ICON "${RESOURCES}/kob.ico"
!define MUI_UNICON "${RESOURCES}/kob.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEFINISHPAGE_BITMAP "${RESOURCES}/setup.bmp"
!define MUI_WELCOMEPAGE_TITLE "Drovo Volume Controller 3.0"
!define MUI_WELCOMEPAGE_TEXT "This installs Drovo Volume Controller 3.0, the master volume control in the \
notification area: a click on its icon shows the volume slider and the mute box.$\r$\n$\r$\n\
When Drovo Volume Controller is running, the setup closes it and starts it again when it has finished; your \
settings stay as they are.$\r$\n$\r$\nClick Next to continue."
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_TITLE "Drovo Volume Controller 3.0 is installed"
!define MUI_FINISHPAGE_TEXT "Its icon lives in the notification area beside the clock: left-click it for the \
volume, right-click it for the menu."
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW OnFinishPageShown
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The manifest names the setup, not the tool that built it: nothing may ask for the generated one (MultiUser.nsh
; and the pages did), and ours asks for the same rights and styles.
RequestExecutionLevel none
XPStyle off
PEAddResource /OVERWRITE "setup.manifest" "#24" "#1"

; Closes a running copy as Windows does at log-off (it records its controller as closed and takes its icon out of
; the tray), and waits until its process has ended, so that its files can be replaced or removed. $0 becomes 1
; when a copy was running.
!macro EndRunningCopy UN
Function ${UN}EndRunningCopy
    StrCpy $0 0
    FindWindow $1 "${COMPANION_CLASS}" ""
    ${If} $1 != 0
        StrCpy $0 1
        System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r2)'
        System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r2) p .r3'
        SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=5000
        ${If} $3 != 0
            System::Call 'kernel32::WaitForSingleObject(p r3, i 10000)'
            System::Call 'kernel32::CloseHandle(p r3)'
        ${Else}
            Sleep 1000
        ${EndIf}
    ${EndIf}
FunctionEnd
!macroend
!insertmacro EndRunningCopy ""
!insertmacro EndRunningCopy "un."

; Two setups at once would replace and register the same files in turn: the second one ends at once.
!macro OneSetupAtATime UN
Function ${UN}OneSetupAtATime
    System::Call 'kernel32::CreateMutex(p 0, i 0, t "${SETUP_MUTEX}") p .r0 ?e'
    Pop $1
    ${If} $1 = 183 ; ERROR_ALREADY_EXISTS
        MessageBox MB_OK|MB_ICONEXCLAMATION "Another setup of ${PRODUCT} is running. Let it finish first." /SD IDOK
        SetErrorLevel ${EXIT_SETUP_RUNNING}
        Quit
    ${EndIf}
FunctionEnd
!macroend
!insertmacro OneSetupAtATime ""
!insertmacro OneSetupAtATime "un."

; The files of a copy, by name: no uninstaller and no setup ever removes a folder with anything else in it.
!macro DeleteCopyFiles FOLDER
    Delete /REBOOTOK "${FOLDER}\${PROGRAM}"
    Delete /REBOOTOK "${FOLDER}\${USER_HELPER}"
    Delete /REBOOTOK "${FOLDER}\KOBHELP.HTM"
    Delete /REBOOTOK "${FOLDER}\POURING.WAV"
    Delete /REBOOTOK "${FOLDER}\uninstall.exe"
    RMDir /REBOOTOK "${FOLDER}"
!macroend

; The empty folders the setup made for a copy in FOLDER, from FOLDER's parent up to CREATED, the outermost one
; it created (empty: it created none beyond FOLDER). A folder that holds anything stays, and so do its parents.
!macro RemoveCreatedFolders FOLDER CREATED
    ${If} ${CREATED} != ""
        StrLen $R3 ${CREATED}
        StrCpy $R4 ${FOLDER}
        ${DoWhile} $R4 != ${CREATED}
            ${If} ${FileExists} "$R4\*.*"
                ${ExitDo}
            ${EndIf}
            ${GetParent} $R4 $R4
            StrLen $R5 $R4
            StrCpy $R6 $R4 $R3
            ${If} $R5 < $R3
            ${OrIf} $R6 != ${CREATED}
                ${ExitDo}
            ${EndIf}
            RMDir $R4
        ${Loop}
    ${EndIf}
!macroend

!macro DeleteShortcuts
    Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
    Delete "${MENU_FOLDER}\${PRODUCT} Help.lnk"
    Delete "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk"
    RMDir "${MENU_FOLDER}"
!macroend

Function KeepCommandLineFolder
    ${If} $CommandLineFolder != ""
        StrCpy $INSTDIR $CommandLineFolder
    ${EndIf}
FunctionEnd

; Asking for all users without the rights ends the setup with its own exit code, with no box when silent.
Function RefuseAllUsersWithoutRights
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/AllUsers" $1
    ${If} ${Errors}
        Return
    ${EndIf}
    UserInfo::GetAccountType
    Pop $1
    ${If} $1 != "Admin"
    ${AndIf} $1 != "Power"
        MessageBox MB_OK|MB_ICONSTOP "Installing ${PRODUCT} for all users of this computer needs an administrator's \
rights." /SD IDOK
        SetErrorLevel ${EXIT_NO_RIGHTS}
        Quit
    ${EndIf}
FunctionEnd

; Installing an older build over a newer one asks first; a silent setup goes on, as its packager chose the build.
Function WarnOfDowngrade
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
    ${If} $0 == ""
        ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "DisplayVersion"
    ${EndIf}
    ${If} $0 == ""
        Return
    ${EndIf}
    ${VersionCompare} $0 "${VERSION}" $1
    ${If} $1 = 1
        MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 "A newer version of ${PRODUCT} ($0) is installed.$\r$\n\
$\r$\nReplace it with the older version ${VERSION}?" /SD IDYES IDYES +3
        SetErrorLevel ${EXIT_NEWER_KEPT}
        Quit
    ${EndIf}
FunctionEnd

; A copy registered elsewhere (another folder, or the other scope) is removed with its registration, so that one
; copy and one uninstall entry remain.
!macro RemoveCopyElsewhere ROOT CONTEXT MODE
    ReadRegStr $R0 ${ROOT} "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R0 != ""
        ${If} $R0 != $INSTDIR
        ${OrIf} $MultiUser.InstallMode != ${MODE}
            DetailPrint "Removing the copy in $R0"
            ReadRegStr $R2 ${ROOT} "${UNINSTALL_KEY}" "CreatedFolder"
            !insertmacro DeleteCopyFiles $R0
            !insertmacro RemoveCreatedFolders $R0 $R2
        ${EndIf}
        ${If} $MultiUser.InstallMode != ${MODE}
            SetShellVarContext ${CONTEXT}
            !insertmacro DeleteShortcuts
            DeleteRegKey ${ROOT} "${UNINSTALL_KEY}"
            ${If} ${MODE} == AllUsers
                DeleteRegKey HKLM "${ACTIVE_SETUP_KEY}"
            ${EndIf}
            DeleteRegValue ${ROOT} "${RUN_KEY}" "${PRODUCT}"
        ${EndIf}
    ${EndIf}
!macroend

Function RemoveCopiesElsewhere
    ; Only an administrator may remove the copy of all users; a user installing for himself leaves it alone.
    ${If} $MultiUser.Privileges == "Admin"
    ${OrIf} $MultiUser.Privileges == "Power"
        !insertmacro RemoveCopyElsewhere HKLM all AllUsers
    ${EndIf}
    !insertmacro RemoveCopyElsewhere HKCU current CurrentUser
    ${If} $MultiUser.InstallMode == AllUsers
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
FunctionEnd

; The outermost folder the setup creates for the installation, kept in the uninstall entry so that the
; uninstaller removes the empty folders it made and no other.
Function FindCreatedFolder
    ${If} ${FileExists} "$INSTDIR\*.*"
        ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
        ${If} $0 == $INSTDIR
            ReadRegStr $CreatedFolder SHCTX "${UNINSTALL_KEY}" "CreatedFolder"
        ${EndIf}
        Return
    ${EndIf}
    StrCpy $0 $INSTDIR
    ${Do}
        ${GetParent} $0 $1
        ${If} $1 == ""
        ${OrIf} ${FileExists} "$1\*.*"
            ${ExitDo}
        ${EndIf}
        StrCpy $0 $1
    ${Loop}
    StrCpy $CreatedFolder $0
FunctionEnd

Section "${PRODUCT}" SecProgram
    SectionIn RO
    ; Until every file is in place, any end of the setup is a failure to write them.
    SetErrorLevel ${EXIT_FILE_NOT_WRITTEN}
    Call EndRunningCopy
    StrCpy $ProgramWasRunning $0
    Call RemoveCopiesElsewhere
    Call FindCreatedFolder

    ClearErrors
    SetOutPath "$INSTDIR"
    File "${BUILD_DIR}/${PROGRAM}"
    File "${BUILD_DIR}/${USER_HELPER}"
    File "${RESOURCES}/KOBHELP.HTM"
    File "${RESOURCES}/POURING.WAV"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ${If} ${Errors}
        DetailPrint "The files could not be written into $INSTDIR."
        MessageBox MB_OK|MB_ICONSTOP "The files could not be written into $INSTDIR." /SD IDOK
        Abort
    ${EndIf}

    ; Registered only now that every file is in place.
    Call WriteProgramKey
    CreateDirectory "${MENU_FOLDER}"
    CreateShortCut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM}"
    CreateShortCut "${MENU_FOLDER}\${PRODUCT} Help.lnk" "$INSTDIR\KOBHELP.HTM"
    CreateShortCut "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe" "/$MultiUser.InstallMode"

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$\"$INSTDIR\${PROGRAM}$\""
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallMode" "$MultiUser.InstallMode"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\uninstall.exe$\" /$MultiUser.InstallMode"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\uninstall.exe$\" /$MultiUser.InstallMode /S"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "HelpLink" "$INSTDIR\KOBHELP.HTM"
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${If} $CreatedFolder != ""
        WriteRegStr SHCTX "${UNINSTALL_KEY}" "CreatedFolder" "$CreatedFolder"
    ${EndIf}
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The log-on start in the installation's scope: for everyone who logs on, or for this user alone.
Section "Start with Windows" SecLogonStart
    ${If} $MultiUser.InstallMode == AllUsers
        WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" "$\"$INSTDIR\${PROGRAM}$\""
        DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    ${Else}
        WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" "$\"$INSTDIR\${PROGRAM}$\""
    ${EndIf}
SectionEnd

Section "-Finish"
    ${IfNot} ${SectionIsSelected} ${SecLogonStart}
        ${If} $MultiUser.InstallMode == AllUsers
            DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
        ${EndIf}
        DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    ${EndIf}
    ; A copy of this user's alone never starts for everyone (an older first start may have put it there).
    ${If} $MultiUser.InstallMode == CurrentUser
        ReadRegStr $0 HKLM "${RUN_KEY}" "${PRODUCT}"
        ${If} $0 == "$\"$INSTDIR\${PROGRAM}$\""
            DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
        ${EndIf}
    ${EndIf}

    ; Every other user gets his settings at his first log-on, before the log-on start runs the program.
    ${If} $MultiUser.InstallMode == AllUsers
        WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "" "${PRODUCT}"
        WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "ComponentID" "DrovoVolumeController"
        WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "Version" "3,0,0,439"
        WriteRegDWORD HKLM "${ACTIVE_SETUP_KEY}" "IsInstalled" 1
        ${If} ${SectionIsSelected} ${SecLogonStart}
            WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "StubPath" "$\"$INSTDIR\${USER_HELPER}$\""
        ${Else}
            WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "StubPath" "$\"$INSTDIR\${USER_HELPER}$\" ${NO_LOGON_START_SWITCH}"
        ${EndIf}
    ${EndIf}

    ; The copy that ran before the update runs again.
    ${If} $ProgramWasRunning == 1
        Exec "$\"$INSTDIR\${PROGRAM}$\""
    ${EndIf}
    SetErrorLevel 0
SectionEnd

; Log-on start: on for a new installation; over an installation whose user has settings, as he left it; off with
; the packagers' switch.
Function ChooseLogonStart
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ClearErrors
    EnumRegKey $2 HKCU "${PROGRAM_KEY}" 0
    ${If} "$0$1" != ""
    ${AndIfNot} ${Errors}
        ReadRegStr $0 HKLM "${RUN_KEY}" "${PRODUCT}"
        ReadRegStr $1 HKCU "${RUN_KEY}" "${PRODUCT}"
        ${If} "$0$1" == ""
            !insertmacro UnselectSection ${SecLogonStart}
        ${EndIf}
    ${EndIf}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "${NO_LOGON_START_SWITCH}" $1
    ${IfNot} ${Errors}
        !insertmacro UnselectSection ${SecLogonStart}
    ${EndIf}
FunctionEnd

; A folder given with /D= that cannot be a folder (a file stands in its path) is dropped by the setup engine in
; silence, which would install somewhere the packager never asked for: it fails as a folder that cannot be written.
Function RefuseUnusableCommandLineFolder
    ; $CMDLINE has lost /D= by now; the process's own command line still holds it.
    System::Call 'kernel32::GetCommandLine() t .r4'
    StrLen $1 $4
    StrCpy $2 0
    StrCpy $0 ""
    ${DoWhile} $2 < $1
        StrCpy $3 $4 4 $2
        ${If} $3 == " /D="
            IntOp $2 $2 + 4
            StrCpy $0 $4 "" $2
            ${Break}
        ${EndIf}
        IntOp $2 $2 + 1
    ${Loop}
    ${If} $0 != ""
    ${AndIf} $0 != $INSTDIR
    ${AndIf} $0 != "$INSTDIR\"
        MessageBox MB_OK|MB_ICONSTOP "The files could not be written into $0." /SD IDOK
        SetErrorLevel ${EXIT_FILE_NOT_WRITTEN}
        Quit
    ${EndIf}
FunctionEnd

Function .onInit
    ; /D= has set the folder before this point; the scope's defaults must not replace it.
    StrCpy $CommandLineFolder $INSTDIR
    Call RefuseUnusableCommandLineFolder
    Call OneSetupAtATime
    Call RefuseAllUsersWithoutRights
    !insertmacro MULTIUSER_INIT
    Call WarnOfDowngrade
    Call ChooseLogonStart
FunctionEnd

; The installing user's settings: created where he has none (the first start then does its work), otherwise kept
; as he left them. The scope tells the program where its log-on start belongs.
Function WriteProgramKey
    ClearErrors
    ReadRegDWORD $0 HKCU "${PROGRAM_KEY}" "${CSTPVAL}"
    ${If} ${Errors}
        ${If} ${SectionIsSelected} ${SecLogonStart}
            WriteRegDWORD HKCU "${PROGRAM_KEY}" "${CSTPVAL}" 1
        ${Else}
            ; The first start's work done, without the log-on start.
            WriteRegDWORD HKCU "${PROGRAM_KEY}" "${CSTPVAL}" 0
            WriteRegDWORD HKCU "${PROGRAM_KEY}" "${ONTOPSTAT}" ${ONTOPSTAT_CLOSED}
        ${EndIf}
    ${EndIf}
    ${If} $MultiUser.InstallMode == CurrentUser
        WriteRegDWORD HKCU "${PROGRAM_KEY}" "${PERUSER}" 1
    ${Else}
        DeleteRegValue HKCU "${PROGRAM_KEY}" "${PERUSER}"
    ${EndIf}
FunctionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "The program, its help page and its test sound."
    !insertmacro MUI_DESCRIPTION_TEXT ${SecLogonStart} "Starts ${PRODUCT} when Windows starts: for everyone who \
logs on when installed for all users, else for you."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; The setup restarted the copy that was running: a second start from the finish page would only be refused.
Function OnFinishPageShown
    ${If} $ProgramWasRunning == 1
        SendMessage $mui.FinishPage.Run ${BM_SETCHECK} 0 0
        ShowWindow $mui.FinishPage.Run ${SW_HIDE}
    ${EndIf}
FunctionEnd

Function un.onInit
    Call un.OneSetupAtATime
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Uninstall"
    Call un.EndRunningCopy
    ; Only the registered copy takes its registration with it: an older copy left in another folder never
    ; removes the entry, the shortcuts or the settings of the one that replaced it.
    ReadRegStr $R1 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $R2 SHCTX "${UNINSTALL_KEY}" "CreatedFolder"
    !insertmacro DeleteCopyFiles $INSTDIR

    ${If} $R1 == $INSTDIR
        !insertmacro RemoveCreatedFolders $INSTDIR $R2
        !insertmacro DeleteShortcuts
        ${If} $MultiUser.InstallMode == AllUsers
            DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
            DeleteRegKey HKLM "${ACTIVE_SETUP_KEY}"
        ${EndIf}
        DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
        DeleteRegKey HKCU "${PROGRAM_KEY}"
        DeleteRegKey /ifempty HKCU "Software\Marlox's Software\Drovo Volume Controller"
        DeleteRegKey /ifempty HKCU "Software\Marlox's Software"
        DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    ${EndIf}

    ${If} ${RebootFlag}
        MessageBox MB_OK|MB_ICONINFORMATION "Some files of ${PRODUCT} are in use. Windows removes them when it \
restarts." /SD IDOK
        SetErrorLevel ${EXIT_RESTART_NEEDED}
    ${EndIf}
SectionEnd
