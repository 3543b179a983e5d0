// Angles, distances, arcs of bulge segments, perpendicular feet, arc bounding boxes
// and the clipping of a segment against a rectangle.
#include "core/UniGeom.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace {
constexpr Extended eps = CoordTol;

bool InRangePlain(Extended A, Extended Lo, Extended Hi) {
    if (Hi > Lo) return Lo - eps <= A && A <= Hi + eps;
    return A >= Lo - eps || A <= Hi + eps;
}
}  // namespace

void NormAngle(Extended& A) {
    if (A >= Geom2Pi) A -= Geom2Pi;
    if (A < 0) A += Geom2Pi;
    if (std::fabs(A) < NormAngleSnap) A = 0;
    else if (std::fabs(GeomPi2 - A) < NormAngleSnap) A = GeomPi2;
    else if (std::fabs(GeomPi - A) < NormAngleSnap) A = GeomPi;
    else if (std::fabs(GeomPi32 - A) < NormAngleSnap) A = GeomPi32;
    else if (std::fabs(Geom2Pi - A) < NormAngleSnap) A = 0;
}

void SinCos(Extended A, Extended& S, Extended& C) {
    // Within pi/4 the library goes straight to its kernels; far out it is left alone.
    if (!(std::fabs(A) > 0.7853981633974483096L && std::fabs(A) < 1e6L)) {
        S = std::sin(A);
        C = std::cos(A);
        return;
    }
    // pi/2 in two parts: 33 bits, so that k times it is exact, and the rest. The
    // number of quarter turns k only needs to be about right: double finds it.
    constexpr Extended Pio2Hi = 1.570796326734125614166259765625L;
    constexpr Extended Pio2Lo = 6.0771005065061926014751442098584699688e-11L;
    const double kd = std::floor(double(A) * (2 / M_PI) + 0.5);
    const Extended k = kd;
    const Extended r = (A - k * Pio2Hi) - k * Pio2Lo;
    const Extended s = std::sin(r), c = std::cos(r);
    switch (int64_t(kd) & 3) {
        case 0: S = s, C = c; break;
        case 1: S = c, C = -s; break;
        case 2: S = -s, C = -c; break;
        default: S = -c, C = s; break;
    }
}

Extended NormAngleOf(Extended A) {
    NormAngle(A);
    return A;
}

Extended Angle(const Osy& P1, const Osy& P2) {
    Extended dx = P2.x - P1.x, dy = P2.y - P1.y;
    Extended ax = std::fabs(dx), ay = std::fabs(dy);
    if (ax <= eps && ay <= eps) return 0;
    // The smaller ratio keeps the arc tangent accurate.
    Extended a = ax <= ay ? GeomPi2 - std::atan(ax / ay) : std::atan(ay / ax);
    if (dx < 0) a = GeomPi - a;
    if (dy < 0) a = Geom2Pi - a;
    if (a > AngleUpperCut) a = 0;
    return a;
}

Extended Angle2(const Osy& P1, const Osy& P2) { return Angle(P1, P2); }

bool SamePt(const Osy& P1, const Osy& P2) {
    return std::fabs(P1.x - P2.x) <= eps && std::fabs(P1.y - P2.y) <= eps;
}

Extended Dist(const Osy& P1, const Osy& P2) {
    Extended dx = P2.x - P1.x, dy = P2.y - P1.y;
    return std::sqrt(dx * dx + dy * dy);
}

Extended Dist3D(const Osy3D& P1, const Osy3D& P2) {
    Extended dx = P2.x - P1.x, dy = P2.y - P1.y, dz = P2.z - P1.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

Osy AddPt(const Osy& P1, const Osy& P2) { return Osy{P1.x + P2.x, P1.y + P2.y}; }

// The plain test would miss an angle a hair below 2pi against a range that starts at 0
// (and the mirror case), although the two lie within the tolerance of each other; the
// range is therefore also tried one turn away.
bool InRange(Extended A, Extended Lo, Extended Hi) {
    if (InRangePlain(A, Lo, Hi)) return true;
    if (Hi > Lo) return InRangePlain(A - Geom2Pi, Lo, Hi) || InRangePlain(A + Geom2Pi, Lo, Hi);
    return false;
}

void ArcCenter(const Osy& P1, const Osy& P2, Extended Alfa, Osy& C, Extended& R) {
    Extended a = std::fabs(Alfa), sh, ch, se, ce;
    SinCos(a / 2, sh, ch);
    R = Dist(P1, P2) / (2 * sh);
    Extended e = Alfa > 0 ? Angle(P1, P2) + (GeomPi - a) / 2 : Angle(P1, P2) - (GeomPi - a) / 2;
    SinCos(e, se, ce);
    C.x = P1.x + R * ce;
    C.y = P1.y + R * se;
}

void ArcCenter2(const Osy& P1, const Osy& P2, Extended Alfa, Osy& C, Extended& R) {
    ArcCenter(P1, P2, Alfa, C, R);
}

Extended ArcStartAngle(const Osy& P1, const Osy& P2, Extended Alfa) {
    Extended t = Angle(P1, P2);
    return NormAngleOf(Alfa > 0 ? t - (Alfa + GeomPi) / 2 : t - (Alfa - GeomPi) / 2);
}

Extended ArcEndAngle(const Osy& P1, const Osy& P2, Extended Alfa) {
    Extended t = Angle(P1, P2);
    return NormAngleOf(Alfa > 0 ? t + (Alfa - GeomPi) / 2 : t + (Alfa + GeomPi) / 2);
}

void SegMidPt(const Osy& P1, const Osy& P2, Extended Alfa, Osy& M) {
    if (std::fabs(Alfa) <= eps) {
        M.x = (P1.x + P2.x) / 2;
        M.y = (P1.y + P2.y) / 2;
        return;
    }
    Osy C;
    Extended R;
    ArcCenter(P1, P2, Alfa, C, R);
    Extended m = ArcStartAngle(P1, P2, Alfa) + Alfa / 2, sm, cm;
    SinCos(m, sm, cm);
    M.x = C.x + R * cm;
    M.y = C.y + R * sm;
}

bool PerpFootLine(const Osy& P, const Osy& A, const Osy& B, Osy& F, Extended& D) {
    Extended a = Angle(A, B), b = Angle(A, P), c = Dist(A, P), sd, cd, sa, ca;
    SinCos(b - a, sd, cd);
    SinCos(a, sa, ca);
    D = std::fabs(c * sd);
    Extended u = c * cd;
    F.x = A.x + u * ca;
    F.y = A.y + u * sa;
    return u >= -eps && Dist(A, B) - u >= -eps;
}

bool PerpFootArc(const Osy& P, const Osy& A, const Osy& B, Extended Alfa, Osy& F, Extended& D) {
    Osy C;
    Extended R;
    ArcCenter(A, B, Alfa, C, R);
    Extended a = Angle(C, P), sa, ca;
    SinCos(a, sa, ca);
    F.x = C.x + R * ca;
    F.y = C.y + R * sa;
    D = Dist(F, P);
    Extended s = ArcStartAngle(A, B, Alfa), e = ArcEndAngle(A, B, Alfa);
    if (Alfa < 0) std::swap(s, e);
    return InRange(a, s, e);
}

namespace {

// ArcEnvelope in long double angles: for the rare arcs whose centre lies so far off
// that double arithmetic would lose the bulge.
void ArcEnvelopeByAngles(const Osy& P1, const Osy& P2, Extended Alfa, Osy& Min, Osy& Max) {
    Extended s = ArcStartAngle(P1, P2, Alfa), e = ArcEndAngle(P1, P2, Alfa);
    if (Alfa < 0) std::swap(s, e);
    bool has0, has90, has180, has270;
    if (e <= s) {  // the range passes through angle 0
        has0 = true;
        has90 = s <= GeomPi2 || e >= GeomPi2;
        has180 = s <= GeomPi || e >= GeomPi;
        has270 = s <= GeomPi32 || e >= GeomPi32;
    } else {
        has0 = false;
        has90 = s <= GeomPi2 && GeomPi2 <= e;
        has180 = s <= GeomPi && GeomPi <= e;
        has270 = s <= GeomPi32 && GeomPi32 <= e;
    }
    // The centre (long double sines, costly) only for an arc through an axis direction.
    if (!(has0 || has90 || has180 || has270)) return;
    Osy C;
    Extended R;
    ArcCenter(P1, P2, Alfa, C, R);
    if (has0) Max.x = C.x + R;
    if (has90) Max.y = C.y + R;
    if (has180) Min.x = C.x - R;
    if (has270) Min.y = C.y - R;
}

}  // namespace

void ArcEnvelope(const Osy& P1, const Osy& P2, Extended Alfa, Osy& Min, Osy& Max) {
    Min.x = std::fmin(P1.x, P2.x);
    Min.y = std::fmin(P1.y, P2.y);
    Max.x = std::fmax(P1.x, P2.x);
    Max.y = std::fmax(P1.y, P2.y);
    const double a = double(Alfa), dx = double(P2.x - P1.x), dy = double(P2.y - P1.y);
    // A box is a bound, not a record: double sines keep it within 1e-12 of the exact
    // one while the radius stays below about 1000 chords (|Alfa| > 1e-3).
    if (!(std::fabs(a) > 1e-3 && std::fabs(a) < 2 * M_PI - 1e-3) || std::hypot(dx, dy) <= double(CoordTol))
        return ArcEnvelopeByAngles(P1, P2, Alfa, Min, Max);
    // The centre lies off the chord's middle along its left normal by cot(Alfa/2) half
    // chords (to the right for a clockwise arc, where the cotangent turns negative).
    const double h = 0.5 / std::tan(a / 2);
    const double cx = dx / 2 - dy * h, cy = dy / 2 + dx * h;  // from P1
    // The arc runs counter-clockwise from the direction u to the direction w (centre to
    // its ends); it passes direction d when d lies between them, turning the short way
    // for a sweep up to a half turn, and otherwise when d does not lie strictly between
    // w and u.
    const bool ccw = a > 0;
    const double ux = ccw ? -cx : dx - cx, uy = ccw ? -cy : dy - cy;
    const double wx = ccw ? dx - cx : -cx, wy = ccw ? dy - cy : -cy;
    const bool major = std::fabs(a) > M_PI;
    // Cross products of u and w with the axis directions +x, +y, -x, -y.
    auto passes = [&](double uc, double wc) {  // uc = u x d, wc = d x w
        return major ? !(uc < 0 && wc < 0) : uc >= 0 && wc >= 0;
    };
    const bool px = passes(-uy, wy), py = passes(ux, -wx), nx = passes(uy, -wy), ny = passes(-ux, wx);
    if (!(px || py || nx || ny)) return;
    const double R = std::hypot(cx, cy);
    const Extended Cx = P1.x + Extended(cx), Cy = P1.y + Extended(cy);
    if (px) Max.x = Cx + Extended(R);
    if (py) Max.y = Cy + Extended(R);
    if (nx) Min.x = Cx - Extended(R);
    if (ny) Min.y = Cy - Extended(R);
}

void ClipSegToRect(const Osy& Min, const Osy& Max, const Osy& A, const Osy& B, Osy& PLeft,
                   Osy& PBottom, Osy& PRight, Osy& PTop, bool& Left, bool& Bottom, bool& Right,
                   bool& Top, bool& InA, bool& InB) {
    Left = Bottom = Right = Top = InA = InB = false;
    if ((A.x < Min.x && B.x < Min.x) || (A.x > Max.x && B.x > Max.x) ||
        (A.y < Min.y && B.y < Min.y) || (A.y > Max.y && B.y > Max.y))
        return;
    auto inside = [&](const Osy& P) {
        return P.x >= Min.x && P.x <= Max.x && P.y >= Min.y && P.y <= Max.y;
    };
    InA = inside(A);
    InB = inside(B);
    if (InA && InB) return;

    if (A.x == B.x) {  // vertical
        if (A.y <= Min.y || B.y <= Min.y) {
            Bottom = true;
            PBottom = Osy{A.x, Min.y};
        }
        if (A.y >= Max.y || B.y >= Max.y) {
            Top = true;
            PTop = Osy{A.x, Max.y};
        }
        return;
    }
    if (A.y == B.y) {  // horizontal
        if (A.x <= Min.x || B.x <= Min.x) {
            Left = true;
            PLeft = Osy{Min.x, A.y};
        }
        if (A.x >= Max.x || B.x >= Max.x) {
            Right = true;
            PRight = Osy{Max.x, A.y};
        }
        return;
    }
    auto yAt = [&](Extended x) { return A.y + (x - A.x) * (B.y - A.y) / (B.x - A.x); };
    auto xAt = [&](Extended y) { return A.x + (y - A.y) * (B.x - A.x) / (B.y - A.y); };
    if (A.x < Min.x || B.x < Min.x) {
        PLeft = Osy{Min.x, yAt(Min.x)};
        Left = PLeft.y >= Min.y && PLeft.y <= Max.y;
    }
    if (A.x > Max.x || B.x > Max.x) {
        PRight = Osy{Max.x, yAt(Max.x)};
        Right = PRight.y >= Min.y && PRight.y <= Max.y;
    }
    if (A.y < Min.y || B.y < Min.y) {
        PBottom = Osy{xAt(Min.y), Min.y};
        Bottom = PBottom.x >= Min.x && PBottom.x <= Max.x;
    }
    if (A.y > Max.y || B.y > Max.y) {
        PTop = Osy{xAt(Max.y), Max.y};
        Top = PTop.x >= Min.x && PTop.x <= Max.x;
    }
}
