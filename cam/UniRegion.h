// The region offset: the closed loops at a distance inside or outside a nested region
// (an outer contour and the holes directly inside it), with every piece removed that
// touches the sources or comes nearer to them than the distance.
#pragma once
#include <cstdint>

#include "core/ObjRecords.h"
#include "core/Types.h"

// Offsets the region chain First..Last (followed through Next) by Dist: the outer
// contour to the side Inside, the holes to the other side. The loops go to
// OutStart..OutEnd; FailStart..FailEnd receives pairs of open pieces that meet at both
// ends where the offsets from two sides touch in a narrow place. Both lists are
// emptied first and stay empty on failure (a contour without offset, logged and
// marked). Searches go through box indexes, so the cost grows as n log n.
void OffsetRegion(bool Inside, TObjHeader* First, TObjHeader* Last, Extended Dist, TObjHeader*& OutStart,
                  TObjHeader*& OutEnd, TObjHeader*& FailStart, TObjHeader*& FailEnd, uint8_t La);

// The same, also giving the places exactly twice Dist wide, where the offsets from
// the two sides lie on each other and no loop or narrow-place pair goes through: open
// lines along them from a vertex of a loop, to TouchStart..TouchEnd (emptied first).
void OffsetRegion(bool Inside, TObjHeader* First, TObjHeader* Last, Extended Dist, TObjHeader*& OutStart,
                  TObjHeader*& OutEnd, TObjHeader*& FailStart, TObjHeader*& FailEnd, uint8_t La,
                  TObjHeader*& TouchStart, TObjHeader*& TouchEnd);

// Shows the user a source that failed: layer 15, flags cleared, drawn at once.
void MarkFailedObj(TObjHeader* Adresa);
