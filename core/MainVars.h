// The main window's working state: command line, pointer, selection
// envelope, the drawing list and temporary lists, the builder buffer,
// the command history and the undo table.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "core/CamOpRecords.h"
#include "core/Types.h"
#include "platform/Canvas.h"  // TPoint

struct TObjHeader;

// Kind of linear dimension, set from DIMHOR, DIMVERT, DIMROT.
enum TDimLinMode : uint8_t { Horizontal, Vertical, Rotated };

// The rubber band drawn with the pointer.
enum TMouseMove : uint8_t {
    mmNone, mmSel, mmCross, mmWin, mmLine, mmLineTg, mmArc, mmArcTg, mmCircle, mmRect,
    mmDragEnv, mmRotEnv, mmMirEnv, mmScalEnv, mmSizeEnv
};

// What a left press means.
enum TMouseDown : uint8_t { mdNone, mdCoord, mdSel, mdScale, mdSize };

// The running object snap.
struct TOsnapAuto {
    bool osNone = true;   // none of the six kinds is on
    bool osEnd = false;
    bool osMid = false;
    bool osInt = false;
    bool osCen = false;
    bool osPer = false;
    bool osTan = false;
    bool PointFound = false;
    bool Search = false;   // a command waits for a point
    bool Enabled = false;  // main switch
    uint8_t Index = 0;     // kind found by the last search, 0 none
    uint8_t LastIndex = 0;
    Osy LastPoint;
};

struct TMouseMode {
    TMouseMove Move = mmCross;
    TMouseMove NextMove = mmCross;
    TMouseDown Down = mdNone;
    TMouseDown NextDown = mdNone;
    TOsnapAuto OsnapAuto;
};

// One undo step.
struct UndoRec {
    TObjHeader* StartUndo = nullptr;  // the slot's copy of the drawing list
    TObjHeader* EndUndo = nullptr;
    std::string Jmeno;                // keyword of the command it precedes
    TOpList Ops;                      // operation list copy, linked to the slot's copies
};

inline constexpr int UndoSlots = 101;   // slots 0..100
inline constexpr int HistoryLines = 100;  // ArrList 1..100
inline constexpr int MaxComInputs = 10;   // Command[1..10]

// Initial values are the start-up state of the command line, pointer and
// lists (idle line, empty lists, cross-hair, no snap).
struct TMainVars {
    bool FileSaved = false;
    Osy SelEnv1, SelEnv2, SelEnv3, SelEnv4;  // selection envelope, ccw from lower-left
    Osy ArcStart, ArcEnd;
    Extended Tangent = 0;                    // radians
    Osy PosMouse;
    Osy SavedPosMouse;
    Osy PickPoint;
    Osy SavePick;
    std::array<std::string, MaxComInputs + 1> Command;  // [0] keyword, [1..10] inputs
    int32_t ComCnt = -1;                     // -1 idle
    std::string LastCom;
    TPoint MovePt;
    TPoint NewPosPix;
    uint32_t LastColor = 0;                  // starts as Glob.BackColor
    bool UseTangArc = false, UseTangLine = false;
    std::string OrigText;
    TDimLinMode DimLinearMode = Horizontal;
    TObjHeader* DataStart = nullptr;         // the drawing list
    TObjHeader* DataEnd = nullptr;
    TObjHeader* SaveStart = nullptr;         // commands' temporary list
    TObjHeader* SaveEnd = nullptr;
    uint8_t* AdrBasePline = nullptr;         // object builder's buffer
    uint8_t* AdrPline = nullptr;             // its write position
    TMouseMode Mouse;
    std::array<std::string, HistoryLines + 1> ArrList;  // history ring, 1..100
    int32_t IndexList = 1;
    int32_t UndoIndex = 0;
    int32_t UndoCount = 0;
    std::array<UndoRec, UndoSlots> UndoTab;
    Osy LastPos;
    TObjHeader* AreaStart = nullptr;         // boundary found around a picked point
    TObjHeader* AreaEnd = nullptr;
    TObjHeader* ViewStart = nullptr;         // preview outlines
    TObjHeader* ViewEnd = nullptr;
};

extern TMainVars MainVars;

// Puts MainVars back into its start-up state. Only the fields are reset:
// object lists it pointed at are not freed here.
void ClearMainVars();
// Frees the drawing list, the temporary lists and every undo slot's copies held in
// MainVars. The state reset calls it before it clears MainVars.
void FreeMainVarsLists();
