#!/bin/sh
# Builds the program and writes PNGs of the main window and of every dialog into DIR:
# Form.png as it shows, Form.Page.png for each other page, and Form[.Page].later.png
# with the controls a choice shows later made visible too. Prints the layout faults
# found (a control outside its parent, overlapping siblings, a clipped caption) and the
# message boxes a page raised on the way.
#   scripts/dialogs.sh DIR [BUILD_DIR]
set -e
[ $# -ge 1 ] || { echo "usage: scripts/dialogs.sh DIR [BUILD_DIR]" >&2; exit 2; }
ROOT=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
OUT=$(cd "$1" && pwd)
BUILD=${2:-$ROOT/build/shot}
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRILON_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j"${BUILD_JOBS:-2}" --target kestrilon kestrilon_dialogs
if command -v xvfb-run >/dev/null 2>&1; then
    xvfb-run -a -s "-screen 0 1280x800x24" "$BUILD/kestrilon_dialogs" "$OUT"
else
    QT_QPA_PLATFORM=offscreen "$BUILD/kestrilon_dialogs" "$OUT"
fi
