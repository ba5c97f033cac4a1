// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Numbers written in kanji, and numbers with counters (三日, 一本), read as Japanese says them.
namespace readings::internal {

// Whether `c` is a kanji numeral: 〇 零 一 to 九, 十 百 千, 万 億 兆.
bool IsNumeral(char16_t c);

// Whether `c` is a digit written as a figure, ASCII or full-width: 0 to 9, ０ to ９.
bool IsDigit(char16_t c);

// The value of a numeral (二十, 六百, 三万五千, or digit by digit: 二〇二〇, 1999), figures and
// kanji mixed too (50万), or nothing when it is not a well-formed number below ten thousand
// trillion.
std::optional<std::uint64_t> NumeralValue(std::u16string_view numeral);

// The figures of `digits` said one by one, as a long number or a fraction's digits are: 0 ぜろ;
// anything else in it (a separator) is not said.
std::u16string ReadDigits(std::u16string_view digits);

// The decimal `whole`.`fraction` (figures) as said: 1.5 いってんご.
std::u16string ReadDecimal(std::uint64_t whole, std::u16string_view fraction);

// How `value` is said, in hiragana: 600 ろっぴゃく, 8000 はっせん, 0 れい.
std::u16string ReadNumber(std::uint64_t value);

// How `value` followed by `counter` is said, the usual reading first (三日 みっか, 一本 いっぽん,
// 二十日 はつか); with `question`, the number is 何 instead (何本 なんぼん). Empty when `counter`
// is not in the table.
std::vector<std::u16string> ReadCounted(std::uint64_t value, std::u16string_view counter,
                                        bool question = false);

}  // namespace readings::internal
