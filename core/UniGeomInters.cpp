// Intersections of line and arc segments, with their counts and order.
#include <algorithm>
#include <cmath>
#include <utility>

#include "core/UniGeom.h"

namespace {
constexpr Extended eps = CoordTol;

// Difference of two directions, the short way round.
Extended AngleDiff(Extended A, Extended B) {
    Extended d = std::fabs(A - B);
    return d > GeomPi ? Geom2Pi - d : d;
}

Osy Along(const Osy& Origin, Extended Dir, Extended U) {
    Extended s, c;
    SinCos(Dir, s, c);
    return Osy{Origin.x + U * c, Origin.y + U * s};
}

// Coordinates of P in the frame with origin O and axis direction Dir.
void ToFrame(const Osy& O, Extended Dir, const Osy& P, Extended& U, Extended& V) {
    Extended r = Dist(O, P), t = Angle(O, P) - Dir, s, c;
    SinCos(t, s, c);
    U = r * c;
    V = r * s;
}

// Counter-clockwise angular range of an arc.
void ArcRange(const Osy& P1, const Osy& P2, Extended Alfa, Extended& S, Extended& E) {
    S = ArcStartAngle(P1, P2, Alfa);
    E = ArcEndAngle(P1, P2, Alfa);
    if (Alfa < 0) std::swap(S, E);
}

void OrderFrom(const Osy& Ref, Osy& X1, Osy& X2) {
    if (Dist(Ref, X2) < Dist(Ref, X1)) std::swap(X1, X2);
}

// A box that surely holds the segment, grown by the tolerance: a cheap test that spares
// the trigonometry for pairs far apart. An arc up to a half circle lies within its
// sagitta of the chord; a larger one within twice its radius of the chord's middle.
struct Box {
    Extended x0, y0, x1, y1;
    bool Apart(const Box& B) const {
        return x0 > B.x1 || B.x0 > x1 || y0 > B.y1 || B.y0 > y1;
    }
};

Box SegBox(const Osy& P1, const Osy& P2, Extended Alfa) {
    Box b{std::min(P1.x, P2.x), std::min(P1.y, P2.y), std::max(P1.x, P2.x), std::max(P1.y, P2.y)};
    Extended grow = eps;
    if (std::fabs(Alfa) > eps) {
        Extended half = Dist(P1, P2) / 2, a = std::fabs(Alfa);
        if (a <= GeomPi) {
            grow += half * std::tan(a / 4);
        } else {
            Extended r = half / std::sin(a / 2);
            Osy m{(P1.x + P2.x) / 2, (P1.y + P2.y) / 2};
            b = Box{m.x - 2 * r, m.y - 2 * r, m.x + 2 * r, m.y + 2 * r};
        }
        grow *= 1 + 1e-12L;  // rounding of the bound itself
    }
    return Box{b.x0 - grow, b.y0 - grow, b.x1 + grow, b.y1 + grow};
}

// Line L1L2 against the arc A1A2. ArcOrder: candidates in the order cu + h, cu - h and
// two points ordered along the arc; else cu - h, cu + h ordered by distance from L1.
unsigned LineArc(const Osy& L1, const Osy& L2, const Osy& A1, const Osy& A2, Extended Alfa,
                 Osy& X1, Osy& X2, bool ArcOrder) {
    if (SegBox(L1, L2, 0).Apart(SegBox(A1, A2, Alfa))) return 0;
    Extended g = Angle(L1, L2);

    // Segments joined end to start meet only there unless the line runs back into the arc.
    if (SamePt(L2, A1)) {
        Extended c = Angle(A2, A1), d = NormAngleOf(c - Alfa / 2);
        if (!(Alfa > 0 ? InRange(g, d, c) : InRange(g, c, d))) {
            X1 = L2;
            return 1;
        }
    }
    if (SamePt(L1, A2)) {
        Extended c = Angle(A2, A1), d = NormAngleOf(c + Alfa / 2);
        if (!(Alfa < 0 ? InRange(g, d, c) : InRange(g, c, d))) {
            X1 = L1;
            return 1;
        }
    }

    Osy C;
    Extended R;
    ArcCenter(A1, A2, Alfa, C, R);
    Extended M = Dist(L1, L2), cu, cv;
    ToFrame(L1, g, C, cu, cv);
    if (std::fabs(cv) - R > eps || cu + R < -eps || cu - R - M > eps) return 0;

    Extended h = std::fabs(R - std::fabs(cv)) <= eps ? 0 : std::sqrt(std::max<Extended>(0, R * R - cv * cv));
    Extended s = NormAngleOf(ArcStartAngle(A1, A2, Alfa) - g);
    Extended e = NormAngleOf(ArcEndAngle(A1, A2, Alfa) - g);
    if (Alfa < 0) std::swap(s, e);

    Extended cand[2] = {cu - h, cu + h};
    if (ArcOrder) std::swap(cand[0], cand[1]);
    Osy pts[2];
    unsigned n = 0;
    for (Extended u : cand) {
        Extended a = Angle(Osy{cu, cv}, Osy{u, 0});
        if (InRange(a, s, e) && u >= -eps && u <= M + eps) pts[n++] = Along(L1, g, u);
    }
    if (n == 2 && h <= eps) n = 1;
    if (n >= 1) X1 = pts[0];
    if (n == 2) {
        X2 = pts[1];
        if (!ArcOrder) {
            OrderFrom(L1, X1, X2);
        } else {
            // Sweep of each point from the arc's start; a point at the start that rounding
            // put a hair before it counts as sweep 0, not as a full turn.
            Extended st = ArcStartAngle(A1, A2, Alfa), full = std::fabs(Alfa);
            auto sweep = [&](const Osy& X) {
                Extended w = Angle(C, X) - st;
                if (Alfa > 0) {
                    while (w < 0) w += Geom2Pi;
                    while (w >= Geom2Pi) w -= Geom2Pi;
                    if (w > full + eps) w -= Geom2Pi;
                } else {
                    while (w > 0) w -= Geom2Pi;
                    while (w <= -Geom2Pi) w += Geom2Pi;
                    if (-w > full + eps) w += Geom2Pi;
                }
                return std::fabs(w);
            };
            if (sweep(X2) < sweep(X1)) std::swap(X1, X2);
        }
    }
    return n;
}

}  // namespace

unsigned IntersLineLine(const Osy& A1, const Osy& A2, const Osy& B1, const Osy& B2, Osy& X1,
                        Osy& X2) {
    // Boxes apart.
    if (std::min(A1.x, A2.x) - std::max(B1.x, B2.x) > eps ||
        std::min(B1.x, B2.x) - std::max(A1.x, A2.x) > eps ||
        std::min(A1.y, A2.y) - std::max(B1.y, B2.y) > eps ||
        std::min(B1.y, B2.y) - std::max(A1.y, A2.y) > eps)
        return 0;

    Extended v = Angle(A1, A2);
    // Joined segments that do not fold back over each other meet only at the joint.
    bool notFolding = AngleDiff(v, Angle(B2, B1)) > eps;
    if (SamePt(A2, B1) && notFolding) {
        X1 = A2;
        return 1;
    }
    if (SamePt(B2, A1) && notFolding) {
        X1 = B2;
        return 1;
    }

    Extended J = Dist(A1, A2), a, sb, d, sd;
    ToFrame(A1, v, B1, a, sb);
    ToFrame(A1, v, B2, d, sd);
    if ((sb > eps && sd > eps) || (sb < -eps && sd < -eps)) return 0;

    if (std::fabs(sb) > eps || std::fabs(sd) > eps) {
        // Where B crosses A's line. An end within the tolerance of the line on the same
        // side as the other end would extrapolate beyond B: the crossing stays on B.
        Extended q = std::clamp<Extended>(-sb / (sd - sb), 0, 1);
        Extended t = a + (d - a) * q;
        if (t < -eps || t - J > eps) return 0;
        X1 = Along(A1, v, t);
        return 1;
    }

    // Collinear.
    if ((a < -eps && d < -eps) || (a - J > eps && d - J > eps)) return 0;
    if (std::fabs(a) <= eps && d < -eps) return X1 = B1, 1;
    if (std::fabs(d) <= eps && a < -eps) return X1 = B2, 1;
    if (std::fabs(a - J) <= eps && d - J > eps) return X1 = B1, 1;
    if (std::fabs(d - J) <= eps && a - J > eps) return X1 = B2, 1;
    bool in1 = a >= -eps && a < J + eps, in2 = d >= -eps && d < J + eps;
    Osy P, Q;
    if ((a <= eps && d >= J - eps) || (a >= J - eps && d <= eps)) {
        P = A1, Q = A2;
    } else if (in1 && in2) {
        P = B1, Q = B2;
    } else if (in1) {
        P = B1, Q = a >= d ? A1 : A2;
    } else {
        P = B2, Q = a <= d ? A1 : A2;
    }
    OrderFrom(A1, P, Q);
    X1 = P;
    if (SamePt(P, Q)) return 1;
    X2 = Q;
    return 2;
}

unsigned IntersLineArc(const Osy& L1, const Osy& L2, const Osy& A1, const Osy& A2, Extended Alfa,
                       Osy& X1, Osy& X2) {
    return LineArc(L1, L2, A1, A2, Alfa, X1, X2, false);
}

unsigned IntersArcLine(const Osy& L1, const Osy& L2, const Osy& A1, const Osy& A2, Extended Alfa,
                       Osy& X1, Osy& X2) {
    return LineArc(L1, L2, A1, A2, Alfa, X1, X2, true);
}

unsigned IntersArcArc(const Osy& A1, const Osy& A2, const Osy& B1, const Osy& B2, Extended Alfa1,
                      Extended Alfa2, Osy& X1, Osy& X2) {
    if (SegBox(A1, A2, Alfa1).Apart(SegBox(B1, B2, Alfa2))) return 0;
    Osy C1, C2;
    Extended R1, R2;
    ArcCenter(A1, A2, Alfa1, C1, R1);
    ArcCenter(B1, B2, Alfa2, C2, R2);
    Extended d = Dist(C1, C2);
    if (d - R1 - R2 > eps || R1 - R2 - d > eps || R2 - R1 - d > eps) return 0;

    Extended s1, e1, s2, e2;
    ArcRange(A1, A2, Alfa1, s1, e1);
    ArcRange(B1, B2, Alfa2, s2, e2);

    if (std::fabs(C1.x - C2.x) < eps && std::fabs(C1.y - C2.y) < eps && std::fabs(R1 - R2) < eps) {
        // One circle: arcs joined at an end, or a common piece.
        bool same = (Alfa1 > 0) == (Alfa2 > 0);
        auto joint = [&](const Osy& X, const Osy& Other1, const Osy& Other2) -> unsigned {
            if (!SamePt(Other1, Other2)) return X1 = X, 1;
            X1 = A1, X2 = A2;  // together a full circle
            return 2;
        };
        if (same && SamePt(A2, B1)) return joint(A2, A1, B2);
        if (same && SamePt(B2, A1)) return joint(A1, B1, A2);
        if (!same && SamePt(A1, B1)) return joint(A1, A2, B2);
        if (!same && SamePt(A2, B2)) return joint(A2, A1, B1);

        Extended aA1 = ArcStartAngle(A1, A2, Alfa1), aA2 = ArcEndAngle(A1, A2, Alfa1);
        Extended aB1 = ArcStartAngle(B1, B2, Alfa2);
        if (InRange(aA1, s2, e2)) {
            X1 = A1;
            X2 = InRange(aA2, s2, e2) ? A2 : (same ? B2 : B1);
        } else if (InRange(aA2, s2, e2)) {
            X2 = A2;
            X1 = same ? B1 : B2;
        } else if (InRange(aB1, s1, e1)) {
            X1 = same ? B1 : B2;
            X2 = same ? B2 : B1;
        } else {
            return 0;
        }
        OrderFrom(A1, X1, X2);
        return SamePt(X1, X2) ? 1 : 2;
    }

    Extended B = Angle(C1, C2);
    Extended J[2], K[2];
    int nc = 2;
    if (std::fabs(d - R1 - R2) <= eps) {
        nc = 1, J[0] = B, K[0] = B + GeomPi;  // outer touch
    } else if (std::fabs(R1 - R2 - d) <= eps) {
        nc = 1, J[0] = K[0] = B;  // circle 2 touches circle 1 from inside
    } else if (std::fabs(R2 - R1 - d) <= eps) {
        nc = 1, J[0] = K[0] = B + GeomPi;  // circle 1 touches circle 2 from inside
    } else {
        if (d <= 0) return 0;
        // Mathematically inside [-1, 1] here; clamping only removes rounding.
        Extended c1 = std::clamp<Extended>((d * d + R1 * R1 - R2 * R2) / (2 * R1 * d), -1, 1);
        Extended c2 = std::clamp<Extended>((d * d + R2 * R2 - R1 * R1) / (2 * R2 * d), -1, 1);
        Extended a1 = std::acos(c1), a2 = std::acos(c2);
        J[0] = B - a1, K[0] = B + GeomPi + a2;
        J[1] = B + a1, K[1] = B + GeomPi - a2;
    }
    Extended wrap = nc == 2 ? ArcArcWrap : Geom2Pi;
    auto norm = [&](Extended& A) {
        if (A >= wrap) A -= Geom2Pi;
        if (A < 0) A += Geom2Pi;
    };
    Osy pts[2];
    unsigned n = 0;
    for (int i = 0; i < nc; ++i) {
        norm(J[i]);
        norm(K[i]);
        if (InRange(J[i], s1, e1) && InRange(K[i], s2, e2)) {
            Extended sj, cj;
            SinCos(J[i], sj, cj);
            pts[n++] = Osy{C1.x + R1 * cj, C1.y + R1 * sj};
        }
    }
    if (n >= 1) X1 = pts[0];
    if (n == 2) {
        X2 = pts[1];
        if (SamePt(X1, X2)) return 1;
        OrderFrom(A1, X1, X2);
    }
    return n;
}

unsigned IntersSegSeg(const Osy& S1, const Osy& E1, const Osy& S2, const Osy& E2, Extended Alfa1,
                      Extended Alfa2, Osy& X1, Osy& X2) {
    bool line1 = std::fabs(Alfa1) <= eps, line2 = std::fabs(Alfa2) <= eps;
    if (line1 && line2) return IntersLineLine(S1, E1, S2, E2, X1, X2);
    if (line1) return IntersLineArc(S1, E1, S2, E2, Alfa2, X1, X2);
    if (line2) return IntersArcLine(S2, E2, S1, E1, Alfa1, X1, X2);
    return IntersArcArc(S1, E1, S2, E2, Alfa1, Alfa2, X1, X2);
}
