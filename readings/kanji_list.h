// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace readings::internal {

// Readings of single kanji, from the list that kanjidic_to_list.py makes of KANJIDIC: what a kanji
// may read when no dictionary word holds it.
class KanjiList {
 public:
  // An empty list.
  KanjiList() = default;

  // The list in `file` (UTF-8; one kanji a line, a tab, readings in hiragana separated by |);
  // empty when the file cannot be opened. Lines that are not of that form are skipped.
  static KanjiList Load(const std::filesystem::path& file);

  // The readings of `kanji`, the likeliest first; none when the list does not have it.
  std::vector<std::u16string> ReadingsOf(char32_t kanji) const;

 private:
  std::unordered_map<char32_t, std::u16string> readings_;  // separated by |
};

}  // namespace readings::internal
