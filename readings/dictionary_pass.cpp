// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// The words of the best path, read by the dictionary: each word's reading split among its kanji,
// with the song table's readings and the dictionary's other entries; 々 with the kanji before it;
// and kanji that no word holds guessed one by one.
#include <algorithm>
#include <optional>

#include "readings/align.h"
#include "readings/kanji_list.h"
#include "readings/numbers.h"
#include "readings/passes.h"
#include "readings/piece.h"
#include "readings/repeat_marks.h"
#include "readings/song_readings.h"

namespace readings::internal {
namespace {

using Token = Piece::Token;

// The most kana of a kun reading's ending that tell a guessed kanji's reading (囁く).
constexpr std::size_t kLongestEnding = 4;

// Whether the song table's `row` holds for token `i` of the best path.
bool Holds(const Piece& piece, const SongReading& row, std::size_t i) {
  const Piece::Path& tokens = piece.Tokens();
  if (piece.SurfaceOf(tokens[i]) != row.word ||
      !piece.Text().substr(piece.EndOf(tokens[i])).starts_with(row.next)) {
    return false;
  }
  if (FromUtf8(tokens[i].PartOfSpeech()) == row.part_of_speech) return true;
  // Kana after a classical verb's stem, which the dictionary reads as a noun, show the verb
  // unless they are a particle of their own (東京の出で).
  return !row.next.empty() && i + 1 < tokens.size() && piece.Adjacent(i + 1) &&
         tokens[i + 1].PartOfSpeech() != "助詞";
}

// The readings of the whole word that token `i` is, the chosen one first.
std::vector<std::u16string> WordReadings(const Piece& piece, std::size_t i) {
  const Token& token = piece.Tokens()[i];
  const std::u16string_view surface = piece.SurfaceOf(token);
  std::vector<std::u16string> readings;
  if (std::u16string chosen = Hiragana(token.Reading()); token.known && !chosen.empty()) {
    // A lone kanji that the best path takes for a name (朝 チョウ, a place) is read as the
    // likeliest common word first where the dictionary has one; the name comes after it.
    if (token.ProperNoun() && CodePointAt(surface, 0).size == surface.size()) {
      std::vector<std::u16string> common = piece.CommonReadingsOf(token);
      std::erase(common, std::u16string());
      if (!common.empty()) readings.push_back(std::move(common.front()));
    }
    readings.push_back(std::move(chosen));
    for (std::u16string& other : piece.ReadingsOfTokens(i, i + 1)) {
      readings.push_back(std::move(other));
    }
    for (const SongReading& song : SongReadings()) {
      if (!Holds(piece, song, i)) continue;
      const std::vector<std::u16string> preferred = SplitReadings(song.readings);
      readings.insert(readings.begin(), preferred.front());
      readings.insert(readings.end(), preferred.begin() + 1, preferred.end());
    }
  }
  // A number and counter that the dictionary knows as one word (十分 じゅうぶん) may still be
  // meant as a count (じゅっぷん): that reading is offered too.
  const auto digits = static_cast<std::size_t>(
      std::find_if_not(surface.begin(), surface.end(), IsNumeral) - surface.begin());
  if (const auto value = NumeralValue(surface.substr(0, digits))) {
    for (std::u16string& counted : ReadCounted(*value, surface.substr(digits))) {
      readings.push_back(std::move(counted));
    }
  }
  return Distinct(std::move(readings));
}

// For each code unit of token `token`'s surface, whether it takes part of the word's reading:
// kanji and whatever is neither kana nor a blank (Ｘ線, ヶ月); the kana between them read as
// themselves.
std::vector<bool> Taking(const Piece& piece, const Token& token) {
  const std::u16string_view surface = piece.SurfaceOf(token);
  const std::size_t begin = piece.BeginOf(token);
  std::vector<bool> taking(surface.size());
  for (std::size_t k = 0; k < surface.size();) {
    const auto [c, size] = CodePointAt(surface, k);
    const bool reads = piece.InRun(begin + k) || !IsKana(c) || IsKanjiLink(c);
    std::fill_n(taking.begin() + static_cast<std::ptrdiff_t>(k), size, reads);
    k += size;
  }
  return taking;
}

// Reads the kanji of token `i`, which no dictionary word holds, one by one: each from the
// dictionary's entries for it alone, then from the list of readings per kanji.
void Guess(const Piece& piece, const KanjiList& kanji_list, std::size_t i,
           std::vector<Replacement>& found) {
  const Token& token = piece.Tokens()[i];
  const std::size_t end = piece.EndOf(token);
  for (std::size_t k = piece.BeginOf(token); k < end;) {
    const auto [c, size] = CodePointAt(piece.Text(), k);
    if (piece.InRun(k) && !(IsRepeatMark(c) && ReadRepeatMark(piece, k, found))) {
      std::vector<std::u16string> readings = piece.ReadingsOfCharacters(k, k + size);
      // The okurigana after the kanji tell which of its readings fit.
      std::size_t after = k + size;
      while (after < piece.End() && after - (k + size) < kLongestEnding &&
             IsHiraganaLetter(piece.Text()[after])) {
        ++after;
      }
      for (std::u16string& listed : kanji_list.ReadingsOf(c, piece.Span(k + size, after))) {
        readings.push_back(std::move(listed));
      }
      readings = Distinct(std::move(readings));
      const bool guessed = !readings.empty();
      found.push_back(piece.Make(k, k + size, std::move(readings), guessed));
    }
    k += size;
  }
}

// Reads the kanji of the word that token `i` is.
void ReadWord(const Piece& piece, const KanjiList& kanji_list, std::size_t i,
              std::vector<Replacement>& found) {
  const Token& token = piece.Tokens()[i];
  const std::u16string_view surface = piece.SurfaceOf(token);
  const std::size_t begin = piece.BeginOf(token);
  if (surface.size() == 1 && IsRepeatMark(surface[0]) && ReadRepeatMark(piece, begin, found)) {
    return;
  }
  const std::vector<std::u16string> readings = WordReadings(piece, i);
  std::vector<bool> taking = Taking(piece, token);
  std::optional<std::vector<KanjiPart>> pieces;
  if (!readings.empty()) pieces = Align(surface, taking, readings[0]);
  if (!pieces && !readings.empty()) {
    // Whatever stands between the first and the last kanji goes with them.
    const auto first = std::find(taking.begin(), taking.end(), true);
    const auto last = std::find(taking.rbegin(), taking.rend(), true).base();
    std::fill(first, last, true);
    pieces = Align(surface, taking, readings[0]);
  }
  if (!pieces) {
    Guess(piece, kanji_list, i, found);
    return;
  }
  std::vector<std::vector<std::u16string>> alternatives;
  for (const KanjiPart& part : *pieces) alternatives.push_back({part.reading});
  for (std::size_t k = 1; k < readings.size(); ++k) {
    if (const auto other = Align(surface, taking, readings[k])) {
      for (std::size_t p = 0; p < other->size(); ++p) alternatives[p].push_back((*other)[p].reading);
    }
  }
  for (std::size_t p = 0; p < pieces->size(); ++p) {
    const std::size_t start = begin + (*pieces)[p].offset;
    const std::size_t stop = start + (*pieces)[p].length;
    // A part without a kanji (the Ｘ of Ｘの線) stays as it is.
    if (piece.AnyInRun(start, stop)) {
      found.push_back(piece.Make(start, stop, std::move(alternatives[p])));
    }
  }
}

}  // namespace

void ReadDictionaryWords(const Piece& piece, const KanjiList& kanji_list,
                         std::vector<Replacement>& found) {
  const Piece::Path& tokens = piece.Tokens();
  for (std::size_t i = 0; i < tokens.size();) {
    if (const std::size_t next = ReadNumberAt(piece, i, found); next != i) {
      i = next;
    } else if (!piece.AnyInRun(piece.BeginOf(tokens[i]), piece.EndOf(tokens[i]))) {
      ++i;
    } else {
      ReadWord(piece, kanji_list, i++, found);
    }
  }
}

}  // namespace readings::internal
