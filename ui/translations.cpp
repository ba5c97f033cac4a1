// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>

namespace ui {

std::unique_ptr<QTranslator> LoadQtTranslations(const QLocale& locale) {
  const QStringList folders = {
      QLibraryInfo::path(QLibraryInfo::TranslationsPath),
      QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
  auto translator = std::make_unique<QTranslator>();
  for (const QString& folder : folders) {
    if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
      return translator;
    }
  }
  return nullptr;
}

}  // namespace ui
