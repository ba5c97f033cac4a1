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

using Words = ui::RememberedReadings::Words;

// The words of `file` as they read back.
Words ReadBack(const QString& file) { return ui::RememberedReadings(file).Load().words; }

TEST(RememberedReadings, AChangeRewritesOnlyTheLinesOfItsWord) {
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
      {"a word kept again keeps its place and has one line",
       "今日\tきょう\n運命\tさだめ\n今日\tきょう\n",
       QStringLiteral(u"今日"),
       QStringLiteral(u"こんにち"),
       "今日\tこんにち\n運命\tさだめ\n",
       {}},
      {"a longer word that the word begins stays",
       "今日中\tきょうじゅう\n今日\tきょう\n",
       QStringLiteral(u"今日"),
       QStringLiteral(u"こんにち"),
       "今日中\tきょうじゅう\n今日\tこんにち\n",
       {}},
      {"a word forgotten goes",
       "今日\tきょう\n本気\tマジ\n",
       QStringLiteral(u"今日"),
       QString(),
       "本気\tマジ\n",
       {}},
      {"Windows line ends, a byte-order mark and bytes that are not UTF-8 in a comment stay",
       "\xEF\xBB\xBF# \xFF\xFE mine\r\n本気\tマジ\r\n",
       QStringLiteral(u"今日"),
       QStringLiteral(u"きょう"),
       "\xEF\xBB\xBF# \xFF\xFE mine\r\n本気\tマジ\r\n今日\tきょう\r\n",
       {}},
      {"a first line behind a byte-order mark is a reading",
       "\xEF\xBB\xBF運命\tさだめ\n",
       QStringLiteral(u"運命"),
       QStringLiteral(u"うんめい"),
       "\xEF\xBB\xBF運命\tうんめい\n",
       {}},
      {"a last line without its line end",
       "本気\tマジ",
       QStringLiteral(u"今日"),
       QStringLiteral(u"きょう"),
       "本気\tマジ\n今日\tきょう\n",
       {}},
      {"a bad line keeps the file as it is",
       "今日\tきょう\n今日 きょう\nかな\tかな\n明日\t明日\n夢\tゆ め\n",
       QStringLiteral(u"夢"),
       QStringLiteral(u"ゆめ"),
       "今日\tきょう\n今日 きょう\nかな\tかな\n明日\t明日\n夢\tゆ め\n",
       {2, 3, 4, 5}},
  };
  for (const auto& c : kCases) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral(u"用户 张三/readings.tsv"));
    if (c.before) {
      QDir().mkpath(folder.filePath(QStringLiteral(u"用户 张三")));
      Write(path, c.before);
    }
    ui::RememberedReadings kept(path);
    EXPECT_EQ(kept.Load().bad_lines, c.bad_lines) << c.what;
    const ui::RememberedReadings::Outcome outcome = kept.Set(c.word, c.reading);
    EXPECT_EQ(outcome.kept.bad_lines, c.bad_lines) << c.what;
    EXPECT_TRUE(outcome.error.isEmpty()) << c.what;
    EXPECT_EQ(Read(path), QByteArray(c.after)) << c.what;
    const auto word =
        std::find_if(outcome.kept.words.begin(), outcome.kept.words.end(),
                     [&c](const auto& w) { return w.first == c.word.toStdU16String(); });
    EXPECT_EQ(
        word == outcome.kept.words.end() ? QString() : QString::fromStdU16String(word->second),
        c.reading)
        << c.what;
    if (c.bad_lines.empty()) {
      EXPECT_EQ(ReadBack(path), outcome.kept.words) << c.what;
    }
  }
}

TEST(RememberedReadings, AChangeKeepsWhatWasAddedMeanwhile) {
  const QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("readings.tsv"));
  Write(path, "運命\tさだめ\n");
  ui::RememberedReadings mine(path);
  mine.Load();
  {
    QFile file(path);  // a line added by hand
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("本気\tマジ\n");
  }
  ui::RememberedReadings other_copy(path);
  other_copy.Load();
  other_copy.Set(QStringLiteral(u"夢"), QStringLiteral(u"ゆめ"));
  const ui::RememberedReadings::Outcome outcome =
      mine.Set(QStringLiteral(u"今日"), QStringLiteral(u"きょう"));
  EXPECT_EQ(Read(path), QByteArray("運命\tさだめ\n本気\tマジ\n夢\tゆめ\n今日\tきょう\n"));
  EXPECT_EQ(
      outcome.kept.words,
      (Words{{u"運命", u"さだめ"}, {u"本気", u"マジ"}, {u"夢", u"ゆめ"}, {u"今日", u"きょう"}}));

  // A bad line that appears meanwhile stops the writing; the change holds all the same.
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("not a reading\n");
  }
  const QByteArray with_bad_line = Read(path);
  const ui::RememberedReadings::Outcome refused =
      mine.Set(QStringLiteral(u"明日"), QStringLiteral(u"あす"));
  EXPECT_EQ(refused.kept.bad_lines, std::vector<int>{5});
  EXPECT_EQ(Read(path), with_bad_line);
  EXPECT_EQ(refused.kept.words.back(),
            (std::pair<std::u16string, std::u16string>(u"明日", u"あす")));
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

TEST(RememberedReadings, AFolderThatCannotBeWrittenKeepsTheReadingUntilItCanBe) {
  const QTemporaryDir folder;
  const QString blocker = folder.filePath(QStringLiteral("a file"));
  Write(blocker, "not a folder");
  const QString path = blocker + QStringLiteral("/readings.tsv");
  ui::RememberedReadings kept(path);
  kept.Load();
  const auto unsaved = kept.Set(QStringLiteral(u"今日"), QStringLiteral(u"こんにち"));
  EXPECT_FALSE(unsaved.error.isEmpty());
  EXPECT_EQ(unsaved.kept.words, (Words{{u"今日", u"こんにち"}}));
  EXPECT_EQ(Read(blocker), QByteArray("not a folder"));
  // Once the folder can be made, the next change writes both.
  ASSERT_TRUE(QFile::remove(blocker));
  EXPECT_TRUE(kept.Set(QStringLiteral(u"夢"), QStringLiteral(u"ゆめ")).error.isEmpty());
  EXPECT_EQ(ReadBack(path), (Words{{u"今日", u"こんにち"}, {u"夢", u"ゆめ"}}));
}

}  // namespace
