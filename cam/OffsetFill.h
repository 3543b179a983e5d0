// Offset fill: closed rings following a region's boundary inwards one step apart, and
// the centre lines through the narrow places where an offset breaks apart.
#pragma once
#include <cstdint>

#include "core/ObjRecords.h"
#include "core/Types.h"

// The rings of the region Group (a nesting group or a single closed contour), from the
// outside inwards, appended to OutStart..OutEnd on layer La. R the tool radius.
void CreateOffsetRings(TObjHeader* Group, TObjHeader*& OutStart, TObjHeader*& OutEnd, uint8_t La, Extended R,
                       Extended Step);
// The ring Contour with a loop at each corner sharper than the rings' spacing lets the
// tool clear, reaching out to the half-step contours Limits (the list behind it, not
// changed); a new polyline in no list, a copy when no corner needs a loop, nullptr
// when a corner's ray misses the limits. Outer: Contour is a region's outer ring, not
// an island's. No loop at an end of one of the centre lines from CenterLines on.
TObjHeader* AddCornerLoops(const TObjHeader* Contour, TObjHeader* Limits, Extended R, Extended Step, bool Outer,
                           const TObjHeader* CenterLines);
// A new polyline on Pl's layer (in no list) without repeated points and with
// consecutive straight segments of one direction merged.
TObjHeader* MergeCollinearSegs(const TObjHeader* Pl);
// The centre lines between the two sides of every narrow place (pairs of pieces
// First..Last), appended to OutStart..OutEnd; a centre line farther than MinDist from
// one of its sides is dropped. Returns the number kept.
int CreateCenterLines(TObjHeader* First, TObjHeader* Last, TObjHeader*& OutStart, TObjHeader*& OutEnd, uint8_t La,
                      Extended MinDist, Extended MaxDist);
