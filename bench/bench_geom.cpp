// Cost of the segment intersections that trimming, offsets and snaps call in their
// inner loops.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "core/UniGeom.h"

namespace {

struct Seg {
    Osy S, E;
    Extended Alfa;
};

// N random segments in a 100 mm square; ArcShare of them arcs.
std::vector<Seg> MakeSegs(size_t N, double ArcShare, unsigned Seed) {
    std::mt19937_64 g(Seed);
    std::uniform_real_distribution<double> pos(0, 100), len(-20, 20), alfa(-3, 3), u(0, 1);
    std::vector<Seg> v(N);
    for (Seg& s : v) {
        s.S = Osy{pos(g), pos(g)};
        s.E = Osy{s.S.x + len(g), s.S.y + len(g)};
        s.Alfa = u(g) < ArcShare ? alfa(g) : 0;
    }
    return v;
}

void RunPairs(benchmark::State& State, double ArcShare1, double ArcShare2) {
    const size_t n = 1024;
    std::vector<Seg> a = MakeSegs(n, ArcShare1, 1), b = MakeSegs(n, ArcShare2, 2);
    size_t i = 0;
    for (auto _ : State) {
        Osy x1, x2;
        const Seg& p = a[i & (n - 1)];
        const Seg& q = b[(i * 7) & (n - 1)];
        benchmark::DoNotOptimize(IntersSegSeg(p.S, p.E, q.S, q.E, p.Alfa, q.Alfa, x1, x2));
        benchmark::DoNotOptimize(x1);
        ++i;
    }
    State.SetItemsProcessed(State.iterations());
}

void BM_IntersLineLine(benchmark::State& State) { RunPairs(State, 0, 0); }
void BM_IntersLineArc(benchmark::State& State) { RunPairs(State, 0, 1); }
void BM_IntersArcLine(benchmark::State& State) { RunPairs(State, 1, 0); }
void BM_IntersArcArc(benchmark::State& State) { RunPairs(State, 1, 1); }

void BM_ArcEnvelope(benchmark::State& State) {
    std::vector<Seg> a = MakeSegs(1024, 1, 3);
    size_t i = 0;
    for (auto _ : State) {
        const Seg& s = a[i++ & 1023];
        if (s.Alfa == 0) continue;
        Osy mn, mx;
        ArcEnvelope(s.S, s.E, s.Alfa, mn, mx);
        benchmark::DoNotOptimize(mn);
        benchmark::DoNotOptimize(mx);
    }
    State.SetItemsProcessed(State.iterations());
}

}  // namespace

BENCHMARK(BM_IntersLineLine);
BENCHMARK(BM_IntersLineArc);
BENCHMARK(BM_IntersArcLine);
BENCHMARK(BM_IntersArcArc);
BENCHMARK(BM_ArcEnvelope);
