// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "readings/kanji_list.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "readings/script.h"

namespace readings::internal {

KanjiList KanjiList::Load(const std::filesystem::path& file) {
  KanjiList list;
  std::ifstream in(file, std::ios::binary);
  if (!in.is_open()) return list;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::u16string text = FromUtf8(bytes);
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find(u'\n', start), text.size());
    std::u16string_view line = std::u16string_view(text).substr(start, end - start);
    start = end + 1;
    if (line.ends_with(u'\r')) line.remove_suffix(1);
    if (line.empty()) continue;
    const CodePoint kanji = CodePointAt(line, 0);
    const std::u16string_view readings = line.substr(std::min(kanji.size + 1, line.size()));
    if (!IsKanji(kanji.value) || line.size() <= kanji.size + 1 || line[kanji.size] != u'\t' ||
        !IsReadingList(readings)) {
      continue;
    }
    list.readings_.emplace(kanji.value, readings);
  }
  return list;
}

std::vector<std::u16string> KanjiList::ReadingsOf(char32_t kanji) const {
  const auto found = readings_.find(kanji);
  return found == readings_.end() ? std::vector<std::u16string>() : SplitReadings(found->second);
}

}  // namespace readings::internal
