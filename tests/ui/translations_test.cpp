// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/translations.h"

#include <gtest/gtest.h>

#include <QTranslator>

namespace {

TEST(QtTranslations, FollowTheUsersLanguage) {
  const QLocale chinese(QLocale::Chinese, QLocale::China);
  const QLocale english(QLocale::English, QLocale::UnitedStates);
  const struct {
    QLocale locale;
    const char* context;
    const char* source;
    QString shown;
  } cases[] = {
      {chinese, "QPlatformTheme", "OK", QStringLiteral(u"确定")},
      {chinese, "QWidgetTextControl", "Cu&t", QStringLiteral(u"剪切(&T)")},
      {chinese, "QWidgetTextControl", "&Paste", QStringLiteral(u"粘贴(&P)")},
      {english, "QPlatformTheme", "OK", QStringLiteral("OK")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.locale.name().toStdString() + ": " + c.source);
    const std::unique_ptr<QTranslator> translator = ui::LoadQtTranslations(c.locale);
    const QString translated = translator ? translator->translate(c.context, c.source) : QString();
    EXPECT_EQ(translated.isEmpty() ? QString::fromLatin1(c.source) : translated, c.shown);
  }
}

}  // namespace
