// The full redraw through the program's Qt canvas into a 1600 x 1000 image, side by
// side with the floor: plain QPainter::drawLines of the same pixel segments with the
// same pens into the same kind of image. The first frame of a fresh drawing (zoom and
// full redraw, where the drawing's indexes are built) is timed apart from the later
// frames: first_ratio (first frame / the floor's first paint) beside ratio (later
// frames / floor). Zoomed
// into a hundredth of the area, zoom_ratio (zoomed redraw / full redraw). Both images
// must come out the same. BM_PointerMove: a pointer move against the full repaint.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include "BenchScene.h"
#include "platform/qt/QtLineFloor.h"
#include "platform/qt/QtProbe.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point A) { return std::chrono::duration<double>(Clock::now() - A).count(); }

// The toolkit on the offscreen platform, made before the first canvas.
bool StartToolkit() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The application ends before the process tears its statics down: widgets of the
    // program's forms must not outlive it.
    if (QtProbe::EnsureApp()) std::atexit([] { QtProbe::EndApp(); });
    return true;
}

struct TQtScene {
    bool Started = StartToolkit();
    std::unique_ptr<TCanvas> CanvasPtr = QtProbe::MakeCanvas(1600, 1000);
    TCanvas& Canvas = *CanvasPtr;
    TBenchScene Scene;
    explicit TQtScene(int64_t Segments) : Scene(Segments, &Canvas, false) {}
};

// The floor's input: every segment of the drawing in pixels in its layer's colour, in
// the drawing's order, over the picture of the view without the drawing.
void FillFloor(TQtScene& S, TQtLineFloor& F) {
    for (TObjHeader* P = MainVars.DataStart; P; P = P->Next) {
        TPoint a = WorldToPixel(AsPline(P)->S);
        for (int32_t i = 0; i < PlineSegCount(P); ++i) {
            const TPoint b = WorldToPixel(PlineSegs(P)[i].E);
            F.AddSegment(Glob.TabLayer[P->Layer].Color, a, b);
            a = b;
        }
    }
    TObjHeader *First = MainVars.DataStart, *Last = MainVars.DataEnd;
    MainVars.DataStart = MainVars.DataEnd = nullptr;
    S.Scene.Form->ComRedraw();
    F.TakeBackground(S.Canvas);
    MainVars.DataStart = First;
    MainVars.DataEnd = Last;
}

void BM_Redraw(benchmark::State& State) {
    TQtScene S(State.range(0));
    auto t0 = Clock::now();
    FlushQtCanvas(S.Canvas);
    const double First = S.Scene.FirstFrameSec + Seconds(t0);
    TQtLineFloor F;
    FillFloor(S, F);
    t0 = Clock::now();
    F.Paint();
    const double FirstPlain = Seconds(t0);
    double Ours = 0, Plain = 0;
    for (auto _ : State) {
        auto t = Clock::now();
        S.Scene.Form->ComRedraw();
        FlushQtCanvas(S.Canvas);
        const double o = Seconds(t);
        t = Clock::now();
        F.Paint();
        Plain += Seconds(t);
        Ours += o;
        State.SetIterationTime(o);
    }
    const int64_t Diff = F.DifferentPixels(S.Canvas);
    if (Diff != 0) State.SkipWithError(("images differ in " + std::to_string(Diff) + " pixels").c_str());
    State.counters["ratio"] = Ours / Plain;
    State.counters["floor_ms"] = 1000 * Plain / double(State.iterations());
    State.counters["first_ms"] = 1000 * First;
    State.counters["first_floor_ms"] = 1000 * FirstPlain;
    State.counters["first_ratio"] = First / FirstPlain;
}
BENCHMARK(BM_Redraw)->RangeMultiplier(10)->Range(10000, 1000000)->UseManualTime()->Unit(benchmark::kMillisecond);

// The view zoomed into a tenth of the width and height about the drawing's middle,
// against the full view in the same loop.
void BM_RedrawZoomed(benchmark::State& State) {
    TQtScene S(State.range(0));
    const Osy FullMin = Glob.ZoomMin, FullMax = Glob.ZoomMax;
    const Extended FullScale = Glob.BoduNaMm;
    const Osy C{(FullMin.x + FullMax.x) / 2, (FullMin.y + FullMax.y) / 2};
    const Osy Half{(FullMax.x - FullMin.x) / 20, (FullMax.y - FullMin.y) / 20};
    auto view = [&](bool Zoomed) {
        Glob.ZoomMin = Zoomed ? Osy{C.x - Half.x, C.y - Half.y} : FullMin;
        Glob.ZoomMax = Zoomed ? Osy{C.x + Half.x, C.y + Half.y} : FullMax;
        Glob.BoduNaMm = Zoomed ? FullScale * 10 : FullScale;
    };
    double Zoomed = 0, Full = 0;
    for (auto _ : State) {
        view(true);
        auto t = Clock::now();
        S.Scene.Form->ComRedraw();
        FlushQtCanvas(S.Canvas);
        const double z = Seconds(t);
        view(false);
        t = Clock::now();
        S.Scene.Form->ComRedraw();
        FlushQtCanvas(S.Canvas);
        Full += Seconds(t);
        Zoomed += z;
        State.SetIterationTime(z);
    }
    State.counters["zoom_ratio"] = Zoomed / Full;
}
BENCHMARK(BM_RedrawZoomed)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// A pointer move over the drawing (no command, no snaps): the kept picture with the
// pointer's marks over it, against the full repaint in the same loop (move_ratio).
void BM_PointerMove(benchmark::State& State) {
    TQtScene S(State.range(0));
    S.Scene.Form->ComRedraw();
    double Move = 0, Full = 0;
    int64_t i = 0;
    for (auto _ : State) {
        const Extended X = Extended(i++ % 97) * 3.1L;
        auto t = Clock::now();
        S.Scene.Form->PointerAtWorld({X, X * 0.7L});
        FlushQtCanvas(S.Canvas);
        const double m = Seconds(t);
        t = Clock::now();
        S.Scene.Form->ComRedraw();
        FlushQtCanvas(S.Canvas);
        Full += Seconds(t);
        Move += m;
        State.SetIterationTime(m);
    }
    State.counters["move_ratio"] = Move / Full;
}
// A fixed count: the full repaint beside each move would otherwise run for minutes.
BENCHMARK(BM_PointerMove)->RangeMultiplier(10)->Range(10000, 1000000)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
