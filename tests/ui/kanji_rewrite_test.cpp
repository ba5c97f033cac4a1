// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// F7 as the user meets it: the rewrite, its marks and tooltips, and what keeps it from reading.
#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QToolTip>

#include "tests/ui/failing_allocations.h"

#include "tests/ui/kanji_readings_fixture.h"

namespace {

using test_support::KanjiReadingsTest;

TEST_F(KanjiReadingsTest, F7RewritesAsOneEditThatUndoAndRedoTakeWhole) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Type(QStringLiteral(u"桜の花が咲いた"));
  Output()->setPlainText(QStringLiteral("sa ku ra "));
  PressF7();
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"さくらのはながさいた"));
  EXPECT_EQ(Output()->toPlainText(), QStringLiteral("sa ku ra "));
  EXPECT_TRUE(presenter_.shown.empty());

  QTest::keySequence(Input(), QKeySequence::Undo);
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"桜の花が咲いた"));
  QTest::keySequence(Input(), QKeySequence::Redo);
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"さくらのはながさいた"));
}

TEST_F(KanjiReadingsTest, F7ReadsTheTextAsItIsOnceTheBusyCursorShows) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Type(QStringLiteral(u"夢"));
  PressF7();  // opens the dictionary
  // A key waiting when F7 starts is handled before the text is read, not in the middle.
  Type(QStringLiteral(u"空"));
  Input()->moveCursor(QTextCursor::Start);
  QCoreApplication::postEvent(Input(),
                              new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
  PressF7();
  QCoreApplication::processEvents();
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"aそら"));
}

TEST_F(KanjiReadingsTest, F7KeepsTheCursorByItsTextAndMarksEachWordOnce) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Input()->setPlainText(QStringLiteral(u"𠀋の花 \n夢"));
  QTextCursor cursor(Input()->document());
  cursor.setPosition(5);  // after the blank, before the line break
  Input()->setTextCursor(cursor);
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"𠀋のはな \nゆめ"));
  EXPECT_EQ(Input()->textCursor().position(), 6);
  // Again: the unread kanji keeps one mark, and nothing else changes.
  PressF7();
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"𠀋のはな \nゆめ"));
  EXPECT_EQ(Input()->extraSelections().size(), 3);
}

TEST_F(KanjiReadingsTest, F7RewritesOnlyTheSelection) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Input()->setPlainText(QStringLiteral(u"春の小川\n夢の中"));
  QTextCursor cursor(Input()->document());
  cursor.setPosition(5);
  cursor.setPosition(8, QTextCursor::KeepAnchor);
  Input()->setTextCursor(cursor);
  PressF7();
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"春の小川\nゆめのなか"));
  EXPECT_EQ(Input()->textCursor().selectedText(), QStringLiteral(u"ゆめのなか"));
}

TEST_F(KanjiReadingsTest, AReadingGivenInBracketsIsTakenAndNeedsNoCheck) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  const QString lyrics = QStringLiteral(u"運命（さだめ）の夢 ｜本気《マジ》");
  Input()->setPlainText(lyrics);
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"さだめのゆめ マジ"));
  {
    const std::unique_ptr<QMenu> menu = MenuAt(1);
    EXPECT_TRUE(Find(*menu, QStringLiteral(u"さだめ"))->isChecked());
    EXPECT_NE(Find(*menu, QStringLiteral(u"うんめい")), nullptr);
    EXPECT_NE(Find(*menu, QStringLiteral(u"原文：運命（さだめ）")), nullptr);
    for (const QAction* action : menu->actions()) {
      EXPECT_FALSE(action->text().startsWith(QStringLiteral(u"记住")))
          << action->text().toStdString();
    }
  }
  EXPECT_NE(Find(*MenuAt(7), QStringLiteral(u"原文：｜本気《マジ》")), nullptr);
  Press(Qt::Key_F8);  // nothing to check
  EXPECT_EQ(OpenMenu(), nullptr);
  CloseMenu();
  QTest::keySequence(Input(), QKeySequence::Undo);
  EXPECT_EQ(Input()->toPlainText(), lyrics);
}

TEST_F(KanjiReadingsTest, AGuessedReadingHasAMarkAndAMenuThatSaySo) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Input()->setPlainText(QStringLiteral(u"囁 夢"));
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"ささやき ゆめ"));
  const QList<QTextEdit::ExtraSelection> marks = Input()->extraSelections();
  ASSERT_EQ(marks.size(), 2);
  EXPECT_NE(marks[0].format.background(), marks[1].format.background());
  const std::unique_ptr<QMenu> menu = MenuAt(0);
  const QAction* guess = Find(*menu, QStringLiteral(u"没有含「囁」的词，读音是按单个汉字猜的"));
  ASSERT_NE(guess, nullptr);
  EXPECT_FALSE(guess->isEnabled());
  EXPECT_EQ(Find(*MenuAt(5), QStringLiteral(u"没有含「夢」的词，读音是按单个汉字猜的")), nullptr);
}

TEST_F(KanjiReadingsTest, WithoutTheListOfReadingsPerKanjiNothingIsGuessedAndNothingIsSaid) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  QPlainTextEdit box;
  new ui::KanjiReadings(&box, presenter_, ui::DictionaryFolder(), "/nonexistent/list.txt");
  box.setPlainText(QStringLiteral(u"囁 夢"));
  QKeyEvent press(QEvent::KeyPress, Qt::Key_F7, Qt::NoModifier);
  QApplication::sendEvent(&box, &press);
  EXPECT_EQ(box.toPlainText(), QStringLiteral(u"囁 ゆめ"));
  EXPECT_TRUE(presenter_.shown.empty());
}

TEST_F(KanjiReadingsTest, ToolTipsNameTheKeyForEveryUnderlinedCharacter) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Input()->setPlainText(QStringLiteral(u"𠀋 一ヶ月 今日"));
  auto tip_at = [this](int position) {
    QToolTip::hideText();
    const QPoint point = PointAt(position);
    QHelpEvent hover(QEvent::ToolTip, point, Input()->viewport()->mapToGlobal(point));
    QApplication::sendEvent(Input()->viewport(), &hover);
    return QToolTip::text();
  };
  for (const int position : {0, 1, 4, 7}) {
    EXPECT_EQ(tip_at(position), QStringLiteral(u"按 F7 把汉字改写成平假名")) << position;
  }
  Input()->selectAll();
  PressF7();
  ASSERT_TRUE(Input()->toPlainText().endsWith(QStringLiteral(u"きょう")));
  const int word = int(Input()->toPlainText().size()) - 2;
  EXPECT_EQ(tip_at(word),
            QStringLiteral(u"原文：今日（读音待检查，按 F8 逐个检查，右键可选择其他读音）"));
}

TEST_F(KanjiReadingsTest, RunningOutOfMemoryIsToldAndChangesNothing) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  if (!test_support::CanFailAllocations()) GTEST_SKIP() << "allocations cannot fail here";
  Open();
  Input()->setPlainText(QStringLiteral(u"今日も明日"));
  constexpr std::size_t kLarge = 64 * 1024;  // the list of readings per kanji needs more
  {
    const test_support::FailingAllocations failing(kLarge);
    PressF7();
  }
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"今日も明日"));
  EXPECT_EQ(presenter_.Messages(),
            (std::vector<ui::Message>{{ui::MessageIcon::kCritical,
                                       QStringLiteral(u"读汉字时出错，汉字没有改写。"),
                                       QStringLiteral(u"内存不足")}}));
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうもあした"));

  // Keeping a reading among many kept ones.
  QByteArray many;
  for (int i = 0; i < 20000; ++i) many += QStringLiteral(u"字%1\tじ\n").arg(i).toUtf8();
  {
    QFile file(ui::RememberedReadingsFile());
    QDir().mkpath(QFileInfo(file).absolutePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(many);
  }
  {
    const std::unique_ptr<QMenu> menu = MenuAt(0);
    const test_support::FailingAllocations failing(kLarge);
    Find(*menu, QStringLiteral(u"记住「今日」读作「きょう」"))->trigger();
  }
  ASSERT_EQ(presenter_.shown.size(), 2u);
  EXPECT_EQ(presenter_.shown[1].message.text,
            QStringLiteral(u"记住读音时出错，读音可能没有记住。"));
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうもあした"));
  EXPECT_NE(Find(*MenuAt(0), QStringLiteral(u"原文：今日")), nullptr);
  QFile file(ui::RememberedReadingsFile());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), many);
}

TEST_F(KanjiReadingsTest, AMissingDictionaryIsNamedAndTheLyricsStay) {
  Open("/nonexistent/ipadic-utf8");
  Type(QStringLiteral(u"桜の花"));
  PressF7();
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"桜の花"));
  ASSERT_EQ(presenter_.Messages().size(), 1u);
  EXPECT_EQ(presenter_.shown[0].message.icon, ui::MessageIcon::kCritical);
  EXPECT_EQ(
      presenter_.shown[0].message.text,
      QStringLiteral(u"无法读取汉字读音词典，汉字没有改写。\r\r"
                     u"词典文件夹：/nonexistent/ipadic-utf8\r"
                     u"请重新安装本软件（Debian/Ubuntu：重新安装 mecab-ipadic-utf8 软件包）。"));
  EXPECT_EQ(presenter_.shown[0].message.details,
            QStringLiteral("/nonexistent/ipadic-utf8: no dicrc"));
  EXPECT_FALSE(presenter_.shown[0].busy_cursor);

  // The kanji still to rewrite are underlined, and hovering over one names F7.
  QCoreApplication::processEvents();
  ASSERT_EQ(Input()->extraSelections().size(), 2);
  EXPECT_EQ(Input()->extraSelections()[0].format.underlineStyle(), QTextCharFormat::DotLine);
  const QPoint point = PointAt(0);
  QHelpEvent hover(QEvent::ToolTip, point, Input()->viewport()->mapToGlobal(point));
  QApplication::sendEvent(Input()->viewport(), &hover);
  EXPECT_EQ(QToolTip::text(), QStringLiteral(u"按 F7 把汉字改写成平假名"));
}

}  // namespace

namespace {

using test_support::KanjiReadingsTest;

TEST_F(KanjiReadingsTest, MarksAreDrawnWhereTheKeysScrollTo) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  QString lyrics;
  for (int line = 0; line < 60; ++line) lyrics += QStringLiteral(u"夢の中\n");
  Input()->setPlainText(lyrics);
  Input()->moveCursor(QTextCursor::End);
  PressF7();
  QTest::qWait(20);
  QTest::keyClick(Input(), Qt::Key_Home, Qt::ControlModifier);
  QTest::qWait(20);
  ASSERT_FALSE(Input()->extraSelections().isEmpty());
  EXPECT_EQ(Input()->extraSelections().first().cursor.selectionStart(), 0);
}

}  // namespace
