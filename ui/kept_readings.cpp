// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/kept_readings.h"

#include "readings/remembered.h"
#include "ui/messages.h"
#include "ui/units.h"

namespace ui {

KeptReadings::KeptReadings(QString file, QWidget* parent, MessagePresenter& messages)
    : remembered_(std::move(file)), parent_(parent), messages_(messages) {}

std::optional<QString> KeptReadings::Kept(const QString& word) const {
  if (const auto reading = Words().Kept(Units(word))) return FromUnits(*reading);
  return std::nullopt;
}

void KeptReadings::Refresh() {
  if (read_ && !remembered_.Changed()) return;
  const std::vector<int> bad_lines = remembered_.Load().bad_lines;
  read_ = true;
  Tell(bad_lines, {});
}

void KeptReadings::Set(const QString& word, const QString& reading) {
  const RememberedReadings::Outcome outcome = remembered_.Set(word, reading);
  Tell(outcome.kept.bad_lines, outcome.error);
}

void KeptReadings::Tell(const std::vector<int>& bad_lines, const QString& error) {
  if (!bad_lines.empty()) {
    messages_.Show(parent_, messages::RememberedBadLines(remembered_.File(), bad_lines));
  } else if (!error.isEmpty()) {
    messages_.Show(parent_, messages::RememberedNotSaved(remembered_.File(), error));
  }
}

}  // namespace ui
