// Machining-order sort of one layer: points and short polylines scattered over a plate,
// 1k to 100k objects. The indexed sort runs beside the plain quadratic scan (up to 10k,
// where the scan still finishes) and both must give the same order.
#include <benchmark/benchmark.h>

#include <random>

#include "PlainSort.h"
#include "cam/Sort.h"
#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "core/UniPoint.h"

namespace {

// Half points (drill holes), half short strokes in random directions, on a 1000 mm plate.
void Scatter(int n, TObjHeader*& S, TObjHeader*& E) {
    std::mt19937 Rng(42);
    std::uniform_real_distribution<double> U(0, 1000), D(-3, 3);
    for (int i = 0; i < n; ++i) {
        const Osy P{U(Rng), U(Rng)};
        if (i % 2) EnPoint.Add(P, 1, S, E);
        else EnPline.LineAdd(P, {P.x + D(Rng), P.y + D(Rng)}, 1, S, E);
    }
}

template <bool Indexed>
void BM_Sort(benchmark::State& state) {
    ResetAllState();
    const int n = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        TObjHeader *s = nullptr, *e = nullptr;
        Scatter(n, s, e);
        state.ResumeTiming();
        if (Indexed) SortLayer(1, s, e, {0, 0}, {false, false, true});
        else PlainScanSort(1, s, e, true);
        state.PauseTiming();
        if (n <= 10000) {
            // The same drawing through the other sort: the orders must agree.
            TObjHeader *rs = nullptr, *re = nullptr;
            Scatter(n, rs, re);
            if (Indexed) PlainScanSort(1, rs, re, true);
            else SortLayer(1, rs, re, {0, 0}, {false, false, true});
            for (TObjHeader *a = s, *b = rs; a && b; a = a->Next, b = b->Next)
                if (AsPline(a)->S.x != AsPline(b)->S.x || AsPline(a)->S.y != AsPline(b)->S.y) {
                    state.SkipWithError("the two sorts chose different orders");
                    break;
                }
            FreeObjList(rs, re);
        }
        FreeObjList(s, e);
        state.ResumeTiming();
    }
    state.SetComplexityN(n);
}
BENCHMARK_TEMPLATE(BM_Sort, true)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK_TEMPLATE(BM_Sort, false)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNSquared);

}  // namespace
