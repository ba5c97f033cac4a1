// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// The share of kanji runs that F7 reads right, on lines whose kanji runs carry their printed
// readings as {漢字|かんじ}. "## name" starts a part of the set; each part is counted alone.
// Prints every miss, then for each part the share right at first choice and the share whose
// right reading is among the readings offered.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "readings/readings.h"
#include "readings/script.h"
#include "tests/support/utf16.h"

namespace {

using readings::internal::FromUtf8;
using test_support::Utf8;

struct Run {
  std::size_t position;
  std::size_t length;
  std::u16string reading;
};

struct Tally {
  std::string name;
  int runs = 0;
  int first = 0;
  int offered = 0;
};

// Whether `expected` is one reading of each of `parts` after another.
bool Offered(const std::vector<const readings::Replacement*>& parts, std::size_t index,
             std::u16string_view expected) {
  if (index == parts.size()) return expected.empty();
  for (const std::u16string& reading : parts[index]->readings) {
    if (expected.starts_with(reading) &&
        Offered(parts, index + 1, expected.substr(reading.size()))) {
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kanji_accuracy SET\n");
    return 2;
  }
  std::ifstream set(argv[1]);
  readings::Reader reader(MELIVANT_DICTIONARY_DIR, MELIVANT_KANJI_LIST_FILE,
                          MELIVANT_WORD_LIST_FILE);
  std::vector<Tally> tallies;
  for (std::string line; std::getline(set, line);) {
    if (line.rfind("## ", 0) == 0) {
      tallies.push_back({line.substr(3)});
      continue;
    }
    if (line.empty() || line[0] == '#' || tallies.empty()) continue;
    const std::u16string annotated = FromUtf8(line);
    std::u16string text;
    std::vector<Run> runs;
    for (std::size_t i = 0; i < annotated.size(); ++i) {
      if (annotated[i] != u'{') {
        text += annotated[i];
        continue;
      }
      const std::size_t bar = annotated.find(u'|', i);
      const std::size_t end = annotated.find(u'}', bar);
      runs.push_back({text.size(), bar - i - 1, annotated.substr(bar + 1, end - bar - 1)});
      text += annotated.substr(i + 1, bar - i - 1);
      i = end;
    }
    std::vector<std::pair<std::size_t, std::size_t>> annotated_runs;
    for (const Run& run : runs) annotated_runs.emplace_back(run.position, run.length);
    if (annotated_runs != readings::KanjiRuns(text)) {
      std::fprintf(stderr, "the annotations are not the kanji runs of: %s\n", line.c_str());
      return 1;
    }

    const std::vector<readings::Replacement> found = reader.Read(text);
    for (const Run& run : runs) {
      std::u16string first;
      std::vector<const readings::Replacement*> parts;
      for (const readings::Replacement& replacement : found) {
        if (replacement.position < run.position ||
            replacement.position >= run.position + run.length) {
          continue;
        }
        first += replacement.readings.empty()
                     ? text.substr(replacement.position, replacement.length)
                     : replacement.readings.front();
        parts.push_back(&replacement);
      }
      Tally& tally = tallies.back();
      ++tally.runs;
      if (first == run.reading) {
        ++tally.first;
        ++tally.offered;
        continue;
      }
      const bool offered = Offered(parts, 0, run.reading);
      if (offered) ++tally.offered;
      std::printf("%s %s: %s, read %s\n", offered ? "offered" : "missed ",
                  Utf8(text.substr(run.position, run.length)).c_str(), Utf8(run.reading).c_str(),
                  Utf8(first).c_str());
    }
  }
  for (const Tally& tally : tallies) {
    std::printf("%s: %d kanji runs, %.1f%% right at first choice, %.1f%% among those offered\n",
                tally.name.c_str(), tally.runs, 100.0 * tally.first / tally.runs,
                100.0 * tally.offered / tally.runs);
  }
  return 0;
}
