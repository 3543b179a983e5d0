// Regeneration of operations: rebuilding an operation's paths from its sources by
// running its machining command again with the mode switches set, loading an
// operation's parameters into its dialog, and the per-type routines that the pocket
// and surfacing code register beside the contour's.
#pragma once
#include <array>
#include <cstdint>

#include "core/Types.h"

// What the operation list knows of one kind of main operation.
struct TCamOpKind {
    void (*Regen)(int OpNum) = nullptr;     // RegenContourOp, RegenPocketOp, RegenSurfaceOp
    void (*ToDg)(int OpNum) = nullptr;      // loads the parameters into the kind's dialog
    const char* Keyword = nullptr;          // the machining command that edits it ("CONTOUR")
    const char* EditLog = nullptr;          // "Sys:Edit ContourOp"
};
// Installs the routines of operation type OpType (1..5).
void RegisterCamOpKind(int OpType, const TCamOpKind& Kind);
// The routines of OpType (all nullptr for a type nobody registered).
const TCamOpKind& CamOpKind(int OpType);

// Regenerates operation OpNum when it still has sources; otherwise deletes it with
// its paths and its sub-operations.
void RegenOpByNum(int OpNum);
// Regenerates every operation on tool layer La (its tool changed).
void RegenOpsByLa(uint8_t La);
// Rebuilds operation OpNum from its sources by running its machining command with
// the mode switches set (no dialog); What names the kind in the log ("ContourOp").
void RegenOpByCommand(int OpNum, void (*Command)(), const char* What);
// Rebuilds the paths of contour operation OpNum from its sources (no dialog).
void RegenContourOp(int OpNum);
// Loads the parameters of operation OpNum into its dialog.
void CamOpToDg(int OpNum);
// Loads a contour operation into the contour dialog.
void ContourOpToDg(int OpNum);

// The deepest pass of every tool layer (index 1..64; -1 for a layer without passes).
using TLayerDepths = std::array<Extended, 65>;
TLayerDepths LayerDepths();
// A machining dialog writes its depth into a layer's passes, which every operation on
// that layer is cut with: each operation on a layer whose deepest pass now differs
// from Before, other than Built (sub-operations go with their master), takes the layer's depth and
// goes to the regeneration hand-off.
void HandOffChangedDepths(const TLayerDepths& Before, int Built);

// Registers the contour kind and installs RegenOpByNum as the editing commands'
// regeneration (RegenCamOpHook).
void InstallCamRegen();
