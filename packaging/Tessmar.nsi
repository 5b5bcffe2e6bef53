; The Tessmar installer: the programs and the manual in Program Files\Tessmar, a Start-menu
; folder, the .orl file type, and an uninstaller in Programs and Features; as an option, the
; folder on the technician's own PATH, for tessmar-cli. Silent with /S (/CLIPATH chooses the
; option there); /D= sets the folder, as in every NSIS installer.
; packaging/CMakeLists.txt builds it and defines VERSION, VERSION_QUAD, STAGE (the folder that
; holds the files to install), ICON and OUTFILE.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"
!include "WordFunc.nsh"

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

; Pushes the technician's own PATH ("" when there is none), or "error" when it is longer than
; the installer's strings: written back cut short, it would lose its last entries.
!macro READ_USER_PATH prefix
Function ${prefix}ReadUserPath
  ClearErrors
  ReadRegStr $0 HKCU "Environment" "Path"
  ${IfNot} ${Errors}
    Push $0
    Return
  ${EndIf}
  ; Not there, or too long to read: only a PATH that is not there may be written.
  StrCpy $1 0
  ${Do}
    EnumRegValue $2 HKCU "Environment" $1
    ${If} $2 == ""
      Push ""
      Return
    ${ElseIf} $2 == "Path"
      Push "error"
      Return
    ${EndIf}
    IntOp $1 $1 + 1
  ${Loop}
FunctionEnd
!macroend
!insertmacro READ_USER_PATH ""
!insertmacro READ_USER_PATH "un."

; Command prompts opened from now on see the changed PATH.
!macro ANNOUNCE_ENVIRONMENT
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
!macroend

; Through Explorer, so that Tessmar runs as the technician rather than elevated as the installer
; (an elevated Tessmar takes no file dropped from Explorer), and through the Start-menu shortcut,
; so that it starts in the technician's Documents, where the printed sheet can be written.
Function StartTessmar
  Exec '"$WINDIR\explorer.exe" "${SHORTCUTS}\Tessmar.lnk"'
FunctionEnd

Section "Tessmar" SecTessmar
  SectionIn RO
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

; tessmar-cli in any command prompt, without its folder.
Section /o "Command-line tool on the PATH" SecPath
  Call ReadUserPath
  Pop $0
  StrLen $1 "$0;$INSTDIR"
  ${If} $0 == "error"
  ${OrIf} $1 >= ${NSIS_MAX_STRLEN}
    MessageBox MB_OK|MB_ICONINFORMATION \
      "Your PATH is too long for the installer to change. To run tessmar-cli in any folder, add $INSTDIR to it yourself." \
      /SD IDOK
  ${Else}
    ${WordAdd} "$0" ";" "+$INSTDIR" $1
    WriteRegExpandStr HKCU "Environment" "Path" "$1"
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

  ; Tessmar's folder leaves the technician's PATH; every other entry stays.
  Call un.ReadUserPath
  Pop $0
  ${If} $0 != "error"
  ${AndIf} $0 != ""
    ${un.WordAdd} "$0" ";" "-$INSTDIR" $1
    ${If} $1 == ""
      DeleteRegValue HKCU "Environment" "Path"
    ${ElseIf} $1 != $0
      WriteRegExpandStr HKCU "Environment" "Path" "$1"
    ${EndIf}
    !insertmacro ANNOUNCE_ENVIRONMENT
  ${EndIf}

  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd
