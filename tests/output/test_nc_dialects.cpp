// The Isel NCP, Datron MCR and GravoGraph HPGL programs: their fixed blocks as
// golden text, their number forms, spindle and pass words, the clamp rapids, and the
// runs that end without touching the target.
#include <gtest/gtest.h>

#include <functional>

#include "NcJob.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "output/UniGravoGraph.h"
#include "output/UniMcr.h"
#include "output/UniNcp.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"
#include "support/CmdHarness.h"

namespace {

using TSaveFn = bool (*)(const std::string&, bool);
using TLines = std::vector<std::string>;

constexpr Extended HalfPi = 1.57079632679489661923L;

class NcDialectTest : public NcJobTest {
protected:
    void SetUp() override {
        NcJobTest::SetUp();
        SetTool(1, {1.5L});
        Glob.Tool[1].JmNastroje = "N3 fréza";
    }
    static TObjHeader*& DS() { return MainVars.DataStart; }
    static TObjHeader*& DE() { return MainVars.DataEnd; }
    // The program's lines ("" file: no lines), each of which must end with CR LF.
    TLines Write(TSaveFn Save, bool All = true) {
        const std::string path = InDir("job.out");
        if (!Save(path, All)) return {};
        const std::string text = ReadFile(path);
        TLines v;
        size_t a = 0;
        for (size_t b; (b = text.find("\r\n", a)) != std::string::npos; a = b + 2) v.push_back(text.substr(a, b - a));
        EXPECT_EQ(a, text.size()) << "text after the last line end";
        return v;
    }
    static TLines From(const TLines& L, size_t First) { return TLines(L.begin() + long(std::min(First, L.size())), L.end()); }
    static size_t Count(const TLines& L, const std::string& S) { return size_t(std::count(L.begin(), L.end(), S)); }
    // A point at the origin and a quarter circle (10, 0) -> (0, 10) round the origin.
    static void PointAndQuarter(Osy Point) {
        EnPoint.Add(Point, 1, DS(), DE());
        EnPline.ArcAdd(Osy{10, 0}, Osy{0, 10}, HalfPi, 1, DS(), DE());
    }
};

TEST_F(NcDialectTest, IselProgramOfAPointAndAnArc) {
    TTool& T = Glob.Tool[1];
    T.JmNastroje = "T1 fréza";
    T.Chlaz = Proud;
    T.ChlazTime = 1.5L;
    Glob.JmSouboru = "deska";
    PointAndQuarter(Osy{12.5L, -0.0625L});
    const TLines l = Write(SaveNcp);
    ASSERT_GT(l.size(), 3u);
    EXPECT_EQ(l[0], "; Vytvoreno programem Kestrilon 2.5 beta 6");
    EXPECT_EQ(l[1].rfind("; Datum ", 0), 0u);
    EXPECT_EQ(l[2].rfind("; Cas ", 0), 0u);
    EXPECT_EQ(From(l, 3), (TLines{"; Zdrojovy soubor deska",
                                  ";Pouzite nastroje",
                                  "FASTVEL 50000",
                                  "PLANE XY",
                                  "GETTOOL 1 ;T1 fr\xe9za",
                                  "SPINDLE CW RPM12000",
                                  "COOLANT ON",
                                  "WAIT1500",
                                  "FASTABS X12500 Y-62",
                                  "FASTABS Z500",
                                  "VEL 2000",
                                  "MOVEABS Z-1500",
                                  "FASTABS Z5000",
                                  "FASTABS X10000 Y0",
                                  "FASTABS Z500",
                                  "VEL 2000 ;zapich.rychl.",
                                  "MOVEABS Z-1500",
                                  "VEL 10000 ;posuv.rychl",
                                  "CCWABS I0 J0 X0 Y10000",
                                  "FASTABS Z5000 ;na prejezd.hladinu",
                                  "COOLANT OFF",
                                  "SPINDLE OFF",
                                  "PROGEND"}));
}

TEST_F(NcDialectTest, DatronProgramOfAPointAndAnArc) {
    Glob.Tool[1].Poznamka = "  jemne\r\nhrubovani  ";
    PointAndQuarter(Osy{0, 0});
    const TLines l = Write(SaveMcr);
    ASSERT_GT(l.size(), 3u);
    EXPECT_EQ(l[0], "! Vytvoreno programem Kestrilon 2.5 beta 6  !");
    EXPECT_EQ(l[1].rfind("! Datum: ", 0), 0u);
    EXPECT_NE(l[1].find("  Cas: "), std::string::npos);
    // A note of several lines stays one comment.
    EXPECT_EQ(From(l, 3), (TLines{"_Sprache 1;",
                                  "! ======================================== !",
                                  "! Vymena nastroje, Pozn: jemne  hrubovani !",
                                  "Tool 3, 0, 0, 0; ! N3 fr\xe9za !",
                                  "Rpm 3, 12, 0, 0;",
                                  "Axyz 1, 0, 0, 5, 0, 0;",
                                  "Axyz 1, 0, 0, 0.5, 0, 0;",
                                  "Feed 0.12, 0.12, 0.12, 0.12; ! zapich !",
                                  "Axyz 0, 0, 0, -1.5, 0, 0;",
                                  "Axyz 1, 0, 0, 5, 0, 0;",
                                  "Axyz 1, 10, 0, 5, 0, 0;",
                                  "Axyz 1, 10, 0, 0.5, 0, 0;",
                                  "Feed 0.12, 0.12, 0.12, 0.12; ! zapich !",
                                  "Axyz 0, 10, 0, -1.5, 0, 0;",
                                  "Feed 0.6, 0.6, 0.6, 0.6; ! posuv !",
                                  "Circle 20, 0, 0,  0, 0, 90, 0, 0, 2, 1, 0;",
                                  "Axyz 1, 0, 10, 5, 0, 0;",
                                  "Rpm 3, 0, 0, 0;",
                                  "! That's all folks !"}));
}

TEST_F(NcDialectTest, GravoGraphProgramOfAPointAndAnArc) {
    TTool& T = Glob.Tool[1];
    T.Pruchod[1] = TPruchod{0.3L, 5, 20, 15000};
    T.JmNastroje = "V 30°; hrot";
    Glob.SpolParObr.PrejezdNadMat = 2;
    PointAndQuarter(Osy{1.5L, 2});
    // A ";" in the tool name would end the label and start commands.
    EXPECT_EQ(Write(SaveExp), (TLines{"IN; PA; PU;", "!MC 0;", "DR 0;", "!LB T1=V 30\xb0  hrot;", "!MC 1;",
                                      "VS 20; !VZ 5; !PZ 30,200;", "PA60,80;", "PD;", "PU;", "PA400,0;", "PD;",
                                      "AA0,0,90.0", "PU;", "!MC 0;", "!OP;", "!JF;"}));
}

TEST_F(NcDialectTest, EmptyJobsWriteTheirFrameOnly) {
    for (TLayer& La : Glob.TabLayer) La.Show = false;
    EnPoint.Add(Osy{1, 1}, 1, DS(), DE());
    EXPECT_EQ(From(Write(SaveNcp), 4), (TLines{";Pouzite nastroje", "FASTVEL 50000", "PLANE XY", "PROGEND"}));
    EXPECT_EQ(From(Write(SaveMcr), 3), (TLines{"_Sprache 1;", "! That's all folks !"}));
    EXPECT_EQ(Write(SaveExp), (TLines{"IN; PA; PU;", "!MC 0;", "DR 0;", "!OP;", "!JF;"}));
}

TEST_F(NcDialectTest, NumberForms) {
    const struct {
        Extended V;
        const char *Mcr, *Ncp;
    } Cases[] = {
        {10, "10", "10000"},          {2.5L, "2.5", "2500"},      {0.0625L, "0.062", "62"},
        {0.1875L, "0.188", "188"},    {0.1234L, "0.123", "123"},  {-0.25L, "-0.25", "-250"},
        {-3.0004L, "-3", "-3000"},    {0, "0", "0"},              {-0.0001L, "0", "0"},
        {12345.6789L, "12345.679", "12345679"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(double(C.V));
        EXPECT_EQ(FormatMcrNumber(C.V), C.Mcr);
        EXPECT_EQ(NcpNumber(C.V), C.Ncp);
    }
    const std::pair<const char*, int> Tools[] = {{"N12 fréza", 12}, {"N7", 7}, {"T5", 0}, {"", 0},
                                                 {"N", 0},          {"N255", 255}, {"N256", 0}, {"n4", 0}};
    for (const auto& [Name, N] : Tools) EXPECT_EQ(McrToolNumber(Name), N) << Name;
}

// Isel: the spindle and coolant lines open every pass; a pass without speed stops
// the spindle, and a layer whose spindle runs ends with coolant and spindle off.
TEST_F(NcDialectTest, IselPassOpeningsAndLayerBlocks) {
    SetTool(1, {0.5L, 1.0L}, CelyObjekt);
    Glob.Tool[2] = Glob.Tool[1];
    Glob.Tool[2].Pruchod[2].Otacky = 0;
    for (Osy P : {Osy{1, 1}, Osy{2, 2}, Osy{3, 3}}) EnPoint.Add(P, 1, DS(), DE());
    EnPoint.Add(Osy{4, 4}, 2, DS(), DE());
    const TLines l = Write(SaveNcp);
    // Three objects and two passes on layer 1, one object on layer 2.
    EXPECT_EQ(Count(l, "SPINDLE CW RPM12000"), 7u);
    EXPECT_EQ(Count(l, "GETTOOL 1 ;N3 fr\xe9za"), 1u);
    EXPECT_EQ(Count(l, "GETTOOL 2 ;N3 fr\xe9za"), 1u);
    EXPECT_EQ(Count(l, "COOLANT OFF"), 1u);
    EXPECT_EQ(Count(l, "COOLANT ON"), 0u);
    // Layer 2's second pass runs without the spindle: no switching off at its end.
    EXPECT_EQ(From(l, l.size() - 7), (TLines{"SPINDLE OFF", "FASTABS X4000 Y4000", "FASTABS Z0", "VEL 2000",
                                             "MOVEABS Z-1000", "FASTABS Z5000", "PROGEND"}));
}

// Datron: the speed is written when it changes and switched off at every layer end.
TEST_F(NcDialectTest, DatronSpeedLines) {
    SetTool(1, {0.5L, 1.0L});
    Glob.Tool[2] = Glob.Tool[1];
    Glob.Tool[3] = Glob.Tool[1];
    for (int p : {1, 2}) Glob.Tool[3].Pruchod[p].Otacky = 0;
    for (int La : {1, 2, 3}) EnPoint.Add(Osy{Extended(La), 0}, uint8_t(La), DS(), DE());
    const TLines l = Write(SaveMcr);
    TLines speeds;
    for (const std::string& s : l)
        if (s.rfind("Rpm", 0) == 0 || s.rfind("Tool", 0) == 0) speeds.push_back(s.substr(0, 16));
    EXPECT_EQ(speeds, (TLines{"Tool 3, 0, 0, 0;", "Rpm 3, 12, 0, 0;", "Rpm 3, 0, 0, 0;", "Tool 3, 0, 0, 0;",
                              "Rpm 3, 12, 0, 0;", "Rpm 3, 0, 0, 0;", "Tool 3, 0, 0, 0;"}));
}

// GravoGraph: motor and speed words per pass, limited speeds, whole-object order
// writes each object once per pass.
TEST_F(NcDialectTest, GravoGraphPassWords) {
    TTool& T = SetTool(1, {0.2L, 0.4L, 0.6L}, CelyObjekt);
    T.Pruchod[1].Posuv = 50;
    T.Pruchod[2].Posuv = 0;
    T.Pruchod[3].Otacky = 0;
    EnPline.LineAdd(Osy{0, 0}, Osy{1, 0}, 1, DS(), DE());
    const TLines l = Write(SaveExp);
    EXPECT_EQ(From(l, 3), (TLines{"!LB T1=N3 fr\xe9za;", "!MC 1;", "VS 35; !VZ 2; !PZ 20,500;", "PA0,0;", "PD;",
                                  "PA40,0;", "PU;", "!MC 1;", "VS 1; !VZ 2; !PZ 40,500;", "PA0,0;", "PD;", "PA40,0;",
                                  "PU;", "!MC 0;", "VS 10; !VZ 2; !PZ 60,500;", "PA0,0;", "PD;", "PA40,0;", "PU;",
                                  "!MC 0;", "!OP;", "!JF;"}));
    // A layer without passes writes its label and motor word only, and no error.
    SetTool(1, {}, CelyObjekt);
    ResetLog();
    EXPECT_EQ(From(Write(SaveExp), 3), (TLines{"!LB T1=N3 fr\xe9za;", "!MC 0;", "!OP;", "!JF;"}));
    EXPECT_FALSE(TCmdHarness::LogHas("Err:"));
}

// A rapid across a clamp outline rises first; objects under a clamp are left out.
TEST_F(NcDialectTest, RapidsOverClamps) {
    EnPline.RectangleAdd(Osy{4, -5}, Osy{6, 5}, LayerUpin, DS(), DE());
    EnPoint.Add(Osy{10, 0}, 1, DS(), DE());
    EnPoint.Add(Osy{5, 0}, 1, DS(), DE());  // under the clamp
    TScriptResponder R;
    R.ExpectMessage(mrOk, Msg[37]);
    const TLines n = Write(SaveNcp);
    ASSERT_EQ(Count(n, "FASTABS X10000 Y0"), 1u);
    EXPECT_EQ(*(std::find(n.begin(), n.end(), "FASTABS X10000 Y0") - 1), "FASTABS Z10000");
    EXPECT_EQ(Count(n, "FASTABS X5000 Y0"), 0u);
    R.ExpectMessage(mrOk, Msg[37]);
    const TLines m = Write(SaveMcr);
    const auto at = std::find(m.begin(), m.end(), "Axyz 1, 10, 0, 5, 0, 0;");
    ASSERT_NE(at, m.end());
    EXPECT_EQ(*(at - 2), "Axyz 1, 0, 0, 10, 0, 0; ! nad upinky !");
    EXPECT_EQ(*(at - 1), "Axyz 1, 10, 0, 10, 0, 0; ! nad upinky !");
    EXPECT_TRUE(R.Done());
}

// A run that cannot finish leaves the target as it was and logs why: a tool whose
// first pass row is empty has no pass; one without any pass has no cutting distance
// for the clamp outlines (GravoGraph builds none).
TEST_F(NcDialectTest, FailedRunsKeepTheTarget) {
    const struct {
        TSaveFn Save;
        const char* End;
        bool Clamps;
    } Writers[] = {{SaveNcp, "Sys:Save NCP End", true}, {SaveMcr, "Sys:Save MCR End", true},
                   {SaveExp, "Sys:Save Exp End", false}};
    EnPoint.Add(Osy{1, 1}, 1, DS(), DE());
    for (const auto& W : Writers)
        for (bool anyPass : {true, false}) {
            SCOPED_TRACE(std::string(W.End) + (anyPass ? ", a later row" : ", no row"));
            WriteFile("job.out", "old");
            SetTool(1, {-1, -1, 2.0L});
            if (!anyPass) Glob.Tool[1].Pruchod[3].Hloubka = -1;
            ResetLog();
            TScriptResponder R;
            const bool clampFailure = W.Clamps && !anyPass;
            if (clampFailure) R.ExpectMessage(mrOk, Msg[39]);
            EXPECT_TRUE(Write(W.Save).empty());
            EXPECT_TRUE(R.Done());
            EXPECT_TRUE(TCmdHarness::LogHas(clampFailure ? "Err:Wrong def. of tool or clamp (La:1)"
                                                         : "Err:No pass in layer (La:1)"));
            EXPECT_TRUE(TCmdHarness::LogHas(W.End));
            EXPECT_EQ(ReadFile(InDir("job.out")), "old");
            EXPECT_FALSE(TextFileExists(InDir("TEMP.$$$")));
        }
}

// A selected-only run keeps the blocks of every used layer but moves only for the
// selection.
TEST_F(NcDialectTest, SelectedOnlyRuns) {
    SetTool(2, {0.5L});
    EnPoint.Add(Osy{1, 1}, 1, DS(), DE())->Flags |= FlagSelected;
    EnPoint.Add(Osy{2, 2}, 1, DS(), DE());
    EnPoint.Add(Osy{3, 3}, 2, DS(), DE());
    const TLines n = Write(SaveNcp, false);
    EXPECT_EQ(Count(n, "FASTABS X1000 Y1000"), 1u);
    EXPECT_EQ(Count(n, "FASTABS X2000 Y2000") + Count(n, "FASTABS X3000 Y3000"), 0u);
    EXPECT_EQ(Count(n, "GETTOOL 2 ;???"), 1u);
    const TLines e = Write(SaveExp, false);
    EXPECT_EQ(Count(e, "PA40,40;"), 1u);
    EXPECT_EQ(Count(e, "PA80,80;") + Count(e, "PA120,120;"), 0u);
    EXPECT_EQ(Count(e, "!LB T2=???;"), 1u);
}

}  // namespace
