// Corner loops of the offset fill: at a sharp corner of a ring the material between it
// and the ring outside is wider than the tool reaches, so the ring makes a detour out
// to the contour half a step outside it and comes back.
#include <algorithm>
#include <cmath>
#include <vector>

#include "cam/OffsetFill.h"
#include "core/Builder.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniPline.h"

namespace {

struct TStep {
    Osy E;
    Extended Alfa;
};

Extended SegLength(const Osy& S, const TStep& T) {
    if (std::fabs(T.Alfa) <= CoordTol) return Dist(S, T.E);
    Osy C;
    Extended R;
    ArcCenter(S, T.E, T.Alfa, C, R);
    return R * std::fabs(T.Alfa);
}

// The nearest crossing, other than V itself, of the straight V-Q with a segment of Pl;
// Q moves there. A straight segment lying along V-Q does not count.
bool NearestHit(const Osy& V, Osy& Q, const TObjHeader* Pl, int32_t& Seg) {
    bool Hit = false;
    const TPlineSeg* P = PlineSegs(Pl);
    for (int32_t k = 0, n = PlineSegCount(Pl); k < n; ++k) {
        Osy X[2];
        const unsigned c = IntersSegSeg(V, Q, PlineSegStart(Pl, k), P[k].E, 0, P[k].Alfa, X[0], X[1]);
        if (c == 2 && std::fabs(P[k].Alfa) <= CoordTol) continue;
        for (unsigned h = 0; h < c; ++h) {
            const Extended d = Dist(V, X[h]);
            if (d <= CoordTol || d > Dist(V, Q) + 1e-12L) continue;
            Q = X[h];
            Seg = k;
            Hit = true;
        }
    }
    return Hit;
}

// The way along the pieces from From to To: following the pieces in their own
// direction (Forward) or against it. Empty when To is not reached.
bool Walk(TObjHeader* Pieces, const Osy& From, const Osy& To, bool Forward, std::vector<TStep>& Out,
          Extended& Length) {
    Out.clear();
    Length = 0;
    Osy At = From;
    std::vector<const TObjHeader*> Used;
    for (;;) {
        const TObjHeader* Next = nullptr;
        for (const TObjHeader* p = Pieces; p && !Next; p = p->Next)
            if (PlineSegCount(p) > 0 && std::find(Used.begin(), Used.end(), p) == Used.end() &&
                SamePt(Forward ? AsPline(p)->S : PlineEndPt(p), At))
                Next = p;
        if (!Next) return false;
        Used.push_back(Next);
        const int32_t n = PlineSegCount(Next);
        const TPlineSeg* S = PlineSegs(Next);
        for (int32_t i = 0; i < n; ++i) {
            const TStep T = Forward ? TStep{S[i].E, S[i].Alfa} : TStep{PlineSegStart(Next, n - 1 - i), -S[n - 1 - i].Alfa};
            Length += SegLength(At, T);
            Out.push_back(T);
            At = T.E;
        }
        if (SamePt(At, To)) return true;
    }
}

// The loop at corner V (from V out and back to V), or false when a ray misses.
bool CornerLoop(const Osy& V, Extended TIn, Extended TOut, Extended Step, TObjHeader* Limits,
                std::vector<TStep>& Loop) {
    Osy Q1{V.x + Step * std::cos(TOut + GeomPi), V.y + Step * std::sin(TOut + GeomPi)};
    Osy Q2{V.x + Step * std::cos(TIn), V.y + Step * std::sin(TIn)};
    TObjHeader* S = nullptr;
    int32_t Seg1 = -1;
    for (TObjHeader* L = Limits; L; L = L->Next)
        if (L->Type == ObjPline && NearestHit(V, Q1, L, Seg1)) S = L;
    if (!S) return false;
    // The hit contour is split on a copy: the limit contours stay whole for the next corner.
    TObjHeader *PS = nullptr, *PE = nullptr;
    EnPline.BreakPlineOnPoint(Q1, EnPline.CopyIdent(S, PS, PE), Seg1, PS, PE);
    TObjHeader* Hit = nullptr;
    int32_t Seg2 = -1;
    for (TObjHeader* p = PS; p; p = p->Next) {
        int32_t k = -1;
        if (NearestHit(V, Q2, p, k)) {
            Hit = p;
            Seg2 = k;
        }
    }
    bool Ok = Hit != nullptr;
    if (Ok) {
        EnPline.BreakPlineOnPoint(Q2, Hit, Seg2, PS, PE);
        // Of the two ways round the half-step contour the corner's is the short one.
        std::vector<TStep> A, B;
        Extended La = 0, Lb = 0;
        const bool Fa = Walk(PS, Q2, Q1, true, A, La), Fb = Walk(PS, Q2, Q1, false, B, Lb);
        Ok = Fa || Fb;
        if (Ok) {
            Loop.assign({{Q2, 0}});
            const std::vector<TStep>& W = Fa && (!Fb || La <= Lb) ? A : B;
            Loop.insert(Loop.end(), W.begin(), W.end());
            Loop.push_back({V, 0});
        }
    }
    FreeObjList(PS, PE);
    return Ok;
}

Extended WrapPi(Extended H) {
    if (H > GeomPi) H -= Geom2Pi;
    if (H < -GeomPi) H += Geom2Pi;
    return H;
}

}  // namespace

TObjHeader* AddCornerLoops(const TObjHeader* Contour, TObjHeader* Limits, Extended R, Extended Step, bool Outer,
                           const TObjHeader* CenterLines) {
    WriteLog("CAM:Adding corner Start");
    // A corner needs a loop when the turn leaves more between the rings than the tool
    // reaches from both; 15 degrees of margin.
    const Extended Ratio = R > 0 ? std::clamp<Extended>((Step - R) / R, 0, 1) : 1;
    const Extended Lim = GeomPi - 2 * std::asin(Ratio) - 0.2617993877991494L;
    const bool Ccw = !(AsPline(Contour)->PlineFlags & PlineCW);
    std::vector<Osy> LineEnds;
    for (const TObjHeader* c = CenterLines; c; c = c->Next)
        if (c->Type == ObjPline && PlineSegCount(c) > 0) {
            LineEnds.push_back(AsPline(c)->S);
            LineEnds.push_back(PlineEndPt(c));
        }
    std::sort(LineEnds.begin(), LineEnds.end(), [](const Osy& a, const Osy& b) { return a.x < b.x; });
    auto OnLineEnd = [&](const Osy& V) {
        auto it = std::lower_bound(LineEnds.begin(), LineEnds.end(), V.x - 2 * CoordTol,
                                   [](const Osy& a, Extended x) { return a.x < x; });
        for (; it != LineEnds.end() && it->x <= V.x + 2 * CoordTol; ++it)
            if (SamePt(*it, V)) return true;
        return false;
    };
    const int32_t n = PlineSegCount(Contour);
    const TPlineSeg* Seg = PlineSegs(Contour);
    std::vector<std::vector<TStep>> Loops(size_t(std::max(0, n)));
    bool Any = false;
    for (int32_t k = 0; k < n; ++k) {
        const Osy P = PlineSegStart(Contour, k), V = Seg[k].E;
        if (OnLineEnd(V)) continue;
        const int32_t j = k + 1 < n ? k + 1 : 0;
        const Extended TIn = NormAngleOf(Angle(P, V) + Seg[k].Alfa / 2);
        const Extended TOut = NormAngleOf(Angle(V, Seg[j].E) - Seg[j].Alfa / 2);
        const Extended H = WrapPi(TOut - TIn);
        if (!(Outer == Ccw ? H > Lim : H < -Lim)) continue;
        if (!CornerLoop(V, TIn, TOut, Step, Limits, Loops[size_t(k)])) {
            WriteLog("CAM:Adding corner End");
            return nullptr;
        }
        Any = true;
    }
    TObjHeader *S = nullptr, *E = nullptr;
    if (!Any) {
        WriteLog("CAM:No corner created, exit");
        TObjHeader* Copy = EnPline.CopyIdent(const_cast<TObjHeader*>(Contour), S, E);
        UnlinkObj(Copy, S, E);
        WriteLog("CAM:Adding corner End");
        return Copy;
    }
    StartObj(AsPline(Contour)->S);
    for (int32_t k = 0; k < n; ++k) {
        AddSeg(Seg[k].E, Seg[k].Alfa, CoordTol);
        for (const TStep& T : Loops[size_t(k)]) AddSeg(T.E, T.Alfa, CoordTol);
    }
    TObjHeader* Built = MakeObj(Contour->Layer, S, E);
    TObjHeader* Res = nullptr;
    if (Built) {
        UnlinkObj(Built, S, E);
        Res = MergeCollinearSegs(Built);
        FreeObjBlock(Built);
        if (Res) EnPline.FindDir(Res);
    }
    WriteLog("CAM:Adding corner End");
    return Res;
}
