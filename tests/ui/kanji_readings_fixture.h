// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTextCursor>
#include <memory>

#include "tests/ui/recording_presenter.h"
#include "ui/kanji_readings.h"
#include "ui/main_window.h"
#include "ui/remembered_readings.h"

namespace test_support {

// The window with F7 in Input as the user meets it, and the keys, menus and points of Input.
class KanjiReadingsTest : public testing::Test {
 protected:
  void SetUp() override { QFile::remove(ui::RememberedReadingsFile()); }
  void TearDown() override { QFile::remove(ui::RememberedReadingsFile()); }

  void Open(std::filesystem::path dictionary = ui::DictionaryFolder()) {
    window_ = std::make_unique<ui::Main>(presenter_, std::move(dictionary));
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    presenter_.shown.clear();  // the greeting
    Input()->setFocus();
  }

  QPlainTextEdit* Input() const {
    return window_->findChild<QPlainTextEdit*>(QStringLiteral("Input"));
  }
  QPlainTextEdit* Output() const {
    return window_->findChild<QPlainTextEdit*>(QStringLiteral("Output"));
  }
  ui::KanjiReadings* Readings() const {
    return window_->findChild<ui::KanjiReadings*>(QStringLiteral("KanjiReadings"));
  }

  // QTest cannot type F7 (it has no text), so the key comes as the keyboard would send it.
  void PressF7() const {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F7, Qt::NoModifier);
    QApplication::sendEvent(Input(), &press);
  }

  void Type(const QString& lyrics) {
    Input()->selectAll();
    Input()->insertPlainText(lyrics);
  }

  // A point of Input's viewport over the character at `position`.
  QPoint PointAt(int position) const {
    QTextCursor cursor(Input()->document());
    cursor.setPosition(position);
    return Input()->cursorRect(cursor).center() + QPoint(2, 0);
  }

  // The menu that a right click on the character at `position` opens.
  std::unique_ptr<QMenu> MenuAt(int position) const {
    return std::unique_ptr<QMenu>(Readings()->CreateContextMenu(PointAt(position)));
  }

  // The action of `menu` that reads `text`, its accelerator aside ("&2 こんにち").
  static QAction* Find(const QMenu& menu, const QString& text) {
    static const QRegularExpression kAccelerator(QStringLiteral("^&[1-8] "));
    for (QAction* action : menu.actions()) {
      if (QString(action->text()).remove(kAccelerator) == text) return action;
    }
    return nullptr;
  }

  // Whether the menu of the character at `position` offers `reading` ticked.
  bool Ticked(int position, const QString& reading) const {
    const std::unique_ptr<QMenu> menu = MenuAt(position);
    const QAction* action = Find(*menu, reading);
    return action != nullptr && action->isChecked();
  }

  // The menu that is open, as F8 or the menu key opens it.
  static QMenu* OpenMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

  static void CloseMenu() {
    if (QMenu* menu = OpenMenu()) menu->close();
    QCoreApplication::processEvents();
  }

  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(Input(), &press);
  }

  // Types `text` at the cursor as the keyboard would.
  void TypeKeys(const QString& text) const {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(Input(), &press);
  }

  QString Selected() const { return Input()->textCursor().selectedText(); }

  RecordingPresenter presenter_;
  std::unique_ptr<ui::Main> window_;
};

}  // namespace test_support
