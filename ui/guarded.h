// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <exception>
#include <functional>

#include "ui/messages.h"

class QWidget;

namespace ui {

// Why `failure` happened, in the user's words.
QString Reason(const std::exception& failure);

// Runs `handler`; when it fails, says so over `parent` in a box made by `failure` from the reason.
void Guarded(QWidget* parent, MessagePresenter& messages, const std::function<void()>& handler,
             Message (*failure)(const QString& reason));

}  // namespace ui
