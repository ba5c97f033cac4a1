// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Readings that lyrics give for their kanji themselves (furigana), as people post lyrics: in
// brackets right after a kanji run (運命（さだめ）, 本気(マジ), 地球《ほし》), or in the ruby
// notation ｜base《reading》, where the bar marks where the base starts.
#include "readings/readings.h"

namespace readings::internal {

struct GivenReading {
  std::size_t position;     // of the bar, or else of the base
  std::size_t length;       // of the bar, the base and the brackets
  std::size_t base;         // where the base starts
  std::size_t base_length;  // and its length
  std::u16string reading;   // as written: hiragana or katakana
};

// The readings that `text` gives, in order; brackets that hold anything but kana, empty ones and
// those after kana give none.
std::vector<GivenReading> GivenReadings(std::u16string_view text);

// Where `text` holds brackets around something without any kana in it, as lyrics note what is
// not sung ((笑), （涙）, (Dream), （×2）): the positions and lengths of what they hold, in order.
std::vector<std::pair<std::size_t, std::size_t>> Annotations(std::u16string_view text);

// Puts the readings that text[from, to) gives in brackets in the place of the replacements
// `found` (in order) of their kanji, each as one replacement of the kanji and the brackets, with
// the dictionary's readings after the given one.
void ApplyGiven(std::u16string_view text, std::size_t from, std::size_t to,
                std::vector<Replacement>& found);

// Drops the replacements of `found` (in order) that lie inside the annotations of text[from, to):
// what they note is not sung, and stays as it is.
void DropAnnotated(std::u16string_view text, std::size_t from, std::size_t to,
                   std::vector<Replacement>& found);

}  // namespace readings::internal
