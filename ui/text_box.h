// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

class QPlainTextEdit;
class QWidget;

namespace ui {

// A multi-line text box whose long lines wrap at its width, with a vertical scroll bar only, and
// Tab to move on to the next control; a paste with ruby readings gets each in brackets after its
// word.
QPlainTextEdit* CreateTextBox(QWidget* parent, const QString& accessible_name);

// Keeps the text layout of each long paragraph that `box` shows once it has been made. Qt's plain
// text layout otherwise throws a paragraph's shaping and character analysis away after each use,
// and makes them again, for the whole paragraph, on every blink of the cursor: a pasted line of a
// few megabytes then keeps a processor busy while the program sits idle.
void KeepLongParagraphLayouts(QPlainTextEdit* box);

}  // namespace ui
