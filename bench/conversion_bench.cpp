// Throughput of both conversions on realistic lyrics, beside memcpy of the same bytes (the
// physical limit) and ICU's kana transliterator applied line by line to the same kana text.
#include <benchmark/benchmark.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/lyrics_corpus.h"
#include "conversion/conversion.h"

namespace {

constexpr std::int64_t kKilobyte = 1 << 10;
constexpr std::int64_t kMegabyte = 1 << 20;

void SetBytesProcessed(benchmark::State& state, std::size_t units) {
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(units * sizeof(char16_t)));
}

void BM_Memcpy(benchmark::State& state) {
  const std::u16string text = bench::KanaLyrics(static_cast<std::size_t>(state.range(0)));
  std::u16string copy(text.size(), u'\0');
  for (auto _ : state) {
    std::memcpy(copy.data(), text.data(), text.size() * sizeof(char16_t));
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  SetBytesProcessed(state, text.size());
}

void BM_KanaToSequence(benchmark::State& state) {
  const std::u16string text = bench::KanaLyrics(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    std::u16string sequence = conversion::KanaToSequence(text);
    benchmark::DoNotOptimize(sequence.data());
  }
  SetBytesProcessed(state, text.size());
}

void BM_RomajiToSequence(benchmark::State& state) {
  const std::u16string text = bench::RomajiLyrics(static_cast<std::size_t>(state.range(0)));
  if (conversion::RomajiToSequence(text) == conversion::kFailureSentinel) {
    state.SkipWithError("the romaji corpus is not valid romaji");
    return;
  }
  for (auto _ : state) {
    std::u16string sequence = conversion::RomajiToSequence(text);
    benchmark::DoNotOptimize(sequence.data());
  }
  SetBytesProcessed(state, text.size());
}

void BM_IcuKanaTransliterator(benchmark::State& state) {
  const std::u16string text = bench::KanaLyrics(static_cast<std::size_t>(state.range(0)));
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Transliterator> transliterator(icu::Transliterator::createInstance(
      "Hiragana-Latin; Katakana-Latin", UTRANS_FORWARD, status));
  if (U_FAILURE(status)) {
    state.SkipWithError(u_errorName(status));
    return;
  }
  for (auto _ : state) {
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find(u'\n', start);
      if (end == std::u16string::npos) end = text.size();
      icu::UnicodeString line(false, text.data() + start, static_cast<int32_t>(end - start));
      line.getBuffer(-1);  // own a writable copy of the line
      line.releaseBuffer(static_cast<int32_t>(end - start));
      transliterator->transliterate(line);
      benchmark::DoNotOptimize(line.getBuffer());
      start = end + 1;
    }
  }
  SetBytesProcessed(state, text.size());
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(kKilobyte)->Arg(kMegabyte)->Arg(10 * kMegabyte)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_Memcpy)->Apply(Sizes);
BENCHMARK(BM_KanaToSequence)->Apply(Sizes);
BENCHMARK(BM_RomajiToSequence)->Apply(Sizes);
BENCHMARK(BM_IcuKanaTransliterator)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
