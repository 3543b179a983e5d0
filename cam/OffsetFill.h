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
// A new polyline on Pl's layer (in no list) without repeated points and with
// consecutive straight segments of one direction merged.
TObjHeader* MergeCollinearSegs(const TObjHeader* Pl);
// The centre lines between the two sides of every narrow place (pairs of pieces
// First..Last), appended to OutStart..OutEnd; a centre line farther than MinDist from
// one of its sides is dropped. Returns the number kept.
int CreateCenterLines(TObjHeader* First, TObjHeader* Last, TObjHeader*& OutStart, TObjHeader*& OutEnd, uint8_t La,
                      Extended MinDist, Extended MaxDist);
