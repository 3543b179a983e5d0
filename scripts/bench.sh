#!/usr/bin/env bash
# Performance: builds the benchmarks in a Release build (build/release), runs every one
# of them and prints, per family and size, our time, the peer's or floor's time, the
# ratio against its goal and the growth exponent k between consecutive sizes
# (time ~ size^k). Red: an exponent above 1.15 or a ratio above its goal. Never part of
# CI and never fails on figures; the machine may be shared, so read noisy rows twice.
#   BENCH_FILTER=regex   only the benchmarks whose name matches (Google Benchmark filter)
#   BENCH_ONLY="nc job"  only these programs (bench_<name>)
#   BUILD_JOBS=n         build parallelism (default 2)
set -uo pipefail
cd "$(dirname "$0")/.."
BUILD=build/release
OUT=$BUILD/bench-results
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRILON_BENCH=ON "${LAUNCHER[@]}" >/dev/null || exit 1
PROGRAMS=()
for src in bench/bench_*.cpp; do
    name=$(basename "$src" .cpp)
    if [ -n "${BENCH_ONLY:-}" ] && ! [[ " $BENCH_ONLY " == *" ${name#bench_} "* ]]; then continue; fi
    ninja -C "$BUILD" -t query "bench/$name" >/dev/null 2>&1 && PROGRAMS+=("$name")
done
targets=()
for p in "${PROGRAMS[@]}"; do targets+=(--target "$p"); done
cmake --build "$BUILD" -j "${BUILD_JOBS:-2}" "${targets[@]}" >/dev/null || { echo "build failed"; exit 1; }
rm -rf "$OUT" && mkdir -p "$OUT"
export QT_QPA_PLATFORM=offscreen
FILTER=${BENCH_FILTER:-.}
run() {  # program, output name, filter
    echo "running $1 ($3)" >&2
    "$BUILD/bench/$1" --benchmark_filter="$3" --benchmark_format=console \
        --benchmark_out="$OUT/$2.json" --benchmark_out_format=json >"$OUT/$2.log" 2>&1 ||
        echo "  $1 reported a problem: see $OUT/$2.log" >&2
}
for p in "${PROGRAMS[@]}"; do
    if [ "$p" = bench_dxf ]; then
        # Each size of the side by side in a fresh process: no size reads on a heap the
        # previous one warmed.
        run "$p" "$p" "BM_DxfImport"
        for n in 10000 100000 1000000; do run "$p" "${p}_side_$n" "BM_DxfSideBySide/$n\$"; done
        continue
    fi
    run "$p" "$p" "$FILTER"
done
/usr/bin/python3 - "$OUT" <<'PY'
import glob, json, math, os, re, sys

RED, GREEN, END = "\033[31m", "\033[32m", "\033[0m"
if not sys.stdout.isatty():
    RED = GREEN = END = ""
KMAX = 1.15
# Goals of the ratios ours / peer, by family name and counter.
GOALS = [
    (r"^BM_JobOpenVsDxf", "ratio", 1.0),
    (r"^BM_JobSaveVsWrite", "ratio", 1.5),
    (r"^BM_TextPocketNcExport", "ratio", 2.0),
    (r"^BM_ExportNc", "ratio", 2.0),
    (r"^BM_Offset", "ratio", 1.0),
    (r"^BM_RegionOffset", "ratio", 1.0),
    (r"^BM_Redraw/", "first_ratio", 1.5),
]
RATIOS = ["ratio", "ours/dxflib", "first_ratio", "zoom_ratio", "move_ratio", "move_per_build"]
PEERS = ["dxf_ms", "write_ms", "floor_ms", "clip_ms", "clipper_ms", "first_floor_ms"]

rows = {}
for f in sorted(glob.glob(os.path.join(sys.argv[1], "*.json"))):
    try:
        data = json.load(open(f))
    except Exception:
        continue
    for b in data.get("benchmarks", []):
        if b.get("run_type") != "iteration" or b.get("error_occurred"):
            if b.get("error_occurred"):
                print(f"{RED}{b['name']}: {b.get('error_message')}{END}")
            continue
        parts = b["name"].split("/")
        args = [p for p in parts[1:] if re.fullmatch(r"\d+", p)]
        rest = [p for p in parts[1:] if not re.fullmatch(r"\d+", p) and p not in ("manual_time", "real_time")]
        size = max((int(a) for a in args), default=0)
        key_args = [a if int(a) != size else "N" for a in args]
        family = "/".join([parts[0]] + key_args + rest)
        if b.get("label"):
            family += " [" + b["label"].replace(" (Clipper not run: its quadratic case)", "") + "]"
        unit = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
        ours = b.get("ours_ms", b["real_time"] * unit)
        if "ours_s" in b:
            ours = b["ours_s"] * 1e3
        peer = next((b[p] for p in PEERS if p in b), b.get("dxflib_s", 0) * 1e3 or None)
        ratios = {r: b[r] for r in RATIOS if r in b and b[r]}
        extra = {k: b[k] for k in ("loops", "clip_loops", "loops_equal") if k in b}
        rows.setdefault(family, []).append((size, ours, peer, ratios, extra))

def goal_of(family, counter):
    for pat, c, g in GOALS:
        if c == counter and re.search(pat, family):
            return g
    return None

reds = 0
print(f"{'family':58} {'size':>8} {'ours ms':>10} {'peer ms':>10}  {'ratio (goal)':24} {'k':>6}")
for family in sorted(rows):
    prev = None
    for size, ours, peer, ratios, extra in sorted(rows[family]):
        cells = []
        for r, v in ratios.items():
            g = goal_of(family, r)
            text = f"{r}={v:.2f}" + (f" (<={g})" if g else "")
            if g and v > g:
                text, reds = f"{RED}{text}{END}", reds + 1
            cells.append(text)
        if extra.get("loops_equal") == 0 or ("clip_loops" in extra and extra["clip_loops"] != extra.get("loops")):
            cells.append(f"{RED}loops {int(extra['loops'])} vs {int(extra['clip_loops'])}{END}")
            reds += 1
        k = ""
        if prev and prev[0] > 0 and size > prev[0] and prev[1] > 0 and ours > 0:
            kv = math.log(ours / prev[1]) / math.log(size / prev[0])
            k = f"{kv:6.2f}"
            if kv > KMAX:
                k, reds = f"{RED}{k}{END}", reds + 1
        peer_text = f"{peer:10.3f}" if peer else f"{'':10}"
        print(f"{family[:58]:58} {size:8d} {ours:10.3f} {peer_text}  {' '.join(cells):24} {k:>6}")
        prev = (size, ours)
print(f"\n{reds} red mark(s): growth exponent above {KMAX} or a ratio above its goal.")
PY
