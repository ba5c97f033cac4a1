// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "conversion/conversion.h"
#include "tests/support/utf16.h"

namespace test_support {

// A lyrics text and the sequence it converts to.
struct SequenceCase {
  std::u16string_view text;
  std::u16string_view sequence;
};

// Expects `convert` to turn each case's text into its sequence.
template <typename Convert>
void ExpectSequences(Convert convert, std::initializer_list<SequenceCase> cases) {
  for (const SequenceCase& c : cases) {
    SCOPED_TRACE(Utf8(c.text));
    EXPECT_EQ(Utf8(convert(c.text)), Utf8(c.sequence));
  }
}

// Expects `convert` to fail on each text with ConversionError.
template <typename Convert>
void ExpectConversionErrors(Convert convert, std::initializer_list<std::u16string_view> texts) {
  for (std::u16string_view text : texts) {
    SCOPED_TRACE(Utf8(text));
    EXPECT_THROW(convert(text), conversion::ConversionError);
  }
}

}  // namespace test_support
