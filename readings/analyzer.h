// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct mecab_model_t;
struct mecab_t;
struct mecab_lattice_t;

namespace readings {

// Morphological analysis of UTF-8 text with one opened dictionary: the words of the best
// analysis, each with the dictionary's reading. Everything it returns stays valid until the next
// call of Analyze.
class Analyzer {
 public:
  struct Token {
    std::size_t begin = 0;  // bytes of the analysed text
    std::size_t end = 0;
    bool known = false;        // a dictionary entry, not a guess for an unknown word
    bool number = false;       // a numeral (名詞,数)
    bool counter = false;      // a counter after a number (名詞,接尾,助数詞)
    std::string_view reading;  // katakana; empty when unknown
  };

  // Opens the dictionary in `folder`; throws DictionaryError when that fails.
  explicit Analyzer(const std::filesystem::path& folder);
  ~Analyzer();
  Analyzer(const Analyzer&) = delete;
  Analyzer& operator=(const Analyzer&) = delete;

  std::vector<Token> Analyze(std::string_view text);

  // The readings, in katakana and without repeats, of the dictionary entries for exactly the
  // `length` bytes from `begin` of the text last analysed.
  std::vector<std::string_view> ReadingsAt(std::size_t begin, std::size_t length) const;

 private:
  template <typename T>
  using Owned = std::unique_ptr<T, void (*)(T*)>;

  Owned<mecab_model_t> model_{nullptr, nullptr};
  Owned<mecab_t> tagger_{nullptr, nullptr};
  Owned<mecab_lattice_t> lattice_{nullptr, nullptr};
};

}  // namespace readings
