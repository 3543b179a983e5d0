// DXF import of 10k, 100k and 1M entities (lines, arcs and light-weight polylines in
// equal parts), in entities per second with the growth fitted over the sizes; and side
// by side with dxflib reading the same file into a trivial callback, where both must
// see the same entities and the ratio ours/dxflib is reported. Every size starts from a
// fresh state on a trimmed heap (scripts/bench.sh also runs each side-by-side size in a
// process of its own, so no size reads on a heap the previous one warmed).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "BenchDxf.h"
#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "formats/UniDXF.h"
#include "shell/MainVars.h"

#ifdef HAVE_DXFLIB
#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#endif

namespace {

// Our reader building the whole drawing; returns the objects made.
int64_t ReadOurs(const std::string& File) {
    Osy mn, mx;
    LoadDxf(File, mn, mx);
    const int64_t n = CountObjs(MainVars.DataStart);
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    return n;
}

void FreshState() {
    ResetAllState();
    malloc_trim(0);
}

void BM_DxfImport(benchmark::State& State) {
    const std::string& file = DxfFile(State.range(0));
    FreshState();
    int64_t made = 0;
    for (auto _ : State) made = ReadOurs(file);
    if (made != State.range(0)) State.SkipWithError("not every entity was read");
    State.SetItemsProcessed(State.iterations() * State.range(0));
    State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_DxfImport)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Complexity();

#ifdef HAVE_DXFLIB
struct TCounter : DL_CreationAdapter {
    int64_t Entities = 0;
    void addLine(const DL_LineData&) override { ++Entities; }
    void addArc(const DL_ArcData&) override { ++Entities; }
    void addPolyline(const DL_PolylineData&) override { ++Entities; }
};

void BM_DxfSideBySide(benchmark::State& State) {
    const std::string& file = DxfFile(State.range(0));
    FreshState();
    double ours = 0, theirs = 0;
    int64_t made = 0, seen = 0;
    for (auto _ : State) {
        const auto t0 = std::chrono::steady_clock::now();
        made = ReadOurs(file);
        const auto t1 = std::chrono::steady_clock::now();
        TCounter c;
        DL_Dxf dxf;
        dxf.in(file, &c);
        const auto t2 = std::chrono::steady_clock::now();
        seen = c.Entities;
        ours += std::chrono::duration<double>(t1 - t0).count();
        theirs += std::chrono::duration<double>(t2 - t1).count();
    }
    if (made != seen || made != State.range(0)) State.SkipWithError("the readers saw different entities");
    State.counters["ours/dxflib"] = theirs > 0 ? ours / theirs : 0;
    State.counters["ours_s"] = ours / double(State.iterations());
    State.counters["dxflib_s"] = theirs / double(State.iterations());
}
BENCHMARK(BM_DxfSideBySide)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
