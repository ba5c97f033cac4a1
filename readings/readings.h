// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Readings of the kanji in lyrics: which hiragana a singer sings for each kanji word, found by
// morphological analysis with a MeCab dictionary. Text is UTF-16 code units, as a text box holds
// it; positions count code units.
namespace readings {

// Thrown when the dictionary folder is missing, incomplete, unreadable or not laid out as IPADIC;
// what() gives the folder and the reason.
class DictionaryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The most readings offered for one word, the chosen one included.
inline constexpr std::size_t kMaxAlternatives = 8;

// One word's kanji and what to put in their place.
struct Replacement {
  std::size_t position = 0;
  std::size_t length = 0;
  // The readings to choose from in hiragana, the chosen one first, at most kMaxAlternatives;
  // none when nothing reads these kanji.
  std::vector<std::u16string> readings;
  // Whether the readings are a guess: no dictionary word holds these kanji, so they are read one
  // by one, from the dictionary's entry for the kanji alone or from the list of readings per kanji.
  // For a particle, whether the analysis finds it nearly as likely that it is none, or is one.
  bool guess = false;
  // Whether the lyrics give the reading themselves, in brackets after the kanji (運命（さだめ）,
  // ｜君《きみ》): the replacement then holds the brackets too, and the given reading, as
  // written, comes first.
  bool given = false;
  // Whether this is a は or へ that is a particle, or may be one: the readings are the kana as
  // sung (わ, え) and as written, the likelier first.
  bool particle = false;

  friend bool operator==(const Replacement&, const Replacement&) = default;
};

// The kanji runs of `text` (kanji with 々 〆 〇, and ヶ ヵ ケ between kanji) as positions and
// lengths, in order.
std::vector<std::pair<std::size_t, std::size_t>> KanjiRuns(std::u16string_view text);

// Whether `reading` may be kept for `word`: the word holds a kanji, no tab and no blank at
// either end, and the reading is hiragana or katakana (with ー) and nothing else.
bool IsReading(std::u16string_view word, std::u16string_view reading);

class Analyzer;
class RememberedWords;
namespace internal {
class KanjiList;
class WordList;
}  // namespace internal

// Reads kanji with one opened dictionary. Not for use from two threads at once.
class Reader {
 public:
  // Opens the dictionary in `folder` (a compiled IPADIC in UTF-8), mapping its files rather
  // than reading them; the list of readings per kanji in `kanji_list`, from which kanji that no
  // dictionary word holds are guessed; and the list of words in `word_list`, which reads words
  // that the dictionary lacks and offers other readings of those it has. Without a list, or
  // where it cannot be read, there is nothing from it. The readings the user keeps are taken from
  // `remembered`, as it is at each read, when it is given; it must outlive the reader. Throws
  // DictionaryError when the dictionary cannot be opened.
  explicit Reader(const std::filesystem::path& folder, const std::filesystem::path& kanji_list = {},
                  const std::filesystem::path& word_list = {},
                  const RememberedWords* remembered = nullptr);
  ~Reader();
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  // How far the readings after the first choice are looked for. Either way the words and their
  // first choices are the same.
  enum class Order {
    // Also in the analyser's next-best paths, which rank them by how well each fits its line.
    kByContext,
    // In the next-best paths only for kanji runs that the best path splits or cannot read, else
    // as the dictionary lists them: some readings that only a next-best path gives are missing.
    // Several times faster, for reading much text at once.
    kQuick,
  };

  // The replacements for the kanji of `text`, in order and not overlapping.
  std::vector<Replacement> Read(std::u16string_view text, Order order = Order::kByContext);

  // The replacements for the kanji inside `text[begin, end)`, each word read with the lines
  // around it; a word that reaches outside the range is read from its part inside alone.
  std::vector<Replacement> Read(std::u16string_view text, std::size_t begin, std::size_t end,
                                Order order = Order::kByContext);

 private:
  // The replacements of the lines (long ones in pieces) of text[begin, end), read by the
  // dictionary, the list of readings per kanji and the list of words.
  std::vector<Replacement> ReadPieces(std::u16string_view text, std::size_t begin, std::size_t end,
                                      Order order);

  std::unique_ptr<Analyzer> analyzer_;
  std::unique_ptr<const internal::KanjiList> kanji_list_;
  std::unique_ptr<const internal::WordList> word_list_;
  const RememberedWords* remembered_;
};

// The kana that the particle written `written` (は or へ) is sung as: わ, え; 0 for any other.
char16_t SungAsParticle(char16_t written);

// `text` with `replacements` (in order, not overlapping) put in, each by its first reading;
// replacements without readings leave their kanji.
std::u16string Apply(std::u16string_view text, const std::vector<Replacement>& replacements);

}  // namespace readings
