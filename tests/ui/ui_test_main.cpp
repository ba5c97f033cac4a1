// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "ui/appearance.h"

// Runs the window tests without a display, on Qt's offscreen platform, in the program's font.
int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setFont(ui::DesignFont());
  // What the program keeps for the user goes to a folder of the tests' own, one for each test
  // program running, as ctest runs several at once.
  QStandardPaths::setTestModeEnabled(true);
  QCoreApplication::setApplicationName(
      QStringLiteral("melivant-helper-tests-%1").arg(QCoreApplication::applicationPid()));
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  QDir(data).removeRecursively();
  return result;
}
