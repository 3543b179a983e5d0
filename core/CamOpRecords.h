// The records of the job's machining operations: at most 100 operations, each with
// its parameters, its source objects (parents) and generated paths (children). The
// undo table keeps copies of the list; the machining code gives them their values.
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
