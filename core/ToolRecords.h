// Records that describe a layer's tool, the materials, the tool library,
// the tool types and the common machining parameters.
// The records carry data only; the tool code gives them their values.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Types.h"

// Coolant.
enum TChlaz : uint8_t { Zadne, Vzduch, Mlha, Proud };
// How the tool leaves the cut.
enum TVyjezd : uint8_t { Rychloposuv, Zapich, Revers, CyklG63 };
// Machining order of a layer.
enum TObrob : uint8_t { CelyObjekt, CelyPruchod };
// Unit in which feeds are shown and typed (they are always stored in mm/s).
enum TVelUnit : uint8_t { MmPerSec, MmPerMin };

// One row of a pass table. A row is used when Hloubka > -CoordTol; an empty
// row has Hloubka -1. Zapich -1: no plunge feed given. Posuv 0.888 and
// Otacky 8888 are the "no value" placeholders of the pass-table editor.
struct TPruchod {
    Extended Hloubka = 0;  // depth of the pass, mm, positive downwards
    Extended Zapich = 0;   // plunge feed, mm/s
    Extended Posuv = 0;    // feed, mm/s
    Extended Otacky = 0;   // spindle speed, rpm
    bool operator==(const TPruchod&) const = default;
};

inline constexpr int MaxPruchod = 255;        // rows 1..255
inline constexpr Extended NoFeedValue = 0.888L;  // pass-table placeholder feed
inline constexpr Extended NoSpeedValue = 8888;   // pass-table placeholder speed

// Cutting data.
struct TToolTech {
    int32_t N = 0;        // spindle speed
    int32_t MaxN = 0;     // maximum spindle speed of the tool
    int32_t MaxPwr = 0;   // maximum spindle load, W
    Extended Vc = 0;      // cutting speed, m/min
    Extended Vf = 0;      // feed
    Extended Fz = 0;      // feed per tooth
    Extended Fn = 0;      // feed per revolution
    Extended Ae = 0;      // side engagement
    Extended Ap = 0;      // maximum depth of one pass
    uint8_t Method = 0;   // 0 both, 1 climb, 2 conventional
    uint8_t Edge = 0;
    bool ApPercent = false;  // Ap in per cent of SpodniPrumer
    bool AePercent = false;  // Ae in per cent of SpodniPrumer
    bool operator==(const TToolTech&) const = default;
};

// How the tool enters the material for one kind of object.
struct TToolPlunge {
    uint8_t Method = 0;        // 0 vertical, 1 tangential, 2 ramp, 3 helix
    Extended FeedTime = 0;     // plunge feed, mm/s
    Extended FeedPct = 0;      // plunge feed, per cent of the feed
    bool FeedPercent = false;  // FeedPct applies (else FeedTime)
    Extended RampAngle = 0;
    Extended RampLength = 0;   // 0: open objects use their own length
    bool RampPercent = false;
    Extended SpiralPitch = 0;
    Extended SpiralRad = 0;    // helix diameter D1
    Extended SpiralAngle = 0;
    bool SpiralRadPercent = false;
    bool SpiralLeft = false;
    bool SpiralDownStep = false;
    bool SpiralOuter = false;
    Extended TangAngle = 0;
    Extended TangRad = 0;
    bool TangEntry = false;
    bool TangExit = false;
    bool TangCenter = false;
    bool TangRadPercent = false;
    bool IgnoreDepthDiv = false;
    bool operator==(const TToolPlunge&) const = default;
};

// Plunge objects: 0 points, 1 open contours, 2 closed contours,
// 3 pocket roughing, 4 pocket finishing, 5 surfacing.
enum TPlungeObject : uint8_t { poPoint, poOpen, poContour, poPocketRough, poPocketFin, poSurface };
using TPlungeObjects = std::array<TToolPlunge, 6>;

// Outputs; they mirror the layer-level fields of TTool.
struct TToolOutputs {
    bool LaserUse = false;
    Extended LaserTime = 0;
    TChlaz CoolantType = Zadne;
    Extended CoolantTime = 0;
    bool CoolantRapid = false;
    bool OfukUse = false;
    int32_t OfukCount = 0;
    Extended OfukTime = 0;
    bool operator==(const TToolOutputs&) const = default;
};

struct TMaterial {
    std::string Jmeno;   // workpiece material name
    int32_t MID = 0;     // material number
    int32_t TID = 0;     // tool the entry belongs to (-1 in the material list)
    TToolTech Tech;
    TPlungeObjects Zapich;
    TToolOutputs Vystup;
    bool operator==(const TMaterial&) const = default;
};

// One layer's tool.
struct TTool {
    std::string JmNastroje;     // tool name
    std::string MatNastroje;    // cutter material
    int32_t Tnum = 0;           // T word
    int32_t Dnum = 0;           // D word
    int32_t ToolType = 0;       // index into Glob.MillToolType
    Extended SpodniPrumer = 0;  // lower diameter Ds
    Extended Radius = 0;        // corner radius R
    Extended UhelSpicky = 0;    // tip angle U (full included angle)
    Extended VyskaKuzele = 0;   // cone height V
    Extended HorniPrumer = 0;   // upper diameter Dh
    Extended DelkaBritu = 0;    // cutting edge length B
    int32_t PocetBritu = 0;     // number of cutting edges
    std::string Poznamka;       // note, several lines
    Extended VretTime = 0;      // spindle run-up dwell, s
    Extended LaserTime = 0;     // dwell after switching on, s
    Extended LaserTime2 = 0;    // dwell after switching off, s
    Extended ChlazTime = 0;     // dwell after coolant start, s
    Extended OfukTime = 0;      // one air blow, s
    int32_t OfukCount = 0;      // number of air blows
    TChlaz Chlaz = Zadne;
    bool ChlazPrejezd = false;  // coolant on during rapids
    bool UseLaser = false;
    bool UseOfuk = false;
    TVyjezd VyjezdZapichem = Rychloposuv;
    bool BezVyjezdu = false;
    TObrob Obrob = CelyObjekt;
    Extended HloubkaRychloposuvem = 0;  // absolute value
    // Pass table, rows 1..255 (index 0 unused).
    std::array<TPruchod, MaxPruchod + 1> Pruchod{};
    Extended AngleA = 0;
    int32_t TID = 0;            // library tool number, -1 when not from the library
    TMaterial Material;
    bool operator==(const TTool&) const = default;
};

// Layer tools, index = layer number 1..64 (index 0 unused).
inline constexpr int ToolLayerCount = 64;
using TToolArr = std::array<TTool, ToolLayerCount + 1>;

// One library tool with its cutting data per material.
struct TToolLib {
    TTool Tool;
    std::vector<TMaterial> Material;
};

// One tool-type definition. For the Val fields: >= 0 is written into the
// field, <= -2 writes "---", anything between leaves the field unchanged.
struct TToolType {
    std::string Name;
    int32_t TTID = 0;
    int32_t JobID = 0;
    bool GeoEnaDSpodni = false, GeoEnaR = false, GeoEnaU = false, GeoEnaV = false,
         GeoEnaDHorni = false, GeoEnaBrit = false, GeoEnaPocetBritu = false;
    Extended GeoValDSpodni = 0, GeoValR = 0, GeoValU = 0, GeoValV = 0,
             GeoValDHorni = 0, GeoValBrit = 0, GeoValPocetBritu = 0;
    bool TechEnaMaxSpPw = false, TechEnaMaxSpRev = false, TechEnaN = false, TechEnaVc = false,
         TechEnaFz = false, TechEnaFn = false, TechEnaVf = false, TechEnaAp = false,
         TechEnaAe = false;
    Extended TechValMaxSpPw = 0, TechValMaxSpRev = 0, TechValN = 0, TechValVc = 0,
             TechValFz = 0, TechValFn = 0, TechValVf = 0, TechValAp = 0, TechValAe = 0;
    // Allowed plunge methods per plunge object, method-major.
    bool PlunEnaPointVert = false, PlunEnaOpenVert = false, PlunEnaContVert = false,
         PlunEnaPockRoughVert = false, PlunEnaPockFinVert = false, PlunEnaSurfVert = false;
    bool PlunEnaPointTang = false, PlunEnaOpenTang = false, PlunEnaContTang = false,
         PlunEnaPockRoughTang = false, PlunEnaPockFinTang = false, PlunEnaSurfTang = false;
    bool PlunEnaPointRamp = false, PlunEnaOpenRamp = false, PlunEnaContRamp = false,
         PlunEnaPockRoughRamp = false, PlunEnaPockFinRamp = false, PlunEnaSurfRamp = false;
    bool PlunEnaPointHeli = false, PlunEnaOpenHeli = false, PlunEnaContHeli = false,
         PlunEnaPockRoughHeli = false, PlunEnaPockFinHeli = false, PlunEnaSurfHeli = false;
};

// Common machining parameters.
struct TSpolParObr {
    TVelUnit VelUnit = MmPerSec;
    Extended Rychloposuv = 0;     // rapid feed, mm/s
    Extended PrejezdNadMat = 0;   // traverse height above the material
    Extended PrejezdNadUpin = 0;  // traverse height above the clamps
    Extended DepthToPlunge = 0;   // height above the material where plunge feed starts
    bool OsaZdoluPlus = false;
    std::string PocatekXY;        // origin of X and Y on the stock
    std::string RozmerPolot;      // stock size text, e.g. "100x50x10"
    std::string MatPolot;         // stock material
    int32_t MatIndex = 0;
    std::string Poznamka;
};
