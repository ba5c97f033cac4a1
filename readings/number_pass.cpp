// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// Numbers as the best path has them: a run of numeral tokens, or 何, with the counter after it.
#include <algorithm>
#include <optional>

#include "readings/numbers.h"
#include "readings/passes.h"
#include "readings/piece.h"

namespace readings::internal {

std::size_t ReadNumberAt(const Piece& piece, std::size_t i, std::vector<Replacement>& found) {
  const Piece::Path& tokens = piece.Tokens();
  const bool question = piece.SurfaceOf(tokens[i]) == u"何";
  std::size_t end = i + 1;  // past the number's tokens
  if (!question) {
    auto numeral = [&](std::size_t k) {
      const std::u16string_view surface = piece.SurfaceOf(tokens[k]);
      return tokens[k].Number() && std::all_of(surface.begin(), surface.end(), IsNumeral);
    };
    if (!numeral(i)) return i;
    while (end < tokens.size() && piece.Adjacent(end) && numeral(end)) ++end;
  }
  const std::size_t from = piece.BeginOf(tokens[i]);
  const std::optional<std::uint64_t> value =
      question ? std::optional<std::uint64_t>(0)
               : NumeralValue(piece.Span(from, piece.EndOf(tokens[end - 1])));
  if (!value) return i;
  if (end < tokens.size() && piece.Adjacent(end)) {
    std::vector<std::u16string> readings =
        ReadCounted(*value, piece.SurfaceOf(tokens[end]), question);
    if (!readings.empty()) {
      for (std::u16string& entry : piece.ReadingsOfTokens(i, end + 1)) {
        readings.push_back(std::move(entry));
      }
      found.push_back(piece.Make(from, piece.EndOf(tokens[end]), std::move(readings)));
      return end + 1;
    }
  }
  if (question) return i;
  std::vector<std::u16string> readings = {ReadNumber(*value)};
  if (*value == 0) readings.emplace_back(u"ぜろ");
  for (std::u16string& entry : piece.ReadingsOfTokens(i, end)) readings.push_back(std::move(entry));
  found.push_back(piece.Make(from, piece.EndOf(tokens[end - 1]), std::move(readings)));
  return end;
}

}  // namespace readings::internal
