// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// The marks of rewritten words through edits, undo and redo.
#include <gtest/gtest.h>

#include <random>

#include "tests/ui/plain_marks.h"
#include "ui/reading_marks.h"

namespace {

using ui::Mark;
using ui::ReadingMarks;

// The marks' changes of each command, as the box's undo history keeps them: taken back from the
// last, and made again from the first.
class Commands {
 public:
  explicit Commands(ReadingMarks& marks) : marks_(marks) {}

  void Edit(int position, int removed, int added, bool new_command, std::vector<Mark> put = {}) {
    commands_.resize(done_);
    if (new_command || commands_.empty()) commands_.emplace_back();
    commands_.back().push_back(marks_.Edit(position, removed, added, std::move(put)));
    done_ = commands_.size();
  }
  void Undo() {
    if (done_ == 0) return;
    const auto& changes = commands_[--done_];
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) marks_.Revert(*change);
  }
  void Redo() {
    if (done_ == commands_.size()) return;
    for (const auto& change : commands_[done_++]) marks_.Replay(change);
  }

 private:
  ReadingMarks& marks_;
  std::vector<std::vector<ReadingMarks::Change>> commands_;
  std::size_t done_ = 0;
};

std::vector<std::pair<int, int>> Spans(const ReadingMarks& marks) {
  std::vector<std::pair<int, int>> spans;
  for (const Mark& mark : marks.Between(0, 1 << 30)) spans.emplace_back(mark.position, mark.length);
  return spans;
}

// Marks at [2, 5), [8, 10) and [10, 14).
ReadingMarks ThreeMarks() {
  ReadingMarks marks;
  marks.Edit(0, 0, 0, {{2, 3}, {8, 2}, {10, 4}});
  return marks;
}

TEST(ReadingMarks, AnEditDropsTheMarksItTouchesAndMovesTheOthers) {
  const struct {
    const char* what;
    int position, removed, added;
    std::vector<std::pair<int, int>> after;
  } kCases[] = {
      {"typing right before a word", 8, 0, 1, {{2, 3}, {9, 2}, {11, 4}}},
      {"typing right after a word", 5, 0, 1, {{2, 3}, {9, 2}, {11, 4}}},
      {"typing between two words that touch", 10, 0, 2, {{2, 3}, {8, 2}, {12, 4}}},
      {"typing inside a word", 3, 0, 1, {{9, 2}, {11, 4}}},
      {"deleting the character before a word", 7, 1, 0, {{2, 3}, {7, 2}, {9, 4}}},
      {"deleting a word's last character", 9, 1, 0, {{2, 3}, {9, 4}}},
      {"replacing across two words", 4, 5, 1, {{6, 4}}},
      {"an edit after every word", 20, 3, 0, {{2, 3}, {8, 2}, {10, 4}}},
  };
  for (const auto& c : kCases) {
    ReadingMarks marks = ThreeMarks();
    const ReadingMarks::Change change = marks.Edit(c.position, c.removed, c.added);
    EXPECT_EQ(Spans(marks), c.after) << c.what;
    marks.Revert(change);
    EXPECT_EQ(Spans(marks), Spans(ThreeMarks())) << c.what << ", undone";
    marks.Replay(change);
    EXPECT_EQ(Spans(marks), c.after) << c.what << ", redone";
  }
}

// Over random edits, typing on, undo and redo, the marks are where a plain list, moved one by one
// and put back from copies on undo and redo, would have them.
TEST(ReadingMarks, KeepUpWithAPlainListOverRandomEditsUndoAndRedo) {
  std::mt19937 random(20261208);
  ReadingMarks marks;
  std::vector<Mark> start;
  for (int position = 0; position < 400; position += 5) start.push_back({position, 3});
  marks.Edit(0, 0, 0, start);
  Commands commands(marks);
  test_support::PlainMarks plain(start);
  for (int round = 0; round < 3000; ++round) {
    std::uniform_int_distribution<int> at(0, 420);
    std::uniform_int_distribution<int> size(0, 4);
    const int op = std::uniform_int_distribution<int>(0, 9)(random);
    if (op <= 1) {
      (op == 0 ? commands.Undo() : commands.Redo());
      plain.Step(op == 1);
    } else {
      const int position = at(random);
      const int removed = size(random);
      const int added = size(random);
      const bool new_command = op < 6 || !plain.CanUndo();
      commands.Edit(position, removed, added, new_command);
      plain.Edit(position, removed, added, new_command);
    }
    ASSERT_EQ(marks.Between(0, 1 << 30), plain.Marks()) << round;
    const int probe = at(random);
    const auto held =
        std::find_if(plain.Marks().begin(), plain.Marks().end(), [probe](const Mark& mark) {
          return mark.position <= probe && probe < mark.position + mark.length;
        });
    const int index = marks.IndexAt(probe);
    ASSERT_EQ(index >= 0, held != plain.Marks().end()) << round;
    if (index >= 0) {
      ASSERT_EQ(marks.At(index).position, held->position) << round;
    }
  }
}

}  // namespace
