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

// Reads the piece's words as the best path has them: numbers, in kanji or figures, with their
// counters (三日 みっか, 2人 ふたり), dictionary words split among their kanji, 々 with the kanji
// before it, and kanji that no word holds guessed one by one from the dictionary and
// `kanji_list`. Appends to `found`.
void ReadDictionaryWords(const Piece& piece, const KanjiList& kanji_list,
                         std::vector<Replacement>& found);

// Reads a number written in kanji or figures from token `i` of the best path on, with the counter
// after it, into `found`, and returns the token after them; returns `i` when no number starts
// there. Figures that touch Latin letters (MP3) are passed over unread; a decimal (1.5) is read
// without its counter, and figures too many for a number one by one.
std::size_t ReadNumberAt(const Piece& piece, std::size_t i, std::vector<Replacement>& found);

// Gives the replacements the readings of the words that `word_list` holds from their first kanji
// on: a run read piece by piece that the list holds whole becomes one replacement read by the list
// first (朝焼 あさやけ), as does a guess, or a noun that the list holds as a verb whose ending
// follows (彷徨う さまよう); elsewhere the list's readings come after the dictionary's.
void ReadListedWords(const Piece& piece, const WordList& word_list, std::vector<Replacement>& found);

// Offers, after the first choice, the readings of whole kanji runs that the analyser's next-best
// paths give; where the best path split a run into several words, they become one that covers it.
void OfferWholeRuns(const Piece& piece, Reader::Order order, std::vector<Replacement>& found);

// Writes the particles は and へ as they are sung, わ and え, where the best path reads them so
// (風は, 明日へ, では, こんにちは), and offers it where a path nearly as likely does (はまって);
// は and へ of other words stay (はなやか, あはは). Adds to `found`, in order.
void ReadParticles(const Piece& piece, std::vector<Replacement>& found);

}  // namespace readings::internal
