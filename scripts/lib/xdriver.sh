# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# Drives the program's windows on an X display the way a user would, through real (XTEST) input.
# Sourced by scripts that run under xvfb-run. With no window manager the keyboard goes to the
# window under the pointer, so the pointer is moved onto a window before keys are typed into it.

# Prints the id of the visible window whose title contains $1, waiting up to $2 seconds (10).
window() {
  local tries=$(( ${2:-10} * 5 ))
  for _ in $(seq "$tries"); do
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 | grep . && return
    sleep 0.2
  done
  echo "no window named $1" >&2
  return 1
}

# Moves the pointer to ($2, $3) inside the window titled $1.
point_at() {
  xdotool mousemove --window "$(window "$1" "${4:-10}")" "${2:-20}" "${3:-20}"
  sleep 0.3
}
