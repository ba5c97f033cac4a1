// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/conversion_command.h"

#include <QTextBoundaryFinder>
#include <string>
#include <string_view>

#include "conversion/conversion.h"
#include "ui/units.h"

namespace ui {

CommandResult RunConversion(LyricsMode mode, QStringView lyrics) {
  const std::u16string_view units = Units(lyrics);
  switch (mode) {
    case LyricsMode::kKana: {
      const std::u16string sequence = conversion::KanaToSequence(units);
      return {QString::fromStdU16String(sequence), messages::KanaFiltered(), std::nullopt};
    }
    case LyricsMode::kRomaji: {
      const std::u16string sequence = conversion::RomajiToSequence(units);
      if (sequence == conversion::kFailureSentinel)
        return {std::nullopt, messages::RomajiRefused(), FindCulprit(mode, lyrics)};
      return {QString::fromStdU16String(sequence), std::nullopt, std::nullopt};
    }
    case LyricsMode::kNone:
      break;
  }
  return {std::nullopt, messages::NoModeChosen(), std::nullopt};
}

std::optional<Span> FindCulprit(LyricsMode mode, QStringView lyrics) {
  std::optional<conversion::Culprit> culprit;
  if (mode == LyricsMode::kKana) culprit = conversion::FindKanaCulprit(Units(lyrics));
  if (mode == LyricsMode::kRomaji) culprit = conversion::FindRomajiCulprit(Units(lyrics));
  if (!culprit) return std::nullopt;
  QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, lyrics.data(), lyrics.size());
  auto start = static_cast<qsizetype>(culprit->position);
  auto end = start + static_cast<qsizetype>(culprit->length);
  graphemes.setPosition(start);
  if (!graphemes.isAtBoundary()) start = graphemes.toPreviousBoundary();
  graphemes.setPosition(end);
  if (!graphemes.isAtBoundary()) end = graphemes.toNextBoundary();
  return Span(static_cast<int>(start), static_cast<int>(end - start));
}

}  // namespace ui
