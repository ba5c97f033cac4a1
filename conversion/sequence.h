// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <optional>
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

// A conversion is a scan of the lyrics that appends syllables to a sequence. It runs twice: once
// into a SequenceLength, which measures the result, and once into a SequenceWriter, which writes
// it into a string allocated at exactly that length. Both take the same calls:
//   Append(syllable)     appends a syllable with its blank;
//   RepeatLastLetter()   appends the letter before the final blank again ("ka " gets "a "), and
//                        throws ConversionError while the sequence is still empty;
//   ReplaceLast(n, syllable)  replaces the last syllable, n code units with its blank.

class SequenceLength {
 public:
  void Append(const Syllable& syllable) { size_ += syllable.size; }

  void RepeatLastLetter() {
    if (size_ == 0) throw ConversionError("a repeated sound has no syllable before it to repeat");
    size_ += 2;
  }

  void ReplaceLast(std::size_t last_size, const Syllable& syllable) {
    assert(last_size <= size_);
    size_ = size_ - last_size + syllable.size;
  }

  std::size_t size() const { return size_; }

 private:
  std::size_t size_ = 0;
};

class SequenceWriter {
 public:
  // Writes over all of `sequence`, which has the length that SequenceLength measured.
  explicit SequenceWriter(std::u16string& sequence)
      : next_(sequence.data()), end_(sequence.data() + sequence.size()) {}

  void Append(const Syllable& syllable) {
    assert(syllable.size <= static_cast<std::size_t>(end_ - next_));
    // A fixed-size copy is one store; its unused tail is overwritten by what comes next. Only
    // the last few syllables, near the end of the string, are copied at their own size.
    if (static_cast<std::size_t>(end_ - next_) >= Syllable::kMaxUnits) [[likely]] {
      std::memcpy(next_, syllable.units.data(), sizeof(syllable.units));
    } else {
      std::memcpy(next_, syllable.units.data(), syllable.size * sizeof(char16_t));
    }
    next_ += syllable.size;
  }

  // The measuring scan has already thrown where there is no letter to repeat.
  void RepeatLastLetter() {
    next_[0] = next_[-2];
    next_[1] = u' ';
    next_ += 2;
  }

  void ReplaceLast(std::size_t last_size, const Syllable& syllable) {
    next_ -= last_size;
    Append(syllable);
  }

  bool done() const { return next_ == end_; }

 private:
  char16_t* next_;
  char16_t* end_;
};

// Runs `scan` (a callable taking a sequence, returning false when the text has no sequence) to
// measure the result, then again to write it into one string of its final size.
template <typename Scan>
std::optional<std::u16string> BuildSequence(const Scan& scan) {
  SequenceLength length;
  if (!scan(length)) return std::nullopt;
  std::optional<std::u16string> sequence(std::in_place, length.size(), u'\0');
  SequenceWriter writer(*sequence);
  [[maybe_unused]] const bool written = scan(writer);
  assert(written && writer.done());
  return sequence;
}

// Runs `scan` (a callable taking a sequence and the position it reads, returning the culprit it
// stops at, if any) over a measuring sequence. Where the sequence throws for want of a letter to
// repeat, the culprit is the one code unit at the scan's position.
template <typename Scan>
std::optional<Culprit> FindCulprit(const Scan& scan) {
  SequenceLength length;
  std::size_t position = 0;
  try {
    return scan(length, position);
  } catch (const ConversionError&) {
    return Culprit{position, 1};
  }
}

}  // namespace conversion::internal
