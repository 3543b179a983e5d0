// The curve is flattened into a temporary point chain (kept outside the builder) by
// halving it until both control triangles are flatter than AreaTol; that chain is
// the reference the fitted lines and arcs are measured against.
#include "formats/UniBezier.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Builder.h"
#include "core/Glob.h"
#include "core/UniGeom.h"

namespace {

// Halvings deep enough for any curve of the drawing; deeper pieces become chords.
constexpr int MaxDepth = 40;

struct TBez {
    Osy P0, P1, P2, P3;
};

Osy Mid(const Osy& A, const Osy& B) { return Osy{(A.x + B.x) / 2, (A.y + B.y) / 2}; }

// de Casteljau at one half.
void Split(const TBez& B, TBez& L, TBez& R) {
    Osy p01 = Mid(B.P0, B.P1), p12 = Mid(B.P1, B.P2), p23 = Mid(B.P2, B.P3);
    Osy p012 = Mid(p01, p12), p123 = Mid(p12, p23);
    Osy m = Mid(p012, p123);
    L = {B.P0, p01, p012, m};
    R = {m, p123, p23, B.P3};
}

// Heron's formula; 0 for a triangle degenerate within the tolerance.
Extended TriArea(const Osy& A, const Osy& B, const Osy& C) {
    Extended a = Dist(B, C), b = Dist(A, C), c = Dist(A, B);
    Extended s = (a + b + c) / 2;
    if (s < CoordTol || s - a < CoordTol || s - b < CoordTol || s - c < CoordTol) return 0;
    return std::sqrt(s * (s - a) * (s - b) * (s - c));
}

void Flatten(const TBez& B, Extended AreaTol, std::vector<Osy>& Pts, int Depth) {
    if (Depth >= MaxDepth || TriArea(B.P0, B.P1, B.P2) + TriArea(B.P0, B.P2, B.P3) <= AreaTol) {
        if (!SamePt(Pts.back(), B.P3)) Pts.push_back(B.P3);
        return;
    }
    TBez l, r;
    Split(B, l, r);
    Flatten(l, AreaTol, Pts, Depth + 1);
    Flatten(r, AreaTol, Pts, Depth + 1);
}

std::vector<Osy> Chain(const TBez& B, Extended AreaTol) {
    std::vector<Osy> pts{B.P0};
    Flatten(B, AreaTol, pts, 0);
    return pts;
}

// Distance of P from the infinite line through A and B.
Extended LineDist(const Osy& P, const Osy& A, const Osy& B) {
    Osy f;
    Extended d;
    PerpFootLine(P, A, B, f, d);
    return d;
}

struct TOut {
    Osy* Min;
    Osy* Max;
    void Add(const Osy& E, Extended Alfa) {
        if (Min && Max) {
            Min->x = std::min(Min->x, E.x);
            Min->y = std::min(Min->y, E.y);
            Max->x = std::max(Max->x, E.x);
            Max->y = std::max(Max->y, E.y);
        }
        AddSeg(E, Alfa, Glob.InputFiltr);
    }
};

void ToLines(const TBez& B, Extended AreaTol, Extended MaxErr, TOut& Out, int Depth) {
    std::vector<Osy> pts = Chain(B, AreaTol);
    if (pts.size() < 2) return;
    bool fits = Depth >= MaxDepth;
    if (!fits) {
        fits = true;
        for (const Osy& v : pts)
            if (LineDist(v, B.P0, B.P3) > MaxErr) {
                fits = false;
                break;
            }
    }
    if (fits) {
        Out.Add(B.P3, 0);
        return;
    }
    TBez l, r;
    Split(B, l, r);
    ToLines(l, AreaTol, MaxErr, Out, Depth + 1);
    ToLines(r, AreaTol, MaxErr, Out, Depth + 1);
}

// The point halfway along the chain's length.
Osy HalfPoint(const std::vector<Osy>& Pts) {
    Extended total = 0;
    for (size_t i = 1; i < Pts.size(); ++i) total += Dist(Pts[i - 1], Pts[i]);
    Extended half = total / 2, run = 0;
    for (size_t i = 1; i < Pts.size(); ++i) {
        Extended len = Dist(Pts[i - 1], Pts[i]);
        if (run + len >= half && len > 0) {
            Extended t = (half - run) / len;
            return Osy{Pts[i - 1].x + t * (Pts[i].x - Pts[i - 1].x), Pts[i - 1].y + t * (Pts[i].y - Pts[i - 1].y)};
        }
        run += len;
    }
    return Pts.back();
}

void ToArcs(const TBez& B, Extended AreaTol, Extended MaxErr, TOut& Out, int Depth) {
    std::vector<Osy> pts = Chain(B, AreaTol);
    if (pts.size() < 2) return;
    Osy h = HalfPoint(pts);
    Extended g = Dist(B.P0, B.P3), c = Dist(B.P0, h), f = Dist(h, B.P3);
    if (g < CoordTol || c < CoordTol || f < CoordTol || c + f - g < CoordTol) {
        ToLines(B, AreaTol, MaxErr, Out, Depth);
        return;
    }
    Extended cosA = std::clamp((c * c + g * g - f * f) / (2 * g * c), Extended(-1), Extended(1));
    Extended alfa = 4 * std::acos(cosA) * 0.95L;
    // An arc bulging to the right of P0->P3 runs counter-clockwise.
    Extended cross = (B.P3.x - B.P0.x) * (h.y - B.P0.y) - (B.P3.y - B.P0.y) * (h.x - B.P0.x);
    if (cross >= 0) alfa = -alfa;
    if (std::fabs(alfa) <= CoordTol) {
        ToLines(B, AreaTol, MaxErr, Out, Depth);
        return;
    }
    bool fits = Depth >= MaxDepth;
    if (!fits) {
        Osy C;
        Extended R;
        ArcCenter(B.P0, B.P3, alfa, C, R);
        fits = true;
        for (const Osy& v : pts)
            if (std::fabs(Dist(C, v) - R) > MaxErr) {
                fits = false;
                break;
            }
    }
    if (fits) {
        Out.Add(B.P3, Depth >= MaxDepth ? 0 : alfa);
        return;
    }
    TBez l, r;
    Split(B, l, r);
    ToArcs(l, AreaTol, MaxErr, Out, Depth + 1);
    ToArcs(r, AreaTol, MaxErr, Out, Depth + 1);
}

}  // namespace

void BezierToLines(const Osy& P0, const Osy& P1, const Osy& P2, Extended AreaTol, Extended MaxErr,
                   const Osy& P3, Osy* Min, Osy* Max) {
    TOut out{Min, Max};
    ToLines(TBez{P0, P1, P2, P3}, AreaTol, MaxErr, out, 0);
}

void BezierToArcs(const Osy& P0, const Osy& P1, const Osy& P2, Extended AreaTol, Extended MaxErr,
                  const Osy& P3, Osy* Min, Osy* Max) {
    TOut out{Min, Max};
    ToArcs(TBez{P0, P1, P2, P3}, AreaTol, MaxErr, out, 0);
}
