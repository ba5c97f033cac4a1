// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// Writes the benchmarks' lyrics to standard output in UTF-8, for benchmarks that paste them into
// the running program: write_lyrics kana|romaji MEGABYTES, where the size counts UTF-16 bytes, as
// the program holds the text.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "bench/lyrics_corpus.h"
#include "tests/support/utf16.h"

int main(int argc, char* argv[]) {
  const std::string_view kind = argc == 3 ? argv[1] : "";
  const std::size_t bytes = argc == 3 ? std::strtoull(argv[2], nullptr, 10) << 20 : 0;
  std::u16string text;
  if (kind == "kana") {
    text = bench::KanaLyrics(bytes);
  } else if (kind == "romaji") {
    text = bench::RomajiLyrics(bytes);
  } else {
    std::fputs("usage: write_lyrics kana|romaji MEGABYTES\n", stderr);
    return 2;
  }
  const std::string out = test_support::Utf8(text);
  return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() ? 0 : 1;
}
