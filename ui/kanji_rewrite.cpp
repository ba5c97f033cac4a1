// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/kanji_rewrite.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <optional>
#include <utility>

#include "readings/readings.h"
#include "ui/busy_cursor.h"
#include "ui/mark_decoration.h"
#include "ui/mark_tracker.h"
#include "ui/reading_edit.h"
#include "ui/units.h"

namespace ui {
namespace {

// What F7 puts in for each replacement of `text` found: the first reading, marked by how it was
// found, or, for kanji that nothing reads, a mark alone.
std::vector<WordChange> WordsFound(const std::vector<readings::Replacement>& found,
                                   const QString& text, ReadingMarks& marks) {
  std::vector<WordChange> words;
  for (const readings::Replacement& replacement : found) {
    WordChange word{int(replacement.position), int(replacement.length), std::nullopt, {}};
    const QString original = text.mid(word.position, word.length);
    if (replacement.readings.empty()) {
      word.mark = {0, 0, marks.WordOf(original, original), MarkKind::kUnread, false};
    } else {
      word.text = FromUnits(replacement.readings.front());
      word.mark.kind = replacement.given   ? MarkKind::kGiven
                       : replacement.guess ? MarkKind::kGuess
                                           : MarkKind::kRead;
      word.mark.to_check =
          !replacement.given && (replacement.guess || replacement.readings.size() > 1);
      word.mark.word = marks.WordOf(original, *word.text);
    }
    words.push_back(std::move(word));
  }
  return words;
}

}  // namespace

KanjiRewrite::KanjiRewrite(QPlainTextEdit* box, MarkTracker& tracker, MarkDecoration& decoration)
    : box_(box), tracker_(tracker), decoration_(decoration) {}

void KanjiRewrite::Run(readings::Reader& reader) {
  std::vector<readings::Replacement> found;
  QString text;
  bool selected = false;
  int at = 0;
  int begin = 0;
  int end = 0;
  {
    const BusyCursor busy;
    // The raw text counts a line break as one code unit, as the cursor positions do.
    text = box_->document()->toRawText();
    const QTextCursor selection = box_->textCursor();
    selected = selection.hasSelection();
    at = selection.position();
    begin = selected ? selection.selectionStart() : 0;
    end = selected ? selection.selectionEnd() : int(text.size());
    // The menus order each word's other readings by its line when they open.
    found = reader.Read(Units(text), static_cast<std::size_t>(begin), static_cast<std::size_t>(end),
                        readings::Reader::Order::kQuick);
  }
  if (found.empty()) return;

  // Everything from the first word found to the last one is one change, made as one edit that
  // replaces each word read.
  std::vector<WordChange> words = WordsFound(found, text, tracker_.Marks());
  // On a long text these copies are large: they go before the edit, which holds what it puts in.
  std::vector<readings::Replacement>().swap(found);
  text = QString();
  const ReadingEdit edit = MakeReadingEdit(tracker_.Marks(), std::move(words));
  tracker_.Change(edit);

  QTextCursor cursor(box_->document());
  if (selected) {
    cursor.setPosition(begin);
    cursor.setPosition(edit.Moved(end), QTextCursor::KeepAnchor);
  } else {
    cursor.setPosition(edit.Moved(at));
  }
  box_->setTextCursor(cursor);
  decoration_.Draw();
}

}  // namespace ui
