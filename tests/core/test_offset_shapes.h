// Generated closed profiles for the offset tests: a star, a gear with arc flanks and
// random star-shaped polygons with some arcs.
#pragma once
#include <cmath>
#include <random>
#include <vector>

#include "test_pline_util.h"

namespace offtest {

using pltest::Seg;

// A star of Points tips between radii Rin and Rout about C, counter-clockwise.
inline TObjHeader* Star(const Osy& C, int Points, Extended Rin, Extended Rout) {
    std::vector<Osy> pts;
    for (int k = 0; k <= 2 * Points; ++k) {
        const Extended a = GeomPi * Extended(k) / Points;
        const Extended r = (k % 2) ? Rin : Rout;
        pts.push_back(k == 2 * Points ? pts[0] : Osy{C.x + r * std::cos(a), C.y + r * std::sin(a)});
    }
    return pltest::Poly(pts);
}

// A gear of Teeth teeth about C: each tooth a line up, a convex arc over the tip, a
// line down, and a concave arc along the root.
inline TObjHeader* Gear(const Osy& C, int Teeth, Extended Rroot, Extended Rtip) {
    std::vector<Seg> segs;
    auto at = [&](Extended r, Extended a) { return Osy{C.x + r * std::cos(a), C.y + r * std::sin(a)}; };
    const Extended step = Geom2Pi / Teeth;
    const Osy S = at(Rroot, 0);
    for (int k = 0; k < Teeth; ++k) {
        const Extended a0 = step * k;
        segs.push_back({at(Rtip, a0 + step * 0.1L), 0});
        segs.push_back({at(Rtip, a0 + step * 0.4L), 0.6L});
        segs.push_back({at(Rroot, a0 + step * 0.5L), 0});
        segs.push_back({k + 1 == Teeth ? S : at(Rroot, a0 + step), -0.5L});
    }
    TObjHeader* r = pltest::Pline(S, segs);
    EnPline.FindDir(r);
    return r;
}

// A random star-shaped closed polygon of N vertices about C; some sides bulge.
inline TObjHeader* RandomProfile(std::mt19937& Rng, const Osy& C, int N) {
    std::uniform_real_distribution<double> rad(5, 20), bulge(-0.6, 0.6), coin(0, 1);
    std::vector<Seg> segs;
    Osy S;
    for (int k = 0; k <= N; ++k) {
        const Extended a = Geom2Pi * Extended(k % N) / N;
        const Extended r = k == N ? 0 : Extended(rad(Rng));
        Osy P = k == N ? S : Osy{C.x + r * std::cos(a), C.y + r * std::sin(a)};
        if (k == 0) {
            S = P;
            continue;
        }
        segs.push_back({P, coin(Rng) < 0.3 ? Extended(bulge(Rng)) : 0});
    }
    TObjHeader* r = pltest::Pline(S, segs);
    EnPline.FindDir(r);
    return r;
}

}  // namespace offtest
