#!/usr/bin/env bash
# Copies in one program process and pastes in another through the system clipboard of
# one X display; compares the pasting program's drawing with the expected dump.
#   two_programs.sh CLIPSCRIPT DATA_DIR PROGDIR WORKDIR
set -euo pipefail
CLIP=$1 DATA=$2 PROG=$3 WORK=$4
rm -rf "$WORK"
mkdir -p "$WORK/a" "$WORK/b"
cp -r "$PROG/." "$WORK/a/"
cp -r "$PROG/." "$WORK/b/"
"$CLIP" "$WORK/a" "$WORK/ready" "$WORK/done" < "$DATA/copy.txt" > "$WORK/a.out" 2> "$WORK/a.log" &
A=$!
for _ in $(seq 1 600); do [ -f "$WORK/ready" ] && break; sleep 0.1; done
[ -f "$WORK/ready" ] || { echo "the copying program did not finish"; cat "$WORK/a.log"; exit 1; }
"$CLIP" "$WORK/b" < "$DATA/paste.txt" > "$WORK/b.out" 2> "$WORK/b.log" || { cat "$WORK/b.log"; exit 1; }
touch "$WORK/done"
wait $A
diff -u "$DATA/paste.expected" "$WORK/b.out"
