// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/running_marker.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace ui {

#ifdef _WIN32
// packaging/windows/installer.nsi looks for this name.
RunningMarker::RunningMarker()
    : mutex_(CreateMutexW(nullptr, FALSE, L"org.melivant.Helper.Running")) {}

RunningMarker::~RunningMarker() {
  if (mutex_ != nullptr) CloseHandle(mutex_);
}
#else
RunningMarker::RunningMarker() = default;
RunningMarker::~RunningMarker() = default;
#endif

}  // namespace ui
