#!/bin/sh
# Builds the program and makes docs/screenshot.png: the main window under Xvfb with
# LINE typed and two lines picked with the mouse.
#   scripts/screenshot.sh [BUILD_DIR]
set -e
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build/shot}
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRILON_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j4 --target kestrilon kestrilon_screenshot
mkdir -p "$ROOT/docs"
xvfb-run -a -s "-screen 0 1280x800x24" "$BUILD/kestrilon_screenshot" "$ROOT/docs/screenshot.png"
echo "$ROOT/docs/screenshot.png"
