#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
"""Converts EDICT (JMdict) into the list of words that F7 reads beside the dictionary.

EDICT (Debian's edict package) is EUC-JP, one headword and one reading a line:
"headword [reading] /(pos) gloss/.../(P)/", where (P) marks a common word, codes such as v5k,
v1 and adj-i the conjugation of verbs and adjectives, and (ok) or (ik) a reading that is out of
date or irregular. The list is UTF-8, one word a line, sorted by its bytes: the word's key, a
tab, its conjugation class or nothing, a tab, and its readings in hiragana separated by "|",
common ones first and those out of date last. Only headwords holding a kanji
are kept. A verb or adjective is keyed by its stem, the headword without the kana that change
(囁く: 囁, class v5k, reading ささや); every other word by its headword.
"""

import re

import edrdg_list

# The kana that each class of verb and adjective drops from its dictionary form.
ENDINGS = {
    "v1": "る", "v1-s": "る", "v5aru": "る", "v5b": "ぶ", "v5g": "ぐ", "v5k": "く",
    "v5k-s": "く", "v5m": "む", "v5n": "ぬ", "v5r": "る", "v5r-i": "る", "v5s": "す",
    "v5t": "つ", "v5u": "う", "v5u-s": "う", "adj-i": "い",
}
# Readings so marked come last: out of date or irregular kana.
RARE = {"ok", "ik"}
# Longer headwords are phrases, which lyrics seldom write as the dictionary does.
LONGEST_KEY = 12

LINE = re.compile(r"^(\S+)(?: \[(\S+)\])? /(.*)/$")
TAGS = re.compile(r"\(([^()]*)\)")


def is_kanji(c):
    return ("\u4e00" <= c <= "\u9fff" or "\u3400" <= c <= "\u4dbf" or "\uf900" <= c <= "\ufaff"
            or "\U00020000" <= c <= "\U000323af" or c in "々〆〇〻")


def is_kana(c):
    return "ぁ" <= c <= "ゖ" or "ァ" <= c <= "ヶ" or c == "ー"


def parse(line):
    """(headword, reading, class, common, rare) of an EDICT line, or None to leave it out."""
    match = LINE.match(line)
    if not match or not match.group(2):
        return None  # a headword in kana alone has no [reading]
    headword, reading, glosses = match.groups()
    # A repeat mark begins no word: 々 alone is the mark's own name.
    if not any(is_kanji(c) for c in headword) or headword[0] in "々〻" or len(headword) > LONGEST_KEY:
        return None
    if not all(is_kanji(c) or is_kana(c) for c in headword):
        return None
    reading = edrdg_list.hiragana(reading)
    if not all("ぁ" <= c <= "ゖ" or c == "ー" for c in reading):
        return None
    tags = {tag.strip() for group in TAGS.findall(glosses) for tag in group.split(",")}
    conjugation = next((tag for tag in ENDINGS if tag in tags), "")
    if conjugation:
        ending = ENDINGS[conjugation]
        if not headword.endswith(ending) or not reading.endswith(ending) or len(reading) == 1:
            conjugation = ""
        else:
            headword, reading = headword[:-1], reading[:-1]
    return headword, reading, conjugation, "/(P)/" in f"/{glosses}/", bool(tags & RARE)


def line_order(item):
    """Lines by their keys' bytes; of one key, the class with the likeliest reading first."""
    (key, conjugation), readings = item
    return key.encode("utf-8"), min(readings)[:2], conjugation


def convert(lines):
    """The list's lines for the lines of EDICT."""
    words = {}  # (key, class) -> [(rank, order, reading)]
    for order, line in enumerate(lines):
        parsed = parse(line)
        if not parsed:
            continue
        key, reading, conjugation, common, rare = parsed
        rank = 0 if common else 2 if rare else 1
        words.setdefault((key, conjugation), []).append((rank, order, reading))
    out = []
    for (key, conjugation), readings in sorted(words.items(), key=line_order):
        kept = []
        for _, _, reading in sorted(readings):
            if reading not in kept:
                kept.append(reading)
        out.append(f"{key}\t{conjugation}\t{'|'.join(kept)}")
    return out


if __name__ == "__main__":
    edrdg_list.run(__doc__.splitlines()[0], "EDICT", convert, 100000, "words", (
        "# Readings of words, from EDICT (Debian package edict), by edict_to_list.py of\n"
        "# melivant-helper: a key, a tab, a conjugation class, a tab, readings separated by |.\n"))
