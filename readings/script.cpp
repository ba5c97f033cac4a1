// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "readings/script.h"

#include <algorithm>

namespace readings::internal {

CodePoint CodePointAt(std::u16string_view text, std::size_t i) {
  const char16_t unit = text[i];
  if (SplitsPair(text, i + 1)) {
    return {0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{text[i + 1]} - 0xDC00), 2};
  }
  return {IsLeadSurrogate(unit) || IsTrailSurrogate(unit) ? U'\uFFFD' : unit, 1};
}

bool IsKanji(char32_t c) {
  return (c >= 0x4E00 && c <= 0x9FFF) ||    // unified ideographs
         (c >= 0x3400 && c <= 0x4DBF) ||    // extension A
         (c >= 0xF900 && c <= 0xFAFF) ||    // compatibility ideographs
         (c >= 0x20000 && c <= 0x323AF) ||  // extensions B to I, compatibility supplement
         c == U'々' || c == U'〆' || c == U'〇' || c == U'〻';
}

bool IsKanjiLink(char32_t c) { return c == U'ヶ' || c == U'ヵ' || c == U'ケ'; }

bool IsKana(char32_t c) { return (c >= 0x3041 && c <= 0x309F) || (c >= 0x30A0 && c <= 0x30FF); }

std::u16string ToHiragana(std::u16string_view text) {
  std::u16string hiragana(text);
  for (char16_t& unit : hiragana) {
    unit = ToHiragana(unit);
  }
  return hiragana;
}

namespace {

// Writes the UTF-8 of `c` at `out`, which has room for four bytes, and returns how many it took.
std::size_t EncodeUtf8(char32_t c, char* out) {
  auto put = [out](std::size_t at, char32_t value) {
    out[at] = static_cast<char>(static_cast<unsigned char>(value));
  };
  if (c < 0x80) {
    put(0, c);
    return 1;
  }
  if (c < 0x800) {
    put(0, 0xC0 | (c >> 6));
    put(1, 0x80 | (c & 0x3F));
    return 2;
  }
  if (c < 0x10000) {
    put(0, 0xE0 | (c >> 12));
    put(1, 0x80 | ((c >> 6) & 0x3F));
    put(2, 0x80 | (c & 0x3F));
    return 3;
  }
  put(0, 0xF0 | (c >> 18));
  put(1, 0x80 | ((c >> 12) & 0x3F));
  put(2, 0x80 | ((c >> 6) & 0x3F));
  put(3, 0x80 | (c & 0x3F));
  return 4;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
  char bytes[4];
  out.append(bytes, EncodeUtf8(c, bytes));
}

Utf8Text ToUtf8(std::u16string_view text) {
  // A code unit takes at most three bytes; a surrogate pair, two units, takes four.
  Utf8Text out;
  out.bytes.resize(text.size() * 3);
  out.position.resize(text.size() * 3 + 1);
  std::size_t byte = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto [c, size] = CodePointAt(text, i);
    const std::size_t taken = EncodeUtf8(ForAnalyzer(c), out.bytes.data() + byte);
    std::fill_n(out.position.begin() + static_cast<std::ptrdiff_t>(byte), taken,
                static_cast<std::uint32_t>(i));
    byte += taken;
    i += size;
  }
  out.position[byte] = static_cast<std::uint32_t>(text.size());
  out.bytes.resize(byte);
  out.position.resize(byte + 1);
  return out;
}

std::string Utf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size();) {
    const auto [c, size] = CodePointAt(text, i);
    AppendUtf8(out, c);
    i += size;
  }
  return out;
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t size = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = size == 1 ? lead : lead & (0x7Fu >> size);
    for (std::size_t k = 1; k < size && i + k < text.size(); ++k) {
      c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    }
    if (c >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
    i += size;
  }
  return out;
}

std::vector<std::u16string> SplitReadings(std::u16string_view readings) {
  std::vector<std::u16string> out;
  for (std::size_t start = 0; start <= readings.size();) {
    const std::size_t bar = std::min(readings.find(u'|', start), readings.size());
    out.emplace_back(readings.substr(start, bar - start));
    start = bar + 1;
  }
  return out;
}

}  // namespace readings::internal

namespace readings {

using internal::CodePointAt;
using internal::IsKanji;

std::vector<std::pair<std::size_t, std::size_t>> KanjiRuns(std::u16string_view text) {
  std::vector<std::pair<std::size_t, std::size_t>> runs;
  std::size_t start = 0;
  std::size_t end = 0;  // of the run being collected, past its last kanji; 0 while none
  for (std::size_t i = 0; i < text.size();) {
    const auto [c, size] = CodePointAt(text, i);
    if (IsKanji(c)) {
      // Only links (ヶ) can stand between this kanji and the run's last one.
      if (end == 0) start = i;
      end = i + size;
    } else if (end != 0 && !internal::IsKanjiLink(c)) {
      runs.emplace_back(start, end - start);
      end = 0;
    }
    i += size;
  }
  if (end != 0) runs.emplace_back(start, end - start);
  return runs;
}

}  // namespace readings
