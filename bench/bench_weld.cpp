// Weld of n overlapping squares (1k, 10k): the cost must grow near-linearly.
#include <benchmark/benchmark.h>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "core/UniArea.h"
#include "core/UniPline.h"

namespace {

// A chain of squares of side 10, each overlapping the one before (x step 6, y
// alternating by 4), so every square meets its neighbours and the union is one outline.
void Squares(int n, TObjHeader*& S, TObjHeader*& E) {
    for (int i = 0; i < n; ++i) {
        const Extended x = 6.0L * i, y = (i % 2) * 4.0L;
        EnPline.RectangleAdd({x, y}, {x + 10, y + 10}, 1, S, E);
    }
}

void BM_WeldSquares(benchmark::State& state) {
    ResetAllState();
    Glob.JoinTol = 0.01L;
    const int n = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        TObjHeader *s = nullptr, *e = nullptr;
        Squares(n, s, e);
        state.ResumeTiming();
        Weld(s, e);
        benchmark::DoNotOptimize(s);
        state.PauseTiming();
        if (CountObjs(s) != 1) state.SkipWithError("the union is not one outline");
        FreeObjList(s, e);
        state.ResumeTiming();
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_WeldSquares)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
