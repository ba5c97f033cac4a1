#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and makes the Debian package build/melivant-helper_*.deb.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh package
cmake -S . -B build -G Ninja
cmake --build build --target melivant-helper
(cd build && cpack -G DEB)
ls build/*.deb
