// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// Conversion of Japanese lyrics into a syllable sequence: lower-case romaji syllables, each
// followed by exactly one blank ("ka a ta "). Both functions are pure: a view in, a new string
// out, no state kept between calls. Lyrics are UTF-16 code units, as a text box holds them.
namespace conversion {

// What RomajiToSequence returns, instead of a sequence, for text that is not valid romaji.
inline constexpr std::u16string_view kFailureSentinel = u"LMYError";

// Thrown when a repeat mark, a doubled consonant or a small kana has no syllable before it to
// work on, so the conversion has no result at all.
class ConversionError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

// Converts hiragana and katakana to syllables and drops every other character; small ゃゅょ form
// contracted syllables and っ ッ ー repeat the last letter. Throws ConversionError when a repeat
// mark comes before any syllable or a small ゃゅょ is the first character.
std::u16string KanaToSequence(std::u16string_view lyrics);

// Splits romaji (any letter case, blanks between words) into syllables, or returns
// kFailureSentinel if the text holds anything outside the syllable rules. Throws ConversionError
// when a doubled consonant comes before any syllable.
std::u16string RomajiToSequence(std::u16string_view lyrics);

// Where lyrics go wrong: the first code unit of the offending syllable or character, and how
// many code units it takes.
struct Culprit {
  std::size_t position;
  std::size_t length;

  friend bool operator==(const Culprit&, const Culprit&) = default;
};

// What makes KanaToSequence throw on `lyrics`, found by the same scan, or nothing when it
// converts.
std::optional<Culprit> FindKanaCulprit(std::u16string_view lyrics);

// What makes RomajiToSequence return kFailureSentinel or throw on `lyrics`, found by the same
// scan and rules, or nothing when it converts.
std::optional<Culprit> FindRomajiCulprit(std::u16string_view lyrics);

}  // namespace conversion
