// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <utility>
#include <vector>

#include "ui/reading_marks.h"

namespace test_support {

// The marks of a text box as a plain list: moved one by one on each edit, and put back from
// copies on undo and redo, one copy for each command.
class PlainMarks {
 public:
  explicit PlainMarks(std::vector<ui::Mark> marks = {}) : marks_(std::move(marks)) {}

  const std::vector<ui::Mark>& Marks() const { return marks_; }

  // The edit that replaced `removed` characters at `position` by `added`; `new_command` when it
  // is an undo step of its own, else it merges into the last one.
  void Edit(int position, int removed, int added, bool new_command) {
    Begin(new_command);
    std::erase_if(marks_, [&](ui::Mark& mark) {
      const bool touched =
          removed > 0 ? mark.position < position + removed && mark.position + mark.length > position
                      : mark.position < position && mark.position + mark.length > position;
      if (!touched && mark.position >= position + removed) mark.position += added - removed;
      return touched;
    });
  }

  // A change of the program's own that left `marks`: an undo step of its own when
  // `new_command`, else a change of the marks alone, outside the undo history.
  void Set(std::vector<ui::Mark> marks, bool new_command) {
    if (new_command) Begin(true);
    marks_ = std::move(marks);
  }

  // Puts the marks back as they were before the last command done, or, with `redo`, after the
  // last one undone; nothing when there is none.
  void Step(bool redo) {
    auto& from = redo ? redo_ : undo_;
    auto& to = redo ? undo_ : redo_;
    if (from.empty()) return;
    to.push_back(marks_);
    marks_ = from.back();
    from.pop_back();
  }

  bool CanUndo() const { return !undo_.empty(); }

 private:
  void Begin(bool new_command) {
    if (new_command) undo_.push_back(marks_);
    redo_.clear();
  }

  std::vector<ui::Mark> marks_;
  std::vector<std::vector<ui::Mark>> undo_;
  std::vector<std::vector<ui::Mark>> redo_;
};

}  // namespace test_support
