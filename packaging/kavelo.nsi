; Kavelo's per-user installer (NSIS 3, Modern UI 2). Made by scripts/package.sh:
;   makensis -DVERSION=x.y.z -DEXE=<Kavelo.exe> -DLICENSE_FILE=<LICENSE>
;            -DICON=<kavelo.ico> -DOUTFILE=<installer.exe> kavelo.nsi
; It installs for the current user only, into %LOCALAPPDATA%\Programs\Kavelo,
; and writes nothing outside the user's profile and registry hive: no
; administrator is ever asked for. /S installs (and uninstalls) silently.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define PRODUCT "Kavelo"
!define PUBLISHER "The Kavelo authors"
!define GAUGE_CLASS "TBatterie"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kavelo"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Kavelo"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Kavelo"
; An upgrade goes where the installed version is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}.0"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}.0"
VIAddVersionKey /LANG=1033 "FileDescription" "Kavelo battery gauge installer"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) ${PUBLISHER}. MIT License."

Var WasRunning

!define MUI_ICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "This installs Kavelo ${VERSION}, a battery gauge for the notification area, for you alone: no administrator rights are needed.$\r$\n$\r$\nA running Kavelo is closed first, its settings saved, and started again afterwards.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_FINISHPAGE_TEXT "Kavelo runs in the notification area of the taskbar, as two icons side by side.$\r$\n$\r$\nWindows 11 may hide new icons behind the ^ arrow. To keep both in sight, turn both Kavelo entries on in Settings > Personalization > Taskbar > Other system tray icons, or drag both icons onto the taskbar, the left half first."
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Kavelo"
!define MUI_FINISHPAGE_RUN_FUNCTION StartKavelo
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "Tick $\"Settings and history$\" to remove Kavelo's settings, the discharge history it has learned and its charge log as well; otherwise they stay for a later install."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Asks every running Kavelo of the session to close, as its own Close command
; does, so that each saves its settings and history, and waits until they
; have ended and the program file is free. Sets $WasRunning to 1 when one was
; running. A gauge that does not close stops both the installer and the
; uninstaller; a file still in use stops the installer here, the uninstaller
; when it cannot delete the file.
!macro CLOSE_KAVELO un
Function ${un}CloseKavelo
  StrCpy $WasRunning 0
  StrCpy $1 0  ; where the search goes on: past a gauge that did not close at once
  ${Do}
    FindWindow $0 "${GAUGE_CLASS}" "" 0 $1
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    StrCpy $WasRunning 1
    DetailPrint "Closing a running Kavelo"
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    IsWindow $0 0 +2
      StrCpy $1 $0
  ${Loop}
  StrCpy $1 0
  ${Do}
    FindWindow $0 "${GAUGE_CLASS}"
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    ${If} $1 >= 150
      MessageBox MB_OK|MB_ICONSTOP "Kavelo is still running and did not close. Close it from its menu (right-click one of its icons, then Close) and run this again." /SD IDOK
      Abort
    ${EndIf}
    Sleep 100
    IntOp $1 $1 + 1
  ${Loop}
  ; The process ends just after its window: wait until its file is free.
  StrCpy $1 0
  ${Do}
    ${IfNot} ${FileExists} "$INSTDIR\Kavelo.exe"
      ${Break}
    ${EndIf}
    ClearErrors
    FileOpen $2 "$INSTDIR\Kavelo.exe" a
    ${IfNot} ${Errors}
      FileClose $2
      ${Break}
    ${EndIf}
    !ifndef __UNINSTALL__
    ${If} $1 >= 50
      MessageBox MB_OK|MB_ICONSTOP "$INSTDIR\Kavelo.exe is in use by another program and cannot be replaced. Close that program and run this again." /SD IDOK
      Abort
    ${EndIf}
    !else
    ${IfThen} $1 >= 50 ${|} ${Break} ${|}
    !endif
    Sleep 100
    IntOp $1 $1 + 1
  ${Loop}
FunctionEnd
!macroend
!insertmacro CLOSE_KAVELO ""
!insertmacro CLOSE_KAVELO "un."

Function StartKavelo
  Exec '"$INSTDIR\Kavelo.exe"'
FunctionEnd

; A file that cannot be written stops the install (Retry or Cancel; silently,
; Cancel) instead of being skipped, the old one left in place.
AllowSkipFiles off

Section "Kavelo" SecKavelo
  SectionIn RO
  SetShellVarContext current
  Call CloseKavelo
  ClearErrors
  SetOutPath "$INSTDIR"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "The folder $INSTDIR cannot be created, so Kavelo cannot be installed there." /SD IDOK
    Abort
  ${EndIf}
  File "/oname=Kavelo.exe" "${EXE}"
  File "/oname=LICENSE" "${LICENSE_FILE}"
  ClearErrors
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "$INSTDIR\Uninstall.exe cannot be written, so Kavelo cannot be installed there." /SD IDOK
    Abort
  ${EndIf}
  CreateShortcut "$SMPROGRAMS\Kavelo.lnk" "$INSTDIR\Kavelo.exe" "" "$INSTDIR\Kavelo.exe" 0 \
    SW_SHOWNORMAL "" "Kavelo battery gauge"

  ; Only now, every file in place, does the entry say this version is installed.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Kavelo.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; A gauge that was running before a silent upgrade runs again after it; the
; finish page's box does the same when the installer is seen. After a failed
; install the gauge that was closed for it runs again.
Function .onInstSuccess
  ${If} ${Silent}
  ${AndIf} $WasRunning == 1
    Call StartKavelo
  ${EndIf}
FunctionEnd

Function .onInstFailed
  ${If} $WasRunning == 1
    Call StartKavelo
  ${EndIf}
FunctionEnd

; Deletes $INSTDIR\<name>. A per-user uninstaller cannot leave a file in
; use to the next restart (Windows grants that to administrators only): the
; file is named, with Retry or Cancel. Cancel, as a silent uninstall does,
; ends the uninstall with exit code 2, everything not yet deleted in place,
; so that it can simply be run again.
!macro UN_DELETE_FILE name
  ${Do}
    ClearErrors
    Delete "$INSTDIR\${name}"
    ${IfNot} ${Errors}
      ${Break}
    ${EndIf}
    ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$INSTDIR\${name} is in use by another program and cannot be removed.$\r$\n$\r$\nClose that program, then click Retry. Cancel leaves Kavelo installed, to be uninstalled later." /SD IDCANCEL IDCANCEL`
      DetailPrint "In use, not removed: $INSTDIR\${name}"
      SetErrorLevel 2
      Abort
    ${EndIf}
  ${Loop}
!macroend

Section "un.Kavelo" SecUnKavelo
  SectionIn RO
  SetShellVarContext current
  ; Closed first: the gauge writes its logon entry as it ends.
  Call un.CloseKavelo
  ; The program's files first. Only once they are gone do the shortcut, the
  ; logon entry, the Apps entry and this uninstaller go, so that a file left
  ; behind keeps the means to remove it.
  !insertmacro UN_DELETE_FILE "Kavelo.exe"
  !insertmacro UN_DELETE_FILE "LICENSE"
  ; Started as Apps & features starts it, this is a copy in a temporary
  ; folder; started with _?= it runs from here, and stays.
  ${If} $EXEDIR != $INSTDIR
    !insertmacro UN_DELETE_FILE "Uninstall.exe"
  ${EndIf}
  Delete "$SMPROGRAMS\Kavelo.lnk"
  ; The logon entry goes only when it starts this copy of Kavelo (the
  ; program writes its own path there, in quotes).
  ReadRegStr $0 HKCU "${RUN_KEY}" "Kavelo"
  ${If} $0 == '"$INSTDIR\Kavelo.exe"'
  ${OrIf} $0 == "$INSTDIR\Kavelo.exe"
    DeleteRegValue HKCU "${RUN_KEY}" "Kavelo"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The folder last: once it is gone, the uninstall is done.
  RMDir "$INSTDIR"
SectionEnd

Section /o "un.Settings and history" SecUnSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  ; The charge log, history.csv, in a folder of its own.
  RMDir /r "$LOCALAPPDATA\Kavelo"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnKavelo} "The program, its Start-menu shortcut and its entry in Apps & features."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnSettings} "HKEY_CURRENT_USER\Kavelo: the window's place, the colours, the alert thresholds and the discharge history; %LOCALAPPDATA%\Kavelo: the charge log."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
