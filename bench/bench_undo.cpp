// One undo snapshot (the whole drawing and the operation list copied into the next ring
// slot) and one UNDO, on drawings of 1k, 10k and 100k segments: both must grow linearly.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "shell/Main.h"
#include "shell/MainVars.h"

namespace {

struct TUndoScene {
    std::unique_ptr<TMainForm> Form;

    explicit TUndoScene(int64_t Segments) {
        ResetAllState();
        Form = std::make_unique<TMainForm>();
        Form->InitUndoSlots();
        const int64_t Plines = Segments / 10;
        for (int64_t k = 0; k < Plines; ++k) {
            const Osy O{Extended(k % 100) * 12, Extended(k / 100) * 12};
            TObjHeader* P = AllocObj(PlineSizeFor(10), ObjPline);
            P->Layer = uint8_t(1 + k % 8);
            AsPline(P)->S = O;
            for (int i = 0; i < 10; ++i) PlineSegs(P)[i] = {i % 5 == 4 ? 0.5L : 0, {O.x + i + 1, O.y + (i % 2) * 3}};
            AppendObj(P, MainVars.DataStart, MainVars.DataEnd);
        }
    }
    ~TUndoScene() {
        Form->InitUndoSlots();
        Form.reset();
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    }
};

void BM_UndoSnapshot(benchmark::State& State) {
    TUndoScene S(State.range(0));
    for (auto _ : State) S.Form->TakeUndoSnapshot();
    State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_UndoSnapshot)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
