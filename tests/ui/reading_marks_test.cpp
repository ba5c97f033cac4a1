// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// The marks of rewritten words through edits, undo and redo.
#include <gtest/gtest.h>

#include <random>

#include "ui/reading_marks.h"

namespace {

using ui::Mark;
using ui::ReadingMarks;
using Step = ReadingMarks::Step;

std::vector<std::pair<int, int>> Spans(const ReadingMarks& marks) {
  std::vector<std::pair<int, int>> spans;
  for (const Mark& mark : marks.Between(0, 1 << 30)) spans.emplace_back(mark.position, mark.length);
  return spans;
}

// Marks at [2, 5), [8, 10) and [10, 14).
ReadingMarks ThreeMarks() {
  ReadingMarks marks;
  marks.Edit(0, 0, 0, Step::kNoCommand, {{2, 3}, {8, 2}, {10, 4}});
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
    marks.Edit(c.position, c.removed, c.added, Step::kNewCommand);
    EXPECT_EQ(Spans(marks), c.after) << c.what;
    marks.Undo();
    EXPECT_EQ(Spans(marks), Spans(ThreeMarks())) << c.what << ", undone";
    marks.Redo();
    EXPECT_EQ(Spans(marks), c.after) << c.what << ", redone";
  }
}

TEST(ReadingMarks, UndoAndRedoTakeOneCommandAtATime) {
  ReadingMarks marks = ThreeMarks();
  marks.Edit(0, 0, 1, Step::kNewCommand);            // typed before the words
  marks.Edit(1, 0, 1, Step::kSameCommand);           // typing on
  marks.Edit(5, 1, 2, Step::kNewCommand, {{5, 2}});  // a word rewritten
  EXPECT_EQ(Spans(marks), (std::vector<std::pair<int, int>>{{5, 2}, {11, 2}, {13, 4}}));
  marks.Undo();
  EXPECT_EQ(Spans(marks), (std::vector<std::pair<int, int>>{{4, 3}, {10, 2}, {12, 4}}));
  marks.Undo();
  EXPECT_EQ(Spans(marks), Spans(ThreeMarks()));
  marks.Undo();  // nothing left to undo
  EXPECT_EQ(Spans(marks), Spans(ThreeMarks()));
  marks.Redo();
  marks.Redo();
  EXPECT_EQ(Spans(marks), (std::vector<std::pair<int, int>>{{5, 2}, {11, 2}, {13, 4}}));
  // A new edit after an undo drops what could be redone.
  marks.Undo();
  marks.Edit(0, 1, 0, Step::kNewCommand);
  marks.Redo();
  EXPECT_EQ(Spans(marks), (std::vector<std::pair<int, int>>{{3, 3}, {9, 2}, {11, 4}}));
}

// Over random edits, typing on, undo and redo, the marks are where a plain list, moved one by one
// and put back from copies on undo and redo, would have them.
TEST(ReadingMarks, KeepUpWithAPlainListOverRandomEditsUndoAndRedo) {
  std::mt19937 random(20261208);
  ReadingMarks marks;
  std::vector<Mark> plain;
  for (int position = 0; position < 400; position += 5) plain.push_back({position, 3});
  marks.Edit(0, 0, 0, Step::kNoCommand, plain);
  // The plain list before each done command, and after each undone one.
  std::vector<std::vector<Mark>> undo;
  std::vector<std::vector<Mark>> redo;
  for (int round = 0; round < 3000; ++round) {
    std::uniform_int_distribution<int> at(0, 420);
    std::uniform_int_distribution<int> size(0, 4);
    const int op = std::uniform_int_distribution<int>(0, 9)(random);
    if (op == 0) {
      marks.Undo();
      if (!undo.empty()) {
        redo.push_back(plain);
        plain = undo.back();
        undo.pop_back();
      }
    } else if (op == 1) {
      marks.Redo();
      if (!redo.empty()) {
        undo.push_back(plain);
        plain = redo.back();
        redo.pop_back();
      }
    } else {
      const int position = at(random);
      const int removed = size(random);
      const int added = size(random);
      const Step step = op < 6 || undo.empty() ? Step::kNewCommand : Step::kSameCommand;
      marks.Edit(position, removed, added, step);
      if (step == Step::kNewCommand) undo.push_back(plain);
      redo.clear();
      std::erase_if(plain, [&](Mark& mark) {
        const bool touched =
            removed > 0
                ? mark.position < position + removed && mark.position + mark.length > position
                : mark.position < position && mark.position + mark.length > position;
        if (!touched && mark.position >= position + removed) mark.position += added - removed;
        return touched;
      });
    }
    ASSERT_EQ(marks.Between(0, 1 << 30), plain) << round;
    const int probe = at(random);
    const auto held = std::find_if(plain.begin(), plain.end(), [probe](const Mark& mark) {
      return mark.position <= probe && probe < mark.position + mark.length;
    });
    const int index = marks.IndexAt(probe);
    ASSERT_EQ(index >= 0, held != plain.end()) << round;
    if (index >= 0) {
      ASSERT_EQ(marks.At(index).position, held->position) << round;
    }
  }
}

}  // namespace
