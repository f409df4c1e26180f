; Installer of KSV717N for 64-bit Windows, built by cmake/WindowsPackage.cmake:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.1 -DVERSION4=1.1.0.0 -DPUBLISHER=...
;            -DCOPYRIGHT=... -DHOMEPAGE=... -DSTAGE=<staged folder> -DICON=<.ico>
;            -DOUTFILE=<setup.exe> installer.nsi
; "setup.exe /S" installs without a question; "/D=C:\Folder" (last, unquoted)
; chooses the folder. The uninstaller removes exactly what was installed and
; the folder too, when nothing else is left in it.

; A 64-bit installer: it runs where the programs run (and under a 64-bit-only
; Wine), and it sees the 64-bit registry and Program Files without redirection.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!include MUI2.nsh
!include FileFunc.nsh

!define PRODUCT "KSV717N"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KSV717N"
!define DISPLAY_NAME "KSV717N — программирование радиостанций Тарвен"

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

Section "${PRODUCT}"
  SetShellVarContext all
  !insertmacro EACH_FILE INSTALL_FILE
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\ksv717n.exe" "" \
    "$INSTDIR\ksv717n.exe" 0 SW_SHOWNORMAL "" "${DISPLAY_NAME}"
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\ksv717n.exe" "" \
    "$INSTDIR\ksv717n.exe" 0 SW_SHOWNORMAL "" "${DISPLAY_NAME}"

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
  !insertmacro EACH_FILE REMOVE_FILE
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR\licenses"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
