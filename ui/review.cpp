// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/review.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include "ui/reading_marks.h"

namespace ui {

Review::Review(QPlainTextEdit* box, const ReadingMarks& marks) : box_(box), marks_(marks) {}

int Review::Next(bool back) const {
  const QTextCursor cursor = box_->textCursor();
  const int count = marks_.Count();
  // From the word after the selection (or before it), around the text once.
  int start = back ? marks_.FirstEndingAfter(cursor.selectionStart()) - 1
                   : marks_.FirstEndingAfter(cursor.selectionEnd());
  if (!back && start < count && marks_.At(start).position < cursor.selectionEnd()) ++start;
  for (int step = 0; step < count; ++step) {
    const int index = ((back ? start - step : start + step) % count + count) % count;
    const Mark mark = marks_.At(index);
    if (!mark.to_check || mark.kind == MarkKind::kUnread) continue;
    QTextCursor word(box_->document());
    word.setPosition(mark.position);
    word.setPosition(mark.position + mark.length, QTextCursor::KeepAnchor);
    box_->setTextCursor(word);
    box_->ensureCursorVisible();
    return index;
  }
  return -1;
}

}  // namespace ui
