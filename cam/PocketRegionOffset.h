// The offset of a nested region (an outer contour and the islands directly inside
// it) as the pocket builders need it: the closed loops at a distance inside the outer
// contour and outside the islands, and, separately, the pairs of open pieces that
// close on each other where the offset broke apart in a narrow place.
#pragma once
#include <cstdint>

#include "core/ObjRecords.h"
#include "core/Types.h"

// First and the records behind it (Next links) are the region's contours. The loops
// are appended to Out, the narrow-place pairs to Fail. False (both lists untouched)
// when the outer contour or an island gives no offset.
bool PocketRegionOffset(bool Inside, TObjHeader* First, Extended Dist, TObjHeader*& OutStart, TObjHeader*& OutEnd,
                        TObjHeader*& FailStart, TObjHeader*& FailEnd, uint8_t La);
