// Where a closed contour's lead-in and lead-out arcs go. The arcs leave the path
// tangentially on the side away from the part; at a corner of the path that side is
// the corner's bisector and the arcs swing into both walls, so the path is started
// where the arcs keep the tool's distance from the source.
#pragma once
#include <cstdint>

#include "core/ObjRecords.h"
#include "core/Types.h"

struct TLeadPlace {
    Extended A = 0;    // direction from the path's start away from the source
    Extended Rad = 0;  // the lead radius that fits (0: no lead fits)
    TObjHeader* Restarted = nullptr;  // the path started elsewhere (a new record), or none
};

// Path is the closed offset at Dist from Src in the direction it will be cut, s the
// side sign of the arcs. Keeps Path's start when the arcs of radius Rad fit there
// (A from the source's start to it, as always); else restarts Path in the middle of
// its longest segment where they fit, or with the largest halved radius that fits,
// and logs what it changed.
TLeadPlace PlaceLeads(const TObjHeader* Src, const TObjHeader* Path, bool TgIn, bool TgOut, Extended Dist,
                      Extended Rad, Extended TgUhel, Extended s, uint8_t La);
