// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace readings::internal {

// Words with their readings, from the list that edict_to_list.py makes of EDICT: readings of
// words that the dictionary lacks, or reads otherwise than songs may.
class WordList {
 public:
  // An empty list.
  WordList() = default;

  // The list in `file` (UTF-8, sorted by its bytes; one word a line: its key, a tab, its
  // conjugation class or nothing, a tab, its readings in hiragana separated by |), kept as it
  // is; empty when the file cannot be read. "#" starts a comment line. A line of another form
  // is never found.
  static WordList Load(const std::filesystem::path& file);

  bool empty() const { return lines_.empty(); }

  struct Word {
    std::size_t length = 0;         // of the key, in code units
    std::u16string_view readings;   // of the key, separated by |, the likeliest first
    bool inflects = false;          // a verb's or an adjective's stem
  };

  // The words whose keys begin `text` and take at least `shortest` code units of it, the longest
  // first: a verb's or an adjective's stem only where kana of its conjugation follow it. The
  // readings stay valid as long as the list.
  std::vector<Word> WordsAt(std::u16string_view text, std::size_t shortest = 1) const;

 private:
  // A word's line: where it starts, how many bytes its key takes, its conjugation class (one past
  // its index in the table of classes, 0 for none), and where its readings lie in `readings_`.
  struct Line {
    std::uint32_t start;
    std::uint16_t key_size;
    std::uint8_t conjugation;
    std::uint32_t readings;
    std::uint32_t readings_size;
  };

  std::string_view Key(Line line) const { return {bytes_.data() + line.start, line.key_size}; }
  // The lines whose keys begin with the UTF-8 `prefix`, of those in [first, last), which begin
  // with all of it but its last character.
  std::pair<std::vector<Line>::const_iterator, std::vector<Line>::const_iterator> Narrow(
      std::vector<Line>::const_iterator first, std::vector<Line>::const_iterator last,
      std::string_view prefix) const;

  std::string bytes_;
  std::u16string readings_;  // of every line, converted once
  std::vector<Line> lines_;  // by key
  // The lines [first, second) whose keys begin with a character, by its bytes.
  std::unordered_map<std::uint32_t, std::pair<std::uint32_t, std::uint32_t>> by_first_character_;
  std::size_t longest_ = 0;  // key, in bytes
};

}  // namespace readings::internal
