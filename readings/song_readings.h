// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace readings::internal {

// A word that songs read otherwise than prose does (明日 あした rather than あす): its characters,
// and in hiragana the reading to prefer and then readings to offer beside the dictionary's.
struct SongReading {
  std::u16string word;
  std::u16string next;  // kana that must follow the word for the reading to hold, if any
  std::vector<std::u16string> readings;
};

// The words of song_readings.tsv.
const std::vector<SongReading>& SongReadings();

}  // namespace readings::internal
