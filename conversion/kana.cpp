// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "conversion/conversion.h"
#include "conversion/sequence.h"

namespace conversion {
namespace {

// A kana in both scripts and the syllable either of them appends. An empty cell of the grid below
// has no kana.
struct KanaPair {
  char16_t hiragana = u'\0';
  char16_t katakana = u'\0';
  std::u16string_view syllable;
};

// The syllable table, one row per consonant and one column per vowel: a i u e o.
// clang-format off
inline constexpr KanaPair kSyllableGrid[][5] = {
    {{u'あ', u'ア', u"a "}, {u'い', u'イ', u"i "}, {u'う', u'ウ', u"u "}, {u'え', u'エ', u"e "}, {u'お', u'オ', u"o "}},
    {{u'か', u'カ', u"ka "}, {u'き', u'キ', u"ki "}, {u'く', u'ク', u"ku "}, {u'け', u'ケ', u"ke "}, {u'こ', u'コ', u"ko "}},
    {{u'な', u'ナ', u"na "}, {u'に', u'ニ', u"ni "}, {u'ぬ', u'ヌ', u"nu "}, {u'ね', u'ネ', u"ne "}, {u'の', u'ノ', u"no "}},
    {{u'さ', u'サ', u"sa "}, {u'し', u'シ', u"shi "}, {u'す', u'ス', u"su "}, {u'せ', u'セ', u"se "}, {u'そ', u'ソ', u"so "}},
    {{u'ら', u'ラ', u"ra "}, {u'り', u'リ', u"ri "}, {u'る', u'ル', u"ru "}, {u'れ', u'レ', u"re "}, {u'ろ', u'ロ', u"ro "}},
    {{u'た', u'タ', u"ta "}, {u'ち', u'チ', u"chi "}, {u'つ', u'ツ', u"tsu "}, {u'て', u'テ', u"te "}, {u'と', u'ト', u"to "}},
    {{u'は', u'ハ', u"ha "}, {u'ひ', u'ヒ', u"hi "}, {u'ふ', u'フ', u"fu "}, {u'へ', u'ヘ', u"he "}, {u'ほ', u'ホ', u"ho "}},
    {{u'ま', u'マ', u"ma "}, {u'み', u'ミ', u"mi "}, {u'む', u'ム', u"mu "}, {u'め', u'メ', u"me "}, {u'も', u'モ', u"mo "}},
    {{u'や', u'ヤ', u"ya "}, {},                     {u'ゆ', u'ユ', u"yu "}, {},                    {u'よ', u'ヨ', u"yo "}},
    {{u'わ', u'ワ', u"wa "}, {},                     {},                    {},                    {u'を', u'ヲ', u"o "}},
    {{u'が', u'ガ', u"ga "}, {u'ぎ', u'ギ', u"gi "}, {u'ぐ', u'グ', u"gu "}, {u'げ', u'ゲ', u"ge "}, {u'ご', u'ゴ', u"go "}},
    {{u'ざ', u'ザ', u"za "}, {u'じ', u'ジ', u"ji "}, {u'ず', u'ズ', u"zu "}, {u'ぜ', u'ゼ', u"ze "}, {u'ぞ', u'ゾ', u"zo "}},
    {{u'だ', u'ダ', u"da "}, {u'ぢ', u'ヂ', u"ji "}, {u'づ', u'ヅ', u"zu "}, {u'で', u'デ', u"de "}, {u'ど', u'ド', u"do "}},
    {{u'ば', u'バ', u"ba "}, {u'び', u'ビ', u"bi "}, {u'ぶ', u'ブ', u"bu "}, {u'べ', u'ベ', u"be "}, {u'ぼ', u'ボ', u"bo "}},
    {{u'ぱ', u'パ', u"pa "}, {u'ぴ', u'ピ', u"pi "}, {u'ぷ', u'プ', u"pu "}, {u'ぺ', u'ペ', u"pe "}, {u'ぽ', u'ポ', u"po "}},
};
// clang-format on

inline constexpr KanaPair kSyllabicNasal = {u'ん', u'ン', u"n "};

// っ ッ ー: each repeats the last letter of the sequence as a syllable of its own.
inline constexpr char16_t kRepeatMarks[] = {u'っ', u'ッ', u'ー'};

// The small kana that contract with the base kana before them, in the columns of the table below.
struct SmallKana {
  char16_t hiragana;
  char16_t katakana;
};
inline constexpr SmallKana kSmallYaYuYo[] = {{u'ゃ', u'ャ'}, {u'ゅ', u'ュ'}, {u'ょ', u'ョ'}};

// A base kana and the contracted syllables that replace its own syllable when a small kana follows.
struct ContractedRow {
  char16_t hiragana;
  char16_t katakana;
  std::array<std::u16string_view, 3> syllables;
};

// clang-format off
inline constexpr ContractedRow kContractedSounds[] = {
    // base        after ゃ ャ  after ゅ ュ  after ょ ョ
    {u'き', u'キ', {u"kya ", u"kyu ", u"kyo "}},
    {u'し', u'シ', {u"sha ", u"shu ", u"sho "}},
    {u'ち', u'チ', {u"cha ", u"chu ", u"cho "}},
    {u'に', u'ニ', {u"nya ", u"nyu ", u"nyo "}},
    {u'ひ', u'ヒ', {u"hya ", u"hyu ", u"hyo "}},
    {u'み', u'ミ', {u"mya ", u"myu ", u"myo "}},
    {u'り', u'リ', {u"rya ", u"ryu ", u"ryo "}},
    {u'ぎ', u'ギ', {u"gya ", u"gyu ", u"gyo "}},
    {u'び', u'ビ', {u"bya ", u"byu ", u"byo "}},
    {u'ぴ', u'ピ', {u"pya ", u"pyu ", u"pyo "}},
    {u'じ', u'ジ', {u"ja ",  u"ju ",  u"jo "}},
};
// clang-format on

// The contracted syllables of one base kana, packed for appending: after ゃ, ゅ and ょ.
using ContractedSyllables = std::array<internal::Syllable, 3>;

constexpr auto PackContractedSounds() {
  std::array<ContractedSyllables, std::size(kContractedSounds)> packed{};
  for (std::size_t row = 0; row < packed.size(); ++row) {
    for (std::size_t column = 0; column < 3; ++column) {
      packed[row][column] = internal::Syllable::FromText(kContractedSounds[row].syllables[column]);
    }
  }
  return packed;
}

inline constexpr auto kContractedSyllables = PackContractedSounds();

// What one code unit of the kana blocks does; every code unit outside them is dropped.
struct KanaEntry {
  enum class Kind : std::uint8_t { kSyllable, kRepeatMark, kSmall };
  Kind kind = Kind::kSyllable;
  internal::Syllable syllable;  // kSyllable: what it appends; nothing for a dropped kana
  const ContractedSyllables* contracted = nullptr;  // kSyllable: those of a base kana
  std::uint8_t small_column = 0;  // kSmall: 0 for ゃ ャ, 1 for ゅ ュ, 2 for ょ ョ
};

inline constexpr char16_t kFirstKana = u'\u3040';
inline constexpr std::size_t kKanaBlockSize = 0xC0;  // U+3040 to U+30FF, hiragana and katakana

// One entry per code unit of the kana blocks, and a last one for every code unit outside them.
using KanaEntries = std::array<KanaEntry, kKanaBlockSize + 1>;

constexpr KanaEntries BuildKanaEntries() {
  KanaEntries entries{};
  auto set = [&entries](char16_t kana, const KanaEntry& entry) {
    KanaEntry& slot = entries.at(static_cast<std::size_t>(kana - kFirstKana));
    // A kana listed twice would make the tables ambiguous; this fails the build.
    if (slot.kind != KanaEntry::Kind::kSyllable || slot.syllable.size != 0) {
      throw "kana listed twice";
    }
    slot = entry;
  };
  auto set_pair = [&set](const KanaPair& pair) {
    KanaEntry entry;
    entry.syllable = internal::Syllable::FromText(pair.syllable);
    set(pair.hiragana, entry);
    set(pair.katakana, entry);
  };
  for (const auto& row : kSyllableGrid) {
    for (const KanaPair& cell : row) {
      if (cell.hiragana != u'\0') set_pair(cell);
    }
  }
  set_pair(kSyllabicNasal);
  KanaEntry repeat_mark;
  repeat_mark.kind = KanaEntry::Kind::kRepeatMark;
  for (char16_t mark : kRepeatMarks) set(mark, repeat_mark);
  for (std::uint8_t column = 0; column < std::size(kSmallYaYuYo); ++column) {
    KanaEntry small;
    small.kind = KanaEntry::Kind::kSmall;
    small.small_column = column;
    set(kSmallYaYuYo[column].hiragana, small);
    set(kSmallYaYuYo[column].katakana, small);
  }
  for (std::size_t row = 0; row < std::size(kContractedSounds); ++row) {
    for (char16_t base : {kContractedSounds[row].hiragana, kContractedSounds[row].katakana}) {
      KanaEntry& entry = entries.at(static_cast<std::size_t>(base - kFirstKana));
      if (entry.syllable.size == 0) throw "base kana without a syllable";
      // The sequence is written into a string of its final length, and a contracted syllable
      // takes the place of its base kana's: so it must be no shorter.
      for (const internal::Syllable& contracted : kContractedSyllables[row]) {
        if (contracted.size < entry.syllable.size)
          throw "contracted syllable shorter than its base";
      }
      entry.contracted = &kContractedSyllables[row];
    }
  }
  return entries;
}

inline constexpr KanaEntries kKanaEntries = BuildKanaEntries();

const KanaEntry& EntryFor(char16_t unit) {
  const std::size_t offset = static_cast<std::size_t>(unit) - kFirstKana;
  // at() throws rather than read past the table should the clamp above ever be wrong; as it is,
  // the compiler can prove the check and drop it.
  return kKanaEntries.at(std::min(offset, kKanaBlockSize));
}

// Appends what the code unit at `position` gives when it is a repeat mark or a small kana.
template <typename Sequence>
void ApplyMark(const KanaEntry& entry, std::u16string_view lyrics, std::size_t position,
               Sequence& sequence) {
  if (entry.kind == KanaEntry::Kind::kRepeatMark) {
    sequence.RepeatLastLetter();
    return;
  }
  if (position == 0) throw ConversionError("a small kana has no kana before it to contract with");
  // The kana just before appended its own syllable in the previous step; a small kana after
  // anything but a base kana is dropped.
  const KanaEntry& previous = EntryFor(lyrics[position - 1]);
  if (previous.contracted != nullptr) {
    sequence.ReplaceLast(previous.syllable.size, (*previous.contracted)[entry.small_column]);
  }
}

// Appends the syllables of `lyrics` to `sequence`. `position` is where the scan reads, so that
// whoever catches a ConversionError knows which mark threw it.
template <typename Sequence>
bool Scan(std::u16string_view lyrics, Sequence& sequence, std::size_t& position) {
  for (position = 0; position < lyrics.size(); ++position) {
    const KanaEntry& entry = EntryFor(lyrics[position]);
    if (entry.kind == KanaEntry::Kind::kSyllable) [[likely]] {
      sequence.Append(entry.syllable);
    } else {
      ApplyMark(entry, lyrics, position, sequence);
    }
  }
  return true;
}

}  // namespace

std::u16string KanaToSequence(std::u16string_view lyrics) {
  return *internal::BuildSequence([lyrics](auto& sequence) {
    std::size_t position;
    return Scan(lyrics, sequence, position);
  });
}

// Kana text fails only where the sequence throws: at a repeat mark or small kana.
std::optional<Culprit> FindKanaCulprit(std::u16string_view lyrics) {
  return internal::FindCulprit([lyrics](auto& sequence, std::size_t& position) {
    Scan(lyrics, sequence, position);
    return std::optional<Culprit>();
  });
}

}  // namespace conversion
