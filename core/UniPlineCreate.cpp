// Basic polylines (line, arc, circle, rectangle), copies, reversal, a new start point
// of a closed polyline, and exploding into single segments.
#include <cmath>
#include <cstring>
#include <vector>

#include "core/Builder.h"
#include "core/UniGeom.h"
#include "core/UniDraw.h"
#include "core/UniPline.h"
#include "core/UniPlineUtil.h"

namespace {

// A new unlinked polyline record of SegCnt segments (Flags 1, SavedFlags 0).
TPlineRec* NewPline(int32_t SegCnt, uint8_t Layer, uint8_t PlineFlags, const Osy& S) {
    TObjHeader* h = AllocObj(PlineSizeFor(SegCnt), ObjPline);
    h->Layer = Layer;
    h->Flags = FlagNew;
    h->SavedFlags = 0;
    TPlineRec* p = AsPline(h);
    p->PlineFlags = PlineFlags;
    p->S = S;
    return p;
}

bool SameWithinTol(const Osy& a, const Osy& b) {
    return std::fabs(a.x - b.x) <= CoordTol && std::fabs(a.y - b.y) <= CoordTol;
}

}  // namespace

void TEnPline::LineAdd(const Osy& S, const Osy& E, uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    ArcAdd(S, E, 0, Layer, StartAdr, EndAdr);
}

void TEnPline::ArcAdd(const Osy& S, const Osy& E, Extended Alfa, uint8_t Layer, TObjHeader*& StartAdr,
                      TObjHeader*& EndAdr) {
    if (SameWithinTol(S, E)) return;
    TPlineRec* p = NewPline(1, Layer, 0, S);
    PlineSegs(p)[0] = {Alfa, E};
    AppendObj(p, StartAdr, EndAdr);
}

void TEnPline::CircleAdd(const Osy& C, Extended R, uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    if (R < CoordTol) return;
    TPlineRec* p = NewPline(4, Layer, PlineClosed, {C.x + R, C.y});
    TPlineSeg* seg = PlineSegs(p);
    seg[0] = {GeomPi2, {C.x, C.y + R}};
    seg[1] = {GeomPi2, {C.x - R, C.y}};
    seg[2] = {GeomPi2, {C.x, C.y - R}};
    seg[3] = {GeomPi2, {C.x + R, C.y}};
    AppendObj(p, StartAdr, EndAdr);
}

void TEnPline::RectangleAdd(const Osy& S, const Osy& E, uint8_t Layer, TObjHeader*& StartAdr,
                            TObjHeader*& EndAdr) {
    if (std::fabs(S.x - E.x) <= CoordTol || std::fabs(S.y - E.y) <= CoordTol) return;
    TPlineRec* p = NewPline(4, Layer, 0, S);
    TPlineSeg* seg = PlineSegs(p);
    seg[0] = {0, {E.x, S.y}};
    seg[1] = {0, {E.x, E.y}};
    seg[2] = {0, {S.x, E.y}};
    seg[3] = {0, {S.x, S.y}};
    AppendObj(p, StartAdr, EndAdr);
    FindDir(p);
}

TObjHeader* TEnPline::Copy(TObjHeader* Adresa, const Osy& Rel, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    if (!Adresa) return nullptr;
    Adresa->Flags &= uint8_t(~FlagSelected);
    TObjHeader* c = CopyObjBlock(Adresa);
    c->SavedFlags = 0;
    TPlineRec* p = AsPline(c);
    p->S = AddPt(p->S, Rel);
    const int32_t n = PlineSegCount(c);
    TPlineSeg* seg = PlineSegs(c);
    for (int32_t i = 0; i < n; ++i) seg[i].E = AddPt(seg[i].E, Rel);
    return AppendObj(c, StartAdr, EndAdr);
}

TObjHeader* TEnPline::CopyIdent(TObjHeader* Adresa, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    if (!Adresa) return nullptr;
    return AppendObj(CopyObjBlock(Adresa), StartAdr, EndAdr);
}

void TEnPline::ChangeDir(TObjHeader* Adresa) {
    if (!Adresa) return;
    const int32_t n = PlineSegCount(Adresa);
    TPlineSeg* seg = PlineSegs(Adresa);
    TPlineRec* p = AsPline(Adresa);
    if (n > 0) {
        // New segment k ends at the end of old segment n-2-k (the old start for the
        // last) and takes the negated angle of old segment n-1-k.
        std::vector<TPlineSeg> rev(static_cast<size_t>(n), TPlineSeg{});
        for (int32_t k = 0; k < n; ++k) {
            rev[size_t(k)].Alfa = -seg[n - 1 - k].Alfa;
            rev[size_t(k)].E = k + 1 < n ? seg[n - 2 - k].E : p->S;
        }
        p->S = seg[n - 1].E;
        std::memcpy(static_cast<void*>(seg), rev.data(), sizeof(TPlineSeg) * size_t(n));
    }
    Adresa->Flags &= uint8_t(~FlagSelected);
    if (p->PlineFlags & PlineClosed) p->PlineFlags ^= PlineCW;
}

TObjHeader* TEnPline::ChangeStart(TObjHeader* Adresa, const Osy& Pos, const Osy& Min, const Osy& Max) {
    if (!Adresa) return nullptr;
    Adresa->Flags &= uint8_t(~FlagSelected);
    const uint8_t layer = Adresa->Layer;
    if (OpenPline(Adresa)) {
        Draw(Adresa, MainCanvas);
        return nullptr;
    }
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    // The nearest vertex: the start or the end of any segment but the last.
    int32_t best = 0;  // 0 = the start point, k = the end of segment k-1
    Extended bestD = Dist(Pos, AsPline(Adresa)->S);
    for (int32_t k = 1; k < n; ++k) {
        const Extended d = Dist(Pos, seg[k - 1].E);
        if (d < bestD) {
            bestD = d;
            best = k;
        }
    }
    const Osy v = best == 0 ? AsPline(Adresa)->S : seg[best - 1].E;
    TObjHeader *ls = nullptr, *le = nullptr;
    if (v.x >= Min.x && v.x <= Max.x && v.y >= Min.y && v.y <= Max.y) {
        if (best == 0) return nullptr;
        StartObj(v);
        for (int32_t k = best; k < n; ++k) AddSeg(seg[k].E, seg[k].Alfa, CoordTol);
        for (int32_t k = 0; k < best; ++k) AddSeg(seg[k].E, seg[k].Alfa, CoordTol);
        TObjHeader* r = MakeObj(layer, ls, le);
        if (r) {
            UnlinkObj(r, ls, le);
            FindDir(r);
        }
        return r;
    }
    // Not near a vertex: break a copy at the foot of Pos on the nearest segment.
    TObjHeader* copy = CopyIdent(Adresa, ls, le);
    int32_t k;
    DistPoint(copy, Pos, k);
    Osy F;
    Extended D;
    const Osy s = PlineSegStart(copy, k);
    const TPlineSeg& sg = PlineSegs(copy)[k];
    const bool on = pline::PerpFootSeg(Pos, s, sg.E, sg.Alfa, F, D);
    if (!on) {
        FreeObjList(ls, le);
        return nullptr;
    }
    std::vector<TObjHeader*> pieces = BreakPlineOnPoint(F, copy, k, ls, le);
    TObjHeader* r = nullptr;
    if (pieces.size() == 1) {
        r = pieces[0];
        UnlinkObj(r, ls, le);
        FindDir(r);
    } else if (pieces.size() == 2) {
        const TObjHeader* p1 = pieces[0];
        const TObjHeader* p2 = pieces[1];
        StartObj(FirstPt(const_cast<TObjHeader*>(p2)));
        for (const TObjHeader* piece : {p2, p1}) {
            const int32_t m = PlineSegCount(piece);
            const TPlineSeg* ps = PlineSegs(piece);
            for (int32_t i = 0; i < m; ++i) AddSeg(ps[i].E, ps[i].Alfa, CoordTol);
        }
        TObjHeader *rs = nullptr, *re = nullptr;
        r = MakeObj(layer, rs, re);
        if (r) {
            UnlinkObj(r, rs, re);
            FindDir(r);
        }
    }
    FreeObjList(ls, le);
    return r;
}

std::vector<TObjHeader*> TEnPline::Explode(TObjHeader* Adresa, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    std::vector<TObjHeader*> out;
    if (!Adresa) return out;
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    Osy s = AsPline(Adresa)->S;
    for (int32_t i = 0; i < n; ++i) {
        TPlineRec* p = NewPline(1, Adresa->Layer, 0, s);
        PlineSegs(p)[0] = seg[i];
        out.push_back(AppendObj(p, StartAdr, EndAdr));
        s = seg[i].E;
    }
    DeleteObj(Adresa, StartAdr, EndAdr);
    return out;
}
