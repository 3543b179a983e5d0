// Hatch: make the lines across the grown envelope of the outer contour, cut them at
// every crossing with the contours, then drop the pieces outside the outer contour
// and inside the islands.
//
// The cutting runs as a list of pieces in which a piece that is cut goes to the end
// of the list together with its new part, so every part is examined again and the
// final order of the pieces is that of this process. A piece is tested only against
// the contour segments that reach its line across the hatch direction (an index by
// line number); the others cannot cross it, so the outcome is the same as testing
// every segment in contour order.
#include "core/UniHatch.h"

#include <algorithm>
#include <cmath>
#include <list>
#include <string>
#include <vector>

#include "core/Glob.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/MainVars.h"

namespace {

struct TCandSeg {
    Osy P, Q;  // segment start and end
    Extended Alfa;
};

struct TPiece {
    Osy S, E;
    int32_t Line;  // index of the line it belongs to
};

void Refuse(TObjHeader* Adresa, const std::string& Why) {
    WriteLog("Err:Hatch refused, " + Why + " (Adr:" + std::to_string(uintptr_t(Adresa)) + ")");
}

// Cuts every piece at its crossings with the contour segments of its line.
void SplitHatchLines(std::list<TPiece>& L, const std::vector<std::vector<TCandSeg>>& Cand) {
    for (auto cur = L.begin(); cur != L.end();) {
        auto next = std::next(cur);
        for (const TCandSeg& c : Cand[size_t(cur->Line)]) {
            Osy x1, x2;
            unsigned k = std::fabs(c.Alfa) <= CoordTol ? IntersLineLine(cur->S, cur->E, c.P, c.Q, x1, x2)
                                                       : IntersLineArc(cur->S, cur->E, c.P, c.Q, c.Alfa, x1, x2);
            if (k == 0) continue;
            Osy x = x1;
            if (k == 2 && (SamePt(x1, cur->S) || SamePt(x1, cur->E))) x = x2;
            if (SamePt(x, cur->S) || SamePt(x, cur->E)) continue;
            const Osy r = cur->E;
            cur->E = x;
            L.splice(L.end(), L, cur);
            L.push_back(TPiece{x, r, cur->Line});
            if (next == L.end()) next = cur;  // cur was the last: examine it again
            break;
        }
        cur = next;
    }
}

// The range of offsets across the lines (along Nrm from S) that a segment reaches.
void SegOffsetRange(const Osy& P, const Osy& Q, Extended Alfa, const Osy& S, const Osy& Nrm, Extended& Lo,
                    Extended& Hi) {
    auto off = [&](const Osy& V) { return (V.x - S.x) * Nrm.x + (V.y - S.y) * Nrm.y; };
    Lo = std::min(off(P), off(Q));
    Hi = std::max(off(P), off(Q));
    if (std::fabs(Alfa) > CoordTol) {
        Osy mn, mx;
        ArcEnvelope(P, Q, Alfa, mn, mx);
        for (const Osy& v : {mn, mx, Osy{mn.x, mx.y}, Osy{mx.x, mn.y}}) {
            Lo = std::min(Lo, off(v));
            Hi = std::max(Hi, off(v));
        }
    }
}

bool InBox(const Osy& P, const Osy& Min, const Osy& Max) {
    return P.x >= Min.x && P.x <= Max.x && P.y >= Min.y && P.y <= Max.y;
}

}  // namespace

Extended HatchAngle(Extended A) {
    if (std::fabs(A) > Geom2Pi) {
        Extended r = std::fmod(A, Geom2Pi);
        if (r == 0) r = A > 0 ? Geom2Pi : -Geom2Pi;
        A = r;
    }
    if (A < 0) A += Geom2Pi;
    // pi stays pi, also when the reduction left it a rounding above
    if (A > GeomPi + CoordTol) A -= GeomPi;
    else if (A > GeomPi) A = GeomPi;
    return A;
}

int32_t Hatch(TObjHeader* Adresa, Extended DistSraf, Extended UhelSraf) {
    if (!Adresa || Adresa->Type != ObjGroup || !AsGroup(Adresa)->First ||
        AsGroup(Adresa)->First->Type != ObjPline) {
        Refuse(Adresa, "no boundary group");
        return 0;
    }
    if (!std::isfinite(DistSraf) || !std::isfinite(UhelSraf)) {
        Refuse(Adresa, "spacing or angle is not a number");
        return 0;
    }
    if (std::fabs(DistSraf) < CoordTol) {
        Refuse(Adresa, "spacing is 0");
        return 0;
    }
    const uint8_t layer = Glob.HatchLayerKot ? uint8_t(LayerKoty) : Glob.LayerDraw;
    TObjHeader* outer = AsGroup(Adresa)->First;

    Osy mn, mx;
    EnPline.Envelope(outer, mn, mx);
    mn = {mn.x - 1, mn.y - 1};
    mx = {mx.x + 1, mx.y + 1};
    const Extended D = Dist(mn, mx);

    const Extended a = HatchAngle(UhelSraf);
    const Osy S = a <= GeomPi2 ? Osy{mn.x, mx.y} : mn;
    const Osy E = a <= GeomPi2 ? Osy{mx.x, mn.y} : mx;
    const Extended across = std::sin(a - Angle(S, E) + Geom2Pi) * D / DistSraf;
    if (across > Extended(HatchMaxLines)) {
        Refuse(Adresa, "too many lines");
        return 0;
    }
    const int32_t n = int32_t(std::nearbyint(across)) + 1;
    if (n <= 0) return 0;

    // The lines, one after the other from the corner S across the box.
    const Osy step{std::cos(a - GeomPi2), std::sin(a - GeomPi2)};
    const Osy dir{std::cos(a), std::sin(a)}, back{std::cos(a + GeomPi), std::sin(a + GeomPi)};
    std::list<TPiece> pieces;
    for (int32_t i = 0; i < n; ++i) {
        Osy B{S.x + i * DistSraf * step.x, S.y + i * DistSraf * step.y};
        pieces.push_back({{B.x + D * dir.x, B.y + D * dir.y}, {B.x + D * back.x, B.y + D * back.y}, i});
    }

    // Contours in order (the outer one first), and per line the segments that reach it.
    std::vector<TObjHeader*> contours;
    for (TObjHeader* m = outer; m; m = m->Next)
        if (m->Type == ObjPline) contours.push_back(m);
    std::vector<std::vector<TCandSeg>> cand(static_cast<size_t>(n));
    const Extended tol = 10 * CoordTol + 1e-12L * D;
    for (TObjHeader* c : contours) {
        Osy p = AsPline(c)->S;
        const TPlineSeg* seg = PlineSegs(c);
        for (int32_t k = 0; k < PlineSegCount(c); ++k) {
            const TCandSeg cs{p, seg[k].E, seg[k].Alfa};
            p = seg[k].E;
            int32_t i0 = 0, i1 = n - 1;
            if (DistSraf > 0) {
                Extended lo, hi;
                SegOffsetRange(cs.P, cs.Q, cs.Alfa, S, step, lo, hi);
                Extended f0 = std::ceil((lo - tol) / DistSraf), f1 = std::floor((hi + tol) / DistSraf);
                if (f1 < 0 || f0 > n - 1) continue;
                i0 = int32_t(std::max<Extended>(f0, 0));
                i1 = int32_t(std::min<Extended>(f1, n - 1));
            }
            for (int32_t i = i0; i <= i1; ++i) cand[size_t(i)].push_back(cs);
        }
    }
    SplitHatchLines(pieces, cand);

    // Outer test: within the envelope grown by 0.5 and starting inside the outer contour.
    const Osy bmin{mn.x + 0.5L, mn.y + 0.5L}, bmax{mx.x - 0.5L, mx.y - 0.5L};
    for (auto it = pieces.begin(); it != pieces.end();) {
        bool drop = !InBox(it->S, bmin, bmax) || !InBox(it->E, bmin, bmax);
        if (!drop) {
            Osy t{it->S.x + (it->E.x - it->S.x) / 100, it->S.y + (it->E.y - it->S.y) / 100};
            drop = !EnPline.PointInside(outer, t);
        }
        it = drop ? pieces.erase(it) : std::next(it);
    }
    // Island test: the middle inside an island.
    for (size_t c = 1; c < contours.size(); ++c) {
        Osy imin, imax;
        EnPline.Envelope(contours[c], imin, imax);
        for (auto it = pieces.begin(); it != pieces.end();) {
            Osy M{(it->S.x + it->E.x) / 2, (it->S.y + it->E.y) / 2};
            bool drop = M.x - imin.x > -CoordTol && M.y - imin.y > -CoordTol && imax.x - M.x > -CoordTol &&
                        imax.y - M.y > -CoordTol && EnPline.PointInside(contours[c], M);
            it = drop ? pieces.erase(it) : std::next(it);
        }
    }

    TObjHeader *ws = nullptr, *we = nullptr;
    for (const TPiece& p : pieces) EnPline.LineAdd(p.S, p.E, layer, ws, we);
    const int32_t cnt = CountObjs(ws);
    if (cnt == 0) return 0;
    if (!Glob.HatchGroup) {
        ConcatObjLists(MainVars.DataStart, MainVars.DataEnd, ws, we);
    } else {
        TObjHeader* g = AllocObj(GroupRecSize, ObjGroup);
        g->Layer = layer;
        AsGroup(g)->First = ws;
        AsGroup(g)->Last = we;
        AsGroup(g)->Count = cnt;
        AppendObj(g, MainVars.DataStart, MainVars.DataEnd);
    }
    return cnt;
}
