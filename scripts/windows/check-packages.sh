#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# Checks the Windows packages as a user would meet them, each part in a fresh Wine prefix on this
# X display (run under xvfb-run), and takes screenshots of the installer's pages into the build
# folder:
#   - the portable zip, unpacked: its licence and notices, the program starting, F7 rewriting
#     kanji there and from a folder named in Chinese with blanks, and without its dictionary a
#     clear message while the romaji conversion still works;
#   - the installer's pages, in Chinese and in English by the locale, its icon and the uninstaller's
#     the program's own, its finish page starting the program, and the uninstaller in Chinese;
#   - a silent install for the current user, F7 in the installed program, an update over it, its
#     refusal while the program runs, and its uninstaller;
#   - a silent install for all users, installed again, then uninstalled.
#   scripts/windows/check-packages.sh BUILD_FOLDER WINE_PREFIX
set -euo pipefail
build=$1
export WINEPREFIX=$2
source scripts/lib/wine.sh
source scripts/lib/xdriver.sh

# The version and the home page are the build's own.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
homepage=$(sed -n 's/^MELIVANT_HOMEPAGE_URL:STRING=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "check-packages.sh: no version in $build/CMakeCache.txt" >&2; exit 1; }
zip=$build/melivant-helper-$version-windows-x64.zip
setup=$build/melivant-helper-$version-windows-x64-setup.exe
main_window="MELIVANT系列辅助工具"
message_box="MELIVANT辅助工具"
shortcut_name="MELIVANT辅助工具.lnk"
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\org.melivant.Helper'
drive_c=$WINEPREFIX/drive_c
user_home=$drive_c/users/$(id -un)
fail() { echo "check-packages.sh: $*" >&2; exit 1; }

# Waits until the program at Windows path $1, started in the background, shows its greeting and
# then, once the greeting is dismissed, its window.
greets_then_opens() {
  window "$message_box" 60 >/dev/null || fail "$1: no greeting"
  ! xdotool search --onlyvisible --name "$main_window" >/dev/null 2>&1 ||
    fail "$1: the window came before the greeting was dismissed"
  point_at "$message_box"
  xdotool key Return
  window "$main_window" 20 >/dev/null || fail "$1: no window after the greeting"
  sleep 1
}

# Starts the program at Windows path $1 on the real windows platform, checks that the greeting
# comes first and the window after it, and takes screenshot $2 of the window.
check_start() {
  (env -u QT_QPA_PLATFORM wine "$1" >/dev/null 2>&1 &)
  greets_then_opens "$1"
  import -window "$(window "$main_window")" "$2"
  wineserver -k
  echo "ok: $1 greets, then opens its window ($2)"
}

# The images of an executable's icon, as their sizes and pixel signatures.
icon_images() {
  local icons
  icons=$(mktemp -d)
  wrestool -x -t 14 -o "$icons" "$1"
  for ico in "$icons"/*.ico; do convert "$ico" -format '%wx%h %#\n' info:; done | sort
  rm -r "$icons"
}

# Puts $1 on the clipboard, as a user's copy would.
copy_in() { printf '%s' "$1" | xclip -selection clipboard -i >/dev/null 2>&1; }
copied() { xclip -selection clipboard -o 2>/dev/null; }

# Clicks into the window's text box at ($1, $2) and selects its whole text.
select_box() {
  point_at "$main_window" "$1" "$2"
  xdotool click 1
  sleep 0.3
  xdotool key ctrl+a
  sleep 0.3
}

# Starts the program at Windows path $1 (with the environment $2...), pastes lyrics with kanji
# into its input, presses F7 and copies the input back out: the kanji must be read (囁, which no
# dictionary word holds, from the list of readings per kanji; 彷徨う, which the dictionary lacks,
# from the list of words), and Ctrl+Z must give the lyrics back.
# F7_LYRICS and F7_READ, when set, are the lyrics and what F7 must make of them.
check_f7() {
  local program=$1 lyrics=${F7_LYRICS:-"桜の花が咲いた 囁 彷徨う"}
  local read=${F7_READ:-"さくらのはながさいた ささやき さまよう"}
  shift
  (env -u QT_QPA_PLATFORM "$@" wine "$program" >/dev/null 2>&1 &)
  greets_then_opens "$program"
  copy_in "$lyrics"
  select_box 200 80
  xdotool key ctrl+v F7
  sleep 2
  xdotool key ctrl+a ctrl+c
  sleep 0.5
  [ "$(copied)" = "$read" ] || fail "$program: F7 gave '$(copied)', not '$read'"
  xdotool key ctrl+z ctrl+a ctrl+c
  sleep 0.5
  [ "$(copied)" = "$lyrics" ] || fail "$program: Ctrl+Z after F7 gave '$(copied)'"
  wineserver -k
  echo "ok: $program: F7 reads $lyrics as $read, and Ctrl+Z gives it back"
}

# Checks that folder $1 ($2 in messages) holds the lists of readings per kanji and of words, each
# with the Group's licence statement beside it.
check_lists() {
  local list
  for list in kanji-readings.txt:kanjidic-copyright.txt word-readings.txt:edict-copyright.txt; do
    [ -s "$1/${list%%:*}" ] || fail "$2 lacks ${list%%:*}"
    grep -q 'ELECTRONIC DICTIONARY RESEARCH' "$1/${list#*:}" ||
      fail "$2 lacks ${list#*:}, the licence of ${list%%:*}, beside it"
  done
}

# Prints the values of the uninstall entry under registry root $1 (HKCU or HKLM), or fails.
# reg query prints through the console's code page; an export keeps the Chinese name intact.
uninstall_entry() {
  rm -f "$drive_c/entry.reg"
  wine reg export "$1\\$uninstall_key" 'C:\entry.reg' /y >/dev/null 2>&1 ||
    fail "no uninstall entry under $1"
  iconv -f UTF-16 -t UTF-8 "$drive_c/entry.reg" | tr -d '\r'
}

has_key() { wine reg query "$1\\$uninstall_key" >/dev/null 2>&1; }

# The quiet uninstall command of the entry under registry root $1, as Windows would run it.
quiet_uninstall() {
  uninstall_entry "$1" | sed -n 's/^"QuietUninstallString"="\(.*\)"$/\1/p' |
    sed 's/\\\\/\\/g; s/\\"/"/g'
}

# Checks the installation in folder $1 (a Linux path), with its Start-menu folder $2 and its
# uninstall entry under registry root $3.
check_installed() {
  local folder=$1 menu=$2 root=$3 entry value
  [ -f "$folder/melivant-helper.exe" ] || fail "nothing installed in $folder"
  [ -f "$folder/LICENSE.txt" ] && [ -f "$folder/THIRD-PARTY-NOTICES.txt" ] ||
    fail "$folder lacks LICENSE.txt or THIRD-PARTY-NOTICES.txt"
  check_lists "$folder" "$folder"
  strings -e l "$menu/$shortcut_name" | grep -F "${folder##*/}\\melivant-helper.exe" >/dev/null ||
    fail "no Start-menu shortcut in $menu that starts the installed program"
  entry=$(uninstall_entry "$root")
  for value in "DisplayName.*MELIVANT辅助工具" "DisplayVersion.*${version//./\\.}" "Publisher.*MELIVANT" \
               "DisplayIcon.*melivant-helper.exe" "EstimatedSize.*dword:000[0-9a-f]\{5\}" \
               "UninstallString.*uninstall.exe" "QuietUninstallString.*uninstall.exe.* /S"; do
    grep -q "$value" <<<"$entry" || fail "the uninstall entry under $root lacks $value"
  done
  if [ -n "$homepage" ]; then
    grep -qF "\"URLInfoAbout\"=\"$homepage\"" <<<"$entry" ||
      fail "the uninstall entry does not name the home page $homepage"
  else
    ! grep -q 'URLInfoAbout' <<<"$entry" || fail "the uninstall entry names a home page"
  fi
}

# Checks that nothing of an installation is left: folder $1, Start-menu folder $2, the desktop
# shortcut and the uninstall entry under registry root $3.
check_removed() {
  [ ! -e "$1" ] || fail "the uninstaller left $1: $(ls -R "$1")"
  [ ! -e "$2/$shortcut_name" ] || fail "the uninstaller left the Start-menu shortcut"
  [ ! -e "$user_home/Desktop/$shortcut_name" ] || fail "the uninstaller left the desktop shortcut"
  ! has_key "$3" || fail "the uninstaller left the uninstall entry under $3"
}

echo "== the portable zip, unpacked into a fresh prefix"
new_wine_prefix "$WINEPREFIX"
unzip -q "$zip" -d "$drive_c"
name=$(basename "$zip" .zip)
grep -q '^MIT License' "$drive_c/$name/LICENSE.txt" || fail "the zip lacks LICENSE.txt"
notices=$drive_c/$name/THIRD-PARTY-NOTICES.txt
(cd "$drive_c/$name" && find . -name '*.dll' | sed 's|^\./||; s|/|\\|g') | while read -r dll; do
  grep -qF "$dll" "$notices" || fail "THIRD-PARTY-NOTICES.txt does not name $dll"
done
! grep -rq 'example\.org' "$drive_c/$name" || fail "the zip names an example.org address"
program_icon=$(icon_images "$drive_c/$name/melivant-helper.exe")
for component in "MeCab" "IPADIC" 'dictionary\sys.dic' "KANJIDIC" "kanji-readings.txt" \
    "kanjidic-copyright.txt" "EDICT" "word-readings.txt" "edict-copyright.txt" "CC BY-SA 3.0"; do
  grep -qF "$component" "$notices" || fail "THIRD-PARTY-NOTICES.txt does not name $component"
done
check_lists "$drive_c/$name" "the zip"
echo "ok: the zip holds LICENSE.txt, THIRD-PARTY-NOTICES.txt names every DLL, the dictionary and" \
  "the lists of readings per kanji and of words, whose licences are beside them"
check_start "C:\\$name\\melivant-helper.exe" "$build/window-portable.png"
check_f7 "C:\\$name\\melivant-helper.exe"
# Where a Chinese user may unzip it, under a Chinese locale.
mkdir -p "$drive_c/用户 张三/桌面"
cp -r "$drive_c/$name" "$drive_c/用户 张三/桌面/歌词 工具"
check_f7 'C:\用户 张三\桌面\歌词 工具\melivant-helper.exe' LANG=zh_CN.UTF-8
# The readings a user keeps are in that user's AppData, also for a user named in Chinese: a
# reading added there by hand is honoured.
new_wine_prefix_for 张三 "$WINEPREFIX"
unzip -q "$zip" -d "$drive_c"
kept=$drive_c/users/张三/AppData/Roaming/melivant-helper
mkdir -p "$kept"
printf '# 我的读法\n運命\tさだめ\n' > "$kept/readings.tsv"
F7_LYRICS="運命の人" F7_READ="さだめのひと" check_f7 "C:\\$name\\melivant-helper.exe" USER=张三
[ "$(cat "$kept/readings.tsv")" = "$(printf '# 我的读法\n運命\tさだめ')" ] ||
  fail "the program changed the readings kept without being asked"
echo "ok: the readings kept are read from the AppData of a user named in Chinese"
# Without its dictionary, F7 says so and the rest works as before.
rm -r "$drive_c/$name/dictionary"
(env -u QT_QPA_PLATFORM wine "C:\\$name\\melivant-helper.exe" >/dev/null 2>&1 &)
greets_then_opens "the program without its dictionary"
copy_in "sakura"
select_box 200 80
xdotool key ctrl+v F7
window "$message_box" 20 >/dev/null || fail "F7 without the dictionary showed no message"
point_at "$message_box"
xdotool click 1 key Return
sleep 1
# Tab goes to the romaji option, Space chooses it, Enter presses Begin.
select_box 200 80
xdotool key Tab space Return
sleep 1
select_box 200 250
xdotool key ctrl+c
sleep 0.5
[ "$(copied)" = "sa ku ra " ] || fail "without the dictionary, romaji gave '$(copied)'"
wineserver -k
echo "ok: without its dictionary, F7 says so and romaji still converts"

echo "== the installer's pages"
new_wine_prefix "$WINEPREFIX"
wrestool -x --raw -t 24 "$setup" | grep -q 'level="asInvoker"' ||
  fail "the installer's manifest asks for more than the user's own rights"
[ -n "$program_icon" ] && [ "$(icon_images "$setup")" = "$program_icon" ] ||
  fail "the installer's icon is not the program's"
echo "ok: the installer's icon is the program's"
(LANG=zh_CN.UTF-8 wine "$setup" >/dev/null 2>&1 &)
sleep 1
import -window "$(window "MELIVANT辅助工具 $version 安装" 60)" "$build/installer-zh.png"
wineserver -k
echo "ok: under a Chinese locale the installer is titled in Chinese ($build/installer-zh.png)"
(LANG=en_US.UTF-8 wine "$setup" >/dev/null 2>&1 &)
title="MELIVANT Helper $version Setup"
sleep 1
import -window "$(window "$title" 60)" "$build/installer-en.png"
echo "ok: under an English locale the installer is titled in English ($build/installer-en.png)"
# Next on the welcome page, Install on the folder page; then the finish page.
point_at "$title"
xdotool key Return
sleep 1
xdotool key Return
folder="$user_home/AppData/Local/Programs/MELIVANT Helper"
for _ in $(seq 60); do [ -f "$folder/uninstall.exe" ] && break; sleep 1; done
sleep 2
import -window "$(window "$title")" "$build/installer-finish.png"
point_at "$title"
xdotool key Return
greets_then_opens "the finish page's option to start the program"
wineserver -k
echo "ok: the finish page ($build/installer-finish.png) starts the program"
(LANG=zh_CN.UTF-8 wine "$folder/uninstall.exe" >/dev/null 2>&1 &)
window "MELIVANT辅助工具 $version 卸载" 60 >/dev/null ||
  fail "under a Chinese locale the uninstaller is not titled in Chinese"
wineserver -k
echo "ok: under a Chinese locale the uninstaller is titled in Chinese too"

echo "== a silent install for the current user, then an update over it"
new_wine_prefix "$WINEPREFIX"
wine "$setup" /S || fail "the silent install failed: $?"
menu="$user_home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
check_installed "$folder" "$menu" HKCU
! has_key HKLM || fail "an install for the current user wrote an entry under HKLM"
[ "$(icon_images "$folder/uninstall.exe")" = "$program_icon" ] ||
  fail "the uninstaller's icon is not the program's"
echo "ok: installed under the user's profile, with its shortcut and an HKCU entry"
check_start "$(winepath -w "$folder/melivant-helper.exe")" "$build/window-installed.png"
check_f7 "$(winepath -w "$folder/melivant-helper.exe")"
echo "the user's own" > "$folder/notes.txt"
wine "$setup" /S /DesktopShortcut || fail "installing again failed: $?"
check_installed "$folder" "$menu" HKCU
[ -f "$user_home/Desktop/$shortcut_name" ] || fail "/DesktopShortcut added no desktop shortcut"
[ "$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' | grep -c melivant)" = 1 ] ||
  fail "installing again left more than one uninstall entry"
echo "ok: installed again in place, with one entry and a desktop shortcut"

echo "== the installer and the uninstaller while the program runs"
(env -u QT_QPA_PLATFORM wine "$folder/melivant-helper.exe" >/dev/null 2>&1 &)
window "$message_box" 60 >/dev/null || fail "the installed program did not start"
status=0
wine "$setup" /S || status=$?
[ "$status" -ne 0 ] || fail "the silent installer went on while the program ran"
# _?= runs the uninstaller in place, so that its exit code is its own; it takes a folder without
# blanks, as Wine quotes an argument with blanks.
status=0
wine "$folder/uninstall.exe" /S "_?=$(winepath -s "$(winepath -w "$folder")" | tr -d '\r')" ||
  status=$?
[ "$status" -ne 0 ] || fail "the silent uninstaller went on while the program ran"
[ -f "$folder/melivant-helper.exe" ] || fail "a refused uninstall removed files"
wineserver -k
echo "ok: while the program runs, the silent installer and uninstaller exit with $status"

wine "$folder/uninstall.exe" /S
wineserver -w
[ "$(ls -A "$folder")" = notes.txt ] || fail "the uninstaller left $(ls -A "$folder") in $folder"
rm "$folder/notes.txt" && rmdir "$folder"
check_removed "$folder" "$menu" HKCU
echo "ok: uninstalled; only the user's own file was left in the folder"

echo "== a silent install for all users, installed again, then uninstalled"
new_wine_prefix "$WINEPREFIX"
# The first as a user without administrator rights, whom the installer asks for elevation: it
# starts itself again elevated (under Wine, where every user is an administrator, without a
# prompt) and passes on that installer's exit code.
wine "$setup" /S /AllUsers /NotAdministrator ||
  fail "the silent install for all users, elevated by itself, failed: $?"
wine "$setup" /S /AllUsers || fail "installing again for all users failed: $?"
folder="$drive_c/Program Files/MELIVANT Helper"
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
check_installed "$folder" "$menu" HKLM
! has_key HKCU || fail "an install for all users wrote an entry under HKCU"
uninstall=$(quiet_uninstall HKLM)
grep -q '/AllUsers' <<<"$uninstall" || fail "the entry's uninstall command lacks /AllUsers"
echo "ok: installed for all users in Program Files, with an HKLM entry"
status=0
wine "$setup" /S || status=$?
[ "$status" -eq 2 ] || fail "a silent install for the user beside one for all users exited $status"
! has_key HKCU && [ ! -e "$user_home/AppData/Local/Programs/MELIVANT Helper" ] ||
  fail "a silent install for the user beside one for all users changed something"
echo "ok: beside an installation for all users, a silent one for the user alone changes nothing"
# An update into another folder takes the installation there and leaves no empty old folder.
# (/D= takes a folder without blanks, as Wine quotes an argument with blanks.)
wine "$setup" /S /AllUsers '/D=C:\MELIVANT' || fail "moving the installation failed: $?"
[ ! -e "$folder" ] || fail "moving the installation left $folder: $(ls -A "$folder")"
folder="$drive_c/MELIVANT"
check_installed "$folder" "$menu" HKLM
uninstall=$(quiet_uninstall HKLM)
echo "ok: an update into another folder moved the installation and removed the old folder"
# As Apps & Features starts it: without elevation, which the uninstaller then asks for.
eval "wine $uninstall /NotAdministrator"
wineserver -w
check_removed "$folder" "$menu" HKLM
echo "ok: uninstalled with the entry's own command; nothing left"
wineserver -k 2>/dev/null || true
