// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/translations.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
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

// The Windows packages carry Qt's translations in translations/ beside the program. A language
// that the system folder lacks is planted there, as a copy of the Chinese one.
TEST(QtTranslations, AreFoundBesideTheProgramToo) {
  const QString system = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
  ASSERT_FALSE(QFile::exists(system + QStringLiteral("/qtbase_eo.qm")));
  QString chinese = system + QStringLiteral("/qtbase_zh_CN.qm");
  if (!QFile::exists(chinese)) chinese = beside + QStringLiteral("/qtbase_zh_CN.qm");
  const QString planted = beside + QStringLiteral("/qtbase_eo.qm");
  ASSERT_TRUE(QDir().mkpath(beside));
  QFile::remove(planted);
  ASSERT_TRUE(QFile::copy(chinese, planted)) << chinese.toStdString();

  const std::unique_ptr<QTranslator> translator =
      ui::LoadQtTranslations(QLocale(QLocale::Esperanto));
  QFile::remove(planted);
  ASSERT_NE(translator, nullptr);
  EXPECT_EQ(translator->translate("QPlatformTheme", "OK"), QStringLiteral(u"确定"));
}

}  // namespace
