// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/messages.h"

#include <QLabel>
#include <QMessageBox>
#include <QStringList>
#include <algorithm>
#include <memory>

namespace ui {

QString MessageTitle() { return QStringLiteral(u"MELIVANT辅助工具"); }

namespace messages {

Message Greeting() {
  return {MessageIcon::kInformation,
          QStringLiteral(u"\r  本软件由MELIVANT辅助工具开发组设计\r\r"
                         u"Program made by the MELIVANT helper tool developers")};
}

Message KanaModeWarning() {
  return {MessageIcon::kExclamation,
          QStringLiteral(
              u"注意！现暂不支持汉字处理！请自行将汉字转换成平假名或片假名后再使用本软件！\r\r"
              u"                     此功能尚有BUG未修复，请谅解！")};
}

Message KanaFiltered() {
  return {MessageIcon::kInformation, QStringLiteral(u"非平假名/片假名文字已经自动过滤！")};
}

Message RomajiRefused() {
  return {MessageIcon::kCritical, QStringLiteral(u"原文中含有非罗马音文字，转换失败！")};
}

Message NoModeChosen() {
  return {MessageIcon::kExclamation, QStringLiteral(u"请先选择歌词处理方式！")};
}

Message UnexpectedError() {
  return {MessageIcon::kCritical, QStringLiteral(u"发生意外错误！请检查歌词中是否有错误的输入！")};
}

Message DictionaryMissing(const QString& folder, const QString& reason) {
  return {MessageIcon::kCritical,
          QStringLiteral(u"无法读取汉字读音词典，汉字没有改写。\r\r词典文件夹：%1\r"
                         u"请重新安装本软件（Debian/Ubuntu：重新安装 mecab-ipadic-utf8 软件包）。")
              .arg(folder),
          reason};
}

Message RewriteFailed(const QString& reason) {
  return {MessageIcon::kCritical, QStringLiteral(u"读汉字时出错，汉字没有改写。"), reason};
}

Message RememberedBadLines(const QString& file, const std::vector<int>& lines) {
  // The first few lines are named, so that the box fits the screen however many there are.
  constexpr std::size_t kNamed = 10;
  QStringList numbers;
  for (std::size_t i = 0; i < std::min(lines.size(), kNamed); ++i) {
    numbers.append(QString::number(lines[i]));
  }
  QString named = QStringLiteral(u"第 %1 行").arg(numbers.join(u'、'));
  if (lines.size() > kNamed) {
    named += QStringLiteral(u"，另有 %1 行").arg(lines.size() - kNamed);
  }
  return {MessageIcon::kExclamation,
          QStringLiteral(u"记住的读音文件里有格式不对的行，这些行没有用上：\r%1\r%2\r\r"
                         u"每行应是：含汉字的词语、一个 Tab、它的假名读音。\r"
                         u"改正这些行之前，本软件不会改写这个文件。")
              .arg(file, named)};
}

Message RememberedNotSaved(const QString& file, const QString& reason) {
  return {MessageIcon::kExclamation,
          QStringLiteral(u"无法保存记住的读音：\r%1\r\r这次运行中仍按记住的读音改写。").arg(file),
          reason};
}

Message RememberFailed(const QString& reason) {
  return {MessageIcon::kCritical, QStringLiteral(u"记住读音时出错，读音可能没有记住。"), reason};
}

}  // namespace messages

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kInformation:
      return QMessageBox::Information;
    case MessageIcon::kExclamation:
      return QMessageBox::Warning;
    case MessageIcon::kCritical:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QMessageBox* CreateMessageBox(QWidget* parent, const Message& message) {
  QString text = message.text;
  text.replace(u'\r', u'\n');
  auto* box = new QMessageBox(BoxIcon(message.icon), MessageTitle(), text, QMessageBox::Ok, parent);
  box->setTextFormat(Qt::PlainText);
  if (!message.details.isEmpty()) box->setDetailedText(message.details);
  // A message box wraps any text wider than half the screen, but these texts are laid out line
  // by line: the label is made as wide as the longest line, so that no line wraps.
  if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
    int widest = 0;
    for (const QString& line : text.split(u'\n')) {
      widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
    }
    label->setMinimumWidth(widest + 2 * label->margin() + label->contentsMargins().left() +
                           label->contentsMargins().right() + 1);
  }
  return box;
}

void MessageBoxPresenter::Show(QWidget* parent, const Message& message) {
  const std::unique_ptr<QMessageBox> box(CreateMessageBox(parent, message));
  box->exec();
}

}  // namespace ui
