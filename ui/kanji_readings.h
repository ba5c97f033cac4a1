// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <memory>

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

class KanjiRewrite;
class KeptReadings;
class MarkDecoration;
class MarkTracker;
class Review;
class WordMenu;

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
  // Whether the marks' undo history has kept in step with the box's.
  bool InStep() const;

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Opens the dictionary and the lists; says so and returns false when they cannot be read.
  bool Open();
  void ShowMenu(int index, const QPoint& viewport_position);
  // Opens the menu of the word at the cursor (or just before it), or the box's own.
  void ShowMenuAtCursor();

  QPlainTextEdit* box_;
  MessagePresenter& messages_;
  std::filesystem::path dictionary_;
  std::filesystem::path kanji_list_;
  std::filesystem::path word_list_;
  std::unique_ptr<KeptReadings> kept_;
  std::unique_ptr<readings::Reader> reader_;
  QAction* rewrite_action_;
  MarkTracker* tracker_;
  MarkDecoration* decoration_;
  std::unique_ptr<KanjiRewrite> rewrite_;
  WordMenu* menu_;
  std::unique_ptr<Review> review_;
};

}  // namespace ui
