// The pointer as the second input channel of the command line: its world position
// with the snap raster and the orthogonal mode, the cross-hair, the aperture and the
// rubber bands, clicks typed as numbers, the selection window, panning by the middle
// button and the arrow keys, and the right button as Enter.
#include <algorithm>
#include <cmath>

#include "cam/CamOpList.h"
#include "commands/ComCommon.h"
#include "core/Entity.h"
#include "core/Global.h"
#include "core/Glob.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/UniWalk.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/MainView.h"

Osy RotatePt(const Osy& P, const Osy& Base, Extended A) {
    const Extended R = Dist(P, Base), Ang = NormAngleOf(Angle(Base, P) + A);
    return {Base.x + R * std::cos(Ang), Base.y + R * std::sin(Ang)};
}

Osy MirrorPt(const Osy& P, const Osy& A, const Osy& B) {
    const Extended R = Dist(P, A), Ang = 2 * Angle(A, B) - Angle(A, P);
    return {A.x + R * std::cos(Ang), A.y + R * std::sin(Ang)};
}

Osy ScalePtXY(const Osy& P, const Osy& Base, const Osy& Scale) {
    return {Base.x + (P.x - Base.x) * Scale.x, Base.y + (P.y - Base.y) * Scale.y};
}

namespace {

// Stands in for the canvas while the main form has none, so the cursor code can set
// its pen unconditionally; every primitive does nothing.
class TNullCanvas : public TCanvas {
public:
    void Clear(uint32_t) override {}
    void SetPixel(int32_t, int32_t, uint32_t) override {}
    void Line(int32_t, int32_t, int32_t, int32_t) override {}
    void Polyline(const std::vector<TPoint>&) override {}
    void Polygon(const std::vector<TPoint>&) override {}
    void Rectangle(int32_t, int32_t, int32_t, int32_t) override {}
    void FillRect(const TRect&) override {}
    void Ellipse(int32_t, int32_t, int32_t, int32_t) override {}
    void Arc(int32_t, int32_t, int32_t, int32_t, double, double) override {}
    void TextOut(int32_t, int32_t, const std::string&) override {}
    TSize TextExtent(const std::string&) override { return {}; }
    TRect ClipRect() const override { return {}; }
};

constexpr Extended RadToDeg = 180 / GeomPi;

std::string Num(Extended V) { return PatternNumText(V, Glob.DecNum); }

bool MenuChecked(const TMainForm& F, const char* Name) {
    const TMenuItem* M = F.Find<TMenuItem>(Name);
    return M && M->Checked;
}

// Brings an angle into (-pi, pi].
Extended HalfTurn(Extended U) {
    U = std::remainder(U, Geom2Pi);  // [-pi, pi]; a value that is not finite stays so
    return U <= -GeomPi ? U + Geom2Pi : U;
}

// Factor of one axis of the selection box; a box side without extent scales nothing.
Extended AxisFactor(Extended Delta, Extended Side) {
    return std::fabs(Side) > CoordTol ? std::fabs(Delta / Side) : 1;
}

Osy ScaleFactors(const Osy& P, const Osy& Base) {
    const TMainVars& V = MainVars;
    return {AxisFactor(P.x - Base.x, V.SelEnv3.x - V.SelEnv1.x), AxisFactor(P.y - Base.y, V.SelEnv3.y - V.SelEnv1.y)};
}

std::string LengthAngle(const Osy& From, const Osy& To) {
    return Num(Dist(From, To)) + " < " + Num(Angle(From, To) * RadToDeg);
}

// The manipulation previews: the remembered selection (or its box) transformed.
void ShowSelection(TCanvas* C, TMouseMove Move, const Osy& E, const Osy& V, Extended A, const Osy& S) {
    TMainVars& M = MainVars;
    if (Glob.ManipShowObj && Move != mmSizeEnv) {
        CopySavedSelObjects(M.DataStart, M.ViewStart, M.ViewEnd);
        for (TObjHeader* P = M.ViewStart; P; P = P->Next) {
            switch (Move) {
                case mmDragEnv: RawMoveObj(P, V); break;
                case mmRotEnv: RawRotateObj(P, M.SavePick, A); break;
                case mmMirEnv:
                    if (P->Flags & FlagSelected) RawMirrorObj(P, M.SavePick, E);
                    break;
                case mmScalEnv: RawScaleObj(P, M.SavePick, Dist(M.PosMouse, M.SavePick)); break;
                default: break;
            }
        }
        FreeObjList(M.ViewStart, M.ViewEnd);
        return;
    }
    if (Move == mmSizeEnv && Glob.ManipShowObj) return;
    auto Tf = [&](const Osy& P) {
        switch (Move) {
            case mmDragEnv: return Osy{P.x + V.x, P.y + V.y};
            case mmRotEnv: return RotatePt(P, M.PickPoint, A);
            case mmMirEnv: return MirrorPt(P, M.PickPoint, E);
            default: return ScalePtXY(P, M.PickPoint, S);
        }
    };
    const Osy Box[5] = {M.SelEnv1, M.SelEnv2, M.SelEnv3, M.SelEnv4, M.SelEnv1};
    for (int i = 0; i < 4; ++i) DrawLine(Tf(Box[i]), Tf(Box[i + 1]), C, Glob.PrevObjOpac, 0);
}

}  // namespace

void TMainForm::DrawCrossHair(TPoint P) {
    TCanvas* C = MainCanvas;
    if (!C || MouseInPanel || (Glob.CursorType != 1 && Glob.CursorType != 2)) return;
    const int32_t L = RoundPx(Glob.OknoStart.x), R = RoundPx(Glob.OknoStart.x + Glob.Okno.x);
    const int32_t T = RoundPx(Glob.OknoStart.y), B = RoundPx(Glob.OknoStart.y + Glob.Okno.y);
    if (Glob.CursorType == 1) {
        C->MoveTo(L, P.Y);
        C->LineTo(R, P.Y);
        C->MoveTo(P.X, T);
        C->LineTo(P.X, B);
        return;
    }
    constexpr int32_t Gap = 20;
    C->MoveTo(L, P.Y);
    C->LineTo(P.X - Gap, P.Y);
    C->MoveTo(P.X + Gap, P.Y);
    C->LineTo(R, P.Y);
    C->MoveTo(P.X, T);
    C->LineTo(P.X, P.Y - Gap);
    C->MoveTo(P.X, P.Y + Gap);
    C->LineTo(P.X, B);
}

void TMainForm::RedrawCursor() {
    static TNullCanvas Null;
    TCanvas* C = MainCanvas ? MainCanvas : &Null;
    TMainVars& V = MainVars;
    TMouseMode& Mo = V.Mouse;
    const TOsnapAuto& Os = Mo.OsnapAuto;

    // 1. The pen of the cursor; previews draw no direction arrows.
    C->Opacity = Glob.CrossHairOpac;
    C->PenStyle = TPenStyle::psSolid;
    C->PenWidth = Glob.CrossHairWidth;
    C->PenColor = V.LastColor;
    C->BrushStyle = TBrushStyle::bsClear;
    const bool Arrow = Glob.Arrow;
    Glob.Arrow = false;

    // 2.-4. The pointer's world position, on the snap raster or held orthogonal.
    V.PosMouse = PointerExact ? PointerWorld : PixelToWorld(V.NewPosPix.X, V.NewPosPix.Y);
    if (MenuChecked(*this, "SnapOnMnu") && !Os.Enabled && Mo.Move != mmSel && Mo.Move != mmWin) {
        const Osy S = Glob.SnapStart, D = Glob.SnapDist;
        if (D.x > 0) V.PosMouse.x = S.x + std::nearbyint((V.PosMouse.x - S.x) / D.x) * D.x;
        if (D.y > 0) V.PosMouse.y = S.y + std::nearbyint((V.PosMouse.y - S.y) / D.y) * D.y;
    }
    if (MenuChecked(*this, "OrthoOnMnu") && !Os.Enabled && Mo.Move != mmWin && Mo.Move != mmRect &&
        Mo.Move != mmCross && Mo.Move != mmSel) {
        if (std::fabs(V.PosMouse.x - V.PickPoint.x) >= std::fabs(V.PosMouse.y - V.PickPoint.y))
            V.PosMouse.y = V.PickPoint.y;
        else
            V.PosMouse.x = V.PickPoint.x;
    }
    V.MovePt = WorldToPixel(V.PosMouse);
    const uint32_t CursorColor = Glob.CrossHairColor ^ Glob.BackColor;
    C->PenColor = CursorColor;

    // 7. A command's request takes effect now.
    if (Mo.NextMove != Mo.Move || Mo.NextDown != Mo.Down) {
        Mo.Move = Mo.NextMove;
        Mo.Down = Mo.NextDown;
        AktualizaceListy();
    }

    // 8. The object-snap aperture.
    if (Os.Enabled && Os.Search && Mo.Move != mmNone && Mo.Move != mmSel && Mo.Move != mmWin) {
        const int32_t K = Glob.OsnapSize / 2;
        C->Ellipse(V.MovePt.X - K, V.MovePt.Y - K, V.MovePt.X + K, V.MovePt.Y + K);
    }

    // The rubber band.
    const Osy E = Os.PointFound ? Os.LastPoint : V.PosMouse;
    const Osy& P0 = V.PickPoint;
    const float Op = Glob.PrevObjOpac;
    auto PreviewPen = [&] {
        C->PenWidth = Glob.PrevObjWidth;
        C->PenColor = Glob.LayerDraw <= LayerCount ? Glob.TabLayer[Glob.LayerDraw].Color : 0;
    };
    auto ObjectsPen = [&] {
        C->PenWidth = Glob.PrevObjWidth;
        C->PenColor = Glob.PrevObjColor;
    };
    std::string Label;
    switch (Mo.Move) {
        case mmCross:
        case mmLine:
        case mmLineTg:
        case mmDragEnv:
        case mmRotEnv:
        case mmMirEnv:
        case mmScalEnv:
        case mmSizeEnv:
            DrawCrossHair(V.MovePt);
            break;
        default:
            break;
    }
    switch (Mo.Move) {
        case mmSel: {
            const int32_t S = Glob.SelectSize / 2;
            C->PenWidth = 1;
            C->Opacity = 1;
            C->Rectangle(V.MovePt.X - S, V.MovePt.Y - S, V.MovePt.X + S, V.MovePt.Y + S);
            break;
        }
        case mmWin:
            C->PenColor = V.PosMouse.x >= P0.x ? 0x00FF00u : 0x0000FFu;
            DrawRect(P0, V.PosMouse, C, 1);
            break;
        case mmLine:
            PreviewPen();
            DrawLine(E, P0, C, Op, 0);
            Label = LengthAngle(P0, E);
            break;
        case mmLineTg: {
            PreviewPen();
            const Extended D = Dist(V.ArcStart, E);
            DrawLine(P0, {V.ArcStart.x + D * std::cos(V.Tangent), V.ArcStart.y + D * std::sin(V.Tangent)}, C, Op, 0);
            Label = Num(D) + " < " + Num(V.Tangent * RadToDeg);
            break;
        }
        case mmArc: {
            C->PenWidth = 1;
            DrawLine(V.ArcStart, E, C, Op, 0);
            const Extended U = std::clamp(HalfTurn(Angle(V.ArcStart, E) - Angle(V.ArcStart, V.ArcEnd)), -GeomPi2, GeomPi2);
            const Extended A = -2 * U;
            const Extended R = std::fabs(U) <= CoordTol ? 1000000 : Dist(V.ArcStart, V.ArcEnd) / (2 * std::sin(std::fabs(U)));
            PreviewPen();
            if (std::fabs(A) <= CoordTol)
                DrawLine(V.ArcStart, E, C, Op, 0);
            else
                DrawArc(V.ArcStart, V.ArcEnd, A, C, Op, 0);
            Label = "R=" + Num(R) + " <" + Num(A * RadToDeg);
            break;
        }
        case mmArcTg: {
            const Extended U0 = HalfTurn(Angle(V.ArcStart, E) - V.Tangent);
            const Extended U = std::clamp(U0, -GeomPi2, GeomPi2);
            C->PenColor = U != U0 ? 0x0000FFu : U > 0 ? 0x008000u : CursorColor;
            const Extended A = 2 * U;
            C->PenWidth = Glob.PrevObjWidth;
            if (std::fabs(A) <= CoordTol)
                DrawLine(V.ArcStart, E, C, Op, 0);
            else
                DrawArc(V.ArcStart, E, A, C, Op, 0);
            const Extended R = std::fabs(U) <= CoordTol ? 1000000 : Dist(V.ArcStart, E) / (2 * std::sin(std::fabs(U)));
            C->PenColor = CursorColor;
            Label = "R=" + Num(R) + " <" + Num(A * RadToDeg);
            break;
        }
        case mmCircle: {
            const Extended R = Dist(P0, E);
            C->PenWidth = 1;
            DrawLine(P0, E, C, 1, 0);
            PreviewPen();
            DrawCircle(P0, R, C, Op, 0);
            Label = "R=" + Num(R) + " D=" + Num(2 * R);
            break;
        }
        case mmRect:
            PreviewPen();
            DrawRect(P0, V.PosMouse, C, Op);
            Label = Num(V.PosMouse.x - P0.x) + " x " + Num(V.PosMouse.y - P0.y);
            break;
        case mmDragEnv:
        case mmRotEnv:
        case mmMirEnv: {
            C->PenWidth = 1;
            DrawLine(E, P0, C, Op, 0);
            const Osy Vv{E.x - P0.x, E.y - P0.y};
            ObjectsPen();
            ShowSelection(C, Mo.Move, E, Vv, Angle(P0, E), Osy{1, 1});
            Label = LengthAngle(P0, E);
            break;
        }
        case mmScalEnv:
        case mmSizeEnv: {
            C->PenWidth = 1;
            DrawLine(E, P0, C, Op, 0);
            Osy S = ScaleFactors(E, P0);
            if (Mo.Move == mmSizeEnv) S = {2 * S.x, 2 * S.y};
            ObjectsPen();
            ShowSelection(C, Mo.Move, E, Osy{}, 0, S);
            Label = Mo.Move == mmScalEnv ? Num(S.x) + " x " + Num(S.y)
                                         : Num(2 * std::fabs(E.x - P0.x)) + " x " + Num(2 * std::fabs(E.y - P0.y));
            break;
        }
        default:
            break;
    }

    if (LabelParam) LabelParam->Caption = Label;
    if (!LabelCoord) LabelCoord = FindOrMake<TLabel>("LabelCoord");
    LabelCoord->Caption = Num(V.PosMouse.x) + "  " + Num(V.PosMouse.y);
    Glob.Arrow = Arrow;
    V.LastColor = C->PenColor;
}

// ---- events ----

void TMainForm::FormMouseDown(TMouseButton Button, uint8_t, int32_t, int32_t) {
    TMainVars& V = MainVars;
    if (DebugMode) PanelDebugClick();
    if (Button == TMouseButton::mbRight) {
        PressKey(13);
        return;
    }
    if (Button == TMouseButton::mbMiddle) {
        V.SavedPosMouse = V.PosMouse;
        return;
    }
    const TOsnapAuto& Os = V.Mouse.OsnapAuto;
    const Osy P = Os.Enabled && Os.Search && Os.PointFound ? Os.LastPoint : V.PosMouse;
    V.PickPoint = V.PosMouse;
    std::string X, Y;
    switch (V.Mouse.Down) {
        case mdSel:
            V.Mouse.NextMove = mmWin;
            return;
        case mdCoord: {
            const std::string Pattern = MenuChecked(*this, "SnapOnMnu") ? Glob.DecNum : std::string("0.000000");
            X = PatternNumText(P.x, Pattern);
            Y = PatternNumText(P.y, Pattern);
            break;
        }
        case mdScale: {
            const Osy S = ScaleFactors(P, V.SavePick);
            X = PatternNumText(S.x, "0.000000");
            Y = PatternNumText(S.y, "0.000000");
            break;
        }
        case mdSize:
            X = PatternNumText(2 * std::fabs(P.x - V.SavePick.x), "0.000000");
            Y = PatternNumText(2 * std::fabs(P.y - V.SavePick.y), "0.000000");
            break;
        default:
            return;
    }
    // A locale with a decimal comma still types points.
    for (std::string* S : {&X, &Y})
        for (char& c : *S)
            if (c == ',') c = '.';
    StrToExtCalc(X, V.PickPoint.x, false);
    StrToExtCalc(Y, V.PickPoint.y, false);
    std::string& Line = ComLine2->Caption;
    const size_t Gt = Line.find('>');
    Line = (Gt == std::string::npos ? std::string() : Line.substr(0, Gt + 1)) + X + " " + Y;
    PressKey(13);
    ComRedraw();
}

void TMainForm::FormMouseUp(TMouseButton Button, uint8_t, int32_t, int32_t) {
    TMainVars& V = MainVars;
    if (Button == TMouseButton::mbMiddle) {
        const Osy D{V.PosMouse.x - V.SavedPosMouse.x, V.PosMouse.y - V.SavedPosMouse.y};
        Glob.ZoomMin = {Glob.ZoomMin.x - D.x, Glob.ZoomMin.y - D.y};
        Glob.ZoomMax = {Glob.ZoomMax.x - D.x, Glob.ZoomMax.y - D.y};
        // The pointer stays on the same pixel, so it now lies elsewhere in the world.
        if (PointerExact) PointerWorld = {PointerWorld.x - D.x, PointerWorld.y - D.y};
        ComRedraw();
        return;
    }
    if (Button != TMouseButton::mbLeft || V.Mouse.Down != mdSel) return;
    const Extended H = Glob.BoduNaMm > 0 ? Glob.SelectSize / (2 * Glob.BoduNaMm) : 0;
    V.Mouse.NextMove = mmSel;
    V.Mouse.NextDown = mdSel;
    ComRedraw();
    uint8_t Mode = V.PosMouse.x <= V.PickPoint.x ? 1 : 0;
    Osy Min, Max;
    if (std::fabs(V.PosMouse.x - V.PickPoint.x) <= H && std::fabs(V.PosMouse.y - V.PickPoint.y) <= H) {
        Min = {V.PosMouse.x - H, V.PosMouse.y - H};
        Max = {V.PosMouse.x + H, V.PosMouse.y + H};
        Mode = 2;
    } else {
        Min = {std::min(V.PickPoint.x, V.PosMouse.x), std::min(V.PickPoint.y, V.PosMouse.y)};
        Max = {std::max(V.PickPoint.x, V.PosMouse.x), std::max(V.PickPoint.y, V.PosMouse.y)};
    }
    SelectByWindow(Min, Max, Mode);
    ComRedraw();
}

namespace {
// What a pointer move over the drawing area does before its redraw.
void PointerMoved(TMainForm& F, int32_t X, int32_t Y) {
    Glob.DrawHighLight = 0;
    MainVars.NewPosPix = {X, Y};
    if (F.DebugMode)
        if (TLabel* L = F.Find<TLabel>("LabMosPosPX")) L->Caption = "X" + std::to_string(X) + " Y" + std::to_string(Y);
    if (OpList.LastHintIndex >= 0) {
        OpList.LastHintIndex = -1;
        if (ReleaseOpHintHook) ReleaseOpHintHook();
    }
    Fire(F.OnPointerInArea);
}
}  // namespace

void TMainForm::FormMouseMove(uint8_t, int32_t X, int32_t Y) {
    if (!Active) return;
    PointerExact = false;
    PointerMoved(*this, X, Y);
    RedrawPointer();
}

void TMainForm::PointerAtWorld(const Osy& P) {
    if (!Active) return;
    const TPoint Px = WorldToPixel(P);
    PointerExact = true;
    PointerWorld = P;
    // The snap search of a redraw looks at the pointer position of the redraw before;
    // an exact move puts the pointer there at once, so one move is enough to snap.
    MainVars.PosMouse = P;
    PointerMoved(*this, Px.X, Px.Y);
    RedrawPointer();
}

void TMainForm::FormMouseEnter() { MouseInPanel = false; }

void TMainForm::FormKeyDown(uint16_t& Key, uint8_t) {
    const Extended DX = (Glob.ZoomMax.x - Glob.ZoomMin.x) * Glob.PanRatio;
    const Extended DY = (Glob.ZoomMax.y - Glob.ZoomMin.y) * Glob.PanRatio;
    switch (Key) {
        case VK_LEFT:
            Glob.ZoomMin.x -= DX;
            Glob.ZoomMax.x -= DX;
            break;
        case VK_RIGHT:
            Glob.ZoomMin.x += DX;
            Glob.ZoomMax.x += DX;
            break;
        case VK_UP:
            Glob.ZoomMin.y += DY;
            Glob.ZoomMax.y += DY;
            break;
        case VK_DOWN:
            Glob.ZoomMin.y -= DY;
            Glob.ZoomMax.y -= DY;
            break;
        default:
            return;
    }
    ComRedraw();
}
