#!/usr/bin/env bash
# Builds a Release build and starts the program; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
BUILD=${BUILD_DIR:-build/release}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRILON_TESTS=OFF
cmake --build "$BUILD" -j "$(nproc)" --target kestrilon
exec "$BUILD/kestrilon" "$@"
