#include <numbers>
#include <string>

#include "cam/CamOpList.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/ResetState.h"
#include "core/UniLog.h"
#include "shell/MainVars.h"
#include "support/Fixture.h"

namespace {

class GlobTest : public KestrilonTest {};

struct NumCase {
    template <class A, class E>
    NumCase(const char* F, A Act, E Exp)
        : Field(F), Actual(static_cast<long double>(Act)), Expected(static_cast<long double>(Exp)) {}
    const char* Field;
    long double Actual;
    long double Expected;
};

TEST_F(GlobTest, NumericDefaultsOfStartUp) {
    const TGlob& G = Glob;
    const NumCase Cases[] = {
        {"ErrorConv", G.ErrorConv, 0.01L},
        {"LayerDraw", G.LayerDraw, 68},
        {"SmallTool", G.SmallTool, 1},
        {"View", G.View, vLayer},
        {"GridDist.x", G.GridDist.x, 10},
        {"GridDist.y", G.GridDist.y, 10},
        {"GridType", G.GridType, 0},
        {"SnapDist.x", G.SnapDist.x, 1},
        {"SnapDist.y", G.SnapDist.y, 1},
        {"SnapRatio", G.SnapRatio, 10},
        {"ZoomInRatio", G.ZoomInRatio, 2},
        {"ASnapDist", G.ASnapDist, 1},
        {"WheelRatio", G.WheelRatio, 1.5L},
        {"PanRatio", G.PanRatio, 0.1L},
        {"MinLim.x", G.MinLim.x, 0},
        {"MaxLim.x", G.MaxLim.x, 300},
        {"MaxLim.y", G.MaxLim.y, 200},
        {"JoinTol", G.JoinTol, 0.01L},
        {"OSExplode", G.OSExplode, 0.00625L},
        {"AutoSave", G.AutoSave, 5},
        {"MaxUndo", G.MaxUndo, 4},
        {"MaxFileHist", G.MaxFileHist, 10},
        {"CursorType", G.CursorType, 0},
        {"BackColor", G.BackColor, 0x000000},
        {"OutLimColor", G.OutLimColor, 0x505048},
        {"CrossHairColor", G.CrossHairColor, 0xFFFFFF},
        {"GridColor", G.GridColor, 0x0000FF},
        {"SelObjColor", G.SelObjColor, 0xF0CAA6},
        {"PrevObjColor", G.PrevObjColor, 0xC0DCC0},
        {"OSnapColor", G.OSnapColor, 0x00FFFF},
        {"PrevSelContColor", G.PrevSelContColor, 0xF0CAA6},
        {"PrevSelSurfColor", G.PrevSelSurfColor, 0xF0CAA6},
        {"SelObjOpac", G.SelObjOpac, 0.5f},
        {"PrevObjOpac", G.PrevObjOpac, 0.5f},
        {"RapidsOpac", G.RapidsOpac, 0.5f},
        {"RasterOpac", G.RasterOpac, 1},
        {"CrossHairOpac", G.CrossHairOpac, 1},
        {"ObjOpac", G.ObjOpac, 1},
        {"OSnapOpac", G.OSnapOpac, 1},
        {"PrevSelContOpac", G.PrevSelContOpac, 0.7f},
        {"PrevSelSurfOpac", G.PrevSelSurfOpac, 0.4f},
        {"SelObjWidth", G.SelObjWidth, 5},
        {"PrevObjWidth", G.PrevObjWidth, 5},
        {"RapidsWidth", G.RapidsWidth, 1},
        {"RasterWidth", G.RasterWidth, 1},
        {"CrossHairWidth", G.CrossHairWidth, 1},
        {"ObjWidth", G.ObjWidth, 1},
        {"OsnapWidth", G.OsnapWidth, 2},
        {"PrevSelContWidth", G.PrevSelContWidth, 5},
        {"InputFiltr", G.InputFiltr, 0.1L},
        {"MinOffsArc", G.MinOffsArc, std::numbers::pi_v<long double> / 12},
        {"SelectSize", G.SelectSize, 7},
        {"OsnapSize", G.OsnapSize, 17},
        {"OsnapSymbSize", G.OsnapSymbSize, 10},
        {"BitmapSize", G.BitmapSize, 100},
        {"DimArrowLen", G.DimArrowLen, 3},
        {"SinumStopMode", G.SinumStopMode, 0},
        {"DrawHighLight", G.DrawHighLight, 0},
        {"ViewPanelOps", G.ViewPanelOps, 0},
        {"ViewPanelLays", G.ViewPanelLays, 1},
        {"ViewPanelIcons", G.ViewPanelIcons, 1},
        {"ViewPanelMenu", G.ViewPanelMenu, 1},
        {"ToolLoc", G.ToolLoc, 0},
        {"OpEditAdrCnt", G.OpEditAdrCnt, 0},
        {"JobType", G.JobType, 0},
        {"StockOrigin", G.StockOrigin, 1},
        {"StockShape", G.StockShape, 0},
        {"StockSize.z", G.StockSize.z, 0},
        {"MID", G.MID, 0},
        {"MaxShowLogCount", G.MaxShowLogCount, 800},
        {"WebVerze", G.WebVerze, 0},
        {"SpolParObr.VelUnit", G.SpolParObr.VelUnit, MmPerSec},
    };
    for (const NumCase& c : Cases) EXPECT_EQ(c.Actual, c.Expected) << c.Field;
}

struct BoolCase {
    const char* Field;
    bool Actual;
    bool Expected;
};

TEST_F(GlobTest, SwitchAndTextDefaultsOfStartUp) {
    const TGlob& G = Glob;
    const BoolCase Cases[] = {
        {"Arrow", G.Arrow, true},           {"TextEnv", G.TextEnv, true},
        {"WheelCheck", G.WheelCheck, false}, {"ZoomCenter", G.ZoomCenter, false},
        {"BitmapUse", G.BitmapUse, false},  {"DimGroup", G.DimGroup, true},
        {"DimLayerKot", G.DimLayerKot, true}, {"HatchGroup", G.HatchGroup, false},
        {"HatchLayerKot", G.HatchLayerKot, false}, {"ContGroup", G.ContGroup, false},
        {"ViewHighLayer", G.ViewHighLayer, false}, {"ManipShowObj", G.ManipShowObj, false},
        {"AutoLayNum", G.AutoLayNum, false}, {"AutoRegen", G.AutoRegen, false},
        {"AutoLayRecalc", G.AutoLayRecalc, false}, {"AutoApplyToolOpen", G.AutoApplyToolOpen, false},
        {"CopyCamOps", G.CopyCamOps, false}, {"ShowNewFileDg", G.ShowNewFileDg, false},
        {"SaveBakFiles", G.SaveBakFiles, true}, {"ReadYdfCfg", G.ReadYdfCfg, true},
        {"DefMatToNewTool", G.DefMatToNewTool, true}, {"OpShowContours", G.OpShowContours, true},
        {"OpShowPockets", G.OpShowPockets, true}, {"OpShowSurfaces", G.OpShowSurfaces, true},
        {"OpShowDrill", G.OpShowDrill, true}, {"OpCamOp", G.OpCamOp, true},
        {"OpEdit", G.OpEdit, false},         {"OpNew", G.OpNew, false},
        {"SavOpRegen", G.SavOpRegen, false}, {"CheckUpdates", G.CheckUpdates, true},
    };
    for (const BoolCase& c : Cases) EXPECT_EQ(c.Actual, c.Expected) << c.Field;
    EXPECT_EQ(G.DecNum, "0.000");
    EXPECT_EQ(G.DimDecForm, "0.0");
    EXPECT_EQ(G.GuiStyle, "Windows");
    EXPECT_TRUE(G.JmSouboru.empty());
    EXPECT_TRUE(G.GCodeEd.empty());
    EXPECT_TRUE(G.BitmapFile.empty());
    EXPECT_TRUE(G.BakFilesDir.empty());
    EXPECT_TRUE(G.OpEditAdr.empty());
}

TEST_F(GlobTest, ViewDialogAndToolFieldsStayZeroAfterDefaults) {
    // These get their values at the first showing, not from the defaults.
    for (const TLayer& L : Glob.TabLayer) {
        EXPECT_TRUE(L.Name.empty());
        EXPECT_FALSE(L.Show);
        EXPECT_EQ(L.Color, 0u);
    }
    for (const TDirect& D : Glob.Direct) EXPECT_FALSE(D.Show);
    EXPECT_EQ(Glob.Sort.PlineColor, 0u);
    EXPECT_EQ(Glob.Tool[1].SpodniPrumer, 0);
    EXPECT_EQ(Glob.Tool[ToolLayerCount].Pruchod[MaxPruchod].Hloubka, 0);
    EXPECT_TRUE(Glob.Material.empty());
    EXPECT_TRUE(Glob.MillToolType.empty());
    EXPECT_EQ(Glob.Direct.size(), static_cast<size_t>(dkText) + 1);
}

TEST_F(GlobTest, ClearGlobZeroFillsEveryKind) {
    Glob.Tool[5].JmNastroje = "Fréza";
    Glob.Material.resize(3);
    ClearGlob();
    EXPECT_EQ(Glob.MaxUndo, 0);
    EXPECT_EQ(Glob.LayerDraw, 0);
    EXPECT_FALSE(Glob.Arrow);
    EXPECT_TRUE(Glob.DecNum.empty());
    EXPECT_TRUE(Glob.ProgramDir.empty());
    EXPECT_EQ(Glob.MaxLim.x, 0);
    EXPECT_TRUE(Glob.Tool[5].JmNastroje.empty());
    EXPECT_TRUE(Glob.Material.empty());
}

TEST_F(GlobTest, ProgramDirNamesTheGlobField) {
    EXPECT_EQ(&ProgramDir, &Glob.ProgramDir);
    EXPECT_EQ(ProgramDir, Dir());
    ProgramDir = "/elsewhere";
    EXPECT_EQ(Glob.ProgramDir, "/elsewhere");
}

struct RangeCase {
    const char* Field;
    long double Min, Max, Below;
    bool Odd;
};

TEST_F(GlobTest, RangeTableInCheckOrder) {
    const long double Pi = std::numbers::pi_v<long double>;
    const RangeCase Expected[] = {
        {"ASnapDist", CoordTol, 180, 0.001L, false},  {"SnapDist", CoordTol, 100, 0.001L, false},
        {"SnapRatio", 1, 100, 1, false},              {"ZoomInRatio", 1, 100, 1, false},
        {"SelectSize", 5, 31, 5, true},               {"OsnapSize", 5, 31, 5, true},
        {"PanRatio", 0.01L, 1, 0.01L, false},         {"WheelRatio", 1, 10, 1, false},
        {"JoinTol", 0.0001L, 1, 0.0001L, false},      {"OSExplode", 0.0001L, 1, 0.0001L, false},
        {"InputFiltr", 0.0001L, 1, 0.0001L, false},   {"MinOffsArc", 0, Pi / 6, 0, false},
        {"AutoSave", 1, 2147483647.0L, 1, false},     {"MaxUndo", 2, 100, 2, false},
        {"MaxFileHist", 2, 100, 2, false},            {"DimArrowLen", 0.1L, 10, 0.1L, false},
    };
    ASSERT_EQ(GlobRanges.size(), std::size(Expected));
    for (size_t i = 0; i < GlobRanges.size(); ++i) {
        const TGlobRange& R = GlobRanges[i];
        const RangeCase& E = Expected[i];
        EXPECT_STREQ(R.Field, E.Field) << i;
        EXPECT_EQ(R.Min, E.Min) << E.Field;
        EXPECT_EQ(R.Max, E.Max) << E.Field;
        EXPECT_EQ(R.Below, E.Below) << E.Field;
        EXPECT_EQ(R.Odd, E.Odd) << E.Field;
    }
    EXPECT_EQ(GridDistNegative, 10);
    EXPECT_EQ(LimMinSpan, 10);
}

TEST_F(GlobTest, DefaultsLieInsideTheirRanges) {
    const struct {
        const char* Field;
        long double Value;
    } Values[] = {
        {"ASnapDist", Glob.ASnapDist},   {"SnapDist", Glob.SnapDist.x}, {"SnapRatio", Glob.SnapRatio},
        {"ZoomInRatio", Glob.ZoomInRatio}, {"SelectSize", static_cast<long double>(Glob.SelectSize)},
        {"OsnapSize", static_cast<long double>(Glob.OsnapSize)},   {"PanRatio", Glob.PanRatio},   {"WheelRatio", Glob.WheelRatio},
        {"JoinTol", Glob.JoinTol},       {"OSExplode", Glob.OSExplode}, {"InputFiltr", Glob.InputFiltr},
        {"MinOffsArc", Glob.MinOffsArc}, {"AutoSave", static_cast<long double>(Glob.AutoSave)},
        {"MaxUndo", static_cast<long double>(Glob.MaxUndo)},
        {"MaxFileHist", static_cast<long double>(Glob.MaxFileHist)}, {"DimArrowLen", Glob.DimArrowLen},
    };
    ASSERT_EQ(std::size(Values), GlobRanges.size());
    for (size_t i = 0; i < GlobRanges.size(); ++i) {
        EXPECT_STREQ(Values[i].Field, GlobRanges[i].Field);
        EXPECT_GE(Values[i].Value, GlobRanges[i].Min) << Values[i].Field;
        EXPECT_LE(Values[i].Value, GlobRanges[i].Max) << Values[i].Field;
    }
}

TEST_F(GlobTest, MainVarsStartIdle) {
    const TMainVars& M = MainVars;
    EXPECT_EQ(M.ComCnt, -1);
    EXPECT_TRUE(M.Command[0].empty());
    EXPECT_EQ(M.IndexList, 1);
    EXPECT_EQ(M.Mouse.Move, mmCross);
    EXPECT_EQ(M.Mouse.NextMove, mmCross);
    EXPECT_EQ(M.Mouse.NextDown, mdNone);
    EXPECT_TRUE(M.Mouse.OsnapAuto.osNone);
    EXPECT_FALSE(M.Mouse.OsnapAuto.Enabled);
    EXPECT_FALSE(M.Mouse.OsnapAuto.Search);
    EXPECT_EQ(M.LastColor, Glob.BackColor);
    for (TObjHeader* p : {M.DataStart, M.DataEnd, M.SaveStart, M.SaveEnd, M.AreaStart, M.AreaEnd,
                          M.ViewStart, M.ViewEnd})
        EXPECT_EQ(p, nullptr);
    EXPECT_EQ(M.UndoCount, 0);
    EXPECT_EQ(M.UndoTab[100].StartUndo, nullptr);
}

TEST_F(GlobTest, ResetAllStateUndoesEveryChange) {
    Glob.MaxUndo = 50;
    Glob.Tool[3].Tnum = 7;
    Glob.TabLayer[68].Name = "Orig";
    MainVars.ComCnt = 3;
    MainVars.Command[0] = "MOVE";
    MainVars.Mouse.NextMove = mmLine;
    OpList.CamCnt = 4;
    OpList.Cam[2].Name = "Kapsa";
    WriteLog("Sys:something");

    ResetAllState();

    EXPECT_EQ(Glob.MaxUndo, 4);
    EXPECT_EQ(Glob.Tool[3].Tnum, 0);
    EXPECT_TRUE(Glob.TabLayer[68].Name.empty());
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_TRUE(MainVars.Command[0].empty());
    EXPECT_EQ(MainVars.Mouse.NextMove, mmCross);
    EXPECT_EQ(OpList.CamCnt, 0);
    EXPECT_TRUE(OpList.Cam[2].Name.empty());
    EXPECT_EQ(OpList.LastLa, 1);
    EXPECT_EQ(LogWriteIndex(), 0);
    EXPECT_TRUE(LogLastText().empty());
    EXPECT_EQ(static_cast<int>(LogRing().size()), DefaultLogLength);
}

}  // namespace
