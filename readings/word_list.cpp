// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "readings/word_list.h"

#include <algorithm>
#include <array>
#include <optional>
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

// Whether `line` is a word of the list: a key, a tab, a class, a tab, readings. The readings
// are checked where a word is found.
bool IsWordLine(std::string_view line) {
  const std::size_t tab = line.find('\t');
  if (tab == 0 || tab == std::string_view::npos) return false;
  const std::size_t second = line.find('\t', tab + 1);
  if (second == std::string_view::npos) return false;
  const std::string_view conjugation = line.substr(tab + 1, second - tab - 1);
  return conjugation.empty() || !Inflections(conjugation).empty();
}

}  // namespace

std::u16string_view Inflections(std::string_view conjugation) {
  for (const Conjugation& c : kConjugations) {
    if (c.code == conjugation) return c.next;
  }
  return {};
}

WordList WordList::Load(const std::filesystem::path& file) {
  WordList list;
  // A list of 64 MB is far beyond EDICT's: a larger file is no list.
  std::optional<std::string> read = ReadListFile(file, 64 << 20);
  if (!read) return list;
  list.bytes_ = std::move(*read);
  const std::string_view bytes = list.bytes_;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
    const std::string_view line = bytes.substr(start, end - start);
    if (!line.starts_with('#') && IsWordLine(line)) {
      const std::size_t key_size = line.find('\t');
      list.lines_.push_back(
          {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(key_size)});
      list.longest_ = std::max(list.longest_, key_size);
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

std::vector<WordList::Word> WordList::WordsAt(std::u16string_view text,
                                              std::size_t shortest) const {
  std::vector<Word> words;
  if (lines_.empty()) return words;
  // Each character takes at least one byte, so no key is longer in code units than in bytes.
  const std::u16string_view head = text.substr(0, std::min(text.size(), longest_));
  const Utf8Text utf8 = ToUtf8(head);
  const std::string_view bytes = utf8.bytes;
  // The lines whose keys begin with the characters up to `length` bytes, narrowed character by
  // character from those of the first; of these, a key that is those characters themselves
  // comes first.
  const auto range = by_first_character_.find(FirstCharacter(bytes));
  if (range == by_first_character_.end()) return words;
  auto first = lines_.begin() + range->second.first;
  auto last = lines_.begin() + range->second.second;
  for (std::size_t length = 1; length <= bytes.size() && first != last; ++length) {
    if (length < bytes.size() && utf8.position[length] == utf8.position[length - 1]) continue;
    const std::string_view prefix = bytes.substr(0, length);
    if (utf8.position[length - 1] > 0) {  // beyond the first character
      first = std::lower_bound(first, last, prefix,
                               [this](Line line, std::string_view p) { return Key(line) < p; });
      last = std::upper_bound(first, last, prefix, [this, length](std::string_view p, Line line) {
        return p < Key(line).substr(0, length);
      });
    }
    const std::size_t units = length < bytes.size() ? utf8.position[length] : head.size();
    if (units < shortest) continue;
    for (auto line = first; line != last && line->key_size == length; ++line) {
      const std::string_view rest = std::string_view(bytes_).substr(line->start + length + 1);
      const std::size_t tab = rest.find('\t');
      const std::string_view conjugation = rest.substr(0, tab);
      if (!conjugation.empty() &&
          (units == text.size() ||
           Inflections(conjugation).find(text[units]) == std::u16string_view::npos)) {
        continue;
      }
      std::string_view readings = rest.substr(tab + 1);
      readings = readings.substr(0, readings.find('\n'));
      if (readings.ends_with('\r')) readings.remove_suffix(1);
      std::u16string converted = FromUtf8(readings);
      if (IsReadingList(converted)) {
        words.push_back({units, std::move(converted), !conjugation.empty()});
      }
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
