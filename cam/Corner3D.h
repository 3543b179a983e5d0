// 3D corners: closed 2D paths turned into 3D paths for V-shaped and pointed tools. The
// path runs at the deepest pass and at every corner sharper than a limit angle rises
// along the corner's bisector to the surface at the source's corner and comes back
// down; the rises are then cut back where they would run over other paths or past the
// region's boundary.
#pragma once
#include <cstdint>

#include "core/ObjRecords.h"
#include "core/Types.h"

// Replaces the closed 2D paths ListStart..ListEnd by their 3D corner paths. Region is
// the group that holds the source region; Limit the limit angle (radians); SmallTool
// takes the depth and radii from the rest layer Glob.SmallTool. A limit below the
// coordinate tolerance leaves the list unchanged (logged).
void Create3DFinish(bool Inside, bool SmallTool, TObjHeader* Region, Extended Limit, TObjHeader*& ListStart,
                    TObjHeader*& ListEnd, uint8_t La);
// The 3D path of one closed 2D path (nullptr when the tool has no depth or radius),
// appended to ResStart..ResEnd.
TObjHeader* Create3DPlines(const TObjHeader* Path, bool Inside, bool SmallTool, Extended Limit, uint8_t La,
                           TObjHeader*& ResStart, TObjHeader*& ResEnd);
// Cuts the rises of Path3D back to their first crossing with Poly2D; the self version
// skips the rise's own image in Poly2D (and the descent after it).
void SelfTrim3DPlines(TObjHeader* Path3D, const TObjHeader* Poly2D);
void OffsetTrim3DPlines(TObjHeader* Path3D, const TObjHeader* Poly2D);
