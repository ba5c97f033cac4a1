// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include "ui/running_marker.h"

namespace {

TEST(RunningMarker, MarksTheProgramInItsSessionAndForEverySession) {
#ifdef _WIN32
  auto held = [](const wchar_t* name) {
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, name);
    if (mutex != nullptr) CloseHandle(mutex);
    return mutex != nullptr;
  };
  {
    const ui::RunningMarker running;
    EXPECT_TRUE(held(L"org.melivant.Helper.Running"));
    EXPECT_TRUE(held(L"Global\\org.melivant.Helper.Running"));
  }
  EXPECT_FALSE(held(L"org.melivant.Helper.Running"));
  EXPECT_FALSE(held(L"Global\\org.melivant.Helper.Running"));
#else
  GTEST_SKIP() << "the installer that looks for the marker is Windows only";
#endif
}

}  // namespace
