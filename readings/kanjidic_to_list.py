#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
"""Converts KANJIDIC into the list of readings per kanji that F7 guesses from.

KANJIDIC (Debian's kanjidic package) is EUC-JP, one kanji a line: the kanji, index codes, then
on readings in katakana and kun readings in hiragana, with "." before a kun reading's kana ending
and "-" on affixes; T1 and T2 start name and radical readings. The list is UTF-8, one kanji a
line: the kanji, a tab, and its readings in hiragana separated by "|": each kun reading first,
with "." before its ending where it has one (ささや.く: the kanji reads ささや where く follows),
then the noun form of each kun verb (ささやき), then the on readings. A kanji that has none of
these takes its name or radical readings. Affixes and every other field (the frequency codes
among them) are left out.
"""

import edrdg_list

# A verb's last kana and the kana of its noun form (its continuative: 囁く ささやき, 光る ひかり).
CONTINUATIVE = dict(zip("うくぐすつぬぶむる", "いきぎしちにびみり"))
# Kana of the e and i rows: a verb ending in one of them and る drops る (高める たかめ).
E_OR_I_ROW = set("えけげせぜてでねへべぺめれいきぎしじちぢにひびぴみり")
# Numerals count with つ (ひと.つ), which is no verb ending.
NUMERALS = set("一二三四五六七八九十幾")


def noun_form(kanji, stem, ending):
    """The noun form of the kun verb stem.ending of kanji, or None when it is no verb."""
    if not ending or ending[-1] not in CONTINUATIVE or kanji in NUMERALS:
        return None
    word = stem + ending
    if word.endswith("る") and len(word) > 1 and word[-2] in E_OR_I_ROW:
        return word[:-1]
    return word[:-1] + CONTINUATIVE[word[-1]]


def is_kana(text):
    return bool(text) and all("ぁ" <= c <= "ゖ" or c == "ー" for c in text)


def is_reading(text):
    """Whether text is kana, or a kun stem, a dot and the kana of its ending."""
    stem, dot, ending = text.partition(".")
    return is_kana(stem) and (not dot or is_kana(ending))


def distinct(readings):
    kept = []
    for reading in readings:
        if reading and is_reading(reading) and reading not in kept:
            kept.append(reading)
    return kept


def readings_of(kanji, fields):
    stems, nouns, ons, names = [], [], [], []
    ordinary = True  # before T1 (name readings) and T2 (radical names)
    for field in fields:
        if field.startswith("{"):
            break
        if field in ("T1", "T2"):
            ordinary = False
            continue
        if "-" in field:
            continue
        if "ァ" <= field[0] <= "ヶ":
            (ons if ordinary else names).append(edrdg_list.hiragana(field))
        elif "ぁ" <= field[0] <= "ゖ":
            stem, _, ending = field.partition(".")
            if ordinary:
                stems.append(f"{stem}.{ending}" if ending else stem)
                nouns.append(noun_form(kanji, stem, ending))
            else:
                names.append(stem)
    return distinct(stems + nouns + ons) or distinct(names)


def convert(lines):
    """The list's lines for the lines of KANJIDIC, by kanji."""
    entries = []
    for line in lines:
        fields = line.split()
        if not fields or line.startswith("#") or len(fields[0]) != 1:
            continue
        readings = readings_of(fields[0], fields[1:])
        if readings:
            entries.append(f"{fields[0]}\t{'|'.join(readings)}")
    return sorted(entries, key=lambda entry: ord(entry[0]))


if __name__ == "__main__":
    # Every kanji of JIS X 0208 has a reading.
    edrdg_list.run(__doc__.splitlines()[0], "KANJIDIC", convert, 6355, "kanji", (
        "# Readings per kanji, from KANJIDIC (Debian package kanjidic), by kanjidic_to_list.py of\n"
        "# melivant-helper: one kanji a line, a tab, its readings in hiragana separated by |.\n"))
