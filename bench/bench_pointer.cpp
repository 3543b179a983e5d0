// The object-snap search of one pointer move on drawings of 1k, 100k and 1M segments,
// and over two crossing polylines of 100k segments each: at one scale it must stay
// near-constant (the search is local once the drawing's index is built).
#include <benchmark/benchmark.h>

#include "BenchScene.h"
#include "core/UniGeom.h"
#include "shell/Osnap.h"

namespace {

void AllSnapsOn() {
    TOsnapAuto& O = MainVars.Mouse.OsnapAuto;
    O.Enabled = O.Search = true;
    O.osEnd = O.osMid = O.osInt = O.osCen = O.osPer = O.osTan = true;
    O.osNone = false;
}

// The same scale at every drawing size (4 pixels a millimetre, the view's corner at
// -10, -10): the aperture covers as much of the drawing whatever its size, which is
// what a search local to the pointer has to look at.
void SameScale() {
    constexpr Extended K = 4;
    Glob.BoduNaMm = K;
    Glob.ZoomMin = {-10, -10};
    Glob.ZoomMax = {-10 + Glob.Okno.x / K, -10 + Glob.Okno.y / K};
}

// One pointer move with every object snap on while a command waits for a point, the
// pointer over the part of the drawing every size has.
void BM_OsnapMove(benchmark::State& State) {
    TBenchScene S(State.range(0), nullptr, true);  // the search alone
    SameScale();
    AllSnapsOn();
    S.Form->PointerAtWorld({0, 0});  // the index is built once, before the moves
    int64_t i = 0;
    for (auto _ : State) {
        const Extended X = Extended(i++ % 97) * 1.2L;
        S.Form->PointerAtWorld({X, X * 0.7L});
    }
    State.counters["aperture_mm"] = double(Glob.OsnapSize / Glob.BoduNaMm);
}
BENCHMARK(BM_OsnapMove)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// A wave of Segments segments from From to To, swinging Amp to either side of its way
// in Waves periods.
TObjHeader* Wave(const Osy& From, const Osy& To, Extended Amp, int Waves, int32_t Segments) {
    TObjHeader* P = AllocObj(PlineSizeFor(Segments), ObjPline);
    P->Layer = 1;
    AsPline(P)->S = From;
    const Extended Dx = To.x - From.x, Dy = To.y - From.y, L = std::sqrt(Dx * Dx + Dy * Dy);
    const Osy N{-Dy / L * Amp, Dx / L * Amp};
    for (int32_t i = 0; i < Segments; ++i) {
        const Extended T = Extended(i + 1) / Segments, Side = std::sin(2 * GeomPi * Waves * T);
        PlineSegs(P)[i] = {0, {From.x + T * Dx + Side * N.x, From.y + T * Dy + Side * N.y}};
    }
    return AppendObj(P, MainVars.DataStart, MainVars.DataEnd);
}

// The pointer circling over the crossing of two 100k-segment waves, 3 m long, in a
// drawing of 1k more segments.
void BM_OsnapCrossing(benchmark::State& State) {
    TBenchScene S(1000, nullptr, true);
    SameScale();
    const Osy Mid{60, 60};
    Wave({Mid.x - 1500, Mid.y - 10}, {Mid.x + 1500, Mid.y + 10}, 20, 50, 100000);
    Wave({Mid.x - 1000, Mid.y - 1100}, {Mid.x + 1000, Mid.y + 1100}, 20, 50, 100000);
    AllSnapsOn();
    const Extended A = Glob.OsnapSize / (2 * Glob.BoduNaMm);
    S.Form->PointerAtWorld(Mid);
    int64_t i = 0;
    for (auto _ : State) {
        const Extended T = Extended(i++ % 97) * 0.0648L;
        S.Form->PointerAtWorld({Mid.x + A / 2 * std::cos(T), Mid.y + A / 2 * std::sin(T)});
    }
    State.counters["aperture_mm"] = double(2 * A);
}
BENCHMARK(BM_OsnapCrossing)->Unit(benchmark::kMicrosecond);

}  // namespace
