#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
# SPDX-License-Identifier: MIT
# Builds the benchmarks in release mode and runs them: the conversions beside fresh copies of their
# answers, memcpy and ICU; one press of Begin beside the bare text-box cost, with peak memory
# (offscreen); start-up to the first painted window, and the idle program's processor use after
# large lyrics (under Xvfb); the kanji readings' speed, and their accuracy on bench/kanji_eval.txt.
# Extra arguments go to Google Benchmark, e.g. --benchmark_filter=Kana. With `readings` first,
# only the kanji readings' benchmarks, their cost table (beside the code
# before the analyser's next-best paths and beside MeCab alone) and accuracy are run, without the window.
set -euo pipefail
cd "$(dirname "$0")/.."

# The code before the analyser's next-best paths, which F7's readings are measured against.
before_n_best=439cc0f

# Prints F7's readings' cost on four inputs (the song lines of bench/kanji_eval.txt, its sung part,
# large lyrics and a line of short words), in one run side by side: this code with every list,
# without the list of words, and the code before the next-best paths (built from git into
# build-bench-readings/before), beside MeCab's own parse of the same song lines. Each figure is
# the least of two alternating runs of each program, each the least of five passes.
readings_cost_table() {
  local build=build-bench-readings before=build-bench-readings/before dictionary
  dictionary=$(sed -n 's/^MELIVANT_DICTIONARY_DIR:STRING=//p' "$build/CMakeCache.txt")
  if [ ! -x "$before/readings_cost" ]; then
    rm -rf "$before" && mkdir -p "$before/src"
    git archive "$before_n_best" | tar -x -C "$before/src"
    cmake -S "$before/src" -B "$before/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DBUILD_TESTING=OFF -DMELIVANT_BUILD_UI=OFF >/dev/null
    cmake --build "$before/build" --target readings >/dev/null
    g++ -O3 -DNDEBUG -std=c++20 -DMELIVANT_BEFORE_N_BEST \
      -DMELIVANT_DICTIONARY_DIR="\"$dictionary\"" -I "$before/src" -I . \
      bench/readings_cost.cpp bench/lyrics_corpus.cpp "$before/build/readings/libreadings.a" \
      -lmecab -o "$before/readings_cost"
  fi
  local runs=$build/readings-cost-runs.txt
  : > "$runs"
  for _ in 1 2; do
    "$before/readings_cost" bench/kanji_eval.txt 2>/dev/null | sed 's/^/before /' >> "$runs"
    "$build/bench/readings_cost" bench/kanji_eval.txt 2>/dev/null | sed 's/^/lists /' >> "$runs"
    "$build/bench/readings_cost" bench/kanji_eval.txt without-word-list 2>/dev/null |
      sed 's/^/no-word-list /' >> "$runs"
  done
  awk '
    { key = $1 " " $2; if (!(key in least) || $3 < least[key]) least[key] = $3 }
    END {
      print "| F7 reading (ms) | before next-best paths | every list | ratio | without the list of words | ratio |"
      print "|---|---:|---:|---:|---:|---:|"
      n = split("song-lines sung-lines lyrics-5mb short-words", cases, " ")
      for (i = 1; i <= n; ++i) {
        c = cases[i]; b = least["before " c]; l = least["lists " c]; w = least["no-word-list " c]
        printf "| %s | %.1f | %.1f | %.2fx | %.1f | %.2fx |\n", c, b, l, l / b, w, w / b
      }
      m = least["lists mecab-song-lines"]
      printf "\nMeCab alone on the song lines: %.1f ms; the readings take %.2fx it with every list, %.2fx before the next-best paths.\n", m, least["lists song-lines"] / m, least["before song-lines"] / m
      m = least["lists mecab-sung-lines"]
      printf "MeCab alone on the sung lines: %.1f ms; the readings take %.2fx it with every list, %.2fx before the next-best paths.\n", m, least["lists sung-lines"] / m, least["before sung-lines"] / m
    }' "$runs"
}

if [ "${1:-}" = readings ]; then
  shift
  scripts/install-deps.sh bench
  cmake -S . -B build-bench-readings -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DMELIVANT_BUILD_BENCHMARKS=ON -DMELIVANT_BUILD_UI=OFF
  cmake --build build-bench-readings --target readings_bench readings_cost kanji_accuracy
  build-bench-readings/bench/readings_bench "$@"
  readings_cost_table
  build-bench-readings/bench/kanji_accuracy bench/kanji_eval.txt
  exit
fi

scripts/install-deps.sh bench
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DMELIVANT_BUILD_BENCHMARKS=ON
cmake --build build-bench

build-bench/bench/conversion_bench "$@"
build-bench/bench/readings_bench "$@"
build-bench/bench/kanji_accuracy bench/kanji_eval.txt
QT_QPA_PLATFORM=offscreen build-bench/bench/window_bench "$@"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" build-bench/bench/startup_bench "$@"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  bench/idle_cpu.sh build-bench/ui/melivant-helper build-bench/bench/write_lyrics
