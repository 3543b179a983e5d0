// Convex loops: recognised in one pass without trigonometry, and offset outward
// directly. A closed curve whose tangent turns one way only, by a full turn in all,
// is convex and simple; its outward offset is the same kind of curve, so neither
// needs the self-crossing search nor the clean-up.
#include <cmath>
#include <vector>

#include "core/Glob.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPlineOffset.h"
#include "core/UniPlineOffsetGeom.h"

namespace offs {

namespace {

struct TDir {
    double x, y;
};

// A stand-in for the direction angle of D that grows with it, in [0, 4).
double Pseudo(const TDir& D) {
    const double s = std::fabs(D.x) + std::fabs(D.y);
    if (D.y >= 0) return D.x >= 0 ? D.y / s : 1 - D.x / s;
    return D.x < 0 ? 2 - D.y / s : 3 + D.x / s;
}

// Start and end tangents (unit) of segment S-E-Alfa; false when its chord is shorter
// than ConvexMinSeg.
bool Tangents(const Osy& S, const Osy& E, Extended Alfa, TDir& In, TDir& Out) {
    const double dx = double(E.x - S.x), dy = double(E.y - S.y);
    const double l = std::sqrt(dx * dx + dy * dy);
    if (!(l >= double(ConvexMinSeg))) return false;
    const TDir d{dx / l, dy / l};
    if (std::fabs(Alfa) <= CoordTol) {
        In = Out = d;
        return true;
    }
    const double h = double(Alfa) / 2, c = std::cos(h), s = std::sin(h);
    In = {d.x * c + d.y * s, -d.x * s + d.y * c};
    Out = {d.x * c - d.y * s, d.x * s + d.y * c};
    return true;
}

}  // namespace

int ConvexSense(const TObjHeader* P) {
    if (!P || P->Type != ObjPline) return 0;
    const int32_t n = PlineSegCount(P);
    if (n < 3) return 0;
    const TPlineSeg* seg = PlineSegs(P);
    if (Dist(AsPline(P)->S, seg[n - 1].E) > CoordTol) return 0;
    // Turns below this (sine) are straight joints, too small to have a sense.
    constexpr double Straight = 1e-12;
    int sense = 0;
    int ups = 0, downs = 0;  // steps where the pseudo-angle grows / falls
    auto turn = [&](double T) {
        if (std::fabs(T) <= Straight) return true;
        const int s = T > 0 ? 1 : -1;
        if (sense == 0) sense = s;
        return s == sense;
    };
    auto step = [&](double A, double B) {
        if (B > A) ++ups;
        if (B < A) ++downs;
    };
    TDir in, out, prevOut;
    if (!Tangents(PlineSegStart(P, n - 1), seg[n - 1].E, seg[n - 1].Alfa, in, prevOut)) return 0;
    double prevP = Pseudo(prevOut);
    Osy s = AsPline(P)->S;
    for (int32_t i = 0; i < n; ++i) {
        const Extended a = seg[i].Alfa;
        if (!Tangents(s, seg[i].E, a, in, out)) return 0;
        // The vertex: a turn of at most a right angle.
        const double c = prevOut.x * in.y - prevOut.y * in.x, d = prevOut.x * in.x + prevOut.y * in.y;
        if (d < -Straight || !turn(c)) return 0;
        const double pin = Pseudo(in);
        step(prevP, pin);
        prevP = pin;
        if (std::fabs(a) > CoordTol) {
            if (std::fabs(a) > GeomPi2 + 1e-9L || !turn(double(a))) return 0;
            const double pout = Pseudo(out);
            step(prevP, pout);
            prevP = pout;
        }
        prevOut = out;
        s = seg[i].E;
    }
    // Each step turns less than a half turn one way: the pseudo-angle wraps once per
    // full turn, and once only for a simple loop.
    if (sense == 0 || (sense > 0 ? downs : ups) != 1) return 0;
    return sense;
}

namespace {

// One source segment offset outward, with what its corners need: the offset ends, the
// outward unit normals at both ends, and for an arc the offset circle, for a line its
// unit direction.
struct TOffSeg {
    Osy S, E;
    Extended Alfa;
    bool Arc;
    TDir N1, N2;  // outward normals at the start and at the end
    Osy C;        // arc: centre
    double Rho;   // arc: offset radius
    TDir T;       // line: unit direction
};

// Which of P1, P2 lies nearer V.
const Osy& Nearer(const Osy& P1, const Osy& P2, const Osy& V) {
    const double a = double(P1.x - V.x), b = double(P1.y - V.y), c = double(P2.x - V.x), d = double(P2.y - V.y);
    return a * a + b * b <= c * c + d * d ? P1 : P2;
}

// The crossing of the line through A (unit direction U) with the circle (C, Rho)
// nearest V; false when they miss.
bool LineCircleNear(const Osy& A, const TDir& U, const Osy& C, double Rho, const Osy& V, Osy& X) {
    const double wx = double(A.x - C.x), wy = double(A.y - C.y);
    const double b = wx * U.x + wy * U.y, c = wx * wx + wy * wy - Rho * Rho;
    const double disc = b * b - c;
    if (!(disc >= 0)) return false;
    const double h = std::sqrt(disc);
    const Osy p1{A.x + (-b - h) * U.x, A.y + (-b - h) * U.y}, p2{A.x + (-b + h) * U.x, A.y + (-b + h) * U.y};
    X = Nearer(p1, p2, V);
    return true;
}

// The crossing of two circles nearest V; false when they miss or are one circle.
bool CircleCircleNear(const Osy& C1, double R1, const Osy& C2, double R2, const Osy& V, Osy& X) {
    const double cx = double(C2.x - C1.x), cy = double(C2.y - C1.y);
    const double d = std::sqrt(cx * cx + cy * cy);
    if (!(d > 0)) return false;
    const double a = (d * d + R1 * R1 - R2 * R2) / (2 * d), h2 = R1 * R1 - a * a;
    if (!(h2 >= 0)) return false;
    const double h = std::sqrt(h2), ux = cx / d, uy = cy / d;
    const Osy m{C1.x + ux * a, C1.y + uy * a};
    const Osy p1{m.x + uy * h, m.y - ux * h}, p2{m.x - uy * h, m.y + ux * h};
    X = Nearer(p1, p2, V);
    return true;
}

// The signed angle turning from A to B about C (within a half turn).
double TurnAbout(const Osy& C, const Osy& A, const Osy& B) {
    const double ux = double(A.x - C.x), uy = double(A.y - C.y), vx = double(B.x - C.x), vy = double(B.y - C.y);
    return std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
}

}  // namespace

TObjHeader* ConvexOutward(const TObjHeader* Src, int Sense, Extended Dist, uint8_t La, TObjHeader*& S, TObjHeader*& E) {
    const int32_t n = PlineSegCount(Src);
    const TPlineSeg* seg = PlineSegs(Src);
    const double D = double(Dist);
    std::vector<TOffSeg> off(static_cast<size_t>(n));
    Osy p = AsPline(Src)->S;
    for (int32_t i = 0; i < n; ++i) {
        TOffSeg& o = off[size_t(i)];
        const Extended a = seg[i].Alfa;
        o.Arc = std::fabs(a) > CoordTol;
        if (!o.Arc) {
            const double dx = double(seg[i].E.x - p.x), dy = double(seg[i].E.y - p.y);
            const double l = std::sqrt(dx * dx + dy * dy);
            // Right of travel for a counter-clockwise loop.
            o.N1 = o.N2 = Sense > 0 ? TDir{dy / l, -dx / l} : TDir{-dy / l, dx / l};
            o.T = {dx / l, dy / l};
            o.S = {p.x + D * o.N1.x, p.y + D * o.N1.y};
            o.E = {seg[i].E.x + D * o.N1.x, seg[i].E.y + D * o.N1.y};
            o.Alfa = 0;
        } else {
            // An arc of a convex loop turns with it and so grows outward; anything
            // else is for the general route.
            if ((a > 0) != (Sense > 0)) return nullptr;
            Extended R;
            fast::ArcCentre(p, seg[i].E, a, o.C, R);
            const Extended k = (R + Dist) / R;
            o.Rho = double(R + Dist);
            o.S = {o.C.x + (p.x - o.C.x) * k, o.C.y + (p.y - o.C.y) * k};
            o.E = {o.C.x + (seg[i].E.x - o.C.x) * k, o.C.y + (seg[i].E.y - o.C.y) * k};
            o.Alfa = a;
            o.N1 = {double(p.x - o.C.x) / double(R), double(p.y - o.C.y) / double(R)};
            o.N2 = {double(seg[i].E.x - o.C.x) / double(R), double(seg[i].E.y - o.C.y) / double(R)};
        }
        DrawTraceSeg(o.S, o.E, o.Alfa);
        p = seg[i].E;
    }
    // The gap at each vertex closed as JoinOffsetCorner closes it: nothing when the
    // offsets meet, a sharp corner up to Glob.MinOffsArc (both pieces lengthened no
    // farther than it lengthens them, the crossing within its reach), an arc about
    // the vertex beyond. A corner it would close otherwise leaves the loop to it.
    struct TCorner {
        Osy In, Out;     // where the piece before ends, where the piece after starts
        Extended Alfa;   // the bridging arc, 0 for none
        double Ext1, Ext2;  // angles by which an arc before / after is lengthened
    };
    std::vector<TCorner> cor(static_cast<size_t>(n));
    const double cosMin = std::cos(double(Glob.MinOffsArc));
    const Extended reach = Dist / std::cos(double(Glob.MinOffsArc) / 2) + CoordTol;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t b = i == 0 ? n - 1 : i - 1;
        const Osy V = i == 0 ? seg[n - 1].E : seg[i - 1].E;
        const TOffSeg &o1 = off[size_t(b)], &o2 = off[size_t(i)];
        TCorner& c = cor[size_t(i)];
        c.In = c.Out = o1.E;
        c.Alfa = 0;
        c.Ext1 = c.Ext2 = 0;
        if (SamePt(o1.E, o2.S)) continue;
        const TDir n1 = o1.N2, n2 = o2.N1;
        const double dot = n1.x * n2.x + n1.y * n2.y;
        if (dot < cosMin) {  // bridged about the vertex
            const Extended t = Extended(std::atan2(n1.x * n2.y - n1.y * n2.x, dot));
            if (std::fabs(t) > CoordTol) c.Out = o2.S, c.Alfa = t;
            continue;
        }
        if (!o1.Arc && !o2.Arc) {
            const double k = D / (1 + dot);
            c.In = c.Out = {V.x + k * (n1.x + n2.x), V.y + k * (n1.y + n2.y)};
            continue;
        }
        Osy X;
        bool ok;
        if (!o1.Arc)
            ok = LineCircleNear(o1.E, o1.T, o2.C, o2.Rho, V, X);
        else if (!o2.Arc)
            ok = LineCircleNear(o2.S, o2.T, o1.C, o1.Rho, V, X);
        else
            ok = CircleCircleNear(o1.C, o1.Rho, o2.C, o2.Rho, V, X);
        if (!ok || ::Dist(V, X) > reach) return nullptr;
        // No farther than JoinOffsetCorner lengthens a piece: Dist/2 along a line,
        // its lengthening angle along an arc.
        const Extended sign = Sense > 0 ? 1 : -1;
        if (o1.Arc) {
            c.Ext1 = TurnAbout(o1.C, o1.E, X);
            if (sign * c.Ext1 > std::fmin(D / (2 * o1.Rho), double(Glob.MinOffsArc))) return nullptr;
        } else if (double(X.x - o1.E.x) * o1.T.x + double(X.y - o1.E.y) * o1.T.y > D / 2) {
            return nullptr;
        }
        if (o2.Arc) {
            c.Ext2 = TurnAbout(o2.C, X, o2.S);
            if (sign * c.Ext2 > std::fmin(D / (2 * o2.Rho), double(Glob.MinOffsArc))) return nullptr;
        } else if (double(o2.S.x - X.x) * o2.T.x + double(o2.S.y - X.y) * o2.T.y > D / 2) {
            return nullptr;
        }
        c.In = c.Out = X;
    }
    int32_t m = n;
    for (const TCorner& c : cor) m += c.Alfa != 0;
    TObjHeader* r = AllocObj(PlineSizeFor(m), ObjPline);
    r->Layer = La;
    AsPline(r)->S = cor[0].Out;
    TPlineSeg* out = PlineSegs(r);
    for (int32_t i = 0; i < n; ++i) {
        const TCorner& c = cor[size_t(i + 1 == n ? 0 : i + 1)];
        const TOffSeg& o = off[size_t(i)];
        const TCorner& from = cor[size_t(i)];
        // A piece cut to nothing or past its other end: for the general route.
        const Extended a = o.Arc ? o.Alfa + Extended(from.Ext2) + Extended(c.Ext1) : 0;
        const bool kept = o.Arc ? a * o.Alfa > 1e-9L
                                : double(c.In.x - from.Out.x) * o.T.x + double(c.In.y - from.Out.y) * o.T.y >
                                      10 * double(CoordTol);
        if (!kept) {
            FreeObjBlock(r);
            return nullptr;
        }
        *out++ = {a, c.In};
        if (c.Alfa != 0) *out++ = {c.Alfa, c.Out};
    }
    return AppendObj(r, S, E);
}

}  // namespace offs
