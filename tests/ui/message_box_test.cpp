// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <memory>
#include <string>
#include <string_view>

#include "ui/messages.h"

namespace {

namespace messages = ui::messages;

TEST(MessageBox, ShowsEachMessageWithItsTitleIconAndOneOkButton) {
  const struct {
    ui::Message message;
    QMessageBox::Icon icon;
  } cases[] = {
      {messages::Greeting(), QMessageBox::Information},
      {messages::KanaModeWarning(), QMessageBox::Warning},
      {messages::KanaFiltered(), QMessageBox::Information},
      {messages::RomajiRefused(), QMessageBox::Critical},
      {messages::NoModeChosen(), QMessageBox::Warning},
      {messages::UnexpectedError(), QMessageBox::Critical},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message.text.toStdString());
    const std::unique_ptr<QMessageBox> box(ui::CreateMessageBox(nullptr, c.message));
    EXPECT_EQ(box->windowTitle(), QStringLiteral(u"MELIVANT辅助工具"));
    EXPECT_EQ(box->icon(), c.icon);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    // Each carriage return is a line break on screen.
    EXPECT_FALSE(box->text().contains(u'\r'));
    EXPECT_EQ(box->text().split(u'\n').size(), c.message.text.split(u'\r').size());
  }
}

// Every message written out as the user reads it, with its style value, so that a slip in the
// code's texts or icons shows up here.
TEST(MessageBox, EachMessageHasItsExactTextAndStyle) {
  const struct {
    ui::Message message;
    int style;
    std::u16string_view text;
  } cases[] = {
      {messages::Greeting(), 64,
       u"\r  本软件由MELIVANT辅助工具开发组设计\r\rProgram made by the MELIVANT helper tool "
       u"developers"},
      {messages::KanaModeWarning(), 48,
       u"注意！现暂不支持汉字处理！请自行将汉字转换成平假名或片假名后再使用本软件！\r\r"
       u"                     此功能尚有BUG未修复，请谅解！"},
      {messages::KanaFiltered(), 64, u"非平假名/片假名文字已经自动过滤！"},
      {messages::RomajiRefused(), 16, u"原文中含有非罗马音文字，转换失败！"},
      {messages::NoModeChosen(), 48, u"请先选择歌词处理方式！"},
      {messages::UnexpectedError(), 16, u"发生意外错误！请检查歌词中是否有错误的输入！"},
      // However many lines are bad, the box names the first ten and counts the rest.
      {messages::RememberedBadLines(QStringLiteral("f"),
                                    {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37}),
       48,
       u"记住的读音文件里有格式不对的行，这些行没有用上：\rf\r"
       u"第 2、3、5、7、11、13、17、19、23、29 行，另有 2 行\r\r"
       u"每行应是：含汉字的词语、一个 "
       u"Tab、它的假名读音。\r改正这些行之前，本软件不会改写这个文件。"},
      {messages::RememberFailed(QStringLiteral("x")), 16, u"记住读音时出错，读音可能没有记住。"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.message.text, QString::fromStdU16String(std::u16string(c.text)));
    EXPECT_EQ(static_cast<int>(c.message.icon), c.style) << c.message.text.toStdString();
  }
  EXPECT_EQ(ui::MessageTitle(), QStringLiteral(u"MELIVANT辅助工具"));
}

TEST(MessageBox, NoLineOfATextIsWrapped) {
  for (const ui::Message& message : {messages::Greeting(), messages::KanaModeWarning()}) {
    const std::unique_ptr<QMessageBox> box(ui::CreateMessageBox(nullptr, message));
    box->show();
    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    for (const QString& line : box->text().split(u'\n')) {
      EXPECT_GE(label->contentsRect().width(), label->fontMetrics().horizontalAdvance(line))
          << line.toStdString();
    }
    box->hide();
  }
}

TEST(MessageBox, KanaModeWarningLinesUpItsSecondSentenceUnderTheFirst) {
  const QStringList lines = messages::KanaModeWarning().text.split(u'\r');
  ASSERT_EQ(lines.size(), 3);
  EXPECT_TRUE(lines[1].isEmpty());
  EXPECT_EQ(lines[0].size(), 37);
  EXPECT_EQ(lines[2].size(), 37);
  EXPECT_EQ(lines[2].indexOf(QRegularExpression(QStringLiteral("\\S"))), 21);
}

TEST(MessageBox, GreetingHasAChineseAndAnEnglishCreditLine) {
  const QStringList lines = messages::Greeting().text.split(u'\r');
  ASSERT_EQ(lines.size(), 4);
  EXPECT_TRUE(lines[0].isEmpty());
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("  ")));
  EXPECT_TRUE(lines[2].isEmpty());
  EXPECT_FALSE(lines[3].isEmpty());
  for (QChar c : lines[3]) EXPECT_LT(c.unicode(), 0x80);
}

TEST(MessageBox, RealBoxIsModalAndReturnsOnceDismissed) {
  ui::MessageBoxPresenter presenter;
  QString title, text;
  bool modal = false;
  int buttons = 0;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    modal = box->isModal();
    buttons = static_cast<int>(box->buttons().size());
    box->button(QMessageBox::Ok)->click();
  });
  presenter.Show(nullptr, messages::RomajiRefused());
  EXPECT_EQ(title, QStringLiteral(u"MELIVANT辅助工具"));
  EXPECT_EQ(text, QStringLiteral(u"原文中含有非罗马音文字，转换失败！"));
  EXPECT_TRUE(modal);
  EXPECT_EQ(buttons, 1);
}

}  // namespace
