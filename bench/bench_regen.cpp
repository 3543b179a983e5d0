// Regeneration after one MOVE: 100 contour operations on 1,000 squares (ten each), one
// square moved through the command line. Only the operation of the moved square is
// rebuilt; the benchmark fails when any other one is.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "CmdHarness.h"
#include "cam/CamOpList.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "platform/Controls.h"
#include "shell/MainVars.h"
#include "tools/UniTType.h"

namespace {

int RegenCount() {
    int n = 0;
    for (const std::string& T : TCmdHarness::LogTexts()) n += T.rfind("Ops:Regen ContourOp Start", 0) == 0;
    return n;
}

void BM_RegenAfterMove(benchmark::State& State) {
    const auto Dir = std::filesystem::temp_directory_path() / "kestrilon_bench_regen";
    std::filesystem::create_directories(Dir);
    for (auto _ : State) {
        State.PauseTiming();
        TCmdHarness H(Dir.string());
        SetLogLength(1000000);
        Glob.TabLayer[1].Show = true;
        Glob.LayerDraw = 1;
        Glob.AutoRegen = true;
        if (Glob.MillToolType.empty()) InitToolType();
        TTool& T = Glob.Tool[1];
        T.ToolType = 1;
        T.SpodniPrumer = T.HorniPrumer = 2;
        for (auto& P : T.Pruchod) P.Hloubka = -1;
        T.Pruchod[1].Hloubka = 1;
        TObjHeader* Moved = nullptr;
        for (int op = 0; op < 100; ++op) {
            for (int k = 0; k < 10; ++k) {
                const int i = op * 10 + k;
                const Extended x = (i % 40) * 20.0L, y = (i / 40) * 20.0L;
                EnPline.RectangleAdd({x, y}, {x + 10, y + 10}, 1, MainVars.DataStart, MainVars.DataEnd);
                MainVars.DataEnd->Flags |= FlagSelected;
                if (i == 505) Moved = MainVars.DataEnd;
            }
            H.Answer(mrOk);
            H.Enter("CONTOUR");
            H.Enter("");
        }
        const int Before = RegenCount();
        Moved->Flags |= FlagSelected;
        State.ResumeTiming();
        H.Enter("MOVE");
        H.Enter("");
        H.Enter("0 0");
        H.Enter("1 1");
        State.PauseTiming();
        const bool One = OpList.CamCnt == 100 && RegenCount() - Before == 1;
        State.ResumeTiming();
        if (!One) {
            State.SkipWithError("other operations than the moved square's were rebuilt");
            break;
        }
    }
    std::filesystem::remove_all(Dir);
}
BENCHMARK(BM_RegenAfterMove)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
