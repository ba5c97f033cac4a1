// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QStringView>
#include <string_view>

namespace ui {

// The code units of a text box's text as the libraries read them, without a copy.
inline std::u16string_view Units(QStringView text) {
  return {text.utf16(), static_cast<std::size_t>(text.size())};
}

// A library's UTF-16 result as Qt text.
inline QString FromUnits(std::u16string_view units) {
  return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
}

}  // namespace ui
