// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// The particles は and へ, written as they are sung: the dictionary says how each word is said
// (the particle は ワ, こんにちは コンニチワ), and the lattice tells how sure the analysis is.
#include <algorithm>
#include <iterator>
#include <limits>
#include <optional>

#include "readings/passes.h"
#include "readings/piece.h"

namespace readings::internal {
namespace {

using Token = Piece::Token;

// How much more than the best path a path may cost and still be another way to read the line, in
// the dictionary's cost units.
constexpr long kClose = 2500;

// Whether the lone particle `particle` may follow `before`. Neither follows the start of a line,
// a filler, a conjunction, a prefix or a pause, nor is one in laughter: after a one-kana
// interjection, an opening bracket or the same kana (あはは, えへへ, 「は」). へ follows a noun (or
// a verb, an interjection or a conjunction, which kana nouns are often taken for: うみへ, やまへ,
// そらへ, いえへ), a closing bracket or a particle such as か (どこかへ), but no adverb or other
// particle (いつもへいき, はへ).
bool TakesParticle(const Piece& piece, std::u16string_view particle,
                   const std::optional<Token>& before) {
  if (!before) return false;
  const std::string_view part = before->PartOfSpeech();
  const std::string_view kind = before->Kind();
  const std::u16string_view surface = piece.SurfaceOf(*before);
  if (surface == particle) return false;
  if (particle == u"へ") {
    return part == "名詞" || part == "動詞" || (part == "記号" && kind == "括弧閉") ||
           ((part == "感動詞" || part == "接続詞") && surface.size() > 1) ||
           (part == "助詞" && kind.starts_with("副助詞"));
  }
  return part != "フィラー" && part != "接続詞" && part != "連体詞" && part != "接頭詞" &&
         !(part == "記号" &&
           (kind == "句点" || kind == "読点" || kind == "空白" || kind == "括弧開")) &&
         !(part == "感動詞" && surface.size() == 1);
}

// Whether `word`, after `before`, says the は or へ at `at` as a particle does.
bool SaysParticle(const Piece& piece, const Token& word, const std::optional<Token>& before,
                  std::size_t at) {
  const std::u16string_view surface = piece.SurfaceOf(word);
  const std::size_t offset = at - piece.BeginOf(word);
  // Adverbs and conjunctions made with the particle (本当は, または), which the dictionary
  // may say as written.
  const std::string_view part = word.PartOfSpeech();
  if (surface.size() > 1 && offset + 1 == surface.size() && surface[offset] == u'は' &&
      (part == "副詞" || part == "接続詞")) {
    return true;
  }
  // Kana and ー take three bytes each in UTF-8.
  const std::string_view said = word.Pronunciation();
  const std::string_view sung = surface[offset] == u'は' ? "ワ" : "エ";
  if (said.size() != 3 * surface.size() || said.substr(3 * offset, 3) != sung) return false;
  return surface.size() > 1 || (part == "助詞" && TakesParticle(piece, surface, before));
}

// The word before token `k` of the best path, full-width blanks passed over as MeCab passes over
// ASCII ones (君　は); none at the start.
std::optional<Token> Before(const Piece::Path& tokens, std::size_t k) {
  while (k > 0 && tokens[k - 1].PartOfSpeech() == "記号" && tokens[k - 1].Kind() == "空白") --k;
  return k > 0 ? std::optional<Token>(tokens[k - 1]) : std::nullopt;
}

// The replacement of the は or へ at `at`, which token `k` of the best path holds, where it is a
// particle or a path nearly as likely as the best reads it as one; `others` are the words of the
// paths that hold it.
std::optional<Replacement> ParticleAt(const Piece& piece, std::size_t k, std::size_t at,
                                      const std::vector<Analyzer::Alternative>& others) {
  const Piece::Path& tokens = piece.Tokens();
  bool best = SaysParticle(piece, tokens[k], Before(tokens, k), at);
  if (!tokens[k].known) {
    // A word the dictionary lacks (kana it could not split: へびさんはながいね) tells nothing;
    // the likeliest word that it has there does.
    const auto likeliest =
        std::min_element(others.begin(), others.end(), [](const auto& a, const auto& b) {
          return std::pair(!a.word.known, a.extra) < std::pair(!b.word.known, b.extra);
        });
    if (likeliest != others.end() && likeliest->word.known) {
      best = SaysParticle(piece, likeliest->word, likeliest->before, at);
    }
  }
  const bool disputed = std::any_of(others.begin(), others.end(), [&](const auto& other) {
    return other.extra <= kClose && SaysParticle(piece, other.word, other.before, at) != best;
  });
  if (!best && !disputed) return std::nullopt;
  std::u16string written(1, piece.Text()[at]);
  std::u16string sung(1, SungAsParticle(written[0]));
  std::vector<std::u16string> readings = best ? std::vector{std::move(sung), std::move(written)}
                                              : std::vector{std::move(written), std::move(sung)};
  return Replacement{at, 1, std::move(readings), disputed, false, true};
}

}  // namespace

void ReadParticles(const Piece& piece, std::vector<Replacement>& found) {
  // The は and へ of the best path's words that no replacement holds (the つ of 5つ is a word's),
  // with the token that holds each.
  const Piece::Path& tokens = piece.Tokens();
  struct Candidate {
    std::size_t at;
    std::size_t token;
    bool sure;  // no other word can hold it
  };
  std::vector<Candidate> candidates;
  std::vector<std::size_t> doubtful;  // where the other paths are to be looked at
  std::size_t next = 0;
  for (std::size_t k = 0; k < tokens.size(); ++k) {
    for (std::size_t at = piece.BeginOf(tokens[k]); at < piece.EndOf(tokens[k]); ++at) {
      if (SungAsParticle(piece.Text()[at]) == u'\0') continue;
      while (next < found.size() && found[next].position + found[next].length <= at) ++next;
      if (next < found.size() && found[next].position <= at) continue;
      // A lone particle before anything but hiragana ends its word, and no word starts with it
      // (風は空, 僕は、): the other paths need not be looked at.
      const bool sure = tokens[k].known && piece.EndOf(tokens[k]) == at + 1 &&
                        (at + 1 == piece.End() || !IsHiraganaLetter(piece.Text()[at + 1])) &&
                        SaysParticle(piece, tokens[k], Before(tokens, k), at);
      candidates.push_back({at, k, sure});
      if (!sure) doubtful.push_back(at);
    }
  }
  if (candidates.empty()) return;
  // Under a word the dictionary lacks, the likeliest word it has is looked for however unlikely.
  const bool unknown =
      std::any_of(candidates.begin(), candidates.end(),
                  [&tokens](const Candidate& c) { return !tokens[c.token].known; });
  const std::vector<std::vector<Analyzer::Alternative>> others =
      piece.WordsHolding(doubtful, unknown ? std::numeric_limits<long>::max() : kClose);
  std::vector<Replacement> particles;
  std::size_t looked = 0;
  for (const Candidate& candidate : candidates) {
    static const std::vector<Analyzer::Alternative> kNone;
    if (auto particle = ParticleAt(piece, candidate.token, candidate.at,
                                   candidate.sure ? kNone : others[looked++])) {
      particles.push_back(std::move(*particle));
    }
  }
  std::vector<Replacement> read;
  read.reserve(found.size() + particles.size());
  std::merge(std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()),
             std::make_move_iterator(particles.begin()), std::make_move_iterator(particles.end()),
             std::back_inserter(read),
             [](const Replacement& a, const Replacement& b) { return a.position < b.position; });
  found = std::move(read);
}

}  // namespace readings::internal

namespace readings {

char16_t SungAsParticle(char16_t written) {
  return written == u'は' ? u'わ' : written == u'へ' ? u'え' : u'\0';
}

}  // namespace readings
