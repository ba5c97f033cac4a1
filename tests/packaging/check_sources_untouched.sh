#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# The build wrote no Python byte code into the source tree: of what git finds untracked or
# ignored there, outside the build folder, no __pycache__ folder or .pyc file holds byte code
# newer than STAMP, which the build's configure step touches. Older byte code and anything else a
# developer keeps in the tree do not count. Skips (77) where the sources are no git checkout.
#   check_sources_untouched.sh SOURCE_FOLDER BUILD_FOLDER STAMP
set -euo pipefail
source=$(realpath "$1")
build=$(realpath "$2")
stamp=$3
command -v git >/dev/null || { echo "no git: skipped"; exit 77; }
top=$(git -C "$source" rev-parse --show-toplevel 2>/dev/null) || { echo "no git checkout: skipped"; exit 77; }
[ "$(realpath "$top")" = "$source" ] || { echo "$source is not a checkout of its own: skipped"; exit 77; }
[ -e "$stamp" ] || { echo "$stamp is missing: configure the build again" >&2; exit 1; }
cd "$source"
inside=${build#"$source"/}
written=$(git status --porcelain=v1 -z --ignored=matching --untracked-files=all | tr '\0' '\n' |
  sed -n 's/^[?!][?!] //p' | while IFS= read -r path; do
    [ "$inside" = "$build" ] || case "$path" in "$inside"/*) continue ;; esac
    case "/$path" in
      */__pycache__/ | */__pycache__/* | *.pyc)
        find "$path" -newer "$stamp" -name '*.pyc' -print ;;
    esac
  done)
if [ -n "$written" ]; then
  echo "The build wrote into the source tree $source:" >&2
  echo "$written" >&2
  exit 1
fi
echo "ok: the build wrote no byte code into $source"
