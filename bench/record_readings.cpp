// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// Prints everything that Reader::Read returns for the lyrics in the UTF-8 files given, so that two
// builds can be compared byte for byte (diff): each file read whole and line by line, in both
// orders, from the middle of each line, and with readings kept by the user; then a large text made
// here that holds every kind of run (songs, 々 and surrogate pairs around the cut of long lines,
// brackets, numbers). record_readings FILE... > record.txt
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "bench/lyrics_corpus.h"
#include "readings/readings.h"
#include "readings/remembered.h"
#include "readings/script.h"
#include "tests/support/utf16.h"

namespace {

using Order = readings::Reader::Order;

void Print(std::string_view label, const std::vector<readings::Replacement>& found) {
  std::cout << label << ' ' << found.size() << '\n';
  for (const readings::Replacement& r : found) {
    std::cout << ' ' << r.position << '+' << r.length << (r.guess ? " guess" : "")
              << (r.given ? " given" : "") << (r.particle ? " particle" : "");
    for (const std::u16string& reading : r.readings) std::cout << ' ' << test_support::Utf8(reading);
    std::cout << '\n';
  }
}

void Record(readings::Reader& reader, std::u16string_view text) {
  for (const Order order : {Order::kQuick, Order::kByContext}) {
    const char* name = order == Order::kQuick ? "quick" : "context";
    Print(std::string("whole ") + name, reader.Read(text, order));
    for (std::size_t start = 0; start < text.size();) {
      const std::size_t end = std::min(text.find(u'\n', start), text.size());
      const std::u16string_view line = text.substr(start, end - start);
      Print(std::string("line ") + name, reader.Read(line, order));
      Print(std::string("middle ") + name,
            reader.Read(text, start + line.size() / 3, end - line.size() / 4, order));
      start = end + 1;
    }
  }
}

// Every kind of text that the reader treats apart, repeated and cut at all sorts of places.
std::u16string EveryKind() {
  std::u16string text = bench::KanjiLyrics(20'000);
  const std::u16string_view kinds[] = {
      u"人々の心々 高々と 時々 々 佐々木", u"𠮟る𠮷野家の𩸽", u"運命（さだめ）と｜君《きみ》",
      u"明日(あした)へ 宇宙【そら】", u"（笑）(涙) 十六夜の月", u"三日月 二十歳 百八十円 何人 十分",
      u"朝焼け 彷徨う 黒煙 幾千 夜半 現世 灯火 詩", u"Ｘ線 一ヶ月 霞ケ関 お母さん",
      u"風は空へ こんにちは ぬかるみにはまって あははは", u"2人 ８日間 1,000人 MP3 1.5倍 12345678901234567",
  };
  for (const std::u16string_view kind : kinds) {
    text += kind;
    text += u'\n';
  }
  // Long lines, cut into pieces, with the kinds around every cut.
  for (std::size_t shift = 0; shift < 6; ++shift) {
    std::u16string line(2040 + shift, u'あ');
    for (const std::u16string_view kind : kinds) line += kind;
    text += line + bench::RepeatedText(u"夢の々𠮟", 9000) + u'\n';
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  readings::RememberedWords kept;
  readings::Reader reader(MELIVANT_DICTIONARY_DIR, MELIVANT_KANJI_LIST_FILE,
                          MELIVANT_WORD_LIST_FILE, &kept);
  std::vector<std::u16string> texts;
  for (int i = 1; i < argc; ++i) {
    std::ifstream file(argv[i], std::ios::binary);
    texts.push_back(readings::internal::FromUtf8(std::string(std::istreambuf_iterator<char>(file), {})));
  }
  texts.push_back(EveryKind());
  for (const std::u16string& text : texts) Record(reader, text);
  kept.Set({{u"明日", u"あす"}, {u"お母さん", u"おかあさん"}, {u"桜の花", u"さくらのはな"},
            {u"三日月", u"みかづき"}, {u"心", u"しん"}, {u"空", u"そら"}});
  for (const std::u16string& text : texts) Record(reader, text);
  return 0;
}
