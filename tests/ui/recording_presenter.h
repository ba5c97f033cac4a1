// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QGuiApplication>
#include <QWidget>
#include <vector>

#include "ui/messages.h"

namespace test_support {

// Records the messages the window shows instead of showing them.
class RecordingPresenter final : public ui::MessagePresenter {
 public:
  struct Shown {
    ui::Message message;
    bool window_visible;  // whether the window was on screen when the message came
    bool busy_cursor;     // whether the busy cursor was still showing then
  };

  void Show(QWidget* parent, const ui::Message& message) override {
    shown.push_back({message, parent != nullptr && parent->window()->isVisible(),
                     QGuiApplication::overrideCursor() != nullptr});
  }

  std::vector<ui::Message> Messages() const {
    std::vector<ui::Message> messages;
    for (const Shown& s : shown) messages.push_back(s.message);
    return messages;
  }

  std::vector<Shown> shown;
};

}  // namespace test_support

// Texts in test failures as the user reads them.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace ui {
inline void PrintTo(const Message& message, std::ostream* out) {
  *out << static_cast<int>(message.icon) << " \"" << message.text.toStdString() << '"';
  if (!message.details.isEmpty()) *out << " (" << message.details.toStdString() << ')';
}
}  // namespace ui
