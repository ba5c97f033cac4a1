// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "readings/align.h"

#include "readings/script.h"

namespace readings::internal {
namespace {

// Words longer than this are not split, so that a strange entry cannot make the search slow.
constexpr std::size_t kLongestWord = 64;

struct Segment {
  bool kanji;
  std::size_t offset;
  std::size_t length;
  std::u16string text;  // what the reading must hold here: the kana as hiragana; empty for kanji
};

// Gives each kanji segment from `index` on at least one character of `reading` from `at` on, the
// fewest first, so that every other segment matches its own place.
bool Match(const std::vector<Segment>& segments, std::size_t index, std::u16string_view reading,
           std::size_t at, std::vector<KanjiPart>& pieces) {
  if (index == segments.size()) return at == reading.size();
  const Segment& segment = segments[index];
  if (!segment.kanji) {
    return reading.substr(at).starts_with(segment.text) &&
           Match(segments, index + 1, reading, at + segment.text.size(), pieces);
  }
  for (std::size_t length = 1; at + length <= reading.size(); ++length) {
    pieces.push_back({segment.offset, segment.length, std::u16string(reading.substr(at, length))});
    if (Match(segments, index + 1, reading, at + length, pieces)) return true;
    pieces.pop_back();
  }
  return false;
}

}  // namespace

std::optional<std::vector<KanjiPart>> Align(std::u16string_view surface, const std::vector<bool>& kanji,
                                        std::u16string_view reading) {
  if (surface.size() > kLongestWord || reading.empty()) return std::nullopt;
  std::vector<Segment> segments;
  for (std::size_t i = 0; i < surface.size(); ++i) {
    if (segments.empty() || segments.back().kanji != kanji[i]) {
      segments.push_back({kanji[i], i, 0, {}});
    }
    ++segments.back().length;
    if (!kanji[i]) segments.back().text += ToHiragana(surface.substr(i, 1));
  }
  std::vector<KanjiPart> pieces;
  if (!Match(segments, 0, reading, 0, pieces)) return std::nullopt;
  return pieces;
}

}  // namespace readings::internal
