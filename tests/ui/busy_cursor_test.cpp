// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// The busy cursor of F7 against keys that the window system delivers meanwhile.
#include <gtest/gtest.h>

#include <qpa/qwindowsysteminterface.h>
#include <QWindow>

#include "tests/ui/kanji_readings_fixture.h"

namespace {

using test_support::KanjiReadingsTest;

// Keys typed while F7 works come from the window system, whose events the busy cursor leaves
// waiting: they land after the rewrite, not in the text that it reads.
TEST_F(KanjiReadingsTest, KeysTypedDuringTheFirstF7WaitForIt) {
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji";
  Open();
  Type(QStringLiteral(u"空"));
  QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
      window_->windowHandle(), QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
      QStringLiteral(u"夢"));
  PressF7();
  QCoreApplication::processEvents();
  EXPECT_EQ(Input()->toPlainText(), QStringLiteral(u"そら夢"));
}

}  // namespace
