// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>

#include "ui/reading_marks.h"

class QPlainTextEdit;

namespace ui {

class MarkHistory;
struct ReadingEdit;

// Keeps the marks of a text box's rewritten words through every change of its text: typing,
// pasting and composing with an input method, the program's own rewrites, and undo and redo by
// any path, which bring back the marks that an edit dropped.
class MarkTracker : public QObject {
  Q_OBJECT

 public:
  explicit MarkTracker(QPlainTextEdit* box);

  const ReadingMarks& Marks() const { return marks_; }
  ReadingMarks& Marks() { return marks_; }

  // Makes `edit` in the box as one undoable command, and gives its span its marks.
  void Change(const ReadingEdit& edit);

  // Whether the marks' undo history has kept in step with the box's.
  bool InStep() const;

 Q_SIGNALS:
  // The marks changed or moved.
  void Changed();

 private:
  // Takes the change of the box's text that replaced `removed` characters at `position` with
  // `added` ones: an undo or redo, or an edit that the marks follow.
  void FollowEdit(int position, int removed, int added);
  // Narrows a change that the box tells wider than it was to the part between the marks that
  // still hold their text.
  void Narrow(int& position, int& removed, int& added) const;
  // Whether the text at `position` is the text that `mark` marks.
  bool Holds(const Mark& mark, int position) const;

  QPlainTextEdit* box_;
  ReadingMarks marks_;
  MarkHistory* history_;
  bool own_change_ = false;  // while the program changes the text itself
  // Whether the box's undo history gained a command since the last edit was taken.
  bool command_added_ = false;
};

}  // namespace ui
