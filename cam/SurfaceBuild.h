// The surfacing toolpath builder: faces the area inside, on or around closed contours
// with parallel meander passes along X or Y, one tool, no finishing contour.
#pragma once
#include "core/ObjRecords.h"
#include "core/Types.h"

// The recorded direction of passes along Y: pi/2 as a single-precision number, the
// value job files carry.
inline constexpr Extended SurfaceAlongY = Extended(float(1.5707963267948966));

// Builds surfacing operation OpList.Index from the copies SrcStart..SrcEnd (freed),
// appending one group per region to the drawing. Results as for the pocket builder.
bool CreateSurfaceToolpath(TObjHeader*& SrcStart, TObjHeader*& SrcEnd, bool TestObjects);
