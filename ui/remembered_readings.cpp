// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/remembered_readings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <optional>

#include "readings/readings.h"
#include "ui/units.h"

namespace ui {
namespace {

const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

// The lines of `bytes`, each with its line end.
QList<QByteArray> Lines(const QByteArray& bytes) {
  QList<QByteArray> lines;
  for (qsizetype start = 0; start < bytes.size();) {
    const qsizetype newline = bytes.indexOf('\n', start);
    const qsizetype end = newline < 0 ? bytes.size() : newline + 1;
    lines.append(bytes.mid(start, end - start));
    start = end;
  }
  return lines;
}

QByteArray LineEnd(const QByteArray& line) {
  if (line.endsWith("\r\n")) return QByteArrayLiteral("\r\n");
  return line.endsWith('\n') ? QByteArrayLiteral("\n") : QByteArray();
}

// The word and reading of the file's line `line` (the first line when `first`); an empty word for
// a blank line or a comment, nothing for a line that is not a reading.
std::optional<std::pair<QString, QString>> ReadingOfLine(QByteArray line, bool first) {
  if (first && line.startsWith(kByteOrderMark)) line.remove(0, kByteOrderMark.size());
  line.chop(LineEnd(line).size());
  const QString text = QString::fromUtf8(line);
  if (text.trimmed().isEmpty() || text.startsWith(u'#')) return std::pair<QString, QString>();
  const qsizetype tab = text.indexOf(u'\t');
  if (tab < 0) return std::nullopt;
  std::pair<QString, QString> reading(text.left(tab), text.mid(tab + 1));
  if (!readings::IsReading(Units(reading.first), Units(reading.second))) return std::nullopt;
  return reading;
}

RememberedReadings::Contents Parse(const QByteArray& bytes) {
  RememberedReadings::Contents contents;
  QHash<QString, std::size_t> index;  // of each word in contents.words
  const QList<QByteArray> lines = Lines(bytes);
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const auto reading = ReadingOfLine(lines[i], i == 0);
    if (!reading) {
      contents.bad_lines.push_back(int(i + 1));
    } else if (const QString& word = reading->first; !word.isEmpty()) {
      // A word on several lines reads as its last line says.
      if (const auto kept = index.constFind(word); kept != index.cend()) {
        contents.words[*kept].second = reading->second.toStdU16String();
      } else {
        index.insert(word, contents.words.size());
        contents.words.emplace_back(word.toStdU16String(), reading->second.toStdU16String());
      }
    }
  }
  return contents;
}

// `bytes` with `changes` made: a changed word's first line takes its new reading, or goes when the
// word is forgotten, and its other lines go; a word the file does not hold comes last, with the
// line end that the file uses. Every other line keeps its bytes.
QByteArray Merge(const QByteArray& bytes, const std::vector<std::pair<QString, QString>>& changes) {
  QHash<QString, QString> changed;
  for (const auto& [word, reading] : changes) changed.insert(word, reading);
  const QList<QByteArray> lines = Lines(bytes);
  const QByteArray end =
      lines.isEmpty() || LineEnd(lines.front()).isEmpty() ? "\n" : LineEnd(lines.front());
  QByteArray merged;
  merged.reserve(bytes.size());
  QSet<QString> written;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const auto reading = ReadingOfLine(lines[i], i == 0);
    const auto change =
        reading && !reading->first.isEmpty() ? changed.constFind(reading->first) : changed.cend();
    if (change == changed.cend()) {
      merged += lines[i];
      continue;
    }
    if (written.contains(change.key())) continue;
    written.insert(change.key());
    if (i == 0 && lines[i].startsWith(kByteOrderMark)) merged += kByteOrderMark;
    if (!change->isEmpty()) {
      merged += (change.key() + u'\t' + *change).toUtf8() + LineEnd(lines[i]);
    }
  }
  for (const auto& [word, ignored] : changes) {
    const QString reading = changed.value(word);
    if (reading.isEmpty() || written.contains(word)) continue;
    written.insert(word);
    if (merged.isEmpty()) {
      merged =
          QStringLiteral(u"# 记住的汉字读音：每行一个词语、一个 Tab 和它的假名读音。").toUtf8() +
          end;
    } else if (!merged.endsWith('\n')) {
      merged += end;
    }
    merged += (word + u'\t' + reading).toUtf8() + end;
  }
  return merged;
}

}  // namespace

QString RememberedReadingsFile() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
         QStringLiteral("/readings.tsv");
}

RememberedReadings::RememberedReadings(QString file) : file_(std::move(file)) {}

RememberedReadings::Contents RememberedReadings::Load() {
  QFile file(file_);
  known_ = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  file.close();
  Stamp();
  Contents contents = Parse(unsaved_.empty() ? known_ : Merge(known_, unsaved_));
  if (!unsaved_.empty()) contents.bad_lines = Parse(known_).bad_lines;
  Take(contents);
  return contents;
}

void RememberedReadings::Take(const Contents& contents) { words_.Set(contents.words); }

bool RememberedReadings::Changed() const {
  const QFileInfo now(file_);
  return now.exists() ? now.lastModified() != known_time_ || now.size() != known_size_
                      : known_size_ >= 0;
}

void RememberedReadings::Stamp() {
  const QFileInfo now(file_);
  known_time_ = now.exists() ? now.lastModified() : QDateTime();
  known_size_ = now.exists() ? now.size() : -1;
}

RememberedReadings::Outcome RememberedReadings::Set(const QString& word, const QString& reading) {
  unsaved_.emplace_back(word, reading);
  // The file as it is now, with what was added to it since it was last read.
  QFile file(file_);
  if (file.exists()) {
    if (!file.open(QIODevice::ReadOnly)) {
      Outcome outcome{Parse(Merge(known_, unsaved_)), file.errorString()};
      Take(outcome.kept);
      return outcome;
    }
    known_ = file.readAll();
    file.close();
  } else {
    known_.clear();
  }
  Stamp();
  const QByteArray merged = Merge(known_, unsaved_);
  Outcome outcome{Parse(merged), {}};
  Take(outcome.kept);
  if (std::vector<int> bad_lines = Parse(known_).bad_lines; !bad_lines.empty()) {
    outcome.kept.bad_lines = std::move(bad_lines);
    return outcome;
  }
  const QString folder = QFileInfo(file_).absolutePath();
  if (!QDir().mkpath(folder)) {
    outcome.error = QStringLiteral(u"无法创建文件夹 %1").arg(folder);
    return outcome;
  }
  QSaveFile out(file_);
  if (out.open(QIODevice::WriteOnly) && out.write(merged) == merged.size() && out.commit()) {
    known_ = merged;
    unsaved_.clear();
    Stamp();
  } else {
    outcome.error = out.errorString();
  }
  return outcome;
}

}  // namespace ui
