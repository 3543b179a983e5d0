// Commands that cut or lengthen polylines at picked places: BREAK splits a polyline at
// a point, TRIM removes the part between crossings with boundary objects, EXTEND
// prolongs an end to the nearest boundary. Each keeps running, one pick per pass.
#pragma once

#include "core/Types.h"

struct TObjHeader;

void ComBreak();
void ComTrim();
void ComExtend();

// The pick box of the picking commands: the square around P with the half side
// Glob.SelectSize / (2 * Glob.BoduNaMm) millimetres.
void PickBox(const Osy& P, Osy& Min, Osy& Max);
// The first polyline of the drawing, from its start, that the box around P touches
// (polylines on hidden layers are never hit); SkipSelected passes selected ones over.
TObjHeader* FirstPlineHit(const Osy& P, bool SkipSelected);
