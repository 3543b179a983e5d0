// The lines of the G-code program: header and end, tool changes in the four styles,
// number formats, repeated coordinates, feed styles, the A word, split rapids, and
// arcs in every form the configuration offers landing on the drawn geometry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>

#include "NcJob.h"
#include "cam/ErrorDg.h"
#include "core/Builder.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "output/NcRun.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdHarness.h"

namespace {

class GcodeLinesTest : public NcJobTest {
protected:
    void SetUp() override {
        NcJobTest::SetUp();
        SetTool(1, {0.5L});
        SetTool(2, {0.5L});
    }
    // The program's lines without their line ends.
    std::vector<std::string> Lines(const std::string& Cfg = "") {
        if (!Cfg.empty()) WriteFile("Gcode.cfg", Cfg);
        std::vector<std::string> v;
        const std::string text = Export();
        for (size_t a = 0, b; a < text.size(); a = b + 2) {
            b = text.find("\r\n", a);
            if (b == std::string::npos) break;
            v.push_back(text.substr(a, b - a));
        }
        return v;
    }
    static size_t Count(const std::vector<std::string>& L, const std::string& S) {
        return size_t(std::count_if(L.begin(), L.end(), [&](const std::string& l) { return l.find(S) != std::string::npos; }));
    }
    static TObjHeader*& DS() { return MainVars.DataStart; }
    static TObjHeader*& DE() { return MainVars.DataEnd; }
};

TEST_F(GcodeLinesTest, DefaultHeaderAndEnd) {
    const std::vector<std::string> l = Lines();
    ASSERT_EQ(l.size(), 8u);
    EXPECT_EQ(l[0], "N1 ;Vytvoreno programem Kestrilon 2.5 beta 6");
    EXPECT_EQ(l[1].rfind("N2 ;Datum ", 0), 0u);
    EXPECT_EQ(l[2].rfind("N3 ;Cas ", 0), 0u);
    EXPECT_EQ(l[3], "N4 ;Zdrojovy soubor ");
    EXPECT_EQ(l[4], "N5 G90 ;Absolutni souradnice");
    EXPECT_EQ(l[5], "N6 G17 ;Pracovni rovina XY");
    EXPECT_EQ(l[6], "N7 G90.1 ;Absolutni stred oblouku");
    EXPECT_EQ(l[7], "N8 M30 ;Konec programu");
    // Without comments the header comments go; without numbers the counter still runs.
    EXPECT_EQ(Lines("OddelovacKomentare=''\nCislovaniRadku=''\nStylOblouku='R'\n"),
              (std::vector<std::string>{"G90 ", "G17 ", "M30 "}));
    EXPECT_EQ(Lines("InkrementRadku='0'\nStylOblouku='P'\n")[4], "N0 G90 ;Absolutni souradnice");
    EXPECT_EQ(Lines("InkrementRadku='10'\n")[1].substr(0, 4), "N20 ");
}

TEST_F(GcodeLinesTest, ToolChangeStyles) {
    EnPoint.Add(Osy{1, 2}, 1, DS(), DE());
    Glob.Tool[1].JmNastroje = "T12 fréza";
    WriteFile("change.txt", "M6\r\nG43 H12\r\n");
    const struct {
        const char* Cfg;
        std::vector<std::string> Expected;  // the lines after the header
    } Cases[] = {
        {"StylVymeny='0'", {"T12;T12 fréza", "M6;Nasadit nastroj", "D12", "G0 Z5.000"}},
        {"StylVymeny='0'\nVymena='change.txt'", {"T12;T12 fréza", "M6", "G43 H12", "G0 Z5.000"}},
        {"StylVymeny='1'\nVymena='change.txt'", {"T12 M6;T12 fréza", "D12", "M6", "G43 H12", "G0 Z5.000"}},
        {"StylVymeny='2'", {"M6;Nasadit nastroj", "T12;T12 fréza", "D12", "G0 Z5.000"}},
        {"StylVymeny='3'", {"M6 T12", "D12", "G0 Z5.000"}},
        // A style outside 0..3 writes no tool change; the first rapid still starts from
        // the clearance height.
        {"StylVymeny='7'", {"G0 Z5.000", "S12000 "}},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Cfg);
        TScriptResponder R;
        const std::vector<std::string> l =
            Lines(std::string("CislovaniRadku=''\nKorekceNastroje='D'\n") + c.Cfg + "\n");
        EXPECT_TRUE(R.Done());
        ASSERT_GE(l.size(), 7 + c.Expected.size());
        EXPECT_EQ(std::vector<std::string>(l.begin() + 7, l.begin() + 7 + long(c.Expected.size())), c.Expected);
    }
}

TEST_F(GcodeLinesTest, ToolAndCorrectionNumbers) {
    const struct {
        const char* Name;
        int Tnum, Dnum;
        const char* Tool;
        const char* Corr;
    } Cases[] = {
        {"T7 vrták", 0, 0, "T7", "D7"}, {"T7 vrták", 3, 0, "T3", "D1"}, {"T", 0, 0, "T1", "D1"},
        {"Tx", 0, 4, "T1", "D4"},       {"fréza", 0, 0, "T1", "D1"},
    };
    EnPoint.Add(Osy{1, 2}, 1, DS(), DE());
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Name);
        Glob.Tool[1].JmNastroje = c.Name;
        Glob.Tool[1].Tnum = c.Tnum;
        Glob.Tool[1].Dnum = c.Dnum;
        const auto l = Lines("CislovaniRadku=''\nKorekceNastroje='D'\nOddelovacKomentare=''\n");
        EXPECT_EQ(l.at(3), c.Tool);
        EXPECT_EQ(l.at(5), c.Corr);
    }
}

TEST_F(GcodeLinesTest, NumbersFeedsAndRepeatedCoordinates) {
    StartObj(Osy{-0.0001L, 0});
    AddSeg(Osy{10, 0}, 0, CoordTol);
    AddSeg(Osy{10.0001L, 0.0002L}, 0, CoordTol);  // below the last decimal: no move
    AddSeg(Osy{10, 5}, 0, CoordTol);
    MakeObj(1, DS(), DE());
    Glob.Tool[1].Pruchod[1].Posuv = 2.5L;
    const auto l = Lines("CislovaniRadku=''\nOddelovacKomentare=''\nNasobitelRychlosti='60'\n");
    EXPECT_EQ(Count(l, "-0.000"), 0u);
    EXPECT_EQ(Count(l, "G0 X0.000 Y0.000 A0.000"), 1u);
    EXPECT_EQ(Count(l, "F150.0"), 1u);
    EXPECT_EQ(Count(l, "F120.0"), 1u);  // plunge feed 2 mm/s
    EXPECT_EQ(Count(l, "G1 X10.000 Y0.000"), 1u);
    EXPECT_EQ(Count(l, "G1 X"), 2u);
}

TEST_F(GcodeLinesTest, AWordOncePerLayerAndRepeatedRapidAfterAToolChange) {
    EnPoint.Add(Osy{3, 4}, 1, DS(), DE());
    EnPoint.Add(Osy{3, 4}, 2, DS(), DE());
    EnPoint.Add(Osy{5, 4}, 2, DS(), DE());
    Glob.Tool[2].AngleA = 12.5L;
    const auto l = Lines("CislovaniRadku=''\n");
    EXPECT_EQ(Count(l, "G0 X3.000 Y4.000 A0.000"), 1u);
    EXPECT_EQ(Count(l, "G0 X3.000 Y4.000 A12.500"), 1u);
    EXPECT_EQ(Count(l, " A"), 2u);
}

TEST_F(GcodeLinesTest, FeedOnEveryMoveLineAndSlantingRapids) {
    EnPline.LineAdd(Osy{0, 0}, Osy{10, 0}, 1, DS(), DE());
    SetTool(1, {0.5L, 1.0L});
    Glob.SpolParObr.DepthToPlunge = 0.2L;
    const auto l = Lines("CislovaniRadku=''\nStylPosuvu='1'\nRozkladRychloposuvu='FALSE'\n");
    EXPECT_EQ(Count(l, "F10.0;posuv"), 2u);
    EXPECT_EQ(Count(l, "G1 X10.000 Y0.000 F10.0;posuv"), 2u);
    EXPECT_EQ(Count(l, "G1 Z-0.500 F2.0;zapich"), 1u);
    EXPECT_TRUE(std::none_of(l.begin(), l.end(), [](const std::string& s) { return s.rfind("F", 0) == 0; }));
    // Above the material the rapid slants; below it (the second pass) it is split.
    EXPECT_EQ(Count(l, "G0 X0.000 Y0.000 Z0.200"), 1u);
    EXPECT_EQ(Count(l, "G0 X0.000 Y0.000"), 2u);
    EXPECT_EQ(Count(l, "G0 Z-0.300"), 1u);
    EXPECT_EQ(Count(l, " A"), 0u);
}

// Arcs of many sizes and senses, in every arc form and as chords: the interpreter
// accepts every arc (it checks the centre against both ends), and the cut follows
// the drawn arcs; chords stay within the chord deviation.
TEST_F(GcodeLinesTest, ArcFormsLandOnTheDrawnGeometry) {
    const Extended pi = 3.14159265358979323846L;
    const struct {
        Osy S, E;
        Extended Alfa;
    } Arcs[] = {{{0, 0}, {10, 0}, pi}, {{20, 0}, {30, 0}, -pi}, {{40, 0}, {44, 3}, 1.5L * pi},
                {{50, 0}, {50.4L, 0.1L}, -0.3L}, {{60, 0}, {70, 1}, 0.002L}, {{80, 0}, {80.3L, 0}, 1.9L * pi}};
    for (const auto& a : Arcs) EnPline.ArcAdd(a.S, a.E, a.Alfa, 1, DS(), DE());
    for (const char* style : {"A", "R", "P", "x"}) {
        SCOPED_TRACE(style);
        WriteFile("Gcode.cfg", std::string("StylOblouku='") + style + "'\nOdchylkaSecny='0.005'\n");
        const TMachineRun run = ExportAndRun();
        EXPECT_TRUE(SafetyViolations(run, 5, 0.5L).empty());
        size_t arcs = 0;
        for (const TMachineMove& m : run.Moves) arcs += m.Arc;
        if (*style == 'x') EXPECT_EQ(arcs, 0u);
        else EXPECT_GE(arcs, 5u);
        TPathSet cuts;
        std::vector<std::vector<Osy3D>> cutPts;
        for (const TMachineMove& m : run.Moves) {
            if (m.Rapid || std::fabs(m.To.z + 0.5L) > 0.001L || std::fabs(m.From.z + 0.5L) > 0.001L) continue;
            cutPts.push_back(MovePoints(m, 0.02L));
            cuts.Add(cutPts.back());
        }
        std::vector<Osy3D> drawn;
        for (TObjHeader* p : DrawnPaths(1)) {
            for (const Osy& q : PathPoints(p, 0.1L)) ASSERT_LT(cuts.Dist(q), 0.006L) << double(q.x) << " " << double(q.y);
            for (const Osy& q : PathPoints(p, 0.01L)) drawn.push_back(Osy3D{q.x, q.y, 0});
        }
        // Whatever is cut lies on the drawn arcs (chords: within the deviation).
        for (const auto& c : cutPts)
            for (size_t i = 0; i < c.size(); i += 5) ASSERT_LT(DistToPoints(Osy{c[i].x, c[i].y}, drawn), 0.0062L);
    }
}

// The writers' numbers are the C library's fixed-point digits of the extended value
// for every number of decimals: exact halves go to the even neighbour, values a hair
// off a half go their own way, all-zero texts carry no "-", and huge values are whole.
TEST_F(GcodeLinesTest, NumbersAreThePrintfDigits) {
    std::mt19937_64 gen(11);
    std::vector<Extended> values = {0, -0.0L, 0.5L, 2.5L, -2.5L, 0.125L, 1e-3L, -4e-10L, 1e15L, 3e25L, -1e40L};
    for (int i = 0; i < 3000; ++i) {
        const Extended x = std::ldexp(Extended(gen() | (1ULL << 63)), int(gen() % 100) - 110);
        const Extended half = (Extended(int64_t(gen() % 20000000)) + 0.5L) / 1024;  // exact binary halves
        for (Extended v : {x, half, std::nextafter(half, 0.0L), std::nextafter(half, 1e9L)})
            values.push_back(gen() % 2 ? v : -v);
    }
    for (Extended v : values)
        for (int k = 0; k <= MaxNcDecimals; ++k) {
            std::vector<char> want(5200);
            std::snprintf(want.data(), want.size(), "%.*Lf", k, v);
            std::string w = want.data();
            if (w[0] == '-' && w.find_first_not_of("-0.") == std::string::npos) w.erase(0, 1);
            ASSERT_EQ(FormatNcNumber(k, v), w) << k;
        }
}

// The centre words of an arc are those of ArcCenter's centre of the arc's ends as
// written, rounded as any coordinate, also where the centre lies on a half of the
// last decimal.
TEST_F(GcodeLinesTest, CentreWordsAreThoseOfTheWrittenEnds) {
    std::mt19937_64 gen(5);
    std::uniform_real_distribution<double> u(-1, 1);
    std::map<std::string, Extended> alfaByEnd;  // "X.. Y.." of the written end
    Osy p{0, 0};
    StartObj(p);
    for (int i = 0; i < 400; ++i) {
        Osy e{p.x + 0.5L + std::fabs(Extended(u(gen))) * 40, Extended(u(gen)) * 80};
        Extended alfa = Extended(u(gen)) * 3;
        if (i % 4 == 0) {  // half circles whose centre sits on a half of the last decimal
            e = Osy{p.x + 0.5001L + 0.0002L * (i % 13), p.y};
            alfa = (i % 8 ? 1 : -1) * 3.14159265358979323846L;
        }
        if (std::fabs(alfa) < 0.05L) alfa = 0.05L;
        AddSeg(e, alfa, CoordTol);
        char key[96];
        std::snprintf(key, sizeof key, "X%.4Lf Y%.4Lf", e.x, e.y);
        alfaByEnd[key] = alfa;
        p = e;
    }
    MakeObj(1, DS(), DE());
    for (const char style : {'A', 'R'}) {
        SCOPED_TRACE(style);
        const auto lines = Lines(std::string("CislovaniRadku=''\nOddelovacKomentare=''\nDesetinnychMistSouradnic='4'\n") +
                                 "StylOblouku='" + style + "'\n");
        auto text = [](Extended v) {
            char t[64];
            std::snprintf(t, sizeof t, "%.4Lf", v);
            const std::string s = t;
            return s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos ? s.substr(1) : s;
        };
        Osy last{0, 0};
        size_t arcs = 0;
        for (const std::string& l : lines) {
            Extended x, y, i, j;
            char g[4];
            if (std::sscanf(l.c_str(), "%3s X%Lf Y%Lf I%Lf J%Lf", g, &x, &y, &i, &j) == 5 && alfaByEnd.count(l.substr(3, l.find(" I") - 3))) {
                Osy c;
                Extended rad;
                ArcCenter(last, Osy{x, y}, alfaByEnd[l.substr(3, l.find(" I") - 3)], c, rad);
                const std::string want = style == 'A' ? " I" + text(c.x) + " J" + text(c.y)
                                                      : " I" + text(c.x - last.x) + " J" + text(c.y - last.y);
                ASSERT_EQ(l.substr(l.find(" I")), want) << l;
                ++arcs;
            }
            if (std::sscanf(l.c_str(), "%3s X%Lf Y%Lf", g, &x, &y) == 3) last = Osy{x, y};
        }
        EXPECT_EQ(arcs, 400u);
    }
}

// A half circle in the relative form: I and J from its start; in the radius form: R.
TEST_F(GcodeLinesTest, HalfCircleWords) {
    EnPline.ArcAdd(Osy{0, 0}, Osy{10, 0}, 3.14159265358979323846L, 1, DS(), DE());
    EXPECT_EQ(Count(Lines("CislovaniRadku=''\nStylOblouku='R'\n"), "G3 X10.000 Y0.000 I5.000 J0.000"), 1u);
    const auto p = Lines("CislovaniRadku=''\nStylOblouku='P'\n");
    EXPECT_EQ(Count(p, "G3 X5.000 Y-5.000 R5.000"), 1u);
    EXPECT_EQ(Count(p, "G3 X10.000 Y0.000 R5.000"), 1u);
}

}  // namespace

namespace {

// The header, footer and tool-change files are taken within the program folder: a name
// that leads out of it (by "..", or by a link) copies nothing and is said in the error
// list; a name beginning with "/" is still a name in the folder.
TEST_F(GcodeLinesTest, CopiedFilesStayInTheProgramFolder) {
    const std::string folder = std::filesystem::path(Dir()).filename();
    WriteFile("../" + folder + ".secret", "SECRET\r\n");
    WriteFile("head.txt", "(HEAD)\r\n");
    WriteFile("etc/foot.txt", "(FOOT)\r\n");
    std::filesystem::create_symlink(Dir() + "/../" + folder + ".secret", InDir("link.txt"));
    const std::string base = "CislovaniRadku=''\nOddelovacKomentare=''\nStylOblouku='R'\n";
    const std::vector<std::string> inside = Lines(base + "Hlavicka='head.txt'\nPaticka='/etc/foot.txt'\n");
    EXPECT_EQ(Count(inside, "(HEAD)"), 1u);
    EXPECT_EQ(Count(inside, "(FOOT)"), 1u);
    for (const std::string name : {"../" + folder + ".secret", "etc/../../" + folder + ".secret", std::string("link.txt")}) {
        SCOPED_TRACE(name);
        TScriptResponder R;
        R.ExpectModal("ErrorDialog", [&](TForm&) {
            EXPECT_NE(ErrorDialog->ErrorList->Lines.at(0).find(name), std::string::npos);
            return mrOk;
        });
        const std::vector<std::string> l = Lines(base + "Hlavicka='" + name + "'\nPaticka='" + name + "'\n");
        EXPECT_TRUE(R.Done());
        EXPECT_EQ(Count(l, "SECRET"), 0u);
        EXPECT_EQ(Count(l, "M30"), 1u);
        EXPECT_TRUE(TCmdHarness::LogHas("Err:NC file outside the program folder refused (" + name + ")"));
    }
    std::filesystem::remove(Dir() + "/../" + folder + ".secret");
}

}  // namespace
