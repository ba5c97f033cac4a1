// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// Properties of both conversions over many random texts from a fixed seed.
#include <gtest/gtest.h>
#include <unicode/uchar.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/conversion.h"
#include "tests/support/utf16.h"

namespace {

using conversion::ConversionError;
using conversion::KanaToSequence;
using conversion::kFailureSentinel;
using conversion::RomajiToSequence;
using test_support::IsSyllableSequence;
using test_support::Utf8;

constexpr int kRandomTexts = 20000;

// Random texts of up to 24 code units drawn from `alphabet`.
class TextGenerator {
 public:
  explicit TextGenerator(std::u16string alphabet) : alphabet_(std::move(alphabet)) {}

  std::u16string Next() {
    std::u16string text(length_(random_), u' ');
    for (char16_t& unit : text) unit = alphabet_[pick_(random_) % alphabet_.size()];
    return text;
  }

 private:
  std::u16string alphabet_;
  std::mt19937 random_{20261207};
  std::uniform_int_distribution<std::size_t> length_{0, 24};
  std::uniform_int_distribution<std::size_t> pick_;
};

// Every code unit of the kana blocks, and a few of everything else a lyrics text may hold.
std::u16string KanaAlphabet() {
  std::u16string alphabet;
  for (char16_t unit = 0x3040; unit < 0x3100; ++unit) alphabet += unit;
  alphabet += u" \n\r\t\u3000aZ1東京\xD83C\xDFB5\xDC00";
  alphabet += u'\0';
  return alphabet;
}

bool IsRepeatMark(char16_t unit) { return unit == u'っ' || unit == u'ッ' || unit == u'ー'; }

bool IsSmallYaYuYo(char16_t unit) {
  return std::u16string_view(u"ゃャゅュょョ").find(unit) != std::u16string_view::npos;
}

bool MakesASyllable(char16_t unit) {
  return !IsRepeatMark(unit) && !IsSmallYaYuYo(unit) &&
         !KanaToSequence(std::u16string(1, unit)).empty();
}

// A kana text fails exactly when it starts with a small ゃゅょ, or when a repeat mark comes
// before any kana that makes a syllable.
bool KanaMustFail(std::u16string_view text) {
  if (!text.empty() && IsSmallYaYuYo(text.front())) return true;
  for (char16_t unit : text) {
    if (IsRepeatMark(unit)) return true;
    if (MakesASyllable(unit)) return false;
  }
  return false;
}

TEST(KanaProperties, RandomTextsGiveSequencesOrFailOnlyWhereNothingPrecedesAMark) {
  TextGenerator texts(KanaAlphabet());
  int failures = 0;
  for (int i = 0; i < kRandomTexts; ++i) {
    const std::u16string text = texts.Next();
    SCOPED_TRACE(Utf8(text));
    if (KanaMustFail(text)) {
      ++failures;
      EXPECT_THROW(KanaToSequence(text), ConversionError);
      continue;
    }
    const std::u16string sequence = KanaToSequence(text);
    EXPECT_TRUE(IsSyllableSequence(sequence)) << Utf8(sequence);
    EXPECT_NE(sequence, kFailureSentinel);
    // Every syllable the kana table gives is one the romaji rules accept and keep as it is.
    EXPECT_EQ(Utf8(RomajiToSequence(sequence)), Utf8(sequence));
  }
  EXPECT_GT(failures, 0);  // the generator does reach the failing texts
}

TEST(KanaProperties, KatakanaConvertLikeTheirHiragana) {
  for (char16_t hiragana = u'ぁ'; hiragana <= u'ゖ'; ++hiragana) {
    const auto katakana = static_cast<char16_t>(hiragana + (u'ア' - u'あ'));
    // Behind a base kana, so that small kana and repeat marks have something to work on.
    const std::u16string with_hiragana = {u'き', hiragana};
    const std::u16string with_katakana = {u'き', katakana};
    SCOPED_TRACE(Utf8(with_hiragana));
    EXPECT_EQ(Utf8(KanaToSequence(with_hiragana)), Utf8(KanaToSequence(with_katakana)));
  }
}

TEST(KanaProperties, VeryLongTextsConvertInOnePass) {
  std::u16string text;
  for (int i = 0; i < 200000; ++i) text += u"きゃっ ー東";
  const std::u16string sequence = KanaToSequence(text);
  EXPECT_EQ(sequence.size(), 200000u * std::u16string_view(u"kya a a ").size());
}

// A romaji text raises a failure exactly when, after leading blanks, it starts with a doubled
// consonant: the same consonant twice, or t and c.
bool RomajiMustFail(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos || first + 1 >= text.size()) return false;
  const auto lower = [](char16_t unit) {
    return static_cast<char16_t>(u_tolower(static_cast<UChar32>(unit)));
  };
  const char16_t c1 = lower(text[first]);
  const char16_t c2 = lower(text[first + 1]);
  const bool doubles =
      std::u16string_view(u"khmrgbpstzdcywjf").find(c1) != std::u16string_view::npos;
  return doubles && (c1 == c2 || (c1 == u't' && c2 == u'c'));
}

TEST(RomajiProperties, RandomTextsGiveSequencesOrTheSentinel) {
  TextGenerator texts(u"aiueonkhmrgbpstzdcywjfAKNSTlqvx y  '-1\n\t\u3000\u0130\u212A\xD800");
  int sequences = 0;
  for (int i = 0; i < kRandomTexts; ++i) {
    const std::u16string text = texts.Next();
    SCOPED_TRACE(Utf8(text));
    if (RomajiMustFail(text)) {
      EXPECT_THROW(RomajiToSequence(text), ConversionError);
      continue;
    }
    const std::u16string result = RomajiToSequence(text);
    if (result == kFailureSentinel) continue;
    ++sequences;
    EXPECT_TRUE(IsSyllableSequence(result)) << Utf8(result);
    EXPECT_EQ(Utf8(RomajiToSequence(result)), Utf8(result));
  }
  EXPECT_GT(sequences, 100);  // the generator does reach valid romaji
}

// Only the lower-case forms matter to the rules, and those follow Unicode's simple case mapping,
// whatever the process locale.
TEST(RomajiProperties, EveryCodeUnitLowerCasesAsUnicodeSays) {
  for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
    const auto lower = static_cast<char16_t>(u_tolower(static_cast<UChar32>(unit)));
    for (std::u16string_view after : {u"a", u"ya", u"sa"}) {
      const std::u16string text = static_cast<char16_t>(unit) + std::u16string(after);
      const std::u16string lowered = lower + std::u16string(after);
      if (RomajiMustFail(lowered)) continue;
      ASSERT_EQ(Utf8(RomajiToSequence(text)), Utf8(RomajiToSequence(lowered)))
          << "U+" << std::hex << static_cast<std::uint32_t>(unit);
    }
  }
}

// A culprit is found exactly where a conversion fails, inside the text; everything before it
// converts once closed by a vowel (a doubled consonant takes its meaning from the letter after it),
// and the text up to its end fails.
template <typename Convert, typename Find>
void ExpectCulpritsExactlyWhereConversionsFail(TextGenerator texts, Convert convert, Find find) {
  for (int i = 0; i < kRandomTexts; ++i) {
    const std::u16string text = texts.Next();
    auto fails = [&convert](const std::u16string& lyrics) {
      try {
        return convert(lyrics) == kFailureSentinel;
      } catch (const ConversionError&) {
        return true;
      }
    };
    const auto culprit = find(text);
    ASSERT_EQ(culprit.has_value(), fails(text)) << Utf8(text);
    if (!culprit) continue;
    ASSERT_GT(culprit->length, 0u) << Utf8(text);
    ASSERT_LE(culprit->position + culprit->length, text.size()) << Utf8(text);
    const std::u16string before = text.substr(0, culprit->position) + u"a";
    EXPECT_FALSE(find(before).has_value()) << Utf8(text);
    EXPECT_NE(convert(before), kFailureSentinel) << Utf8(text);
    // The culprit is enough to fail: the text up to its end fails too.
    EXPECT_TRUE(fails(text.substr(0, culprit->position + culprit->length))) << Utf8(text);
  }
}

TEST(KanaProperties, CulpritsStandExactlyWhereTheConversionThrows) {
  ExpectCulpritsExactlyWhereConversionsFail(TextGenerator(KanaAlphabet()), KanaToSequence,
                                            conversion::FindKanaCulprit);
}

TEST(RomajiProperties, CulpritsStandExactlyWhereTheConversionFails) {
  ExpectCulpritsExactlyWhereConversionsFail(
      TextGenerator(u"aiueonkhmrgbpstzdcywjfAKNSTlqvx y  '-1\n\t\u3000\u0130\u212A\xD800"),
      RomajiToSequence, conversion::FindRomajiCulprit);
}

}  // namespace
