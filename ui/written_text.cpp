// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/written_text.h"

#include <algorithm>

#include "ui/reading_marks.h"
#include "ui/units.h"

namespace ui {

WrittenText::WrittenText(const QString& text, const ReadingMarks& marks) {
  const std::u16string_view box = Units(text);
  text_.reserve(box.size());
  int copied = 0;
  for (const Mark& mark : marks.Between(0, int(text.size()))) {
    const ReadingMarks::Word& word = marks.WordAt(mark.word);
    // Kanji left as they were (unread, or put back by 原文) are read again; a particle is not.
    if (mark.kind == MarkKind::kUnread ||
        (mark.kind != MarkKind::kParticle && word.reading == word.original)) {
      continue;
    }
    text_.append(box.substr(std::size_t(copied), std::size_t(mark.position - copied)));
    words_.push_back({text_.size(), std::size_t(word.original.size()), mark.position, mark.length});
    text_.append(Units(word.original));
    copied = mark.position + mark.length;
  }
  text_.append(box.substr(std::size_t(copied)));
}

std::vector<WrittenText::Word>::const_iterator WrittenText::WordEndingAfter(std::size_t at) const {
  return std::upper_bound(words_.begin(), words_.end(), at, [](std::size_t a, const Word& w) {
    return a < w.written + w.written_length;
  });
}

std::size_t WrittenText::FromBox(int at, bool to_end) const {
  const auto after = std::upper_bound(words_.begin(), words_.end(), at, [](int a, const Word& w) {
    return a < w.box + w.box_length;
  });
  if (after != words_.end() && after->box < at) {
    return after->written + (to_end ? after->written_length : 0);
  }
  if (after == words_.begin()) return std::size_t(at);
  const Word& before = *(after - 1);
  return before.written + before.written_length + std::size_t(at - before.box - before.box_length);
}

std::optional<int> WrittenText::ToBox(std::size_t position, std::size_t length) const {
  const auto after = WordEndingAfter(position);
  if (after != words_.end() && after->written < position + std::max<std::size_t>(length, 1)) {
    return std::nullopt;
  }
  if (after == words_.begin()) return int(position);
  const Word& before = *(after - 1);
  return before.box + before.box_length + int(position - before.written - before.written_length);
}

}  // namespace ui
