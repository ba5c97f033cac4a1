// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <QApplication>
#include <QTranslator>

#include "ui/appearance.h"
#include "ui/main_window.h"
#include "ui/messages.h"
#include "ui/running_marker.h"
#include "ui/translations.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const ui::RunningMarker running;
  const std::unique_ptr<QTranslator> qt_texts = ui::LoadQtTranslations(QLocale::system());
  if (qt_texts) QCoreApplication::installTranslator(qt_texts.get());
  QApplication::setFont(ui::DesignFont());
  QApplication::setWindowIcon(ui::AppIcon());
  QGuiApplication::setDesktopFileName(QStringLiteral("org.melivant.Helper"));

  ui::MessageBoxPresenter messages;
  ui::Main window(messages);
  window.show();
  return QApplication::exec();
}
