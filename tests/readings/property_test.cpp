// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// Over random mixed texts: only kanji runs, figures and the particles は and へ change, every kanji
// is accounted for, readings are hiragana, and a second rewrite changes nothing that the first one
// rewrote.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "conversion/utf16.h"
#include "readings/readings.h"
#include "tests/readings/dictionary.h"
#include "tests/support/utf16.h"

namespace {

using test_support::Utf8;

std::u16string RandomText(std::mt19937& random) {
  static constexpr std::u16string_view kPieces[] = {
      u"花",   u"山", u"東京",       u"生",     u"日",     u"本", u"一", u"三",     u"百",
      u"二十", u"人", u"々",         u"ヶ",     u"ケ",     u"〆", u"𠀋", u"明日",   u"言",
      u"の",   u"が", u"き",         u"る",     u"っ",     u"カ", u"ー", u"つ",     u"a",
      u"Z",    u"7",  u"\U0001F338", u"\xD800", u"\xDC00", u"\n", u"\r", u"\u2029", u"\t",
      u"\0",   u" ",  u"　",         u"、",     u"「",     u"は", u"へ", u"２"};
  std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
  std::uniform_int_distribution<int> length(0, 40);
  std::u16string text;
  for (int n = length(random); n > 0; --n) text += kPieces[piece(random)];
  return text;
}

bool IsHiragana(std::u16string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char16_t c) {
    return (c >= u'ぁ' && c <= u'ゖ') || c == u'ー';
  });
}

TEST(ReadingsProperty, OnlyKanjiFiguresAndParticlesChangeAndASecondRewriteChangesNothing) {
  SKIP_WITHOUT_DICTIONARY();
  readings::Reader& reader = test_support::SharedReader();
  std::mt19937 random(20261208);
  for (int round = 0; round < 400; ++round) {
    const std::u16string text = RandomText(random);
    std::uniform_int_distribution<std::size_t> at(0, text.size());
    std::size_t begin = at(random);
    std::size_t end = at(random);
    if (begin > end) std::swap(begin, end);
    if (round % 2 == 0) begin = 0, end = text.size();
    // As a text box selects: never half a character.
    if (conversion::SplitsPair(text, begin)) --begin;
    if (conversion::SplitsPair(text, end)) ++end;
    SCOPED_TRACE(Utf8(text) + " [" + std::to_string(begin) + ", " + std::to_string(end) + ")");

    const std::vector<readings::Replacement> found = reader.Read(text, begin, end);
    // Inside the range, each kanji is replaced exactly once; a replacement is a lone particle or
    // holds a kanji or a figure, and beside them only characters of its word that are neither kana
    // nor blanks.
    std::vector<bool> kanji(text.size());
    for (const auto& [position, length] : readings::KanjiRuns(text)) {
      std::fill_n(kanji.begin() + static_cast<std::ptrdiff_t>(position), length, true);
    }
    std::vector<int> covered(text.size());
    for (const readings::Replacement& replacement : found) {
      ASSERT_LE(replacement.position + replacement.length, text.size());
      if (replacement.particle) {
        EXPECT_EQ(replacement.length, 1u);
        EXPECT_TRUE(text[replacement.position] == u'は' || text[replacement.position] == u'へ');
        ++covered[replacement.position];
        continue;
      }
      bool holds_kanji = false;
      for (std::size_t i = replacement.position; i < replacement.position + replacement.length;
           ++i) {
        ++covered[i];
        holds_kanji = holds_kanji || kanji[i] || (text[i] >= u'0' && text[i] <= u'9') ||
                      (text[i] >= u'０' && text[i] <= u'９');
        EXPECT_TRUE(kanji[i] || !(text[i] <= u' ' || text[i] == u'　' ||
                                  (text[i] >= u'ぁ' && text[i] <= u'ゟ')));
      }
      EXPECT_TRUE(holds_kanji);
      for (const std::u16string& reading : replacement.readings) {
        EXPECT_TRUE(IsHiragana(reading)) << Utf8(reading);
      }
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool in_range = i >= begin && i < end;
      if (!in_range) {
        EXPECT_EQ(covered[i], 0) << i;
      } else {
        EXPECT_EQ(covered[i], kanji[i] ? 1 : std::min(covered[i], 1)) << i;
      }
    }
    for (std::size_t k = 1; k < found.size(); ++k) {
      EXPECT_GE(found[k].position, found[k - 1].position + found[k - 1].length);
    }

    if (begin == 0 && end == text.size()) {
      // A second rewrite changes no word: only kana the first put in or gave another context
      // may read as particles now, which the window, reading the lyrics as written, leaves.
      const std::u16string rewritten = readings::Apply(text, found);
      for (const readings::Replacement& again : reader.Read(rewritten)) {
        const std::u16string_view now =
            std::u16string_view(rewritten).substr(again.position, again.length);
        EXPECT_TRUE(again.readings.empty() || again.readings.front() == now || again.particle)
            << Utf8(rewritten) << " at " << again.position;
      }
    }
  }
}

}  // namespace

namespace {

// A quick read finds the same words with the same first choices as a read by context, and
// offers no reading that the read by context does not.
TEST(ReadingsProperty, AQuickReadChoosesAsAReadByContext) {
  SKIP_WITHOUT_DICTIONARY();
  readings::Reader& reader = test_support::SharedReader();
  std::vector<std::u16string> texts = {u"空を見上げて石を投げた", u"心の行方を歩いていく",
                                       u"菜の花畠に入日薄れ",     u"この花畠に",
                                       u"如何にして志を清く持つ", u"今日は十分待った"};
  std::mt19937 random(20261209);
  for (int round = 0; round < 300; ++round) texts.push_back(RandomText(random));
  for (const std::u16string& text : texts) {
    SCOPED_TRACE(Utf8(text));
    const auto quick = reader.Read(text, readings::Reader::Order::kQuick);
    const auto by_context = reader.Read(text);
    ASSERT_EQ(quick.size(), by_context.size());
    for (std::size_t k = 0; k < quick.size(); ++k) {
      EXPECT_EQ(quick[k].position, by_context[k].position);
      EXPECT_EQ(quick[k].length, by_context[k].length);
      ASSERT_EQ(quick[k].readings.empty(), by_context[k].readings.empty());
      if (quick[k].readings.empty()) continue;
      EXPECT_EQ(quick[k].readings.front(), by_context[k].readings.front());
      for (const std::u16string& reading : quick[k].readings) {
        EXPECT_NE(std::find(by_context[k].readings.begin(), by_context[k].readings.end(), reading),
                  by_context[k].readings.end());
      }
    }
  }
}

}  // namespace
