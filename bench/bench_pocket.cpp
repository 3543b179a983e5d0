// Pocket fills: meander and offset fills of rows of glyph-like outlines (a 5 x 7 mm
// outline with a 2 x 3 mm counter each) of 10, 100 and 1000 characters, a 500 x 500 mm
// plate with 100 round islands filled at step 0.1 mm, and the offset rings of a 300 mm
// circle at step 0.5 mm side by side with Clipper 1's offsetting (arcs flattened at
// 0.001 mm, one offset per ring at the same step). The cost of the character rows must
// grow near-linearly; the ratio ours / Clipper is printed as a counter.
#include <benchmark/benchmark.h>
#include <polyclipping/clipper.hpp>

#include <chrono>
#include <cmath>

#include "cam/MeanderFill.h"
#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"

namespace {

struct TList {
    TObjHeader *S = nullptr, *E = nullptr;
    ~TList() { FreeObjList(S, E); }
};

void Glyphs(int n, TList& L) {
    for (int i = 0; i < n; ++i) {
        const Extended x = i * 6;
        EnPline.RectangleAdd({x, 0}, {x + 5, 7}, 1, L.S, L.E);
        EnPline.RectangleAdd({x + 1.5L, 2}, {x + 3.5L, 5}, 1, L.S, L.E);
    }
}

void Fill(benchmark::State& State, TList& In, bool Meander, Extended Step) {
    for (auto _ : State) {
        TList Out;
        CreateFills(In.S, In.E, Meander, 1, Out.S, Out.E, 0.5L, GeomPi / 4, Step, false);
        benchmark::DoNotOptimize(Out.S);
    }
}

void BM_GlyphMeander(benchmark::State& State) {
    ResetAllState();
    TList In;
    Glyphs(int(State.range(0)), In);
    Fill(State, In, true, 0.3L);
    State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_GlyphMeander)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_GlyphOffset(benchmark::State& State) {
    ResetAllState();
    TList In;
    Glyphs(int(State.range(0)), In);
    Fill(State, In, false, 0.3L);
    State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_GlyphOffset)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_PlateMeander(benchmark::State& State) {
    ResetAllState();
    TList In;
    EnPline.RectangleAdd({0, 0}, {500, 500}, 1, In.S, In.E);
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j) EnPline.CircleAdd({25 + 50.0L * i, 25 + 50.0L * j}, 10, 1, In.S, In.E);
    Fill(State, In, true, 0.1L);
}
BENCHMARK(BM_PlateMeander)->Unit(benchmark::kMillisecond)->Iterations(1);

// Clipper's rings of the same circle: one offset of the flattened circle per ring.
int ClipperRings(Extended R, Extended Step) {
    const double Scale = 1e6;
    ClipperLib::Path C;
    const int n = int(std::ceil(GeomPi / std::acos(1 - 0.001 / double(R))));
    for (int k = 0; k < n; ++k)
        C.push_back({ClipperLib::cInt(std::llround(double(R) * std::cos(2 * M_PI * k / n) * Scale)),
                     ClipperLib::cInt(std::llround(double(R) * std::sin(2 * M_PI * k / n) * Scale))});
    int Rings = 0;
    ClipperLib::Paths Cur{C};
    while (!Cur.empty()) {
        ClipperLib::ClipperOffset Co;
        Co.ArcTolerance = 0.001 * Scale;
        Co.AddPaths(Cur, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
        ClipperLib::Paths Next;
        Co.Execute(Next, -double(Step) * Scale);
        Rings += int(Next.size());
        Cur.swap(Next);
    }
    return Rings;
}

void BM_CircleRings(benchmark::State& State) {
    ResetAllState();
    TList In;
    EnPline.CircleAdd({0, 0}, 150, 1, In.S, In.E);
    double Ours = 0, Theirs = 0;
    int Rings = 0, ClipRings = 0;
    for (auto _ : State) {
        auto t0 = std::chrono::steady_clock::now();
        TList Out;
        CreateFills(In.S, In.E, false, 1, Out.S, Out.E, 1, 0, 0.5L, false);
        auto t1 = std::chrono::steady_clock::now();
        ClipRings = ClipperRings(150, 0.5L);
        auto t2 = std::chrono::steady_clock::now();
        Rings = CountObjs(Out.S);
        Ours += std::chrono::duration<double>(t1 - t0).count();
        Theirs += std::chrono::duration<double>(t2 - t1).count();
    }
    State.counters["rings"] = Rings;
    State.counters["clipper_rings"] = ClipRings;
    State.counters["ours_per_clipper"] = Theirs > 0 ? Ours / Theirs : 0;
}
BENCHMARK(BM_CircleRings)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
