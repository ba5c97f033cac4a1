// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

class QPlainTextEdit;

namespace ui {

class ReadingMarks;

// F8 and Shift+F8: the walk through the words of a text box whose reading is to check.
class Review {
 public:
  Review(QPlainTextEdit* box, const ReadingMarks& marks);

  // Selects the next word to check after the selection (or, with `back`, the one before it),
  // both wrapping around, and returns its mark's index; -1 when no word is left to check.
  int Next(bool back) const;

 private:
  QPlainTextEdit* box_;
  const ReadingMarks& marks_;
};

}  // namespace ui
