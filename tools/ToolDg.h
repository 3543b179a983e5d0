// Services of the layer tools that the toolpath engine, the drawing, the output
// writers and the tool dialog ask about a layer's tool: cutting radius at a depth,
// deepest pass, pass table for a total depth, edge-length check and the record
// comparisons that decide whether a changed tool invalidates operations.
// TmpCopy true reads and writes the tool dialog's working copy `ToolTmp`, false the
// live tools `Glob.Tool`; everything outside the tool dialog passes false.
#pragma once
#include <cstdint>

#include "core/ToolRecords.h"

// The tool dialog's working copy of the 64 layer tools (index 1..64).
extern TToolArr ToolTmp;

// Gives all 64 layer tools of Glob.Tool their start-up values from the first list
// material and sets the common traverse heights and rapid feed. Logs "Sys:Init Tools";
// with an empty material list logs "Err:FAILED init Tools, no materials" and changes
// nothing.
void InitTool();

// Distance of layer Num's cutting edge from the tool axis at depth Hloubka (positive
// downwards); Hloubka exactly -1 asks for the depth of the deepest pass. False, Dist
// untouched, for a layer outside 1..64, a tool type outside Glob.MillToolType, or -1
// on a layer without a used pass.
bool ToolDistLa(int32_t Num, Extended& Dist, Extended Hloubka, bool TmpCopy);

// Depth of the last used row of layer La's pass table. MaxDepth is set to 0 first;
// false when La is outside 1..64 or no row is used.
bool MaxDepth(int32_t La, Extended& MaxDepth, bool TmpCopy);

// Rebuilds layer La's pass table so that its passes, each at most the material's Ap
// deep, reach Depth. No change for Depth <= tolerance, an Ap of 0, more than 255
// passes or a layer outside 1..64.
void DepthToTool(Extended Depth, int32_t La, bool TmpCopy);

// Pass steps of layer La in the working copy against its cutting-edge length; on
// failure logs "Err:Edge length too short", shows message 31 and returns false.
// True when all fit or La is outside 1..64.
bool CheckEdgeLength(int32_t La);

// Equal name, cutter material, T, D, type and geometry (exact comparison of reals).
bool CompareTool(const TTool& La1, const TTool& La2);
// Equal plunge method, helix diameter and tangential settings of plunge objects 0..4.
bool ComparePlunge(const TPlungeObjects& Pl1, const TPlungeObjects& Pl2);
// Equal depth of the last row that is not exactly -1 (0 when none).
bool CompareDepth(const TTool& Dp1, const TTool& Dp2);

// Index of the deepest used pass row (rows 255 down to 1, depth > -tolerance); 0: none.
int LastUsedPass(const TTool& T);

// ToolDistLa of the live tool at its deepest pass (the stroke width of tool views).
bool ShpToolDistDeepest(int Layer, Extended& Dist);

// Installs the cutting-radius services into the drawing code's hooks
// (ToolDistLaHook, ShpToolDist).
void InstallToolServices();

// Start-up state of the tool code's own globals: empty working copy, no tool types
// counted, empty library working copies; the services installed.
void ResetToolState();
