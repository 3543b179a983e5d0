// The two filters of the offset clean-up: pieces that pass through a vertex of the
// source (corners bridged through the vertex) and pieces that come nearer to the
// source than the offset distance. The source's vertices sit in a point grid and its
// segments in a box index, so each piece asks only about its neighbourhood.
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPlineIndex.h"
#include "core/UniPlineOffset.h"
#include "core/UniPlineOffsetGeom.h"
#include "core/UniPlineUtil.h"

namespace fast = offs::fast;

namespace offs {

namespace {

// Every point of a polyline: its start and the end of each segment.
template <class F>
bool AnyPoint(const TObjHeader* P, F&& Test) {
    if (Test(AsPline(P)->S)) return true;
    const int32_t n = PlineSegCount(P);
    const TPlineSeg* seg = PlineSegs(P);
    for (int32_t i = 0; i < n; ++i)
        if (Test(seg[i].E)) return true;
    return false;
}

// Deletes the pieces for which Drop answers true.
template <class F>
void DropIf(TObjHeader*& StartAdr, TObjHeader*& EndAdr, F&& Drop) {
    for (TObjHeader* p = StartAdr; p;) {
        TObjHeader* nx = p->Next;
        if (p->Type == ObjPline && Drop(p)) DeleteObj(p, StartAdr, EndAdr);
        p = nx;
    }
}

constexpr Extended NearMargin = 0.00001L;

// Points found again within the tolerance: sorted by columns 1 um wide and by y within
// a column, so a look-up is a binary search in the one or two columns that the
// tolerance box meets. The keys are doubles; the search window is widened beyond
// their rounding and SamePt decides.
class TPtColumns {
public:
    explicit TPtColumns(const std::vector<Osy>& Points) : Pts(Points) {
        Items.reserve(Pts.size());
        for (size_t k = 0; k < Pts.size(); ++k)
            Items.push_back({Col(Pts[k].x), std::isnan(Pts[k].y) ? 0.0 : double(Pts[k].y), int32_t(k)});
        std::sort(Items.begin(), Items.end(), Less);
    }
    bool Has(const Osy& P) const {
        const double lo = double(P.y - 2 * CoordTol), hi = double(P.y + 2 * CoordTol);
        for (int64_t c = Col(P.x - CoordTol), last = Col(P.x + CoordTol); c <= last; ++c) {
            auto it = std::lower_bound(Items.begin(), Items.end(), TItem{c, lo, 0}, Less);
            for (; it != Items.end() && it->C == c && it->Y <= hi; ++it)
                if (SamePt(Pts[size_t(it->Id)], P)) return true;
        }
        return false;
    }

private:
    struct TItem {
        int64_t C;
        double Y;  // the sort key: y, 0 for an undefined one
        int32_t Id;
    };
    static bool Less(const TItem& a, const TItem& b) { return a.C != b.C ? a.C < b.C : a.Y < b.Y; }
    // Far or undefined coordinates share column 0, which only lengthens its scan.
    static int64_t Col(Extended x) {
        const Extended c = std::floor(x * 1e3L);
        return c > -1e18L && c < 1e18L ? int64_t(c) : 0;
    }
    const std::vector<Osy>& Pts;
    std::vector<TItem> Items;
};

}  // namespace

void DropPiecesTouchingVertices(TObjHeader*& StartAdr, TObjHeader*& EndAdr, const TObjHeader* Src, bool AllPairs) {
    std::vector<Osy> pts;
    AnyPoint(Src, [&](const Osy& p) {
        pts.push_back(p);
        return false;
    });
    // A few vertices are looked through faster than hashed.
    if (AllPairs || pts.size() <= 48) {
        DropIf(StartAdr, EndAdr, [&](const TObjHeader* P) {
            return AnyPoint(P, [&](const Osy& q) {
                for (const Osy& s : pts)
                    if (SamePt(q, s)) return true;
                return false;
            });
        });
        return;
    }
    const TPtColumns cols(pts);
    DropIf(StartAdr, EndAdr, [&](const TObjHeader* P) { return AnyPoint(P, [&](const Osy& q) { return cols.Has(q); }); });
}

void DropMicroLoops(TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    DropIf(StartAdr, EndAdr, [](const TObjHeader* P) {
        if (!SamePt(AsPline(P)->S, PlineEndPt(P))) return false;
        // Arcs only widen the box of the points: when that is already too wide, the
        // piece is no micro loop.
        Osy lo = AsPline(P)->S, hi = lo;
        const bool wide = AnyPoint(P, [&](const Osy& q) {
            lo = {std::fmin(lo.x, q.x), std::fmin(lo.y, q.y)};
            hi = {std::fmax(hi.x, q.x), std::fmax(hi.y, q.y)};
            return hi.x - lo.x >= MicroLoopSize || hi.y - lo.y >= MicroLoopSize;
        });
        if (wide) return false;
        Osy mn, mx;
        EnPline.Envelope(P, mn, mx);
        return mx.x - mn.x < MicroLoopSize && mx.y - mn.y < MicroLoopSize;
    });
}

void DropPiecesNear(TObjHeader*& StartAdr, TObjHeader*& EndAdr, const TObjHeader* Src, Extended Dist,
                    bool AllPairs) {
    const int32_t n = PlineSegCount(Src);
    const TPlineSeg* seg = PlineSegs(Src);
    const bool open = !(AsPline(Src)->PlineFlags & PlineClosed);
    // A point is too near when some segment lies nearer than Dist - NearMargin: only
    // segments whose boxes come that near can decide.
    auto decides = [&](Extended d) { return Dist - d > NearMargin; };
    const double reach = std::fmax(0.0, double(Dist - NearMargin)) * (1 + 1e-9) + double(CoordTol);
    // The segments' boxes, indexed unless they are few enough to scan.
    std::vector<TIdxBox> boxes;
    TSegBoxIndex idx;
    const bool scan = n <= 48;
    if (!AllPairs) {
        boxes.resize(static_cast<size_t>(n));
        for (int32_t i = 0; i < n; ++i) boxes[size_t(i)] = fast::SegBox(PlineSegStart(Src, i), seg[i].E, seg[i].Alfa);
        if (!scan) idx.Build(boxes);
    }
    std::vector<int32_t> cand;
    auto nearSeg = [&](const Osy& Pt, int32_t i) {
        return decides(fast::SegDist(Pt, PlineSegStart(Src, i), seg[i].E, seg[i].Alfa));
    };
    auto tooNear = [&](const Osy& Pt) {
        if (open && decides(::Dist(Pt, AsPline(Src)->S))) return true;
        if (AllPairs) {
            for (int32_t i = 0; i < n; ++i)
                if (nearSeg(Pt, i)) return true;
            return false;
        }
        cand.clear();
        const double px = double(Pt.x), py = double(Pt.y);
        const TIdxBox q{px - reach, py - reach, px + reach, py + reach};
        if (scan) {
            for (int32_t i = 0; i < n; ++i)
                if (boxes[size_t(i)].Meets(q)) cand.push_back(i);
        } else {
            idx.Query(q, cand);
        }
        for (int32_t i : cand) {
            // The box's own distance first: a box farther than reach holds no segment
            // that could decide.
            const TIdxBox& b = boxes[size_t(i)];
            const double dx = std::fmax(0.0, std::fmax(b.x1 - px, px - b.x2));
            const double dy = std::fmax(0.0, std::fmax(b.y1 - py, py - b.y2));
            if (dx * dx + dy * dy > reach * reach) continue;
            if (nearSeg(Pt, i)) return true;
        }
        return false;
    };
    DropIf(StartAdr, EndAdr, [&](const TObjHeader* P) {
        const int32_t m = PlineSegCount(P);
        const TPlineSeg* ps = PlineSegs(P);
        for (int32_t i = 0; i < m; ++i)
            if (tooNear(fast::MidPt(PlineSegStart(P, i), ps[i].E, ps[i].Alfa))) return true;
        return false;
    });
}

}  // namespace offs
