#!/usr/bin/env bash
# Builds the libFuzzer targets of the readers of outside input with clang and runs each for a
# bounded time (first argument, seconds per target; 60 by default). Any crash, sanitizer report
# or time-out fails. Target fuzz_X starts from the seeds in fuzz/semillas/X.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencias.sh
segundos="${1:-60}"
cmake --preset fuzz
objetivos=$(sed -n 's/^add_executable(fuzz_\([a-z_]*\) .*/\1/p' fuzz/CMakeLists.txt)
for objetivo in $objetivos; do
    cmake --build --preset fuzz --target "fuzz_$objetivo" -j "$(nproc)"
done
for objetivo in $objetivos; do
    corpus="build/fuzz/corpus/$objetivo"
    mkdir -p "$corpus"
    echo "== fuzz_$objetivo, $segundos s"
    ASAN_OPTIONS=detect_leaks=0 "build/fuzz/fuzz/fuzz_$objetivo" \
        -max_total_time="$segundos" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "$corpus" "fuzz/semillas/$objetivo"
done
