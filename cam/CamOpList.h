// The job's machining operations: at most 100 operations, each with its
// parameters, its source objects (parents) and generated paths (children).
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "core/CamOpRecords.h"
#include "core/Types.h"

struct TObjHeader;

extern TOpList OpList;

// Empties an operation list: every record cleared (Parents and Childs sized to
// 1000 empty entries, Depth -1, every other field empty; Status, MasterOp and TID
// keep their values), CamCnt and CadCnt 0, LastLa 1, LastTID and LastHintIndex -1.
void ClearOpList(TOpList& Ops);
// ClearOpList of OpList, logged.
void InitCamOps();

// Links a generated path to operation OpNum; a null address, an operation
// number outside 0..99 or an address already linked adds nothing.
void CamOpAddChild(TObjHeader* Adr, int OpNum);
// Appends a source link (logged; an address already there or a null one adds nothing).
void CamOpAddParent(TObjHeader* Adr, int OpNum);
// Remove the first occurrence of Adr from the operation's sources / paths (logged).
void CamOpDelParent(TObjHeader* Adr, int OpNum);
void CamOpDelChild(TObjHeader* Adr, int OpNum);

// One byte per operation: 1 Adr is a source (wins), 2 a generated path, 0 neither;
// only operations 0..CamCnt-1 are looked at, the rest stay 0.
using TOpMap = std::array<uint8_t, MaxCamOps>;
void CamOpsOfObject(const TObjHeader* Adr, TOpMap& Map);

// Operations by layer. A layer matches an operation when it is its La1 or its La2
// (layer 0, "no second layer", never matches).
// Map[i] = i for a matching operation, 255 otherwise (entries from CamCnt on too).
void CamOpsOfLayer(uint8_t La, TOpMap& Map);
bool LayerHasCamOp(uint8_t La);
// Matches among all La1 and all La2 (both layers of one operation equal: 2).
int LayerCamOpCount(uint8_t La);
// The highest La1 or La2 of the operations, at least 1.
int MaxCamOpLayer();
// Depth of every operation on layer La (the tool dialog changed that layer's depth).
void SetLayerOpsDepth(uint8_t La, Extended Depth);
// Number of operations naming MasterId as their master.
int SubOpCount(int MasterId);

// Position of Adr in Parents / Childs of operation OpNum, searched over every entry;
// 0 when absent or OpNum is not a record.
int CamOpParentIndex(const TObjHeader* Adr, int OpNum);
int CamOpChildIndex(const TObjHeader* Adr, int OpNum);
// The first position of Adr among the first 1000 entries of Links, 0 when absent.
int CamOpLinkIndex(const TObjHeader* Adr, const std::vector<TObjHeader*>& Links);

// Makes Obj and every record behind it generated paths of machining operation SubOpId.
void AddObjsToSubOp(int32_t SubOpId, TObjHeader* Obj);

// Glob's mode switches OpEdit, OpRegen, OpNew into SavOpEdit, SavOpRegen, SavOpNew
// and back: an operation dialog keeps its mode across the tool dialog it opens, whose
// OK may regenerate operations.
void SaveCamModeFlags();
void RestoreCamModeFlags();
