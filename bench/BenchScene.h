// A started main form with a 1600 x 1000 drawing area, zoomed to a drawing of Segments
// segments: polylines of ten segments on a square grid, layers 1 to 8 in turn, in the
// layer colours of a first start.
// With Arcs every fifth segment is a bulge. FirstFrameSec: the zoom to the drawing with
// its first full redraw, timed apart (indexes of the drawing are built there).
#pragma once
#include <chrono>
#include <cmath>
#include <memory>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "core/UniDraw.h"
#include "core/UniPline.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/ViewDg.h"

struct TBenchScene {
    std::unique_ptr<TMainForm> Form;
    double FirstFrameSec = 0;

    TBenchScene(int64_t Segments, TCanvas* Canvas, bool Arcs) {
        ResetAllState();
        Form = std::make_unique<TMainForm>();
        Form->FormStarted = true;
        Form->Width = 1600;
        Form->Height = 1000;
        for (const char* P : {"OpsPanel", "LayPanel", "IconsPanel", "ComPanel"})
            if (TPanel* Pn = Form->Find<TPanel>(P)) Pn->Visible = false;
        // The layers' colours of a first start: neighbouring records differ in colour.
        if (!ViewDialog) CreateViewDialog();
        ViewDialog->InitView();
        for (int L = 0; L <= LayerCount; ++L) Glob.TabLayer[L].Show = true;
        const int64_t Plines = Segments / 10;
        const int64_t Side = int64_t(std::ceil(std::sqrt(double(Plines))));
        for (int64_t k = 0; k < Plines; ++k) {
            const Osy O{Extended(k % Side) * 12, Extended(k / Side) * 12};
            TObjHeader* P = AllocObj(PlineSizeFor(10), ObjPline);
            P->Layer = uint8_t(1 + k % 8);
            AsPline(P)->S = O;
            for (int i = 0; i < 10; ++i)
                PlineSegs(P)[i] = {Arcs && i % 5 == 4 ? 0.5L : 0, {O.x + i + 1, O.y + (i % 2) * 3}};
            AppendObj(P, MainVars.DataStart, MainVars.DataEnd);
        }
        MainCanvas = Canvas;
        const auto t0 = std::chrono::steady_clock::now();
        Form->ComZoomObject();
        FirstFrameSec = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    ~TBenchScene() {
        MainCanvas = nullptr;
        Form.reset();
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    }
};
