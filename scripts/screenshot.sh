#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# Starts the program on a virtual X display and takes screenshots: the greeting, then the window
# with romaji lyrics converted, the kana-mode warning, kanji rewritten by F7 with a word's
# readings offered, and the review menu that F8 opens on a word to check, into docs/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh screenshot
cmake -S . -B build -G Ninja
cmake --build build --target melivant-helper
mkdir -p docs

xvfb-run -a -s "-screen 0 1280x1024x24" bash -euo pipefail -c '
  source scripts/lib/xdriver.sh
  build/ui/melivant-helper &
  app=$!
  trap "kill $app 2>/dev/null || true" EXIT
  shoot() { sleep 0.5; import -window "$(window "$1")" "$2"; }

  shoot "MELIVANT辅助工具" docs/greeting.png
  point_at "MELIVANT辅助工具"; xdotool key Return
  point_at "MELIVANT系列辅助工具" 200 80
  xdotool type "sakura sakura yayoi no sora wa"
  xdotool key Tab space Return
  shoot "MELIVANT系列辅助工具" docs/window.png
  point_at "MELIVANT系列辅助工具" 20 162; xdotool click 1
  shoot "MELIVANT辅助工具" docs/kana-warning.png
  point_at "MELIVANT辅助工具"; xdotool key Return
  point_at "MELIVANT系列辅助工具" 200 80; xdotool click 1 key ctrl+a Delete
  printf "明日へ続く道を歩いて\n三日月が光る空の下\n明日の夢と𠀋の花" | xclip -selection clipboard -i >/dev/null
  xdotool key ctrl+v Up Up Home F7
  sleep 0.5
  point_at "MELIVANT系列辅助工具" 50 81; xdotool click 3
  sleep 0.5
  import -window root -crop 520x440+0+0 docs/kanji-readings.png
  xdotool key Escape
  point_at "MELIVANT系列辅助工具" 200 120; xdotool key ctrl+Home F8
  sleep 0.5
  import -window root -crop 520x440+0+0 docs/review-menu.png
  xdotool key Escape
'
echo "wrote docs/greeting.png, docs/window.png, docs/kana-warning.png, docs/kanji-readings.png" \
  "and docs/review-menu.png"
