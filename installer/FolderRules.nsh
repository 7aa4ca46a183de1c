; The folders the setup installs into: a folder of its own, which Windows names as given and in which the program
; starts; for all users one that only administrators can change, since everyone who logs on runs its files.

; The longest folder whose staged files ("uninstall.exe.new") still fit in the 259 characters of a path the
; program is started by.
!define LONGEST_FOLDER 241

; $R1 becomes 1 when $R2 (a file's name in the folder) is one of the setup's own files, staged or set aside too.
!macro IsOwnFileName INDEX NAME
    ${If} $R2 == "${NAME}"
    ${OrIf} $R2 == "${NAME}${STAGED}"
    ${OrIf} $R2 == "${NAME}${REPLACED}"
        StrCpy $R1 1
    ${EndIf}
!macroend

; $R0 becomes why $R9 cannot be installed into, or "" when it can.
Function FindFolderFault
    StrCpy $R0 ""
    StrLen $R3 $R9
    StrCpy $R4 $R9 2
    ${If} $R3 > ${LONGEST_FOLDER}
        StrCpy $R0 "its path is too long for Windows to start the program from it"
        Return
    ${EndIf}
    ; A drive's root, or a network share's (\\server\share: three backslashes).
    ${If} $R4 == "\\"
        StrCpy $R5 0
        StrCpy $R6 0
        ${DoWhile} $R6 < $R3
            StrCpy $R7 $R9 1 $R6
            ${If} $R7 == "\"
                IntOp $R5 $R5 + 1
            ${EndIf}
            IntOp $R6 $R6 + 1
        ${Loop}
        ${If} $R5 < 4
            StrCpy $R0 "it is the root of a network share"
            Return
        ${EndIf}
    ${ElseIf} $R3 <= 3
        StrCpy $R0 "it is the root of a drive"
        Return
    ${EndIf}
    ; Characters Windows does not allow in a name, and names it would change (a trailing dot or blank).
    StrCpy $R5 2
    ${If} $R4 == "\\"
        StrCpy $R5 1
    ${EndIf}
    ${DoWhile} $R5 < $R3
        StrCpy $R6 $R9 1 $R5
        IntOp $R7 $R5 + 1
        StrCpy $R8 $R9 1 $R7
        ${If} $R8 == "\"
        ${OrIf} $R8 == ""
            ${If} $R6 == "."
            ${OrIf} $R6 == " "
                StrCpy $R0 "Windows would change a name in it ending with a dot or a blank"
                Return
            ${EndIf}
        ${EndIf}
        ${If} $R6 == "<"
        ${OrIf} $R6 == ">"
        ${OrIf} $R6 == ":"
        ${OrIf} $R6 == '"'
        ${OrIf} $R6 == "/"
        ${OrIf} $R6 == "|"
        ${OrIf} $R6 == "?"
        ${OrIf} $R6 == "*"
            StrCpy $R0 "Windows does not allow $\"$R6$\" in a name"
            Return
        ${EndIf}
        IntOp $R5 $R5 + 1
    ${Loop}
    SetupSupport::FindNameFault $R9
    Pop $R5
    ${If} $R5 == device
        StrCpy $R0 "a name in it is one Windows keeps for a device (such as CON, NUL, COM1 or LPT1)"
        Return
    ${ElseIf} $R5 != none
        StrCpy $R0 "Windows does not allow a control character in a name"
        Return
    ${EndIf}
    ; Windows and its own folders.
    StrLen $R5 $WINDIR
    StrCpy $R6 $R9 $R5
    StrCpy $R7 $R9 1 $R5
    ${If} $R6 == $WINDIR
    ${AndIf} $R7 == "\"
    ${OrIf} $R9 == $WINDIR
        StrCpy $R0 "it is Windows's own folder"
        Return
    ${EndIf}
    ; A folder of something else: its files would be replaced, and removed with the program.
    ReadRegStr $R5 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $R6 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R5 == $R9
    ${OrIf} $R6 == $R9
        Return
    ${EndIf}
    FindFirst $R7 $R2 "$R9\*.*"
    ${DoWhile} $R2 != ""
        StrCpy $R1 0
        ${If} $R2 == "."
        ${OrIf} $R2 == ".."
            StrCpy $R1 1
        ${EndIf}
        !insertmacro ForEachCopyFile IsOwnFileName
        ${If} $R1 == 0
            StrCpy $R0 "it holds files this setup did not install ($R2)"
            ${Break}
        ${EndIf}
        FindNext $R7 $R2
    ${Loop}
    FindClose $R7
FunctionEnd

; A silent setup, or one given /D=, ends when the folder cannot be installed into; nothing is written.
Function RefuseUnfitFolder
    ; As given: the engine drops the characters it does not allow from its own folder.
    StrCpy $R9 $INSTDIR
    ${If} $CommandLineFolder != ""
        StrCpy $R9 $CommandLineFolder
    ${EndIf}
    Call FindFolderFault
    ${If} $R0 != ""
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} cannot be installed into $R9: $R0." /SD IDOK
        SetErrorLevel ${EXIT_FILE_NOT_WRITTEN}
        Quit
    ${EndIf}
FunctionEnd

Function OnFolderChosen
    StrCpy $R9 $INSTDIR
    Call FindFolderFault
    ${If} $R0 != ""
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} cannot be installed into $INSTDIR: $R0. Choose another folder."
        Abort
    ${EndIf}
FunctionEnd

; A copy for all users outside Program Files gets a folder only administrators and the system can change, before any
; file is written into it (the folders the setup makes for it too); a folder that keeps other rights is not used.
Function LockAllUsersFolder
    ${If} $MultiUser.InstallMode != AllUsers
        Return
    ${EndIf}
    StrLen $0 "$PROGRAMFILES\"
    StrCpy $1 $INSTDIR $0
    StrLen $0 "$PROGRAMFILES64\"
    StrCpy $2 $INSTDIR $0
    ${If} $1 == "$PROGRAMFILES\"
    ${OrIf} $2 == "$PROGRAMFILES64\"
        Return
    ${EndIf}
    CreateDirectory $INSTDIR
    ${If} $CreatedFolder != ""
    ${AndIf} $CreatedFolder != $INSTDIR
        SetupSupport::LockFolder $CreatedFolder
        Pop $0
    ${EndIf}
    SetupSupport::LockFolder $INSTDIR
    Pop $0
    DetailPrint "The access of $INSTDIR: $0"
    ${If} $0 != locked
        Call DiscardStagedFiles
        MessageBox MB_OK|MB_ICONSTOP "The access to $INSTDIR could not be limited to administrators: other users could \
change the program everyone runs." /SD IDOK
        Abort
    ${EndIf}
FunctionEnd
