// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// Numbers as the best path has them: a run of numeral tokens, in kanji or in figures, or 何, with
// the counter after it.
#include <algorithm>
#include <optional>

#include "readings/numbers.h"
#include "readings/passes.h"
#include "readings/piece.h"

namespace readings::internal {
namespace {

using Token = Piece::Token;

bool IsLatin(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'Ａ' && c <= u'Ｚ') ||
         (c >= u'ａ' && c <= u'ｚ');
}

bool IsFigures(std::u16string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

// Whether `token` is a numeral: a number in kanji or figures, as 名詞,数 of the dictionary.
bool IsNumeralToken(const Piece& piece, const Token& token) {
  const std::u16string_view surface = piece.SurfaceOf(token);
  return token.Number() && std::all_of(surface.begin(), surface.end(),
                                       [](char16_t c) { return IsNumeral(c) || IsDigit(c); });
}

// A mark between groups of three figures: 1,000.
bool IsSeparator(char16_t c) { return c == u',' || c == u'，'; }
bool IsSeparator(std::u16string_view text) { return text.size() == 1 && IsSeparator(text[0]); }

// When token `k` separates groups of three figures after figures (1,000, １，０００), the
// tokens it and the group after it take; else 0.
std::size_t GroupSeparatorAt(const Piece& piece, std::size_t k) {
  const Piece::Path& tokens = piece.Tokens();
  if (k == 0 || !IsSeparator(piece.SurfaceOf(tokens[k])) ||
      !IsFigures(piece.SurfaceOf(tokens[k - 1]))) {
    return 0;
  }
  std::size_t next = k + 1;
  std::size_t figures = 0;
  while (next < tokens.size() && piece.Adjacent(next) && figures < 3 &&
         IsFigures(piece.SurfaceOf(tokens[next]))) {
    figures += piece.SurfaceOf(tokens[next++]).size();
  }
  const bool more =
      next < tokens.size() && piece.Adjacent(next) && IsFigures(piece.SurfaceOf(tokens[next]));
  return figures == 3 && !more ? next - k : 0;
}

// The value of the numeral text[from, to), without its separators.
std::optional<std::uint64_t> ValueOf(const Piece& piece, std::size_t from, std::size_t to) {
  std::u16string numeral(piece.Span(from, to));
  std::erase_if(numeral, [](char16_t c) { return IsSeparator(c); });
  return NumeralValue(numeral);
}

// Whether tokens `k` and `k + 1` are the point and the figures after it of a decimal.
bool IsFraction(const Piece& piece, std::size_t k) {
  const Piece::Path& tokens = piece.Tokens();
  if (k + 1 >= tokens.size() || !piece.Adjacent(k) || !piece.Adjacent(k + 1)) return false;
  const std::u16string_view point = piece.SurfaceOf(tokens[k]);
  return (point == u"." || point == u"．") && IsFigures(piece.SurfaceOf(tokens[k + 1]));
}

// The readings of the number `value` with the counter that starts at token `k`, of one token or
// two (回目), and the token after the counter; none when no counter starts there.
std::pair<std::vector<std::u16string>, std::size_t> Counted(const Piece& piece, std::size_t k,
                                                            std::uint64_t value, bool question) {
  const Piece::Path& tokens = piece.Tokens();
  if (k >= tokens.size() || !piece.Adjacent(k)) return {};
  if (k + 1 < tokens.size() && piece.Adjacent(k + 1)) {
    const std::size_t from = piece.BeginOf(tokens[k]);
    std::vector<std::u16string> two =
        ReadCounted(value, piece.Span(from, piece.EndOf(tokens[k + 1])), question);
    if (!two.empty()) return {std::move(two), k + 2};
  }
  return {ReadCounted(value, piece.SurfaceOf(tokens[k]), question), k + 1};
}

// Reads token `i` when the dictionary holds it as a word of figures and a counter (３つ), and
// returns the token after it; else returns `i`.
std::size_t ReadWordOfFiguresAt(const Piece& piece, std::size_t i,
                                std::vector<Replacement>& found) {
  const std::u16string_view surface = piece.SurfaceOf(piece.Tokens()[i]);
  const std::size_t figures = static_cast<std::size_t>(
      std::find_if_not(surface.begin(), surface.end(), IsDigit) - surface.begin());
  if (figures == 0 || figures == surface.size()) return i;
  const std::optional<std::uint64_t> value = NumeralValue(surface.substr(0, figures));
  if (!value) return i;
  std::vector<std::u16string> readings = ReadCounted(*value, surface.substr(figures));
  if (readings.empty()) return i;
  const std::size_t from = piece.BeginOf(piece.Tokens()[i]);
  found.push_back(piece.Make(from, from + surface.size(), std::move(readings)));
  return i + 1;
}

// The token after the numeral tokens from `i` on, figures with their group separators (1,000).
std::size_t NumeralEnd(const Piece& piece, std::size_t i) {
  const Piece::Path& tokens = piece.Tokens();
  std::size_t end = i + 1;
  while (end < tokens.size() && piece.Adjacent(end)) {
    if (IsNumeralToken(piece, tokens[end])) {
      ++end;
    } else if (const std::size_t group = GroupSeparatorAt(piece, end); group != 0) {
      end += group;
    } else {
      break;
    }
  }
  return end;
}

// The token after the figures that tokens [i, end) start with.
std::size_t FiguresEnd(const Piece& piece, std::size_t i, std::size_t end) {
  while (i < end && (IsFigures(piece.SurfaceOf(piece.Tokens()[i])) ||
                     IsSeparator(piece.SurfaceOf(piece.Tokens()[i])))) {
    ++i;
  }
  return i;
}

// Reads the number `value` of tokens [i, end) with the counter after it, or else alone, into
// `found`, and returns the token after them; with `question`, the number is 何 and is read only
// with a counter.
std::size_t ReadCountedAt(const Piece& piece, std::size_t i, std::size_t end, std::uint64_t value,
                          bool question, std::vector<Replacement>& found) {
  const Piece::Path& tokens = piece.Tokens();
  const std::size_t from = piece.BeginOf(tokens[i]);
  if (auto [readings, next] = Counted(piece, end, value, question); !readings.empty()) {
    // The first day of a month is ついたち (一月一日, 1月1日).
    if (value == 1 && next == end + 1 && piece.SurfaceOf(tokens[end]) == u"日" && from > 0 &&
        piece.Text()[from - 1] == u'月' && readings.size() > 1) {
      std::swap(readings[0], readings[1]);
    }
    for (std::u16string& entry : piece.ReadingsOfTokens(i, next)) {
      readings.push_back(std::move(entry));
    }
    found.push_back(piece.Make(from, piece.EndOf(tokens[next - 1]), std::move(readings)));
    return next;
  }
  if (question) return i;
  std::vector<std::u16string> readings = {ReadNumber(value)};
  if (value == 0) readings.emplace_back(u"ぜろ");
  for (std::u16string& entry : piece.ReadingsOfTokens(i, end)) readings.push_back(std::move(entry));
  found.push_back(piece.Make(from, piece.EndOf(tokens[end - 1]), std::move(readings)));
  return end;
}

// Reads the figures of tokens [i, end), of value `value` where they make a number, as
// ReadNumberAt does.
std::size_t ReadFiguresAt(const Piece& piece, std::size_t i, std::size_t end,
                          std::optional<std::uint64_t> value, std::vector<Replacement>& found) {
  const Piece::Path& tokens = piece.Tokens();
  const std::u16string_view text = piece.Text();
  const std::size_t from = piece.BeginOf(tokens[i]);
  const bool fraction = value && IsFraction(piece, end);
  const std::size_t after = piece.EndOf(tokens[fraction ? end + 1 : end - 1]);
  // Figures that belong to a name of letters (MP3, 4K) stay as they are.
  if ((from > 0 && IsLatin(text[from - 1])) || (after < text.size() && IsLatin(text[after]))) {
    return end;
  }
  if (fraction) {
    found.push_back(
        piece.Make(from, after, {ReadDecimal(*value, piece.SurfaceOf(tokens[end + 1]))}));
    return end + 2;
  }
  // Figures too many for a number, or led by a zero (007), are said one by one.
  const std::u16string_view figures = piece.Span(from, piece.EndOf(tokens[end - 1]));
  if (figures.size() > 1 && (figures[0] == u'0' || figures[0] == u'０')) {
    value.reset();
  }
  if (!value) {
    found.push_back(piece.Make(from, after, {ReadDigits(piece.Span(from, after))}));
    return end;
  }
  return ReadCountedAt(piece, i, end, *value, false, found);
}

}  // namespace

std::size_t ReadNumberAt(const Piece& piece, std::size_t i, std::vector<Replacement>& found) {
  const Piece::Path& tokens = piece.Tokens();
  // Most words start with no numeral: they are passed over before their fields are read.
  const char16_t first = piece.Text()[piece.BeginOf(tokens[i])];
  if (!IsNumeral(first) && !IsDigit(first) && first != u'何') return i;
  if (piece.SurfaceOf(tokens[i]) == u"何") return ReadCountedAt(piece, i, i + 1, 0, true, found);
  if (!IsNumeralToken(piece, tokens[i])) return ReadWordOfFiguresAt(piece, i, found);
  std::size_t end = NumeralEnd(piece, i);
  const std::size_t from = piece.BeginOf(tokens[i]);
  std::optional<std::uint64_t> value = ValueOf(piece, from, piece.EndOf(tokens[end - 1]));
  const std::size_t figures_end = FiguresEnd(piece, i, end);
  // Figures that kanji numerals do not continue (２二十) are a number of their own.
  if (!value && figures_end > i && figures_end < end) {
    end = figures_end;
    value = ValueOf(piece, from, piece.EndOf(tokens[end - 1]));
  }
  if (figures_end == end) return ReadFiguresAt(piece, i, end, value, found);
  return value ? ReadCountedAt(piece, i, end, *value, false, found) : i;
}

}  // namespace readings::internal
