// The operation-list copy of each undo slot (MainVars.UndoTab[slot].Ops): emptying,
// filling and restoring it, address look-ups in it, the copy of an object list that
// re-points operation links to the copies, and the two debug dumps.
//
// Slot numbers are 0..100; any other slot number changes nothing (and finds nothing).
#pragma once
#include <array>
#include <cstdint>

#include "cam/CamOpList.h"

struct TObjHeader;

// Empties the slot's copy as InitCamOps empties the list (arrays of 1000 entries,
// Depth -1, counts 0, LastLa 1, LastTID and LastHintIndex -1). Logs "Sys:Init UndoCamOps".
void InitUndoCamOps(int Slot);
// Copies CamCnt, CadCnt and the 100 records (links entry by entry) into the slot.
void CamOpsToUndo(int Slot);
// Copies the slot's counts and 100 records back into the operation list.
void UndoToCamOps(int Slot);

// Map[i]: 1 when Adr is one of the first ParCnt parents of operation i of the slot's
// copy, else 2 when one of its first ChilCnt children, else 0.
void UndoCamOpsOfObject(const TObjHeader* Adr, int Slot, std::array<uint8_t, MaxCamOps>& Map);
// Position of Adr in Parents / Childs of operation OpNum of the slot's copy, searched
// over all 1000 entries; 0 when absent.
int UndoCamOpParentIndex(const TObjHeader* Adr, int OpNum, int Slot);
int UndoCamOpChildIndex(const TObjHeader* Adr, int OpNum, int Slot);

// Appends an identical copy of every object of the list starting at Src to the list
// DstStart..DstEnd (the source records keep their flags, selection included), and re-points the links of Ops that name a copied object to its
// copy (first entry per operation, a parent link winning over a child link), logging
// "Undo:Obj=", "Undo:Par Obj=" and "Undo:Chil Obj=" lines with Slot as "UndoId:" when
// Ops holds operations. The links are found through one index, so the cost grows with
// the objects plus the links.
void CopyObjsRelinkOps(TObjHeader* Src, TObjHeader*& DstStart, TObjHeader*& DstEnd, TOpList& Ops,
                       int Slot);

// Writes ProgramDir/Logs/CamOpDump.txt: the operation list. False when it cannot write.
bool DumpCamOps();
// Writes ProgramDir/Logs/UndoOpDump.txt: the copies of the slots in use, from
// MainVars.UndoIndex down to 0. False when it cannot write.
bool DumpUndoCamOps();
