#include "ui/key_router.h"

#include <QAbstractButton>
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

}  // namespace ui
