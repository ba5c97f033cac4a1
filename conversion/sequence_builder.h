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

// Builds a syllable sequence in a string that only grows at its end: every syllable is appended
// whole, letters and blank, so the sequence always ends in a blank when it is not empty.
//
// The string is kept longer than the sequence while building, so that a syllable is appended as
// one fixed-size copy whose unused tail the next one overwrites. The string belongs to the caller
// and the builder only refers to it, which lets the compiler keep the builder's length in a
// register through the per-character loop.
class SequenceBuilder {
 public:
  // Builds into `sequence`, with room for `expected_units` code units before it has to grow.
  SequenceBuilder(std::u16string& sequence, std::size_t expected_units) : sequence_(sequence) {
    sequence_.resize(expected_units + Syllable::kMaxUnits);
  }

  void Append(const Syllable& syllable) {
    MakeRoom();
    std::memcpy(sequence_.data() + size_, syllable.units.data(), sizeof(syllable.units));
    size_ += syllable.size;
  }

  // Appends the letter just before the final blank again, as a syllable of its own ("ka " gets
  // "a "). Throws ConversionError when there is no syllable yet.
  void RepeatLastLetter() {
    if (size_ == 0) throw ConversionError("a repeated sound has no syllable before it to repeat");
    MakeRoom();
    char16_t* end = sequence_.data() + size_;
    end[0] = end[-2];
    end[1] = u' ';
    size_ += 2;
  }

  // Replaces the last syllable, `last_size` code units with its blank, by `syllable`.
  void ReplaceLast(std::size_t last_size, const Syllable& syllable) {
    assert(last_size <= size_);
    size_ -= last_size;
    Append(syllable);
  }

  // Cuts the string to the finished sequence.
  void Finish() { sequence_.resize(size_); }

 private:
  // Ensures room for the longest syllable after the sequence.
  void MakeRoom() {
    if (size_ + Syllable::kMaxUnits > sequence_.size()) [[unlikely]] {
      sequence_.resize(sequence_.size() * 2);
    }
  }

  std::u16string& sequence_;
  std::size_t size_ = 0;  // the sequence is the first size_ code units of sequence_
};

}  // namespace conversion::internal
