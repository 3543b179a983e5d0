// Drawing and picking of polylines: the view-mode look, the preview style, the
// outline in pixels, the pick-window hit test and the construction traces.
#include <algorithm>
#include <cmath>
#include <string>

#include "core/Glob.h"
#include "core/LayerShown.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPlineUtil.h"
#include "core/ViewHooks.h"
#include "core/Entity.h"
#include "platform/Controls.h"
#include "core/MainVars.h"

using pline::IsLine;

namespace {

// The direction-view class of a polyline from the low two bits of PlineFlags.
TDirKind DirKindOf(uint8_t PlineFlags) {
    switch (PlineFlags & 3) {
        case 1: return dkCCW;
        case 2: return dkCross;
        case 3: return dkCW;
        default: return dkOpen;
    }
}


// Nothing is drawn on a hidden layer, nor in the sort view off the current layer.
bool Drawable(const TObjHeader* p) {
    if (!LayerShown(p->Layer)) return false;
    return !(Glob.View == vSort && p->Layer != Glob.LayerDraw);
}

// The start dot of the direction and sort views (with the canvas's current brush).
bool StartDotWanted(const Osy& S) {
    return Glob.Arrow && (Glob.View == vDir || Glob.View == vSort) && S.x >= Glob.ZoomMin.x &&
           S.x <= Glob.ZoomMax.x && S.y >= Glob.ZoomMin.y && S.y <= Glob.ZoomMax.y;
}

void StartDot(TCanvas* Canv, const Osy& S) {
    const TPoint px = WorldToPixel(S);
    Canv->Ellipse(px.X - 2, px.Y - 2, px.X + 3, px.Y + 3);
}

// The box of the outline; an arc's bulge is bounded by the circle around its chord's
// middle through its farthest point.
void OutlineBox(const TObjHeader* Adresa, Osy& Min, Osy& Max) {
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    double sx = double(AsPline(Adresa)->S.x), sy = double(AsPline(Adresa)->S.y);
    double x0 = sx, y0 = sy, x1 = sx, y1 = sy;
    for (int32_t i = 0; i < n; ++i) {
        const double ex = double(seg[i].E.x), ey = double(seg[i].E.y);
        double g = 0;
        if (std::fabs(seg[i].Alfa) >= CoordTol) {
            const double half = std::hypot(ex - sx, ey - sy) / 2;
            g = half * std::max(1.0, std::fabs(std::tan(double(seg[i].Alfa) / 4)));
        }
        x0 = std::min(x0, std::min(sx, ex) - g);
        x1 = std::max(x1, std::max(sx, ex) + g);
        y0 = std::min(y0, std::min(sy, ey) - g);
        y1 = std::max(y1, std::max(sy, ey) + g);
        sx = ex;
        sy = ey;
    }
    Min = {x0, y0};
    Max = {x1, y1};
}

void DrawSegs(const TObjHeader* Adresa, TCanvas* Canv, float Opacity, Extended Width) {
    TChainPainter chain(Canv, Opacity, Width);
    const Osy& S = AsPline(Adresa)->S;
    // An outline that starts in the window is seen; only one that starts outside needs
    // its box, so that one wholly outside costs no clipping of its segments.
    if (!chain.Visible(S, S)) {
        Osy mn, mx;
        OutlineBox(Adresa, mn, mx);
        if (!chain.Visible(mn, mx)) return;
    }
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    chain.Start(S);
    for (int32_t i = 0; i < n; ++i) {
        if (std::fabs(seg[i].Alfa) < CoordTol)
            chain.LineTo(seg[i].E);
        else
            chain.ArcTo(seg[i].E, seg[i].Alfa);
    }
}

// The machining-order number in a box at the middle of the first segment, with the
// canvas's current pen, brush and font.
void SortNumber(const TObjHeader* Adresa, TCanvas* Canv) {
    if (PlineSegCount(Adresa) == 0) return;
    const TPlineSeg& s0 = PlineSegs(Adresa)[0];
    Osy M;
    SegMidPt(AsPline(Adresa)->S, s0.E, s0.Alfa, M);
    const TPoint px = WorldToPixel(M);
    const std::string text = std::to_string(Glob.Sort.Index);
    const int32_t tw = Canv->TextWidth(text), th = Canv->TextHeight(text);
    const int32_t left = px.X - tw / 2 - 2, top = px.Y - th / 2 - 1;
    Canv->Rectangle(left, top, left + tw + 4, top + th + 2);
    Canv->TextOut(left + 2, top + 1, text);
}

}  // namespace

void TEnPline::Draw(TObjHeader* Adresa, TCanvas* Canv) {
    if (!Adresa || !Canv || !Drawable(Adresa)) return;
    const uint8_t layer = Adresa->Layer;
    const bool toolLayer = layer >= 1 && layer <= 64;

    Extended W = 0;
    if (Glob.View == vToolDn && toolLayer) {
        W = Glob.Tool[layer].SpodniPrumer;
    } else if (Glob.View == vToolUp && toolLayer) {
        Extended d = 0;
        if (ToolDistLaHook && ToolDistLaHook(layer, d, -1, false)) W = 2 * d;
    }

    uint32_t color;
    if (Glob.View == vDir) {
        const TDirect& e = Glob.Direct[DirKindOf(AsPline(Adresa)->PlineFlags)];
        if (!e.Show) return;
        color = e.Color;
    } else {
        color = Glob.TabLayer[layer].Color;
        if (Glob.View == vSort) color = Glob.Sort.InGroup ? Glob.Sort.GroupColor : Glob.Sort.PlineColor;
    }
    Canv->PenColor = color;

    const Osy S = AsPline(Adresa)->S;
    if (Glob.View == vSort && Glob.Sort.Prejezdy) {
        Canv->PenWidth = Glob.RapidsWidth;
        DrawLine(MainVars.LastPos, S, Canv, Glob.RapidsOpac, 0);
    }

    // No width (every view but the tool views) is the thinnest pen without arithmetic.
    int32_t penW = W > 0 ? int32_t(std::trunc(W * Glob.BoduNaMm)) + 1 : 1;
    if (penW < 1) penW = 1;
    const bool selected = (Adresa->Flags & FlagSelected) != 0;

    if (StartDotWanted(S)) {
        Canv->BrushStyle = TBrushStyle::bsSolid;
        Canv->BrushColor = color;
        StartDot(Canv, S);
        Canv->BrushColor = Glob.BackColor;
    }

    if (selected) {
        Canv->PenWidth = Glob.SelObjWidth;
        Canv->PenColor = Glob.SelObjColor;
        DrawSegs(Adresa, Canv, Glob.SelObjOpac, 3.0L);
    } else {
        Canv->PenWidth = penW;
        DrawSegs(Adresa, Canv, 1.0f, W);
    }
    MainVars.LastPos = PlineEndPt(Adresa);

    if (Glob.View == vSort && Glob.Sort.Cisla) {
        const uint32_t c = Glob.Sort.InGroup ? Glob.Sort.GroupColor : Glob.Sort.PlineColor;
        Canv->PenColor = c;
        Canv->Font.Color = c;
        Canv->BrushStyle = TBrushStyle::bsSolid;
        Canv->BrushColor = Glob.BackColor;
        SortNumber(Adresa, Canv);
    }
}

void TEnPline::RawDraw(TObjHeader* Adresa, TCanvas* Canv) {
    if (!Adresa || !Canv || !Drawable(Adresa)) return;
    const Osy S = AsPline(Adresa)->S;
    if (StartDotWanted(S)) StartDot(Canv, S);
    DrawSegs(Adresa, Canv, Glob.PrevObjOpac, Glob.PrevObjWidth);
    MainVars.LastPos = PlineEndPt(Adresa);
    if (Glob.View == vSort && Glob.Sort.Cisla) SortNumber(Adresa, Canv);
}

void TEnPline::GetPoints(const TObjHeader* A, RPolyPoints& Res) {
    if (!A) return;
    Res.PtArr.clear();
    Res.Cnt = 0;
    auto add = [&](const Osy& P) {
        Res.PtArr.push_back(WorldToPixel(P));
        ++Res.Cnt;
    };
    Osy s = AsPline(A)->S;
    add(s);
    const int32_t n = PlineSegCount(A);
    const TPlineSeg* seg = PlineSegs(A);
    constexpr Extended ChordTol = 0.1L;
    for (int32_t i = 0; i < n; ++i) {
        const Extended alfa = seg[i].Alfa;
        if (std::fabs(alfa) <= CoordTol) {
            add(seg[i].E);
        } else {
            Osy C;
            Extended r;
            ArcCenter(s, seg[i].E, alfa, C, r);
            int64_t cnt = 1;
            if (r > ChordTol) {
                const Extended h = (r - ChordTol) / r;
                const Extended step = 2 * std::atan(std::sqrt(1 - h * h) / h);
                const Extended want = std::ceil(std::fabs(alfa / step));
                // NaN (a broken record) gives one chord; a huge radius at most MaxChords.
                constexpr Extended MaxChords = 100000;
                cnt = want >= 1 ? int64_t(std::min(want, MaxChords)) : 1;
            }
            const Extended st = alfa / Extended(cnt);
            Extended a = ArcStartAngle(s, seg[i].E, alfa);
            for (int64_t k = 1; k <= cnt; ++k) {
                a += st;
                add(k == cnt ? seg[i].E : Osy{C.x + r * std::cos(a), C.y + r * std::sin(a)});
            }
        }
        s = seg[i].E;
    }
}

namespace {

bool InsideBox(const Osy& P, const Osy& Min, const Osy& Max) {
    return P.x >= Min.x && P.x <= Max.x && P.y >= Min.y && P.y <= Max.y;
}

// Window: the whole polyline inside Min..Max; crossing: any part of it touches.
bool HitTest(const TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window) {
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    Osy s = AsPline(Adresa)->S;
    for (int32_t i = 0; i < n; ++i) {
        const Osy& e = seg[i].E;
        const Extended alfa = seg[i].Alfa;
        if (std::fabs(alfa) < CoordTol) {
            Osy pl, pb, pr, pt;
            bool l, b, r, t, inA, inB;
            ClipSegToRect(Min, Max, s, e, pl, pb, pr, pt, l, b, r, t, inA, inB);
            if (Window) {
                if (!(inA && inB)) return false;
            } else if (inA || inB || l || b || r || t) {
                return true;
            }
        } else if (Window) {
            Osy mn, mx;
            ArcEnvelope(s, e, alfa, mn, mx);
            if (mn.x < Min.x || mn.y < Min.y || mx.x > Max.x || mx.y > Max.y) return false;
        } else {
            if (InsideBox(s, Min, Max)) return true;
            const Osy sides[4][2] = {{{Min.x, Min.y}, {Max.x, Min.y}},   // bottom
                                     {{Max.x, Max.y}, {Min.x, Max.y}},   // top
                                     {{Min.x, Max.y}, {Min.x, Min.y}},   // left
                                     {{Max.x, Min.y}, {Max.x, Max.y}}};  // right
            for (const auto& sd : sides) {
                Osy X1, X2;
                if (IntersLineArc(sd[0], sd[1], s, e, alfa, X1, X2) > 0) return true;
            }
        }
        s = e;
    }
    return Window;
}

// In debug mode every picked object's address is listed on the debug panel.
void DebugPickLine(const TObjHeader* p) {
    if (ListPickedAdrHook) ListPickedAdrHook(p);
}

}  // namespace

bool TEnPline::Select(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window) {
    if (!Adresa || !LayerShown(Adresa->Layer)) return false;
    if (HitTest(Adresa, Min, Max, Window)) {
        Adresa->Flags ^= FlagSelected;
        Draw(Adresa, MainCanvas);
        DebugPickLine(Adresa);
    }
    return (Adresa->Flags & FlagSelected) != 0;
}

bool TEnPline::RawSelect(TObjHeader* Adresa, const Osy& Min, const Osy& Max, bool Window) {
    if (!Adresa || !LayerShown(Adresa->Layer)) return false;
    const bool hit = HitTest(Adresa, Min, Max, Window);
    if (hit) DebugPickLine(Adresa);
    return hit;
}

void DrawTraceSeg(const Osy& S, const Osy& E, Extended Alfa) {
    TCanvas* c = MainCanvas;
    if (!c) return;
    c->PenStyle = TPenStyle::psSolid;
    c->PenWidth = 1;
    if (std::fabs(Alfa) < CoordTol) {
        c->PenColor = 0x0000FFFF;  // yellow
        DrawLine(S, E, c, 1.0f, 1.0L);
    } else {
        c->PenColor = 0x0000FF00;  // lime
        DrawArc(S, E, Alfa, c, 1.0f, 1.0L);
    }
}
