// The outline of the union of closed polylines (weld).
//
// 1. Every polyline is split at every point where it meets another one (never against
//    itself). Each meeting point is computed once for the pair of segments and given
//    to both, snapped to a vertex it equals, so the pieces on both sides end exactly
//    alike.
// 2. Pieces that run along another piece (the same path, either way) are kept once.
//    When the areas of all their sources lie on the same side of the piece it is an
//    edge of the outline like any other piece (so identical outlines weld to one
//    outline instead of vanishing); otherwise it is a seam between areas that touch
//    and goes to the list of shared pieces.
// 3. Pieces that lie inside another source polyline are dropped; the rest are chained.
// 4. A shared piece comes back when both of its ends meet the chained outline, and
//    everything is chained again.
// Pair candidates come from box indexes, so the work grows near-linearly.
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Builder.h"
#include "core/UniArea.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPlineIndex.h"
#include "core/UniPlineUtil.h"
#include "core/UniWalk.h"

namespace {

// A meeting point on segment K of a source: T orders it along the segment.
struct TCut {
    int32_t K;
    Extended T;
    Osy X;
};

// Position of X along segment S-E-Alfa from S: the distance for a line, the swept
// angle for an arc.
Extended AlongSeg(const Osy& S, const Osy& E, Extended Alfa, const Osy& X) {
    if (pline::IsLine(Alfa)) return Dist(S, X);
    Osy C;
    Extended R;
    ArcCenter(S, E, Alfa, C, R);
    const Extended a = Angle(C, X) - ArcStartAngle(S, E, Alfa);
    return NormAngleOf(Alfa > 0 ? a : -a);
}

// Records X as a cut of segment K of polyline P. A point at the polyline's own start
// or end is no cut; a point at a segment's start is the end of the segment before.
void AddCut(const TObjHeader* P, int32_t K, Osy X, std::vector<TCut>& Cuts) {
    const int32_t n = PlineSegCount(P);
    const Osy S = PlineSegStart(P, K);
    const TPlineSeg& sg = PlineSegs(P)[K];
    if (SamePt(X, S)) {
        if (K == 0) return;
        --K;
        X = S;
    }
    if (SamePt(X, PlineSegs(P)[K].E)) {
        if (K == n - 1) return;
        Cuts.push_back({K, 1e30L, PlineSegs(P)[K].E});  // behind every inner cut of K
        return;
    }
    Cuts.push_back({K, AlongSeg(S, sg.E, sg.Alfa, X), X});
}

// Builds the pieces of P between its cuts at the end of the list; returns them.
std::vector<TObjHeader*> SplitAtCuts(const TObjHeader* P, std::vector<TCut>& Cuts, TObjHeader*& LS,
                                     TObjHeader*& LE) {
    std::sort(Cuts.begin(), Cuts.end(),
              [](const TCut& a, const TCut& b) { return a.K != b.K ? a.K < b.K : a.T < b.T; });
    std::vector<TObjHeader*> out;
    auto finish = [&] {
        if (BuildSegCount() > 0) {
            if (TObjHeader* r = MakeObj(P->Layer, LS, LE)) out.push_back(r);
        } else {
            ResetBuilder();
        }
    };
    const int32_t n = PlineSegCount(P);
    const TPlineSeg* seg = PlineSegs(P);
    StartObj(AsPline(P)->S);
    size_t c = 0;
    for (int32_t k = 0; k < n; ++k) {
        Osy cur = PlineSegStart(P, k);
        Extended rest = seg[k].Alfa;
        bool atEnd = false;
        for (; c < Cuts.size() && Cuts[c].K == k; ++c) {
            if (Cuts[c].T >= 1e29L) {
                atEnd = true;
                continue;
            }
            const Osy X = Cuts[c].X;
            if (SamePt(X, cur)) continue;
            Extended d1, d2;
            pline::SplitAngles(cur, seg[k].E, rest, X, d1, d2);
            AddSeg(X, d1, CoordTol);
            finish();
            StartObj(X);
            cur = X;
            rest = d2;
        }
        AddSeg(seg[k].E, rest, CoordTol);
        if (atEnd) {
            finish();
            StartObj(seg[k].E);
        }
    }
    finish();
    return out;
}

struct TPiece {
    TObjHeader* P;
    int32_t Src;
    Osy Min, Max;
    bool Gone = false;
    std::vector<int32_t> Twins;  // sources of the duplicates freed in its favour
};

// Whether duplicate L runs the same way as K.
bool SameWay(TObjHeader* K, TObjHeader* L) {
    if (!EnPline.OpenPline(K))
        return (AsPline(K)->PlineFlags & PlineCW) == (AsPline(L)->PlineFlags & PlineCW);
    return SamePt(AsPline(K)->S, AsPline(L)->S);
}

TIdxBox BoxOf(const Osy& Min, const Osy& Max) {
    const double m = 10 * double(CoordTol);
    return {double(Min.x) - m, double(Min.y) - m, double(Max.x) + m, double(Max.y) + m};
}

// Frees an unlinked record with everything it owns.
void FreeOne(TObjHeader* R) {
    TObjHeader *s = R, *e = R;
    FreeObjList(s, e);
}

void SelectList(TObjHeader* S) {
    if (S) SelectAll(S);
}

// Chains open pieces that meet end to end (SamePt) into one record each, growing
// every chain at both ends from an index of the ends and building it once. Joining
// piece by piece into a growing record would copy (and turn round) the chain at every
// step, quadratic on long outlines; what is left for Join is the rare joint within
// its wider tolerance. The lowest-numbered partner is taken where several meet.
void ChainPieces(TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    std::vector<TObjHeader*> v = area::ListToVector(StartAdr);
    const int32_t n = int32_t(v.size());
    std::vector<char> used(static_cast<size_t>(n), 1);
    area::TPtBuckets ends;
    for (int32_t i = 0; i < n; ++i) {
        TObjHeader* p = v[size_t(i)];
        if (p->Type != ObjPline || PlineSegCount(p) == 0 || !EnPline.OpenPline(p)) continue;
        used[size_t(i)] = 0;
        ends.Add(AsPline(p)->S, i);
        ends.Add(PlineEndPt(p), i);
    }
    // The free piece with an end at P: Rev tells that its end (not its start) is there.
    auto partner = [&](const Osy& P, bool& Rev) {
        int32_t best = -1;
        ends.Near(P, [&](int32_t j) {
            if (used[size_t(j)] || (best >= 0 && j >= best)) return;
            if (SamePt(AsPline(v[size_t(j)])->S, P)) {
                best = j;
                Rev = false;
            } else if (SamePt(PlineEndPt(v[size_t(j)]), P)) {
                best = j;
                Rev = true;
            }
        });
        return best;
    };
    struct TStep {
        int32_t Id;
        bool Rev;  // walked from its end to its start
    };
    std::vector<TStep> fwd, back;
    for (int32_t i = 0; i < n; ++i) {
        if (used[size_t(i)]) continue;
        used[size_t(i)] = 1;
        fwd.assign(1, {i, false});
        back.clear();
        Osy head = AsPline(v[size_t(i)])->S, tail = PlineEndPt(v[size_t(i)]);
        bool rev = false;
        while (!SamePt(tail, head)) {
            const int32_t j = partner(tail, rev);
            if (j < 0) break;
            used[size_t(j)] = 1;
            fwd.push_back({j, rev});
            tail = rev ? AsPline(v[size_t(j)])->S : PlineEndPt(v[size_t(j)]);
        }
        while (!SamePt(tail, head)) {
            const int32_t j = partner(head, rev);
            if (j < 0) break;
            used[size_t(j)] = 1;
            // Walked backwards from the head: a piece ending there keeps its way.
            back.push_back({j, !rev});
            head = rev ? AsPline(v[size_t(j)])->S : PlineEndPt(v[size_t(j)]);
        }
        if (fwd.size() + back.size() == 1) continue;
        std::vector<TStep> seq(back.rbegin(), back.rend());
        seq.insert(seq.end(), fwd.begin(), fwd.end());
        StartObj(head);
        for (const TStep& st : seq) {
            const TObjHeader* p = v[size_t(st.Id)];
            const int32_t m = PlineSegCount(p);
            const TPlineSeg* sg = PlineSegs(p);
            if (!st.Rev)
                for (int32_t k = 0; k < m; ++k) AddSeg(sg[k].E, sg[k].Alfa, CoordTol);
            else
                for (int32_t k = m - 1; k >= 0; --k) AddSeg(PlineSegStart(p, k), -sg[k].Alfa, CoordTol);
        }
        TObjHeader *ts = nullptr, *te = nullptr;
        TObjHeader* r = MakeObj(v[size_t(i)]->Layer, ts, te);
        if (!r) continue;
        UnlinkObj(r, ts, te);
        r->Flags = v[size_t(i)]->Flags;
        InsertObjAfter(v[size_t(i)], r, StartAdr, EndAdr);
        for (const TStep& st : seq) DeleteObj(v[size_t(st.Id)], StartAdr, EndAdr);
    }
}

}  // namespace

void Weld(TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    std::vector<TObjHeader*> src = area::ListToVector(StartAdr);
    if (src.empty()) return;
    const int32_t ns = int32_t(src.size());
    for (TObjHeader* p : src) UnlinkObj(p, StartAdr, EndAdr);

    // Shape copies of the sources for the inside test, and their boxes.
    TObjHeader *shS = nullptr, *shE = nullptr;
    std::vector<TObjHeader*> shape(static_cast<size_t>(ns), nullptr);
    std::vector<TIdxBox> shapeBox(static_cast<size_t>(ns));
    for (int32_t i = 0; i < ns; ++i) {
        if (src[size_t(i)]->Type != ObjPline) continue;
        shape[size_t(i)] = EnPline.CopyIdent(src[size_t(i)], shS, shE);
        Osy mn, mx;
        EnPline.Envelope(src[size_t(i)], mn, mx);
        shapeBox[size_t(i)] = BoxOf(mn, mx);
    }

    // 1. Cuts from every pair of segments of different sources whose boxes meet.
    struct TSegRef {
        int32_t Src, K;
    };
    std::vector<TSegRef> refs;
    std::vector<TIdxBox> boxes;
    for (int32_t i = 0; i < ns; ++i) {
        const TObjHeader* p = src[size_t(i)];
        if (p->Type != ObjPline) continue;
        for (int32_t k = 0; k < PlineSegCount(p); ++k) {
            refs.push_back({i, k});
            boxes.push_back(pline::SegBox(PlineSegStart(p, k), PlineSegs(p)[k].E, PlineSegs(p)[k].Alfa));
        }
    }
    TSegBoxIndex segIdx;
    segIdx.Build(boxes);
    std::vector<std::vector<TCut>> cuts(static_cast<size_t>(ns));
    std::vector<int32_t> cand;
    for (int32_t g = 0; g < int32_t(refs.size()); ++g) {
        cand.clear();
        segIdx.QuerySorted(boxes[size_t(g)], cand);
        const TObjHeader* a = src[size_t(refs[size_t(g)].Src)];
        const int32_t ka = refs[size_t(g)].K;
        const Osy sa = PlineSegStart(a, ka), ea = PlineSegs(a)[ka].E;
        const Extended aa = PlineSegs(a)[ka].Alfa;
        for (int32_t h : cand) {
            if (h <= g || refs[size_t(h)].Src == refs[size_t(g)].Src) continue;
            const TObjHeader* b = src[size_t(refs[size_t(h)].Src)];
            const int32_t kb = refs[size_t(h)].K;
            const Osy sb = PlineSegStart(b, kb), eb = PlineSegs(b)[kb].E;
            const Extended ab = PlineSegs(b)[kb].Alfa;
            Osy x[2];
            const unsigned cnt = IntersSegSeg(sa, ea, sb, eb, aa, ab, x[0], x[1]);
            for (unsigned q = 0; q < cnt && q < 2; ++q) {
                Osy X = x[q];
                for (const Osy& v : {sa, ea, sb, eb})
                    if (SamePt(X, v)) {
                        X = v;
                        break;
                    }
                AddCut(a, ka, X, cuts[size_t(refs[size_t(g)].Src)]);
                AddCut(b, kb, X, cuts[size_t(refs[size_t(h)].Src)]);
            }
        }
    }

    // The pieces, source by source; an uncut source is its own piece.
    TObjHeader *pcS = nullptr, *pcE = nullptr;
    std::vector<TPiece> pieces;
    for (int32_t i = 0; i < ns; ++i) {
        TObjHeader* p = src[size_t(i)];
        std::vector<TObjHeader*> made;
        if (p->Type != ObjPline || cuts[size_t(i)].empty()) {
            made.push_back(AppendObj(p, pcS, pcE));
        } else {
            made = SplitAtCuts(p, cuts[size_t(i)], pcS, pcE);
            FreeObjBlock(p);
        }
        for (TObjHeader* r : made) {
            TPiece e{r, i, {}, {}, false, {}};
            if (r->Type == ObjPline) EnPline.Envelope(r, e.Min, e.Max);
            if (r->Type == ObjPline && e.Min.x == e.Max.x && e.Min.y == e.Max.y) {
                DeleteObj(r, pcS, pcE);  // a piece without extent
                continue;
            }
            pieces.push_back(e);
        }
    }
    src.clear();

    // Which side of its source's path each source's area lies on (0 left, 1 right,
    // -1 unknown: open or crossing itself).
    std::vector<int> areaSide(static_cast<size_t>(ns), -1);
    for (int32_t i = 0; i < ns; ++i) {
        TObjHeader* sh = shape[size_t(i)];
        if (!sh) continue;
        EnPline.FindDir(sh);
        const uint8_t f = AsPline(sh)->PlineFlags;
        if ((f & PlineClosed) && f != PlineSelfCross) areaSide[size_t(i)] = (f & PlineCW) ? 1 : 0;
    }

    // 2. Shared pieces: a later piece with the same box and the same path is freed in
    //    favour of the first; a seam goes to the shared list.
    std::vector<int32_t> shared;
    {
        area::TPtBuckets byMin;
        for (int32_t i = 0; i < int32_t(pieces.size()); ++i) byMin.Add(pieces[size_t(i)].Min, i);
        std::vector<int32_t> near;
        for (int32_t i = 0; i < int32_t(pieces.size()); ++i) {
            TPiece& k = pieces[size_t(i)];
            if (k.Gone || k.P->Type != ObjPline) continue;
            near.clear();
            byMin.Near(k.Min, [&](int32_t j) { near.push_back(j); });
            std::sort(near.begin(), near.end());
            bool had = false, seam = false;
            for (int32_t j : near) {
                TPiece& l = pieces[size_t(j)];
                if (j <= i || l.Gone || l.P->Type != ObjPline || !SamePt(k.Min, l.Min) || !SamePt(k.Max, l.Max))
                    continue;
                if (Duplicity(k.P, l.P)) {
                    int side = areaSide[size_t(l.Src)];
                    if (side >= 0 && !SameWay(k.P, l.P)) side = 1 - side;
                    if (side != areaSide[size_t(k.Src)]) seam = true;
                    k.Twins.push_back(l.Src);
                    DeleteObj(l.P, pcS, pcE);
                    l.Gone = true;
                    had = true;
                }
            }
            if (had && (seam || areaSide[size_t(k.Src)] < 0)) {
                k.Gone = true;
                shared.push_back(i);
            }
        }
    }

    // 3. Pieces inside another source are dropped; the others form the new list.
    TSegBoxIndex shapeIdx;
    shapeIdx.Build(shapeBox);
    for (TPiece& e : pieces) {
        if (e.Gone) continue;
        UnlinkObj(e.P, pcS, pcE);
        bool inside = false;
        if (e.P->Type == ObjPline) {
            cand.clear();
            shapeIdx.QuerySorted(BoxOf(e.Min, e.Max), cand);
            for (int32_t j : cand)
                if (j != e.Src && shape[size_t(j)] &&
                    std::find(e.Twins.begin(), e.Twins.end(), j) == e.Twins.end() &&
                    EnPline.PlineInside(e.P, shape[size_t(j)])) {
                    inside = true;
                    break;
                }
        }
        if (inside)
            FreeOne(e.P);
        else
            AppendObj(e.P, StartAdr, EndAdr);
    }
    FreeObjList(shS, shE);

    SelectList(StartAdr);
    ChainPieces(StartAdr, EndAdr);
    EnPline.Join(0, StartAdr, EndAdr);

    // 4. Shared pieces whose both ends meet the outline come back.
    {
        area::TPtBuckets ends;
        std::vector<Osy> pts;
        auto addEnds = [&](TObjHeader* r) {
            if (r->Type != ObjPline) return;
            for (const Osy& q : {AsPline(r)->S, PlineEndPt(r)}) {
                ends.Add(q, int32_t(pts.size()));
                pts.push_back(q);
            }
        };
        auto meets = [&](const Osy& q) {
            bool hit = false;
            ends.Near(q, [&](int32_t id) { hit = hit || SamePt(pts[size_t(id)], q); });
            return hit;
        };
        for (TObjHeader* r = StartAdr; r; r = r->Next) addEnds(r);
        for (int32_t i : shared) {
            TObjHeader* r = pieces[size_t(i)].P;
            UnlinkObj(r, pcS, pcE);
            if (meets(AsPline(r)->S) && meets(PlineEndPt(r))) {
                AppendObj(r, StartAdr, EndAdr);
                addEnds(r);
            } else {
                FreeOne(r);
            }
        }
    }
    FreeObjList(pcS, pcE);  // nothing should be left; kept for safety

    SelectList(StartAdr);
    ChainPieces(StartAdr, EndAdr);
    EnPline.Join(0, StartAdr, EndAdr);
    for (TObjHeader* r = StartAdr; r;) {
        TObjHeader* next = r->Next;
        if (r->Type == ObjPline && EnPline.OpenPline(r) && EnPline.Length(r) < 0.01L) DeleteObj(r, StartAdr, EndAdr);
        r = next;
    }
    if (StartAdr) ClearSelection(StartAdr);
}
