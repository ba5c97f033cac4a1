// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QFont>
#include <QIcon>
#include <QString>

namespace ui {

// The font the window was laid out for: 12 pixels, a CJK character 12 pixels wide and a Latin
// letter 6, so that every caption fits its control.
QFont DesignFont();

// The colours of the window and its controls, keyed on their object names.
QString StyleSheet();

// The program's icon in 16, 32 and 48 pixels.
QIcon AppIcon();

}  // namespace ui
