// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// The Chinese README quotes the window's captions in bold and its message boxes in block
// quotes; both must stay the program's own words, so that a change to either shows up here.

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include "tests/ui/recording_presenter.h"
#include "ui/main_window.h"
#include "ui/messages.h"

namespace {

std::string Sorted(const QSet<QString>& texts) {
  QStringList list(texts.begin(), texts.end());
  list.sort();
  return list.join(QStringLiteral(" | ")).toStdString();
}

TEST(ChineseReadme, QuotesTheCaptionsAndMessagesWordForWord) {
  QFile file(QStringLiteral(":/README.zh-CN.md"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString readme = QString::fromUtf8(file.readAll());

  test_support::RecordingPresenter presenter;
  ui::Main window(presenter);
  QSet<QString> captions{ui::MessageTitle()};
  for (const char* name : {"Label1", "Label2", "LMY", "PJM", "Begin", "Exit"}) {
    const QObject* control = window.findChild<QObject*>(QString::fromLatin1(name));
    ASSERT_NE(control, nullptr) << name;
    captions.insert(control->property("text").toString().remove(u'：'));
  }
  const QObject* rewrite = window.findChild<QObject*>(QStringLiteral("RewriteKanji"));
  ASSERT_NE(rewrite, nullptr);
  captions.insert(rewrite->property("text").toString());
  QSet<QString> message_lines;
  for (const ui::Message& message :
       {ui::messages::Greeting(), ui::messages::KanaModeWarning(), ui::messages::KanaFiltered(),
        ui::messages::RomajiRefused(), ui::messages::NoModeChosen(),
        ui::messages::UnexpectedError(),
        ui::messages::DictionaryMissing(QStringLiteral("/var/lib/mecab/dic/ipadic-utf8")),
        ui::messages::RememberedBadLines(
            QStringLiteral("/home/zhangsan/.local/share/melivant-helper/readings.tsv"), {2}),
        ui::messages::RememberedNotSaved(
            QStringLiteral("/home/zhangsan/.local/share/melivant-helper/readings.tsv"), {}),
        ui::messages::RememberFailed({})}) {
    for (const QString& line : message.text.split(u'\r', Qt::SkipEmptyParts)) {
      if (!line.trimmed().isEmpty()) message_lines.insert(line.trimmed());
    }
  }

  QSet<QString> bold;
  for (const QRegularExpressionMatch& match :
       QRegularExpression(QStringLiteral(R"(\*\*([^*]+)\*\*)")).globalMatch(readme)) {
    bold.insert(match.captured(1));
  }
  QSet<QString> quoted;
  for (const QString& line : readme.split(u'\n')) {
    if (line.startsWith(QStringLiteral("> "))) quoted.insert(line.mid(2).trimmed());
  }
  EXPECT_EQ(Sorted(bold), Sorted(captions));
  EXPECT_EQ(Sorted(quoted), Sorted(message_lines));
}

}  // namespace
