// Fill paths of pocket regions: parallel lines at a fill angle cut at the region's
// boundary and linked into meanders along it, or inward offset rings; and the joining
// of consecutive fill paths by straight moves over the machined bottom.
#pragma once
#include <cstdint>

#include "core/ObjRecords.h"
#include "core/Types.h"

// Fills the regions formed by the closed contours First..Last (copied, not changed):
// meander lines (Meander) or offset rings; the paths (layer La) are appended to
// OutStart..OutEnd. R the tool radius, Angle the line direction (0..pi), Step the
// distance between paths. CopyContours appends copies of the contours after rings.
void CreateFills(TObjHeader* First, TObjHeader* Last, bool Meander, uint8_t La, TObjHeader*& OutStart,
                 TObjHeader*& OutEnd, Extended R, Extended Angle, Extended Step, bool CopyContours);
// The meander paths of one region (outer contour first, then its islands); the
// region's list is freed.
void CreateMeanderLines(TObjHeader*& AreaStart, TObjHeader*& AreaEnd, TObjHeader*& OutStart, TObjHeader*& OutEnd,
                        uint8_t La, Extended Step, Extended Angle);
// Two points closer than 0.0001 mm.
bool PointsTouch(const Osy& P1, const Osy& P2);
// Joins consecutive paths by straight moves that cross none of the closed contours
// from BoundFirst on (the list behind it).
void JoinFills(TObjHeader*& PathsStart, TObjHeader*& PathsEnd, TObjHeader* BoundFirst);
// A new record (in no list): A followed by B's segments; A and B are deleted from the
// list. A itself when A and B are the same record.
TObjHeader* JoinPlines(TObjHeader* A, TObjHeader* B, TObjHeader*& ListStart, TObjHeader*& ListEnd);
