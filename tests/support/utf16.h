// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

#include "readings/script.h"

namespace test_support {

// UTF-8 form of UTF-16 text, so that test failures print readable kana; a lone surrogate becomes
// U+FFFD.
inline std::string Utf8(std::u16string_view text) { return readings::internal::Utf8(text); }

// Whether `sequence` is a well-formed syllable sequence: lower-case ASCII letters in runs, each
// run followed by exactly one blank, or nothing at all.
inline bool IsSyllableSequence(std::u16string_view sequence) {
  bool in_syllable = false;
  for (char16_t unit : sequence) {
    if (unit >= u'a' && unit <= u'z') {
      in_syllable = true;
    } else if (unit == u' ' && in_syllable) {
      in_syllable = false;
    } else {
      return false;
    }
  }
  return !in_syllable;
}

}  // namespace test_support
