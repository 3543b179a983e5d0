// What the direction search found for the closed polylines it was last asked about,
// kept by their geometry: the pocket builders ask about the same contour several
// times (when an offset makes it, when the regions are grouped, for every offset of
// it), and the search for crossings is costly. A polyline counts as the same only
// when its start point and every segment are equal.
#pragma once
#include "core/ObjRecords.h"

namespace pline {

struct TDirFound {
    bool Cross = false;  // meets itself
    bool CW = false;     // runs clockwise (when it does not meet itself)
};

// True, and what was found, when the same polyline was asked about before.
bool RecallDir(const TObjHeader* P, TDirFound& Found);
void RememberDir(const TObjHeader* P, const TDirFound& Found);
// Empties the memo and gives back its memory.
void ForgetDirs();

}  // namespace pline
