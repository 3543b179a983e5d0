// The clamp outlines every NC writer keeps clear of: the outside offsets of the clamp
// polylines by the cutting distance of a layer's tool, and the tests of rapids and
// objects against them.
#pragma once
#include "core/Types.h"

struct TObjHeader;

// Frees Start..End and builds the outlines for layer La's tool into it; false when the
// tool has no cutting distance (no pass or an unknown tool type).
bool BuildClampOutlines(int La, TObjHeader*& Start, TObjHeader*& End);
// The straight rapid From-To crosses one of the outlines (none when From = To).
bool RapidCrossesClamp(TObjHeader* Clamps, const Osy& From, const Osy& To);
// P lies inside one of the outlines.
bool PointUnderClamp(TObjHeader* Clamps, const Osy& P);
// A polyline whose start lies inside an outline or that crosses one.
bool PlineUnderClamp(TObjHeader* Clamps, TObjHeader* Pline);
// A 3D polyline whose start or whose XY projection does so.
bool Pline3DUnderClamp(TObjHeader* Clamps, TObjHeader* Pline3D);
