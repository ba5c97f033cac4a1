#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets with AddressSanitizer and UndefinedBehaviorSanitizer and runs each
# for the given number of seconds.  Usage: fuzz/run.sh [SECONDS] [kana|romaji|readings ...]
# MELIVANT_FUZZ_BUILD names the build folder (default build-fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
build=${MELIVANT_FUZZ_BUILD:-build-fuzz}
[ ${#targets[@]} -gt 0 ] || targets=(kana romaji readings)

scripts/install-deps.sh fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMELIVANT_BUILD_UI=OFF -DMELIVANT_BUILD_FUZZERS=ON -DMELIVANT_SANITIZE=ON -DBUILD_TESTING=OFF
cmake --build "$build"

for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  mkdir -p "$corpus" "$build/artifacts"
  echo "== $target: ${seconds}s"
  "$build/fuzz/${target}_fuzzer" "$corpus" "fuzz/seeds/$target" \
    -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$target-"
done
