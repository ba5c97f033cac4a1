// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// Kanji readings: the first F7 (opening the dictionary and reading a song), a song once the
// dictionary is open, and large lyrics; each reads and rewrites the whole text.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "bench/lyrics_corpus.h"
#include "readings/readings.h"
#include "readings/remembered.h"

namespace {

constexpr std::size_t kSongBytes = 2000 * sizeof(char16_t);  // a song: about 2,000 characters

// F7 reads quickly; a word's menu reads its line again with the readings ordered by context.
using Order = readings::Reader::Order;
constexpr Order kF7 = Order::kQuick;

void BM_OpenAndReadSong(benchmark::State& state) {
  const std::u16string song = bench::KanjiLyrics(kSongBytes);
  for (auto _ : state) {
    readings::Reader reader(MELIVANT_DICTIONARY_DIR, MELIVANT_KANJI_LIST_FILE,
                            MELIVANT_WORD_LIST_FILE);
    benchmark::DoNotOptimize(readings::Apply(song, reader.Read(song, kF7)));
  }
}

void BM_ReadAndRewrite(benchmark::State& state) {
  const std::u16string lyrics = bench::KanjiLyrics(static_cast<std::size_t>(state.range(0)));
  readings::Reader reader(MELIVANT_DICTIONARY_DIR, MELIVANT_KANJI_LIST_FILE,
                          MELIVANT_WORD_LIST_FILE);
  for (auto _ : state) {
    benchmark::DoNotOptimize(readings::Apply(lyrics, reader.Read(lyrics, kF7)));
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// A song read line by line, as F7 reads when each line is selected on its own (0), or as the
// menus of its words read their lines (1).
void BM_ReadSongLineByLine(benchmark::State& state) {
  const std::u16string song = bench::KanjiLyrics(kSongBytes);
  std::vector<std::u16string_view> lines;
  for (std::size_t start = 0; start < song.size();) {
    const std::size_t end = std::min(song.find(u'\n', start), song.size());
    lines.push_back(std::u16string_view(song).substr(start, end - start));
    start = end + 1;
  }
  readings::Reader reader(MELIVANT_DICTIONARY_DIR, MELIVANT_KANJI_LIST_FILE,
                          MELIVANT_WORD_LIST_FILE);
  for (auto _ : state) {
    const Order order = state.range(0) == 0 ? kF7 : Order::kByContext;
    for (const std::u16string_view line : lines) benchmark::DoNotOptimize(reader.Read(line, order));
  }
}

// One line of a million short words (夢の夢の...), which is read in pieces.
void BM_ReadOneLineOfShortWords(benchmark::State& state) {
  const std::u16string line = bench::RepeatedText(u"夢の", 4'000'000);
  readings::Reader reader(MELIVANT_DICTIONARY_DIR, MELIVANT_KANJI_LIST_FILE,
                          MELIVANT_WORD_LIST_FILE);
  for (auto _ : state) {
    benchmark::DoNotOptimize(readings::Apply(line, reader.Read(line, kF7)));
  }
}

// `count` readings kept by the user for words of two kanji, and two of a song's own words.
std::vector<std::pair<std::u16string, std::u16string>> KeptReadings(std::size_t count) {
  std::vector<std::pair<std::u16string, std::u16string>> kept;
  for (std::size_t i = 0; kept.size() < count; ++i) {
    const auto first = static_cast<char16_t>(u'一' + (i % 2900) * 7);
    const auto second = static_cast<char16_t>(first + 1 + i / 2900);
    kept.emplace_back(std::u16string{first, second}, u"かな");
  }
  kept.emplace_back(u"明日", u"あす");
  kept.emplace_back(u"三日月", u"みかづき");
  return kept;
}

// A song with a thousand or a hundred thousand readings kept by the user.
void BM_ReadSongWithKeptReadings(benchmark::State& state) {
  const std::u16string song = bench::KanjiLyrics(kSongBytes);
  readings::RememberedWords kept;
  kept.Set(KeptReadings(static_cast<std::size_t>(state.range(0))));
  readings::Reader reader(MELIVANT_DICTIONARY_DIR, MELIVANT_KANJI_LIST_FILE,
                          MELIVANT_WORD_LIST_FILE, &kept);
  for (auto _ : state) {
    benchmark::DoNotOptimize(readings::Apply(song, reader.Read(song, kF7)));
  }
}

// Taking the readings kept, as on every change to them.
void BM_RememberKeptReadings(benchmark::State& state) {
  readings::RememberedWords remembered;
  const auto kept = KeptReadings(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) remembered.Set(kept);
  state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_OpenAndReadSong)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadSongWithKeptReadings)->Unit(benchmark::kMillisecond)->Arg(1000)->Arg(100'000);
BENCHMARK(BM_RememberKeptReadings)
    ->Unit(benchmark::kMillisecond)
    ->RangeMultiplier(10)
    ->Range(1000, 100'000)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_ReadAndRewrite)
    ->Unit(benchmark::kMillisecond)
    ->Arg(static_cast<std::int64_t>(kSongBytes))
    ->Arg(1 << 20)
    ->Arg(5 << 20);
BENCHMARK(BM_ReadSongLineByLine)->Unit(benchmark::kMillisecond)->Arg(0)->Arg(1);
BENCHMARK(BM_ReadOneLineOfShortWords)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
