; The Tessmar installer: the programs and the manual in Program Files\Tessmar, a Start-menu
; folder, the .orl file type, and an uninstaller in Programs and Features; as an option, the
; folder on the machine's PATH, for tessmar-cli in every account. Silent with /S (/CLIPATH
; chooses the option there); /D= sets the folder, as in every NSIS installer.
; packaging/CMakeLists.txt builds it and defines VERSION, VERSION_QUAD, STAGE (the folder that
; holds the files to install), STEP (install-step.exe, which changes the PATH and sets the
; folder's permissions), ICON and OUTFILE.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"

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
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Tessmar"
!define MUI_FINISHPAGE_RUN_FUNCTION StartTessmar
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
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

; A running Tessmar.exe cannot be replaced or removed: the technician closes it first, and the
; installer waits for that. A silent run stops instead (exit code 2).
!macro CLOSE_TESSMAR_FIRST prefix
Function ${prefix}CloseTessmarFirst
  retry:
    FindWindow $0 "TESSM"
    StrCmp $0 0 done
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Tessmar is running. Close it, after saving your settings if you want to keep them, then click Retry." \
      /SD IDCANCEL IDRETRY retry
    Abort
  done:
FunctionEnd
!macroend
!insertmacro CLOSE_TESSMAR_FIRST ""
!insertmacro CLOSE_TESSMAR_FIRST "un."

; Runs install-step.exe, carried in the installer and the uninstaller alike, with `arguments`;
; leaves its exit code in $0 and what it said in $1.
!macro INSTALL_STEP arguments
  InitPluginsDir
  File "/oname=$PLUGINSDIR\install-step.exe" "${STEP}"
  nsExec::ExecToStack '"$PLUGINSDIR\install-step.exe" ${arguments}'
  Pop $0
  Pop $1
!macroend

; Command prompts opened from now on see the changed PATH.
!macro ANNOUNCE_ENVIRONMENT
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
!macroend

; Through the desktop's shell, so that Tessmar runs as the technician who logged on rather than
; elevated, or as the administrator whose password the installer took (an elevated Tessmar takes
; no file dropped from Explorer), and through the Start-menu shortcut, so that it starts in the
; technician's Documents, where the printed sheet can be written. Without a desktop shell to ask,
; through a new Explorer.
Function StartTessmar
  !insertmacro INSTALL_STEP 'start "${SHORTCUTS}\Tessmar.lnk"'
  ${If} $0 != 0
    Exec '"$WINDIR\explorer.exe" "${SHORTCUTS}\Tessmar.lnk"'
  ${EndIf}
FunctionEnd

Section "Tessmar" SecTessmar
  SectionIn RO
  SetOutPath "$INSTDIR"
  ; Folders outside Program Files let every user change what they hold, and an administrator
  ; runs this folder's uninstaller and its programs: only administrators may change it. Files
  ; that were there before may carry their own permissions, so they are made anew.
  ${If} $INSTDIR != "$PROGRAMFILES64\Tessmar"
    !insertmacro INSTALL_STEP 'secure "$INSTDIR"'
    ${If} $0 != 0
      MessageBox MB_OK|MB_ICONSTOP "Tessmar cannot be installed in $INSTDIR: $1" /SD IDOK
      Abort
    ${EndIf}
  ${EndIf}
  Delete "$INSTDIR\Tessmar.exe"
  Delete "$INSTDIR\Stampwell.exe"
  Delete "$INSTDIR\tessmar-cli.exe"
  Delete "$INSTDIR\Manual.html"
  Delete "$INSTDIR\Uninstall.exe"
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

  ; Earlier versions put the folder on the PATH of the account that ran the installer.
  !insertmacro INSTALL_STEP 'user-path remove "$INSTDIR"'

  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

; tessmar-cli in any command prompt of any account, without its folder. The machine's PATH,
; since the elevated installer's own account may not be the technician's.
Section /o "Command-line tool on the PATH" SecPath
  !insertmacro INSTALL_STEP 'machine-path add "$INSTDIR"'
  ${If} $0 != 0
    MessageBox MB_OK|MB_ICONEXCLAMATION \
      "The installer could not put $INSTDIR on the PATH: $1 To run tessmar-cli in any folder, add $INSTDIR to it yourself." \
      /SD IDOK
  ${Else}
    !insertmacro ANNOUNCE_ENVIRONMENT
  ${EndIf}
SectionEnd

Function .onInit
  !insertmacro USE_MACHINE_VIEWS
  Call CloseTessmarFirst
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/CLIPATH" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecPath}
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro USE_MACHINE_VIEWS
  Call un.CloseTessmarFirst
FunctionEnd

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

  ; Tessmar's folder leaves the machine's PATH, and the account's where an earlier version put
  ; it; every other entry stays.
  !insertmacro INSTALL_STEP 'machine-path remove "$INSTDIR"'
  !insertmacro INSTALL_STEP 'user-path remove "$INSTDIR"'
  !insertmacro ANNOUNCE_ENVIRONMENT

  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd
