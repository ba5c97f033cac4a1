// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// The menu of a rewritten word: its readings, the original, and every repeat at once.
#include <gtest/gtest.h>

#include "tests/ui/kanji_readings_fixture.h"

namespace {

using test_support::KanjiReadingsTest;

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
  EXPECT_TRUE(Ticked(1, QStringLiteral(u"こんにち")));
  {
    const std::unique_ptr<QMenu> word = MenuAt(1);
    Find(*word, QStringLiteral(u"原文：今日"))->trigger();
  }
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"今日も𠀋"));
  EXPECT_TRUE(Ticked(1, QStringLiteral(u"原文：今日")));
  EXPECT_EQ(Find(*MenuAt(1), QStringLiteral(u"今日")), nullptr);
  {
    const std::unique_ptr<QMenu> word = MenuAt(1);
    Find(*word, QStringLiteral(u"こんにち"))->trigger();
  }

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

TEST_F(KanjiReadingsTest, OneChoiceChangesEveryRepeatAndUndoAndRedoTakeItWithTheMarks) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Input()->setPlainText(QStringLiteral(u"今日が\n今日も 明日\n今日"));
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうが\nきょうも あした\nきょう"));
  const std::unique_ptr<QMenu> menu = MenuAt(5);
  QAction* all = Find(*menu, QStringLiteral(u"全部改为「こんにち」（3 处）"));
  ASSERT_NE(all, nullptr);
  all->trigger();
  const QString changed = QStringLiteral(u"こんにちが\nこんにちも あした\nこんにち");
  EXPECT_EQ(Input()->toPlainText(), changed);
  EXPECT_EQ(Input()->extraSelections().size(), 4);

  {
    // The context menu's Undo, as the keys' below.
    const std::unique_ptr<QMenu> word = MenuAt(0);
    word->findChild<QAction*>(QStringLiteral("edit-undo"))->trigger();
  }
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうが\nきょうも あした\nきょう"));
  EXPECT_TRUE(Ticked(5, QStringLiteral(u"きょう")));
  QTest::keySequence(Input(), QKeySequence::Redo);
  EXPECT_EQ(Input()->toPlainText(), changed);
  for (const int position : {0, 6, 17}) {
    const std::unique_ptr<QMenu> word = MenuAt(position);
    ASSERT_NE(Find(*word, QStringLiteral(u"原文：今日")), nullptr) << position;
    EXPECT_TRUE(Find(*word, QStringLiteral(u"こんにち"))->isChecked()) << position;
  }
  // Undo back to the kanji: no mark is left on them, and redo brings all back.
  QTest::keySequence(Input(), QKeySequence::Undo);
  QTest::keySequence(Input(), QKeySequence::Undo);
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"今日が\n今日も 明日\n今日"));
  EXPECT_EQ(Find(*MenuAt(0), QStringLiteral(u"原文：今日")), nullptr);
  QTest::keySequence(Input(), QKeySequence::Redo);
  QTest::keySequence(Input(), QKeySequence::Redo);
  EXPECT_EQ(Input()->toPlainText(), changed);
  EXPECT_NE(Find(*MenuAt(17), QStringLiteral(u"原文：今日")), nullptr);
}

}  // namespace

namespace {

using test_support::KanjiReadingsTest;

TEST_F(KanjiReadingsTest, AParticleIsSungItsMenuGivesTheWrittenKanaBackAndF7AgainLeavesIt) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  const QString lyrics = QStringLiteral(u"花は空へ\n君わ 夢は");
  Input()->setPlainText(lyrics);
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"はなわそらえ\nきみわ ゆめわ"));
  QTest::keySequence(Input(), QKeySequence::Undo);
  EXPECT_EQ(Input()->toPlainText(), lyrics);
  QTest::keySequence(Input(), QKeySequence::Redo);
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"はなわそらえ\nきみわ ゆめわ"));

  EXPECT_NE(Find(*MenuAt(2), QStringLiteral(u"助词「は」按唱法写作「わ」")), nullptr);
  for (const int at : {2, 13}) Find(*MenuAt(at), QStringLiteral(u"原文：は"))->trigger();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"はなはそらえ\nきみわ ゆめは"));
  EXPECT_TRUE(Ticked(2, QStringLiteral(u"原文：は")));
  // Each particle is its own: the same kana elsewhere may be none.
  const std::unique_ptr<QMenu> menu = MenuAt(2);
  EXPECT_NE(Find(*menu, QStringLiteral(u"わ")), nullptr);
  for (const QAction* action : menu->actions()) {
    EXPECT_FALSE(action->text().startsWith(QStringLiteral(u"全部改为")) ||
                 action->text().startsWith(QStringLiteral(u"记住")))
        << action->text().toStdString();
  }
  // F7 again reads the lyrics as written: はな is no particle, the は put back stays.
  const int steps = Input()->document()->availableUndoSteps();
  PressF7();
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"はなはそらえ\nきみわ ゆめは"));
  EXPECT_EQ(Input()->document()->availableUndoSteps(), steps);
}

TEST_F(KanjiReadingsTest, F8StopsAtAParticleTheAnalysisDoubts) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Input()->setPlainText(QStringLiteral(u"ぬかるみにはまって\n風は"));
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"ぬかるみにはまって\nかぜわ"));
  Press(Qt::Key_F8);
  EXPECT_EQ(Input()->textCursor().selectionStart(), 5);
  EXPECT_EQ(Selected(), QStringLiteral(u"は"));
  ASSERT_NE(OpenMenu(), nullptr);
  QAction* sung = Find(*OpenMenu(), QStringLiteral(u"わ"));
  ASSERT_NE(sung, nullptr);
  sung->trigger();
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"ぬかるみにわまって\nかぜわ"));
  // A particle's menu offers both kana whatever its words around have become.
  {
    QTextCursor cursor(Input()->document());
    cursor.setPosition(0);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
  }
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"わまって\nかぜわ"));
  Find(*MenuAt(0), QStringLiteral(u"原文：は"))->trigger();
  EXPECT_NE(Find(*MenuAt(0), QStringLiteral(u"わ")), nullptr);
  QTest::keySequence(Input(), QKeySequence::Undo);
  QTest::keySequence(Input(), QKeySequence::Undo);
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"ぬかるみにわまって\nかぜわ"));
  // A particle the analysis is sure of is not to check.
  for (int round = 0; round < 2; ++round) {
    Press(Qt::Key_F8);
    EXPECT_EQ(Selected(), QStringLiteral(u"かぜ"));
    CloseMenu();
  }
}

}  // namespace
