; SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
; SPDX-License-Identifier: MIT

; The Windows installer (NSIS, Modern UI 2). By default it installs the program folder for the
; current user, with no administrator rights; with /AllUsers, run as administrator, for everyone.
; It adds a Start-menu shortcut and an Apps & Features entry, replaces an earlier installation in
; place, and writes an uninstaller that removes exactly what it installed. Its pages and the
; uninstaller's are in Simplified Chinese on a Chinese Windows and in English elsewhere.
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.1.0 -DFILES=<folder> -DICON=<.ico>
;     -DWELCOME_BITMAP=<164x314 .bmp> -DSIZE_KB=<installed size> -DOUTFILE=<setup.exe>
;     [-DHOMEPAGE=<url>] installer.nsi
; where FILES holds install-files.nsh and uninstall-files.nsh, the folder's files as NSIS lines.
; Options of setup.exe: /S (silent), /AllUsers, /DesktopShortcut; of uninstall.exe: /S, /AllUsers.
; With /AllUsers and no administrator rights, both start themselves again elevated (the UAC prompt);
; /NotAdministrator takes that path whatever the account.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; The manifest asks for no elevation (asInvoker): installing for oneself needs none.
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh

!define APP_NAME "MELIVANT辅助工具"
!define APP_EXE "melivant-helper.exe"
!define FOLDER_NAME "MELIVANT Helper"
!define PUBLISHER "The MELIVANT helper tool developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\org.melivant.Helper"
; The program holds this mutex while it runs (ui/running_marker.cpp).
!define RUNNING_MUTEX "org.melivant.Helper.Running"
; The exit code when the installer or uninstaller stops before changing anything.
!define EXIT_REFUSED 2

Name "$(AppName) ${VERSION}"
OutFile "${OUTFILE}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "MELIVANT Helper"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "MELIVANT Helper ${VERSION} setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}, MIT licence"
!ifdef HOMEPAGE
  VIAddVersionKey /LANG=0 "Comments" "${HOMEPAGE}"
!endif

Var AllUsers         ; 1: installed, or to be installed, for every user
Var DesktopShortcut  ; 1: add a desktop shortcut without asking

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WELCOME_BITMAP}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
; The finish page's second option, meant for a readme, offers the desktop shortcut instead.
!define MUI_FINISHPAGE_SHOWREADME
!define MUI_FINISHPAGE_SHOWREADME_TEXT "$(DesktopShortcutOption)"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION AddDesktopShortcut

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; NSIS picks the language of Windows' user interface when it has it, else the first one here.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

; The installer's pages name the program as its menu entries do in that language.
LangString AppName ${LANG_ENGLISH} "MELIVANT Helper"
LangString AppName ${LANG_SIMPCHINESE} "${APP_NAME}"
LangString DesktopShortcutOption ${LANG_ENGLISH} "Add a shortcut to the desktop"
LangString DesktopShortcutOption ${LANG_SIMPCHINESE} "在桌面上添加快捷方式"
LangString ProgramRunning ${LANG_ENGLISH} \
  "MELIVANT Helper is running. Close it, then choose Retry."
LangString ProgramRunning ${LANG_SIMPCHINESE} \
  "${APP_NAME}正在运行。请先关闭它，然后选择“重试”。"
LangString NeedsAdministrator ${LANG_ENGLISH} \
  "Installing or removing MELIVANT Helper for all users needs administrator rights. Run this \
  program as administrator."
LangString AllUsersInstalled ${LANG_ENGLISH} \
  "MELIVANT Helper is already installed for all users of this computer ($0). Update that \
installation (this needs administrator rights)?"
LangString AllUsersInstalled ${LANG_SIMPCHINESE} \
  "这台电脑上已经为所有用户安装了${APP_NAME}（$0）。要更新那个安装吗？（需要管理员权限）"
LangString NeedsAdministrator ${LANG_SIMPCHINESE} \
  "为所有用户安装或卸载${APP_NAME}需要管理员权限。请以管理员身份运行本程序。"

; The installer's and the uninstaller's shared start: reads the scope from the command line
; (/AllUsers), refuses it without administrator rights, and waits for a running program to be
; closed. The uninstall entry of an all-users installation starts the uninstaller with /AllUsers.
!macro START UN
  ; Starts this program again elevated, with the parameters $R2, waits for it and ends with its
  ; exit code. Returns only when elevation was declined or could not be asked for.
  Function ${UN}RunElevated
    !if "${UN}" == "un."
      ; The uninstaller runs as a copy in the temporary folder; the elevated copy must work on the
      ; same installation from there, so that it can remove the whole folder.
      ${WordFind} $R2 "_?=" "E+1" $R3
      ${If} ${Errors}
        StrCpy $R2 "$R2 _?=$INSTDIR"
      ${EndIf}
    !else
      ; A folder given with /D= is not among the parameters: it is passed on, last as it must be.
      ${If} $INSTDIR != ""
        StrCpy $R2 "$R2 /D=$INSTDIR"
      ${EndIf}
    !endif
    ; Neither this process nor the elevated one keeps the installation folder as its current one.
    SetOutPath $TEMP
    ; SHELLEXECUTEINFOW: SEE_MASK_NOCLOSEPROCESS, the "runas" verb; padded for 64-bit pointers.
    System::Call '*(i 112, i 0x40, p $HWNDPARENT, w "runas", w "$EXEPATH", w R2, w "$TEMP", i 1, i 0, \
      p 0, p 0, p 0, p 0, i 0, i 0, p 0, p 0) p .r1'
    System::Call 'shell32::ShellExecuteExW(p r1) i .r2'
    ${If} $2 == 0
      System::Free $1
      Return
    ${EndIf}
    System::Call '*$1(i, i, p, p, p, p, p, i, i, p, p, p, p, i, i, p, p .r3)'
    System::Free $1
    System::Call 'kernel32::WaitForSingleObject(p r3, i -1)'
    System::Call 'kernel32::GetExitCodeProcess(p r3, *i .r4)'
    System::Call 'kernel32::CloseHandle(p r3)'
    SetErrorLevel $4
    Quit
  FunctionEnd

  ; Sets $0 to 1 when the program runs: in this session, or in another one, whose global mutex
  ; this user may be denied. Only a real handle or that denial counts; a failed call does not.
  Function ${UN}IsRunning
    StrCpy $0 0
    ${ForEach} $2 1 2 + 1
      ${If} $2 == 1
        StrCpy $3 "${RUNNING_MUTEX}"
      ${Else}
        StrCpy $3 "Global\${RUNNING_MUTEX}"
      ${EndIf}
      System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w r3) p .r4 ?e'
      Pop $5
      ${If} $4 P<> 0
        System::Call 'kernel32::CloseHandle(p r4)'
        StrCpy $0 1
      ${ElseIf} $5 == 5  ; ERROR_ACCESS_DENIED
        StrCpy $0 1
      ${EndIf}
    ${Next}
  FunctionEnd

  Function ${UN}Start
    SetRegView 64
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/AllUsers" $R1
    ${IfNot} ${Errors}
      UserInfo::GetAccountType
      Pop $R1
      ; /NotAdministrator takes the path of a user without administrator rights whatever the
      ; account, so that it can be tried where every user is one (Wine).
      ClearErrors
      ${GetOptions} $R0 "/NotAdministrator" $R2
      ${IfNot} ${Errors}
        StrCpy $R1 "User"
      ${EndIf}
      ${If} $R1 != "Admin"
        ; Windows starts the uninstall entry's command without elevation: ask for it (the UAC
        ; prompt), and refuse only when it is declined.
        ${WordReplace} $R0 "/NotAdministrator" "" "+" $R2
        Call ${UN}RunElevated
        MessageBox MB_OK|MB_ICONSTOP "$(NeedsAdministrator)" /SD IDOK
        SetErrorLevel ${EXIT_REFUSED}
        Quit
      ${EndIf}
      StrCpy $AllUsers 1
      SetShellVarContext all
    ${Else}
      StrCpy $AllUsers 0
      SetShellVarContext current
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/DesktopShortcut" $R1
    ${IfNot} ${Errors}
      StrCpy $DesktopShortcut 1
    ${EndIf}

    ${Do}
      Call ${UN}IsRunning
      ${If} $0 == 0
        ${Break}
      ${EndIf}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ProgramRunning)" /SD IDCANCEL IDRETRY retry
      SetErrorLevel ${EXIT_REFUSED}
      Quit
      retry:
    ${Loop}
  FunctionEnd
!macroend
!insertmacro START ""
!insertmacro START "un."

Function .onInit
  Call Start
  ; An installation for all users is updated where it is, not shadowed by one for this user alone.
  ${If} $AllUsers == 0
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
      ${If} ${Silent}
        SetErrorLevel ${EXIT_REFUSED}
        Quit
      ${EndIf}
      MessageBox MB_YESNO|MB_ICONQUESTION "$(AllUsersInstalled)" IDYES update
      SetErrorLevel ${EXIT_REFUSED}
      Quit
      update:
      ${GetParameters} $R2
      StrCpy $R2 "$R2 /AllUsers"
      Call RunElevated
      MessageBox MB_OK|MB_ICONSTOP "$(NeedsAdministrator)"
      SetErrorLevel ${EXIT_REFUSED}
      Quit
    ${EndIf}
  ${EndIf}
  ; A folder given with /D= wins; else an earlier installation of this scope is updated where it
  ; is; else the scope's usual place.
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $INSTDIR != ""
  ${ElseIf} $0 != ""
    StrCpy $INSTDIR $0
  ${ElseIf} $AllUsers == 1
    StrCpy $INSTDIR "$PROGRAMFILES64\${FOLDER_NAME}"
  ${Else}
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${FOLDER_NAME}"
  ${EndIf}
FunctionEnd

Function un.onInit
  Call un.Start
FunctionEnd

; Starts the program from the finish page as the signed-in user. An installation for all users
; runs elevated, so the program is handed to the desktop's shell, which starts it with the user's
; own rights, rather than started by the installer.
Function StartProgram
  ${If} $AllUsers == 1
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\${APP_EXE}"'
  ${Else}
    Exec '"$INSTDIR\${APP_EXE}"'
  ${EndIf}
FunctionEnd

Function AddDesktopShortcut
  CreateShortCut "$DESKTOP\${APP_NAME}.lnk" "$INSTDIR\${APP_EXE}" "" "$INSTDIR\${APP_EXE}" 0
FunctionEnd

; Removes an earlier installation of this scope with its own uninstaller, which deletes just the
; files that it installed, so that nothing of it is left over; the folder itself stays.
Function RemovePreviousInstallation
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == ""
  ${OrIfNot} ${FileExists} "$0\uninstall.exe"
    Return
  ${EndIf}
  ${If} ${FileExists} "$DESKTOP\${APP_NAME}.lnk"
    StrCpy $DesktopShortcut 1
  ${EndIf}
  ${If} $AllUsers == 1
    ExecWait '"$0\uninstall.exe" /S /AllUsers _?=$0' $1
  ${Else}
    ExecWait '"$0\uninstall.exe" /S _?=$0' $1
  ${EndIf}
  ${If} $1 != 0
    Abort "$0\uninstall.exe: $1"
  ${EndIf}
  Delete "$0\uninstall.exe"
  ; An installation that moves leaves its old folder only if the user's own files are in it.
  ${If} $0 != $INSTDIR
    RMDir "$0"
  ${EndIf}
FunctionEnd

Section "Install"
  Call RemovePreviousInstallation
  !include "${FILES}\install-files.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\${APP_EXE}" "" "$INSTDIR\${APP_EXE}" 0
  ${If} $DesktopShortcut == 1
    Call AddDesktopShortcut
  ${EndIf}

  ${If} $AllUsers == 1
    StrCpy $0 '"$INSTDIR\uninstall.exe" /AllUsers'
  ${Else}
    StrCpy $0 '"$INSTDIR\uninstall.exe"'
  ${EndIf}
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${APP_EXE},0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" "$0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" "$0 /S"
  !ifdef HOMEPAGE
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
  !endif
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ; Apps & Features shows this size, in KB, as the program's size.
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${APP_NAME}.lnk"
  Delete "$DESKTOP\${APP_NAME}.lnk"
  !include "${FILES}\uninstall-files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  ; Only an empty folder goes: files that the user put there stay.
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
