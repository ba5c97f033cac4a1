// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "ui/messages.h"
#include "ui/reading_marks.h"
#include "ui/remembered_readings.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QPoint;

namespace readings {
class Reader;
}

namespace ui {

class MarkDecoration;
class MarkTracker;
class UndoRouting;

// The folder of the dictionary that reads kanji, as configured for this build.
std::filesystem::path DictionaryFolder();

// The list of readings per kanji that kanji no dictionary word holds are guessed from.
std::filesystem::path KanjiListFile();

// The list of words read beside the dictionary.
std::filesystem::path WordListFile();

// Rewrites the kanji of a text box into the hiragana a singer reads, on F7 or from its context
// menu, as one undoable edit, and helps review the result. The words it rewrote stay marked until
// they are edited (through undo and redo too); their context menu offers their other readings,
// the original kanji, the same change for every repeat of the word, and keeping the reading for
// later songs. Words whose reading is uncertain are marked to check, and F8 and Shift+F8 walk
// them with their menus; guesses and kanji that nothing reads have marks of their own, and kanji
// not yet rewritten are underlined with a dotted line. The dictionary, the list of readings per
// kanji and the readings kept are read on the first rewrite. A failure in any of this (running
// out of memory) is said in a box and leaves the text and its marks as they were.
class KanjiReadings : public QObject {
  Q_OBJECT

 public:
  KanjiReadings(QPlainTextEdit* box, MessagePresenter& messages, std::filesystem::path dictionary,
                std::filesystem::path kanji_list = KanjiListFile(),
                std::filesystem::path word_list = WordListFile(),
                QString remembered = RememberedReadingsFile());
  ~KanjiReadings() override;

  // Rewrites the kanji of the selection, or of the whole text when nothing is selected. When the
  // dictionary cannot be read, says so and leaves the text as it was.
  void Rewrite();

  // Selects the next word to check after the cursor (or, with `back`, the one before it), both
  // wrapping around, and opens its menu; does nothing when no word is left to check.
  void ReviewNext(bool back = false);

  // The box's context menu for the point `position` of its viewport, with the readings of the
  // word there first and the rewrite last; the caller owns it.
  QMenu* CreateContextMenu(const QPoint& position);

  const ReadingMarks& Marks() const;

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Open();
  // Runs `handler`; when it fails, says so in a box made by `failure` from the reason.
  void Guarded(const std::function<void()>& handler, Message (*failure)(const QString& reason));

  // The word's menu: its readings, the original, every repeat at once, keeping the reading.
  // The menu of the mark at `index`, or only the box's own when `index` is -1.
  QMenu* CreateMenu(int index, const QPoint& viewport_position);
  void ShowMenu(int index, const QPoint& viewport_position);
  void AddMarkActions(QMenu* menu, QAction* before, int index);
  // The readings of `mark`, read again from the words around it; its reading first where it is
  // still what F7 would choose.
  QStringList ReadingsOf(const Mark& mark);
  // Puts `reading` in the place of every mark of `indexes` (in text order), as one undoable edit,
  // and keeps them marked as checked.
  void Replace(const std::vector<int>& indexes, const QString& reading);
  // The indexes of the marks of the same original text and reading as `mark`.
  std::vector<int> MarksOfSameWord(const Mark& mark) const;
  void Remember(const QString& word, const QString& reading);
  void MarkChecked(const QString& original, const QString& reading);
  // The mark at the cursor (or just before it), or -1.
  int MarkAtCursor() const;

  QPlainTextEdit* box_;
  MessagePresenter& messages_;
  std::filesystem::path dictionary_;
  std::filesystem::path kanji_list_;
  std::filesystem::path word_list_;
  RememberedReadings remembered_;
  std::unique_ptr<readings::Reader> reader_;
  QAction* rewrite_;
  MarkTracker* tracker_;
  UndoRouting* undo_routing_;
  MarkDecoration* decoration_;
};

}  // namespace ui
