// The object builder: point, polyline and 3D polyline records are built by starting
// at a point, adding segments and then making the record at the end of a list.
//
// One work buffer for the whole program, holding the object under construction in
// the record layout (header space, flag byte, start point, segments), so making the
// record is a copy. MainVars.AdrBasePline is the buffer, MainVars.AdrPline the write
// position just behind the last byte built (equal = idle). The buffer grows as
// needed; growing moves it, so keep no pointers into it across builder calls (read it
// through the accessors below or re-read MainVars after each call).
#pragma once
#include <cstdint>

#include "core/ObjRecords.h"
#include "core/Types.h"

// Allocates the buffer (main form creation) / frees it (shutdown). The builder also
// allocates on first use, so both are optional.
void InitBuilder();
void FreeBuilder();
// Drops whatever is under construction (start-up state of the builder).
void ResetBuilder();

// Starts a 2D object at S, dropping anything under construction.
void StartObj(const Osy& S);
// Appends segment (Alfa, E). False, nothing stored, when no 2D object is under
// construction or E lies within Tol of the last point in x AND in y (a box test).
bool AddSeg(const Osy& E, Extended Alfa, Extended Tol);
// Appends a straight segment to P with input filtering: P equal to the last point is
// ignored; P within Glob.InputFiltr of it replaces the last point (the start point
// while no segment exists).
void AddLinePt(const Osy& P);
// Makes the 2D object into a record on Layer at the end of the list: a point when only
// the start was built, else a polyline with its closed and direction flags. The
// builder is idle afterwards. Nothing when idle.
TObjHeader* MakeObj(uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr);

void StartObj3D(const Osy3D& S);
// False when no 3D object is under construction or Dist3D(last point, E) <= Tol.
bool AddSeg3D(const Osy3D& E, Extended Alfa, Extended Tol);
// Always a 3D polyline (kind 5), also without segments.
TObjHeader* MakeObj3D(uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr);

// ---- reading and adjusting the build in place ----

// 0 idle, 2 a 2D object, 3 a 3D object under construction.
int BuildKind();
// Segments built so far (0 when idle).
int32_t BuildSegCount();
// The 2D object under construction (only while BuildKind() == 2). The pointers are
// valid until the next builder call that adds.
Osy& BuildStartPt();
TPlineSeg* BuildSegs();
// The last point built: the start point while no segment exists.
Osy BuildLastPt();
// Takes the last 2D segment out (false when there is none) / puts one back unchanged,
// without the tolerance test.
bool BuildPopSeg(TPlineSeg& Seg);
void BuildPushSeg(const TPlineSeg& Seg);
