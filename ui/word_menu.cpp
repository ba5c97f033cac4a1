// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/word_menu.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <exception>
#include <optional>
#include <utility>

#include "readings/readings.h"
#include "ui/guarded.h"
#include "ui/kept_readings.h"
#include "ui/mark_decoration.h"
#include "ui/mark_tracker.h"
#include "ui/reading_edit.h"
#include "ui/units.h"

namespace ui {

WordMenu::WordMenu(QPlainTextEdit* box, MarkTracker& tracker, MarkDecoration& decoration,
                   KeptReadings& kept, MessagePresenter& messages)
    : QObject(box),
      box_(box),
      tracker_(tracker),
      decoration_(decoration),
      kept_(kept),
      messages_(messages) {}

QMenu* WordMenu::Create(int index, const QPoint& viewport_position, QAction* rewrite,
                        readings::Reader* reader) {
  QMenu* menu = box_->createStandardContextMenu(viewport_position);
  if (index >= 0) {
    QAction* first = menu->actions().value(0);
    AddMarkActions(menu, first, index, reader);
    menu->insertSeparator(first);
  }
  menu->addSeparator();
  menu->addAction(rewrite);
  return menu;
}

template <typename Slot>
QAction* WordMenu::Add(QMenu* menu, QAction* before, const QString& text, Slot slot,
                       Message (*failure)(const QString&)) {
  QAction* action = new QAction(text, menu);
  connect(action, &QAction::triggered, this,
          [this, slot, failure] { Guarded(box_, messages_, slot, failure); });
  menu->insertAction(before, action);
  return action;
}

void WordMenu::AddMarkActions(QMenu* menu, QAction* before, int index, readings::Reader* reader) {
  const Mark mark = tracker_.Marks().At(index);
  const ReadingMarks::Word& word = tracker_.Marks().WordAt(mark.word);
  auto note = [menu, before](const QString& text) {
    QAction* action = menu->addAction(text);
    action->setEnabled(false);
    menu->insertAction(before, action);
  };
  if (mark.kind == MarkKind::kUnread) {
    note(QStringLiteral(u"词典里没有「%1」的读音").arg(word.original));
    return;
  }
  if (mark.kind == MarkKind::kGuess) {
    note(QStringLiteral(u"没有含「%1」的词，读音是按单个汉字猜的").arg(word.original));
  }
  if (mark.kind == MarkKind::kParticle) note(ParticleNote(word));
  // The marks are looked up again when an action runs: the menu may outlive them.
  const int position = mark.position;
  const QStringList readings = ReadingsOf(mark, reader);
  for (int k = 0; k < readings.size(); ++k) {
    const QString reading = readings[k];
    QAction* action = Add(menu, before, QStringLiteral("&%1 %2").arg(k + 1).arg(reading),
                          [this, position, reading] {
                            const int at = tracker_.Marks().IndexAt(position);
                            if (at >= 0) Replace({at}, reading);
                          });
    action->setCheckable(true);
    action->setChecked(reading == word.reading);
  }
  const QString original = word.original;
  QAction* restore =
      Add(menu, before, QStringLiteral(u"原文：%1").arg(original), [this, position, original] {
        const int at = tracker_.Marks().IndexAt(position);
        if (at >= 0) Replace({at}, original);
      });
  restore->setCheckable(true);
  restore->setChecked(word.reading == original);
  // A particle is one word's: the same kana elsewhere may be none.
  if (mark.kind == MarkKind::kParticle) return;
  AddRepeatActions(menu, before, mark, readings);
  menu->insertSeparator(before);
  AddKeepActions(menu, before, mark);
}

void WordMenu::AddRepeatActions(QMenu* menu, QAction* before, const Mark& mark,
                                const QStringList& readings) {
  const std::vector<int> repeats = MarksOfSameWord(mark);
  if (repeats.size() <= 1) return;
  menu->insertSeparator(before);
  const int position = mark.position;
  for (const QString& reading : readings) {
    if (reading == tracker_.Marks().WordAt(mark.word).reading) continue;
    Add(menu, before, QStringLiteral(u"全部改为「%1」（%2 处）").arg(reading).arg(repeats.size()),
        [this, position, reading] {
          const int at = tracker_.Marks().IndexAt(position);
          if (at >= 0) Replace(MarksOfSameWord(tracker_.Marks().At(at)), reading);
        });
  }
}

void WordMenu::AddKeepActions(QMenu* menu, QAction* before, const Mark& mark) {
  const ReadingMarks::Word& word = tracker_.Marks().WordAt(mark.word);
  const QString original = word.original;
  const QString current = word.reading;
  const std::optional<QString> kept = kept_.Kept(original);
  // Only a reading can be kept: not the kanji that 原文 put back, nor what the lyrics give.
  if (kept != current && mark.kind != MarkKind::kGiven &&
      readings::IsReading(Units(original), Units(current))) {
    Add(
        menu, before, QStringLiteral(u"记住「%1」读作「%2」").arg(original, current),
        [this, original, current] { Remember(original, current); }, messages::RememberFailed);
  }
  if (kept) {
    Add(
        menu, before, QStringLiteral(u"忘记「%1」的读法").arg(original),
        [this, original] { Remember(original, {}); }, messages::RememberFailed);
  }
}

QStringList WordMenu::ReadingsOf(const Mark& mark, readings::Reader* reader) const {
  const ReadingMarks::Word& word = tracker_.Marks().WordAt(mark.word);
  QStringList readings;
  if (mark.kind == MarkKind::kParticle) {
    // Sung or written, whatever the words around it have become.
    readings.append(SungParticle(word.original));
  } else if (reader != nullptr) {
    // The word's line, with the word as it was, read around it alone.
    const QTextBlock block = box_->document()->findBlock(mark.position);
    const int offset = mark.position - block.position();
    QString line = block.text();
    line.replace(offset, mark.length, word.original);
    try {
      const auto found = reader->Read(Units(line), static_cast<std::size_t>(offset),
                                      static_cast<std::size_t>(offset + word.original.size()));
      if (found.size() == 1 && int(found[0].length) == int(word.original.size())) {
        for (const std::u16string& reading : found[0].readings) readings.append(FromUnits(reading));
      }
    } catch (const std::exception&) {
      // The menu then offers the reading that was put in.
    }
  }
  // The original has an action of its own.
  readings.removeAll(word.original);
  if (!readings.contains(word.reading) && word.reading != word.original) {
    readings.prepend(word.reading);
  }
  while (readings.size() > int(readings::kMaxAlternatives)) readings.removeLast();
  return readings;
}

std::vector<int> WordMenu::MarksOfSameWord(const Mark& mark) const {
  // Words of the same original text and reading have the same number.
  std::vector<int> repeats;
  for (int index = 0; index < tracker_.Marks().Count(); ++index) {
    const Mark other = tracker_.Marks().At(index);
    if (other.word == mark.word && other.kind != MarkKind::kUnread) repeats.push_back(index);
  }
  return repeats;
}

void WordMenu::Replace(const std::vector<int>& indexes, const QString& reading) {
  ReadingMarks& marks = tracker_.Marks();
  std::vector<WordChange> words;
  for (const int index : indexes) {
    Mark mark = marks.At(index);
    const int position = mark.position;
    const int length = mark.length;
    mark.word = marks.WordOf(marks.WordAt(mark.word).original, reading);
    mark.to_check = false;
    words.push_back({position, length, reading, mark});
  }
  if (words.empty()) return;
  tracker_.Change(MakeReadingEdit(marks, std::move(words)));
  decoration_.Draw();
}

void WordMenu::Remember(const QString& word, const QString& reading) {
  kept_.Set(word, reading);
  if (reading.isEmpty()) return;
  // Every repeat of the word with the reading kept is checked now.
  ReadingMarks& marks = tracker_.Marks();
  const std::uint32_t number = marks.WordOf(word, reading);
  for (int index = 0; index < marks.Count(); ++index) {
    if (marks.At(index).word == number) marks.SetToCheck(index, false);
  }
  decoration_.Draw();
}

}  // namespace ui
