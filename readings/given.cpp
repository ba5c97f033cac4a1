// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "readings/given.h"

#include <algorithm>

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
    std::size_t start = std::u16string_view::npos;
    std::size_t base = 0;
    if (closing == u'》' && bar != std::u16string_view::npos && bar >= done && bar + 1 < i &&
        !KanjiRuns(text.substr(bar + 1, i - bar - 1)).empty()) {
      start = bar;  // ｜base《reading》
      base = bar + 1;
    } else if (run != runs.end() && run->first + run->second == i && run->first >= done) {
      start = base = run->first;
    }
    if (start == std::u16string_view::npos) continue;
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

}  // namespace readings::internal
