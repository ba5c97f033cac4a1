// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// The fuzzer's bytes read as UTF-16 code units, two bytes each, low byte first; an odd last byte
// is ignored.
inline std::u16string LyricsFromBytes(const std::uint8_t* data, std::size_t size) {
  std::u16string lyrics(size / 2, u'\0');
  for (std::size_t i = 0; i < lyrics.size(); ++i) {
    lyrics[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  }
  return lyrics;
}

// Stops the run with a message, so that libFuzzer keeps the input as a crash.
[[noreturn]] inline void FuzzFailure(const char* what) {
  std::fputs(what, stderr);
  std::fputc('\n', stderr);
  std::abort();
}
