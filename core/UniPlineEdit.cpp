// Cutting polylines apart and putting them together: break at a point, trim between
// cutting edges, extend to a boundary, self-crossing test and divide, concatenation.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/Builder.h"
#include "core/Glob.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniPlineIndex.h"
#include "core/UniPlineUtil.h"
#include "core/MainVars.h"

using pline::IsLine;

std::vector<TObjHeader*> TEnPline::BreakPlineOnPoint(const Osy& Pt, TObjHeader* Adresa, int32_t AdrSect,
                                                     TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    std::vector<TObjHeader*> out;
    const int32_t n = Adresa ? PlineSegCount(Adresa) : 0;
    if (n == 0 || AdrSect < 0 || AdrSect >= n) return out;
    if ((AdrSect == 0 && SamePt(Pt, AsPline(Adresa)->S)) || (AdrSect == n - 1 && SamePt(Pt, PlineEndPt(Adresa)))) {
        out.push_back(CopyIdent(Adresa, StartAdr, EndAdr));
        DeleteObj(Adresa, StartAdr, EndAdr);
        return out;
    }
    const uint8_t layer = Adresa->Layer;
    out.push_back(pline::BuildHead(Adresa, AdrSect, Pt, layer, StartAdr, EndAdr));
    out.push_back(pline::BuildTail(Adresa, AdrSect, Pt, layer, StartAdr, EndAdr));
    DeleteObj(Adresa, StartAdr, EndAdr);
    return out;
}

std::vector<TObjHeader*> TEnPline::BreakPline(TObjHeader* Adresa, const Osy& Pt) {
    if (!Adresa) return {};
    Adresa->Flags &= uint8_t(~FlagSelected);
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    Extended best = 1e6L;
    int32_t bestSeg = -1;
    Osy bestFoot;
    Osy s = AsPline(Adresa)->S;
    for (int32_t i = 0; i < n; ++i) {
        Osy F;
        Extended D;
        const bool on = pline::PerpFootSeg(Pt, s, seg[i].E, seg[i].Alfa, F, D);
        if (on && D < best) {
            best = D;
            bestSeg = i;
            bestFoot = F;
        }
        s = seg[i].E;
    }
    if (bestSeg < 0) {
        Draw(Adresa, MainCanvas);
        return {};
    }
    auto out = BreakPlineOnPoint(bestFoot, Adresa, bestSeg, MainVars.DataStart, MainVars.DataEnd);
    Draw(MainVars.DataEnd, MainCanvas);
    return out;
}

namespace {

// The picked segment of a pick box and the pick point: the first segment in path
// order that meets a side (bottom, right, top, left), at its first meeting point.
bool FindPick(const TObjHeader* Adresa, const Osy& Min, const Osy& Max, int32_t& Seg, Osy& Pick) {
    const Osy sides[4][2] = {{{Min.x, Min.y}, {Max.x, Min.y}},
                             {{Max.x, Min.y}, {Max.x, Max.y}},
                             {{Max.x, Max.y}, {Min.x, Max.y}},
                             {{Min.x, Max.y}, {Min.x, Min.y}}};
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    Osy s = AsPline(Adresa)->S;
    for (int32_t i = 0; i < n; ++i) {
        for (const auto& sd : sides) {
            Osy X1, X2;
            if (IntersSegSeg(s, seg[i].E, sd[0], sd[1], seg[i].Alfa, 0, X1, X2) > 0) {
                Seg = i;
                Pick = X1;
                return true;
            }
        }
        s = seg[i].E;
    }
    return false;
}

// The start of Trim and Extend: the polyline loses its selection and the pick box
// must meet it; when it does not, it is redrawn and false returned.
bool TakePick(TEnPline& En, TObjHeader* Adresa, const Osy& Min, const Osy& Max, int32_t& Seg, Osy& Pick) {
    Adresa->Flags &= uint8_t(~FlagSelected);
    if (FindPick(Adresa, Min, Max, Seg, Pick)) return true;
    En.Draw(Adresa, MainCanvas);
    return false;
}

// One segment of a cutting edge or boundary, numbered in chain order.
struct TEdgeSeg {
    Osy S, E;
    Extended Alfa;
};

std::vector<TEdgeSeg> ChainSegs(TObjHeader* StartAdr) {
    std::vector<TEdgeSeg> out;
    for (TObjHeader* p = StartAdr; p; p = p->Next) {
        if (p->Type != ObjPline) continue;
        const int32_t n = PlineSegCount(p);
        const TPlineSeg* seg = PlineSegs(p);
        Osy s = AsPline(p)->S;
        for (int32_t i = 0; i < n; ++i) {
            out.push_back({s, seg[i].E, seg[i].Alfa});
            s = seg[i].E;
        }
    }
    return out;
}

}  // namespace

bool TEnPline::Trim(TObjHeader* Adresa, const Osy& Min, const Osy& Max, TObjHeader* StartAdr,
                    TObjHeader* /*EndAdr*/, TObjHeader*& RPline1, TObjHeader*& RPline2) {
    if (!Adresa) return false;
    const uint8_t layer = Adresa->Layer;
    int32_t pickSeg;
    Osy pick;
    if (!TakePick(*this, Adresa, Min, Max, pickSeg, pick)) return false;
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    const std::vector<Extended> pre = pline::PrefixLengths(Adresa);
    auto pathPos = [&](int32_t i, const Osy& X) {
        return pre[size_t(i)] + pline::PartLength(PlineSegStart(Adresa, i), seg[i].E, seg[i].Alfa, X);
    };
    const Extended p0 = pathPos(pickSeg, pick);

    // Crossings with the cutting edges, visited in the order of the plain double walk
    // (segment of the polyline, then edge segment in chain order); an index over the
    // edge segments supplies the candidates.
    const std::vector<TEdgeSeg> edges = ChainSegs(StartAdr);
    std::vector<TIdxBox> boxes(edges.size());
    for (size_t k = 0; k < edges.size(); ++k) boxes[k] = pline::SegBox(edges[k].S, edges[k].E, edges[k].Alfa);
    TSegBoxIndex index;
    index.Build(std::move(boxes));

    Extended after = 1e6L, before = -1e6L;
    int32_t afterSeg = -1, beforeSeg = -1;
    Osy afterPt, beforePt;
    std::vector<int32_t> cand;
    for (int32_t i = 0; i < n; ++i) {
        const Osy s = PlineSegStart(Adresa, i);
        cand.clear();
        index.QuerySorted(pline::SegBox(s, seg[i].E, seg[i].Alfa), cand);
        for (int32_t k : cand) {
            const TEdgeSeg& e = edges[size_t(k)];
            Osy X[2];
            const unsigned cnt = IntersSegSeg(s, seg[i].E, e.S, e.E, seg[i].Alfa, e.Alfa, X[0], X[1]);
            for (unsigned m = 0; m < cnt && m < 2; ++m) {
                const Extended d = pathPos(i, X[m]) - p0;
                // A crossing at the pick itself is no limit on either side.
                if (std::fabs(d) <= CoordTol) continue;
                if (d > 0 && d < after) {
                    after = d;
                    afterSeg = i;
                    afterPt = X[m];
                } else if (d < 0 && d > before) {
                    before = d;
                    beforeSeg = i;
                    beforePt = X[m];
                }
            }
        }
    }
    if (afterSeg < 0 && beforeSeg < 0) {
        Draw(Adresa, MainCanvas);
        return false;
    }
    TObjHeader*& ds = MainVars.DataStart;
    TObjHeader*& de = MainVars.DataEnd;
    auto keep = [&](TObjHeader* piece) -> TObjHeader* {
        if (!piece) return nullptr;
        if (piece->Type != ObjPline) {  // nothing but its start point survived
            DeleteObj(piece, ds, de);
            return nullptr;
        }
        Draw(piece, MainCanvas);
        return piece;
    };
    RPline1 = nullptr;
    RPline2 = nullptr;
    if (beforeSeg >= 0) RPline1 = keep(pline::BuildHead(Adresa, beforeSeg, beforePt, layer, ds, de));
    if (afterSeg >= 0) RPline2 = keep(pline::BuildTail(Adresa, afterSeg, afterPt, layer, ds, de));
    DeleteObj(Adresa, ds, de);
    return true;
}

TObjHeader* TEnPline::Extend(TObjHeader* Adresa, const Osy& Min, const Osy& Max, TObjHeader* StartAdr,
                             TObjHeader* /*EndAdr*/, bool& OK) {
    OK = false;
    if (!Adresa || PlineSegCount(Adresa) == 0) return nullptr;
    const uint8_t layer = Adresa->Layer;
    int32_t pickSeg;
    Osy pick;
    if (!TakePick(*this, Adresa, Min, Max, pickSeg, pick)) return nullptr;
    TObjHeader* kept = CopyObjBlock(Adresa);
    const bool atStart = DistOnPline(Adresa, pickSeg, pick) < Length(Adresa) / 2;

    // Lengthen the end segment in place: a line to 10000 mm from its fixed end, an arc
    // to the half circle from its fixed end.
    const int32_t n = PlineSegCount(Adresa);
    TPlineSeg* seg = PlineSegs(Adresa);
    TPlineRec* p = AsPline(Adresa);
    constexpr Extended Reach = 10000;
    const int32_t li = atStart ? 0 : n - 1;
    const Osy oldEnd = atStart ? p->S : seg[n - 1].E;
    if (atStart) {
        const Osy E1 = seg[0].E;
        if (IsLine(seg[0].Alfa)) {
            const Extended t = Angle(E1, p->S);
            p->S = {E1.x + Reach * std::cos(t), E1.y + Reach * std::sin(t)};
        } else {
            Osy C;
            Extended R;
            ArcCenter(p->S, E1, seg[0].Alfa, C, R);
            p->S = {2 * C.x - E1.x, 2 * C.y - E1.y};
            seg[0].Alfa = seg[0].Alfa > 0 ? GeomPi : -GeomPi;
        }
    } else {
        const Osy S = PlineSegStart(Adresa, n - 1);
        if (IsLine(seg[n - 1].Alfa)) {
            const Extended t = Angle(S, seg[n - 1].E);
            seg[n - 1].E = {S.x + Reach * std::cos(t), S.y + Reach * std::sin(t)};
        } else {
            Osy C;
            Extended R;
            ArcCenter(S, seg[n - 1].E, seg[n - 1].Alfa, C, R);
            seg[n - 1].E = {2 * C.x - S.x, 2 * C.y - S.y};
            seg[n - 1].Alfa = seg[n - 1].Alfa > 0 ? GeomPi : -GeomPi;
        }
    }
    const Osy ls = PlineSegStart(Adresa, li), le = seg[li].E;
    const Extended la = seg[li].Alfa;
    // Path positions on the lengthened record; only the lengthened segment varies.
    const Extended base = atStart ? 0 : pline::PrefixLengths(Adresa)[size_t(li)];
    const Extended oldPos = base + pline::PartLength(ls, le, la, oldEnd);

    Extended best = atStart ? -1e6L : 1e6L;
    bool found = false;
    Osy cross;
    const std::vector<TEdgeSeg> edges = ChainSegs(StartAdr);
    for (const TEdgeSeg& e : edges) {
        Osy X[2];
        const unsigned cnt = IntersSegSeg(ls, le, e.S, e.E, la, e.Alfa, X[0], X[1]);
        for (unsigned m = 0; m < cnt && m < 2; ++m) {
            const Extended d = base + pline::PartLength(ls, le, la, X[m]) - oldPos;
            if (atStart ? (d < -CoordTol && d > best) : (d > CoordTol && d < best)) {
                best = d;
                cross = X[m];
                found = true;
            }
        }
    }
    if (!found) {
        // Put the record back as it was (the selected bit stays cleared).
        const size_t links = offsetof(TObjHeader, Size);
        std::memcpy(reinterpret_cast<uint8_t*>(Adresa) + links, reinterpret_cast<uint8_t*>(kept) + links,
                    size_t(Adresa->Size) - links);
        FreeObjBlock(kept);
        if (atStart) Draw(Adresa, MainCanvas);
        return nullptr;
    }
    FreeObjBlock(kept);
    OK = true;
    TObjHeader*& ds = MainVars.DataStart;
    TObjHeader*& de = MainVars.DataEnd;
    TObjHeader* r = atStart ? pline::BuildTail(Adresa, 0, cross, layer, ds, de)
                            : pline::BuildHead(Adresa, n - 1, cross, layer, ds, de);
    DeleteObj(Adresa, ds, de);
    return r;
}

namespace {
// LoopTest; OnFirst tells whether the break point lies on the earlier segment of the
// first crossing in walking order (not moved to the other one).
int32_t FirstLoop(const TObjHeader* Adresa, Osy& P1, Osy& P2, int32_t& AdrP, bool& OnFirst) {
    TSelfCross c;
    OnFirst = false;
    if (EnPline.SelfCross(Adresa, c) == 0) return 0;
    const int32_t n = PlineSegCount(Adresa);
    P1 = c.X1;
    P2 = c.X2;
    AdrP = c.I;
    OnFirst = true;
    // A crossing found on the first segment at the start point is broken on the other
    // segment, where it is not an end of the polyline.
    if (c.I == 0 && SamePt(c.X1, AsPline(Adresa)->S)) {
        OnFirst = false;
        if (c.Count == 1)
            AdrP = c.J;
        else if (c.J == n - 1)
            P1 = c.X2;
        else
            AdrP = c.J;
    }
    return c.Count;
}
}  // namespace

int32_t TEnPline::LoopTest(const TObjHeader* Adresa, Osy& P1, Osy& P2, int32_t& AdrP) {
    bool onFirst;
    return FirstLoop(Adresa, P1, P2, AdrP, onFirst);
}

namespace {
bool FiniteRecord(const TObjHeader* p) {
    if (p->Type != ObjPline) return true;
    const Osy& s = AsPline(p)->S;
    if (!std::isfinite(s.x) || !std::isfinite(s.y)) return false;
    const int32_t n = PlineSegCount(p);
    const TPlineSeg* seg = PlineSegs(p);
    for (int32_t i = 0; i < n; ++i)
        if (!std::isfinite(seg[i].Alfa) || !std::isfinite(seg[i].E.x) || !std::isfinite(seg[i].E.y)) return false;
    return true;
}
}  // namespace

std::vector<TObjHeader*> TEnPline::Divide(TObjHeader* Adresa, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    std::vector<TObjHeader*> out;
    if (!Adresa) return out;
    TObjHeader *ws = nullptr, *we = nullptr;
    CopyIdent(Adresa, ws, we);
    // Records found free of crossings are not tested again when the walk restarts
    // (they do not change), which keeps the cost near-linear in the crossings found.
    std::unordered_set<const TObjHeader*> clean;
    TCanvas* canv = MainCanvas;
    TObjHeader* rec = ws;
    // Every break of sound geometry removes a crossing; the bound only stops a record
    // whose numbers are broken from being cut for ever.
    const int64_t maxBreaks = 64 * (int64_t(PlineSegCount(Adresa)) + 16);
    int64_t breaks = 0;
    while (rec) {
        if (clean.count(rec)) {
            rec = rec->Next;
            continue;
        }
        if (!FiniteRecord(rec) || breaks >= maxBreaks) {
            if (breaks >= maxBreaks) WriteLog("Err:FAILED Divide, too many crossings (Adr:" +
                                              std::to_string(uintptr_t(Adresa)) + ")");
            clean.insert(rec);
            rec = rec->Next;
            continue;
        }
        if (canv) {
            canv->BrushStyle = TBrushStyle::bsSolid;
            canv->BrushColor = Glob.BackColor;
            canv->FillRect(canv->ClipRect());
            Draw(rec, canv);
        }
        Osy P1, P2;
        int32_t seg = 0;
        bool onFirst = false;
        if (rec->Type == ObjPline && FirstLoop(rec, P1, P2, seg, onFirst) > 0) {
            ++breaks;
            std::vector<TObjHeader*> pieces = BreakPlineOnPoint(P1, rec, seg, ws, we);
            // A break at an end of the polyline gives it back whole; it is taken as it
            // is rather than tested for ever. The crossing found is the first in walking
            // order: broken on its earlier segment, the head is free of crossings (a
            // pair within it would have come first).
            if (pieces.size() == 1 || onFirst) clean.insert(pieces[0]);
            rec = ws;
            continue;
        }
        clean.insert(rec);
        rec = rec->Next;
    }
    TObjHeader* after = Adresa->Prev;
    DeleteObj(Adresa, StartAdr, EndAdr);
    while (ws) {
        TObjHeader* r = ws;
        UnlinkObj(r, ws, we);
        InsertObjAfter(after, r, StartAdr, EndAdr);
        out.push_back(r);
        after = r;
    }
    return out;
}

void ConcatPlines(TObjHeader*& A1, TObjHeader*& A2, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    if (!A1 || !A2 || A1 == A2) return;
    const int32_t n2 = PlineSegCount(A2);
    const int32_t size = A1->Size + n2 * int32_t(sizeof(TPlineSeg));
    TObjHeader* r = AllocObj(size, ObjPline);
    std::memcpy(reinterpret_cast<uint8_t*>(r) + offsetof(TObjHeader, Size),
                reinterpret_cast<const uint8_t*>(A1) + offsetof(TObjHeader, Size),
                size_t(A1->Size) - offsetof(TObjHeader, Size));
    std::memcpy(static_cast<void*>(PlineSegs(r) + PlineSegCount(A1)), PlineSegs(A2), sizeof(TPlineSeg) * size_t(n2));
    r->Size = size;
    DeleteObj(A2, StartAdr, EndAdr);
    A2 = nullptr;
    ReplaceObj(A1, r, StartAdr, EndAdr);
    A1 = r;
}
