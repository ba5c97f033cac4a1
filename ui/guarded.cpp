// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/guarded.h"

#include <new>

namespace ui {

QString Reason(const std::exception& failure) {
  if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) {
    return QStringLiteral(u"内存不足");
  }
  return QString::fromUtf8(failure.what());
}

void Guarded(QWidget* parent, MessagePresenter& messages, const std::function<void()>& handler,
             Message (*failure)(const QString& reason)) {
  QString reason;
  try {
    handler();
    return;
  } catch (const std::exception& error) {
    reason = Reason(error);
  }
  messages.Show(parent, failure(reason));
}

}  // namespace ui
