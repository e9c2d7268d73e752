; The Windows installer of the client: installs for the current user only, into
; %LOCALAPPDATA%\Programs\Orvane, without asking for elevation, so that the client's own
; updater can later replace Orvane.exe there without asking for rights either.
;
; Built by packaging/windows/installer.cmake with makensis -INPUTCHARSET UTF8; every name
; and the version come in as defines from src/base/product_version.h:
; PRODUCT_NAME, PRODUCT_TITLE, PRODUCT_PUBLISHER, PRODUCT_HOMEPAGE, VERSION_TEXT,
; FILE_VERSION_TEXT, VERSION_MAJOR, VERSION_MINOR, CLIENT_EXE, ICON_FILE, OUT_FILE.
;
; /S installs (and the uninstaller uninstalls) silently.

Unicode true
!ifdef TARGET_AMD64
  ; The same installer as a 64-bit program: only for checking this script's logic under
  ; 64-bit Wine, where the shipped 32-bit installer cannot run. Never shipped.
  Target amd64-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define CLIENT_NAME "${PRODUCT_NAME}.exe"
!define UNINSTALLER_NAME "uninst.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT_NAME}"
; The system's browser control renders hosted pages in an old document mode unless the
; program is listed here; 11001 is the newest engine's own mode, whatever a page declares.
!define EMULATION_KEY "Software\Microsoft\Internet Explorer\Main\FeatureControl\FEATURE_BROWSER_EMULATION"
!define EMULATION_MODE 11001
!define SHORTCUT_NAME "${PRODUCT_TITLE}.lnk"

Name "${PRODUCT_TITLE}"
OutFile "${OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT_NAME}"
; A later install (a newer version, a repair) goes where the first one went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "${PRODUCT_TITLE} ${VERSION_TEXT}"

; The installer's own version record, from the same constants as the program's.
VIProductVersion "${FILE_VERSION_TEXT}"
VIFileVersion "${FILE_VERSION_TEXT}"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${FILE_VERSION_TEXT}"
VIAddVersionKey /LANG=2052 "FileVersion" "${FILE_VERSION_TEXT}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT_TITLE} ${VERSION_TEXT} 安装程序"
VIAddVersionKey /LANG=2052 "CompanyName" "${PRODUCT_PUBLISHER}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "${PRODUCT_PUBLISHER}"
VIAddVersionKey /LANG=2052 "OriginalFilename" "${PRODUCT_NAME}Setup-${VERSION_TEXT}.exe"

!define MUI_ICON "${ICON_FILE}"
!define MUI_UNICON "${ICON_FILE}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${CLIENT_NAME}"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; A running client cannot be replaced or removed: the file would be skipped and the run
; still reported as done. The player is asked to close it first; a silent run ends with
; exit code 2 and changes nothing.
!macro ENSURE_CLIENT_CLOSED UN
Function ${UN}EnsureClientClosed
  IfFileExists "$INSTDIR\${CLIENT_NAME}" 0 closed
  retry:
  ClearErrors
  ; Opening for writing (nothing is written) fails while the program runs from the file.
  FileOpen $0 "$INSTDIR\${CLIENT_NAME}" a
  IfErrors running
  FileClose $0
  Goto closed
  running:
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT_TITLE}正在运行，请先退出${PRODUCT_TITLE}，然后点击“重试”。" /SD IDCANCEL IDRETRY retry
  SetErrorLevel 2
  Quit
  closed:
FunctionEnd
!macroend
!insertmacro ENSURE_CLIENT_CLOSED ""
!insertmacro ENSURE_CLIENT_CLOSED "un."

Function .onInit
  ; Shortcuts and folders of the current user, never those of all users.
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Install"
  Call EnsureClientClosed
  SetOutPath "$INSTDIR"
  File "/oname=${CLIENT_NAME}" "${CLIENT_EXE}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER_NAME}"

  CreateShortCut "$SMPROGRAMS\${SHORTCUT_NAME}" "$INSTDIR\${CLIENT_NAME}" "" \
      "$INSTDIR\${CLIENT_NAME}" 0 SW_SHOWNORMAL "" "${PRODUCT_TITLE}"
  CreateShortCut "$DESKTOP\${SHORTCUT_NAME}" "$INSTDIR\${CLIENT_NAME}" "" \
      "$INSTDIR\${CLIENT_NAME}" 0 SW_SHOWNORMAL "" "${PRODUCT_TITLE}"

  ; The current user's Add/Remove Programs entry.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_TITLE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION_TEXT}"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "VersionMajor" ${VERSION_MAJOR}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "VersionMinor" ${VERSION_MINOR}
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PRODUCT_PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${PRODUCT_HOMEPAGE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${CLIENT_NAME},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER_NAME}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER_NAME}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"

  WriteRegDWORD HKCU "${EMULATION_KEY}" "${CLIENT_NAME}" ${EMULATION_MODE}
SectionEnd

Section "Uninstall"
  Call un.EnsureClientClosed
  ; Only what the installer and the client's updater put there, one by one: the folder
  ; may have been chosen by the player and is removed only when nothing else is left in it.
  Delete "$INSTDIR\${CLIENT_NAME}"
  Delete "$INSTDIR\${CLIENT_NAME}.old"
  Delete "$INSTDIR\${CLIENT_NAME}.new"
  Delete "$INSTDIR\${CLIENT_NAME}.release.txt"
  Delete "$INSTDIR\${UNINSTALLER_NAME}"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${SHORTCUT_NAME}"
  Delete "$DESKTOP\${SHORTCUT_NAME}"

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegValue HKCU "${EMULATION_KEY}" "${CLIENT_NAME}"
  DeleteRegKey /ifempty HKCU "${EMULATION_KEY}"
SectionEnd
