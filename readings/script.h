// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/utf16.h"

// Which script each character of lyrics belongs to, and the text conversions that the readings
// need. Text is UTF-16; a lone surrogate is a character of its own that belongs to no script.
namespace readings::internal {

// The code point that starts at `text[i]` and how many code units it takes (U+FFFD, 1 for a
// lone surrogate).
struct CodePoint {
  char32_t value;
  std::size_t size;
};
CodePoint CodePointAt(std::u16string_view text, std::size_t i);

using conversion::IsLeadSurrogate;
using conversion::IsTrailSurrogate;
using conversion::SplitsPair;

// An ideograph (unified, extensions, compatibility) or 々 〆 〇 〻.
bool IsKanji(char32_t c);
// ヶ ヵ ケ, which belong to a kanji run when kanji stand on both sides (一ヶ月, 霞ケ関).
bool IsKanjiLink(char32_t c);
bool IsKana(char32_t c);

// A letter that readings are written in: hiragana (ぁ to ゖ) or the long-vowel mark ー.
constexpr bool IsHiraganaLetter(char16_t c) { return (c >= u'ぁ' && c <= u'ゖ') || c == u'ー'; }
// A katakana letter (ァ to ヺ); ー counts as hiragana's.
constexpr bool IsKatakanaLetter(char16_t c) { return c >= u'ァ' && c <= u'ヺ'; }
// A letter that a reading the user or the lyrics give may hold: hiragana, katakana or ー.
constexpr bool IsReadingLetter(char16_t c) { return IsHiraganaLetter(c) || IsKatakanaLetter(c); }

// A character that ends a line of lyrics.
constexpr bool IsLineBreak(char16_t c) {
  return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == u'\u0085' || c == u'\u2028' ||
         c == u'\u2029';
}

// Whether every code unit of `text` is a hiragana letter (true when it is empty).
constexpr bool IsHiragana(std::u16string_view text) {
  for (const char16_t c : text) {
    if (!IsHiraganaLetter(c)) return false;
  }
  return true;
}

// Whether `readings` is one or more readings in hiragana separated by |, none of them empty, as
// SplitReadings takes them.
constexpr bool IsReadingList(std::u16string_view readings) {
  for (std::size_t start = 0; start <= readings.size();) {
    const std::size_t bar = std::min(readings.find(u'|', start), readings.size());
    if (bar == start || !IsHiragana(readings.substr(start, bar - start))) return false;
    start = bar + 1;
  }
  return true;
}

// The hiragana of the katakana `c` (ァ to ヶ); any other character as it is.
constexpr char16_t ToHiragana(char16_t c) {
  return c >= u'ァ' && c <= u'ヶ' ? static_cast<char16_t>(c - (u'ァ' - u'ぁ')) : c;
}

// `text` with katakana turned into hiragana; everything else stays.
std::u16string ToHiragana(std::u16string_view text);

// Appends the UTF-8 of `c` to `out`.
void AppendUtf8(std::string& out, char32_t c);

// `c` as the analyser takes it: a control character as a blank.
constexpr char32_t ForAnalyzer(char32_t c) { return c < 0x20 || c == 0x7F ? U' ' : c; }

// The UTF-8 of `text`, a lone surrogate as U+FFFD.
std::string Utf8(std::u16string_view text);

// Text for the analyser: UTF-8, with control characters as blanks and lone surrogates as U+FFFD,
// and for each byte (and one past the end) the UTF-16 position of the character it belongs to.
struct Utf8Text {
  std::string bytes;
  std::vector<std::uint32_t> position;
};
Utf8Text ToUtf8(std::u16string_view text);

std::u16string FromUtf8(std::string_view text);

// The readings of `readings`, which separates them by |: "いちにち|ついたち".
std::vector<std::u16string> SplitReadings(std::u16string_view readings);

}  // namespace readings::internal
