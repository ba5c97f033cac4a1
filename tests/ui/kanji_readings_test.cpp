// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// F7 in Input as the user meets it: the rewrite, undo and redo, the marks and their menu, and a
// missing dictionary.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>
#include <QToolTip>
#include <memory>

#include "tests/ui/recording_presenter.h"
#include "ui/kanji_readings.h"
#include "ui/main_window.h"

namespace {

using test_support::RecordingPresenter;

class KanjiReadingsTest : public testing::Test {
 protected:
  void Open(std::filesystem::path dictionary = ui::DictionaryFolder()) {
    window_ = std::make_unique<ui::Main>(presenter_, std::move(dictionary));
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    presenter_.shown.clear();  // the greeting
    Input()->setFocus();
  }

  QPlainTextEdit* Input() const {
    return window_->findChild<QPlainTextEdit*>(QStringLiteral("Input"));
  }
  QPlainTextEdit* Output() const {
    return window_->findChild<QPlainTextEdit*>(QStringLiteral("Output"));
  }
  ui::KanjiReadings* Readings() const {
    return window_->findChild<ui::KanjiReadings*>(QStringLiteral("KanjiReadings"));
  }

  // QTest cannot type F7 (it has no text), so the key comes as the keyboard would send it.
  void PressF7() const {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F7, Qt::NoModifier);
    QApplication::sendEvent(Input(), &press);
  }

  void Type(const QString& lyrics) {
    Input()->selectAll();
    Input()->insertPlainText(lyrics);
  }

  // A point of Input's viewport over the character at `position`.
  QPoint PointAt(int position) const {
    QTextCursor cursor(Input()->document());
    cursor.setPosition(position);
    return Input()->cursorRect(cursor).center() + QPoint(2, 0);
  }

  // The menu that a right click on the character at `position` opens.
  std::unique_ptr<QMenu> MenuAt(int position) const {
    return std::unique_ptr<QMenu>(Readings()->CreateContextMenu(PointAt(position)));
  }

  static QAction* Find(const QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
      if (action->text() == text) return action;
    }
    return nullptr;
  }

  RecordingPresenter presenter_;
  std::unique_ptr<ui::Main> window_;
};

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

TEST_F(KanjiReadingsTest, AMarkedWordOffersItsReadingsAndTheOriginalUntilItIsEdited) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Input()->setPlainText(QStringLiteral(u"今日も𠀋"));
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうも𠀋"));
  EXPECT_EQ(Input()->extraSelections().size(), 2);  // the rewritten word and the unread kanji

  std::unique_ptr<QMenu> menu = MenuAt(1);
  QAction* chosen = Find(*menu, QStringLiteral(u"きょう"));
  ASSERT_NE(chosen, nullptr);
  EXPECT_TRUE(chosen->isChecked());
  ASSERT_NE(Find(*menu, QStringLiteral(u"原文：今日")), nullptr);
  Find(*menu, QStringLiteral(u"こんにち"))->trigger();
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"こんにちも𠀋"));
  EXPECT_TRUE(Find(*MenuAt(1), QStringLiteral(u"こんにち"))->isChecked());

  const std::unique_ptr<QMenu> unread = MenuAt(5);
  const QAction* none = Find(*unread, QStringLiteral(u"词典里没有「𠀋」的读音"));
  ASSERT_NE(none, nullptr);
  EXPECT_FALSE(none->isEnabled());
  ASSERT_NE(Find(*unread, QStringLiteral(u"汉字→假名 (F7)")), nullptr);

  // Typing inside a word ends its mark; the unread kanji keeps its own.
  QTextCursor cursor(Input()->document());
  cursor.setPosition(1);
  cursor.insertText(QStringLiteral(u"x"));
  QCoreApplication::processEvents();
  EXPECT_EQ(Input()->extraSelections().size(), 1);
  EXPECT_EQ(Find(*MenuAt(1), QStringLiteral(u"原文：今日")), nullptr);
}

TEST_F(KanjiReadingsTest, AGuessedReadingHasAMarkAndAMenuThatSaySo) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Input()->setPlainText(QStringLiteral(u"囁 夢"));
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"ささや ゆめ"));
  const QList<QTextEdit::ExtraSelection> marks = Input()->extraSelections();
  ASSERT_EQ(marks.size(), 2);
  EXPECT_NE(marks[0].format.background(), marks[1].format.background());
  const std::unique_ptr<QMenu> menu = MenuAt(0);
  const QAction* guess = Find(*menu, QStringLiteral(u"没有含「囁」的词，读音是按单个汉字猜的"));
  ASSERT_NE(guess, nullptr);
  EXPECT_FALSE(guess->isEnabled());
  EXPECT_EQ(Find(*MenuAt(4), QStringLiteral(u"没有含「夢」的词，读音是按单个汉字猜的")), nullptr);
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
