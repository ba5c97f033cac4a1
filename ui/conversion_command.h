// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <utility>

#include "ui/messages.h"

namespace ui {

// How the lyrics are to be read: not chosen yet, as kana, or as romaji.
enum class LyricsMode { kNone, kKana, kRomaji };

// Code units of the lyrics, as a start and a length.
using Span = std::pair<int, int>;

// What one conversion command does: the text that replaces the output, if any, then the message
// to show, if any, and what in the lyrics made it fail, if anything.
struct CommandResult {
  std::optional<QString> output;
  std::optional<Message> message;
  std::optional<Span> culprit;
};

// Converts `lyrics` in `mode`. A failure inside a conversion is thrown, not reported; refused
// romaji is reported with its culprit.
CommandResult RunConversion(LyricsMode mode, QStringView lyrics);

// What in `lyrics` makes the conversion in `mode` fail, widened to whole characters as the user
// sees them (a letter with its accents, an emoji with its modifiers), or nothing when it does not
// fail.
std::optional<Span> FindCulprit(LyricsMode mode, QStringView lyrics);

}  // namespace ui
