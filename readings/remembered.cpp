// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "readings/remembered.h"

#include <algorithm>

#include "readings/piece.h"

namespace readings {
namespace {

// A word the user keeps starts at most this many code units before the first kanji it holds
// (お母さん).
constexpr std::size_t kLongestKanaBefore = 8;

// The first of `found` from `next` on that does not end by `end`.
std::size_t FirstPast(const std::vector<Replacement>& found, std::size_t next, std::size_t end) {
  while (next < found.size() && found[next].position + found[next].length <= end) ++next;
  return next;
}

}  // namespace

void RememberedWords::Set(Words words) {
  readings_.clear();
  readings_.reserve(words.size());
  lengths_.clear();
  for (auto& [word, reading] : words) {
    if (!IsReading(word, reading)) continue;
    if (lengths_.size() <= word.size()) lengths_.resize(word.size() + 1);
    lengths_[word.size()] = true;
    readings_.insert_or_assign(std::move(word), std::move(reading));
  }
}

std::optional<std::u16string> RememberedWords::Kept(std::u16string_view word) const {
  const auto kept = readings_.find(word);
  if (kept == readings_.end()) return std::nullopt;
  return kept->second;
}

std::size_t RememberedWords::WordAt(std::u16string_view text, std::size_t start,
                                    const std::vector<Replacement>& found, std::size_t next,
                                    const std::vector<Replacement>& out) const {
  // The word must hold at least the next replacement, so it is no shorter than this.
  const std::size_t shortest = found[next].position + found[next].length - start;
  for (std::size_t size = std::min(lengths_.size() - 1, text.size() - start); size >= shortest;
       --size) {
    if (!lengths_[size] || !readings_.contains(text.substr(start, size))) continue;
    // The word must hold whole replacements, and no earlier one may reach into it.
    const std::size_t last = FirstPast(found, next, start + size);
    if ((last < found.size() && found[last].position < start + size) ||
        (!out.empty() && out.back().position + out.back().length > start)) {
      continue;
    }
    return size;
  }
  return 0;
}

void RememberedWords::Apply(std::u16string_view text, std::vector<Replacement>& found) const {
  if (readings_.empty() || found.empty()) return;
  std::vector<Replacement> out;
  out.reserve(found.size());
  std::size_t next = 0;  // the first of `found` not yet in `out`
  for (std::size_t at = 0; next < found.size();) {
    const Replacement& first = found[next];
    std::size_t start = std::max(at, first.position - std::min(first.position, kLongestKanaBefore));
    std::size_t size = 0;
    for (; start <= first.position; ++start) {
      if ((size = WordAt(text, start, found, next, out)) != 0) break;
    }
    if (size == 0) {
      at = found[next].position + found[next].length;
      out.push_back(std::move(found[next++]));
      continue;
    }
    // The dictionary's readings of the word come after the kept one.
    const std::size_t end = start + size;
    const std::size_t last = FirstPast(found, next, end);
    Replacement merged{start, size, {readings_.find(text.substr(start, size))->second}, false};
    for (std::u16string& reading :
         internal::ReadingsOfSpan(text, start, end, found, next, last)) {
      merged.readings.push_back(std::move(reading));
    }
    merged.readings = internal::Distinct(std::move(merged.readings));
    out.push_back(std::move(merged));
    next = last;
    at = end;
  }
  found = std::move(out);
}

}  // namespace readings
