// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "readings/word_list.h"

#include <algorithm>
#include <array>
#include <optional>
#include <tuple>
#include <utility>

#include "readings/list_file.h"
#include "readings/script.h"

namespace readings::internal {
namespace {

struct Conjugation {
  std::string_view code;
  std::u16string_view next;  // the kana that may follow the stem
};

// Godan verbs take their row of kana, with the い, っ or ん of the past and te forms; ichidan
// verbs the first kana of their endings (見る, 見れば, 見ろ, 見よう, 見た, 見て, 見ない, 見ます,
// 見ず, 見させる, 見られる, 見ぬ); adjectives those of theirs (青い, 青く, 青かった, 青ければ,
// 青さ, 青き, 青し, 青み, 青げ, 青そう, 青すぎる).
// clang-format off
constexpr std::array kConjugations = {
    //          class      kana after the stem
    Conjugation{"v1",     u"るれろよたてなまずさらぬ"},
    Conjugation{"v1-s",   u"るれろよたてなまず"},
    Conjugation{"v5aru",  u"らりるれいっ"},
    Conjugation{"v5b",    u"ばびぶべぼん"},
    Conjugation{"v5g",    u"がぎぐげごい"},
    Conjugation{"v5k",    u"かきくけこい"},
    Conjugation{"v5k-s",  u"かきくけこっ"},
    Conjugation{"v5m",    u"まみむめもん"},
    Conjugation{"v5n",    u"なにぬねのん"},
    Conjugation{"v5r",    u"らりるれろっ"},
    Conjugation{"v5r-i",  u"らりるれろっ"},
    Conjugation{"v5s",    u"さしすせそ"},
    Conjugation{"v5t",    u"たちつてとっ"},
    Conjugation{"v5u",    u"わいうえおっ"},
    Conjugation{"v5u-s",  u"わいうえおっ"},
    Conjugation{"adj-i",  u"いくかけさきしみげそす"},
};
// clang-format on

// The bytes of the first character of the UTF-8 `key`, as one number.
std::uint32_t FirstCharacter(std::string_view key) {
  const auto lead = static_cast<unsigned char>(key[0]);
  const std::size_t size = std::min<std::size_t>(key.size(), lead < 0xC0   ? 1
                                                             : lead < 0xE0 ? 2
                                                             : lead < 0xF0 ? 3
                                                                           : 4);
  std::uint32_t character = 0;
  for (std::size_t i = 0; i < size; ++i) {
    character = character << 8 | static_cast<unsigned char>(key[i]);
  }
  return character;
}

// A word's line of the list: a key, a tab, a conjugation class or nothing, a tab, readings.
struct WordLine {
  std::size_t key_size;
  std::uint8_t conjugation;  // one past its index in kConjugations, 0 for none
  std::string_view readings;
};

// `line` as a word's line; nothing when it is none, or of a class that kConjugations lacks.
std::optional<WordLine> ParseWordLine(std::string_view line) {
  const std::size_t tab = line.find('\t');
  if (tab == 0 || tab == std::string_view::npos) return std::nullopt;
  const std::size_t second = line.find('\t', tab + 1);
  if (second == std::string_view::npos) return std::nullopt;
  WordLine word{tab, 0, line.substr(second + 1)};
  const std::string_view conjugation = line.substr(tab + 1, second - tab - 1);
  if (conjugation.empty()) return word;
  for (std::size_t k = 0; k < kConjugations.size(); ++k) {
    if (kConjugations[k].code != conjugation) continue;
    word.conjugation = static_cast<std::uint8_t>(k + 1);
    return word;
  }
  return std::nullopt;
}

}  // namespace

WordList WordList::Load(const std::filesystem::path& file) {
  WordList list;
  // A list of 64 MB is far beyond EDICT's: a larger file is no list.
  std::optional<std::string> read = ReadListFile(file, 64 << 20);
  if (!read) return list;
  list.bytes_ = std::move(*read);
  const std::string_view bytes = list.bytes_;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
    std::string_view line = bytes.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::optional<WordLine> word =
        line.starts_with('#') ? std::nullopt : ParseWordLine(line);
    // The readings are converted once here, and a line whose readings are not hiragana is
    // never found.
    const std::u16string readings = word ? FromUtf8(word->readings) : std::u16string();
    if (word && word->key_size <= UINT16_MAX && IsReadingList(readings)) {
      list.lines_.push_back({static_cast<std::uint32_t>(start),
                             static_cast<std::uint16_t>(word->key_size), word->conjugation,
                             static_cast<std::uint32_t>(list.readings_.size()),
                             static_cast<std::uint32_t>(readings.size())});
      list.readings_ += readings;
      list.longest_ = std::max(list.longest_, word->key_size);
    }
    start = end + 1;
  }
  // The converter writes the words in order; a list edited by hand may not be.
  const auto by_key = [&list](Line a, Line b) { return list.Key(a) < list.Key(b); };
  if (!std::is_sorted(list.lines_.begin(), list.lines_.end(), by_key)) {
    std::stable_sort(list.lines_.begin(), list.lines_.end(), by_key);
  }
  for (std::size_t line = 0; line < list.lines_.size();) {
    const std::uint32_t character = FirstCharacter(list.Key(list.lines_[line]));
    std::size_t next = line + 1;
    while (next < list.lines_.size() && FirstCharacter(list.Key(list.lines_[next])) == character) {
      ++next;
    }
    list.by_first_character_.emplace(
        character, std::pair{static_cast<std::uint32_t>(line), static_cast<std::uint32_t>(next)});
    line = next;
  }
  return list;
}

std::pair<std::vector<WordList::Line>::const_iterator, std::vector<WordList::Line>::const_iterator>
WordList::Narrow(std::vector<Line>::const_iterator first, std::vector<Line>::const_iterator last,
                 std::string_view prefix) const {
  first = std::lower_bound(first, last, prefix,
                           [this](Line line, std::string_view p) { return Key(line) < p; });
  last = std::upper_bound(first, last, prefix, [this](std::string_view p, Line line) {
    return p < Key(line).substr(0, p.size());
  });
  return {first, last};
}

std::vector<WordList::Word> WordList::WordsAt(std::u16string_view text,
                                              std::size_t shortest) const {
  std::vector<Word> words;
  if (lines_.empty() || text.empty()) return words;
  // The lines whose keys begin with the characters read so far, narrowed character by character
  // from those of the first; of these, a key that is those characters themselves comes first.
  std::string prefix;
  auto first = lines_.cend();
  auto last = lines_.cend();
  for (std::size_t units = 0; units < text.size();) {
    const auto [c, size] = CodePointAt(text, units);
    AppendUtf8(prefix, ForAnalyzer(c));
    if (prefix.size() > longest_) break;
    if (units == 0) {
      const auto range = by_first_character_.find(FirstCharacter(prefix));
      if (range == by_first_character_.end()) break;
      first = lines_.cbegin() + range->second.first;
      last = lines_.cbegin() + range->second.second;
    } else {
      std::tie(first, last) = Narrow(first, last, prefix);
    }
    if (first == last) break;
    units += size;
    if (units < shortest) continue;
    for (auto line = first; line != last && line->key_size == prefix.size(); ++line) {
      if (line->conjugation != 0 &&
          (units == text.size() || kConjugations[line->conjugation - 1].next.find(text[units]) ==
                                       std::u16string_view::npos)) {
        continue;
      }
      words.push_back({units, std::u16string_view(readings_).substr(line->readings,
                                                                    line->readings_size),
                       line->conjugation != 0});
    }
  }
  // Found shortest first: the longest first, each length's words in the list's order.
  std::reverse(words.begin(), words.end());
  for (auto same = words.begin(); same != words.end();) {
    const auto next =
        std::find_if(same, words.end(), [same](const Word& w) { return w.length != same->length; });
    std::reverse(same, next);
    same = next;
  }
  return words;
}

}  // namespace readings::internal
