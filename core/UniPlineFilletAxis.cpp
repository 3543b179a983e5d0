// Two polyline utilities built on chords and end points: the centre line between a
// polyline and its limits (Axis), and the chaining of selected polylines whose ends
// meet (Join).
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <deque>
#include <vector>

#include "core/Builder.h"
#include "core/Glob.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPlineIndex.h"
#include "core/UniPlineOffset.h"
#include "core/UniPlineOffsetGeom.h"
#include "core/UniPlineUtil.h"

using pline::IsLine;
using pline::WrapPi;

namespace {

// The limits' segments with boxes that hold what the intersection routines' own box
// tests hold (the tolerance, the sagitta or the circle), grown a little more: a probe
// whose box stays clear of a segment's box cannot meet it, and is not handed over.
struct TLimitSeg {
    Osy S, E;
    Extended Alfa;
    TIdxBox Box;
};

std::vector<TLimitSeg> LimitSegs(TObjHeader* LimStart, TObjHeader* LimEnd) {
    std::vector<TLimitSeg> Res;
    for (TObjHeader* p = LimStart; p; p = p == LimEnd ? nullptr : p->Next) {
        if (p->Type != ObjPline) continue;
        const int32_t n = PlineSegCount(p);
        const TPlineSeg* seg = PlineSegs(p);
        for (int32_t i = 0; i < n; ++i) {
            const Osy S = PlineSegStart(p, i);
            Res.push_back({S, seg[i].E, seg[i].Alfa, offs::fast::SegBox(S, seg[i].E, seg[i].Alfa)});
        }
    }
    return Res;
}

// Shortens the probe V-Q at the first limit it meets, limit after limit.
void ClipToLimits(const Osy& V, Osy& Q, const std::vector<TLimitSeg>& Lim) {
    for (const TLimitSeg& L : Lim) {
        if (!offs::fast::SegBox(V, Q, 0).Meets(L.Box)) continue;
        Osy X1, X2;
        const unsigned c = IsLine(L.Alfa) ? IntersLineLine(V, Q, L.S, L.E, X1, X2)
                                          : IntersLineArc(V, Q, L.S, L.E, L.Alfa, X1, X2);
        if (c == 1) {
            if (!SamePt(X1, V)) Q = X1;
        } else if (c >= 2) {
            if (!SamePt(X1, V))
                Q = X1;
            else if (!SamePt(X2, V))
                Q = X2;
        }
    }
}

// The polyline growing at one place of Join. Its vertices and segment angles sit in
// deques that are read backwards while Rev is set, so turning the chain round and
// adding a partner at either end cost only the partner's segments; the record is
// written once at the end. The results are those of ChangeDir and ConcatPlines on
// the record itself, header included.
struct TJoinChain {
    TObjHeader* Head = nullptr;  // keeps the place in the list and carries the header
    std::deque<Osy> V;           // vertices
    std::deque<Extended> Al;     // Al[i]: the angle of the segment V[i] -> V[i+1]
    bool Rev = false, Changed = false;

    void Start(TObjHeader* p) {
        Head = p;
        Rev = Changed = false;
        const int32_t n = PlineSegCount(p);
        const TPlineSeg* seg = PlineSegs(p);
        V.assign(1, AsPline(p)->S);
        Al.clear();
        for (int32_t i = 0; i < n; ++i) {
            V.push_back(seg[i].E);
            Al.push_back(seg[i].Alfa);
        }
    }
    Osy StartPt() const { return Rev ? V.back() : V.front(); }
    Osy EndPt() const { return Rev ? V.front() : V.back(); }
    // What TEnPline::ChangeDir does to the record.
    void ChangeDir() {
        Rev = !Rev;
        Changed = true;
        Head->Flags &= uint8_t(~FlagSelected);
        if (AsPline(Head)->PlineFlags & PlineClosed) AsPline(Head)->PlineFlags ^= PlineCW;
    }
    // ConcatPlines: B's segments follow the end (B's start point is dropped); B is deleted.
    void Append(TObjHeader*& B, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
        const int32_t n = PlineSegCount(B);
        const TPlineSeg* seg = PlineSegs(B);
        for (int32_t i = 0; i < n; ++i) {
            if (Rev) {
                V.push_front(seg[i].E);
                Al.push_front(-seg[i].Alfa);
            } else {
                V.push_back(seg[i].E);
                Al.push_back(seg[i].Alfa);
            }
        }
        Changed = true;
        DeleteObj(B, StartAdr, EndAdr);
        B = nullptr;
    }
    // Writes the chain: into Head when the segment count is unchanged, else into a new
    // record that replaces it. Returns the record.
    TObjHeader* Finish(TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
        if (!Changed) return Head;
        const int32_t n = int32_t(Al.size()), n0 = PlineSegCount(Head);
        TObjHeader* r = Head;
        if (n != n0) {
            const int32_t size = Head->Size + (n - n0) * int32_t(sizeof(TPlineSeg));
            r = AllocObj(size, ObjPline);
            std::memcpy(reinterpret_cast<uint8_t*>(r) + offsetof(TObjHeader, Size),
                        reinterpret_cast<const uint8_t*>(Head) + offsetof(TObjHeader, Size),
                        size_t(Head->Size) - offsetof(TObjHeader, Size));
            r->Size = size;
        }
        TPlineSeg* seg = PlineSegs(r);
        AsPline(r)->S = StartPt();
        for (int32_t i = 0; i < n; ++i) {
            const size_t k = size_t(Rev ? n - 1 - i : i);
            seg[i] = Rev ? TPlineSeg{-Al[k], V[k]} : TPlineSeg{Al[k], V[k + 1]};
        }
        if (r != Head) ReplaceObj(Head, r, StartAdr, EndAdr);
        Head = nullptr;
        return r;
    }
};

}  // namespace

void TEnPline::Axis(TObjHeader* Adresa, TObjHeader* LimStart, TObjHeader* LimEnd, bool ToRight, Extended MaxDist,
                    TObjHeader*& StartAdr, TObjHeader*& EndAdr, uint8_t La) {
    if (!Adresa || Adresa->Type != ObjPline || PlineSegCount(Adresa) == 0) return;
    TObjHeader* copy = ArcToLine(Adresa, 0.001L);
    if (!copy) return;
    if (copy->Type != ObjPline) {
        FreeObjBlock(copy);
        return;
    }
    const Extended side = ToRight ? -GeomPi2 : GeomPi2;
    const Extended L = 2 * MaxDist;
    const int32_t n = PlineSegCount(copy);
    std::vector<Osy> v(size_t(n) + 1);
    v[0] = AsPline(copy)->S;
    for (int32_t i = 0; i < n; ++i) v[size_t(i) + 1] = PlineSegs(copy)[i].E;
    const bool closed = !OpenPline(copy);
    const std::vector<TLimitSeg> Lim = LimitSegs(LimStart, LimEnd);
    // Vertices of the centre line: the open end vertices probe square to their
    // segment, the others along the bisector.
    const int32_t last = closed ? n - 1 : n;
    bool started = false;
    Osy first;
    for (int32_t k = 0; k <= last; ++k) {
        const Osy V = v[size_t(k)];
        Osy Q;
        auto at = [&](Extended dir, Extended len) {
            Extended s, c;
            SinCos(dir, s, c);
            return Osy{V.x + len * c, V.y + len * s};
        };
        if (!closed && k == 0) {
            Q = at(Angle(V, v[1]) + side, L);
        } else if (!closed && k == n) {
            Q = at(Angle(v[size_t(n) - 1], V) + side, L);
        } else {
            const Osy prev = k == 0 ? v[size_t(n) - 1] : v[size_t(k) - 1];
            const Osy next = v[size_t(k) + 1];
            const Extended d1 = Angle(prev, V), d2 = Angle(V, next);
            const Extended h = WrapPi(d2 - d1) / 2;
            // A full reversal has no finite bisector probe; it keeps the plain length.
            const Extended c = std::fabs(std::cos(h));
            Q = at(d1 + h + side, c > 1e-9L ? L / c : L);
        }
        ClipToLimits(V, Q, Lim);
        const Osy mid{(V.x + Q.x) / 2, (V.y + Q.y) / 2};
        if (!started) {
            StartObj(mid);
            first = mid;
            started = true;
        } else {
            AddSeg(mid, 0, CoordTol);
        }
    }
    if (closed) AddSeg(first, 0, CoordTol);
    FreeObjBlock(copy);
    MakeObj(La, StartAdr, EndAdr);
}

void TEnPline::Join(uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    const Extended tol = Glob.JoinTol;
    auto takes = [&](const TObjHeader* p) {
        return p && p->Type == ObjPline && (p->Flags & FlagSelected) && (Layer == 0 || p->Layer == Layer) &&
               PlineSegCount(p) > 0;
    };
    // Candidates by end point: ends within tol of each other share or neighbour a cell.
    // Records are numbered in list order; a join keeps A's place and number.
    std::vector<TObjHeader*> rec;
    for (TObjHeader* p = StartAdr; p; p = p->Next) rec.push_back(p);
    offs::TPtGrid grid(tol > CoordTol ? tol : CoordTol);
    for (size_t k = 0; k < rec.size(); ++k)
        if (takes(rec[k])) {
            grid.Add(StartPt(rec[k]), int32_t(k));
            grid.Add(EndPt(rec[k]), int32_t(k));
        }
    std::vector<int32_t> cand;
    auto near = [&](const Osy& a, const Osy& b) { return Dist(a, b) <= tol; };
    TJoinChain A;
    for (size_t ia = 0; ia < rec.size(); ++ia) {
        if (!takes(rec[ia])) continue;
        A.Start(rec[ia]);
        for (bool joined = true; joined;) {
            joined = false;
            cand.clear();
            grid.Near(A.StartPt(), [&](int32_t k) { cand.push_back(k); });
            grid.Near(A.EndPt(), [&](int32_t k) { cand.push_back(k); });
            std::sort(cand.begin(), cand.end());
            cand.erase(std::unique(cand.begin(), cand.end()), cand.end());
            for (int32_t kb : cand) {
                if (kb <= int32_t(ia) || !takes(rec[size_t(kb)])) continue;
                TObjHeader* B = rec[size_t(kb)];
                if (near(A.EndPt(), EndPt(B))) ChangeDir(B);
                if (near(A.StartPt(), StartPt(B))) A.ChangeDir();
                A.Head->Flags |= FlagSelected;
                B->Flags |= FlagSelected;
                if (near(A.EndPt(), StartPt(B))) {
                } else if (near(EndPt(B), A.StartPt())) {
                    A.ChangeDir();
                    ChangeDir(B);
                } else {
                    continue;
                }
                A.Append(B, StartAdr, EndAdr);
                A.Head->Flags |= FlagSelected;
                rec[size_t(kb)] = nullptr;
                grid.Add(A.EndPt(), int32_t(ia));
                joined = true;
                break;
            }
        }
        rec[ia] = A.Finish(StartAdr, EndAdr);
    }
    for (TObjHeader* p = StartAdr; p; p = p->Next)
        if (p->Type == ObjPline) FindDir(p);
}
