// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// The window driven through its real widgets, as a user would: clicks and keys.
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>
#include <memory>

#include "tests/ui/recording_presenter.h"
#include "ui/appearance.h"
#include "ui/main_window.h"

namespace {

using test_support::RecordingPresenter;
using ui::Message;
namespace messages = ui::messages;

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<ui::Main>(presenter_);
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    presenter_.shown.clear();  // the greeting
  }

  // Pastes into Input by Ctrl+V what a browser copies: `plain` text and `html`, where not null.
  void Paste(const QString& plain, const QString& html) const {
    auto* copied = new QMimeData;
    if (!plain.isNull()) copied->setText(plain);
    if (!html.isNull()) copied->setHtml(html);
    QApplication::clipboard()->setMimeData(copied);
    QTest::keyClick(Input(), Qt::Key_V, Qt::ControlModifier);
  }

  template <typename Widget>
  Widget* Find(const char* name) const {
    auto* widget = window_->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  QPlainTextEdit* Input() const { return Find<QPlainTextEdit>("Input"); }
  QPlainTextEdit* Output() const { return Find<QPlainTextEdit>("Output"); }
  QRadioButton* PJM() const { return Find<QRadioButton>("PJM"); }
  QRadioButton* LMY() const { return Find<QRadioButton>("LMY"); }
  QPushButton* Begin() const { return Find<QPushButton>("Begin"); }

  void Select(QRadioButton* mode) {
    QTest::mouseClick(mode, Qt::LeftButton);
    presenter_.shown.clear();
  }

  // Pastes `lyrics` over the text of Input, as the user would, and presses Begin.
  void Convert(const QString& lyrics) {
    Input()->selectAll();
    Input()->insertPlainText(lyrics);
    presenter_.shown.clear();
    QTest::mouseClick(Begin(), Qt::LeftButton);
  }

  // Puts `lyrics` into Input and then `earlier` into Output, as an earlier press would have left
  // it, and presses Begin.
  void PressBeginOver(const QString& lyrics, const QString& earlier) {
    Input()->setPlainText(lyrics);
    Output()->setPlainText(earlier);
    presenter_.shown.clear();
    QTest::mouseClick(Begin(), Qt::LeftButton);
  }

  RecordingPresenter presenter_;
  std::unique_ptr<ui::Main> window_;
};

TEST(MainWindowStart, GreetsBeforeTheWindowIsShownThenWaitsWithNothingChosen) {
  RecordingPresenter presenter;
  ui::Main window(presenter);
  window.show();
  ASSERT_EQ(presenter.shown.size(), 1u);
  EXPECT_EQ(presenter.shown[0].message, messages::Greeting());
  EXPECT_FALSE(presenter.shown[0].window_visible);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.windowTitle(), QStringLiteral(u"MELIVANT系列辅助工具  V1.0.1"));

  auto* input = window.findChild<QPlainTextEdit*>(QStringLiteral("Input"));
  EXPECT_EQ(window.focusWidget(), input);
  EXPECT_TRUE(input->document()->isEmpty());
  EXPECT_TRUE(window.findChild<QPlainTextEdit*>(QStringLiteral("Output"))->document()->isEmpty());
  for (const char* mode : {"PJM", "LMY"}) {
    EXPECT_FALSE(window.findChild<QRadioButton*>(QString::fromLatin1(mode))->isChecked()) << mode;
  }

  window.hide();
  window.show();  // the greeting comes once
  EXPECT_EQ(presenter.shown.size(), 1u);
}

TEST_F(MainWindowTest, ControlsHaveTheirCaptionsPlacesAndColours) {
  struct Control {
    const char* name;
    QString caption;
    QRect geometry;
    QColor text;
  };
  const Control controls[] = {
      {"Frame", QStringLiteral(u"歌词平假名/片假名/罗马音处理"), {4, 4, 501, 425}, Qt::white},
      {"Input", QString(), {8, 32, 489, 113}, QColor(0x00, 0xFF, 0x00)},
      {"LMY",
       QStringLiteral(u"歌词罗马音→MELIVANT序列罗马音"),
       {292, 152, 205, 17},
       QColor(0xFF, 0, 0)},
      {"PJM",
       QStringLiteral(u"歌词平假名/片假名→MELIVANT序列罗马音"),
       {8, 152, 249, 17},
       QColor(0xFF, 0x80, 0x00)},
      {"Output", QString(), {8, 188, 489, 193}, QColor(0xFF, 0xFF, 0x00)},
      {"Begin", QStringLiteral(u"开始转换"), {8, 388, 105, 29}, QColor()},
      {"Exit", QStringLiteral(u"退出程序"), {392, 388, 105, 29}, QColor()},
  };
  EXPECT_EQ(window_->size(), QSize(509, 433));
  for (const Control& control : controls) {
    SCOPED_TRACE(control.name);
    auto* widget = Find<QWidget>(control.name);
    EXPECT_EQ(widget->geometry(), control.geometry);
    if (auto* box = qobject_cast<QGroupBox*>(widget)) {
      EXPECT_EQ(box->title(), control.caption);
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      EXPECT_EQ(button->text(), control.caption);
    }
    if (control.text.isValid()) {
      const QPalette::ColorRole role =
          qobject_cast<QPlainTextEdit*>(widget) ? QPalette::Text : QPalette::WindowText;
      EXPECT_EQ(widget->palette().color(role), control.text);
    }
  }
}

TEST_F(MainWindowTest, LabelsTakeTheSizeOfTheirCaptions) {
  const struct {
    const char* name;
    QString caption;
    QPoint position;
    int design_width;
    QColor colour;
  } labels[] = {
      {"Label1", QStringLiteral(u"歌词输入："), {8, 16}, 60, QColor(0x00, 0xFF, 0x00)},
      {"Label2",
       QStringLiteral(u"MELIVANT序列罗马音输出："),
       {8, 172},
       144,
       QColor(0xFF, 0xFF, 0x00)},
  };
  const bool design_font =
      QFontInfo(window_->font()).family() == QStringLiteral("Noto Sans Mono CJK SC");
  for (const auto& label : labels) {
    SCOPED_TRACE(label.name);
    auto* widget = Find<QLabel>(label.name);
    EXPECT_EQ(widget->text(), label.caption);
    EXPECT_EQ(widget->pos(), label.position);
    EXPECT_GE(widget->width(), widget->fontMetrics().horizontalAdvance(label.caption));
    EXPECT_EQ(widget->palette().color(QPalette::WindowText), label.colour);
    if (design_font) {
      EXPECT_EQ(widget->width(), label.design_width);
    }
  }
}

TEST_F(MainWindowTest, TabStopsOnceAtTheModesOnTheChosenOne) {
  auto expect_tab_order = [this](QWidget* mode_stop) {
    SCOPED_TRACE(mode_stop->objectName().toStdString());
    const QWidget* forward[] = {Input(), mode_stop, Output(), Begin(), Find<QWidget>("Exit"),
                                Input()};
    Input()->setFocus();
    for (const QWidget* expected : forward) {
      EXPECT_EQ(QApplication::focusWidget(), expected) << expected->objectName().toStdString();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    const QWidget* backward[] = {Output(), mode_stop, Input()};
    Output()->setFocus();
    for (const QWidget* expected : backward) {
      EXPECT_EQ(QApplication::focusWidget(), expected) << expected->objectName().toStdString();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    }
  };
  // With no mode chosen the stop is the first option, also after an arrow key has moved the
  // focus to the other one without choosing it.
  expect_tab_order(LMY());
  LMY()->setFocus();
  QTest::keyClick(LMY(), Qt::Key_Left);
  ASSERT_EQ(QApplication::focusWidget(), PJM());
  ASSERT_FALSE(PJM()->isChecked());
  QTest::keyClick(PJM(), Qt::Key_Tab);
  expect_tab_order(LMY());

  Select(PJM());
  expect_tab_order(PJM());
  Select(LMY());
  expect_tab_order(LMY());
}

TEST_F(MainWindowTest, BeginWithoutAModeOnlyWarns) {
  for (const QString& lyrics : {QStringLiteral(u"かな"), QString()}) {
    PressBeginOver(lyrics, QStringLiteral("earlier"));
    EXPECT_EQ(presenter_.Messages(), std::vector<Message>{messages::NoModeChosen()});
    EXPECT_EQ(Output()->toPlainText(), QStringLiteral("earlier"));
  }
}

TEST_F(MainWindowTest, BeginConvertsInTheChosenMode) {
  const struct {
    const char* mode;
    QString lyrics;
    QString output;
    std::vector<Message> shown;
  } cases[] = {
      {"PJM", QStringLiteral(u"かった"), QStringLiteral("ka a ta "), {messages::KanaFiltered()}},
      {"PJM", QStringLiteral(u"東京 abc"), QString(), {messages::KanaFiltered()}},
      {"PJM", QString(), QString(), {messages::KanaFiltered()}},
      {"PJM", QStringLiteral(u"っか"), QStringLiteral("earlier"), {messages::UnexpectedError()}},
      {"LMY", QStringLiteral("Katta"), QStringLiteral("ka a ta "), {}},
      {"LMY", QString(), QString(), {}},
      {"LMY", QStringLiteral("kalta"), QStringLiteral("earlier"), {messages::RomajiRefused()}},
      {"LMY", QStringLiteral("kka"), QStringLiteral("earlier"), {messages::UnexpectedError()}},
      // A non-breaking space is not a blank, whatever the text box makes of it.
      {"LMY",
       QStringLiteral(u"ka\u00A0ki"),
       QStringLiteral("earlier"),
       {messages::RomajiRefused()}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode + (": " + c.lyrics.toStdString()));
    Select(Find<QRadioButton>(c.mode));
    PressBeginOver(c.lyrics, QStringLiteral("earlier"));
    EXPECT_EQ(Output()->toPlainText(), c.output);
    EXPECT_EQ(presenter_.Messages(), c.shown);
  }
}

TEST_F(MainWindowTest, APressShowsTheBusyCursorUntilItsMessage) {
  Select(PJM());
  std::vector<bool> busy_while_writing;
  QObject::connect(Output(), &QPlainTextEdit::textChanged, window_.get(), [&] {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    busy_while_writing.push_back(cursor != nullptr && cursor->shape() == Qt::WaitCursor);
  });
  for (const QString& lyrics : {QStringLiteral(u"かな"), QStringLiteral(u"っか")}) {
    SCOPED_TRACE(lyrics.toStdString());
    Input()->setPlainText(lyrics);
    busy_while_writing.clear();
    presenter_.shown.clear();
    QTest::mouseClick(Begin(), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ASSERT_EQ(presenter_.shown.size(), 1u);
    EXPECT_FALSE(presenter_.shown[0].busy_cursor);
    // A failed press writes nothing.
    EXPECT_EQ(busy_while_writing.empty(), lyrics == QStringLiteral(u"っか"));
    EXPECT_EQ(std::count(busy_while_writing.begin(), busy_while_writing.end(), false), 0);
  }
}

TEST_F(MainWindowTest, RefusedRomajiKeepsTheEarlierResult) {
  Select(LMY());
  Convert(QStringLiteral("katta"));
  Convert(QStringLiteral("kalta"));
  EXPECT_EQ(Output()->toPlainText(), QStringLiteral("ka a ta "));
  EXPECT_EQ(presenter_.Messages(), std::vector<Message>{messages::RomajiRefused()});
}

TEST_F(MainWindowTest, ChoosingKanaModeWarnsEveryTime) {
  QTest::mouseClick(PJM(), Qt::LeftButton);
  QTest::mouseClick(LMY(), Qt::LeftButton);
  QTest::mouseClick(PJM(), Qt::LeftButton);
  EXPECT_EQ(presenter_.Messages(),
            (std::vector<Message>{messages::KanaModeWarning(), messages::KanaModeWarning()}));

  presenter_.shown.clear();
  LMY()->setFocus();
  QTest::mouseClick(LMY(), Qt::LeftButton);
  QTest::keyClick(LMY(), Qt::Key_Left);  // the arrow keys move the choice within the group
  EXPECT_TRUE(PJM()->isChecked());
  EXPECT_EQ(presenter_.Messages(), std::vector<Message>{messages::KanaModeWarning()});
}

// After the box of a failed press, Input has the focus with the offending characters selected.
TEST_F(MainWindowTest, AFailedPressSelectsWhatMadeItFail) {
  const Message refused{ui::MessageIcon::kCritical,
                        QStringLiteral(u"原文中含有非罗马音文字，转换失败！")};
  const Message error{ui::MessageIcon::kCritical,
                      QStringLiteral(u"发生意外错误！请检查歌词中是否有错误的输入！")};
  const struct {
    QRadioButton* mode;
    QString lyrics;
    QString selected;
    Message message;
  } cases[] = {
      {LMY(), QStringLiteral("Sakura\nsaku"), QStringLiteral(u"\u2029"), refused},  // a line break
      {LMY(), QStringLiteral("konnichiwa, sekai"), QStringLiteral(","), refused},
      {LMY(), QStringLiteral("shin'ya"), QStringLiteral("'"), refused},
      {LMY(), QStringLiteral("tsuki si"), QStringLiteral("si"), refused},
      {LMY(), QStringLiteral("k a"), QStringLiteral("k"), refused},  // not the blank after it
      {LMY(), QStringLiteral("kka"), QStringLiteral("k"), error},
      {PJM(), QStringLiteral(u"っか"), QStringLiteral(u"っ"), error},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lyrics.toStdString());
    Select(c.mode);
    Begin()->setFocus();
    PressBeginOver(c.lyrics, QStringLiteral("ka "));
    EXPECT_EQ(presenter_.Messages(), std::vector<Message>{c.message});
    EXPECT_EQ(Output()->toPlainText(), QStringLiteral("ka "));
    EXPECT_EQ(Input()->toPlainText(), c.lyrics);
    EXPECT_EQ(QApplication::focusWidget(), Input());
    EXPECT_EQ(Input()->textCursor().selectedText(), c.selected);
  }
  Select(LMY());
  PressBeginOver(QStringLiteral("ka ").repeated(3000) + u'l', QString());
  EXPECT_GT(Input()->verticalScrollBar()->value(), 0);  // the selection is scrolled into view
}

TEST_F(MainWindowTest, EmptyingTheInputEmptiesTheOutput) {
  Select(LMY());
  Convert(QStringLiteral("katta"));
  QTest::keyClicks(Input(), QStringLiteral(" ka"));
  EXPECT_EQ(Output()->toPlainText(), QStringLiteral("ka a ta "));  // typing keeps the result

  Input()->setPlainText(QStringLiteral(" "));
  EXPECT_EQ(Output()->toPlainText(), QStringLiteral("ka a ta "));  // a lone blank is text
  Input()->setPlainText(QStringLiteral("\n"));
  EXPECT_EQ(Output()->toPlainText(), QStringLiteral("ka a ta "));

  QTest::keyClick(Input(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(Input(), Qt::Key_Delete);
  EXPECT_EQ(Output()->toPlainText(), QString());
}

TEST_F(MainWindowTest, EnterConvertsAndCtrlEnterStartsANewLine) {
  Select(LMY());
  QTest::keyClicks(Input(), QStringLiteral("ka"));
  QTest::keyClick(Input(), Qt::Key_Return, Qt::ControlModifier);
  QTest::keyClicks(Input(), QStringLiteral("ki"));
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral("ka\nki"));

  Input()->setPlainText(QStringLiteral("sakura"));
  const struct {
    QWidget* focus;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
  } presses[] = {
      {Input(), Qt::Key_Return, Qt::NoModifier},  {Input(), Qt::Key_Enter, Qt::KeypadModifier},
      {Output(), Qt::Key_Return, Qt::NoModifier}, {LMY(), Qt::Key_Return, Qt::NoModifier},
      {PJM(), Qt::Key_Enter, Qt::KeypadModifier}, {Begin(), Qt::Key_Return, Qt::NoModifier},
  };
  for (const auto& press : presses) {
    SCOPED_TRACE(press.focus->objectName().toStdString());
    Output()->setPlainText(QString());
    QTest::keyClick(press.focus, press.key, press.modifiers);
    EXPECT_EQ(Output()->toPlainText(), QStringLiteral("sa ku ra "));
    EXPECT_EQ(Input()->toPlainText(), QStringLiteral("sakura"));
  }
}

TEST_F(MainWindowTest, OutputCanBeSelectedAndCopiedButNotTyped) {
  Select(LMY());
  Convert(QStringLiteral("sakura"));
  QTest::keyClicks(Output(), QStringLiteral("xyz"));
  QTest::keyClick(Output(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Output()->toPlainText(), QStringLiteral("sa ku ra "));
  EXPECT_EQ(Output()->textCursor().selectedText(), QStringLiteral("sa ku ra "));
}

TEST_F(MainWindowTest, EscapeOrExitEndsTheProgram) {
  for (const char* focus : {"Input", "PJM", "Begin"}) {
    window_->show();
    QTest::keyClick(Find<QWidget>(focus), Qt::Key_Escape);
    EXPECT_FALSE(window_->isVisible()) << focus;
  }
  window_->show();
  QTest::mouseClick(Find<QPushButton>("Exit"), Qt::LeftButton);
  EXPECT_FALSE(window_->isVisible());
  EXPECT_TRUE(presenter_.shown.empty());
}

TEST_F(MainWindowTest, EnterOnExitEndsTheProgramWithoutConverting) {
  Select(LMY());
  Input()->setPlainText(QStringLiteral("sakura"));
  QTest::keyClick(Find<QPushButton>("Exit"), Qt::Key_Return);
  EXPECT_FALSE(window_->isVisible());
  EXPECT_TRUE(Output()->toPlainText().isEmpty());
  EXPECT_TRUE(presenter_.shown.empty());
}

TEST_F(MainWindowTest, BeginIsTheDefaultButtonOfAWindowThatCannotBeMaximized) {
  EXPECT_TRUE(Begin()->isDefault());
  EXPECT_FALSE(window_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
}

TEST_F(MainWindowTest, OutputSelectsWithShiftArrowsAndIgnoresCtrlEnter) {
  Select(LMY());
  Convert(QStringLiteral("sakura"));
  Input()->setPlainText(QStringLiteral("hana"));
  QTest::keyClick(Output(), Qt::Key_Home, Qt::ControlModifier);
  QTest::keyClick(Output(), Qt::Key_Right, Qt::ShiftModifier);
  QTest::keyClick(Output(), Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(Output()->textCursor().selectedText(), QStringLiteral("sa"));
  QTest::keyClick(Output(), Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(Output()->toPlainText(), QStringLiteral("sa ku ra "));
}

TEST_F(MainWindowTest, LongLinesWrapAtTheWidthOfTheirBox) {
  for (QPlainTextEdit* box : {Input(), Output()}) {
    box->setPlainText(QStringLiteral("ka ").repeated(200));
    const QTextBlock block = box->document()->firstBlock();
    const QRectF bounds = box->document()->documentLayout()->blockBoundingRect(block);
    EXPECT_GT(block.layout()->lineCount(), 1) << box->objectName().toStdString();
    EXPECT_LE(bounds.width(), box->viewport()->width()) << box->objectName().toStdString();
  }
}

TEST(AppIcon, CarriesItsImagesAt16_32And48Pixels) {
  const QIcon icon = ui::AppIcon();
  EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}));
  for (int size : {16, 32, 48}) {
    EXPECT_EQ(icon.pixmap(QSize(size, size)).size(), QSize(size, size)) << size;
  }
}

TEST_F(MainWindowTest, TextBoxesAreNamedForAssistiveTechnology) {
  EXPECT_EQ(Input()->accessibleName(), QStringLiteral(u"歌词输入"));
  EXPECT_EQ(Output()->accessibleName(), QStringLiteral(u"MELIVANT序列罗马音输出"));
}

// Without a kept layout, each blink of the cursor lays out a pasted paragraph anew.
TEST_F(MainWindowTest, InputKeepsTheLayoutOfLongParagraphs) {
  const QString line = QStringLiteral("ka ").repeated(2000);
  Input()->setPlainText(QStringLiteral("ka\n") + line + QStringLiteral("\nka"));
  const QTextBlock first = Input()->document()->firstBlock();
  EXPECT_FALSE(first.layout()->cacheEnabled());
  EXPECT_TRUE(first.next().layout()->cacheEnabled());
  EXPECT_FALSE(first.next().next().layout()->cacheEnabled());
  Input()->moveCursor(QTextCursor::End);
  Input()->insertPlainText(line);  // pasted onto the short last line
  EXPECT_TRUE(Input()->document()->lastBlock().layout()->cacheEnabled());

  Input()->setPlainText(line);
  QTextCursor cursor(Input()->document());
  cursor.setPosition(1000);
  cursor.insertText(QStringLiteral("\n"));  // splits the paragraph: its second half is new
  EXPECT_TRUE(Input()->document()->lastBlock().layout()->cacheEnabled());
}

// Ctrl+V of what a browser copies from a lyric page, with its readings as HTML ruby, or not.
TEST_F(MainWindowTest, PastingRubyPutsEachReadingInBracketsAfterItsWord) {
  struct {
    QString plain;
    QString html;
    QString expected;
  } const cases[] = {
      {QStringLiteral("運命さだめの人\n二人"),
       QStringLiteral(
           "<meta charset=\"utf-8\"><p><ruby>運命<rt>さだめ</rt></ruby>の人</p><p>二人</p>"),
       QStringLiteral("歌：運命（さだめ）の人\n二人")},
      {QStringLiteral("運命さだめ"), QString(), QStringLiteral("歌：運命さだめ")},
      {QString(), QStringLiteral("<b>運命</b>"), QStringLiteral("歌：")},
  };
  for (const auto& c : cases) {
    Input()->setPlainText(QStringLiteral("歌："));
    Input()->moveCursor(QTextCursor::End);
    Paste(c.plain, c.html);
    EXPECT_EQ(Input()->toPlainText(), c.expected) << c.html.toStdString();
  }
}

// One undo takes back a paste with ruby, and only it, as with any paste.
TEST_F(MainWindowTest, OneUndoTakesBackAPasteWithRubyAlone) {
  Input()->setFocus();
  Paste(QStringLiteral("AAA"), QString());
  QTest::keyClicks(Input(), QStringLiteral("bbb"));
  Paste(QStringLiteral("運命さだめの人ひと"),
        QStringLiteral("<ruby>運命<rt>さだめ</rt></ruby>の<ruby>人<rt>ひと</rt></ruby>"));
  ASSERT_EQ(Input()->toPlainText(), QStringLiteral("AAAbbb運命（さだめ）の人（ひと）"));
  QTest::keySequence(Input(), QKeySequence::Undo);
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral("AAAbbb"));
}

}  // namespace
