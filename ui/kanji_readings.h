// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QPlainTextEdit;
class QPoint;
class QTimer;

namespace readings {
class Reader;
}

namespace ui {

class MessagePresenter;

// The folder of the dictionary that reads kanji, as configured for this build.
std::filesystem::path DictionaryFolder();

// The list of readings per kanji that kanji no dictionary word holds are guessed from.
std::filesystem::path KanjiListFile();

// Rewrites the kanji of a text box into the hiragana a singer reads, on F7 or from its context
// menu, as one undoable edit. The words it rewrote stay marked until they are edited, and their
// context menu offers the other readings and the original kanji; kanji that no dictionary entry
// reads are marked as such, and kanji not yet rewritten are underlined with a dotted line. The
// dictionary is opened on the first rewrite.
class KanjiReadings : public QObject {
  Q_OBJECT

 public:
  KanjiReadings(QPlainTextEdit* box, MessagePresenter& messages, std::filesystem::path dictionary,
                std::filesystem::path kanji_list = KanjiListFile());
  ~KanjiReadings() override;

  // Rewrites the kanji of the selection, or of the whole text when nothing is selected. When the
  // dictionary cannot be read, says so and leaves the text as it was.
  void Rewrite();

  // The box's context menu for the point `position` of its viewport, with the readings of the
  // word there first and the rewrite last; the caller owns it.
  QMenu* CreateContextMenu(const QPoint& position);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A rewritten word, or kanji that nothing reads (no readings).
  struct Mark {
    int position;
    int length;
    QString original;
    QStringList readings;
    bool guess = false;
  };

  bool OpenDictionary();
  // Puts `text` in the place of the word `mark`, as one undoable edit, and keeps it marked.
  void Replace(Mark& mark, const QString& text);
  void FollowEdit(int position, int removed, int added);
  // The text position of the character under `point` of the viewport.
  int CharacterAt(const QPoint& point) const;
  // The mark that holds the character at `position`, or null.
  Mark* MarkAt(int position);
  // Draws the marks and the underlines of the kanji not yet rewritten, in the visible part.
  void Decorate();
  QString ToolTipAt(int position);

  QPlainTextEdit* box_;
  MessagePresenter& messages_;
  std::filesystem::path dictionary_;
  std::filesystem::path kanji_list_;
  std::unique_ptr<readings::Reader> reader_;
  QAction* rewrite_;
  QTimer* decorate_;
  std::vector<Mark> marks_;  // in text order, not overlapping
  bool editing_ = false;     // while this object changes the text itself
};

}  // namespace ui
