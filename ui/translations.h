// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QLocale>
#include <memory>

class QTranslator;

namespace ui {

// Qt's own texts (the buttons of message boxes, the text boxes' context menus) in the language of
// `locale`, from the translations that come with Qt or, in a portable folder, from translations/
// beside the program. Nothing when there is no translation for that language, as for English.
std::unique_ptr<QTranslator> LoadQtTranslations(const QLocale& locale);

}  // namespace ui
