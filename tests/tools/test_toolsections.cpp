// The job file's tool sections (TOOLS, TECH, PLUNGES, OUTS) and the machining-set file:
// every layer tool field survives saving and opening, and the readers' rules on odd lines.
#include <gtest/gtest.h>

#include <functional>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "formats/UniYDF.h"
#include "platform/ScriptResponder.h"
#include "shell/SetCfg.h"
#include "support/Fixture.h"
#include "tools/MillsetFile.h"
#include "tools/ToolDialog.h"
#include "tools/ToolDg.h"
#include "tools/ToolLibFile.h"
#include "tools/ToolTechFile.h"
#include "tools/UniTType.h"

namespace {

class ToolSectionsTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        SetCfgDecimalSeparator('.');
        InitMaterial();
        InitTool();
    }

    // Layer 3 as a user would set a small ball mill, layer 64 with other choices, and
    // the common parameters; empty rows as the reader leaves them.
    static void SetSomeTools() {
        for (int n = 1; n <= ToolLayerCount; ++n) {
            // The start-up diameters are computed (0.2 * n); a user types them.
            StrToExtCalc(ExtToStr(Glob.Tool[n].SpodniPrumer), Glob.Tool[n].SpodniPrumer, false);
            for (int i = 1; i <= MaxPruchod; ++i)
                if (Glob.Tool[n].Pruchod[i].Hloubka <= -CoordTol)
                    Glob.Tool[n].Pruchod[i] = TPruchod{-1, -1, NoFeedValue, NoSpeedValue};
        }
        TTool& T = Glob.Tool[3];
        T.JmNastroje = "Kulová fréza 3mm";
        T.MatNastroje = "HSS";
        T.Poznamka = "první řádek\r\ndruhý \\ řádek";
        T.ToolType = 3;
        T.Tnum = 7;
        T.Dnum = 2;
        T.PocetBritu = 4;
        T.SpodniPrumer = 3;
        T.Radius = 1.5L;
        T.UhelSpicky = 0;
        T.HorniPrumer = 3;
        T.DelkaBritu = 12.25L;
        T.VretTime = 1.5L;
        T.LaserTime = 0.25L;
        T.LaserTime2 = 0.75L;
        T.ChlazTime = 3;
        T.OfukTime = 0.5L;
        T.OfukCount = 3;
        T.Chlaz = Mlha;
        T.ChlazPrejezd = T.UseLaser = T.UseOfuk = T.BezVyjezdu = true;
        T.VyjezdZapichem = Revers;
        T.Obrob = CelyObjekt;
        T.HloubkaRychloposuvem = 0.5L;
        T.AngleA = 90;
        for (int i = 1; i <= 4; ++i) T.Pruchod[i] = TPruchod{0.5L * i, i == 1 ? -1 : 2.5L, 8, 12000};
        TToolTech& Te = T.Material.Tech;
        Te = TToolTech{1200, 24000, 1500, 150.5L, 77.5L, 0.02L, 0.04L, 40, 0.5L, 2, Te.Edge, false, true};
        TToolPlunge& P = T.Material.Zapich[poSurface];
        P.Method = 2;
        P.RampAngle = 7.5L;
        P.RampLength = 4;
        P.RampPercent = P.SpiralLeft = P.TangRadPercent = P.IgnoreDepthDiv = true;
        T.Material.Zapich[poPoint].SpiralDownStep = true;
        T.Material.Vystup = TToolOutputs{true, 2, Proud, 1.5L, true, true, 2, 0.25L};
        Glob.Tool[64].VyjezdZapichem = CyklG63;
        Glob.Tool[64].Obrob = CelyPruchod;
        TSpolParObr& S = Glob.SpolParObr;
        S.VelUnit = MmPerMin;
        S.Rychloposuv = 80;
        S.PrejezdNadMat = 2.5L;
        S.PrejezdNadUpin = 15;
        S.DepthToPlunge = 0.25L;
        S.PocatekXY = "Levý dolní roh";
        S.RozmerPolot = "100x50x10";
        S.MatPolot = "Dural";
        S.Poznamka = "Zakázka 12, druhá strana";
    }

    static void ExpectToolsEqual(const TToolArr& Want) {
        for (int n = 1; n <= ToolLayerCount; ++n) EXPECT_TRUE(Glob.Tool[n] == Want[n]) << "layer " << n;
    }

    bool LoadJob(const std::string& File) {
        Osy Min, Max;
        return LoadYdfFile(File, true, false, Max, Min, true, true, true, true);
    }
};

TEST_F(ToolSectionsTest, JobFileKeepsEveryLayerToolInBothForms) {
    for (bool pack : {true, false}) {
        SCOPED_TRACE(pack ? "compact" : "keyed");
        InitTool();
        SetSomeTools();
        if (!pack) {
            // The keyed form carries neither the numbers, the type, the edge count nor the A axis.
            for (int n = 1; n <= ToolLayerCount; ++n) {
                TTool& T = Glob.Tool[n];
                T.Tnum = T.Dnum = T.ToolType = 0;
                T.PocetBritu = 1;
                T.AngleA = 0;
            }
        }
        const TToolArr want = Glob.Tool;
        const TSpolParObr wantPar = Glob.SpolParObr;
        const std::string file = InDir("job.ydf");
        ASSERT_TRUE(SaveYdfFile(file, true, pack));
        InitTool();
        Glob.SpolParObr = TSpolParObr{};
        ASSERT_TRUE(LoadJob(file));
        ExpectToolsEqual(want);
        const TSpolParObr& S = Glob.SpolParObr;
        EXPECT_EQ(S.VelUnit, wantPar.VelUnit);
        EXPECT_EQ(S.Rychloposuv, wantPar.Rychloposuv);
        EXPECT_EQ(S.PrejezdNadMat, wantPar.PrejezdNadMat);
        EXPECT_EQ(S.PrejezdNadUpin, wantPar.PrejezdNadUpin);
        EXPECT_EQ(S.DepthToPlunge, wantPar.DepthToPlunge);
        EXPECT_EQ(S.PocatekXY, wantPar.PocatekXY);
        EXPECT_EQ(S.RozmerPolot, wantPar.RozmerPolot);
        EXPECT_EQ(S.MatPolot, wantPar.MatPolot);
        EXPECT_EQ(S.Poznamka, wantPar.Poznamka);
        // Written again, the sections are the same bytes.
        const std::string again = InDir("again.ydf");
        ASSERT_TRUE(SaveYdfFile(again, true, pack));
        std::vector<std::string> a = SplitTextLines(ReadFile(file)), b = SplitTextLines(ReadFile(again));
        ASSERT_GT(a.size(), 3u);
        a.erase(a.begin() + 1, a.begin() + 3);
        b.erase(b.begin() + 1, b.begin() + 3);
        EXPECT_EQ(a, b);
    }
}

TEST_F(ToolSectionsTest, SectionLinesAsWritten) {
    SetSomeTools();
    const std::vector<std::string> packed = MillsetLines(true, false);
    const auto has = [](const std::vector<std::string>& L, const std::string& S) {
        return std::find(L.begin(), L.end(), S) != L.end();
    };
    EXPECT_EQ(packed[0], "TOOLS");
    EXPECT_EQ(packed[1], "  PACKED");
    EXPECT_EQ(packed[2], "  VelUnit=mm/min");
    EXPECT_EQ(packed[3], "  Rychloposuv=80");
    EXPECT_EQ(packed[5], "  VyskaZapichRez=0.25");
    EXPECT_TRUE(has(packed, "    T3Pruchod2=1.0,2.5,8.0,12000.0"));
    EXPECT_TRUE(has(packed, "    T3Angle=90.0"));
    EXPECT_EQ(packed.back(), "ENDTOOLS");
    const std::vector<std::string> keyed = MillsetLines(false, false);
    EXPECT_TRUE(has(keyed, "  T3VyjezdZapichem=2"));
    EXPECT_TRUE(has(keyed, "  T3UzavreneBezVyjezdu=TRUE"));
    EXPECT_TRUE(has(keyed, "  T3Pruchod4Otacky=12000.0"));
    EXPECT_TRUE(has(ToolFile::ToolTechLines(false, -1, -1), "  T3=1500,24000,2,1200,150.5,0.02,0.04,40.0,0.5,1,0,77.5"));
    EXPECT_TRUE(has(ToolFile::ToolOutsLines(false, -1, -1), "  T3=1,2.0,3,1.5,1,1,2,0.25"));
    const std::vector<std::string> pl = ToolFile::ToolPlungesLines(false, -1, -1);
    // Six plunge objects per layer, the surfacing one included.
    EXPECT_EQ(pl.size(), 3u + 6u * ToolLayerCount);
    EXPECT_TRUE(has(pl, "  T3=5,2,1.0,20.0,1,7.5,4.0,1,1.0,0.0,30.0,1,0,1,45.0,100.0,0,0,0,1,true"));
}

// Odd lines of a TOOLS section, each read onto the start-up tools.
TEST_F(ToolSectionsTest, MillsetReadingRules) {
    struct Case {
        const char* Name;
        std::vector<std::string> Lines;
        std::function<void(const TTool& T1)> Check;
    };
    const TTool base = Glob.Tool[1];
    const std::vector<Case> cases = {
        {"20-field line keeps fields 21..26",
         {"TOOLS", "  PACKED", "  T1=A,B,2,0,0,2,5,N,1,0,0,0,1,2,1,0,3,0,1,0.75"},
         [&](const TTool& T) {
             EXPECT_EQ(T.HloubkaRychloposuvem, 0.75L);
             EXPECT_EQ(T.Chlaz, Mlha);
             EXPECT_EQ(T.VyjezdZapichem, CyklG63);
             EXPECT_EQ(T.PocetBritu, base.PocetBritu);
             EXPECT_EQ(T.Tnum, base.Tnum);
         }},
        {"line cut after field 9 sets fields 1..8",
         {"TOOLS", "  PACKED", "  T1=A,B,2,0,0,2,5,N,1"},
         [&](const TTool& T) {
             EXPECT_EQ(T.Poznamka, "N");
             EXPECT_EQ(T.DelkaBritu, 5);
             EXPECT_EQ(T.VretTime, base.VretTime);
         }},
        {"half rounds to even",
         {"TOOLS", "  PACKED", "  T1=A,B,2,0,0,2,5,N,1,0,0,0,1,0,0,0,0,1,0,0,0,0,2.5,3.5,1,2"},
         [](const TTool& T) {
             EXPECT_EQ(T.Tnum, 2);
             EXPECT_EQ(T.Dnum, 4);
         }},
        {"lower-case t is no tool line", {"TOOLS", "  t1JmNastroje=X"},
         [&](const TTool& T) { EXPECT_EQ(T.JmNastroje, base.JmNastroje); }},
        {"keyed TRUE exit", {"TOOLS", "  T1VyjezdZapichem=TRUE"},
         [](const TTool& T) { EXPECT_EQ(T.VyjezdZapichem, Zapich); }},
        {"keyed 2 exit and keyed pass", {"TOOLS", "  T1VyjezdZapichem=2", "  T1Pruchod2Hloubka=1,5"},
         [](const TTool& T) {
             EXPECT_EQ(T.VyjezdZapichem, Revers);
             EXPECT_EQ(T.Pruchod[2].Hloubka, 1.5L);
             EXPECT_EQ(T.Pruchod[1].Hloubka, -1);  // rows not in the file are emptied
             EXPECT_EQ(T.Pruchod[2].Otacky, NoSpeedValue);
         }},
        {"section only from the TOOLS line on", {"  T1JmNastroje=Before", "TOOLS", "ENDTOOLS", "  T1JmNastroje=After"},
         [&](const TTool& T) { EXPECT_EQ(T.JmNastroje, base.JmNastroje); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        InitTool();
        bool found = false;
        LinesToMillset(c.Lines, false, found);
        EXPECT_TRUE(found);
        c.Check(Glob.Tool[1]);
    }
}

TEST_F(ToolSectionsTest, CompactNameCommaBecomesFullStop) {
    Glob.Tool[1].JmNastroje = "Fréza 2,5mm";
    for (bool pack : {true, false}) {
        const std::vector<std::string> lines = MillsetLines(pack, false);
        InitTool();
        bool found = false;
        LinesToMillset(lines, false, found);
        EXPECT_EQ(Glob.Tool[1].JmNastroje, pack ? "Fréza 2.5mm" : "Fréza 2,5mm");
        Glob.Tool[1].JmNastroje = "Fréza 2,5mm";
    }
}

TEST_F(ToolSectionsTest, VelUnitOnlyFromExactMmPerMin) {
    for (const auto& [line, unit] : std::vector<std::pair<std::string, TVelUnit>>{
             {"  VelUnit=mm/min", MmPerMin}, {"  VelUnit=MM/MIN", MmPerSec}, {"  X=1", MmPerSec}}) {
        Glob.SpolParObr.VelUnit = MmPerMin;
        bool found = false;
        LinesToMillset({"TOOLS", line, "ENDTOOLS"}, false, found);
        EXPECT_EQ(Glob.SpolParObr.VelUnit, unit) << line;
    }
}

TEST_F(ToolSectionsTest, FileWithoutToolsSectionKeepsTheTools) {
    SetSomeTools();
    const TToolArr want = Glob.Tool;
    const std::string file = WriteFile("old.ydf", "Ver=2.5 beta 6\r\nOBJECTS\r\nENDOBJECTS\r\nEOF\r\n");
    EXPECT_FALSE(LoadMillset(file, false));
    EXPECT_EQ(LogLastText(), "Sys:Load Millset End");
    EXPECT_FALSE(LoadMillset(InDir("missing.set"), false));
    ASSERT_TRUE(LoadJob(file));
    ExpectToolsEqual(want);
}

TEST_F(ToolSectionsTest, LayerLinesOfTechPlungesOuts) {
    const TTool base = Glob.Tool[1];
    const std::string file = WriteFile(
        "s.ydf",
        "TECH\r\n  T1=1,2,1,4,5,6,7,8\r\n  T2=1,2,1,4,5,6,7,8,9,1,0\r\n  T3=1,2,1,4,5,6,7,8,9,0,1,33.5\r\nENDTECH\r\n"
        "PLUNGES\r\nobj,typ\r\n  T1=7,3,9,9,9,9,9,9,9,9,9,9,9,9,9,9,9,9,9,9,true\r\n"
        "  T1=1,3,2,3,0,5,6,1,8,9,10,1,1,1,14,15,1,1,1,1\r\nENDPLUNGES\r\n"
        "OUTS\r\n  T1=1,1.5,2,0.5,1,1,3,2.5\r\n  T2=1,2,9\r\nENDOUTS\r\n");
    EXPECT_TRUE(ToolFile::LoadToolTechSection(file, false));
    EXPECT_TRUE(ToolFile::LoadToolPlungesSection(file, false));
    EXPECT_TRUE(ToolFile::LoadToolOutsSection(file, false));
    const TToolTech& t1 = Glob.Tool[1].Material.Tech;
    EXPECT_EQ(t1.Fz, 6);
    EXPECT_EQ(t1.Fn, 7);
    EXPECT_EQ(t1.Ae, base.Material.Tech.Ae);  // the last field of a cut line is not taken
    EXPECT_EQ(Glob.Tool[2].Material.Tech.Ap, 9);
    EXPECT_TRUE(Glob.Tool[2].Material.Tech.AePercent);
    EXPECT_FALSE(Glob.Tool[2].Material.Tech.ApPercent);
    EXPECT_EQ(Glob.Tool[2].Material.Tech.Vf, base.Material.Tech.Vf);  // a line without the feed keeps it
    EXPECT_TRUE(Glob.Tool[3].Material.Tech.ApPercent);
    EXPECT_EQ(Glob.Tool[3].Material.Tech.Vf, 33.5L);
    // Object 7 is no plunge object; a line of 20 fields ends with TangRadPercent.
    const TPlungeObjects& z = Glob.Tool[1].Material.Zapich;
    for (size_t k = 0; k < z.size(); ++k)
        if (k != 1) EXPECT_TRUE(z[k] == base.Material.Zapich[k]) << k;
    EXPECT_EQ(z[1].Method, 3);
    EXPECT_EQ(z[1].TangRad, 15);
    EXPECT_TRUE(z[1].TangRadPercent);
    EXPECT_FALSE(z[1].IgnoreDepthDiv);
    const TToolOutputs& o = Glob.Tool[1].Material.Vystup;
    EXPECT_EQ(o.LaserTime, 1.5L);
    EXPECT_EQ(o.CoolantType, Mlha);
    EXPECT_EQ(o.OfukCount, 3);
    EXPECT_EQ(o.OfukTime, 2.5L);
    EXPECT_EQ(Glob.Tool[2].Material.Vystup.CoolantType, Zadne);  // 9 is no coolant
}

TEST_F(ToolSectionsTest, MachiningSetFileRoundTrip) {
    SetSomeTools();
    ToolTmp = Glob.Tool;
    const std::string file = InDir("a.set");
    ASSERT_TRUE(SaveMillset(file, true, true));
    EXPECT_EQ(SplitTextLines(ReadFile(file)).front(), "TOOLS");
    const TToolArr want = Glob.Tool;
    InitTool();
    ASSERT_TRUE(LoadMillset(file, false));
    for (int n = 1; n <= ToolLayerCount; ++n) {
        // A set carries no cutting data of the material.
        TTool w = want[n];
        w.Material = Glob.Tool[n].Material;
        EXPECT_TRUE(Glob.Tool[n] == w) << n;
    }
}

// A layer tool taken from the library carries its number; a job's TOOLS section does
// not say where its tools came from, so the number is dropped on reading.
TEST_F(ToolSectionsTest, LibraryNumberIsDroppedOnReading) {
    InitToolLib();
    ASSERT_TRUE(ToolLibToTool(2, Glob.Tool[4]));
    ASSERT_EQ(Glob.Tool[4].TID, 2);
    bool found = false;
    LinesToMillset(MillsetLines(true, false), false, found);
    EXPECT_TRUE(found);
    EXPECT_EQ(Glob.Tool[4].TID, -1);
}

}  // namespace

namespace {

// A tool type number that names no type is refused where it is read, naming the file
// and line once; the layer keeps its type and the good lines count.
TEST_F(ToolSectionsTest, UnknownToolTypeIsRefusedWithFileAndLine) {
    InitToolType();
    TScriptResponder R;
    Glob.Tool[3].ToolType = 3;
    const std::vector<std::string> Lines = MillsetLines(true, false);
    std::string Text;
    int Line = 0, First = 0;
    for (const std::string& L : Lines) {
        ++Line;
        std::string Out = L;
        // The type is the last field but one of a packed tool line.
        const char* Bad = L.rfind("  T1=", 0) == 0 ? "9" : L.rfind("  T2=", 0) == 0 ? "-1" : nullptr;
        if (Bad) {
            const size_t Last = L.rfind(','), Type = L.rfind(',', Last - 1);
            Out = L.substr(0, Type + 1) + Bad + L.substr(Last);
            if (!First) First = Line;
        }
        Text += Out + "\r\n";
    }
    InitTool();
    const int32_t Was = Glob.Tool[1].ToolType;
    const std::string File = WriteFile("bad.set", Text);
    R.ExpectMessage(mrOk, "Neznámý typ nástroje 9, nenačten (soubor " + File + ", řádek " + std::to_string(First) + ")");
    EXPECT_TRUE(LoadMillset(File, false));
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(Glob.Tool[1].ToolType, Was);
    EXPECT_EQ(Glob.Tool[2].ToolType, Was);
    EXPECT_EQ(Glob.Tool[3].ToolType, 3);
}

}  // namespace
