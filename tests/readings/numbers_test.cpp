// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "readings/numbers.h"
#include "tests/support/utf16.h"

namespace {

using readings::internal::NumeralValue;
using readings::internal::ReadCounted;
using readings::internal::ReadNumber;
using test_support::Utf8;

TEST(Numbers, ValueAndReading) {
  const struct {
    std::u16string_view numeral;
    std::uint64_t value;
    std::u16string_view reading;
  } kCases[] = {
      {u"一", 1, u"いち"},
      {u"十", 10, u"じゅう"},
      {u"二十四", 24, u"にじゅうよん"},
      {u"三百", 300, u"さんびゃく"},
      {u"六百", 600, u"ろっぴゃく"},
      {u"八百", 800, u"はっぴゃく"},
      {u"千", 1000, u"せん"},
      {u"三千", 3000, u"さんぜん"},
      {u"八千九", 8009, u"はっせんきゅう"},
      {u"一万", 10'000, u"いちまん"},
      {u"三万五千", 35'000, u"さんまんごせん"},
      {u"百万", 1'000'000, u"ひゃくまん"},
      {u"一億二千万", 120'000'000, u"いちおくにせんまん"},
      {u"一兆", 1'000'000'000'000, u"いっちょう"},
      {u"二〇二〇", 2020, u"にせんにじゅう"},
      {u"〇", 0, u"れい"},
      {u"1999", 1999, u"せんきゅうひゃくきゅうじゅうきゅう"},
      {u"５０万", 500'000, u"ごじゅうまん"},
      {u"1億2000万", 120'000'000, u"いちおくにせんまん"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(NumeralValue(c.numeral), c.value) << Utf8(c.numeral);
    EXPECT_EQ(Utf8(ReadNumber(c.value)), Utf8(c.reading)) << c.value;
  }
  for (const std::u16string_view bad :
       {u"", u"十百", u"二三十", u"万億", u"一億万", u"十x", u"12345万"}) {
    EXPECT_EQ(NumeralValue(bad), std::nullopt) << Utf8(bad);
  }
}

TEST(Numbers, CountersWithTheirSoundChanges) {
  const struct {
    std::uint64_t value;
    std::u16string_view counter;
    std::u16string_view reading;
  } kCases[] = {
      {1, u"本", u"いっぽん"},      {3, u"本", u"さんぼん"},
      {4, u"本", u"よんほん"},      {6, u"本", u"ろっぽん"},
      {8, u"本", u"はっぽん"},      {10, u"本", u"じゅっぽん"},
      {100, u"本", u"ひゃっぽん"},  {21, u"本", u"にじゅういっぽん"},
      {3, u"分", u"さんぷん"},      {4, u"分", u"よんぷん"},
      {5, u"分", u"ごふん"},        {1, u"個", u"いっこ"},
      {6, u"回", u"ろっかい"},      {3, u"階", u"さんがい"},
      {6, u"冊", u"ろくさつ"},      {8, u"歳", u"はっさい"},
      {3, u"足", u"さんぞく"},      {1, u"日", u"いちにち"},
      {3, u"日", u"みっか"},        {14, u"日", u"じゅうよっか"},
      {20, u"日", u"はつか"},       {11, u"日", u"じゅういちにち"},
      {1, u"人", u"ひとり"},        {2, u"人", u"ふたり"},
      {14, u"人", u"じゅうよにん"}, {4, u"時", u"よじ"},
      {19, u"時", u"じゅうくじ"},   {9, u"月", u"くがつ"},
      {1, u"つ", u"ひとつ"},        {20, u"歳", u"はたち"},
      {1, u"ヶ月", u"いっかげつ"},
  };
  for (const auto& c : kCases) {
    const std::vector<std::u16string> readings = ReadCounted(c.value, c.counter);
    ASSERT_FALSE(readings.empty()) << Utf8(c.counter);
    EXPECT_EQ(Utf8(readings.front()), Utf8(c.reading)) << c.value << Utf8(c.counter);
  }
  EXPECT_EQ(Utf8(ReadCounted(0, u"本", true).front()), "なんぼん");
  EXPECT_EQ(Utf8(ReadCounted(0, u"階", true).front()), "なんがい");
  EXPECT_TRUE(ReadCounted(3, u"山").empty());
}

}  // namespace
