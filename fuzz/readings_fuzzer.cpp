// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "readings/readings.h"

namespace {

// The replacements cover only kanji runs inside [begin, end), in order, and read in kana.
void Check(std::u16string_view text, std::size_t begin, std::size_t end,
           const std::vector<readings::Replacement>& found) {
  std::vector<bool> kanji(text.size(), false);
  for (const auto& [position, length] : readings::KanjiRuns(text)) {
    for (std::size_t i = position; i < position + length; ++i) kanji[i] = true;
  }
  std::size_t after = 0;
  for (const readings::Replacement& replacement : found) {
    if (replacement.position < after || replacement.length == 0 ||
        replacement.position + replacement.length > text.size()) {
      FuzzFailure("replacements out of order or out of the text");
    }
    // A range that splits a surrogate pair takes the whole character.
    if (replacement.position + 1 < begin || replacement.position + replacement.length > end + 1) {
      FuzzFailure("a replacement outside the range");
    }
    for (std::size_t i = replacement.position; i < replacement.position + replacement.length; ++i) {
      if (!kanji[i]) FuzzFailure("a replacement outside the kanji runs");
    }
    for (const char16_t c : replacement.reading) {
      if (!((c >= u'ぁ' && c <= u'ゖ') || c == u'ー')) FuzzFailure("a reading not in hiragana");
    }
    if (replacement.alternatives.size() > readings::kMaxAlternatives ||
        (!replacement.reading.empty() && replacement.alternatives.front() != replacement.reading)) {
      FuzzFailure("the readings offered do not start with the reading chosen");
    }
    after = replacement.position + replacement.length;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static readings::Reader reader(MELIVANT_DICTIONARY_DIR);
  const std::u16string text = LyricsFromBytes(data, size);
  Check(text, 0, text.size(), reader.Read(text));
  const std::size_t begin = text.size() / 3;
  const std::size_t end = text.size() - text.size() / 4;
  Check(text, begin, end, reader.Read(text, begin, end));
  return 0;
}
