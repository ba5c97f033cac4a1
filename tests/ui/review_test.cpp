// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// F8 and Shift+F8, and the menu key, through the words to check.
#include <gtest/gtest.h>

#include "tests/ui/kanji_readings_fixture.h"

namespace {

using test_support::KanjiReadingsTest;

TEST_F(KanjiReadingsTest, F8WalksTheWordsToCheckInTextOrderAndWraps) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Input()->setPlainText(QStringLiteral(u"今日の夢\n明日 日本"));
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうのゆめ\nあした にほん"));
  // ゆめ has one reading: there is nothing to check.
  for (const QString& expected : {QStringLiteral(u"きょう"), QStringLiteral(u"あした"),
                                  QStringLiteral(u"にほん"), QStringLiteral(u"きょう")}) {
    Press(Qt::Key_F8);
    EXPECT_EQ(Selected(), expected);
    ASSERT_NE(OpenMenu(), nullptr);
    EXPECT_NE(Find(*OpenMenu(), expected), nullptr);
    CloseMenu();
  }
  Press(Qt::Key_F8, Qt::ShiftModifier);
  EXPECT_EQ(Selected(), QStringLiteral(u"にほん"));
  // A digit chooses that reading; the word is then checked, and F8 passes it by.
  QTest::keyClick(OpenMenu(), Qt::Key_2);
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうのゆめ\nあした にっぽん"));
  EXPECT_EQ(OpenMenu(), nullptr);
  Press(Qt::Key_F8, Qt::ShiftModifier);
  EXPECT_EQ(Selected(), QStringLiteral(u"あした"));
  QTest::keyClick(OpenMenu(), Qt::Key_Escape);
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうのゆめ\nあした にっぽん"));
  // The menu key and Shift+F10 open the word's menu at the cursor.
  for (const auto& [key, modifiers] :
       {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
    Press(key, Qt::KeyboardModifiers(modifiers));
    ASSERT_NE(OpenMenu(), nullptr);
    EXPECT_NE(Find(*OpenMenu(), QStringLiteral(u"原文：明日")), nullptr);
    CloseMenu();
  }
}

}  // namespace
