// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <span>
#include <string_view>

namespace readings::internal {

// A word that songs read otherwise than prose does (明日 あした rather than あす): its characters,
// and in hiragana the reading to prefer and then readings to offer beside the dictionary's.
struct SongReading {
  std::u16string_view word;
  std::u16string_view next;  // kana that must follow the word for the reading to hold, if any
  std::u16string_view part_of_speech;  // the dictionary's first level: 名詞, 動詞
  std::u16string_view readings;        // separated by |
};

// The words of song_readings.tsv.
std::span<const SongReading> SongReadings();

}  // namespace readings::internal
