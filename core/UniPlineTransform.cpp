// In-place transforms of polylines (move, rotate, mirror, scale), their live-preview
// variants, and non-proportional scaling, which rebuilds the record.
#include <algorithm>
#include <cmath>
#include <string>

#include "core/Builder.h"
#include "core/UniGeom.h"
#include "core/Global.h"
#include "core/UniLog.h"
#include "core/UniDraw.h"
#include "core/UniPline.h"
#include "core/UniPlineUtil.h"

namespace {

template <class F>
void MapPoints(TObjHeader* Adresa, F f) {
    TPlineRec* p = AsPline(Adresa);
    p->S = f(p->S);
    const int32_t n = PlineSegCount(Adresa);
    TPlineSeg* seg = PlineSegs(Adresa);
    for (int32_t i = 0; i < n; ++i) seg[i].E = f(seg[i].E);
}

void Unselect(TObjHeader* Adresa) { Adresa->Flags &= uint8_t(~FlagSelected); }

Osy RotatePt(const Osy& P, const Osy& Base, Extended Ang) {
    const Extended a = NormAngleOf(Angle(Base, P) + Ang);
    const Extended r = Dist(Base, P);
    return {Base.x + r * std::cos(a), Base.y + r * std::sin(a)};
}

Osy MirrorPt(const Osy& P, const Osy& P1, Extended c) {
    const Extended g = 2 * c - Angle(P1, P);
    const Extended r = Dist(P1, P);
    return {P1.x + r * std::cos(g), P1.y + r * std::sin(g)};
}

// Arc cosine with its argument kept in [-1, 1] (rounding can push it just outside).
Extended SafeAcos(Extended v) { return std::acos(std::clamp(v, Extended(-1), Extended(1))); }

}  // namespace

void TEnPline::Move(TObjHeader* Adresa, const Osy& Rel) {
    if (!Adresa) return;
    MapPoints(Adresa, [&](const Osy& P) { return AddPt(P, Rel); });
    Unselect(Adresa);
}

void TEnPline::RawMove(TObjHeader* Adresa, const Osy& Rel) {
    if (!Adresa) return;
    MapPoints(Adresa, [&](const Osy& P) { return AddPt(P, Rel); });
    Draw(Adresa, MainCanvas);
}

void TEnPline::Rotate(TObjHeader* Adresa, const Osy& Base, Extended Ang) {
    if (!Adresa) return;
    MapPoints(Adresa, [&](const Osy& P) { return RotatePt(P, Base, Ang); });
    Unselect(Adresa);
}

void TEnPline::RawRotate(TObjHeader* Adresa, const Osy& Base, Extended Ang) {
    if (!Adresa) return;
    Rotate(Adresa, Base, Ang);
    RawDraw(Adresa, MainCanvas);
}

void TEnPline::Mirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2) {
    if (!Adresa) return;
    const Extended c = Angle(P1, P2);
    MapPoints(Adresa, [&](const Osy& P) { return MirrorPt(P, P1, c); });
    const int32_t n = PlineSegCount(Adresa);
    TPlineSeg* seg = PlineSegs(Adresa);
    for (int32_t i = 0; i < n; ++i) seg[i].Alfa = -seg[i].Alfa;
    Unselect(Adresa);
}

void TEnPline::RawMirror(TObjHeader* Adresa, const Osy& P1, const Osy& P2) {
    if (!Adresa) return;
    Mirror(Adresa, P1, P2);
    RawDraw(Adresa, MainCanvas);
}

void TEnPline::Scale(TObjHeader* Adresa, const Osy& Base, Extended Sc) {
    if (!Adresa) return;
    MapPoints(Adresa, [&](const Osy& P) {
        return Osy{Base.x + Sc * (P.x - Base.x), Base.y + Sc * (P.y - Base.y)};
    });
    Unselect(Adresa);
}

void TEnPline::RawScale(TObjHeader* Adresa, const Osy& Base, Extended Sc) {
    if (!Adresa) return;
    Scale(Adresa, Base, Sc);
    Draw(Adresa, MainCanvas);
}

bool TEnPline::NpropScale(TObjHeader* Adresa, const Osy& Base, const Osy& Sc, TObjHeader*& StartAdr,
                          TObjHeader*& EndAdr, bool /*Draw*/, TObjHeader*& Adr) {
    if (!Adresa) return false;
    // A zero factor leaves no arc piece size (division by zero) and a negative one
    // mirrors, which the arc re-fit below would bend the wrong way.
    if (!(Sc.x > 0) || !(Sc.y > 0)) {
        WriteLog("Err:FAILED NpropScale, scale factors must be positive (x=" + ExtToStr(Sc.x) +
                 ", y=" + ExtToStr(Sc.y) + ")");
        return false;
    }
    const Extended ratio = Sc.y <= Sc.x ? Sc.y / Sc.x : Sc.x / Sc.y;
    const Extended F = ratio * GeomPi / 4;
    Unselect(Adresa);
    const uint8_t layer = Adresa->Layer;
    const uint8_t flags = AsPline(Adresa)->PlineFlags;

    // Rebuild the unscaled path with long arcs cut into pieces of at most about F.
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    Osy s = AsPline(Adresa)->S;
    StartObj(s);
    for (int32_t i = 0; i < n; ++i) {
        const Extended alfa = seg[i].Alfa;
        if (std::fabs(alfa) <= F) {
            AddSeg(seg[i].E, alfa, 0);
        } else {
            // Extreme factor ratios would ask for millions of pieces; past MaxPieces
            // the re-fit is as good as the drawing can show.
            constexpr Extended MaxPieces = 4096;
            const Extended want = std::nearbyint(std::fabs(alfa) / F);
            const int32_t m = want >= 1 ? int32_t(std::min(want, MaxPieces)) : 1;
            Osy C;
            Extended R;
            ArcCenter(s, seg[i].E, alfa, C, R);
            const Extended a0 = ArcStartAngle(s, seg[i].E, alfa);
            for (int32_t k = 1; k <= m; ++k) {
                const Extended a = a0 + k * alfa / m;
                // The last piece ends exactly where the arc does.
                const Osy e = k == m ? seg[i].E : Osy{C.x + R * std::cos(a), C.y + R * std::sin(a)};
                AddSeg(e, alfa / m, 0);
            }
        }
        s = seg[i].E;
    }
    TObjHeader *ts = nullptr, *te = nullptr;
    TObjHeader* r = MakeObj(layer, ts, te);
    if (!r) return false;
    UnlinkObj(r, ts, te);
    ReplaceObj(Adresa, r, StartAdr, EndAdr);
    Adr = r;

    auto sc = [&](const Osy& P) {
        return Osy{Base.x + Sc.x * (P.x - Base.x), Base.y + Sc.y * (P.y - Base.y)};
    };
    if (r->Type != ObjPline) {  // every segment was a repeated point
        AsPline(r)->S = sc(AsPline(r)->S);
        return true;
    }
    const int32_t nn = PlineSegCount(r);
    TPlineSeg* ns = PlineSegs(r);
    Osy prev = AsPline(r)->S;
    AsPline(r)->S = sc(prev);
    for (int32_t i = 0; i < nn; ++i) {
        const Osy e = ns[i].E;
        const Extended alfa = ns[i].Alfa;
        ns[i].E = sc(e);
        if (std::fabs(alfa) > CoordTol) {
            Osy M;
            SegMidPt(prev, e, alfa, M);
            const Osy S2 = sc(prev), E2 = ns[i].E, M2 = sc(M);
            const Extended a = Dist(S2, E2), b = Dist(S2, M2), c = Dist(M2, E2);
            // The angle at S' in the triangle S'M'E' is a quarter of the arc's angle.
            Extended na = 0;
            if (a > 0 && b > 0) na = 4 * SafeAcos((b * b + a * a - c * c) / (2 * a * b));
            ns[i].Alfa = alfa < 0 ? -na : na;
        }
        prev = e;
    }
    AsPline(r)->PlineFlags = flags;
    return true;
}

bool TEnPline::RawNpropScale(TObjHeader* Adresa, const Osy& Base, const Osy& Sc, TObjHeader*& StartAdr,
                             TObjHeader*& EndAdr, bool DrawIt, TObjHeader*& Adr) {
    if (!NpropScale(Adresa, Base, Sc, StartAdr, EndAdr, DrawIt, Adr)) return false;
    Draw(Adr, MainCanvas);
    return true;
}
