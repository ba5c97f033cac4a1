// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace bench {

// Kana lyrics of about `bytes` bytes of UTF-16: hiragana and katakana words with っ ー, small
// ゃゅょ and ん, some kanji, blanks between words and a line break every few words.
std::u16string KanaLyrics(std::size_t bytes);

// Kanji-rich lyrics of about `bytes` bytes of UTF-16, as songs are written: kanji words with
// okurigana and particles in kana, numbers with counters, blanks and line breaks.
std::u16string KanjiLyrics(std::size_t bytes);

// Romaji lyrics of about `bytes` bytes of UTF-16 in mixed case, words separated by blanks on one
// line, as the romaji conversion requires.
std::u16string RomajiLyrics(std::size_t bytes);

// `piece` repeated to about `bytes` bytes of UTF-16, for texts that push a conversion to its
// extremes, such as the longest syllable per code unit.
std::u16string RepeatedText(std::u16string_view piece, std::size_t bytes);

}  // namespace bench
