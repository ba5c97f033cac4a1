// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// The list of words beside the dictionary: readings of words that the dictionary lacks, or reads
// otherwise than songs may.
#include <algorithm>
#include <iterator>

#include "readings/align.h"
#include "readings/passes.h"
#include "readings/piece.h"
#include "readings/word_list.h"

namespace readings::internal {
namespace {

using Words = std::vector<WordList::Word>;

// How many readings of the list of words are offered after the dictionary's.
constexpr std::size_t kMostListed = 3;

// Whether what follows `at` may be a verb's or an adjective's ending: the best path reads an
// auxiliary verb there (彷徨う), not a particle (空から) or a word of its own (空いっぱい).
bool EndingMayFollow(const Piece& piece, std::size_t at) {
  const Piece::Token* token = at < piece.End() ? piece.TokenAt(at) : nullptr;
  return token != nullptr && token->PartOfSpeech() == "助動詞";
}

// Whether the best path reads [from, to) as a noun of its own.
bool ReadAsNoun(const Piece& piece, std::size_t from, std::size_t to) {
  const Piece::Token* token = piece.TokenAt(from);
  return token != nullptr && piece.EndsAt(*token, to) && token->PartOfSpeech() == "名詞" &&
         !token->Number();
}

// A listed word of one length, and what of the text it would take.
struct Candidate {
  std::size_t from;     // its first kanji
  std::size_t covered;  // past the last replacement it holds
  std::u16string tail;  // the kana after that, which end each of its readings
};

// The readings that the words [word, same) of one length give the kanji of `candidate`, those of
// verbs and adjectives first where their ending may follow; `verb` tells whether one of them was
// such a verb's.
std::vector<std::u16string> ListedReadings(const Piece& piece, Words::const_iterator word,
                                           Words::const_iterator same, const Candidate& candidate,
                                           bool& verb) {
  const std::size_t end = candidate.covered + candidate.tail.size();
  // Any reading fits kanji alone; kana between them must be in it.
  const bool kanji_alone = piece.AllInRun(candidate.from, candidate.covered);
  std::vector<bool> taking;
  for (std::size_t at = candidate.from; !kanji_alone && at < candidate.covered; ++at) {
    taking.push_back(piece.InRun(at));
  }
  const bool inflected =
      std::any_of(word, same, [](const WordList::Word& w) { return w.inflects; }) &&
      EndingMayFollow(piece, end);
  const std::u16string_view kanji = piece.Span(candidate.from, candidate.covered);
  const std::u16string_view tail = candidate.tail;
  std::vector<std::u16string> readings;
  verb = false;
  // Verbs and adjectives first where their ending may follow, else the other words first.
  for (const bool inflects : {inflected, !inflected}) {
    for (auto w = word; w != same; ++w) {
      if (w->inflects != inflects) continue;
      for (std::size_t start = 0; start <= w->readings.size();) {
        const std::size_t bar = std::min(w->readings.find(u'|', start), w->readings.size());
        const std::u16string_view reading = w->readings.substr(start, bar - start);
        start = bar + 1;
        if (reading.size() <= tail.size() || !reading.ends_with(tail)) continue;
        const std::u16string_view stem = reading.substr(0, reading.size() - tail.size());
        if (kanji_alone || Align(kanji, taking, stem)) {
          verb = verb || (w->inflects && inflected);
          readings.emplace_back(stem);
        }
      }
    }
  }
  return readings;
}

// Whether found[k, last), which `candidate` covers, is a whole kanji run of single kanji that the
// best path guesses or reads as words (笑み of 微笑み), but not as verbs or adjectives (雨降る,
// 時流れ), so that the listed word may join them.
bool MayJoin(const Piece& piece, const std::vector<Replacement>& found, std::size_t k,
             std::size_t last, const Candidate& candidate) {
  if (!piece.AllInRun(candidate.from, candidate.covered)) return false;
  if ((candidate.from > piece.Begin() && piece.InRun(candidate.from - 1)) ||
      (candidate.covered < piece.End() && piece.InRun(candidate.covered))) {
    return false;
  }
  return std::all_of(found.begin() + static_cast<std::ptrdiff_t>(k),
                     found.begin() + static_cast<std::ptrdiff_t>(last), [&](const Replacement& r) {
                       const Piece::Token* token = piece.TokenAt(r.position);
                       return r.length == CodePointAt(piece.Text(), r.position).size &&
                              (r.guess || (token != nullptr &&
                                           (piece.EndsAt(*token, r.position + r.length) ||
                                            (token->PartOfSpeech() != "動詞" &&
                                             token->PartOfSpeech() != "形容詞"))));
                     });
}

// Puts `listed`, the list's readings of `replacement` alone, before its own where they `lead`,
// else after them, the likeliest few, so that rare ones fill no menu.
void AddListed(Replacement& replacement, std::vector<std::u16string> listed, bool lead) {
  if (listed.empty()) return;
  if (lead) {
    listed.insert(listed.end(), std::make_move_iterator(replacement.readings.begin()),
                  std::make_move_iterator(replacement.readings.end()));
    replacement.readings = Distinct(std::move(listed));
    replacement.guess = false;
  } else {
    listed.resize(std::min(listed.size(), kMostListed));
    replacement.readings.insert(replacement.readings.end(),
                                std::make_move_iterator(listed.begin()),
                                std::make_move_iterator(listed.end()));
    replacement.readings = Distinct(std::move(replacement.readings));
  }
}

// Puts found[k] in `read` with the list's readings, or one replacement of found[k] and those after
// it that a listed word makes up; returns the replacement after those.
std::size_t ReadListedWord(const Piece& piece, const WordList& word_list,
                           std::vector<Replacement>& found, std::size_t k,
                           std::vector<Replacement>& read) {
  Replacement& first = found[k];
  const std::size_t from = first.position;
  std::vector<std::u16string> listed;  // for found[k] alone
  bool leads = first.guess || first.readings.empty();
  const Words words = piece.InRun(from) ? word_list.WordsAt(piece.Span(from, piece.End()), first.length)
                                  : Words();
  // Words of one length at a time, the longest first.
  for (auto word = words.begin(); word != words.end();) {
    const auto same = std::find_if(word, words.end(),
                                   [word](const auto& w) { return w.length != word->length; });
    const std::size_t end = from + word->length;
    std::size_t last = k;
    while (last < found.size() && found[last].position + found[last].length <= end) ++last;
    // The words are no shorter than found[k], so they hold it.
    const std::size_t covered = found[last - 1].position + found[last - 1].length;
    Candidate candidate{from, covered, ToHiragana(piece.Span(covered, end))};
    if ((last < found.size() && found[last].position < end) || !IsHiragana(candidate.tail)) {
      word = same;
      continue;
    }
    const auto words_of_length = word;
    word = same;
    // A word of several replacements is read only where it may join them.
    if (last > k + 1 && !MayJoin(piece, found, k, last, candidate)) continue;
    bool verb = false;  // whose ending follows
    std::vector<std::u16string> readings =
        ListedReadings(piece, words_of_length, same, candidate, verb);
    if (readings.empty()) continue;
    if (last == k + 1) {
      leads = leads || (verb && ReadAsNoun(piece, from, covered));
      listed.insert(listed.end(), std::make_move_iterator(readings.begin()),
                    std::make_move_iterator(readings.end()));
      continue;
    }
    for (std::u16string& parts : ReadingsOfSpan(piece.Text(), from, covered, found, k, last)) {
      readings.push_back(std::move(parts));
    }
    read.push_back({from, covered - from, Distinct(std::move(readings)), false});
    return last;
  }
  AddListed(first, std::move(listed), leads);
  read.push_back(std::move(first));
  return k + 1;
}

}  // namespace

void ReadListedWords(const Piece& piece, const WordList& word_list,
                     std::vector<Replacement>& found) {
  if (word_list.empty() || found.empty()) return;
  std::vector<Replacement> read;
  read.reserve(found.size());
  for (std::size_t k = 0; k < found.size();) k = ReadListedWord(piece, word_list, found, k, read);
  found = std::move(read);
}

}  // namespace readings::internal
