// Cubic Bezier curves turned into the segments of the polyline under construction
// in the object builder: straight lines (BezierToLines) or circular arcs with
// straight lines where the curve is straight (BezierToArcs).
#pragma once
#include "core/Types.h"

// Replaces the cubic Bezier curve P0 (the builder's current end) - P1 - P2 - P3 by
// segments appended to the polyline under construction, each within MaxErr of the
// curve; the polyline ends exactly at P3 afterwards. AreaTol is the flattening
// tolerance (square units) used while fitting; the flattening also stops where the
// pieces lie within a quarter of MaxErr of the curve, and at 2^16 pieces, so that a
// curve of any size costs a bounded time. Segments are added with
// Glob.InputFiltr as tolerance. When Min/Max are given they are widened by every
// point added.
void BezierToLines(const Osy& P0, const Osy& P1, const Osy& P2, Extended AreaTol, Extended MaxErr,
                   const Osy& P3, Osy* Min = nullptr, Osy* Max = nullptr);
void BezierToArcs(const Osy& P0, const Osy& P1, const Osy& P2, Extended AreaTol, Extended MaxErr,
                  const Osy& P3, Osy* Min = nullptr, Osy* Max = nullptr);
