// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// F7 in Input as the user meets it: the rewrite, undo and redo, the marks and their menu, and a
// missing dictionary.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolTip>
#include <memory>
#include <random>

#include "tests/ui/failing_allocations.h"
#include "tests/ui/recording_presenter.h"
#include "ui/kanji_readings.h"
#include "ui/main_window.h"
#include "ui/remembered_readings.h"

namespace {

using test_support::RecordingPresenter;

class KanjiReadingsTest : public testing::Test {
 protected:
  void SetUp() override { QFile::remove(ui::RememberedReadingsFile()); }
  void TearDown() override { QFile::remove(ui::RememberedReadingsFile()); }

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

  // The action of `menu` that reads `text`, its accelerator aside ("&2 こんにち").
  static QAction* Find(const QMenu& menu, const QString& text) {
    static const QRegularExpression kAccelerator(QStringLiteral("^&[1-8] "));
    for (QAction* action : menu.actions()) {
      if (QString(action->text()).remove(kAccelerator) == text) return action;
    }
    return nullptr;
  }

  // Whether the menu of the character at `position` offers `reading` ticked.
  bool Ticked(int position, const QString& reading) const {
    const std::unique_ptr<QMenu> menu = MenuAt(position);
    const QAction* action = Find(*menu, reading);
    return action != nullptr && action->isChecked();
  }

  // The menu that is open, as F8 or the menu key opens it.
  static QMenu* OpenMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

  static void CloseMenu() {
    if (QMenu* menu = OpenMenu()) menu->close();
    QCoreApplication::processEvents();
  }

  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(Input(), &press);
  }

  // Types `text` at the cursor as the keyboard would.
  void TypeKeys(const QString& text) const {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(Input(), &press);
  }

  QString Selected() const { return Input()->textCursor().selectedText(); }

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

TEST_F(KanjiReadingsTest, OneChoiceChangesEveryRepeatAndUndoAndRedoTakeItWithTheMarks) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Input()->setPlainText(QStringLiteral(u"今日は\n今日も 明日\n今日"));
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうは\nきょうも あした\nきょう"));
  const std::unique_ptr<QMenu> menu = MenuAt(5);
  QAction* all = Find(*menu, QStringLiteral(u"全部改为「こんにち」（3 处）"));
  ASSERT_NE(all, nullptr);
  all->trigger();
  const QString changed = QStringLiteral(u"こんにちは\nこんにちも あした\nこんにち");
  EXPECT_EQ(Input()->toPlainText(), changed);
  EXPECT_EQ(Input()->extraSelections().size(), 4);

  {
    // The context menu's Undo, as the keys' below.
    const std::unique_ptr<QMenu> word = MenuAt(0);
    word->findChild<QAction*>(QStringLiteral("edit-undo"))->trigger();
  }
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうは\nきょうも あした\nきょう"));
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
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"今日は\n今日も 明日\n今日"));
  EXPECT_EQ(Find(*MenuAt(0), QStringLiteral(u"原文：今日")), nullptr);
  QTest::keySequence(Input(), QKeySequence::Redo);
  QTest::keySequence(Input(), QKeySequence::Redo);
  EXPECT_EQ(Input()->toPlainText(), changed);
  EXPECT_NE(Find(*MenuAt(17), QStringLiteral(u"原文：今日")), nullptr);
}

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
  Input()->setPlainText(QStringLiteral(u"今日は明日"));
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうはあした"));
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
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"きょう花はあした"));
  EXPECT_TRUE(marked(0, QStringLiteral(u"今日")));
  EXPECT_TRUE(marked(6, QStringLiteral(u"明日")));
  QTest::keySequence(Input(), QKeySequence::Undo);
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうはあした"));
  EXPECT_TRUE(marked(0, QStringLiteral(u"今日")));
  EXPECT_TRUE(marked(5, QStringLiteral(u"明日")));
  send(QStringLiteral(u"ゆめ"), {});
  send({}, {});  // cancelled
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうはあした"));
  EXPECT_TRUE(marked(0, QStringLiteral(u"今日")));
  EXPECT_TRUE(marked(5, QStringLiteral(u"明日")));
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
  std::vector<ui::Mark> model;
  std::vector<std::vector<ui::Mark>> undo;
  std::vector<std::vector<ui::Mark>> redo;
  // The model after the user's edit that replaced `removed` characters at `position` by `added`.
  auto edit = [&](int position, int removed, int added) {
    if (command_added) undo.push_back(model);
    redo.clear();
    std::erase_if(model, [&](ui::Mark& mark) {
      const bool touched =
          removed > 0 ? mark.position < position + removed && mark.position + mark.length > position
                      : mark.position < position && mark.position + mark.length > position;
      if (!touched && mark.position >= position + removed) mark.position += added - removed;
      return touched;
    });
  };
  auto step_back = [&](bool redoing) {
    auto& from = redoing ? redo : undo;
    auto& to = redoing ? undo : redo;
    if (from.empty()) return;
    to.push_back(model);
    model = from.back();
    from.pop_back();
  };
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
      case 0: {
        const std::vector<ui::Mark> before = model;
        PressF7();
        if (command_added) {
          undo.push_back(before);
          redo.clear();
        }
        model = marks();
        break;
      }
      case 1:
        TypeKeys(QStringLiteral(u"花"));
        edit(at, 0, 1);
        break;
      case 2:
        TypeKeys(QStringLiteral(u"の"));
        edit(at, 0, 1);
        break;
      case 3:
        QTest::keyClick(Input(), Qt::Key_Backspace);
        if (at > 0) edit(at - 1, 1, 0);
        break;
      case 4:
        QTest::keySequence(Input(), QKeySequence::Undo);
        step_back(false);
        break;
      case 5:
        Press(Qt::Key_Y, Qt::ControlModifier);  // redo, on every system
        step_back(true);
        break;
      default: {  // the context menu's own Undo
        const std::unique_ptr<QMenu> menu = MenuAt(0);
        QAction* action = menu->findChild<QAction*>(QStringLiteral("edit-undo"));
        ASSERT_NE(action, nullptr);
        if (action->isEnabled()) {
          action->trigger();
          step_back(false);
        }
      }
    }
    QCoreApplication::processEvents();
    ASSERT_EQ(marks(), model) << "round " << round << " of "
                              << Input()->toPlainText().replace(u'\n', u'|').toStdString();
    for (const ui::Mark& mark : model) {
      const QString word = Input()->toPlainText().mid(mark.position, mark.length);
      ASSERT_EQ(word, Readings()->Marks().WordAt(mark.word).reading) << round;
    }
  }
  QObject::disconnect(watch);
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
  Input()->setPlainText(QStringLiteral(u"今日は今日"));
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうはきょう"));
  Find(*MenuAt(0), QStringLiteral(u"原文：今日"))->trigger();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"今日はきょう"));
  const std::unique_ptr<QMenu> kanji_menu = MenuAt(0);
  for (const QAction* action : kanji_menu->actions()) {
    EXPECT_FALSE(action->text().startsWith(QStringLiteral(u"记住")))
        << action->text().toStdString();
  }
  QTest::keySequence(Input(), QKeySequence::Undo);
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうはきょう"));
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

TEST_F(KanjiReadingsTest, RunningOutOfMemoryIsToldAndChangesNothing) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  if (!test_support::CanFailAllocations()) GTEST_SKIP() << "allocations cannot fail here";
  Open();
  Input()->setPlainText(QStringLiteral(u"今日は明日"));
  constexpr std::size_t kLarge = 64 * 1024;  // the list of readings per kanji needs more
  {
    const test_support::FailingAllocations failing(kLarge);
    PressF7();
  }
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"今日は明日"));
  EXPECT_EQ(presenter_.Messages(),
            (std::vector<ui::Message>{{ui::MessageIcon::kCritical,
                                       QStringLiteral(u"读汉字时出错，汉字没有改写。"),
                                       QStringLiteral(u"内存不足")}}));
  PressF7();
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうはあした"));

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
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"きょうはあした"));
  EXPECT_NE(Find(*MenuAt(0), QStringLiteral(u"原文：今日")), nullptr);
  QFile file(ui::RememberedReadingsFile());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), many);
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
