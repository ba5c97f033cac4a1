// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>

namespace ui {

// Shows the busy cursor over the program's windows for as long as it lives. Its making handles
// the events waiting then, but the user's input (keys, clicks) waits for the work to end: a
// command takes its text once the cursor shows, and nothing changes that text until it is done.
class BusyCursor {
 public:
  BusyCursor() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // The work that follows runs no event loop, so the new cursor is sent to the display now.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }

  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace ui
