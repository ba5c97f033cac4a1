// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string_view>

// Surrogate pairs of UTF-16 text, as lyrics hold them: the one place that tells them, for the
// conversions and the readings alike.
namespace conversion {

constexpr bool IsLeadSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsTrailSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Whether `at` falls between the two code units of a surrogate pair of `text`.
constexpr bool SplitsPair(std::u16string_view text, std::size_t at) {
  return at > 0 && at < text.size() && IsTrailSurrogate(text[at]) && IsLeadSurrogate(text[at - 1]);
}

}  // namespace conversion
