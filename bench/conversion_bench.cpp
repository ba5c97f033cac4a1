// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// Both conversions at several sizes, on realistic lyrics and on texts that give the longest
// sequence per code unit, each beside a fresh copy of its own answer: what any function that
// returns that answer as a new string must pay, first touch of the memory included. A counting
// allocator gives each call's peak heap as a multiple of its result. memcpy of the input between
// warm buffers and ICU's kana transliterator, line by line, are the other references.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "bench/lyrics_corpus.h"
#include "conversion/conversion.h"

namespace {

// The heap that this program holds through operator new, now and at its highest.
struct HeapUse {
  std::size_t live = 0;
  std::size_t peak = 0;
};
HeapUse heap_use;

}  // namespace

void* operator new(std::size_t size) {
  void* block = std::malloc(std::max<std::size_t>(size, 1));
  if (block == nullptr) throw std::bad_alloc();
  heap_use.live += malloc_usable_size(block);
  heap_use.peak = std::max(heap_use.peak, heap_use.live);
  return block;
}

void operator delete(void* block) noexcept {
  if (block == nullptr) return;
  heap_use.live -= malloc_usable_size(block);
  std::free(block);
}

void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace {

constexpr std::int64_t kKilobyte = 1 << 10;
constexpr std::int64_t kMegabyte = 1 << 20;

using Conversion = std::u16string (*)(std::u16string_view);
using TextMaker = std::u16string (*)(std::size_t bytes);

// A text to convert, named for the benchmark's rows.
struct Workload {
  const char* name;
  Conversion convert;
  TextMaker make;
};

const Workload kWorkloads[] = {
    {"Kana/lyrics", conversion::KanaToSequence, bench::KanaLyrics},
    // Lyrics with no blanks or line breaks give more sequence per code unit (2.3) than the two
    // that a builder guessing ahead would reserve.
    {"Kana/dense_lyrics", conversion::KanaToSequence,
     [](std::size_t bytes) {
       std::u16string text = bench::KanaLyrics(bytes * 5 / 4);
       std::erase_if(text, [](char16_t unit) { return unit == u' ' || unit == u'\n'; });
       text.resize(std::min(text.size(), bytes / sizeof(char16_t)));
       return text;
     }},
    // し gives four code units for one, the most of any kana; きゃ four for two, through the
    // contracted-sound rule.
    {"Kana/all_shi", conversion::KanaToSequence,
     [](std::size_t bytes) { return bench::RepeatedText(u"し", bytes); }},
    {"Kana/all_kya", conversion::KanaToSequence,
     [](std::size_t bytes) { return bench::RepeatedText(u"きゃ", bytes); }},
    {"Romaji/lyrics", conversion::RomajiToSequence, bench::RomajiLyrics},
    // A lone vowel gives two code units for one, the most that romaji gives.
    {"Romaji/all_vowels", conversion::RomajiToSequence,
     [](std::size_t bytes) { return bench::RepeatedText(u"aiueo", bytes); }},
};

void SetBytesProcessed(benchmark::State& state, std::size_t units) {
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(units * sizeof(char16_t)));
}

// The workload's text of state.range(0) bytes and its answer, or nothing after skipping the row.
struct Prepared {
  std::u16string text;
  std::u16string answer;
};

std::optional<Prepared> Prepare(benchmark::State& state, const Workload& workload) {
  Prepared prepared{workload.make(static_cast<std::size_t>(state.range(0))), {}};
  prepared.answer = workload.convert(prepared.text);
  if (prepared.answer == conversion::kFailureSentinel) {
    state.SkipWithError("the text is not valid romaji");
    return std::nullopt;
  }
  state.counters["sequence_per_text"] =
      static_cast<double>(prepared.answer.size()) / static_cast<double>(prepared.text.size());
  return prepared;
}

void BM_Convert(benchmark::State& state, const Workload& workload) {
  const std::optional<Prepared> prepared = Prepare(state, workload);
  if (!prepared) return;
  std::size_t peak_during_call = 0;
  for (auto _ : state) {
    const std::size_t before = heap_use.live;
    heap_use.peak = before;
    std::u16string sequence = workload.convert(prepared->text);
    benchmark::DoNotOptimize(sequence.data());
    peak_during_call = std::max(peak_during_call, heap_use.peak - before);
  }
  state.counters["peak_heap_per_result"] =
      static_cast<double>(peak_during_call) /
      static_cast<double>(std::max<std::size_t>(1, prepared->answer.size() * sizeof(char16_t)));
  SetBytesProcessed(state, prepared->text.size());
}

void BM_FreshCopyOfAnswer(benchmark::State& state, const Workload& workload) {
  const std::optional<Prepared> prepared = Prepare(state, workload);
  if (!prepared) return;
  for (auto _ : state) {
    std::u16string copy(prepared->answer);
    benchmark::DoNotOptimize(copy.data());
  }
  SetBytesProcessed(state, prepared->text.size());
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

void ReferenceSizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(kKilobyte)->Arg(kMegabyte)->Arg(10 * kMegabyte)->Unit(benchmark::kMicrosecond);
}

// 50 MB takes the results past the size above which glibc maps fresh memory for every block.
void ConversionSizes(benchmark::internal::Benchmark* benchmark) {
  ReferenceSizes(benchmark);
  benchmark->Arg(50 * kMegabyte);
}

}  // namespace

int main(int argc, char* argv[]) {
  benchmark::RegisterBenchmark("BM_Memcpy", BM_Memcpy)->Apply(ReferenceSizes);
  benchmark::RegisterBenchmark("BM_IcuKanaTransliterator", BM_IcuKanaTransliterator)
      ->Apply(ReferenceSizes);
  for (const Workload& workload : kWorkloads) {
    const std::string name = workload.name;
    benchmark::RegisterBenchmark(("BM_Convert/" + name).c_str(), BM_Convert, workload)
        ->Apply(ConversionSizes);
    benchmark::RegisterBenchmark(("BM_FreshCopyOfAnswer/" + name).c_str(), BM_FreshCopyOfAnswer,
                                 workload)
        ->Apply(ConversionSizes);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
