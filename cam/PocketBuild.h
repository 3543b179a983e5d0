// The pocket toolpath builder: clears the inside of closed contours (regions with
// islands) with fill paths of the layer's tool and adds finishing contours along the
// walls, recorded as a pocket operation with roughing and finishing sub-operations.
#pragma once
#include <string>
#include <vector>

#include "core/ObjRecords.h"
#include "core/Types.h"

// Builds the pocket OpList.Index (a new one at CamCnt) from the copies SrcStart..SrcEnd,
// which it frees, appending one group per region to DrawStart..DrawEnd. TestObjects:
// check the copies and offer to join open ones. True when paths were made or the
// dialog was cancelled; false when the build stopped on an error.
bool CreatePocketToolpath(TObjHeader*& SrcStart, TObjHeader*& SrcEnd, bool TestObjects, TObjHeader*& DrawStart,
                          TObjHeader*& DrawEnd);

// A typed fill angle in degrees as a line direction in 0..pi; false for a value that
// is no number or lies beyond a full turn.
bool FillAngle(Extended Degrees, Extended& Radians);

// The error lines of the last build (the list the user was shown).
const std::vector<std::string>& PocketErrors();
