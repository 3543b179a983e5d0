// The object-snap search of one pointer move on drawings of 1k, 10k and 100k segments:
// it must stay near-constant (the search is local once its index is built).
#include <benchmark/benchmark.h>

#include "BenchScene.h"
#include "shell/Osnap.h"

namespace {

// One pointer move with every object snap on while a command waits for a point.
void BM_OsnapMove(benchmark::State& State) {
    TBenchScene S(State.range(0), nullptr, true);  // the search alone
    TOsnapAuto& O = MainVars.Mouse.OsnapAuto;
    O.Enabled = O.Search = true;
    O.osEnd = O.osMid = O.osInt = O.osCen = O.osPer = O.osTan = true;
    O.osNone = false;
    int64_t i = 0;
    for (auto _ : State) {
        const Extended X = Extended(i++ % 97) * 3.1L;
        S.Form->PointerAtWorld({X, X * 0.7L});
    }
    State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_OsnapMove)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMicrosecond)->Complexity();

}  // namespace
