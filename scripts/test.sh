#!/usr/bin/env bash
# Builds everything in a Debug build with AddressSanitizer and UndefinedBehaviorSanitizer and runs all tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
BUILD=${BUILD_DIR:-build/test}
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTRILON_SANITIZE=ON -DKESTRILON_BENCH=ON "${LAUNCHER[@]}"
cmake --build "$BUILD" -j "${BUILD_JOBS:-$(nproc)}"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)" "$@"
