// Walks over object lists: selection, layers, the remembered selection, the
// selection's box, working copies of the selection, directions, kind searches.
//
// The selected state is FlagSelected of each record's Flags, the remembered one the
// same bit of SavedFlags. "Nested" walks descend into the member list of every group;
// a group header's own Layer is not looked at unless said. The walks that name no
// list work on the drawing list MainVars.DataStart..DataEnd.
#pragma once
#include <cstdint>
#include <vector>

#include "core/ObjRecords.h"
#include "core/Types.h"

// Selects every record, nested (a text's outline polylines are unselected instead).
// Returns the last top-level record.
TObjHeader* SelectAll(TObjHeader* First);
// Unselects every record, nested, text outline groups included. Returns the last
// top-level record.
TObjHeader* ClearSelection(TObjHeader* First);
// Every record but a group on layer From, nested, goes to layer To. Returns the last
// top-level record.
TObjHeader* ChangeLayerObjs(TObjHeader* First, uint8_t From, uint8_t To);
// No record but a group, at any depth, lies on Layer.
bool LayerIsEmpty(TObjHeader* First, uint8_t Layer);
// Unlinks every record but a group on Layer, nested, and every group left empty, and
// appends them to Removed, each still holding what it owns and with Next = Prev =
// nullptr; a group's First, Last and Count follow its remaining members.
void UnlinkLayerObjs(TObjHeader*& StartAdr, TObjHeader*& EndAdr, uint8_t Layer, std::vector<TObjHeader*>& Removed);
// UnlinkLayerObjs, then frees the removed records with everything they hold.
void DeleteLayerObjs(TObjHeader*& StartAdr, TObjHeader*& EndAdr, uint8_t Layer);

// Mode 0: window selection; 1: pick toggling every object hit; 2: pick toggling the
// first object hit only. The drawing's top-level objects (in the sort view only
// groups and objects on the current layer) run their kind's Select; the number of
// selected objects is shown.
void SelectByWindow(const Osy& Min, const Osy& Max, uint8_t Mode);
// SavedFlags := Flags for the drawing's top-level records.
void SaveSelection();
// Flags := Flags xor SavedFlags; shows the count and redraws.
void RestoreSelection();
// Shows the number of selected / remembered top-level records; returns it.
int32_t CountSelection();
int32_t CountSavedSelection();
// The box of the selected top-level records into MainVars.SelEnv1..SelEnv4
// (counter-clockwise from the lower left), starting from (10000, 10000) /
// (-10000, -10000).
void SelEnvelope();

// Appends working copies of the selected records of First..: points only with
// Points, polylines always, the members of groups by the same rules, the exploded
// polylines of texts only with Explode, never 3D polylines. All: also every record
// on a shown layer (layer 68 always counts as shown). Returns the last record visited.
TObjHeader* CopySelObjects(TObjHeader* First, bool All, bool Points, bool Explode, TObjHeader*& StartAdr,
                           TObjHeader*& EndAdr);
// The same for the remembered selection (points and texts always).
TObjHeader* CopySavedSelObjects(TObjHeader* First, TObjHeader*& StartAdr, TObjHeader*& EndAdr);
// Recomputes the direction flags of every polyline and 3D polyline, nested. Returns
// the last top-level record.
TObjHeader* FindDirAll(TObjHeader* First);
// Some record of kind Kind lies on Layer (group headers tested too, members searched).
bool HasObjOfType(uint8_t Kind, uint8_t Layer, TObjHeader* First);
