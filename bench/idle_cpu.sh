#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# Processor use of the real program while it sits idle, some seconds after it was handed large
# lyrics as a user would: a 5 MB line of romaji pasted into Input, then 10 MB of kana lyrics
# pasted and converted, with the focus in Input and then in Output. Prints a line per case, with
# the program's resident memory then.
# Runs on an X display with no window manager (xvfb-run), from the repository root:
#   bench/idle_cpu.sh PROGRAM WRITE_LYRICS
set -euo pipefail
program=$1
write_lyrics=$2
source scripts/lib/xdriver.sh

main_window="MELIVANT系列辅助工具"
message_box="MELIVANT辅助工具"
settle=5    # seconds for the program to finish its work after the last input
measure=10  # seconds of idle time measured

# Prints the process's processor time, user and system, in clock ticks.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

report_idle() {
  sleep "$settle"
  local before after
  before=$(ticks "$app")
  sleep "$measure"
  after=$(ticks "$app")
  local resident
  resident=$(awk '/^VmRSS:/ { print $2 }' "/proc/$app/status")
  awk -v used=$((after - before)) -v hz="$(getconf CLK_TCK)" -v seconds="$measure" -v what="$1" \
    -v resident="$resident" \
    'BEGIN { printf "idle CPU %5.1f%%  RSS %5.0f MB  %s\n",
                    100 * used / hz / seconds, resident / 1024, what }'
}

# Puts the lyrics on the clipboard and pastes them over Input's text.
paste_lyrics() {
  "$write_lyrics" "$1" "$2" | xclip -selection clipboard -loops 1 &
  sleep 1
  point_at "$main_window" 200 80
  xdotool click 1 key ctrl+a ctrl+v
}

# Dismisses the message box that a choice or a press brings up, once it is shown.
dismiss_message() {
  point_at "$message_box" 20 20 300
  xdotool key Return
}

"$program" &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
dismiss_message  # the greeting

paste_lyrics romaji 5
report_idle "5 MB line of romaji pasted, focus in Input"

paste_lyrics kana 10
point_at "$main_window" 20 162
xdotool click 1  # kana mode, which warns
dismiss_message
point_at "$main_window" 200 80
xdotool click 1 key Return  # Enter in Input presses Begin
dismiss_message
report_idle "10 MB of kana converted, focus in Input"

point_at "$main_window" 200 300
xdotool click 1
report_idle "10 MB of kana converted, focus in Output"
