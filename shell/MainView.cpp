// The drawing area: its size between the panels and the one routine that paints it
// all, in a fixed order of layers (background, limit strips, backdrop, grid, the
// drawing, the preview list, highlights, snap marker, cursor and rubber band).
#include <algorithm>
#include <cmath>

#include "core/Entity.h"
#include "core/Glob.h"
#include "core/UniDraw.h"
#include "core/UniGroup.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/MainView.h"
#include "shell/ViewCulling.h"

bool MouseInPanel = false;
std::vector<RPolyPoints> HighlightPolys;
int32_t HighlightPolysCnt = 0;
THighlightCamOpFn HighlightCamOpHook = nullptr;
TBackdropHooks BackdropHooks;
void (*ReleaseOpHintHook)() = nullptr;
void (*SetCursorPosHook)(int32_t X, int32_t Y) = nullptr;

void ResetViewState() {
    MouseInPanel = false;
    HighlightPolys.clear();
    HighlightPolysCnt = 0;
}

namespace {

// A grid run never takes more steps than this: a view state that does not match the
// area (or steps lost in the precision of huge coordinates) cannot hang the redraw.
constexpr int64_t MaxGridSteps = 100000;

const TPanel* ShownPanel(const TMainForm& F, const char* Name) {
    const TPanel* P = F.Find<TPanel>(Name);
    return P && P->Visible ? P : nullptr;
}

int32_t ClampI(int32_t V, int32_t Lo, int32_t Hi) { return V < Lo ? Lo : V > Hi ? Hi : V; }

// The part of the drawing area beyond each limit line, in OutLimColor.
void DrawLimitStrips(TCanvas* C) {
    const int32_t L = RoundPx(Glob.OknoStart.x), T = RoundPx(Glob.OknoStart.y);
    const int32_t R = RoundPx(Glob.OknoStart.x + Glob.Okno.x), B = RoundPx(Glob.OknoStart.y + Glob.Okno.y);
    C->PenColor = Glob.OutLimColor;
    C->BrushColor = Glob.OutLimColor;
    C->BrushStyle = TBrushStyle::bsSolid;
    C->BrushOpacity = 1;
    const TPoint Lo = WorldToPixel(Glob.MinLim), Hi = WorldToPixel(Glob.MaxLim);
    auto Fill = [&](int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
        TRect Rc{ClampI(X1, L, R), ClampI(Y1, T, B), ClampI(X2, L, R), ClampI(Y2, T, B)};
        if (Rc.Right > Rc.Left && Rc.Bottom > Rc.Top) C->FillRect(Rc);
    };
    if (Glob.ZoomMin.x < Glob.MinLim.x) Fill(L, T, Lo.X, B);
    if (Glob.ZoomMin.y < Glob.MinLim.y) Fill(L, Lo.Y + 1, R, B);
    if (Glob.ZoomMax.x > Glob.MaxLim.x) Fill(Hi.X + 1, T, R, B);
    if (Glob.ZoomMax.y > Glob.MaxLim.y) Fill(L, T, R, Hi.Y);
}

// The backdrop picture: its longer side BitmapSize mm, lower-left corner at the origin.
void DrawBackdrop(TCanvas* C) {
    if (!Glob.BitmapUse || !BackdropHooks.PictureSize || !BackdropHooks.Draw) return;
    int32_t PW = 0, PH = 0;
    if (!BackdropHooks.PictureSize(Glob.BitmapFile, PW, PH) || PW <= 0 || PH <= 0) return;
    Extended W, H;
    if (PW >= PH) {
        W = Glob.BitmapSize;
        H = Glob.BitmapSize * PH / PW;
    } else {
        W = Glob.BitmapSize * PW / PH;
        H = Glob.BitmapSize;
    }
    const TPoint A = WorldToPixel({0, H}), Bp = WorldToPixel({W, 0});
    BackdropHooks.Draw(C, Glob.BitmapFile, TRect{A.X, A.Y, Bp.X, Bp.Y});
}

Extended RoundTo(Extended V, Extended Step) { return std::nearbyint(V / Step) * Step; }

void DrawGrid(TCanvas* C, bool GridOn) {
    const Osy D = Glob.GridDist;
    const Extended B = Glob.BoduNaMm;
    // A step that is not positive would never advance: no grid at all.
    if (!GridOn || !(D.x > 0) || !(D.y > 0) || !std::isfinite(D.x) || !std::isfinite(D.y)) return;
    if (!(D.x * B >= 6)) return;
    Osy G = D;
    while (G.x * B < 10) {
        G.x *= 2;
        G.y *= 2;
    }
    const Extended X0 = RoundTo(Glob.ZoomMin.x, D.x) + Glob.GridStart.x - D.x;
    const Extended Y0 = RoundTo(Glob.ZoomMin.y, G.y) + Glob.GridStart.y - G.y;
    C->PenColor = Glob.GridColor;
    C->PenWidth = Glob.RasterWidth;
    C->PenStyle = TPenStyle::psSolid;
    const float Op = Glob.RasterOpac;
    // The lines end on the window's edge: the pen's width in mm grows the visibility
    // window, so that such an end counts as inside and the line is not cut to a dot.
    const Extended PenMm = Extended(std::max(Glob.RasterWidth, 1)) / B;
    auto Xs = [&](auto Fn) {
        for (int64_t i = 0; i < MaxGridSteps; ++i) {
            const Extended X = X0 + i * G.x;
            if (!(X <= Glob.ZoomMax.x)) break;
            Fn(X);
        }
    };
    auto Ys = [&](auto Fn) {
        for (int64_t j = 0; j < MaxGridSteps; ++j) {
            const Extended Y = Y0 + j * G.y;
            if (!(Y <= Glob.ZoomMax.y)) break;
            Fn(Y);
        }
    };
    switch (Glob.GridType) {
        case 0:
            Xs([&](Extended X) { Ys([&](Extended Y) { DrawPixel({X, Y}, Glob.RasterWidth, C, Op); }); });
            break;
        case 2:
            Xs([&](Extended X) { Ys([&](Extended Y) { DrawCross({X, Y}, Glob.RasterWidth, C, Op); }); });
            break;
        case 1: {
            C->PenWidth = Glob.RasterWidth;
            Xs([&](Extended X) { DrawLine({X, Y0}, {X, Glob.ZoomMax.y}, C, Op, PenMm); });
            const Extended X1 = RoundTo(Glob.ZoomMin.x, G.x) + Glob.GridStart.x - G.x;
            Ys([&](Extended Y) { DrawLine({X1, Y}, {Glob.ZoomMax.x, Y}, C, Op, PenMm); });
            break;
        }
        default:
            break;
    }
}

// A point of the drawing: on a tool layer it follows the point plunge method of the
// layer's tool (vertical: plain; helical: with its helix; tangential, ramp: not drawn).
void DrawDrawingPoint(TObjHeader* P, TCanvas* C) {
    const uint8_t L = P->Layer;
    if (L < 1 || L > ToolLayerCount) {
        EnPoint.Draw(P, C);
        return;
    }
    const TToolPlunge& Z = Glob.Tool[L].Material.Zapich[poPoint];
    if (Z.Method == 0) {
        EnPoint.Draw(P, C);
    } else if (Z.Method == 3) {
        EnPoint.Draw(P, C);
        if (!Glob.TabLayer[L].Show) return;
        const Extended R = Z.SpiralRadPercent ? Glob.Tool[L].SpodniPrumer / 100 * Z.SpiralRad / 2
                                              : Z.SpiralRad / 2;
        const Osy S = AsPoint(P)->S;
        DrawCircle(S, R, C, 1, 0);
        DrawLine(S, {S.x + R, S.y}, C, 1, 0);
    }
}

// One record in its layer's colour with its kind's preview drawing.
void HighlightRecord(TObjHeader* P, TCanvas* C) {
    if (P->Layer <= LayerCount) C->PenColor = Glob.TabLayer[P->Layer].Color;
    RawDrawObj(P, C);
}

void HighlightLayerObjs(TObjHeader* First, uint8_t Layer, TCanvas* C) {
    for (TObjHeader* P = First; P; P = P->Next) {
        if (P->Type == ObjGroup) HighlightLayerObjs(AsGroup(P)->First, Layer, C);
        if (P->Layer == Layer) HighlightRecord(P, C);
    }
}

}  // namespace

void TMainForm::RecalcOkno() {
    Osy Okno{Extended(Width), Extended(Height)}, Start{0, 0};
    if (const TPanel* P = ShownPanel(*this, "LayPanel")) Okno.x -= P->Width;
    if (const TPanel* P = ShownPanel(*this, "ComPanel")) Okno.y -= P->Height;
    if (const TPanel* P = ShownPanel(*this, "IconsPanel")) Start.y = P->Height;
    if (const TPanel* P = ShownPanel(*this, "OpsPanel")) Start.x = P->Width;
    Okno.x -= Start.x;
    Okno.y -= Start.y;
    const Extended K = Glob.PxPerInch == 120 ? 0.8L : Glob.PxPerInch == 144 ? 0.7L : 1;
    if (K != 1) {
        Okno = {Okno.x * K, Okno.y * K};
        Start = {Start.x * K, Start.y * K};
    }
    Glob.Okno = Okno;
    Glob.OknoStart = Start;
}

TMainForm::TPaintedView TMainForm::ViewNow() const {
    TPaintedView V;
    const Extended Values[9] = {Glob.ZoomMin.x, Glob.ZoomMin.y, Glob.ZoomMax.x, Glob.ZoomMax.y, Glob.BoduNaMm,
                                Glob.Okno.x, Glob.Okno.y, Glob.OknoStart.x, Glob.OknoStart.y};
    std::copy(std::begin(Values), std::end(Values), V.Values);
    V.Width = Width;
    V.Height = Height;
    V.View = uint8_t(Glob.View);
    V.Canvas = MainCanvas;
    V.First = MainVars.DataStart;
    V.Last = MainVars.DataEnd;
    return V;
}

void TMainForm::ComRedraw() {
    if (!FormStarted) return;
    // Without a canvas nothing is painted, but the pointer modes, the snap search and
    // the pointer position are still brought up to date.
    TCanvas* C = MainCanvas;
    PictureKept = false;
    if (C) {
        C->BeginDraw();
        C->Clear(0x000000);
        C->PenColor = Glob.BackColor;
        C->BrushColor = Glob.BackColor;
        C->BrushStyle = TBrushStyle::bsSolid;
        C->BrushOpacity = 1;
        C->Opacity = 1;
        C->FillRect(TRect{0, 0, Width, Height});
        DrawLimitStrips(C);
        DrawBackdrop(C);
        const TMenuItem* GridMnu = Find<TMenuItem>("GridOnMnu");
        DrawGrid(C, GridMnu && GridMnu->Checked);

        Glob.Sort.Index = 1;
        MainVars.LastPos = {0, 0};
        Glob.Sort.InGroup = false;
        auto Draw = [C](TObjHeader* P) {
            if (P->Type == ObjPoint)
                DrawDrawingPoint(P, C);
            else
                DrawObj(P, C);
        };
        std::vector<TObjHeader*> Shown;
        if (VisibleRecords(Shown)) {
            for (TObjHeader* P : Shown) Draw(P);
        } else {
            for (TObjHeader* P = MainVars.DataStart; P; P = P->Next) {
                Draw(P);
                const bool OnLayer = P->Type == ObjGroup ? EnGroup.Contents(Glob.LayerDraw, P)
                                                         : P->Layer == Glob.LayerDraw;
                if (OnLayer) ++Glob.Sort.Index;
            }
        }
        for (TObjHeader* P = MainVars.ViewStart; P; P = P->Next) DrawObj(P, C);
        Glob.Sort.Index = 0;
        MainVars.LastPos = {0, 0};
        Glob.Sort.InGroup = false;
        PictureKept = C->KeepPicture();
        PaintedView = ViewNow();
    }
    PaintPointerMarks(C);
    if (C) C->EndDraw();
}

void TMainForm::RedrawPointer() {
    if (!FormStarted) return;
    TCanvas* C = MainCanvas;
    if (!C || !PictureKept || !(ViewNow() == PaintedView) || !C->RestorePicture()) {
        ComRedraw();
        return;
    }
    C->BeginDraw();
    PaintPointerMarks(C);
    C->EndDraw();
}

void TMainForm::PaintPointerMarks(TCanvas* C) {
    if (C) DrawOpHighlight();
    DrawOsnap();
    if (C) DrawLayerHighlight();
    RedrawCursor();
    if (DebugMode)
        if (TLabel* L = Find<TLabel>("LabCsize1"))
            L->Caption = "Client size X:" + std::to_string(Width) + " Y:" + std::to_string(Height);
}

void TMainForm::DrawOpHighlight() {
    TCanvas* C = MainCanvas;
    const uint8_t H = Glob.DrawHighLight;
    if (!C || (H != 1 && H != 2 && H != 5)) return;
    C->PenColor = Glob.PrevSelContColor;
    C->PenWidth = Glob.PrevSelContWidth;
    C->PenStyle = TPenStyle::psSolid;
    C->Opacity = Glob.PrevSelContOpac;
    if (H == 1) {
        C->BrushStyle = TBrushStyle::bsClear;
    } else {
        C->BrushStyle = TBrushStyle::bsSolid;
        C->BrushColor = Glob.PrevSelSurfColor;
        C->BrushOpacity = Glob.PrevSelSurfOpac;
    }
    const int32_t N = std::min<int32_t>(HighlightPolysCnt, int32_t(HighlightPolys.size()));
    for (int32_t i = 0; i < N; ++i) {
        const RPolyPoints& R = HighlightPolys[i];
        const size_t Cnt = std::min<size_t>(R.Cnt < 0 ? 0 : size_t(R.Cnt), R.PtArr.size());
        C->Polygon(std::vector<TPoint>(R.PtArr.begin(), R.PtArr.begin() + Cnt));
    }
}

void TMainForm::DrawLayerHighlight() {
    TCanvas* C = MainCanvas;
    if (!C || Glob.DrawHighLight < 100) return;
    C->PenStyle = TPenStyle::psSolid;
    C->BrushStyle = TBrushStyle::bsClear;
    C->PenWidth = Glob.PrevSelContWidth;
    C->Opacity = Glob.PrevSelContOpac;
    HighlightLayerObjs(MainVars.DataStart, uint8_t(Glob.DrawHighLight - 100), C);
}
