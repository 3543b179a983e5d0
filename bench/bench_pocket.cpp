// Pockets: MEANDR of TrueType text outlines (DejaVu Sans, 10 mm, rows of 50
// characters) of 10, 100 and 1,000 characters with the meander and the offset fill,
// typed through the command line as a user would; the regeneration after MOVE of a
// pocketed 100-character text beside building it once; a 500 x 500 mm plate with 100
// round islands filled at step 0.1 mm; and the offset rings of a 300 mm circle at step
// 0.5 mm side by side with Clipper 1's offsetting (arcs flattened at 0.001 mm, one
// offset per ring at the same step). The text pockets report their growth exponent
// against the character count; the circle reports ours / Clipper. The NC export of the
// offset-filled 1,000-character pocket is measured against its floor: the same bytes
// written from a prepared buffer through the program's safe write (ratio = export / floor).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "ClipperOracle.h"
#include "CmdHarness.h"
#include "cam/CamOpList.h"
#include "cam/MeanderFill.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/ResetState.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniText.h"
#include "core/TextFile.h"
#include "core/UniWalk.h"
#include "output/NcOut.h"
#include "platform/Controls.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "tools/UniTType.h"

namespace {

struct TList {
    TObjHeader *S = nullptr, *E = nullptr;
    ~TList() { FreeObjList(S, E); }
};

constexpr int PerRow = 50;

// A started program with a 0.6 mm cylindrical tool 1 mm deep on layer 1 and the
// outlines of Chars characters of TrueType text in the drawing, selected.
struct TTextJob {
    std::filesystem::path Dir = std::filesystem::temp_directory_path() / "kestrilon_bench_pocket";
    std::unique_ptr<TCmdHarness> H;
    std::unique_ptr<TScriptResponder> R;
    int Outlines = 0;

    explicit TTextJob(int Chars) {
        std::filesystem::create_directories(Dir);
        H = std::make_unique<TCmdHarness>(Dir.string());
        SetLogLength(1000000);
        Glob.TabLayer[1].Show = true;
        Glob.LayerDraw = 1;
        if (Glob.MillToolType.empty()) InitToolType();
        TTool& T = Glob.Tool[1];
        T.ToolType = 1;
        T.SpodniPrumer = T.HorniPrumer = 0.6L;
        for (auto& P : T.Pruchod) P.Hloubka = -1;
        T.Pruchod[1].Hloubka = 1;
        const std::string Base = "Kestrilon engraves 0123456789 ABCDEFGHJKLMNOPRSTUVXYZ ";
        TList Texts;
        for (int row = 0; row * PerRow < Chars; ++row) {
            std::string s;
            while (int(s.size()) < PerRow) s += Base.substr(size_t(row % 7));
            s.resize(size_t(std::min(PerRow, Chars - row * PerRow)));
            WorkText = ParText{};
            WorkText.JmFontu = "DejaVu Sans";
            WorkText.Justify = uint8_t(4 | JustifyTrueType);
            WorkText.Vyska = 10;
            WorkText.WidthFactor = 1;
            WorkText.Origin = {0, -15.0L * row};
            WorkText.Text = s;
            EnText.Add(1, Texts.S, Texts.E, false);
        }
        for (TObjHeader* t = Texts.S; t; t = t->Next) EnText.Explode(t, false, MainVars.DataStart, MainVars.DataEnd);
        SelectAll();
        R = std::make_unique<TScriptResponder>();
    }
    ~TTextJob() {
        R.reset();
        H.reset();
        std::filesystem::remove_all(Dir);
    }
    void SelectAll() {
        Outlines = 0;
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
            p->Flags |= FlagSelected;
            ++Outlines;
        }
    }
    // MEANDR with the given fill; false when the pocket did not come out whole.
    bool Pocket(bool Offset) {
        R->ExpectModal("FillDialog", [Offset](TForm& F) {
            F.Find<TControl>(Offset ? "RBtnOffset" : "RBtnMeandr")->Click();
            F.Find<TControl>("RBtnSingleTool")->Click();
            F.Find<TControl>("EditPresahSrafMm")->Text = "0.2";
            F.Find<TControl>("EditUhelSraf")->Text = "45";
            F.Find<TControl>("EditPridSrafMm")->Text = "0";
            F.Find<TControl>("EditAllError")->Text = "0";
            F.ClickButton("BitBtnOK");
            return mrOk;
        });
        H->Enter("MEANDR");
        H->Enter("");
        return R->Done() && OpList.CamCnt == 3 && OpList.Cam[0].Status == 0;
    }
    int Paths() const {
        int n = 0;
        for (int i = 0; i < OpList.Cam[0].ChilCnt; ++i)
            if (TObjHeader* G = OpList.Cam[0].Childs[size_t(i)]; G && G->Type == ObjGroup) n += AsGroup(G)->Count;
        return n;
    }
};

// Seconds per pocket of the smallest text, per fill, for the growth exponent.
double Smallest[2] = {0, 0};

void TextPocket(benchmark::State& State, bool Offset) {
    int Paths = 0, Outlines = 0;
    double Sum = 0;
    int Runs = 0;
    for (auto _ : State) {
        State.PauseTiming();
        auto Job = std::make_unique<TTextJob>(int(State.range(0)));
        Outlines = Job->Outlines;
        State.ResumeTiming();
        const auto t0 = std::chrono::steady_clock::now();
        const bool Ok = Job->Pocket(Offset);
        Sum += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        ++Runs;
        State.PauseTiming();
        Paths = Job->Paths();
        Job.reset();
        State.ResumeTiming();
        if (!Ok) {
            State.SkipWithError("the pocket was not built whole");
            break;
        }
    }
    State.counters["outlines"] = Outlines;
    State.counters["paths"] = Paths;
    State.SetComplexityN(State.range(0));
    // The exponent k of time ~ characters^k from the smallest text to this one.
    const double PerRun = Runs > 0 ? Sum / Runs : 0;
    if (State.range(0) == 10) Smallest[Offset] = PerRun;
    if (State.range(0) > 10 && Smallest[Offset] > 0 && PerRun > 0)
        State.counters["growth_exponent"] = std::log(PerRun / Smallest[Offset]) / std::log(double(State.range(0)) / 10);
}

void BM_TextPocketMeander(benchmark::State& State) { TextPocket(State, false); }
void BM_TextPocketOffset(benchmark::State& State) { TextPocket(State, true); }
BENCHMARK(BM_TextPocketMeander)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_TextPocketOffset)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_TextPocketNcExport(benchmark::State& State) {
    TTextJob Job(int(State.range(0)));
    if (!Job.Pocket(true)) {
        State.SkipWithError("the pocket was not built whole");
        return;
    }
    const std::string Nc = (Job.Dir / "pocket.nc").string(), Plain = (Job.Dir / "plain.nc").string();
    double Ours = 0, Floor = 0;
    std::string Bytes;
    for (auto _ : State) {
        // The export lists what it could not do as asked (plunges it replaced) and the
        // user closes the list.
        Job.R->ExpectModal("ErrorDialog", [](TForm&) { return mrOk; });
        const auto t0 = std::chrono::steady_clock::now();
        const bool Ok = SaveNc(Nc, true);
        const auto t1 = std::chrono::steady_clock::now();
        if (!Ok || !ReadFileBytes(Nc, Bytes) || Bytes.size() < 1000) {
            State.SkipWithError("the program was not written");
            return;
        }
        const auto t2 = std::chrono::steady_clock::now();
        WriteFileSafe(Plain, Bytes);
        const auto t3 = std::chrono::steady_clock::now();
        Ours += std::chrono::duration<double>(t1 - t0).count();
        Floor += std::chrono::duration<double>(t3 - t2).count();
        State.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    State.counters["paths"] = Job.Paths();
    State.counters["ours_ms"] = 1000 * Ours / double(State.iterations());
    State.counters["floor_ms"] = 1000 * Floor / double(State.iterations());
    State.counters["ratio"] = Floor > 0 ? Ours / Floor : 0;
    State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(Bytes.size()));
}
BENCHMARK(BM_TextPocketNcExport)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

int PocketRegens() {
    int n = 0;
    for (const std::string& T : TCmdHarness::LogTexts()) n += T.rfind("Ops:Regen PocketOp Start", 0) == 0;
    return n;
}

// The time of MOVE of a pocketed 100-character text (its regeneration included);
// move_per_build relates it to building the pocket. The pocket is rebuilt once,
// however many of its outlines moved.
void BM_TextPocketMoveRegen(benchmark::State& State) {
    double Build = 0, Move = 0;
    for (auto _ : State) {
        State.PauseTiming();
        auto Job = std::make_unique<TTextJob>(100);
        Glob.AutoRegen = true;
        const auto t0 = std::chrono::steady_clock::now();
        const bool Ok = Job->Pocket(false);
        const auto t1 = std::chrono::steady_clock::now();
        ClearSelection(MainVars.DataStart);
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next)
            if (p->Type == ObjPline) p->Flags |= FlagSelected;
        const int Before = PocketRegens();
        State.ResumeTiming();
        const auto t2 = std::chrono::steady_clock::now();
        Job->H->Enter("MOVE");
        Job->H->Enter("");
        Job->H->Enter("0 0");
        Job->H->Enter("10 5");
        const auto t3 = std::chrono::steady_clock::now();
        State.PauseTiming();
        const bool Regen = OpList.Cam[0].Status == 0 && OpList.Cam[0].ChilCnt > 0 && PocketRegens() - Before == 1;
        Job.reset();
        State.ResumeTiming();
        Build += std::chrono::duration<double>(t1 - t0).count();
        Move += std::chrono::duration<double>(t3 - t2).count();
        if (!Ok || !Regen) {
            State.SkipWithError("the pocket was not built, or not rebuilt exactly once");
            break;
        }
    }
    State.counters["move_per_build"] = Build > 0 ? Move / Build : 0;
}
BENCHMARK(BM_TextPocketMoveRegen)->Unit(benchmark::kMillisecond)->Iterations(3);

void Fill(benchmark::State& State, TList& In, bool Meander, Extended Step) {
    for (auto _ : State) {
        TList Out;
        CreateFills(In.S, In.E, Meander, 1, Out.S, Out.E, 0.5L, GeomPi / 4, Step, false);
        benchmark::DoNotOptimize(Out.S);
    }
}

void BM_PlateMeander(benchmark::State& State) {
    ResetAllState();
    TList In;
    EnPline.RectangleAdd({0, 0}, {500, 500}, 1, In.S, In.E);
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j) EnPline.CircleAdd({25 + 50.0L * i, 25 + 50.0L * j}, 10, 1, In.S, In.E);
    Fill(State, In, true, 0.1L);
}
BENCHMARK(BM_PlateMeander)->Unit(benchmark::kMillisecond)->Iterations(3);

// Clipper's rings of the same circle: one offset of the previous ring per ring.
int ClipperRings(const TObjHeader* Circle, Extended Step) {
    int Rings = 0;
    ClipperLib::Paths Cur{oracle::Flatten(Circle)};
    while (!Cur.empty()) {
        ClipperLib::ClipperOffset Co;
        Co.ArcTolerance = oracle::ArcTol * oracle::ClipScale;
        Co.AddPaths(Cur, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
        ClipperLib::Paths Next;
        Co.Execute(Next, -double(Step) * oracle::ClipScale);
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
        ClipRings = ClipperRings(In.S, 0.5L);
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
