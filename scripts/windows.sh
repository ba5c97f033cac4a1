#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# Builds the program for 64-bit Windows on Debian 12 and checks it under Wine: cross-builds with
# MinGW-w64, runs every test, makes the portable zip and the installer in build-windows/, and
# starts both in fresh Wine prefixes under Xvfb. Exits non-zero when anything fails.
#
# The Windows builds of Qt, GoogleTest, ICU and MeCab come from Debian's own sources and are made
# once per machine into $MELIVANT_WINDOWS_CACHE (default ~/.cache/melivant-windows); the first run
# takes about 40 minutes on two cores, later runs about 6. MELIVANT_HOMEPAGE_URL, when set, names the
# project's home in the program's version resource and the installer's uninstall entry.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

cache=${MELIVANT_WINDOWS_CACHE:-$HOME/.cache/melivant-windows}
prefix=$cache/prefix
toolchain=$root/cmake/mingw-w64-x86_64.cmake
qt_record=$prefix/qt-build-record
qt_patch=$root/scripts/windows/qt-directwrite-needs-direct2d.patch
build=$root/build-windows
jobs=$(nproc)
export MELIVANT_WINDOWS_PREFIX=$prefix
source scripts/lib/wine.sh

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

step() { printf '== %s (%s)\n' "$*" "$(date +%T)"; }
fail() { echo "windows.sh: $*" >&2; exit 1; }

install_packages() {
  step "install Debian packages"
  scripts/install-deps.sh windows
  # Sources of Qt and ICU come through apt-get source, which needs a deb-src entry.
  if ! apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -x Sources >/dev/null; then
    echo "Adding deb-src entries for Debian's sources"
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
        "${as_root[@]}" tee /etc/apt/sources.list.d/melivant-deb-src.sources >/dev/null
    else
      sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
        "${as_root[@]}" tee /etc/apt/sources.list.d/melivant-deb-src.list >/dev/null
    fi
    "${as_root[@]}" apt-get update -q
  fi
  # The installer's language follows the locale that Wine is started in.
  local missing=()
  locale -a | grep -qx zh_CN.utf8 || missing+=("zh_CN.UTF-8 UTF-8")
  locale -a | grep -qx en_US.utf8 || missing+=("en_US.UTF-8 UTF-8")
  if [ ${#missing[@]} -gt 0 ]; then
    printf '%s\n' "${missing[@]}" | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
    "${as_root[@]}" locale-gen
  fi
}

# The newest version of Debian's source package $1 that apt knows.
debian_version() { apt-cache showsrc "$1" | sed -n 's/^Version: //p' | sort -V | tail -n 1; }

# The Debian version of the source folder $1, from its debian/changelog.
source_version() { sed -n '1s/^[^ ]* (\([^)]*\)).*/\1/p' "$1/debian/changelog" 2>/dev/null; }

# Unpacks version $3 of Debian's source package $1 into $cache/src and prints its folder, named
# $2-UPSTREAM; a folder of another Debian version is replaced.
debian_source() {
  local package=$1 dir
  mkdir -p "$cache/src"
  dir=$(find "$cache/src" -mindepth 1 -maxdepth 1 -type d -name "$2-*" | head -n 1)
  if [ -n "$dir" ] && [ "$(source_version "$dir")" != "$3" ]; then
    rm -rf "$dir" "$cache/src/${package}_"*
    dir=
  fi
  if [ -z "$dir" ]; then
    (cd "$cache/src" && apt-get source -q "$package=$3" >&2)
    dir=$(find "$cache/src" -mindepth 1 -maxdepth 1 -type d -name "$2-*" | head -n 1)
  fi
  [ -n "$dir" ] || fail "apt-get source $package left no folder in $cache/src"
  echo "$dir"
}

# Runs "$@" unless the stamp named $1 records that it succeeded for version $2, so that a Debian
# point or security release of a source builds it again. An older stamp $4, made before versions
# were recorded, counts for the version of the source folder $3 that it was built from.
built_for() {
  local stamp=$prefix/.built-$1 version=$2 source=$3 old=$prefix/.built-$4
  shift 4
  if [ ! -s "$stamp" ] && [ -f "$old" ] && [ -n "$source" ] &&
     [ "$(source_version "$source")" = "$version" ]; then
    rm -f "$old" && echo "$version" > "$stamp"
  fi
  [ "$(cat "$stamp" 2>/dev/null)" = "$version" ] && return 0
  "$@"
  mkdir -p "$prefix" && echo "$version" > "$stamp"
}

build_qt() {
  step "build Qt for Windows (about 35 minutes, once)"
  local src
  src=$(debian_source qt6-base qt6-base "$qt_version")
  if ! grep -q 'QT_CONFIG(direct2d)' "$src/src/plugins/platforms/windows/qwindowsintegration.cpp"; then
    patch -d "$src" -p1 < "$qt_patch"
  fi
  rm -rf "$cache/build/qt" && mkdir -p "$cache/build/qt"
  (cd "$cache/build/qt" &&
    "$src/configure" -prefix "$prefix" "${qt_options[@]}" -DCMAKE_TOOLCHAIN_FILE="$toolchain" &&
    cmake --build . --parallel "$jobs" &&
    cmake --install . &&
    record_qt_build "$src")
  rm -rf "$cache/build/qt"
}

# Qt's configure options, but for the prefix and the toolchain file; the third-party notices
# quote them.
qt_options=(-release -shared -qt-host-path /usr -nomake tests -nomake examples -nomake benchmarks
  -nomake manual-tests -nomake minimal-static-tests -opengl no -no-feature-vulkan -no-dbus -no-icu
  -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-concurrent
  -no-feature-xml -no-feature-tabletevent -no-feature-direct2d -qt-zlib -qt-libpng -qt-libjpeg
  -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion
  -- -G Ninja -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DCMAKE_CROSSCOMPILING_EMULATOR=)

# Records, from the Qt build folder, what the third-party notices are made from: the configure
# options, and for each DLL that Qt built, every source file compiled or included into it
# (qt-sources.txt: "DLL PATH" lines, PATH relative to Qt's source folder $1).
record_qt_build() {
  local src=$1 dll
  rm -rf "$qt_record" && mkdir -p "$qt_record"
  echo "-prefix <folder> ${qt_options[*]} -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake" \
    > "$qt_record/configure-options.txt"
  for dll in $(sed -n 's/^build \([^: ]*\/[^: /]*\.dll\)[ :].*/\1/p' build.ninja); do
    { ninja -t inputs "$dll"
      ninja -t inputs "$dll" | grep '\.obj$' | xargs ninja -t deps | sed -n 's/^    //p'
    } | sed -n "s|^$src/||p" | sort -u | sed "s|^|${dll##*/} |"
  done > "$qt_record/qt-sources.txt"
}

# MeCab's source from Debian: its source package, or, where the archive serves only the package's
# upstream tarball (as Debian 12's mirrors do for mecab 0.996-14), that tarball checked against
# the package's .dsc. Prints the source folder.
mecab_source() {
  local dir
  dir=$(find "$cache/src" -mindepth 1 -maxdepth 1 -type d -name "mecab-0*" | head -n 1)
  if [ -z "$dir" ]; then
    mkdir -p "$cache/src"
    (cd "$cache/src" && apt-get source -q mecab >&2) ||
      (cd "$cache/src" && apt-get source -q --download-only mecab >&2) || true
    dir=$(find "$cache/src" -mindepth 1 -maxdepth 1 -type d -name "mecab-0*" | head -n 1)
  fi
  if [ -z "$dir" ]; then
    local dsc tarball sum
    dsc=$(find "$cache/src" -maxdepth 1 -name "mecab_*.dsc" | head -n 1)
    tarball=$(find "$cache/src" -maxdepth 1 -name "mecab_*.orig.tar.gz" | head -n 1)
    [ -n "$dsc" ] && [ -n "$tarball" ] || fail "apt-get source mecab brought neither the source nor its tarball"
    sum=$(sha256sum "$tarball" | cut -d' ' -f1)
    grep -q "^ $sum [0-9]* ${tarball##*/}\$" "$dsc" || fail "${tarball##*/} does not match $dsc"
    tar -xzf "$tarball" -C "$cache/src"
    dir=$(find "$cache/src" -mindepth 1 -maxdepth 1 -type d -name "mecab-0*" | head -n 1)
  fi
  echo "$dir"
}

# MeCab's library as libmecab.dll, and a record of what was built for the third-party notices:
# the Debian source version, how the source was had, and MeCab's licence texts.
build_mecab() {
  step "build MeCab for Windows (once per version)"
  local src build=$cache/build/mecab record=$prefix/mecab-record
  src=$(mecab_source)
  rm -rf "$build"
  cmake -S scripts/windows/mecab -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DMECAB_SOURCE_DIR="$src"
  cmake --build "$build" --parallel "$jobs"
  cmake --install "$build"
  rm -rf "$build" "$record" && mkdir -p "$record"
  echo "$mecab_version" > "$record/debian-version.txt"
  if [ -d "$src/debian" ]; then
    echo "Debian's source package mecab $mecab_version" > "$record/source.txt"
  else
    echo "the upstream tarball of Debian's source package mecab $mecab_version (its Debian part was not served)" \
      > "$record/source.txt"
  fi
  cp "$src/BSD" "$src/COPYING" "$record/"
}

build_googletest() {
  step "build GoogleTest for Windows (once)"
  cmake -S /usr/src/googletest -B "$cache/build/googletest" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_GMOCK=OFF
  cmake --build "$cache/build/googletest" --parallel "$jobs"
  cmake --install "$cache/build/googletest"
  rm -rf "$cache/build/googletest"
}

build_icu() {
  step "build ICU for Windows (about 11 minutes, once)"
  local src host=$cache/build/icu-host cross=$cache/build/icu-windows
  src=$(debian_source icu icu "$icu_version")
  local options=(--disable-tests --disable-samples --disable-extras --disable-layoutex)
  # Cross-building ICU's data needs ICU's tools built for this machine first.
  rm -rf "$host" "$cross" && mkdir -p "$host" "$cross"
  (cd "$host" && "$src/source/runConfigureICU" Linux "${options[@]}" >/dev/null &&
    make -j"$jobs" >/dev/null)
  (cd "$cross" &&
    "$src/source/configure" --host=x86_64-w64-mingw32 --with-cross-build="$host" \
      --prefix="$prefix" "${options[@]}" \
      CC=x86_64-w64-mingw32-gcc-posix CXX=x86_64-w64-mingw32-g++-posix >/dev/null &&
    make -j"$jobs" >/dev/null && make install >/dev/null)
  rm -rf "$host" "$cross"
}

# Folders holding the DLLs that the program and its tests load: the MinGW runtime and the
# libraries built above.
dll_folders=("$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")"
             "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")"
             "$prefix/bin"
             "$prefix/lib")

build_project() {
  step "cross-build the program and its tests"
  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DMELIVANT_QT_TRANSLATIONS_DIR=/usr/share/qt6/translations \
    -DMELIVANT_QT_SOURCE_DIR="$(debian_source qt6-base qt6-base "$qt_version")" \
    -DMELIVANT_QT_BUILD_RECORD_DIR="$qt_record" -DMELIVANT_QT_PATCHES="$qt_patch" \
    -DMELIVANT_MECAB_RECORD_DIR="$prefix/mecab-record" \
    -DMELIVANT_HOMEPAGE_URL="${MELIVANT_HOMEPAGE_URL-}"
  cmake --build "$build" --parallel "$jobs"
}

# The tests run as a user named in Chinese, whose profile folder (AppData among it) is so named.
run_tests() {
  step "run every test under Wine"
  local user=张三 wine_prefix=$cache/wine-tests-user winepath=() folder status
  if [ ! -d "$wine_prefix/drive_c/users/$user" ] || ! wine_prefix_lacks "$wine_prefix" >/dev/null; then
    new_wine_prefix_for "$user" "$wine_prefix" || fail "no usable Wine prefix at $wine_prefix"
  fi
  for folder in "${dll_folders[@]}"; do winepath+=("Z:${folder//\//\\}"); done
  local -x WINEPATH
  WINEPATH=$(IFS=';'; echo "${winepath[*]}")
  # The tests are discovered by starting them. On a loaded machine a fresh prefix has failed the
  # first programs it started before they ran (exit code 53: Windows' "DLL not found",
  # 0xC0000135, cut to eight bits), again and again, while a prefix made anew started them at
  # once; and a program may meet the prefix's server as it shuts down between two starts. So the
  # server is kept running for the whole run, and a test program is started, in new prefixes if
  # need be, until it lists its tests, before ctest starts any.
  USER=$user WINEPREFIX=$wine_prefix wine_keep_server=1 \
    wine_start_until_it_runs "$build/tests/conversion/conversion_tests.exe" --gtest_list_tests ||
    fail "Wine did not start a test program in $wine_prefix"
  status=0
  USER=$user WINEPREFIX=$wine_prefix QT_QPA_PLATFORM=offscreen \
    ctest --test-dir "$build" --output-on-failure --timeout 300 || status=$?
  WINEPREFIX=$wine_prefix wineserver -k || true
  [ "$status" -eq 0 ] || fail "tests failed under Wine"
}

# The zip comes from CPack; the installer is made from the same folder, installed by CMake with
# every DLL that the program needs and the third-party notices.
make_packages() {
  step "make the portable zip and the installer"
  local version name folder files homepage
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
  homepage=$(sed -n 's/^MELIVANT_HOMEPAGE_URL:STRING=//p' "$build/CMakeCache.txt")
  name=melivant-helper-$version-windows-x64
  folder=$build/$name
  rm -rf "$folder" "$build/$name.zip" "$build/$name-setup.exe"
  (cd "$build" && cpack -G ZIP >/dev/null)
  cmake --install "$build" --prefix "$folder" >/dev/null

  # The installer's file lists, from the folder itself: what it installs, it removes.
  files=$build/installer-files
  rm -rf "$files" && mkdir -p "$files"
  (cd "$folder" &&
    find . -type d | sort | while IFS= read -r dir; do
      printf 'SetOutPath "$INSTDIR%s"\n' "$(windows_path "${dir#.}")"
      find "$dir" -maxdepth 1 -type f | sort | while IFS= read -r file; do
        printf 'File "%s"\n' "$folder/${file#./}"
      done
    done > "$files/install-files.nsh"
    find . -type f | sort | while IFS= read -r file; do
      printf 'Delete "$INSTDIR%s"\n' "$(windows_path "${file#.}")"
    done > "$files/uninstall-files.nsh"
    find . -mindepth 1 -type d | sort -r | while IFS= read -r dir; do
      printf 'RMDir "$INSTDIR%s"\n' "$(windows_path "${dir#.}")"
    done >> "$files/uninstall-files.nsh")
  echo 'SetOutPath "$INSTDIR"' >> "$files/install-files.nsh"
  # The welcome and finish pages' picture: the program's icon on the window's black.
  rsvg-convert -w 120 -h 120 ui/icons/melivant-helper.svg -o "$files/icon.png"
  convert -size 164x314 xc:'#000000' "$files/icon.png" -gravity north -geometry +0+70 \
    -composite -type TrueColor BMP3:"$files/welcome.bmp"
  makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DFILES="$files" \
    -DICON="$root/ui/icons/melivant-helper.ico" -DWELCOME_BITMAP="$files/welcome.bmp" \
    -DOUTFILE="$build/$name-setup.exe" \
    -DSIZE_KB="$(du -sk "$folder" | cut -f1)" ${homepage:+-DHOMEPAGE="$homepage"} \
    "$root/packaging/windows/installer.nsi"
  ls -l "$build/$name.zip" "$build/$name-setup.exe"
}

windows_path() { printf '%s' "${1//\//\\}"; }

check_packages() {
  step "check both packages in fresh Wine prefixes under Xvfb"
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    scripts/windows/check-packages.sh "$build" "$cache/wine-check"
}

main() {
  install_packages
  qt_version=$(debian_version qt6-base)
  icu_version=$(debian_version icu)
  built_for qt-recorded "$qt_version" "$(find "$cache/src" -mindepth 1 -maxdepth 1 -type d \
    -name 'qt6-base-*' | head -n 1)" qt-6.4.2-recorded build_qt
  built_for googletest "$(dpkg-query -W -f='${Version}' googletest)" "" googletest \
    build_googletest
  built_for icu "$icu_version" "$(find "$cache/src" -mindepth 1 -maxdepth 1 -type d \
    -name 'icu-*' | head -n 1)" icu build_icu
  # MeCab is built again when Debian's version of it or the way it is built changes.
  mecab_version=$(debian_version mecab)
  built_for mecab "$mecab_version $(sha256sum scripts/windows/mecab/CMakeLists.txt | cut -c1-12)" \
    "" "" build_mecab
  build_project
  run_tests
  make_packages
  check_packages
  step "done"
}

main "$@"
