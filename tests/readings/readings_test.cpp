// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "readings/readings.h"
#include "readings/remembered.h"
#include "readings/script.h"
#include "tests/readings/dictionary.h"
#include "tests/support/utf16.h"

namespace {

using test_support::SharedReader;
using test_support::Utf8;

// `text` rewritten; every reading offered must be there, in hiragana, and no more than a menu
// holds.
std::u16string Rewrite(std::u16string_view text) {
  const std::vector<readings::Replacement> found = SharedReader().Read(text);
  for (const readings::Replacement& replacement : found) {
    EXPECT_LE(replacement.readings.size(), readings::kMaxAlternatives) << Utf8(text);
    for (const std::u16string& reading : replacement.readings) {
      EXPECT_TRUE(!reading.empty() &&
                  std::all_of(reading.begin(), reading.end(),
                              [](char16_t c) { return (c >= u'ぁ' && c <= u'ゖ') || c == u'ー'; }))
          << Utf8(text) << " offers '" << Utf8(reading) << "'";
    }
  }
  return readings::Apply(text, found);
}

TEST(Readings, RewriteOnlyTheKanji) {
  SKIP_WITHOUT_DICTIONARY();
  const struct {
    std::u16string_view text;
    std::u16string_view rewritten;
  } kCases[] = {
      {u"花びら舞い散る", u"はなびらまいちる"},              // okurigana stay
      {u"ドイツ語", u"ドイツご"},                            // katakana stays
      {u"「愛してる」と言った", u"「あいしてる」といった"},  // punctuation stays
      {u"東京の先生", u"とうきょうのせんせい"},              // readings, not ー
      {u"生きる 生まれる\n人生 生ビール", u"いきる うまれる\nじんせい なまビール"},
      {u"取り扱い", u"とりあつかい"},                  // kana between kanji
      {u"一つ 三日 二十日", u"ひとつ みっか はつか"},  // counters
      {u"一本 三本 百本 何本", u"いっぽん さんぼん ひゃっぽん なんぼん"},
      {u"六百 八百 三千 八千", u"ろっぴゃく はっぴゃく さんぜん はっせん"},
      {u"十四時 四人 三階 二十歳", u"じゅうよじ よにん さんがい はたち"},
      {u"一ヶ月 霞ケ関", u"いっかげつ かすみがせき"},                    // ヶ ケ between kanji
      {u"時々 人々 高々 各々", u"ときどき ひとびと たかだか おのおの"},  // 々 in a word
      {u"黒々 赤々 次々", u"くろぐろ あかあか つぎつぎ"},  // 々 repeats, voiced where it can
      {u"々と の々", u"々と の々"},                        // nothing to repeat
      // Kanji no word holds, guessed from the list: by the reading whose ending follows,
      // else by one that stands alone.
      {u"囁 謳", u"ささやき うたい"},
      {u"囁く 煌めく 煌の空", u"ささやく きらめく きらめきのそら"},
      {u"Ｘ線 三ヶ月 ヶ月", u"えっくすせん さんかげつ かげつ"},  // other characters in a word
      {u"言い合い", u"いいあい"},
      {u"〇時 零時", u"れいじ れいじ"},
      {u"東京の出で", u"とうきょうのしゅつで"},  // the noun 出 is no classical verb
      {u"明日 故郷 春風 我は", u"あした ふるさと はるかぜ われわ"},
      {u"出でし 出ずる 出て", u"いでし いずる でて"},  // song readings
      {u"Love 2026年", u"Love にせんにじゅうろくねん"},
      {u"さくら さくら", u"さくら さくら"},  // no kanji
      {u"𠀋の歌", u"𠀋のうた"},              // a kanji no entry reads
      {u"夢\r\n夢\u2028夢\u2029夢", u"ゆめ\r\nゆめ\u2028ゆめ\u2029ゆめ"},
      {u"\U0001F338桜\xD800花", u"\U0001F338さくら\xD800はな"},  // emoji, lone surrogate
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(Utf8(Rewrite(c.text)), Utf8(c.rewritten)) << Utf8(c.text);
  }
}

TEST(Readings, OfferTheOtherEntriesForTheSameCharacters) {
  SKIP_WITHOUT_DICTIONARY();
  // The last word of each text.
  const struct {
    std::u16string_view text;
    std::vector<std::u16string_view> offered;  // the chosen one first
    std::vector<std::u16string_view> not_offered = {};
    bool guess = false;
  } kCases[] = {
      {u"今日", {u"きょう", u"こんにち"}},
      {u"明日", {u"あした", u"あす", u"みょうにち"}},
      {u"日本", {u"にほん", u"にっぽん"}},
      {u"一日", {u"いちにち", u"ついたち"}},
      {u"十分", {u"じゅっぷん", u"じゅうぶん"}, {u"じゅうふん"}},
      {u"一本", {u"いっぽん"}, {u"いちほん"}},
      {u"二〇二〇年", {u"にせんにじゅうねん"}, {u"にれいにれいねん"}},
      {u"桜 今日", {u"きょう", u"こんにち"}},  // a word after a blank
      {u"花\t十分", {u"じゅっぷん", u"じゅうぶん"}},
      {u"黒々", {u"くろぐろ", u"くろくろ"}},
      // No dictionary word holds these: a reading with a voiced sound is repeated plain.
      {u"筋々", {u"すじすじ"}, {u"すじずじ"}},
      {u"煌", {u"きらめき", u"きらめ", u"こう"}, {}, true},
      // The best path reads 花 and 畠 apart; a next-best one reads the run as one word.
      {u"菜の花畠に", {u"はなはたけ", u"はなばたけ"}},
      {u"この花畠に", {u"はなはたけ", u"はなばたけ"}},  // the run split is the only one
  };
  for (const auto& c : kCases) {
    const std::vector<readings::Replacement> found = SharedReader().Read(c.text);
    ASSERT_FALSE(found.empty()) << Utf8(c.text);
    const readings::Replacement& last = found.back();
    ASSERT_FALSE(last.readings.empty()) << Utf8(c.text);
    EXPECT_EQ(Utf8(last.readings.front()), Utf8(c.offered.front())) << Utf8(c.text);
    EXPECT_EQ(last.guess, c.guess) << Utf8(c.text);
    EXPECT_LE(last.readings.size(), readings::kMaxAlternatives);
    const auto offers = [&last](std::u16string_view r) {
      return std::find(last.readings.begin(), last.readings.end(), r) != last.readings.end();
    };
    for (const std::u16string_view reading : c.offered) {
      EXPECT_TRUE(offers(reading)) << Utf8(c.text) << " lacks " << Utf8(reading);
    }
    for (const std::u16string_view reading : c.not_offered) {
      EXPECT_FALSE(offers(reading)) << Utf8(c.text) << " offers " << Utf8(reading);
    }
  }
}

TEST(Readings, ReadALoneKanjiTakenForANameAsTheCommonWordFirst) {
  SKIP_WITHOUT_DICTIONARY();
  // The best path takes 朝 for a place (チョウ) here; the list of words, which reads 朝焼 as one
  // word, is left out.
  readings::Reader reader(MELIVANT_DICTIONARY_DIR, MELIVANT_KANJI_LIST_FILE);
  const std::vector<readings::Replacement> found = reader.Read(u"朝焼");
  ASSERT_FALSE(found.empty());
  ASSERT_EQ(found[0].length, 1u);
  EXPECT_EQ(Utf8(found[0].readings.front()), Utf8(u"あさ"));
  EXPECT_NE(std::find(found[0].readings.begin(), found[0].readings.end(), u"ちょう"),
            found[0].readings.end());
}

TEST(Readings, PutTheReadingsTheUserKeepsFirst) {
  SKIP_WITHOUT_DICTIONARY();
  readings::RememberedWords kept;
  readings::Reader reader(MELIVANT_DICTIONARY_DIR, MELIVANT_KANJI_LIST_FILE, {}, &kept);
  kept.Set({{u"運命", u"さだめ"},
            {u"本気", u"ほんき"},
            {u"本気", u"マジ"},  // the later one wins
            {u"小鮒", u"こぶな"},
            {u"今日中", u"きょうぢゅう"},
            {u"今日", u"こんにち"},
            {u"明日", u"あす"},
            {u"夢", u"ゆ め"}});  // refused
  const struct {
    std::u16string_view text;
    std::u16string_view rewritten;
  } kCases[] = {
      {u"運命の人", u"さだめのひと"},
      {u"本気で", u"マジで"},    // katakana as written
      {u"小鮒を", u"こぶなを"},  // a word the dictionary splits
      {u"今日は\n昨日は", u"こんにちわ\nきのうわ"},
      // Each of two words, one the start of the other, by its own reading.
      {u"今日中に 今日は", u"きょうぢゅうに こんにちわ"},
      {u"夢を", u"ゆめを"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(Utf8(readings::Apply(c.text, reader.Read(c.text))), Utf8(c.rewritten))
        << Utf8(c.text);
  }
  // The dictionary's readings stay on offer, its first choice first.
  const std::vector<readings::Replacement> found = reader.Read(u"明日");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].readings,
            (std::vector<std::u16string>{u"あす", u"あした", u"あけび", u"みょうにち"}));
  EXPECT_EQ(kept.Kept(u"本気"), u"マジ");
  EXPECT_EQ(kept.Kept(u"夢"), std::nullopt);
}

TEST(Readings, TakeTheReadingsTheLyricsGiveInBrackets) {
  SKIP_WITHOUT_DICTIONARY();
  const struct {
    std::u16string_view text;
    std::u16string_view rewritten;
    std::u16string_view original;  // of the given reading's word; empty: none is given
  } kCases[] = {
      {u"運命（さだめ）の人", u"さだめのひと", u"運命（さだめ）"},
      {u"本気(マジ)で", u"マジで", u"本気(マジ)"},  // katakana as written
      {u"地球《ほし》", u"ほし", u"地球《ほし》"},
      {u"未来《あした》ー", u"あしたー", u"未来《あした》"},
      {u"｜君の名《きみのな》は", u"きみのなわ", u"｜君の名《きみのな》"},
      {u"夢|見る人《ゆめみるひと》", u"ゆめゆめみるひと", u"|見る人《ゆめみるひと》"},
      {u"今日(Dream)", u"きょう(Dream)", u""},
      {u"夢（×2）", u"ゆめ（×2）", u""},
      // What brackets note without kana is not sung and stays; what they sing is read.
      {u"(笑)夢 泣いた（涙）", u"(笑)ゆめ ないた（涙）", u""},
      {u"(夢を見た)", u"(ゆめをみた)", u""},
      {u"運命（ー）", u"うんめい（ー）", u""},
      {u"夢（）", u"ゆめ（）", u""},
      {u"ゆめ（ゆめ）", u"ゆめ（ゆめ）", u""},
      {u"運命（さだめ", u"うんめい（さだめ", u""},
      {u"運命（さだめ)", u"うんめい（さだめ)", u""},  // brackets of two kinds
      {u"運命（さだめ）（うんめい）", u"さだめ（うんめい）", u"運命（さだめ）"},
      {u"｜ゆめ《ゆめ》", u"｜ゆめ《ゆめ》", u""},  // a base without kanji
  };
  for (const auto& c : kCases) {
    const std::vector<readings::Replacement> found = SharedReader().Read(c.text);
    EXPECT_EQ(Utf8(readings::Apply(c.text, found)), Utf8(c.rewritten)) << Utf8(c.text);
    const auto given = std::find_if(found.begin(), found.end(),
                                    [](const readings::Replacement& r) { return r.given; });
    EXPECT_EQ(Utf8(given == found.end() ? u"" : c.text.substr(given->position, given->length)),
              Utf8(c.original))
        << Utf8(c.text);
  }
  // The dictionary's readings come after the given one, and a reading kept gives way to it.
  readings::RememberedWords kept;
  kept.Set({{u"運命", u"うんめい"}});
  readings::Reader reader(MELIVANT_DICTIONARY_DIR, {}, {}, &kept);
  const std::vector<readings::Replacement> found = reader.Read(u"運命（さだめ）");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].readings, (std::vector<std::u16string>{u"さだめ", u"うんめい"}));
}

TEST(Readings, KeepOnlyKanaForAWordOfKanji) {
  const struct {
    std::u16string_view word;
    std::u16string_view reading;
    bool kept;
  } kCases[] = {
      {u"今日", u"きょう", true},   {u"今日", u"キョウ", true},    {u"ヶ月", u"かげつ", true},
      {u"今日", u"きょ う", false}, {u"今日", u"今日", false},     {u"今日", u"kyou", false},
      {u"今日", u"", false},        {u"きょう", u"きょう", false}, {u"今\t日", u"きょう", false},
      {u" 今日", u"きょう", false}, {u"今日　", u"きょう", false},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(readings::IsReading(c.word, c.reading), c.kept)
        << Utf8(c.word) << " " << Utf8(c.reading);
  }
}

TEST(Readings, OfferTheSameReadingsAfterBlanks) {
  SKIP_WITHOUT_DICTIONARY();
  for (const std::u16string_view word : {u"上", u"今日", u"生"}) {
    const std::vector<readings::Replacement> alone = SharedReader().Read(word);
    for (const std::u16string_view blanks : {u" ", u"\t", u"  \t"}) {
      const std::u16string text = std::u16string(blanks) + std::u16string(word);
      const std::vector<readings::Replacement> after = SharedReader().Read(text);
      ASSERT_EQ(after.size(), 1u) << Utf8(text);
      EXPECT_EQ(after[0].readings, alone[0].readings) << Utf8(text);
    }
  }
}

TEST(Readings, OfferNoMoreReadingsThanAMenuHolds) {
  SKIP_WITHOUT_DICTIONARY();
  // 上 alone has more dictionary entries than a menu holds.
  const std::vector<readings::Replacement> found = SharedReader().Read(u"上");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].readings.size(), readings::kMaxAlternatives);
}

TEST(Readings, NeverSplitASurrogatePair) {
  SKIP_WITHOUT_DICTIONARY();
  // A long line is cut where a pair would be split: the pair goes whole into the next piece.
  std::u16string line(2047, u'花');
  line += u"𠀋";
  const std::vector<readings::Replacement> found = SharedReader().Read(line);
  ASSERT_FALSE(found.empty());
  EXPECT_EQ(found.back().position, 2047u);
  EXPECT_EQ(found.back().length, 2u);
  // 々, and a pair with 々, at each place around a cut: after 2,048 code units, and after a
  // blank half way.
  for (const std::size_t blank : {std::size_t{0}, std::size_t{1024}}) {
    const std::size_t cut = blank == 0 ? 2048 : blank + 1;
    for (std::size_t at = cut - 5; at <= cut + 3; ++at) {
      for (const std::u16string_view marks : {u"花々", u"𠀋々", u"々"}) {
        std::u16string text(2100, u'あ');
        if (blank != 0) text[blank] = u' ';
        text.replace(at, marks.size(), marks);
        SCOPED_TRACE(Utf8(marks) + " at " + std::to_string(at));
        std::size_t after = 0;
        std::size_t kanji = 0;
        for (const readings::Replacement& r : SharedReader().Read(text)) {
          EXPECT_GE(r.position, after);
          EXPECT_GT(r.length, 0u);
          ASSERT_LE(r.position + r.length, text.size());
          // Neither end inside the pair.
          EXPECT_NE(text.substr(r.position - 1, 2), u"𠀋");
          EXPECT_NE(text.substr(r.position + r.length - 1, 2), u"𠀋");
          for (std::size_t i = r.position; i < r.position + r.length; ++i) {
            kanji += text[i] != u'々' && text[i] != u'あ';
          }
          after = r.position + r.length;
        }
        EXPECT_EQ(kanji, marks.size() - 1);  // 花 or 𠀋 once
      }
    }
  }
  // A range that starts inside a pair takes the whole character.
  const std::vector<readings::Replacement> inside = SharedReader().Read(u"a𠀋", 2, 3);
  ASSERT_EQ(inside.size(), 1u);
  EXPECT_EQ(inside[0].position, 1u);
  EXPECT_EQ(inside[0].length, 2u);
  // So does one that ends inside a pair.
  const std::vector<readings::Replacement> ending = SharedReader().Read(u"𠀋a", 0, 1);
  ASSERT_EQ(ending.size(), 1u);
  EXPECT_EQ(ending[0].length, 2u);
}

TEST(Readings, LeaveNoKanjiOfJisX0208WithoutAReading) {
  SKIP_WITHOUT_DICTIONARY();
  std::ifstream list(MELIVANT_KANJI_LIST_FILE);
  std::u16string text;
  for (std::string line; std::getline(list, line);) {
    if (!line.empty() && line[0] != '#')
      text += readings::internal::FromUtf8(line.substr(0, line.find('\t'))) + u' ';
  }
  ASSERT_EQ(text.size(), 2 * 6'355u);  // the kanji of JIS X 0208, each with a blank
  const std::vector<readings::Replacement> found = SharedReader().Read(text);
  EXPECT_EQ(found.size(), text.size() / 2);
  for (const readings::Replacement& replacement : found) {
    EXPECT_FALSE(replacement.readings.empty())
        << Utf8(text.substr(replacement.position, replacement.length));
  }
}

TEST(Readings, GuessNothingWithoutTheListOfReadingsPerKanji) {
  SKIP_WITHOUT_DICTIONARY();
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  const struct {
    std::string_view name;
    std::string_view list;  // none: no such file
    std::u16string_view rewritten;
  } kCases[] = {
      {"lf", "囁\tささや|ささやき\n煌\tきら\n", u"ささや きら 謳"},
      {"crlf", "囁\tささや|ささやき\r\n煌\tきら\r\n", u"ささや きら 謳"},
      // A list with bad lines keeps its good ones.
      {"bad", "# a comment\r\n囁\tささや|ささやき\nx\tえっくす\n煌\tキラ\n謳\n煌\tき||ら\n",
       u"ささや 煌 謳"},
      {"missing", {}, u"囁 煌 謳"},
  };
  for (const auto& c : kCases) {
    const std::filesystem::path list =
        folder / ("melivant-readings-test-list-" + std::string(c.name) + ".txt");
    if (!c.list.empty()) std::ofstream(list, std::ios::binary) << c.list;
    {
      readings::Reader reader(MELIVANT_DICTIONARY_DIR, list);
      const std::u16string_view text = u"囁 煌 謳";
      EXPECT_EQ(Utf8(readings::Apply(text, reader.Read(text))), Utf8(c.rewritten)) << c.name;
    }
    std::filesystem::remove(list);
  }
}

TEST(Readings, ReadOnlyInsideARangeWithTheLineAround) {
  SKIP_WITHOUT_DICTIONARY();
  const std::u16string_view text = u"生きる\n東京の生ビール";
  // The range holds 東京の生 of the second line: 生 is read as part of 生ビール.
  const std::vector<readings::Replacement> found = SharedReader().Read(text, 4, 8);
  EXPECT_EQ(Utf8(readings::Apply(text, found)), Utf8(u"生きる\nとうきょうのなまビール"));
  // A range that cuts a word reads the part inside alone: 京 of 東京.
  EXPECT_EQ(Utf8(readings::Apply(text, SharedReader().Read(text, 5, 6))),
            Utf8(u"生きる\n東きょうの生ビール"));
  // A range that cuts a word whose reading the lyrics give leaves it whole.
  const std::u16string_view given = u"運命（さだめ）の人";
  for (const auto& [begin, end] : {std::pair<std::size_t, std::size_t>{0, 2}, {1, 7}, {0, 3}}) {
    EXPECT_EQ(Utf8(readings::Apply(given, SharedReader().Read(given, begin, end))),
              Utf8(u"運命（さだめ）の人"))
        << begin << " " << end;
  }
}

TEST(Readings, ReadLongLinesInPiecesWithoutLosingAKanji) {
  SKIP_WITHOUT_DICTIONARY();
  // Lines far longer than one analysis: with pauses (blanks) to cut after, and without any.
  for (const std::u16string_view word : {u"桜の花 ", u"夢の花"}) {
    std::u16string text;
    std::u16string expected;
    for (int i = 0; i < 1500; ++i) {
      text += word;
      expected += word.size() == 4 ? u"さくらのはな " : u"ゆめのはな";
    }
    EXPECT_EQ(readings::Apply(text, SharedReader().Read(text)), expected) << Utf8(word);
  }
}

TEST(Readings, RefuseAMissingOrIncompleteDictionary) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "melivant-readings-test-dictionary";
  std::filesystem::remove_all(folder);
  EXPECT_THROW(readings::Reader{folder}, readings::DictionaryError);
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "dicrc") << "cost-factor = 800\n";
  EXPECT_THROW(readings::Reader{folder}, readings::DictionaryError);
  for (const char* file : {"sys.dic", "matrix.bin", "char.bin", "unk.dic"}) {
    std::ofstream(folder / file) << "not a dictionary";
  }
  EXPECT_THROW(readings::Reader{folder}, readings::DictionaryError);
  std::filesystem::remove_all(folder);
}

TEST(Readings, OpenADictionaryInAFolderNamedInChineseWithBlanks) {
  SKIP_WITHOUT_DICTIONARY();
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / u8"用户 张三" / u8"歌词 工具";
  std::filesystem::remove_all(folder.parent_path());
  std::filesystem::create_directories(folder);
  for (const auto& file : std::filesystem::directory_iterator(MELIVANT_DICTIONARY_DIR)) {
    std::error_code linked;
    std::filesystem::create_hard_link(file.path(), folder / file.path().filename(), linked);
    if (linked) std::filesystem::copy_file(file.path(), folder / file.path().filename());
  }
  {
    readings::Reader reader(folder);
    EXPECT_EQ(Utf8(readings::Apply(u"桜", reader.Read(u"桜"))), Utf8(u"さくら"));
  }
  // Windows removes no file while it is mapped, so only once the reader is gone.
  std::filesystem::remove_all(folder.parent_path());
}

TEST(Readings, TurnEveryKatakanaIntoHiragana) {
  EXPECT_EQ(Utf8(readings::internal::ToHiragana(u"ァアカガンヴヵヶーヷ𠀋a")),
            Utf8(u"ぁあかがんゔゕゖーヷ𠀋a"));
}

TEST(Readings, FindKanjiRuns) {
  using Runs = std::vector<std::pair<std::size_t, std::size_t>>;
  const struct {
    std::u16string_view text;
    Runs runs;
  } kCases[] = {
      {u"", {}},
      {u"かな", {}},
      {u"花びら", {{0, 1}}},
      {u"一ヶ月と山々", {{0, 3}, {4, 2}}},
      {u"ヶ月", {{1, 1}}},  // a link needs kanji on both sides
      {u"三ヶ", {{0, 1}}},
      {u"〆切〇", {{0, 3}}},
      {u"a𠀋b", {{1, 2}}},  // a kanji above U+FFFF is two code units
      {u"\xD840", {}},      // a lone surrogate is no kanji
      {u"山ケ", {{0, 1}}},
  };
  for (const auto& c : kCases) EXPECT_EQ(readings::KanjiRuns(c.text), c.runs) << Utf8(c.text);
}

}  // namespace
