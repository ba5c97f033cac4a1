// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "readings/given.h"

#include <algorithm>
#include <iterator>

#include "readings/numbers.h"
#include "readings/piece.h"
#include "readings/readings.h"
#include "readings/script.h"

namespace readings::internal {
namespace {

// The closing bracket of the opening bracket `c`, or 0 when `c` opens none that give readings.
char16_t Closing(char16_t c) {
  switch (c) {
    case u'（':
      return u'）';
    case u'(':
      return u')';
    case u'《':
      return u'》';
    default:
      return 0;
  }
}

bool IsBar(char16_t c) { return c == u'｜' || c == u'|'; }

// Where the reading in brackets opened at `open` starts its given reading: at the bar of
// ｜base《reading》 (`bar`, where the line has one), or at the kanji run `run` that ends at
// `open`, with the figures before it; npos when neither starts after `done`, the end of the
// reading given before.
std::size_t BaseStart(std::u16string_view text, std::size_t open, std::size_t bar, std::size_t done,
                      const std::pair<std::size_t, std::size_t>* run) {
  if (text[open] == u'《' && bar != std::u16string_view::npos && bar >= done && bar + 1 < open &&
      !KanjiRuns(text.substr(bar + 1, open - bar - 1)).empty()) {
    return bar;
  }
  if (run == nullptr || run->first + run->second != open || run->first < done) {
    return std::u16string_view::npos;
  }
  // Figures before the kanji are the same word's: 2人（ふたり）.
  std::size_t start = run->first;
  while (start > done && IsDigit(text[start - 1])) --start;
  return start;
}

}  // namespace

std::vector<GivenReading> GivenReadings(std::u16string_view text) {
  std::vector<GivenReading> given;
  const auto runs = KanjiRuns(text);
  auto run = runs.begin();
  std::size_t bar = std::u16string_view::npos;  // the last bar on this line, if any
  std::size_t done = 0;                         // the end of the last reading given
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsLineBreak(text[i])) bar = std::u16string_view::npos;
    if (IsBar(text[i])) bar = i;
    const char16_t closing = Closing(text[i]);
    if (closing == 0) continue;
    std::size_t close = i + 1;
    while (close < text.size() && IsReadingLetter(text[close])) ++close;
    if (close == text.size() || text[close] != closing ||
        std::all_of(text.begin() + static_cast<std::ptrdiff_t>(i + 1),
                    text.begin() + static_cast<std::ptrdiff_t>(close),
                    [](char16_t c) { return c == u'ー'; })) {
      continue;
    }
    while (run != runs.end() && run->first + run->second < i) ++run;
    const std::size_t start = BaseStart(text, i, bar, done, run != runs.end() ? &*run : nullptr);
    if (start == std::u16string_view::npos) continue;
    const std::size_t base = start == bar ? bar + 1 : start;
    given.push_back({start, close + 1 - start, base, i - base,
                     std::u16string(text.substr(i + 1, close - i - 1))});
    done = close + 1;
    bar = std::u16string_view::npos;
    i = close;
  }
  return given;
}

std::vector<std::pair<std::size_t, std::size_t>> Annotations(std::u16string_view text) {
  std::vector<std::pair<std::size_t, std::size_t>> annotations;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t closing = Closing(text[i]);
    if (closing == 0) continue;
    std::size_t close = i + 1;
    while (close < text.size() && text[close] != closing && !IsLineBreak(text[close]) &&
           Closing(text[close]) == 0 && !IsKana(CodePointAt(text, close).value)) {
      ++close;
    }
    if (close < text.size() && text[close] == closing && close > i + 1) {
      annotations.emplace_back(i + 1, close - i - 1);
      i = close;
    }
  }
  return annotations;
}

void ApplyGiven(std::u16string_view text, std::size_t from, std::size_t to,
                std::vector<Replacement>& found) {
  const std::vector<GivenReading> given = GivenReadings(text.substr(from, to - from));
  if (given.empty()) return;
  std::vector<Replacement> out;
  out.reserve(found.size() + given.size());
  std::size_t next = 0;  // the first of `found` not yet in `out`
  for (const GivenReading& reading : given) {
    const std::size_t start = from + reading.position;
    const std::size_t end = start + reading.length;
    while (next < found.size() && found[next].position + found[next].length <= start) {
      out.push_back(std::move(found[next++]));
    }
    std::size_t last = next;
    while (last < found.size() && found[last].position < end) ++last;
    Replacement replacement{start, reading.length, {reading.reading}, false, true};
    const std::size_t base = from + reading.base;
    for (std::u16string& other :
         ReadingsOfSpan(text, base, base + reading.base_length, found, next, last)) {
      replacement.readings.push_back(std::move(other));
    }
    replacement.readings = Distinct(std::move(replacement.readings));
    out.push_back(std::move(replacement));
    next = last;
  }
  std::move(found.begin() + static_cast<std::ptrdiff_t>(next), found.end(),
            std::back_inserter(out));
  found = std::move(out);
}

void DropAnnotated(std::u16string_view text, std::size_t from, std::size_t to,
                   std::vector<Replacement>& found) {
  const auto annotations = Annotations(text.substr(from, to - from));
  auto annotation = annotations.begin();
  std::erase_if(found, [&](const Replacement& replacement) {
    while (annotation != annotations.end() &&
           from + annotation->first + annotation->second <= replacement.position) {
      ++annotation;
    }
    return annotation != annotations.end() && from + annotation->first <= replacement.position &&
           replacement.position + replacement.length <=
               from + annotation->first + annotation->second;
  });
}

}  // namespace readings::internal
