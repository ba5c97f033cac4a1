// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// How right F7 is on lines that carry what is sung: {漢字|かんじ} for kanji runs, {2人|ふたり} for
// numbers in figures with their counters, and {は|わ} {へ|え} for particles; a は or へ outside
// braces is no particle. "## name" starts a part of the set; each part is counted alone. Prints
// every miss, then for each part the share of kanji runs right at first choice and among the
// readings offered, and for the parts named "sung...", which mark them, the particles written as
// sung, the は and へ left where they are no particle, the lines with figures read right, and the
// lines whose kana conversion gives exactly the sung syllables.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "conversion/conversion.h"
#include "readings/readings.h"
#include "readings/script.h"
#include "tests/support/utf16.h"

namespace {

using readings::Replacement;
using readings::internal::FromUtf8;
using test_support::Utf8;

enum class Kind { kKanji, kFigures, kParticle };

struct Run {
  std::size_t position;
  std::size_t length;
  std::u16string reading;
  Kind kind;
};

struct Share {
  int right = 0;
  int all = 0;
  void Count(bool is_right) {
    ++all;
    right += is_right ? 1 : 0;
  }
  double Percent() const { return 100.0 * right / all; }
};

struct Tally {
  std::string name;
  Share first;  // kanji runs
  Share offered;
  Share particles;
  Share to_check;  // of the particles written as sung, those marked to check
  Share left;      // は and へ that are no particle
  Share figure_lines;
  Share sung_lines;
};

// A line of the set: its text, and its runs with what is sung for them.
struct Line {
  std::u16string text;
  std::u16string sung;
  std::vector<Run> runs;
};

Line Parse(std::u16string_view annotated) {
  Line line;
  for (std::size_t i = 0; i < annotated.size(); ++i) {
    if (annotated[i] != u'{') {
      line.text += annotated[i];
      line.sung += annotated[i];
      continue;
    }
    const std::size_t bar = annotated.find(u'|', i);
    const std::size_t end = annotated.find(u'}', bar);
    const std::u16string_view base = annotated.substr(i + 1, bar - i - 1);
    const std::u16string_view reading = annotated.substr(bar + 1, end - bar - 1);
    const Kind kind = base == u"は" || base == u"へ" ? Kind::kParticle
                      : base.find_first_of(u"0123456789０１２３４５６７８９") != base.npos
                          ? Kind::kFigures
                          : Kind::kKanji;
    line.runs.push_back({line.text.size(), base.size(), std::u16string(reading), kind});
    line.text += base;
    line.sung += reading;
    i = end;
  }
  return line;
}

// Whether every kanji run of the line is inside one of its runs.
bool Covered(const Line& line) {
  for (const auto& [position, length] : readings::KanjiRuns(line.text)) {
    bool inside = false;
    for (const Run& run : line.runs) {
      inside =
          inside || (run.position <= position && position + length <= run.position + run.length);
    }
    if (!inside) return false;
  }
  return true;
}

// What `run` becomes, as choices one after another: for each replacement that starts in it, its
// readings, and the text between them as it is.
std::vector<std::vector<std::u16string>> Choices(const Line& line, const Run& run,
                                                 const std::vector<Replacement>& found) {
  std::vector<std::vector<std::u16string>> choices;
  std::size_t at = run.position;
  const std::size_t end = run.position + run.length;
  for (const Replacement& replacement : found) {
    if (replacement.position < at || replacement.position >= end) continue;
    if (replacement.position > at) {
      choices.push_back({line.text.substr(at, replacement.position - at)});
    }
    choices.push_back(replacement.readings.empty()
                          ? std::vector{line.text.substr(replacement.position, replacement.length)}
                          : replacement.readings);
    at = replacement.position + replacement.length;
  }
  if (at < end) choices.push_back({line.text.substr(at, end - at)});
  return choices;
}

// Whether `expected` is one choice of each of `choices` after another.
bool Offered(const std::vector<std::vector<std::u16string>>& choices, std::size_t index,
             std::u16string_view expected) {
  if (index == choices.size()) return expected.empty();
  for (const std::u16string& choice : choices[index]) {
    if (expected.starts_with(choice) &&
        Offered(choices, index + 1, expected.substr(choice.size()))) {
      return true;
    }
  }
  return false;
}

// Whether the は or へ at `at`, outside every run, stays as it is.
bool Left(const std::vector<Replacement>& found, std::size_t at, char16_t written) {
  for (const Replacement& replacement : found) {
    if (replacement.position <= at && at < replacement.position + replacement.length) {
      return replacement.readings.empty() ||
             replacement.readings.front() == std::u16string(1, written);
    }
  }
  return true;
}

void Measure(const Line& line, const std::vector<Replacement>& found, Tally& tally) {
  std::vector<bool> in_run(line.text.size(), false);
  bool figures_right = true;
  bool has_figures = false;
  for (const Run& run : line.runs) {
    std::fill_n(in_run.begin() + static_cast<std::ptrdiff_t>(run.position), run.length, true);
    const auto choices = Choices(line, run, found);
    std::u16string first;
    for (const auto& choice : choices) first += choice.front();
    const bool right = first == run.reading;
    const bool offered = right || Offered(choices, 0, run.reading);
    if (run.kind == Kind::kParticle) {
      tally.particles.Count(right);
      for (const Replacement& replacement : found) {
        if (right && replacement.position == run.position) tally.to_check.Count(replacement.guess);
      }
    } else if (run.kind == Kind::kFigures) {
      has_figures = true;
      figures_right = figures_right && right;
    } else {
      tally.first.Count(right);
      tally.offered.Count(offered);
    }
    if (!right) {
      std::printf("%s %s: %s, read %s   in %s\n", offered ? "offered" : "missed ",
                  Utf8(line.text.substr(run.position, run.length)).c_str(),
                  Utf8(run.reading).c_str(), Utf8(first).c_str(), Utf8(line.text).c_str());
    }
  }
  if (has_figures) tally.figure_lines.Count(figures_right);
  // Only the parts named "sung" mark their particles.
  if (!tally.name.starts_with("sung")) return;
  for (std::size_t at = 0; at < line.text.size(); ++at) {
    const char16_t c = line.text[at];
    if ((c != u'は' && c != u'へ') || in_run[at]) continue;
    const bool left = Left(found, at, c);
    tally.left.Count(left);
    if (!left) std::printf("changed %s at %zu\n", Utf8(line.text).c_str(), at);
  }
  const std::u16string read = readings::Apply(line.text, found);
  const bool sung = conversion::KanaToSequence(read) == conversion::KanaToSequence(line.sung);
  tally.sung_lines.Count(sung);
  if (!sung) std::printf("unsung  %s: %s\n", Utf8(line.sung).c_str(), Utf8(read).c_str());
}

void Print(const char* what, const Share& share) {
  if (share.all > 0) std::printf("  %s: %d, %.1f%%\n", what, share.all, share.Percent());
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
  for (std::string text; std::getline(set, text);) {
    if (text.rfind("## ", 0) == 0) {
      tallies.emplace_back().name = text.substr(3);
      continue;
    }
    if (text.empty() || text[0] == '#' || tallies.empty()) continue;
    const Line line = Parse(FromUtf8(text));
    if (!Covered(line)) {
      std::fprintf(stderr, "a kanji run outside the annotations of: %s\n", text.c_str());
      return 1;
    }
    Measure(line, reader.Read(line.text), tallies.back());
  }
  for (const Tally& tally : tallies) {
    std::printf("%s: %d kanji runs, %.1f%% right at first choice, %.1f%% among those offered\n",
                tally.name.c_str(), tally.first.all, tally.first.Percent(),
                tally.offered.Percent());
    if (!tally.name.starts_with("sung")) continue;
    Print("particles written as sung", tally.particles);
    Print("of those, marked to check", tally.to_check);
    Print("は and へ left where they are no particle", tally.left);
    Print("lines with figures read right", tally.figure_lines);
    Print("lines sung exactly", tally.sung_lines);
  }
  return 0;
}
