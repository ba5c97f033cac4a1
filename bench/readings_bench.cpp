// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// Kanji readings: the first F7 (opening the dictionary and reading a song), a song once the
// dictionary is open, and large lyrics; each reads and rewrites the whole text.
#include <benchmark/benchmark.h>

#include <string>

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

BENCHMARK(BM_OpenAndReadSong)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndRewrite)
    ->Unit(benchmark::kMillisecond)
    ->Arg(static_cast<std::int64_t>(kSongBytes))
    ->Arg(1 << 20);

}  // namespace

BENCHMARK_MAIN();
