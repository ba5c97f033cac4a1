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

// What one conversion command does: the text that replaces the output, if any, and then the
// message to show, if any.
struct CommandResult {
  std::optional<QString> output;
  std::optional<Message> message;
};

// Converts `lyrics` in `mode`. A failure inside a conversion is thrown, not reported.
CommandResult RunConversion(LyricsMode mode, QStringView lyrics);

// The code units of `lyrics` that make the conversion in `mode` fail, as a start and a length,
// or nothing when it does not fail there.
std::optional<std::pair<int, int>> FindCulprit(LyricsMode mode, QStringView lyrics);

}  // namespace ui
