// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "readings/kanji_list.h"

#include <algorithm>
#include <fstream>
#include <iterator>

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
  // Only a file of the list's size is read: not a pipe, a device or a runaway file.
  constexpr std::uintmax_t kLargest = 16 << 20;
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error) ||
      std::filesystem::file_size(file, error) > kLargest || error) {
    return list;
  }
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
