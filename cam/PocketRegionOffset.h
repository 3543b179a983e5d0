// The region offset as the pocket builders use it: appended to lists they already
// hold, the region given by its first contour alone.
#pragma once
#include <cstdint>

#include "core/ObjRecords.h"
#include "core/Types.h"

// First and the records behind it (Next links) are the region's contours. The loops
// are appended to Out, the narrow-place pairs to Fail. False (both lists untouched)
// when the outer contour or an island gives no offset.
bool PocketRegionOffset(bool Inside, TObjHeader* First, Extended Dist, TObjHeader*& OutStart, TObjHeader*& OutEnd,
                        TObjHeader*& FailStart, TObjHeader*& FailEnd, uint8_t La);
// The same, also appending the lines where a place exactly twice Dist wide makes the
// offsets of its two sides lie on each other (OffsetRegion) to Touch.
bool PocketRegionOffset(bool Inside, TObjHeader* First, Extended Dist, TObjHeader*& OutStart, TObjHeader*& OutEnd,
                        TObjHeader*& FailStart, TObjHeader*& FailEnd, uint8_t La, TObjHeader*& TouchStart,
                        TObjHeader*& TouchEnd);
