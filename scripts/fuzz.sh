#!/usr/bin/env bash
# Builds the libFuzzer target of the page parser with clang and runs it for a bounded time
# (first argument, seconds; 60 by default). Any crash, sanitizer report or time-out fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencias.sh
segundos="${1:-60}"
cmake --preset fuzz
cmake --build --preset fuzz --target fuzz_analizasorteos -j "$(nproc)"
corpus=build/fuzz/corpus
mkdir -p "$corpus"
ASAN_OPTIONS=detect_leaks=0 build/fuzz/fuzz/fuzz_analizasorteos \
    -max_total_time="$segundos" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "$corpus" fuzz/semillas
