#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# Checks the installation of a build: installs it into a temporary prefix, validates the desktop
# entry and the AppStream metadata, checks the icons, then builds the .deb and checks its
# dependencies and contents, and runs lintian on it where lintian is installed.
#   Usage: check_install.sh BUILD_DIR SOURCE_DIR
set -uo pipefail

build=$(cd "$1" && pwd)
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
app_id=org.melivant.Helper
passed=0
failed=0

check() {
  local what=$1
  shift
  if "$@" >"$work/out" 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $what"
    sed 's/^/  /' "$work/out"
  fi
}

prefix=$work/prefix/usr
check "cmake --install" cmake --install "$build" --prefix "$prefix"
check "program installed" test -x "$prefix/bin/melivant-helper"
check "desktop-file-validate" desktop-file-validate "$prefix/share/applications/$app_id.desktop"
check "appstreamcli validate" appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml"
for size in 16 32 48; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png
  check "${size}px icon is ${size}x$size in 24-bit colour" \
    grep -q "PNG image data, $size x $size, 8-bit/color RGB," <(file "$icon")
done
check "scalable icon" test -s "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg"
check "manual page" grep -q '^\.SH OPTIONS' <(zcat "$prefix/share/man/man1/melivant-helper.1.gz")
check "copyright file names the licence" grep -qx 'License: MIT' "$prefix/share/doc/melivant-helper/copyright"
for list in kanji-readings.txt:kanjidic-copyright.txt word-readings.txt:edict-copyright.txt; do
  check "copyright file credits ${list%%:*} under CC BY-SA 3.0 with its licence beside it" \
    awk -v list="${list%%:*}" -v licence="/usr/share/melivant-helper/${list#*:}" \
      '$0 == "Files: usr/share/melivant-helper/" list { s = 1; next } /^Files:/ { s = 0 }
       s && $0 == "License: CC-BY-SA-3.0" { l = 1 } s && index($0, licence) { f = 1 }
       END { exit !(l && f) }' "$prefix/share/doc/melivant-helper/copyright"
  check "${list#*:} installed beside ${list%%:*}" grep -q 'ELECTRONIC DICTIONARY RESEARCH' \
    "$prefix/share/melivant-helper/${list#*:}"
done
check "metainfo names the licence" grep -q '<project_license>MIT</project_license>' \
  "$prefix/share/metainfo/$app_id.metainfo.xml"
# A build configured without a home page names no address; one with it is checked below.
configured_home=$(sed -n 's/^MELIVANT_HOMEPAGE_URL:STRING=//p' "$build/CMakeCache.txt")
if [ -z "$configured_home" ]; then
  check "metainfo names no address when the project has no home" \
    bash -c '! grep "://" "$0"' "$prefix/share/metainfo/$app_id.metainfo.xml"
fi

# With a home page, the metadata, the copyright file and the package all name it.
home=https://home.test/helper
check "configure with a home page" cmake -S "$source_dir" -B "$work/home" -DBUILD_TESTING=OFF \
  -DMELIVANT_HOMEPAGE_URL=$home
check "metainfo names the home page" grep -q "<url type=\"homepage\">$home</url>" \
  "$work/home/packaging/$app_id.metainfo.xml"
check "metainfo names the screenshot" grep -q "<image>$home/docs/window.png</image>" \
  "$work/home/packaging/$app_id.metainfo.xml"
check "copyright file names the home page" grep -qx "Source: $home" "$work/home/packaging/copyright"
check "package names the home page" grep -qF "CPACK_PACKAGE_HOMEPAGE_URL \"$home\"" \
  "$work/home/CPackConfig.cmake"

check "cpack builds the .deb" cpack -G DEB -B "$work/package" --config "$build/CPackConfig.cmake"
deb=$(find "$work/package" -maxdepth 1 -name '*.deb' | head -n 1)
depends=$(dpkg-deb -f "$deb" Depends 2>/dev/null)
check ".deb names the configured home page, or none" \
  test "$(dpkg-deb -f "$deb" Homepage 2>/dev/null)" = "$configured_home"
for package in libqt6widgets6 libqt6gui6 libqt6core6 fonts-noto-cjk qt6-translations-l10n libmecab2 \
    mecab-ipadic-utf8; do
  check ".deb depends on $package" grep -q "\b$package\b" <<<"$depends"
done
contents=$(dpkg-deb -c "$deb" 2>/dev/null | awk '{print $6}')
for path in ./usr/bin/melivant-helper ./usr/share/applications/$app_id.desktop \
  ./usr/share/metainfo/$app_id.metainfo.xml ./usr/share/icons/hicolor/16x16/apps/$app_id.png \
  ./usr/share/icons/hicolor/32x32/apps/$app_id.png ./usr/share/icons/hicolor/48x48/apps/$app_id.png \
  ./usr/share/melivant-helper/kanji-readings.txt ./usr/share/melivant-helper/kanjidic-copyright.txt \
  ./usr/share/melivant-helper/word-readings.txt ./usr/share/melivant-helper/edict-copyright.txt; do
  check ".deb holds $path" grep -qx "$path" <<<"$contents"
done

if command -v lintian >/dev/null; then
  check "lintian finds no error or warning" lintian --fail-on error,warning "$deb"
else
  echo "lintian is not installed: the .deb is not linted"
fi

echo "install: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
