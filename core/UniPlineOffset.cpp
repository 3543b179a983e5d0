// The raw offset: every segment offset by itself, consecutive offset segments fitted
// at the corners in the object builder; and the two offset entries that run the
// clean-up on it.
#include "core/UniPlineOffset.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "core/Builder.h"
#include "core/Glob.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPlineOffsetGeom.h"
#include "core/UniPlineUtil.h"

using pline::IsLine;
namespace fast = offs::fast;

void OffsetSeg(const Osy& S, const Osy& E, Extended Alfa, Extended Side, Extended Dist, Osy& OS, Osy& OE,
               Extended& OAlfa) {
    const bool quarter = std::fabs(std::fabs(Side) - GeomPi2) <= 1e-15L;
    if (IsLine(Alfa)) {
        const Osy d = fast::Sub(E, S);
        const Extended l = fast::Len(d);
        Osy n;
        if (quarter && l > CoordTol) {
            // The unit normal on the side asked for, without the angle.
            n = Side > 0 ? Osy{-d.y / l, d.x / l} : Osy{d.y / l, -d.x / l};
        } else {
            const Extended t = Angle(S, E) + Side;
            n = {std::cos(t), std::sin(t)};
        }
        OS = {S.x + Dist * n.x, S.y + Dist * n.y};
        OE = {E.x + Dist * n.x, E.y + Dist * n.y};
        OAlfa = 0;
        return;
    }
    Osy C;
    Extended R;
    fast::ArcCentre(S, E, Alfa, C, R);
    const bool away = (Side < 0 && Alfa > 0) || (Side > 0 && Alfa < 0);
    const Extended r = away ? R + Dist : R - Dist;
    // Both ends moved along their radii (through the centre when r < 0).
    const Extended k = r / R;
    OS = {C.x + (S.x - C.x) * k, C.y + (S.y - C.y) * k};
    OE = {C.x + (E.x - C.x) * k, C.y + (E.y - C.y) * k};
    // Collapsed through the centre: the chord between the two mirrored points.
    OAlfa = r < CoordTol ? 0 : Alfa;
}

namespace {

// An angle difference brought to the sign of the arc it belongs to.
Extended ToSignOf(Extended a, Extended Alfa) {
    if (Alfa > 0 && a < 0) a += Geom2Pi;
    if (Alfa < 0 && a > 0) a -= Geom2Pi;
    return a;
}

// Intersects the last segment P-L-A with the next S-E-Alfa and stores the trimmed
// pair. False, nothing stored, when they do not meet, or meet farther than Reach
// from V.
bool TrimPair(const Osy& P, const Osy& L, Extended A, Osy& S, const Osy& E, Extended& Alfa, const Osy& V,
              Extended Reach) {
    Osy X, X2;
    const bool lastLine = IsLine(A), nextLine = IsLine(Alfa);
    if (lastLine && nextLine) {
        if (fast::LineLine(S, E, P, L, X, X2) == 0 || Dist(V, X) > Reach) return false;
        AddSeg(X, 0, CoordTol);
        AddSeg(E, 0, CoordTol);
        S = X;
        return true;
    }
    unsigned cnt;
    if (lastLine)
        cnt = fast::ArcLine(P, L, S, E, Alfa, X, X2);
    else if (nextLine)
        cnt = fast::LineArc(S, E, P, L, A, X, X2);
    else
        cnt = fast::ArcArc(S, E, P, L, Alfa, A, X, X2);
    if (cnt == 0) return false;
    // A line cutting an arc's circle twice: the crossing the corner closes at is the
    // one near the vertex, whichever comes first along the arc.
    if (Dist(V, X) > Reach) {
        if (cnt < 2 || Dist(V, X2) > Reach) return false;
        X = X2;
    }
    Extended b = 0, a = 0;
    if (!lastLine) {
        Osy C;
        Extended R;
        fast::ArcCentre(P, L, A, C, R);
        b = ToSignOf(fast::Turn(fast::Sub(P, C), fast::Sub(X, C)), A);
    }
    if (!nextLine) {
        Osy C;
        Extended R;
        fast::ArcCentre(S, E, Alfa, C, R);
        a = ToSignOf(fast::Turn(fast::Sub(X, C), fast::Sub(E, C)), Alfa);
    }
    AddSeg(X, b, CoordTol);
    AddSeg(E, a, CoordTol);
    S = X;
    Alfa = a;
    return true;
}

// The angle by which an arc of radius R is lengthened to close a small gap: Dist/2
// along it, but never turning by more than the largest gap so closed. An arc of a
// small radius would otherwise turn round far enough to meet its neighbour where
// the neighbour's own source lies nearer than Dist.
// The largest overlap of neighbouring offsets (as a turn about their vertex) closed at
// the bisector without a crossing: the ends move by Dist x HairTurn / 2 at most.
constexpr Extended HairTurn = 1e-3L;

Extended LengthenAngle(Extended Dist, Extended R) { return std::fmin(Dist / (2 * R), Glob.MinOffsArc); }

}  // namespace

bool JoinOffsetCorner(Osy& S, const Osy& E, Extended& Alfa, bool CCW, const Osy& V, Extended Dist) {
    if (SamePt(BuildLastPt(), S)) {
        AddSeg(E, Alfa, CoordTol);
        return true;
    }
    TPlineSeg last;
    if (!BuildPopSeg(last)) {  // nothing to fit to: bridge straight
        AddSeg(S, 0, CoordTol);
        AddSeg(E, Alfa, CoordTol);
        return false;
    }
    const Osy P = BuildLastPt();
    const Osy S0 = S;
    const Extended Alfa0 = Alfa;
    if (TrimPair(P, last.E, last.Alfa, S, E, Alfa, V, Extended(HUGE_VALL))) return true;

    const Extended B = fast::Turn(fast::Sub(last.E, V), fast::Sub(S, V));
    if (std::fabs(B) <= Glob.MinOffsArc) {
        // A small gap: lengthen both by Dist/2 and try once more.
        Osy L = last.E;
        Extended A = last.Alfa;
        if (IsLine(A)) {
            const Osy u = fast::Sub(L, P);
            const Extended l = fast::Len(u);
            if (l > 0) L = {L.x + Dist / 2 * u.x / l, L.y + Dist / 2 * u.y / l};
        } else {
            Osy C;
            Extended R;
            fast::ArcCentre(P, L, A, C, R);
            Extended d = LengthenAngle(Dist, R);
            if (A < 0) d = -d;
            L = fast::Rotate(L, C, d);
            A += d;
        }
        Osy S2 = S;
        Extended Alfa2 = Alfa;
        if (IsLine(Alfa2)) {
            const Osy u = fast::Sub(S2, E);
            const Extended l = fast::Len(u);
            if (l > 0) S2 = {S2.x + Dist / 2 * u.x / l, S2.y + Dist / 2 * u.y / l};
        } else {
            Osy C;
            Extended R;
            fast::ArcCentre(S2, E, Alfa2, C, R);
            Extended d = LengthenAngle(Dist, R);
            if (Alfa2 < 0) d = -d;
            S2 = fast::Rotate(S2, C, -d);
            Alfa2 += d;
        }
        // A sharp corner closes a small gap only: it may lie no farther from the
        // vertex than the corner of two straight offsets with the largest such gap.
        // (Lengthened arcs of a small radius can wrap round and meet anywhere.)
        const Extended reach = Dist / std::cos(double(Glob.MinOffsArc) / 2) + CoordTol;
        if (TrimPair(P, L, A, S2, E, Alfa2, V, reach)) {
            S = S2;
            Alfa = Alfa2;
            return true;
        }
        S = S0;
        Alfa = Alfa0;
    }
    // Offsets of nearly tangent curves that overlap by a hair: their circles may pass
    // for touching, so no crossing was found, and a bridge through the vertex would
    // make the whole offset a case for the open clean-up. They cross on the corner's
    // bisector at Dist/cos(T/2) from the vertex, within half the hair of both ends.
    {
        const Osy u = fast::Sub(last.E, V), w = fast::Sub(S, V);
        const Extended T0 = fast::Turn(u, w), lu = fast::Len(u), lw = fast::Len(w);
        const bool overlap = CCW ? T0 < -CoordTol : T0 > CoordTol;
        if (overlap && std::fabs(T0) <= HairTurn && lu > 0 && lw > 0) {
            const Osy b{u.x / lu + w.x / lw, u.y / lu + w.y / lw};
            const Extended k = Dist / std::cos(T0 / 2) / fast::Len(b);
            const Osy X{V.x + b.x * k, V.y + b.y * k};
            AddSeg(X, last.Alfa, CoordTol);
            AddSeg(E, Alfa, CoordTol);
            S = X;
            return true;
        }
    }
    // Bridge the gap about the source vertex.
    BuildPushSeg(last);
    bool onOffset = true;
    Extended T = fast::Turn(fast::Sub(last.E, V), fast::Sub(S, V));
    if (std::fabs(T) > CoordTol) {
        if (CCW && T < 0) T += Geom2Pi;
        if (!CCW && T > 0) T -= Geom2Pi;
        if (std::fabs(T) - GeomPi <= CoordTol) {
            AddSeg(S, T, CoordTol);
        } else {
            AddSeg(V, 0, CoordTol);
            AddSeg(S, 0, CoordTol);
            onOffset = false;
        }
    }
    AddSeg(E, Alfa, CoordTol);
    return onOffset;
}

namespace {

// Steps shared by both offsets: the first segment that has length starts the build,
// every later one is fitted to it. Returns the index of the first segment used, or -1
// when no offset segment has length (the builder is then idle). OnOffset turns false
// when a corner was bridged through its vertex or straight, or an arc collapsed
// through its centre: parts that may come nearer to the source than Dist.
int32_t BuildRawOffset(const TObjHeader* Src, Extended Side, bool CCW, Extended Dist, bool& OnOffset) {
    OnOffset = true;
    const int32_t n = PlineSegCount(Src);
    const TPlineSeg* seg = PlineSegs(Src);
    Osy P = AsPline(Src)->S;
    int32_t i = 0;
    int32_t first = -1;
    for (; i < n; ++i) {
        Osy OS, OE;
        Extended OA;
        OffsetSeg(P, seg[i].E, seg[i].Alfa, Side, Dist, OS, OE, OA);
        DrawTraceSeg(OS, OE, OA);
        if (IsLine(OA) && !IsLine(seg[i].Alfa)) OnOffset = false;
        StartObj(OS);
        P = seg[i].E;
        if (AddSeg(OE, OA, CoordTol)) {
            first = i++;
            break;
        }
    }
    if (first < 0) {
        ResetBuilder();
        return -1;
    }
    for (; i < n; ++i) {
        Osy OS, OE;
        Extended OA;
        OffsetSeg(P, seg[i].E, seg[i].Alfa, Side, Dist, OS, OE, OA);
        DrawTraceSeg(OS, OE, OA);
        if (IsLine(OA) && !IsLine(seg[i].Alfa)) OnOffset = false;
        if (!JoinOffsetCorner(OS, OE, OA, CCW, P, Dist)) OnOffset = false;
        P = seg[i].E;
    }
    return first;
}

// The closing corner of a closed offset: the first segment is fitted once more behind
// the last one and that fitted copy replaces it. OnOffset as for BuildRawOffset.
void CloseRawOffset(const Osy& V, bool CCW, Extended Dist, bool& OnOffset) {
    if (BuildSegCount() == 0) return;
    Osy S1 = BuildStartPt();
    const Osy E1 = BuildSegs()[0].E;
    Extended A1 = BuildSegs()[0].Alfa;
    if (!JoinOffsetCorner(S1, E1, A1, CCW, V, Dist)) OnOffset = false;
    const int32_t n = BuildSegCount();
    if (n >= 2 && SamePt(BuildSegs()[n - 1].E, E1)) {
        TPlineSeg last;
        BuildPopSeg(last);
        DrawTraceSeg(BuildLastPt(), last.E, last.Alfa);
        BuildStartPt() = BuildLastPt();
        BuildSegs()[0].Alfa = last.Alfa;
        return;
    }
    // The fitting consumed the whole first segment: the loop starts behind it.
    if (n >= 2) {
        std::vector<TPlineSeg> segs(BuildSegs() + 1, BuildSegs() + n);
        const Osy start = BuildSegs()[0].E;
        StartObj(start);
        for (const TPlineSeg& s : segs) AddSeg(s.E, s.Alfa, CoordTol);
    }
}

// The raw offset as a record at the end of the list, the builder left idle. Its flags
// byte is set by the caller, so the direction search of MakeObj is not run.
TObjHeader* MakeRaw(uint8_t La, TObjHeader*& S, TObjHeader*& E) {
    const int32_t n = BuildSegCount();
    if (n == 0) {
        ResetBuilder();
        return nullptr;
    }
    TObjHeader* r = AllocObj(PlineSizeFor(n), ObjPline);
    r->Layer = La;
    AsPline(r)->S = BuildStartPt();
    std::memcpy(static_cast<void*>(PlineSegs(r)), BuildSegs(), sizeof(TPlineSeg) * size_t(n));
    ResetBuilder();
    return AppendObj(r, S, E);
}

// Appends the list S2..E2 to S1..E1.
void Concat(TObjHeader*& S1, TObjHeader*& E1, TObjHeader*& S2, TObjHeader*& E2) { ConcatObjLists(S1, E1, S2, E2); }

// Which way a raw offset of a closed source runs and whether it is made only of offset
// curves, sharp corners beyond the vertices and arcs about them (BuildRawOffset's
// OnOffset).
enum class TRawKind { Open, Outward, Inward };

// Whether a closed raw loop of offset parts that meets itself nowhere is sound. The
// sound region (for an inward loop: inside the source and not nearer than Dist to it)
// is bounded by the true offset, and the loop can cross that only where it crosses
// itself, so the loop lies in the region wholly or not at all. An outward loop holds
// a point of the true offset (the farthest one in any direction); an inward one is
// judged by the middle of its first segment, when that lies clearly in the region.
bool RawLoopSound(const TObjHeader* Loop, TObjHeader* Src, Extended Dist, TRawKind Kind) {
    if (Kind == TRawKind::Outward) return true;
    if (Kind != TRawKind::Inward || PlineSegCount(Loop) == 0) return false;
    const Osy p = fast::MidPt(AsPline(Loop)->S, PlineSegs(Loop)[0].E, PlineSegs(Loop)[0].Alfa);
    const TPlineSeg* seg = PlineSegs(Src);
    int32_t near = -1;
    Extended nearD = 0;
    for (int32_t i = 0, n = PlineSegCount(Src); i < n; ++i) {
        const Extended d = fast::SegDist(p, PlineSegStart(Src, i), seg[i].E, seg[i].Alfa);
        if (d < Dist - 1e-9L) return false;
        if (near < 0 || d < nearD) near = i, nearD = d;
    }
    // Inside: on the source's inner side of its nearest segment, when the foot lies
    // well within that segment; at a vertex the general test decides.
    const Osy S = PlineSegStart(Src, near), E = seg[near].E;
    const Extended A = seg[near].Alfa;
    bool left;
    if (IsLine(A)) {
        const Osy d = fast::Sub(E, S), u = fast::Sub(p, S);
        const Extended t = fast::Dot(u, d) / fast::Dot(d, d);
        if (!(t > 1e-6L && t < 1 - 1e-6L)) return EnPline.PointInside(Src, p);
        left = fast::Cross(d, u) > 0;
    } else {
        Osy C;
        Extended R;
        fast::ArcCentre(S, E, A, C, R);
        Extended w = fast::Turn(fast::Sub(S, C), fast::Sub(p, C));
        if (A < 0) w = -w;
        if (w < 0) w += Geom2Pi;
        if (!(w > 1e-6L && w < std::fabs(A) - 1e-6L)) return EnPline.PointInside(Src, p);
        left = (fast::Len(fast::Sub(p, C)) < R) == (A > 0);
    }
    return (AsPline(Src)->PlineFlags & PlineCW) ? !left : left;
}

// Steps of the analysis up to the point where the pieces are ready to be chained;
// false when nothing is left. A raw offset that stays one loop and is sound as it is
// needs neither filter: they could delete nothing.
// A convex raw loop meets itself nowhere and is far larger than a micro-loop: the
// first three steps could change nothing.
bool CleanRaw(TObjHeader*& S, TObjHeader*& E, TObjHeader* Src, Extended Dist, bool AllPairs, TRawKind Kind) {
    const TObjHeader* raw = S;
    if (!(S == E && offs::ConvexSense(S) != 0)) {
        offs::ExciseMicroLoops(S, E);
        raw = S;
        offs::DivideAtSelfMeets(S, E, AllPairs);
        offs::DropMicroLoops(S, E);
    }
    if (Kind != TRawKind::Open && S == raw && S == E && !EnPline.OpenPline(S) && RawLoopSound(S, Src, Dist, Kind))
        return true;
    offs::PlineTrunc(S, E, AllPairs);
    offs::DropPiecesTouchingVertices(S, E, Src, AllPairs);
    offs::DropPiecesNear(S, E, Src, Dist, AllPairs);
    return S != nullptr;
}

// The closed loop P started again at its vertex nearest Q (its start or the end of any
// segment but the last) when that vertex lies within Min..Max; null when P starts
// there already. Otherwise the general restart decides, which may break a segment at
// the foot of Q. A rotated loop keeps the flags: neither its direction nor its
// crossings change.
TObjHeader* RestartNear(TObjHeader* P, const Osy& Q, const Osy& Min, const Osy& Max) {
    const int32_t n = PlineSegCount(P);
    const TPlineSeg* seg = PlineSegs(P);
    auto d2 = [&](const Osy& V) { return (V.x - Q.x) * (V.x - Q.x) + (V.y - Q.y) * (V.y - Q.y); };
    int32_t best = 0;  // 0 = the start point, k = the end of segment k-1
    Extended bestD = d2(AsPline(P)->S);
    for (int32_t k = 1; k < n; ++k) {
        const Extended d = d2(seg[k - 1].E);
        if (d < bestD) {
            bestD = d;
            best = k;
        }
    }
    const Osy v = best == 0 ? AsPline(P)->S : seg[best - 1].E;
    if (!(v.x >= Min.x && v.x <= Max.x && v.y >= Min.y && v.y <= Max.y)) return EnPline.ChangeStart(P, Q, Min, Max);
    if (best == 0) return nullptr;
    TObjHeader* r = AllocObj(PlineSizeFor(n), ObjPline);
    r->Layer = P->Layer;
    AsPline(r)->PlineFlags = AsPline(P)->PlineFlags;
    AsPline(r)->S = v;
    std::memcpy(static_cast<void*>(PlineSegs(r)), seg + best, sizeof(TPlineSeg) * size_t(n - best));
    std::memcpy(static_cast<void*>(PlineSegs(r) + (n - best)), seg, sizeof(TPlineSeg) * size_t(best));
    return r;
}

// A copy of the polyline without its zero-length segments (a repeated vertex has no
// direction, and its offset would swing to an arbitrary side), unlinked; nullptr when
// it has none.
TObjHeader* WithoutZeroSegs(const TObjHeader* Src) {
    const int32_t n = PlineSegCount(Src);
    const TPlineSeg* seg = PlineSegs(Src);
    std::vector<TPlineSeg> Kept;
    Osy P = AsPline(Src)->S;
    for (int32_t i = 0; i < n; ++i) {
        if (!SamePt(P, seg[i].E)) Kept.push_back(seg[i]);
        P = seg[i].E;
    }
    if (int32_t(Kept.size()) == n) return nullptr;
    TObjHeader* C = AllocObj(PlineSizeFor(int32_t(Kept.size())), ObjPline);
    C->Layer = Src->Layer;
    C->Flags = Src->Flags;
    AsPline(C)->PlineFlags = AsPline(Src)->PlineFlags;
    AsPline(C)->S = AsPline(Src)->S;
    if (!Kept.empty()) std::memcpy(static_cast<void*>(PlineSegs(C)), Kept.data(), Kept.size() * sizeof(TPlineSeg));
    return C;
}

}  // namespace

namespace offs {

void GenOffsetClose(TObjHeader* Adresa, Extended Dist, bool Inside, bool Analyza, TObjHeader*& OffsStart,
                    TObjHeader*& OffsEnd, int32_t La, bool AllPairs) {
    OffsStart = OffsEnd = nullptr;
    if (!Adresa || Adresa->Type != ObjPline) return;
    if (TObjHeader* Clean = WithoutZeroSegs(Adresa)) {
        GenOffsetClose(Clean, Dist, Inside, Analyza, OffsStart, OffsEnd, La, AllPairs);
        // The direction flags found for the outline are the source's.
        AsPline(Adresa)->PlineFlags = AsPline(Clean)->PlineFlags;
        FreeObjBlock(Clean);
        return;
    }
    TPlineRec* src = AsPline(Adresa);
    // A convex loop crosses nowhere and runs the way it turns: FindDir's flags without
    // its crossing search.
    const int convex = offs::ConvexSense(Adresa);
    if (convex != 0) {
        src->PlineFlags |= PlineClosed;
        if (convex < 0)
            src->PlineFlags |= PlineCW;
        else
            src->PlineFlags &= uint8_t(~PlineCW);
    } else {
        EnPline.FindDir(Adresa);
    }
    if (!(src->PlineFlags & PlineClosed)) return;
    if (Inside) {
        Osy mn, mx;
        EnPline.Envelope(Adresa, mn, mx);
        if ((mx.x - mn.x) - 2 * Dist < CoordTol || (mx.y - mn.y) - 2 * Dist < CoordTol) return;
    }
    const bool ccwSrc = !(src->PlineFlags & PlineCW);
    const bool right = Inside != ccwSrc;
    const Extended side = right ? -GeomPi2 : GeomPi2;
    const int32_t n = PlineSegCount(Adresa);
    if (n == 0) return;
    bool onOffset = true;
    // The outward offset of a convex loop is a convex loop of offset parts: sound as
    // it is, with nothing for the clean-up to do.
    TObjHeader* r = nullptr;
    if (!Inside && convex != 0 && Dist >= offs::ConvexMinSeg)
        r = offs::ConvexOutward(Adresa, convex, Dist, uint8_t(La), OffsStart, OffsEnd);
    const bool convexOut = r != nullptr;
    if (!convexOut) {
        if (BuildRawOffset(Adresa, side, right, Dist, onOffset) < 0) return;
        CloseRawOffset(PlineEndPt(Adresa), right, Dist, onOffset);
        r = MakeRaw(uint8_t(La), OffsStart, OffsEnd);
    }
    if (!r) return;
    AsPline(r)->PlineFlags = src->PlineFlags;
    EnPline.Draw(r, MainCanvas);
    if (!Analyza) return;

    const TRawKind kind = !onOffset ? TRawKind::Open : (Inside ? TRawKind::Inward : TRawKind::Outward);
    if (!convexOut && !CleanRaw(OffsStart, OffsEnd, Adresa, Dist, AllPairs, kind)) return;
    TObjHeader *js = nullptr, *je = nullptr;
    SpecOffsPlineJoin(OffsStart, OffsEnd, js, je, AllPairs);
    Concat(OffsStart, OffsEnd, js, je);
    for (TObjHeader* p = OffsStart; p;) {
        TObjHeader* nx = p->Next;
        if (EnPline.OpenPline(p)) DeleteObj(p, OffsStart, OffsEnd);
        p = nx;
    }
    // Start every loop near the source's start point where it passes there.
    const Osy Q = src->S;
    const Extended w = 1.01L * Dist;
    const Osy wmin{Q.x - w, Q.y - w}, wmax{Q.x + w, Q.y + w};
    TObjHeader *ns = nullptr, *ne = nullptr;
    for (TObjHeader* p = OffsStart; p;) {
        TObjHeader* nx = p->Next;
        TObjHeader* c = RestartNear(p, Q, wmin, wmax);
        if (c) {
            DeleteObj(p, OffsStart, OffsEnd);
            AppendObj(c, ns, ne);
        } else {
            UnlinkObj(p, OffsStart, OffsEnd);
            AppendObj(p, ns, ne);
        }
        p = nx;
    }
    OffsStart = ns;
    OffsEnd = ne;
}

void GenOffsetOpen(TObjHeader* Adresa, Extended Dist, bool Right, TObjHeader*& OffsStart, TObjHeader*& OffsEnd,
                   int32_t La, bool AllPairs) {
    OffsStart = OffsEnd = nullptr;
    if (!Adresa || Adresa->Type != ObjPline || PlineSegCount(Adresa) == 0) return;
    if (TObjHeader* Clean = WithoutZeroSegs(Adresa)) {
        GenOffsetOpen(Clean, Dist, Right, OffsStart, OffsEnd, La, AllPairs);
        FreeObjBlock(Clean);
        return;
    }
    Osy P1, P2;
    int32_t at;
    if (EnPline.LoopTest(Adresa, P1, P2, at) > 0) return;
    const Extended side = Right ? -GeomPi2 : GeomPi2;
    bool onOffset = true;
    if (BuildRawOffset(Adresa, side, Right, Dist, onOffset) < 0) return;
    TObjHeader* r = MakeObj(uint8_t(La), OffsStart, OffsEnd);
    if (!r) return;
    if (r->Type != ObjPline) {
        DeleteObj(r, OffsStart, OffsEnd);
        return;
    }
    EnPline.Draw(r, MainCanvas);
    if (!CleanRaw(OffsStart, OffsEnd, Adresa, Dist, AllPairs, TRawKind::Open)) return;
    TObjHeader *js = nullptr, *je = nullptr;
    OffsPlineJoin(false, OffsStart, OffsEnd, js, je, AllPairs);
    OffsPlineJoin(true, OffsStart, OffsEnd, js, je, AllPairs);
    Concat(OffsStart, OffsEnd, js, je);
    for (TObjHeader* p = OffsStart; p; p = p->Next) EnPline.FindDir(p);
}

std::vector<TObjHeader*> TakeList(TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    std::vector<TObjHeader*> v;
    for (TObjHeader* p = StartAdr; p; p = p->Next) v.push_back(p);
    for (TObjHeader* p : v) p->Next = p->Prev = nullptr;
    StartAdr = EndAdr = nullptr;
    return v;
}

}  // namespace offs

void TEnPline::GenOffsetClose(TObjHeader* Adresa, Extended Dist, bool Inside, bool Analyza, TObjHeader*& OffsStart,
                              TObjHeader*& OffsEnd, int32_t La) {
    offs::GenOffsetClose(Adresa, Dist, Inside, Analyza, OffsStart, OffsEnd, La, false);
}

void TEnPline::GenOffsetOpen(TObjHeader* Adresa, Extended Dist, bool Right, TObjHeader*& OffsStart,
                             TObjHeader*& OffsEnd, int32_t La) {
    offs::GenOffsetOpen(Adresa, Dist, Right, OffsStart, OffsEnd, La, false);
}
