#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencias.sh
cmake --preset release
cmake --build --preset release --target bolarium
exec build/release/bolarium
