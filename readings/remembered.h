// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "readings/readings.h"

namespace readings {

// The readings that the user keeps for words, which win over the dictionary's wherever such a
// word stands whole among the words read.
class RememberedWords {
 public:
  using Words = std::vector<std::pair<std::u16string, std::u16string>>;

  // Keeps `words`, as (word, reading), in place of those kept before; a later pair wins over an
  // earlier one for the same word, and pairs that IsReading refuses are left out.
  void Set(Words words);

  // The reading kept for `word`, if any.
  std::optional<std::u16string> Kept(std::u16string_view word) const;

  bool empty() const { return readings_.empty(); }

  // Makes each kept word of `text` that holds whole replacements of `found` (in order, not
  // overlapping), where no longer word kept starts, one replacement with its kept reading first
  // and the readings of what it holds after it. A kept word starts at most a few kana before its
  // first kanji (お母さん).
  void Apply(std::u16string_view text, std::vector<Replacement>& found) const;

 private:
  // The longest kept word that starts at `start`, holds found[next] and whole replacements up to
  // its end, and that no replacement of `out` reaches into; the number of code units it takes, or
  // 0 when there is none.
  std::size_t WordAt(std::u16string_view text, std::size_t start,
                     const std::vector<Replacement>& found, std::size_t next,
                     const std::vector<Replacement>& out) const;

  // Hashes strings and string views alike, so that a view finds a kept word without a copy.
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view text) const {
      return std::hash<std::u16string_view>()(text);
    }
  };

  std::unordered_map<std::u16string, std::u16string, Hash, std::equal_to<>> readings_;
  // For each length up to the longest word's, whether a word of that length is kept.
  std::vector<bool> lengths_;
};

}  // namespace readings
