// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// The marks of rewritten words through typing, input methods, and undo and redo by any path.
#include <gtest/gtest.h>

#include <QInputMethodEvent>
#include <QTextDocument>
#include <random>

#include "tests/ui/plain_marks.h"

#include "tests/ui/kanji_readings_fixture.h"

namespace {

using test_support::KanjiReadingsTest;

TEST_F(KanjiReadingsTest, MarksStayThroughASecondF7AndEditsBesideThem) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Input()->setPlainText(QStringLiteral(u"今日"));
  PressF7();
  QTextCursor cursor(Input()->document());
  Input()->setTextCursor(cursor);
  TypeKeys(QStringLiteral(u"雨"));  // right before the word
  cursor.movePosition(QTextCursor::End);
  Input()->setTextCursor(cursor);
  TypeKeys(QStringLiteral(u"雨"));  // right after it
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"雨きょう雨"));
  EXPECT_NE(Find(*MenuAt(1), QStringLiteral(u"原文：今日")), nullptr);
  EXPECT_EQ(Find(*MenuAt(4), QStringLiteral(u"原文：今日")), nullptr);
  Input()->selectAll();
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"あめきょうあめ"));
  EXPECT_NE(Find(*MenuAt(2), QStringLiteral(u"原文：今日")), nullptr);
  EXPECT_NE(Find(*MenuAt(0), QStringLiteral(u"原文：雨")), nullptr);
  EXPECT_EQ(Input()->extraSelections().size(), 3);
}

// Composing with an input method, as Japanese and Chinese users type, keeps the marks as typed
// keys would: through composing, committing, cancelling, and the undo of what was committed.
TEST_F(KanjiReadingsTest, MarksComeThroughAnInputMethod) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Input()->setPlainText(QStringLiteral(u"今日も明日"));
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうもあした"));
  auto send = [this](const QString& preedit, const QString& commit) {
    QInputMethodEvent event(preedit, {});
    event.setCommitString(commit);
    QApplication::sendEvent(Input(), &event);
    QCoreApplication::processEvents();
  };
  auto marked = [this](int position, const QString& original) {
    return Find(*MenuAt(position), QStringLiteral(u"原文：") + original) != nullptr;
  };
  QTextCursor cursor(Input()->document());
  cursor.setPosition(3);
  Input()->setTextCursor(cursor);
  send(QStringLiteral(u"h"), {});
  send(QStringLiteral(u"は"), {});
  EXPECT_TRUE(marked(0, QStringLiteral(u"今日")));
  send({}, QStringLiteral(u"花"));
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"きょう花もあした"));
  EXPECT_TRUE(marked(0, QStringLiteral(u"今日")));
  EXPECT_TRUE(marked(6, QStringLiteral(u"明日")));
  QTest::keySequence(Input(), QKeySequence::Undo);
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうもあした"));
  EXPECT_TRUE(marked(0, QStringLiteral(u"今日")));
  EXPECT_TRUE(marked(5, QStringLiteral(u"明日")));
  send(QStringLiteral(u"ゆめ"), {});
  send({}, {});  // cancelled
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうもあした"));
  EXPECT_TRUE(marked(0, QStringLiteral(u"今日")));
  EXPECT_TRUE(marked(5, QStringLiteral(u"明日")));
}

// An input method that commits between two words that touch keeps the marks of both: the whole
// line that the box reports changed narrows to the insertion between them.
TEST_F(KanjiReadingsTest, AnInputMethodCommitBetweenTwoWordsKeepsBothMarks) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Input()->setPlainText(QStringLiteral(u"今日明日"));
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうあした"));
  QTextCursor cursor(Input()->document());
  cursor.setPosition(3);
  Input()->setTextCursor(cursor);
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral(u"花"));
  QApplication::sendEvent(Input(), &commit);
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"きょう花あした"));
  EXPECT_NE(Find(*MenuAt(0), QStringLiteral(u"原文：今日")), nullptr);
  EXPECT_NE(Find(*MenuAt(4), QStringLiteral(u"原文：明日")), nullptr);
}

// Undo and redo called on the box or on its document, as any part of Qt may call them, take the
// marks back and bring them again with the text.
TEST_F(KanjiReadingsTest, UndoAndRedoCalledDirectlyTakeTheMarksWithTheText) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Input()->setPlainText(QStringLiteral(u"今日も明日"));
  PressF7();
  auto marked = [this] { return Find(*MenuAt(0), QStringLiteral(u"原文：今日")) != nullptr; };
  QTextCursor cursor(Input()->document());
  cursor.setPosition(1);
  Input()->setTextCursor(cursor);
  TypeKeys(QStringLiteral(u"x"));  // inside the word, which loses its mark
  ASSERT_FALSE(marked());
  Input()->undo();
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうもあした"));
  EXPECT_TRUE(marked());
  Input()->document()->undo();  // the rewrite
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"今日も明日"));
  EXPECT_FALSE(marked());
  Input()->document()->redo();
  EXPECT_TRUE(marked());
  Input()->redo();
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"きxょうもあした"));
  EXPECT_FALSE(marked());
  EXPECT_TRUE(Readings()->InStep());
}

// Over random typing, deleting, F7, undo and redo, the marks are those of a plain model: moved
// one by one on each edit, and put back from copies on undo and redo.
TEST_F(KanjiReadingsTest, MarksMatchAPlainModelThroughRandomEditsUndoAndRedo) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Input()->setPlainText(QStringLiteral(u"今日は明日\n夢の花 今日も明日"));
  bool command_added = false;
  const QMetaObject::Connection watch =
      QObject::connect(Input()->document(), &QTextDocument::undoCommandAdded, Input(),
                       [&command_added] { command_added = true; });
  auto marks = [this] { return Readings()->Marks().Between(0, 1 << 30); };
  test_support::PlainMarks model;
  std::mt19937 random(20261208);
  for (int round = 0; round < 200; ++round) {
    const int length = int(Input()->toPlainText().size());
    // Half the time the cursor stays, so that typing on merges into one command.
    if (std::uniform_int_distribution<int>(0, 1)(random) == 0) {
      QTextCursor cursor(Input()->document());
      cursor.setPosition(std::uniform_int_distribution<int>(0, length)(random));
      Input()->setTextCursor(cursor);
    }
    const int at = Input()->textCursor().position();
    command_added = false;
    switch (std::uniform_int_distribution<int>(0, 6)(random)) {
      case 0:
        PressF7();
        model.Set(marks(), command_added);
        break;
      case 1:
        TypeKeys(QStringLiteral(u"花"));
        model.Edit(at, 0, 1, command_added);
        break;
      case 2:
        TypeKeys(QStringLiteral(u"の"));
        model.Edit(at, 0, 1, command_added);
        break;
      case 3:
        QTest::keyClick(Input(), Qt::Key_Backspace);
        if (at > 0) model.Edit(at - 1, 1, 0, command_added);
        break;
      case 4:
        QTest::keySequence(Input(), QKeySequence::Undo);
        model.Step(false);
        break;
      case 5:
        Press(Qt::Key_Y, Qt::ControlModifier);  // redo, on every system
        model.Step(true);
        break;
      default: {  // the context menu's own Undo
        const std::unique_ptr<QMenu> menu = MenuAt(0);
        QAction* action = menu->findChild<QAction*>(QStringLiteral("edit-undo"));
        ASSERT_NE(action, nullptr);
        if (action->isEnabled()) {
          action->trigger();
          model.Step(false);
        }
      }
    }
    QCoreApplication::processEvents();
    ASSERT_EQ(marks(), model.Marks())
        << "round " << round << " of " << Input()->toPlainText().replace(u'\n', u'|').toStdString();
    for (const ui::Mark& mark : model.Marks()) {
      const QString word = Input()->toPlainText().mid(mark.position, mark.length);
      ASSERT_EQ(word, Readings()->Marks().WordAt(mark.word).reading) << round;
    }
  }
  QObject::disconnect(watch);
}
}  // namespace
