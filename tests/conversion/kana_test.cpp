// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "conversion/conversion.h"
#include "tests/conversion/expect_conversion.h"
#include "tests/support/utf16.h"

namespace {

using conversion::KanaToSequence;
using test_support::ExpectConversionErrors;
using test_support::ExpectSequences;
using test_support::Utf8;

TEST(KanaToSequence, ConvertsEveryKanaOfTheSyllableTable) {
  ExpectSequences(
      KanaToSequence,
      {
          {u"", u""},
          {u"あいうえおかきくけこなにぬねのさしすせそらりるれろ",
           u"a i u e o ka ki ku ke ko na ni nu ne no sa shi su se so ra ri ru re ro "},
          {u"たちつてとはひふへほまみむめもやゆよわをん",
           u"ta chi tsu te to ha hi fu he ho ma mi mu me mo ya yu yo wa o n "},
          {u"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ",
           u"ga gi gu ge go za ji zu ze zo da ji zu de do ba bi bu be bo pa pi pu pe po "},
          {u"アイウエオカキクケコナニヌネノサシスセソラリルレロ",
           u"a i u e o ka ki ku ke ko na ni nu ne no sa shi su se so ra ri ru re ro "},
          {u"タチツテトハヒフヘホマミムメモヤユヨワヲン",
           u"ta chi tsu te to ha hi fu he ho ma mi mu me mo ya yu yo wa o n "},
          {u"ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポ",
           u"ga gi gu ge go za ji zu ze zo da ji zu de do ba bi bu be bo pa pi pu pe po "},
          {u"カタカナ", u"ka ta ka na "},
          {u"こんにちは", u"ko n ni chi ha "},
          {u"をかし", u"o ka shi "},
          {u"つづき", u"tsu zu ki "},
      });
}

TEST(KanaToSequence, DropsEverythingThatIsNotAKnownKana) {
  ExpectSequences(KanaToSequence,
                  {
                      {u"すし です", u"su shi de su "},
                      {u"かき\nくけ", u"ka ki ku ke "},
                      {u"かき\r\nくけ", u"ka ki ku ke "},
                      {u"東京", u""},
                      {u"Hello, world! 123", u""},
                      {u"ぁぃぅぇぉァィゥェォゎヮゕゖヵヶゐゑヰヱゔヴヷヸヹヺゝゞヽヾ", u""},
                      {u"\u3099\u309A\u309B\u309C・ゟヿ゠", u""},
                      {u"ｶﾀｶﾅｰｯｬ", u""},      // half-width katakana
                      {u"か\u3099", u"ka "},  // only the precomposed が is ga
                      {u"ヴァイオリン", u"i o ri n "},
                      {u"しぇ", u"shi "},
                      {u"ふぁ", u"fu "},
                      {u"か\U0001F3B5き", u"ka ki "},  // two code units, both dropped
                      {std::u16string_view(u"か\0き", 3), u"ka ki "},
                      {u"か\xD800き\xDC00", u"ka ki "},  // lone surrogates
                  });
}

TEST(KanaToSequence, EveryContractedCellHasItsSyllable) {
  const std::u16string_view syllables =
      u"kya kyu kyo gya gyu gyo sha shu sho ja ju jo cha chu cho nya nyu nyo "
      u"hya hyu hyo bya byu byo pya pyu pyo mya myu myo rya ryu ryo ";
  ExpectSequences(KanaToSequence,
                  {
                      {u"きゃきゅきょぎゃぎゅぎょしゃしゅしょじゃじゅじょちゃちゅちょにゃにゅにょ"
                       u"ひゃひゅひょびゃびゅびょぴゃぴゅぴょみゃみゅみょりゃりゅりょ",
                       syllables},
                      {u"キャキュキョギャギュギョシャシュショジャジュジョチャチュチョニャニュニョ"
                       u"ヒャヒュヒョビャビュビョピャピュピョミャミュミョリャリュリョ",
                       syllables},
                  });
}

TEST(KanaToSequence, SmallKanaContractWithTheBaseKanaBeforeThem) {
  ExpectSequences(KanaToSequence,
                  {
                      {u"とうきょう", u"to u kyo u "},
                      {u"しゃしん", u"sha shi n "},
                      {u"ぎゅうにゅう", u"gyu u nyu u "},
                      {u"びょういん", u"byo u i n "},
                      {u"ちゃ", u"cha "},
                      {u"じゃ", u"ja "},
                      {u"ジュ", u"ju "},
                      {u"キゃ", u"kya "},  // scripts may be mixed
                      {u"みゅミョひャヒゅりょリャぴュピョ", u"myu myo hya hyu ryo rya pyu pyo "},
                      {u"ぢゃ", u"ji "},   // ぢ is not a base kana
                      {u"き ゃ", u"ki "},  // the small kana must follow directly
                      {u"あゃ", u"a "},
                      {u"きゃゃ", u"kya "},     // a small kana after a small kana is dropped
                      {u"かきゃ", u"ka kya "},  // only the base kana's own syllable is replaced
                  });
}

TEST(KanaToSequence, RepeatMarksRepeatTheLastLetter) {
  ExpectSequences(KanaToSequence, {
                                      {u"かっ", u"ka a "},
                                      {u"がっこう", u"ga a ko u "},
                                      {u"ちょっと", u"cho o to "},
                                      {u"らーめん", u"ra a me n "},
                                      {u"コーヒー", u"ko o hi i "},
                                      {u"きゃー", u"kya a "},
                                      {u"んー", u"n n "},
                                      {u"つっ", u"tsu u "},
                                      {u"かっっ", u"ka a a "},
                                      {u"か ー", u"ka a "},
                                      {u"か東ッ", u"ka a "},
                                  });
}

TEST(KanaToSequence, FailsWhenAMarkHasNothingBeforeIt) {
  ExpectConversionErrors(KanaToSequence, {u"っか", u"ーあ", u"ー", u"ッ", u"Aっか", u" \nっ",
                                          u"東ー", u"ゃあ", u"ゃ", u"ュ", u"ョか"});
}

}  // namespace
