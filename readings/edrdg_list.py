# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
"""What the converters of the Electronic Dictionary Research and Development Group's files share:
reading a file in EUC-JP, katakana as hiragana, and writing a list with the Group's credit."""

import argparse
import os
import sys


def hiragana(text):
    return "".join(chr(ord(c) - 0x60) if "ァ" <= c <= "ヶ" else c for c in text)


def run(description, source, convert, least, unit, header):
    """Converts the file named on the command line, as `source` (KANJIDIC, EDICT) is, into the
    list named after it: `convert` makes the list's lines of the file's lines; fewer than `least`
    of them (counted in `unit`) mean the file is not what it should be. The list starts with the
    comment lines `header`, which say what it holds and how it is laid out."""
    script = os.path.basename(sys.argv[0])
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("source", help=f"{source}, e.g. /usr/share/edict/{source.lower()}")
    parser.add_argument("output")
    args = parser.parse_args()
    try:
        with open(args.source, encoding="euc_jp") as file:
            lines = file.read().splitlines()
    except (OSError, UnicodeDecodeError) as error:
        sys.exit(f"{script}: cannot read {args.source}: {error}")
    out = convert(lines)
    if len(out) < least:
        sys.exit(f"{script}: {args.source} gave only {len(out)} {unit}")
    credit = (
        f"# {source} is the property of the Electronic Dictionary Research and Development Group,\n"
        "# and this list, derived from it, is used and shared under the Group's licence, the\n"
        "# Creative Commons Attribution-ShareAlike Licence (V3.0): "
        f"see {source.lower()}-copyright.txt.\n")
    with open(args.output, "w", encoding="utf-8", newline="\n") as file:
        file.write(header + credit + "\n".join(out) + "\n")
