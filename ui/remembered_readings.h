// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "readings/remembered.h"

namespace ui {

// The file of the readings the user keeps, in the user's data folder.
QString RememberedReadingsFile();

// The readings the user keeps for words, in a UTF-8 text file of "word<TAB>reading" lines, where
// '#' starts a comment and users may add lines of their own. The file is made only when the user
// first keeps a reading. Each change reads the file again and rewrites only the lines of the word
// it changes, so that lines added meanwhile, by hand or by another running copy, stay; the other
// lines keep their bytes. A file with a line that is not a reading is never written, so that
// nothing the user wrote is lost. It keeps the readings of its last read or change in one
// RememberedWords for the reader.
class RememberedReadings {
 public:
  using Words = std::vector<std::pair<std::u16string, std::u16string>>;

  // What the file holds: its readings, each word once, and the numbers of its lines that are
  // not readings, which are skipped.
  struct Contents {
    Words words;
    std::vector<int> bad_lines;
  };

  explicit RememberedReadings(QString file);

  const QString& File() const { return file_; }
  // The readings of the last Load or Set.
  const readings::RememberedWords& Readings() const { return words_; }

  // Reads the file, with the changes of this run that it does not hold; nothing when there is
  // none.
  Contents Load();
  // Whether the file changed since it was last read or written, by hand or by another copy.
  bool Changed() const;

  // What a change left: the readings kept now, with the changes of this run that the file does
  // not hold, and why the file was not written: its bad lines, or else `error`; neither when it
  // was written.
  struct Outcome {
    Contents kept;
    QString error;
  };
  // Keeps `reading` for `word`, or forgets the word when `reading` is empty. The change holds for
  // this run whether or not the file can be written, and is written with the next change that can.
  Outcome Set(const QString& word, const QString& reading);

 private:
  void Stamp();
  // Keeps `contents`' readings in words_.
  void Take(const Contents& contents);

  QString file_;
  QByteArray known_;  // the file's bytes as last read or written
  // When the file was last modified, and its size, as last read or written.
  QDateTime known_time_;
  qint64 known_size_ = -1;
  // The changes of this run that the file does not hold yet, oldest first; an empty reading
  // forgets the word.
  std::vector<std::pair<QString, QString>> unsaved_;
  readings::RememberedWords words_;
};

}  // namespace ui
