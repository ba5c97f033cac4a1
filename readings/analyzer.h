// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct mecab_model_t;
struct mecab_t;
struct mecab_lattice_t;
struct mecab_node_t;

namespace readings {

// Morphological analysis of UTF-8 text with one opened dictionary: the words of the best
// analyses, each with the dictionary's reading. Everything it returns stays valid until the next
// call of Analyze.
class Analyzer {
 public:
  struct Token {
    std::size_t begin = 0;  // bytes of the analysed text
    std::size_t end = 0;
    // Where the analysis files the word: before the blanks in front of it.
    std::size_t filed = 0;
    bool known = false;        // a dictionary entry, not a guess for an unknown word
    std::string_view feature;  // the entry's fields, separated by commas, as IPADIC has them

    // The part of speech's first level (名詞, 動詞, 助詞...).
    std::string_view PartOfSpeech() const { return Field(0); }
    // Whether it is a numeral (名詞,数).
    bool Number() const { return Field(0) == "名詞" && Field(1) == "数"; }
    // Whether it is a proper noun (名詞,固有名詞): a place's or a person's name.
    bool ProperNoun() const { return Field(1) == "固有名詞"; }
    // The part of speech's second level (係助詞, 格助詞, 読点...).
    std::string_view Kind() const { return Field(1); }
    // The reading in katakana; empty when unknown.
    std::string_view Reading() const { return KnownField(7); }
    // How the word is said, in katakana with ー, where it differs from how it is written (the
    // particle は ワ); empty when unknown.
    std::string_view Pronunciation() const { return KnownField(8); }

   private:
    std::string_view KnownField(std::size_t index) const {
      const std::string_view field = known ? Field(index) : std::string_view();
      return field == "*" ? std::string_view() : field;
    }
    std::string_view Field(std::size_t index) const {
      std::string_view rest = feature;
      for (; index > 0; --index) {
        const std::size_t comma = rest.find(',');
        if (comma == std::string_view::npos) return {};
        rest.remove_prefix(comma + 1);
      }
      return rest.substr(0, rest.find(','));
    }
  };
  using Path = std::vector<Token>;

  // Opens the dictionary in `folder`; throws DictionaryError when that fails or when the
  // dictionary does not give its words' readings in kana, as IPADIC does.
  explicit Analyzer(const std::filesystem::path& folder);
  ~Analyzer();
  Analyzer(const Analyzer&) = delete;
  Analyzer& operator=(const Analyzer&) = delete;

  // The `paths` best analyses of `text`, the best first; none when the analysis fails. The
  // search for further paths costs more, even when there are none: ask for one path alone where
  // that is enough.
  std::vector<Path> Analyze(std::string_view text, std::size_t paths);

  // The words of any path through the text last analysed that end at byte `end`.
  std::vector<Token> EndingAt(std::size_t end) const;

  // A word of some path through the text last analysed and how much more the best path that takes
  // it costs than the best one; for a word of one character, also the word before it on that path
  // (none at the start), each such word an alternative of its own.
  struct Alternative {
    Token word;
    std::optional<Token> before;
    long extra = 0;
  };
  // For each of `bytes` (in order) of the text last analysed, the words that hold it and start
  // at most kReach bytes before it, on paths that cost at most `within` more than the best one.
  // The paths costed leave the best one's words for others only before kDetour bytes after the
  // last of `bytes`.
  std::vector<std::vector<Alternative>> WordsHolding(const std::vector<std::size_t>& bytes,
                                                     long within) const;
  static constexpr std::size_t kReach = 12;
  static constexpr std::size_t kDetour = 12;

  // The readings, in katakana and without repeats, of the dictionary entries for exactly the
  // `length` bytes from `begin` of the text last analysed, filed at `filed`.
  std::vector<std::string_view> ReadingsAt(std::size_t filed, std::size_t begin,
                                           std::size_t length) const;
  // The same, of the entries that are no proper nouns, the likeliest word first.
  std::vector<std::string_view> CommonReadingsAt(std::size_t filed, std::size_t begin,
                                                 std::size_t length) const;

 private:
  Token TokenOf(const mecab_node_t* node) const;
  // The best path's word that starts at byte `at`, blanks before it included, if one does.
  const mecab_node_t* BestStartingAt(std::size_t at) const;
  // Finds, for each word that starts in bytes [from, to) and ends after byte `past`, the least
  // cost from its end to the end of the text, on paths that join the best one's words by `to`.
  void FindCostsToEnd(std::size_t from, std::size_t past, std::size_t to) const;
  std::vector<std::string_view> ReadingsAt(std::size_t filed, std::size_t begin, std::size_t length,
                                           bool common) const;

  template <typename T>
  using Owned = std::unique_ptr<T, void (*)(T*)>;

  Owned<mecab_model_t> model_{nullptr, nullptr};
  Owned<mecab_t> tagger_{nullptr, nullptr};
  Owned<mecab_lattice_t> lattice_{nullptr, nullptr};
  const char* sentence_ = nullptr;  // of the text last analysed
  std::size_t size_ = 0;
  // The best path's words of the text last analysed, by where they start.
  std::vector<std::pair<std::size_t, const mecab_node_t*>> best_path_;
  // For each word of the lattice by its number, the cost FindCostsToEnd found last.
  mutable std::vector<long> cost_to_end_;
};

}  // namespace readings
