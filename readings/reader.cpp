// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <algorithm>
#include <iterator>

#include "readings/align.h"
#include "readings/analyzer.h"
#include "readings/given.h"
#include "readings/kanji_list.h"
#include "readings/numbers.h"
#include "readings/readings.h"
#include "readings/script.h"
#include "readings/song_readings.h"
#include "readings/word_list.h"

namespace readings {
namespace {

using internal::FromUtf8;
using internal::IsHiragana;
using internal::IsLineBreak;
using internal::ToHiragana;
using Order = Reader::Order;

// The analysis runs line by line; a longer line is cut into pieces of at most this many code
// units, after a pause (a blank or punctuation) where there is one, so that its cost stays linear.
constexpr std::size_t kLongestPiece = 2048;

bool IsPause(char16_t c) {
  return std::u16string_view(u" \t　。、，．！？!?,.「」『』（）()").find(c) !=
         std::u16string_view::npos;
}

bool IsTrailSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

bool IsBlank(char16_t c) { return c <= u' ' || c == u'\u00A0' || c == u'\u3000'; }

// Calls `read(begin, end)` for the lines of text[begin, end), long lines in pieces.
template <typename Read>
void ForEachPiece(std::u16string_view text, std::size_t begin, std::size_t end, Read read) {
  std::size_t start = begin;
  for (std::size_t i = begin; i <= end; ++i) {
    if (i < end && !IsLineBreak(text[i])) continue;
    while (i - start > kLongestPiece) {
      std::size_t cut = start + kLongestPiece;
      while (cut > start + kLongestPiece / 2 && !IsPause(text[cut - 1])) --cut;
      if (cut == start + kLongestPiece / 2) cut = start + kLongestPiece;
      if (IsTrailSurrogate(text[cut])) --cut;
      read(start, cut);
      start = cut;
    }
    if (i > start) read(start, i);
    start = i + 1;
  }
}

// A word the user keeps starts at most this many code units before the first kanji it holds
// (お母さん).
constexpr std::size_t kLongestKanaBefore = 8;

// The most kana of a kun reading's ending that tell a guessed kanji's reading (囁く).
constexpr std::size_t kLongestEnding = 4;

// How many readings of the list of words are offered after the dictionary's.
constexpr std::size_t kMostListed = 3;

// How many of the analyser's best paths are looked at for other readings of a whole kanji run.
constexpr std::size_t kPaths = 10;

// The readings to offer, once each and none empty, the first `kMaxAlternatives`.
std::vector<std::u16string> Distinct(std::vector<std::u16string> readings) {
  std::vector<std::u16string> distinct;
  for (std::u16string& reading : readings) {
    if (distinct.size() == kMaxAlternatives) break;
    if (!reading.empty() &&
        std::find(distinct.begin(), distinct.end(), reading) == distinct.end()) {
      distinct.push_back(std::move(reading));
    }
  }
  return distinct;
}

// The dictionary's reading `katakana` in hiragana, or nothing when it is not all kana (the entry
// for 々 reads 々).
std::u16string Hiragana(std::string_view katakana) {
  std::u16string reading = ToHiragana(FromUtf8(katakana));
  return IsHiragana(reading) ? reading : std::u16string();
}

bool IsRepeatMark(char32_t c) { return c == U'々' || c == U'〻'; }

// The repeat of `reading` that a repeat mark gives. A native word voices the repeat's first
// sound (黒々 くろぐろ, 人々 ひとびと) unless it holds a voiced sound already (次々 つぎつぎ), so
// that form comes first; the plain repeat (赤々 あかあか, 堂々 どうどう) is offered too.
std::vector<std::u16string> RepeatedReadings(std::u16string_view reading) {
  constexpr std::u16string_view kVoiceable = u"かきくけこさしすせそたちつてとはひふへほ";
  constexpr std::u16string_view kVoiced = u"がぎぐげござじずぜぞだぢづでどばびぶべぼ";
  std::u16string plain = std::u16string(reading) + std::u16string(reading);
  const bool voiceable = kVoiceable.find(reading.front()) != std::u16string_view::npos &&
                         reading.find_first_of(kVoiced) == std::u16string_view::npos;
  if (!voiceable) return {plain};
  std::u16string voiced = plain;
  voiced[reading.size()] = static_cast<char16_t>(voiced[reading.size()] + 1);
  return {voiced, plain};
}

std::vector<std::u16string> ReadingsOfSpan(std::u16string_view text, std::size_t start,
                                           std::size_t end, const std::vector<Replacement>& found,
                                           std::size_t first, std::size_t last);

// Reads the kanji of one piece of text at a time.
class PieceReader {
 public:
  PieceReader(Analyzer& analyzer, const internal::KanjiList& kanji_list,
              const internal::WordList& word_list, Order order, std::u16string_view text,
              std::vector<Replacement>& out)
      : analyzer_(analyzer),
        kanji_list_(kanji_list),
        word_list_(word_list),
        order_(order),
        text_(text),
        out_(out) {}

  void Read(std::size_t begin, std::size_t end) {
    const std::u16string_view piece = text_.substr(begin, end - begin);
    const auto runs = KanjiRuns(piece);
    if (runs.empty()) return;
    begin_ = begin;
    in_run_.assign(piece.size(), false);
    for (const auto& [position, length] : runs) {
      std::fill_n(in_run_.begin() + static_cast<std::ptrdiff_t>(position), length, true);
    }
    utf8_ = internal::ToUtf8(piece);
    byte_.assign(piece.size() + 1, 0);
    for (std::size_t b = utf8_.bytes.size() + 1; b-- > 0;) byte_[utf8_.position[b]] = b;
    paths_ = analyzer_.Analyze(utf8_.bytes, 1);
    if (paths_.empty()) {
      // What could not be analysed is marked as unread.
      for (const auto& [position, length] : runs) {
        out_.push_back({begin_ + position, length, {}, false});
      }
      return;
    }
    first_out_ = out_.size();
    for (std::size_t i = 0; i < Tokens().size();) {
      if (!std::any_of(in_run_.begin() + Begin(i), in_run_.begin() + End(i),
                       [](bool kanji) { return kanji; })) {
        ++i;
      } else if (const std::size_t next = ReadNumber(i); next != i) {
        i = next;
      } else {
        ReadWord(i++);
      }
    }
    ReadListedWords();
    OfferWholeRuns(runs);
  }

 private:
  const Analyzer::Path& Tokens() const { return paths_.front(); }
  // Where token `i` of the best path starts and ends, in code units of the piece.
  std::ptrdiff_t Begin(std::size_t i) const { return utf8_.position[Tokens()[i].begin]; }
  std::ptrdiff_t End(std::size_t i) const { return utf8_.position[Tokens()[i].end]; }
  std::u16string_view Piece(std::size_t from, std::size_t to) const {
    return text_.substr(begin_ + from, to - from);
  }
  std::u16string_view Surface(std::size_t i) const {
    return Piece(static_cast<std::size_t>(Begin(i)), static_cast<std::size_t>(End(i)));
  }
  bool Adjacent(std::size_t i) const { return Tokens()[i].begin == Tokens()[i - 1].end; }

  // The readings of the dictionary's entries for the characters of tokens [first, last).
  std::vector<std::u16string> ReadingsAt(std::size_t first, std::size_t last) const {
    const Analyzer::Token& token = Tokens()[first];
    return InHiragana(
        analyzer_.ReadingsAt(token.filed, token.begin, Tokens()[last - 1].end - token.begin));
  }

  // The readings of the dictionary's entries for the code units [from, to) of the piece.
  std::vector<std::u16string> ReadingsOfCharacters(std::size_t from, std::size_t to) const {
    const std::size_t begin = byte_[from];
    // A word after blanks is filed where the blanks start.
    const auto token =
        std::lower_bound(Tokens().begin(), Tokens().end(), begin,
                         [](const Analyzer::Token& t, std::size_t byte) { return t.begin < byte; });
    const std::size_t filed =
        token != Tokens().end() && token->begin == begin ? token->filed : begin;
    return InHiragana(analyzer_.ReadingsAt(filed, begin, byte_[to] - begin));
  }

  static std::vector<std::u16string> InHiragana(const std::vector<std::string_view>& entries) {
    std::vector<std::u16string> readings;
    for (const std::string_view entry : entries) readings.push_back(Hiragana(entry));
    return readings;
  }

  // Reads a number written in kanji from token `i` on, with the counter after it (三日 みっか),
  // and returns the token after them; returns `i` when no number starts there.
  std::size_t ReadNumber(std::size_t i) {
    const bool question = Surface(i) == u"何";
    std::size_t end = i + 1;
    if (!question) {
      auto numeral = [this](std::size_t k) {
        const std::u16string_view surface = Surface(k);
        return Tokens()[k].Number() &&
               std::all_of(surface.begin(), surface.end(), internal::IsNumeral);
      };
      if (!numeral(i)) return i;
      while (end < Tokens().size() && Adjacent(end) && numeral(end)) ++end;
    }
    const std::u16string_view digits =
        Piece(static_cast<std::size_t>(Begin(i)), static_cast<std::size_t>(End(end - 1)));
    const std::optional<std::uint64_t> value =
        question ? std::optional<std::uint64_t>(0) : internal::NumeralValue(digits);
    if (!value) return i;
    if (end < Tokens().size() && Adjacent(end)) {
      std::vector<std::u16string> readings = internal::ReadCounted(*value, Surface(end), question);
      if (!readings.empty()) {
        for (std::u16string& entry : ReadingsAt(i, end + 1)) readings.push_back(std::move(entry));
        Emit(Begin(i), End(end), std::move(readings));
        return end + 1;
      }
    }
    if (question) return i;
    std::vector<std::u16string> readings = {internal::ReadNumber(*value)};
    if (*value == 0) readings.emplace_back(u"ぜろ");
    for (std::u16string& entry : ReadingsAt(i, end)) readings.push_back(std::move(entry));
    Emit(Begin(i), End(end - 1), std::move(readings));
    return end;
  }

  // Whether the song table's `row` holds for token `i`.
  bool Holds(const internal::SongReading& row, std::size_t i) const {
    if (Surface(i) != row.word ||
        !Piece(static_cast<std::size_t>(End(i)), text_.size() - begin_).starts_with(row.next)) {
      return false;
    }
    if (FromUtf8(Tokens()[i].PartOfSpeech()) == row.part_of_speech) return true;
    // Kana after a classical verb's stem, which the dictionary reads as a noun, show the verb
    // unless they are a particle of their own (東京の出で).
    return !row.next.empty() && i + 1 < Tokens().size() &&
           Tokens()[i + 1].begin == Tokens()[i].end && Tokens()[i + 1].PartOfSpeech() != "助詞";
  }

  // Reads the kanji of the word that token `i` is.
  void ReadWord(std::size_t i) {
    const Analyzer::Token& token = Tokens()[i];
    const std::u16string_view surface = Surface(i);
    if (surface.size() == 1 && IsRepeatMark(surface[0]) &&
        ReadRepeatMark(static_cast<std::size_t>(Begin(i)))) {
      return;
    }
    std::vector<std::u16string> readings;
    if (std::u16string chosen = Hiragana(token.Reading()); token.known && !chosen.empty()) {
      // A lone kanji that the best path takes for a name (朝 チョウ, a place) is read as the
      // likeliest common word first where the dictionary has one; the name comes after it.
      if (token.ProperNoun() && internal::CodePointAt(surface, 0).size == surface.size()) {
        std::vector<std::u16string> common = InHiragana(
            analyzer_.CommonReadingsAt(token.filed, token.begin, token.end - token.begin));
        std::erase(common, std::u16string());
        if (!common.empty()) readings.push_back(std::move(common.front()));
      }
      readings.push_back(std::move(chosen));
      for (std::u16string& other : ReadingsAt(i, i + 1)) readings.push_back(std::move(other));
      for (const internal::SongReading& song : internal::SongReadings()) {
        if (!Holds(song, i)) continue;
        const std::vector<std::u16string> preferred = internal::SplitReadings(song.readings);
        readings.insert(readings.begin(), preferred.front());
        readings.insert(readings.end(), preferred.begin() + 1, preferred.end());
      }
    }
    // A number and counter that the dictionary knows as one word (十分 じゅうぶん) may still be
    // meant as a count (じゅっぷん): that reading is offered too.
    const auto digits = static_cast<std::size_t>(
        std::find_if_not(surface.begin(), surface.end(), internal::IsNumeral) - surface.begin());
    if (const auto value = internal::NumeralValue(surface.substr(0, digits))) {
      for (std::u16string& counted : internal::ReadCounted(*value, surface.substr(digits))) {
        readings.push_back(std::move(counted));
      }
    }
    readings = Distinct(std::move(readings));

    // Kanji and whatever is neither kana nor a blank (Ｘ線, ヶ月) take part of the reading; the
    // kana between them read as themselves.
    std::vector<bool> taking(surface.size());
    for (std::size_t k = 0; k < surface.size();) {
      const auto [c, size] = internal::CodePointAt(surface, k);
      const bool reads = in_run_[static_cast<std::size_t>(Begin(i)) + k] || !internal::IsKana(c) ||
                         internal::IsKanjiLink(c);
      std::fill_n(taking.begin() + static_cast<std::ptrdiff_t>(k), size, reads);
      k += size;
    }
    std::optional<std::vector<internal::Piece>> pieces;
    if (!readings.empty()) pieces = internal::Align(surface, taking, readings[0]);
    if (!pieces && !readings.empty()) {
      // Whatever stands between the first and the last kanji goes with them.
      const auto first = std::find(taking.begin(), taking.end(), true);
      const auto last = std::find(taking.rbegin(), taking.rend(), true).base();
      std::fill(first, last, true);
      pieces = internal::Align(surface, taking, readings[0]);
    }
    if (!pieces) {
      Guess(i);
      return;
    }
    std::vector<std::vector<std::u16string>> alternatives;
    for (const internal::Piece& piece : *pieces) alternatives.push_back({piece.reading});
    for (std::size_t k = 1; k < readings.size(); ++k) {
      if (const auto other = internal::Align(surface, taking, readings[k])) {
        for (std::size_t p = 0; p < other->size(); ++p) {
          alternatives[p].push_back((*other)[p].reading);
        }
      }
    }
    for (std::size_t p = 0; p < pieces->size(); ++p) {
      const auto start = Begin(i) + static_cast<std::ptrdiff_t>((*pieces)[p].offset);
      const auto stop = start + static_cast<std::ptrdiff_t>((*pieces)[p].length);
      // A piece without a kanji (the Ｘ of Ｘの線) stays as it is.
      if (std::any_of(in_run_.begin() + start, in_run_.begin() + stop, [](bool k) { return k; })) {
        Emit(start, stop, std::move(alternatives[p]));
      }
    }
  }

  // Reads the kanji of token `i`, which no dictionary word holds, one by one: each from the
  // dictionary's entries for it alone, then from the list of readings per kanji.
  void Guess(std::size_t i) {
    const auto begin = static_cast<std::size_t>(Begin(i));
    const auto end = static_cast<std::size_t>(End(i));
    for (std::size_t k = begin; k < end;) {
      const auto [c, size] = internal::CodePointAt(text_.substr(begin_), k);
      if (in_run_[k] && !(IsRepeatMark(c) && ReadRepeatMark(k))) {
        std::vector<std::u16string> readings = ReadingsOfCharacters(k, k + size);
        // The okurigana after the kanji tell which of its readings fit.
        std::size_t after = k + size;
        while (after < in_run_.size() && after - (k + size) < kLongestEnding &&
               internal::IsHiraganaLetter(text_[begin_ + after])) {
          ++after;
        }
        for (std::u16string& listed : kanji_list_.ReadingsOf(c, Piece(k + size, after))) {
          readings.push_back(std::move(listed));
        }
        readings = Distinct(std::move(readings));
        const bool guessed = !readings.empty();
        Emit(static_cast<std::ptrdiff_t>(k), static_cast<std::ptrdiff_t>(k + size),
             std::move(readings), guessed);
      }
      k += size;
    }
  }

  // Reads the repeat mark at `position` of the piece with the single kanji just read before it,
  // as one word: by the dictionary's entries for the pair (高々 たかだか), or else by the repeats
  // of the kanji's readings. False when no single kanji of this piece was read just before it.
  bool ReadRepeatMark(std::size_t position) {
    if (out_.size() == first_out_ || out_.back().readings.empty() ||
        out_.back().position + out_.back().length != begin_ + position) {
      return false;
    }
    Replacement& kanji = out_.back();
    const auto [c, size] = internal::CodePointAt(text_, kanji.position);
    if (kanji.length != size || !internal::IsKanji(c) || IsRepeatMark(c)) return false;
    const std::size_t from = kanji.position - begin_;
    std::vector<std::u16string> readings = ReadingsOfCharacters(from, position + 1);
    if (std::all_of(readings.begin(), readings.end(), [](const auto& r) { return r.empty(); })) {
      for (const std::u16string& reading : kanji.readings) {
        for (std::u16string& repeat : RepeatedReadings(reading))
          readings.push_back(std::move(repeat));
      }
    }
    kanji.readings = Distinct(std::move(readings));
    kanji.length += 1;
    return true;
  }

  // The best path's word that starts at code unit `at` of the piece, if one does.
  const Analyzer::Token* TokenAt(std::size_t at) const {
    const auto token =
        std::lower_bound(Tokens().begin(), Tokens().end(), byte_[at],
                         [](const Analyzer::Token& t, std::size_t byte) { return t.begin < byte; });
    return token != Tokens().end() && token->begin == byte_[at] ? &*token : nullptr;
  }

  // Whether the best path reads the code units [from, to) of the piece as a noun of its own.
  bool ReadAsNoun(std::size_t from, std::size_t to) const {
    const Analyzer::Token* token = TokenAt(from);
    return token != nullptr && token->end == byte_[to] && token->PartOfSpeech() == "名詞" &&
           !token->Number();
  }

  // Whether what follows code unit `at` of the piece may be a verb's or an adjective's ending:
  // the best path reads an auxiliary verb there (彷徨う), not a particle (空から) or a word of
  // its own (空いっぱい).
  bool EndingMayFollow(std::size_t at) const {
    const Analyzer::Token* token = at < in_run_.size() ? TokenAt(at) : nullptr;
    return token != nullptr && token->PartOfSpeech() == "助動詞";
  }

  // Gives the replacements of this piece the readings of the words that the list of words holds
  // from their first kanji on. Where the best path reads a kanji run piece by piece (single
  // kanji, guesses, a lone kanji's name) and the list holds the whole run, the run becomes one
  // replacement read by the list first (朝焼 あさやけ). A guess, or a noun that the list holds
  // as a verb or an adjective whose ending follows (彷徨う さまよう), is read by the list first
  // too; elsewhere the list's readings come after the dictionary's.
  void ReadListedWords() {
    if (word_list_.empty() || out_.size() == first_out_) return;
    std::vector<Replacement> read;
    read.reserve(out_.size() - first_out_);
    for (std::size_t k = first_out_; k < out_.size();) k = ReadListedWord(k, read);
    out_.resize(first_out_);
    std::move(read.begin(), read.end(), std::back_inserter(out_));
  }

  // Puts out_[k] in `read` with the list's readings, or one replacement of out_[k] and those
  // after it that a listed word makes up; returns the replacement after those.
  std::size_t ReadListedWord(std::size_t k, std::vector<Replacement>& read) {
    Replacement& first = out_[k];
    const std::size_t from = first.position - begin_;
    const std::size_t size = in_run_.size();
    std::vector<std::u16string> listed;  // for out_[k] alone
    bool leads = first.guess || first.readings.empty();
    std::vector<internal::WordList::Word> words =
        in_run_[from] ? word_list_.WordsAt(Piece(from, size), first.length)
                      : std::vector<internal::WordList::Word>();
    // Words of one length at a time, the longest first.
    for (auto word = words.begin(); word != words.end();) {
      const auto same = std::find_if(word, words.end(),
                                     [word](const auto& w) { return w.length != word->length; });
      const std::size_t end = from + word->length;
      std::size_t last = k;
      while (last < out_.size() && out_[last].position + out_[last].length <= begin_ + end) {
        ++last;
      }
      // The words are no shorter than out_[k], so they hold it.
      const std::size_t covered = out_[last - 1].position + out_[last - 1].length - begin_;
      // The kana of the word after its last kanji end each of its readings.
      const std::u16string tail = ToHiragana(Piece(covered, end));
      if ((last < out_.size() && out_[last].position < begin_ + end) || !IsHiragana(tail)) {
        word = same;
        continue;
      }
      const std::vector<bool> taking(in_run_.begin() + static_cast<std::ptrdiff_t>(from),
                                     in_run_.begin() + static_cast<std::ptrdiff_t>(covered));
      // Any reading fits kanji alone; kana between them must be in it.
      const bool kanji_alone =
          std::all_of(taking.begin(), taking.end(), [](bool kanji) { return kanji; });
      // A verb or an adjective comes first where its ending may follow.
      const bool inflected = EndingMayFollow(end);
      std::stable_partition(word, same, [inflected](const internal::WordList::Word& w) {
        return w.inflects == inflected;
      });
      std::vector<std::u16string> readings;
      bool verb = false;  // whose ending follows
      for (; word != same; ++word) {
        for (std::u16string& reading : internal::SplitReadings(word->readings)) {
          if (reading.size() <= tail.size() || !reading.ends_with(tail)) continue;
          reading.resize(reading.size() - tail.size());
          if (kanji_alone || internal::Align(Piece(from, covered), taking, reading)) {
            verb = verb || (word->inflects && inflected);
            readings.push_back(std::move(reading));
          }
        }
      }
      if (readings.empty()) continue;
      if (last == k + 1) {
        leads = leads || (verb && ReadAsNoun(from, covered));
        listed.insert(listed.end(), std::make_move_iterator(readings.begin()),
                      std::make_move_iterator(readings.end()));
        continue;
      }
      const bool whole_run = kanji_alone && (from == 0 || !in_run_[from - 1]) &&
                             (covered == size || !in_run_[covered]);
      // Each part a single kanji that the best path guesses or reads as a word (笑み of 微笑み),
      // but not as a verb or an adjective (雨降る, 時流れ).
      const bool piece_by_piece = std::all_of(
          out_.begin() + static_cast<std::ptrdiff_t>(k),
          out_.begin() + static_cast<std::ptrdiff_t>(last), [this](const Replacement& r) {
            const std::size_t at = r.position - begin_;
            const Analyzer::Token* token = TokenAt(at);
            return r.length == internal::CodePointAt(text_, r.position).size &&
                   (r.guess || (token != nullptr && (token->end == byte_[at + r.length] ||
                                                     (token->PartOfSpeech() != "動詞" &&
                                                      token->PartOfSpeech() != "形容詞"))));
          });
      if (!whole_run || !piece_by_piece) continue;
      for (std::u16string& pieces :
           ReadingsOfSpan(text_, first.position, begin_ + covered, out_, k, last)) {
        readings.push_back(std::move(pieces));
      }
      read.push_back({first.position, covered - from, Distinct(std::move(readings)), false});
      return last;
    }
    if (!listed.empty()) {
      if (leads) {
        listed.insert(listed.end(), std::make_move_iterator(first.readings.begin()),
                      std::make_move_iterator(first.readings.end()));
        first.readings = Distinct(std::move(listed));
        first.guess = false;
      } else {
        // After the dictionary's, the list's likeliest few, so that rare ones fill no menu.
        listed.resize(std::min(listed.size(), kMostListed));
        first.readings.insert(first.readings.end(), std::make_move_iterator(listed.begin()),
                              std::make_move_iterator(listed.end()));
        first.readings = Distinct(std::move(first.readings));
      }
    }
    read.push_back(std::move(first));
    return k + 1;
  }

  // The reading that `word` gives the kanji run [position, position + length) of the piece, when
  // it is a dictionary word that holds the whole run and kana at most around it.
  std::optional<std::u16string> RunReading(const Analyzer::Token& word, std::size_t position,
                                           std::size_t length) const {
    const auto at = [this](std::size_t byte) { return std::size_t{utf8_.position[byte]}; };
    if (at(word.begin) > position || at(word.end) < position + length || !word.known ||
        word.Number()) {
      return std::nullopt;
    }
    const std::u16string reading = Hiragana(word.Reading());
    const std::u16string before = ToHiragana(Piece(at(word.begin), position));
    const std::u16string after = ToHiragana(Piece(position + length, at(word.end)));
    if (!IsHiragana(before) || !IsHiragana(after) ||
        reading.size() <= before.size() + after.size() || !reading.starts_with(before) ||
        !reading.ends_with(after)) {
      return std::nullopt;
    }
    return reading.substr(before.size(), reading.size() - before.size() - after.size());
  }

  // A kanji run that the replacements [first, last) of `out_` make up exactly, and what they read
  // it as at first choice (empty when one of them has no reading).
  struct RunReplacements {
    std::size_t position;  // of the piece
    std::size_t length;
    std::size_t first;
    std::size_t last;
    std::u16string chosen;
    bool guess = false;
  };

  // Whether the next-best paths may change what is offered for the run of `parts`: whether some
  // word of the analysis, on any path, reads the whole run otherwise than `parts.chosen`. Where
  // the run is one replacement with a reading, they can only add readings after the first
  // choice: read quickly, they are not asked; by context, only for a reading that is not
  // offered second already.
  bool MayReadOtherwise(const RunReplacements& parts) const {
    const std::vector<std::u16string>& offered = out_[parts.first].readings;
    const bool whole = parts.last - parts.first == 1;
    if (whole && !offered.empty() && order_ == Order::kQuick) return false;
    auto news = [&](const std::u16string& reading) {
      if (reading == parts.chosen) return false;
      return !whole || offered.size() < 2 || reading != offered[1];
    };
    for (std::size_t end = parts.position + parts.length;; ++end) {
      for (const Analyzer::Token& word : analyzer_.EndingAt(byte_[end])) {
        const auto reading = RunReading(word, parts.position, parts.length);
        if (reading && news(*reading)) return true;
      }
      // Such a word ends after kana alone.
      if (end == in_run_.size() || !IsHiragana(ToHiragana(Piece(end, end + 1)))) return false;
    }
  }

  // Offers the readings of whole kanji runs that the next-best paths give, after the first
  // choice. Where the best path split a run into several words, they become one that covers it.
  void OfferWholeRuns(const std::vector<std::pair<std::size_t, std::size_t>>& runs) {
    std::vector<RunReplacements> parted;
    std::size_t first = first_out_;
    for (const auto& [position, length] : runs) {
      const std::size_t run_begin = begin_ + position;
      const std::size_t run_end = run_begin + length;
      while (first < out_.size() && out_[first].position + out_[first].length <= run_begin) {
        ++first;
      }
      std::size_t last = first;
      while (last < out_.size() && out_[last].position < run_end) ++last;
      if (first == last || out_[first].position != run_begin ||
          out_[last - 1].position + out_[last - 1].length != run_end) {
        continue;  // a part reaches outside the run (Ｘ線)
      }
      RunReplacements& parts =
          parted.emplace_back(RunReplacements{position, length, first, last, {}});
      for (std::size_t k = first; k < last; ++k) {
        if (out_[k].readings.empty()) {
          parts.chosen.clear();
          break;
        }
        parts.chosen += out_[k].readings.front();
        parts.guess = parts.guess || out_[k].guess;
      }
      first = last;
    }
    if (std::none_of(parted.begin(), parted.end(),
                     [this](const RunReplacements& parts) { return MayReadOtherwise(parts); })) {
      return;
    }
    paths_ = analyzer_.Analyze(utf8_.bytes, kPaths);
    // The word of each path that the run being looked at, or a later one, may lie in.
    std::vector<std::size_t> word(paths_.size(), 0);
    std::vector<Replacement> read;
    read.reserve(out_.size() - first_out_);
    std::size_t copied = first_out_;
    for (const RunReplacements& parts : parted) {
      std::vector<std::u16string> whole;
      for (std::size_t p = 1; p < paths_.size(); ++p) {
        const Analyzer::Path& path = paths_[p];
        while (word[p] < path.size() &&
               utf8_.position[path[word[p]].end] < parts.position + parts.length) {
          ++word[p];
        }
        if (word[p] == path.size()) continue;
        if (auto reading = RunReading(path[word[p]], parts.position, parts.length)) {
          whole.push_back(std::move(*reading));
        }
      }
      if (std::none_of(whole.begin(), whole.end(),
                       [&parts](const std::u16string& r) { return r != parts.chosen; })) {
        continue;
      }
      std::move(out_.begin() + static_cast<std::ptrdiff_t>(copied),
                out_.begin() + static_cast<std::ptrdiff_t>(parts.first), std::back_inserter(read));
      copied = parts.last;
      std::vector<std::u16string> readings;
      if (!parts.chosen.empty()) readings.push_back(parts.chosen);
      readings.insert(readings.end(), whole.begin(), whole.end());
      // Each part's other readings, with the others at their first choice.
      for (std::size_t part = parts.first; !parts.chosen.empty() && part < parts.last; ++part) {
        std::u16string head;
        for (std::size_t before = parts.first; before < part; ++before) {
          head += out_[before].readings.front();
        }
        std::u16string tail;
        for (std::size_t after = part + 1; after < parts.last; ++after) {
          tail += out_[after].readings.front();
        }
        for (std::size_t k = 1; k < out_[part].readings.size(); ++k) {
          readings.push_back(head + out_[part].readings[k] + tail);
        }
      }
      read.push_back(
          {begin_ + parts.position, parts.length, Distinct(std::move(readings)), parts.guess});
    }
    std::move(out_.begin() + static_cast<std::ptrdiff_t>(copied), out_.end(),
              std::back_inserter(read));
    out_.resize(first_out_);
    std::move(read.begin(), read.end(), std::back_inserter(out_));
  }

  void Emit(std::ptrdiff_t begin, std::ptrdiff_t end, std::vector<std::u16string> readings,
            bool guess = false) {
    readings = Distinct(std::move(readings));
    Replacement replacement;
    replacement.position = begin_ + static_cast<std::size_t>(begin);
    replacement.length = static_cast<std::size_t>(end - begin);
    replacement.guess = guess;
    // Kana that end the span (the つ of 一つ) and every reading alike stay as they are.
    while (!readings.empty() && replacement.length > 1) {
      const char16_t last = text_[replacement.position + replacement.length - 1];
      if (in_run_[static_cast<std::size_t>(begin) + replacement.length - 1] ||
          !std::all_of(readings.begin(), readings.end(), [last](const std::u16string& r) {
            return r.size() > 1 && r.back() == last;
          })) {
        break;
      }
      for (std::u16string& reading : readings) reading.pop_back();
      --replacement.length;
    }
    replacement.readings = std::move(readings);
    out_.push_back(std::move(replacement));
  }

  Analyzer& analyzer_;
  const internal::KanjiList& kanji_list_;
  const internal::WordList& word_list_;
  Order order_;
  std::u16string_view text_;
  std::vector<Replacement>& out_;
  std::size_t begin_ = 0;      // of the piece being read, in `text_`
  std::size_t first_out_ = 0;  // the first of `out_` that the piece being read gave
  std::vector<bool> in_run_;   // for each code unit of the piece: part of a kanji run
  internal::Utf8Text utf8_;
  std::vector<std::size_t> byte_;  // for each code unit of the piece that starts a character
  std::vector<Analyzer::Path> paths_;
};

// The readings of text[start, end) that the replacements found[first, last) inside it give: the
// kana between them read as themselves, each replacement by its first reading, and where there
// is one replacement, by each of its readings too. None where one of them has no reading or the
// text between them is not kana.
std::vector<std::u16string> ReadingsOfSpan(std::u16string_view text, std::size_t start,
                                           std::size_t end, const std::vector<Replacement>& found,
                                           std::size_t first, std::size_t last) {
  if (first == last || found[first].position < start ||
      found[last - 1].position + found[last - 1].length > end) {
    return {};
  }
  std::vector<std::u16string> readings(1);
  std::size_t copied = start;
  for (std::size_t k = first; k < last; ++k) {
    if (found[k].readings.empty()) return {};
    readings[0] += ToHiragana(text.substr(copied, found[k].position - copied));
    readings[0] += found[k].readings.front();
    copied = found[k].position + found[k].length;
  }
  readings[0] += ToHiragana(text.substr(copied, end - copied));
  if (last == first + 1) {
    const std::u16string before = ToHiragana(text.substr(start, found[first].position - start));
    const std::u16string after = ToHiragana(text.substr(copied, end - copied));
    for (std::size_t k = 1; k < found[first].readings.size(); ++k) {
      readings.push_back(before + found[first].readings[k] + after);
    }
  }
  std::erase_if(readings, [](const std::u16string& reading) { return !IsHiragana(reading); });
  return readings;
}

// Puts the readings that text[from, to) gives in brackets in the place of the replacements
// `found` (in order) of their kanji, each as one replacement of the kanji and the brackets, with
// the dictionary's readings after the given one.
void ApplyGiven(std::u16string_view text, std::size_t from, std::size_t to,
                std::vector<Replacement>& found) {
  const std::vector<internal::GivenReading> given =
      internal::GivenReadings(text.substr(from, to - from));
  if (given.empty()) return;
  std::vector<Replacement> out;
  out.reserve(found.size() + given.size());
  std::size_t next = 0;  // the first of `found` not yet in `out`
  for (const internal::GivenReading& reading : given) {
    const std::size_t start = from + reading.position;
    const std::size_t end = start + reading.length;
    while (next < found.size() && found[next].position + found[next].length <= start) {
      out.push_back(std::move(found[next++]));
    }
    std::size_t last = next;
    while (last < found.size() && found[last].position < end) ++last;
    Replacement replacement{start, reading.length, {reading.reading}, false, true};
    const std::size_t base = from + reading.base;
    for (std::u16string& other :
         ReadingsOfSpan(text, base, base + reading.base_length, found, next, last)) {
      replacement.readings.push_back(std::move(other));
    }
    replacement.readings = Distinct(std::move(replacement.readings));
    out.push_back(std::move(replacement));
    next = last;
  }
  std::move(found.begin() + static_cast<std::ptrdiff_t>(next), found.end(),
            std::back_inserter(out));
  found = std::move(out);
}

}  // namespace

Reader::Reader(const std::filesystem::path& folder, const std::filesystem::path& kanji_list,
               const std::filesystem::path& word_list)
    : analyzer_(std::make_unique<Analyzer>(folder)),
      kanji_list_(std::make_unique<const internal::KanjiList>(
          kanji_list.empty() ? internal::KanjiList() : internal::KanjiList::Load(kanji_list))),
      word_list_(std::make_unique<const internal::WordList>(
          word_list.empty() ? internal::WordList() : internal::WordList::Load(word_list))) {}

Reader::~Reader() = default;

std::vector<Replacement> Reader::Read(std::u16string_view text, Order order) {
  return Read(text, 0, text.size(), order);
}

std::vector<Replacement> Reader::Read(std::u16string_view text, std::size_t begin, std::size_t end,
                                      Order order) {
  end = std::min(end, text.size());
  begin = std::min(begin, end);
  // A range never splits a character in two.
  auto splits = [text](std::size_t at) {
    return at > 0 && at < text.size() && IsTrailSurrogate(text[at]) &&
           internal::CodePointAt(text, at - 1).size == 2;
  };
  if (splits(begin)) --begin;
  if (splits(end)) ++end;
  // The words at the range's ends are read with the rest of their lines, up to a piece's length.
  std::size_t context_begin = begin;
  while (context_begin > 0 && begin - context_begin < kLongestPiece &&
         !IsLineBreak(text[context_begin - 1])) {
    --context_begin;
  }
  std::size_t context_end = end;
  while (context_end < text.size() && context_end - end < kLongestPiece &&
         !IsLineBreak(text[context_end])) {
    ++context_end;
  }
  if (splits(context_begin)) ++context_begin;

  std::vector<Replacement> found;
  ForEachPiece(text, context_begin, context_end, [&](std::size_t from, std::size_t to) {
    PieceReader(*analyzer_, *kanji_list_, *word_list_, order, text, found).Read(from, to);
  });
  std::vector<Replacement> inside;
  ApplyRemembered(text, found);
  // The readings that the lyrics give win over those kept and the dictionary's.
  ApplyGiven(text, context_begin, context_end, found);
  // What brackets note without kana ((笑), （涙）) is not sung, and stays as it is.
  const auto annotations =
      internal::Annotations(text.substr(context_begin, context_end - context_begin));
  auto annotation = annotations.begin();
  for (Replacement& replacement : found) {
    while (annotation != annotations.end() &&
           context_begin + annotation->first + annotation->second <= replacement.position) {
      ++annotation;
    }
    if (annotation != annotations.end() &&
        context_begin + annotation->first <= replacement.position &&
        replacement.position + replacement.length <=
            context_begin + annotation->first + annotation->second) {
      continue;
    }
    const std::size_t from = std::max(begin, replacement.position);
    const std::size_t to = std::min(end, replacement.position + replacement.length);
    if (from == replacement.position && to == replacement.position + replacement.length) {
      inside.push_back(std::move(replacement));
    } else if (from < to && !replacement.given) {
      // Only part of this word is in the range: that part is read alone. A word whose reading
      // the lyrics give stays whole or not at all.
      PieceReader(*analyzer_, *kanji_list_, *word_list_, order, text, inside).Read(from, to);
    }
  }
  return inside;
}

bool IsReading(std::u16string_view word, std::u16string_view reading) {
  return !word.empty() && !IsBlank(word.front()) && !IsBlank(word.back()) &&
         word.find(u'\t') == std::u16string_view::npos && !KanjiRuns(word).empty() &&
         !reading.empty() && std::all_of(reading.begin(), reading.end(), internal::IsReadingLetter);
}

void Reader::Remember(std::vector<std::pair<std::u16string, std::u16string>> words) {
  remembered_.clear();
  remembered_.reserve(words.size());
  lengths_remembered_.clear();
  for (auto& [word, reading] : words) {
    if (!IsReading(word, reading)) continue;
    if (lengths_remembered_.size() <= word.size()) lengths_remembered_.resize(word.size() + 1);
    lengths_remembered_[word.size()] = true;
    remembered_.insert_or_assign(std::move(word), std::move(reading));
  }
}

std::optional<std::u16string> Reader::Kept(std::u16string_view word) const {
  const auto kept = remembered_.find(word);
  if (kept == remembered_.end()) return std::nullopt;
  return kept->second;
}

void Reader::ApplyRemembered(std::u16string_view text, std::vector<Replacement>& found) const {
  if (remembered_.empty() || found.empty()) return;
  std::vector<Replacement> out;
  out.reserve(found.size());
  std::size_t next = 0;  // the first of `found` not yet in `out`
  for (std::size_t at = 0; next < found.size();) {
    const Replacement& first = found[next];
    const std::size_t from =
        std::max(at, first.position - std::min(first.position, kLongestKanaBefore));
    bool matched = false;
    for (std::size_t start = from; !matched && start <= first.position; ++start) {
      // The word must hold at least the next replacement, so it is no shorter than this.
      const std::size_t shortest = first.position + first.length - start;
      for (std::size_t size = std::min(lengths_remembered_.size() - 1, text.size() - start);
           !matched && size >= shortest; --size) {
        if (!lengths_remembered_[size]) continue;
        const auto kept = remembered_.find(text.substr(start, size));
        if (kept == remembered_.end()) continue;
        // The word must hold whole replacements, and no earlier one may reach into it.
        const std::size_t end = start + size;
        std::size_t last = next;
        while (last < found.size() && found[last].position + found[last].length <= end) ++last;
        if ((last < found.size() && found[last].position < end) ||
            (!out.empty() && out.back().position + out.back().length > start)) {
          continue;
        }
        // The dictionary's readings of the word come after the kept one.
        Replacement merged{start, size, {kept->second}, false};
        for (std::u16string& reading : ReadingsOfSpan(text, start, end, found, next, last)) {
          merged.readings.push_back(std::move(reading));
        }
        merged.readings = Distinct(std::move(merged.readings));
        out.push_back(std::move(merged));
        next = last;
        at = end;
        matched = true;
      }
    }
    if (!matched) {
      at = found[next].position + found[next].length;
      out.push_back(std::move(found[next++]));
    }
  }
  found = std::move(out);
}

std::u16string Apply(std::u16string_view text, const std::vector<Replacement>& replacements) {
  std::u16string out;
  std::size_t copied = 0;
  for (const Replacement& replacement : replacements) {
    if (replacement.readings.empty()) continue;
    out.append(text.substr(copied, replacement.position - copied));
    out.append(replacement.readings.front());
    copied = replacement.position + replacement.length;
  }
  out.append(text.substr(copied));
  return out;
}

}  // namespace readings
