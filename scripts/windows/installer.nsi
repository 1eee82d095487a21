; The RERUDAD installer for 64-bit Windows, made by scripts/windows.sh:
;   makensis -DAPPDIR=<application folder> -DVERSION=<x.y> -DOUTFILE=<setup.exe> installer.nsi
; The programs go under Program Files, which users cannot write. The tool
; reads its side files (pref.txt, firmware\, config\, logos\) from its
; current folder, so the Start-menu entries start it in a program folder of
; the user's own, Documents\RERUDAD, which the installer creates. The
; uninstaller removes the programs and the entries and leaves that folder:
; it holds the user's firmware, configuration files and logos.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

Name "RERUDAD ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\RERUDAD"
RequestExecutionLevel admin
ShowInstDetails show

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\RERUDAD"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "RERUDAD"
  SetOutPath "$INSTDIR"
  File /r "${APPDIR}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The program folder of the user who installs; the tool looks for its
  ; side files there. Existing files are left as they are.
  SetShellVarContext current
  CreateDirectory "$DOCUMENTS\RERUDAD\firmware"
  CreateDirectory "$DOCUMENTS\RERUDAD\config"
  CreateDirectory "$DOCUMENTS\RERUDAD\logos"

  ; A shortcut starts its program in the folder current at its creation.
  SetOutPath "$DOCUMENTS\RERUDAD"
  CreateDirectory "$SMPROGRAMS\RERUDAD"
  CreateShortCut "$SMPROGRAMS\RERUDAD\RERUDAD.lnk" "$INSTDIR\rerudad.exe"
  CreateShortCut "$SMPROGRAMS\RERUDAD\RERUDAD program folder.lnk" "$DOCUMENTS\RERUDAD"
  CreateShortCut "$SMPROGRAMS\RERUDAD\Uninstall RERUDAD.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "RERUDAD"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\RERUDAD\RERUDAD.lnk"
  Delete "$SMPROGRAMS\RERUDAD\RERUDAD program folder.lnk"
  Delete "$SMPROGRAMS\RERUDAD\Uninstall RERUDAD.lnk"
  RMDir "$SMPROGRAMS\RERUDAD"
  ; Only what the installer put there: the folder goes when nothing else is left in it.
  !include "${FILELIST}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
