// Polyline queries that maintain PlineFlags: the closed bit (OpenPline), the direction
// bit and the self-crossing mark (FindDir), and the self-crossing search they rest on.
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPlineDirMemo.h"
#include "core/UniPlineOffsetGeom.h"

TEnPline EnPline;

bool TEnPline::OpenPline(TObjHeader* Adresa) {
    if (!Adresa || Adresa->Type != ObjPline) return true;
    TPlineRec* p = AsPline(Adresa);
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    bool open;
    if (n <= 1)
        open = true;
    else if (n == 2 && std::fabs(seg[0].Alfa + seg[1].Alfa) < CoordTol)
        open = true;
    else
        open = Dist(p->S, seg[n - 1].E) > CoordTol;
    if (open)
        p->PlineFlags &= uint8_t(~PlineClosed);
    else
        p->PlineFlags |= PlineClosed;
    return open;
}

// ---- self-crossing ----
//
// Candidate pairs come from a sweep: every segment is projected onto an axis u and
// onto the perpendicular v; pairs whose u-intervals overlap are met in one pass over
// the intervals sorted by their start, and kept when their v-intervals overlap too.
// The sweep costs n log n plus the number of u-overlaps, so u is chosen to make that
// small: x, y, or the normal of the dominant segment direction (the rows of a meander
// or a comb, at whatever angle they run, then project to nearly points).

namespace {

// Below this many segments every pair is tried; the sweep pays off only above.
constexpr int32_t BruteForceSegs = 24;
// Polylines of up to this many segments are not kept in the memo of the direction
// search.
constexpr int32_t MemoMinSegs = 8;
// Intervals are widened so that segments the exact routines call touching (within
// the tolerance) are always candidates.
constexpr double Margin = 4 * double(CoordTol);

struct TAxis {
    double ux, uy;  // unit vector u; v = (-uy, ux)
};

struct TSpan {
    double u1, u2, v1, v2;
};

// Points that bound segment i: its ends, plus the corners of its box for an arc.
int BoundPts(const Osy& S, const Osy& E, Extended Alfa, double (&P)[4][2]) {
    if (std::fabs(Alfa) <= CoordTol) {
        P[0][0] = double(S.x), P[0][1] = double(S.y);
        P[1][0] = double(E.x), P[1][1] = double(E.y);
        return 2;
    }
    // The sagitta box holds the arc as the exact envelope does, without the arc's
    // centre (long double sines); the sweep only needs bounds.
    const TIdxBox b = offs::fast::SegBox(S, E, Alfa);
    const double c[4][2] = {{b.x1, b.y1}, {b.x2, b.y1}, {b.x2, b.y2}, {b.x1, b.y2}};
    for (int k = 0; k < 4; ++k) P[k][0] = c[k][0], P[k][1] = c[k][1];
    return 4;
}

void Project(const std::vector<std::array<double, 8>>& Pts, const std::vector<int>& Cnt, const TAxis& A,
             std::vector<TSpan>& Out) {
    Out.resize(Pts.size());
    for (size_t i = 0; i < Pts.size(); ++i) {
        TSpan s{1e300, -1e300, 1e300, -1e300};
        for (int k = 0; k < Cnt[i]; ++k) {
            const double x = Pts[i][2 * k], y = Pts[i][2 * k + 1];
            const double u = x * A.ux + y * A.uy, v = -x * A.uy + y * A.ux;
            s.u1 = std::min(s.u1, u), s.u2 = std::max(s.u2, u);
            s.v1 = std::min(s.v1, v), s.v2 = std::max(s.v2, v);
        }
        Out[i] = {s.u1 - Margin, s.u2 + Margin, s.v1 - Margin, s.v2 + Margin};
    }
}

// Working storage of the search, kept from call to call: it runs for every contour of
// every offset, and fresh vectors each time cost more than a sweep over a short one.
struct TScratch {
    std::vector<std::pair<double, int32_t>> Keyed;
    std::vector<double> Starts;
    std::vector<TIdxBox> Boxes;
    std::vector<std::array<double, 8>> Pts;
    std::vector<int> Cnt;
    std::vector<TSpan> Spans, Trial;
    std::vector<int32_t> Order, TrialOrder;
};

TScratch& Scratch() {
    static thread_local TScratch S;
    return S;
}

// Sorted order by u1 and the number of pairs the sweep would visit (stops counting
// beyond Limit).
uint64_t SweepCost(const std::vector<TSpan>& Sp, std::vector<int32_t>& Order, uint64_t Limit) {
    // Sorted as (start, index) pairs side by side: no indirection in the comparisons.
    std::vector<std::pair<double, int32_t>>& keyed = Scratch().Keyed;
    keyed.resize(Sp.size());
    for (size_t i = 0; i < Sp.size(); ++i) keyed[i] = {Sp[i].u1, int32_t(i)};
    std::sort(keyed.begin(), keyed.end());
    Order.resize(Sp.size());
    std::vector<double>& starts = Scratch().Starts;
    starts.resize(Sp.size());
    for (size_t p = 0; p < keyed.size(); ++p) starts[p] = keyed[p].first, Order[p] = keyed[p].second;
    uint64_t cost = 0;
    for (size_t p = 0; p < Order.size() && cost <= Limit; ++p) {
        auto last = std::upper_bound(starts.begin() + long(p) + 1, starts.end(), Sp[size_t(Order[p])].u2);
        cost += uint64_t(last - (starts.begin() + long(p) + 1));
    }
    return cost;
}

// The direction (mod pi) that carries the most segment length, taken exactly from
// the longest segment in the heaviest of 180 bins.
double DominantDir(const TObjHeader* Adresa) {
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    std::array<double, 180> weight{};
    std::array<double, 180> longest{}, angle{};
    Osy s = AsPline(Adresa)->S;
    for (int32_t i = 0; i < n; ++i) {
        const double dx = double(seg[i].E.x - s.x), dy = double(seg[i].E.y - s.y);
        const double len = std::hypot(dx, dy);
        double a = std::atan2(dy, dx);
        if (a < 0) a += M_PI;
        if (a >= M_PI) a -= M_PI;
        const size_t b = std::min<size_t>(179, size_t(a / M_PI * 180));
        weight[b] += len;
        if (len > longest[b]) longest[b] = len, angle[b] = a;
        s = seg[i].E;
    }
    size_t best = 0;
    for (size_t b = 1; b < 180; ++b)
        if (weight[b] > weight[best]) best = b;
    return angle[best];
}

// The search behind SelfCross; AnyPair stops at the first crossing found instead of
// looking for the first in walking order.
int32_t SelfCrossSearch(const TObjHeader* Adresa, TSelfCross& Res, bool AnyPair) {
    Res = TSelfCross{};
    if (!Adresa || Adresa->Type != ObjPline) return 0;
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    const Osy S0 = AsPline(Adresa)->S;
    if (n <= 1) return 0;
    if (n == 2 && SamePt(seg[1].E, S0)) return 0;
    const bool lastEndsAtStart = SamePt(seg[n - 1].E, S0);
    auto start = [&](int32_t i) { return i == 0 ? S0 : seg[i - 1].E; };

    // Tries pair i < j; keeps it when it crosses and comes before the best so far.
    TScratch& sc = Scratch();
    std::vector<TIdxBox>& boxes = sc.Boxes;  // of every segment when all pairs are tried
    boxes.clear();
    auto tryPair = [&](int32_t i, int32_t j) {
        if (Res.Count && (i > Res.I || (i == Res.I && j >= Res.J))) return;
        // Cheap tests first: pairs that surely meet nowhere (neighbours: nowhere but
        // at their common vertex) need no exact routine.
        if (j == i + 1) {
            if (!offs::fast::NeighboursMayMeet(start(i), seg[i].E, seg[i].Alfa, seg[j].E, seg[j].Alfa) ||
                offs::fast::ArcsTouch(start(i), seg[i].E, seg[i].Alfa, start(j), seg[j].E, seg[j].Alfa))
                return;
        } else if (i == 0 && j == n - 1 && lastEndsAtStart) {
            if (!offs::fast::NeighboursMayMeet(start(j), S0, seg[j].Alfa, seg[i].E, seg[i].Alfa) ||
                offs::fast::ArcsTouch(start(i), seg[i].E, seg[i].Alfa, start(j), seg[j].E, seg[j].Alfa))
                return;
        } else if ((!boxes.empty() && !boxes[size_t(i)].Meets(boxes[size_t(j)])) ||
                   !offs::fast::MayCross(start(i), seg[i].E, seg[i].Alfa, start(j), seg[j].E, seg[j].Alfa)) {
            return;
        }
        Osy X1, X2;
        int32_t c = int32_t(offs::fast::SegSeg(start(i), seg[i].E, start(j), seg[j].E, seg[i].Alfa, seg[j].Alfa, X1, X2));
        if (c == 1 && (j == i + 1 || (i == 0 && j == n - 1 && lastEndsAtStart))) c = 0;
        if (c) Res = {c, i, j, X1, X2};
    };

    if (n <= BruteForceSegs) {
        boxes.resize(size_t(n));
        for (int32_t i = 0; i < n; ++i) boxes[size_t(i)] = offs::fast::SegBox(start(i), seg[i].E, seg[i].Alfa);
        for (int32_t i = 0; i < n && !Res.Count; ++i)
            for (int32_t j = i + 1; j < n && !Res.Count; ++j) tryPair(i, j);
        return Res.Count;
    }

    std::vector<std::array<double, 8>>& pts = sc.Pts;
    std::vector<int>& cnt = sc.Cnt;
    pts.resize(size_t(n));
    cnt.resize(size_t(n));
    for (int32_t i = 0; i < n; ++i) {
        double p[4][2];
        cnt[size_t(i)] = BoundPts(start(i), seg[i].E, seg[i].Alfa, p);
        for (int k = 0; k < cnt[size_t(i)]; ++k) pts[size_t(i)][2 * k] = p[k][0], pts[size_t(i)][2 * k + 1] = p[k][1];
    }
    std::vector<TSpan>& spans = sc.Spans;
    std::vector<TSpan>& trial = sc.Trial;
    std::vector<int32_t>& order = sc.Order;
    std::vector<int32_t>& trialOrder = sc.TrialOrder;
    uint64_t best = UINT64_MAX;
    for (int k = 0; k < 3; ++k) {
        // The dominant direction only when x and y both leave many pairs.
        double d = 0;
        if (k == 2) d = DominantDir(Adresa);
        const TAxis a = k == 0 ? TAxis{1, 0} : k == 1 ? TAxis{0, 1} : TAxis{-std::sin(d), std::cos(d)};
        Project(pts, cnt, a, trial);
        const uint64_t cost = SweepCost(trial, trialOrder, best);
        if (cost < best) {
            best = cost;
            spans.swap(trial);
            order.swap(trialOrder);
        }
        // A few pairs per segment: no other axis could save more than its own sort.
        if (best <= 4 * uint64_t(n)) break;
    }

    for (size_t p = 0; p < order.size(); ++p) {
        const TSpan& a = spans[size_t(order[p])];
        for (size_t q = p + 1; q < order.size(); ++q) {
            const TSpan& b = spans[size_t(order[q])];
            if (b.u1 > a.u2) break;
            if (b.v1 > a.v2 || a.v1 > b.v2) continue;
            tryPair(std::min(order[p], order[q]), std::max(order[p], order[q]));
            if (AnyPair && Res.Count) return Res.Count;
        }
    }
    return Res.Count;
}

}  // namespace

int32_t TEnPline::SelfCross(const TObjHeader* Adresa, TSelfCross& Res) {
    return SelfCrossSearch(Adresa, Res, false);
}

// ---- direction ----

namespace {

// A turn brought into [-pi, pi] by at most one wrap.
Extended WrapTurn(Extended t) {
    if (t > GeomPi)
        t -= Geom2Pi;
    else if (t < -GeomPi)
        t += Geom2Pi;
    return t;
}

// Direction of P1->P2 in [0, 2pi) as Angle gives it, from the double arc tangent: the
// turn sum only decides a sign, far coarser than the last digits of an angle.
Extended ChordAngle(const Osy& P1, const Osy& P2) {
    const Extended dx = P2.x - P1.x, dy = P2.y - P1.y;
    if (std::fabs(dx) <= CoordTol && std::fabs(dy) <= CoordTol) return 0;
    Extended a = std::atan2(double(dy), double(dx));
    if (a < 0) a += Geom2Pi;
    return a;
}

// Total turning of the closed path: each segment's own angle plus the turns at its
// vertices, the closing one included. WithArcs false takes every arc as its chord.
// Ambiguous reports a turn of +-pi (the path doubles back there).
Extended TurnSum(const TObjHeader* Adresa, bool WithArcs, bool& Ambiguous) {
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    Extended sum = 0, firstStartTan = 0, prevEndTan = 0;
    Ambiguous = false;
    auto addTurn = [&](Extended turn) {
        turn = WrapTurn(turn);
        if (std::fabs(turn - GeomPi) <= CoordTol || std::fabs(turn + GeomPi) <= CoordTol) Ambiguous = true;
        sum += turn;
    };
    Osy s = AsPline(Adresa)->S;
    for (int32_t k = 0; k < n; ++k) {
        const Extended a = WithArcs ? seg[k].Alfa : 0;
        const Extended t = ChordAngle(s, seg[k].E);
        const Extended startTan = NormAngleOf(t - a / 2);
        const Extended endTan = NormAngleOf(t + a / 2);
        if (k == 0)
            firstStartTan = startTan;
        else
            addTurn(startTan - prevEndTan);
        sum += a;
        prevEndTan = endTan;
        s = seg[k].E;
    }
    addTurn(firstStartTan - prevEndTan);
    return sum;
}

}  // namespace

bool TEnPline::FindDir(TObjHeader* Adresa) {
    if (!Adresa || Adresa->Type != ObjPline || PlineSegCount(Adresa) == 0) return false;
    if (OpenPline(Adresa)) return false;
    TPlineRec* p = AsPline(Adresa);
    pline::TDirFound found;
    // A short polyline is searched again: that costs less than hashing and comparing
    // it, and keeping it would only push the long ones, which pay, out of the memo.
    const bool memo = PlineSegCount(Adresa) > MemoMinSegs;
    if (!memo || !pline::RecallDir(Adresa, found)) {
        TSelfCross cross;
        found.Cross = SelfCrossSearch(Adresa, cross, true) > 0;
        if (!found.Cross) {
            bool ambiguous;
            Extended sum = TurnSum(Adresa, true, ambiguous);
            if (ambiguous) sum = TurnSum(Adresa, false, ambiguous);
            found.CW = sum < 0;
        }
        if (memo) pline::RememberDir(Adresa, found);
    }
    if (found.Cross) {
        p->PlineFlags = PlineSelfCross;
        return false;
    }
    if (found.CW)
        p->PlineFlags |= PlineCW;
    else
        p->PlineFlags &= uint8_t(~PlineCW);
    return found.CW;
}
