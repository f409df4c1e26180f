; Installer of KSV717N for 64-bit Windows, built by cmake/WindowsPackage.cmake:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.2 -DVERSION4=1.2.0.0 -DPUBLISHER=...
;            -DCOPYRIGHT=... -DHOMEPAGE=... -DSTAGE=<staged folder> -DICON=<.ico>
;            -DOUTFILE=<setup.exe> installer.nsi
; "setup.exe /S" installs without a question; "/D=C:\Folder" (last, unquoted)
; chooses the folder. The program's folder goes on the machine's PATH, so
; that "ksv717n-cli" works in every new console. The uninstaller removes
; exactly what was installed, the folder from PATH, and the folder itself
; when nothing else is left in it.

; A 64-bit installer: it runs where the programs run (and under a 64-bit-only
; Wine), and it sees the 64-bit registry and Program Files without redirection.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!include MUI2.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include LogicLib.nsh
!include "${SIZE_NSH}" ; INSTALLED_SIZE: "23,4 МБ", as Windows writes sizes

!define PRODUCT "KSV717N"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KSV717N"
!define DISPLAY_NAME "KSV717N — программирование радиостанций Тарвен"
!define CONSOLE_NAME "Командная строка KSV717N"
!define PATH_NOT_CHANGED "Папка программы не добавлена в переменную PATH: её значение слишком длинное или не читается. Команду можно запускать по полному имени: $INSTDIR\ksv717n-cli.exe"
!define ENVIRONMENT_KEY "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"

Name "${PRODUCT} ${VERSION}"
Caption "Установка ${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\ksv717n.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
; NSIS writes sizes with a point ("23.4 Мбайт"); the page names it itself.
!define MUI_DIRECTORYPAGE_TEXT_TOP "Программа будет установлена в указанную папку. Ей нужно ${INSTALLED_SIZE} на диске. Чтобы выбрать другую папку, нажмите «Обзор…»."
SpaceTexts none
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "FileDescription" "Установка ${DISPLAY_NAME}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_RUSSIAN} "LegalCopyright" "${COPYRIGHT}"

; Every file the package installs besides the uninstaller; the uninstaller
; removes the same list.
!macro EACH_FILE DO
  !insertmacro ${DO} . ksv717n.exe
  !insertmacro ${DO} . ksv717n-cli.exe
  !insertmacro ${DO} . README.txt
  !insertmacro ${DO} licenses COPYING.txt
  !insertmacro ${DO} licenses copyright.txt
  !insertmacro ${DO} licenses LICENSE-terminus.txt
  !insertmacro ${DO} licenses LGPL-3.txt
  !insertmacro ${DO} licenses Qt-NOTICE.txt
  !insertmacro ${DO} licenses Qt-copyright.txt
  !insertmacro ${DO} licenses MinGW-w64-copyright.txt
!macroend
!macro INSTALL_FILE DIR NAME
  SetOutPath "$INSTDIR\${DIR}"
  File "${STAGE}\${DIR}\${NAME}"
!macroend
!macro REMOVE_FILE DIR NAME
  Delete "$INSTDIR\${DIR}\${NAME}"
!macroend

; The PATH in $R0 without the program's folder ("$INSTDIR" or "$INSTDIR\",
; compared without regard to case, as Windows compares names); $R1 is 1 when
; it held the folder. Empty entries are left out.
!macro PATH_WITHOUT_FOLDER UN
Function ${UN}PathWithoutFolder
  Push $R2 ; what is left to split
  Push $R3 ; the entry
  Push $R4 ; the result
  Push $R5 ; position
  Push $R6 ; the character there
  StrCpy $R2 $R0
  StrCpy $R4 ""
  StrCpy $R1 0
  entry:
    StrCpy $R5 0
  scan:
    StrCpy $R6 $R2 1 $R5
    StrCmp $R6 "" cut
    StrCmp $R6 ";" cut
    IntOp $R5 $R5 + 1
    Goto scan
  cut:
    StrCpy $R3 $R2 $R5
    IntOp $R5 $R5 + 1
    StrCpy $R2 $R2 "" $R5
    StrCmp $R3 "" next
    StrCmp $R3 "$INSTDIR" drop
    StrCmp $R3 "$INSTDIR\" drop
    StrCmp $R4 "" 0 +3
    StrCpy $R4 $R3
    Goto next
    StrCpy $R4 "$R4;$R3"
    Goto next
  drop:
    StrCpy $R1 1
  next:
    StrCmp $R6 "" 0 entry
  StrCpy $R0 $R4
  Pop $R6
  Pop $R5
  Pop $R4
  Pop $R3
  Pop $R2
FunctionEnd
!macroend
!insertmacro PATH_WITHOUT_FOLDER ""
!insertmacro PATH_WITHOUT_FOLDER "un."

; Reads the machine's PATH into $R0 as it is stored (REG_EXPAND_SZ, the
; %variables% kept); errors when it cannot be read whole. NSIS holds at most
; NSIS_MAX_STRLEN characters, and a shortened PATH written back would break
; other programs: such a PATH is left alone.
!macro READ_PATH
  ClearErrors
  ReadRegStr $R0 HKLM "${ENVIRONMENT_KEY}" "Path"
  ${IfNot} ${Errors}
    StrLen $R1 "$R0;$INSTDIR"
    ${If} $R1 >= ${NSIS_MAX_STRLEN}
      SetErrors
    ${EndIf}
  ${EndIf}
!macroend

; Stores $R0 as the machine's PATH and tells the running programs (Explorer
; passes it on to the consoles started from now on).
!macro WRITE_PATH
  WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" $R0
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
!macroend

Function AddFolderToPath
  !insertmacro READ_PATH
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONINFORMATION "${PATH_NOT_CHANGED}" /SD IDOK
    Return
  ${EndIf}
  StrCpy $R2 $R0
  Call PathWithoutFolder
  ${If} $R1 == 0
    StrCpy $R0 "$R2;$INSTDIR"
    !insertmacro WRITE_PATH
  ${EndIf}
FunctionEnd

Function un.RemoveFolderFromPath
  !insertmacro READ_PATH
  ${If} ${Errors}
    DetailPrint "Переменная PATH не изменена: её значение слишком длинное или не читается"
    Return
  ${EndIf}
  Call un.PathWithoutFolder
  ${If} $R1 == 1
    !insertmacro WRITE_PATH
  ${EndIf}
FunctionEnd

Section "${PRODUCT}"
  SetShellVarContext all
  !insertmacro EACH_FILE INSTALL_FILE
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\ksv717n.exe" "" \
    "$INSTDIR\ksv717n.exe" 0 SW_SHOWNORMAL "" "${DISPLAY_NAME}"
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\ksv717n.exe" "" \
    "$INSTDIR\ksv717n.exe" 0 SW_SHOWNORMAL "" "${DISPLAY_NAME}"
  ; A console in the user's documents with a line on how to begin; the
  ; program's folder is on PATH. The starting folder is set by the command,
  ; since one shortcut serves every user.
  CreateShortcut "$SMPROGRAMS\${CONSOLE_NAME}.lnk" "$SYSDIR\cmd.exe" \
    '/k "title ${CONSOLE_NAME} & cd /d "%USERPROFILE%\Documents" & echo Команды программы KSV717N: ksv717n-cli --help"' \
    "$INSTDIR\ksv717n-cli.exe" 0 SW_SHOWNORMAL "" "${CONSOLE_NAME}"
  Call AddFolderToPath

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${DISPLAY_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\ksv717n.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${CONSOLE_NAME}.lnk"
  Call un.RemoveFolderFromPath
  !insertmacro EACH_FILE REMOVE_FILE
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR\licenses"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
