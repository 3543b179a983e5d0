// Segment geometry for inner loops (the offsets, the self-crossing search) without
// the extended-precision trigonometry of the general routines: centres, turned points and swept angles come
// from chord vectors, cross and dot products; the few angles left are taken in double,
// whose error (1e-16 of a turn) moves no point by more than 1e-12 mm on any drawing.
// The results agree with the general routines within that, far below the coordinate
// tolerance.
#pragma once
#include <cmath>
#include <utility>

#include "core/Types.h"
#include "core/UniGeom.h"
#include "core/UniPlineIndex.h"

namespace offs::fast {

inline bool IsLine(Extended Alfa) { return std::fabs(Alfa) <= CoordTol; }

inline Extended Cross(const Osy& U, const Osy& V) { return U.x * V.y - U.y * V.x; }
inline Extended Dot(const Osy& U, const Osy& V) { return U.x * V.x + U.y * V.y; }
inline Osy Sub(const Osy& A, const Osy& B) { return {A.x - B.x, A.y - B.y}; }
inline Extended Len(const Osy& U) { return std::sqrt(U.x * U.x + U.y * U.y); }

// The signed angle turning direction U to direction V, in -pi..pi.
inline Extended Turn(const Osy& U, const Osy& V) { return Extended(std::atan2(double(Cross(U, V)), double(Dot(U, V)))); }

// Centre and radius of the arc S->E of included angle Alfa (|Alfa| > 0): the centre
// lies on the chord's normal, to the left for a counter-clockwise arc.
inline void ArcCentre(const Osy& S, const Osy& E, Extended Alfa, Osy& C, Extended& R) {
    const double h = std::fabs(double(Alfa)) / 2;
    const Extended sh = std::sin(h), ch = std::cos(h);
    const Osy d = Sub(E, S);
    R = Len(d) / (2 * sh);
    const Extended k = (Alfa > 0 ? ch : -ch) / (2 * sh);
    C = {(S.x + E.x) / 2 - d.y * k, (S.y + E.y) / 2 + d.x * k};
}

// P turned about C by the angle A.
inline Osy Rotate(const Osy& P, const Osy& C, Extended A) {
    const Extended c = std::cos(double(A)), s = std::sin(double(A));
    const Osy u = Sub(P, C);
    return {C.x + u.x * c - u.y * s, C.y + u.x * s + u.y * c};
}

// Middle point of a line or an arc: the chord's middle moved by the sagitta.
inline Osy MidPt(const Osy& S, const Osy& E, Extended Alfa) {
    const Osy m{(S.x + E.x) / 2, (S.y + E.y) / 2};
    if (IsLine(Alfa)) return m;
    if (std::fabs(Alfa) > 3) {  // nearly a full turn: the sagitta's tangent grows without bound
        Osy C;
        Extended R;
        ArcCentre(S, E, Alfa, C, R);
        return Rotate(S, C, Alfa / 2);
    }
    const Extended t = std::tan(double(Alfa) / 4) / 2;
    return {m.x + (E.y - S.y) * t, m.y - (E.x - S.x) * t};
}

// Distance from P to the segment (its nearest point, ends included).
inline Extended SegDist(const Osy& P, const Osy& S, const Osy& E, Extended Alfa) {
    if (IsLine(Alfa)) {
        const Osy d = Sub(E, S), u = Sub(P, S);
        const Extended l2 = Dot(d, d);
        Extended t = l2 > 0 ? Dot(u, d) / l2 : 0;
        t = t < 0 ? 0 : (t > 1 ? 1 : t);
        return Len({u.x - d.x * t, u.y - d.y * t});
    }
    Osy C;
    Extended R;
    ArcCentre(S, E, Alfa, C, R);
    const Osy u = Sub(P, C);
    // The swept angle from S to P's direction, in the arc's sense.
    Extended w = Turn(Sub(S, C), u);
    if (Alfa > 0 && w < 0) w += Geom2Pi;
    if (Alfa < 0 && w > 0) w -= Geom2Pi;
    if (std::fabs(w) <= std::fabs(Alfa)) return std::fabs(Len(u) - R);
    return std::fmin(Len(Sub(P, S)), Len(Sub(P, E)));
}

// A box holding the segment, widened as pline::SegBox is: the chord's box grown by
// the sagitta (an arc up to a half turn stays within it), or the circle's box.
inline TIdxBox SegBox(const Osy& S, const Osy& E, Extended Alfa) {
    double x1 = double(S.x < E.x ? S.x : E.x), y1 = double(S.y < E.y ? S.y : E.y);
    double x2 = double(S.x < E.x ? E.x : S.x), y2 = double(S.y < E.y ? E.y : S.y);
    if (!IsLine(Alfa)) {
        const double a = std::fabs(double(Alfa));
        if (a <= double(GeomPi)) {
            const double g = double(Len(Sub(E, S))) / 2 * std::tan(a / 4);
            x1 -= g, y1 -= g, x2 += g, y2 += g;
        } else {
            Osy C;
            Extended R;
            ArcCentre(S, E, Alfa, C, R);
            x1 = double(C.x - R), y1 = double(C.y - R), x2 = double(C.x + R), y2 = double(C.y + R);
        }
    }
    auto lo = [](double v) { return v - 10 * double(CoordTol) - std::fabs(v) * 1e-15; };
    auto hi = [](double v) { return v + 10 * double(CoordTol) + std::fabs(v) * 1e-15; };
    return {lo(x1), lo(y1), hi(x2), hi(y2)};
}

// False only when the two segments surely have no common point, not even within the
// tolerances of the exact intersection routines: their lines or circles stay apart
// by more than a margin. Cheap enough to ask before every exact test.
inline bool MayCross(const Osy& S1, const Osy& E1, Extended A1, const Osy& S2, const Osy& E2, Extended A2) {
    constexpr Extended Margin = 100 * CoordTol;
    const bool l1 = IsLine(A1), l2 = IsLine(A2);
    // Both ends of segment P-Q beyond the line S-E on one side.
    auto beside = [](const Osy& S, const Osy& E, const Osy& P, const Osy& Q) {
        const Osy d = Sub(E, S);
        const Extended l = Len(d);
        if (!(l > Margin)) return false;
        const Extended p = Cross(d, Sub(P, S)) / l, q = Cross(d, Sub(Q, S)) / l;
        return (p > Margin && q > Margin) || (p < -Margin && q < -Margin);
    };
    // Line P-Q against the circle (C, R): wholly outside or wholly inside it.
    auto offCircle = [](const Osy& P, const Osy& Q, const Osy& C, Extended R) {
        const Osy d = Sub(Q, P), u = Sub(C, P);
        const Extended l2 = Dot(d, d);
        Extended t = l2 > 0 ? Dot(u, d) / l2 : 0;
        t = t < 0 ? 0 : (t > 1 ? 1 : t);
        if (Len({u.x - d.x * t, u.y - d.y * t}) > R + Margin) return true;
        return Len(Sub(P, C)) < R - Margin && Len(Sub(Q, C)) < R - Margin;
    };
    if (l1 && l2) return !beside(S1, E1, S2, E2) && !beside(S2, E2, S1, E1);
    Osy C1, C2;
    Extended R1 = 0, R2 = 0;
    if (!l1) ArcCentre(S1, E1, A1, C1, R1);
    if (!l2) ArcCentre(S2, E2, A2, C2, R2);
    if (l1) return !offCircle(S1, E1, C2, R2);
    if (l2) return !offCircle(S2, E2, C1, R1);
    const Extended d = Len(Sub(C2, C1));
    return d <= R1 + R2 + Margin && d >= std::fabs(R1 - R2) - Margin;
}

// For two neighbours S1-V (A1) and V-E2 (A2) sharing V: false only when they surely
// meet nowhere but at V. A line or circle through V meets the other circle once more,
// at a point found without the exact routines; when that point lies clearly off one
// of the two segments, and not so near V that the tolerances could take it for a
// second meeting, there is none.
inline bool NeighboursMayMeet(const Osy& S1, const Osy& V, Extended A1, const Osy& E2, Extended A2) {
    // A second point within Touch of V is V itself to the exact routines (a tangent
    // joint); up to Near they may see two points.
    constexpr Extended Touch = 1e-8L, Near = 1e-3L, Margin = 1e-4L;
    const bool l1 = IsLine(A1), l2 = IsLine(A2);
    if (l1 && l2) {  // only when the path turns straight back
        const Osy a = Sub(V, S1), b = Sub(E2, V);
        return !(Dot(a, b) > 0 || std::fabs(Cross(a, b)) > 1e-3L * Len(a) * Len(b));
    }
    // Whether X lies on the arc from S of angle A about C, radius R (within the margin,
    // angles from the centre).
    auto onArc = [](const Osy& X, const Osy& S, Extended A, const Osy& C, Extended R) {
        Extended w = Turn(Sub(S, C), Sub(X, C));
        if (A > 0 && w < 0) w += Geom2Pi;
        if (A < 0 && w > 0) w -= Geom2Pi;
        const Extended m = 1e-5L + Margin / R;
        return std::fabs(w) <= std::fabs(A) + m || Geom2Pi - std::fabs(w) <= m;
    };
    if (l1 || l2) {
        const Osy& P = l1 ? S1 : E2;  // the line's far end
        Osy C;
        Extended R;
        if (l1)
            ArcCentre(V, E2, A2, C, R);
        else
            ArcCentre(S1, V, A1, C, R);
        const Osy d = Sub(P, V);
        const Extended l = Len(d);
        if (!(l > 0)) return true;
        const Osy u{d.x / l, d.y / l};
        const Extended t = -2 * Dot(u, Sub(V, C));  // along the line from V towards P
        if (std::fabs(t) < Touch) return false;
        if (std::fabs(t) < Near) return true;
        if (t < -Margin || t > l + Margin) return false;
        const Osy X{V.x + u.x * t, V.y + u.y * t};
        return l1 ? onArc(X, V, A2, C, R) : onArc(X, S1, A1, C, R);
    }
    Osy C1, C2;
    Extended R1, R2;
    ArcCentre(S1, V, A1, C1, R1);
    ArcCentre(V, E2, A2, C2, R2);
    // V mirrored in the line of the centres.
    const Osy c = Sub(C2, C1);
    const Extended c2 = Dot(c, c);
    if (!(c2 > 0)) return true;  // one circle: an overlap is for the exact routine
    const Osy v = Sub(V, C1);
    const Extended k = Dot(v, c) / c2;
    const Osy foot{C1.x + c.x * k, C1.y + c.y * k};
    const Osy X{2 * foot.x - V.x, 2 * foot.y - V.y};
    const Extended gap = Len(Sub(X, V));
    if (gap < Touch) return false;
    if (gap < Near) return true;
    return onArc(X, S1, A1, C1, R1) && onArc(X, V, A2, C2, R2);
}

// For two arcs S1-E1 (A1) and S2-E2 (A2): true when IntersArcArc surely takes their
// circles for touching (distinct circles whose centre distance is the sum or the
// difference of the radii within half its tolerance), so that it reports one common
// point at most. Neighbours that only touch so meet nowhere but at their joint, however
// far the circles' second crossing lies from it; asked where NeighboursMayMeet must
// leave such a joint (a second crossing near the vertex) to the exact routine.
inline bool ArcsTouch(const Osy& S1, const Osy& E1, Extended A1, const Osy& S2, const Osy& E2, Extended A2) {
    if (IsLine(A1) || IsLine(A2)) return false;
    Osy C1, C2;
    Extended R1, R2;
    ArcCentre(S1, E1, A1, C1, R1);
    ArcCentre(S2, E2, A2, C2, R2);
    const Extended d = Len(Sub(C2, C1)), half = CoordTol / 2;
    if (!(d > 4 * CoordTol)) return false;  // one circle: a common piece is the exact routine's
    return std::fabs(d - R1 - R2) <= half || std::fabs(R1 - R2 - d) <= half || std::fabs(R2 - R1 - d) <= half;
}

// IntersLineLine with the frame of the first segment taken from its unit vector
// instead of angles; the same tolerances and cases (a collinear pair is left to it).
inline unsigned LineLine(const Osy& A1, const Osy& A2, const Osy& B1, const Osy& B2, Osy& X1, Osy& X2) {
    constexpr Extended eps = CoordTol;
    auto lo = [](Extended a, Extended b) { return a < b ? a : b; };
    auto hi = [](Extended a, Extended b) { return a < b ? b : a; };
    if (lo(A1.x, A2.x) - hi(B1.x, B2.x) > eps || lo(B1.x, B2.x) - hi(A1.x, A2.x) > eps ||
        lo(A1.y, A2.y) - hi(B1.y, B2.y) > eps || lo(B1.y, B2.y) - hi(A1.y, A2.y) > eps)
        return 0;
    const Osy a = Sub(A2, A1), rb = Sub(B1, B2);
    const Extended J = Len(a);
    if (!(J > eps) || !(Len(rb) > eps)) return IntersLineLine(A1, A2, B1, B2, X1, X2);
    const Osy v{a.x / J, a.y / J};
    // Joined segments that do not fold back over each other meet only at the joint.
    const auto notFolding = [&] { return std::fabs(Turn(v, rb)) > eps; };
    if (SamePt(A2, B1) && notFolding()) {
        X1 = A2;
        return 1;
    }
    if (SamePt(B2, A1) && notFolding()) {
        X1 = B2;
        return 1;
    }
    const Osy wb = Sub(B1, A1), wd = Sub(B2, A1);
    const Extended ab = Dot(wb, v), sb = Cross(v, wb), ad = Dot(wd, v), sd = Cross(v, wd);
    if ((sb > eps && sd > eps) || (sb < -eps && sd < -eps)) return 0;
    if (std::fabs(sb) <= eps && std::fabs(sd) <= eps) return IntersLineLine(A1, A2, B1, B2, X1, X2);
    Extended q = -sb / (sd - sb);
    q = q < 0 ? 0 : (q > 1 ? 1 : q);
    const Extended t = ab + (ad - ab) * q;
    if (t < -eps || t - J > eps) return 0;
    X1 = {A1.x + v.x * t, A1.y + v.y * t};
    return 1;
}

// Whether X, seen from the centre C, lies on the arc S-E-A within the angular tolerance
// of the exact routines (CoordTol radians past either end).
inline bool OnArcAngle(const Osy& X, const Osy& C, const Osy& S, Extended A) {
    Extended w = Turn(Sub(S, C), Sub(X, C));  // from the start, in the arc's sense
    if (A < 0) w = -w;
    if (w < 0) w += Geom2Pi;
    return w <= std::fabs(A) + CoordTol || Geom2Pi - w <= CoordTol;
}

// IntersArcArc for two circles that cross clearly: the points from the radical line
// instead of angles. Circles that touch within the tolerance, or are one circle, are
// left to it; the same tolerances, count and order otherwise.
inline unsigned ArcArc(const Osy& A1, const Osy& A2, const Osy& B1, const Osy& B2, Extended Alfa1, Extended Alfa2,
                       Osy& X1, Osy& X2) {
    constexpr Extended eps = CoordTol;
    if (!SegBox(A1, A2, Alfa1).Meets(SegBox(B1, B2, Alfa2))) return 0;
    Osy C1, C2;
    Extended R1, R2;
    ArcCentre(A1, A2, Alfa1, C1, R1);
    ArcCentre(B1, B2, Alfa2, C2, R2);
    const Osy c = Sub(C2, C1);
    const Extended d = Len(c);
    if (d - R1 - R2 > eps || R1 - R2 - d > eps || R2 - R1 - d > eps) return 0;
    if ((std::fabs(c.x) < 2 * eps && std::fabs(c.y) < 2 * eps) || std::fabs(d - R1 - R2) <= 2 * eps ||
        std::fabs(std::fabs(R1 - R2) - d) <= 2 * eps)
        return IntersArcArc(A1, A2, B1, B2, Alfa1, Alfa2, X1, X2);
    const Osy u{c.x / d, c.y / d};
    const Extended a = (d * d + R1 * R1 - R2 * R2) / (2 * d);
    const Extended h = std::sqrt(std::fmax(Extended(0), R1 * R1 - a * a));
    const Osy m{C1.x + u.x * a, C1.y + u.y * a};
    // Clockwise of the centre line first, as the angles B - a1, B + a1 give them.
    const Osy cand[2] = {{m.x + u.y * h, m.y - u.x * h}, {m.x - u.y * h, m.y + u.x * h}};
    Osy pts[2];
    unsigned n = 0;
    for (const Osy& X : cand)
        if (OnArcAngle(X, C1, A1, Alfa1) && OnArcAngle(X, C2, B1, Alfa2)) pts[n++] = X;
    if (n >= 1) X1 = pts[0];
    if (n == 2) {
        X2 = pts[1];
        if (SamePt(X1, X2)) return 1;
        if (Dist(A1, X2) < Dist(A1, X1)) std::swap(X1, X2);
    }
    return n;
}

// The line L1-L2 against the arc A1-A2-Alfa as IntersLineArc (ArcOrder false: points
// ordered from L1) or IntersArcLine (true: ordered along the arc) find it, the frame of
// the line taken from its unit vector. Segments joined end to start, a line that
// touches the circle within the tolerance, and a line shorter than it are left to
// those routines.
inline unsigned LineArcFast(const Osy& L1, const Osy& L2, const Osy& A1, const Osy& A2, Extended Alfa, Osy& X1,
                            Osy& X2, bool ArcOrder) {
    constexpr Extended eps = CoordTol;
    if (!SegBox(L1, L2, 0).Meets(SegBox(A1, A2, Alfa))) return 0;
    const Osy d = Sub(L2, L1);
    const Extended M = Len(d);
    if (!(M > eps) || SamePt(L2, A1) || SamePt(L1, A2))
        return ArcOrder ? IntersArcLine(L1, L2, A1, A2, Alfa, X1, X2) : IntersLineArc(L1, L2, A1, A2, Alfa, X1, X2);
    Osy C;
    Extended R;
    ArcCentre(A1, A2, Alfa, C, R);
    const Osy v{d.x / M, d.y / M}, w = Sub(C, L1);
    const Extended cu = Dot(w, v), cv = Cross(v, w);
    if (std::fabs(cv) - R > eps || cu + R < -eps || cu - R - M > eps) return 0;
    if (std::fabs(R - std::fabs(cv)) <= 2 * eps)
        return ArcOrder ? IntersArcLine(L1, L2, A1, A2, Alfa, X1, X2) : IntersLineArc(L1, L2, A1, A2, Alfa, X1, X2);
    const Extended h = std::sqrt(std::fmax(Extended(0), R * R - cv * cv));
    Osy pts[2];
    unsigned n = 0;
    for (const Extended u : {cu - h, cu + h}) {
        const Osy X{L1.x + v.x * u, L1.y + v.y * u};
        if (u >= -eps && u <= M + eps && OnArcAngle(X, C, A1, Alfa)) pts[n++] = X;
    }
    if (n >= 1) X1 = pts[0];
    if (n == 2) {
        X2 = pts[1];
        if (!ArcOrder) {
            if (Dist(L1, X2) < Dist(L1, X1)) std::swap(X1, X2);
        } else {
            // Sweep from the arc's start; a point a hair before the start counts as 0.
            auto sweep = [&](const Osy& X) {
                Extended t = Turn(Sub(A1, C), Sub(X, C));
                if (Alfa < 0) t = -t;
                if (t < 0) t += Geom2Pi;
                if (t > std::fabs(Alfa) + eps) t -= Geom2Pi;
                return std::fabs(t);
            };
            if (sweep(X2) < sweep(X1)) std::swap(X1, X2);
        }
    }
    return n;
}
inline unsigned LineArc(const Osy& L1, const Osy& L2, const Osy& A1, const Osy& A2, Extended Alfa, Osy& X1, Osy& X2) {
    return LineArcFast(L1, L2, A1, A2, Alfa, X1, X2, false);
}
inline unsigned ArcLine(const Osy& L1, const Osy& L2, const Osy& A1, const Osy& A2, Extended Alfa, Osy& X1, Osy& X2) {
    return LineArcFast(L1, L2, A1, A2, Alfa, X1, X2, true);
}

// IntersSegSeg through the variants above.
inline unsigned SegSeg(const Osy& S1, const Osy& E1, const Osy& S2, const Osy& E2, Extended A1, Extended A2, Osy& X1,
                       Osy& X2) {
    const bool l1 = IsLine(A1), l2 = IsLine(A2);
    if (l1 && l2) return LineLine(S1, E1, S2, E2, X1, X2);
    if (l1) return LineArc(S1, E1, S2, E2, A2, X1, X2);
    if (l2) return ArcLine(S2, E2, S1, E1, A1, X1, X2);
    return ArcArc(S1, E1, S2, E2, A1, A2, X1, X2);
}

}  // namespace offs::fast
