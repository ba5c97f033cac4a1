# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# Wine as the Windows scripts run it: quiet, never asking to install Mono or Gecko, and adding no
# menu entries or desktop files to this machine for the shortcuts that installers make. Sourced.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# What Wine tells when it cannot start a program: its errors, and how it looked for DLLs.
wine_errors_debug=err+all,warn+module

# Files that every prefix made by wineboot has: its registry, its drives C: and Z: (which the
# scripts' WINEPATH names), and the core DLLs that any program loads.
wine_prefix_files=(system.reg user.reg userdef.reg dosdevices/c: dosdevices/z:
  drive_c/windows/system32/ntdll.dll drive_c/windows/system32/kernel32.dll
  drive_c/windows/system32/kernelbase.dll drive_c/windows/system32/ucrtbase.dll
  drive_c/windows/system32/msvcrt.dll drive_c/windows/system32/cmd.exe)

# Prints the files that the prefix at $1 lacks of those; succeeds when it lacks none.
wine_prefix_lacks() {
  local file status=1
  for file in "${wine_prefix_files[@]}"; do
    [ -s "$1/$file" ] || { echo "$1/$file"; status=0; }
  done
  [ "$status" -eq 1 ]
}

# Tells on standard error whether the prefix at $1 is complete.
wine_prefix_report() {
  local lacking
  if lacking=$(wine_prefix_lacks "$1"); then
    echo "The prefix $1 has its registry, drives and core DLLs." >&2
  else
    echo "The prefix $1 is incomplete; it lacks:" >&2
    sed 's/^/  /' <<<"$lacking" >&2
  fi
}

# Prints Wine's messages from the file $1 on standard error, at most the last 60 lines, without
# its notes of what it has not implemented and its advice to install the 32-bit Wine.
wine_show_errors() {
  echo "Wine said:" >&2
  grep -v -e '^[0-9a-f]*:fixme:' -e 'wine32 is missing' -e '^multiarch needs' \
    -e 'dpkg --add-architecture' -e 'apt-get install wine32' "$1" |
    tail -n 60 | sed 's/^/  /' >&2 || true
}

# Makes an empty Wine prefix at $1, first ending whatever still runs in an old one there, and
# checks that it starts a program. When wineboot fails, or the prefix lacks a core file or does
# not start Wine's own command prompt, tells why and makes it again, three times at most.
new_wine_prefix() {
  local dir=$1 try status log
  log=$(mktemp)
  for try in 1 2 3; do
    WINEPREFIX=$dir wineserver -k 2>/dev/null || true
    rm -rf "$dir"
    status=0
    WINEPREFIX=$dir WINEDEBUG=$wine_errors_debug wineboot -i >"$log" 2>&1 || status=$?
    WINEPREFIX=$dir wineserver -w || true
    if [ "$status" -ne 0 ]; then
      echo "wineboot -i failed to make the prefix $dir (exit code $status, try $try)." >&2
    elif ! wine_prefix_lacks "$dir" >/dev/null; then
      echo "wineboot -i made an incomplete prefix $dir (try $try)." >&2
    else
      status=0
      WINEPREFIX=$dir WINEDEBUG=$wine_errors_debug wine cmd.exe /c exit 0 >/dev/null 2>"$log" ||
        status=$?
      # The prefix is left with no server running.
      WINEPREFIX=$dir wineserver -w || true
      [ "$status" -eq 0 ] && { rm -f "$log"; return 0; }
      echo "The new prefix $dir did not start cmd.exe (exit code $status, try $try)." >&2
    fi
    wine_show_errors "$log"
    wine_prefix_report "$dir"
  done
  rm -f "$log"
  echo "Three Wine prefixes made at $dir in a row were unusable." >&2
  return 1
}

# Makes an empty Wine prefix at $2 whose user, and so whose profile folder, is named $1; Wine
# names the user after USER, so programs run in it need USER=$1 too.
new_wine_prefix_for() {
  USER=$1 new_wine_prefix "$2"
}

# Starts the Windows program "$@" in the prefix $WINEPREFIX (for the user $USER), with standard
# output discarded, until it succeeds. A start that fails tells Wine's own errors and whether the
# prefix is complete; then the prefix's server is ended and the prefix made again, as a start
# in a prefix that failed once tends to fail again while one in a new prefix does not. Fails after
# three prefixes. With wine_keep_server set, the prefix's server is kept running between starts.
wine_start_until_it_runs() {
  local try status log
  log=$(mktemp)
  for try in 1 2 3; do
    # Fails, harmlessly, when a server already runs.
    [ -z "${wine_keep_server-}" ] || wineserver -p 2>/dev/null || true
    status=0
    WINEDEBUG=$wine_errors_debug wine "$@" >/dev/null 2>"$log" || status=$?
    [ "$status" -eq 0 ] && { rm -f "$log"; return 0; }
    echo "Wine did not start $1 in $WINEPREFIX (exit code $status, try $try)." >&2
    wine_show_errors "$log"
    wine_prefix_report "$WINEPREFIX"
    [ "$try" -lt 3 ] || break
    echo "Ending the prefix's server and making the prefix again." >&2
    wineserver -k 2>/dev/null || true
    new_wine_prefix "$WINEPREFIX" || break
  done
  rm -f "$log"
  return 1
}
