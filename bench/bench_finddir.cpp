// Direction and self-crossing test of closed polylines as they grow. The program
// remembers what it found for an outline by its geometry, so every iteration asks about
// a fresh outline (the ring moved by a few micrometres more each time) and times the
// first call alone: the search itself, not the memo.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>

#include "core/Builder.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"

namespace {

// A closed ring of N segments, straight or bulging alternately out and in; it never
// crosses itself, so the whole search runs.
TObjHeader* Ring(int N, bool Arcs, Extended Shift) {
    TObjHeader* r = AllocObj(PlineSizeFor(N), ObjPline);
    auto at = [N, Shift](int k) {
        const Extended a = 2 * GeomPi * k / N;
        return Osy{100 * std::cos(a) + Shift, 100 * std::sin(a)};
    };
    AsPline(r)->S = at(0);
    for (int k = 1; k <= N; ++k) PlineSegs(r)[k - 1] = {Arcs ? (k % 2 ? 0.3L : -0.3L) : 0, k == N ? at(0) : at(k)};
    return r;
}

void Run(benchmark::State& St, bool Arcs) {
    int64_t fresh = 0;
    bool ok = true;
    for (auto _ : St) {
        TObjHeader* r = Ring(int(St.range(0)), Arcs, Extended(++fresh) * 0.004L);
        const auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(EnPline.FindDir(r));
        St.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        ok = ok && AsPline(r)->PlineFlags == PlineClosed;
        FreeObjBlock(r);
    }
    if (!ok) St.SkipWithError("the ring should be closed and counter-clockwise");
    St.SetComplexityN(St.range(0));
}

void BM_FindDirLines(benchmark::State& St) { Run(St, false); }
void BM_FindDirArcs(benchmark::State& St) { Run(St, true); }

// Building the polyline point by point and making it (which runs FindDir). Every
// iteration builds a fresh ring (moved as in Run): the same ring again would only
// time the memo of FindDir, not its search.
void BM_BuildAndMake(benchmark::State& St) {
    const int n = int(St.range(0));
    int64_t fresh = 0;
    for (auto _ : St) {
        const Extended shift = Extended(++fresh) * 0.004L;
        TObjHeader *s = nullptr, *e = nullptr;
        StartObj({100 + shift, 0});
        for (int k = 1; k < n; ++k) {
            const Extended a = 2 * GeomPi * k / n;
            AddSeg({100 * std::cos(a) + shift, 100 * std::sin(a)}, 0, CoordTol);
        }
        AddSeg({100 + shift, 0}, 0, CoordTol);
        MakeObj(1, s, e);
        FreeObjList(s, e);
    }
    St.SetComplexityN(n);
}

}  // namespace

BENCHMARK(BM_FindDirLines)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_FindDirArcs)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_BuildAndMake)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
