; The Windows edition's installer: the programs, the help page and the README
; into Program Files, a Start-menu link, an uninstaller and its entry in
; Add/Remove Programs. The build makes it from its installed tree
; (cmake/WindowsInstall.cmake):
;   makensis -DKTR84_VERSION=3.18 -DKTR84_FILE_VERSION=3.18.0.0 -DKTR84_STAGE=<tree>
;            -DKTR84_OUTFILE=<setup.exe> installer.nsi
; Silently: setup.exe /S [/D=<folder>], and the uninstaller with /S.
Unicode true
; The programs are 64-bit and so is the installer: it writes to the real
; Program Files and the 64-bit registry.
Target amd64-unicode
!include FileFunc.nsh

!define APP "KTR-84 Upgrader"
!define PUBLISHER "KTR-84 Upgrader developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ktr84-upgrader"
!define UNINSTALLER "uninstall.exe"
; One link in the Start menu, whatever it opens.
!define LINK "$SMPROGRAMS\${APP}.lnk"
; The window program is in the tree once the build makes it; its link then
; replaces the console program's command prompt.
!if /FileExists "${KTR84_STAGE}/ktr84-upgrader.exe"
    !define WINDOW_PROGRAM
    !define MAIN_PROGRAM "ktr84-upgrader.exe"
!else
    !define MAIN_PROGRAM "ktr84-upgrade.exe"
!endif

Name "${APP} ${KTR84_VERSION}"
OutFile "${KTR84_OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
; Where an earlier version went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

VIProductVersion "${KTR84_FILE_VERSION}"
VIAddVersionKey "ProductName" "${APP}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${APP} Setup"
VIAddVersionKey "FileVersion" "${KTR84_VERSION}"
VIAddVersionKey "ProductVersion" "${KTR84_VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${KTR84_STAGE}/ktr84-upgrade.exe"
!ifdef WINDOW_PROGRAM
    File "${KTR84_STAGE}/ktr84-upgrader.exe"
!endif
    File "${KTR84_STAGE}/help.html"
    File "${KTR84_STAGE}/README.md"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; The link starts in the install folder ($OUTDIR).
!ifdef WINDOW_PROGRAM
    CreateShortcut "${LINK}" "$INSTDIR\ktr84-upgrader.exe"
!else
    ; The console program alone: a command prompt in its folder, showing its usage.
    CreateShortcut "${LINK}" "$SYSDIR\cmd.exe" "/k ktr84-upgrade.exe --help"
!endif

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${KTR84_VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${MAIN_PROGRAM}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ; In KiB, of everything above.
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "${LINK}"
    ; Every file the installer puts there, the window program's too (an older
    ; or newer version may have brought it).
    Delete "$INSTDIR\ktr84-upgrade.exe"
    Delete "$INSTDIR\ktr84-upgrader.exe"
    Delete "$INSTDIR\help.html"
    Delete "$INSTDIR\README.md"
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Only when empty: what the user put there stays.
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
