// The region offset of the machining builders against Clipper 1 in one process, inside
// by 0.3 mm: a gear of N segments (a quarter of them arcs) with a round hole in its
// middle, lines of TrueType text (N / 500 lines, grouped into letters with their
// holes) and letter-like plates with a round hole (N / 18 of them). Ours keeps the
// arcs; Clipper gets each region's rings flattened beforehand (chords within 0.001 mm,
// outer ring counter-clockwise, holes clockwise) and offsets them together with round
// joins.
//
// Before timing both results are compared: the net areas (holes negative) within
// perimeter x 0.001 mm and the loop counts equal; a disagreement is printed, the case
// fails and the program exits with status 1. Both sides are timed alike in every
// iteration; the counters give both times and ratio = ours / Clipper. Gears drive
// Clipper's result clean-up into a quadratic corner case: above 10k segments Clipper
// is not run for them (ours alone, no ratio).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cam/UniRegion.h"
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
bool Disagreed = false;

Osy At(Extended R, Extended A) { return {R * std::cos(A), R * std::sin(A)}; }

TObjHeader* Record(const Osy& S, const std::vector<std::pair<Osy, Extended>>& Segs) {
    TObjHeader* r = AllocObj(PlineSizeFor(int32_t(Segs.size())), ObjPline);
    r->Layer = 1;
    AsPline(r)->S = S;
    for (size_t i = 0; i < Segs.size(); ++i) PlineSegs(r)[i] = {Segs[i].second, Segs[i].first};
    EnPline.FindDir(r);
    return r;
}

TObjHeader* RoundHole(const Osy& C, Extended R) {
    return Record({C.x + R, C.y}, {{{C.x - R, C.y}, -GeomPi}, {{C.x + R, C.y}, -GeomPi}});
}

// Region chains, each its outer contour then its holes, kept as group records.
struct TRegions {
    TObjHeader *S = nullptr, *E = nullptr;
    ~TRegions() { FreeObjList(S, E); }
};

// Closed contours grouped into regions by their nesting.
void Group(TObjHeader* S, TObjHeader* E, TRegions& R) {
    GroupByNesting(S, E, 1);
    R.S = S;
    R.E = E;
}

// The gear (counter-clockwise) and its hole (clockwise) as one region.
void Gear(int N, TRegions& R) {
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
    TObjHeader *S = nullptr, *E = nullptr;
    AppendObj(Record(At(rRoot, 0), s), S, E);
    AppendObj(RoundHole({0, 0}, rRoot / 2), S, E);
    Group(S, E, R);
}

// Lines of text in DejaVu Sans, the letter E 10 mm tall.
void Text(int N, TRegions& R) {
    TTrueTypeFace face;
    if (!face.Select("DejaVu Sans")) return;
    TObjHeader *S = nullptr, *E = nullptr;
    for (int k = 0; k < std::max(1, N / 500); ++k) {
        TObjHeader* g = TrueTypeText(face, "Kestrilon 2026: frézování ABDOPQR", 0.5L, 0);
        if (!g) break;
        TObjHeader *s = AsGroup(g)->First, *e = AsGroup(g)->Last;
        FreeObjBlock(g);
        for (TObjHeader* p = s; p; p = p->Next) {
            EnPline.Scale(p, {0, 0}, 0.016L);
            EnPline.Move(p, {0, -16.0L * k});
            EnPline.FindDir(p);
        }
        ConcatObjLists(S, E, s, e);
    }
    Group(S, E, R);
}

// Letter-like plates of 16 segments on a 6 mm grid (sides, corner arcs, notches) with a
// round hole each.
void Letters(int N, TRegions& R) {
    const int count = std::max(1, N / 18), cols = int(std::sqrt(double(count))) + 1;
    TObjHeader *S = nullptr, *E = nullptr;
    for (int k = 0; k < count; ++k) {
        const Extended x = 6.0L * (k % cols), y = 8.0L * (k / cols);
        std::vector<std::pair<Osy, Extended>> s;
        auto add = [&](Extended dx, Extended dy, Extended a) { s.push_back({{x + dx, y + dy}, a}); };
        add(2, 0, 0), add(2.5L, 1, 0), add(3, 0, 0), add(4, 0, 0), add(5, 1, GeomPi2), add(5, 3, 0), add(4, 3.5L, 0),
            add(5, 4, 0), add(5, 6, 0), add(4, 7, GeomPi2), add(1, 7, 0), add(0, 6, GeomPi2), add(0, 4, 0),
            add(1, 3.5L, 0), add(0, 3, 0), add(1, 0, GeomPi2);
        AppendObj(Record({x + 1, y}, s), S, E);
        AppendObj(RoundHole({x + 2.5L, y + 5.2L}, 0.9L), S, E);
    }
    Group(S, E, R);
}

struct TInput {
    const char* Name;
    void (*Make)(int, TRegions&);
    bool ClipperQuadratic;
};
const TInput Inputs[] = {{"gear", Gear, true}, {"text", Text, false}, {"letters", Letters, false}};

// Each region's rings for Clipper: the outer one counter-clockwise, holes clockwise.
std::vector<ClipperLib::Paths> ClipperRegions(const TRegions& R) {
    std::vector<ClipperLib::Paths> out;
    for (TObjHeader* g = R.S; g; g = g->Next) {
        ClipperLib::Paths rings;
        for (TObjHeader* p = AsGroup(g)->First; p; p = p->Next) {
            rings.push_back(oracle::Flatten(p));
            if (ClipperLib::Orientation(rings.back()) != (p == AsGroup(g)->First)) ClipperLib::ReversePath(rings.back());
        }
        out.push_back(std::move(rings));
    }
    return out;
}

struct TResult {
    double Area = 0;
    int64_t Loops = 0;
};

// Our offsets of every region: net area of the loops (holes negative), loop count.
TResult Ours(const TRegions& R) {
    TResult r;
    for (TObjHeader* g = R.S; g; g = g->Next) {
        TObjHeader *os = nullptr, *oe = nullptr, *fs = nullptr, *fe = nullptr;
        OffsetRegion(true, AsGroup(g)->First, AsGroup(g)->Last, OffsDist, os, oe, fs, fe, 1);
        // The loops run as the region's rings ran: the outer ring's turn gives the sign.
        const double sign = oracle::PlineArea(AsGroup(g)->First) < 0 ? -1 : 1;
        for (TObjHeader* q = os; q; q = q->Next, ++r.Loops) r.Area += sign * double(oracle::PlineArea(q));
        FreeObjList(os, oe);
        FreeObjList(fs, fe);
    }
    return r;
}

TResult Theirs(const std::vector<ClipperLib::Paths>& Regions) {
    TResult r;
    for (const ClipperLib::Paths& rings : Regions) {
        ClipperLib::ClipperOffset co;
        co.ArcTolerance = oracle::ArcTol * oracle::ClipScale;
        co.AddPaths(rings, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
        ClipperLib::Paths out;
        co.Execute(out, -double(OffsDist) * oracle::ClipScale);
        r.Area += oracle::Area(out);
        r.Loops += int64_t(out.size());
    }
    return r;
}

using Clock = std::chrono::steady_clock;
double Ms(Clock::duration D) { return std::chrono::duration<double, std::milli>(D).count(); }

// Args: input, N.
void BM_RegionOffset(benchmark::State& St) {
    ResetAllState();
    const TInput& in = Inputs[St.range(0)];
    const int N = int(St.range(1));
    TRegions R;
    in.Make(N, R);
    const std::vector<ClipperLib::Paths> rings = ClipperRegions(R);
    double perimeter = 0;
    int64_t segs = 0;
    for (TObjHeader* g = R.S; g; g = g->Next)
        for (TObjHeader* p = AsGroup(g)->First; p; p = p->Next) {
            perimeter += double(oracle::PlineLength(p));
            segs += PlineSegCount(p);
        }
    const bool runClipper = !(in.ClipperQuadratic && N > 10000);
    const TResult ours = Ours(R);
    St.SetLabel(std::string(in.Name) + (runClipper ? "" : " (Clipper not run: its quadratic case)"));
    St.counters["segs"] = double(segs);
    St.counters["loops"] = double(ours.Loops);
    if (runClipper) {
        const TResult theirs = Theirs(rings);
        St.counters["clip_loops"] = double(theirs.Loops);
        if (!(std::fabs(ours.Area - theirs.Area) <= 0.001 * perimeter) || ours.Loops != theirs.Loops) {
            Disagreed = true;
            std::fprintf(stderr, "REGION OFFSET DISAGREES: %s N=%d: ours %.6f mm2 (%lld loops), Clipper %.6f mm2 (%lld loops)\n",
                         in.Name, N, ours.Area, (long long)ours.Loops, theirs.Area, (long long)theirs.Loops);
            St.SkipWithError("the offset disagrees with Clipper");
            return;
        }
    }
    double oursMs = 0, clipMs = 0;
    for (auto _ : St) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(Ours(R));
        const auto t1 = Clock::now();
        if (runClipper) benchmark::DoNotOptimize(Theirs(rings));
        const auto t2 = Clock::now();
        St.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        oursMs += Ms(t1 - t0);
        clipMs += Ms(t2 - t1);
    }
    const double n = double(St.iterations());
    St.counters["ours_ms"] = oursMs / n;
    if (runClipper) {
        St.counters["clipper_ms"] = clipMs / n;
        St.counters["ratio"] = oursMs / clipMs;
    }
    St.SetComplexityN(N);
}

void Args(benchmark::internal::Benchmark* B) {
    for (int input : {0, 1, 2})
        for (int n : {1000, 10000, 100000}) B->Args({input, n});
    B->UseManualTime()->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_RegionOffset)->Apply(Args);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    FreeTrueTypeFaces();
    if (Disagreed) std::fprintf(stderr, "bench_region: region offsets disagree with Clipper (see above)\n");
    return Disagreed ? 1 : 0;
}
