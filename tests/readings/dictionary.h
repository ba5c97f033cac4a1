// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "readings/readings.h"

namespace test_support {

// One reader with the build's dictionary for all tests of a program, opened on first use.
inline readings::Reader& SharedReader() {
  static const auto reader = std::make_unique<readings::Reader>(
      MELIVANT_DICTIONARY_DIR, MELIVANT_KANJI_LIST_FILE, MELIVANT_WORD_LIST_FILE);
  return *reader;
}

}  // namespace test_support

// Tests that need the dictionary are skipped in builds that read no kanji.
#define SKIP_WITHOUT_DICTIONARY() \
  if (!MELIVANT_KANJI_READINGS) GTEST_SKIP() << "this build reads no kanji"
