// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class ReadingMarks;

// A text box's text as its lyrics were written: the words that F7 or a menu rewrote put back as
// they were, so that F7 reads a line again as it read it first. Positions go between the two.
class WrittenText {
 public:
  // `text` is the box's text (a line break one code unit), `marks` its marks.
  WrittenText(const QString& text, const ReadingMarks& marks);

  std::u16string_view Text() const { return text_; }

  // The written position of the box's position `at`; inside a rewritten word, its written start,
  // or its written end with `to_end`.
  std::size_t FromBox(int at, bool to_end = false) const;
  // The box's position of the written text [position, position + length), or nothing where it
  // meets a rewritten word or a particle's mark: what is there has been decided.
  std::optional<int> ToBox(std::size_t position, std::size_t length) const;

 private:
  struct Word {
    std::size_t written;
    std::size_t written_length;
    int box;
    int box_length;
  };
  // The first word that ends after written position `at`.
  std::vector<Word>::const_iterator WordEndingAfter(std::size_t at) const;

  std::u16string text_;
  std::vector<Word> words_;  // in text order
};

}  // namespace ui
