// The contour toolpath builder: turns copies of the selected objects into a contour
// operation whose paths are offsets of the sources at the tool's cutting radius plus
// the stock allowance, on the operation's tool layer. The same builder makes a new
// operation, rebuilds an edited one and regenerates one (Glob.OpNew, OpEdit, OpRegen).
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "core/ObjRecords.h"
#include "core/Types.h"

// Builds the operation OpList.Index (a new one at CamCnt) from the copies SrcStart..SrcEnd,
// which it frees, appending the paths to DrawStart..DrawEnd. True when paths were built
// or the dialog was cancelled; false when a dialog value was invalid or the user
// declined to go on after the crossing warning.
bool CreateContourToolpath(TObjHeader*& SrcStart, TObjHeader*& SrcEnd, TObjHeader*& DrawStart,
                           TObjHeader*& DrawEnd);

// The path around an open polyline on layer La, by the contour dialog's side choice:
// one side, or with "Oboje" one closed slot around it. Dir reverses it. A new record
// linked into no list, nullptr when the offset failed.
TObjHeader* CreateOpenContour(TObjHeader* Adresa, bool Dir, bool TgIn, bool TgOut, Extended Dist,
                              Extended TgPolomer, Extended TgUhel, uint8_t La);
// The closed path at Dist inside or outside a closed polyline, with optional tangential
// lead-in and lead-out arcs; without them a path ending in a corner arc starts at that
// arc. A new record linked into no list, nullptr when there is no offset.
TObjHeader* CreateClosedContour(TObjHeader* Adresa, bool Inside, bool Dir, bool TgIn, bool TgOut, Extended Dist,
                                Extended TgPolomer, Extended TgUhel, uint8_t La);
// The same as a 3D path rising into the sharp corners (3D corners).
TObjHeader* CreateClosedContour3D(TObjHeader* Adresa, bool Inside, bool Dir, bool TgIn, bool TgOut, Extended Dist,
                                  Extended TgPolomer, Extended TgUhel, uint8_t La);

// The pairs (i < j) of the records whose bounding rectangles touch or overlap and that
// cross each other; candidates come from a sweep over the rectangles, so the cost
// follows the pairs that touch rather than all pairs. Stops when Visit returns false.
void ForCrossingPairs(const std::vector<TObjHeader*>& Objs, const std::function<bool(int, int)>& Visit);
