// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// The context menu of a rewritten word: its readings, the original, the same choice for every
// repeat of the word, and keeping the reading for later songs.
#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <exception>
#include <optional>

#include "readings/readings.h"
#include "ui/kanji_readings.h"
#include "ui/mark_decoration.h"
#include "ui/mark_tracker.h"
#include "ui/undo_routing.h"
#include "ui/units.h"

namespace ui {

QMenu* KanjiReadings::CreateContextMenu(const QPoint& position) {
  return CreateMenu(Marks().IndexAt(CharacterAt(*box_, position)), position);
}

void KanjiReadings::ShowMenu(int index, const QPoint& viewport_position) {
  QMenu* menu = CreateMenu(index, viewport_position);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(box_->viewport()->mapToGlobal(viewport_position));
}

QMenu* KanjiReadings::CreateMenu(int index, const QPoint& viewport_position) {
  QMenu* menu = box_->createStandardContextMenu(viewport_position);
  undo_routing_->Route(menu);
  if (index >= 0) {
    QAction* first = menu->actions().value(0);
    AddMarkActions(menu, first, index);
    menu->insertSeparator(first);
  }
  menu->addSeparator();
  menu->addAction(rewrite_);
  return menu;
}

void KanjiReadings::AddMarkActions(QMenu* menu, QAction* before, int index) {
  const Mark mark = Marks().At(index);
  const ReadingMarks::Word& word = Marks().WordAt(mark.word);
  auto note = [menu, before](const QString& text) {
    QAction* action = menu->addAction(text);
    action->setEnabled(false);
    menu->insertAction(before, action);
  };
  // Each action tells its own failure in a box made by `failure`.
  auto add = [this, menu, before](const QString& text, auto slot,
                                  Message (*failure)(const QString&) = messages::RewriteFailed) {
    QAction* action = new QAction(text, menu);
    connect(action, &QAction::triggered, this, [this, slot, failure] { Guarded(slot, failure); });
    menu->insertAction(before, action);
    return action;
  };
  if (mark.kind == MarkKind::kUnread) {
    note(QStringLiteral(u"词典里没有「%1」的读音").arg(word.original));
    return;
  }
  if (mark.kind == MarkKind::kGuess) {
    note(QStringLiteral(u"没有含「%1」的词，读音是按单个汉字猜的").arg(word.original));
  }
  // The marks are looked up again when an action runs: the menu may outlive them.
  const int position = mark.position;
  const QString original = word.original;
  const QString current = word.reading;
  const QStringList readings = ReadingsOf(mark);
  for (int k = 0; k < readings.size(); ++k) {
    const QString reading = readings[k];
    QAction* action =
        add(QStringLiteral("&%1 %2").arg(k + 1).arg(reading), [this, position, reading] {
          if (const int at = Marks().IndexAt(position); at >= 0) Replace({at}, reading);
        });
    action->setCheckable(true);
    action->setChecked(reading == current);
  }
  QAction* restore = add(QStringLiteral(u"原文：%1").arg(original), [this, position, original] {
    if (const int at = Marks().IndexAt(position); at >= 0) Replace({at}, original);
  });
  restore->setCheckable(true);
  restore->setChecked(current == original);
  const std::vector<int> repeats = MarksOfSameWord(mark);
  if (repeats.size() > 1) {
    menu->insertSeparator(before);
    for (const QString& reading : readings) {
      if (reading == current) continue;
      add(QStringLiteral(u"全部改为「%1」（%2 处）").arg(reading).arg(repeats.size()),
          [this, position, reading] {
            if (const int at = Marks().IndexAt(position); at >= 0) {
              Replace(MarksOfSameWord(Marks().At(at)), reading);
            }
          });
    }
  }
  menu->insertSeparator(before);
  std::optional<QString> kept;
  if (const auto reading = reader_ ? reader_->Kept(Units(original)) : std::nullopt) {
    kept = FromUnits(*reading);
  }
  // Only a reading can be kept: not the kanji that 原文 put back, nor what the lyrics give.
  if (kept != current && mark.kind != MarkKind::kGiven &&
      readings::IsReading(Units(original), Units(current))) {
    add(
        QStringLiteral(u"记住「%1」读作「%2」").arg(original, current),
        [this, original, current] { Remember(original, current); }, messages::RememberFailed);
  }
  if (kept) {
    add(
        QStringLiteral(u"忘记「%1」的读法").arg(original),
        [this, original] { Remember(original, {}); }, messages::RememberFailed);
  }
}

QStringList KanjiReadings::ReadingsOf(const Mark& mark) {
  const ReadingMarks::Word& word = Marks().WordAt(mark.word);
  QStringList readings;
  if (reader_) {
    // The word's line, with the word as it was, read around it alone.
    const QTextBlock block = box_->document()->findBlock(mark.position);
    const int offset = mark.position - block.position();
    QString line = block.text();
    line.replace(offset, mark.length, word.original);
    try {
      const auto found = reader_->Read(Units(line), static_cast<std::size_t>(offset),
                                       static_cast<std::size_t>(offset + word.original.size()));
      if (found.size() == 1 && int(found[0].length) == int(word.original.size())) {
        for (const std::u16string& reading : found[0].readings) readings.append(FromUnits(reading));
      }
    } catch (const std::exception&) {
      // The menu then offers the reading that was put in.
    }
  }
  if (!readings.contains(word.reading) && word.reading != word.original) {
    readings.prepend(word.reading);
  }
  while (readings.size() > int(readings::kMaxAlternatives)) readings.removeLast();
  return readings;
}

std::vector<int> KanjiReadings::MarksOfSameWord(const Mark& mark) const {
  // Words of the same original text and reading have the same number.
  std::vector<int> repeats;
  for (int index = 0; index < Marks().Count(); ++index) {
    const Mark other = Marks().At(index);
    if (other.word == mark.word && other.kind != MarkKind::kUnread) repeats.push_back(index);
  }
  return repeats;
}

void KanjiReadings::Replace(const std::vector<int>& indexes, const QString& reading) {
  if (indexes.empty()) return;
  ReadingMarks& marks = tracker_->Marks();
  const Mark first = marks.At(indexes.front());
  const Mark last = marks.At(indexes.back());
  const int span = last.position + last.length - first.position;
  // The marks of the span as they will be, and where each chosen one is now.
  std::vector<Mark> put = marks.Between(first.position, last.position + last.length);
  std::vector<int> chosen_at;
  int delta = 0;
  auto chosen = indexes.begin();
  for (Mark& mark : put) {
    const int now = mark.position;
    mark.position += delta;
    if (chosen == indexes.end() || marks.At(*chosen).position != now) continue;
    ++chosen;
    chosen_at.push_back(now);
    mark.word = marks.WordOf(marks.WordAt(mark.word).original, reading);
    mark.to_check = false;
    delta += int(reading.size()) - mark.length;
    mark.length = int(reading.size());
  }
  std::vector<int> lengths;
  for (const int index : indexes) lengths.push_back(marks.At(index).length);
  tracker_->Change(first.position, span, span + delta, std::move(put),
                   [&chosen_at, &lengths, &reading](QTextCursor& edit) {
                     // From the last, so that the earlier places stay where they are.
                     for (std::size_t k = chosen_at.size(); k-- > 0;) {
                       edit.setPosition(chosen_at[k]);
                       edit.setPosition(chosen_at[k] + lengths[k], QTextCursor::KeepAnchor);
                       edit.insertText(reading);
                     }
                   });
  decoration_->Draw();
}

void KanjiReadings::Remember(const QString& word, const QString& reading) {
  RememberedReadings::Outcome outcome = remembered_.Set(word, reading);
  if (reader_) reader_->Remember(std::move(outcome.kept.words));
  if (!reading.isEmpty()) MarkChecked(word, reading);
  if (!outcome.kept.bad_lines.empty()) {
    messages_.Show(box_, messages::RememberedBadLines(remembered_.File(), outcome.kept.bad_lines));
  } else if (!outcome.error.isEmpty()) {
    messages_.Show(box_, messages::RememberedNotSaved(remembered_.File(), outcome.error));
  }
}

void KanjiReadings::MarkChecked(const QString& original, const QString& reading) {
  ReadingMarks& marks = tracker_->Marks();
  const std::uint32_t word = marks.WordOf(original, reading);
  for (int index = 0; index < marks.Count(); ++index) {
    if (marks.At(index).word == word) marks.SetToCheck(index, false);
  }
  decoration_->Draw();
}

int KanjiReadings::MarkAtCursor() const {
  const QTextCursor cursor = box_->textCursor();
  const int at = cursor.selectionStart();
  const int index = Marks().IndexAt(at);
  return index >= 0 || at == 0 ? index : Marks().IndexAt(at - 1);
}

}  // namespace ui
