// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <cstddef>
#include <cstdint>
#include <string>

#include "conversion/conversion.h"
#include "fuzz/fuzz_input.h"
#include "tests/support/utf16.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string lyrics = LyricsFromBytes(data, size);
  std::u16string sequence;
  try {
    sequence = conversion::KanaToSequence(lyrics);
  } catch (const conversion::ConversionError&) {
    return 0;
  }
  if (!test_support::IsSyllableSequence(sequence)) FuzzFailure("not a syllable sequence");
  if (sequence.size() > 4 * lyrics.size()) FuzzFailure("sequence longer than any kana gives");
  return 0;
}
