; Setup of Drovo Volume Controller 3.0. Built by the project's build with makensis:
;   makensis -DBUILD_DIR=<folder of kob3.0.exe> -DRESOURCES=<resources folder> -DOUTFILE=<setup.exe> kob.nsi
; An administrator installs for all users under Program Files; any other user (on Windows Vista and later without
; elevation) installs into his own programs folder. The program's settings always go to the HKEY_CURRENT_USER of
; the user who runs the setup, because the program reads them there. /S installs or uninstalls silently.

Unicode true
SetCompressor /SOLID lzma

!define PRODUCT "Drovo Volume Controller 3.0"
!define COMPANY "Marlox's Software"
!define PROGRAM "kob3.0.exe"
!define PROGRAM_KEY "Software\Marlox's Software\Drovo Volume Controller\3.0"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Drovo Volume Controller 3.0"
!define COMPANION_CLASS "DrovoVC3Companion"
!define MENU_FOLDER "$SMPROGRAMS\Drovo Volume Controller"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "Drovo Volume Controller"
; An update keeps the mode and the folder of the installation it replaces.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"

!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include WinMessages.nsh

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${COMPANY}"

VIProductVersion 3.0.0.439
VIFileVersion 3.0.0.439
VIAddVersionKey /LANG=1033 "ProductName" "Drovo Volume Controller"
VIAddVersionKey /LANG=1033 "FileDescription" "Drovo Volume Controller 3.0 Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "FileVersion" "3.00.0439"
VIAddVersionKey /LANG=1033 "ProductVersion" "3.00.0439"
VIAddVersionKey /LANG=1033 "InternalName" "kob3.0"
VIAddVersionKey /LANG=1033 "Comments" "An alternative for Windows master playback Volume Control."
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${COMPANY}"

!define MUI_ICON "${RESOURCES}/kob.ico"
!define MUI_UNICON "${RESOURCES}/kob.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Closes a running copy as Windows does at log-off (it records its controller as closed and takes its icon out of
; the tray), and waits until its process has ended, so that its files can be replaced or removed.
!macro EndRunningCopy UN
Function ${UN}EndRunningCopy
    FindWindow $0 "${COMPANION_CLASS}" ""
    ${If} $0 != 0
        System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
        System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2'
        SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
        ${If} $2 != 0
            System::Call 'kernel32::WaitForSingleObject(p r2, i 10000)'
            System::Call 'kernel32::CloseHandle(p r2)'
        ${Else}
            Sleep 1000
        ${EndIf}
    ${EndIf}
FunctionEnd
!macroend
!insertmacro EndRunningCopy ""
!insertmacro EndRunningCopy "un."

Function .onInit
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Install"
    Call EndRunningCopy
    SetOutPath "$INSTDIR"
    File "${BUILD_DIR}/${PROGRAM}"
    File "${RESOURCES}/KOBHELP.HTM"
    File "${RESOURCES}/POURING.WAV"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The first start after every installation registers the log-on start and records the controller closed.
    WriteRegDWORD HKCU "${PROGRAM_KEY}" "cstpval" 1

    CreateDirectory "${MENU_FOLDER}"
    CreateShortCut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM}"
    CreateShortCut "${MENU_FOLDER}\${PRODUCT} Help.lnk" "$INSTDIR\KOBHELP.HTM"
    CreateShortCut "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe" "/$MultiUser.InstallMode"

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "3.00.0439"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$\"$INSTDIR\${PROGRAM}$\""
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallMode" "$MultiUser.InstallMode"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\uninstall.exe$\" /$MultiUser.InstallMode"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\uninstall.exe$\" /$MultiUser.InstallMode /S"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "HelpLink" "$INSTDIR\KOBHELP.HTM"
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" 1024
SectionEnd

Section "Uninstall"
    Call un.EndRunningCopy
    Delete "$INSTDIR\${PROGRAM}"
    Delete "$INSTDIR\KOBHELP.HTM"
    Delete "$INSTDIR\POURING.WAV"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"

    Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
    Delete "${MENU_FOLDER}\${PRODUCT} Help.lnk"
    Delete "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk"
    RMDir "${MENU_FOLDER}"

    ; The log-on start may have been written for everyone or, without the right to, for this user alone.
    DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    DeleteRegKey HKCU "${PROGRAM_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Marlox's Software\Drovo Volume Controller"
    DeleteRegKey /ifempty HKCU "Software\Marlox's Software"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
