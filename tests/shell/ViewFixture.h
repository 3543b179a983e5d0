// Fixture of the drawing-view tests: the program started through the command harness,
// a recording canvas as the main canvas, every layer shown in a colour of its own, and
// a plain view (1000 x 700 pixels, world origin at the lower-left corner, 8 px/mm).
#pragma once
#include <memory>
#include <set>
#include <vector>

#include "core/Glob.h"
#include "core/UniDraw.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "platform/RecordingCanvas.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

class ViewTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        H = std::make_unique<TCmdHarness>(Dir());
        for (int L = 0; L <= LayerCount; ++L) {
            Glob.TabLayer[L].Show = true;
            Glob.TabLayer[L].Color = 0x010000u * uint32_t(L) + 0x11;
        }
        // The drawing area is the whole client area: the panels around it are hidden.
        for (const char* P : {"OpsPanel", "LayPanel", "IconsPanel", "ComPanel"})
            if (TPanel* Pn = F().Find<TPanel>(P)) Pn->Visible = false;
        MainCanvas = &Canvas;
        SetView({0, 0}, 8);
    }
    void TearDown() override {
        MainCanvas = nullptr;
        H.reset();
        KestrilonTest::TearDown();
    }

    TMainForm& F() { return H->Form(); }

    // Lower-left world corner Min, B pixels per mm, the area as the form gives it.
    void SetView(const Osy& Min, Extended B) {
        F().RecalcOkno();
        Glob.ZoomMin = Min;
        Glob.BoduNaMm = B;
        Glob.ZoomMax = {Min.x + Glob.Okno.x / B, Min.y + Glob.Okno.y / B};
    }

    TObjHeader* Line(const Osy& S, const Osy& E, uint8_t Layer = 1) {
        EnPline.LineAdd(S, E, Layer, MainVars.DataStart, MainVars.DataEnd);
        return MainVars.DataEnd;
    }
    TObjHeader* Arc(const Osy& S, const Osy& E, Extended Alfa, uint8_t Layer = 1) {
        EnPline.ArcAdd(S, E, Alfa, Layer, MainVars.DataStart, MainVars.DataEnd);
        return MainVars.DataEnd;
    }
    TObjHeader* Circle(const Osy& C, Extended R, uint8_t Layer = 1) {
        EnPline.CircleAdd(C, R, Layer, MainVars.DataStart, MainVars.DataEnd);
        return MainVars.DataEnd;
    }
    TObjHeader* Point(const Osy& P, uint8_t Layer = 1) {
        return EnPoint.Add(P, Layer, MainVars.DataStart, MainVars.DataEnd);
    }

    TMenuItem* Menu(const char* Name) { return F().FindOrMake<TMenuItem>(Name); }

    // The recorded operations of one kind drawn with pen colour Color.
    std::vector<TCanvasOp> OpsIn(TCanvasOpKind Kind, uint32_t Color) const {
        std::vector<TCanvasOp> Out;
        for (const TCanvasOp& Op : Canvas.Ops)
            if (Op.Kind == Kind && Op.PenColor == Color) Out.push_back(Op);
        return Out;
    }
    size_t FillsIn(uint32_t Color) const {
        size_t N = 0;
        for (const TCanvasOp& Op : Canvas.Ops)
            if (Op.Kind == TCanvasOpKind::FillRect && Op.BrushColor == Color) ++N;
        return N;
    }

    void Redraw() {
        Canvas.Reset();
        F().ComRedraw();
    }

    TRecordingCanvas Canvas{1000, 700};
    std::unique_ptr<TCmdHarness> H;
};
