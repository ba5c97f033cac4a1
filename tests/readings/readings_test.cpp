// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "readings/readings.h"
#include "tests/readings/dictionary.h"
#include "tests/support/utf16.h"

namespace {

using test_support::SharedReader;
using test_support::Utf8;

std::u16string Rewrite(std::u16string_view text) {
  return readings::Apply(text, SharedReader().Read(text));
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
      {u"一ヶ月 霞ケ関", u"いっかげつ かすみがせき"},  // ヶ ケ between kanji
      {u"時々 人々", u"ときどき ひとびと"},            // 々
      {u"明日 故郷 春風 我は", u"あした ふるさと はるかぜ われは"},
      {u"出でし 出ずる 出て", u"いでし いずる でて"},  // song readings
      {u"Love 2026年", u"Love 2026ねん"},              // digits stay
      {u"さくら さくら", u"さくら さくら"},            // no kanji
      {u"𠀋の歌", u"𠀋のうた"},                        // a kanji no entry reads
      {u"夢\r\n夢\u2028夢\u2029夢", u"ゆめ\r\nゆめ\u2028ゆめ\u2029ゆめ"},
      {u"\U0001F338桜\xD800花", u"\U0001F338さくら\xD800はな"},  // emoji, lone surrogate
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(Utf8(Rewrite(c.text)), Utf8(c.rewritten)) << Utf8(c.text);
  }
}

TEST(Readings, OfferTheOtherEntriesForTheSameCharacters) {
  SKIP_WITHOUT_DICTIONARY();
  const struct {
    std::u16string_view word;
    std::vector<std::u16string_view> offered;  // the chosen one first
  } kCases[] = {
      {u"今日", {u"きょう", u"こんにち"}},       {u"明日", {u"あした", u"あす", u"みょうにち"}},
      {u"日本", {u"にほん", u"にっぽん"}},       {u"一日", {u"いちにち", u"ついたち"}},
      {u"十分", {u"じゅっぷん", u"じゅうぶん"}},
  };
  for (const auto& c : kCases) {
    const std::vector<readings::Replacement> found = SharedReader().Read(c.word);
    ASSERT_EQ(found.size(), 1u) << Utf8(c.word);
    EXPECT_EQ(Utf8(found[0].reading), Utf8(c.offered[0]));
    EXPECT_EQ(found[0].alternatives.front(), found[0].reading);
    EXPECT_LE(found[0].alternatives.size(), readings::kMaxAlternatives);
    for (const std::u16string_view reading : c.offered) {
      EXPECT_NE(std::find(found[0].alternatives.begin(), found[0].alternatives.end(), reading),
                found[0].alternatives.end())
          << Utf8(c.word) << " lacks " << Utf8(reading);
    }
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
