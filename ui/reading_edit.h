// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "ui/reading_marks.h"

namespace ui {

// A word that a change of the program's own puts in the text box: where it is in the text now,
// the text that takes its place (none when its text stays and only its mark comes), and its mark,
// whose place follows from the edit.
struct WordChange {
  int position = 0;
  int length = 0;
  std::optional<QString> text;
  Mark mark;
};

// One edit of the text box that puts words in: the span it changes, the texts it puts where, and
// the marks of the span as they are after it.
struct ReadingEdit {
  // One text put in the place of [position, position + length) of the text as it is before.
  struct Part {
    int position;
    int length;
    QString text;
  };

  int position = 0;
  int removed = 0;
  int added = 0;
  std::vector<Part> parts;  // in text order
  std::vector<Mark> marks;  // in text order, in the new text

  // Where the text position `at` is after the edit: behind the same text, or at the end of the
  // new text of a word that held it.
  int Moved(int at) const;
};

// The edit that puts `words` (in text order, not overlapping) in their places: the marks of
// `marks` that a word meets give way to the word's, and the others between them move with the
// text.
ReadingEdit MakeReadingEdit(const ReadingMarks& marks, std::vector<WordChange> words);

}  // namespace ui
