// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>

class QMenu;
class QPlainTextEdit;

namespace ui {

class MarkTracker;

// Sends a text box's undo and redo through its mark tracker, so that the marks come back with the
// text: its keys (the system's, and Ctrl+Y for redo on every system) and its context menu's Undo
// and Redo.
class UndoRouting : public QObject {
  Q_OBJECT

 public:
  UndoRouting(QPlainTextEdit* box, MarkTracker& tracker);

  // Makes the Undo and Redo of `menu`, the box's standard context menu, go through the tracker.
  void Route(QMenu* menu);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  MarkTracker& tracker_;
};

}  // namespace ui
