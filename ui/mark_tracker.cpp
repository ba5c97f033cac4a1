// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/mark_tracker.h"

#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTextCursor>
#include <QTextDocument>

namespace ui {

MarkTracker::MarkTracker(QPlainTextEdit* box) : QObject(box), box_(box) {
  QTextDocument* document = box->document();
  // The document announces a new command before the change it makes, and says nothing when
  // typing on merges into the last command.
  connect(document, &QTextDocument::undoCommandAdded, this, [this] { command_added_ = true; });
  connect(document, &QTextDocument::contentsChange, this, &MarkTracker::FollowEdit);
}

void MarkTracker::Change(int position, int removed, int added, std::vector<Mark> put,
                         const std::function<void(QTextCursor&)>& edit) {
  command_added_ = false;
  {
    QTextCursor cursor(box_->document());
    own_change_ = true;
    cursor.beginEditBlock();
    // Also when the edit fails part way, so that later edits are followed again.
    const auto done = qScopeGuard([&] {
      cursor.endEditBlock();
      own_change_ = false;
    });
    edit(cursor);
  }
  marks_.Edit(position, removed, added,
              command_added_ ? ReadingMarks::Step::kNewCommand : ReadingMarks::Step::kNoCommand,
              std::move(put));
  command_added_ = false;
  Q_EMIT Changed();
}

bool MarkTracker::Holds(const Mark& mark, int position) const {
  const QTextDocument* document = box_->document();
  const QString& text = marks_.WordAt(mark.word).reading;
  if (position < 0 || position + text.size() >= document->characterCount()) return false;
  for (int i = 0; i < text.size(); ++i) {
    if (document->characterAt(position + i) != text[i]) return false;
  }
  return true;
}

void MarkTracker::FollowEdit(int position, int removed, int added) {
  // Undo and redo are taken once they are done, in UndoOrRedo.
  if (own_change_ || undoing_) return;
  // The box may tell of more than it changed: while an input method composes, the whole line, as
  // many characters removed as added, and on undo everything from the first change of a command
  // to its last. The marks that still hold their text, where they were before the edit or where
  // they are after it, were not touched; the edit lies between them.
  const int grown = added - removed;
  const std::vector<Mark> told = marks_.Between(position, position + removed);
  std::size_t before = 0;
  while (before < told.size() && told[before].position + told[before].length <= position + added &&
         Holds(told[before], told[before].position)) {
    ++before;
  }
  std::size_t after = told.size();
  while (after > before && told[after - 1].position + grown >= position &&
         Holds(told[after - 1], told[after - 1].position + grown)) {
    --after;
  }
  const int from = before > 0
                       ? std::max(position, told[before - 1].position + told[before - 1].length)
                       : position;
  const int to =
      after < told.size() ? std::min(position + removed, told[after].position) : position + removed;
  if (to >= from && to - from + grown >= 0) {
    position = from;
    removed = to - from;
    added = removed + grown;
  }

  using Step = ReadingMarks::Step;
  const QTextDocument* document = box_->document();
  Step step = Step::kSameCommand;
  if (command_added_) {
    step = Step::kNewCommand;
  } else if (!document->isUndoAvailable() && !document->isRedoAvailable()) {
    step = Step::kNoHistory;  // the whole text set anew
  } else if (removed == 0 && added == 0) {
    return;  // nothing changed: an input method composes
  }
  command_added_ = false;
  marks_.Edit(position, removed, added, step);
  Q_EMIT Changed();
}

void MarkTracker::UndoOrRedo(bool redo) {
  QTextDocument* document = box_->document();
  if (redo ? !document->isRedoAvailable() : !document->isUndoAvailable()) return;
  {
    undoing_ = true;
    const auto done = qScopeGuard([this] { undoing_ = false; });
    if (redo) {
      box_->redo();
      marks_.Redo();
    } else {
      box_->undo();
      marks_.Undo();
    }
  }
  command_added_ = false;
  Q_EMIT Changed();
}

}  // namespace ui
