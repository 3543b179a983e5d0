#include "shell/Osnap.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/Glob.h"
#include "core/ObjIndex.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPlineIndex.h"
#include "core/UniPlineUtil.h"
#include "shell/Main.h"

using pline::IsLine;

namespace {

// Polylines with fewer segments are scanned whole; longer ones through the drawing
// index's segment boxes.
constexpr int32_t IndexedSegs = 32;

// A little beyond the aperture: distances within tolerances of its edge still count.
constexpr Extended Slack = 100 * CoordTol;

TIdxBox BoxAround(const Osy& C, Extended R) {
    return {double(C.x - R), double(C.y - R), double(C.x + R), double(C.y + R)};
}

// One search asks for the segments near the pointer of the same polyline several
// times; while OsnapSearch runs (the drawing does not change meanwhile) the answers
// are kept.
struct TNearAnswer {
    const TObjHeader* Obj;
    Osy C;
    Extended R;
    bool All;
    std::vector<int32_t> Segs;
};
std::vector<TNearAnswer>* KeptAnswers = nullptr;

// The segments of a polyline whose box meets C +- R, ascending (all of a short one).
// True when that is every segment.
bool NearSegs(const TObjHeader* Obj, const Osy& C, Extended R, std::vector<int32_t>& Out) {
    if (KeptAnswers)
        for (const TNearAnswer& K : *KeptAnswers)
            if (K.Obj == Obj && K.R == R && K.C.x == C.x && K.C.y == C.y) {
                Out = K.Segs;
                return K.All;
            }
    Out.clear();
    const int32_t N = PlineSegCount(Obj);
    bool All = true;
    if (N < IndexedSegs) {
        for (int32_t i = 0; i < N; ++i) Out.push_back(i);
    } else {
        DrawingIndex().Segments(Obj).Index.QuerySorted(BoxAround(C, R), Out);
        All = int32_t(Out.size()) == N;
    }
    if (KeptAnswers) KeptAnswers->push_back({Obj, C, R, All, Out});
    return All;
}

// The boxes of a polyline's segments: the index's for a long one, else computed.
class TSegBoxes {
public:
    explicit TSegBoxes(const TObjHeader* Obj)
        : Obj(Obj), Idx(PlineSegCount(Obj) >= IndexedSegs ? &DrawingIndex().Segments(Obj).Index : nullptr) {}
    TIdxBox operator()(int32_t i) const {
        return Idx ? Idx->Box(i) : pline::SegBox(PlineSegStart(Obj, i), PlineSegs(Obj)[i].E, PlineSegs(Obj)[i].Alfa);
    }

private:
    const TObjHeader* Obj;
    const TSegBoxIndex* Idx;
};

// The distance from (X, Y) to the box, 0 inside: no point of what the box holds is
// nearer. The boxes are grown by ten tolerances, so the bound stays below the exact
// distances however they are rounded.
double BoxDist(const TIdxBox& B, double X, double Y) {
    const double Dx = std::max({B.x1 - X, X - B.x2, 0.0});
    const double Dy = std::max({B.y1 - Y, Y - B.y2, 0.0});
    return std::sqrt(Dx * Dx + Dy * Dy);
}

// The distance from (X, Y) to the straight segment S-E in doubles, and whether the
// foot of the perpendicular falls on it.
double LineDist(const Osy& S, const Osy& E, double X, double Y, bool& FootOn) {
    const double Sx = double(S.x), Sy = double(S.y), Vx = double(E.x) - Sx, Vy = double(E.y) - Sy;
    const double Wx = X - Sx, Wy = Y - Sy, L2 = Vx * Vx + Vy * Vy;
    double T = L2 > 0 ? (Wx * Vx + Wy * Vy) / L2 : 0;
    FootOn = L2 > 0 && T >= 0 && T <= 1;
    T = std::clamp(T, 0.0, 1.0);
    const double Dx = Wx - T * Vx, Dy = Wy - T * Vy;
    return std::sqrt(Dx * Dx + Dy * Dy);
}

// Bounds a search may use in doubles: no segment's exact distance, however rounded and
// however short the segment, lies farther than this from the bound.
constexpr double BoundSlack = 10 * double(CoordTol);

// A lower bound of the distance from C to segment i (a line's own distance, an arc's
// box's).
double LowDist(const TObjHeader* Obj, const TSegBoxes& Boxes, int32_t i, double X, double Y) {
    const TPlineSeg& Sg = PlineSegs(Obj)[i];
    if (!IsLine(Sg.Alfa)) return BoxDist(Boxes(i), X, Y);
    bool On;
    return LineDist(PlineSegStart(Obj, i), Sg.E, X, Y, On) - BoundSlack;
}

// Whether some segment of the polyline (its start point when it has none) comes
// within the box C +- A.
bool PlineNear(const TObjHeader* Obj, const Osy& C, Extended A) {
    const int32_t N = PlineSegCount(Obj);
    const TIdxBox Q = BoxAround(C, A);
    if (N == 0) {
        const Osy S = AsPline(Obj)->S;
        return TIdxBox{double(S.x), double(S.y), double(S.x), double(S.y)}.Meets(Q);
    }
    if (N >= IndexedSegs) return DrawingIndex().Segments(Obj).Index.AnyMeets(Q);
    const TPlineSeg* Sg = PlineSegs(Obj);
    Osy S = AsPline(Obj)->S;
    for (int32_t i = 0; i < N; ++i) {
        if (pline::SegBox(S, Sg[i].E, Sg[i].Alfa).Meets(Q)) return true;
        S = Sg[i].E;
    }
    return false;
}

// P, or the members of group P in place (depth first), when they lie near C (texts at
// any distance).
void CollectNear(TObjHeader* P, const Osy& C, Extended A, std::vector<TObjHeader*>& Out) {
    switch (P->Type) {
        case ObjPoint: {
            const Osy S = AsPoint(P)->S;
            if (TIdxBox{double(S.x), double(S.y), double(S.x), double(S.y)}.Meets(BoxAround(C, A))) Out.push_back(P);
            break;
        }
        case ObjPline:
            if (PlineNear(P, C, A)) Out.push_back(P);
            break;
        case ObjGroup:
            for (TObjHeader* M = AsGroup(P)->First; M; M = M->Next) CollectNear(M, C, A, Out);
            break;
        case ObjText:
            Out.push_back(P);
            break;
        default:
            break;
    }
}

// The distance from C to the polyline and its nearest segment, as TEnPline::DistPoint
// finds them, looking only at the segments within R of C: exact whenever the distance
// found is at most R.
Extended NearDistPoint(const TObjHeader* Obj, const Osy& C, Extended R, int32_t& Seg) {
    if (PlineSegCount(Obj) < IndexedSegs) return EnPline.DistPoint(Obj, C, Seg);
    std::vector<int32_t> Near;
    NearSegs(Obj, C, R, Near);
    const TPlineSeg* Sg = PlineSegs(Obj);
    const bool Closed = (AsPline(Obj)->PlineFlags & PlineClosed) != 0;
    Seg = 0;
    Extended Best = Closed ? 1e6L : Dist(C, AsPline(Obj)->S);
    Extended BestSum = 1e6L;
    // Bounds in doubles first: a line is never nearer than its own distance, and no
    // segment is farther than its end point (a line with its foot on it, than its own
    // distance). Only the segments that can come within a margin of the least upper
    // bound are measured exactly, in order, as there; a segment clearly farther than
    // that bound or than the best so far is passed over.
    constexpr Extended Margin = 10 * CoordTol;
    const double X = double(C.x), Y = double(C.y);
    std::vector<double> Low(Near.size(), 0.0);
    double Up = double(Best);
    for (size_t k = 0; k < Near.size(); ++k) {
        const int32_t i = Near[k];
        const double Ex = double(Sg[i].E.x) - X, Ey = double(Sg[i].E.y) - Y;
        const double EndD = std::sqrt(Ex * Ex + Ey * Ey);
        if (IsLine(Sg[i].Alfa)) {
            bool On;
            Low[k] = LineDist(PlineSegStart(Obj, i), Sg[i].E, X, Y, On);
            Up = std::min(Up, On ? Low[k] : EndD);
        } else {
            Up = std::min(Up, EndD);
        }
    }
    const Extended Bound = Extended(Up + BoundSlack);
    for (size_t k = 0; k < Near.size(); ++k) {
        const int32_t i = Near[k];
        const Osy S = PlineSegStart(Obj, i), E = Sg[i].E;
        const Extended Lim = std::min(Best, Bound) + Margin;
        if (Extended(Low[k]) > Lim) continue;
        if (IsLine(Sg[i].Alfa)) {
            const Extended Dx = std::fmax(std::fmax(std::fmin(S.x, E.x) - C.x, C.x - std::fmax(S.x, E.x)), 0);
            const Extended Dy = std::fmax(std::fmax(std::fmin(S.y, E.y) - C.y, C.y - std::fmax(S.y, E.y)), 0);
            if (Dx > Lim || Dy > Lim || Dx * Dx + Dy * Dy > Lim * Lim) continue;
        } else if (Dist(C, S) - pline::SegLength(S, E, Sg[i].Alfa) > Lim) {
            continue;
        }
        Osy F;
        Extended D;
        const bool On = pline::PerpFootSeg(C, S, E, Sg[i].Alfa, F, D);
        const Extended Cand = On ? D : Dist(C, E);
        const Extended Q = Dist(C, S) + Dist(C, E);
        if (std::fabs(Cand - Best) <= CoordTol ? Q < BestSum : Cand < Best) {
            Best = Cand;
            Seg = i;
            BestSum = Q;
        }
    }
    return Best;
}

// The nearest segment, exact: the local search, else the whole polyline.
int32_t NearestSeg(const TObjHeader* Obj, const Osy& C, Extended A) {
    int32_t I;
    if (NearDistPoint(Obj, C, A + Slack, I) > A + Slack) EnPline.DistPoint(Obj, C, I);
    return I;
}

// The first segment in order with the least Score(i) among those that have one
// (Score answers false for the others), looking ever farther from C: a segment scoring
// D at most R has its box meeting C +- R, so a best score within R is the answer.
// A segment's score is never below its distance from C (LowDist): the segments are
// scored nearest first, and the walk ends at a bound farther than the best score
// (equal scores go to the first segment in order, as a walk in order would choose).
template <class ScoreFn>
bool BestNearSeg(const TObjHeader* Obj, const Osy& C, Extended R, ScoreFn Score, int32_t& Best) {
    std::vector<int32_t> Near;
    std::vector<std::pair<double, int32_t>> ByBox;
    const TSegBoxes Boxes(Obj);
    const double X = double(C.x), Y = double(C.y);
    R = std::max<Extended>(R, Slack);
    for (;;) {
        const bool All = NearSegs(Obj, C, R, Near);
        ByBox.clear();
        for (int32_t i : Near) ByBox.emplace_back(LowDist(Obj, Boxes, i, X, Y), i);
        std::sort(ByBox.begin(), ByBox.end());
        bool Found = false;
        Extended BestD = 0;
        for (const auto& [Low, i] : ByBox) {
            if (Found && Extended(Low) > BestD) break;
            Extended D;
            if (Score(i, D) && (!Found || D < BestD || (D == BestD && i < Best))) {
                Found = true;
                BestD = D;
                Best = i;
            }
        }
        if (All || (Found && BestD <= R)) return Found;
        R = Found ? BestD + Slack : 4 * R;
    }
}

bool LayerShownForSnap(uint8_t L) {
    if (L == LayerOrig) return true;
    return L <= LayerCount && Glob.TabLayer[L].Show;
}

// The segment of a polyline nearest to C among those whose perpendicular foot from C
// lies on them (the first segment when none does); the search starts at the aperture.
int32_t FootSegment(const TObjHeader* Obj, const Osy& C, Extended A) {
    const TPlineSeg* Sg = PlineSegs(Obj);
    int32_t Best = 0;
    const bool Found = BestNearSeg(Obj, C, A + Slack, [&](int32_t i, Extended& D) {
        Osy F;
        return pline::PerpFootSeg(C, PlineSegStart(Obj, i), Sg[i].E, Sg[i].Alfa, F, D);
    }, Best);
    return Found ? Best : 0;
}

bool IsPlineWithSegs(const TObjHeader* Obj) {
    return Obj && Obj->Type == ObjPline && PlineSegCount(Obj) > 0;
}

}  // namespace

void SnapCandidates(TObjHeader* First, const Osy& C, Extended A, std::vector<TObjHeader*>& Out) {
    TObjIndex& I = DrawingIndex();
    if (!I.Heads(First)) {
        for (TObjHeader* P = First; P; P = P->Next) CollectNear(P, C, A, Out);
        return;
    }
    std::vector<TObjHeader*> Top;
    I.Query({C.x - A, C.y - A}, {C.x + A, C.y + A}, Top, true);
    for (TObjHeader* P : Top) CollectNear(P, C, A, Out);
}

namespace {

// The distance by which a candidate competes for the pair; false when it does not.
bool SnapDistance(TObjHeader* P, const Osy& C, Extended A, Extended& D, int32_t& Seg) {
    if (!LayerShownForSnap(P->Layer)) return false;
    switch (P->Type) {
        case ObjPoint:
            D = Dist(AsPoint(P)->S, C);
            return D <= A;
        case ObjPline:
            D = NearDistPoint(P, C, A + Slack, Seg);
            return D <= A;
        case ObjText:
            D = Dist(AsText(P)->Origin, C);
            return true;
        default:
            return false;
    }
}

// FindSnapObjects on distances taken beforehand (Has[i]: candidate i competes).
void KeepNearest(const std::vector<TObjHeader*>& Candidates, const std::vector<char>& Has,
                 const std::vector<Extended>& Dists, bool PlinesOnly, TSnapPair& Pair) {
    for (size_t i = 0; i < Candidates.size(); ++i) {
        TObjHeader* P = Candidates[i];
        if (!Has[i] || (PlinesOnly && P->Type != ObjPline)) continue;
        const Extended D = Dists[i];
        if (D < Pair.D1) {
            Pair.Obj2 = Pair.Obj1;
            Pair.D2 = Pair.D1;
            Pair.Obj1 = P;
            Pair.D1 = D;
        } else if (D < Pair.D2) {
            Pair.Obj2 = P;
            Pair.D2 = D;
        }
    }
}

}  // namespace

void FindSnapObjects(const std::vector<TObjHeader*>& Candidates, bool PlinesOnly, const Osy& C, Extended A,
                     TSnapPair& Pair) {
    std::vector<char> Has(Candidates.size());
    std::vector<Extended> Dists(Candidates.size());
    for (size_t i = 0; i < Candidates.size(); ++i)
        if (!PlinesOnly || Candidates[i]->Type == ObjPline) {
            int32_t Seg;
            Has[i] = SnapDistance(Candidates[i], C, A, Dists[i], Seg);
        }
    KeepNearest(Candidates, Has, Dists, PlinesOnly, Pair);
}

bool SnapEndPoint(const TObjHeader* Obj, const Osy& C, Extended A, Osy& Out) {
    if (!Obj || Obj->Type != ObjPline) return false;
    const int32_t N = PlineSegCount(Obj);
    const TPlineSeg* Sg = PlineSegs(Obj);
    if (N == 0) {
        Out = AsPline(Obj)->S;
        return true;
    }
    // A vertex within A of C ends a segment whose box meets C +- A; the vertices are
    // taken in order, the start point first.
    std::vector<int32_t> Near;
    NearSegs(Obj, C, A + Slack, Near);
    bool Found = false;
    Extended BestD = 0;
    int32_t Last = -2;
    for (int32_t s : Near) {
        for (int32_t i = std::max(s - 1, Last + 1); i <= s; ++i) {
            const Osy V = i < 0 ? AsPline(Obj)->S : Sg[i].E;
            const Extended D = Dist(V, C);
            if (D < A && (!Found || D < BestD)) {
                Found = true;
                BestD = D;
                Out = V;
            }
        }
        Last = s;
    }
    if (Found) return true;
    const int32_t I = FootSegment(Obj, C, A);
    const Osy S = PlineSegStart(Obj, I), E = Sg[I].E;
    Out = Dist(E, C) <= Dist(S, C) ? E : S;
    return true;
}

bool SnapMidPoint(const TObjHeader* Obj, const Osy& C, Extended A, Osy& Out) {
    if (!Obj || Obj->Type != ObjPline) return false;
    if (PlineSegCount(Obj) == 0) {
        Out = AsPline(Obj)->S;
        return true;
    }
    const int32_t I = FootSegment(Obj, C, A);
    SegMidPt(PlineSegStart(Obj, I), PlineSegs(Obj)[I].E, PlineSegs(Obj)[I].Alfa, Out);
    return true;
}

bool SnapCentre(const TObjHeader* Obj, const Osy& C, Extended A, Osy& Out) {
    if (!Obj) return false;
    switch (Obj->Type) {
        case ObjPoint:
            Out = AsPline(Obj)->S;
            return true;
        case ObjText:
            Out = static_cast<const TTextRec*>(Obj)->Origin;
            return true;
        case ObjPline: {
            const int32_t N = PlineSegCount(Obj);
            const TPlineSeg* Sg = PlineSegs(Obj);
            if (N == 0 || (N >= IndexedSegs && !DrawingIndex().Segments(Obj).HasArc)) return false;
            // The arc whose middle is nearest to C (an arc's box holds its middle).
            int32_t Best = -1;
            BestNearSeg(Obj, C, A, [&](int32_t i, Extended& D) {
                if (IsLine(Sg[i].Alfa)) return false;
                Osy M;
                SegMidPt(PlineSegStart(Obj, i), Sg[i].E, Sg[i].Alfa, M);
                D = Dist(M, C);
                return true;
            }, Best);
            if (Best < 0) return false;
            Extended R;
            ArcCenter(PlineSegStart(Obj, Best), Sg[Best].E, Sg[Best].Alfa, Out, R);
            return true;
        }
        default:
            return false;
    }
}

bool SnapIntersection(const TObjHeader* Obj1, const TObjHeader* Obj2, const Osy& C, Extended A, Osy& Out) {
    if (!IsPlineWithSegs(Obj1) || !IsPlineWithSegs(Obj2)) return false;
    const TPlineSeg* S1 = PlineSegs(Obj1);
    const TPlineSeg* S2 = PlineSegs(Obj2);
    std::vector<int32_t> Near1, Near2;
    NearSegs(Obj1, C, A + Slack, Near1);
    NearSegs(Obj2, C, A + Slack, Near2);
    std::vector<TIdxBox> Box2;
    Box2.reserve(Near2.size());
    const TSegBoxes Boxes1(Obj1), Boxes2(Obj2);
    for (int32_t j : Near2) Box2.push_back(Boxes2(j));
    TSegBoxIndex Index2;
    Index2.Build(std::move(Box2));
    std::vector<int32_t> Hits;
    // Only pairs whose boxes meet can cross; they are visited in the order of the
    // plain double loop, so ties go the same way.
    bool Found = false;
    Extended BestD = 0;
    for (int32_t i : Near1) {
        const Osy A1 = PlineSegStart(Obj1, i);
        Hits.clear();
        Index2.QuerySorted(Boxes1(i), Hits);
        for (const int32_t k2 : Hits) {
            const int32_t j = Near2[k2];
            Osy X[2];
            const unsigned K =
                IntersSegSeg(A1, S1[i].E, PlineSegStart(Obj2, j), S2[j].E, S1[i].Alfa, S2[j].Alfa, X[0], X[1]);
            for (unsigned k = 0; k < K && k < 2; ++k) {
                const Extended D = Dist(X[k], C);
                if (!Found || D < BestD) {
                    Found = true;
                    BestD = D;
                    Out = X[k];
                }
            }
        }
    }
    return Found;
}

namespace {

// The perpendicular and tangent snaps on segment I, the one nearest to the pointer C.
bool PerpendicularOn(const TObjHeader* Obj, int32_t I, const Osy& B, Osy& Out) {
    const Osy S = PlineSegStart(Obj, I), E = PlineSegs(Obj)[I].E;
    const Extended Alfa = PlineSegs(Obj)[I].Alfa;
    Osy F;
    Extended D;
    if (IsLine(Alfa)) {
        if (!PerpFootLine(B, S, E, F, D)) return false;
        Out = F;
        return true;
    }
    if (PerpFootArc(B, S, E, Alfa, F, D)) {
        Out = F;
        return true;
    }
    // The far point of the circle on the line from B through the centre.
    Osy M;
    Extended R;
    ArcCenter(S, E, Alfa, M, R);
    const Extended L = Dist(B, M) + R, Ang = Angle(B, M);
    const Osy Far{B.x + L * std::cos(Ang), B.y + L * std::sin(Ang)};
    if (!PerpFootArc(Far, S, E, Alfa, F, D)) return false;
    Out = F;
    return true;
}

bool TangentOn(const TObjHeader* Obj, int32_t I, const Osy& B, const Osy& C, Osy& Out) {
    const Osy S = PlineSegStart(Obj, I), E = PlineSegs(Obj)[I].E;
    const Extended Alfa = PlineSegs(Obj)[I].Alfa;
    if (IsLine(Alfa)) return false;
    Osy M;
    Extended R;
    ArcCenter(S, E, Alfa, M, R);
    if (Dist(M, B) - R <= CoordTol) return false;
    // The tangent points lie on the circle over the diameter B-M (Thales).
    const Osy Q{(M.x + B.x) / 2, (M.y + B.y) / 2};
    const Extended Rho = Dist(M, B) / 2;
    int Count = 0;
    Osy Res[2];
    for (int k = 0; k < 4; ++k) {
        const Extended A0 = k * GeomPi2, A1 = (k + 1) * GeomPi2;
        const Osy Q1{Q.x + Rho * std::cos(A0), Q.y + Rho * std::sin(A0)};
        const Osy Q2{Q.x + Rho * std::cos(A1), Q.y + Rho * std::sin(A1)};
        Osy X1, X2;
        const unsigned K = IntersArcArc(S, E, Q1, Q2, Alfa, GeomPi2, X1, X2);
        if (K >= 2) {
            Res[0] = X1;
            Res[1] = X2;
            Count = 2;
            break;
        }
        if (K == 1) {
            if (Count == 0) {
                Res[0] = X1;
                Count = 1;
            } else {
                Res[1] = X1;
                Count = 2;
            }
        }
    }
    if (Count == 0) return false;
    Out = Count == 2 && Dist(Res[1], C) <= Dist(Res[0], C) ? Res[1] : Res[0];
    return true;
}

}  // namespace

bool SnapPerpendicular(const TObjHeader* Obj, const Osy& B, const Osy& C, Extended A, Osy& Out) {
    return IsPlineWithSegs(Obj) && PerpendicularOn(Obj, NearestSeg(Obj, C, A), B, Out);
}

bool SnapTangent(const TObjHeader* Obj, const Osy& B, const Osy& C, Extended A, Osy& Out) {
    return IsPlineWithSegs(Obj) && TangentOn(Obj, NearestSeg(Obj, C, A), B, C, Out);
}

namespace {

uint8_t SearchKinds(TObjHeader* First, const TOsnapAuto& K, const Osy& C, const Osy& B, Extended A, Osy& Out) {
    std::vector<TObjHeader*> Cands;
    SnapCandidates(First, C, A, Cands);
    // Each candidate's distance is taken once for the searches of all kinds.
    std::vector<char> Near(Cands.size());
    std::vector<Extended> Dists(Cands.size());
    std::vector<int32_t> Segs(Cands.size(), -1);
    for (size_t i = 0; i < Cands.size(); ++i) Near[i] = SnapDistance(Cands[i], C, A, Dists[i], Segs[i]);
    // The nearest segment of a competing polyline, as NearestSeg finds it: the
    // distance search above already found it within the aperture.
    auto Nearest = [&](const TObjHeader* Obj) {
        for (size_t i = 0; i < Cands.size(); ++i)
            if (Cands[i] == Obj && Near[i] && Segs[i] >= 0) return Segs[i];
        return NearestSeg(Obj, C, A);
    };
    auto Perp = [&](const TObjHeader* Obj, Osy& Out) {
        return IsPlineWithSegs(Obj) && PerpendicularOn(Obj, Nearest(Obj), B, Out);
    };
    auto Tan = [&](const TObjHeader* Obj, Osy& Out) {
        return IsPlineWithSegs(Obj) && TangentOn(Obj, Nearest(Obj), B, C, Out);
    };
    TSnapPair Pair;
    bool Has[7] = {};
    Osy Pt[7];
    if (K.osInt) {
        KeepNearest(Cands, Near, Dists, true, Pair);
        if (Pair.Obj1 && Pair.Obj2) Has[osKindInt] = SnapIntersection(Pair.Obj1, Pair.Obj2, C, A, Pt[osKindInt]);
    }
    if (K.osCen) {
        KeepNearest(Cands, Near, Dists, false, Pair);
        Has[osKindCen] = SnapCentre(Pair.Obj1, C, A, Pt[osKindCen]) || SnapCentre(Pair.Obj2, C, A, Pt[osKindCen]);
    }
    if (K.osMid) {
        KeepNearest(Cands, Near, Dists, true, Pair);
        if (Pair.Obj1) Has[osKindMid] = SnapMidPoint(Pair.Obj1, C, A, Pt[osKindMid]);
    }
    if (K.osEnd) {
        KeepNearest(Cands, Near, Dists, true, Pair);
        if (Pair.Obj1) Has[osKindEnd] = SnapEndPoint(Pair.Obj1, C, A, Pt[osKindEnd]);
    }
    if (K.osPer) {
        KeepNearest(Cands, Near, Dists, true, Pair);
        Has[osKindPer] = Perp(Pair.Obj1, Pt[osKindPer]) || Perp(Pair.Obj2, Pt[osKindPer]);
    }
    if (K.osTan) {
        KeepNearest(Cands, Near, Dists, true, Pair);
        Has[osKindTan] = Tan(Pair.Obj1, Pt[osKindTan]) || Tan(Pair.Obj2, Pt[osKindTan]);
    }
    uint8_t Kind = 0;
    if (Has[osKindCen]) {
        Kind = osKindCen;
        for (uint8_t k = osKindMid; k <= osKindInt; ++k)
            if (Has[k] && Dist(Pt[k], C) <= A) {
                Kind = k;
                break;
            }
    } else {
        Extended BestD = 10000;
        for (uint8_t k = osKindMid; k <= osKindInt; ++k) {
            if (!Has[k]) continue;
            const Extended D = Dist(Pt[k], C);
            if (D < BestD) {
                BestD = D;
                Kind = k;
            }
        }
    }
    if (Kind) Out = Pt[Kind];
    return Kind;
}

}  // namespace

uint8_t OsnapSearch(TObjHeader* First, const TOsnapAuto& K, const Osy& C, const Osy& B, Extended A, Osy& Out) {
    std::vector<TNearAnswer> Answers;
    KeptAnswers = &Answers;
    const uint8_t Kind = SearchKinds(First, K, C, B, A, Out);
    KeptAnswers = nullptr;
    return Kind;
}

// ---- the main form's side ----

void TMainForm::DrawOsnap() {
    TOsnapAuto& O = MainVars.Mouse.OsnapAuto;
    O.Index = 0;
    O.PointFound = false;
    if (!O.Enabled || !O.Search) return;
    uint8_t Kind = 0;
    Osy P;
    if (Glob.BoduNaMm > 0) {
        const Extended A = Glob.OsnapSize / (2 * Glob.BoduNaMm);
        Kind = OsnapSearch(MainVars.DataStart, O, MainVars.PosMouse, MainVars.PickPoint, A, P);
    }
    if (Kind) {
        O.Index = Kind;
        O.LastIndex = Kind;
        O.LastPoint = P;
        DrawOsnapMark(P, Kind);
        O.PointFound = true;
    } else {
        O.LastIndex = 0;
        O.LastPoint = {100000, 100000};
        O.PointFound = false;
    }
}

namespace {
bool ButtonDown(const TMainForm& F, const char* Name) {
    const TSpeedButton* B = F.Find<TSpeedButton>(Name);
    return B && B->Down;
}
}  // namespace

void TMainForm::UpdateOsnapNone() {
    TOsnapAuto& O = MainVars.Mouse.OsnapAuto;
    O.osNone = !(O.osEnd || O.osMid || O.osInt || O.osCen || O.osPer || O.osTan);
}

void TMainForm::SpdBtnEndClick() {
    MainVars.Mouse.OsnapAuto.osEnd = ButtonDown(*this, "SpdBtnEnd");
    UpdateOsnapNone();
}

void TMainForm::SpdBtnMidClick() {
    MainVars.Mouse.OsnapAuto.osMid = ButtonDown(*this, "SpdBtnMid");
    UpdateOsnapNone();
}

void TMainForm::SpdBtnCenClick() {
    MainVars.Mouse.OsnapAuto.osCen = ButtonDown(*this, "SpdBtnCen");
    UpdateOsnapNone();
}

void TMainForm::SpdBtnIntClick() {
    MainVars.Mouse.OsnapAuto.osInt = ButtonDown(*this, "SpdBtnInt");
    UpdateOsnapNone();
}

void TMainForm::SpdBtnPerClick() {
    MainVars.Mouse.OsnapAuto.osPer = ButtonDown(*this, "SpdBtnPer");
    UpdateOsnapNone();
}

void TMainForm::SpdBtnTanClick() {
    MainVars.Mouse.OsnapAuto.osTan = ButtonDown(*this, "SpdBtnTan");
    UpdateOsnapNone();
}

void TMainForm::SbtnOsnapSwitchClick() {
    MainVars.Mouse.OsnapAuto.Enabled = ButtonDown(*this, "SbtnOsnapSwitch");
    ComRedraw();
}

void TMainForm::OnsapOnMNUClick() {
    if (TSpeedButton* B = Find<TSpeedButton>("SbtnOsnapSwitch")) {
        B->Down = !B->Down;
        SbtnOsnapSwitchClick();
    } else {
        MainVars.Mouse.OsnapAuto.Enabled = !MainVars.Mouse.OsnapAuto.Enabled;
        ComRedraw();
    }
}

void TMainForm::ComPanelClick() {
    for (const char* N : {"SpdBtnEnd", "SpdBtnMid", "SpdBtnCen", "SpdBtnInt", "SpdBtnPer", "SpdBtnTan"})
        if (TSpeedButton* B = Find<TSpeedButton>(N)) B->Down = false;
    TOsnapAuto& O = MainVars.Mouse.OsnapAuto;
    O.osEnd = O.osMid = O.osInt = O.osCen = O.osPer = O.osTan = false;
    O.osNone = true;
    ComRedraw();
}
