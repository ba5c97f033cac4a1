// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "readings/repeat_marks.h"

#include <algorithm>

#include "readings/piece.h"
#include "readings/script.h"

namespace readings::internal {

std::vector<std::u16string> RepeatedReadings(std::u16string_view reading) {
  constexpr std::u16string_view kVoiceable = u"かきくけこさしすせそたちつてとはひふへほ";
  constexpr std::u16string_view kVoiced = u"がぎぐげござじずぜぞだぢづでどばびぶべぼ";
  std::u16string plain = std::u16string(reading) + std::u16string(reading);
  const bool voiceable = kVoiceable.find(reading.front()) != std::u16string_view::npos &&
                         reading.find_first_of(kVoiced) == std::u16string_view::npos;
  if (!voiceable) return {plain};
  std::u16string voiced = plain;
  voiced[reading.size()] = static_cast<char16_t>(voiced[reading.size()] + 1);
  return {voiced, plain};
}

bool ReadRepeatMark(const Piece& piece, std::size_t position, std::vector<Replacement>& found) {
  if (found.empty() || found.back().readings.empty() ||
      found.back().position + found.back().length != position) {
    return false;
  }
  Replacement& kanji = found.back();
  const auto [c, size] = CodePointAt(piece.Text(), kanji.position);
  if (kanji.length != size || !IsKanji(c) || IsRepeatMark(c)) return false;
  std::vector<std::u16string> readings = piece.ReadingsOfCharacters(kanji.position, position + 1);
  if (std::all_of(readings.begin(), readings.end(), [](const auto& r) { return r.empty(); })) {
    for (const std::u16string& reading : kanji.readings) {
      for (std::u16string& repeat : RepeatedReadings(reading)) readings.push_back(std::move(repeat));
    }
  }
  kanji.readings = Distinct(std::move(readings));
  kanji.length += 1;
  return true;
}

}  // namespace readings::internal
