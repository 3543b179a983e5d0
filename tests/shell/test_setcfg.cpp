// The settings block, "Default.cfg" and the range check.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>

#include "cam/ContourDg.h"
#include "cam/FillDg.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ParText.h"
#include "core/ResetState.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "formats/HPInDg.h"
#include "formats/HPOutDg.h"
#include "shell/SetCfg.h"
#include "platform/ScriptResponder.h"
#include "shell/SetDg.h"
#include "shell/UniLang.h"
#include "support/Fixture.h"

namespace {

constexpr Extended Deg = std::numbers::pi_v<Extended> / 180;

bool LogHas(const std::string& text) {
    for (const std::string& l : LogRing())
        if (l.find(text) != std::string::npos) return true;
    return false;
}

class SetCfgTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        SetCfgDecimalSeparator(',');  // as on a Czech system
    }
    // Reads a block made of the given key lines.
    void ReadBlock(const std::string& body, const std::string& eol = "\r\n") {
        std::string text = "Ver=2.5 beta 6" + eol + "SETUP" + eol;
        size_t start = 0;
        while (start < body.size()) {
            size_t nl = body.find('\n', start);
            text += "  " + body.substr(start, nl - start) + eol;
            if (nl == std::string::npos) break;
            start = nl + 1;
        }
        text += "ENDSETUP" + eol;
        WriteFile("Default.cfg", text);
        ASSERT_TRUE(FileToGlobalCfg(DefaultCfgPath()));
    }
};

// Gives every keyed setting a value different from its default.
void SetEveryKeyedField() {
    TGlob& g = Glob;
    g.JobType = 2; g.StockShape = 3; g.StockOrigin = 5;
    g.StockSize = {100.5L, 50.25L, 10.125L};
    g.MID = 3; g.ToolLoc = 2; g.SinumStopMode = 1;
    g.MinLim = {-10, -20}; g.MaxLim = {400.5L, 300};
    g.BackColor = 0x102030; g.OutLimColor = 0x405060; g.GridColor = 0x708090; g.CrossHairColor = 0xA0B0C0;
    g.SelObjColor = 0x111111; g.PrevObjColor = 0x222222; g.OSnapColor = 0x333333;
    g.PrevSelContColor = 0x444444; g.PrevSelSurfColor = 0x555555;
    g.SelObjOpac = 0.3f; g.PrevObjOpac = 0.2f; g.RapidsOpac = 0.1f; g.CrossHairOpac = 0.6f;
    g.RasterOpac = 0.7f; g.OSnapOpac = 0.8f; g.ObjOpac = 0.9f; g.PrevSelContOpac = 0.35f; g.PrevSelSurfOpac = 0.45f;
    g.SelObjWidth = 3; g.PrevObjWidth = 4; g.RapidsWidth = 6; g.ObjWidth = 7; g.OsnapWidth = 8;
    g.CrossHairWidth = 9; g.RasterWidth = 10; g.PrevSelContWidth = 11;
    g.GridStart = {1.5L, 2.5L}; g.GridDist = {5, 7.5L}; g.GridType = 2;
    g.SnapStart = {0.5L, 0.25L}; g.SnapDist = {2, 3}; g.ASnapDist = 15; g.SnapRatio = 5;
    g.SelectSize = 9; g.OsnapSize = 21; g.OsnapSymbSize = 12;
    g.ZoomInRatio = 3; g.PanRatio = 0.2L; g.WheelRatio = 2;
    g.WheelCheck = true; g.ZoomCenter = true; g.CheckUpdates = false; g.UpdateServer = "http://127.0.0.1:8080"; g.CursorType = 2;
    g.DecNum = "0.00000"; g.JoinTol = 0.02L; g.OSExplode = 0.01L; g.InputFiltr = 0.05L; g.MinOffsArc = 20 * Deg;
    g.DimGroup = false; g.DimLayerKot = false; g.DimDecForm = "0.000"; g.DimArrowLen = 4;
    g.HatchGroup = true; g.HatchLayerKot = true; g.ContGroup = true; g.ManipShowObj = true;
    g.ViewPanelOps = 2; g.ViewPanelLays = 2; g.ViewPanelIcons = 0; g.ViewPanelMenu = 2;
    g.AutoLayNum = g.AutoRegen = g.AutoLayRecalc = g.CopyCamOps = g.AutoApplyToolOpen = true;
    g.ShowNewFileDg = true; g.SaveBakFiles = false; g.BakFilesDir = "/tmp/zálohy"; g.GCodeEd = "/usr/bin/editor";
    g.ReadYdfCfg = false; g.DefMatToNewTool = false;
    g.AutoSave = 7; g.MaxUndo = 6; g.MaxFileHist = 12; g.MaxShowLogCount = 500; g.TextEnv = false;
    for (int n = 1; n <= LayerCount; ++n) {
        g.TabLayer[n].Show = n % 2 == 1;
        g.TabLayer[n].Color = uint32_t(n * 1000 + 7);
        g.TabLayer[n].Apply = true;
    }
    g.LayerDraw = 3;
    for (int d = 0; d < DirKindCount; ++d) g.Direct[d] = {true, uint32_t(0x10 + d)};
    g.Arrow = false;
    g.Sort.Prejezdy = true; g.Sort.Cisla = true;
    g.Sort.PointColor = 1; g.Sort.PlineColor = 2; g.Sort.TextColor = 3; g.Sort.GroupColor = 4;
    HPInputDialog->EditXscale->Text = "40"; HPInputDialog->EditYscale->Text = "41";
    HPOutputDialog->EditXscale->Text = "42"; HPOutputDialog->EditYscale->Text = "43";
    g.ErrorConv = 0.02L;
    g.OpShowContours = g.OpShowPockets = g.OpShowSurfaces = false;
    TextStyle.JmFontu = "ARIAL.SHP"; TextStyle.Vyska = 7.5L; TextStyle.WidthFactor = 0.8L;
    TextStyle.Rotate = 30 * Deg; TextStyle.Zkos = 10 * Deg; TextStyle.MirrorY = true; TextStyle.Justify = 4;
    DimTextStyle.JmFontu = "YF01.SHP"; DimTextStyle.Vyska = 2.5L; DimTextStyle.WidthFactor = 1.25L;
    DimTextStyle.Rotate = 90 * Deg; DimTextStyle.Zkos = 5 * Deg; DimTextStyle.MirrorY = true; DimTextStyle.Justify = 7;
    SetDialog->RBtnRotLeave->Click(); SetDialog->RBtnMirDel->Click(); SetDialog->RbtnOffLeave->Click();
    ContourDialog->RBtnInside->Click(); ContourDialog->RBtnNesousledne->Click();
    ContourDialog->EditPridavek->Text = "0,5"; ContourDialog->EditDepth->Text = "2,25";
    g.SmallTool = 5;
    FillDialog->EditAllError->Text = "0,04"; FillDialog->EditThinError->Text = "0,05";
    FillDialog->EditUhelSraf->Text = "45"; FillDialog->EditPresahSrafMm->Text = "0,2";
    FillDialog->EditPridSrafMm->Text = "0,06"; FillDialog->RBtnNesousl->Click();
    FillDialog->EditSmUhelSraf->Text = "30"; FillDialog->EditSmPresahSraf->Text = "0,1";
    FillDialog->EditSmPridSraf->Text = "0,01";
}

TEST_F(SetCfgTest, PackedBlockRoundTripsEveryKeyedField) {
    const std::vector<std::string> defaults = GlobalCfgLines(true);
    SetEveryKeyedField();
    const std::vector<std::string> written = GlobalCfgLines(true);
    ASSERT_EQ(written.size(), defaults.size());
    ASSERT_EQ(written.size(), 3u + 152u + LayerCount);  // block lines, keys, layers
    // Every key line carries a changed value, so the comparison below covers each of them.
    for (size_t i = 2; i + 1 < written.size(); ++i) EXPECT_NE(written[i], defaults[i]) << written[i];
    ASSERT_TRUE(WriteDefaultCfg());

    ResetAllState();
    Glob.ProgramDir = Dir();
    SetCfgDecimalSeparator(',');
    ASSERT_TRUE(FileToGlobalCfg(DefaultCfgPath()));
    EXPECT_TRUE(LogHas("Sys:Load CFG (" + DefaultCfgPath() + ")"));
    EXPECT_EQ(GlobalCfgLines(true), written);

    // A few values exactly, and what the block does not carry.
    EXPECT_EQ(Glob.StockSize.z, 10.125L);
    EXPECT_EQ(Glob.SelObjOpac, 0.3f);
    EXPECT_EQ(Glob.MinOffsArc, 20 * Deg);
    EXPECT_EQ(Glob.BakFilesDir, "/tmp/zálohy");
    EXPECT_EQ(Glob.UpdateServer, "http://127.0.0.1:8080");
    EXPECT_EQ(Glob.DecNum, "0.00000");
    EXPECT_EQ(Glob.TabLayer[4].Color, 4007u);
    EXPECT_FALSE(Glob.TabLayer[4].Show);
    EXPECT_TRUE(Glob.TabLayer[5].Apply);
    EXPECT_EQ(Glob.TabLayer[5].Name, "");
    EXPECT_EQ(TextStyle.Rotate, 30 * Deg);
    EXPECT_EQ(DimTextStyle.JmFontu, "YF01.SHP");
    EXPECT_TRUE(SetDialog->RBtnRotLeave->Checked);
    EXPECT_FALSE(SetDialog->RBtnRotDel->Checked);
    EXPECT_TRUE(SetDialog->CheckBoxWheel->Checked);
    EXPECT_TRUE(ContourDialog->RBtnInside->Checked);
    EXPECT_FALSE(ContourDialog->RBtnBoth->Checked);
    EXPECT_TRUE(ContourDialog->RBtnNesousledne->Checked);
    EXPECT_EQ(ContourDialog->EditDepth->Text, "2,25");
    EXPECT_TRUE(FillDialog->RBtnNesousl->Checked);
    EXPECT_EQ(HPOutputDialog->EditYscale->Text, "43");
}

TEST_F(SetCfgTest, UnpackedLayersAndWriterForm) {
    Glob.TabLayer[3] = {"T3", true, false, 255, 0};
    const std::vector<std::string> lines = GlobalCfgLines(false);
    EXPECT_EQ(lines.front(), "SETUP");
    EXPECT_EQ(lines[1], "  JobType=0");
    EXPECT_EQ(lines.back(), "ENDSETUP");
    auto has = [&](const std::string& l) { return std::find(lines.begin(), lines.end(), l) != lines.end(); };
    EXPECT_TRUE(has("  Layer3Name=T3"));
    EXPECT_TRUE(has("  Layer3Show=TRUE"));
    EXPECT_TRUE(has("  Layer3Color=255"));
    EXPECT_TRUE(has("  Layer3Apply=FALSE"));
    EXPECT_TRUE(has("  DecNum=3"));
    EXPECT_TRUE(has("  DimDecNum=1"));
    EXPECT_TRUE(has("  SelectSize=7"));
    EXPECT_TRUE(has("  AutoSave=5"));
    EXPECT_TRUE(has("  WheelRatio=1,5"));
    EXPECT_TRUE(has("  MinOffsArc=15"));
    EXPECT_TRUE(has("  PrevSelContOpac=0,699999988079071"));  // single widened to 15 digits
    Glob.TabLayer = {};
    ReadBlock("Layer3Show=TRUE\nLayer3Color=$FF\nLayer3Apply=true\nLayer4=T4,1,77,1");
    EXPECT_TRUE(Glob.TabLayer[3].Show);
    EXPECT_EQ(Glob.TabLayer[3].Color, 255u);
    EXPECT_TRUE(Glob.TabLayer[3].Apply);
    EXPECT_FALSE(Glob.TabLayer[4].Show);  // packed line in an unpacked block: ignored
}

TEST_F(SetCfgTest, RegionalRealUsesTheLocaleSeparator) {
    EXPECT_EQ(CfgRegionalReal(2.5L), "2,5");
    EXPECT_EQ(CfgRegionalReal(0.0001L), "0,0001");
    EXPECT_EQ(CfgRegionalReal(1e-7L), "0,0000001");
    SetCfgDecimalSeparator('.');
    EXPECT_EQ(CfgRegionalReal(-300.25L), "-300.25");
    EXPECT_EQ(CfgRegionalReal(7), "7");
}

TEST_F(SetCfgTest, LineFeedFileReadsLikeCrLf) {
    const std::string body = "SnapDistX=2,5\nCheckBoxWheel=TRUE\nDecNum=4\nPACKED\nLayer2=T2,0,99,1";
    ReadBlock(body, "\n");
    const std::vector<std::string> lf = GlobalCfgLines(true);
    EXPECT_EQ(Glob.SnapDist.x, 2.5L);
    EXPECT_TRUE(Glob.WheelCheck);
    ResetAllState();
    Glob.ProgramDir = Dir();
    SetCfgDecimalSeparator(',');
    ReadBlock(body, "\r\n");
    EXPECT_EQ(GlobalCfgLines(true), lf);
}

TEST_F(SetCfgTest, ReadRules) {
    int undoFreed = 0;
    OnCfgMaxUndoChanged = [&] { ++undoFreed; };
    ReadBlock("snapdistx=1+1\n"       // calculator rule, lower-case key
              "SnapDistY =5\n"        // blank before "=": no key
              "AutoSave=1+1\n"        // integer reading fails
              "MaxFileHist=20 \n"     // blank after an integer
              "MaxUndo=8\n"
              "BackColor=$FF\n"
              "GridColor=0x0000FF00\n"
              "OutLimColor=$FFFFFFFF\n"
              "CheckBoxWheel=true\n"
              "ZoomCenter=yes\n"
              "Arrow=\n"
              "StockMaterial=2.6\n"
              "DimDecNum=2,5\n"
              "Font=ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdef\n"
              "UnknownKey=1");
    OnCfgMaxUndoChanged = nullptr;
    EXPECT_EQ(Glob.SnapDist.x, 2);
    EXPECT_EQ(Glob.SnapDist.y, 1);
    EXPECT_EQ(Glob.AutoSave, 5);
    EXPECT_EQ(Glob.MaxFileHist, 10);
    EXPECT_EQ(Glob.MaxUndo, 8);
    EXPECT_EQ(undoFreed, 1);
    EXPECT_EQ(Glob.BackColor, 0xFFu);
    EXPECT_EQ(Glob.GridColor, 0xFF00u);
    EXPECT_EQ(Glob.OutLimColor, 0xFFFFFFFFu);
    EXPECT_TRUE(Glob.WheelCheck);
    EXPECT_FALSE(Glob.ZoomCenter);
    EXPECT_FALSE(Glob.Arrow);
    EXPECT_EQ(Glob.MID, 3);
    EXPECT_EQ(Glob.DimDecForm, "0.00");
    EXPECT_EQ(TextStyle.JmFontu.size(), 37u);
}

TEST_F(SetCfgTest, IntegerReading) {
    struct Case { const char* text; bool ok; int32_t value; };
    for (Case c : {Case{"12", true, 12}, Case{"  -7", true, -7}, Case{"+3", true, 3}, Case{"$1f", true, 31},
                   Case{"X10", true, 16}, Case{"0x7FFFFFFF", true, 2147483647}, Case{"-2147483648", true, INT32_MIN},
                   Case{"2147483648", false, 0}, Case{"$123456789", false, 0}, Case{"", false, 0},
                   Case{"5 ", false, 0}, Case{"1.5", false, 0}, Case{"$", false, 0}, Case{"-", false, 0}}) {
        int32_t v = 0;
        EXPECT_EQ(CfgIntReading(c.text, v), c.ok) << c.text;
        if (c.ok) EXPECT_EQ(v, c.value) << c.text;
    }
}

TEST_F(SetCfgTest, OutOfRangeValuesAreBroughtBack) {
    ReadBlock("SelectSize=8\nOsnapSize=300\nMaxUndo=500\nMaxFileHist=1\nMinLimX=50\nMaxLimX=20\n"
              "MinLimY=0\nMaxLimY=5\nGridDistX=0\nGridDistY=-3\nLayerDraw=0\nSmallTool=65\n"
              "CursorType=7\nGridType=5\nViewPanelOps=9\nViewPanelLays=3\nAutoSave=99999999\n"
              "MinOffsArc=45\nDecNum=9\nASnapDist=0\nSnapDistX=500\nPanRatio=0\nDimArrowLen=11\n"
              "JoinTol=0");
    EXPECT_EQ(Glob.SelectSize, 9);
    EXPECT_EQ(Glob.OsnapSize, 17);  // 300 is no byte: not read
    EXPECT_EQ(Glob.MaxUndo, 100);
    EXPECT_EQ(Glob.MaxFileHist, 2);
    EXPECT_EQ(Glob.MinLim.x, 20);
    EXPECT_EQ(Glob.MaxLim.x, 50);
    EXPECT_EQ(Glob.MaxLim.y, 10);
    EXPECT_EQ(Glob.GridDist.x, 10);
    EXPECT_EQ(Glob.GridDist.y, 10);
    EXPECT_EQ(Glob.LayerDraw, LayerOrig);
    EXPECT_EQ(Glob.SmallTool, 1);
    EXPECT_EQ(Glob.CursorType, 0);
    EXPECT_EQ(Glob.GridType, 0);
    EXPECT_EQ(Glob.ViewPanelOps, 0);
    EXPECT_EQ(Glob.ViewPanelLays, 1);
    EXPECT_EQ(Glob.AutoSave, 35791);
    EXPECT_EQ(Glob.MinOffsArc, std::numbers::pi_v<Extended> / 6);
    EXPECT_EQ(Glob.DecNum, "0.000000");
    EXPECT_EQ(Glob.ASnapDist, 0.001L);
    EXPECT_EQ(Glob.SnapDist.x, 100);
    EXPECT_EQ(Glob.PanRatio, 0.01L);
    EXPECT_EQ(Glob.DimArrowLen, 10);
    EXPECT_EQ(Glob.JoinTol, 0.0001L);
    ReadBlock("LayerDraw=69\nDecNum=0");
    EXPECT_EQ(Glob.LayerDraw, LayerOrig);
    EXPECT_EQ(Glob.DecNum, "0.0");
}

// Limits, origins and grid steps far beyond any drawing are brought within range, keeping the
// limits' minimum span; values that are no finite number are not taken.
TEST_F(SetCfgTest, HugeLimitsAndOriginsAreBroughtWithinRange) {
    struct TCase {
        const char* Line;
        const Extended* Field;
        Extended Expected;
    };
    const Extended m = CfgMaxCoord;
    const TCase cases[] = {
        {"MaxLimX=1e308", &Glob.MaxLim.x, m},
        {"MinLimX=-1e308", &Glob.MinLim.x, -m},
        {"MinLimY=1e20", &Glob.MinLim.y, m - LimMinSpan},
        {"MaxLimY=1e20", &Glob.MaxLim.y, m},
        {"GridStartX=-1e300", &Glob.GridStart.x, -m},
        {"SnapStartY=5e9", &Glob.SnapStart.y, m},
        {"GridDistY=1e200", &Glob.GridDist.y, m},
        {"GridStartY=nan", &Glob.GridStart.y, Glob.GridStart.y},
        {"SnapStartX=inf", &Glob.SnapStart.x, Glob.SnapStart.x},
    };
    std::string block;
    for (const TCase& c : cases) block += std::string(c.Line) + "\n";
    ReadBlock(block + "MaxFileHist=-5\n");
    for (const TCase& c : cases) EXPECT_EQ(*c.Field, c.Expected) << c.Line;
    EXPECT_EQ(Glob.MaxLim.y - Glob.MinLim.y, LimMinSpan);
    EXPECT_EQ(Glob.MaxFileHist, 2);
}

// Numbers at the ends of the range: what the settings write at exit reads back at the
// next start to the very same block. A negative zero is written "0"; a number whose
// 15-digit text would pass the largest double (or float) is not taken.
TEST_F(SetCfgTest, ExtremeNumbersReadBackAsWritten) {
    // The dialogs' built-in number texts in their written form (they mix "," and ".").
    auto startState = [this] {
        ResetAllState();
        Glob.ProgramDir = Dir();
        SetCfgDecimalSeparator(',');
        LinesToGlobalCfg(GlobalCfgLines(true));
    };
    startState();
    const Extended stockX = Glob.StockSize.x;
    const float opacity = Glob.SelObjOpac;
    ReadBlock("MinOffsArc=-1*0\nStockSizeY=-1e-4000\nStockSizeX=1.797693134862315e308\n"
              "SelObjOpac=3.4028234e38\nStockSizeZ=1e307");
    const std::vector<std::string> written = GlobalCfgLines(true);
    for (const char* line : {"  MinOffsArc=0", "  StockSizeY=0"})
        EXPECT_NE(std::find(written.begin(), written.end(), line), written.end()) << line;
    EXPECT_EQ(Glob.StockSize.x, stockX);
    EXPECT_EQ(Glob.SelObjOpac, opacity);
    ASSERT_TRUE(WriteDefaultCfg());
    startState();
    ASSERT_TRUE(FileToGlobalCfg(DefaultCfgPath()));
    EXPECT_EQ(GlobalCfgLines(true), written);
    EXPECT_EQ(Glob.StockSize.z, 1e307L);
}

TEST_F(SetCfgTest, PackedLayerValueAndContourSides) {
    ReadBlock("PACKED\nLayer3=T3,0,255,1\nLayer5=T5,1,77\nLayer6=nocomma\nLayer03=T,1,1,1\n"
              "ContInside=TRUE\nContOutside=TRUE\nContSousl=TRUE\nMeaFinSousl=FALSE\nContAdd=1+0,5");
    EXPECT_FALSE(Glob.TabLayer[3].Show);
    EXPECT_EQ(Glob.TabLayer[3].Color, 0xFFu);
    EXPECT_TRUE(Glob.TabLayer[3].Apply);
    EXPECT_TRUE(Glob.TabLayer[5].Show);
    EXPECT_EQ(Glob.TabLayer[5].Color, 77u);
    EXPECT_EQ(Glob.TabLayer[6].Color, 0u);
    EXPECT_TRUE(ContourDialog->RBtnBoth->Checked);
    EXPECT_FALSE(ContourDialog->RBtnInside->Checked);
    EXPECT_FALSE(ContourDialog->RBtnOutside->Checked);
    EXPECT_TRUE(ContourDialog->RBtnSousledne->Checked);
    EXPECT_FALSE(ContourDialog->RBtnNesousledne->Checked);
    EXPECT_TRUE(FillDialog->RBtnNesousl->Checked);
    EXPECT_FALSE(FillDialog->RBtnSousl->Checked);
    EXPECT_EQ(ContourDialog->EditPridavek->Text, "1,5");
    ReadBlock("ContInside=FALSE\nContOutside=FALSE");
    EXPECT_FALSE(ContourDialog->RBtnInside->Checked || ContourDialog->RBtnOutside->Checked ||
                 ContourDialog->RBtnBoth->Checked);
    EXPECT_TRUE(ContourDialog->RBtnNesousledne->Checked);
}

TEST_F(SetCfgTest, OnlyTheFirstBlockIsRead) {
    WriteFile("job.ydf", "HEADER\r\nSnapRatio=7\r\nSETUP\r\n  SnapRatio=3\r\nENDSETUP\r\n"
                         "SETUP\r\n  SnapRatio=4\r\nENDSETUP\r\n");
    ASSERT_TRUE(FileToGlobalCfg(InDir("job.ydf")));
    EXPECT_EQ(Glob.SnapRatio, 3);
}

TEST_F(SetCfgTest, MissingFileChangesOnlyTheContourDirection) {
    const std::vector<std::string> before = GlobalCfgLines(true);
    EXPECT_FALSE(FileToGlobalCfg(InDir("none.cfg")));
    EXPECT_TRUE(LogHas("Err:FAILED Load CFG, file not found (" + InDir("none.cfg") + ")"));
    EXPECT_TRUE(ContourDialog->RBtnNesousledne->Checked);
    ContourDialog->RBtnSousledne->Click();
    EXPECT_EQ(GlobalCfgLines(true), before);
}

TEST_F(SetCfgTest, DefaultCfgIsReplacedSafely) {
    WriteFile("Default.cfg", "old settings\r\n");
    ASSERT_TRUE(WriteDefaultCfg());
    const std::string bytes = ReadFile(DefaultCfgPath());
    EXPECT_EQ(bytes.substr(0, 35), "Ver=2.5 beta 6\r\nSETUP\r\n  PACKED\r\n  ");
    EXPECT_EQ(bytes.substr(bytes.size() - 10), "ENDSETUP\r\n");
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(Dir())) files += e.is_regular_file();
    EXPECT_EQ(files, 1);  // no temporary file left behind
    // A folder that cannot take the new file keeps the old one.
    Glob.ProgramDir = Dir() + "/missing";
    TScriptResponder R;
    R.ExpectMessage(mrOk, Msg[25]);
    EXPECT_FALSE(WriteDefaultCfg());
    EXPECT_TRUE(R.Done());
    EXPECT_TRUE(LogHas("Err:FAILED Save CFG"));
}

TEST_F(SetCfgTest, BlockIsAppendedToAJobFile) {
    WriteFile("job.ydf", "HEADER\r\n");
    ASSERT_TRUE(GlobalCfgToFile(InDir("job.ydf"), false));
    const std::string bytes = ReadFile(InDir("job.ydf"));
    EXPECT_EQ(bytes.substr(0, 26), "HEADER\r\nSETUP\r\n  JobType=0");
    EXPECT_EQ(bytes.find("PACKED"), std::string::npos);
}

TEST_F(SetCfgTest, AnyBytesAreReadWithoutHarm) {
    std::string junk = "SETUP\r\n";
    for (int i = 0; i < 256; ++i) junk += "  Layer" + std::to_string(i % 70) + "=" + std::string(size_t(i % 5), char(i)) + "\n";
    junk += "PACKED\r\n=\r\n==\r\nLayer1=,\r\nLayer2=,1\r\nLayer3=,1,\r\nDecNum=\r\nMaxUndo=$\r\n";
    WriteFile("junk.cfg", junk);
    EXPECT_TRUE(FileToGlobalCfg(InDir("junk.cfg")));
    EXPECT_EQ(Glob.MaxUndo, 4);
}

} // namespace
