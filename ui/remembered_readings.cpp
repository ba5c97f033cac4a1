// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/remembered_readings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

#include "readings/readings.h"
#include "ui/units.h"

namespace ui {
namespace {

constexpr char16_t kTab = u'\t';

bool IsKana(QChar c) {
  return (c >= u'ぁ' && c <= u'ゖ') || (c >= u'ァ' && c <= u'ヺ') || c == u'ー';
}

}  // namespace

QString RememberedReadingsFile() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
         QStringLiteral("/readings.tsv");
}

RememberedReadings::RememberedReadings(QString file) : file_(std::move(file)) {}

bool RememberedReadings::IsReading(const QString& word, const QString& reading) {
  return !readings::KanjiRuns(Units(word)).empty() && !reading.isEmpty() &&
         std::all_of(reading.begin(), reading.end(), IsKana) && !word.contains(kTab) &&
         word.trimmed() == word;
}

std::vector<int> RememberedReadings::Load() {
  lines_.clear();
  words_.clear();
  bad_lines_.clear();
  QFile file(file_);
  if (!file.open(QIODevice::ReadOnly)) return bad_lines_;
  QString text = QString::fromUtf8(file.readAll());
  if (text.startsWith(u'\uFEFF')) text.remove(0, 1);
  lines_ = text.split(u'\n');
  if (lines_.last().isEmpty()) lines_.removeLast();
  for (int i = 0; i < lines_.size(); ++i) {
    QString line = lines_[i];
    if (line.endsWith(u'\r')) line.chop(1);
    if (line.trimmed().isEmpty() || line.startsWith(u'#')) continue;
    const QStringList fields = line.split(kTab);
    if (fields.size() != 2 || !IsReading(fields[0], fields[1])) {
      bad_lines_.push_back(i + 1);
      continue;
    }
    const auto kept = std::find_if(words_.begin(), words_.end(),
                                   [&fields](const auto& w) { return w.first == fields[0]; });
    if (kept != words_.end()) {
      kept->second = fields[1];
    } else {
      words_.emplace_back(fields[0], fields[1]);
    }
  }
  return bad_lines_;
}

std::optional<QString> RememberedReadings::ReadingOf(const QString& word) const {
  const auto kept = std::find_if(words_.begin(), words_.end(),
                                 [&word](const auto& w) { return w.first == word; });
  if (kept == words_.end()) return std::nullopt;
  return kept->second;
}

std::optional<RememberedReadings::Unsaved> RememberedReadings::Set(const QString& word,
                                                                   const QString& reading) {
  const auto kept = std::find_if(words_.begin(), words_.end(),
                                 [&word](const auto& w) { return w.first == word; });
  if (reading.isEmpty() && kept != words_.end()) {
    words_.erase(kept);
  } else if (kept != words_.end()) {
    kept->second = reading;
  } else if (!reading.isEmpty()) {
    words_.emplace_back(word, reading);
  }
  if (!bad_lines_.empty()) return Unsaved{bad_lines_, {}};

  // The word's lines go, and the new one comes last; every other line stays as it was.
  QStringList lines;
  for (const QString& line : std::as_const(lines_)) {
    if (!line.startsWith(word + kTab)) lines.append(line);
  }
  if (lines.isEmpty()) {
    lines.append(QStringLiteral(u"# 记住的汉字读音：每行一个词语、一个 Tab 和它的假名读音。"));
  }
  if (!reading.isEmpty()) lines.append(word + kTab + reading);

  QString error;
  if (!QDir().mkpath(QFileInfo(file_).absolutePath())) {
    error = QStringLiteral(u"无法创建文件夹 %1").arg(QFileInfo(file_).absolutePath());
  } else {
    QSaveFile file(file_);
    if (file.open(QIODevice::WriteOnly)) {
      file.write((lines.join(u'\n') + u'\n').toUtf8());
      if (file.commit()) {
        lines_ = lines;
        return std::nullopt;
      }
    }
    error = file.errorString();
  }
  return Unsaved{{}, error};
}

}  // namespace ui
