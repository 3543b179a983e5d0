// The full redraw and the object-snap search of one pointer move on drawings of 1k,
// 10k and 100k segments: both must grow near-linearly with the drawing (the snap
// search stays local once its index is built).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "core/UniDraw.h"
#include "core/UniPline.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/Osnap.h"

namespace {

// Counts the primitives instead of painting them.
class TCountingCanvas : public TCanvas {
public:
    int64_t Calls = 0;
    void Clear(uint32_t) override { ++Calls; }
    void SetPixel(int32_t, int32_t, uint32_t) override { ++Calls; }
    void Line(int32_t, int32_t, int32_t, int32_t) override { ++Calls; }
    void Polyline(const std::vector<TPoint>&) override { ++Calls; }
    void Polygon(const std::vector<TPoint>&) override { ++Calls; }
    void Rectangle(int32_t, int32_t, int32_t, int32_t) override { ++Calls; }
    void FillRect(const TRect&) override { ++Calls; }
    void Ellipse(int32_t, int32_t, int32_t, int32_t) override { ++Calls; }
    void Arc(int32_t, int32_t, int32_t, int32_t, double, double) override { ++Calls; }
    void TextOut(int32_t, int32_t, const std::string&) override { ++Calls; }
    TSize TextExtent(const std::string&) override { return {8, 16}; }
    TRect ClipRect() const override { return {0, 0, 1600, 1000}; }
};

// A started main form with a 1600 x 1000 drawing area and a drawing of Segments
// segments: polylines of ten segments (every fifth an arc) on a square grid.
struct TScene {
    std::unique_ptr<TMainForm> Form;
    TCountingCanvas Canvas;

    explicit TScene(int64_t Segments) {
        ResetAllState();
        Form = std::make_unique<TMainForm>();
        Form->FormStarted = true;
        Form->Width = 1600;
        Form->Height = 1000;
        for (const char* P : {"OpsPanel", "LayPanel", "IconsPanel", "ComPanel"})
            if (TPanel* Pn = Form->Find<TPanel>(P)) Pn->Visible = false;
        for (int L = 0; L <= LayerCount; ++L) Glob.TabLayer[L].Show = true;
        const int64_t Plines = Segments / 10;
        const int64_t Side = int64_t(std::ceil(std::sqrt(double(Plines))));
        for (int64_t k = 0; k < Plines; ++k) {
            const Osy O{Extended(k % Side) * 12, Extended(k / Side) * 12};
            TObjHeader* P = AllocObj(PlineSizeFor(10), ObjPline);
            P->Layer = uint8_t(1 + k % 8);
            AsPline(P)->S = O;
            for (int i = 0; i < 10; ++i)
                PlineSegs(P)[i] = {i % 5 == 4 ? 0.5L : 0, {O.x + i + 1, O.y + (i % 2) * 3}};
            AppendObj(P, MainVars.DataStart, MainVars.DataEnd);
        }
        MainCanvas = &Canvas;
        Form->ComZoomObject();
    }
    ~TScene() {
        MainCanvas = nullptr;
        Form.reset();
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    }
};

void BM_Redraw(benchmark::State& State) {
    TScene S(State.range(0));
    for (auto _ : State) S.Form->ComRedraw();
    State.counters["calls"] = double(S.Canvas.Calls) / double(State.iterations());
    State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_Redraw)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();

// One pointer move with every object snap on while a command waits for a point.
void BM_OsnapMove(benchmark::State& State) {
    TScene S(State.range(0));
    MainCanvas = nullptr;  // the search alone
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
