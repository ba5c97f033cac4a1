// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "conversion/conversion.h"
#include "tests/conversion/expect_conversion.h"
#include "tests/support/utf16.h"

namespace {

using conversion::kFailureSentinel;
using conversion::RomajiToSequence;
using test_support::ExpectConversionErrors;
using test_support::ExpectSequences;
using test_support::Utf8;

void ExpectRefused(std::initializer_list<std::u16string_view> texts) {
  for (std::u16string_view text : texts) {
    SCOPED_TRACE(Utf8(text));
    EXPECT_EQ(Utf8(RomajiToSequence(text)), Utf8(kFailureSentinel));
  }
}

TEST(RomajiToSequence, AcceptsEverySyllableOfTheRepertoire) {
  ExpectSequences(
      RomajiToSequence,
      {
          {u"aiueon", u"a i u e o n "},
          {u"kakikukekohahihuhehomamimumemorarirurerogagigugegobabibubebopapipupepo",
           u"ka ki ku ke ko ha hi hu he ho ma mi mu me mo ra ri ru re ro "
           u"ga gi gu ge go ba bi bu be bo pa pi pu pe po "},
          {u"naninuneno", u"na ni nu ne no "},
          {u"kyakyukyohyahyuhyomyamyumyoryaryuryogyagyugyobyabyubyopyapyupyonyanyunyo",
           u"kya kyu kyo hya hyu hyo mya myu myo rya ryu ryo gya gyu gyo bya byu byo pya pyu pyo "
           u"nya nyu nyo "},
          {u"sasusesoshashishushotatetotsuchachichucho",
           u"sa su se so sha shi shu sho ta te to tsu cha chi chu cho "},
          {u"zazuzezodadudedoyayuyowawojajijujofu",
           u"za zu ze zo da du de do ya yu yo wa wo ja ji ju jo fu "},
      });
}

TEST(RomajiToSequence, IgnoresLetterCaseAndBlanks) {
  ExpectSequences(RomajiToSequence,
                  {
                      {u"", u""},
                      {u"   ", u""},
                      {u"konnichiwa", u"ko n ni chi wa "},
                      {u"KONNICHIWA", u"ko n ni chi wa "},
                      {u"Konnichiwa", u"ko n ni chi wa "},
                      {u"Sakura Saku", u"sa ku ra sa ku "},
                      {u"ka  ki", u"ka ki "},
                      {u"shinjitsu", u"shi n ji tsu "},
                      {u"kyouto", u"kyo u to "},
                      {u"ryokou", u"ryo ko u "},
                      {u"\u0130ro", u"i ro "},    // dotted capital I lower-cases to i
                      {u"\u212Aoto", u"ko to "},  // so does the Kelvin sign to k
                  });
}

TEST(RomajiToSequence, NStandsAloneUnlessAVowelOrYFollows) {
  ExpectSequences(RomajiToSequence, {
                                        {u"n", u"n "},
                                        {u"onna", u"o n na "},
                                        {u"shinnen", u"shi n ne n "},
                                        {u"nyan", u"nya n "},
                                        {u"annya", u"a n nya "},
                                        {u"kani", u"ka ni "},
                                        {u"kan i", u"ka n i "},
                                    });
  ExpectRefused({u"nye", u"kanye", u"ny", u"n k"});
}

TEST(RomajiToSequence, DoubledConsonantsRepeatTheLastLetter) {
  ExpectSequences(RomajiToSequence, {
                                        {u"kitte", u"ki i te "},
                                        {u"gakkou", u"ga a ko u "},
                                        {u"zasshi", u"za a shi "},
                                        {u"matcha", u"ma a cha "},
                                        {u"kyakka", u"kya a ka "},
                                        {u"nkka", u"n n ka "},
                                        {u"akkka", u"a a a ka "},
                                        {u"ka kko", u"ka a ko "},
                                        {u"a ppa", u"a a pa "},
                                        {u"oyya wwa jja ffu dde", u"o o ya a wa a ja a fu u de "},
                                    });
}

TEST(RomajiToSequence, RefusesWhatTheRulesDoNotCover) {
  ExpectRefused(
      {u"si",           u"ti",          u"tu",     u"zi",     u"di",
       u"ci",           u"je",          u"she",    u"kye",    u"wi",
       u"ye",           u"fa",          u"tsa",    u"k",      u"t",
       u"ky",           u"sh",          u"ts",     u"k a",    u"a1",
       u"ra-men",       u"hon'ya",      u"la",     u"qa",     u"va",
       u"xa",           u"ka\tki",      u"ka\nki", u"ka\rki", u"ka\u3000ki",
       u"\uFF4B\uFF41", u"kakikukeko1", u"k ka",   u"\u00E0", std::u16string_view(u"ka\0", 3)});
}

// The rows of the syllable rules: the second letters that a consonant takes (repeat, vowels and
// middle letter), and the third letters after its middle letter. Every other letter is refused.
TEST(RomajiToSequence, EachConsonantRefusesTheLettersItsRowDoesNotList) {
  const struct {
    char16_t consonant;
    std::u16string_view second;  // empty for n, which stands alone before any other letter
    char16_t middle;
    std::u16string_view third;
  } rows[] = {
      // clang-format off
      // C1    repeat+vowels+middle  middle  third letters
      {u'k',  u"kaiueoy",           u'y',   u"auo"},
      {u'h',  u"haiueoy",           u'y',   u"auo"},
      {u'm',  u"maiueoy",           u'y',   u"auo"},
      {u'r',  u"raiueoy",           u'y',   u"auo"},
      {u'g',  u"gaiueoy",           u'y',   u"auo"},
      {u'b',  u"baiueoy",           u'y',   u"auo"},
      {u'p',  u"paiueoy",           u'y',   u"auo"},
      {u'n',  u"",                  u'y',   u"auo"},
      {u's',  u"saueoh",            u'h',   u"iauo"},
      {u't',  u"tcaeos",            u's',   u"u"},
      {u'z',  u"zaueo",             0,      u""},
      {u'd',  u"daueo",             0,      u""},
      {u'c',  u"ch",                u'h',   u"iauo"},
      {u'y',  u"yauo",              0,      u""},
      {u'w',  u"wao",               0,      u""},
      {u'j',  u"jaiuo",             0,      u""},
      {u'f',  u"fu",                0,      u""},
      // clang-format on
  };
  // Each text starts with a vowel, so that a wrongly taken repeat has a letter to repeat, and
  // ends with one, so that a wrongly taken letter leaves a valid rest.
  for (const auto& row : rows) {
    for (char16_t letter = u'a'; letter <= u'z'; ++letter) {
      if (!row.second.empty() && row.second.find(letter) == std::u16string_view::npos) {
        ExpectRefused({std::u16string{u'a', row.consonant, letter, u'a'}});
      }
      if (row.middle != 0 && row.third.find(letter) == std::u16string_view::npos) {
        ExpectRefused({std::u16string{u'a', row.consonant, row.middle, letter, u'a'}});
      }
    }
    if (row.consonant != u'n') ExpectRefused({std::u16string{u'a', row.consonant}});
  }
  ExpectRefused({u"\u007F", u"\u0080", u"k\u0080a"});  // the first code units past the rules
}

TEST(RomajiToSequence, FailsWhenADoubledConsonantComesFirst) {
  ExpectConversionErrors(RomajiToSequence, {u"kka", u"  kka", u"tta", u"cchi", u"tcha", u"KKa"});
}

TEST(FindCulprit, NamesTheSyllableOrCharacterThatFails) {
  // Positions and lengths in code units; a doubled consonant belongs to the syllable it doubles.
  const struct {
    std::u16string_view text;
    std::optional<conversion::Culprit> culprit;
  } romaji[] = {
      {u"Sakura\nsaku", {{6, 1}}},
      {u"konnichiwa, sekai", {{10, 1}}},
      {u"shin'ya", {{4, 1}}},
      {u"tsuki si", {{6, 2}}},
      {u"kka", {{0, 1}}},
      {u"ka kya kye", {{7, 3}}},
      {u"ky", {{0, 2}}},
      {u"ka k", {{3, 1}}},
      {u"k a", {{0, 1}}},  // not the blank after it, which typing over the selection would eat
      {u"ky a", {{0, 2}}},
      {u"katt\n", {{2, 2}}},
      {u"a\U0001F3B5", {{1, 2}}},
      {u"Sakura saku", {}},
      {u"accha", {}},
      {u"acchx", {{1, 4}}},
  };
  for (const auto& c : romaji) {
    EXPECT_EQ(conversion::FindRomajiCulprit(c.text), c.culprit) << Utf8(c.text);
  }
  EXPECT_EQ(conversion::FindKanaCulprit(u"っか"), (conversion::Culprit{0, 1}));
  EXPECT_EQ(conversion::FindKanaCulprit(u"東京ーか"), (conversion::Culprit{2, 1}));
  EXPECT_EQ(conversion::FindKanaCulprit(u"ゃ"), (conversion::Culprit{0, 1}));
  EXPECT_EQ(conversion::FindKanaCulprit(u"かっ"), std::nullopt);
}

}  // namespace
