// Polyline queries that maintain PlineFlags: the closed bit (OpenPline), the direction
// bit and the self-crossing mark (FindDir), and the self-crossing search they rest on.
#include <cmath>
#include <vector>

#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPlineIndex.h"

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

namespace {

// Below this many segments every pair is tried; the index pays off only above.
constexpr int32_t BruteForceSegs = 24;
// Boxes are widened so that segments the exact routines call touching (within the
// tolerance) are always candidates.
constexpr double BoxMargin = 4 * double(CoordTol);

TIdxBox SegBox(const Osy& S, const Osy& E, Extended Alfa) {
    Osy mn, mx;
    if (std::fabs(Alfa) > CoordTol) {
        ArcEnvelope(S, E, Alfa, mn, mx);
    } else {
        mn = {std::fmin(S.x, E.x), std::fmin(S.y, E.y)};
        mx = {std::fmax(S.x, E.x), std::fmax(S.y, E.y)};
    }
    return {double(mn.x) - BoxMargin, double(mn.y) - BoxMargin, double(mx.x) + BoxMargin,
            double(mx.y) + BoxMargin};
}

}  // namespace

int32_t TEnPline::SelfCross(const TObjHeader* Adresa, TSelfCross& Res) {
    Res = TSelfCross{};
    if (!Adresa || Adresa->Type != ObjPline) return 0;
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    const Osy S0 = AsPline(Adresa)->S;
    if (n <= 1) return 0;
    if (n == 2 && SamePt(seg[1].E, S0)) return 0;
    const bool lastEndsAtStart = SamePt(seg[n - 1].E, S0);
    auto start = [&](int32_t i) { return i == 0 ? S0 : seg[i - 1].E; };

    // The meeting count of i and j, 0 when it does not count as a crossing.
    auto meet = [&](int32_t i, int32_t j, Osy& X1, Osy& X2) -> int32_t {
        int32_t c = int32_t(IntersSegSeg(start(i), seg[i].E, start(j), seg[j].E, seg[i].Alfa, seg[j].Alfa, X1, X2));
        if (c == 1 && (j == i + 1 || (i == 0 && j == n - 1 && lastEndsAtStart))) return 0;
        return c;
    };
    auto found = [&](int32_t i, int32_t j, int32_t c, const Osy& X1, const Osy& X2) {
        Res.Count = c;
        Res.I = i;
        Res.J = j;
        Res.X1 = X1;
        Res.X2 = X2;
        return c;
    };

    Osy X1, X2;
    if (n <= BruteForceSegs) {
        for (int32_t i = 0; i < n; ++i)
            for (int32_t j = i + 1; j < n; ++j)
                if (int32_t c = meet(i, j, X1, X2)) return found(i, j, c, X1, X2);
        return 0;
    }

    std::vector<TIdxBox> boxes(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) boxes[size_t(i)] = SegBox(start(i), seg[i].E, seg[i].Alfa);
    TSegBoxIndex index;
    index.Build(boxes);
    std::vector<int32_t> cand;
    for (int32_t i = 0; i < n; ++i) {
        cand.clear();
        index.QuerySorted(boxes[size_t(i)], cand);
        for (int32_t j : cand)
            if (j > i)
                if (int32_t c = meet(i, j, X1, X2)) return found(i, j, c, X1, X2);
    }
    return 0;
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
        const Extended t = Angle(s, seg[k].E);
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
    TSelfCross cross;
    if (SelfCross(Adresa, cross) > 0) {
        p->PlineFlags = PlineSelfCross;
        return false;
    }
    bool ambiguous;
    Extended sum = TurnSum(Adresa, true, ambiguous);
    if (ambiguous) sum = TurnSum(Adresa, false, ambiguous);
    if (sum < 0)
        p->PlineFlags |= PlineCW;
    else
        p->PlineFlags &= uint8_t(~PlineCW);
    return (p->PlineFlags & PlineCW) != 0;
}
