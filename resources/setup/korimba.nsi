; Korimba's setup program for one architecture, made by cmake/program.cmake:
;   makensis -DVERSION=2.1.5 -DVERSION4=2.1.5.0 -DARCH=x64|x86 -DFILES=<list.nsh>
;            -DICON=<korimba.ico> -DCOPYRIGHT=<text> -DOUTFILE=<setup.exe> korimba.nsi
; FILES defines the macros KorimbaInstallFiles and KorimbaUninstallFiles from
; the build's list of the program folder, so that the uninstaller removes
; exactly what the setup put there.
;
; Per user, without administrator rights: Korimba keeps its settings, job
; scripts and Temp in its own folder, which must therefore be one the user
; can write to.
Unicode true
!if "${ARCH}" == "x64"
  Target amd64-unicode
!else
  Target x86-unicode
!endif

!include LogicLib.nsh
!include x64.nsh
!include "${FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Korimba"
!define PUBLISHER "The Korimba developers"

Name "Korimba ${VERSION}"
Caption "Korimba ${VERSION} (${ARCH}) Setup"
UninstallCaption "Korimba ${VERSION} Uninstall"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestSupportedOS all
ManifestDPIAware true
InstallDir "$LOCALAPPDATA\Programs\Korimba"
; An upgrade goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 "ProductName" "Korimba"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Korimba ${VERSION} setup (${ARCH})"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=1033 "OriginalFilename" "korimba-${VERSION}-${ARCH}-setup.exe"

Page directory "" "" DirectoryLeave
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; A job's script lives in the program folder while the job runs: replacing or
; removing the programs under it would break the job.
!macro RefuseWhileAJobRuns WHAT
  ${If} ${FileExists} "$INSTDIR\Encoding.bat"
  ${OrIf} ${FileExists} "$INSTDIR\Decoding.bat"
    MessageBox MB_OK|MB_ICONSTOP "Korimba is converting in $INSTDIR (its job file Encoding.bat or Decoding.bat is there).$\r$\n$\r$\nWait until the job has ended, then ${WHAT} again." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
!macroend

Function .onInit
!if "${ARCH}" == "x64"
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "This setup is for 64-bit Windows. On this Windows, use korimba-${VERSION}-x86-setup.exe." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
!endif
FunctionEnd

; $R0 is 1 when files can be made and removed in $INSTDIR (made if missing);
; a folder made only to find that out goes again.
Function CheckWritable
  Push $0
  Push $1
  Push $2
  StrCpy $R0 0
  StrCpy $2 0
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $2 1
  ${EndIf}
  CreateDirectory "$INSTDIR"
  ; A probe of a name nobody uses; an existing file of that name is left alone.
  StrCpy $0 0
  ${Do}
    IntOp $0 $0 + 1
  ${LoopWhile} ${FileExists} "$INSTDIR\~korimba-setup-$0.tmp"
  ClearErrors
  FileOpen $1 "$INSTDIR\~korimba-setup-$0.tmp" w
  ${IfNot} ${Errors}
    FileClose $1
    ClearErrors
    Delete "$INSTDIR\~korimba-setup-$0.tmp"
    ${IfNot} ${Errors}
      StrCpy $R0 1
    ${EndIf}
  ${EndIf}
  ${If} $R0 != 1
  ${AndIf} $2 == 1
    RMDir "$INSTDIR"
  ${EndIf}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

Function CheckFolder
  !insertmacro RefuseWhileAJobRuns "run the setup"
  Call CheckWritable
  ${If} $R0 != 1
    MessageBox MB_OK|MB_ICONSTOP "Korimba cannot be installed in $INSTDIR: you cannot write to that folder.$\r$\n$\r$\nKorimba keeps its settings and jobs in its own folder, so choose a folder of your own, such as $LOCALAPPDATA\Programs\Korimba." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
FunctionEnd

Function DirectoryLeave
  Call CheckFolder
FunctionEnd

Section "Korimba"
  ; Silent runs show no pages: the folder is checked here too.
  Call CheckFolder
  ; The programs are replaced; the user's Settings.ini, Prefs.ini, options.ini
  ; and Images\ are never part of the setup, so an upgrade keeps them.
  !insertmacro KorimbaInstallFiles
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetShellVarContext current
  CreateShortCut "$SMPROGRAMS\Korimba.lnk" "$INSTDIR\korimba.exe" "" "$INSTDIR\korimba.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Korimba"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\korimba.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize 0 $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; ---------------------------------------------------------------- uninstaller

Var Left

; The folders of the setup and of the program; what else is found is the user's.
Function un.IsOurFolder
  Exch $0
  ${If} $0 == "help"
  ${OrIf} $0 == "samples"
  ${OrIf} $0 == "samples\Images"
  ${OrIf} $0 == "Images"
  ${OrIf} $0 == "Temp"
  ${OrIf} $0 == "Temp\LE"
  ${OrIf} $0 == "Temp\LD"
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
  Exch $0
FunctionEnd

; Adds what is left in $INSTDIR\<folder on the stack> to $Left: files by their
; names, a folder of the user's as one entry ending in "\".
Function un.ListLeft
  Exch $0
  Push $1
  Push $2
  Push $3
  FindFirst $1 $2 "$INSTDIR\$0*.*"
  ${While} $2 != ""
    ${If} $2 != "."
    ${AndIf} $2 != ".."
      ${If} ${FileExists} "$INSTDIR\$0$2\*.*"
        Push "$0$2"
        Call un.IsOurFolder
        Pop $3
        ${If} $3 != 1
          StrCpy $Left "$Left$\r$\n    $0$2\"
        ${EndIf}
      ${ElseIf} "$0$2" != "uninstall.exe"
        ; Run in place (_?=), the uninstaller cannot remove itself: the caller does.
        StrCpy $Left "$Left$\r$\n    $0$2"
      ${EndIf}
    ${EndIf}
    FindNext $1 $2
  ${EndWhile}
  FindClose $1
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

!macro ListLeft FOLDER
  Push "${FOLDER}"
  Call un.ListLeft
!macroend

Section "Uninstall"
  !insertmacro RefuseWhileAJobRuns "uninstall Korimba"
  ; Cleaner.exe clears what an interrupted job left and takes the recovery hook
  ; out of win.ini's Run line when the hook is this folder's, keeping the rest.
  ${If} ${FileExists} "$INSTDIR\Cleaner.exe"
    ExecWait '"$INSTDIR\Cleaner.exe"'
  ${EndIf}
  ; The user's copy of Cleaner.exe, when it serves this folder.
  ClearErrors
  FileOpen $0 "$LOCALAPPDATA\Korimba\Cleaner.ini" r
  ${IfNot} ${Errors}
    FileRead $0 $1
    FileClose $0
    ${If} $1 == "$INSTDIR\$\r$\n"
      Delete "$LOCALAPPDATA\Korimba\Cleaner.exe"
      Delete "$LOCALAPPDATA\Korimba\Cleaner.ini"
      RMDir "$LOCALAPPDATA\Korimba"
    ${EndIf}
  ${EndIf}

  !insertmacro KorimbaUninstallFiles
  ; What the program makes in its folder.
  Delete "$INSTDIR\Settings.ini"
  Delete "$INSTDIR\Prefs.ini"
  Delete "$INSTDIR\options.ini"
  Delete "$INSTDIR\message.txt"
  Delete "$INSTDIR\EncList.dat"
  Delete "$INSTDIR\DecList.dat"
  Delete "$INSTDIR\EncList.tmp"
  Delete "$INSTDIR\DecList.tmp"
  Delete "$INSTDIR\Images\images.set"
  RMDir /r "$INSTDIR\Temp\LE"
  RMDir /r "$INSTDIR\Temp\LD"
  RMDir "$INSTDIR\Temp"
  RMDir "$INSTDIR\Images"
  Delete "$INSTDIR\uninstall.exe"

  ; The shortcut and the entry in "Apps" belong to the last install, which may
  ; be in another folder.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == "$INSTDIR"
    SetShellVarContext current
    Delete "$SMPROGRAMS\Korimba.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}

  StrCpy $Left ""
  !insertmacro ListLeft ""
  !insertmacro ListLeft "help\"
  !insertmacro ListLeft "samples\"
  !insertmacro ListLeft "samples\Images\"
  !insertmacro ListLeft "Images\"
  !insertmacro ListLeft "Temp\"
  RMDir "$INSTDIR"
  ${If} $Left != ""
    DetailPrint "Left in $INSTDIR, not made by Korimba:$Left"
    MessageBox MB_OK|MB_ICONINFORMATION "Korimba has been removed. These files in $INSTDIR were not made by Korimba, so they are still there:$\r$\n$Left" /SD IDOK
  ${EndIf}
SectionEnd
