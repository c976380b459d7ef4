#!/usr/bin/env bash
# Builds everything and runs every test (offscreen; no network, no real dialogs).
# With "asan" as argument, the same tests built with AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencias.sh
preset="${1:-debug}"
cmake --preset "$preset"
cmake --build --preset "$preset" -j "$(nproc)"
ctest --preset "$preset" -j "$(nproc)"
