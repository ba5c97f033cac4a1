// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <functional>
#include <vector>

#include "ui/reading_marks.h"

class QPlainTextEdit;
class QTextCursor;

namespace ui {

// Keeps the marks of a text box's rewritten words through every change of its text: typing,
// pasting and composing with an input method, the program's own rewrites, and undo and redo,
// which bring back the marks that an edit dropped.
class MarkTracker : public QObject {
  Q_OBJECT

 public:
  explicit MarkTracker(QPlainTextEdit* box);

  const ReadingMarks& Marks() const { return marks_; }
  ReadingMarks& Marks() { return marks_; }

  // Makes a change of the program's own: `edit` changes the text through the cursor it is given,
  // as one undoable command, and the marks of [position, position + removed) give way to `put`,
  // which lie in [position, position + added) of the new text.
  void Change(int position, int removed, int added, std::vector<Mark> put,
              const std::function<void(QTextCursor&)>& edit);

  // Undoes, or with `redo` redoes, the box's last command, marks included.
  void UndoOrRedo(bool redo);

 Q_SIGNALS:
  // The marks changed or moved.
  void Changed();

 private:
  void FollowEdit(int position, int removed, int added);
  // Whether the text at `position` is the text that `mark` marks.
  bool Holds(const Mark& mark, int position) const;

  QPlainTextEdit* box_;
  ReadingMarks marks_;
  bool own_change_ = false;  // while the program changes the text itself
  bool undoing_ = false;     // while the box undoes or redoes a command
  // Whether the box's undo history gained a command since the last edit was taken.
  bool command_added_ = false;
};

}  // namespace ui
