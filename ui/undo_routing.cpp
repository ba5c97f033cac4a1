// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/undo_routing.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>

#include "ui/mark_tracker.h"

namespace ui {

UndoRouting::UndoRouting(QPlainTextEdit* box, MarkTracker& tracker)
    : QObject(box), tracker_(tracker) {
  box->installEventFilter(this);
}

void UndoRouting::Route(QMenu* menu) {
  for (QAction* action : menu->actions()) {
    const bool undo = action->objectName() == QStringLiteral("edit-undo");
    if (!undo && action->objectName() != QStringLiteral("edit-redo")) continue;
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    connect(action, &QAction::triggered, this, [this, undo] { tracker_.UndoOrRedo(!undo); });
  }
}

bool UndoRouting::eventFilter(QObject* /*watched*/, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  // Ctrl+Y redoes on Linux too, as the program's help says and Windows users expect.
  const bool redo =
      key->matches(QKeySequence::Redo) ||
      (key->key() == Qt::Key_Y && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier);
  if (!redo && !key->matches(QKeySequence::Undo)) return false;
  tracker_.UndoOrRedo(redo);
  return true;
}

}  // namespace ui
