// The region offset of the machining builders against Clipper 1 in one process: a gear
// of N segments (a quarter of them arcs) with a round hole in its middle, offset inside
// by 0.3 mm. Ours keeps the arcs; Clipper gets the rings flattened beforehand (chords
// within 0.001 mm) and offsets them with round joins. Manual time is ours; the counters
// give both times and ratio = ours / Clipper. The complexity fit over N reports the
// growth of ours. Gears drive Clipper's result clean-up into a quadratic corner case:
// above 10k segments Clipper is not run (ratio 0).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "cam/UniRegion.h"
#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "support/ClipperOracle.h"

namespace {

Osy At(Extended R, Extended A) { return {R * std::cos(A), R * std::sin(A)}; }

TObjHeader* Record(const Osy& S, const std::vector<std::pair<Osy, Extended>>& Segs) {
    TObjHeader* r = AllocObj(PlineSizeFor(int32_t(Segs.size())), ObjPline);
    r->Layer = 1;
    AsPline(r)->S = S;
    for (size_t i = 0; i < Segs.size(); ++i) PlineSegs(r)[i] = {Segs[i].second, Segs[i].first};
    EnPline.FindDir(r);
    return r;
}

// The gear (counter-clockwise) and its hole (clockwise) as one region chain.
void GearRegion(int N, TObjHeader*& S, TObjHeader*& E) {
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
    AppendObj(Record(At(rRoot, 0), s), S, E);
    const Extended rHole = rRoot / 2;
    AppendObj(Record(At(rHole, 0), {{At(rHole, GeomPi), -GeomPi}, {At(rHole, 0), -GeomPi}}), S, E);
}

using Clock = std::chrono::steady_clock;
double Secs(Clock::duration D) { return std::chrono::duration<double>(D).count(); }

void BM_RegionOffsetGear(benchmark::State& St) {
    ResetAllState();
    const int N = int(St.range(0));
    TObjHeader *S = nullptr, *E = nullptr;
    GearRegion(N, S, E);
    ClipperLib::Paths Rings;
    for (TObjHeader* p = S; p; p = p->Next) Rings.push_back(oracle::Flatten(p));
    double Ours = 0, Clip = 0;
    int64_t Runs = 0;
    for (auto _ : St) {
        const auto T0 = Clock::now();
        TObjHeader *OS = nullptr, *OE = nullptr, *FS = nullptr, *FE = nullptr;
        OffsetRegion(true, S, E, 0.3L, OS, OE, FS, FE, 1);
        const double T = Secs(Clock::now() - T0);
        St.SetIterationTime(T);
        Ours += T;
        benchmark::DoNotOptimize(OS);
        FreeObjList(OS, OE);
        FreeObjList(FS, FE);
        if (N <= 10000) {
            const auto C0 = Clock::now();
            ClipperLib::ClipperOffset Co;
            Co.ArcTolerance = oracle::ArcTol * oracle::ClipScale;
            Co.AddPaths(Rings, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
            ClipperLib::Paths Out;
            Co.Execute(Out, -0.3 * oracle::ClipScale);
            Clip += Secs(Clock::now() - C0);
            benchmark::DoNotOptimize(Out);
        }
        ++Runs;
    }
    St.counters["ours_ms"] = Ours * 1000 / double(Runs);
    St.counters["clipper_ms"] = Clip * 1000 / double(Runs);
    St.counters["ratio"] = Clip > 0 ? Ours / Clip : 0;
    St.SetComplexityN(N);
    FreeObjList(S, E);
}

}  // namespace

BENCHMARK(BM_RegionOffsetGear)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
