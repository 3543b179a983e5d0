// Chaining offset pieces end to start (OffsPlineJoin, SpecOffsPlineJoin).
//
// The pieces are handled as a pool: a joined piece is a chain of the original records
// and only its ends and end tangents are kept, so a join costs O(1); the records are
// built once at the end. Successors are looked up by start point in a point grid.
//
// The plain walk restarts from the first piece after every join or deletion. The
// indexed walk goes on where it stopped instead: a join or a deletion never gives an
// earlier piece a partner it did not have (the only start point a join adds is the
// start of the piece it consumed, with the same tangent), so both end alike.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPlineOffset.h"
#include "core/UniPlineUtil.h"

using pline::WrapPi;

namespace offs {

namespace {

struct TPiece {
    int32_t Head = -1, Tail = -1;  // chain of original records
    Osy S, E;
    Extended TanS = 0, TanE = 0;
    Extended FirstAlfa = 0, LastAlfa = 0;
    int32_t SegCnt = 0;
    bool Alive = true;
    bool Out = false;  // moved to the Out list
};

class TPool {
public:
    std::vector<TObjHeader*> Orig;     // original records by index
    std::vector<int32_t> NextPart;     // chain links over Orig
    std::vector<TPiece> P;             // pieces; the index is the list order
    std::vector<int32_t> OutOrder;     // pieces moved to Out, in that order
    bool AllPairs;

    TPool(std::vector<TObjHeader*> Recs, bool AllP) : Orig(std::move(Recs)), AllPairs(AllP) {
        NextPart.assign(Orig.size(), -1);
        for (size_t k = 0; k < Orig.size(); ++k) {
            TObjHeader* r = Orig[k];
            EnPline.OpenPline(r);
            TPiece pc;
            pc.Head = pc.Tail = int32_t(k);
            const int32_t n = PlineSegCount(r);
            pc.SegCnt = n;
            pc.S = AsPline(r)->S;
            pc.E = PlineEndPt(r);
            if (n > 0) {
                pc.FirstAlfa = PlineSegs(r)[0].Alfa;
                pc.LastAlfa = PlineSegs(r)[n - 1].Alfa;
                pc.TanS = EnPline.TanStart(r);
                pc.TanE = EnPline.TanEnd(r);
            }
            Add(pc);
        }
    }

    static bool Open(const TPiece& p) {
        if (p.SegCnt <= 1) return true;
        if (p.SegCnt == 2 && std::fabs(p.FirstAlfa + p.LastAlfa) < CoordTol) return true;
        return Dist(p.S, p.E) > CoordTol;
    }

    // Pieces in the In list starting at Pt, in list order (Skip1, Skip2 left out).
    void StartingAt(const Osy& Pt, std::vector<int32_t>& Out, int32_t Skip1 = -1, int32_t Skip2 = -1) const {
        Out.clear();
        auto take = [&](int32_t k) {
            const TPiece& p = P[size_t(k)];
            if (p.Alive && !p.Out && k != Skip1 && k != Skip2 && SamePt(p.S, Pt)) Out.push_back(k);
        };
        if (AllPairs) {
            for (int32_t k = 0; k < int32_t(P.size()); ++k) take(k);
            return;
        }
        Grid.NearPt(Pt, take);
        std::sort(Out.begin(), Out.end());
    }

    // A followed by B: a new piece at the end of the In list, or of Out when closed.
    int32_t Join(int32_t A, int32_t B) {
        TPiece& a = P[size_t(A)];
        TPiece& b = P[size_t(B)];
        TPiece n;
        n.Head = a.Head;
        n.Tail = b.Tail;
        NextPart[size_t(a.Tail)] = b.Head;
        n.S = a.S;
        n.E = b.E;
        n.TanS = a.TanS;
        n.TanE = b.TanE;
        n.FirstAlfa = a.FirstAlfa;
        n.LastAlfa = b.LastAlfa;
        n.SegCnt = a.SegCnt + b.SegCnt;
        a.Alive = b.Alive = false;
        const int32_t id = Add(n);
        if (!Open(P[size_t(id)])) {
            P[size_t(id)].Out = true;
            OutOrder.push_back(id);
        }
        return id;
    }

    // Builds the records: the In list (open pieces, closed ones moved behind the Out
    // list's new entries) and the Out list.
    void Finish(TObjHeader*& InStart, TObjHeader*& InEnd, TObjHeader*& OutStart, TObjHeader*& OutEnd) {
        std::vector<TObjHeader*> rec(P.size(), nullptr);
        std::vector<bool> used(Orig.size(), false);
        for (size_t k = 0; k < P.size(); ++k) {
            const TPiece& p = P[k];
            if (!p.Alive) continue;
            if (p.Head == p.Tail && k < Orig.size()) {
                rec[k] = Orig[k];
                used[k] = true;
                continue;
            }
            rec[k] = Build(p);
            if (p.Out) EnPline.FindDir(rec[k]);
        }
        for (size_t k = 0; k < Orig.size(); ++k)
            if (!used[k]) FreeObjBlock(Orig[k]);
        InStart = InEnd = nullptr;
        for (int32_t k : OutOrder)
            if (P[size_t(k)].Alive) AppendObj(rec[size_t(k)], OutStart, OutEnd);
        std::vector<TObjHeader*> closedLeft;
        for (size_t k = 0; k < P.size(); ++k) {
            if (!P[k].Alive || P[k].Out) continue;
            if (EnPline.OpenPline(rec[k]))
                AppendObj(rec[k], InStart, InEnd);
            else
                closedLeft.push_back(rec[k]);
        }
        for (TObjHeader* r : closedLeft) AppendObj(r, OutStart, OutEnd);
    }

private:
    int32_t Add(const TPiece& pc) {
        P.push_back(pc);
        const int32_t id = int32_t(P.size()) - 1;
        if (!AllPairs) Grid.Add(pc.S, id);
        return id;
    }

    // The record of a joined piece: the head's header and flags, every segment.
    TObjHeader* Build(const TPiece& p) const {
        const TObjHeader* head = Orig[size_t(p.Head)];
        TObjHeader* r = AllocObj(PlineSizeFor(p.SegCnt), ObjPline);
        r->Layer = head->Layer;
        r->Flags = head->Flags;
        r->SavedFlags = head->SavedFlags;
        AsPline(r)->PlineFlags = AsPline(head)->PlineFlags;
        AsPline(r)->S = AsPline(head)->S;
        TPlineSeg* out = PlineSegs(r);
        for (int32_t k = p.Head; k >= 0; k = (k == p.Tail ? -1 : NextPart[size_t(k)])) {
            const int32_t n = PlineSegCount(Orig[size_t(k)]);
            std::memcpy(static_cast<void*>(out), PlineSegs(Orig[size_t(k)]), sizeof(TPlineSeg) * size_t(n));
            out += n;
        }
        EnPline.OpenPline(r);
        return r;
    }

    TPtGrid Grid;
};

// The successor chosen for piece Q by the tangent rule, or -1.
int32_t TangentSuccessor(const TPool& Pool, int32_t Q, bool Cont, std::vector<int32_t>& Buf) {
    const TPiece& q = Pool.P[size_t(Q)];
    Pool.StartingAt(q.E, Buf, Q);
    int32_t cand = -1;
    Extended maxD = 0;
    for (int32_t k : Buf) {
        const Extended D = std::fabs(WrapPi(q.TanE - Pool.P[size_t(k)].TanS));
        if (Cont) {
            cand = k;
        } else if (D > maxD) {
            maxD = D;
            cand = k;
        }
    }
    return cand;
}

bool InIn(const TPiece& p) { return p.Alive && !p.Out; }

}  // namespace

void OffsPlineJoin(bool Cont, TObjHeader*& InStart, TObjHeader*& InEnd, TObjHeader*& OutStart, TObjHeader*& OutEnd,
                   bool AllPairs) {
    TPool pool(TakeList(InStart, InEnd), AllPairs);
    std::vector<int32_t> buf;
    if (AllPairs) {
        for (bool changed = true; changed;) {
            changed = false;
            for (int32_t q = 0; q < int32_t(pool.P.size()); ++q) {
                if (!InIn(pool.P[size_t(q)])) continue;
                const int32_t c = TangentSuccessor(pool, q, Cont, buf);
                if (c >= 0) {
                    pool.Join(q, c);
                    changed = true;
                    break;
                }
            }
        }
    } else {
        for (int32_t q = 0; q < int32_t(pool.P.size()); ++q) {
            if (!InIn(pool.P[size_t(q)])) continue;
            const int32_t c = TangentSuccessor(pool, q, Cont, buf);
            if (c >= 0) pool.Join(q, c);
        }
    }
    pool.Finish(InStart, InEnd, OutStart, OutEnd);
}

void SpecOffsPlineJoin(TObjHeader*& InStart, TObjHeader*& InEnd, TObjHeader*& OutStart, TObjHeader*& OutEnd,
                       bool AllPairs) {
    TPool pool(TakeList(InStart, InEnd), AllPairs);
    std::vector<int32_t> buf, rbuf;
    // Pruning: of two pieces leaving the same point, the one that leads nowhere goes.
    // Returns true when b itself was deleted.
    auto prune = [&](int32_t b, int32_t q) {
        TPiece& pb = pool.P[size_t(b)];
        TPiece& pq = pool.P[size_t(q)];
        pool.StartingAt(pb.E, rbuf, b, q);
        if (!rbuf.empty()) {
            pq.Alive = false;
            return false;
        }
        pool.StartingAt(pq.E, rbuf, b, q);
        if (rbuf.empty()) pq.Alive = false;
        pb.Alive = false;
        return true;
    };
    auto laterTwin = [&](int32_t b) {
        pool.StartingAt(pool.P[size_t(b)].S, buf, b);
        for (int32_t q : buf)
            if (q > b) return q;
        return -1;
    };
    const int32_t m = int32_t(pool.P.size());
    if (AllPairs) {
        for (bool found = true; found;) {
            found = false;
            for (int32_t b = 0; b < m && !found; ++b) {
                if (!InIn(pool.P[size_t(b)])) continue;
                const int32_t q = laterTwin(b);
                if (q >= 0) {
                    prune(b, q);
                    found = true;
                }
            }
        }
    } else {
        for (int32_t b = 0; b < m; ++b) {
            while (InIn(pool.P[size_t(b)])) {
                const int32_t q = laterTwin(b);
                if (q < 0 || prune(b, q)) break;
            }
        }
    }
    // Chaining: the first open piece with a successor takes the first one.
    auto successor = [&](int32_t a) {
        if (!InIn(pool.P[size_t(a)]) || !TPool::Open(pool.P[size_t(a)])) return -1;
        pool.StartingAt(pool.P[size_t(a)].E, buf, a);
        return buf.empty() ? -1 : buf.front();
    };
    if (AllPairs) {
        for (bool changed = true; changed;) {
            changed = false;
            for (int32_t a = 0; a < int32_t(pool.P.size()); ++a) {
                const int32_t r = successor(a);
                if (r >= 0) {
                    pool.Join(a, r);
                    changed = true;
                    break;
                }
            }
        }
    } else {
        for (int32_t a = 0; a < int32_t(pool.P.size()); ++a) {
            const int32_t r = successor(a);
            if (r >= 0) pool.Join(a, r);
        }
    }
    pool.Finish(InStart, InEnd, OutStart, OutEnd);
}

}  // namespace offs

void TEnPline::OffsPlineJoin(bool Cont, TObjHeader*& InStart, TObjHeader*& InEnd, TObjHeader*& OutStart,
                             TObjHeader*& OutEnd) {
    offs::OffsPlineJoin(Cont, InStart, InEnd, OutStart, OutEnd, false);
}

void TEnPline::SpecOffsPlineJoin(TObjHeader*& InStart, TObjHeader*& InEnd, TObjHeader*& OutStart,
                                 TObjHeader*& OutEnd) {
    offs::SpecOffsPlineJoin(InStart, InEnd, OutStart, OutEnd, false);
}
