// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "conversion/conversion.h"
#include "conversion/sequence.h"
#include "conversion/utf16.h"

namespace conversion {
namespace {

// What a consonant does when the letter after it fits none of its rule's columns.
enum class Otherwise : std::uint8_t {
  kFail,         // the text is not romaji
  kAloneAsNasal  // n stands alone as a syllable
};

// The syllables that start with one consonant. Its columns are tested from left to right.
struct ConsonantRule {
  char16_t consonant;
  std::u16string_view repeat_before;  // next letters that make this consonant a repeated sound
  std::u16string_view vowels;         // next letters that close a two-letter syllable
  char16_t middle;                    // next letter that starts a three-letter syllable, or none
  std::u16string_view finals;         // letters that close that three-letter syllable
  Otherwise otherwise;
};

inline constexpr char16_t kNone = u'\0';

// clang-format off
inline constexpr ConsonantRule kConsonantRules[] = {
    // C1   repeat  C1+vowel   C1+middle+final     any other letter
    {u'k', u"k",   u"aiueo",  u'y', u"auo",   Otherwise::kFail},
    {u'h', u"h",   u"aiueo",  u'y', u"auo",   Otherwise::kFail},
    {u'm', u"m",   u"aiueo",  u'y', u"auo",   Otherwise::kFail},
    {u'r', u"r",   u"aiueo",  u'y', u"auo",   Otherwise::kFail},
    {u'g', u"g",   u"aiueo",  u'y', u"auo",   Otherwise::kFail},
    {u'b', u"b",   u"aiueo",  u'y', u"auo",   Otherwise::kFail},
    {u'p', u"p",   u"aiueo",  u'y', u"auo",   Otherwise::kFail},
    {u'n', u"",    u"aiueo",  u'y', u"auo",   Otherwise::kAloneAsNasal},
    {u's', u"s",   u"aueo",   u'h', u"iauo",  Otherwise::kFail},
    {u't', u"tc",  u"aeo",    u's', u"u",     Otherwise::kFail},
    {u'z', u"z",   u"aueo",   kNone, u"",     Otherwise::kFail},
    {u'd', u"d",   u"aueo",   kNone, u"",     Otherwise::kFail},
    {u'c', u"c",   u"",       u'h', u"iauo",  Otherwise::kFail},
    {u'y', u"y",   u"auo",    kNone, u"",     Otherwise::kFail},
    {u'w', u"w",   u"ao",     kNone, u"",     Otherwise::kFail},
    {u'j', u"j",   u"aiuo",   kNone, u"",     Otherwise::kFail},
    {u'f', u"f",   u"u",      kNone, u"",     Otherwise::kFail},
};
// clang-format on

// A set of the letters a to z, one bit each, so that a test of membership is one shift.
class LetterSet {
 public:
  constexpr LetterSet() = default;
  constexpr explicit LetterSet(std::u16string_view letters) {
    for (char16_t letter : letters) {
      if (letter < u'a' || letter > u'z') throw "a rule names something other than a letter";
      bits_ |= Bit(letter);
    }
  }

  // Whether `unit` is one of the letters. The end of the text is read as kNone, no letter.
  constexpr bool Contains(char16_t unit) const {
    return unit >= u'a' && unit <= u'z' && (bits_ & Bit(unit)) != 0;
  }

 private:
  static constexpr std::uint32_t Bit(char16_t letter) {
    return std::uint32_t{1} << (letter - u'a');
  }

  std::uint32_t bits_ = 0;
};

// A consonant's rule with its letter columns as sets, as the scan tests them.
struct CompiledRule {
  LetterSet repeat_before;
  LetterSet vowels;
  char16_t middle = kNone;
  LetterSet finals;
  Otherwise otherwise = Otherwise::kFail;
};

// The rule of each ASCII code unit, or nothing where it starts no syllable.
constexpr auto CompileRules() {
  std::array<std::optional<CompiledRule>, 128> rules{};
  for (const ConsonantRule& rule : kConsonantRules) {
    rules.at(rule.consonant) = CompiledRule{LetterSet(rule.repeat_before), LetterSet(rule.vowels),
                                            rule.middle, LetterSet(rule.finals), rule.otherwise};
  }
  return rules;
}

inline constexpr auto kRuleByConsonant = CompileRules();

const CompiledRule* RuleFor(char16_t letter) {
  if (letter >= kRuleByConsonant.size()) return nullptr;
  // at() checks the bound again, so that a wrong test above throws instead of reading past the
  // table; where the test is right, the compiler can prove the second check and drop it.
  const std::optional<CompiledRule>& rule = kRuleByConsonant.at(letter);
  return rule ? &*rule : nullptr;
}

inline constexpr LetterSet kVowels(u"aiueo");

// The lower-case form of a code unit. Besides A to Z, only the dotted capital I and the Kelvin
// sign lower-case to ASCII letters; every other lower-case form has no rule, just like the
// character itself, so it is left as it is.
constexpr char16_t ToLower(char16_t unit) {
  if (unit >= u'A' && unit <= u'Z') return static_cast<char16_t>(unit - u'A' + u'a');
  if (unit == u'\u0130') return u'i';
  if (unit == u'\u212A') return u'k';
  return unit;
}

// The length of a culprit that starts at `position` and ends with the code unit at `last`, or
// at the end of the text: a high surrogate takes its low surrogate along. A consonant refused for
// what follows it ends the culprit before a following blank or other non-letter, so that typing
// over the selection keeps it.
std::size_t CulpritLength(std::u16string_view text, std::size_t position, std::size_t last) {
  last = std::min(last, text.size() - 1);
  const char16_t unit = ToLower(text[last]);
  if (last > position && (unit < u'a' || unit > u'z')) --last;
  if (SplitsPair(text, last + 1)) ++last;
  return last + 1 - position;
}

// Appends the syllables of `text` to `sequence`, or stops at the first syllable or character that
// proves the text not to be romaji and returns it. `position` is where the scan reads, so that
// whoever catches the sequence's ConversionError knows which doubled consonant threw it.
template <typename Sequence>
std::optional<Culprit> Split(std::u16string_view text, Sequence& sequence, std::size_t& position) {
  auto at = [text](std::size_t index) {
    return index < text.size() ? ToLower(text[index]) : kNone;
  };
  // Where the syllable being read starts: the first of doubled consonants belongs to it.
  std::size_t syllable = 0;
  for (position = 0; position < text.size();) {
    const char16_t first = at(position);
    if (kVowels.Contains(first)) {
      sequence.Append(internal::Syllable::FromLetters({first}));
      syllable = position += 1;
      continue;
    }
    if (first == u' ') {
      syllable = position += 1;
      continue;
    }
    const CompiledRule* rule = RuleFor(first);
    if (rule == nullptr) return Culprit{syllable, CulpritLength(text, syllable, position)};

    const char16_t second = at(position + 1);
    if (rule->repeat_before.Contains(second)) {
      sequence.RepeatLastLetter();
      position += 1;  // the syllable goes on with the next consonant
      continue;
    }
    if (rule->vowels.Contains(second)) {
      sequence.Append(internal::Syllable::FromLetters({first, second}));
      position += 2;
    } else if (rule->middle != kNone && second == rule->middle) {
      const char16_t third = at(position + 2);
      if (!rule->finals.Contains(third)) {
        return Culprit{syllable, CulpritLength(text, syllable, position + 2)};
      }
      sequence.Append(internal::Syllable::FromLetters({first, second, third}));
      position += 3;
    } else if (rule->otherwise == Otherwise::kAloneAsNasal) {
      sequence.Append(internal::Syllable::FromLetters({first}));
      position += 1;
    } else {
      return Culprit{syllable, CulpritLength(text, syllable, position + 1)};
    }
    syllable = position;
  }
  return std::nullopt;
}

}  // namespace

std::u16string RomajiToSequence(std::u16string_view lyrics) {
  std::optional<std::u16string> sequence = internal::BuildSequence([lyrics](auto& builder) {
    std::size_t position;
    return !Split(lyrics, builder, position);
  });
  return sequence ? *std::move(sequence) : std::u16string(kFailureSentinel);
}

// Where the sequence throws, the culprit is the first of the doubled consonants.
std::optional<Culprit> FindRomajiCulprit(std::u16string_view lyrics) {
  return internal::FindCulprit([lyrics](auto& sequence, std::size_t& position) {
    return Split(lyrics, sequence, position);
  });
}

}  // namespace conversion
