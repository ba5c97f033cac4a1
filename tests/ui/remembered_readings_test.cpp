// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// The file of the readings the user keeps: written, read back, edited by hand, and left alone
// where it holds a line that is not a reading.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>

#include "tests/ui/recording_presenter.h"
#include "ui/remembered_readings.h"

namespace {

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

TEST(RememberedReadings, RoundTrip) {
  const struct {
    const char* what;
    const char* before;  // nullptr: no file yet
    QString word;
    QString reading;  // empty: forget the word
    const char* after;
    std::vector<int> bad_lines;
  } kCases[] = {
      {"the first reading kept makes the file",
       nullptr,
       QStringLiteral(u"今日"),
       QStringLiteral(u"こんにち"),
       "# 记住的汉字读音：每行一个词语、一个 Tab 和它的假名读音。\n今日\tこんにち\n",
       {}},
      {"the user's lines and comments stay",
       "# mine\n運命\tさだめ\n本気\tマジ\n",
       QStringLiteral(u"今日"),
       QStringLiteral(u"きょう"),
       "# mine\n運命\tさだめ\n本気\tマジ\n今日\tきょう\n",
       {}},
      {"a word kept again has one line",
       "今日\tきょう\n運命\tさだめ\n",
       QStringLiteral(u"今日"),
       QStringLiteral(u"こんにち"),
       "運命\tさだめ\n今日\tこんにち\n",
       {}},
      {"a word forgotten goes",
       "今日\tきょう\n本気\tマジ\n",
       QStringLiteral(u"今日"),
       QString(),
       "本気\tマジ\n",
       {}},
      {"a bad line keeps the file as it is",
       "今日\tきょう\n今日 きょう\nかな\tかな\n明日\t明日\n",
       QStringLiteral(u"夢"),
       QStringLiteral(u"ゆめ"),
       "今日\tきょう\n今日 きょう\nかな\tかな\n明日\t明日\n",
       {2, 3, 4}},
  };
  for (const auto& c : kCases) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral(u"用户 张三/readings.tsv"));
    if (c.before) {
      QDir().mkpath(folder.filePath(QStringLiteral(u"用户 张三")));
      Write(path, c.before);
    }
    ui::RememberedReadings kept(path);
    EXPECT_EQ(kept.Load(), c.bad_lines) << c.what;
    const auto unsaved = kept.Set(c.word, c.reading);
    EXPECT_EQ(unsaved.has_value(), !c.bad_lines.empty()) << c.what;
    EXPECT_EQ(Read(path), QByteArray(c.after)) << c.what;
    EXPECT_EQ(kept.ReadingOf(c.word), c.reading.isEmpty() ? std::nullopt : std::optional(c.reading))
        << c.what;
    // Read back, the file gives what was kept.
    ui::RememberedReadings again(path);
    again.Load();
    if (c.bad_lines.empty()) {
      auto read_back = again.Words();
      auto words = kept.Words();
      std::sort(read_back.begin(), read_back.end());
      std::sort(words.begin(), words.end());
      EXPECT_EQ(read_back, words) << c.what;
    }
  }
}

TEST(RememberedReadings, LiveInTheUsersDataFolder) {
  // Outside the tests' own folders, as the program runs.
  QStandardPaths::setTestModeEnabled(false);
  const QString name = QCoreApplication::applicationName();
  QCoreApplication::setApplicationName(QStringLiteral("melivant-helper"));
#ifdef Q_OS_WIN
  const QString data = QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA"));
#else
  const QString data = qEnvironmentVariable("XDG_DATA_HOME", QDir::homePath() + "/.local/share");
#endif
  EXPECT_EQ(ui::RememberedReadingsFile(), data + QStringLiteral("/melivant-helper/readings.tsv"));
  QCoreApplication::setApplicationName(name);
  QStandardPaths::setTestModeEnabled(true);
}

TEST(RememberedReadings, ReadALineEditedByHandOnWindows) {
  const QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("readings.tsv"));
  Write(path, QStringLiteral(u"\uFEFF# 我的\r\n本気\tマジ\r\n\r\n運命\tさだめ\r\n").toUtf8());
  ui::RememberedReadings kept(path);
  EXPECT_TRUE(kept.Load().empty());
  EXPECT_EQ(kept.ReadingOf(QStringLiteral(u"本気")), QStringLiteral(u"マジ"));
  EXPECT_EQ(kept.ReadingOf(QStringLiteral(u"運命")), QStringLiteral(u"さだめ"));
}

TEST(RememberedReadings, AFolderThatCannotBeWrittenKeepsTheReadingForThisRun) {
  const QTemporaryDir folder;
  const QString blocker = folder.filePath(QStringLiteral("a file"));
  Write(blocker, "not a folder");
  ui::RememberedReadings kept(blocker + QStringLiteral("/readings.tsv"));
  kept.Load();
  const auto unsaved = kept.Set(QStringLiteral(u"今日"), QStringLiteral(u"こんにち"));
  ASSERT_TRUE(unsaved.has_value());
  EXPECT_FALSE(unsaved->error.isEmpty());
  EXPECT_EQ(kept.ReadingOf(QStringLiteral(u"今日")), QStringLiteral(u"こんにち"));
  EXPECT_EQ(Read(blocker), QByteArray("not a folder"));
}

}  // namespace
