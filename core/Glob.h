// The program-wide settings record `Glob`: settings, view state, the layer
// tools and libraries, the layer table and the job-wide state that is not
// part of the drawing. Fields are read and written in place by every part
// of the program; the record has no behaviour of its own.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Types.h"
#include "core/ToolRecords.h"

struct TObjHeader;
struct TEditAdr;  // object records (core/ObjRecords.h)

// View mode of the drawing area.
enum TView : uint8_t { vLayer, vToolUp, vToolDn, vDir, vSort };

// One layer of the layer table.
struct TLayer {
    std::string Name;
    bool Show = false;   // drawn and pickable
    bool Apply = false;  // stored flag only
    uint32_t Color = 0;  // $00BBGGRR
    uint8_t Use = 0;     // 1 when the drawing holds an object on the layer
};

inline constexpr int LayerCount = 68;  // 1..64 tool layers, 65 Mat, 66 Upin, 67 Koty, 68 Orig
inline constexpr int LayerMat = 65, LayerUpin = 66, LayerKoty = 67, LayerOrig = 68;

// Classes of the direction view. One numbering for every user: index
// Glob.Direct by these names only. The settings-block key "Direct" + k
// numbers them k = kind + 1.
enum TDirKind : uint8_t { dkCCW, dkCW, dkOpen, dkCross, dkText };
inline constexpr int DirKindCount = 5;

struct TDirect {
    bool Show = false;
    uint32_t Color = 0;
};

// Options of the machining-order view.
struct TSort {
    bool Prejezdy = false;  // rapid moves between objects drawn
    bool Cisla = false;     // order numbers drawn
    uint32_t PointColor = 0, PlineColor = 0, TextColor = 0, GroupColor = 0, SpaceColor = 0;
    bool InGroup = false;   // working value of the redraw
    int32_t Index = 0;      // working value of the redraw
};

struct TGlob {
    std::string JmSouboru;               // 1 current job name, no folder or extension
    std::string GCodeEd;                 // 2 program started after a G-code export
    Osy ZoomMin, ZoomMax;                // 3-4 visible window, world
    Osy Okno;                            // 5 drawing area size, px
    Osy OknoStart;                       // 6 drawing area offset, px
    uint8_t ZoomIndex = 0;               // 7 values held in ZoomArr
    std::array<Extended, 72> ZoomArr{};  // 8 zoom history, 4 values per window
    Extended BoduNaMm = 0;               // 9 pixels per mm
    Extended ErrorConv = 0;              // 10 EPS curve deviation, mm
    uint8_t LayerDraw = 0;               // 11 current drawing layer 1..68
    uint8_t SmallTool = 0;               // 12 rest-tool layer of a two-tool pocket
    TView View = vLayer;                 // 13
    TToolArr Tool;                       // 14 layer tools, index 1..64
    std::vector<TMaterial> Material;     // 15 material list
    std::vector<TToolLib> ToolLib;       // 16 tool library
    std::vector<TToolType> MillToolType;   // 17
    std::vector<TToolType> LatheToolType;  // 18 nothing fills or reads it
    TSpolParObr SpolParObr;              // 19 common machining parameters
    std::array<TLayer, LayerCount + 1> TabLayer;  // 20 layer table 0..68
    std::array<TDirect, DirKindCount> Direct;     // 21 by TDirKind
    TSort Sort;                          // 22
    bool Arrow = false;                  // 23 direction arrows
    Osy GridStart;                       // 24
    Osy GridDist;                        // 25
    int32_t GridType = 0;                // 26 0 dots, 1 lines, 2 crosses
    Osy SnapStart;                       // 27
    Osy SnapDist;                        // 28
    Extended SnapRatio = 0;              // 29
    Extended ZoomInRatio = 0;            // 30
    Extended ASnapDist = 0;              // 31 degrees
    Extended WheelRatio = 0;             // 32
    Extended PanRatio = 0;               // 33
    Osy Dest;                            // 34 insertion point of imports
    Osy MinLim;                          // 35 drawing limits
    Osy MaxLim;                          // 36
    Extended JoinTol = 0;                // 37
    Extended OSExplode = 0;              // 38
    std::string DecNum;                  // 39 "0." + 1..6 zeros
    int32_t AutoSave = 0;                // 40 minutes
    int32_t MaxUndo = 0;                 // 41
    int32_t MaxFileHist = 0;             // 42
    std::string IniDirOpenSave;          // 43
    std::string IniDirExpImp;            // 44
    std::string ProgramDir;              // 45 program folder, no trailing separator
    bool TextEnv = false;                // 46
    bool WheelCheck = false;             // 47
    bool ZoomCenter = false;             // 48
    uint8_t CursorType = 0;              // 49 0 arrow, 1 cross-hair, 2 both
    uint32_t BackColor = 0, OutLimColor = 0, CrossHairColor = 0, GridColor = 0,
             SelObjColor = 0, PrevObjColor = 0, OSnapColor = 0, PrevSelContColor = 0,
             PrevSelSurfColor = 0;       // 50-58
    float SelObjOpac = 0, PrevObjOpac = 0, RapidsOpac = 0, RasterOpac = 0,
          CrossHairOpac = 0, ObjOpac = 0, OSnapOpac = 0, PrevSelContOpac = 0,
          PrevSelSurfOpac = 0;           // 59-67
    int32_t SelObjWidth = 0, PrevObjWidth = 0, RapidsWidth = 0, RasterWidth = 0,
            CrossHairWidth = 0, ObjWidth = 0, OsnapWidth = 0,
            PrevSelContWidth = 0;        // 68-75
    Extended InputFiltr = 0;             // 76 mm
    Extended MinOffsArc = 0;             // 77 radians
    uint8_t SelectSize = 0;              // 78 px, odd
    uint8_t OsnapSize = 0;               // 79 px, odd
    uint8_t OsnapSymbSize = 0;           // 80 px
    std::string BitmapFile;              // 81 backdrop picture
    Extended BitmapSize = 0;             // 82 mm of its longer side
    bool BitmapUse = false;              // 83
    bool DimGroup = false;               // 84
    bool DimLayerKot = false;            // 85
    std::string DimDecForm;              // 86 "0." + 1..4 zeros
    Extended DimArrowLen = 0;            // 87
    bool HatchGroup = false;             // 88
    bool HatchLayerKot = false;          // 89
    bool ContGroup = false;              // 90
    bool ViewHighLayer = false;          // 91
    int32_t SinumStopMode = 0;           // 92
    bool ManipShowObj = false;           // 93
    uint8_t DrawHighLight = 0;           // 94 0 none, 1..99 op type, 100+n layer n
    bool AutoLayNum = false, AutoRegen = false, AutoLayRecalc = false,
         AutoApplyToolOpen = false, CopyCamOps = false;  // 95-99
    uint8_t ViewPanelOps = 0, ViewPanelLays = 0, ViewPanelIcons = 0,
            ViewPanelMenu = 0;           // 100-103 0 hidden, 1 visible, 2 auto-hide
    int32_t ToolLoc = 0;                 // 104 0 ask, 1 library, 2 file
    bool ShowNewFileDg = false;          // 105
    bool SaveBakFiles = false;           // 106
    bool ReadYdfCfg = false;             // 107
    bool DefMatToNewTool = false;        // 108
    std::string BakFilesDir;             // 109
    bool OpShowContours = false, OpShowPockets = false, OpShowSurfaces = false,
         OpShowDrill = false;            // 110-113
    bool OpCamOp = false;                // 114
    bool OpEdit = false, OpRegen = false, OpNew = false;           // 115-117
    bool SavOpEdit = false, SavOpRegen = false, SavOpNew = false;  // 118-120
    std::vector<TEditAdr> OpEditAdr;     // 121 (TEditAdr: core/ObjRecords.h)
    int32_t OpEditAdrCnt = 0;            // 122
    uint8_t JobType = 0;                 // 123
    uint8_t StockOrigin = 0;             // 124
    uint8_t StockShape = 0;              // 125
    Osy3D StockSize;                     // 126
    int32_t MID = 0;                     // 127 stock material number
    uint8_t PxPerInch = 0;               // 128
    int32_t MaxShowLogCount = 0;         // 129
    std::string GuiStyle;                // 130
    bool CheckUpdates = false;           // 131
    Extended WebVerze = 0;               // 132
    // Address of the update server ("http://host:port"); empty: no update check.
    std::string UpdateServer;
};

// The one settings record of the run. It starts zero-filled.
extern TGlob Glob;

// The program folder (the same string as Glob.ProgramDir): files of the
// program folder are ProgramDir + "/Name".
extern std::string& ProgramDir;

// Gives every field its built-in start-up default (the defaults the main
// form sets at its creation). Fields whose defaults come from the view
// dialog, the tool code or the platform (layer table, Direct, Sort, tools,
// tool types, ProgramDir, PxPerInch, the two start folders) are untouched.
void SetGlobDefaults();

// Zero-fills Glob (the state at process start); ProgramDir included.
void ClearGlob();

// A ranged field: the range check brings its value back into [Min, Max];
// a value below Min becomes Below (usually Min); Odd: an even value is
// raised by one. For Osy fields the rule applies to x and to y.
// MinLim/MaxLim and GridDist have rules of their own (see GlobLimitRules).
struct TGlobRange {
    const char* Field;
    Extended Min;
    Extended Max;
    Extended Below;
    bool Odd;
};

// In the order the range check applies them.
extern const std::vector<TGlobRange> GlobRanges;

// GridDist: a negative value becomes this.
inline constexpr Extended GridDistNegative = 10;
// MaxLim is kept at least this much above MinLim, per axis, after swapping.
inline constexpr Extended LimMinSpan = 10;
