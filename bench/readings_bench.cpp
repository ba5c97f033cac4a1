// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// Kanji readings: the first F7 (opening the dictionary and reading a song), a song once the
// dictionary is open, and large lyrics; each reads and rewrites the whole text.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "bench/lyrics_corpus.h"
#include "readings/readings.h"

namespace {

constexpr std::size_t kSongBytes = 2000 * sizeof(char16_t);  // a song: about 2,000 characters

void BM_OpenAndReadSong(benchmark::State& state) {
  const std::u16string song = bench::KanjiLyrics(kSongBytes);
  for (auto _ : state) {
    readings::Reader reader(MELIVANT_DICTIONARY_DIR, MELIVANT_KANJI_LIST_FILE);
    benchmark::DoNotOptimize(readings::Apply(song, reader.Read(song)));
  }
}

void BM_ReadAndRewrite(benchmark::State& state) {
  const std::u16string lyrics = bench::KanjiLyrics(static_cast<std::size_t>(state.range(0)));
  readings::Reader reader(MELIVANT_DICTIONARY_DIR, MELIVANT_KANJI_LIST_FILE);
  for (auto _ : state) {
    benchmark::DoNotOptimize(readings::Apply(lyrics, reader.Read(lyrics)));
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// A song with a thousand readings kept by the user, some of them its own words.
void BM_ReadSongWithKeptReadings(benchmark::State& state) {
  const std::u16string song = bench::KanjiLyrics(kSongBytes);
  readings::Reader reader(MELIVANT_DICTIONARY_DIR, MELIVANT_KANJI_LIST_FILE);
  std::vector<std::pair<std::u16string, std::u16string>> kept;
  for (char16_t kanji = u'一'; kept.size() < 1000; kanji += 7) {
    kept.emplace_back(std::u16string{kanji, static_cast<char16_t>(kanji + 1)}, u"かな");
  }
  kept.emplace_back(u"明日", u"あす");
  kept.emplace_back(u"三日月", u"みかづき");
  reader.Remember(std::move(kept));
  for (auto _ : state) {
    benchmark::DoNotOptimize(readings::Apply(song, reader.Read(song)));
  }
}

BENCHMARK(BM_OpenAndReadSong)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadSongWithKeptReadings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndRewrite)
    ->Unit(benchmark::kMillisecond)
    ->Arg(static_cast<std::int64_t>(kSongBytes))
    ->Arg(1 << 20);

}  // namespace

BENCHMARK_MAIN();
