; SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
; SPDX-License-Identifier: MIT

; The Windows installer (NSIS, Modern UI 2). By default it installs the program folder for the
; current user, with no administrator rights; with /AllUsers, run as administrator, for everyone.
; It adds a Start-menu shortcut and an Apps & Features entry, replaces an earlier installation in
; place, and writes an uninstaller that removes exactly what it installed. Its pages and the
; uninstaller's are in Simplified Chinese on a Chinese Windows and in English elsewhere.
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.1 -DFILES=<folder> -DICON=<.ico>
;     -DWELCOME_BITMAP=<164x314 .bmp> -DSIZE_KB=<installed size> -DOUTFILE=<setup.exe>
;     [-DHOMEPAGE=<url>] installer.nsi
; where FILES holds install-files.nsh and uninstall-files.nsh, the folder's files as NSIS lines.
; Options of setup.exe: /S (silent), /AllUsers, /DesktopShortcut; of uninstall.exe: /S.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; The manifest asks for no elevation (asInvoker): installing for oneself needs none.
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

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
!define MUI_FINISHPAGE_RUN "$INSTDIR\${APP_EXE}"
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
LangString NeedsAdministrator ${LANG_SIMPCHINESE} \
  "为所有用户安装或卸载${APP_NAME}需要管理员权限。请以管理员身份运行本程序。"

; The installer's and the uninstaller's shared start: reads the scope from the command line
; (/AllUsers), refuses it without administrator rights, and waits for a running program to be
; closed. The uninstall entry of an all-users installation starts the uninstaller with /AllUsers.
!macro START UN
  Function ${UN}Start
    SetRegView 64
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/AllUsers" $R1
    ${IfNot} ${Errors}
      UserInfo::GetAccountType
      Pop $R1
      ${If} $R1 != "Admin"
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
      System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p .r0'
      ${If} $0 == 0
        ${Break}
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r0)'
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
