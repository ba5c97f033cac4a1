#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

#include "conversion/conversion.h"

namespace conversion::internal {

// One syllable with its trailing blank, packed so that it is appended as one fixed-size copy.
struct Syllable {
  static constexpr std::size_t kMaxUnits = 4;  // three letters and the blank

  std::array<char16_t, kMaxUnits> units{};
  std::uint8_t size = 0;

  // The syllable whose text, blank included, is `text` ("ka "); the empty text appends nothing.
  static constexpr Syllable FromText(std::u16string_view text) {
    assert(text.size() <= kMaxUnits);
    Syllable syllable;
    std::copy(text.begin(), text.end(), syllable.units.begin());
    syllable.size = static_cast<std::uint8_t>(text.size());
    return syllable;
  }

  // The syllable made of `letters` and a blank.
  static constexpr Syllable FromLetters(std::initializer_list<char16_t> letters) {
    assert(letters.size() < kMaxUnits);
    Syllable syllable;
    std::copy(letters.begin(), letters.end(), syllable.units.begin());
    syllable.units[letters.size()] = u' ';
    syllable.size = static_cast<std::uint8_t>(letters.size() + 1);
    return syllable;
  }
};

// Builds a syllable sequence in one buffer that only grows at its end: every syllable is appended
// whole, letters and blank, so the sequence always ends in a blank when it is not empty.
//
// Appending does not check for room: a caller first calls MakeRoom for the syllables it is about
// to append, which keeps the check out of the per-character loop.
class SequenceBuilder {
 public:
  explicit SequenceBuilder(std::size_t expected_units) { buffer_.resize(expected_units); }

  // Ensures that `syllables` more syllables can be appended.
  void MakeRoom(std::size_t syllables) {
    const std::size_t needed = size_ + syllables * Syllable::kMaxUnits;
    if (needed > buffer_.size()) buffer_.resize(std::max(needed, buffer_.size() * 2));
  }

  void Append(const Syllable& syllable) {
    assert(size_ + Syllable::kMaxUnits <= buffer_.size());
    std::memcpy(buffer_.data() + size_, syllable.units.data(), sizeof(syllable.units));
    size_ += syllable.size;
  }

  // Appends the letter just before the final blank again, as a syllable of its own ("ka " gets
  // "a "). Throws ConversionError when there is no syllable yet.
  void RepeatLastLetter() {
    if (size_ == 0) throw ConversionError("a repeated sound has no syllable before it to repeat");
    Append(Syllable::FromLetters({buffer_[size_ - 2]}));
  }

  // Replaces the last syllable, `last_size` code units with its blank, by `syllable`.
  void ReplaceLast(std::size_t last_size, const Syllable& syllable) {
    assert(last_size <= size_);
    size_ -= last_size;
    Append(syllable);
  }

  // The finished sequence; the builder is spent.
  std::u16string Finish() && {
    buffer_.resize(size_);
    return std::move(buffer_);
  }

 private:
  std::u16string buffer_;  // the sequence is its first size_ units; the rest is room to write in
  std::size_t size_ = 0;
};

}  // namespace conversion::internal
