// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// F8 and Shift+F8: the walk through the words whose reading is to check.
#include <QPlainTextEdit>
#include <QTextCursor>

#include "ui/kanji_readings.h"

namespace ui {

void KanjiReadings::ReviewNext(bool back) {
  const QTextCursor cursor = box_->textCursor();
  const int count = Marks().Count();
  // From the word after the selection (or before it), around the text once.
  int start = back ? Marks().FirstEndingAfter(cursor.selectionStart()) - 1
                   : Marks().FirstEndingAfter(cursor.selectionEnd());
  if (!back && start < count && Marks().At(start).position < cursor.selectionEnd()) ++start;
  for (int step = 0; step < count; ++step) {
    const int index = ((back ? start - step : start + step) % count + count) % count;
    const Mark mark = Marks().At(index);
    if (!mark.to_check || mark.kind == MarkKind::kUnread) continue;
    QTextCursor word(box_->document());
    word.setPosition(mark.position);
    word.setPosition(mark.position + mark.length, QTextCursor::KeepAnchor);
    box_->setTextCursor(word);
    box_->ensureCursorVisible();
    QTextCursor start_of_word(box_->document());
    start_of_word.setPosition(mark.position);
    ShowMenu(index, box_->cursorRect(start_of_word).bottomLeft());
    return;
  }
}

}  // namespace ui
