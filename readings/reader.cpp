// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <algorithm>

#include "readings/align.h"
#include "readings/analyzer.h"
#include "readings/numbers.h"
#include "readings/readings.h"
#include "readings/script.h"
#include "readings/song_readings.h"

namespace readings {
namespace {

using internal::FromUtf8;
using internal::ToHiragana;

// The analysis runs line by line; a longer line is cut into pieces of at most this many code
// units, after a pause (a blank or punctuation) where there is one, so that its cost stays linear.
constexpr std::size_t kLongestPiece = 2048;

bool IsLineBreak(char16_t c) {
  return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == u'\u0085' || c == u'\u2028' ||
         c == u'\u2029';
}

bool IsPause(char16_t c) {
  return std::u16string_view(u" \t　。、，．！？!?,.「」『』（）()").find(c) !=
         std::u16string_view::npos;
}

bool IsTrailSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

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
  const bool kana = std::all_of(reading.begin(), reading.end(), [](char16_t c) {
    return (c >= u'ぁ' && c <= u'ゖ') || c == u'ー';
  });
  return kana ? reading : std::u16string();
}

// Reads the kanji of one piece of text at a time.
class PieceReader {
 public:
  PieceReader(Analyzer& analyzer, std::u16string_view text, std::vector<Replacement>& out)
      : analyzer_(analyzer), text_(text), out_(out) {}

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
    tokens_ = analyzer_.Analyze(utf8_.bytes);
    for (std::size_t i = 0; i < tokens_.size();) {
      if (!std::any_of(in_run_.begin() + Begin(i), in_run_.begin() + End(i),
                       [](bool kanji) { return kanji; })) {
        ++i;
      } else if (const std::size_t next = ReadNumber(i); next != i) {
        i = next;
      } else {
        ReadWord(i++);
      }
    }
  }

 private:
  // Where token `i` starts and ends, in code units of the piece.
  std::ptrdiff_t Begin(std::size_t i) const { return utf8_.position[tokens_[i].begin]; }
  std::ptrdiff_t End(std::size_t i) const { return utf8_.position[tokens_[i].end]; }
  std::u16string_view Surface(std::size_t i) const {
    return text_.substr(begin_ + static_cast<std::size_t>(Begin(i)),
                        static_cast<std::size_t>(End(i) - Begin(i)));
  }
  bool Adjacent(std::size_t i) const { return tokens_[i].begin == tokens_[i - 1].end; }

  // The readings of the dictionary's entries for the characters of tokens [first, last).
  std::vector<std::string_view> ReadingsAt(std::size_t first, std::size_t last) const {
    return analyzer_.ReadingsAt(tokens_[first].begin, tokens_[last - 1].end - tokens_[first].begin);
  }

  // The dictionary's own readings of tokens [first, last), one after another; empty when one of
  // them has none.
  std::u16string DictionaryReading(std::size_t first, std::size_t last) const {
    std::u16string reading;
    for (std::size_t i = first; i < last; ++i) {
      const std::u16string part = Hiragana(tokens_[i].reading);
      if (part.empty()) return {};
      reading += part;
    }
    return reading;
  }

  // Reads a number written in kanji from token `i` on, with the counter after it (三日 みっか),
  // and returns the token after them; returns `i` when no number starts there.
  std::size_t ReadNumber(std::size_t i) {
    const bool question = Surface(i) == u"何";
    std::size_t end = i + 1;
    if (!question) {
      auto numeral = [this](std::size_t k) {
        const std::u16string_view surface = Surface(k);
        return tokens_[k].number &&
               std::all_of(surface.begin(), surface.end(), internal::IsNumeral);
      };
      if (!numeral(i)) return i;
      while (end < tokens_.size() && Adjacent(end) && numeral(end)) ++end;
    }
    const std::u16string_view digits =
        text_.substr(begin_ + static_cast<std::size_t>(Begin(i)),
                     static_cast<std::size_t>(End(end - 1) - Begin(i)));
    const std::optional<std::uint64_t> value =
        question ? std::optional<std::uint64_t>(0) : internal::NumeralValue(digits);
    if (!value) return i;
    if (end < tokens_.size() && Adjacent(end)) {
      std::vector<std::u16string> readings = internal::ReadCounted(*value, Surface(end), question);
      if (!readings.empty()) {
        readings.push_back(DictionaryReading(i, end + 1));
        for (const std::string_view entry : ReadingsAt(i, end + 1))
          readings.push_back(Hiragana(entry));
        Emit(Begin(i), End(end), std::move(readings));
        return end + 1;
      }
    }
    if (question) return i;
    Emit(Begin(i), End(end - 1), {internal::ReadNumber(*value), DictionaryReading(i, end)});
    return end;
  }

  // Reads the kanji of the word that token `i` is.
  void ReadWord(std::size_t i) {
    const Analyzer::Token& token = tokens_[i];
    const std::u16string_view surface = Surface(i);
    std::vector<std::u16string> readings;
    if (std::u16string chosen = Hiragana(token.reading); token.known && !chosen.empty()) {
      readings.push_back(std::move(chosen));
      for (const std::string_view other : ReadingsAt(i, i + 1)) {
        if (std::u16string reading = Hiragana(other); !reading.empty()) {
          readings.push_back(std::move(reading));
        }
      }
      const std::u16string_view after = text_.substr(begin_ + static_cast<std::size_t>(End(i)));
      for (const internal::SongReading& song : internal::SongReadings()) {
        if (song.word != surface || !after.starts_with(song.next)) continue;
        readings.insert(readings.begin(), song.readings.front());
        readings.insert(readings.end(), song.readings.begin() + 1, song.readings.end());
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

    std::vector<bool> kanji(in_run_.begin() + Begin(i), in_run_.begin() + End(i));
    std::optional<std::vector<internal::Piece>> pieces;
    if (!readings.empty()) pieces = internal::Align(surface, kanji, readings[0]);
    if (!pieces && !readings.empty()) {
      // Whatever stands between the first and the last kanji goes with them.
      const auto first = std::find(kanji.begin(), kanji.end(), true);
      const auto last = std::find(kanji.rbegin(), kanji.rend(), true).base();
      std::fill(first, last, true);
      pieces = internal::Align(surface, kanji, readings[0]);
    }
    if (!pieces) {
      EmitUnread(Begin(i), kanji);
      return;
    }
    std::vector<std::vector<std::u16string>> alternatives;
    for (const internal::Piece& piece : *pieces) alternatives.push_back({piece.reading});
    for (std::size_t k = 1; k < readings.size(); ++k) {
      if (const auto other = internal::Align(surface, kanji, readings[k])) {
        for (std::size_t p = 0; p < other->size(); ++p) {
          alternatives[p].push_back((*other)[p].reading);
        }
      }
    }
    for (std::size_t p = 0; p < pieces->size(); ++p) {
      const auto start = Begin(i) + static_cast<std::ptrdiff_t>((*pieces)[p].offset);
      Emit(start, start + static_cast<std::ptrdiff_t>((*pieces)[p].length),
           std::move(alternatives[p]));
    }
  }

  void Emit(std::ptrdiff_t begin, std::ptrdiff_t end, std::vector<std::u16string> readings) {
    readings = Distinct(std::move(readings));
    Replacement replacement;
    replacement.position = begin_ + static_cast<std::size_t>(begin);
    replacement.length = static_cast<std::size_t>(end - begin);
    // Kana that end the span (the つ of 一つ) and every reading alike stay as they are.
    while (replacement.length > 1) {
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
    replacement.reading = readings.front();
    replacement.alternatives = std::move(readings);
    out_.push_back(std::move(replacement));
  }

  // Marks each stretch of kanji in `kanji` (from `begin` on) as read by no dictionary entry.
  void EmitUnread(std::ptrdiff_t begin, const std::vector<bool>& kanji) {
    for (std::size_t k = 0; k < kanji.size();) {
      if (!kanji[k]) {
        ++k;
        continue;
      }
      const std::size_t start = k;
      while (k < kanji.size() && kanji[k]) ++k;
      out_.push_back({begin_ + static_cast<std::size_t>(begin) + start, k - start, {}, {}});
    }
  }

  Analyzer& analyzer_;
  std::u16string_view text_;
  std::vector<Replacement>& out_;
  std::size_t begin_ = 0;     // of the piece being read, in `text_`
  std::vector<bool> in_run_;  // for each code unit of the piece: part of a kanji run
  internal::Utf8Text utf8_;
  std::vector<Analyzer::Token> tokens_;
};

}  // namespace

Reader::Reader(const std::filesystem::path& folder)
    : analyzer_(std::make_unique<Analyzer>(folder)) {}

Reader::~Reader() = default;

std::vector<Replacement> Reader::Read(std::u16string_view text) {
  return Read(text, 0, text.size());
}

std::vector<Replacement> Reader::Read(std::u16string_view text, std::size_t begin,
                                      std::size_t end) {
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
    PieceReader(*analyzer_, text, found).Read(from, to);
  });
  std::vector<Replacement> inside;
  for (Replacement& replacement : found) {
    const std::size_t from = std::max(begin, replacement.position);
    const std::size_t to = std::min(end, replacement.position + replacement.length);
    if (from == replacement.position && to == replacement.position + replacement.length) {
      inside.push_back(std::move(replacement));
    } else if (from < to) {
      // Only part of this word is in the range: that part is read alone.
      PieceReader(*analyzer_, text, inside).Read(from, to);
    }
  }
  return inside;
}

std::u16string Apply(std::u16string_view text, const std::vector<Replacement>& replacements) {
  std::u16string out;
  std::size_t copied = 0;
  for (const Replacement& replacement : replacements) {
    if (replacement.reading.empty()) continue;
    out.append(text.substr(copied, replacement.position - copied));
    out.append(replacement.reading);
    copied = replacement.position + replacement.length;
  }
  out.append(text.substr(copied));
  return out;
}

}  // namespace readings
