// Building the outlines of stroke and TrueType texts of growing length.
#include <benchmark/benchmark.h>

#include <string>

#include "core/IntFont.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/ResetState.h"
#include "core/UniTrueType.h"

namespace {

std::string Sample(int64_t N) {
    const std::string base = "Kestrilon 0123456789 \xE8\x9A\xF8\xE1 ABCXYZ ";
    std::string s;
    while (int64_t(s.size()) < N) s += base;
    s.resize(size_t(N));
    return s;
}

void BM_StrokeTextBuild(benchmark::State& St) {
    ResetAllState();
    WorkText = ParText{};
    WorkText.JmFontu = IntFontName;
    WorkText.Vyska = 5;
    WorkText.WidthFactor = 0.8L;  // distorted: arcs become chains of arcs
    WorkText.Zkos = 0.1L;
    WorkText.Text = Sample(St.range(0));
    for (auto _ : St) {
        TObjHeader *s = nullptr, *e = nullptr;
        WalkShpText(ShpBuild, Osy{}, Osy{}, nullptr, 1, 1, s, e);
        benchmark::DoNotOptimize(s);
        FreeObjList(s, e);
    }
    St.SetComplexityN(St.range(0));
}
BENCHMARK(BM_StrokeTextBuild)->RangeMultiplier(10)->Range(100, 10000)->Complexity(benchmark::oN);

void BM_TrueTypeTextBuild(benchmark::State& St) {
    ResetAllState();
    TTrueTypeFace* dc = CachedFace("DejaVu Sans", false, false);
    std::string text = Sample(St.range(0));
    for (auto _ : St) {
        TObjHeader* g = dc ? TrueTypeText(*dc, text, 0.5L, 0) : nullptr;
        benchmark::DoNotOptimize(g);
        if (g) {
            TObjHeader *s = AsGroup(g)->First, *e = AsGroup(g)->Last;
            FreeObjList(s, e);
            FreeObjBlock(g);
        }
    }
    St.SetComplexityN(St.range(0));
}
BENCHMARK(BM_TrueTypeTextBuild)->RangeMultiplier(10)->Range(100, 10000)->Complexity(benchmark::oN);

}  // namespace
