// The curve is flattened into a point chain (kept outside the builder) by halving it
// until both control triangles are flatter than AreaTol, or its control points lie
// closer to the piece's chord than a small part of the allowed error; that chain is
// the reference the fitted lines and arcs are measured against.
#include "core/UniBezier.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Builder.h"
#include "core/Glob.h"
#include "core/UniGeom.h"

namespace {

// At most 2^16 pieces per curve; deeper pieces become chords. A chord of a piece that
// deep is off any curve within the 20000 mm limits by less than 0.0001 mm (the
// curve's second derivative stays below 7e5 mm there), far below what a machine cuts,
// while a curve of that size flattened to an area alone took a million pieces.
constexpr int MaxDepth = 16;
// The chain may leave the curve by this part of the allowed error: the fitting is then
// measured against the curve itself, nearly, and a finer chain only costs time.
constexpr Extended FlatPart = 1.0L / 4;

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

// Area of the triangle ABC (the cross product: the same value as Heron's formula, at
// a fraction of the cost; the flattening runs it for every piece).
Extended TriArea(const Osy& A, const Osy& B, const Osy& C) {
    return std::fabs((B.x - A.x) * (C.y - A.y) - (B.y - A.y) * (C.x - A.x)) / 2;
}

// Distance of P from the segment AB (from A when the segment has no length).
Extended SegDist(const Osy& P, const Osy& A, const Osy& B) {
    const Extended dx = B.x - A.x, dy = B.y - A.y, len2 = dx * dx + dy * dy;
    Extended t = len2 > 0 ? ((P.x - A.x) * dx + (P.y - A.y) * dy) / len2 : 0;
    t = std::clamp(t, Extended(0), Extended(1));
    return Dist(P, Osy{A.x + t * dx, A.y + t * dy});
}

// The piece lies in the hull of its control points: with both inner ones within Tol
// of the chord, so is the whole piece.
bool FlatWithin(const TBez& B, Extended Tol) {
    return SegDist(B.P1, B.P0, B.P3) <= Tol && SegDist(B.P2, B.P0, B.P3) <= Tol;
}

// The curve flattened once: the chain of points and the tree of halvings that made
// it. A node's chain is Pts[First..Last]; the halves of a node that was split meet at
// Pts[Mid] (the fitting below halves exactly where the flattening did, so the chain
// of every half is a piece of the whole one).
// Only the piece's ends are kept: the fitting measures against its chord, and a curve
// near the coordinate limit is halved into a million pieces.
struct TNode {
    Osy P0, P3;
    int Mid = -1;  // -1: flat enough, one chord
    int L = -1, R = -1;
};
struct TFlat {
    std::vector<Osy> Pts;
    std::vector<TNode> Nodes;
};

int Flatten(const TBez& B, Extended AreaTol, Extended FlatTol, TFlat& F, int Depth) {
    int id = int(F.Nodes.size());
    F.Nodes.push_back(TNode{B.P0, B.P3});
    if (Depth >= MaxDepth || TriArea(B.P0, B.P1, B.P2) + TriArea(B.P0, B.P2, B.P3) <= AreaTol ||
        FlatWithin(B, FlatTol)) {
        if (!SamePt(F.Pts.back(), B.P3)) F.Pts.push_back(B.P3);
        return id;
    }
    TBez l, r;
    Split(B, l, r);
    int li = Flatten(l, AreaTol, FlatTol, F, Depth + 1);
    int mid = int(F.Pts.size()) - 1;
    int ri = Flatten(r, AreaTol, FlatTol, F, Depth + 1);
    F.Nodes[id].Mid = mid;
    F.Nodes[id].L = li;
    F.Nodes[id].R = ri;
    return id;
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

void ToLines(const TFlat& F, int Node, int First, int Last, Extended MaxErr, TOut& Out) {
    if (Last <= First) return;  // no segment
    const TNode& n = F.Nodes[Node];
    bool fits = n.Mid < 0;
    if (!fits) {
        fits = true;
        for (int i = First; i <= Last; ++i)
            if (LineDist(F.Pts[i], n.P0, n.P3) > MaxErr) {
                fits = false;
                break;
            }
    }
    if (fits) {
        Out.Add(n.P3, 0);
        return;
    }
    ToLines(F, n.L, First, n.Mid, MaxErr, Out);
    ToLines(F, n.R, n.Mid, Last, MaxErr, Out);
}

// The point halfway along the length of the chain Pts[First..Last].
Osy HalfPoint(const std::vector<Osy>& Pts, int First, int Last) {
    Extended total = 0;
    for (int i = First + 1; i <= Last; ++i) total += Dist(Pts[i - 1], Pts[i]);
    Extended half = total / 2, run = 0;
    for (int i = First + 1; i <= Last; ++i) {
        Extended len = Dist(Pts[i - 1], Pts[i]);
        if (run + len >= half && len > 0) {
            Extended t = (half - run) / len;
            return Osy{Pts[i - 1].x + t * (Pts[i].x - Pts[i - 1].x), Pts[i - 1].y + t * (Pts[i].y - Pts[i - 1].y)};
        }
        run += len;
    }
    return Pts[Last];
}

void ToArcs(const TFlat& F, int Node, int First, int Last, Extended MaxErr, TOut& Out) {
    if (Last <= First) return;  // no segment
    const TNode& n = F.Nodes[Node];
    const TNode& B = n;
    Osy h = HalfPoint(F.Pts, First, Last);
    Extended g = Dist(B.P0, B.P3), c = Dist(B.P0, h), f = Dist(h, B.P3);
    if (g < CoordTol || c < CoordTol || f < CoordTol || c + f - g < CoordTol) {
        ToLines(F, Node, First, Last, MaxErr, Out);
        return;
    }
    Extended cosA = std::clamp((c * c + g * g - f * f) / (2 * g * c), Extended(-1), Extended(1));
    Extended alfa = 4 * std::acos(cosA) * 0.95L;
    // An arc bulging to the right of P0->P3 runs counter-clockwise.
    Extended cross = (B.P3.x - B.P0.x) * (h.y - B.P0.y) - (B.P3.y - B.P0.y) * (h.x - B.P0.x);
    if (cross >= 0) alfa = -alfa;
    if (std::fabs(alfa) <= CoordTol) {
        ToLines(F, Node, First, Last, MaxErr, Out);
        return;
    }
    if (n.Mid < 0) {  // a single chord: the line is exact
        Out.Add(B.P3, 0);
        return;
    }
    Osy C;
    Extended R;
    ArcCenter(B.P0, B.P3, alfa, C, R);
    bool fits = true;
    for (int i = First; i <= Last; ++i)
        if (std::fabs(Dist(C, F.Pts[i]) - R) > MaxErr) {
            fits = false;
            break;
        }
    if (fits) {
        Out.Add(B.P3, alfa);
        return;
    }
    ToArcs(F, n.L, First, n.Mid, MaxErr, Out);
    ToArcs(F, n.R, n.Mid, Last, MaxErr, Out);
}

// The chain and tree of the last curve, kept for the next one: a path of many curves
// then does not allocate for each. A very large one is given back afterwards.
TFlat& FlattenAll(const TBez& B, Extended AreaTol, Extended MaxErr) {
    static TFlat f;
    f.Pts.clear();
    f.Nodes.clear();
    f.Pts.push_back(B.P0);
    Flatten(B, AreaTol, MaxErr * FlatPart, f, 0);
    return f;
}

void ReleaseLarge(TFlat& F) {
    constexpr size_t Keep = 1 << 16;
    if (F.Nodes.capacity() > Keep) std::vector<TNode>().swap(F.Nodes);
    if (F.Pts.capacity() > Keep) std::vector<Osy>().swap(F.Pts);
}

}  // namespace

void BezierToLines(const Osy& P0, const Osy& P1, const Osy& P2, Extended AreaTol, Extended MaxErr,
                   const Osy& P3, Osy* Min, Osy* Max) {
    TOut out{Min, Max};
    TFlat& f = FlattenAll(TBez{P0, P1, P2, P3}, AreaTol, MaxErr);
    ToLines(f, 0, 0, int(f.Pts.size()) - 1, MaxErr, out);
    ReleaseLarge(f);
}

void BezierToArcs(const Osy& P0, const Osy& P1, const Osy& P2, Extended AreaTol, Extended MaxErr,
                  const Osy& P3, Osy* Min, Osy* Max) {
    TOut out{Min, Max};
    TFlat& f = FlattenAll(TBez{P0, P1, P2, P3}, AreaTol, MaxErr);
    ToArcs(f, 0, 0, int(f.Pts.size()) - 1, MaxErr, out);
    ReleaseLarge(f);
}
