// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "readings/piece.h"

#include <algorithm>

#include "readings/numbers.h"

namespace readings::internal {
namespace {

bool IsPause(char16_t c) {
  return std::u16string_view(u" \t　。、，．！？!?,.「」『』（）()").find(c) !=
         std::u16string_view::npos;
}

std::vector<std::u16string> InHiragana(const std::vector<std::string_view>& entries) {
  std::vector<std::u16string> readings;
  for (const std::string_view entry : entries) readings.push_back(Hiragana(entry));
  return readings;
}

}  // namespace

void ForEachPiece(std::u16string_view text, std::size_t begin, std::size_t end,
                  const std::function<void(std::size_t, std::size_t)>& read) {
  std::size_t start = begin;
  for (std::size_t i = begin; i <= end; ++i) {
    if (i < end && !IsLineBreak(text[i])) continue;
    while (i - start > kLongestPiece) {
      std::size_t cut = start + kLongestPiece;
      while (cut > start + kLongestPiece / 2 && !IsPause(text[cut - 1])) --cut;
      if (cut == start + kLongestPiece / 2) cut = start + kLongestPiece;
      if (SplitsPair(text, cut)) --cut;
      read(start, cut);
      start = cut;
    }
    if (i > start) read(start, i);
    start = i + 1;
  }
}

std::vector<std::u16string> Distinct(std::vector<std::u16string> readings) {
  // In place: the first `kept` are distinct.
  std::size_t kept = 0;
  for (std::size_t k = 0; k < readings.size() && kept < kMaxAlternatives; ++k) {
    const auto distinct = readings.begin() + static_cast<std::ptrdiff_t>(kept);
    if (!readings[k].empty() && std::find(readings.begin(), distinct, readings[k]) == distinct) {
      if (k != kept) readings[kept] = std::move(readings[k]);
      ++kept;
    }
  }
  readings.resize(kept);
  return readings;
}

std::u16string Hiragana(std::string_view katakana) {
  std::u16string reading = FromUtf8(katakana);
  for (char16_t& unit : reading) {
    unit = ToHiragana(unit);
    if (!IsHiraganaLetter(unit)) return {};
  }
  return reading;
}

std::vector<std::u16string> ReadingsOfSpan(std::u16string_view text, std::size_t start,
                                           std::size_t end, const std::vector<Replacement>& found,
                                           std::size_t first, std::size_t last) {
  if (first == last || found[first].position < start ||
      found[last - 1].position + found[last - 1].length > end) {
    return {};
  }
  std::vector<std::u16string> readings(1);
  std::size_t copied = start;
  for (std::size_t k = first; k < last; ++k) {
    if (found[k].readings.empty()) return {};
    readings[0] += ToHiragana(text.substr(copied, found[k].position - copied));
    readings[0] += found[k].readings.front();
    copied = found[k].position + found[k].length;
  }
  readings[0] += ToHiragana(text.substr(copied, end - copied));
  if (last == first + 1) {
    const std::u16string before = ToHiragana(text.substr(start, found[first].position - start));
    const std::u16string after = ToHiragana(text.substr(copied, end - copied));
    for (std::size_t k = 1; k < found[first].readings.size(); ++k) {
      readings.push_back(before + found[first].readings[k] + after);
    }
  }
  std::erase_if(readings, [](const std::u16string& reading) { return !IsHiragana(reading); });
  return readings;
}

Piece::Piece(Analyzer& analyzer, std::u16string_view text, std::size_t begin, std::size_t end)
    : analyzer_(analyzer), text_(text), begin_(begin), in_run_(end - begin, false) {
  const std::u16string_view piece = text.substr(begin, end - begin);
  runs_ = KanjiRuns(piece);
  readable_ = !runs_.empty() || std::any_of(piece.begin(), piece.end(), [](char16_t c) {
    return IsDigit(c) || SungAsParticle(c) != u'\0';
  });
  if (!readable_) return;
  for (auto& [position, length] : runs_) {
    std::fill_n(in_run_.begin() + static_cast<std::ptrdiff_t>(position), length, true);
    position += begin;
  }
  utf8_ = ToUtf8(piece);
  byte_.assign(piece.size() + 1, 0);
  for (std::size_t b = utf8_.bytes.size() + 1; b-- > 0;) byte_[utf8_.position[b]] = b;
  std::vector<Path> paths = analyzer_.Analyze(utf8_.bytes, 1);
  if (!paths.empty()) best_ = std::move(paths.front());
}

bool Piece::AnyInRun(std::size_t from, std::size_t to) const {
  return std::any_of(in_run_.begin() + static_cast<std::ptrdiff_t>(from - begin_),
                     in_run_.begin() + static_cast<std::ptrdiff_t>(to - begin_),
                     [](bool kanji) { return kanji; });
}

bool Piece::AllInRun(std::size_t from, std::size_t to) const {
  return std::all_of(in_run_.begin() + static_cast<std::ptrdiff_t>(from - begin_),
                     in_run_.begin() + static_cast<std::ptrdiff_t>(to - begin_),
                     [](bool kanji) { return kanji; });
}

const Piece::Token* Piece::TokenAt(std::size_t at) const {
  const std::size_t byte = Byte(at);
  const auto token = std::lower_bound(best_.begin(), best_.end(), byte,
                                      [](const Token& t, std::size_t b) { return t.begin < b; });
  return token != best_.end() && token->begin == byte ? &*token : nullptr;
}

std::vector<Piece::Token> Piece::EndingAt(std::size_t end) const {
  return analyzer_.EndingAt(Byte(end));
}

std::vector<std::u16string> Piece::ReadingsOfTokens(std::size_t first, std::size_t last) const {
  const Token& token = best_[first];
  return InHiragana(analyzer_.ReadingsAt(token.filed, token.begin, best_[last - 1].end - token.begin));
}

std::vector<std::u16string> Piece::ReadingsOfCharacters(std::size_t from, std::size_t to) const {
  const std::size_t begin = Byte(from);
  // A word after blanks is filed where the blanks start.
  const Token* token = TokenAt(from);
  const std::size_t filed = token != nullptr ? token->filed : begin;
  return InHiragana(analyzer_.ReadingsAt(filed, begin, Byte(to) - begin));
}

std::vector<std::u16string> Piece::CommonReadingsOf(const Token& token) const {
  return InHiragana(analyzer_.CommonReadingsAt(token.filed, token.begin, token.end - token.begin));
}

std::vector<std::vector<Analyzer::Alternative>> Piece::WordsHolding(
    const std::vector<std::size_t>& positions, long within) const {
  std::vector<std::size_t> bytes;
  bytes.reserve(positions.size());
  for (const std::size_t at : positions) bytes.push_back(Byte(at));
  return analyzer_.WordsHolding(bytes, within);
}

std::vector<Piece::Path> Piece::BestPaths(std::size_t count) const {
  return analyzer_.Analyze(utf8_.bytes, count);
}

Replacement Piece::Make(std::size_t from, std::size_t to, std::vector<std::u16string> readings,
                        bool guess) const {
  readings = Distinct(std::move(readings));
  Replacement replacement{from, to - from, {}, guess};
  // Kana that end the span (the つ of 一つ) and every reading alike stay as they are.
  while (!readings.empty() && replacement.length > 1) {
    const std::size_t last = from + replacement.length - 1;
    if (InRun(last) || !std::all_of(readings.begin(), readings.end(), [this, last](const auto& r) {
          return r.size() > 1 && r.back() == text_[last];
        })) {
      break;
    }
    for (std::u16string& reading : readings) reading.pop_back();
    --replacement.length;
  }
  replacement.readings = std::move(readings);
  return replacement;
}

}  // namespace readings::internal
