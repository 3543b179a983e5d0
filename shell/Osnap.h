// Object snaps: the characteristic point of the objects under the pointer (end,
// midpoint, centre, intersection, perpendicular foot, tangent point) offered instead
// of the raw pointer position while a command waits for a point.
//
// The search runs on every pointer move. So that its cost does not grow with the
// drawing, it asks the drawing's index (core/ObjIndex) for the records whose box meets
// the aperture, and on a long polyline looks only at the segments around the pointer,
// through the segment boxes the index keeps for it; the exact rules then run in the
// drawing's list order.
#pragma once
#include <cstdint>
#include <vector>

#include "core/ObjRecords.h"
#include "core/Types.h"
#include "shell/MainVars.h"

// Marker kinds.
enum : uint8_t { osKindCen = 1, osKindMid = 2, osKindEnd = 3, osKindPer = 4, osKindTan = 5, osKindInt = 6 };

// The two nearest objects found so far; one pair serves a whole search.
struct TSnapPair {
    Extended D1 = 1000000, D2 = 1000000;
    TObjHeader* Obj1 = nullptr;
    TObjHeader* Obj2 = nullptr;
};

// The records of the list First (group members in place, depth first, in list order)
// that may lie within A of C: polylines with a segment box meeting C +- A, points in
// that box, and every text. Group records and 3D polylines are never listed.
void SnapCandidates(TObjHeader* First, const Osy& C, Extended A, std::vector<TObjHeader*>& Out);

// Keeps in Pair the two nearest of Candidates (from SnapCandidates, in that order):
// hidden layers are skipped (layer 68 counts as shown), PlinesOnly skips points and
// texts; points and polylines count within A of C, texts at any distance.
void FindSnapObjects(const std::vector<TObjHeader*>& Candidates, bool PlinesOnly, const Osy& C,
                     Extended A, TSnapPair& Pair);

// The snap points of one object, given the pointer C, half the aperture A and the last
// picked point B. False: the object gives none.
bool SnapEndPoint(const TObjHeader* Obj, const Osy& C, Extended A, Osy& Out);
bool SnapMidPoint(const TObjHeader* Obj, const Osy& C, Extended A, Osy& Out);
bool SnapCentre(const TObjHeader* Obj, const Osy& C, Extended A, Osy& Out);
// The crossing nearest to C of the two polylines' segments that come into the
// aperture box C +- A.
bool SnapIntersection(const TObjHeader* Obj1, const TObjHeader* Obj2, const Osy& C, Extended A, Osy& Out);
bool SnapPerpendicular(const TObjHeader* Obj, const Osy& B, const Osy& C, Extended A, Osy& Out);
bool SnapTangent(const TObjHeader* Obj, const Osy& B, const Osy& C, Extended A, Osy& Out);

// The whole search over the list First with the kinds switched on in Kinds: the kind
// chosen (0 none) and its point.
uint8_t OsnapSearch(TObjHeader* First, const TOsnapAuto& Kinds, const Osy& C, const Osy& B, Extended A,
                    Osy& Out);

