// Polyline queries and edits on generated polylines of 1k, 10k and 100k segments:
// the cost must grow near-linearly (n log n at most).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "shell/MainVars.h"

namespace {

TObjHeader* MakePline(const Osy& S, const std::vector<TPlineSeg>& Segs) {
    TObjHeader* r = AllocObj(PlineSizeFor(int32_t(Segs.size())), ObjPline);
    r->Layer = 1;
    AsPline(r)->S = S;
    for (size_t i = 0; i < Segs.size(); ++i) PlineSegs(r)[i] = Segs[i];
    EnPline.FindDir(r);
    return r;
}

// A closed polygon of n segments round a circle of radius 100, every fourth an arc.
TObjHeader* RoundPolygon(int n) {
    std::vector<TPlineSeg> segs;
    const Extended step = Geom2Pi / n;
    for (int i = 1; i <= n; ++i) {
        const Extended a = i * step;
        segs.push_back({(i % 4 == 0) ? step : 0, {100 * std::cos(a), 100 * std::sin(a)}});
    }
    segs.back().E = {100, 0};
    return MakePline({100, 0}, segs);
}

// A figure eight (lemniscate of Gerono) of n segments crossing itself once.
TObjHeader* FigureEight(int n) {
    std::vector<TPlineSeg> segs;
    const Extended step = Geom2Pi / n;
    auto pt = [&](Extended t) { return Osy{100 * std::cos(t), 100 * std::sin(t) * std::cos(t)}; };
    const Extended t0 = step / 3;
    for (int i = 1; i <= n; ++i) segs.push_back({0, pt(t0 + i * step)});
    segs.back().E = pt(t0);
    return MakePline(pt(t0), segs);
}

void Setup() {
    static bool done = false;
    if (!done) {
        ResetAllState();
        MainCanvas = nullptr;
        done = true;
    }
}

void BM_PointInside(benchmark::State& state) {
    Setup();
    const int n = int(state.range(0));
    TObjHeader *s = nullptr, *e = nullptr;
    TObjHeader* p = AppendObj(RoundPolygon(n), s, e);
    for (auto _ : state) {
        benchmark::DoNotOptimize(EnPline.PointInside(p, {30, 40}));
        benchmark::DoNotOptimize(EnPline.PointInside(p, {99.99L, 0.5L}));
    }
    state.SetComplexityN(n);
    FreeObjList(s, e);
}
BENCHMARK(BM_PointInside)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity();

void BM_Length(benchmark::State& state) {
    Setup();
    const int n = int(state.range(0));
    TObjHeader *s = nullptr, *e = nullptr;
    TObjHeader* p = AppendObj(RoundPolygon(n), s, e);
    for (auto _ : state) benchmark::DoNotOptimize(EnPline.Length(p));
    state.SetComplexityN(n);
    FreeObjList(s, e);
}
BENCHMARK(BM_Length)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity();

// A zigzag of n segments trimmed against an edge of n segments that it crosses n
// times: every pair search would be n^2.
void BM_Trim(benchmark::State& state) {
    Setup();
    const int n = int(state.range(0));
    std::vector<TPlineSeg> zig, edge;
    for (int i = 1; i <= n; ++i) {
        zig.push_back({0, {Extended(i), Extended(i % 2)}});
        edge.push_back({0, {Extended(i), 0.5L}});
    }
    TObjHeader *es = nullptr, *ee = nullptr;
    AppendObj(MakePline({-0.5L, 0.5L}, edge), es, ee);
    TObjHeader* source = MakePline({0, 0}, zig);
    const Extended mid = Extended(n / 2) + 0.1L;  // on a rising segment, near its start
    for (auto _ : state) {
        state.PauseTiming();
        TObjHeader* p = AppendObj(CopyObjBlock(source), MainVars.DataStart, MainVars.DataEnd);
        state.ResumeTiming();
        TObjHeader *r1 = nullptr, *r2 = nullptr;
        benchmark::DoNotOptimize(EnPline.Trim(p, {mid - 0.05L, -0.5L}, {mid + 0.05L, 1.5L}, es, ee, r1, r2));
        state.PauseTiming();
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
        state.ResumeTiming();
    }
    state.SetComplexityN(n);
    FreeObjBlock(source);
    FreeObjList(es, ee);
}
BENCHMARK(BM_Trim)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity()->Unit(benchmark::kMillisecond);

void BM_Divide(benchmark::State& state) {
    Setup();
    const int n = int(state.range(0));
    TObjHeader* source = FigureEight(n);
    for (auto _ : state) {
        state.PauseTiming();
        TObjHeader *s = nullptr, *e = nullptr;
        TObjHeader* p = AppendObj(CopyObjBlock(source), s, e);
        state.ResumeTiming();
        benchmark::DoNotOptimize(EnPline.Divide(p, s, e));
        state.PauseTiming();
        FreeObjList(s, e);
        state.ResumeTiming();
    }
    state.SetComplexityN(n);
    FreeObjBlock(source);
}
BENCHMARK(BM_Divide)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity()->Unit(benchmark::kMillisecond);

// Join of a chain of n one-segment pieces listed from the middle outwards, every
// third reversed: half the partners meet the growing chain at its start.
void BM_JoinChain(benchmark::State& state) {
    Setup();
    const int n = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        TObjHeader *s = nullptr, *e = nullptr;
        for (int i = 0; i < n; ++i) {
            const int k = n / 2 + ((i % 2) ? -(i + 1) / 2 : i / 2);
            const Osy a{Extended(k), 0}, b{Extended(k + 1), 0};
            TObjHeader* p = (i % 3 == 0) ? MakePline(b, {{0, a}}) : MakePline(a, {{0, b}});
            p->Flags |= FlagSelected;
            AppendObj(p, s, e);
        }
        state.ResumeTiming();
        EnPline.Join(0, s, e);
        state.PauseTiming();
        FreeObjList(s, e);
        state.ResumeTiming();
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_JoinChain)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity()->Unit(benchmark::kMillisecond);

}  // namespace
