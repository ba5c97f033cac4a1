// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QWidget>
#include <filesystem>

#include "ui/conversion_command.h"
#include "ui/kanji_readings.h"

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace ui {

class MessagePresenter;

// The program's one window: lyrics in, a mode chosen, a syllable sequence out. Its controls bear
// the names they are known by, also as object names.
class Main : public QWidget {
  Q_OBJECT

 public:
  // The window speaks to the user only through `messages`, which must outlive it, and reads
  // kanji with the dictionary in `dictionary`.
  explicit Main(MessagePresenter& messages, std::filesystem::path dictionary = DictionaryFolder(),
                QWidget* parent = nullptr);

  // Greets the user before the window is shown for the first time.
  void setVisible(bool visible) override;

 private:
  void CreateControls();
  void ConnectHandlers();
  LyricsMode SelectedMode() const;
  // Selects `culprit` in Input, what made a failed press fail, and gives Input the focus.
  void SelectCulprit(Span culprit);

  void Form_Load();
  void Begin_Click();
  void Exit_Click();
  void PJM_Click();
  void Input_Change();

  MessagePresenter& messages_;
  std::filesystem::path dictionary_;
  bool loaded_ = false;

  QGroupBox* Frame = nullptr;
  QLabel* Label1 = nullptr;
  QPlainTextEdit* Input = nullptr;
  QRadioButton* LMY = nullptr;
  QRadioButton* PJM = nullptr;
  QLabel* Label2 = nullptr;
  QPlainTextEdit* Output = nullptr;
  QPushButton* Begin = nullptr;
  QPushButton* Exit = nullptr;
};

}  // namespace ui
