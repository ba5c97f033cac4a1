#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and runs every test: the normal build, then the libraries,
# the window and their tests again under AddressSanitizer and UndefinedBehaviorSanitizer (the
# window on Qt's offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test

echo "== build and test"
cmake -S . -B build -G Ninja
cmake --build build
ctest --test-dir build --output-on-failure

echo "== build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMELIVANT_SANITIZE=ON
cmake --build build-sanitize
# The packaging checks build and lint packages, which the normal build has done.
QT_QPA_PLATFORM=offscreen ctest --test-dir build-sanitize --output-on-failure \
  -E "install_and_package|debian_changelog|reuse_lint"
