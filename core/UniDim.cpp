// Dimensions: the five builders, their arrowheads and the common steps (layer, text
// width, final text, output).
#include "core/UniDim.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/Glob.h"
#include "core/ParText.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniText.h"
#include "core/MainVars.h"

namespace {

const Extended Tan15 = std::sin(GeomPi / 12) / std::cos(GeomPi / 12);

// One dimension under construction: its layer, working list and text width.
struct TDimWork {
    uint8_t Layer = 0;
    TObjHeader* S = nullptr;
    TObjHeader* E = nullptr;
    Extended W = 0;  // text width
    Extended L = 0;  // arrowhead length
    Extended H = 0;  // text height
};

// Common steps 1 to 3: the layer, "?" for a text with nothing to show, and the
// width of the text as the caller left it (measured by making and deleting it).
TDimWork Begin() {
    TDimWork d;
    d.Layer = Glob.DimLayerKot ? uint8_t(LayerKoty) : Glob.LayerDraw;
    d.L = Glob.DimArrowLen;
    if (std::all_of(WorkText.Text.begin(), WorkText.Text.end(), [](char c) { return c == ' '; }))
        WorkText.Text = "?";
    d.H = WorkText.Vyska;
    TObjHeader *s = nullptr, *e = nullptr;
    if (TObjHeader* t = EnText.Add(d.Layer, s, e, false)) {
        d.W = WorkText.EnvP2.x - WorkText.EnvP1.x;
        DeleteObj(t, s, e);
    }
    return d;
}

// Common step 4: the final text, justified j, at Origin, without bold, italic,
// mirror and rotation (the TrueType bit stays).
TObjHeader* FinalText(TDimWork& d, int j, const Osy& Origin, Extended Rotate = 0) {
    WorkText.Rotate = Rotate;
    WorkText.MirrorY = false;
    WorkText.Justify = uint8_t((WorkText.Justify & JustifyTrueType) + j);
    WorkText.Origin = Origin;
    return EnText.Add(d.Layer, d.S, d.E, true);
}

// Common step 5: loose parts or one group whose Count is the number of parts.
void Output(TDimWork& d) {
    if (!d.S) return;
    if (!Glob.DimGroup) {
        ConcatObjLists(MainVars.DataStart, MainVars.DataEnd, d.S, d.E);
        return;
    }
    TObjHeader* g = AllocObj(GroupRecSize, ObjGroup);
    g->Layer = d.Layer;
    AsGroup(g)->First = d.S;
    AsGroup(g)->Last = d.E;
    AsGroup(g)->Count = CountObjs(d.S);
    d.S = d.E = nullptr;
    AppendObj(g, MainVars.DataStart, MainVars.DataEnd);
}

// An open polyline of straight segments through Pts on Layer.
TObjHeader* Polyline(std::initializer_list<Osy> Pts, uint8_t Layer, TObjHeader*& S, TObjHeader*& E) {
    const int32_t n = int32_t(Pts.size()) - 1;
    TObjHeader* r = AllocObj(PlineSizeFor(n), ObjPline);
    r->Layer = Layer;
    r->SavedFlags = 0;
    auto it = Pts.begin();
    AsPline(r)->S = *it++;
    for (int32_t i = 0; i < n; ++i, ++it) PlineSegs(r)[i] = {0, *it};
    return AppendObj(r, S, E);
}

enum TCase { Inside = 1, Outside = 2, InsideTextBeyond = 3, OutsideTextBeyond = 4 };

TCase PlacementCase(Extended a, const TDimWork& d) {
    if (a >= d.W + 2 * (d.L + 1) - CoordTol) return Inside;
    if (a >= d.W + 2 - CoordTol) return Outside;
    if (a >= 2 * d.L + 1 - CoordTol) return InsideTextBeyond;
    return OutsideTextBeyond;
}

bool ArrowsInside(TCase c) { return c == Inside || c == InsideTextBeyond; }

// Steps 2 to 4 of the horizontal dimension for A, B ordered by x; returns the text.
TObjHeader* BuildHor(TDimWork& d, const Osy& A, const Osy& B, const Osy& Loc) {
    auto extY = [&](const Osy& P) { return P.y <= Loc.y ? Loc.y + 1 : Loc.y - 1; };
    EnPline.LineAdd(A, {A.x, extY(A)}, d.Layer, d.S, d.E);
    EnPline.LineAdd(B, {B.x, extY(B)}, d.Layer, d.S, d.E);
    const Extended y0 = Loc.y, L = d.L, w = d.W;
    const TCase c = PlacementCase(std::fabs(B.x - A.x), d);
    const bool in = ArrowsInside(c);
    DimArrowX({A.x, y0}, in, d.Layer, d.S, d.E);
    DimArrowX({B.x, y0}, !in, d.Layer, d.S, d.E);
    switch (c) {
        case Inside: EnPline.LineAdd({A.x, y0}, {B.x, y0}, d.Layer, d.S, d.E); break;
        case Outside: EnPline.LineAdd({A.x - L - 1, y0}, {B.x + L + 1, y0}, d.Layer, d.S, d.E); break;
        case InsideTextBeyond: EnPline.LineAdd({A.x, y0}, {B.x + 1 + w, y0}, d.Layer, d.S, d.E); break;
        case OutsideTextBeyond:
            EnPline.LineAdd({A.x - L - 1, y0}, {B.x + L + 1 + w, y0}, d.Layer, d.S, d.E);
            break;
    }
    const Extended ty = y0 + d.H / 5;
    switch (c) {
        case Inside:
        case Outside: return FinalText(d, 1, {(A.x + B.x) / 2, ty});
        case InsideTextBeyond: return FinalText(d, 0, {B.x + 1, ty});
        default: return FinalText(d, 0, {B.x + L + 1, ty});
    }
}

Osy OnCircle(const Osy& C, Extended R, Extended t) { return {C.x + R * std::cos(t), C.y + R * std::sin(t)}; }

}  // namespace

TObjHeader* DimArrowX(const Osy& T, bool ToMinusX, uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    const Extended L = Glob.DimArrowLen, s = ToMinusX ? 1 : -1;
    return Polyline({{T.x + s * L, T.y + L * Tan15}, T, {T.x + s * L, T.y - L * Tan15}}, Layer, StartAdr, EndAdr);
}

TObjHeader* DimArrowY(const Osy& T, bool ToMinusY, uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    const Extended L = Glob.DimArrowLen, s = ToMinusY ? 1 : -1;
    return Polyline({{T.x + L * Tan15, T.y + s * L}, T, {T.x - L * Tan15, T.y + s * L}}, Layer, StartAdr, EndAdr);
}

bool DimHor(const Osy& P1, const Osy& P2, const Osy& Loc) {
    Osy A = P1, B = P2;
    if (P2.x < P1.x) std::swap(A, B);
    TDimWork d = Begin();
    BuildHor(d, A, B, Loc);
    Output(d);
    return true;
}

bool DimVert(const Osy& P1, const Osy& P2, const Osy& Loc) {
    Osy A = P1, B = P2;
    if (P2.y < P1.y) std::swap(A, B);
    TDimWork d = Begin();
    auto extX = [&](const Osy& P) { return P.x <= Loc.x ? Loc.x + 1 : Loc.x - 1; };
    EnPline.LineAdd(A, {extX(A), A.y}, d.Layer, d.S, d.E);
    EnPline.LineAdd(B, {extX(B), B.y}, d.Layer, d.S, d.E);
    const Extended x0 = Loc.x, L = d.L, w = d.W;
    const TCase c = PlacementCase(std::fabs(B.y - A.y), d);
    const bool in = ArrowsInside(c);
    DimArrowY({x0, A.y}, in, d.Layer, d.S, d.E);
    DimArrowY({x0, B.y}, !in, d.Layer, d.S, d.E);
    Extended y1 = A.y, y2 = B.y, ty = (A.y + B.y) / 2;
    int j = 1;
    switch (c) {
        case Inside: break;
        case Outside: y1 = A.y - L - 1, y2 = B.y + L + 1; break;
        case InsideTextBeyond: y2 = B.y + 1 + w, ty = B.y + 1, j = 0; break;
        case OutsideTextBeyond: y1 = A.y - L - 1, y2 = B.y + L + 1 + w, ty = B.y + L + 1, j = 0; break;
    }
    EnPline.LineAdd({x0, y1}, {x0, y2}, d.Layer, d.S, d.E);
    FinalText(d, j, {x0 - d.H / 5, ty}, GeomPi2);
    Output(d);
    return true;
}

bool DimRot(const Osy& P1, const Osy& P2, const Osy& Loc) {
    Osy A = P1, B = P2;
    if (P2.x < P1.x) std::swap(A, B);
    const Extended a0 = Angle(A, B);
    // Built horizontally in A's frame, then turned about A.
    const Osy B1{A.x + Dist(A, B), A.y};
    const Extended rl = Dist(A, Loc), al = Angle(A, Loc) - a0;
    const Osy Loc1{A.x + rl * std::cos(al), A.y + rl * std::sin(al)};
    TDimWork d = Begin();
    BuildHor(d, A, B1, Loc1);
    for (TObjHeader* r = d.S; r; r = r->Next) {
        if (r->Type == ObjPline) EnPline.Rotate(r, A, a0);
        else if (r->Type == ObjText) EnText.Rotate(r, A, a0);
    }
    Output(d);
    return true;
}

bool DimAngle(const Osy& Vert, const Osy& P1In, const Osy& P2In, const Osy& Loc) {
    const Extended R = Dist(Vert, Loc);
    if (R < CoordTol) {
        WriteLog("Err:Angle dimension refused, the arc has no radius");
        return false;
    }
    const Extended gap = std::fabs(Angle(Vert, P1In) - Angle(Vert, P2In));
    if (std::min(gap, Geom2Pi - gap) < CoordTol) {
        WriteLog("Err:Angle dimension refused, both points lie on one ray");
        return false;
    }
    TDimWork d = Begin();
    const Extended L = d.L, w = d.W;
    // Extension lines along the rays, from each point to 1 mm beyond the arc.
    for (const Osy& P : {P1In, P2In}) {
        const Extended t = Angle(Vert, P), k = R - Dist(Vert, P) + 1;
        EnPline.LineAdd(P, {P.x + k * std::cos(t), P.y + k * std::sin(t)}, d.Layer, d.S, d.E);
    }
    // The arc runs counter-clockwise from P1 to P2 on the side of Loc.
    Osy P1 = P1In, P2 = P2In;
    Extended t1 = Angle(Vert, P1), t2 = Angle(Vert, P2);
    const Extended tl = Angle(Vert, Loc);
    if (t1 > t2) {
        std::swap(t1, t2);
        std::swap(P1, P2);
    }
    Extended span = t2 - t1;
    if (!(t1 <= tl && tl <= t2)) {
        span = Geom2Pi - span;
        std::swap(P1, P2);
    }
    t1 = Angle(Vert, P1);
    t2 = Angle(Vert, P2);

    const TCase c = PlacementCase(R * span, d);
    const Extended g = (L + 1) / R;
    const Osy C1 = OnCircle(Vert, R, t1), C2 = OnCircle(Vert, R, t2);
    auto arrows = [&](bool Inside) {
        TObjHeader* a1 = DimArrowX(C1, true, d.Layer, d.S, d.E);
        EnPline.Rotate(a1, C1, Inside ? t1 + GeomPi2 : t1 - GeomPi2);
        TObjHeader* a2 = DimArrowX(C2, true, d.Layer, d.S, d.E);
        EnPline.Rotate(a2, C2, Inside ? t2 - GeomPi2 : t2 + GeomPi2);
    };
    Extended m = t1 + span / 2;
    switch (c) {
        case Inside:
            EnPline.ArcAdd(C1, C2, span, d.Layer, d.S, d.E);
            arrows(true);
            break;
        case Outside:
            arrows(false);
            EnPline.ArcAdd(OnCircle(Vert, R, t1 - g), OnCircle(Vert, R, t2 + g), span + 2 * g, d.Layer, d.S, d.E);
            break;
        case InsideTextBeyond:
            arrows(true);
            m = t2 + (w / 2 + 1) / R;
            EnPline.ArcAdd(C1, OnCircle(Vert, R, t2 + (w + 1) / R), span + (w + 1) / R, d.Layer, d.S, d.E);
            break;
        case OutsideTextBeyond:
            arrows(false);
            m = t2 + (L + 1 + w / 2) / R;
            EnPline.ArcAdd(OnCircle(Vert, R, t1 - g), OnCircle(Vert, R, t2 + (L + 1 + w) / R),
                           span + (2 * L + 2 + w) / R, d.Layer, d.S, d.E);
            break;
    }
    if (m >= Geom2Pi) m -= Geom2Pi;
    // Above the vertex the text stands outside the arc, below it inside, so that it
    // never reads upside down.
    Osy origin;
    Extended q;
    if (m >= 0 && m <= GeomPi) {
        origin = OnCircle(Vert, R + d.H / 5, m);
        q = m - GeomPi2;
    } else {
        origin = OnCircle(Vert, R - d.H / 5, m);
        q = m + GeomPi2;
    }
    if (TObjHeader* t = FinalText(d, 1, origin)) EnText.Rotate(t, origin, q);
    Output(d);
    return true;
}

bool DimLeader(TObjHeader* StartLines, TObjHeader*) {
    if (!StartLines || StartLines->Type != ObjPline) return false;
    TDimWork d = Begin();
    // The legs joined end to end, then the shelf.
    std::vector<TPlineSeg> segs;
    for (TObjHeader* r = StartLines; r; r = r->Next)
        if (r->Type == ObjPline && PlineSegCount(r) > 0) segs.push_back(PlineSegs(r)[0]);
    const Osy S = AsPline(StartLines)->S;
    const Osy E = segs.empty() ? S : segs.back().E;
    segs.push_back({0, {E.x + 1 + d.W, E.y}});
    TObjHeader* p = AllocObj(PlineSizeFor(int32_t(segs.size())), ObjPline);
    p->Layer = d.Layer;
    p->SavedFlags = 0;
    AsPline(p)->S = S;
    std::copy(segs.begin(), segs.end(), PlineSegs(p));
    AppendObj(p, d.S, d.E);
    FinalText(d, 2, {E.x + 1 + d.W, E.y + d.H / 5});
    TObjHeader* a = DimArrowX(S, true, d.Layer, d.S, d.E);
    EnPline.Rotate(a, S, Angle(S, PlineSegs(p)[0].E));
    Output(d);
    return true;
}
