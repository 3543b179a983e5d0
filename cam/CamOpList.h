// The job's machining operations: at most 100 operations, each with its
// parameters, its source objects (parents) and generated paths (children).
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Types.h"

struct TObjHeader;
class THintWindow;

inline constexpr int MaxCamOps = 100;       // operations 0..99
inline constexpr int CamOpLinkCount = 1000;  // length of Parents and Childs

// Operation types.
inline constexpr int OpTypeContour = 1, OpTypePocket = 2, OpTypePocketRough = 3,
                     OpTypePocketFin = 4, OpTypeSurface = 5;

struct TCamOp {
    std::string Name;
    uint8_t Status = 0;       // 0 ok, 1 objects edited, 2 paths with errors, 3 not generated, 4 paths edited
    int32_t MasterOp = 0;     // -1 main operation, else the master's number
    int32_t OpType = 0;       // 1 contour, 2 pocket, 3/4 pocket roughing/finishing, 5 surfacing
    int32_t La1 = 0;          // tool layer 1..64
    int32_t La2 = 0;          // rest-milling layer, 0 none
    int32_t TID = 0;          // reserved
    std::vector<TObjHeader*> Parents;  // source objects; first ParCnt used
    std::vector<TObjHeader*> Childs;   // generated paths; first ChilCnt used
    int32_t ParCnt = 0;
    int32_t ChilCnt = 0;
    bool Inside = false, Outside = false;
    bool Revers = false;
    bool Sousledne = false;   // climb (true) or conventional
    bool TgIn = false, TgOut = false;
    Extended TgUhel = 0;      // radians
    Extended TgPolomer = 0;   // mm
    Extended Pridavek = 0;    // mm
    bool Fillet = false;
    bool Corner3D = false;
    Extended Corner3DUhel = 0;  // radians
    uint8_t FillType = 0;     // 0 meander, 1 offset, 2 spiral
    uint8_t Strategy = 0;     // 0 one tool, 1 widening, 2 two tools
    uint8_t EdgeMode = 0;     // surfacing: 0 inside, 1 edge, 2 outside
    Extended ThinError = 0;
    Extended AllError = 0;
    bool Crossing = false;
    Extended MFillUhel = 0, MFillPresah = 0, MfillPridavek = 0;
    Extended RFillUhel = 0, RFillPresah = 0, RFillPridavek = 0;
    bool OnePassFin = false;
    Extended Depth = 0;       // mm, -1 in an empty record
};

// Carried in the list; no routine uses it.
struct TCadOp {
    std::string Name;
    std::vector<TObjHeader*> Parents;
    std::vector<TObjHeader*> Childs;
    int32_t Index = 0;
};

struct TOpList {
    int32_t CamCnt = 0;       // operations 0..CamCnt-1 are valid
    int32_t CadCnt = 0;       // kept 0
    std::array<TCamOp, MaxCamOps> Cam;
    std::array<TCadOp, MaxCamOps> Cad;
    int32_t Index = 0;        // operation being built/edited/regenerated, -1 none
    int32_t LastLa = 0;       // layer a new operation takes in one-layer-per-operation mode
    int32_t LastTID = 0;      // TTool.TID of LastLa, -1 none
    int32_t LastHintIndex = 0;  // -1 none
    THintWindow* HintWin = nullptr;  // hint window of the operation picker
};

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

// Glob's mode switches OpEdit, OpRegen, OpNew into SavOpEdit, SavOpRegen, SavOpNew
// and back: an operation dialog keeps its mode across the tool dialog it opens, whose
// OK may regenerate operations.
void SaveCamModeFlags();
void RestoreCamModeFlags();
