// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QHash>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace ui {

// What F7 made of a word of the text box.
enum class MarkKind : std::uint8_t {
  kRead,    // rewritten with the dictionary's reading
  kGuess,   // rewritten with a reading guessed kanji by kanji
  kUnread,  // left as it was: nothing reads it
  kGiven,   // rewritten with the reading that the lyrics give in brackets after it
};

// A word that F7 rewrote or could not read: where it is, and which of ReadingMarks' words it is.
struct Mark {
  int position = 0;
  int length = 0;
  std::uint32_t word = 0;
  MarkKind kind = MarkKind::kRead;
  bool to_check = false;  // more than one reading was on offer, or it is a guess; never given

  friend bool operator==(const Mark&, const Mark&) = default;
};

// The marks of a text box in text order, kept through its edits: an edit drops the marks it
// touches and moves those after it. Each edit's change to the marks is kept with the box's undo
// command that made it, so that undoing or redoing that command brings the marks back with the
// text. A keystroke costs little however many marks there are.
class ReadingMarks {
 public:
  // A word's original text and the reading put in its place.
  struct Word {
    QString original;
    QString reading;
  };

  // The number of a word, the same for the same texts.
  std::uint32_t WordOf(const QString& original, const QString& reading);
  const Word& WordAt(std::uint32_t word) const { return words_[word]; }

  // How the box's undo history took an edit.
  enum class Step {
    kNewCommand,   // as a command of its own
    kSameCommand,  // merged into the last command (typing on)
    kNoCommand,    // as no command: the marks alone change, the text stays
    kNoHistory,    // with the history cleared (the whole text set anew)
  };

  // Takes the edit that replaced `removed` characters at `position` with `added` ones: the marks
  // it touches go (those around an insertion inside them too, but not one it ends right before),
  // the later ones move, and `put` (in text order, inside the new text) come in.
  void Edit(int position, int removed, int added, Step step, std::vector<Mark> put = {});
  // Takes back, or makes again, the marks' changes of the box's last undone or next redone command.
  void Undo();
  void Redo();

  // Marks the mark at `index` as checked, or as to check; no edit, so no undo step.
  void SetToCheck(int index, bool to_check) {
    marks_[static_cast<std::size_t>(index)].to_check = to_check;
  }

  int Count() const { return static_cast<int>(marks_.size()); }
  // The mark at `index` in text order, 0 to Count() - 1.
  Mark At(int index) const;
  // The index of the first mark that ends after `position`; Count() when none does.
  int FirstEndingAfter(int position) const;
  // The index of the mark that holds the character at `position`, or -1.
  int IndexAt(int position) const;
  // The marks that meet [from, to), in text order.
  std::vector<Mark> Between(int from, int to) const;

 private:
  // The change one edit made to the marks.
  struct Change {
    int position;
    int removed;
    int added;
    std::vector<Mark> dropped;  // where they were before
    std::vector<Mark> put;      // where they are after
  };

  std::vector<Mark> Apply(int position, int removed, int added, std::vector<Mark> put);
  // Makes the stored positions real from `index` to the start of the pending shift, or from the
  // pending shift's start to `index`, so that the pending shift starts at `index`.
  void ShiftFrom(int index);
  int PositionOf(int index) const;

  std::vector<Mark> marks_;
  // Positions from index pending_from_ on are stored pending_shift_ short of the real ones.
  int pending_from_ = 0;
  int pending_shift_ = 0;
  // For each command of the box's undo history, oldest first, the marks' changes; the first done_
  // commands are done, the rest undone.
  using Command = std::vector<Change>;
  std::vector<Command> history_;
  int done_ = 0;
  std::vector<Word> words_;
  QHash<QPair<QString, QString>, std::uint32_t> word_numbers_;
};

}  // namespace ui
