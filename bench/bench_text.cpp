// Text entities: creating and exploding growing amounts of stroke and TrueType text
// (texts of 50 characters in rows, 1,000 to 10,000 characters in all).
#include <benchmark/benchmark.h>

#include <string>

#include "core/IntFont.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/ResetState.h"
#include "core/UniText.h"

namespace {

constexpr int PerText = 50;

std::string Line(int i) {
    const std::string base = "Kestrilon 0123456789 \xE8\x9A\xF8\xE1 ABCXYZ kůň ";
    std::string s;
    while (int(s.size()) < PerText + i % 7) s += base;
    return s.substr(size_t(i % 7), PerText);
}

void AddAndExplode(benchmark::State& St, bool TrueType) {
    ResetAllState();
    const int texts = int(St.range(0)) / PerText;
    for (auto _ : St) {
        TObjHeader *s = nullptr, *e = nullptr;
        for (int i = 0; i < texts; ++i) {
            WorkText = ParText{};
            WorkText.JmFontu = TrueType ? "DejaVu Sans" : IntFontName;
            WorkText.Justify = uint8_t(4 | (TrueType ? JustifyTrueType : 0));
            WorkText.Vyska = 5;
            WorkText.WidthFactor = 1;
            WorkText.Rotate = 0.2L;
            WorkText.Origin = {150.0L, 8.0L * i};
            WorkText.Text = Line(i);
            EnText.Add(1, s, e, false);
        }
        TObjHeader *ps = nullptr, *pe = nullptr;
        for (TObjHeader* t = s; t; t = t->Next) EnText.Explode(t, false, ps, pe);
        benchmark::DoNotOptimize(ps);
        FreeObjList(ps, pe);
        FreeObjList(s, e);
    }
    St.SetComplexityN(St.range(0));
}

void BM_StrokeTextAddExplode(benchmark::State& St) { AddAndExplode(St, false); }
void BM_TrueTypeTextAddExplode(benchmark::State& St) { AddAndExplode(St, true); }

BENCHMARK(BM_StrokeTextAddExplode)->RangeMultiplier(10)->Range(1000, 10000)->Complexity(benchmark::oN);
BENCHMARK(BM_TrueTypeTextAddExplode)->RangeMultiplier(10)->Range(1000, 10000)->Complexity(benchmark::oN);

}  // namespace
