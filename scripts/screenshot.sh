#!/usr/bin/env bash
# Starts the program on a virtual X display and takes screenshots: the greeting, then the window
# with romaji lyrics converted. Writes docs/greeting.png and docs/window.png.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh screenshot
command -v xdotool >/dev/null || {
  as_root=(); [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  "${as_root[@]}" apt-get install -y -q xdotool
}
cmake -S . -B build -G Ninja
cmake --build build --target melivant-helper
mkdir -p docs

xvfb-run -a -s "-screen 0 1280x1024x24" bash -euo pipefail -c '
  build/ui/melivant-helper &
  app=$!
  trap "kill $app 2>/dev/null || true" EXIT
  wait_for() { for _ in $(seq 50); do xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return; sleep 0.2; done; }
  window() { xdotool search --onlyvisible --name "$1" | head -n 1; }
  press() { xdotool key --window "$(window "$1")" "$2" 2>/dev/null || true; sleep 0.5; }  # a box may close before the key is released
  type_text() { xdotool type --window "$(window "$1")" "$2"; sleep 0.5; }
  shoot() { import -window "$(window "$1")" -frame "$2"; }

  wait_for "MELIVANT辅助工具"; sleep 1
  shoot "MELIVANT辅助工具" docs/greeting.png
  press "MELIVANT辅助工具" Return
  wait_for "MELIVANT系列辅助工具"; sleep 1
  type_text "MELIVANT系列辅助工具" "sakura sakura yayoi no sora wa"
  press "MELIVANT系列辅助工具" Tab
  press "MELIVANT系列辅助工具" space
  press "MELIVANT系列辅助工具" Return
  shoot "MELIVANT系列辅助工具" docs/window.png
'
echo "wrote docs/greeting.png and docs/window.png"
