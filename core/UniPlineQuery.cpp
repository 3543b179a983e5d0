// Polyline queries: box, lengths, halfway point, crossing of two polylines, circle
// test, path positions, distance and side of a point, insideness.
#include <cmath>
#include <vector>

#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPlineIndex.h"
#include "core/UniPlineUtil.h"

using pline::IsLine;
using pline::SegLength;
using pline::WrapPi;

void TEnPline::Envelope(const TObjHeader* Adresa, Osy& Min, Osy& Max) {
    if (!Adresa) return;
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    Osy s = AsPline(Adresa)->S;
    Min = Max = s;
    auto widen = [&](const Osy& p) {
        if (p.x < Min.x) Min.x = p.x;
        if (p.y < Min.y) Min.y = p.y;
        if (p.x > Max.x) Max.x = p.x;
        if (p.y > Max.y) Max.y = p.y;
    };
    for (int32_t i = 0; i < n; ++i) {
        if (IsLine(seg[i].Alfa)) {
            widen(seg[i].E);
        } else {
            Osy a, b;
            ArcEnvelope(s, seg[i].E, seg[i].Alfa, a, b);
            widen(a);
            widen(b);
        }
        s = seg[i].E;
    }
}

namespace {
// The length of the first K segments, summed in walking order.
Extended LengthOfFirst(const TObjHeader* Adresa, int32_t K) {
    const TPlineSeg* seg = PlineSegs(Adresa);
    Extended sum = 0;
    Osy s = AsPline(Adresa)->S;
    for (int32_t i = 0; i < K; ++i) {
        sum += SegLength(s, seg[i].E, seg[i].Alfa);
        s = seg[i].E;
    }
    return sum;
}
}  // namespace

Extended TEnPline::Length(const TObjHeader* Adresa) {
    return Adresa ? LengthOfFirst(Adresa, PlineSegCount(Adresa)) : 0;
}

Extended TEnPline::FirstLength(const TObjHeader* Adresa) {
    if (!Adresa || PlineSegCount(Adresa) == 0) return 0;
    const TPlineSeg* seg = PlineSegs(Adresa);
    return SegLength(AsPline(Adresa)->S, seg[0].E, seg[0].Alfa);
}

Osy TEnPline::HalfPoint(const TObjHeader* Adresa) {
    if (!Adresa) return {};
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    const Extended half = Length(Adresa) / 2;
    Extended acc = 0, L = 0;
    int32_t i = 0;
    Osy s = AsPline(Adresa)->S, walkedS = s;
    for (; i < n && acc < half; ++i) {
        L = SegLength(s, seg[i].E, seg[i].Alfa);
        acc += L;
        walkedS = s;
        s = seg[i].E;
    }
    if (i == 0) return AsPline(Adresa)->S;  // nothing to walk: a path of length 0
    const TPlineSeg& last = seg[i - 1];
    if (std::fabs(half - acc) <= CoordTol || L <= 0) return last.E;
    const Extended over = acc - half;
    if (IsLine(last.Alfa))
        return {last.E.x - (over / L) * (last.E.x - walkedS.x), last.E.y - (over / L) * (last.E.y - walkedS.y)};
    Osy C;
    Extended R;
    ArcCenter(walkedS, last.E, last.Alfa, C, R);
    const Extended a = ArcEndAngle(walkedS, last.E, last.Alfa) - (over / L) * last.Alfa;
    return {C.x + R * std::cos(a), C.y + R * std::sin(a)};
}

bool TEnPline::CrossTest(const TObjHeader* Adresa1, const TObjHeader* Adresa2, Osy& Cross) {
    if (!Adresa1 || !Adresa2) return false;
    const int32_t n1 = PlineSegCount(Adresa1), n2 = PlineSegCount(Adresa2);
    const TPlineSeg* s1 = PlineSegs(Adresa1);
    const TPlineSeg* s2 = PlineSegs(Adresa2);
    auto meet = [&](int32_t i, int32_t j) {
        Osy X1, X2;
        if (IntersSegSeg(PlineSegStart(Adresa1, i), s1[i].E, PlineSegStart(Adresa2, j), s2[j].E, s1[i].Alfa,
                         s2[j].Alfa, X1, X2) >= 1) {
            Cross = X1;
            return true;
        }
        return false;
    };
    // Small pairs: every pair in order. Larger: the second polyline's segments in a box
    // index, candidates tried in segment order, which finds the same first pair.
    if (int64_t(n1) * n2 <= 1024) {
        for (int32_t i = 0; i < n1; ++i)
            for (int32_t j = 0; j < n2; ++j)
                if (meet(i, j)) return true;
        return false;
    }
    std::vector<TIdxBox> boxes(static_cast<size_t>(n2));
    for (int32_t j = 0; j < n2; ++j) boxes[size_t(j)] = pline::SegBox(PlineSegStart(Adresa2, j), s2[j].E, s2[j].Alfa);
    TSegBoxIndex index;
    index.Build(std::move(boxes));
    std::vector<int32_t> cand;
    for (int32_t i = 0; i < n1; ++i) {
        cand.clear();
        index.QuerySorted(pline::SegBox(PlineSegStart(Adresa1, i), s1[i].E, s1[i].Alfa), cand);
        for (int32_t j : cand)
            if (meet(i, j)) return true;
    }
    return false;
}

bool TEnPline::IsCircle(const TObjHeader* Adresa, Osy& C, Extended& R) {
    R = 0;
    C = {0, 0};
    if (!Adresa || Adresa->Type != ObjPline || !(AsPline(Adresa)->PlineFlags & PlineClosed)) return false;
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    if (n == 0 || IsLine(seg[0].Alfa)) return false;
    ArcCenter(AsPline(Adresa)->S, seg[0].E, seg[0].Alfa, C, R);
    Extended sum = seg[0].Alfa;
    for (int32_t i = 1; i < n; ++i) {
        if (IsLine(seg[i].Alfa)) return false;
        Osy c;
        Extended r;
        ArcCenter(seg[i - 1].E, seg[i].E, seg[i].Alfa, c, r);
        if (std::fabs(r - R) > CoordTol || !SamePt(c, C)) return false;
        sum += seg[i].Alfa;
    }
    return std::fabs(std::fabs(sum) - Geom2Pi) <= CoordTol;
}

Extended TEnPline::DistOnPline(const TObjHeader* Adresa, int32_t AdrPt, const Osy& Pt) {
    if (!Adresa) return 0;
    const int32_t n = PlineSegCount(Adresa);
    if (AdrPt < 0 || AdrPt >= n) return 0;
    const TPlineSeg& seg = PlineSegs(Adresa)[AdrPt];
    return LengthOfFirst(Adresa, AdrPt) + pline::PartLength(PlineSegStart(Adresa, AdrPt), seg.E, seg.Alfa, Pt);
}

Extended TEnPline::DistPoint(const TObjHeader* Adresa, const Osy& Pt, int32_t& AdrSect) {
    AdrSect = 0;
    if (!Adresa) return 1e6L;
    const int32_t n = PlineSegCount(Adresa);
    const TPlineSeg* seg = PlineSegs(Adresa);
    const bool closed = (AsPline(Adresa)->PlineFlags & PlineClosed) != 0;
    Osy s = AsPline(Adresa)->S;
    Extended best = closed ? 1e6L : Dist(Pt, s);
    Extended bestSum = 1e6L;
    // A segment that lies clearly farther away than the best one so far can neither
    // win nor tie; it is passed over without the exact (trigonometric) distance.
    constexpr Extended Margin = 10 * CoordTol;
    for (int32_t i = 0; i < n; ++i) {
        const Osy& e = seg[i].E;
        const Extended lim = best + Margin;
        if (IsLine(seg[i].Alfa)) {
            const Extended dx = std::fmax(std::fmax(std::fmin(s.x, e.x) - Pt.x, Pt.x - std::fmax(s.x, e.x)), 0);
            const Extended dy = std::fmax(std::fmax(std::fmin(s.y, e.y) - Pt.y, Pt.y - std::fmax(s.y, e.y)), 0);
            if (dx > lim || dy > lim || dx * dx + dy * dy > lim * lim) {
                s = e;
                continue;
            }
        } else if (Dist(Pt, s) - SegLength(s, e, seg[i].Alfa) > lim) {  // the arc stays within its length of s
            s = e;
            continue;
        }
        Osy F;
        Extended D;
        bool on = pline::PerpFootSeg(Pt, s, e, seg[i].Alfa, F, D);
        const Extended cand = on ? D : Dist(Pt, e);
        const Extended q = Dist(Pt, s) + Dist(Pt, e);
        bool take = std::fabs(cand - best) <= CoordTol ? q < bestSum : cand < best;
        if (take) {
            best = cand;
            AdrSect = i;
            bestSum = q;
        }
        s = e;
    }
    return best;
}

bool TEnPline::PointRight(const TObjHeader* Adresa, const Osy& Pt) {
    const int32_t n = Adresa ? PlineSegCount(Adresa) : 0;
    if (n == 0) return false;
    const TPlineSeg* seg = PlineSegs(Adresa);
    int32_t k;
    DistPoint(Adresa, Pt, k);
    const Osy S = PlineSegStart(Adresa, k), E = seg[k].E;
    const Extended alfa = seg[k].Alfa;
    Osy F;
    Extended D;
    if (IsLine(alfa)) {
        if (PerpFootLine(Pt, S, E, F, D)) return WrapPi(Angle(S, Pt) - Angle(S, E)) < 0;
    } else if (PerpFootArc(Pt, S, E, alfa, F, D)) {
        Osy C;
        Extended r;
        ArcCenter(S, E, alfa, C, r);
        const Extended m = Dist(C, Pt);
        return alfa > 0 ? m > r : m <= r;
    }
    // Off the vertex E: the bend there decides.
    const int32_t k2 = k + 1 < n ? k + 1 : 0;
    const Osy E2 = seg[k2].E;
    const Extended endTan = NormAngleOf(Angle(S, E) + alfa / 2);
    const Extended startTan = NormAngleOf(Angle(E, E2) - seg[k2].Alfa / 2);
    return WrapPi(startTan - endTan) > -CoordTol;
}

bool TEnPline::PointInside(TObjHeader* Adresa, const Osy& Pt) {
    if (!Adresa || Adresa->Type != ObjPline || OpenPline(Adresa)) return false;
    Osy mn, mx;
    Envelope(Adresa, mn, mx);
    if (Pt.x < mn.x || Pt.x > mx.x || Pt.y < mn.y || Pt.y > mx.y) return false;
    const bool right = PointRight(Adresa, Pt);
    return (AsPline(Adresa)->PlineFlags & PlineCW) ? right : !right;
}

bool TEnPline::PlineInside(const TObjHeader* Adresa, TObjHeader* CloseLimPline) {
    if (!Adresa || !CloseLimPline || Adresa == CloseLimPline || OpenPline(CloseLimPline)) return false;
    if (PlineSegCount(Adresa) == 0) return false;
    Osy M;
    const TPlineSeg* seg = PlineSegs(Adresa);
    SegMidPt(AsPline(Adresa)->S, seg[0].E, seg[0].Alfa, M);
    return PointInside(CloseLimPline, M);
}
