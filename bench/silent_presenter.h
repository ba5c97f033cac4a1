// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include "ui/messages.h"

namespace bench {

// Dismisses every message at once, so that a benchmark measures the window and not the user.
class SilentPresenter final : public ui::MessagePresenter {
 public:
  void Show(QWidget*, const ui::Message&) override {}
};

}  // namespace bench
