#!/usr/bin/env bash
# Builds every libFuzzer target with the logic library instrumented (clang, ASan, UBSan)
# and runs each for SECONDS, JOBS targets at a time (default 2), every target unless named;
# prints each target's inputs run and inputs per second.
#   scripts/fuzz.sh SECONDS [JOBS] [TARGET...]
# New inputs go to a scratch folder per target, seeded from tests/data/<topic>/corpus;
# a finding is kept under build/fuzz/findings/<target>/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
export SECONDS_EACH=${1:?usage: scripts/fuzz.sh SECONDS [JOBS] [TARGET...]}
JOBS=${2:-2}
shift $(( $# >= 2 ? 2 : 1 ))
export BUILD=${BUILD_DIR:-build/fuzz}
export SCRATCH=${FUZZ_SCRATCH:-/tmp/kestrilon-fuzz}
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  "${LAUNCHER[@]}" -DKESTRILON_FUZZ=ON -DKESTRILON_GUI=OFF -DKESTRILON_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j "${BUILD_JOBS:-$(nproc)}"

corpus_of() {
  case $1 in
    fuzz_shp) echo fonts ;; fuzz_strtoext) echo numbers ;; fuzz_toollib | fuzz_ttypedef) echo tools ;;
    *) echo "${1#fuzz_}" ;;
  esac
}
run_one() {
  local t=$1 scratch="$SCRATCH/$1" found="$BUILD/findings/$1"
  mkdir -p "$scratch" "$found"
  local corpus="tests/data/$(corpus_of "$t")/corpus"
  [ -d "$corpus" ] || corpus=
  if "$BUILD/fuzz/$t" -max_total_time="$SECONDS_EACH" -artifact_prefix="$found/" -print_final_stats=1 \
       "$scratch" $corpus >"$BUILD/$t.log" 2>&1; then
    local runs rate
    runs=$(grep -o 'number_of_executed_units: *[0-9]*' "$BUILD/$t.log" | grep -o '[0-9]*$')
    rate=$(grep -o 'average_exec_per_sec: *[0-9]*' "$BUILD/$t.log" | grep -o '[0-9]*$')
    echo "$t: no finding in ${SECONDS_EACH} s, ${runs:-?} inputs, ${rate:-?} inputs/s ($(grep -o 'cov: [0-9]*' "$BUILD/$t.log" | tail -1))"
  else
    echo "$t: FINDING, see $BUILD/$t.log and $found/"
    return 1
  fi
}
export -f corpus_of run_one
# The targets write their files into a temporary folder: in memory they are not slowed
# down by the disk (every safe write syncs its file).
[ -d /dev/shm ] && export TMPDIR=${TMPDIR:-/dev/shm}
TARGETS=("$@")
((${#TARGETS[@]})) || TARGETS=($(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//'))
printf '%s\n' "${TARGETS[@]}" | xargs -P "$JOBS" -I{} bash -c 'run_one {}'
