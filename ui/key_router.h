// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <initializer_list>

class QAbstractButton;

namespace ui {

// Gives a plain window the keys of a dialog. Installed on the window's controls, it makes Enter
// press the default button (or the push button that has the focus), Ctrl+Enter type a line break
// in an editable text box, and Esc press the cancel button.
class KeyRouter : public QObject {
 public:
  KeyRouter(QAbstractButton* default_button, QAbstractButton* cancel_button, QObject* parent);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAbstractButton* default_button_;
  QAbstractButton* cancel_button_;
};

// Makes a group of exclusive option buttons one stop for Tab and Shift+Tab: the selected option,
// or the first of `options` while none is selected. The arrow keys move between the options.
void KeepOneTabStop(std::initializer_list<QAbstractButton*> options);

}  // namespace ui
