// Generating the dial face from the protocol's tables.
#include <algorithm>
#include <cmath>

#include "commands/ComCommon.h"
#include "commands/Daskovin.h"
#include "core/Builder.h"
#include "core/Glob.h"
#include "core/MainVars.h"
#include "core/ParText.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniText.h"

namespace {

constexpr uint8_t LayerOrig = 68;

struct TList {
    TObjHeader* S = nullptr;
    TObjHeader* E = nullptr;
    ~TList() { FreeObjList(S, E); }
};

Osy U(Extended t) { return {std::cos(t), std::sin(t)}; }
Osy At(const Osy& C, Extended R, Extended Dir) { return {C.x + R * std::cos(Dir), C.y + R * std::sin(Dir)}; }
Osy Plus(const Osy& P, Extended K, const Osy& V) { return {P.x + K * V.x, P.y + K * V.y}; }

// The tick rectangle of width W along direction Dir, from radius Rout inwards by L.
void TickOutline(const Osy& C, Extended Dir, Extended Rout, Extended L, Extended W, TList& Out) {
    const Osy P = At(C, Rout, Dir), Q = At(C, Rout - L, Dir);
    const Osy R = U(Dir - GeomPi / 2), Lf = U(Dir + GeomPi / 2);
    const Osy c1 = Plus(P, W / 2, R), c2 = Plus(P, W / 2, Lf), c3 = Plus(Q, W / 2, Lf), c4 = Plus(Q, W / 2, R);
    StartObj(c1);
    for (const Osy& p : {c2, c3, c4, c1}) AddSeg(p, 0, CoordTol);
    if (TObjHeader* o = MakeObj(LayerOrig, Out.S, Out.E)) EnPline.FindDir(o);
}

void CentreLine(const Osy& C, Extended Dir, Extended Rout, Extended L, Extended W, uint8_t Lay, TList& Out) {
    if (Lay) EnPline.LineAdd(At(C, Rout - W / 2, Dir), At(C, Rout - L + W / 2, Dir), Lay, Out.S, Out.E);
}

// The outward offset by B of a closed outline, reversed, into the clearance list.
void AddClearance(TObjHeader* O, Extended B, TList& Clear) {
    TObjHeader *s = nullptr, *e = nullptr;
    EnPline.GenOffsetClose(O, B, false, true, s, e, Glob.LayerDraw);
    for (TObjHeader* p = s; p; p = p->Next) EnPline.ChangeDir(p);
    ConcatObjLists(Clear.S, Clear.E, s, e);
}

// Dial angle (clockwise from the top, 0..2pi) of M seen from C.
Extended DialAngle(const Osy& C, const Osy& M) {
    Extended Phi = GeomPi / 2 - Angle(C, M);
    if (Phi < 0) Phi += 2 * GeomPi;
    return Phi;
}

bool OutsideZone(const TObjHeader* Piece, const Osy& C, Extended r, Extended R, Extended a0, Extended a1) {
    for (int32_t i = 0; i < PlineSegCount(Piece); ++i) {
        Osy M;
        SegMidPt(PlineSegStart(Piece, i), PlineSegs(Piece)[i].E, PlineSegs(Piece)[i].Alfa, M);
        const Extended d = Dist(C, M);
        if (d < r - CoordTol || d > R + CoordTol) return true;
        const Extended Phi = DialAngle(C, M);
        if (a0 < a1 ? (Phi < a0 - CoordTol || Phi > a1 + CoordTol) : (a1 + CoordTol < Phi && Phi < a0 - CoordTol))
            return true;
    }
    return false;
}

bool InsideClearance(TObjHeader* Piece, const TList& Clear) {
    if (PlineSegCount(Piece) == 0) return false;
    Osy M;
    SegMidPt(AsPline(Piece)->S, PlineSegs(Piece)[0].E, PlineSegs(Piece)[0].Alfa, M);
    for (TObjHeader* c = Clear.S; c; c = c->Next) {
        Osy Mn, Mx;
        EnPline.Envelope(c, Mn, Mx);
        if (M.x < Mn.x - CoordTol || M.x > Mx.x + CoordTol || M.y < Mn.y - CoordTol || M.y > Mx.y + CoordTol) continue;
        int32_t Sect = 0;
        if (EnPline.PointInside(c, M) && EnPline.DistPoint(c, M, Sect) > CoordTol) return true;
    }
    return false;
}

// Whether the box Mn-Mx may hold points at a distance between r and R from C: its
// nearest point lies no farther than R, and its farthest corner no nearer than r.
bool ExtentsMeetRing(const Osy& Mn, const Osy& Mx, const Osy& C, Extended r, Extended R) {
    const Osy Near{std::clamp(C.x, Mn.x, Mx.x), std::clamp(C.y, Mn.y, Mx.y)};
    const Osy Far{std::fabs(Mn.x - C.x) > std::fabs(Mx.x - C.x) ? Mn.x : Mx.x,
                  std::fabs(Mn.y - C.y) > std::fabs(Mx.y - C.y) ? Mn.y : Mx.y};
    return Dist(C, Near) <= R + CoordTol && Dist(C, Far) >= r - CoordTol;
}

void Zone(const TDaskovinData& D, const std::array<Extended, 5>& Z, const Osy& C, TList& Clear, TList& Result) {
    Extended Span = Z[1] - Z[0];
    if (Span < 0) Span += 2 * GeomPi;
    Extended a0 = Z[0] + D.US, a1 = Z[1] + D.US;
    if (a0 > 2 * GeomPi) a0 -= 2 * GeomPi;
    if (a1 > 2 * GeomPi) a1 -= 2 * GeomPi;
    const Extended R = Z[2] / 2, r = R - Z[3];
    auto Pt = [&](Extended Phi, Extended Rad) { return At(C, Rad, GeomPi / 2 - Phi); };
    TList Work;
    StartObj(Pt(a0, R));
    AddSeg(Pt(a0, r), 0, CoordTol);
    AddSeg(Pt(a0 + Span / 2, r), -Span / 2, CoordTol);
    AddSeg(Pt(a1, r), -Span / 2, CoordTol);
    AddSeg(Pt(a1, R), 0, CoordTol);
    AddSeg(Pt(a0 + Span / 2, R), Span / 2, CoordTol);
    AddSeg(Pt(a0, R), Span / 2, CoordTol);
    TObjHeader* O = MakeObj(LayerOrig, Work.S, Work.E);
    if (!O) return;
    EnPline.FindDir(O);
    if (Z[4] > CoordTol)
        if (TObjHeader* F = EnPline.FilletAll(O, Z[4], false)) {
            DeleteObj(O, Work.S, Work.E);
            AppendObj(F, Work.S, Work.E);
            EnPline.FindDir(F);
        }
    // Only clearances whose extents meet the zone's, and reach into its ring, can cut
    // it: a zone round the whole dial has the whole dial as its extents, and the ticks
    // outside its ring would be cut against it for nothing.
    Osy Zmin, Zmax;
    EnPline.Envelope(Work.S, Zmin, Zmax);
    for (TObjHeader* c = Clear.S; c; c = c->Next) {
        Osy Mn, Mx;
        EnPline.Envelope(c, Mn, Mx);
        if (Mx.x < Zmin.x - CoordTol || Mn.x > Zmax.x + CoordTol || Mx.y < Zmin.y - CoordTol || Mn.y > Zmax.y + CoordTol)
            continue;
        if (!ExtentsMeetRing(Mn, Mx, C, r, R)) continue;
        AppendObj(CopyObjBlock(c), Work.S, Work.E);
    }
    EnPline.PlineTrunc(Work.S, Work.E);
    for (TObjHeader* p = Work.S; p;) {
        TObjHeader* Next = p->Next;
        p->Layer = LayerOrig;
        if (OutsideZone(p, C, r, R, a0, a1) || InsideClearance(p, Clear)) DeleteObj(p, Work.S, Work.E);
        p = Next;
    }
    TList Joined;
    EnPline.SpecOffsPlineJoin(Work.S, Work.E, Joined.S, Joined.E);
    for (TObjHeader* j = Joined.S; j; j = j->Next) {
        AppendObj(CopyObjBlock(j), Result.S, Result.E);
        AddClearance(j, D.B, Clear);
    }
}

void AppendGroup(TList& L) {
    if (!L.S) return;
    if (TObjHeader* G = MakeGroup(false, L.S, L.E)) AppendObj(G, MainVars.DataStart, MainVars.DataEnd);
}

}  // namespace

bool GenerateDaskovin(const TDaskovinData& D) {
    if (!D.Loaded || D.D < 0 || D.DM < 0 || D.B < 0 || D.CX < 0 || D.CY < 0 || D.US < 0) return false;
    const Osy C{D.CX, D.CY};
    TList Outlines, Lines, Texts, Clear, Zones;
    Extended Prev = 0;
    for (const TCarka& K : D.Carka) {
        if (!(K.A > -CoordTol)) break;
        const Extended d = GeomPi / 2 - K.A - D.US;
        TickOutline(C, d, D.D / 2, K.L, K.W, Outlines);
        CentreLine(C, d, D.D / 2, K.L, K.W, K.Lay, Lines);
        WorkText.Vyska = K.HT;
        WorkText.WidthFactor = 1;
        WorkText.Rotate = 0;
        WorkText.Zkos = 0;
        WorkText.MirrorY = false;
        WorkText.Origin = At(C, D.DT / 2, d);
        WorkText.Justify = 4;
        WorkText.JmFontu = "YF01.shp";
        WorkText.Text = K.T;
        // A label needs a height; without a label layer the labels go to the drawing layer.
        if (!K.T.empty() && K.HT > 0) EnText.Add(D.LT ? D.LT : Glob.LayerDraw, Texts.S, Texts.E, true);
        for (int32_t k = 1; k <= K.N; ++k) {
            const Extended a = Prev + (d - Prev) * k / (K.N + 1);
            TickOutline(C, a, D.DM / 2, K.LM, K.WM, Outlines);
            CentreLine(C, a, D.DM / 2, K.LM, K.WM, K.LayMezi, Lines);
        }
        Prev = d;
    }
    for (TObjHeader* o = Outlines.S; o; o = o->Next) AddClearance(o, D.B, Clear);
    for (const auto& Z : D.Zona) {
        if (!(Z[0] > -CoordTol && Z[1] > -CoordTol)) break;
        Zone(D, Z, C, Clear, Zones);
    }
    AppendGroup(Zones);
    AppendGroup(Outlines);
    AppendGroup(Lines);
    ConcatObjLists(MainVars.DataStart, MainVars.DataEnd, Texts.S, Texts.E);
    MainVars.FileSaved = false;
    ComRedrawView();
    return true;
}
