; Setup of Drovo Volume Controller 3.0. Built by the project's build with makensis, after the new users' helper and
; the setup's support library:
;   makensis -DVERSION_QUAD=<build's version> -DBUILD_DIR=<folder of kob3.0.exe and kobuser.exe>
;            -DPLUGINS=<folder of SetupSupport.dll> -DRESOURCES=<resources folder> -DOUTFILE=<setup.exe> kob.nsi
; An administrator installs for all users under Program Files; any other user (on Windows Vista and later without
; elevation) installs into his own programs folder. The program reads its settings from the HKEY_CURRENT_USER of
; whoever runs it: the setup writes them for the user who runs it, and for an all-users installation Windows runs
; kobuser.exe once for every other user at his first log-on after each version (Active Setup), before the log-on
; start.
;
; Switches: /S silent; /AllUsers or /CurrentUser the scope; /D=<folder> the folder (last; the whole switch may be
; quoted); /NoLogonStart leaves the log-on start off. Exit codes: 0 installed; 1 cancelled by the user; 2 stopped by
; the setup; 3 a file could not be written, or the program kept running (the installed copy stays as it was);
; 4 /AllUsers without an administrator's rights; 5 another setup of the program is running; 6 a newer version is
; installed and the user kept it; 7 a copy for all users is installed, so no copy for one user is; 8 a newer version
; is installed and the setup runs silently: nothing changed; 9 the Windows Installer package is installed. The
; uninstaller's are in Uninstall.nsh.

!include common.nsh

!define ACTIVE_SETUP_KEY "Software\Microsoft\Active Setup\Installed Components\{84421BBE-4F53-49A5-A6E3-7FDCD6294F7E}"
!define MENU_FOLDER "$SMPROGRAMS\Drovo Volume Controller"
!define SETUP_MUTEX "Drovo Volume Controller 3.0 Setup"

!define EXIT_CANCELLED 1
!define EXIT_FILE_NOT_WRITTEN 3
!define EXIT_NO_RIGHTS 4
!define EXIT_SETUP_RUNNING 5
!define EXIT_NEWER_KEPT 6
!define EXIT_ALL_USERS_INSTALLED 7
!define EXIT_NEWER_INSTALLED 8
!define EXIT_PACKAGE_INSTALLED 9
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
; The uninstaller chooses its scope by its own folder (Uninstall.nsh).
!define MULTIUSER_NOUNINSTALL

!addplugindir /x86-unicode "${PLUGINS}"
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
; The copies this installation replaces, as registered before it: folder and the outermost folder made for it.
Var MachineCopy
Var MachineCopyCreated
Var UserCopy
Var UserCopyCreated
; The log-on start as the installation being replaced has it (1 for a new one), and its new users' switch.
Var PreviousLogonStart
Var PreviousComponentSwitch
Var NoLogonStartAsked
; The new users' component's switch this installation registers.
Var ComponentSwitch
; How the program that ran before the setup was started again ("none": it was not).
Var RestartedBy

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
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartFromFinishPage
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"

!insertmacro MUI_PAGE_WELCOME
!define MULTIUSER_PAGE_CUSTOMFUNCTION_LEAVE OnInstallModeChosen
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE OnFolderChosen
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

!include RunningProgram.nsh
!include CopyFiles.nsh
!include FolderRules.nsh

; Two setups at once would replace and register the same files in turn: the lock is the named mutex, held as long as
; any handle to it is open. A setup that finds it waits a few seconds (an uninstaller's helper holds it until its
; last files are gone), then ends.
!define SETUP_LOCK_WAIT_STEPS 20
!define SETUP_LOCK_WAIT_STEP_MS 250
!macro OneSetupAtATime UN
Function ${UN}OneSetupAtATime
    StrCpy $2 0
    ${Do}
        System::Call 'kernel32::CreateMutex(p 0, i 0, t "${SETUP_MUTEX}") p .r0 ?e'
        Pop $1
        ${If} $1 <> 183 ; ERROR_ALREADY_EXISTS
            Return
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r0)'
        IntOp $2 $2 + 1
        ${If} $2 >= ${SETUP_LOCK_WAIT_STEPS}
            ${Break}
        ${EndIf}
        Sleep ${SETUP_LOCK_WAIT_STEP_MS}
    ${Loop}
    MessageBox MB_OK|MB_ICONEXCLAMATION "Another setup of ${PRODUCT} is running. Let it finish first." /SD IDOK
    SetErrorLevel ${EXIT_SETUP_RUNNING}
    Quit
FunctionEnd
!macroend
!insertmacro OneSetupAtATime ""
!insertmacro OneSetupAtATime "un."

; The uninstaller's helper cannot remove its own file: the next setup or uninstaller removes it and its private folder
; in the temporary folder. A helper still running holds its file, and its folder stays.
!macro RemoveEndedHelperFolders UN
Function ${UN}RemoveEndedHelperFolders
    FindFirst $0 $1 "$TEMP\kob3.0-*.tmp"
    ${DoWhile} $1 != ""
        Delete "$TEMP\$1\uninstall.exe"
        RMDir "$TEMP\$1"
        FindNext $0 $1
    ${Loop}
    FindClose $0
FunctionEnd
!macroend
!insertmacro RemoveEndedHelperFolders ""
!insertmacro RemoveEndedHelperFolders "un."

!macro DeleteShortcuts
    Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
    Delete "${MENU_FOLDER}\${PRODUCT} Help.lnk"
    Delete "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk"
    RMDir "${MENU_FOLDER}"
!macroend

!include Uninstall.nsh

Function KeepCommandLineFolder
    ${If} $CommandLineFolder != ""
        StrCpy $INSTDIR $CommandLineFolder
    ${EndIf}
FunctionEnd

; The folder given with /D=. The engine reads the switch only unquoted (and has set $INSTDIR from it by now);
; several deployment tools quote it whole ("/D=C:\Program Files\My DVC"), which the engine passes by in silence:
; the process's own command line holds it either way. A folder that is not a full path cannot be installed into:
; the setup fails as for a folder that cannot be written, never installing somewhere nobody asked for.
Function ReadCommandLineFolder
    System::Call 'kernel32::GetCommandLine() t .r0'
    StrCpy $CommandLineFolder ""
    ${StrStr} $1 $0 ' "/D='
    ${If} $1 != ""
        StrCpy $1 $1 "" 5
    ${Else}
        ${StrStr} $1 $0 " /D="
        ${If} $1 == ""
            Return
        ${EndIf}
        StrCpy $1 $1 "" 4
        StrCpy $2 $1 1
        ${If} $2 == '"'
            StrCpy $1 $1 "" 1
        ${EndIf}
    ${EndIf}
    ; Up to a closing quote, if any.
    StrLen $3 $1
    StrCpy $2 0
    ${DoWhile} $2 < $3
        StrCpy $4 $1 1 $2
        ${If} $4 == '"'
            StrCpy $1 $1 $2
            ${Break}
        ${EndIf}
        IntOp $2 $2 + 1
    ${Loop}
    ; Without a closing backslash, as the engine keeps its folders.
    StrCpy $2 $1 1 -1
    StrLen $3 $1
    ${If} $2 == "\"
    ${AndIf} $3 > 3
        StrCpy $1 $1 -1
    ${EndIf}
    StrCpy $CommandLineFolder $1
    StrCpy $2 $1 2 1
    StrCpy $3 $1 2
    ${If} $2 != ":\"
    ${AndIf} $3 != "\\"
        MessageBox MB_OK|MB_ICONSTOP "The files could not be written into $1." /SD IDOK
        SetErrorLevel ${EXIT_FILE_NOT_WRITTEN}
        Quit
    ${EndIf}
FunctionEnd

; The Windows Installer package's copy serves all users: no copy of the setup's is installed beside it. The engine
; knows the package by its upgrade code.
Function RefuseBesidePackage
    System::Call 'msi::MsiEnumRelatedProductsW(w "${MSI_UPGRADE_CODE}", i 0, i 0, w .r1) i .r0'
    ${If} $0 = 0
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} is installed for all users by its Windows Installer package. \
Remove it first with its uninstall (Add or Remove Programs: ${PRODUCT}), then run this setup." /SD IDOK
        SetErrorLevel ${EXIT_PACKAGE_INSTALLED}
        Quit
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

; A copy of one user's beside the copy of all users would start twice at his log-on, and a setup for one user may
; not remove the copy that serves everyone: the copy of all users serves him.
!define ALL_USERS_SERVE_YOU "${PRODUCT} is installed for all users of this computer and serves you too: it is not \
installed for you alone."
Function RefuseOneUserBesideAllUsers
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $MultiUser.InstallMode == CurrentUser
    ${AndIf} $0 != ""
        MessageBox MB_OK|MB_ICONINFORMATION "${ALL_USERS_SERVE_YOU}" /SD IDOK
        SetErrorLevel ${EXIT_ALL_USERS_INSTALLED}
        Quit
    ${EndIf}
FunctionEnd

Function OnInstallModeChosen
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $MultiUser.InstallMode == CurrentUser
    ${AndIf} $0 != ""
        MessageBox MB_OK|MB_ICONINFORMATION "${ALL_USERS_SERVE_YOU}"
        Abort
    ${EndIf}
    Call ChooseLogonStart
FunctionEnd

; Installing an older build over a newer one asks first; a silent setup changes nothing and says so in its exit code.
; The releases before the build numbered them show "3.00.0439", which compares older than every "3.0.<build>".
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
        ${If} ${Silent}
            SetErrorLevel ${EXIT_NEWER_INSTALLED}
            Quit
        ${EndIf}
        MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 "A newer version of ${PRODUCT} ($0) is installed.$\r$\n\
$\r$\nReplace it with the older version ${VERSION}?" IDYES +3
        SetErrorLevel ${EXIT_NEWER_KEPT}
        Quit
    ${EndIf}
FunctionEnd

; Where the copies this installation replaces are registered, read before it registers itself.
Function RememberPreviousCopies
    ReadRegStr $MachineCopy HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $MachineCopyCreated HKLM "${UNINSTALL_KEY}" "CreatedFolder"
    ReadRegStr $UserCopy HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $UserCopyCreated HKCU "${UNINSTALL_KEY}" "CreatedFolder"
FunctionEnd

; Once the new copy is in place and registered: the copy it replaces in another folder goes, and an installation for
; all users takes the installing user's own copy with it, which would start beside it at his log-on. A copy of
; another scope is never removed otherwise.
Function RemoveReplacedCopies
    ${If} $MultiUser.InstallMode == AllUsers
    ${AndIf} $MachineCopy != ""
    ${AndIf} $MachineCopy != $INSTDIR
        DetailPrint "Removing the copy in $MachineCopy"
        !insertmacro DeleteCopyFiles $MachineCopy
        !insertmacro RemoveCreatedFolders $MachineCopy $MachineCopyCreated
    ${EndIf}
    ${If} $UserCopy != ""
    ${AndIf} $UserCopy != $INSTDIR
        DetailPrint "Removing the copy in $UserCopy"
        !insertmacro DeleteCopyFiles $UserCopy
        !insertmacro RemoveCreatedFolders $UserCopy $UserCopyCreated
    ${EndIf}
    ${If} $MultiUser.InstallMode == AllUsers
    ${AndIf} $UserCopy != ""
        SetShellVarContext current
        !insertmacro DeleteShortcuts
        SetShellVarContext all
        DeleteRegKey HKCU "${UNINSTALL_KEY}"
        DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    ${EndIf}
FunctionEnd

; Starts the installed program as the user of this desktop, never with the setup's own elevated rights. A copy for
; all users starts through the new users' helper, which first gives the desktop's user his settings where he has
; none: he need not be the user who ran the setup. $0 becomes "none" when it could not be started.
Function StartForDesktopUser
    ${If} $MultiUser.InstallMode == AllUsers
        SetupSupport::StartForDesktopUser "$INSTDIR\${USER_HELPER}" "${START_PROGRAM_SWITCH}$ComponentSwitch" desktop
    ${Else}
        SetupSupport::StartForDesktopUser "$INSTDIR\${PROGRAM}" "" installing
    ${EndIf}
    Pop $0
    DetailPrint "${PRODUCT} started as the desktop's user: $0"
FunctionEnd

Section "${PRODUCT}" SecProgram
    SectionIn RO
    AddSize ${PROGRAM_FILES_KB}
    ; Until every file is in place, any end of the setup is a failure to write them.
    SetErrorLevel ${EXIT_FILE_NOT_WRITTEN}
    Call RememberPreviousCopies
    StrCpy $CloseFolder ""
    StrCpy $CloseSessions this
    ${If} $MultiUser.InstallMode == AllUsers
        StrCpy $CloseSessions all
    ${EndIf}
    Call CloseRunningProgram
    ${If} $0 == 1
        ${IfNot} ${Silent}
            SetErrorLevel ${EXIT_CANCELLED}
        ${EndIf}
        Abort
    ${EndIf}
    Call FindCreatedFolder
    Call RemoveLeftovers
    Call LockAllUsersFolder

    Call StageFiles
    ${If} $0 == 0
        Call CommitFiles
    ${EndIf}
    ${If} $0 != 0
        Call DiscardStagedFiles
        DetailPrint "The files could not be written into $INSTDIR."
        MessageBox MB_OK|MB_ICONSTOP "The files could not be written into $INSTDIR." /SD IDOK
        Abort
    ${EndIf}

    ; Registered only now that every file is in place; the log-on start first, so that a setup ended before its
    ; uninstall entry is written is read as no installation, never as one whose log-on start was switched off.
    Call ApplyLogonStart
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
    ; Run in place (_?=, always last), the uninstaller returns only when it has finished, with its own exit code.
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
        "$\"$INSTDIR\uninstall.exe$\" /$MultiUser.InstallMode /S _?=$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "HelpLink" "$INSTDIR\KOBHELP.HTM"
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    DeleteRegValue SHCTX "${UNINSTALL_KEY}" "CreatedFolder"
    ${If} $CreatedFolder != ""
        WriteRegStr SHCTX "${UNINSTALL_KEY}" "CreatedFolder" "$CreatedFolder"
    ${EndIf}
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
    Call RemoveReplacedCopies
SectionEnd

; The log-on start in the installation's scope: for everyone who logs on, or for this user alone. The program's section
; writes it (ApplyLogonStart), before the installation is registered.
Section "Start with Windows" SecLogonStart
SectionEnd

Function ApplyLogonStart
    ${If} ${SectionIsSelected} ${SecLogonStart}
        ${If} $MultiUser.InstallMode == AllUsers
            WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" "$\"$INSTDIR\${PROGRAM}$\""
            DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
        ${Else}
            WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" "$\"$INSTDIR\${PROGRAM}$\""
        ${EndIf}
    ${Else}
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
FunctionEnd

; The new users' switch: as the installation being replaced had it unless the log-on start changes now.
Function ChooseComponentSwitch
    StrCpy $0 0
    ${If} ${SectionIsSelected} ${SecLogonStart}
        StrCpy $0 1
    ${EndIf}
    ${If} $NoLogonStartAsked == 1
    ${OrIf} $0 != $PreviousLogonStart
        StrCpy $ComponentSwitch ""
        ${If} $0 == 0
            StrCpy $ComponentSwitch " ${NO_LOGON_START_SWITCH}"
        ${EndIf}
    ${Else}
        StrCpy $ComponentSwitch $PreviousComponentSwitch
    ${EndIf}
FunctionEnd

; The log-on start: on for a new installation; over an installation, as that installation has it (the machine's
; own Run value for a copy of all users, whoever runs the update; the user's for his own copy, also when a copy for
; all users replaces it); off with the packagers' switch.
Function ChooseLogonStart
    StrCpy $PreviousLogonStart 1
    StrCpy $PreviousComponentSwitch ""
    ${If} $MultiUser.InstallMode == AllUsers
        ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
        ReadRegStr $1 HKLM "${RUN_KEY}" "${PRODUCT}"
        ReadRegStr $2 HKLM "${ACTIVE_SETUP_KEY}" "StubPath"
        ; The first copy for all users replaces the installing user's own copy: his choice carries over.
        ${If} $0 == ""
            ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
            ReadRegStr $1 HKCU "${RUN_KEY}" "${PRODUCT}"
        ${EndIf}
    ${Else}
        ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
        ReadRegStr $1 HKCU "${RUN_KEY}" "${PRODUCT}"
        StrCpy $2 ""
    ${EndIf}
    ${If} $0 != ""
        ${If} $1 == ""
            StrCpy $PreviousLogonStart 0
        ${EndIf}
        ${StrStr} $3 $2 "${NO_LOGON_START_SWITCH}"
        ${If} $3 != ""
            StrCpy $PreviousComponentSwitch " ${NO_LOGON_START_SWITCH}"
        ${EndIf}
    ${EndIf}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "${NO_LOGON_START_SWITCH}" $1
    ${If} ${Errors}
        StrCpy $NoLogonStartAsked 0
    ${Else}
        StrCpy $NoLogonStartAsked 1
    ${EndIf}
    ${If} $PreviousLogonStart == 1
    ${AndIf} $NoLogonStartAsked == 0
        !insertmacro SelectSection ${SecLogonStart}
    ${Else}
        !insertmacro UnselectSection ${SecLogonStart}
    ${EndIf}
FunctionEnd

Function .onInit
    Call ReadCommandLineFolder
    Call OneSetupAtATime
    Call RefuseBesidePackage
    Call RemoveEndedHelperFolders
    Call RefuseAllUsersWithoutRights
    !insertmacro MULTIUSER_INIT
    Call RefuseOneUserBesideAllUsers
    Call WarnOfDowngrade
    ${If} ${Silent}
    ${OrIf} $CommandLineFolder != ""
        Call RefuseUnfitFolder
    ${EndIf}
    Call ChooseLogonStart
FunctionEnd

Section "-Finish"
    ; Every other user gets his settings at his first log-on after this version, before the log-on start runs
    ; the program.
    Call ChooseComponentSwitch
    ${If} $MultiUser.InstallMode == AllUsers
        WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "" "${PRODUCT}"
        WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "ComponentID" "DrovoVolumeController"
        WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "Version" "${ACTIVE_SETUP_VERSION}"
        WriteRegDWORD HKLM "${ACTIVE_SETUP_KEY}" "IsInstalled" 1
        WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "StubPath" "$\"$INSTDIR\${USER_HELPER}$\"$ComponentSwitch"
    ${EndIf}

    ; The copy that ran before the update runs again.
    ${If} $ProgramWasRunning == 1
        Call StartForDesktopUser
        StrCpy $RestartedBy $0
    ${EndIf}
    SetErrorLevel 0
SectionEnd

; A setup that failed leaves the installed copy as it was, and the copy that ran before runs again from there.
Function .onInstFailed
    Call DiscardStagedFiles
    StrCpy $0 $UserCopy
    ${If} $MultiUser.InstallMode == AllUsers
        StrCpy $0 $MachineCopy
    ${EndIf}
    ; Started itself, not through the helper beside it: the helper of an earlier release does not start it.
    ${If} $ProgramWasRunning == 1
    ${AndIf} $0 != ""
        ${If} $MultiUser.InstallMode == AllUsers
            SetupSupport::StartForDesktopUser "$0\${PROGRAM}" "" desktop
        ${Else}
            SetupSupport::StartForDesktopUser "$0\${PROGRAM}" "" installing
        ${EndIf}
        Pop $0
        DetailPrint "${PRODUCT} started again as the desktop's user: $0"
    ${EndIf}
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

!define NOT_STARTED "${PRODUCT} could not be started for the user of this desktop without the setup's \
administrator's rights. Start it from the Start menu."

; The setup restarted the copy that was running: a second start from the finish page would only be refused. Where
; it could not, the page says so.
Function OnFinishPageShown
    ${If} $ProgramWasRunning == 1
        SendMessage $mui.FinishPage.Run ${BM_SETCHECK} 0 0
        ShowWindow $mui.FinishPage.Run ${SW_HIDE}
    ${EndIf}
    ${If} $RestartedBy == none
        SendMessage $mui.FinishPage.Text ${WM_SETTEXT} 0 "STR:${NOT_STARTED}"
    ${EndIf}
FunctionEnd

Function StartFromFinishPage
    Call StartForDesktopUser
    ${If} $0 == none
        MessageBox MB_OK|MB_ICONINFORMATION "${NOT_STARTED}"
    ${EndIf}
FunctionEnd
