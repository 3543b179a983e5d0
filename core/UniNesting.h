// Sorting closed contours into outer contours and the holes directly inside them.
#pragma once
#include <cstdint>

#include "core/ObjRecords.h"
#include "core/Types.h"

// The point of a record that containment tests use: the middle of a polyline's first
// segment (it lies on the contour); the first stored point of a point or 3D
// polyline; the base of a text; for a group, its first member's point.
void ObjTestPt(TObjHeader* Obj, Osy& P);

// Replaces a list of closed contours by a list of unlinked-from-elsewhere group
// records (Layer, Flags 1, Count = their members), one per outer contour: the outer
// contour first, then the contours directly inside it. The groups of the deepest
// level come first, the outermost last; within a level in the order of their outer
// contours. A level in which no contour is outer (duplicate or touching contours)
// takes its first contour as outer, so the walk always ends.
void GroupByNesting(TObjHeader*& StartAdr, TObjHeader*& EndAdr, uint8_t Layer);
