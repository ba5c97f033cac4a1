// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "readings/analyzer.h"
#include "readings/readings.h"
#include "readings/script.h"

// A piece of lyrics as the reading passes see it: a line, or part of a long one, analysed once.
// Every position a piece takes or gives counts code units of the whole text; the analyser's UTF-8
// bytes stay inside it.
namespace readings::internal {

// The analysis runs line by line; a longer line is cut into pieces of at most this many code
// units, after a pause (a blank or punctuation) where there is one, so that its cost stays linear.
inline constexpr std::size_t kLongestPiece = 2048;

// Calls `read(begin, end)` for the lines of text[begin, end), long lines in pieces.
void ForEachPiece(std::u16string_view text, std::size_t begin, std::size_t end,
                  const std::function<void(std::size_t, std::size_t)>& read);

// The readings to offer, once each and none empty, the first `kMaxAlternatives`.
std::vector<std::u16string> Distinct(std::vector<std::u16string> readings);

// The dictionary's reading `katakana` in hiragana, or nothing when it is not all kana (the entry
// for 々 reads 々).
std::u16string Hiragana(std::string_view katakana);

// The readings of text[start, end) that the replacements found[first, last) inside it give: the
// kana between them read as themselves, each replacement by its first reading, and where there
// is one replacement, by each of its readings too. None where one of them has no reading or the
// text between them is not kana.
std::vector<std::u16string> ReadingsOfSpan(std::u16string_view text, std::size_t start,
                                           std::size_t end, const std::vector<Replacement>& found,
                                           std::size_t first, std::size_t last);

// text[begin, end) with its kanji runs and the best analysis of it.
class Piece {
 public:
  using Token = Analyzer::Token;
  using Path = Analyzer::Path;

  // Analyses text[begin, end) when it holds something to read: a kanji run, a figure, or a は or
  // へ that may be a particle; `analyzer` must outlive the piece and analyse nothing else
  // meanwhile.
  Piece(Analyzer& analyzer, std::u16string_view text, std::size_t begin, std::size_t end);

  std::u16string_view Text() const { return text_; }
  std::size_t Begin() const { return begin_; }
  std::size_t End() const { return begin_ + in_run_.size(); }
  // text[from, to).
  std::u16string_view Span(std::size_t from, std::size_t to) const {
    return text_.substr(from, to - from);
  }

  // Whether the piece holds something to read; a piece that does not is not analysed.
  bool Readable() const { return readable_; }
  // The kanji runs, in order.
  const std::vector<std::pair<std::size_t, std::size_t>>& Runs() const { return runs_; }
  // Whether the character at `at` belongs to a kanji run.
  bool InRun(std::size_t at) const { return in_run_[at - begin_]; }
  // Whether some character of [from, to) belongs to a kanji run.
  bool AnyInRun(std::size_t from, std::size_t to) const;
  // Whether every character of [from, to) belongs to a kanji run.
  bool AllInRun(std::size_t from, std::size_t to) const;

  // Whether the analysis succeeded; without it, the piece has no tokens.
  bool Analysed() const { return !best_.empty(); }
  // The words of the best path, in order.
  const Path& Tokens() const { return best_; }
  std::size_t BeginOf(const Token& token) const { return Position(token.begin); }
  std::size_t EndOf(const Token& token) const { return Position(token.end); }
  std::u16string_view SurfaceOf(const Token& token) const {
    return Span(BeginOf(token), EndOf(token));
  }
  // Whether token `i` of the best path follows token `i - 1` with nothing between them.
  bool Adjacent(std::size_t i) const { return best_[i].begin == best_[i - 1].end; }
  // The best path's word that starts at `at`, if one does.
  const Token* TokenAt(std::size_t at) const;
  // Whether the best path's word at `at` ends at `to`.
  bool EndsAt(const Token& token, std::size_t to) const { return token.end == Byte(to); }
  // The words of any path that end at `end`.
  std::vector<Token> EndingAt(std::size_t end) const;
  // For each of the characters at `positions` (in order), the words of any path that hold it and
  // how much more the best path through each costs than the best one, where that is at most
  // `within`; a word of one character comes once for each word before it on such a path.
  std::vector<std::vector<Analyzer::Alternative>> WordsHolding(
      const std::vector<std::size_t>& positions, long within) const;

  // The readings of the dictionary's entries for the characters of tokens [first, last) of the
  // best path.
  std::vector<std::u16string> ReadingsOfTokens(std::size_t first, std::size_t last) const;
  // The readings of the dictionary's entries for the characters [from, to).
  std::vector<std::u16string> ReadingsOfCharacters(std::size_t from, std::size_t to) const;
  // The readings of the entries for `token`'s characters that are no proper nouns, the likeliest
  // word first.
  std::vector<std::u16string> CommonReadingsOf(const Token& token) const;

  // The `count` best paths, analysed again; the best path of the piece stays as it was.
  std::vector<Path> BestPaths(std::size_t count) const;

  // The replacement of [from, to) by `readings` (made distinct), short of the kana that end the
  // span and every reading alike (the つ of 一つ).
  Replacement Make(std::size_t from, std::size_t to, std::vector<std::u16string> readings,
                   bool guess = false) const;

 private:
  std::size_t Position(std::size_t byte) const { return begin_ + utf8_.position[byte]; }
  std::size_t Byte(std::size_t at) const { return byte_[at - begin_]; }

  Analyzer& analyzer_;
  std::u16string_view text_;
  std::size_t begin_;
  std::vector<std::pair<std::size_t, std::size_t>> runs_;
  std::vector<bool> in_run_;  // for each code unit of the piece
  Utf8Text utf8_;
  std::vector<std::size_t> byte_;  // for each code unit of the piece that starts a character
  Path best_;
  bool readable_ = false;
};

}  // namespace readings::internal
