// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "readings/numbers.h"

#include <algorithm>
#include <array>

#include "readings/script.h"

namespace readings::internal {
namespace {

constexpr std::u16string_view kDigits = u"〇一二三四五六七八九";
constexpr std::array<std::u16string_view, 10> kDigitReadings = {
    u"", u"いち", u"に", u"さん", u"よん", u"ご", u"ろく", u"なな", u"はち", u"きゅう"};

struct Unit {
  char16_t numeral;
  std::uint64_t value;
};
constexpr std::array<Unit, 3> kSmallUnits = {{{u'十', 10}, {u'百', 100}, {u'千', 1000}}};
// Large numbers go by groups of four digits: 万, 万万 (億), 万万万 (兆).
constexpr std::uint64_t kMan = 10000;
constexpr std::array<Unit, 3> kLargeUnits = {
    {{u'万', kMan}, {u'億', kMan * kMan}, {u'兆', kMan * kMan * kMan}}};
constexpr std::uint64_t kLimit = kMan * kMan * kMan * kMan;

// The sound changes between a number and the counter after it. Before a counter of the k, s, t
// or h rows, a number ending in 1, 8 or 10 (and, before k and h, 6 or 100) is cut short with っ
// (いっこ, はっさつ, じゅっぽん); after っ an h-row counter turns into the p row (いっぽん).
enum class Sound { kNone, kK, kST, kH };

struct Counter {
  std::u16string_view surface;
  std::u16string_view reading;
  Sound sound;
  // The counter's reading after a number ending in ん (さん, せん, まん, なん), where it changes:
  // 三本 さんぼん, 三階 さんがい.
  std::u16string_view after_n;
};

// clang-format off
constexpr auto kCounters = std::to_array<Counter>({
    // surface    reading        sound        after ん
    {u"本",       u"ほん",       Sound::kH,   u"ぼん"},
    {u"杯",       u"はい",       Sound::kH,   u"ばい"},
    {u"匹",       u"ひき",       Sound::kH,   u"びき"},
    {u"分",       u"ふん",       Sound::kH,   u"ぷん"},
    {u"歩",       u"ほ",         Sound::kH,   u"ぽ"},
    {u"泊",       u"はく",       Sound::kH,   u"ぱく"},
    {u"発",       u"はつ",       Sound::kH,   u"ぱつ"},
    {u"編",       u"へん",       Sound::kH,   u"ぺん"},
    {u"%",        u"ぱーせんと", Sound::kH,   u""},
    {u"％",       u"ぱーせんと", Sound::kH,   u""},
    {u"個",       u"こ",         Sound::kK,   u""},
    {u"回",       u"かい",       Sound::kK,   u""},
    {u"回目",     u"かいめ",     Sound::kK,   u""},
    {u"階",       u"かい",       Sound::kK,   u"がい"},
    {u"軒",       u"けん",       Sound::kK,   u"げん"},
    {u"曲",       u"きょく",     Sound::kK,   u""},
    {u"ヶ月",     u"かげつ",     Sound::kK,   u""},
    {u"ヵ月",     u"かげつ",     Sound::kK,   u""},
    {u"か月",     u"かげつ",     Sound::kK,   u""},
    {u"ヶ所",     u"かしょ",     Sound::kK,   u""},
    {u"ヵ所",     u"かしょ",     Sound::kK,   u""},
    {u"ヶ国",     u"かこく",     Sound::kK,   u""},
    {u"カ月",     u"かげつ",     Sound::kK,   u""},
    {u"ケ月",     u"かげつ",     Sound::kK,   u""},
    {u"カ所",     u"かしょ",     Sound::kK,   u""},
    {u"カ国",     u"かこく",     Sound::kK,   u""},
    {u"冊",       u"さつ",       Sound::kST,  u""},
    {u"歳",       u"さい",       Sound::kST,  u""},
    {u"才",       u"さい",       Sound::kST,  u""},
    {u"週",       u"しゅう",     Sound::kST,  u""},
    {u"足",       u"そく",       Sound::kST,  u"ぞく"},
    {u"頭",       u"とう",       Sound::kST,  u""},
    {u"通",       u"つう",       Sound::kST,  u""},
    {u"点",       u"てん",       Sound::kST,  u""},
    {u"着",       u"ちゃく",     Sound::kST,  u""},
    {u"人",       u"にん",       Sound::kNone, u""},
    {u"日",       u"にち",       Sound::kNone, u""},
    {u"年",       u"ねん",       Sound::kNone, u""},
    {u"月",       u"がつ",       Sound::kNone, u""},
    {u"時",       u"じ",         Sound::kNone, u""},
    {u"円",       u"えん",       Sound::kNone, u""},
    {u"枚",       u"まい",       Sound::kNone, u""},
    {u"度",       u"ど",         Sound::kNone, u""},
    {u"番",       u"ばん",       Sound::kNone, u""},
    {u"番目",     u"ばんめ",     Sound::kNone, u""},
    {u"台",       u"だい",       Sound::kNone, u""},
    {u"秒",       u"びょう",     Sound::kNone, u""},
    {u"倍",       u"ばい",       Sound::kNone, u""},
    {u"つ",       u"つ",         Sound::kNone, u""},
});
// clang-format on

// What may follow a counter, read the same after any: a span (間), a whole (中), a half (半).
struct Ending {
  char16_t kanji;
  std::u16string_view reading;
};
constexpr auto kEndings =
    std::to_array<Ending>({{u'間', u"かん"}, {u'中', u"じゅう"}, {u'半', u"はん"}});

// The ending that `counter` ends in after a counter of its own, if any.
const Ending* EndingOf(std::u16string_view counter) {
  if (counter.size() < 2) return nullptr;
  const auto ending = std::find_if(kEndings.begin(), kEndings.end(),
                                   [&](const Ending& e) { return e.kanji == counter.back(); });
  return ending == kEndings.end() ? nullptr : &*ending;
}

// Readings that no sound rule gives. An exact row reads exactly `value` with the counter; a last-
// digit row reads a last digit `value` with the counter, after the rest of the number (十四時
// じゅうよじ). Readings are separated by |, the usual one first.
enum class Match { kExact, kLastDigit };
struct Irregular {
  std::u16string_view counter;
  Match match;
  std::uint64_t value;
  std::u16string_view readings;
};

// clang-format off
constexpr auto kIrregulars = std::to_array<Irregular>({
    // counter  match              value  readings
    {u"日",     Match::kExact,     1,     u"いちにち|ついたち"},
    {u"日",     Match::kExact,     2,     u"ふつか"},
    {u"日",     Match::kExact,     3,     u"みっか"},
    {u"日",     Match::kExact,     4,     u"よっか"},
    {u"日",     Match::kExact,     5,     u"いつか"},
    {u"日",     Match::kExact,     6,     u"むいか"},
    {u"日",     Match::kExact,     7,     u"なのか|なぬか"},
    {u"日",     Match::kExact,     8,     u"ようか"},
    {u"日",     Match::kExact,     9,     u"ここのか"},
    {u"日",     Match::kExact,     10,    u"とおか"},
    {u"日",     Match::kExact,     14,    u"じゅうよっか"},
    {u"日",     Match::kExact,     20,    u"はつか|にじゅうにち"},
    {u"日",     Match::kExact,     24,    u"にじゅうよっか"},
    {u"人",     Match::kExact,     1,     u"ひとり"},
    {u"人",     Match::kExact,     2,     u"ふたり"},
    {u"人",     Match::kLastDigit, 4,     u"よにん"},
    {u"つ",     Match::kExact,     1,     u"ひとつ"},
    {u"つ",     Match::kExact,     2,     u"ふたつ"},
    {u"つ",     Match::kExact,     3,     u"みっつ"},
    {u"つ",     Match::kExact,     4,     u"よっつ"},
    {u"つ",     Match::kExact,     5,     u"いつつ"},
    {u"つ",     Match::kExact,     6,     u"むっつ"},
    {u"つ",     Match::kExact,     7,     u"ななつ"},
    {u"つ",     Match::kExact,     8,     u"やっつ"},
    {u"つ",     Match::kExact,     9,     u"ここのつ"},
    {u"歳",     Match::kExact,     20,    u"はたち|にじゅっさい"},
    {u"月",     Match::kExact,     4,     u"しがつ"},
    {u"月",     Match::kExact,     7,     u"しちがつ"},
    {u"月",     Match::kExact,     9,     u"くがつ"},
    {u"時",     Match::kLastDigit, 4,     u"よじ"},
    {u"時",     Match::kLastDigit, 7,     u"しちじ"},
    {u"時",     Match::kLastDigit, 9,     u"くじ"},
    {u"つ",     Match::kExact,     10,    u"とお"},
    {u"年",     Match::kLastDigit, 4,     u"よねん"},
    {u"分",     Match::kLastDigit, 4,     u"よんぷん"},
});
// clang-format on

std::optional<std::uint64_t> UnitValue(const auto& units, char16_t c) {
  for (const Unit& unit : units) {
    if (unit.numeral == c) return unit.value;
  }
  return std::nullopt;
}

std::optional<std::uint64_t> DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'０' && c <= u'９') return c - u'０';
  if (c == u'零') return 0;
  const std::size_t digit = kDigits.find(c);
  if (digit == std::u16string_view::npos) return std::nullopt;
  return digit;
}

// 1 to 9999 as said: 三百 さんびゃく, 六百 ろっぴゃく, 三千 さんぜん, 八千 はっせん.
std::u16string ReadBelowTenThousand(std::uint64_t value) {
  static constexpr std::array<std::u16string_view, 10> kThousands = {
      u"",       u"せん",     u"にせん",   u"さんぜん", u"よんせん",
      u"ごせん", u"ろくせん", u"ななせん", u"はっせん", u"きゅうせん"};
  static constexpr std::array<std::u16string_view, 10> kHundreds = {
      u"",         u"ひゃく",     u"にひゃく",   u"さんびゃく", u"よんひゃく",
      u"ごひゃく", u"ろっぴゃく", u"ななひゃく", u"はっぴゃく", u"きゅうひゃく"};
  std::u16string out(kThousands[value / 1000 % 10]);
  out += kHundreds[value / 100 % 10];
  if (const std::uint64_t tens = value / 10 % 10; tens != 0) {
    if (tens > 1) out += kDigitReadings[tens];
    out += u"じゅう";
  }
  out += kDigitReadings[value % 10];
  return out;
}

bool EndsIn(std::u16string_view text, std::u16string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// `number` cut short with っ where `sound` asks for it (いち いっ, じゅう じゅっ, ひゃく ひゃっ).
bool Geminate(std::u16string& number, std::uint64_t value, Sound sound) {
  if (sound == Sound::kNone || value == 0) return false;
  const bool k_or_h = sound == Sound::kK || sound == Sound::kH;
  const std::uint64_t ones = value % 10;
  const bool cut = ones == 1 || ones == 8 || (k_or_h && ones == 6) ||
                   (ones == 0 && value / 10 % 10 != 0) ||
                   (k_or_h && ones == 0 && value / 10 % 10 == 0 && value / 100 % 10 != 0);
  if (!cut || !(EndsIn(number, u"ち") || EndsIn(number, u"く") || EndsIn(number, u"う"))) {
    return false;
  }
  number.back() = u'っ';
  return true;
}

// The h row's kana in the p row: ほ ぽ.
std::u16string ToPRow(std::u16string_view reading) {
  std::u16string out(reading);
  if (!out.empty() &&
      std::u16string_view(u"はひふへほ").find(out[0]) != std::u16string_view::npos) {
    out[0] = static_cast<char16_t>(out[0] + 2);
  }
  return out;
}

const Counter* FindCounter(std::u16string_view surface) {
  const auto found = std::find_if(kCounters.begin(), kCounters.end(),
                                  [surface](const Counter& c) { return c.surface == surface; });
  return found == kCounters.end() ? nullptr : &*found;
}

void AppendReadings(std::vector<std::u16string>& out, std::u16string_view head,
                    std::u16string_view readings) {
  for (const std::u16string& reading : SplitReadings(readings)) {
    out.push_back(std::u16string(head) + reading);
  }
}

}  // namespace

bool IsDigit(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９'); }

bool IsNumeral(char16_t c) {
  return DigitValue(c) || UnitValue(kSmallUnits, c) || UnitValue(kLargeUnits, c);
}

std::optional<std::uint64_t> NumeralValue(std::u16string_view numeral) {
  if (numeral.empty()) return std::nullopt;
  const bool positional = std::all_of(numeral.begin(), numeral.end(),
                                      [](char16_t c) { return DigitValue(c).has_value(); });
  std::uint64_t total = 0;
  if (positional) {
    if (numeral.size() > 16) return std::nullopt;
    for (const char16_t c : numeral) total = total * 10 + *DigitValue(c);
    return total;
  }
  std::uint64_t section = 0;  // below the last large unit (万)
  constexpr std::uint64_t kNoDigit = ~std::uint64_t{0};
  std::uint64_t digit = kNoDigit;  // the digit before the next unit
  std::uint64_t last_large = kLimit;
  char16_t previous = 0;
  for (const char16_t c : numeral) {
    if (const auto d = DigitValue(c)) {
      // Figures in a row make one number (50万, 1億2000万); kanji digits do not, as in 二三十.
      if (digit != kNoDigit && !(IsDigit(c) && IsDigit(previous))) return std::nullopt;
      digit = digit == kNoDigit ? *d : digit * 10 + *d;
      if (digit >= kMan) return std::nullopt;
    } else if (const auto small = UnitValue(kSmallUnits, c)) {
      if (section % (*small * 10) != 0) return std::nullopt;  // out of order, as in 十百
      if (digit != kNoDigit && digit >= 10) return std::nullopt;
      section += (digit == kNoDigit ? 1 : digit) * *small;
      digit = kNoDigit;
    } else if (const auto large = UnitValue(kLargeUnits, c)) {
      section += digit == kNoDigit ? 0 : digit;
      if (*large >= last_large || section == 0 || section >= kMan) return std::nullopt;
      total += section * *large;
      last_large = *large;
      section = 0;
      digit = kNoDigit;
    } else {
      return std::nullopt;
    }
    previous = c;
  }
  return total + section + (digit == kNoDigit ? 0 : digit);
}

std::u16string ReadNumber(std::uint64_t value) {
  if (value == 0) return u"れい";
  static constexpr std::array<std::u16string_view, 3> kLargeReadings = {u"ちょう", u"おく",
                                                                        u"まん"};
  std::u16string out;
  std::uint64_t scale = kMan * kMan * kMan;
  for (const std::u16string_view large : kLargeReadings) {
    if (const std::uint64_t group = value / scale % kMan; group != 0) {
      std::u16string part = ReadBelowTenThousand(group);
      // 一兆 いっちょう, 八兆 はっちょう, 十兆 じゅっちょう
      if (large == u"ちょう") Geminate(part, group, Sound::kST);
      out += part;
      out += large;
    }
    scale /= kMan;
  }
  return out + ReadBelowTenThousand(value % kMan);
}

std::u16string ReadDigits(std::u16string_view digits) {
  std::u16string out;
  for (const char16_t c : digits) {
    // Separators (1,000) are not said.
    if (const auto digit = DigitValue(c)) out += *digit == 0 ? u"ぜろ" : kDigitReadings[*digit];
  }
  return out;
}

std::u16string ReadDecimal(std::uint64_t whole, std::u16string_view fraction) {
  std::u16string out = ReadNumber(whole);
  // 1.5 いってんご, 8.5 はってんご, 10.5 じゅってんご
  Geminate(out, whole, Sound::kST);
  return out + u"てん" + ReadDigits(fraction);
}

std::vector<std::u16string> ReadCounted(std::uint64_t value, std::u16string_view counter,
                                        bool question) {
  if (const Ending* ending = EndingOf(counter)) {
    // 八日間 ようかかん, 一日中 いちにちじゅう, 七時半 しちじはん: the counter by its usual
    // reading.
    std::vector<std::u16string> point =
        ReadCounted(value, counter.substr(0, counter.size() - 1), question);
    point.resize(std::min<std::size_t>(point.size(), 1));
    for (std::u16string& reading : point) reading += ending->reading;
    return point;
  }
  std::vector<std::u16string> out;
  const Counter* row = FindCounter(counter);
  if (row == nullptr) return out;
  if (!question) {
    for (const Irregular& irregular : kIrregulars) {
      if (irregular.counter != counter) continue;
      if (irregular.match == Match::kExact && irregular.value == value) {
        AppendReadings(out, u"", irregular.readings);
      } else if (irregular.match == Match::kLastDigit && value % 10 == irregular.value) {
        AppendReadings(out, value >= 10 ? ReadNumber(value - value % 10) : u"", irregular.readings);
      }
    }
    if (!out.empty()) return out;
  }
  std::u16string number = question ? std::u16string(u"なん") : ReadNumber(value);
  std::u16string reading(row->reading);
  if (Geminate(number, value, row->sound) && row->sound == Sound::kH) {
    reading = ToPRow(reading);
  } else if (!row->after_n.empty() && EndsIn(number, u"ん") && !EndsIn(number, u"よん")) {
    reading = row->after_n;
  }
  out.push_back(number + reading);
  // 十 cut short is also said じっ: 三十歳 さんじゅっさい, さんじっさい.
  if (EndsIn(number, u"じゅっ")) {
    out.push_back(number.substr(0, number.size() - 3) + u"じっ" + reading);
  }
  return out;
}

}  // namespace readings::internal
