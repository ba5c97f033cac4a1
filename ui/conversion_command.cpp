// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/conversion_command.h"

#include <string>
#include <string_view>

#include "conversion/conversion.h"

namespace ui {

namespace {

// The conversions read the text box's own code units; only their result is new.
std::u16string_view Units(QStringView lyrics) {
  return {lyrics.utf16(), static_cast<std::size_t>(lyrics.size())};
}

}  // namespace

CommandResult RunConversion(LyricsMode mode, QStringView lyrics) {
  const std::u16string_view units = Units(lyrics);
  switch (mode) {
    case LyricsMode::kKana: {
      const std::u16string sequence = conversion::KanaToSequence(units);
      return {QString::fromStdU16String(sequence), messages::KanaFiltered()};
    }
    case LyricsMode::kRomaji: {
      const std::u16string sequence = conversion::RomajiToSequence(units);
      if (sequence == conversion::kFailureSentinel)
        return {std::nullopt, messages::RomajiRefused()};
      return {QString::fromStdU16String(sequence), std::nullopt};
    }
    case LyricsMode::kNone:
      break;
  }
  return {std::nullopt, messages::NoModeChosen()};
}

std::optional<std::pair<int, int>> FindCulprit(LyricsMode mode, QStringView lyrics) {
  std::optional<conversion::Culprit> culprit;
  if (mode == LyricsMode::kKana) culprit = conversion::FindKanaCulprit(Units(lyrics));
  if (mode == LyricsMode::kRomaji) culprit = conversion::FindRomajiCulprit(Units(lyrics));
  if (!culprit) return std::nullopt;
  return std::pair(static_cast<int>(culprit->position), static_cast<int>(culprit->length));
}

}  // namespace ui
