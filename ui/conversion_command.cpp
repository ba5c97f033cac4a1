#include "ui/conversion_command.h"

#include <string>

#include "conversion/conversion.h"

namespace ui {

CommandResult RunConversion(LyricsMode mode, const QString& lyrics) {
  switch (mode) {
    case LyricsMode::kKana: {
      const std::u16string sequence = conversion::KanaToSequence(lyrics.toStdU16String());
      return {QString::fromStdU16String(sequence), messages::KanaFiltered()};
    }
    case LyricsMode::kRomaji: {
      const std::u16string sequence = conversion::RomajiToSequence(lyrics.toStdU16String());
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
