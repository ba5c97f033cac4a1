// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "readings/word_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "readings/readings.h"
#include "tests/readings/dictionary.h"
#include "tests/support/utf16.h"

namespace {

using test_support::SharedReader;
using test_support::Utf8;

TEST(WordList, ReadsWhatTheDictionaryLacksAndOffersItsOtherReadings) {
  SKIP_WITHOUT_DICTIONARY();
  const struct {
    std::u16string_view text;
    std::u16string_view word;                // a replacement of exactly these characters
    std::vector<std::u16string_view> first;  // its first readings, in order
    std::vector<std::u16string_view> not_offered = {};
  } kCases[] = {
      // After the dictionary's readings, the common ones first.
      {u"現世の夢", u"現世", {u"げんせい", u"げんせ", u"うつしよ"}},
      {u"夜半の月", u"夜半", {u"やはん", u"よわ"}},
      {u"灯火", u"灯火", {u"ともしび", u"とうか", u"あかり"}},
      {u"詩を歌う", u"詩", {u"し", u"うた"}},
      // Runs that the best path reads kanji by kanji.
      {u"朝焼の空", u"朝焼", {u"あさやけ"}},
      {u"幾千の星", u"幾千", {u"いくせん"}},
      {u"黒煙が上がる", u"黒煙", {u"こくえん", u"くろけむり"}},  // the common one first
      {u"揺蕩う", u"揺蕩", {u"たゆた"}},
      {u"揺蕩の", u"揺蕩", {u"ようとう"}, {u"たゆた"}},  // no verb ending follows
      // A noun of the dictionary that the list has as a verb whose ending follows.
      {u"彷徨う", u"彷徨", {u"さまよ", u"ほうこう"}},
      {u"空から", u"空", {u"そら"}},        // から is a particle, not an ending of 空く
      {u"空いっぱい", u"空", {u"そら"}},    // nor いっぱい, a word of its own
      {u"雨降る街", u"降", {u"ふ"}},        // 雨降 (あめふり) holds the kanji of a verb
      {u"微笑みを", u"微笑", {u"ほおえ"}},  // 笑み is a word
      {u"花の宴", u"宴", {u"うたげ"}},      // a phrase of the list joins no runs
  };
  for (const auto& c : kCases) {
    const std::vector<readings::Replacement> found = SharedReader().Read(c.text);
    const auto word = std::find_if(found.begin(), found.end(), [&c](const auto& r) {
      return c.text.substr(r.position, r.length) == c.word;
    });
    ASSERT_NE(word, found.end()) << Utf8(c.text);
    ASSERT_GE(word->readings.size(), c.first.size()) << Utf8(c.text);
    for (std::size_t k = 0; k < c.first.size(); ++k) {
      EXPECT_EQ(Utf8(word->readings[k]), Utf8(c.first[k])) << Utf8(c.text) << " at " << k;
    }
    for (const std::u16string_view reading : c.not_offered) {
      EXPECT_EQ(std::find(word->readings.begin(), word->readings.end(), reading),
                word->readings.end())
          << Utf8(c.text) << " offers " << Utf8(reading);
    }
  }
}

TEST(WordList, KeepsTheGoodLinesOfAListInAnyOrder) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / "melivant-word-list-test.txt";
  std::ofstream(file, std::ios::binary) << "# words\n朝焼\t\tあさやけ\n彷徨\tv5u\tさまよ\n"
                                           "彷徨\t\tほうこう\nno tabs\n何\tv9\tなん\n"
                                           "空\t\tソラ\n幾千\t\tいくせん\r\n";
  const auto list = readings::internal::WordList::Load(file);
  std::filesystem::remove(file);
  const struct {
    std::u16string_view text;
    std::u16string_view readings;  // of the words found, longest first, separated by blanks
  } kCases[] = {
      {u"彷徨う", u"さまよ ほうこう"},
      {u"彷徨の", u"ほうこう"},
      {u"彷徨", u"ほうこう"},
      {u"朝焼", u"あさやけ"},
      {u"幾千", u"いくせん"},
      {u"空", u""},
      {u"何か", u""},
  };
  for (const auto& c : kCases) {
    std::u16string readings;
    for (const auto& word : list.WordsAt(c.text)) {
      if (!readings.empty()) readings += u' ';
      readings += word.readings;
    }
    EXPECT_EQ(Utf8(readings), Utf8(c.readings)) << Utf8(c.text);
  }
  // No list, and no wait: a missing file, a folder, a pipe that nothing writes to.
  EXPECT_TRUE(readings::internal::WordList::Load(file).empty());
  EXPECT_TRUE(readings::internal::WordList::Load(file.parent_path()).empty());
#ifndef _WIN32
  ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
  EXPECT_TRUE(readings::internal::WordList::Load(file).empty());
  std::filesystem::remove(file);
#endif
}

}  // namespace
