// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace readings::internal {

// A stretch of kanji inside a word, and the part of the word's reading that it takes.
struct KanjiPart {
  std::size_t offset = 0;
  std::size_t length = 0;
  std::u16string reading;
};

// Splits the hiragana `reading` of the word `surface` among its kanji pieces (the stretches where
// `kanji` is true), so that the characters between the pieces (okurigana) read as themselves:
// 取り扱い とりあつかい gives 取 と and 扱 あつか. Nothing when no split fits.
std::optional<std::vector<KanjiPart>> Align(std::u16string_view surface, const std::vector<bool>& kanji,
                                        std::u16string_view reading);

}  // namespace readings::internal
