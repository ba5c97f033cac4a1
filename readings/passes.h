// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <vector>

#include "readings/readings.h"

// The passes that read the kanji of one analysed piece, in the order Reader::Read runs them. Each
// takes the piece's replacements so far (in order, not overlapping) and leaves them so.
namespace readings::internal {

class KanjiList;
class Piece;
class WordList;

// Reads the piece's words as the best path has them: numbers with their counters (三日 みっか),
// dictionary words split among their kanji, 々 with the kanji before it, and kanji that no word
// holds guessed one by one from the dictionary and `kanji_list`. Appends to `found`.
void ReadDictionaryWords(const Piece& piece, const KanjiList& kanji_list,
                         std::vector<Replacement>& found);

// Reads a number written in kanji from token `i` of the best path on, with the counter after it,
// into `found`, and returns the token after them; returns `i` when no number starts there.
std::size_t ReadNumberAt(const Piece& piece, std::size_t i, std::vector<Replacement>& found);

// Gives the replacements the readings of the words that `word_list` holds from their first kanji
// on: a run read piece by piece that the list holds whole becomes one replacement read by the list
// first (朝焼 あさやけ), as does a guess, or a noun that the list holds as a verb whose ending
// follows (彷徨う さまよう); elsewhere the list's readings come after the dictionary's.
void ReadListedWords(const Piece& piece, const WordList& word_list, std::vector<Replacement>& found);

// Offers, after the first choice, the readings of whole kanji runs that the analyser's next-best
// paths give; where the best path split a run into several words, they become one that covers it.
void OfferWholeRuns(const Piece& piece, Reader::Order order, std::vector<Replacement>& found);

}  // namespace readings::internal
