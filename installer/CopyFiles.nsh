; The files of a copy of the program: written beside the ones they replace and swapped in only when all of them are
; there, so that a setup that fails leaves the installed copy as it was; each swapped in by one replacing move, so
; that the program is in its place at every moment, whenever the setup is ended; removed by name, staged and set-aside
; files of an ended setup too, so that no setup and no uninstaller ever removes a folder with anything else in it.

!define STAGED ".new"
!define REPLACED ".old"

Var CreatedFolder
; How many files the new ones have replaced so far, and the one whose replacement failed.
Var SwappedFiles
Var FailedFile

!define UNINSTALLER "uninstall.exe"

!macro ForEachProgramFile MACRO
    !insertmacro ${MACRO} 0 "${PROGRAM}"
    !insertmacro ${MACRO} 1 "${USER_HELPER}"
    !insertmacro ${MACRO} 2 "KOBHELP.HTM"
    !insertmacro ${MACRO} 3 "POURING.WAV"
!macroend

!macro ForEachCopyFile MACRO
    !insertmacro ForEachProgramFile ${MACRO}
    !insertmacro ${MACRO} 4 "${UNINSTALLER}"
!macroend

!macro DeleteCopyFile INDEX NAME
    Delete /REBOOTOK "$R9\${NAME}"
    Delete /REBOOTOK "$R9\${NAME}${STAGED}"
    Delete /REBOOTOK "$R9\${NAME}${REPLACED}"
!macroend

; The program's files in FOLDER (its uninstaller stays).
!macro DeleteProgramFiles FOLDER
    StrCpy $R9 ${FOLDER}
    !insertmacro ForEachProgramFile DeleteCopyFile
!macroend

!macro DeleteCopyFiles FOLDER
    StrCpy $R9 ${FOLDER}
    !insertmacro ForEachCopyFile DeleteCopyFile
    RMDir /REBOOTOK "$R9"
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

; What a setup ended midway left: a file an earlier release's setup had moved aside comes back into its place, then
; the staged and set-aside files go.
!macro RemoveLeftover INDEX NAME
    ${IfNot} ${FileExists} "$INSTDIR\${NAME}"
    ${AndIf} ${FileExists} "$INSTDIR\${NAME}${REPLACED}"
        Rename "$INSTDIR\${NAME}${REPLACED}" "$INSTDIR\${NAME}"
    ${EndIf}
    Delete "$INSTDIR\${NAME}${STAGED}"
    Delete "$INSTDIR\${NAME}${REPLACED}"
!macroend

Function RemoveLeftovers
    !insertmacro ForEachCopyFile RemoveLeftover
FunctionEnd

!macro CheckStagedFile INDEX NAME
    ${IfNot} ${FileExists} "$INSTDIR\${NAME}${STAGED}"
        StrCpy $0 1
    ${EndIf}
!macroend

!macro DeleteStagedFile INDEX NAME
    Delete "$INSTDIR\${NAME}${STAGED}"
!macroend

; The space the program's files take, for the pages (the uninstaller, written by the setup, comes on top).
!tempfile PROGRAM_FILES_SIZE
!system 'cat "${BUILD_DIR}/${PROGRAM}" "${BUILD_DIR}/${USER_HELPER}" "${RESOURCES}/KOBHELP.HTM" \
    "${RESOURCES}/POURING.WAV" | wc -c >"${PROGRAM_FILES_SIZE}"' = 0
!searchparse /file "${PROGRAM_FILES_SIZE}" "" PROGRAM_FILES_BYTES
!delfile "${PROGRAM_FILES_SIZE}"
!define /math PROGRAM_FILES_ROUNDED ${PROGRAM_FILES_BYTES} + 1023
!define /math PROGRAM_FILES_KB ${PROGRAM_FILES_ROUNDED} / 1024

; The new files, each beside the file it replaces; every one must be there. A file the engine cannot write ends
; the setup at once (.onInstFailed discards what was written).
Function StageFiles
    ClearErrors
    SetOutPath "$INSTDIR"
    File "/oname=${PROGRAM}${STAGED}" "${BUILD_DIR}/${PROGRAM}"
    File "/oname=${USER_HELPER}${STAGED}" "${BUILD_DIR}/${USER_HELPER}"
    File "/oname=KOBHELP.HTM${STAGED}" "${RESOURCES}/KOBHELP.HTM"
    File "/oname=POURING.WAV${STAGED}" "${RESOURCES}/POURING.WAV"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}${STAGED}"
    StrCpy $0 0
    ${If} ${Errors}
        StrCpy $0 1
    ${EndIf}
    !insertmacro ForEachCopyFile CheckStagedFile
FunctionEnd

Function DiscardStagedFiles
    !insertmacro ForEachCopyFile DeleteStagedFile
    ${If} $CreatedFolder != ""
        RMDir "$INSTDIR"
        !insertmacro RemoveCreatedFolders $INSTDIR $CreatedFolder
    ${EndIf}
FunctionEnd

; MoveFileEx's: the target is replaced in one step, and the move is on the disk when it returns.
!define MOVEFILE_REPLACE_WRITE_THROUGH 9
; CreateFile's: GENERIC_WRITE and DELETE, an existing file.
!define WRITE_AND_DELETE 0x40010000
!define OPEN_EXISTING 3
!define INVALID_HANDLE_VALUE -1

; A file is replaced by keeping the old one under a second name (a second link to it, or a copy where the file
; system has no links) and moving the new one over it; a file held open by another program refuses the move, and
; nothing of it has changed.
!macro SwapInFile INDEX NAME
    ${If} $FailedFile == ""
        StrCpy $FailedFile "${NAME}"
        Delete "$INSTDIR\${NAME}${REPLACED}"
        StrCpy $R1 1
        ${If} ${FileExists} "$INSTDIR\${NAME}"
            ; In use (held open, or a running program's file), it is left as it is, without a second name.
            System::Call 'kernel32::CreateFileW(t "$INSTDIR\${NAME}", i ${WRITE_AND_DELETE}, i 0, p 0, \
                i ${OPEN_EXISTING}, i 0, p 0) p .R2'
            ${If} $R2 P= ${INVALID_HANDLE_VALUE}
                StrCpy $R1 0
            ${Else}
                System::Call 'kernel32::CloseHandle(p R2)'
            ${EndIf}
        ${EndIf}
        ${If} $R1 <> 0
        ${AndIf} ${FileExists} "$INSTDIR\${NAME}"
            System::Call 'kernel32::CreateHardLinkW(t "$INSTDIR\${NAME}${REPLACED}", t "$INSTDIR\${NAME}", p 0) i .R1'
            ${If} $R1 = 0
                System::Call 'kernel32::CopyFileW(t "$INSTDIR\${NAME}", t "$INSTDIR\${NAME}${REPLACED}", i 1) i .R1'
            ${EndIf}
        ${EndIf}
        ${If} $R1 <> 0
            System::Call 'kernel32::MoveFileExW(t "$INSTDIR\${NAME}${STAGED}", t "$INSTDIR\${NAME}", \
                i ${MOVEFILE_REPLACE_WRITE_THROUGH}) i .R1'
            ${If} $R1 <> 0
                StrCpy $FailedFile ""
                IntOp $SwappedFiles $SwappedFiles + 1
            ${EndIf}
        ${EndIf}
    ${EndIf}
!macroend

; The files swapped in get the old ones back over them (a file that was new goes); no set-aside copy stays.
!macro RestoreFile INDEX NAME
    ${If} $SwappedFiles > ${INDEX}
        ${If} ${FileExists} "$INSTDIR\${NAME}${REPLACED}"
            System::Call 'kernel32::MoveFileExW(t "$INSTDIR\${NAME}${REPLACED}", t "$INSTDIR\${NAME}", \
                i ${MOVEFILE_REPLACE_WRITE_THROUGH}) i .R1'
        ${Else}
            Delete "$INSTDIR\${NAME}"
        ${EndIf}
    ${EndIf}
    Delete "$INSTDIR\${NAME}${REPLACED}"
!macroend

!macro DeleteReplacedFile INDEX NAME
    Delete /REBOOTOK "$INSTDIR\${NAME}${REPLACED}"
!macroend

; Swaps all new files in, or none: $0 becomes 1 when a file could not be replaced and everything was put back.
Function CommitFiles
    StrCpy $SwappedFiles 0
    StrCpy $FailedFile ""
    !insertmacro ForEachCopyFile SwapInFile
    ${If} $FailedFile != ""
        DetailPrint "$INSTDIR\$FailedFile could not be replaced: the installed copy stays as it was."
        !insertmacro ForEachCopyFile RestoreFile
        StrCpy $0 1
        Return
    ${EndIf}
    !insertmacro ForEachCopyFile DeleteReplacedFile
    StrCpy $0 0
FunctionEnd
