; The Tessmar installer: the programs and the manual in Program Files\Tessmar, a Start-menu
; folder, the .orl file type, and an uninstaller in Programs and Features. Silent with /S; /D=
; sets the folder, as in every NSIS installer.
; packaging/CMakeLists.txt builds it and defines VERSION, VERSION_QUAD, STAGE (the folder that
; holds the files to install), ICON and OUTFILE.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Velkor Orlo Tessmar"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessmar"
!define PROG_ID "Tessmar.Settings"
!define SHORTCUTS "$SMPROGRAMS\Tessmar"
; SHChangeNotify's SHCNE_ASSOCCHANGED, so Explorer shows the new icons at once.
!define SHCNE_ASSOCCHANGED 0x08000000

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tessmar"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "Velkor"
VIAddVersionKey "LegalCopyright" "Copyright (C) Velkor. All rights reserved."
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The machine-wide views: 64-bit registry, the Start menu of all users.
!macro USE_MACHINE_VIEWS
  SetRegView 64
  SetShellVarContext all
!macroend

Function .onInit
  !insertmacro USE_MACHINE_VIEWS
FunctionEnd

Function un.onInit
  !insertmacro USE_MACHINE_VIEWS
FunctionEnd

Section "Tessmar" SecTessmar
  SetOutPath "$INSTDIR"
  File "${STAGE}\Tessmar.exe"
  File "${STAGE}\Stampwell.exe"
  File "${STAGE}\tessmar-cli.exe"
  File "${STAGE}\Manual.html"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; Tessmar writes Barcode.prn in its current folder, and Program Files is not writable for an
  ; ordinary user: the shortcut starts it in the user's own Documents, whoever that user is.
  CreateDirectory "${SHORTCUTS}"
  StrCpy $OUTDIR "%USERPROFILE%\Documents"
  CreateShortcut "${SHORTCUTS}\Tessmar.lnk" "$INSTDIR\Tessmar.exe" "" "$INSTDIR\Tessmar.exe" 0 \
    SW_SHOWNORMAL "" "Configure Velkor Orlo scanners"
  CreateShortcut "${SHORTCUTS}\Tessmar Manual.lnk" "$INSTDIR\Manual.html"
  SetOutPath "$INSTDIR"

  WriteRegStr HKLM "Software\Classes\.orl" "" "${PROG_ID}"
  WriteRegStr HKLM "Software\Classes\${PROG_ID}" "" "Scanner settings"
  WriteRegStr HKLM "Software\Classes\${PROG_ID}\DefaultIcon" "" "$INSTDIR\Tessmar.exe,0"
  WriteRegStr HKLM "Software\Classes\${PROG_ID}\shell\open\command" "" \
    '"$INSTDIR\Tessmar.exe" "%1"'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Velkor"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tessmar.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecTessmar} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\Tessmar.exe"
  Delete "$INSTDIR\Stampwell.exe"
  Delete "$INSTDIR\tessmar-cli.exe"
  Delete "$INSTDIR\Manual.html"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: whatever a user put there stays.
  RMDir "$INSTDIR"

  Delete "${SHORTCUTS}\Tessmar.lnk"
  Delete "${SHORTCUTS}\Tessmar Manual.lnk"
  RMDir "${SHORTCUTS}"

  ; .orl goes with Tessmar only while it is still Tessmar's.
  ReadRegStr $0 HKLM "Software\Classes\.orl" ""
  ${If} $0 == "${PROG_ID}"
    DeleteRegValue HKLM "Software\Classes\.orl" ""
  ${EndIf}
  DeleteRegKey /ifempty HKLM "Software\Classes\.orl"
  DeleteRegKey HKLM "Software\Classes\${PROG_ID}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd
