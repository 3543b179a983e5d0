// Where offset pieces meet: the first crossing of two polylines (CrossTestSect), the
// split of a list at mutual crossings (PlineTrunc) and the split of each polyline at
// the points where it meets itself.
//
// Candidate segments and polylines come from box indexes; a pair whose boxes do not
// meet cannot meet (the boxes are widened beyond the tolerance of the exact
// routines), and candidates are always tried in the plain walking order, so the
// indexed and the all-pairs walks find the same first pair.
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "core/Builder.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPlineIndex.h"
#include "core/UniPlineOffset.h"
#include "core/UniPlineOffsetGeom.h"
#include "core/UniPlineUtil.h"

using pline::IsLine;
namespace fast = offs::fast;

namespace {

// Below this many segment pairs every pair is tried.
constexpr int64_t BrutePairs = 256;

TSegBoxIndex SegIndexOf(const TObjHeader* A) {
    const int32_t n = PlineSegCount(A);
    const TPlineSeg* seg = PlineSegs(A);
    std::vector<TIdxBox> boxes(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) boxes[size_t(i)] = offs::fast::SegBox(PlineSegStart(A, i), seg[i].E, seg[i].Alfa);
    TSegBoxIndex idx;
    idx.Build(std::move(boxes));
    return idx;
}

bool EnvApart(const Osy& mn1, const Osy& mx1, const Osy& mn2, const Osy& mx2) {
    return mn1.x > mx2.x + CoordTol || mn2.x > mx1.x + CoordTol || mn1.y > mx2.y + CoordTol ||
           mn2.y > mx1.y + CoordTol;
}

// A polyline with what the crossing search needs of it, computed once.
struct TCrossItem {
    const TObjHeader* Rec = nullptr;
    Osy Mn, Mx;
    std::vector<TIdxBox> Boxes;         // of every segment
    std::unique_ptr<TSegBoxIndex> Idx;  // built on first need

    // The envelope may be a little wide (segment boxes grown by the sagitta and the
    // tolerance): it only passes over pairs that surely do not meet.
    explicit TCrossItem(const TObjHeader* R) : Rec(R) {
        const int32_t n = PlineSegCount(R);
        const TPlineSeg* seg = PlineSegs(R);
        Mn = Mx = AsPline(R)->S;
        Boxes.resize(size_t(n));
        for (int32_t i = 0; i < n; ++i) {
            const TIdxBox b = fast::SegBox(PlineSegStart(R, i), seg[i].E, seg[i].Alfa);
            Boxes[size_t(i)] = b;
            Mn = {Mn.x < b.x1 ? Mn.x : Extended(b.x1), Mn.y < b.y1 ? Mn.y : Extended(b.y1)};
            Mx = {Mx.x > b.x2 ? Mx.x : Extended(b.x2), Mx.y > b.y2 ? Mx.y : Extended(b.y2)};
        }
    }
    const TSegBoxIndex& Index() {
        if (!Idx) {
            Idx = std::make_unique<TSegBoxIndex>();
            Idx->Build(Boxes);
        }
        return *Idx;
    }
};

// CrossTestSect on prepared items; AllPairs walks every pair.
bool CrossItems(TCrossItem& A, TCrossItem& B, bool AllPairs, int32_t& Sect1, int32_t& Sect2, Osy& Cross) {
    if (EnvApart(A.Mn, A.Mx, B.Mn, B.Mx)) return false;
    const TObjHeader* a = A.Rec;
    const TObjHeader* b = B.Rec;
    const int32_t n1 = PlineSegCount(a), n2 = PlineSegCount(b);
    const TPlineSeg* s1 = PlineSegs(a);
    const TPlineSeg* s2 = PlineSegs(b);
    const Osy a0 = AsPline(a)->S, a1 = PlineEndPt(a), b0 = AsPline(b)->S, b1 = PlineEndPt(b);
    auto counts = [&](const Osy& X) {
        return !((SamePt(X, a0) || SamePt(X, a1)) && (SamePt(X, b0) || SamePt(X, b1)));
    };
    auto meet = [&](int32_t i, int32_t j) {
        if (!fast::MayCross(PlineSegStart(a, i), s1[i].E, s1[i].Alfa, PlineSegStart(b, j), s2[j].E, s2[j].Alfa))
            return false;
        Osy X1, X2;
        const unsigned c =
            fast::SegSeg(PlineSegStart(a, i), s1[i].E, PlineSegStart(b, j), s2[j].E, s1[i].Alfa, s2[j].Alfa, X1, X2);
        if (c == 0) return false;
        if (counts(X1)) {
            Cross = X1;
        } else if (c >= 2 && counts(X2)) {
            Cross = X2;
        } else {
            return false;
        }
        Sect1 = i;
        Sect2 = j;
        return true;
    };
    if (AllPairs) {
        for (int32_t i = 0; i < n1; ++i)
            for (int32_t j = 0; j < n2; ++j)
                if (meet(i, j)) return true;
        return false;
    }
    if (int64_t(n1) * n2 <= BrutePairs) {
        // Few pairs: every pair in order, the boxes tested before the exact routine.
        for (int32_t i = 0; i < n1; ++i) {
            const TIdxBox& bi = A.Boxes[size_t(i)];
            for (int32_t j = 0; j < n2; ++j)
                if (bi.Meets(B.Boxes[size_t(j)]) && meet(i, j)) return true;
        }
        return false;
    }
    // Segments of the first that reach the second's box, then their partners.
    std::vector<int32_t> ci, cj;
    A.Index().QuerySorted(offs::fast::SegBox(B.Mn, B.Mx, 0), ci);
    const TSegBoxIndex& ib = B.Index();
    for (int32_t i : ci) {
        cj.clear();
        ib.QuerySorted(A.Boxes[size_t(i)], cj);
        for (int32_t j : cj)
            if (meet(i, j)) return true;
    }
    return false;
}

}  // namespace

bool TEnPline::CrossTestSect(const TObjHeader* Adr1, const TObjHeader* Adr2, int32_t& Sect1, int32_t& Sect2,
                             Osy& Cross) {
    if (!Adr1 || !Adr2 || Adr1->Type != ObjPline || Adr2->Type != ObjPline) return false;
    TCrossItem a(Adr1), b(Adr2);
    return CrossItems(a, b, false, Sect1, Sect2, Cross);
}

void TEnPline::PlineTrunc(TObjHeader*& StartAdr, TObjHeader*& EndAdr) { offs::PlineTrunc(StartAdr, EndAdr, false); }

namespace offs {

namespace {

// The envelope entries of PlineTrunc with a box index over them that grows: entries
// added after the last build are kept aside and scanned, and the index is rebuilt
// once they are many.
class TTruncEntries {
public:
    std::vector<std::unique_ptr<TCrossItem>> Items;  // id = position = entry order
    std::vector<bool> Alive;

    int32_t Add(TObjHeader* Rec) {
        Items.push_back(std::make_unique<TCrossItem>(Rec));
        Alive.push_back(true);
        Recent.push_back(int32_t(Items.size()) - 1);
        ++AliveCnt;
        return int32_t(Items.size()) - 1;
    }
    void Kill(int32_t Id) {
        Alive[size_t(Id)] = false;
        --AliveCnt;
    }
    // Whether the boxes of entries A and B meet.
    bool Meets(int32_t A, int32_t B) const { return Box(*Items[size_t(B)]).Meets(Box(*Items[size_t(A)])); }
    // Alive entries other than Id whose box may meet Id's (ascending ids above After).
    void Partners(int32_t Id, int32_t After, std::vector<int32_t>& Out) {
        if (Recent.size() > 64 && Recent.size() * 4 > size_t(AliveCnt)) Rebuild();
        Out.clear();
        const TCrossItem& r = *Items[size_t(Id)];
        const TIdxBox q = Box(r);
        std::vector<int32_t> hits;
        Index.Query(q, hits);
        for (int32_t h : hits) Out.push_back(IndexIds[size_t(h)]);
        for (int32_t k : Recent)
            if (Box(*Items[size_t(k)]).Meets(q)) Out.push_back(k);
        Out.erase(std::remove_if(Out.begin(), Out.end(),
                                 [&](int32_t k) { return k == Id || k <= After || !Alive[size_t(k)]; }),
                  Out.end());
        std::sort(Out.begin(), Out.end());
    }

private:
    static TIdxBox Box(const TCrossItem& c) {
        auto lo = [](Extended v) { return double(v) - 2 * double(CoordTol) - std::fabs(double(v)) * 1e-15; };
        auto hi = [](Extended v) { return double(v) + 2 * double(CoordTol) + std::fabs(double(v)) * 1e-15; };
        return {lo(c.Mn.x), lo(c.Mn.y), hi(c.Mx.x), hi(c.Mx.y)};
    }
    void Rebuild() {
        std::vector<TIdxBox> boxes;
        IndexIds.clear();
        for (size_t k = 0; k < Items.size(); ++k)
            if (Alive[k]) {
                boxes.push_back(Box(*Items[k]));
                IndexIds.push_back(int32_t(k));
            }
        Index.Build(std::move(boxes));
        Recent.clear();
    }
    TSegBoxIndex Index;
    std::vector<int32_t> IndexIds;
    std::vector<int32_t> Recent;
    int32_t AliveCnt = 0;
};

}  // namespace

void PlineTrunc(TObjHeader*& StartAdr, TObjHeader*& EndAdr, bool AllPairs) {
    std::vector<TObjHeader*> recs = TakeList(StartAdr, EndAdr);
    TTruncEntries E;
    int64_t budget = 1000;  // splits allowed: a bound that sound input never reaches
    for (TObjHeader* r : recs) {
        E.Add(r);
        budget += 8 * int64_t(PlineSegCount(r));
    }
    // Splits entry Id at X on segment Seg; its pieces become new entries.
    auto split = [&](int32_t Id, int32_t Seg, const Osy& X) {
        TObjHeader* rec = const_cast<TObjHeader*>(E.Items[size_t(Id)]->Rec);
        E.Kill(Id);
        TObjHeader *ts = nullptr, *te = nullptr;
        AppendObj(rec, ts, te);
        std::vector<TObjHeader*> pieces = EnPline.BreakPlineOnPoint(X, rec, Seg, ts, te);
        for (size_t k = 0; k < pieces.size(); ++k) {
            TObjHeader* pc = pieces[k];
            UnlinkObj(pc, ts, te);
            if ((k == 0 || k + 1 == pieces.size()) && pc->Type == ObjPline)
                E.Add(pc);
            else
                FreeObjBlock(pc);
        }
        FreeObjList(ts, te);
        --budget;
    };
    auto isEnd = [](const TObjHeader* p, const Osy& X) { return SamePt(X, AsPline(p)->S) || SamePt(X, PlineEndPt(p)); };
    // One crossing test of r with p, splitting what it crosses: 0 nothing found, 1 only
    // p was split, 2 r was split.
    auto test = [&](int32_t r, int32_t p) {
        int32_t s1, s2;
        Osy X;
        if (budget <= 0 || !CrossItems(*E.Items[size_t(r)], *E.Items[size_t(p)], AllPairs, s1, s2, X)) return 0;
        const TObjHeader* rr = E.Items[size_t(r)]->Rec;
        const TObjHeader* pp = E.Items[size_t(p)]->Rec;
        const bool splitR = !isEnd(rr, X), splitP = !isEnd(pp, X);
        if (splitR) split(r, s1, X);
        if (splitP) split(p, s2, X);
        return splitR ? 2 : (splitP ? 1 : 0);
    };

    TObjHeader *rs = nullptr, *re = nullptr;
    size_t first = 0;
    std::vector<int32_t> cand;
    for (;;) {
        while (first < E.Items.size() && !E.Alive[first]) ++first;
        if (first == E.Items.size()) break;
        const int32_t r = int32_t(first);
        bool rGone = false;
        if (AllPairs) {
            // The plain walk: every later entry in order, from the first again after
            // every split.
            bool again = false;
            for (size_t p = first + 1; p < E.Items.size(); ++p) {
                if (!E.Alive[p]) continue;
                if (test(r, int32_t(p)) > 0) {
                    again = true;
                    break;
                }
            }
            if (again) continue;
        } else {
            // Entries before a split one were already found clean and have not
            // changed: the walk goes on behind it, and the pieces of the split one,
            // which come last, join the partners when their boxes meet r's. (Asking
            // the index again after every split would cost a query, a sort and a
            // scan of the recent entries per split.)
            E.Partners(r, r, cand);
            for (size_t c = 0; c < cand.size(); ++c) {
                const size_t known = E.Items.size();
                const int res = test(r, cand[c]);
                if (res == 2) {
                    rGone = true;
                    break;
                }
                if (res == 1)
                    for (size_t k = known; k < E.Items.size(); ++k)
                        if (E.Alive[k] && E.Meets(r, int32_t(k))) cand.push_back(int32_t(k));
            }
            if (rGone) continue;
        }
        AppendObj(const_cast<TObjHeader*>(E.Items[size_t(r)]->Rec), rs, re);
        E.Kill(r);
    }
    StartAdr = rs;
    EndAdr = re;
}

namespace {

// A cut of one polyline: segment I at point X, Pos its place along the segment
// (length of a line part, angle of an arc part). Vertex cuts are stored as the start
// of the following segment, Pos 0.
struct TCut {
    int32_t I;
    Extended Pos;
    Osy X;
    bool operator<(const TCut& o) const {
        if (I != o.I) return I < o.I;
        if (Pos != o.Pos) return Pos < o.Pos;
        if (X.x != o.X.x) return X.x < o.X.x;
        return X.y < o.X.y;
    }
};

// Pieces of Src cut at the sorted cuts, appended to the list.
void BuildPieces(const TObjHeader* Src, const std::vector<TCut>& Cuts, TObjHeader*& S, TObjHeader*& E) {
    const int32_t n = PlineSegCount(Src);
    const TPlineSeg* seg = PlineSegs(Src);
    const uint8_t layer = Src->Layer;
    auto make = [&]() {
        TObjHeader* r = MakeObj(layer, S, E);
        if (r && r->Type != ObjPline) DeleteObj(r, S, E);
    };
    StartObj(AsPline(Src)->S);
    size_t k = 0;
    for (int32_t i = 0; i < n; ++i) {
        const Osy s = PlineSegStart(Src, i);
        const Extended a = seg[i].Alfa;
        Extended done = 0;  // angle of the arc already built
        for (; k < Cuts.size() && Cuts[k].I == i; ++k) {
            const TCut& c = Cuts[k];
            if (c.Pos == 0 && SamePt(c.X, s)) {
                make();
                StartObj(s);
                continue;
            }
            Extended d1 = 0, d2 = 0;
            pline::SplitAngles(s, seg[i].E, a, c.X, d1, d2);
            AddSeg(c.X, IsLine(a) ? 0 : d1 - done, CoordTol);
            done = IsLine(a) ? 0 : d1;
            make();
            StartObj(c.X);
        }
        AddSeg(seg[i].E, IsLine(a) ? 0 : a - done, CoordTol);
    }
    make();
}

void DivideOne(TObjHeader* Src, bool AllPairs, TObjHeader*& S, TObjHeader*& E) {
    const int32_t n = PlineSegCount(Src);
    const TPlineSeg* seg = PlineSegs(Src);
    const Osy start = AsPline(Src)->S;
    const bool closed = n > 1 && SamePt(start, seg[n - 1].E);
    std::vector<TCut> cuts;
    auto addCut = [&](int32_t i, const Osy& X) {
        const Osy s = PlineSegStart(Src, i);
        if (SamePt(X, s)) {
            if (i > 0) cuts.push_back({i, 0, s});
            return;
        }
        if (SamePt(X, seg[i].E)) {
            if (i + 1 < n) cuts.push_back({i + 1, 0, seg[i].E});
            return;
        }
        Extended d1 = 0, d2 = 0;
        if (IsLine(seg[i].Alfa)) {
            d1 = Dist(s, X);
        } else {
            pline::SplitAngles(s, seg[i].E, seg[i].Alfa, X, d1, d2);
            d1 = std::fabs(d1);
        }
        cuts.push_back({i, d1, X});
    };
    auto pair = [&](int32_t i, int32_t j) {
        // Neighbours meet at their common vertex; elsewhere seldom.
        if (j == i + 1 &&
            !fast::NeighboursMayMeet(PlineSegStart(Src, i), seg[i].E, seg[i].Alfa, seg[j].E, seg[j].Alfa))
            return;
        if (closed && i == 0 && j == n - 1 &&
            !fast::NeighboursMayMeet(PlineSegStart(Src, j), start, seg[j].Alfa, seg[i].E, seg[i].Alfa))
            return;
        if (!fast::MayCross(PlineSegStart(Src, i), seg[i].E, seg[i].Alfa, PlineSegStart(Src, j), seg[j].E,
                            seg[j].Alfa))
            return;
        Osy X[2];
        const unsigned c =
            fast::SegSeg(PlineSegStart(Src, i), seg[i].E, PlineSegStart(Src, j), seg[j].E, seg[i].Alfa, seg[j].Alfa,
                         X[0], X[1]);
        for (unsigned m = 0; m < c && m < 2; ++m) {
            if (j == i + 1 && SamePt(X[m], seg[i].E)) continue;  // their common vertex
            if (closed && i == 0 && j == n - 1 && SamePt(X[m], start)) continue;  // the closing vertex
            addCut(i, X[m]);
            addCut(j, X[m]);
        }
    };
    if (AllPairs) {
        for (int32_t i = 0; i < n; ++i)
            for (int32_t j = i + 1; j < n; ++j) pair(i, j);
    } else if (n <= 64) {  // few enough for every pair of boxes
        std::vector<TIdxBox> bx(static_cast<size_t>(n));
        for (int32_t i = 0; i < n; ++i) bx[size_t(i)] = offs::fast::SegBox(PlineSegStart(Src, i), seg[i].E, seg[i].Alfa);
        for (int32_t i = 0; i < n; ++i)
            for (int32_t j = i + 1; j < n; ++j)
                if (bx[size_t(i)].Meets(bx[size_t(j)])) pair(i, j);
    } else {
        // The cuts are sorted below: the pairs may come in any order.
        std::vector<std::pair<int32_t, int32_t>> pairs;
        SegIndexOf(Src).Pairs(pairs);
        for (const auto& [i, j] : pairs) pair(i, j);
    }
    if (cuts.empty()) {
        AppendObj(Src, S, E);
        return;
    }
    std::sort(cuts.begin(), cuts.end());
    std::vector<TCut> uniq;
    for (const TCut& c : cuts)
        if (uniq.empty() || uniq.back().I != c.I || !SamePt(uniq.back().X, c.X)) uniq.push_back(c);
    BuildPieces(Src, uniq, S, E);
    FreeObjBlock(Src);
}

}  // namespace

namespace {

// Direction of travel at the end (AtEnd) or the start of segment S-E-Alfa.
Osy Tangent(const Osy& S, const Osy& E, Extended Alfa, bool AtEnd) {
    const Osy d = fast::Sub(E, S);
    if (IsLine(Alfa)) return d;
    const Extended h = AtEnd ? Alfa / 2 : -Alfa / 2;
    const Extended c = std::cos(double(h)), s = std::sin(double(h));
    return {d.x * c - d.y * s, d.x * s + d.y * c};
}

// Whether segment S-V-A1 and segment V-E-A2 may meet again within MicroLoopSize of V.
// Within a distance s of V a curve of radius R strays from its tangent by at most
// s / (2R), so the tail of the first and the head of the second meet near V only
// when the path nearly reverses there, or when it goes on at a small angle t with a
// change of curvature k: the curves then part again at about 2t / k from V.
bool MayMeetNearJoint(const Osy& S, const Osy& V, Extended A1, const Osy& E, Extended A2) {
    // Two lines that turn by a right angle or less neither reverse nor part again.
    if (IsLine(A1) && IsLine(A2) && fast::Dot(fast::Sub(V, S), fast::Sub(E, V)) >= 0) return false;
    auto curvature = [](const Osy& P, const Osy& Q, Extended A) {
        return IsLine(A) ? Extended(0) : 2 * std::sin(double(A) / 2) / fast::Len(fast::Sub(Q, P));
    };
    const Extended k1 = curvature(S, V, A1), k2 = curvature(V, E, A2);
    const Extended turn = std::fabs(fast::Turn(Tangent(S, V, A1, true), Tangent(V, E, A2, false)));
    if (GeomPi - turn <= MicroLoopSize * (std::fabs(k1) + std::fabs(k2)) / 2 + 1e-3L) return true;
    const Extended dk = std::fabs(k1 - k2);
    if (!(dk > 0)) return false;
    const Extended part = 2 * turn / dk;
    return part >= 1e-8L && part <= 100 * MicroLoopSize;
}

}  // namespace

void ExciseMicroLoops(TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    for (TObjHeader* r = StartAdr; r; r = r->Next) {
        if (r->Type != ObjPline) continue;
        const int32_t n = PlineSegCount(r);
        TPlineSeg* seg = PlineSegs(r);
        const bool closed = n > 1 && SamePt(AsPline(r)->S, seg[n - 1].E);
        // Segment i and the one after it (the first one behind the last when closed).
        for (int32_t i = 0; i < (closed ? n : n - 1); ++i) {
            const int32_t j = i + 1 < n ? i + 1 : 0;
            const Osy s = PlineSegStart(r, i), v = seg[i].E, e = seg[j].E;
            if (!MayMeetNearJoint(s, v, seg[i].Alfa, e, seg[j].Alfa)) continue;
            Osy X[2];
            const unsigned c = fast::SegSeg(s, v, v, e, seg[i].Alfa, seg[j].Alfa, X[0], X[1]);
            for (unsigned m = 0; m < c && m < 2; ++m) {
                const Osy& x = X[m];
                if (SamePt(x, v) || SamePt(x, s) || SamePt(x, e) || std::fabs(x.x - v.x) >= MicroLoopSize ||
                    std::fabs(x.y - v.y) >= MicroLoopSize)
                    continue;
                Extended a1 = 0, a2 = 0, b1 = 0, b2 = 0;
                pline::SplitAngles(s, v, seg[i].Alfa, x, a1, a2);
                pline::SplitAngles(v, e, seg[j].Alfa, x, b1, b2);
                seg[i].E = x;
                seg[i].Alfa = IsLine(seg[i].Alfa) ? 0 : a1;
                seg[j].Alfa = IsLine(seg[j].Alfa) ? 0 : b2;
                if (j == 0) AsPline(r)->S = x;
                break;
            }
        }
    }
}

void DivideAtSelfMeets(TObjHeader*& StartAdr, TObjHeader*& EndAdr, bool AllPairs) {
    std::vector<TObjHeader*> recs = TakeList(StartAdr, EndAdr);
    for (TObjHeader* r : recs) {
        if (r->Type != ObjPline) {
            AppendObj(r, StartAdr, EndAdr);
            continue;
        }
        DivideOne(r, AllPairs, StartAdr, EndAdr);
    }
}

}  // namespace offs
