// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/mark_tracker.h"

#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTextCursor>
#include <QTextDocument>

#include "ui/mark_history.h"
#include "ui/reading_edit.h"

namespace ui {

MarkTracker::MarkTracker(QPlainTextEdit* box)
    : QObject(box), box_(box), history_(new MarkHistory(box->document(), marks_, this)) {
  QTextDocument* document = box->document();
  // The document announces a new command before the change it makes, and says nothing when
  // typing on merges into the last command.
  connect(document, &QTextDocument::undoCommandAdded, this, [this] { command_added_ = true; });
  connect(document, &QTextDocument::contentsChange, this, &MarkTracker::FollowEdit);
}

bool MarkTracker::InStep() const { return history_->InStep(); }

void MarkTracker::Change(const ReadingEdit& edit) {
  {
    QTextCursor cursor(box_->document());
    own_change_ = true;
    cursor.beginEditBlock();
    // Also when the edit fails part way, so that later edits are followed again.
    const auto done = qScopeGuard([&] {
      cursor.endEditBlock();
      own_change_ = false;
    });
    // From the last, so that the earlier places stay where they are.
    for (auto part = edit.parts.rbegin(); part != edit.parts.rend(); ++part) {
      cursor.setPosition(part->position);
      cursor.setPosition(part->position + part->length, QTextCursor::KeepAnchor);
      cursor.removeSelectedText();
      // Between the command's first removal and insertion, so that the document puts the cursor
      // where it would without it on undo and redo, and typing on merges into the command as it
      // would.
      history_->OpenOwnCommand();
      cursor.insertText(part->text);
    }
  }
  history_->CloseOwnCommand(marks_.Edit(edit.position, edit.removed, edit.added, edit.marks));
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

void MarkTracker::Narrow(int& position, int& removed, int& added) const {
  // The box may tell of more than it changed: while an input method composes, the whole line, as
  // many characters removed as added. The marks that still hold their text, where they were
  // before the edit or where they are after it, were not touched; the edit lies between them.
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
}

void MarkTracker::FollowEdit(int position, int removed, int added) {
  if (own_change_) return;
  const bool new_command = std::exchange(command_added_, false);
  const QTextDocument* document = box_->document();
  if (!document->isUndoAvailable() && !document->isRedoAvailable()) {
    // The whole text set anew.
    history_->Clear();
    marks_.Edit(position, removed, added);
    Q_EMIT Changed();
    return;
  }
  const MarkHistory::Taken taken = history_->Take(new_command);
  if (taken != MarkHistory::Taken::kReplayed) {
    Narrow(position, removed, added);
    // Nothing changed: an input method composes.
    if (!new_command && removed == 0 && added == 0) return;
    ReadingMarks::Change change = marks_.Edit(position, removed, added);
    if (taken == MarkHistory::Taken::kEdit) history_->AddEdit(std::move(change), new_command);
  }
  Q_EMIT Changed();
}

}  // namespace ui
