// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

// What F7's readings cost on four inputs, and the floor beneath them: MeCab's own parse of the same
// text (lattice, best path, every node of it walked). Prints one line per case, "case
// milliseconds", the least of several runs. Built against the reader of this tree, or with
// -DMELIVANT_BEFORE_N_BEST against that of older code, whose Reader takes only the dictionary, so
// that scripts/bench.sh can run both side by side:
// readings_cost LYRICS [without-word-list]
#include <mecab.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "bench/lyrics_corpus.h"
#include "readings/readings.h"
#include "readings/script.h"

namespace {

// The least of several runs of `work`, in milliseconds.
double Milliseconds(const std::function<void()>& work) {
  double least = 1e300;
  for (int run = 0; run < 5; ++run) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    least = std::min(least, took.count());
  }
  return least;
}

// The lines of the UTF-8 file `path` with the {kanji|reading} marks of an evaluation set read as
// their kanji, and no comment lines; as UTF-8 and as UTF-16. With `sung`, those of the parts
// named "## sung..." alone, which are dense in particles, figures and lines all in kana; else
// those of the other parts.
struct Lines {
  std::vector<std::string> utf8;
  std::vector<std::u16string> utf16;
};

Lines ReadLines(const char* path, bool sung) {
  std::ifstream file(path, std::ios::binary);
  Lines lines;
  bool in_sung = false;
  for (std::string line; std::getline(file, line);) {
    if (line.rfind("## ", 0) == 0) in_sung = line.rfind("## sung", 0) == 0;
    if (line.empty() || line[0] == '#' || in_sung != sung) continue;
    std::string plain;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '{') continue;
      if (line[i] == '|') {
        i = line.find('}', i);
        continue;
      }
      plain += line[i];
    }
    lines.utf16.push_back(readings::internal::FromUtf8(plain));
    lines.utf8.push_back(std::move(plain));
  }
  return lines;
}

// `lines` repeated until they are about five thousand.
Lines FiveThousand(Lines lines) {
  const Lines once = lines;
  while (!once.utf8.empty() && lines.utf8.size() < 5000) {
    lines.utf8.insert(lines.utf8.end(), once.utf8.begin(), once.utf8.end());
    lines.utf16.insert(lines.utf16.end(), once.utf16.begin(), once.utf16.end());
  }
  return lines;
}

// MeCab's parse of each of `lines`, its best path walked node by node.
std::size_t Parse(mecab_t* tagger, mecab_lattice_t* lattice, const std::vector<std::string>& lines) {
  std::size_t nodes = 0;
  for (const std::string& line : lines) {
    mecab_lattice_set_sentence2(lattice, line.data(), line.size());
    mecab_parse_lattice(tagger, lattice);
    for (const mecab_node_t* node = mecab_lattice_get_bos_node(lattice); node != nullptr;
         node = node->next) {
      nodes += node->length;
    }
  }
  return nodes;
}

// The lines of `text`, in UTF-8.
std::vector<std::string> SplitLines(std::u16string_view text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find(u'\n', start), text.size());
    lines.push_back(readings::internal::ToUtf8(text.substr(start, end - start)).bytes);
    start = end + 1;
  }
  return lines;
}

// The readings of `text`, as F7 reads them.
std::size_t Read(readings::Reader& reader, std::u16string_view text) {
#ifdef MELIVANT_BEFORE_N_BEST
  return reader.Read(text).size();
#else
  return reader.Read(text, readings::Reader::Order::kQuick).size();
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: readings_cost LYRICS [without-word-list]\n");
    return 2;
  }
  // About five thousand song lines, as many songs hold.
  const Lines songs = FiveThousand(ReadLines(argv[1], false));
  const Lines sung = FiveThousand(ReadLines(argv[1], true));
  const std::u16string lyrics = bench::KanjiLyrics(5 << 20);
  const std::u16string short_words = bench::RepeatedText(u"夢の", 4'000'000);
#ifdef MELIVANT_BEFORE_N_BEST
  readings::Reader reader(MELIVANT_DICTIONARY_DIR);
#else
  const bool word_list = argc < 3;
  readings::Reader reader(MELIVANT_DICTIONARY_DIR, MELIVANT_KANJI_LIST_FILE,
                          word_list ? MELIVANT_WORD_LIST_FILE : "");
#endif
  std::size_t found = 0;
  std::printf("song-lines %.2f\n", Milliseconds([&] {
                for (const std::u16string& line : songs.utf16) found += Read(reader, line);
              }));
  std::printf("sung-lines %.2f\n", Milliseconds([&] {
                for (const std::u16string& line : sung.utf16) found += Read(reader, line);
              }));
  std::printf("lyrics-5mb %.2f\n", Milliseconds([&] { found += Read(reader, lyrics); }));
  std::printf("short-words %.2f\n", Milliseconds([&] { found += Read(reader, short_words); }));

  // The floor: MeCab alone, on the same lines, with the same dictionary and settings.
  std::string settings = std::string(MELIVANT_DICTIONARY_DIR) + "/dicrc";
  std::string folder = MELIVANT_DICTIONARY_DIR;
  std::string program = "readings_cost", r = "-r", d = "-d";
  char* arguments[] = {program.data(), r.data(), settings.data(), d.data(), folder.data()};
  mecab_model_t* model = mecab_model_new(5, arguments);
  mecab_t* tagger = mecab_model_new_tagger(model);
  mecab_lattice_t* lattice = mecab_model_new_lattice(model);
  const std::vector<std::string> lyric_lines = SplitLines(lyrics);
  std::printf("mecab-song-lines %.2f\n",
              Milliseconds([&] { found += Parse(tagger, lattice, songs.utf8); }));
  std::printf("mecab-sung-lines %.2f\n",
              Milliseconds([&] { found += Parse(tagger, lattice, sung.utf8); }));
  std::printf("mecab-lyrics-5mb %.2f\n",
              Milliseconds([&] { found += Parse(tagger, lattice, lyric_lines); }));
  mecab_lattice_destroy(lattice);
  mecab_destroy(tagger);
  mecab_model_destroy(model);
  std::fprintf(stderr, "(%zu found)\n", found);
  return 0;
}
