// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/conversion_command.h"

#include <string>
#include <string_view>

#include "conversion/conversion.h"

namespace ui {

CommandResult RunConversion(LyricsMode mode, QStringView lyrics) {
  // The conversions read the text box's own code units; only their result is new.
  const std::u16string_view units(lyrics.utf16(), static_cast<std::size_t>(lyrics.size()));
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

}  // namespace ui
