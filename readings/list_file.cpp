// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "readings/list_file.h"

#include <fstream>

namespace readings::internal {

std::optional<std::string> ReadListFile(const std::filesystem::path& file, std::uintmax_t largest) {
  // The file is looked at before it is opened: opening a pipe waits for a writer.
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error || size > largest) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) return std::nullopt;
  return bytes;
}

}  // namespace readings::internal
