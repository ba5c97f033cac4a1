// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

namespace ui {

// Windows only: while it lives, marks the program as running with a named mutex, in the user's
// session and in the global namespace (seen from every session), which the installer and the
// uninstaller look for before they replace or remove the program's files. Elsewhere it does
// nothing.
class RunningMarker {
 public:
  RunningMarker();
  ~RunningMarker();
  RunningMarker(const RunningMarker&) = delete;
  RunningMarker& operator=(const RunningMarker&) = delete;

 private:
  void* session_mutex_ = nullptr;
  void* global_mutex_ = nullptr;
};

}  // namespace ui
