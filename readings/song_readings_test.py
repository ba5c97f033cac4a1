# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
"""Checks song_readings.py: rows with quotes and backslashes, compiled by the C++ compiler, hold
the characters of the table, compared code unit by code unit; a malformed row stops it with the
row's line number and no table.
    song_readings_test.py SONG_READINGS_PY CXX_COMPILER"""

import subprocess
import sys
import tempfile
from pathlib import Path

generator, compiler = sys.argv[1:3]
rows = [("引\"用\\", "\"\\", "名\\\"詞", "あ\\\\い\"|う"), ("明日", "", "名詞", "あした|みょうにち")]
table = ("# a comment\n\n"
         + "".join(f"{w}[{n}]\t{p}\t{r}\twhy \"\\\n" if n else f"{w}\t{p}\t{r}\twhy\n"
                   for w, n, p, r in rows))


def units(text):
    data = text.encode("utf-16-le")
    return [int.from_bytes(data[i:i + 2], "little") for i in range(0, len(data), 2)]


def generate(folder, text, template):
    (folder / "table.tsv").write_text(text, encoding="utf-8")
    (folder / "table.cpp.in").write_text(template, encoding="utf-8")
    return subprocess.run([sys.executable, "-B", generator, folder / "table.tsv",
                           folder / "table.cpp.in", folder / "table.cpp"],
                          capture_output=True, text=True)


def fail(what):
    sys.exit(f"song_readings_test.py: {what}")


with tempfile.TemporaryDirectory() as name:
    folder = Path(name)
    checks = [f"static_assert(std::size(kRows) == {len(rows)});"]
    for i, row in enumerate(rows):
        for field, text in zip(("word", "next", "part_of_speech", "readings"), row):
            code = ", ".join(f"0x{unit:04x}" for unit in units(text) + [0])
            checks.append(f"constexpr char16_t k{i}_{field}[] = {{{code}}};")
            checks.append(f"static_assert(kRows[{i}].{field} == "
                          f"std::u16string_view(k{i}_{field}, {len(units(text))}));")
    template = ("#include <iterator>\n#include <string_view>\n"
                "struct Row { std::u16string_view word, next, part_of_speech, readings; };\n"
                "constexpr Row kRows[] = {\n@SONG_READING_ROWS@};\n" + "\n".join(checks) + "\n")
    made = generate(folder, table, template)
    if made.returncode != 0:
        fail(f"the table was refused: {made.stderr}")
    compiled = subprocess.run([compiler, "-std=c++20", "-fsyntax-only", "-x", "c++",
                               folder / "table.cpp"], capture_output=True, text=True)
    if compiled.returncode != 0:
        fail(f"the rows do not compile to the table's characters:\n{compiled.stderr}")

    (folder / "table.cpp").unlink()
    made = generate(folder, table + "無理\t名詞\tむり\n", template)
    line = table.count("\n") + 1
    if made.returncode == 0 or f"table.tsv:{line}: " not in made.stderr:
        fail(f"a row of three columns on line {line} was not reported so: {made.stderr!r}")
    if (folder / "table.cpp").exists():
        fail("a malformed table left a table")
print("ok: quotes and backslashes compile as written; a malformed row is named by its line")
