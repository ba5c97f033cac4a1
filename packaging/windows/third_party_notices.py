#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
"""Writes THIRD-PARTY-NOTICES.txt for the Windows program folder.

Every DLL in the folder must belong to a known component, or the script fails:
- Qt's own DLLs and plugins, named in the record that the Qt build left (qt-sources.txt: one
  "DLL SOURCE-FILE" line for each source file compiled or included into each Qt DLL). The Qt
  entry lists the third-party code of Qt's qt_attribution.json files whose files are among the
  sources of the DLLs shipped, with each one's licence text.
- MeCab's DLL, named in the record that the MeCab build left (--mecab-record: the Debian source
  version it was built from, how, and MeCab's licence texts).
- The other DLLs are looked up among the MinGW-w64 folders, and the Debian package that holds
  each names its component: the GCC runtime or winpthreads.
Every file of the dictionary folder (--dictionary) belongs to the Debian package that compiled it
(--dictionary-package), whose copyright file gives its licence. The list of readings per kanji
(--kanji-list) is made from KANJIDIC (--kanjidic) and the list of words (--word-list) from EDICT
(--edict), each under the licence statement that its Debian package gives and that the list
carries beside it (--kanji-list-licence, --word-list-licence). Every other file shipped must be
the program's own or come from a Debian package (looked up among --data-dir folders), or the
script fails.
"""

import argparse
import hashlib
import json
import re
import subprocess
import sys
import textwrap
from pathlib import Path

GCC_EXCEPTION_START = "GCC RUNTIME LIBRARY EXCEPTION"
GCC_EXCEPTION_END = "requirements of the license of GCC."


def fail(message):
    sys.exit(f"third_party_notices.py: {message}")


def read(path):
    return Path(path).read_text(encoding="utf-8", errors="replace").strip()


class Licences:
    """The full licence texts that the notices end with, each once, numbered in order of use."""

    def __init__(self):
        self.texts = []
        self.numbers = {}

    def cite(self, title, text):
        key = hashlib.sha256(text.encode()).hexdigest()
        if key not in self.numbers:
            self.texts.append((title, text))
            self.numbers[key] = len(self.texts)
        return f"[L{self.numbers[key]}]"

    def appendix(self):
        parts = []
        for number, (title, text) in enumerate(self.texts, 1):
            parts.append(f"[L{number}] {title}\n{'-' * 78}\n{text}\n")
        return "\n\n".join(parts)


def debian_package_of(path):
    owner = subprocess.run(["dpkg-query", "-S", str(path)], capture_output=True, text=True)
    if owner.returncode != 0:
        return None
    package = owner.stdout.split(":")[0]
    fields = subprocess.run(
        ["dpkg-query", "-W", "-f=${Version}\t${source:Package}\t${source:Version}", package],
        capture_output=True, text=True, check=True).stdout.split("\t")
    return {"package": package, "version": fields[0], "source": fields[1],
            "source_version": fields[2]}


def dep5_paragraphs(path):
    """The paragraphs of a machine-readable Debian copyright file, as dicts of field texts."""
    paragraphs = []
    for block in re.split(r"\n\s*\n", Path(path).read_text(encoding="utf-8")):
        fields, name = {}, None
        for line in block.splitlines():
            if line[:1] in (" ", "\t") and name:
                fields[name] += "\n" + (line[1:] if line.strip() != "." else "")
            elif ":" in line:
                name, value = line.split(":", 1)
                fields[name] = value.strip()
        paragraphs.append(fields)
    return paragraphs


def dep5_licences(path, wanted, title, licences, holder_in_text=False):
    """Lines giving the licence (its text cited) and the copyright of each Files paragraph of the
    machine-readable copyright file `path` whose file list `wanted` accepts. A licence named but
    not given in the paragraph is taken from the file's stand-alone License paragraphs."""
    paragraphs = dep5_paragraphs(path)
    texts = {p["License"].split("\n", 1)[0]: p["License"].split("\n", 1)[1]
             for p in paragraphs if "Files" not in p and "\n" in p.get("License", "")}
    lines = []
    for paragraph in paragraphs:
        files = paragraph.get("Files", "").split()
        if not files or not wanted(files):
            continue
        name, _, text = paragraph["License"].partition("\n")
        text = text or texts.get(name)
        if not text:
            fail(f"{path} has no text for licence {name}")
        holder = paragraph["Copyright"]
        if holder_in_text and holder != "public-domain":
            text = f"Copyright {holder}\n\n{text}"
        cite = licences.cite(f"{title}: {name}", text)
        lines.append(wrapped(f"Licence of {' '.join(files)}: {name} {cite}", 2) + "\n" +
                     wrapped(f"Copyright: {holder}", 4))
    return "\n".join(lines)


def words(value):
    """A JSON field that holds names as a list or as one blank-separated string."""
    if not value:
        return []
    return list(value) if isinstance(value, list) else value.split()


def qt_entry(dlls, args, licences):
    record = {}
    for line in Path(args.qt_record, "qt-sources.txt").read_text().splitlines():
        dll, source = line.split(" ", 1)
        record.setdefault(dll, set()).add(source)
    sources = set().union(*(record[dll.split("\\")[-1]] for dll in dlls))
    qt_source = Path(args.qt_source)
    debian_version = re.match(r"\S+ \(([^)]+)\)", read(qt_source / "debian/changelog")).group(1)
    upstream_version = debian_version.split("+")[0]
    options = read(Path(args.qt_record, "configure-options.txt"))
    patches = "\n\n".join(read(patch) for patch in args.qt_patch)

    lgpl = licences.cite("GNU Lesser General Public License v3.0 (LGPL-3.0-only)",
                         read(qt_source / "LICENSES/LGPL-3.0-only.txt"))
    gpl = licences.cite("GNU General Public License v3.0 (GPL-3.0)", read(args.gpl3))
    used = []
    for attribution in sorted(qt_source.glob("src/**/qt_attribution.json")):
        folder = attribution.parent.relative_to(qt_source).as_posix()
        entries = json.loads(attribution.read_text(encoding="utf-8"), strict=False)
        for entry in entries if isinstance(entries, list) else [entries]:
            # As Qt's own scanner reads them: Files as a list or a blank-separated string, Path as
            # the folder that the entry covers, and without either the entry's whole folder.
            root = f"{folder}/{entry['Path']}".rstrip("/") if entry.get("Path") else folder
            files = [f"{root}/{name}" for name in words(entry.get("Files"))]
            if not any(source in files or (not files and source.startswith(root + "/"))
                       for source in sources):
                continue
            licence = entry.get("LicenseId") or entry.get("License", "see its source")
            line = f"  - {entry['Name']}"
            if entry.get("Version"):
                line += f", version {entry['Version']}"
            line += f"\n    Licence: {licence}"
            for name in words(entry.get("LicenseFile")) + words(entry.get("LicenseFiles")):
                line += " " + licences.cite(f"{entry['Name']}: {licence}",
                                            read(attribution.parent / name))
            line += "\n" + wrapped("Copyright: " + entry.get("Copyright", ""), 4)
            used.append(line)

    return f"""Qt {upstream_version} (qtbase)
{wrapped("Files: " + ", ".join(dlls), 2)}
  Licence: LGPL-3.0-only {lgpl}, which adds to the GPL-3.0 {gpl}
  Copyright: (C) The Qt Company Ltd. and other contributors
  Source: Debian's source package qt6-base, version {debian_version}
    (apt-get source qt6-base={debian_version}, or snapshot.debian.org).
  These DLLs were built from that source with MinGW-w64 (Debian's
  g++-mingw-w64-x86-64-posix), after applying the patch below, with:
{wrapped("configure " + options, 4)}
  where the toolchain file is cmake/mingw-w64-x86_64.cmake of this program's
  source. You may rebuild them, or build them from a modified Qt, and put
  your DLLs in place of these: the program loads them from its own folder.
  The patch applied to that source:
{indent(patches, 4)}
  Third-party code compiled into these DLLs, as Qt's qt_attribution.json
  files name it:
""" + "\n".join(used)


def mecab_entry(dlls, args, licences):
    record = Path(args.mecab_record)
    version = read(record / "debian-version.txt")
    bsd = licences.cite("MeCab: BSD-3-Clause", read(record / "BSD"))
    licence = ("Licence: MeCab may be used under the GPL, the LGPL or the BSD licence, at the "
               f"user's choice; it is used here under the BSD licence (BSD-3-Clause) {bsd}. "
               + read(record / "COPYING"))
    source = (f"Source: {read(record / 'source.txt')} (apt-get source mecab={version}), built "
              "as a DLL with MinGW-w64 by scripts/windows/mecab/CMakeLists.txt of this "
              "program's source. You may build it again, or from a modified MeCab, and put your "
              "DLL in place of this one.")
    return f"""MeCab {version.split("-")[0]} (morphological analyser)
{wrapped("Files: " + ", ".join(dlls), 2)}
{wrapped(licence, 2)}
  Copyright: (C) 2001-2008 Taku Kudo; (C) 2004-2008 Nippon Telegraph and
    Telephone Corporation
{wrapped(source, 2)}"""


def dictionary_entry(files, args, licences):
    debian = debian_package_of(args.dictionary_source)
    if not debian or debian["package"] != args.dictionary_package:
        fail(f"{args.dictionary_source} is not from {args.dictionary_package}")
    lines = dep5_licences(f"/usr/share/doc/{debian['package']}/copyright", lambda files: True,
                          "IPADIC", licences)
    return f"""IPADIC, the dictionary that reads kanji, compiled for MeCab in UTF-8
{wrapped("Files: " + ", ".join(files), 2)}
  Version: Debian package {debian['package']} {debian['version']}, whose
    installation compiled these files
  Source: Debian's source package {debian['source']}, version {debian['source_version']}
    (apt-get source {debian['source']}={debian['source_version']})
""" + lines


# The lists that the build makes from the Electronic Dictionary Research and Development Group's
# files: what each is, the dictionary it is made from, and the script that converts it.
EDRDG_LISTS = {
    "kanji": ("KANJIDIC's readings per kanji, from which F7 guesses kanji that no dictionary "
              "word holds", "KANJIDIC", "kanjidic_to_list.py"),
    "word": ("EDICT's words (JMdict) and their readings, which F7 reads beside the dictionary",
             "EDICT", "edict_to_list.py"),
}


def edrdg_list_entry(files, kind, source, licences):
    what, name, converter = EDRDG_LISTS[kind]
    debian = debian_package_of(source)
    if not debian:
        fail(f"{source} belongs to no Debian package")
    statement = licences.cite(f"EDRDG General Dictionary Licence Statement ({name})",
                              read(f"/usr/share/doc/{debian['package']}/copyright"))
    # The entry's number and a blank go before its first line.
    return f"""{textwrap.fill(what, 75, subsequent_indent="  ")}
{wrapped("Files: " + ", ".join(files), 2)}
  Version: made when this program was built from {name}, Debian package
    {debian['package']} {debian['version']}
  Source: Debian's source package {debian['source']}, version {debian['source_version']}
    (apt-get source {debian['source']}={debian['source_version']}), converted by
    readings/{converter} of this program's source
  Licence: Creative Commons Attribution-ShareAlike 3.0 (CC BY-SA 3.0), as the
    Electronic Dictionary Research and Development Group's licence statement
    says {statement}; the statement is also shipped beside the list
  Copyright: Electronic Dictionary Research and Development Group"""


def debian_data_entry(files, debian, licences):
    """Files copied from a Debian package, under the licences of its copyright file."""
    lines = dep5_licences(f"/usr/share/doc/{debian['package']}/copyright",
                          lambda files: files[0] == "*", debian["package"], licences)
    return f"""Files of the Debian package {debian['package']}
{wrapped("Files: " + ", ".join(files), 2)}
  Version: Debian package {debian['package']} {debian['version']}
  Source: Debian's source package {debian['source']}, version {debian['source_version']}
    (apt-get source {debian['source']}={debian['source_version']})
""" + lines


def gcc_entry(dlls, debian, args, licences):
    copyright_text = read(args.gcc_copyright)
    start = copyright_text.index(GCC_EXCEPTION_START)
    end = copyright_text.index(GCC_EXCEPTION_END, start) + len(GCC_EXCEPTION_END)
    gpl = licences.cite("GNU General Public License v3.0 (GPL-3.0)", read(args.gpl3))
    exception = licences.cite("GCC Runtime Library Exception 3.1",
                              copyright_text[start:end])
    return f"""GCC runtime libraries (libgcc, libstdc++)
{wrapped("Files: " + ", ".join(dlls), 2)}
  Version: Debian package {debian['package']} {debian['version']}
  Licence: GPL-3.0-or-later {gpl} WITH GCC-exception-3.1 {exception}
  Copyright: (C) Free Software Foundation, Inc.
  Source: Debian's source package {debian['source']}, version {debian['source_version']}
    (apt-get source {debian['source']}={debian['source_version']}), which builds
    them from the GCC sources that it names."""


def winpthreads_entry(dlls, debian, args, licences):
    lines = dep5_licences(
        args.mingw_copyright,
        lambda files: any(f.startswith("mingw-w64-libraries/winpthreads/") and "/tests" not in f
                          for f in files),
        "winpthreads", licences, holder_in_text=True)
    return f"""winpthreads (MinGW-w64's POSIX threads)
{wrapped("Files: " + ", ".join(dlls), 2)}
  Version: Debian package {debian['package']} {debian['version']}
  Source: Debian's source package {debian['source']}, version {debian['source_version']}
    (apt-get source {debian['source']}={debian['source_version']})
""" + lines


# The Debian packages whose DLLs may be shipped, and the notice of each.
DEBIAN_COMPONENTS = {
    r"gcc-mingw-w64-x86-64-(posix|win32)-runtime": gcc_entry,
    r"mingw-w64-x86-64-dev": winpthreads_entry,
}


def wrapped(text, width):
    """Text as one paragraph of lines of at most 78 columns, each indented by width blanks."""
    return textwrap.fill(" ".join(text.split()), 78, initial_indent=" " * width,
                         subsequent_indent=" " * (width + 2), break_long_words=False,
                         break_on_hyphens=False)


def indent(text, width):
    return "\n".join(" " * width + line if line else "" for line in text.splitlines())


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--folder", required=True, help="the program folder to describe")
    parser.add_argument("--program", required=True, help="the program's name and version")
    parser.add_argument("--qt-source", required=True)
    parser.add_argument("--qt-record", required=True,
                        help="folder of qt-sources.txt and configure-options.txt")
    parser.add_argument("--qt-patch", action="append", default=[])
    parser.add_argument("--dll-dir", action="append", default=[],
                        help="a folder that the non-Qt DLLs were copied from")
    parser.add_argument("--gcc-copyright", default="/usr/share/doc/gcc-mingw-w64-base/copyright")
    parser.add_argument("--mingw-copyright", default="/usr/share/doc/mingw-w64-common/copyright")
    parser.add_argument("--gpl3", default="/usr/share/common-licenses/GPL-3")
    parser.add_argument("--mecab-record", help="folder of the MeCab build's record")
    parser.add_argument("--dictionary", help="the dictionary's folder inside the program folder")
    parser.add_argument("--dictionary-source", help="the folder the dictionary was copied from")
    parser.add_argument("--dictionary-package", default="mecab-ipadic-utf8")
    parser.add_argument("--kanji-list", help="the list of readings per kanji in the program folder")
    parser.add_argument("--kanji-list-licence", help="its licence statement in the program folder")
    parser.add_argument("--kanjidic", default="/usr/share/edict/kanjidic",
                        help="the KANJIDIC that the list was made from")
    parser.add_argument("--word-list", help="the list of words in the program folder")
    parser.add_argument("--word-list-licence", help="its licence statement in the program folder")
    parser.add_argument("--edict", default="/usr/share/edict/edict",
                        help="the EDICT that the list of words was made from")
    parser.add_argument("--data-dir", action="append", default=[],
                        help="a folder that other shipped files (Qt's translations) came from")
    parser.add_argument("--output", required=True)
    args = parser.parse_args()

    folder = Path(args.folder)
    qt_dlls = {line.split(" ", 1)[0]
               for line in Path(args.qt_record, "qt-sources.txt").read_text().splitlines()}
    shipped_qt, shipped_mecab, shipped_debian = [], [], {}
    for dll in sorted(folder.rglob("*.dll"), key=lambda p: p.relative_to(folder).as_posix()):
        name = dll.relative_to(folder).as_posix().replace("/", "\\")
        if dll.name in qt_dlls:
            shipped_qt.append(name)
            continue
        if dll.name == "libmecab.dll" and args.mecab_record:
            shipped_mecab.append(name)
            continue
        origins = [Path(d, dll.name) for d in args.dll_dir if Path(d, dll.name).is_file()]
        debian = debian_package_of(origins[0].resolve()) if origins else None
        entry = next((e for pattern, e in DEBIAN_COMPONENTS.items()
                      if debian and re.fullmatch(pattern, debian["package"])), None)
        if not entry:
            fail(f"{name} belongs to no known component "
                 f"({debian['package'] if debian else 'not from a Debian package'})")
        shipped_debian.setdefault(entry, (debian, []))[1].append(name)

    # Every other file shipped: the program's own, the dictionary, or a Debian package's.
    covered = {"melivant-helper.exe", "LICENSE.txt", Path(args.output).name}
    covered.update(shipped_qt + shipped_mecab +
                   [name for _, dlls in shipped_debian.values() for name in dlls])
    dictionary_files = []
    list_files = {"kanji": [], "word": []}
    list_paths = {folder / path: kind for kind, paths in
                  (("kanji", (args.kanji_list, args.kanji_list_licence)),
                   ("word", (args.word_list, args.word_list_licence)))
                  for path in paths if path}
    shipped_data = {}
    for file in sorted(p for p in folder.rglob("*") if p.is_file()):
        name = file.relative_to(folder).as_posix().replace("/", "\\")
        if name in covered:
            continue
        if args.dictionary and file.parent == folder / args.dictionary:
            dictionary_files.append(name)
            continue
        if file in list_paths:
            list_files[list_paths[file]].append(name)
            continue
        origins = [Path(d, file.name) for d in args.data_dir if Path(d, file.name).is_file()]
        debian = debian_package_of(origins[0].resolve()) if origins else None
        if not debian:
            fail(f"{name} is covered by no notice")
        shipped_data.setdefault(debian["package"], (debian, []))[1].append(name)

    licences = Licences()
    entries = [qt_entry(shipped_qt, args, licences)] if shipped_qt else []
    if shipped_mecab:
        entries.append(mecab_entry(shipped_mecab, args, licences))
    if dictionary_files:
        entries.append(dictionary_entry(dictionary_files, args, licences))
    for kind, source in (("kanji", args.kanjidic), ("word", args.edict)):
        if list_files[kind]:
            entries.append(edrdg_list_entry(list_files[kind], kind, source, licences))
    for entry, (debian, dlls) in shipped_debian.items():
        entries.append(entry(dlls, debian, args, licences))
    for debian, files in shipped_data.values():
        entries.append(debian_data_entry(files, debian, licences))

    numbered = "\n\n".join(f"{n}. {entry}" for n, entry in enumerate(entries, 1))
    Path(args.output).write_text(f"""Third-party notices for {args.program}

{args.program} itself is under the MIT licence: see LICENSE.txt. This
folder also holds the libraries below, each under its own licence. The full
texts of those licences follow the list, numbered [L1], [L2] and so on.

{numbered}


Licence texts
{'=' * 78}

{licences.appendix()}""", encoding="utf-8", newline="\r\n")


if __name__ == "__main__":
    main()
