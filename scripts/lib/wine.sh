# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# Wine as the Windows scripts run it: quiet, never asking to install Mono or Gecko, and adding no
# menu entries or desktop files to this machine for the shortcuts that installers make. Sourced.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Makes an empty Wine prefix at $1, first ending whatever still runs in an old one there.
new_wine_prefix() {
  WINEPREFIX=$1 wineserver -k 2>/dev/null || true
  rm -rf "$1"
  WINEPREFIX=$1 wineboot -i >/dev/null 2>&1
  WINEPREFIX=$1 wineserver -w
}

# Makes an empty Wine prefix at $2 whose user, and so whose profile folder, is named $1; Wine
# names the user after USER, so programs run in it need USER=$1 too.
new_wine_prefix_for() {
  USER=$1 new_wine_prefix "$2"
}
