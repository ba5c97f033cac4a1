#!/usr/bin/env bash
# Checks the installation of a build: installs it into a temporary prefix, validates the desktop
# entry and the AppStream metadata, checks the icons, then builds the .deb and checks its
# dependencies and contents.  Usage: check_install.sh BUILD_DIR
set -uo pipefail

build=$(cd "$1" && pwd)
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

check "cpack builds the .deb" cpack -G DEB -B "$work/package" --config "$build/CPackConfig.cmake"
deb=$(find "$work/package" -maxdepth 1 -name '*.deb' | head -n 1)
depends=$(dpkg-deb -f "$deb" Depends 2>/dev/null)
for package in libqt6widgets6 libqt6gui6 libqt6core6 fonts-noto-cjk qt6-translations-l10n; do
  check ".deb depends on $package" grep -q "\b$package\b" <<<"$depends"
done
contents=$(dpkg-deb -c "$deb" 2>/dev/null | awk '{print $6}')
for path in ./usr/bin/melivant-helper ./usr/share/applications/$app_id.desktop \
  ./usr/share/metainfo/$app_id.metainfo.xml ./usr/share/icons/hicolor/16x16/apps/$app_id.png \
  ./usr/share/icons/hicolor/32x32/apps/$app_id.png ./usr/share/icons/hicolor/48x48/apps/$app_id.png; do
  check ".deb holds $path" grep -qx "$path" <<<"$contents"
done

echo "install: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
