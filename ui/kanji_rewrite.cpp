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
#include "ui/written_text.h"

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
      word.mark.kind = replacement.given      ? MarkKind::kGiven
                       : replacement.particle ? MarkKind::kParticle
                       : replacement.guess    ? MarkKind::kGuess
                                              : MarkKind::kRead;
      // A particle's written kana is always on offer: only doubt makes it one to check.
      word.mark.to_check =
          !replacement.given &&
          (replacement.guess || (!replacement.particle && replacement.readings.size() > 1));
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
    // Each line is read as written, so that what F7 put in and the choices made since stay as
    // they are. The menus order each word's other readings by its line when they open.
    const WrittenText written(text, tracker_.Marks());
    found = reader.Read(written.Text(), written.FromBox(begin), written.FromBox(end, true),
                        readings::Reader::Order::kQuick);
    std::erase_if(found, [&written](readings::Replacement& replacement) {
      const std::optional<int> in_box = written.ToBox(replacement.position, replacement.length);
      if (in_box) replacement.position = std::size_t(*in_box);
      return !in_box;
    });
  }
  // Everything from the first word found to the last one is one change, made as one edit that
  // replaces each word read.
  std::vector<WordChange> words = WordsFound(found, text, tracker_.Marks());
  if (words.empty()) return;
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
