// Editing commands typed through the command line on many selected objects: OFFSET of
// 1k, 10k and 100k squares must grow near-linearly (the commands look each copy's record
// up once per copy); so must FILTR on squares that are each drawn twice (a polyline is
// compared only with those of its size near its smallest x).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "CmdHarness.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"

namespace {

void BM_OffsetSquares(benchmark::State& State) {
    const auto Dir = std::filesystem::temp_directory_path() / "kestrilon_bench_commands";
    std::filesystem::create_directories(Dir);
    const int n = int(State.range(0));
    for (auto _ : State) {
        State.PauseTiming();
        TCmdHarness H(Dir.string());
        Glob.TabLayer[1].Show = true;
        for (int i = 0; i < n; ++i) {
            const Extended x = (i % 300) * 20.0L, y = (i / 300) * 20.0L;
            EnPline.RectangleAdd({x, y}, {x + 10, y + 10}, 1, MainVars.DataStart, MainVars.DataEnd);
            MainVars.DataEnd->Flags |= FlagSelected;
        }
        State.ResumeTiming();
        H.Enter("OFFSET");
        H.Enter("1");
        H.Enter("");
        H.Enter("-5 -5");  // outside every square
        State.PauseTiming();
        // The offset curves replace the squares (the start-up choice of OFFSET).
        const bool Made = CountObjs(MainVars.DataStart) == n;
        State.ResumeTiming();
        if (!Made) {
            State.SkipWithError("OFFSET did not replace every square by its curve");
            break;
        }
    }
    std::filesystem::remove_all(Dir);
    State.SetComplexityN(n);
}
BENCHMARK(BM_OffsetSquares)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_FiltrDuplicateSquares(benchmark::State& State) {
    const auto Dir = std::filesystem::temp_directory_path() / "kestrilon_bench_filtr";
    std::filesystem::create_directories(Dir);
    const int n = int(State.range(0));
    for (auto _ : State) {
        State.PauseTiming();
        TCmdHarness H(Dir.string());
        Glob.TabLayer[1].Show = true;
        for (int i = 0; i < 2 * n; ++i) {
            const Extended x = (i / 2 % 300) * 20.0L, y = (i / 2 / 300) * 20.0L;
            EnPline.RectangleAdd({x, y}, {x + 10, y + 10}, 1, MainVars.DataStart, MainVars.DataEnd);
            MainVars.DataEnd->Flags |= FlagSelected;
        }
        TScriptResponder R;
        R.ExpectModal("FiltrDialog", [](TForm& F) {
            F.ClickButton("BitBtnOk");
            return mrOk;
        });
        State.ResumeTiming();
        H.Enter("FILTR");
        H.Enter("");
        State.PauseTiming();
        const bool Halved = CountObjs(MainVars.DataStart) == n;
        State.ResumeTiming();
        if (!Halved) {
            State.SkipWithError("FILTR did not delete every second square");
            break;
        }
    }
    std::filesystem::remove_all(Dir);
    State.SetComplexityN(n);
}
BENCHMARK(BM_FiltrDuplicateSquares)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
