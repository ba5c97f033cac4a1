// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <vector>

#include "ui/messages.h"
#include "ui/reading_marks.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QPoint;

namespace readings {
class Reader;
}

namespace ui {

class KeptReadings;
class MarkDecoration;
class MarkTracker;

// The context menu of a text box, with the menu of a rewritten word first: its readings, the
// original, the same choice for every repeat of the word (全部改为), and keeping the reading for
// later songs (记住) or forgetting it.
class WordMenu : public QObject {
  Q_OBJECT

 public:
  WordMenu(QPlainTextEdit* box, MarkTracker& tracker, MarkDecoration& decoration,
           KeptReadings& kept, MessagePresenter& messages);

  // The box's own menu for the point `viewport_position` of its viewport, after the menu of the
  // mark at `index` (none when -1) and before `rewrite`; `reader`, once opened, reads the word's
  // other readings. The caller owns the menu.
  QMenu* Create(int index, const QPoint& viewport_position, QAction* rewrite,
                readings::Reader* reader);

 private:
  // Adds an action that runs `slot` before `before`; its failure is said in a box made by
  // `failure`.
  template <typename Slot>
  QAction* Add(QMenu* menu, QAction* before, const QString& text, Slot slot,
               Message (*failure)(const QString&) = messages::RewriteFailed);
  // Adds the menu of the mark at `index` before `before`.
  void AddMarkActions(QMenu* menu, QAction* before, int index, readings::Reader* reader);
  // Adds 全部改为 for each of `readings` but the current one, when the word has repeats.
  void AddRepeatActions(QMenu* menu, QAction* before, const Mark& mark,
                        const QStringList& readings);
  // Adds 记住 for a reading not yet kept, and 忘记 for a word kept.
  void AddKeepActions(QMenu* menu, QAction* before, const Mark& mark);
  // The readings of `mark`, read again from the words around it; its reading first where it is
  // still what F7 would choose. A particle's are its sung kana and what was put in.
  QStringList ReadingsOf(const Mark& mark, readings::Reader* reader) const;
  // Puts `reading` in the place of every mark of `indexes` (in text order), as one undoable
  // edit, and keeps them marked as checked.
  void Replace(const std::vector<int>& indexes, const QString& reading);
  // The indexes of the marks of the same original text and reading as `mark`.
  std::vector<int> MarksOfSameWord(const Mark& mark) const;
  // Keeps `reading` for `word` (forgets it when empty), and checks the repeats so read.
  void Remember(const QString& word, const QString& reading);

  QPlainTextEdit* box_;
  MarkTracker& tracker_;
  MarkDecoration& decoration_;
  KeptReadings& kept_;
  MessagePresenter& messages_;
};

}  // namespace ui
