// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// Whole kanji runs as the analyser's next-best paths read them.
#include <algorithm>
#include <iterator>
#include <optional>

#include "readings/passes.h"
#include "readings/piece.h"

namespace readings::internal {
namespace {

using Order = Reader::Order;

// How many of the analyser's best paths are looked at for other readings of a whole kanji run.
constexpr std::size_t kPaths = 10;

// A kanji run that the replacements [first, last) make up exactly, and what they read it as at
// first choice (empty when one of them has no reading).
struct RunReplacements {
  std::size_t position;
  std::size_t length;
  std::size_t first;
  std::size_t last;
  std::u16string chosen;
  bool guess = false;
};

// The kanji runs of the piece that replacements of `found` make up exactly; not those where a
// replacement reaches outside the run (Ｘ線).
std::vector<RunReplacements> RunsOf(const Piece& piece, const std::vector<Replacement>& found) {
  std::vector<RunReplacements> parted;
  std::size_t first = 0;
  for (const auto& [position, length] : piece.Runs()) {
    const std::size_t end = position + length;
    while (first < found.size() && found[first].position + found[first].length <= position) {
      ++first;
    }
    std::size_t last = first;
    while (last < found.size() && found[last].position < end) ++last;
    if (first == last || found[first].position != position ||
        found[last - 1].position + found[last - 1].length != end) {
      continue;
    }
    RunReplacements& parts = parted.emplace_back(RunReplacements{position, length, first, last, {}});
    for (std::size_t k = first; k < last; ++k) {
      if (found[k].readings.empty()) {
        parts.chosen.clear();
        break;
      }
      parts.chosen += found[k].readings.front();
      parts.guess = parts.guess || found[k].guess;
    }
    first = last;
  }
  return parted;
}

// The reading that `word` gives the kanji run [position, position + length), when it is a
// dictionary word that holds the whole run and kana at most around it.
std::optional<std::u16string> RunReading(const Piece& piece, const Piece::Token& word,
                                         std::size_t position, std::size_t length) {
  const std::size_t begin = piece.BeginOf(word);
  const std::size_t end = piece.EndOf(word);
  if (begin > position || end < position + length || !word.known || word.Number()) {
    return std::nullopt;
  }
  const std::u16string reading = Hiragana(word.Reading());
  const std::u16string before = ToHiragana(piece.Span(begin, position));
  const std::u16string after = ToHiragana(piece.Span(position + length, end));
  if (!IsHiragana(before) || !IsHiragana(after) ||
      reading.size() <= before.size() + after.size() || !reading.starts_with(before) ||
      !reading.ends_with(after)) {
    return std::nullopt;
  }
  return reading.substr(before.size(), reading.size() - before.size() - after.size());
}

// Whether the next-best paths may change what is offered for the run of `parts`: whether some
// word of the analysis, on any path, reads the whole run otherwise than `parts.chosen`. Where the
// run is one replacement with a reading, they can only add readings after the first choice: read
// quickly, they are not asked; by context, only for a reading that is not offered second already.
bool MayReadOtherwise(const Piece& piece, Order order, const std::vector<Replacement>& found,
                      const RunReplacements& parts) {
  const std::vector<std::u16string>& offered = found[parts.first].readings;
  const bool whole = parts.last - parts.first == 1;
  if (whole && !offered.empty() && order == Order::kQuick) return false;
  auto news = [&](const std::u16string& reading) {
    if (reading == parts.chosen) return false;
    return !whole || offered.size() < 2 || reading != offered[1];
  };
  for (std::size_t end = parts.position + parts.length;; ++end) {
    for (const Piece::Token& word : piece.EndingAt(end)) {
      const auto reading = RunReading(piece, word, parts.position, parts.length);
      if (reading && news(*reading)) return true;
    }
    // Such a word ends after kana alone.
    if (end == piece.End() || !IsHiragana(ToHiragana(piece.Span(end, end + 1)))) return false;
  }
}

// The readings of the run of `parts` that the next-best `paths` give, in their order; `word`
// holds, for each path, its first word that may hold this run or a later one, and moves on.
std::vector<std::u16string> PathReadings(const Piece& piece, const std::vector<Piece::Path>& paths,
                                         std::vector<std::size_t>& word,
                                         const RunReplacements& parts) {
  std::vector<std::u16string> whole;
  for (std::size_t p = 1; p < paths.size(); ++p) {
    const Piece::Path& path = paths[p];
    while (word[p] < path.size() && piece.EndOf(path[word[p]]) < parts.position + parts.length) {
      ++word[p];
    }
    if (word[p] == path.size()) continue;
    if (auto reading = RunReading(piece, path[word[p]], parts.position, parts.length)) {
      whole.push_back(std::move(*reading));
    }
  }
  return whole;
}

// The run of `parts` as one replacement: its first choice, the readings of the next-best paths
// `whole`, then each part's other readings, with the others at their first choice.
Replacement WholeRun(const std::vector<Replacement>& found, const RunReplacements& parts,
                     std::vector<std::u16string> whole) {
  std::vector<std::u16string> readings;
  if (!parts.chosen.empty()) readings.push_back(parts.chosen);
  readings.insert(readings.end(), std::make_move_iterator(whole.begin()),
                  std::make_move_iterator(whole.end()));
  for (std::size_t part = parts.first; !parts.chosen.empty() && part < parts.last; ++part) {
    std::u16string head;
    for (std::size_t before = parts.first; before < part; ++before) {
      head += found[before].readings.front();
    }
    std::u16string tail;
    for (std::size_t after = part + 1; after < parts.last; ++after) {
      tail += found[after].readings.front();
    }
    for (std::size_t k = 1; k < found[part].readings.size(); ++k) {
      readings.push_back(head + found[part].readings[k] + tail);
    }
  }
  return {parts.position, parts.length, Distinct(std::move(readings)), parts.guess};
}

}  // namespace

void OfferWholeRuns(const Piece& piece, Order order, std::vector<Replacement>& found) {
  const std::vector<RunReplacements> parted = RunsOf(piece, found);
  if (std::none_of(parted.begin(), parted.end(), [&](const RunReplacements& parts) {
        return MayReadOtherwise(piece, order, found, parts);
      })) {
    return;
  }
  const std::vector<Piece::Path> paths = piece.BestPaths(kPaths);
  std::vector<std::size_t> word(paths.size(), 0);
  std::vector<Replacement> read;
  read.reserve(found.size());
  std::size_t copied = 0;
  for (const RunReplacements& parts : parted) {
    std::vector<std::u16string> whole = PathReadings(piece, paths, word, parts);
    if (std::none_of(whole.begin(), whole.end(),
                     [&parts](const std::u16string& r) { return r != parts.chosen; })) {
      continue;
    }
    std::move(found.begin() + static_cast<std::ptrdiff_t>(copied),
              found.begin() + static_cast<std::ptrdiff_t>(parts.first), std::back_inserter(read));
    copied = parts.last;
    read.push_back(WholeRun(found, parts, std::move(whole)));
  }
  std::move(found.begin() + static_cast<std::ptrdiff_t>(copied), found.end(),
            std::back_inserter(read));
  found = std::move(read);
}

}  // namespace readings::internal
