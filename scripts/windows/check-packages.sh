#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# Checks the Windows packages as a user would meet them, each in a fresh Wine prefix on this X
# display (run under xvfb-run): the portable zip unpacked and started, then the installer run
# silently, its shortcut, uninstall entry and program checked, and its silent uninstaller run.
#   scripts/windows/check-packages.sh BUILD_FOLDER WINE_PREFIX
set -euo pipefail
build=$1
export WINEPREFIX=$2
source scripts/lib/wine.sh
source scripts/lib/xdriver.sh

zip=$(ls "$build"/melivant-helper-*-windows-x64.zip)
setup=$(ls "$build"/melivant-helper-*-windows-x64-setup.exe)
main_window="MELIVANT系列辅助工具"
message_box="MELIVANT辅助工具"
drive_c=$WINEPREFIX/drive_c
fail() { echo "check-packages.sh: $*" >&2; exit 1; }

# Starts the program at Windows path $1 on the real windows platform and checks that the greeting
# comes first and the window after it; $2 names the screenshot to take of the window.
check_start() {
  (env -u QT_QPA_PLATFORM wine "$1" >/dev/null 2>&1 &)
  window "$message_box" 60 >/dev/null || fail "$1: no greeting"
  ! xdotool search --onlyvisible --name "$main_window" >/dev/null 2>&1 ||
    fail "$1: the window came before the greeting was dismissed"
  point_at "$message_box"
  xdotool key Return
  window "$main_window" 20 >/dev/null || fail "$1: no window after the greeting"
  sleep 1
  import -window "$(window "$main_window")" "$2"
  wineserver -k
  echo "ok: $1 greets, then opens its window ($2)"
}

echo "== the portable zip, unpacked into a fresh prefix"
new_wine_prefix "$WINEPREFIX"
unzip -q "$zip" -d "$drive_c"
folder=$(basename "$zip" .zip)
check_start "C:\\$folder\\melivant-helper.exe" "$build/window-portable.png"

echo "== the installer, run silently in a fresh prefix"
new_wine_prefix "$WINEPREFIX"
wine "$setup" /S
wineserver -w
install_dir="$drive_c/Program Files/MELIVANT Helper"
[ -f "$install_dir/melivant-helper.exe" ] || fail "nothing installed in $install_dir"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/MELIVANT辅助工具.lnk"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
strings -e l "$shortcut" | grep -F 'MELIVANT Helper\melivant-helper.exe' >/dev/null ||
  fail "the shortcut does not start the installed program"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\org.melivant.Helper'
# reg query prints through the console's code page; an export keeps the Chinese name intact.
wine reg export "$key" 'C:\uninstall-entry.reg' /y >/dev/null 2>&1 || fail "no uninstall entry"
entry=$(iconv -f UTF-16 -t UTF-8 "$drive_c/uninstall-entry.reg" | tr -d '\r')
for value in "DisplayName.*MELIVANT辅助工具" "DisplayVersion.*1\.0\.1" "Publisher.*MELIVANT" \
             "DisplayIcon.*melivant-helper.exe" "EstimatedSize.*dword:0000[0-9a-f]" \
             "UninstallString.*uninstall.exe" "QuietUninstallString.*uninstall.exe.* /S"; do
  grep -q "$value" <<<"$entry" || fail "the uninstall entry lacks $value"
done
echo "ok: installed, with its shortcut and uninstall entry"
check_start "C:\\Program Files\\MELIVANT Helper\\melivant-helper.exe" "$build/window-installed.png"

echo "== the uninstaller, run silently"
wine "C:\\Program Files\\MELIVANT Helper\\uninstall.exe" /S
wineserver -w
[ ! -e "$install_dir" ] || fail "the uninstaller left $install_dir: $(ls -R "$install_dir")"
[ ! -e "$shortcut" ] || fail "the uninstaller left the shortcut"
! wine reg query "$key" >/dev/null 2>&1 || fail "the uninstaller left the uninstall entry"
echo "ok: uninstalled, nothing left"
wineserver -k 2>/dev/null || true
