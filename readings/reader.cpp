// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// Reading a text: its lines (long ones in pieces) through the passes in order, then the readings
// the user keeps and those the lyrics give, and the range asked for.
#include <algorithm>
#include <iterator>

#include "readings/analyzer.h"
#include "readings/given.h"
#include "readings/kanji_list.h"
#include "readings/passes.h"
#include "readings/piece.h"
#include "readings/readings.h"
#include "readings/remembered.h"
#include "readings/script.h"
#include "readings/word_list.h"

namespace readings {
namespace {

using internal::kLongestPiece;
using internal::SplitsPair;

bool IsBlank(char16_t c) { return c <= u' ' || c == u'\u00A0' || c == u'\u3000'; }

// The range [begin, end) of `text`, widened so that it splits no surrogate pair.
std::pair<std::size_t, std::size_t> WholeCharacters(std::u16string_view text, std::size_t begin,
                                                    std::size_t end) {
  end = std::min(end, text.size());
  begin = std::min(begin, end);
  return {SplitsPair(text, begin) ? begin - 1 : begin, SplitsPair(text, end) ? end + 1 : end};
}

// The range that the words at the ends of [begin, end) are read with: the rest of their lines,
// up to a piece's length.
std::pair<std::size_t, std::size_t> Context(std::u16string_view text, std::size_t begin,
                                            std::size_t end) {
  std::size_t from = begin;
  while (from > 0 && begin - from < kLongestPiece && !internal::IsLineBreak(text[from - 1])) {
    --from;
  }
  std::size_t to = end;
  while (to < text.size() && to - end < kLongestPiece && !internal::IsLineBreak(text[to])) ++to;
  return {SplitsPair(text, from) ? from + 1 : from, to};
}

}  // namespace

Reader::Reader(const std::filesystem::path& folder, const std::filesystem::path& kanji_list,
               const std::filesystem::path& word_list, const RememberedWords* remembered)
    : analyzer_(std::make_unique<Analyzer>(folder)),
      kanji_list_(std::make_unique<const internal::KanjiList>(
          kanji_list.empty() ? internal::KanjiList() : internal::KanjiList::Load(kanji_list))),
      word_list_(std::make_unique<const internal::WordList>(
          word_list.empty() ? internal::WordList() : internal::WordList::Load(word_list))),
      remembered_(remembered) {}

Reader::~Reader() = default;

std::vector<Replacement> Reader::Read(std::u16string_view text, Order order) {
  return Read(text, 0, text.size(), order);
}

std::vector<Replacement> Reader::ReadPieces(std::u16string_view text, std::size_t begin,
                                            std::size_t end, Order order) {
  std::vector<Replacement> found;
  internal::ForEachPiece(text, begin, end, [&](std::size_t from, std::size_t to) {
    const internal::Piece piece(*analyzer_, text, from, to);
    std::vector<Replacement> read;
    if (!piece.Readable()) return;
    if (!piece.Analysed()) {
      // What could not be analysed is marked as unread.
      for (const auto& [position, length] : piece.Runs()) read.push_back({position, length, {}, false});
    } else {
      internal::ReadDictionaryWords(piece, *kanji_list_, read);
      internal::ReadListedWords(piece, *word_list_, read);
      internal::OfferWholeRuns(piece, order, read);
      internal::ReadParticles(piece, read);
    }
    std::move(read.begin(), read.end(), std::back_inserter(found));
  });
  return found;
}

std::vector<Replacement> Reader::Read(std::u16string_view text, std::size_t begin, std::size_t end,
                                      Order order) {
  std::tie(begin, end) = WholeCharacters(text, begin, end);
  const auto [context_begin, context_end] = Context(text, begin, end);
  std::vector<Replacement> found = ReadPieces(text, context_begin, context_end, order);
  if (remembered_ != nullptr) remembered_->Apply(text, found);
  // The readings that the lyrics give win over those kept and the dictionary's.
  internal::ApplyGiven(text, context_begin, context_end, found);
  internal::DropAnnotated(text, context_begin, context_end, found);
  std::vector<Replacement> inside;
  for (Replacement& replacement : found) {
    const std::size_t from = std::max(begin, replacement.position);
    const std::size_t to = std::min(end, replacement.position + replacement.length);
    if (from == replacement.position && to == replacement.position + replacement.length) {
      inside.push_back(std::move(replacement));
    } else if (from < to && !replacement.given) {
      // Only part of this word is in the range: that part is read alone. A word whose reading
      // the lyrics give stays whole or not at all.
      std::vector<Replacement> part = ReadPieces(text, from, to, order);
      std::move(part.begin(), part.end(), std::back_inserter(inside));
    }
  }
  return inside;
}

bool IsReading(std::u16string_view word, std::u16string_view reading) {
  return !word.empty() && !IsBlank(word.front()) && !IsBlank(word.back()) &&
         word.find(u'\t') == std::u16string_view::npos && !KanjiRuns(word).empty() &&
         !reading.empty() && std::all_of(reading.begin(), reading.end(), internal::IsReadingLetter);
}

std::u16string Apply(std::u16string_view text, const std::vector<Replacement>& replacements) {
  std::u16string out;
  std::size_t copied = 0;
  for (const Replacement& replacement : replacements) {
    if (replacement.readings.empty()) continue;
    out.append(text.substr(copied, replacement.position - copied));
    out.append(replacement.readings.front());
    copied = replacement.position + replacement.length;
  }
  out.append(text.substr(copied));
  return out;
}

}  // namespace readings
