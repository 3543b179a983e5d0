#include "core/Glob.h"

#include <new>
#include <numbers>

#include "core/ObjRecords.h"  // TEditAdr

TGlob Glob;
std::string& ProgramDir = Glob.ProgramDir;

void ClearGlob() {
    // Rebuilt in place: the record is large and other code may hold
    // references to its fields.
    Glob.~TGlob();
    ::new (&Glob) TGlob();
}

void SetGlobDefaults() {
    TGlob& G = Glob;
    G.JmSouboru.clear();
    G.GCodeEd.clear();
    G.ZoomMin = {};
    G.ZoomMax = {};
    G.Okno = {};
    G.OknoStart = {};
    G.ZoomIndex = 0;
    G.ZoomArr.fill(0);
    G.BoduNaMm = 0;
    G.ErrorConv = 0.01L;
    G.LayerDraw = LayerOrig;
    G.SmallTool = 1;
    G.View = vLayer;
    G.SpolParObr.VelUnit = MmPerSec;
    G.Arrow = true;
    G.GridStart = {0, 0};
    G.GridDist = {10, 10};
    G.GridType = 0;
    G.SnapStart = {0, 0};
    G.SnapDist = {1, 1};
    G.SnapRatio = 10;
    G.ZoomInRatio = 2;
    G.ASnapDist = 1;
    G.WheelRatio = 1.5L;
    G.PanRatio = 0.1L;
    G.Dest = {};
    G.MinLim = {0, 0};
    G.MaxLim = {300, 200};
    G.JoinTol = 0.01L;
    G.OSExplode = 0.00625L;
    G.DecNum = "0.000";
    G.AutoSave = 5;
    G.MaxUndo = 4;
    G.MaxFileHist = 10;
    G.TextEnv = true;
    G.WheelCheck = false;
    G.ZoomCenter = false;
    G.CursorType = 0;
    G.BackColor = 0x000000;
    G.OutLimColor = 0x505048;
    G.CrossHairColor = 0xFFFFFF;
    G.GridColor = 0x0000FF;
    G.SelObjColor = 0xF0CAA6;
    G.PrevObjColor = 0xC0DCC0;
    G.OSnapColor = 0x00FFFF;
    G.PrevSelContColor = 0xF0CAA6;
    G.PrevSelSurfColor = 0xF0CAA6;
    G.SelObjOpac = 0.5f;
    G.PrevObjOpac = 0.5f;
    G.RapidsOpac = 0.5f;
    G.RasterOpac = 1;
    G.CrossHairOpac = 1;
    G.ObjOpac = 1;
    G.OSnapOpac = 1;
    G.PrevSelContOpac = 0.7f;
    G.PrevSelSurfOpac = 0.4f;
    G.SelObjWidth = 5;
    G.PrevObjWidth = 5;
    G.RapidsWidth = 1;
    G.RasterWidth = 1;
    G.CrossHairWidth = 1;
    G.ObjWidth = 1;
    G.OsnapWidth = 2;
    G.PrevSelContWidth = 5;
    G.InputFiltr = 0.1L;
    G.MinOffsArc = std::numbers::pi_v<Extended> / 12;
    G.SelectSize = 7;
    G.OsnapSize = 17;
    G.OsnapSymbSize = 10;
    G.BitmapFile.clear();
    G.BitmapSize = 100;
    G.BitmapUse = false;
    G.DimGroup = true;
    G.DimLayerKot = true;
    G.DimDecForm = "0.0";
    G.DimArrowLen = 3;
    G.HatchGroup = false;
    G.HatchLayerKot = false;
    G.ContGroup = false;
    G.ViewHighLayer = false;
    G.SinumStopMode = 0;
    G.ManipShowObj = false;
    G.DrawHighLight = 0;
    G.AutoLayNum = false;
    G.AutoRegen = false;
    G.AutoLayRecalc = false;
    G.AutoApplyToolOpen = false;
    G.CopyCamOps = false;
    G.ViewPanelOps = 0;
    G.ViewPanelLays = 1;
    G.ViewPanelIcons = 1;
    G.ViewPanelMenu = 1;
    G.ToolLoc = 0;
    G.ShowNewFileDg = false;
    G.SaveBakFiles = true;
    G.ReadYdfCfg = true;
    G.DefMatToNewTool = true;
    G.BakFilesDir.clear();
    G.OpShowContours = true;
    G.OpShowPockets = true;
    G.OpShowSurfaces = true;
    G.OpShowDrill = true;
    G.OpCamOp = true;
    G.OpEdit = G.OpRegen = G.OpNew = false;
    G.SavOpEdit = G.SavOpRegen = G.SavOpNew = false;
    G.OpEditAdr.clear();
    G.OpEditAdrCnt = 0;
    G.JobType = 0;
    G.StockOrigin = 1;
    G.StockShape = 0;
    G.StockSize = {0, 0, 0};
    G.MID = 0;
    G.MaxShowLogCount = 800;
    G.GuiStyle = "Windows";
    G.CheckUpdates = true;
    G.WebVerze = 0;
}

const std::vector<TGlobRange> GlobRanges = {
    {"ASnapDist", CoordTol, 180, 0.001L, false},
    {"SnapDist", CoordTol, 100, 0.001L, false},
    {"SnapRatio", 1, 100, 1, false},
    {"ZoomInRatio", 1, 100, 1, false},
    {"SelectSize", 5, 31, 5, true},
    {"OsnapSize", 5, 31, 5, true},
    {"PanRatio", 0.01L, 1, 0.01L, false},
    {"WheelRatio", 1, 10, 1, false},
    {"JoinTol", 0.0001L, 1, 0.0001L, false},
    {"OSExplode", 0.0001L, 1, 0.0001L, false},
    {"InputFiltr", 0.0001L, 1, 0.0001L, false},
    {"MinOffsArc", 0, std::numbers::pi_v<Extended> / 6, 0, false},
    {"AutoSave", 1, 2147483647.0L, 1, false},
    {"MaxUndo", 2, 100, 2, false},
    {"MaxFileHist", 2, 100, 2, false},
    {"DimArrowLen", 0.1L, 10, 0.1L, false},
};
