// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// For builds without MeCab: no dictionary opens, so no kanji are read.

#include "readings/analyzer.h"
#include "readings/readings.h"

namespace readings {

Analyzer::Analyzer(const std::filesystem::path& folder) {
  const std::u8string name = folder.u8string();
  throw DictionaryError(std::string(name.begin(), name.end()) + ": this build reads no kanji");
}

Analyzer::~Analyzer() = default;

std::vector<Analyzer::Path> Analyzer::Analyze(std::string_view /*text*/, std::size_t /*paths*/) {
  return {};
}

std::vector<Analyzer::Token> Analyzer::EndingAt(std::size_t /*end*/) const { return {}; }

std::vector<std::vector<Analyzer::Alternative>> Analyzer::WordsHolding(
    const std::vector<std::size_t>& bytes, long /*within*/) const {
  return std::vector<std::vector<Alternative>>(bytes.size());
}

std::vector<std::string_view> Analyzer::ReadingsAt(std::size_t /*filed*/, std::size_t /*begin*/,
                                                   std::size_t /*length*/) const {
  return {};
}

std::vector<std::string_view> Analyzer::CommonReadingsAt(std::size_t /*filed*/,
                                                         std::size_t /*begin*/,
                                                         std::size_t /*length*/) const {
  return {};
}

}  // namespace readings
