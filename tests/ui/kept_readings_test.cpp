// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// Keeping a reading for later songs from the word's menu, and the file that keeps them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "tests/ui/kanji_readings_fixture.h"

namespace {

using test_support::KanjiReadingsTest;

TEST_F(KanjiReadingsTest, AReadingKeptHoldsInTheNextSongAndAfterARestart) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Input()->setPlainText(QStringLiteral(u"今日"));
  PressF7();
  Find(*MenuAt(0), QStringLiteral(u"こんにち"))->trigger();
  {
    const std::unique_ptr<QMenu> menu = MenuAt(0);
    QAction* keep = Find(*menu, QStringLiteral(u"记住「今日」读作「こんにち」"));
    ASSERT_NE(keep, nullptr);
    keep->trigger();
  }
  {
    // Windows replaces no file that is open, so it is closed before the next change.
    QFile file(ui::RememberedReadingsFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll()).endsWith(QStringLiteral(u"\n今日\tこんにち\n")));
  }
  Type(QStringLiteral(u"今日も"));
  PressF7();
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"こんにちも"));
  ASSERT_NE(Find(*MenuAt(0), QStringLiteral(u"忘记「今日」的读法")), nullptr);

  Open();  // as after a restart
  Type(QStringLiteral(u"今日"));
  PressF7();
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"こんにち"));
  Find(*MenuAt(0), QStringLiteral(u"忘记「今日」的读法"))->trigger();
  Type(QStringLiteral(u"今日"));
  PressF7();
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"きょう"));
  EXPECT_EQ(presenter_.Messages(), std::vector<ui::Message>{});
}

TEST_F(KanjiReadingsTest, OnlyAReadingIsKeptAndKeepingChecksEveryRepeat) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Input()->setPlainText(QStringLiteral(u"今日も今日"));
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうもきょう"));
  Find(*MenuAt(0), QStringLiteral(u"原文：今日"))->trigger();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"今日もきょう"));
  const std::unique_ptr<QMenu> kanji_menu = MenuAt(0);
  for (const QAction* action : kanji_menu->actions()) {
    EXPECT_FALSE(action->text().startsWith(QStringLiteral(u"记住")))
        << action->text().toStdString();
  }
  QTest::keySequence(Input(), QKeySequence::Undo);
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうもきょう"));
  Find(*MenuAt(4), QStringLiteral(u"记住「今日」读作「きょう」"))->trigger();
  // Both words are checked now: F8 finds none.
  Input()->moveCursor(QTextCursor::Start);
  Press(Qt::Key_F8);
  EXPECT_EQ(OpenMenu(), nullptr);
  CloseMenu();
  QFile file(ui::RememberedReadingsFile());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().endsWith(QStringLiteral(u"\n今日\tきょう\n").toUtf8()));
  EXPECT_EQ(presenter_.Messages(), std::vector<ui::Message>{});
}

TEST_F(KanjiReadingsTest, F7TakesTheReadingsAddedToTheFileMeanwhile) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Type(QStringLiteral(u"明日"));
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"あした"));
  const QString path = ui::RememberedReadingsFile();
  QDir().mkpath(QFileInfo(path).absolutePath());
  {
    QFile file(path);  // as by hand, or by another copy of the program
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(QStringLiteral(u"明日\tあす\n").toUtf8());
  }
  Type(QStringLiteral(u"明日"));
  PressF7();
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"あす"));
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("not a reading\n");
  }
  Type(QStringLiteral(u"明日"));
  PressF7();
  PressF7();
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"あす"));
  ASSERT_EQ(presenter_.shown.size(), 1u);  // told once
  EXPECT_TRUE(presenter_.shown[0].message.text.contains(QStringLiteral(u"第 2 行")));
}

TEST_F(KanjiReadingsTest, AFileWithABadLineIsToldOnceAndNeverWritten) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  const QString path = ui::RememberedReadingsFile();
  QDir().mkpath(QFileInfo(path).absolutePath());
  const QByteArray mine = QStringLiteral(u"運命\tさだめ\n本気 マジ\n").toUtf8();
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(mine);
  }
  Open();
  Type(QStringLiteral(u"運命の今日"));
  PressF7();
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"さだめのきょう"));
  ASSERT_EQ(presenter_.shown.size(), 1u);
  EXPECT_EQ(presenter_.shown[0].message.text,
            QStringLiteral(u"记住的读音文件里有格式不对的行，这些行没有用上：\r%1\r第 2 行\r\r"
                           u"每行应是：含汉字的词语、一个 Tab、它的假名读音。\r"
                           u"改正这些行之前，本软件不会改写这个文件。")
                .arg(path));
  Find(*MenuAt(4), QStringLiteral(u"记住「今日」读作「きょう」"))->trigger();
  PressF7();
  EXPECT_EQ(presenter_.shown.size(), 2u);  // the keeping was not saved, and said so
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), mine);
}

TEST_F(KanjiReadingsTest, AFolderThatCannotBeWrittenIsToldAndF7GoesOn) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  // The folder would be where a file is.
  const QTemporaryDir folder;
  const QString blocker = folder.filePath(QStringLiteral("not a folder"));
  QFile(blocker).open(QIODevice::WriteOnly);
  QPlainTextEdit box;
  auto* readings =
      new ui::KanjiReadings(&box, presenter_, ui::DictionaryFolder(), ui::KanjiListFile(),
                            ui::WordListFile(), blocker + QStringLiteral("/readings.tsv"));
  box.setPlainText(QStringLiteral(u"今日"));
  readings->Rewrite();
  const std::unique_ptr<QMenu> menu(readings->CreateContextMenu(
      box.cursorRect(QTextCursor(box.document())).center() + QPoint(2, 0)));
  Find(*menu, QStringLiteral(u"记住「今日」读作「きょう」"))->trigger();
  ASSERT_EQ(presenter_.shown.size(), 1u);
  EXPECT_TRUE(presenter_.shown[0].message.text.startsWith(QStringLiteral(u"无法保存记住的读音：")));
  box.setPlainText(QStringLiteral(u"明日"));
  readings->Rewrite();
  EXPECT_EQ(box.toPlainText(), QStringLiteral(u"あした"));
}

}  // namespace
