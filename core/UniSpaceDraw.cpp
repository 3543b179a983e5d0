// The 3D polyline entity: drawing in every view mode and picking.
#include <cmath>
#include <string>

#include "core/Glob.h"
#include "core/LayerShown.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/Entity.h"
#include "core/UniSpace.h"
#include "core/MainVars.h"

namespace {

Osy XY(const Osy3D& P) { return {P.x, P.y}; }

bool Straight(Extended Alfa) { return std::fabs(Alfa) <= CoordTol; }

bool Sloped(const Osy3D& P, const Osy3D& E) { return std::fabs(E.z - P.z) > CoordTol; }


bool IsToolLayer(uint8_t L) { return L >= 1 && L <= ToolLayerCount; }

// Lower diameter of the layer's tool; 0 on layers without a tool.
Extended LowerDiameter(uint8_t L) { return IsToolLayer(L) ? Glob.Tool[L].SpodniPrumer : 0; }

bool InView(const Osy& P, Extended Margin) {
    return P.x >= Glob.ZoomMin.x - Margin && P.x <= Glob.ZoomMax.x + Margin &&
           P.y >= Glob.ZoomMin.y - Margin && P.y <= Glob.ZoomMax.y + Margin;
}

// Layer tests shared by Draw and RawDraw: hidden layers, and in the sort view every
// layer but the current one, are not drawn.
bool Drawable(const TObjHeader* p) {
    if (!LayerShown(p->Layer)) return false;
    return !(Glob.View == vSort && p->Layer != Glob.LayerDraw);
}

// A sloped segment ending at height 0 in the tool-up view is shown as ten dots along
// its chord; the other sloped segments of the tool views are not drawn.
enum class TSegLook { Draw, Dots, Skip };
TSegLook SegLook(const Osy3D& P, const Osy3D& E) {
    if (!Sloped(P, E)) return TSegLook::Draw;
    if (Glob.View == vToolDn) return TSegLook::Skip;
    if (Glob.View == vToolUp) return std::fabs(E.z) < CoordTol ? TSegLook::Dots : TSegLook::Skip;
    return TSegLook::Draw;
}

// A segment drawn flat as a line or an arc.
void DrawSegXY(const Osy3D& P, const Osy3D& E, Extended Alfa, TCanvas* Canv, float Opacity, Extended Width) {
    if (Straight(Alfa))
        DrawLine(XY(P), XY(E), Canv, Opacity, Width);
    else
        DrawArc(XY(P), XY(E), Alfa, Canv, Opacity, Width);
}

Osy DotPt(const Osy3D& P, const Osy3D& E, int i) {
    return {P.x + (E.x - P.x) * i / 10, P.y + (E.y - P.y) * i / 10};
}

// The machining-order number in a box at the middle of the first segment (at the
// start point when there is none).
void DrawOrderNumber(const TObjHeader* Adresa, TCanvas* Canv) {
    const TPline3DRec* r = AsPline3D(Adresa);
    Osy M = XY(r->S);
    if (Pline3DSegCount(Adresa) > 0) {
        const TPlineSeg3D& g = Pline3DSegs(Adresa)[0];
        SegMidPt(XY(r->S), XY(g.E), g.Alfa, M);
    }
    TPoint px = WorldToPixel(M);
    std::string Txt = std::to_string(Glob.Sort.Index);
    int32_t tw = Canv->TextWidth(Txt), th = Canv->TextHeight(Txt);
    int32_t Left = px.X - tw / 2 - 2, Right = Left + tw + 4;
    int32_t Top = px.Y - th / 2 - 1, Bottom = Top + th + 2;
    Canv->Rectangle(Left, Top, Right, Bottom);
    Canv->TextOut(Left + 2, Top + 1, Txt);
}

// Hit test of the x-y projection: the first segment that decides ends the walk.
bool HitTest(const TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window) {
    const TPline3DRec* r = AsPline3D(Adresa);
    int32_t n = Pline3DSegCount(Adresa);
    const TPlineSeg3D* s = Pline3DSegs(Adresa);
    Osy P = XY(r->S);
    for (int32_t i = 0; i < n; ++i) {
        Osy E = XY(s[i].E);
        Extended Alfa = s[i].Alfa;
        if (Straight(Alfa)) {
            Osy PL, PB, PR, PT;
            bool L = false, B = false, R = false, T = false, InA = false, InB = false;
            ClipSegToRect(Min, Max, P, E, PL, PB, PR, PT, L, B, R, T, InA, InB);
            if (Window && !(InA && InB)) return false;
            if (!Window && (InA || InB || L || B || R || T)) return true;
        } else if (Window) {
            Osy AMin, AMax;
            ArcEnvelope(P, E, Alfa, AMin, AMax);
            if (AMin.x < Min.x || AMin.y < Min.y || AMax.x > Max.x || AMax.y > Max.y) return false;
        } else {
            if (P.x >= Min.x && P.x <= Max.x && P.y >= Min.y && P.y <= Max.y) return true;
            const Osy Sides[4][2] = {{{Min.x, Min.y}, {Max.x, Min.y}},
                                     {{Min.x, Max.y}, {Max.x, Max.y}},
                                     {{Min.x, Min.y}, {Min.x, Max.y}},
                                     {{Max.x, Min.y}, {Max.x, Max.y}}};
            for (const auto& Side : Sides) {
                Osy X1, X2;
                if (IntersArcLine(Side[0], Side[1], P, E, Alfa, X1, X2) > 0) return true;
            }
        }
        P = E;
    }
    return Window;
}

}  // namespace

void TEnSpace::Draw(TObjHeader* Adresa, TCanvas* Canv) {
    if (!Adresa || !Canv || !Drawable(Adresa)) return;
    const TPline3DRec* r = AsPline3D(Adresa);
    uint8_t L = Adresa->Layer;

    Extended W = 0;
    if (Glob.View == vToolDn && IsToolLayer(L)) {
        W = Glob.Tool[L].SpodniPrumer;
    } else if (Glob.View == vToolUp && IsToolLayer(L)) {
        Extended d = 0;
        if (ToolDistLaHook && ToolDistLaHook(L, d, -1, false)) W = 2 * d;
    }
    int32_t Width = int32_t(std::trunc(W * Glob.BoduNaMm)) + 1;
    Canv->PenWidth = Width < 1 ? 1 : Width;

    if (Glob.View == vDir) {
        TDirKind k = !(r->PlineFlags & PlineClosed) ? dkOpen : (r->PlineFlags & PlineCW) ? dkCW : dkCCW;
        if (!Glob.Direct[k].Show) return;
        Canv->PenColor = Glob.Direct[k].Color;
    } else {
        Canv->PenColor = Glob.TabLayer[L].Color;
        if (Glob.View == vSort) Canv->PenColor = Glob.Sort.InGroup ? Glob.Sort.GroupColor : Glob.Sort.SpaceColor;
    }

    Osy S = XY(r->S);
    if (Glob.View == vSort && Glob.Sort.Prejezdy) {
        // The travel line's width stays for what follows, as the sort view draws it.
        Canv->PenWidth = Glob.RapidsWidth;
        DrawLine(MainVars.LastPos, S, Canv, Glob.RapidsOpac, 0);
    }
    if (Adresa->Flags & FlagSelected) {
        Canv->PenWidth = Glob.SelObjWidth;
        Canv->PenColor = Glob.SelObjColor;
    } else {
        Canv->Opacity = 1.0f;
        Canv->PenStyle = TPenStyle::psSolid;
    }
    if (Glob.Arrow && (Glob.View == vDir || Glob.View == vSort) && InView(S, 0)) {
        TPoint px = WorldToPixel(S);
        Canv->BrushStyle = TBrushStyle::bsSolid;
        Canv->BrushColor = Canv->PenColor;
        Canv->Opacity = 0;  // the dot has no outline
        Canv->Ellipse(px.X - 2, px.Y - 2, px.X + 3, px.Y + 3);
    }

    int32_t n = Pline3DSegCount(Adresa);
    const TPlineSeg3D* s = Pline3DSegs(Adresa);
    Osy3D P = r->S;
    for (int32_t i = 0; i < n; ++i) {
        const Osy3D& E = s[i].E;
        switch (SegLook(P, E)) {
        case TSegLook::Skip:
            break;
        case TSegLook::Draw:
            DrawSegXY(P, E, s[i].Alfa, Canv, 1.0f, W);
            break;
        case TSegLook::Dots: {
            // The tool's footprint shrinks from the full width to the lower diameter.
            int32_t Saved = Canv->PenWidth;
            Canv->Opacity = 1.0f;
            Extended D0 = LowerDiameter(L);
            for (int k = 1; k <= 10; ++k) {
                Osy Q = DotPt(P, E, k);
                Extended D = D0 + (W - D0) * (10 - k) / 10;
                int32_t Pw = int32_t(std::trunc(D * Glob.BoduNaMm - 1));
                Canv->PenWidth = Pw < 0 ? 0 : Pw;
                if (InView(Q, D / 2)) {
                    TPoint px = WorldToPixel(Q);
                    Canv->Ellipse(px.X, px.Y, px.X + 1, px.Y + 1);
                }
            }
            Canv->PenWidth = Saved;
            break;
        }
        }
        P = E;
    }
    MainVars.LastPos = XY(P);

    if (Glob.View == vSort && Glob.Sort.Cisla && L == Glob.LayerDraw) {
        Canv->PenColor = Glob.Sort.InGroup ? Glob.Sort.GroupColor : Glob.Sort.SpaceColor;
        Canv->Font.Color = Canv->PenColor;
        Canv->BrushColor = Glob.BackColor;
        Canv->BrushStyle = TBrushStyle::bsSolid;
        float SavedFill = Canv->BrushOpacity;
        Canv->BrushOpacity = 0;  // framed, not filled
        DrawOrderNumber(Adresa, Canv);
        Canv->BrushOpacity = SavedFill;
    }
}

void TEnSpace::RawDraw(TObjHeader* Adresa, TCanvas* Canv) {
    if (!Adresa || !Canv || !Drawable(Adresa)) return;
    const TPline3DRec* r = AsPline3D(Adresa);
    Osy S = XY(r->S);
    if (Glob.View == vSort && Glob.Sort.Prejezdy)
        DrawLine(MainVars.LastPos, S, Canv, Glob.PrevObjOpac, Glob.PrevObjWidth);
    if (Glob.Arrow && (Glob.View == vDir || Glob.View == vSort) && InView(S, 0)) {
        TPoint px = WorldToPixel(S);
        Canv->PenColor = Glob.PrevObjColor;
        Canv->PenWidth = Glob.PrevObjWidth;
        Canv->Opacity = Glob.PrevObjOpac;
        Canv->Ellipse(px.X - 2, px.Y - 2, px.X + 3, px.Y + 3);
    }

    int32_t n = Pline3DSegCount(Adresa);
    const TPlineSeg3D* s = Pline3DSegs(Adresa);
    Osy3D P = r->S;
    for (int32_t i = 0; i < n; ++i) {
        const Osy3D& E = s[i].E;
        switch (SegLook(P, E)) {
        case TSegLook::Skip:
            break;
        case TSegLook::Draw:
            DrawSegXY(P, E, s[i].Alfa, Canv, Glob.PrevObjOpac, Glob.PrevObjWidth);
            break;
        case TSegLook::Dots:
            for (int k = 1; k <= 10; ++k) {
                TPoint px = WorldToPixel(DotPt(P, E, k));
                Canv->PenColor = Glob.PrevObjColor;
                Canv->PenWidth = Glob.PrevObjWidth;
                Canv->Opacity = Glob.PrevObjOpac;
                Canv->Ellipse(px.X, px.Y, px.X + 1, px.Y + 1);
            }
            break;
        }
        P = E;
    }
    MainVars.LastPos = XY(P);

    if (Glob.View == vSort && Glob.Sort.Cisla && Adresa->Layer == Glob.LayerDraw) {
        Canv->PenColor = Glob.PrevObjColor;
        Canv->PenWidth = Glob.PrevObjWidth;
        Canv->Opacity = Glob.PrevObjOpac;
        DrawOrderNumber(Adresa, Canv);
    }
}

bool TEnSpace::Select(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window) {
    if (!LayerShown(Adresa->Layer)) return false;
    if (HitTest(Adresa, Min, Max, Window)) {
        Adresa->Flags ^= FlagSelected;
        Draw(Adresa, MainCanvas);
    }
    return (Adresa->Flags & FlagSelected) != 0;
}

bool TEnSpace::RawSelect(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window) {
    if (!LayerShown(Adresa->Layer)) return false;
    return HitTest(Adresa, Min, Max, Window);
}
