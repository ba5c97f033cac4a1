// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace ui {

// The file of the readings the user keeps, in the user's data folder.
QString RememberedReadingsFile();

// The readings the user keeps for words, in a UTF-8 text file of "word<TAB>reading" lines, where
// '#' starts a comment and users may add lines of their own. The file is made only when the user
// first keeps a reading, and written whole and at once, only after a change. A file with a line
// that is not a reading (a word with a kanji, a reading of kana only) is never written, so that
// nothing the user wrote is lost.
class RememberedReadings {
 public:
  explicit RememberedReadings(QString file);

  // Reads the file, where there is one. Returns the numbers of the lines that are not readings,
  // which are skipped; the file is then not written until they are mended.
  std::vector<int> Load();

  const QString& File() const { return file_; }
  const std::vector<std::pair<QString, QString>>& Words() const { return words_; }
  // The reading kept for `word`, if any.
  std::optional<QString> ReadingOf(const QString& word) const;

  // Why a change was not written.
  struct Unsaved {
    std::vector<int> bad_lines;  // the file's lines that are not readings, or
    QString error;               // what stopped the writing
  };
  // Keeps `reading` for `word`, or forgets the word when `reading` is empty, and writes the file.
  // The change holds for this run whether or not the file could be written.
  std::optional<Unsaved> Set(const QString& word, const QString& reading);

  // Whether `line` is a reading: a word with a kanji, a tab, and kana.
  static bool IsReading(const QString& word, const QString& reading);

 private:
  QString file_;
  QStringList lines_;  // as they were read or written, comments included
  std::vector<int> bad_lines_;
  std::vector<std::pair<QString, QString>> words_;
};

}  // namespace ui
