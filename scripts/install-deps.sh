#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# Installs the Debian packages that a task needs and that are not installed yet.
# Usage: scripts/install-deps.sh TASK...   with TASK one of: run package test fuzz bench screenshot icons windows
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config)
# MeCab and its UTF-8 IPADIC read the kanji of lyrics; KANJIDIC and EDICT, converted by Python
# at build time, give readings of the kanji that no dictionary word holds and of JMdict's words.
kanji=(libmecab-dev mecab-ipadic-utf8 kanjidic edict python3)
for task in "$@"; do
  case "$task" in
    run) packages+=(qt6-base-dev fonts-noto-cjk qt6-translations-l10n "${kanji[@]}") ;;
    package) packages+=(qt6-base-dev fonts-noto-cjk dpkg-dev file "${kanji[@]}") ;;
    test) packages+=(qt6-base-dev qt6-base-private-dev fonts-noto-cjk libgtest-dev libicu-dev
                     qt6-translations-l10n reuse lintian desktop-file-utils appstream dpkg-dev file
                     "${kanji[@]}") ;;
    fuzz) packages+=(clang libclang-rt-14-dev "${kanji[@]}") ;;
    bench) packages+=(qt6-base-dev fonts-noto-cjk libbenchmark-dev libicu-dev xvfb xauth xdotool
                      xclip "${kanji[@]}") ;;
    screenshot) packages+=(qt6-base-dev fonts-noto-cjk xvfb xauth imagemagick xdotool xclip
                           "${kanji[@]}") ;;
    icons) packages+=(librsvg2-bin imagemagick python3) ;;
    windows) packages+=(g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools
                        qt6-translations-l10n googletest dpkg-dev patch wine wine64 nsis
                        xvfb xauth fonts-noto-cjk icoutils binutils-mingw-w64-x86-64 zip unzip
                        imagemagick librsvg2-bin xdotool xclip python3 locales
                        mecab-ipadic-utf8 kanjidic edict) ;;
    *) echo "install-deps.sh: unknown task '$task'" >&2; exit 2 ;;
  esac
done

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
