#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# The .deb's changelog keeps every release of CHANGELOG.md, also one with ### headings inside it,
# and leaves out what is not released yet.
#   check_changelog.sh SOURCE_FOLDER
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat > "$work/CHANGELOG.md" <<'MARKDOWN'
# Changelog

## Unreleased

- Not yet.

## 1.1.0 (2026-12-20)

### Added

- Kanji readings.

### Fixed

- A selection.

## 1.0.1 (2026-12-07)

- Released.
MARKDOWN
cmake -DMARKDOWN="$work/CHANGELOG.md" -DOUTPUT="$work/changelog" -DPACKAGE=melivant-helper \
  -DMAINTAINER="Someone <someone@example.invalid>" -P "$1/cmake/DebianChangelog.cmake"
fail() { echo "check_changelog.sh: $*" >&2; cat "$work/changelog" >&2; exit 1; }
grep -q '^melivant-helper (1.1.0) unstable' "$work/changelog" || fail "1.1.0 was dropped"
grep -q '^  \* Kanji readings\.$' "$work/changelog" || fail "1.1.0's Added items were dropped"
grep -q '^  \* A selection\.$' "$work/changelog" || fail "1.1.0's Fixed items were dropped"
grep -q '^melivant-helper (1.0.1) unstable' "$work/changelog" || fail "1.0.1 was dropped"
! grep -q 'Not yet' "$work/changelog" || fail "the unreleased item was kept"
echo "ok: every release is in the changelog, the unreleased one is not"
