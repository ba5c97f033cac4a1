// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "conversion/conversion.h"
#include "fuzz/fuzz_input.h"
#include "tests/support/utf16.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string lyrics = LyricsFromBytes(data, size);
  std::u16string result;
  bool failed = false;
  try {
    result = conversion::RomajiToSequence(lyrics);
    failed = result == conversion::kFailureSentinel;
  } catch (const conversion::ConversionError&) {
    failed = true;
  }
  // A culprit exactly where the conversion fails, inside the text, with everything before it
  // converting once closed by a vowel.
  const std::optional<conversion::Culprit> culprit = conversion::FindRomajiCulprit(lyrics);
  if (culprit.has_value() != failed) FuzzFailure("a culprit where the conversion does not fail");
  if (culprit) {
    if (culprit->length == 0 || culprit->position + culprit->length > lyrics.size()) {
      FuzzFailure("a culprit outside the text");
    }
    const std::u16string before = lyrics.substr(0, culprit->position) + u"a";
    if (conversion::FindRomajiCulprit(before) ||
        conversion::RomajiToSequence(before) == conversion::kFailureSentinel) {
      FuzzFailure("the text before a culprit does not convert");
    }
    return 0;
  }
  if (!test_support::IsSyllableSequence(result)) FuzzFailure("not a syllable sequence");
  if (result.size() > 2 * lyrics.size()) FuzzFailure("sequence longer than any romaji gives");
  if (conversion::RomajiToSequence(result) != result) FuzzFailure("sequence does not split again");
  return 0;
}
