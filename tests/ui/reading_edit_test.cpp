// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// The one edit that puts words in, with its marks and where it moves the cursor.
#include <gtest/gtest.h>

#include "ui/reading_edit.h"

namespace {

using ui::Mark;
using ui::MarkKind;

// Two words read, [2, 4) growing by one and [6, 7) by two, and one unread, [9, 10), among marks
// before, between and on them.
TEST(ReadingEdit, PutsTheWordsInAndMovesWhatIsBetweenThem) {
  ui::ReadingMarks marks;
  marks.Edit(0, 0, 0, {{0, 1}, {4, 2}, {6, 1}, {9, 1}});
  const Mark read{0, 0, 1, MarkKind::kRead, true};
  const Mark unread{0, 0, 2, MarkKind::kUnread, false};
  const ui::ReadingEdit edit = ui::MakeReadingEdit(marks, {{2, 2, QStringLiteral("abc"), read},
                                                           {6, 1, QStringLiteral("xyz"), read},
                                                           {9, 1, std::nullopt, unread}});
  EXPECT_EQ(edit.position, 2);
  EXPECT_EQ(edit.removed, 8);
  EXPECT_EQ(edit.added, 11);
  ASSERT_EQ(edit.parts.size(), 2u);
  EXPECT_EQ(edit.parts[0].position, 2);
  EXPECT_EQ(edit.parts[1].text, QStringLiteral("xyz"));
  EXPECT_EQ(edit.marks, (std::vector<Mark>{{2, 3, 1, MarkKind::kRead, true},
                                           {5, 2},
                                           {7, 3, 1, MarkKind::kRead, true},
                                           {12, 1, 2, MarkKind::kUnread, false}}));
  const struct {
    int at;
    int moved;
  } kCursors[] = {{0, 0}, {2, 2}, {3, 5}, {4, 5}, {7, 10}, {10, 13}};
  for (const auto& c : kCursors) EXPECT_EQ(edit.Moved(c.at), c.moved) << c.at;
}

}  // namespace
