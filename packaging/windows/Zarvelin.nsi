; The setup program of the Visual Basic 6 add-in, built on Linux by scripts/package.sh:
;   makensis -DVERSION=1.2.3 -DFILES=DIR -DREADME=README.md -DICON=Zarvelin.ico -DOUTFILE=setup.exe
; FILES holds Zarvelin.dll, zarvelin.exe and readme.wri of the 32-bit build.
;
; The installer writes the add-in's registration itself instead of calling the DLL's
; DllRegisterServer: that one writes to HKEY_CLASSES_ROOT, which lands in the installing user's own
; classes when a stale per-user key exists, and it writes the add-in key for the installing account
; only, always "not loaded". Here the class goes to the machine's classes, and the add-in key to the
; installing user now and, through Active Setup, to every other user at their next logon.
;
; Command line: /S silent; /LOADONSTARTUP=0|1 "Load the add-in when VB6 starts" (default 0);
; /D=DIR the installation folder.

Unicode true
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

!define CLSID "{38E2B761-B571-4B06-BB17-4538DF03CBFF}"
!define PROGID "Zarvelin.Connect"
!define ADDIN_KEY "Software\Microsoft\Visual Basic\6.0\Addins\${PROGID}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zarvelin"
!define ACTIVE_SETUP "Software\Microsoft\Active Setup\Installed Components"
; One Active Setup entry gives each user the add-in key, the other takes it away after uninstall.
!define USER_SETUP "Zarvelin.AddIn"
!define USER_REMOVAL "Zarvelin.AddInRemoval"
!define USER_KEY_FILE "AddIn.reg"
; VB writes 3 when an add-in is both loaded and loaded on start-up.
!define LOAD_ON_STARTUP 3
!define NOT_LOADED 0

Name "Zarvelin ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Zarvelin"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 ProductName "Zarvelin"
VIAddVersionKey /LANG=1033 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 FileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 FileDescription "Zarvelin ${VERSION} setup"
VIAddVersionKey /LANG=1033 LegalCopyright "Zarvelin"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_UNCONFIRMPAGE_TEXT_TOP "$(KeptFiles)"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

LangString DllInUse 1033 "$INSTDIR\Zarvelin.dll is in use: Visual Basic 6 has the add-in loaded.$\r$\nClose every Visual Basic 6 window, then press Retry."
LangString DllStillInUse 1033 "Zarvelin.dll is still in use; nothing was changed."
LangString BadLoadOption 1033 "/LOADONSTARTUP takes 0 or 1, not $\"$0$\"."
LangString KeptFiles 1033 "Zarvelin's files and registry keys will be removed. What is yours stays: the add-in's Error.log beside Zarvelin.dll in $INSTDIR (or, when Visual Basic 6 ran without administrator rights, in %LOCALAPPDATA%\VirtualStore under the same path), the command-line program's in %LOCALAPPDATA%\Zarvelin, and your setting in HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Zarvelin."

Var LoadBehavior

; A running VB6 holds the DLL open: the files are left alone until it lets go, or the user cancels.
!macro WAIT_FOR_DLL un
Function ${un}WaitForDll
  ${Do}
    ${IfNot} ${FileExists} "$INSTDIR\Zarvelin.dll"
      Return
    ${EndIf}
    ClearErrors
    FileOpen $0 "$INSTDIR\Zarvelin.dll" a
    ${IfNot} ${Errors}
      FileClose $0
      Return
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(DllInUse)" /SD IDCANCEL IDRETRY retry
    ; Cancelled before anything changed: the exit status says so to a silent run's caller.
    SetErrorLevel 2
    Abort "$(DllStillInUse)"
    retry:
  ${Loop}
FunctionEnd
!macroend
!insertmacro WAIT_FOR_DLL ""
!insertmacro WAIT_FOR_DLL "un."

; Active Setup runs an entry again for a user whose copy is older: the time of writing orders them.
!macro STAMP_VERSION un
Function ${un}StampVersion
  ${GetTime} "" "LS" $0 $1 $2 $3 $4 $5 $6
  StrCpy $0 "$2,$1$0,$4$5,$6"
FunctionEnd
!macroend
!insertmacro STAMP_VERSION ""
!insertmacro STAMP_VERSION "un."

Section "-Files"
  SetOutPath "$INSTDIR"
  Call WaitForDll
  File "${FILES}\Zarvelin.dll"
  File "${FILES}\zarvelin.exe"
  File "${FILES}\readme.wri"
  File "/oname=README.txt" "${README}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
SectionEnd

Section /o "Load the add-in when VB6 starts" LoadSection
  StrCpy $LoadBehavior ${LOAD_ON_STARTUP}
SectionEnd

Section "-Registration"
  SetRegView 32
  WriteRegStr HKLM "Software\Classes\CLSID\${CLSID}" "" "Zarvelin"
  WriteRegStr HKLM "Software\Classes\CLSID\${CLSID}\InprocServer32" "" "$INSTDIR\Zarvelin.dll"
  WriteRegStr HKLM "Software\Classes\CLSID\${CLSID}\InprocServer32" "ThreadingModel" "Apartment"
  WriteRegStr HKLM "Software\Classes\CLSID\${CLSID}\ProgID" "" "${PROGID}"
  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "Zarvelin"
  WriteRegStr HKLM "Software\Classes\${PROGID}\CLSID" "" "${CLSID}"

  WriteRegStr HKCU "${ADDIN_KEY}" "FriendlyName" "Zarvelin"
  WriteRegStr HKCU "${ADDIN_KEY}" "Description" "Copy Current Visual Basic Project"
  WriteRegDWORD HKCU "${ADDIN_KEY}" "LoadBehavior" $LoadBehavior
  WriteRegDWORD HKCU "${ADDIN_KEY}" "CommandLineSafe" 0

  ; The same key for every other user, imported by Active Setup at their next logon.
  FileOpen $1 "$INSTDIR\${USER_KEY_FILE}" w
  FileWrite $1 "REGEDIT4$\r$\n$\r$\n[HKEY_CURRENT_USER\${ADDIN_KEY}]$\r$\n"
  FileWrite $1 "$\"FriendlyName$\"=$\"Zarvelin$\"$\r$\n"
  FileWrite $1 "$\"Description$\"=$\"Copy Current Visual Basic Project$\"$\r$\n"
  FileWrite $1 "$\"LoadBehavior$\"=dword:0000000$LoadBehavior$\r$\n"
  FileWrite $1 "$\"CommandLineSafe$\"=dword:00000000$\r$\n"
  FileClose $1
  Call StampVersion
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  DeleteRegKey HKLM "${ACTIVE_SETUP}\${USER_REMOVAL}"
  WriteRegStr HKLM "${ACTIVE_SETUP}\${USER_SETUP}" "" "Zarvelin"
  WriteRegStr HKLM "${ACTIVE_SETUP}\${USER_SETUP}" "Version" $0
  WriteRegStr HKLM "${ACTIVE_SETUP}\${USER_SETUP}" "StubPath" \
    "reg.exe import $\"$INSTDIR\${USER_KEY_FILE}$\""
  ; The installing user has the key already: Active Setup need not write it again.
  WriteRegStr HKCU "${ACTIVE_SETUP}\${USER_SETUP}" "Version" $0
  SetRegView 32

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Zarvelin (Visual Basic 6 add-in)"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Zarvelin.dll"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Zarvelin"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\Uninstall.exe$\""
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\Uninstall.exe$\" /S"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1
SectionEnd

; The section it selects is known only below its definition.
Function .onInit
  StrCpy $LoadBehavior ${NOT_LOADED}
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/LOADONSTARTUP=" $0
  ${IfNot} ${Errors}
    ${If} $0 == "1"
      SectionSetFlags ${LoadSection} ${SF_SELECTED}
    ${ElseIf} $0 == "0"
      SectionSetFlags ${LoadSection} 0
    ${Else}
      MessageBox MB_ICONSTOP "$(BadLoadOption)" /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; A parent key the add-in key needed goes with it, but only when nothing else is in it.
!macro DELETE_IF_EMPTY root key
  ClearErrors
  EnumRegKey $1 ${root} "${key}" 0
  ${IfNot} ${Errors}
  ${AndIf} $1 == ""
    ; A key without values answers with an error here, and an empty name.
    EnumRegValue $2 ${root} "${key}" 0
    ${If} $2 == ""
      DeleteRegKey ${root} "${key}"
    ${EndIf}
  ${EndIf}
!macroend

Section "Uninstall"
  Call un.WaitForDll
  Delete "$INSTDIR\Zarvelin.dll"
  Delete "$INSTDIR\zarvelin.exe"
  Delete "$INSTDIR\readme.wri"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\${USER_KEY_FILE}"
  Delete "$INSTDIR\Uninstall.exe"
  ; Not /r: the user's Error.log keeps the folder.
  RMDir "$INSTDIR"

  SetRegView 32
  DeleteRegKey HKLM "Software\Classes\CLSID\${CLSID}"
  DeleteRegKey HKLM "Software\Classes\${PROGID}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "${ADDIN_KEY}"
  !insertmacro DELETE_IF_EMPTY HKCU "Software\Microsoft\Visual Basic\6.0\Addins"
  !insertmacro DELETE_IF_EMPTY HKCU "Software\Microsoft\Visual Basic\6.0"
  !insertmacro DELETE_IF_EMPTY HKCU "Software\Microsoft\Visual Basic"

  ; Other users keep their add-in key until their next logon, when Active Setup removes it.
  Call un.StampVersion
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  DeleteRegKey HKLM "${ACTIVE_SETUP}\${USER_SETUP}"
  DeleteRegKey HKCU "${ACTIVE_SETUP}\${USER_SETUP}"
  WriteRegStr HKLM "${ACTIVE_SETUP}\${USER_REMOVAL}" "" "Zarvelin removal"
  WriteRegStr HKLM "${ACTIVE_SETUP}\${USER_REMOVAL}" "Version" $0
  WriteRegStr HKLM "${ACTIVE_SETUP}\${USER_REMOVAL}" "StubPath" \
    "reg.exe delete $\"HKCU\${ADDIN_KEY}$\" /f"
  WriteRegStr HKCU "${ACTIVE_SETUP}\${USER_REMOVAL}" "Version" $0
  SetRegView 32

  DetailPrint "$(KeptFiles)"
SectionEnd
