// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// What F7 makes of what is sung otherwise than written: the particles は and へ, and numbers in
// figures.

#include <gtest/gtest.h>

#include <algorithm>

#include "readings/readings.h"
#include "tests/readings/dictionary.h"
#include "tests/support/utf16.h"

namespace {

using test_support::SharedReader;
using test_support::Utf8;

// The readings offered where `text` has `word`, empty when nothing replaces it exactly.
std::vector<std::u16string> OfferedFor(std::u16string_view text, std::u16string_view word,
                                       std::vector<readings::Replacement>& found) {
  const std::size_t at = text.find(word);
  for (const readings::Replacement& replacement : found) {
    if (replacement.position == at && replacement.length == word.size()) {
      return replacement.readings;
    }
  }
  return {};
}

TEST(Sung, ParticlesAreWrittenAsSungAndOtherHaAndHeStay) {
  SKIP_WITHOUT_DICTIONARY();
  enum Doubt { kSure, kToCheck };
  const struct {
    std::u16string_view text;
    std::u16string_view rewritten;
    Doubt doubt;  // of the particles' marks
  } kCases[] = {
      // After kanji and after kana, in set phrases and greetings.
      {u"風は明日へ", u"かぜわあしたえ", kSure},
      {u"僕たちは遠い国へ", u"ぼくたちわとおいくにえ", kSure},
      {u"ここではない", u"ここでわない", kSure},
      {u"君とは泣きはしない", u"きみとわなきわしない", kSure},
      {u"それではまた", u"それでわまた", kSure},
      {u"こんにちは こんばんは", u"こんにちわ こんばんわ", kSure},
      {u"過去へは戻れない", u"かこえわもどれない", kSure},
      {u"本当は", u"ほんとうわ", kSure},
      {u"さよならは言わない", u"さよならわいわない", kSure},
      // All in kana.
      {u"あなたはそらへとんでいく", u"あなたわそらえとんでいく", kSure},
      {u"へびさんはながいね", u"へびさんわながいね", kToCheck},
      {u"やまへのぼる", u"やまえのぼる", kSure},  // a noun taken for a verb
      {u"君　は　空へ", u"きみ　わ　そらえ", kSure},
      // は and へ that begin or sit in a word.
      {u"はなやかに はずむ はるばる", u"はなやかに はずむ はるばる", kSure},
      {u"君ははなやか", u"きみわはなやか", kSure},
      {u"胸がはずむ へだてる へとへと", u"むねがはずむ へだてる へとへと", kSure},
      {u"あははと笑う えへへ", u"あははとわらう えへへ", kSure},
      {u"（は）「へ」", u"（は）「へ」", kSure},
      {u"いつもへいきな顔", u"いつもへいきなかお", kSure},
      // A path nearly as likely reads a particle: it is offered, to check.
      {u"ぬかるみにはまって", u"ぬかるみにはまって", kToCheck},
      // Only kana of hiragana: the user's わ, and katakana, stay.
      {u"君わ ハナ", u"きみわ ハナ", kSure},
  };
  for (const auto& c : kCases) {
    std::vector<readings::Replacement> found = SharedReader().Read(c.text);
    EXPECT_EQ(Utf8(readings::Apply(c.text, found)), Utf8(c.rewritten)) << Utf8(c.text);
    bool doubted = false;
    for (const readings::Replacement& replacement : found) {
      if (!replacement.particle) continue;
      // The kana as sung and as written, and nothing else.
      const char16_t written = c.text[replacement.position];
      std::vector<std::u16string> readings = replacement.readings;
      std::sort(readings.begin(), readings.end());
      EXPECT_EQ(readings, (written == u'は' ? std::vector<std::u16string>{u"は", u"わ"}
                                            : std::vector<std::u16string>{u"え", u"へ"}))
          << Utf8(c.text);
      doubted = doubted || replacement.guess;
    }
    EXPECT_EQ(doubted, c.doubt == kToCheck) << Utf8(c.text);
  }
  // In a selection, only the particles inside it.
  const std::u16string_view text = u"風は空へ";
  EXPECT_EQ(Utf8(readings::Apply(text, SharedReader().Read(text, 0, 2))), Utf8(u"かぜわ空へ"));
}

TEST(Sung, FiguresAreReadAsNumbersWithTheirCounters) {
  SKIP_WITHOUT_DICTIONARY();
  const struct {
    std::u16string_view text;
    std::u16string_view rewritten;
  } kCases[] = {
      {u"2人で", u"ふたりで"},
      {u"８人", u"はちにん"},
      {u"5つ ３つ", u"いつつ みっつ"},
      {u"7月 4月", u"しちがつ しがつ"},
      {u"2日 １４日 1日", u"ふつか じゅうよっか いちにち"},
      {u"1月1日 一月一日", u"いちがつついたち いちがつついたち"},
      {u"8日間", u"ようかかん"},
      {u"5回目", u"ごかいめ"},
      {u"6分 8本 3本", u"ろっぷん はっぽん さんぼん"},
      {u"7時 12時間 7時半", u"しちじ じゅうにじかん しちじはん"},
      {u"1000年 1999年", u"せんねん せんきゅうひゃくきゅうじゅうきゅうねん"},
      {u"50万人", u"ごじゅうまんにん"},
      {u"500", u"ごひゃく"},
      {u"1,000円 １，０００円", u"せんえん せんえん"},
      {u"１日中 1カ月", u"いちにちじゅう いっかげつ"},
      {u"100% 007", u"ひゃっぱーせんと ぜろぜろなな"},
      {u"2人（ふたり）", u"ふたり"},  // the reading the lyrics give
      {u"MP3と4K", u"MP3と4K"},       // a name of letters
      {u"1.5倍", u"いってんごばい"},
      // Too many figures for a number: one by one.
      {u"12345678901234567", u"いちにさんよんごろくななはちきゅうぜろいちにさんよんごろくなな"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(Utf8(readings::Apply(c.text, SharedReader().Read(c.text))), Utf8(c.rewritten))
        << Utf8(c.text);
  }
  // Figures and counter are one word, with the other ways to say it on offer.
  std::vector<readings::Replacement> found = SharedReader().Read(u"30歳");
  EXPECT_EQ(OfferedFor(u"30歳", u"30歳", found),
            (std::vector<std::u16string>{u"さんじゅっさい", u"さんじっさい"}));
}

}  // namespace
