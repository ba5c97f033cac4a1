// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "bench/lyrics_corpus.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

namespace bench {
namespace {

std::u16string Repeat(std::initializer_list<std::u16string_view> words, std::size_t bytes,
                      std::size_t words_per_line) {
  const std::size_t units = bytes / sizeof(char16_t);
  std::u16string text;
  text.reserve(units);
  std::size_t count = 0;
  while (text.size() < units) {
    for (std::u16string_view word : words) {
      text += word;
      text += (++count % words_per_line == 0) ? u'\n' : u' ';
    }
  }
  // End on a whole word, so that the romaji text stays valid romaji.
  text.resize(text.find_last_of(u" \n", units) + 1);
  return text;
}

}  // namespace

std::u16string KanaLyrics(std::size_t bytes) {
  return Repeat(
      {u"きょうも", u"がっこうへ", u"いこう",     u"ラーメン",     u"たべたい", u"夢の",
       u"なかで",   u"しゃしんを", u"とった",     u"ぎゅうにゅう", u"コーヒー", u"チョコレート",
       u"ずっと",   u"あなたと",   u"いっしょに", u"空を",         u"みあげて", u"ちゃんと",
       u"うたおう", u"ひかりの",   u"メロディー"},
      bytes, 6);
}

std::u16string KanjiLyrics(std::size_t bytes) {
  return Repeat(
      {u"桜の花が",   u"咲いた", u"明日へ",   u"続く",     u"一本道を",   u"歩いて",  u"遠い空の",
       u"向こうに",   u"三日月", u"光る",     u"心の中で", u"君の名前を", u"呼んだ",  u"涙は",
       u"星になって", u"二人で", u"過ごした", u"季節が",   u"過ぎても",   u"忘れない"},
      bytes, 5);
}

std::u16string RomajiLyrics(std::size_t bytes) {
  return Repeat({u"Kyoumo", u"gakkoue",   u"ikou",    u"raamen",   u"tabetai", u"yumeno",
                 u"nakade", u"shashinwo", u"totta",   u"gyuunyuu", u"koohii",  u"chokoreeto",
                 u"zutto",  u"anatato",   u"isshoni", u"sorawo",   u"miagete", u"chanto",
                 u"utaou",  u"hikarino",  u"mirai",   u"MATCHA"},
                bytes, static_cast<std::size_t>(-1));
}

std::u16string RepeatedText(std::u16string_view piece, std::size_t bytes) {
  const std::size_t pieces = std::max<std::size_t>(1, bytes / sizeof(char16_t) / piece.size());
  std::u16string text;
  text.reserve(pieces * piece.size());
  for (std::size_t i = 0; i < pieces; ++i) text += piece;
  return text;
}

}  // namespace bench
