// Segment geometry for the offset's inner loops without the extended-precision
// trigonometry of the general routines: centres, turned points and swept angles come
// from chord vectors, cross and dot products; the few angles left are taken in double,
// whose error (1e-16 of a turn) moves no point by more than 1e-12 mm on any drawing.
// The results agree with the general routines within that, far below the coordinate
// tolerance.
#pragma once
#include <cmath>

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
    double x1 = double(std::fmin(S.x, E.x)), y1 = double(std::fmin(S.y, E.y));
    double x2 = double(std::fmax(S.x, E.x)), y2 = double(std::fmax(S.y, E.y));
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

}  // namespace offs::fast
