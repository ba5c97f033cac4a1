// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/reading_edit.h"

#include <utility>

namespace ui {

int ReadingEdit::Moved(int at) const {
  int moved = at;
  for (const Part& part : parts) {
    if (part.position >= at) break;
    const int grown = int(part.text.size()) - part.length;
    const int end = part.position + part.length;
    moved += end <= at ? grown : end - at + grown;
  }
  return moved;
}

ReadingEdit MakeReadingEdit(const ReadingMarks& marks, std::vector<WordChange> words) {
  ReadingEdit edit;
  if (words.empty()) return edit;
  edit.position = words.front().position;
  edit.removed = words.back().position + words.back().length - edit.position;
  const std::vector<Mark> earlier = marks.Between(edit.position, edit.position + edit.removed);
  auto old = earlier.begin();
  int grown = 0;  // how much longer the text has grown before the word at hand
  for (WordChange& word : words) {
    const int end = word.position + word.length;
    for (; old != earlier.end() && old->position < end; ++old) {
      if (old->position + old->length > word.position) continue;  // it gives way
      edit.marks.push_back(*old);
      edit.marks.back().position += grown;
    }
    Mark mark = word.mark;
    mark.position = word.position + grown;
    mark.length = word.text ? int(word.text->size()) : word.length;
    edit.marks.push_back(mark);
    if (word.text) {
      edit.parts.push_back({word.position, word.length, std::move(*word.text)});
      grown += mark.length - word.length;
    }
  }
  for (; old != earlier.end(); ++old) {
    edit.marks.push_back(*old);
    edit.marks.back().position += grown;
  }
  edit.added = edit.removed + grown;
  return edit;
}

}  // namespace ui
