// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "readings/readings.h"

namespace {

// The replacements cover only kanji runs, figures and lone particles inside [begin, end), in
// order, and read in kana.
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
    if (replacement.particle &&
        (replacement.length != 1 ||
         (text[replacement.position] != u'は' && text[replacement.position] != u'へ'))) {
      FuzzFailure("a particle that is no lone は or へ");
    }
    // Beside kanji and figures, a word's other characters that are not kana may take part of its
    // reading (Ｘ線), but never a blank or a line break.
    bool holds_kanji = replacement.particle;
    for (std::size_t i = replacement.position; i < replacement.position + replacement.length; ++i) {
      const bool figure =
          (text[i] >= u'0' && text[i] <= u'9') || (text[i] >= u'０' && text[i] <= u'９');
      holds_kanji = holds_kanji || kanji[i] || figure;
      if (replacement.particle) continue;
      if (!kanji[i] &&
          (text[i] <= u' ' || text[i] == u'　' || (text[i] >= u'ぁ' && text[i] <= u'ゟ'))) {
        FuzzFailure("a replacement outside the words of kanji");
      }
    }
    if (!holds_kanji) FuzzFailure("a replacement without a kanji, a figure or a particle");
    if (replacement.readings.size() > readings::kMaxAlternatives) {
      FuzzFailure("more readings offered than a menu holds");
    }
    for (const std::u16string& reading : replacement.readings) {
      if (reading.empty()) FuzzFailure("an empty reading");
      for (const char16_t c : reading) {
        if (!((c >= u'ぁ' && c <= u'ゖ') || c == u'ー')) FuzzFailure("a reading not in hiragana");
      }
    }
    after = replacement.position + replacement.length;
  }
}

}  // namespace

// Most inputs are read quickly and as they are, so that many run each second. An odd last byte,
// which the text leaves out, chooses the slower reads for some: with bit 0 set the text is read by
// context, and with bits 1 to 3 set it is also read repeated past the length where a line is cut
// into pieces, so that cuts fall everywhere. That read takes ten times as long as the others.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static readings::Reader reader(MELIVANT_DICTIONARY_DIR, MELIVANT_KANJI_LIST_FILE,
                                 MELIVANT_WORD_LIST_FILE);
  const unsigned flags = size % 2 == 1 ? data[size - 1] : 0u;
  const auto order =
      (flags & 1u) != 0 ? readings::Reader::Order::kByContext : readings::Reader::Order::kQuick;
  const bool repeated = (flags & 0x0eu) == 0x0eu;
  const std::u16string text = LyricsFromBytes(data, size);
  Check(text, 0, text.size(), reader.Read(text, order));
  const std::size_t begin = text.size() / 3;
  const std::size_t end = text.size() - text.size() / 4;
  Check(text, begin, end, reader.Read(text, begin, end, order));
  if (repeated && !text.empty()) {
    std::u16string long_text = text;
    while (long_text.size() <= 2100) long_text += text;
    Check(long_text, 0, long_text.size(), reader.Read(long_text, order));
  }
  return 0;
}
