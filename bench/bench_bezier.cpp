// Curves of an imported PostScript drawing turned into lines and arcs: a curve across
// the whole coordinate range, for growing numbers of curves.
#include <benchmark/benchmark.h>

#include "core/Builder.h"
#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "core/UniBezier.h"

namespace {

void Curves(benchmark::State& St, bool Arcs) {
    ResetAllState();
    const Osy A{-20000, 5000}, B{-20000.0L / 3, -5000.0L / 3}, C{20000.0L / 3, -5000.0L / 3}, D{20000, 5000};
    for (auto _ : St) {
        TObjHeader *s = nullptr, *e = nullptr;
        for (int64_t i = 0; i < St.range(0); ++i) {
            StartObj(A);
            if (Arcs) BezierToArcs(A, B, C, 1e-9L, 0.01L, D);
            else BezierToLines(A, B, C, 1e-9L, 0.01L, D);
            MakeObj(1, s, e);
        }
        benchmark::DoNotOptimize(s);
        FreeObjList(s, e);
    }
    St.SetComplexityN(St.range(0));
}

void BM_LargeCurvesToLines(benchmark::State& St) { Curves(St, false); }
void BM_LargeCurvesToArcs(benchmark::State& St) { Curves(St, true); }

BENCHMARK(BM_LargeCurvesToLines)->RangeMultiplier(10)->Range(1, 100)->Complexity(benchmark::oN);
BENCHMARK(BM_LargeCurvesToArcs)->RangeMultiplier(10)->Range(1, 100)->Complexity(benchmark::oN);

}  // namespace
