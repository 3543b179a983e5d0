// Fillets and chamfers of polyline corners, arcs to chords, and the end points and
// end tangents of a polyline.
#include <cmath>
#include <vector>

#include "core/Builder.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPlineOffset.h"
#include "core/UniPlineUtil.h"

using pline::IsLine;
using pline::WrapPi;

namespace {

// The foot of M on a segment; false when it lies on the segment at a distance other
// than Radius (a foot beyond the segment is not judged).
bool FootFits(const Osy& M, const Osy& S, const Osy& E, Extended Alfa, Extended Radius, Osy& F) {
    Extended D;
    const bool on = pline::PerpFootSeg(M, S, E, Alfa, F, D);
    return !on || std::fabs(D - Radius) <= CoordTol;
}

// The fillet sign and chamfer rules applied to a fillet arc's angle.
Extended FilletAngle(Extended FAlfa, Extended Radius, bool Chamfer) {
    if (Radius < 0) FAlfa = -FAlfa;
    return Chamfer ? 0 : FAlfa;
}

// Copies or fillets the corners of Src into a new record (linked into no list).
// Corner k is the end of segment k (k = n - 1: the closing corner of a closed
// polyline); Want(k) tells whether to fillet it.
template <class F>
TObjHeader* BuildFilleted(TObjHeader* Src, Extended Radius, bool Chamfer, F&& Want) {
    const int32_t n = PlineSegCount(Src);
    const TPlineSeg* seg = PlineSegs(Src);
    const Extended r = std::fabs(Radius);
    StartObj(AsPline(Src)->S);
    Osy P = AsPline(Src)->S, E1 = seg[0].E;
    Extended A1 = seg[0].Alfa;
    for (int32_t k = 1; k < n; ++k) {
        Osy E2 = seg[k].E, S2 = E1;
        Extended A2 = seg[k].Alfa;
        Osy FS, FE;
        Extended FA;
        if (Want(k - 1) && EnPline.GenFillet(r, P, E1, S2, E2, A1, A2, FS, FE, FA)) {
            AddSeg(FS, A1, CoordTol);
            AddSeg(FE, FilletAngle(FA, Radius, Chamfer), CoordTol);
            P = FE;
        } else {
            AddSeg(E1, A1, CoordTol);
            P = E1;
        }
        E1 = E2;
        A1 = A2;
    }
    bool done = false;
    if (!EnPline.OpenPline(Src) && Want(n - 1) && BuildSegCount() > 0) {
        Osy S2 = BuildStartPt(), E2 = BuildSegs()[0].E;
        Extended A2 = BuildSegs()[0].Alfa;
        Osy FS, FE;
        Extended FA;
        if (EnPline.GenFillet(r, P, E1, S2, E2, A1, A2, FS, FE, FA)) {
            AddSeg(FS, A1, CoordTol);
            AddSeg(FE, FilletAngle(FA, Radius, Chamfer), CoordTol);
            BuildStartPt() = FE;
            BuildSegs()[0].Alfa = A2;
            done = true;
        }
    }
    if (!done) AddSeg(E1, A1, CoordTol);
    TObjHeader *s = nullptr, *e = nullptr;
    TObjHeader* res = MakeObj(Src->Layer, s, e);
    if (res) {
        res->Next = res->Prev = nullptr;
        EnPline.FindDir(res);
    }
    return res;
}

}  // namespace

bool TEnPline::GenFillet(Extended Radius, Osy& S1, Osy& E1, Osy& S2, Osy& E2, Extended& Alfa1, Extended& Alfa2,
                         Osy& FS, Osy& FE, Extended& FAlfa) {
    Osy M;
    bool found = false;
    for (Extended side : {GeomPi2, -GeomPi2}) {
        Osy a, b, c, d, X1, X2;
        Extended aa, ab;
        OffsetSeg(S1, E1, Alfa1, side, Radius, a, b, aa);
        OffsetSeg(S2, E2, Alfa2, side, Radius, c, d, ab);
        const unsigned cnt = IntersSegSeg(a, b, c, d, aa, ab, X1, X2);
        if (cnt == 0) continue;
        M = cnt >= 2 ? X2 : X1;
        if (!SamePt(M, b) && !SamePt(M, c)) {
            found = true;
            break;
        }
    }
    if (!found) return false;
    if (!FootFits(M, S1, E1, Alfa1, Radius, FS) || !FootFits(M, S2, E2, Alfa2, Radius, FE)) return false;
    if (!IsLine(Alfa1)) {
        Osy C;
        Extended R;
        ArcCenter(S1, E1, Alfa1, C, R);
        Alfa1 = WrapPi(Angle(C, FS) - Angle(C, S1));
    }
    FAlfa = WrapPi(Angle(M, FE) - Angle(M, FS));
    if (!IsLine(Alfa2)) {
        Osy C;
        Extended R;
        ArcCenter(S2, E2, Alfa2, C, R);
        Alfa2 = WrapPi(Angle(C, E2) - Angle(C, FE));
    }
    return true;
}

TObjHeader* TEnPline::FilletAll(TObjHeader* Adresa, Extended Radius, bool Chamfer) {
    if (!Adresa || Adresa->Type != ObjPline) return nullptr;
    Adresa->Flags &= uint8_t(~FlagSelected);
    if (PlineSegCount(Adresa) <= 1) return nullptr;
    return BuildFilleted(Adresa, Radius, Chamfer, [](int32_t) { return true; });
}

TObjHeader* TEnPline::FilletOne(TObjHeader* Adresa, Extended Radius, const Osy& Pt, bool Chamfer) {
    if (!Adresa || Adresa->Type != ObjPline) return nullptr;
    Adresa->Flags &= uint8_t(~FlagSelected);
    const int32_t n = PlineSegCount(Adresa);
    if (n <= 1) return nullptr;
    // Candidates: the start point (the closing corner, n - 1), then the end of every
    // segment but the last; a later one wins only when strictly nearer.
    int32_t corner = n - 1;
    Extended best = Dist(Pt, AsPline(Adresa)->S);
    for (int32_t k = 0; k + 1 < n; ++k) {
        const Extended d = Dist(Pt, PlineSegs(Adresa)[k].E);
        if (d < best) {
            best = d;
            corner = k;
        }
    }
    if (corner == n - 1 && OpenPline(Adresa)) return nullptr;
    return BuildFilleted(Adresa, Radius, Chamfer, [corner](int32_t k) { return k == corner; });
}

TObjHeader* TEnPline::ArcToLine(TObjHeader* Adresa, Extended OS) {
    if (!Adresa || Adresa->Type != ObjPline) return nullptr;
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    StartObj(AsPline(Adresa)->S);
    for (int32_t i = 0; i < n; ++i) {
        const Osy s = PlineSegStart(Adresa, i);
        const Extended a = seg[i].Alfa;
        if (IsLine(a)) {
            AddSeg(seg[i].E, 0, CoordTol);
            continue;
        }
        Osy C;
        Extended R;
        ArcCenter(s, seg[i].E, a, C, R);
        int64_t cnt = 1;
        if (OS < R) {
            const Extended q = (R - OS) / R;
            const Extended step = 2 * std::atan(std::sqrt(1 - q * q) / q);
            const Extended c = step > 0 ? std::ceil(std::fabs(a) / step) : 1;
            // A deviation far below the coordinates' precision asks for more chords
            // than any build could hold; such arcs keep the finest sensible split.
            cnt = c < 1 ? 1 : (c > 1e6L ? 1000000 : int64_t(c));
        }
        const Extended a0 = ArcStartAngle(s, seg[i].E, a);
        for (int64_t k = 1; k < cnt; ++k) {
            Extended st, ct;
            SinCos(a0 + Extended(k) * a / Extended(cnt), st, ct);
            AddSeg({C.x + R * ct, C.y + R * st}, 0, CoordTol);
        }
        AddSeg(seg[i].E, 0, CoordTol);
    }
    TObjHeader *ls = nullptr, *le = nullptr;
    TObjHeader* r = MakeObj(Adresa->Layer, ls, le);
    if (!r) return nullptr;
    r->Next = r->Prev = nullptr;
    if (r->Type == ObjPline) AsPline(r)->PlineFlags = AsPline(Adresa)->PlineFlags;
    return r;
}

Osy TEnPline::StartPt(const TObjHeader* A) { return A ? AsPline(A)->S : Osy{}; }

Osy TEnPline::EndPt(const TObjHeader* A) { return A ? PlineEndPt(A) : Osy{}; }

Extended TEnPline::TanStart(const TObjHeader* A) {
    if (!A || PlineSegCount(A) == 0) return 0;
    const TPlineSeg& s = PlineSegs(A)[0];
    return NormAngleOf(Angle(AsPline(A)->S, s.E) - s.Alfa / 2);
}

Extended TEnPline::TanEnd(const TObjHeader* A) {
    const int32_t n = A ? PlineSegCount(A) : 0;
    if (n == 0) return 0;
    const TPlineSeg& s = PlineSegs(A)[n - 1];
    return NormAngleOf(Angle(PlineSegStart(A, n - 1), s.E) + s.Alfa / 2);
}
