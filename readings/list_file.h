// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace readings::internal {

// The bytes of the list in `file`, read whole; nothing when it is no regular file (a pipe, a
// device, a folder), is larger than `largest` bytes, or cannot be read.
std::optional<std::string> ReadListFile(const std::filesystem::path& file, std::uintmax_t largest);

}  // namespace readings::internal
