// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/key_router.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace ui {

KeyRouter::KeyRouter(QAbstractButton* default_button, QAbstractButton* cancel_button,
                     QObject* parent)
    : QObject(parent), default_button_(default_button), cancel_button_(cancel_button) {}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Escape) {
    cancel_button_->click();
    return true;
  }
  if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;

  if (key->modifiers().testFlag(Qt::ControlModifier)) {
    if (auto* edit = qobject_cast<QPlainTextEdit*>(watched); edit && !edit->isReadOnly()) {
      edit->insertPlainText(QStringLiteral("\n"));
    }
    return true;
  }
  if (auto* button = qobject_cast<QPushButton*>(watched)) {
    button->click();
  } else {
    default_button_->click();
  }
  return true;
}

void KeepOneTabStop(std::initializer_list<QAbstractButton*> options) {
  const QList<QAbstractButton*> group(options);
  auto update = [group] {
    QAbstractButton* stop = group.front();
    for (QAbstractButton* option : group) {
      if (option->isChecked()) stop = option;
    }
    // The others keep the focus that a click or an arrow key gives them.
    for (QAbstractButton* option : group) {
      option->setFocusPolicy(option == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
  };
  for (QAbstractButton* option : group) {
    QObject::connect(option, &QAbstractButton::toggled, option, update);
  }
  // Qt gives the stop to whichever option had the focus last; an arrow key can move the focus
  // without choosing, so the stop is set again whenever the focus leaves the group.
  QObject::connect(qApp, &QApplication::focusChanged, group.front(),
                   [group, update](QWidget* old, QWidget* now) {
                     if (group.contains(old) && !group.contains(now)) update();
                   });
  update();
}

}  // namespace ui
