// The tool and material library: built-in lists, "ToolLib.ylf" read and written,
// damaged files, and the start-up and shutdown steps that use it.
#include <gtest/gtest.h>

#include "core/Glob.h"
#include "core/Global.h"
#include "platform/Dialogs.h"
#include "shell/SetCfg.h"
#include "shell/StartupHooks.h"
#include "shell/UniLang.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"
#include "tools/ToolDg.h"
#include "tools/ToolLibFile.h"

namespace {

class ToolLibTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        Prev = SetResponder(&R);
        SetCfgDecimalSeparator(',');
        InitMaterial();
        InitToolLib();
    }
    void TearDown() override {
        SetResponder(Prev);
        SetCfgDecimalSeparator(0);
        KestrilonTest::TearDown();
    }
    // Reads Text as the library file; true when not damaged.
    bool Read(const std::string& Text) { return FileToToolLib(WriteFile("ToolLib.ylf", Text)); }
    size_t Messages() const { return R.Shown.size(); }
    TCmdResponder R;
    TResponder* Prev = nullptr;
};

TEST_F(ToolLibTest, BuiltInListsWithoutAFile) {
    EXPECT_TRUE(FileToToolLib(InDir("ToolLib.ylf")));
    ASSERT_EQ(Glob.Material.size(), 1u);
    EXPECT_EQ(Glob.Material[0].Jmeno, "Výchozí materiál");
    EXPECT_EQ(Glob.Material[0].TID, -1);
    EXPECT_EQ(Glob.SpolParObr.MatPolot, "Výchozí materiál");
    ASSERT_EQ(Glob.ToolLib.size(), 5u);
    EXPECT_EQ(Glob.ToolLib[0].Tool.JmNastroje, "Fréza válc. 2mm");
    EXPECT_EQ(Glob.ToolLib[4].Tool.JmNastroje, "Fréza válc. 6mm");
    EXPECT_EQ(Glob.ToolLib[4].Tool.HorniPrumer, 6);
    for (const TToolLib& L : Glob.ToolLib) {
        ASSERT_EQ(L.Material.size(), 1u);
        EXPECT_EQ(L.Material[0].Jmeno, "Výchozí materiál");
        EXPECT_EQ(LastUsedPass(L.Tool), 0);
    }
    EXPECT_EQ(Messages(), 0u);
}

TEST_F(ToolLibTest, WrittenWithCrLfInCp1250AndReadBack) {
    Glob.Material[0].Tech.Vc = 123.25L;
    Glob.Material[0].Vystup.LaserTime = 1.5L;
    Glob.Material[0].Vystup.CoolantType = Mlha;
    Glob.Material[0].Zapich[3].Method = 3;
    Glob.Material[0].Zapich[3].SpiralDownStep = true;
    Glob.ToolLib[1].Tool.JmNastroje = "Kuželová ž";
    Glob.ToolLib[1].Tool.UhelSpicky = 30;
    Glob.ToolLib[1].Material[0].Tech.Ap = 0.333L;
    Glob.ToolLib[1].Material[0].Vystup.OfukUse = true;
    Glob.ToolLib[2].Material.push_back(Glob.Material[0]);
    Glob.ToolLib[2].Material[1].Tech.Vf = 0;  // Vf is not read back: a new entry has 0
    ASSERT_TRUE(ToolLibToFile(InDir("ToolLib.ylf")));
    const std::string bytes = ReadFile(InDir("ToolLib.ylf"));
    EXPECT_EQ(bytes.rfind("[Yorvan tool material library file]\r\n[MatLib]=1\r\n[MatDef]=0\r\n  MatName=", 0), 0u);
    EXPECT_NE(bytes.find(Utf8ToCp1250("    ToolName=Kuželová ž\r\n")), std::string::npos);
    EXPECT_NE(bytes.find("    LaserTime=1,5\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("    AirBlowUse=FALSE\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("    AirBlowuse=TRUE\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("    Vc=123.25\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("  [EndMatDef]\r\n  [PlungeDef]=0\r\n"), std::string::npos);
    const auto Mat = Glob.Material;
    const auto Lib = Glob.ToolLib;
    InitMaterial();
    InitToolLib();
    Glob.ToolLib[2].Tool.Pruchod[1].Hloubka = 3;
    ASSERT_TRUE(FileToToolLib(InDir("ToolLib.ylf")));
    ASSERT_EQ(Glob.ToolLib.size(), Lib.size());
    EXPECT_EQ(Glob.Material[0].Tech.Vc, 123.25L);
    EXPECT_EQ(Glob.Material[0].Vystup.LaserTime, 1.5L);  // a dwell keeps its fraction
    EXPECT_EQ(Glob.Material[0].Vystup.CoolantType, Mlha);
    EXPECT_EQ(Glob.Material[0].Zapich[3].Method, 3);
    EXPECT_TRUE(Glob.Material[0].Zapich[3].SpiralDownStep);
    EXPECT_EQ(Glob.ToolLib[1].Tool.JmNastroje, "Kuželová ž");
    EXPECT_TRUE(CompareTool(Glob.ToolLib[1].Tool, Lib[1].Tool));
    EXPECT_EQ(Glob.ToolLib[1].Material[0].Tech.Ap, 0.333L);
    EXPECT_TRUE(Glob.ToolLib[1].Material[0].Vystup.OfukUse);
    ASSERT_EQ(Glob.ToolLib[2].Material.size(), 2u);
    EXPECT_EQ(LastUsedPass(Glob.ToolLib[2].Tool), 0);  // a read record has no passes
    // Written again: the same bytes.
    ASSERT_TRUE(ToolLibToFile(InDir("again.ylf")));
    EXPECT_EQ(ReadFile(InDir("again.ylf")), bytes);
}

// What the library dialog edits survives a restart: the helix angle and direction,
// "ignore depth division" and Vf of a list material and of a library tool's material.
TEST_F(ToolLibTest, HelixAndVfSurviveTheFile) {
    for (TMaterial* M : {&Glob.Material[0], &Glob.ToolLib[1].Material[0]}) {
        M->Tech.Vf = 12.5L;
        M->Zapich[poContour].SpiralAngle = 3.25L;
        M->Zapich[poContour].SpiralLeft = true;
        M->Zapich[poPocketRough].IgnoreDepthDiv = true;
    }
    ASSERT_TRUE(ToolLibToFile(InDir("ToolLib.ylf")));
    InitMaterial();
    InitToolLib();
    ASSERT_TRUE(FileToToolLib(InDir("ToolLib.ylf")));
    for (const TMaterial* M : {&Glob.Material[0], &Glob.ToolLib[1].Material[0]}) {
        EXPECT_EQ(M->Tech.Vf, 12.5L);
        EXPECT_EQ(M->Zapich[poContour].SpiralAngle, 3.25L);
        EXPECT_TRUE(M->Zapich[poContour].SpiralLeft);
        EXPECT_FALSE(M->Zapich[poPoint].SpiralLeft);
        EXPECT_TRUE(M->Zapich[poPocketRough].IgnoreDepthDiv);
    }
}

// Library records of a whole file, each with a tool block and no materials.
std::string Records(int N) {
    std::string t;
    for (int i = 0; i < N; ++i)
        t += "[LibRecord]=" + std::to_string(i) + "\n  [ToolDef]\n    MatCount=0\n  [EndToolDef]\n[EndLibRecord]\n";
    return t;
}

TEST_F(ToolLibTest, CountsResizeTheLists) {
    ASSERT_TRUE(Read("h\n[MatLib]=1\n[MatDef]=0\n[EndMatDef]\n[EndMatLib]\n[ToolLib]=3\n" + Records(2) +
                     "[LibRecord]=2\n  [ToolDef]\n    ToolName=X\n    MatCount=0\n  [EndToolDef]\n[EndToolLib]\n"));
    ASSERT_EQ(Glob.ToolLib.size(), 3u);
    EXPECT_EQ(Glob.ToolLib[0].Tool.JmNastroje, "Fréza válc. 2mm");
    EXPECT_EQ(Glob.ToolLib[2].Tool.JmNastroje, "X");
    ASSERT_TRUE(Read("h\n[EndMatLib]\n[ToolLib]=0\n[EndToolLib]\n"));
    EXPECT_TRUE(Glob.ToolLib.empty());
    ASSERT_TRUE(Read("h\n[ToolLib]=4\n[MatLib]=0\n[EndToolLib]\n"));  // no [EndMatLib]: all read as the list part
    EXPECT_TRUE(Glob.Material.empty());
    ASSERT_TRUE(Read("h\n[MatLib]=0\n[EndMatLib]\n[ToolLib]=2\n" + Records(2) + "[EndToolLib]\n"));
    EXPECT_TRUE(Glob.ToolLib[1].Material.empty());  // nothing to give without materials
    InitTool();
    EXPECT_TRUE(TCmdHarness::LogHas("Err:FAILED init Tools, no materials"));
}

TEST_F(ToolLibTest, NewRecordsGetTheFirstMaterial) {
    ASSERT_TRUE(Read("h\n[EndMatLib]\n[ToolLib]=7\n" + Records(7) + "[EndToolLib]\n"));
    ASSERT_EQ(Glob.ToolLib.size(), 7u);
    ASSERT_EQ(Glob.ToolLib[6].Material.size(), 1u);
    EXPECT_EQ(Glob.ToolLib[6].Material[0].Jmeno, "Výchozí materiál");
    Glob.DefMatToNewTool = false;
    ASSERT_TRUE(Read("h\n[EndMatLib]\n[ToolLib]=9\n" + Records(9) + "[EndToolLib]\n"));
    EXPECT_TRUE(Glob.ToolLib[8].Material.empty());
}

// Keys in any case, numbers as typed; a value that does not read ("Fz=x") keeps its
// field and makes the file damaged.
TEST_F(ToolLibTest, ValuesAndKeysAsTheReaderTakesThem) {
    EXPECT_FALSE(Read("h\r\n[MatDef]=0\r\n  [TECH]\r\n    ap= 0,5 \r\n    Vc=10 and more\r\n"
                      "    Rpm=12.9\r\n    Fz=x\r\n    AePct=true\r\n    ApPct=1\r\n    Method=7\r\n  [EndTech]\r\n"
                      "  [Outs]\r\n    AIRBLOWUSE=True\r\n    CoolantType=4\r\n    LaserTime=2,25\r\n  [EndOuts]\r\n"
                      "  [plungedef]=5\r\n    pmethod=2\r\n    PTanCen=yes\r\n  [EndPlungeDef]\r\n[EndMatLib]\r\n"
                      "[EndToolLib]\r\n"));
    EXPECT_EQ(Messages(), 1u);
    const TMaterial& M = Glob.Material[0];
    EXPECT_EQ(M.Tech.Ap, 0.5L);
    EXPECT_EQ(M.Tech.Vc, 10);
    EXPECT_EQ(M.Tech.N, 12);
    EXPECT_EQ(M.Tech.Fz, 0.01L);  // not a number: unchanged
    EXPECT_TRUE(M.Tech.AePercent);
    EXPECT_FALSE(M.Tech.ApPercent);
    EXPECT_EQ(M.Tech.Method, 0);  // no such milling direction: unchanged
    EXPECT_TRUE(M.Vystup.OfukUse);
    EXPECT_EQ(M.Vystup.CoolantType, Zadne);
    EXPECT_EQ(M.Vystup.LaserTime, 2.25L);
    EXPECT_EQ(M.Zapich[5].Method, 2);
    EXPECT_FALSE(M.Zapich[5].TangCenter);
}

TEST_F(ToolLibTest, DamagedFilesStopWithMessage88) {
    const char* damaged[] = {
        "h\n[EndMatLib]\n[ToolDef]\n",                              // before any record
        "h\n[EndMatLib]\n[LibRecord]=0\n[PlungeDef]=0\n",          // record material unset
        "h\n[PlungeDef]=0\n",                                      // list material unset
        "h\n[Tech]\n",                                             // list material unset
        "h\n[MatDef]=1\n[Tech]\n",                                 // beyond the list
        "h\n[MatDef]=0\n[PlungeDef]=6\n",                          // no such plunge object
        "h\n[MatLib]=-1\n",                                        // negative count
        "h\n[MatLib]=99999999\n",                                  // absurd count
        "h\n[EndMatLib]\n[LibRecord]=5\n[ToolDef]\n",               // beyond the library
        "h\n[EndMatLib]\n[LibRecord]=0\n[ToolDef]\nMatCount=-3\n",
        "h\n[EndMatLib]\n[LibRecord]=0\n[MatDef]=1\n",
    };
    for (const char* text : damaged) {
        InitMaterial();
        InitToolLib();
        R.Shown.clear();
        EXPECT_FALSE(Read(text)) << text;
        ASSERT_EQ(Messages(), 1u) << text;
        EXPECT_NE(R.Shown[0].find("Soubor databáze nástrojů je poškozen"), std::string::npos);
    }
    EXPECT_TRUE(TCmdHarness::LogHas("Err:FAILED, load tool library, damaged file (" + InDir("ToolLib.ylf") + ")"));
    // What was read before the fault stays; the default material is not handed out.
    EXPECT_FALSE(Read("h\n[EndMatLib]\n[ToolLib]=6\n[LibRecord]=0\n  [ToolDef]\n    ToolName=A\n"
                      "  [EndToolDef]\n[MatDef]=9\n"));
    EXPECT_EQ(Glob.ToolLib[0].Tool.JmNastroje, "A");
    EXPECT_TRUE(Glob.ToolLib[5].Material.empty());
}

// The program's own file is whole; cut, without its end line, with a value that does
// not read or with fewer records or materials than it counts, it is damaged: said with
// its name, kept as ".bak" byte for byte.
TEST_F(ToolLibTest, DamagedFilesAreToldFromWholeOnes) {
    Glob.ToolLib[1].Material.push_back(Glob.Material[0]);
    ASSERT_TRUE(ToolLibToFile(InDir("whole.ylf")));
    const std::string whole = ReadFile(InDir("whole.ylf"));
    ASSERT_TRUE(Read(whole));
    EXPECT_EQ(Messages(), 0u);
    auto without = [&](const std::string& Part) {
        std::string t = whole;
        const size_t at = t.find(Part);
        return at == std::string::npos ? std::string() : t.erase(at, Part.size());
    };
    auto replaced = [&](const std::string& Part, const std::string& By) {
        std::string t = whole;
        const size_t at = t.find(Part);
        return at == std::string::npos ? std::string() : t.replace(at, Part.size(), By);
    };
    const std::string lastRecord = whole.substr(whole.find("[LibRecord]=4"), whole.find("[EndToolLib]") - whole.find("[LibRecord]=4"));
    const std::string secondMaterial = whole.substr(whole.find("  [MatDef]=1"), whole.find("[EndLibRecord]", whole.find("  [MatDef]=1")) - whole.find("  [MatDef]=1"));
    const std::string cases[] = {
        whole.substr(0, whole.size() * 7 / 10),          // cut at 70 %
        without("[EndToolLib]\r\n"),                     // no end line
        replaced("    Vc=100.0", "    Vc=1OO"),            // a value that does not read
        replaced("    EdgeCount=2", "    EdgeCount=9e99"),  // an integer out of range
        without(lastRecord),                               // a record fewer than counted
        without(secondMaterial),                           // a material fewer than counted
    };
    for (const std::string& text : cases) {
        ASSERT_FALSE(text.empty());
        R.Shown.clear();
        InitMaterial();
        InitToolLib();
        EXPECT_FALSE(Read(text)) << text.size();
        ASSERT_EQ(Messages(), 1u);
        EXPECT_NE(R.Shown[0].find(InDir("ToolLib.ylf") + ".bak"), std::string::npos);
        EXPECT_EQ(ReadFile(InDir("ToolLib.ylf.bak")), text);
    }
}

TEST_F(ToolLibTest, SelectionText) {
    EXPECT_EQ(LibSelectionText(true, 2, 2, 0, -1), "Tool-Mat Par:Tech TID:2 MID:0 PID:-1");
    EXPECT_EQ(LibSelectionText(false, -1, -1, -1, -1), "Mat-Tool TID:-1 MID:-1 PID:-1");
    EXPECT_EQ(LibSelectionText(false, 4, 1, 2, 3), "Mat-Tool Par:Outs TID:1 MID:2 PID:3");
    EXPECT_EQ(LibSelectionText(true, 7, 1, 2, 3), "Tool-Mat TID:1 MID:2 PID:3");
}

TEST_F(ToolLibTest, ProgramStartsAndClosesWithTheToolFiles) {
    {
        TCmdHarness H(Dir(), TCmdHarness::TStartUp::Program);
        EXPECT_EQ(Glob.ToolLib.size(), 5u);
        EXPECT_EQ(Glob.Tool[64].Material.Jmeno, "Výchozí materiál");
        EXPECT_EQ(Glob.MillToolType.size(), 9u);
        Extended d = 0;
        EXPECT_TRUE(ToolDistLa(1, d, -1, false));
        EXPECT_TRUE(TCmdHarness::LogHas("Err:FAILED, load tool types, file not found (" + InDir("TTypeDef.ytf") + ")"));
        ASSERT_TRUE(SaveToolFilesHook);
        Glob.ToolLib.resize(2);
        SaveToolFilesHook();
    }
    EXPECT_NE(ReadFile(InDir("ToolLib.ylf")).find("[ToolLib]=2\r\n"), std::string::npos);
    EXPECT_NE(ReadFile(InDir("TTypeDef.ytf")).find("MillTypesCount=8\r\n"), std::string::npos);
    TCmdHarness H(Dir(), TCmdHarness::TStartUp::Program);
    EXPECT_EQ(Glob.ToolLib.size(), 2u);
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:Load tool types (" + InDir("TTypeDef.ytf") + ")"));
}

}  // namespace

namespace {

// A library file damaged at start is shown with its text (read before the texts are
// loaded) and not replaced at close by what little was read of it; when the user changed
// the library, the damaged file is kept beside the new one.
TEST_F(ToolLibTest, DamagedFileIsKeptAtClose) {
    const std::string damaged = "h\n[EndMatLib]\n[ToolLib]=6\n[LibRecord]=0\n  [ToolDef]\n    ToolName=A\n"
                                "  [EndToolDef]\n[MatDef]=9\n[LibRecord]=1\n  [ToolDef]\n    ToolName=B\n";
    const std::string lib = WriteFile("ToolLib.ylf", damaged);
    Msg[88].clear();  // the message table before the texts are loaded
    CreateToolMatLibDialog();
    ASSERT_EQ(Messages(), 1u);
    EXPECT_NE(R.Shown[0].find("Soubor databáze nástrojů je poškozen"), std::string::npos);
    // So is a damaged tool-type file, which nothing in the program changes.
    const std::string types = WriteFile("TTypeDef.ytf", "h\nMillTypesCount=3\n[MillTypesDef]\n");
    LoadToolTypesHook();
    ASSERT_EQ(Messages(), 2u);
    SaveToolFilesHook();
    EXPECT_EQ(ReadFile(lib), damaged);
    EXPECT_EQ(ReadFile(types), "h\nMillTypesCount=3\n[MillTypesDef]\n");
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Tool types not saved, the damaged file is kept (" + types + ")"));
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Tool library not saved, the damaged file is kept (" + lib + ")"));
    Glob.ToolLib[0].Tool.JmNastroje = "Changed";
    SaveToolFilesHook();
    EXPECT_EQ(ReadFile(lib + ".bak"), damaged);
    EXPECT_NE(ReadFile(lib).find("ToolName=Changed\r\n"), std::string::npos);
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:Damaged file kept as " + lib + ".bak"));
    EXPECT_EQ(Messages(), 2u);
}

}  // namespace

namespace {

// The built-in library tools are told apart by their numbers.
TEST_F(ToolLibTest, BuiltInToolsAreNumberedInOrder) {
    InitMaterial();
    InitToolLib();
    ASSERT_EQ(Glob.ToolLib.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Glob.ToolLib[size_t(i)].Tool.TID, i);
        ASSERT_FALSE(Glob.ToolLib[size_t(i)].Material.empty());
        EXPECT_EQ(Glob.ToolLib[size_t(i)].Material[0].TID, i);
    }
}

}  // namespace
