// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "readings/kanji_list.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "readings/list_file.h"
#include "readings/script.h"

namespace readings::internal {
namespace {

// Whether `readings` is readings separated by |, each in hiragana and perhaps with "." before
// the hiragana of its ending.
bool IsKanjiReadingList(std::u16string_view readings) {
  std::u16string without_dots(readings);
  for (std::size_t start = 0; start < readings.size();) {
    const std::size_t bar = std::min(readings.find(u'|', start), readings.size());
    const std::size_t dot = readings.substr(start, bar - start).find(u'.');
    if (dot != std::u16string_view::npos) {
      if (dot == 0 || start + dot + 1 == bar) return false;
      without_dots[start + dot] = u'|';  // the stem and the ending as two readings
    }
    start = bar + 1;
  }
  return IsReadingList(without_dots);
}

}  // namespace

KanjiList KanjiList::Load(const std::filesystem::path& file) {
  KanjiList list;
  // A list of 16 MB is far beyond KANJIDIC's: a larger file is no list.
  const std::optional<std::string> bytes = ReadListFile(file, 16 << 20);
  if (!bytes) return list;
  const std::u16string text = FromUtf8(*bytes);
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find(u'\n', start), text.size());
    std::u16string_view line = std::u16string_view(text).substr(start, end - start);
    start = end + 1;
    if (line.ends_with(u'\r')) line.remove_suffix(1);
    if (line.empty()) continue;
    const CodePoint kanji = CodePointAt(line, 0);
    const std::u16string_view readings = line.substr(std::min(kanji.size + 1, line.size()));
    if (!IsKanji(kanji.value) || line.size() <= kanji.size + 1 || line[kanji.size] != u'\t' ||
        !IsKanjiReadingList(readings)) {
      continue;
    }
    list.readings_.emplace(kanji.value, readings);
  }
  return list;
}

std::vector<std::u16string> KanjiList::ReadingsOf(char32_t kanji, std::u16string_view after) const {
  const auto found = readings_.find(kanji);
  if (found == readings_.end()) return {};
  std::vector<std::u16string> fitting;
  std::vector<std::u16string> alone;
  std::vector<std::u16string> unfitting;
  for (std::u16string& reading : SplitReadings(found->second)) {
    const std::size_t dot = reading.find(u'.');
    if (dot == std::u16string::npos) {
      alone.push_back(std::move(reading));
    } else {
      const bool fits = after.starts_with(std::u16string_view(reading).substr(dot + 1));
      reading.resize(dot);
      (fits ? fitting : unfitting).push_back(std::move(reading));
    }
  }
  fitting.insert(fitting.end(), std::make_move_iterator(alone.begin()),
                 std::make_move_iterator(alone.end()));
  fitting.insert(fitting.end(), std::make_move_iterator(unfitting.begin()),
                 std::make_move_iterator(unfitting.end()));
  return fitting;
}

}  // namespace readings::internal
