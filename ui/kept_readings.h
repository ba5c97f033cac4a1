// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "ui/remembered_readings.h"

class QWidget;

namespace ui {

class MessagePresenter;

// The readings the user keeps, as the window uses them: their file read on the first rewrite and
// again whenever it changed, each change saved, and what is wrong with the file said in a box.
class KeptReadings {
 public:
  KeptReadings(QString file, QWidget* parent, MessagePresenter& messages);

  // The readings kept, for the reader, which reads them as they are at each read.
  const readings::RememberedWords& Words() const { return remembered_.Readings(); }
  // The reading kept for `word`, if any.
  std::optional<QString> Kept(const QString& word) const;

  // Reads the file when it has not been read yet, or when it changed since, by hand or by another
  // copy of the program.
  void Refresh();
  // Keeps `reading` for `word`, or forgets the word when `reading` is empty.
  void Set(const QString& word, const QString& reading);

 private:
  // Says what kept the file from being read whole (`bad_lines`) or written (`error`).
  void Tell(const std::vector<int>& bad_lines, const QString& error);

  RememberedReadings remembered_;
  QWidget* parent_;
  MessagePresenter& messages_;
  bool read_ = false;
};

}  // namespace ui
