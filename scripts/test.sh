#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and runs every test: the normal build, then the conversion
# library and its tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test

echo "== build and test"
cmake -S . -B build -G Ninja
cmake --build build
ctest --test-dir build --output-on-failure

echo "== build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMELIVANT_SANITIZE=ON \
  -DMELIVANT_BUILD_UI=OFF
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure
