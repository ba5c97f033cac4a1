// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/reading_marks.h"

#include <algorithm>
#include <iterator>

namespace ui {

std::uint32_t ReadingMarks::WordOf(const QString& original, const QString& reading) {
  const auto key = qMakePair(original, reading);
  if (const auto found = word_numbers_.constFind(key); found != word_numbers_.cend()) {
    return *found;
  }
  const auto number = static_cast<std::uint32_t>(words_.size());
  words_.push_back({original, reading});
  word_numbers_.insert(key, number);
  return number;
}

int ReadingMarks::PositionOf(int index) const {
  return marks_[static_cast<std::size_t>(index)].position +
         (index >= pending_from_ ? pending_shift_ : 0);
}

Mark ReadingMarks::At(int index) const {
  Mark mark = marks_[static_cast<std::size_t>(index)];
  mark.position = PositionOf(index);
  return mark;
}

int ReadingMarks::FirstEndingAfter(int position) const {
  int low = 0;
  int high = Count();
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (PositionOf(middle) + marks_[static_cast<std::size_t>(middle)].length <= position) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

int ReadingMarks::IndexAt(int position) const {
  const int index = FirstEndingAfter(position);
  return index < Count() && PositionOf(index) <= position ? index : -1;
}

std::vector<Mark> ReadingMarks::Between(int from, int to) const {
  std::vector<Mark> found;
  for (int index = FirstEndingAfter(from); index < Count() && PositionOf(index) < to; ++index) {
    found.push_back(At(index));
  }
  return found;
}

void ReadingMarks::ShiftFrom(int index) {
  for (int i = std::min(index, pending_from_); i < std::max(index, pending_from_); ++i) {
    marks_[static_cast<std::size_t>(i)].position +=
        index > pending_from_ ? pending_shift_ : -pending_shift_;
  }
  pending_from_ = index;
}

std::vector<Mark> ReadingMarks::Apply(int position, int removed, int added, std::vector<Mark> put) {
  // The marks touched: those that overlap the removed text, or that hold an insertion inside
  // them; a mark that the edit ends right before only moves.
  const int first = FirstEndingAfter(position);
  int last = first;
  if (removed > 0) {
    while (last < Count() && PositionOf(last) < position + removed) ++last;
  } else if (first < Count() && PositionOf(first) < position) {
    last = first + 1;
  }
  std::vector<Mark> dropped;
  for (int i = first; i < last; ++i) dropped.push_back(At(i));
  // The marks after the touched ones move, by a shift kept pending from the first of them.
  ShiftFrom(last);
  pending_shift_ += added - removed;
  if (first < last || !put.empty()) {
    marks_.erase(marks_.begin() + first, marks_.begin() + last);
    marks_.insert(marks_.begin() + first, put.begin(), put.end());
    pending_from_ = first + static_cast<int>(put.size());
  }
  return dropped;
}

ReadingMarks::Change ReadingMarks::Edit(int position, int removed, int added,
                                        std::vector<Mark> put) {
  Change change{position, removed, added, {}, put};
  change.dropped = Apply(position, removed, added, std::move(put));
  return change;
}

void ReadingMarks::Revert(const Change& change) {
  Apply(change.position, change.added, change.removed, change.dropped);
}

void ReadingMarks::Replay(const Change& change) {
  Apply(change.position, change.removed, change.added, change.put);
}

}  // namespace ui
