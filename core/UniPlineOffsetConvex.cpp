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

TObjHeader* ConvexLinesOutward(const TObjHeader* Src, int Sense, Extended Dist, uint8_t La, TObjHeader*& S,
                               TObjHeader*& E) {
    const int32_t n = PlineSegCount(Src);
    const TPlineSeg* seg = PlineSegs(Src);
    for (int32_t i = 0; i < n; ++i)
        if (std::fabs(seg[i].Alfa) > CoordTol) return nullptr;
    const double D = double(Dist);
    // Unit normals to the outside: right of travel for a counter-clockwise loop.
    std::vector<TDir> nrm(static_cast<size_t>(n));
    Osy p = AsPline(Src)->S;
    for (int32_t i = 0; i < n; ++i) {
        const double dx = double(seg[i].E.x - p.x), dy = double(seg[i].E.y - p.y);
        const double l = std::sqrt(dx * dx + dy * dy);
        nrm[size_t(i)] = Sense > 0 ? TDir{dy / l, -dx / l} : TDir{-dy / l, dx / l};
        DrawTraceSeg({p.x + D * nrm[size_t(i)].x, p.y + D * nrm[size_t(i)].y},
                     {seg[i].E.x + D * nrm[size_t(i)].x, seg[i].E.y + D * nrm[size_t(i)].y}, 0);
        p = seg[i].E;
    }
    // The gap at each vertex closed as JoinOffsetCorner closes it: nothing when the
    // sides meet, a sharp corner up to Glob.MinOffsArc, an arc about the vertex beyond.
    struct TCorner {
        Osy In, Out;  // where the side before ends, where the side after starts
        Extended Alfa;
    };
    std::vector<TCorner> cor(static_cast<size_t>(n));
    const double cosMin = std::cos(double(Glob.MinOffsArc));
    for (int32_t i = 0; i < n; ++i) {
        const int32_t b = i == 0 ? n - 1 : i - 1;
        const Osy V = i == 0 ? seg[n - 1].E : seg[i - 1].E;
        const Osy S0 = i == 0 ? AsPline(Src)->S : V;
        const TDir n1 = nrm[size_t(b)], n2 = nrm[size_t(i)];
        const Osy oe{V.x + D * n1.x, V.y + D * n1.y}, os{S0.x + D * n2.x, S0.y + D * n2.y};
        TCorner& c = cor[size_t(i)];
        c.In = c.Out = oe;
        c.Alfa = 0;
        if (SamePt(oe, os)) continue;
        const double dot = n1.x * n2.x + n1.y * n2.y;
        if (dot >= cosMin) {
            const double k = D / (1 + dot);
            c.In = c.Out = {V.x + k * (n1.x + n2.x), V.y + k * (n1.y + n2.y)};
            continue;
        }
        const Extended t = Extended(std::atan2(n1.x * n2.y - n1.y * n2.x, dot));
        if (std::fabs(t) > CoordTol) c.Out = os, c.Alfa = t;
    }
    int32_t m = n;
    for (const TCorner& c : cor) m += c.Alfa != 0;
    TObjHeader* r = AllocObj(PlineSizeFor(m), ObjPline);
    r->Layer = La;
    AsPline(r)->S = cor[0].Out;
    TPlineSeg* out = PlineSegs(r);
    for (int32_t i = 0; i < n; ++i) {
        const TCorner& c = cor[size_t(i + 1 == n ? 0 : i + 1)];
        *out++ = {0, c.In};
        if (c.Alfa != 0) *out++ = {c.Alfa, c.Out};
    }
    return AppendObj(r, S, E);
}

}  // namespace offs
