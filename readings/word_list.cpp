// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "readings/word_list.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>

#include "readings/script.h"

namespace readings::internal {
namespace {

struct Conjugation {
  std::u16string_view code;
  std::u16string_view next;  // the kana that may follow the stem
};

// Godan verbs take their row of kana, with the い, っ or ん of the past and te forms; ichidan
// verbs the first kana of their endings (見る, 見れば, 見ろ, 見よう, 見た, 見て, 見ない, 見ます,
// 見ず, 見させる, 見られる, 見ぬ); adjectives those of theirs (青い, 青く, 青かった, 青ければ,
// 青さ, 青き, 青し, 青み, 青げ, 青そう, 青すぎる).
// clang-format off
constexpr std::array kConjugations = {
    //          class      kana after the stem
    Conjugation{u"v1",     u"るれろよたてなまずさらぬ"},
    Conjugation{u"v1-s",   u"るれろよたてなまず"},
    Conjugation{u"v5aru",  u"らりるれいっ"},
    Conjugation{u"v5b",    u"ばびぶべぼん"},
    Conjugation{u"v5g",    u"がぎぐげごい"},
    Conjugation{u"v5k",    u"かきくけこい"},
    Conjugation{u"v5k-s",  u"かきくけこっ"},
    Conjugation{u"v5m",    u"まみむめもん"},
    Conjugation{u"v5n",    u"なにぬねのん"},
    Conjugation{u"v5r",    u"らりるれろっ"},
    Conjugation{u"v5r-i",  u"らりるれろっ"},
    Conjugation{u"v5s",    u"さしすせそ"},
    Conjugation{u"v5t",    u"たちつてとっ"},
    Conjugation{u"v5u",    u"わいうえおっ"},
    Conjugation{u"v5u-s",  u"わいうえおっ"},
    Conjugation{u"adj-i",  u"いくかけさきしみげそす"},
};
// clang-format on

// Whether `line` is a word of the list: a key, a tab, a class, a tab, readings.
bool IsWordLine(std::u16string_view line) {
  const std::size_t tab = line.find(u'\t');
  if (tab == 0 || tab == std::u16string_view::npos) return false;
  const std::size_t second = line.find(u'\t', tab + 1);
  if (second == std::u16string_view::npos) return false;
  const std::u16string_view conjugation = line.substr(tab + 1, second - tab - 1);
  return (conjugation.empty() || !Inflections(conjugation).empty()) &&
         IsReadingList(line.substr(second + 1));
}

}  // namespace

std::u16string_view Inflections(std::u16string_view conjugation) {
  for (const Conjugation& c : kConjugations) {
    if (c.code == conjugation) return c.next;
  }
  return {};
}

WordList WordList::Load(const std::filesystem::path& file) {
  WordList list;
  std::ifstream in(file, std::ios::binary);
  if (!in.is_open()) return list;
  list.text_ =
      FromUtf8(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
  if (in.bad()) return {};
  const std::u16string_view text = list.text_;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find(u'\n', start), text.size());
    std::u16string_view line = text.substr(start, end - start);
    if (line.ends_with(u'\r')) line.remove_suffix(1);
    if (!line.starts_with(u'#') && IsWordLine(line)) {
      list.lines_.push_back(static_cast<std::uint32_t>(start));
      list.longest_ = std::max(list.longest_, line.find(u'\t'));
    }
    start = end + 1;
  }
  // The converter writes the words in order; a list edited by hand may not be.
  const auto by_key = [&list](std::uint32_t a, std::uint32_t b) {
    return list.Key(a) < list.Key(b);
  };
  if (!std::is_sorted(list.lines_.begin(), list.lines_.end(), by_key)) {
    std::stable_sort(list.lines_.begin(), list.lines_.end(), by_key);
  }
  return list;
}

std::u16string_view WordList::Key(std::uint32_t line) const {
  const std::u16string_view rest = std::u16string_view(text_).substr(line);
  return rest.substr(0, rest.find(u'\t'));
}

std::vector<WordList::Word> WordList::WordsAt(std::u16string_view text) const {
  std::vector<Word> words;
  for (std::size_t length = std::min(longest_, text.size()); length > 0; --length) {
    const std::u16string_view key = text.substr(0, length);
    auto line =
        std::lower_bound(lines_.begin(), lines_.end(), key,
                         [this](std::uint32_t at, std::u16string_view k) { return Key(at) < k; });
    for (; line != lines_.end() && Key(*line) == key; ++line) {
      const std::u16string_view rest = std::u16string_view(text_).substr(*line + length + 1);
      const std::size_t tab = rest.find(u'\t');
      const std::u16string_view conjugation = rest.substr(0, tab);
      if (!conjugation.empty() &&
          (length == text.size() ||
           Inflections(conjugation).find(text[length]) == std::u16string_view::npos)) {
        continue;
      }
      const std::u16string_view readings = rest.substr(tab + 1);
      words.push_back(
          {length, readings.substr(0, readings.find_first_of(u"\r\n")), !conjugation.empty()});
    }
  }
  return words;
}

}  // namespace readings::internal
