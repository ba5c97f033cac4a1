// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/running_marker.h"

#ifdef _WIN32
#include <windows.h>

#include <initializer_list>
#endif

namespace ui {

#ifdef _WIN32
// packaging/windows/installer.nsi looks for these names.
RunningMarker::RunningMarker()
    : session_mutex_(CreateMutexW(nullptr, FALSE, L"org.melivant.Helper.Running")),
      global_mutex_(CreateMutexW(nullptr, FALSE, L"Global\\org.melivant.Helper.Running")) {}

RunningMarker::~RunningMarker() {
  for (void* mutex : {session_mutex_, global_mutex_}) {
    if (mutex != nullptr) CloseHandle(mutex);
  }
}
#else
RunningMarker::RunningMarker() = default;
RunningMarker::~RunningMarker() = default;
#endif

}  // namespace ui
