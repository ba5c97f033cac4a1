// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QGuiApplication>

namespace ui {

// Shows the busy cursor over the program's windows for as long as it lives.
class BusyCursor {
 public:
  BusyCursor() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // The work that follows runs no event loop, so the new cursor is sent to the display now.
    QGuiApplication::sync();
  }
  ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }

  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace ui
