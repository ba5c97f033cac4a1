// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include "conversion/conversion.h"
#include "tests/ui/recording_presenter.h"
#include "ui/conversion_command.h"

namespace {

using ui::LyricsMode;
using ui::Message;
using ui::RunConversion;
namespace messages = ui::messages;

struct Case {
  LyricsMode mode;
  QString lyrics;
  std::optional<QString> output;
  std::optional<Message> message;
};

TEST(RunConversion, WritesTheSequenceAndReportsAsTheModeSays) {
  const Case cases[] = {
      {LyricsMode::kNone, QStringLiteral(u"かな"), std::nullopt, messages::NoModeChosen()},
      {LyricsMode::kNone, QString(), std::nullopt, messages::NoModeChosen()},
      {LyricsMode::kKana, QStringLiteral(u"かった"), QStringLiteral("ka a ta "),
       messages::KanaFiltered()},
      {LyricsMode::kKana, QStringLiteral(u"東京 abc"), QString(), messages::KanaFiltered()},
      {LyricsMode::kKana, QString(), QString(), messages::KanaFiltered()},
      {LyricsMode::kRomaji, QStringLiteral("katta"), QStringLiteral("ka a ta "), std::nullopt},
      {LyricsMode::kRomaji, QString(), QString(), std::nullopt},
      {LyricsMode::kRomaji, QStringLiteral("kalta"), std::nullopt, messages::RomajiRefused()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lyrics.toStdString());
    const ui::CommandResult result = RunConversion(c.mode, c.lyrics);
    EXPECT_EQ(result.output, c.output);
    EXPECT_EQ(result.message, c.message);
  }
}

TEST(RunConversion, NamesTheCulpritOfRefusedRomajiInWholeCharacters) {
  EXPECT_EQ(RunConversion(LyricsMode::kRomaji, QStringLiteral("ka kalta")).culprit, ui::Span(5, 1));
  EXPECT_EQ(RunConversion(LyricsMode::kRomaji, QStringLiteral("katta")).culprit, std::nullopt);
  // A combining accent takes its letter along; an emoji takes its skin-tone modifier.
  EXPECT_EQ(ui::FindCulprit(LyricsMode::kRomaji, QStringLiteral(u"ke\u0301")), ui::Span(1, 2));
  EXPECT_EQ(ui::FindCulprit(LyricsMode::kRomaji, QStringLiteral(u"a\U0001F44D\U0001F3FD")),
            ui::Span(1, 4));
  EXPECT_EQ(ui::FindCulprit(LyricsMode::kKana, QStringLiteral(u"っか")), ui::Span(0, 1));
}

TEST(RunConversion, PassesFailuresInsideAConversionOn) {
  EXPECT_THROW(RunConversion(LyricsMode::kKana, QStringLiteral(u"っか")),
               conversion::ConversionError);
  EXPECT_THROW(RunConversion(LyricsMode::kRomaji, QStringLiteral("kka")),
               conversion::ConversionError);
}

}  // namespace
