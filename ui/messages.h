// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <vector>

class QMessageBox;
class QWidget;

namespace ui {

// The icon of a message box; the values are the message-box style values that name them.
enum class MessageIcon { kInformation = 64, kExclamation = 48, kCritical = 16 };

// A message to the user. Its lines are separated by carriage returns; `details`, if any, are
// shown only when the user asks for them.
struct Message {
  MessageIcon icon;
  QString text;
  QString details = {};

  friend bool operator==(const Message&, const Message&) = default;
};

// The title of every message box.
QString MessageTitle();

// The messages of the window, in the words the user sees.
namespace messages {
Message Greeting();
Message KanaModeWarning();
Message KanaFiltered();
Message RomajiRefused();
Message NoModeChosen();
Message UnexpectedError();
// The dictionary that reads kanji is missing or unreadable in `folder`, for `reason`.
Message DictionaryMissing(const QString& folder, const QString& reason = {});
// Reading the kanji failed for `reason` (out of memory) although the dictionary is sound.
Message RewriteFailed(const QString& reason);
// The file of the readings kept, `file`, has lines that are not readings: `lines`, in order.
Message RememberedBadLines(const QString& file, const std::vector<int>& lines);
// The readings kept could not be written to `file`, for `reason`.
Message RememberedNotSaved(const QString& file, const QString& reason);
// Keeping a reading failed for `reason` (out of memory).
Message RememberFailed(const QString& reason);
}  // namespace messages

// Shows messages to the user and returns once each is dismissed. The window talks to the user
// only through this, so that tests can record the messages instead of showing them.
class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  virtual void Show(QWidget* parent, const Message& message) = 0;
};

// Shows each message in a modal message box with a single OK button.
class MessageBoxPresenter final : public MessagePresenter {
 public:
  void Show(QWidget* parent, const Message& message) override;
};

// The message box that MessageBoxPresenter shows for `message`, ready to be run; the caller owns
// it.
QMessageBox* CreateMessageBox(QWidget* parent, const Message& message);

}  // namespace ui
