; The files of a copy of the program: written beside the ones they replace and swapped in only when all of them are
; there, so that a setup that fails leaves the installed copy as it was; removed by name, so that no setup and no
; uninstaller ever removes a folder with anything else in it.

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

!macro CheckStagedFile INDEX NAME
    ${IfNot} ${FileExists} "$INSTDIR\${NAME}${STAGED}"
        StrCpy $0 1
    ${EndIf}
!macroend

!macro DeleteStagedFile INDEX NAME
    Delete "$INSTDIR\${NAME}${STAGED}"
!macroend

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

; A file is replaced by moving the old one aside and the new one into its place; a file held open by another
; program refuses the first move, and nothing of it has changed.
!macro SwapInFile INDEX NAME
    ${If} $FailedFile == ""
        StrCpy $FailedFile "${NAME}"
        Delete "$INSTDIR\${NAME}${REPLACED}"
        ${IfNot} ${FileExists} "$INSTDIR\${NAME}${REPLACED}"
            ClearErrors
            ${If} ${FileExists} "$INSTDIR\${NAME}"
                Rename "$INSTDIR\${NAME}" "$INSTDIR\${NAME}${REPLACED}"
            ${EndIf}
            ${IfNot} ${Errors}
                Rename "$INSTDIR\${NAME}${STAGED}" "$INSTDIR\${NAME}"
                ${IfNot} ${Errors}
                    StrCpy $FailedFile ""
                    IntOp $SwappedFiles $SwappedFiles + 1
                ${EndIf}
            ${EndIf}
        ${EndIf}
    ${EndIf}
!macroend

; The files swapped in go again and the old ones come back; the one that failed may have been moved aside already.
!macro RestoreFile INDEX NAME
    ${If} $SwappedFiles > ${INDEX}
        Delete "$INSTDIR\${NAME}"
        Rename "$INSTDIR\${NAME}${REPLACED}" "$INSTDIR\${NAME}"
    ${ElseIf} $SwappedFiles == ${INDEX}
    ${AndIfNot} ${FileExists} "$INSTDIR\${NAME}"
        Rename "$INSTDIR\${NAME}${REPLACED}" "$INSTDIR\${NAME}"
    ${EndIf}
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
