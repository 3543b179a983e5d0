// Hatch: parallel straight lines at a spacing and an angle filling a boundary group
// (an outer closed contour first, the closed contours directly inside it behind it,
// as GroupByNesting makes them). The pieces are open one-segment polylines, appended
// to the drawing loose or wrapped into one group (Glob.HatchGroup), on layer 67 with
// Glob.HatchLayerKot, else on Glob.LayerDraw. Engraving machines the pieces in list
// order, so the direction of each piece and their order are part of the result:
// the lines follow one another across the area, each running in the direction
// UhelSraf + pi. Nothing is drawn or logged on success.
#pragma once
#include <cstdint>

#include "core/ObjRecords.h"
#include "core/Types.h"

// Hatches the boundary group Adresa (only read) with lines DistSraf mm apart in the
// direction UhelSraf (radians, counter-clockwise from +x; any value, normalised
// fully). Returns the number of pieces appended to MainVars.DataStart..DataEnd.
// A spacing of 0 (below CoordTol), a non-finite value, a record that is not a group
// with a polyline first, or more lines than HatchMaxLines are refused with an "Err:"
// log line (result 0). A negative spacing gives no piece.
int32_t Hatch(TObjHeader* Adresa, Extended DistSraf, Extended UhelSraf);

// The direction the lines of angle UhelSraf are made in, in [0, pi]: within
// -2pi..2pi a negative angle gains 2pi once and then an angle above pi loses pi
// once (so -pi/4 is 3pi/4 and 2pi is pi); farther angles are first brought into
// that range by whole turns (4pi as 2pi, 3pi as pi). An angle within CoordTol
// above pi is pi.
Extended HatchAngle(Extended UhelSraf);

// Most lines one hatch makes.
inline constexpr int32_t HatchMaxLines = 1000000;
