#include "cam/UniRegion.h"

#include <cmath>
#include <string>
#include <vector>

#include "core/Builder.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniPlineIndex.h"
#include "core/UniPlineOffsetGeom.h"

namespace {

std::string AdrText(const TObjHeader* p) { return std::to_string(reinterpret_cast<uintptr_t>(p)); }

TIdxBox PointBox(const Osy& P, Extended R) {
    return {double(P.x - R), double(P.y - R), double(P.x + R), double(P.y + R)};
}

// The vertices (start point and segment ends) of a set of polylines, found by position.
class TVertexIndex {
public:
    void Add(const TObjHeader* P) {
        if (!P || P->Type != ObjPline) return;
        Pts.push_back(AsPline(P)->S);
        for (int32_t i = 0, n = PlineSegCount(P); i < n; ++i) Pts.push_back(PlineSegs(P)[i].E);
    }
    void Build() {
        std::vector<TIdxBox> B;
        B.reserve(Pts.size());
        for (const Osy& P : Pts) B.push_back(PointBox(P, CoordTol));
        Index.Build(std::move(B));
    }
    bool Has(const Osy& P) const {
        Cand.clear();
        Index.Query(PointBox(P, CoordTol), Cand);
        for (int32_t k : Cand)
            if (SamePt(Pts[size_t(k)], P)) return true;
        return false;
    }

private:
    std::vector<Osy> Pts;
    TSegBoxIndex Index;
    mutable std::vector<int32_t> Cand;
};

// The segments of the region chain, for the distance of a point to the sources.
class TSegIndex {
public:
    explicit TSegIndex(TObjHeader* First, TObjHeader* Last) {
        size_t Total = 0;
        for (TObjHeader* p = First; p; p = p == Last ? nullptr : p->Next)
            if (p->Type == ObjPline) Total += size_t(PlineSegCount(p));
        std::vector<TIdxBox> B;
        B.reserve(Total);
        Segs.reserve(Total);
        for (TObjHeader* p = First; p; p = p == Last ? nullptr : p->Next) {
            if (p->Type != ObjPline) continue;
            for (int32_t i = 0, n = PlineSegCount(p); i < n; ++i) {
                TSeg S{PlineSegStart(p, i), PlineSegs(p)[i].E, PlineSegs(p)[i].Alfa};
                B.push_back(offs::fast::SegBox(S.S, S.E, S.Alfa));
                Segs.push_back(S);
            }
        }
        Index.Build(std::move(B));
    }
    // Some segment lies nearer to P than D (strictly).
    bool Nearer(const Osy& P, Extended D) const {
        Cand.clear();
        Index.Query(PointBox(P, D), Cand);
        for (int32_t k : Cand) {
            const TSeg& S = Segs[size_t(k)];
            if (offs::fast::SegDist(P, S.S, S.E, S.Alfa) < D) return true;
        }
        return false;
    }

private:
    struct TSeg {
        Osy S, E;
        Extended Alfa;
    };
    std::vector<TSeg> Segs;
    TSegBoxIndex Index;
    mutable std::vector<int32_t> Cand;
};

bool ShareVertex(const TObjHeader* P, const TVertexIndex& V) {
    if (V.Has(AsPline(P)->S)) return true;
    for (int32_t i = 0, n = PlineSegCount(P); i < n; ++i)
        if (V.Has(PlineSegs(P)[i].E)) return true;
    return false;
}

bool TooNear(const TObjHeader* P, const TSegIndex& S, Extended D) {
    for (int32_t i = 0, n = PlineSegCount(P); i < n; ++i)
        if (S.Nearer(offs::fast::MidPt(PlineSegStart(P, i), PlineSegs(P)[i].E, PlineSegs(P)[i].Alfa), D)) return true;
    return false;
}

void MoveTo(TObjHeader* P, TObjHeader*& FromS, TObjHeader*& FromE, TObjHeader*& ToS, TObjHeader*& ToE) {
    UnlinkObj(P, FromS, FromE);
    AppendObj(P, ToS, ToE);
}

// The two joins of the clean-up: closed chains go to Out, open pieces stay in In.
void JoinTwice(TObjHeader*& InS, TObjHeader*& InE, TObjHeader*& OutS, TObjHeader*& OutE) {
    EnPline.OffsPlineJoin(false, InS, InE, OutS, OutE);
    EnPline.OffsPlineJoin(true, InS, InE, OutS, OutE);
}

// Open pieces of Discard whose both ends lie on vertices of the result go to Cand.
void TakeCandidates(TObjHeader*& DS, TObjHeader*& DE, const TVertexIndex& Res, TObjHeader*& CS, TObjHeader*& CE) {
    for (TObjHeader* p = DS; p;) {
        TObjHeader* Next = p->Next;
        if (EnPline.OpenPline(p) && Res.Has(AsPline(p)->S) && Res.Has(PlineEndPt(p))) MoveTo(p, DS, DE, CS, CE);
        p = Next;
    }
}

// The signed area of the closed piece P, arcs included (counter-clockwise positive).
Extended PieceArea(const TObjHeader* P) {
    Extended A = 0;
    for (int32_t i = 0, n = PlineSegCount(P); i < n; ++i) {
        const Osy S = PlineSegStart(P, i), E = PlineSegs(P)[i].E;
        const Extended a = std::fabs(PlineSegs(P)[i].Alfa);
        A += (S.x * E.y - E.x * S.y) / 2;
        if (a > CoordTol) {
            const Extended R = Dist(S, E) / (2 * std::sin(a / 2));
            A += std::copysign(R * R / 2 * (a - std::sin(a)), PlineSegs(P)[i].Alfa);
        }
    }
    return A;
}

// A closed leftover that encloses nothing went out from a loop and came back the same
// way: the offsets of the two sides of a place exactly twice the distance wide lie on
// each other there, and nothing else marks that place. The way from its vertex on a
// loop to where it last turns back covers all of it; that goes to the touch list.
void TakeTouchLine(const TObjHeader* P, const TVertexIndex& Res, TObjHeader*& TS, TObjHeader*& TE) {
    const int32_t n = PlineSegCount(P);
    if (n < 2 || !SamePt(AsPline(P)->S, PlineEndPt(P)) ||
        std::fabs(PieceArea(P)) > CoordTol * EnPline.Length(P))
        return;
    int32_t b = -1;
    for (int32_t k = 0; k < n && b < 0; ++k)
        if (Res.Has(PlineSegStart(P, k))) b = k;
    if (b < 0) return;
    const TPlineSeg* Seg = PlineSegs(P);
    auto At = [&](int32_t i) { return (b + i) % n; };
    int32_t Out = 0;  // segments up to the last turn back
    for (int32_t i = 1; i < n; ++i) {
        const int32_t k = At(i - 1), j = At(i);
        const Extended TIn = Angle(PlineSegStart(P, k), Seg[k].E) + Seg[k].Alfa / 2;
        const Extended TOut = Angle(Seg[k].E, Seg[j].E) - Seg[j].Alfa / 2;
        const Extended Turn = std::fabs(std::remainder(TOut - TIn, Geom2Pi));
        if (GeomPi - Turn <= 1e-6L) Out = i;
    }
    if (Out == 0) return;
    StartObj(PlineSegStart(P, At(0)));
    for (int32_t i = 0; i < Out; ++i) AddSeg(Seg[At(i)].E, Seg[At(i)].Alfa, CoordTol);
    MakeObj(P->Layer, TS, TE);
}

}  // namespace

void MarkFailedObj(TObjHeader* Adresa) {
    if (!Adresa) return;
    Adresa->Layer = 15;
    Adresa->Flags = 0;
    if (Adresa->Type == ObjPline) EnPline.Draw(Adresa, MainCanvas);
}

void OffsetRegion(bool Inside, TObjHeader* First, TObjHeader* Last, Extended Dist, TObjHeader*& OutStart,
                  TObjHeader*& OutEnd, TObjHeader*& FailStart, TObjHeader*& FailEnd, uint8_t La) {
    TObjHeader *TS = nullptr, *TE = nullptr;
    OffsetRegion(Inside, First, Last, Dist, OutStart, OutEnd, FailStart, FailEnd, La, TS, TE);
    FreeObjList(TS, TE);
}

void OffsetRegion(bool Inside, TObjHeader* First, TObjHeader* Last, Extended Dist, TObjHeader*& OutStart,
                  TObjHeader*& OutEnd, TObjHeader*& FailStart, TObjHeader*& FailEnd, uint8_t La,
                  TObjHeader*& TouchStart, TObjHeader*& TouchEnd) {
    OutStart = OutEnd = FailStart = FailEnd = TouchStart = TouchEnd = nullptr;
    WriteLog("CAM:Offset offsets Start (La:" + std::to_string(La) + ", InStartAdr:" + AdrText(First) +
             ", InEndAdr:" + AdrText(Last) + ")");
    if (!First) return;
    TObjHeader *PS = nullptr, *PE = nullptr;
    EnPline.GenOffsetClose(First, Dist, Inside, false, PS, PE, La);
    if (!PS) {
        WriteLog("Err:FAILED, no outer offset");
        MarkFailedObj(First);
        return;
    }
    for (TObjHeader* p = First == Last ? nullptr : First->Next; p; p = p == Last ? nullptr : p->Next) {
        TObjHeader *S = nullptr, *E = nullptr;
        EnPline.GenOffsetClose(p, Dist, !Inside, false, S, E, La);
        if (!S) {
            WriteLog("Err:FAILED, no inner offset");
            FreeObjList(PS, PE);
            MarkFailedObj(First);
            return;
        }
        ConcatObjLists(PS, PE, S, E);
    }
    // Pieces free of self-crossings, cut where they cross one another.
    for (TObjHeader* p = PS; p;) {
        TObjHeader* Next = p->Next;
        EnPline.Divide(p, PS, PE);
        p = Next;
    }
    EnPline.PlineTrunc(PS, PE);

    TVertexIndex Src;
    for (TObjHeader* p = First; p; p = p == Last ? nullptr : p->Next) Src.Add(p);
    Src.Build();
    const TSegIndex Segs(First, Last);
    TObjHeader *DS = nullptr, *DE = nullptr;
    for (TObjHeader* p = PS; p;) {
        TObjHeader* Next = p->Next;
        if (ShareVertex(p, Src) || TooNear(p, Segs, Dist - 0.00001L)) MoveTo(p, PS, PE, DS, DE);
        p = Next;
    }
    JoinTwice(PS, PE, OutStart, OutEnd);
    TVertexIndex Res;
    for (TObjHeader* p = OutStart; p; p = p->Next) Res.Add(p);
    Res.Build();
    // Only what is left of the kept pieces: a dropped one comes too near the sources.
    for (TObjHeader* p = PS; p; p = p->Next) TakeTouchLine(p, Res, TouchStart, TouchEnd);
    ConcatObjLists(DS, DE, PS, PE);
    for (TObjHeader* p = DS; p;) {
        TObjHeader* Next = p->Next;
        if (!EnPline.OpenPline(p)) DeleteObj(p, DS, DE);
        p = Next;
    }

    TObjHeader *CS = nullptr, *CE = nullptr;
    TakeCandidates(DS, DE, Res, CS, CE);
    TObjHeader *JS = nullptr, *JE = nullptr;
    JoinTwice(DS, DE, JS, JE);
    ConcatObjLists(DS, DE, JS, JE);
    TakeCandidates(DS, DE, Res, CS, CE);
    FreeObjList(DS, DE);

    // Pairs of candidates that close on each other: where the offsets meet in a narrow place.
    std::vector<TObjHeader*> C;
    for (TObjHeader* p = CS; p; p = p->Next) C.push_back(p);
    std::vector<TIdxBox> Starts;
    for (TObjHeader* p : C) Starts.push_back(PointBox(AsPline(p)->S, CoordTol));
    TSegBoxIndex StartIdx;
    StartIdx.Build(std::move(Starts));
    std::vector<bool> Used(C.size(), false);
    std::vector<int32_t> Cand;
    for (size_t a = 0; a < C.size(); ++a) {
        if (Used[a]) continue;
        Cand.clear();
        StartIdx.QuerySorted(PointBox(PlineEndPt(C[a]), CoordTol), Cand);
        for (int32_t k : Cand) {
            const size_t b = size_t(k);
            if (b == a || Used[b] || !SamePt(AsPline(C[b])->S, PlineEndPt(C[a])) ||
                !SamePt(PlineEndPt(C[b]), AsPline(C[a])->S))
                continue;
            Used[a] = Used[b] = true;
            MoveTo(C[a], CS, CE, FailStart, FailEnd);
            MoveTo(C[b], CS, CE, FailStart, FailEnd);
            break;
        }
    }
    FreeObjList(CS, CE);
    WriteLog("CAM:Offset offsets End");
}
