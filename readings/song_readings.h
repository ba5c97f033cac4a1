// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace readings::internal {

// Words that songs read otherwise than prose does (明日 あした rather than あす), from
// song_readings.tsv: each word's characters and the reading to prefer, in hiragana.
const std::vector<std::pair<std::u16string, std::u16string>>& SongReadings();

}  // namespace readings::internal
