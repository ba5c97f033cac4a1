// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "readings/readings.h"

namespace readings::internal {

class Piece;

constexpr bool IsRepeatMark(char32_t c) { return c == U'々' || c == U'〻'; }

// The repeats of `reading` that a repeat mark gives. A native word voices the repeat's first
// sound (黒々 くろぐろ, 人々 ひとびと) unless it holds a voiced sound already (次々 つぎつぎ), so
// that form comes first; the plain repeat (赤々 あかあか, 堂々 どうどう) is offered too.
std::vector<std::u16string> RepeatedReadings(std::u16string_view reading);

// Reads the repeat mark at `position` with the single kanji that `found` ends with just before it,
// as one word: by the dictionary's entries for the pair (高々 たかだか), or else by the repeats of
// the kanji's readings. False, and `found` as it was, when no single kanji was read just before it.
bool ReadRepeatMark(const Piece& piece, std::size_t position, std::vector<Replacement>& found);

}  // namespace readings::internal
