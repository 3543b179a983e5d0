// Dimensions: annotations built of ordinary objects (extension lines, a dimension
// line or arc, arrowheads, a leader) and one text from WorkText. A finished dimension
// is appended to MainVars.DataStart..DataEnd as one group record (Glob.DimGroup) or
// as loose objects; nothing ties it to what it measures.
//
// Every part lies on layer 67 with Glob.DimLayerKot, else on Glob.LayerDraw. The
// arrowhead length L is Glob.DimArrowLen, the text height H is WorkText.Vyska. The
// caller fills WorkText (text, font, height) before each call; the builders set its
// Rotate, MirrorY, Justify (bold and italic cleared, the TrueType bit kept) and
// Origin, and WorkText holds the dimension text's parameters afterwards. An empty
// text, or one of blanks alone, becomes "?".
//
// Parts in list order: linear dimensions: extension line at A, at B, arrowhead at A,
// at B, dimension line, text; angle, room for the arrows inside: extension lines at
// P1 and P2, arc, arrowheads at the arc's start and end, text; otherwise the arc
// follows the arrowheads; leader: leader polyline, text, arrowhead. A group's Count
// is the number of parts actually made.
//
// Placement by the room a between the extension lines (a distance or an arc length)
// for a text w wide: a >= w + 2 (L + 1): arrowheads inside pointing out, text centred;
// a >= w + 2: arrowheads outside pointing in, the line runs on L + 1 beyond both,
// text centred; a >= 2 L + 1: arrowheads inside, text from 1 mm beyond the second
// extension line; else arrowheads outside, text from L + 1 beyond it.
#pragma once
#include "core/ObjRecords.h"
#include "core/Types.h"

// Horizontal distance of P1-P2 with the dimension line at the height of Loc.
bool DimHor(const Osy& P1, const Osy& P2, const Osy& Loc);
// Vertical distance with the dimension line at the x of Loc; the text reads upwards,
// left of the line.
bool DimVert(const Osy& P1, const Osy& P2, const Osy& Loc);
// True distance, parallel to P1-P2, the dimension line through Loc; the text turned
// by Angle(A, B) with A, B the points ordered by x.
bool DimRot(const Osy& P1, const Osy& P2, const Osy& Loc);
// The angle between the rays Vert-P1 and Vert-P2 on the side of Loc, the arc through
// Loc; the text stands outside the arc above the vertex and inside it below, never
// upside down. Refused ("Err:" log line, false, nothing made) when Loc is the vertex
// (no radius) or both points lie on one ray.
bool DimAngle(const Osy& Vert, const Osy& P1, const Osy& P2, const Osy& Loc);
// A leader along the one-segment polylines from StartLines to the end of their list
// (joined end to end), with a shelf of the text's width + 1 towards +x, the text on
// it (bottom right) and an arrowhead at the start. EndLines is not read; the legs
// are not changed. False, nothing made, when StartLines is nullptr or no polyline.
bool DimLeader(TObjHeader* StartLines, TObjHeader* EndLines);

// An arrowhead (two straight segments, length L, half-angle 15 degrees) with its tip
// at T pointing to -x (ToMinusX) or +x, appended to StartAdr..EndAdr on Layer.
TObjHeader* DimArrowX(const Osy& T, bool ToMinusX, uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
// The same pointing to -y (ToMinusY) or +y.
TObjHeader* DimArrowY(const Osy& T, bool ToMinusY, uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
