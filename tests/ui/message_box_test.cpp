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
