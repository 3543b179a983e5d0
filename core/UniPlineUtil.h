// Small helpers shared by the polyline sources: segment lengths and boxes, the split
// of a segment at a point, building a piece of a polyline with the object builder.
#pragma once
#include <cmath>
#include <vector>

#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniPlineIndex.h"

namespace pline {

// Straight when |Alfa| is at most the tolerance.
inline bool IsLine(Extended Alfa) { return std::fabs(Alfa) <= CoordTol; }

// The foot F of P on segment (S, E, Alfa) and its distance D; false when the foot
// falls outside the segment (PerpFootLine / PerpFootArc).
inline bool PerpFootSeg(const Osy& P, const Osy& S, const Osy& E, Extended Alfa, Osy& F, Extended& D) {
    return IsLine(Alfa) ? PerpFootLine(P, S, E, F, D) : PerpFootArc(P, S, E, Alfa, F, D);
}

// An angle brought into -pi..pi by at most one turn.
inline Extended WrapPi(Extended t) {
    if (t > GeomPi) t -= Geom2Pi;
    if (t < -GeomPi) t += Geom2Pi;
    return t;
}

inline Extended SegLength(const Osy& S, const Osy& E, Extended Alfa) {
    if (IsLine(Alfa)) return Dist(S, E);
    // The radius as ArcCenter computes it, without the centre.
    const Extended a = std::fabs(Alfa);
    return a * (Dist(S, E) / (2 * std::sin(a / 2)));
}

// Lengths of all segments before segment i, summed in walking order.
std::vector<Extended> PrefixLengths(const TObjHeader* Adresa);

// The path length from the start of segment (S, E, Alfa) to Pt on it (not projected).
Extended PartLength(const Osy& S, const Osy& E, Extended Alfa, const Osy& Pt);

// Angles of the two parts of segment (S, E, Alfa) split at X on it: S..X gets D1,
// X..E gets D2 (both 0 for a line).
void SplitAngles(const Osy& S, const Osy& E, Extended Alfa, const Osy& X, Extended& D1, Extended& D2);

// The segment's box widened by a margin that keeps every pair the exact intersection
// routines call meeting (within the tolerance) a candidate pair.
TIdxBox SegBox(const Osy& S, const Osy& E, Extended Alfa);

// Builds on the object builder. Head: the start through the segments before I and the
// part of segment I up to X. Tail: from X, the rest of segment I and the segments after.
// Both finish the record on Layer at the end of the list and return it (a point
// record when nothing but the start point survived).
TObjHeader* BuildHead(const TObjHeader* Src, int32_t I, const Osy& X, uint8_t Layer,
                      TObjHeader*& StartAdr, TObjHeader*& EndAdr);
TObjHeader* BuildTail(const TObjHeader* Src, int32_t I, const Osy& X, uint8_t Layer,
                      TObjHeader*& StartAdr, TObjHeader*& EndAdr);

}  // namespace pline
