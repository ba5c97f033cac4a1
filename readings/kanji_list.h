// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace readings::internal {

// Readings of single kanji, from the list that kanjidic_to_list.py makes of KANJIDIC: what a kanji
// may read when no dictionary word holds it.
class KanjiList {
 public:
  // An empty list.
  KanjiList() = default;

  // The list in `file` (UTF-8; one kanji a line, a tab, readings in hiragana separated by |, a
  // kun reading with "." before the kana of its ending where it has one: ささや.く); empty when
  // the file cannot be opened. Lines that are not of that form are skipped.
  static KanjiList Load(const std::filesystem::path& file);

  // The readings of `kanji` with the kana `after` it, the likeliest first: those whose ending
  // `after` begins with, then those that stand alone, then those whose ending does not follow;
  // none when the list does not have the kanji.
  std::vector<std::u16string> ReadingsOf(char32_t kanji, std::u16string_view after = {}) const;

 private:
  std::unordered_map<char32_t, std::u16string> readings_;  // separated by |
};

}  // namespace readings::internal
