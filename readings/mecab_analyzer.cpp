// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <mecab.h>

#include <algorithm>
#include <array>
#include <limits>
#include <system_error>

#include "readings/analyzer.h"
#include "readings/readings.h"

namespace readings {
namespace {

constexpr long kUnreachable = std::numeric_limits<long>::max() / 2;

// Whether `node` is a word of the text: an entry or a guess, not the start or the end.
bool IsWord(const mecab_node_t* node) {
  return node->stat == MECAB_NOR_NODE || node->stat == MECAB_UNK_NODE;
}

// What the dictionary charges for `right` after `left`.
long Transition(mecab_model_t* model, const mecab_node_t* left, const mecab_node_t* right) {
  return mecab_model_transition_cost(model, left->rcAttr, right->lcAttr);
}

// The reading of an entry: IPADIC's eighth field.
std::string_view ReadingOf(const mecab_node_t* node) {
  Analyzer::Token token;
  token.known = node->stat == MECAB_NOR_NODE;
  token.feature = node->feature;
  return token.Reading();
}

// A path as MeCab opens it: in UTF-8, which its Windows build turns into a wide path, so that any
// folder name works whatever the system's code page.
std::string Utf8Path(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return {reinterpret_cast<const char*>(utf8.data()), utf8.size()};
}

[[noreturn]] void Fail(const std::filesystem::path& folder, const std::string& why) {
  throw DictionaryError(Utf8Path(folder) + ": " + why);
}

}  // namespace

Analyzer::Analyzer(const std::filesystem::path& folder) {
  // MeCab reads a settings file before the dictionary; the dictionary's own dicrc serves, so that
  // no user or system settings can change what is read.
  const std::filesystem::path settings = folder / "dicrc";
  for (const char* file : {"dicrc", "sys.dic", "matrix.bin", "char.bin", "unk.dic"}) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(folder / file, error))
      Fail(folder, "no " + std::string(file));
  }
  std::string program = "melivant-helper";
  std::string settings_option = "-r";
  std::string settings_path = Utf8Path(settings);
  std::string folder_option = "-d";
  std::string folder_path = Utf8Path(folder);
  std::array<char*, 5> arguments = {program.data(), settings_option.data(), settings_path.data(),
                                    folder_option.data(), folder_path.data()};
  model_ = {mecab_model_new(static_cast<int>(arguments.size()), arguments.data()),
            mecab_model_destroy};
  if (!model_) Fail(folder, mecab_strerror(nullptr));
  tagger_ = {mecab_model_new_tagger(model_.get()), mecab_destroy};
  lattice_ = {mecab_model_new_lattice(model_.get()), mecab_lattice_destroy};
  if (!tagger_ || !lattice_) Fail(folder, "cannot start the analysis");
  const std::string_view charset = mecab_dictionary_info(tagger_.get())->charset;
  if (charset != "utf-8" && charset != "UTF-8" && charset != "utf8" && charset != "UTF8") {
    Fail(folder, "the dictionary is in " + std::string(charset) + ", not UTF-8");
  }
  // IPADIC gives each entry's reading in katakana in its eighth field; a dictionary laid out
  // otherwise would have every word read wrong.
  const std::vector<Path> probe = Analyze("日本語の歌", 1);
  const bool readable =
      !probe.empty() && std::all_of(probe[0].begin(), probe[0].end(), [](const Token& t) {
        const std::string_view reading = t.Reading();
        return !reading.empty() &&
               reading.find_first_of("abcdefghijklmnopqrstuvwxyz") == std::string_view::npos &&
               static_cast<unsigned char>(reading[0]) == 0xE3;  // kana are U+3000 to U+30FF
      });
  if (!readable) Fail(folder, "its entries give no readings in kana, as IPADIC's do");
}

Analyzer::~Analyzer() = default;

std::vector<Analyzer::Path> Analyzer::Analyze(std::string_view text, std::size_t paths) {
  std::vector<Path> found;
  sentence_ = text.data();
  size_ = text.size();
  best_path_.clear();
  mecab_lattice_set_request_type(lattice_.get(), paths > 1 ? MECAB_NBEST : MECAB_ONE_BEST);
  mecab_lattice_set_sentence2(lattice_.get(), text.data(), text.size());
  if (mecab_parse_lattice(tagger_.get(), lattice_.get()) == 0) return found;
  // The parse leaves the best path in the lattice; each call of next gives the next-best one,
  // starting again from a best path (which may differ from the first where costs tie).
  do {
    Path& path = found.emplace_back();
    for (const mecab_node_t* node = mecab_lattice_get_bos_node(lattice_.get())->next;
         node != nullptr && node->stat != MECAB_EOS_NODE; node = node->next) {
      path.push_back(TokenOf(node));
      if (found.size() == 1) best_path_.emplace_back(path.back().filed, node);
    }
  } while (found.size() < paths && mecab_lattice_next(lattice_.get()) != 0);
  return found;
}

std::vector<Analyzer::Token> Analyzer::EndingAt(std::size_t end) const {
  std::vector<Token> words;
  for (const mecab_node_t* node = mecab_lattice_get_end_nodes(lattice_.get(), end); node != nullptr;
       node = node->enext) {
    if (IsWord(node)) words.push_back(TokenOf(node));
  }
  return words;
}

const mecab_node_t* Analyzer::BestStartingAt(std::size_t at) const {
  const auto best = std::lower_bound(best_path_.begin(), best_path_.end(), at,
                                     [](const std::pair<std::size_t, const mecab_node_t*>& word,
                                        std::size_t a) { return word.first < a; });
  return best != best_path_.end() && best->first == at ? best->second : nullptr;
}

void Analyzer::FindCostsToEnd(std::size_t from, std::size_t past, std::size_t to) const {
  mecab_lattice_t* lattice = lattice_.get();
  const mecab_node_t* eos = mecab_lattice_get_eos_node(lattice);
  // From `to` back: the words after a word start where it ends, and are done already.
  for (std::size_t at = to; at-- > from;) {
    for (const mecab_node_t* node = mecab_lattice_get_begin_nodes(lattice, at); node != nullptr;
         node = node->bnext) {
      if (!IsWord(node)) continue;
      const std::size_t end = static_cast<std::size_t>(node->surface - sentence_) + node->length;
      if (end <= past) continue;
      long least = kUnreachable;
      if (end >= size_) {
        least = Transition(model_.get(), node, eos);
      } else if (const mecab_node_t* best = BestStartingAt(end)) {
        // Joining the best path costs what the best path costs from there.
        least = Transition(model_.get(), node, best) + best->wcost + eos->cost - best->cost;
      }
      for (const mecab_node_t* next = mecab_lattice_get_begin_nodes(lattice, end);
           end < to && next != nullptr; next = next->bnext) {
        if (!IsWord(next)) continue;
        if (const long after =
                next->id < cost_to_end_.size() ? cost_to_end_[next->id] : kUnreachable;
            after != kUnreachable) {
          least = std::min(least, Transition(model_.get(), node, next) + next->wcost + after);
        }
      }
      if (node->id >= cost_to_end_.size()) cost_to_end_.resize(node->id + 1, kUnreachable);
      cost_to_end_[node->id] = least;
    }
  }
}

std::vector<std::vector<Analyzer::Alternative>> Analyzer::WordsHolding(
    const std::vector<std::size_t>& bytes, long within) const {
  std::vector<std::vector<Alternative>> words(bytes.size());
  const mecab_node_t* eos = mecab_lattice_get_eos_node(lattice_.get());
  auto from_of = [](std::size_t at) { return at > kReach ? at - kReach : 0; };
  std::size_t from = 0;
  for (std::size_t k = 0; k < bytes.size(); ++k) {
    const std::size_t at = bytes[k];
    // The costs are found once for each run of bytes close enough to share them.
    if (k == 0 || from_of(at) >= bytes[k - 1] + kDetour) {
      std::size_t last = k;
      while (last + 1 < bytes.size() && from_of(bytes[last + 1]) < bytes[last] + kDetour) ++last;
      from = from_of(at);
      FindCostsToEnd(from, at, std::min(size_, bytes[last] + kDetour));
    }
    for (std::size_t start = at + 1; start-- > std::max(from, from_of(at));) {
      for (const mecab_node_t* node = mecab_lattice_get_begin_nodes(lattice_.get(), start);
           node != nullptr; node = node->bnext) {
        const auto begin = static_cast<std::size_t>(node->surface - sentence_);
        if (!IsWord(node) || begin > at || begin + node->length <= at ||
            cost_to_end_[node->id] == kUnreachable) {
          continue;
        }
        if (node->length > 3) {
          const long extra = node->cost + cost_to_end_[node->id] - eos->cost;
          if (extra <= within) words[k].push_back({TokenOf(node), std::nullopt, extra});
          continue;
        }
        // A word of one kana (a lone particle) is told by the word before it: each that is on a
        // path close enough.
        for (const mecab_node_t* left = mecab_lattice_get_end_nodes(lattice_.get(), start);
             left != nullptr; left = left->enext) {
          const long extra = left->cost + Transition(model_.get(), left, node) + node->wcost +
                             cost_to_end_[node->id] - eos->cost;
          if (extra > within) continue;
          words[k].push_back(
              {TokenOf(node),
               left->stat == MECAB_BOS_NODE ? std::nullopt : std::optional<Token>(TokenOf(left)),
               extra});
        }
      }
    }
  }
  return words;
}

Analyzer::Token Analyzer::TokenOf(const mecab_node_t* node) const {
  Token token;
  token.begin = static_cast<std::size_t>(node->surface - sentence_);
  token.end = token.begin + node->length;
  token.filed = token.begin - (node->rlength - node->length);
  token.known = node->stat == MECAB_NOR_NODE;
  token.feature = node->feature;
  return token;
}

std::vector<std::string_view> Analyzer::ReadingsAt(std::size_t filed, std::size_t begin,
                                                   std::size_t length) const {
  return ReadingsAt(filed, begin, length, false);
}

std::vector<std::string_view> Analyzer::CommonReadingsAt(std::size_t filed, std::size_t begin,
                                                         std::size_t length) const {
  return ReadingsAt(filed, begin, length, true);
}

std::vector<std::string_view> Analyzer::ReadingsAt(std::size_t filed, std::size_t begin,
                                                   std::size_t length, bool common) const {
  std::vector<std::pair<short, std::string_view>> entries;  // with their words' costs
  for (const mecab_node_t* node = mecab_lattice_get_begin_nodes(lattice_.get(), filed);
       node != nullptr; node = node->bnext) {
    if (node->surface != sentence_ + begin || node->length != length) continue;
    const std::string_view reading = ReadingOf(node);
    if (reading.empty() || (common && TokenOf(node).ProperNoun())) continue;
    entries.emplace_back(node->wcost, reading);
  }
  // The common words the likeliest first; all entries in the dictionary's order.
  if (common) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
  }
  std::vector<std::string_view> readings;
  for (const auto& [cost, reading] : entries) {
    if (std::find(readings.begin(), readings.end(), reading) == readings.end()) {
      readings.push_back(reading);
    }
  }
  return readings;
}

}  // namespace readings
