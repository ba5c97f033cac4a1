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
  kRead,      // rewritten with the dictionary's reading
  kGuess,     // rewritten with a reading guessed kanji by kanji
  kUnread,    // left as it was: nothing reads it
  kGiven,     // rewritten with the reading that the lyrics give in brackets after it
  kParticle,  // the particle は or へ, written as sung (わ, え), or left where it may be one
};

// A word that F7 rewrote or could not read: where it is, and which of ReadingMarks' words it is.
struct Mark {
  int position = 0;
  int length = 0;
  std::uint32_t word = 0;
  MarkKind kind = MarkKind::kRead;
  // More than one reading was on offer, or it is a guess, or a particle that may be none (or a
  // は that may be one); never given.
  bool to_check = false;

  friend bool operator==(const Mark&, const Mark&) = default;
};

// The marks of a text box in text order, kept through its edits: an edit drops the marks it
// touches and moves those after it. Each edit tells what it changed, so that the box's undo
// history can take the change back and make it again. A keystroke costs little however many
// marks there are.
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

  // What one edit did to the marks.
  struct Change {
    int position;
    int removed;
    int added;
    std::vector<Mark> dropped;  // where they were before
    std::vector<Mark> put;      // where they are after
  };

  // Takes the edit that replaced `removed` characters at `position` with `added` ones: the marks
  // it touches go (those around an insertion inside them too, but not one it ends right before),
  // the later ones move, and `put` (in text order, inside the new text) come in.
  Change Edit(int position, int removed, int added, std::vector<Mark> put = {});
  // Takes `change`, the last one made, back.
  void Revert(const Change& change);
  // Makes `change`, the last one taken back, again.
  void Replay(const Change& change);

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
  std::vector<Mark> Apply(int position, int removed, int added, std::vector<Mark> put);
  // Makes the stored positions real from `index` to the start of the pending shift, or from the
  // pending shift's start to `index`, so that the pending shift starts at `index`.
  void ShiftFrom(int index);
  int PositionOf(int index) const;

  std::vector<Mark> marks_;
  // Positions from index pending_from_ on are stored pending_shift_ short of the real ones.
  int pending_from_ = 0;
  int pending_shift_ = 0;
  std::vector<Word> words_;
  QHash<QPair<QString, QString>, std::uint32_t> word_numbers_;
};

}  // namespace ui
