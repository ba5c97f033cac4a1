# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
"""Makes the C++ table of song readings from song_readings.tsv: each row of the table becomes a
row of char16_t string literals put into the template where @SONG_READING_ROWS@ stands. A row that
is not four columns, or holds a control character, stops the build with its line number."""

import argparse
import os
import re
import sys

# The first column: the word, then the kana that must follow it in brackets, if any.
WORD = re.compile(r"([^\[\]]+)(?:\[([^\[\]]*)\])?")
PLACEHOLDER = "@SONG_READING_ROWS@"


class RowError(Exception):
    pass


def literal(text):
    """`text` as a C++ UTF-16 string literal."""
    for c in text:
        if ord(c) < 0x20 or 0x7F <= ord(c) < 0xA0:
            raise RowError(f"control character U+{ord(c):04X}")
        if 0xD800 <= ord(c) < 0xE000:
            raise RowError(f"lone surrogate U+{ord(c):04X}")
    return 'u"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def row(line):
    """The C++ row of the table's line `line`."""
    columns = line.split("\t")
    if len(columns) != 4:
        raise RowError(f"{len(columns)} columns separated by tabs, not 4 "
                       "(word, part of speech, readings, why)")
    word = WORD.fullmatch(columns[0])
    if not word:
        raise RowError(f"the first column {columns[0]!r} is not a word with, in brackets, the "
                       "kana that must follow it")
    fields = (word.group(1), word.group(2) or "", columns[1], columns[2])
    return "    {" + ", ".join(literal(field) for field in fields) + "},\n"


def rows(data, name):
    """The C++ rows of the table `data` (bytes) read from the file `name`."""
    out = []
    for number, raw in enumerate(data.split(b"\n"), start=1):
        try:
            try:
                line = raw.decode("utf-8").removesuffix("\r")
            except UnicodeDecodeError as error:
                raise RowError(f"not UTF-8 ({error.reason} at byte {error.start + 1})")
            if line and not line.startswith("#"):
                out.append(row(line))
        except RowError as error:
            sys.exit(f"{name}:{number}: {error}")
    return "".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("table", help="song_readings.tsv")
    parser.add_argument("template", help="song_readings.cpp.in")
    parser.add_argument("output", help="the C++ file to write")
    args = parser.parse_args()
    try:
        with open(args.table, "rb") as file:
            data = file.read()
        with open(args.template, encoding="utf-8") as file:
            template = file.read()
    except OSError as error:
        sys.exit(f"song_readings.py: {error}")
    if template.count(PLACEHOLDER) != 1:
        sys.exit(f"song_readings.py: {args.template} must hold {PLACEHOLDER} once")
    text = template.replace(PLACEHOLDER, rows(data, args.table))
    # Written whole or not at all, so that a failed run leaves no table for the build to take.
    partial = args.output + ".part"
    with open(partial, "w", encoding="utf-8", newline="\n") as file:
        file.write(text)
    os.replace(partial, args.output)


if __name__ == "__main__":
    main()
