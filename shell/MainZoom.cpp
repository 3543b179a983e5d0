// Zoom and pan of the window onto the world, the zoom stack, the wheel, and the
// switches and steps of the grid, orthogonal mode, snap raster and angle step.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "cam/CamOpList.h"
#include "core/Entity.h"
#include "core/Global.h"
#include "core/Glob.h"
#include "core/UniLog.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/MainView.h"
#include "shell/UniLang.h"

namespace {

// The last stack slot a zoom-in step may fill (16 steps above the base window).
constexpr int MaxZoomIndex = 64;
// Smallest step of the snap raster and of the angle step.
constexpr Extended MinStep = 0.000099999999L;

void PushWindow() {
    Glob.ZoomIndex = uint8_t(Glob.ZoomIndex + 4);
    Glob.ZoomArr[Glob.ZoomIndex] = Glob.ZoomMin.x;
    Glob.ZoomArr[Glob.ZoomIndex + 1] = Glob.ZoomMin.y;
    Glob.ZoomArr[Glob.ZoomIndex + 2] = Glob.ZoomMax.x;
    Glob.ZoomArr[Glob.ZoomIndex + 3] = Glob.ZoomMax.y;
}

void StoreWindow(int At) {
    Glob.ZoomArr[At] = Glob.ZoomMin.x;
    Glob.ZoomArr[At + 1] = Glob.ZoomMin.y;
    Glob.ZoomArr[At + 2] = Glob.ZoomMax.x;
    Glob.ZoomArr[At + 3] = Glob.ZoomMax.y;
}

// Zooms in by R about the pointer P: centred on it, or keeping it under the pointer.
void ZoomInAt(const Osy& P, Extended R, bool Centre) {
    const Extended W = Glob.ZoomMax.x - Glob.ZoomMin.x, H = Glob.ZoomMax.y - Glob.ZoomMin.y;
    if (Centre) {
        Glob.ZoomMin = {P.x - W / (2 * R), P.y - H / (2 * R)};
        Glob.ZoomMax = {P.x + W / (2 * R), P.y + H / (2 * R)};
    } else {
        Glob.ZoomMin = {P.x - (P.x - Glob.ZoomMin.x) / R, P.y - (P.y - Glob.ZoomMin.y) / R};
        Glob.ZoomMax = {P.x + (Glob.ZoomMax.x - P.x) / R, P.y + (Glob.ZoomMax.y - P.y) / R};
    }
    Glob.BoduNaMm = Glob.Okno.x / (W / R);
}

// Fits the box Min..Max with a 1 per cent margin into the area; the lower-left corner
// stays and the spare room goes to the right or the top. Resets the stack to it.
void FitWindow(Osy Min, Osy Max) {
    const Extended M = 0.01L;
    const Osy D{Max.x - Min.x, Max.y - Min.y};
    Min = {Min.x - D.x * M, Min.y - D.y * M};
    Max = {Max.x + D.x * M, Max.y + D.y * M};
    Glob.ZoomMin = Min;
    Glob.ZoomMax = Max;
    const Extended W = Max.x - Min.x, H = Max.y - Min.y;
    if (Glob.Okno.x / Glob.Okno.y >= W / H) {
        Glob.BoduNaMm = Glob.Okno.y / H;
        Glob.ZoomMax.x = Glob.ZoomMin.x + Glob.Okno.x / Glob.BoduNaMm;
    } else {
        Glob.BoduNaMm = Glob.Okno.x / W;
        Glob.ZoomMax.y = Glob.ZoomMin.y + Glob.Okno.y / Glob.BoduNaMm;
    }
    Glob.ZoomIndex = 0;
    StoreWindow(0);
}

// The end of every zoom but the window: the hovered operation's outlines follow the
// new scale, then the view is repainted.
void ZoomDone(TMainForm& F) {
    if (OpList.LastHintIndex >= 0 && HighlightCamOpHook) HighlightCamOpHook(OpList.LastHintIndex);
    F.ComRedraw();
}

TMenuItem* Switch(TMainForm& F, const char* Name) { return F.FindOrMake<TMenuItem>(Name); }

bool SwitchOn(const TMainForm& F, const char* Name) {
    const TMenuItem* M = F.Find<TMenuItem>(Name);
    return M && M->Checked;
}

void SetPanel(TMainForm& F, const char* Name, const std::string& Text) {
    if (TPanel* P = F.Find<TPanel>(Name)) P->Caption = Text;
}

}  // namespace

// ---- zoom ----

void TMainForm::ComZoomIn() {
    RecalcOkno();
    if (Glob.ZoomIndex >= MaxZoomIndex) return;
    PushWindow();
    ZoomInAt(MainVars.PosMouse, Glob.ZoomInRatio, Glob.ZoomCenter);
    ZoomDone(*this);
}

void TMainForm::ComZoomPreview() {
    RecalcOkno();
    if (Glob.ZoomIndex >= 4) {
        const int I = Glob.ZoomIndex;
        Glob.ZoomMin = {Glob.ZoomArr[I], Glob.ZoomArr[I + 1]};
        Glob.ZoomMax = {Glob.ZoomArr[I + 2], Glob.ZoomArr[I + 3]};
        Glob.ZoomIndex = uint8_t(I - 4);
    } else {
        const Osy P = MainVars.PosMouse;
        const Extended R = Glob.WheelRatio;
        Glob.ZoomMin = {P.x - (P.x - Glob.ZoomMin.x) * R, P.y - (P.y - Glob.ZoomMin.y) * R};
        Glob.ZoomMax = {P.x + (Glob.ZoomMax.x - P.x) * R, P.y + (Glob.ZoomMax.y - P.y) * R};
        StoreWindow(Glob.ZoomIndex);
    }
    Glob.BoduNaMm = Glob.Okno.x / (Glob.ZoomMax.x - Glob.ZoomMin.x);
    ZoomDone(*this);
}

void TMainForm::ComZoomObject() {
    RecalcOkno();
    // Starts from the first object's box, so drawings beyond 10 m zoom right.
    Osy Min{10000, 10000}, Max{-10000, -10000};
    bool First = true;
    for (TObjHeader* P = MainVars.DataStart; P; P = P->Next) {
        if (P->Type < ObjPoint || P->Type > ObjPline3D) continue;
        Osy A, B;
        EnvelopeObj(P, A, B);
        if (First) {
            Min = A, Max = B, First = false;
            continue;
        }
        Min = {std::min(Min.x, A.x), std::min(Min.y, A.y)};
        Max = {std::max(Max.x, B.x), std::max(Max.y, B.y)};
    }
    if (Max.x < Min.x || Max.y < Min.y) {
        Min = Glob.MinLim;
        Max = Glob.MaxLim;
    }
    if (Max.x - Min.x <= CoordTol) {
        Max.x = Min.x + 1;
        Min.x -= 1;
    }
    if (Max.y - Min.y <= CoordTol) {
        Max.y = Min.y + 1;
        Min.y -= 1;
    }
    FitWindow(Min, Max);
    ZoomDone(*this);
}

void TMainForm::ComZoomLimits() {
    RecalcOkno();
    FitWindow(Glob.MinLim, Glob.MaxLim);
    ZoomDone(*this);
}

void TMainForm::ComZoomWindow() {
    RecalcOkno();
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        ComLine2->Caption = Prompt[1];
        V.Mouse.NextMove = mmCross;
        V.Mouse.NextDown = mdCoord;
        ComRedraw();
        return;
    }
    if (V.ComCnt == 1) {
        if (!StrToPt(V.Command[1], Osy{0, 0}, V.PickPoint)) {
            V.ComCnt = -1;
            return;
        }
        V.SavePick = V.PickPoint;
        ComLine2->Caption = Prompt[2];
        V.Mouse.NextMove = mmWin;
        V.Mouse.NextDown = mdCoord;
        ComRedraw();
        return;
    }
    V.ComCnt = -1;
    V.PickPoint = V.SavePick;
    V.Mouse.NextMove = mmCross;
    V.Mouse.NextDown = mdCoord;
    ComRedraw();
    const Extended W = Glob.ZoomMax.x - Glob.ZoomMin.x, H = Glob.ZoomMax.y - Glob.ZoomMin.y;
    if (W < 0.05L || H < 0.05L || Glob.ZoomIndex >= MaxZoomIndex) return;
    Osy Second;
    if (!StrToPt(V.Command[2], V.SavePick, Second)) return;
    const Osy A = V.SavePick;
    const Extended w = std::fabs(Second.x - A.x), h = std::fabs(Second.y - A.y);
    // A box without width or height (or an area without size) has no scale to fit.
    if (w <= CoordTol || h <= CoordTol || !(Glob.Okno.x > 0) || !(Glob.Okno.y > 0)) return;
    PushWindow();
    Glob.ZoomMin = {std::min(A.x, Second.x), std::min(A.y, Second.y)};
    Glob.ZoomMax = {std::max(A.x, Second.x), std::max(A.y, Second.y)};
    if (Glob.Okno.x / Glob.Okno.y > w / h)
        Glob.ZoomMax.x = Glob.ZoomMin.x + h * Glob.Okno.x / Glob.Okno.y;
    else
        Glob.ZoomMax.y = Glob.ZoomMin.y + w * Glob.Okno.y / Glob.Okno.x;
    Glob.BoduNaMm = Glob.Okno.x / (Glob.ZoomMax.x - Glob.ZoomMin.x);
    ComRedraw();
}

void TMainForm::FormMouseWheel(uint8_t, int32_t WheelDelta, TPoint, bool&) {
    RecalcOkno();
    if ((WheelDelta > 0) == Glob.WheelCheck) {
        ComZoomPreview();
        return;
    }
    const Extended W = Glob.ZoomMax.x - Glob.ZoomMin.x, H = Glob.ZoomMax.y - Glob.ZoomMin.y;
    if (W < 0.005L || H < 0.005L || Glob.ZoomIndex >= MaxZoomIndex) return;
    PushWindow();
    ZoomInAt(MainVars.PosMouse, Glob.WheelRatio, Glob.ZoomCenter);
    // Centred, the point that was under the pointer is now in the middle of the
    // window: the pointer follows it there.
    if (Glob.ZoomCenter && SetCursorPosHook) SetCursorPosHook(Left + Width / 2, Top + Height / 2);
    ZoomDone(*this);
}

// ---- switches and steps ----

void TMainForm::ComGrid() {
    TMenuItem* M = Switch(*this, "GridOnMnu");
    M->Checked = !M->Checked;
    ComRedraw();
}

void TMainForm::ComOrtho() {
    TMenuItem* M = Switch(*this, "OrthoOnMnu");
    M->Checked = !M->Checked;
    ComRedraw();
    AktualizaceListy();
}

void TMainForm::ComSnap() {
    TMenuItem* M = Switch(*this, "SnapOnMnu");
    M->Checked = !M->Checked;
    ComRedraw();
    AktualizaceListy();
}

void TMainForm::ComASnap() {
    TMenuItem* M = Switch(*this, "ASnapOnMnu");
    M->Checked = !M->Checked;
    ComRedraw();
    AktualizaceListy();
}

void TMainForm::ComSnapUp() {
    const Extended R = Glob.SnapRatio;
    if (!SwitchOn(*this, "SnapOnMnu") || !(Glob.SnapDist.x * R <= 100 && Glob.SnapDist.y * R <= 100)) return;
    Glob.SnapDist = {Glob.SnapDist.x * R, Glob.SnapDist.y * R};
    ComRedraw();
    SetPanel(*this, "PanelSnap", SnapStepText());
}

void TMainForm::ComSnapDn() {
    const Extended R = Glob.SnapRatio;
    if (!SwitchOn(*this, "SnapOnMnu") || !(Glob.SnapDist.x / R >= MinStep && Glob.SnapDist.y / R >= MinStep))
        return;
    Glob.SnapDist = {Glob.SnapDist.x / R, Glob.SnapDist.y / R};
    ComRedraw();
    SetPanel(*this, "PanelSnap", SnapStepText());
}

void TMainForm::ComASnapUp() {
    const Extended R = Glob.SnapRatio;
    if (!SwitchOn(*this, "ASnapOnMnu") || !(Glob.ASnapDist * R <= 100)) return;
    Glob.ASnapDist *= R;
    ComRedraw();
    SetPanel(*this, "PanelASnap", ASnapStepText());
}

void TMainForm::ComASnapDn() {
    const Extended R = Glob.SnapRatio;
    if (!SwitchOn(*this, "ASnapOnMnu") || !(Glob.ASnapDist / R >= MinStep)) return;
    Glob.ASnapDist /= R;
    ComRedraw();
    SetPanel(*this, "PanelASnap", ASnapStepText());
}

std::string TMainForm::SnapStepText() {
    char B[64];
    std::snprintf(B, sizeof B, "%6.4Lf", Glob.SnapDist.x);
    return B;
}

std::string TMainForm::ASnapStepText() {
    char B[64];
    std::snprintf(B, sizeof B, "%.1Lf", Glob.ASnapDist);
    return B;
}

// ---- View menu ----

void TMainForm::RedrawMnuClick() {
    if (NotCmd) return;
    WriteLog("Usr:Redraw");
    ComRedraw();
}

void TMainForm::ZoomWindowMnuClick() {
    MainVars.ComCnt = 0;
    MainVars.Command[0] = "ZOOMW";
    MainVars.LastCom = "ZOOMW";
    ComZoomWindow();
}

void TMainForm::ZoomInMnuClick() {
    WriteLog("Usr:ZoomIn");
    ComZoomIn();
}

void TMainForm::ZoomPreviewMnuClick() {
    WriteLog("Usr:ZoomPreview");
    ComZoomPreview();
}

void TMainForm::ZoomObjectMnuClick() {
    WriteLog("Usr:ZoomObject");
    ComZoomObject();
}

void TMainForm::ZoomLimitsMnuClick() {
    WriteLog("Usr:ZoomLimits");
    ComZoomLimits();
}

void TMainForm::GridOnMnuClick() {
    WriteLog("Usr:Grid");
    ComGrid();
}

void TMainForm::OrthoOnMnuClick() {
    WriteLog("Usr:Ortho");
    ComOrtho();
}

void TMainForm::SnapOnMnuClick() {
    WriteLog("Usr:Snap");
    ComSnap();
}

void TMainForm::SnapUpMnuClick() {
    WriteLog("Usr:SnapUp");
    ComSnapUp();
}

void TMainForm::SnapDnMnuClick() {
    WriteLog("Usr:SnapDown");
    ComSnapDn();
}

void TMainForm::ASnapOnMnuClick() { ComASnap(); }
void TMainForm::ASnapUpMnuClick() { ComASnapUp(); }
void TMainForm::ASnapDnMnuClick() { ComASnapDn(); }
