// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

namespace ui {

// Whether pasted HTML marks up readings of its words as ruby (<ruby>運命<rt>さだめ</rt></ruby>).
bool HasRubyReadings(const QString& html);

// The plain text `plain` that a browser copied along with `html`, each ruby of the HTML that it
// holds as its base with the reading glued on or in brackets rewritten as 運命（さだめ）; without
// a plain text, the HTML's own text with its rubies so written.
QString TextWithRubyReadings(const QString& plain, const QString& html);

}  // namespace ui
