// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// The passes that need no dictionary, on replacements and texts made here.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "readings/piece.h"
#include "readings/remembered.h"
#include "tests/support/utf16.h"

namespace {

using readings::Replacement;
using test_support::Utf8;

// The replacements as "position+length:first reading" and blanks, for a readable failure.
std::string Describe(const std::vector<Replacement>& found) {
  std::string out;
  for (const Replacement& r : found) {
    out += std::to_string(r.position) + "+" + std::to_string(r.length) + ":" +
           Utf8(r.readings.empty() ? u"" : r.readings.front()) + " ";
  }
  return out;
}

TEST(RememberedWords, TakeTheWordsThatHoldWholeReplacements) {
  readings::RememberedWords kept;
  kept.Set({{u"お母さん", u"おかあさん"}, {u"明日", u"あす"}, {u"明日の空", u"あしたのそら"},
            {u"空色", u"そらいろ"}});
  const struct {
    std::u16string_view text;
    std::vector<Replacement> found;
    std::string expected;
  } kCases[] = {
      // Kana before the first kanji belong to the word; the dictionary's reading comes second.
      {u"お母さん", {{1, 1, {u"かあ"}}}, "0+4:おかあさん "},
      // The longest word kept wins, and takes the kana between its replacements.
      {u"明日の空", {{0, 2, {u"あした"}}, {3, 1, {u"そら"}}}, "0+4:あしたのそら "},
      {u"明日空", {{0, 2, {u"あした"}}, {2, 1, {u"そら"}}}, "0+2:あす 2+1:そら "},
      // A word that would end inside a replacement, or start inside one, is not taken.
      {u"空色彩", {{0, 1, {u"そら"}}, {1, 2, {u"いろどり"}}}, "0+1:そら 1+2:いろどり "},
      {u"青空色", {{0, 2, {u"あおぞら"}}, {2, 1, {u"いろ"}}}, "0+2:あおぞら 2+1:いろ "},
  };
  for (const auto& c : kCases) {
    std::vector<Replacement> found = c.found;
    kept.Apply(c.text, found);
    EXPECT_EQ(Describe(found), c.expected) << Utf8(c.text);
  }
  std::vector<Replacement> found = {{0, 2, {u"あした", u"みょうにち"}}};
  kept.Apply(u"明日", found);
  EXPECT_EQ(found[0].readings, (std::vector<std::u16string>{u"あす", u"あした", u"みょうにち"}));
}

TEST(Pieces, CutLongLinesAfterAPauseAndNeverInsideACharacter) {
  using readings::internal::kLongestPiece;
  std::u16string text = std::u16string(kLongestPiece - 10, u'あ') + u"、" +
                        std::u16string(kLongestPiece, u'い') + u"\n" + u"う";
  // No pause in the second half of the piece: it is cut at its length, before a pair it splits.
  text += std::u16string(kLongestPiece - 2, u'え') + u"𠮟" + u"お";
  std::vector<std::pair<std::size_t, std::size_t>> pieces;
  readings::internal::ForEachPiece(text, 0, text.size(), [&](std::size_t from, std::size_t to) {
    pieces.emplace_back(from, to);
  });
  const std::size_t line = 2 * kLongestPiece - 9;  // where the line break is
  const std::vector<std::pair<std::size_t, std::size_t>> expected = {
      {0, kLongestPiece - 9},
      {kLongestPiece - 9, line},
      {line + 1, line + kLongestPiece},
      {line + kLongestPiece, text.size()},
  };
  EXPECT_EQ(pieces, expected);
}

}  // namespace
