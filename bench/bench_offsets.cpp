// Offsets of closed profiles, ours and Clipper 1's side by side in one process, outside
// and inside by 0.3 mm with the clean-up on: small shapes (a circle, a rounded
// rectangle), lines of TrueType text, and growing profiles of 100 to 100k segments
// (letter-like contours, gears, polygons round a circle with and without small arcs,
// rings of arcs).
//
// Every iteration offsets each contour once with each library, timed apart; ratio is
// ours / Clipper. Clipper gets the contours flattened beforehand (chords within
// 0.001 mm, scale 1e6; the flattening's own time is flat_ms) and offsets them with
// round joins at 0.001 mm arc tolerance. Before timing, both results are compared:
// when the enclosed areas differ by more than perimeter x 0.001 mm the case fails;
// when the loop counts differ it is printed and timed on (loops_equal 0). Either way
// the program exits with status 1.
//
// Gears and rings of arcs drive Clipper's result clean-up into a quadratic corner
// case (a third of a second at 10k segments, half a minute to minutes at 100k): above
// 10k segments Clipper is not run for them. Wherever Clipper runs, both sides are
// timed alike, warm, in every iteration.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "core/UniGeom.h"
#include "core/UniGroup.h"
#include "core/UniNesting.h"
#include "core/UniPline.h"
#include "core/UniTrueType.h"
#include "support/ClipperOracle.h"

namespace {

constexpr Extended OffsDist = 0.3L;
bool AreasDisagreed = false;

struct TList {
    TObjHeader *S = nullptr, *E = nullptr;
    ~TList() { FreeObjList(S, E); }
    void Add(TObjHeader* R) {
        EnPline.FindDir(R);
        AppendObj(R, S, E);
    }
};

// A closed polyline through S and the segments (end, angle).
TObjHeader* Record(const Osy& S, const std::vector<std::pair<Osy, Extended>>& Segs) {
    TObjHeader* r = AllocObj(PlineSizeFor(int32_t(Segs.size())), ObjPline);
    r->Layer = 1;
    AsPline(r)->S = S;
    for (size_t i = 0; i < Segs.size(); ++i) PlineSegs(r)[i] = {Segs[i].second, Segs[i].first};
    return r;
}

Osy At(Extended R, Extended A) { return {R * std::cos(A), R * std::sin(A)}; }

void Circle(int, TList& L) { EnPline.CircleAdd({0, 0}, 10, 1, L.S, L.E); }

void RoundedRect(int, TList& L) {
    TList tmp;
    EnPline.RectangleAdd({0, 0}, {40, 20}, 1, tmp.S, tmp.E);
    L.Add(EnPline.FilletAll(tmp.S, 3, false));
}

// Lines of "Kestrilon ..." in DejaVu Sans, the letter E 10 mm tall, N / 500 lines.
void Text(int N, TList& L) {
    TTrueTypeFace face;
    if (!face.Select("DejaVu Sans")) return;
    const int lines = N / 500 > 0 ? N / 500 : 1;
    for (int k = 0; k < lines; ++k) {
        TObjHeader* g = TrueTypeText(face, "Kestrilon 2026: frézování", 0.5L, 0);
        if (!g) return;
        TObjHeader *s = AsGroup(g)->First, *e = AsGroup(g)->Last;
        FreeObjBlock(g);
        for (TObjHeader* p = s; p; p = p->Next) {
            EnPline.Scale(p, {0, 0}, 0.016L);
            EnPline.Move(p, {0, -16.0L * k});
        }
        ConcatObjLists(L.S, L.E, s, e);
    }
}

// Letter-like contours of 16 segments on a 6 mm grid: four sides, four corner arcs and
// four notches of two lines each.
void Letters(int N, TList& L) {
    const int count = N / 16 > 0 ? N / 16 : 1;
    const int cols = int(std::sqrt(double(count))) + 1;
    for (int k = 0; k < count; ++k) {
        const Extended x = 6.0L * (k % cols), y = 8.0L * (k / cols);
        std::vector<std::pair<Osy, Extended>> s;
        auto add = [&](Extended dx, Extended dy, Extended a) { s.push_back({{x + dx, y + dy}, a}); };
        add(2, 0, 0), add(2.5L, 1, 0), add(3, 0, 0), add(4, 0, 0), add(5, 1, GeomPi2), add(5, 3, 0), add(4, 3.5L, 0),
            add(5, 4, 0), add(5, 6, 0), add(4, 7, GeomPi2), add(1, 7, 0), add(0, 6, GeomPi2), add(0, 4, 0),
            add(1, 3.5L, 0), add(0, 3, 0), add(1, 0, GeomPi2);
        L.Add(Record({x + 1, y}, s));
    }
}

// A gear of N / 4 teeth with a 2 mm pitch: flank, tip arc, flank, root arc.
void Gear(int N, TList& L) {
    const int teeth = N / 4;
    const Extended rRoot = teeth * 2 / Geom2Pi, rTip = rRoot + 1, step = Geom2Pi / teeth;
    std::vector<std::pair<Osy, Extended>> s;
    for (int k = 0; k < teeth; ++k) {
        const Extended a0 = step * k;
        s.push_back({At(rTip, a0 + step * 0.1L), 0});
        s.push_back({At(rTip, a0 + step * 0.4L), 0.6L});
        s.push_back({At(rRoot, a0 + step * 0.5L), 0});
        s.push_back({k + 1 == teeth ? At(rRoot, 0) : At(rRoot, a0 + step), -0.5L});
    }
    L.Add(Record(At(rRoot, 0), s));
}

// A regular polygon of N sides of 0.1 mm, as a finely flattened circle arrives.
void RoundPolygon(int N, TList& L) {
    const Extended r = N * 0.1L / Geom2Pi;
    std::vector<std::pair<Osy, Extended>> s;
    for (int k = 1; k <= N; ++k) s.push_back({k == N ? At(r, 0) : At(r, Geom2Pi * k / N), 0});
    L.Add(Record(At(r, 0), s));
}

// A ring of N arcs on 1 mm chords bulging out and in by turns.
void ArcRing(int N, TList& L) {
    const Extended r = N / Geom2Pi;
    std::vector<std::pair<Osy, Extended>> s;
    for (int k = 1; k <= N; ++k) s.push_back({k == N ? At(r, 0) : At(r, Geom2Pi * k / N), (k % 2) ? 1.0L : -1.0L});
    L.Add(Record(At(r, 0), s));
}

// The same polygon with every fourth side an arc of the circle it stands on: an
// outline whose small arcs keep it off the lines-only fast route.
void ArcPolygon(int N, TList& L) {
    const Extended r = N * 0.1L / Geom2Pi;
    std::vector<std::pair<Osy, Extended>> s;
    for (int k = 1; k <= N; ++k)
        s.push_back({k == N ? At(r, 0) : At(r, Geom2Pi * k / N), k % 4 == 0 ? Geom2Pi / N : 0});
    L.Add(Record(At(r, 0), s));
}

struct TShape {
    const char* Name;
    std::function<void(int, TList&)> Make;
    bool ClipperQuadratic;
};
const TShape Shapes[] = {{"circle", Circle, false},       {"rounded_rect", RoundedRect, false},
                         {"text", Text, false},           {"letters", Letters, false},
                         {"gear", Gear, true},            {"round_polygon", RoundPolygon, false},
                         {"arc_ring", ArcRing, true},     {"arc_polygon", ArcPolygon, true}};

using Clock = std::chrono::steady_clock;
double Ms(Clock::duration D) { return std::chrono::duration<double, std::milli>(D).count(); }

// Our offsets of every contour: net area (holes negative), loop count.
std::pair<double, int64_t> Ours(const TList& L, bool Inside) {
    double area = 0;
    int64_t loops = 0;
    for (TObjHeader* p = L.S; p; p = p->Next) {
        TObjHeader *os = nullptr, *oe = nullptr;
        EnPline.GenOffsetClose(p, OffsDist, Inside, true, os, oe, 1);
        const double sign = oracle::PlineArea(p) < 0 ? -1 : 1;
        for (TObjHeader* q = os; q; q = q->Next, ++loops) area += sign * double(oracle::PlineArea(q));
        FreeObjList(os, oe);
    }
    return {area, loops};
}

std::pair<double, int64_t> Theirs(const std::vector<ClipperLib::Path>& Paths, bool Inside) {
    double area = 0;
    int64_t loops = 0;
    for (const auto& p : Paths) {
        const ClipperLib::Paths out = oracle::Offset(p, Inside ? -double(OffsDist) : double(OffsDist));
        area += oracle::Area(out);
        loops += int64_t(out.size());
    }
    return {area, loops};
}

// Args: shape, N (segments asked for), inside (0/1).
void BM_Offset(benchmark::State& State) {
    ResetAllState();
    const TShape& shape = Shapes[State.range(0)];
    const int n = int(State.range(1));
    const bool inside = State.range(2) != 0;
    TList L;
    shape.Make(n, L);
    int64_t segs = 0;
    double perimeter = 0;
    for (TObjHeader* p = L.S; p; p = p->Next) {
        segs += PlineSegCount(p);
        perimeter += double(oracle::PlineLength(p)) + double(Geom2Pi * OffsDist);
    }
    auto t0 = Clock::now();
    std::vector<ClipperLib::Path> paths;
    for (TObjHeader* p = L.S; p; p = p->Next) paths.push_back(oracle::Flatten(p));
    const double flatMs = Ms(Clock::now() - t0);
    size_t points = 0;
    for (const auto& p : paths) points += p.size();

    // Clipper's quadratic cases above 10k segments would take minutes: ours alone.
    const bool skipClipper = shape.ClipperQuadratic && n > 10000;
    const auto ours = Ours(L, inside);
    int64_t clipLoops = -1;
    if (!skipClipper) {
        const auto theirs = Theirs(paths, inside);
        clipLoops = theirs.second;
        if (theirs.second != ours.second) {
            AreasDisagreed = true;
            std::fprintf(stderr, "LOOPS DISAGREE: %s N=%d %s: ours %lld loops, Clipper %lld loops\n", shape.Name, n,
                         inside ? "inside" : "outside", (long long)ours.second, (long long)theirs.second);
        }
        const double tol = 0.001 * perimeter;
        if (!(std::fabs(ours.first - theirs.first) <= tol)) {
            AreasDisagreed = true;
            std::fprintf(stderr,
                         "AREAS DISAGREE: %s N=%d %s: ours %.6f mm2 (%lld loops), Clipper %.6f mm2 (%lld loops)\n",
                         shape.Name, n, inside ? "inside" : "outside", ours.first, (long long)ours.second,
                         theirs.first, (long long)theirs.second);
            State.SkipWithError("areas disagree with Clipper");
            return;
        }
    }
    double oursMs = 0, clipMs = 0;
    int64_t iters = 0;
    for (auto _ : State) {
        t0 = Clock::now();
        benchmark::DoNotOptimize(Ours(L, inside));
        const auto t1 = Clock::now();
        if (!skipClipper) benchmark::DoNotOptimize(Theirs(paths, inside));
        const auto t2 = Clock::now();
        oursMs += Ms(t1 - t0);
        clipMs += Ms(t2 - t1);
        ++iters;
    }
    oursMs /= double(iters);
    clipMs /= double(iters);
    State.SetLabel(std::string(shape.Name) + (inside ? " inside" : " outside") +
                   (skipClipper ? " (Clipper not run: its quadratic case)" : ""));
    State.counters["segs"] = double(segs);
    State.counters["points"] = double(points);
    State.counters["loops"] = double(ours.second);
    State.counters["ours_ms"] = oursMs;
    if (skipClipper) return;
    State.counters["clip_loops"] = double(clipLoops);
    State.counters["loops_equal"] = clipLoops == ours.second ? 1 : 0;
    State.counters["clip_ms"] = clipMs;
    State.counters["flat_ms"] = flatMs;
    State.counters["ratio"] = oursMs / clipMs;
}

void Args(benchmark::internal::Benchmark* B) {
    for (int inside : {0, 1}) {
        B->Args({0, 2, inside});
        B->Args({1, 8, inside});
        for (int n : {500, 10000, 100000}) B->Args({2, n, inside});
        for (int shape : {3, 4, 5, 6, 7})
            for (int n : {100, 1000, 10000, 100000}) B->Args({shape, n, inside});
    }
    B->Unit(benchmark::kMillisecond)->MinTime(0.2);
}
BENCHMARK(BM_Offset)->Apply(Args);

// Grouping N contours by nesting: plates of a square, a hole and an island each.
void BM_GroupByNesting(benchmark::State& State) {
    ResetAllState();
    const int n = int(State.range(0));
    auto square = [](Extended x, Extended y, Extended s, TList& L) {
        L.Add(Record({x, y}, {{{x + s, y}, 0}, {{x + s, y + s}, 0}, {{x, y + s}, 0}, {{x, y}, 0}}));
    };
    const int plates = n / 3, cols = int(std::sqrt(double(plates))) + 1;
    int64_t groups = 0;
    for (auto _ : State) {
        State.PauseTiming();
        TList L;
        for (int k = 0; k < plates; ++k) {
            const Extended x = 12.0L * (k % cols), y = 12.0L * (k / cols);
            square(x, y, 10, L);
            square(x + 2, y + 2, 6, L);
            square(x + 4, y + 4, 2, L);
        }
        State.ResumeTiming();
        GroupByNesting(L.S, L.E, 1);
        groups = CountObjs(L.S);
        State.PauseTiming();
        FreeObjList(L.S, L.E);
        State.ResumeTiming();
    }
    State.counters["groups"] = double(groups);
}
BENCHMARK(BM_GroupByNesting)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    FreeTrueTypeFaces();
    if (AreasDisagreed) std::fprintf(stderr, "bench_offsets: offsets disagree with Clipper (see above)\n");
    return AreasDisagreed ? 1 : 0;
}
