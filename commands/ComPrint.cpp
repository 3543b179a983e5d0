#include "commands/ComPrint.h"

#include <algorithm>
#include <array>

#include "commands/ComCommon.h"
#include "commands/PrintDg.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/UniGroup.h"
#include "core/UniLog.h"
#include "platform/Printer.h"
#include "shell/Main.h"
#include "shell/MainVars.h"

namespace {

constexpr uint32_t White = 0x00FFFFFF;

// The view values printing changes, kept to be put back.
struct TSavedView {
    Osy Okno, OknoStart, ZoomMin, ZoomMax;
    Extended BoduNaMm = 0;
    bool TextEnv = false;
    bool Grid = false;
    uint32_t BackColor = 0, OutLimColor = 0, CrossHairColor = 0;
    std::array<uint32_t, LayerCount + 1> LayerColors{};
};

TMenuItem* GridItem() { return MainForm ? MainForm->Find<TMenuItem>("GridOnMnu") : nullptr; }

TSavedView SaveView() {
    TSavedView S;
    S.Okno = Glob.Okno;
    S.OknoStart = Glob.OknoStart;
    S.ZoomMin = Glob.ZoomMin;
    S.ZoomMax = Glob.ZoomMax;
    S.BoduNaMm = Glob.BoduNaMm;
    S.TextEnv = Glob.TextEnv;
    if (TMenuItem* G = GridItem()) S.Grid = G->Checked;
    S.BackColor = Glob.BackColor;
    S.OutLimColor = Glob.OutLimColor;
    S.CrossHairColor = Glob.CrossHairColor;
    for (int l = 1; l <= LayerCount; ++l) S.LayerColors[l] = Glob.TabLayer[l].Color;
    return S;
}

void RestoreView(const TSavedView& S) {
    Glob.Okno = S.Okno;
    Glob.OknoStart = S.OknoStart;
    Glob.ZoomMin = S.ZoomMin;
    Glob.ZoomMax = S.ZoomMax;
    Glob.BoduNaMm = S.BoduNaMm;
    Glob.TextEnv = S.TextEnv;
    if (TMenuItem* G = GridItem()) G->Checked = S.Grid;
    Glob.BackColor = S.BackColor;
    Glob.OutLimColor = S.OutLimColor;
    Glob.CrossHairColor = S.CrossHairColor;
    for (int l = 1; l <= LayerCount; ++l) Glob.TabLayer[l].Color = S.LayerColors[l];
}

// The envelope of every object; false when the drawing is empty.
bool DrawingEnvelope(Osy& Min, Osy& Max) {
    bool Any = false;
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        Osy A, B;
        EnvelopeObj(p, A, B);
        if (!Any) {
            Min = A;
            Max = B;
            Any = true;
            continue;
        }
        Min = {std::min(Min.x, A.x), std::min(Min.y, A.y)};
        Max = {std::max(Max.x, B.x), std::max(Max.y, B.y)};
    }
    return Any;
}

}  // namespace

void ComPrint() {
    MainVars.ComCnt = -1;
    WriteLog("Sys:ComPrint Start");
    if (!TiskDialog) CreateTiskDialog();
    TTiskDialog& D = *TiskDialog;
    if (D.ShowModal() != mrOk) {
        ComRedrawView();
        return;
    }
    ComRedrawView();
    TPrinter& P = Printer();
    if (!P.BeginDoc()) {
        WriteLog("Err:No printer");
        WriteLog("Sys:ComPrint End");
        return;
    }
    const TSavedView Saved = SaveView();
    Glob.BackColor = White;
    Glob.OutLimColor = White;
    Glob.CrossHairColor = White;
    Glob.TextEnv = false;
    if (TMenuItem* G = GridItem()) G->Checked = false;
    for (int l = 1; l <= LayerCount; ++l)
        if (Glob.TabLayer[l].Color == White) Glob.TabLayer[l].Color = 0;

    const Extended WMm = P.PageWidthMm(), HMm = P.PageHeightMm();
    const int32_t WPx = P.PageWidth() - 1, HPx = P.PageHeight() - 1;
    Glob.Okno = {Extended(WPx), Extended(HPx)};
    Glob.OknoStart = {0, 0};

    Osy Min, Max;
    bool Region = true;
    if (D.RBtnLimits->Checked) {
        Min = Glob.MinLim;
        Max = Glob.MaxLim;
    } else if (D.RBtnDisplay->Checked) {
        Min = Saved.ZoomMin;
        Max = Saved.ZoomMax;
    } else {
        Region = DrawingEnvelope(Min, Max);
        // A flat envelope is widened to 1 mm.
        if (Max.x - Min.x < CoordTol) Max.x = Min.x + 1;
        if (Max.y - Min.y < CoordTol) Max.y = Min.y + 1;
    }
    if (D.RBtnScale1->Checked) Max = {Min.x + WMm, Min.y + HMm};
    const Extended RW = Max.x - Min.x, RH = Max.y - Min.y;
    // Nothing is printed for an empty region or a page without size.
    if (Region && RW > CoordTol && RH > CoordTol && WPx > 0 && HPx > 0 && P.Canvas()) {
        Glob.BoduNaMm = std::min(WPx / RW, HPx / RH);
        Glob.ZoomMin = Min;
        Glob.ZoomMax = {Min.x + WPx / Glob.BoduNaMm, Min.y + HPx / Glob.BoduNaMm};
        TCanvas* C = P.Canvas();
        C->Clear(White);
        Glob.Sort.Index = 1;
        Glob.Sort.InGroup = false;
        MainVars.LastPos = {0, 0};
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
            DrawObj(p, C);
            const bool OnLayer =
                p->Type == ObjGroup ? EnGroup.Contents(Glob.LayerDraw, p) : p->Layer == Glob.LayerDraw;
            if (OnLayer) ++Glob.Sort.Index;
        }
        Glob.Sort.Index = 0;
        Glob.Sort.InGroup = false;
        MainVars.LastPos = {0, 0};
    }
    P.EndDoc();
    RestoreView(Saved);
    ComRedrawView();
    WriteLog("Sys:ComPrint End");
}
