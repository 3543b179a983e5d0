// The G-code reader: rapids separate paths, feed moves and arcs become polylines of
// lines and arcs on the layer of the last T word, drilling gives points, arc centres
// follow the arc-centre mode or the reading that fits, radius-form arcs follow their
// radius, comments hold no words, and other G codes go to the error list, capped,
// while their lines' moves stay.
#include <gtest/gtest.h>

#include <cmath>

#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "cam/ErrorDg.h"
#include "output/GcodeRead.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

namespace {

constexpr Extended Pi = 3.14159265358979323846L;

class GcodeReadTest : public KestrilonTest {
protected:
    void TearDown() override {
        FreeObjList(S, E);
        KestrilonTest::TearDown();
    }
    std::vector<TObjHeader*> Read(const std::string& Text) {
        FreeObjList(S, E);
        Errors.clear();
        ReadNcText(Text, S, E, Errors);
        std::vector<TObjHeader*> v;
        for (TObjHeader* p = S; p; p = p->Next) v.push_back(p);
        return v;
    }
    // Centre and radius of segment I of polyline P.
    static void Arc(const TObjHeader* P, int I, Osy& C, Extended& R) {
        ArcCenter(PlineSegStart(P, I), PlineSegs(P)[I].E, PlineSegs(P)[I].Alfa, C, R);
    }
    TObjHeader *S = nullptr, *E = nullptr;
    std::vector<std::string> Errors;
};

TEST_F(GcodeReadTest, RapidsSeparatePathsAndDrillingGivesPoints) {
    const auto v = Read("G0 X1 Y1\nG1 Z-1\nG0 Z5\nG0 X2 Y0\nG1 X5 Y0\nG1 X5.0000001 Y0\nT3\nG1 X5 Y4\n"
                        "G0 Z5\nT65 G0 X0 Y0\nG17 G0 X9 Y9\nG1 X10 Y9");
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0]->Type, ObjPoint);
    EXPECT_EQ(v[0]->Layer, 68);
    ASSERT_EQ(v[1]->Type, ObjPline);
    EXPECT_EQ(PlineSegCount(v[1]), 2);  // the step below the tolerance is dropped
    EXPECT_EQ(v[1]->Layer, 3);          // the layer of the T word when the path ends
    EXPECT_EQ(PlineSegs(v[1])[1].E.y, 4);
    // G17 does not make a feed move of a rapid: the last path starts at (9, 9).
    EXPECT_EQ(AsPline(v[2])->S.x, 9);
    EXPECT_EQ(v[2]->Layer, 68);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(GcodeReadTest, LineEndsCommentsAndCommas) {
    const auto v = Read("G1 X1,5 Y2 ; X99\r\n(comment X99, T5) G1 X1.5 Y3,5,5\nG1 (move X77) X0 Y0 (end");
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0]->Layer, 68);  // the T in the comment is no word
    ASSERT_EQ(PlineSegCount(v[0]), 3);
    EXPECT_EQ(PlineSegs(v[0])[0].E.x, 1.5L);
    EXPECT_EQ(PlineSegs(v[0])[1].E.y, 3.5L);  // a second comma ends the number
    EXPECT_EQ(PlineSegs(v[0])[2].E.x, 0);
    EXPECT_TRUE(Errors.empty());
}

// I and J as G90.1 or G91.1 state; else the reading whose centre is as far from the end
// as from the start. G90.1 and G91.1 leave the moves absolute.
TEST_F(GcodeReadTest, ArcCentresFollowTheArcCentreMode) {
    const struct {
        const char* Text;
        Osy C;
        Extended R;
    } Cases[] = {
        {"G90\nG0 X10 Y0\nG3 X0 Y10 I0 J0", {0, 0}, 10},
        {"G90\nG0 X10 Y0\nG3 X0 Y10 I-10 J0", {0, 0}, 10},
        {"G91\nG0 X10 Y0\nG3 X-10 Y10 I-10 J0", {0, 0}, 10},
        {"G90.1\nG0 X10 Y10\nG1 X20 Y10\nG3 X30 Y20 I20 J20", {20, 20}, 10},
        {"G91.1\nG0 X10 Y10\nG1 X20 Y10\nG3 X30 Y20 I0 J10", {20, 20}, 10},
        {"G90\nG0 X10 Y0\nG3 X0 Y10 R10", {0, 0}, 10},
        {"G90\nG0 X10 Y0\nG2 X0 Y10 R-10", {0, 0}, 10},
        {"G90\nG0 X10 Y0\nG2 X0 Y10 R10", {10, 10}, 10},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Text);
        const auto v = Read(c.Text);
        ASSERT_EQ(v.size(), 1u);
        const int last = PlineSegCount(v[0]) - 1;
        Osy C;
        Extended R;
        Arc(v[0], last, C, R);
        EXPECT_NEAR(double(C.x), double(c.C.x), 1e-9);
        EXPECT_NEAR(double(C.y), double(c.C.y), 1e-9);
        EXPECT_NEAR(double(R), double(c.R), 1e-9);
        EXPECT_NEAR(double(AsPline(v[0])->S.x), 10, 1e-12);  // no move became incremental
        EXPECT_TRUE(Errors.empty()) << Errors.front();
    }
    // An arc whose centre fits neither reading is drawn by the stated one and listed.
    Read("G0 X10 Y0\nG3 X0 Y10 I3 J4");
    EXPECT_EQ(Errors, (std::vector<std::string>{"Střed oblouku neleží stejně daleko od začátku a konce: G3 X0 Y10 I3 J4"}));
    Read("G90.1\nG0 X10 Y0\nG3 X0 Y10 I-10 J0");
    EXPECT_EQ(Errors.size(), 1u);
}

// A program as CAM programs and controls write them: program number, safety block,
// tool length offset, relative arc centres, radius arcs, comments of both kinds.
TEST_F(GcodeReadTest, ProgramsOfOtherMakersReadOntoTheirGeometry) {
    const auto v = Read(
        "%\nO1000 (PLATE)\n(T2  D=3. CR=0. - ZMIN=-1. - FLAT END MILL)\nN10 G90 G94 G17 G91.1\nN15 G21\n"
        "N20 G53 G0 Z0.\nN30 T2 M6\nN35 S12000 M3\nN40 G54\nN45 G0 X0. Y2.\nN50 G43 Z15. H2\n"
        "N55 G1 Z-1. F300. ; plunge\nN60 Y8.\nN65 G2 X2. Y10. I2. J0.\nN70 G1 X18.\n"
        "N75 G2 X20. Y8. R2.\nN80 G1 Y2.\nN85 G2 X18. Y0. I-2. J0. (corner)\nN90 G1 X2.\n"
        "N95 G2 X0. Y2. I0 J2. ;last corner\nN100 G0 Z15.\nN105 M5\nN110 G53 G0 Z0.\nM30\n%\n");
    ASSERT_EQ(v.size(), 1u);
    const TObjHeader* p = v[0];
    EXPECT_EQ(p->Layer, 2);
    EXPECT_NEAR(double(AsPline(p)->S.x), 0, 1e-6);
    EXPECT_NEAR(double(AsPline(p)->S.y), 2, 1e-6);
    const struct {
        Osy E;
        Extended Alfa;
    } Segs[] = {
        {{0, 8}, 0}, {{2, 10}, -Pi / 2}, {{18, 10}, 0}, {{20, 8}, -Pi / 2},
        {{20, 2}, 0}, {{18, 0}, -Pi / 2}, {{2, 0}, 0},  {{0, 2}, -Pi / 2},
    };
    ASSERT_EQ(PlineSegCount(p), int(std::size(Segs)));
    for (int i = 0; i < int(std::size(Segs)); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(double(PlineSegs(p)[i].E.x), double(Segs[i].E.x), 1e-6);
        EXPECT_NEAR(double(PlineSegs(p)[i].E.y), double(Segs[i].E.y), 1e-6);
        EXPECT_NEAR(double(PlineSegs(p)[i].Alfa), double(Segs[i].Alfa), 1e-6);
    }
    // Every code the reader does not follow is listed with its line; the moves stayed.
    EXPECT_EQ(Errors, (std::vector<std::string>{
                          "Nepodporovaný Gkód: N10 G90 G94 G17 G91.1", "Nepodporovaný Gkód: N15 G21",
                          "Nepodporovaný Gkód: N20 G53 G0 Z0.", "Nepodporovaný Gkód: N40 G54",
                          "Nepodporovaný Gkód: N50 G43 Z15. H2", "Nepodporovaný Gkód: N110 G53 G0 Z0."}));
}

// Both readings fit a full circle: without G90.1 the centre is relative, as RS-274 reads it.
TEST_F(GcodeReadTest, FullCircleBecomesTwoHalves) {
    for (const char* text : {"G0 X10 Y0\nG2 X10 Y0 I-5 J0", "G90.1\nG0 X10 Y0\nG2 X10 Y0 I5 J0"}) {
        SCOPED_TRACE(text);
        const auto v = Read(text);
        ASSERT_EQ(v.size(), 1u);
        ASSERT_EQ(PlineSegCount(v[0]), 2);
        EXPECT_NEAR(double(PlineSegs(v[0])[0].Alfa), -3.14159265358979, 1e-9);
        EXPECT_NEAR(double(PlineSegs(v[0])[0].E.x), 0, 1e-9);
    }
}

// A line with an unsupported code keeps its moves, unless the code gives its axis
// words another meaning (offsets, stored positions) or is a motion of its own.
TEST_F(GcodeReadTest, UnsupportedCodesAreListedAndCapped) {
    const auto v = Read("G1 X1 Y0\nG64 P0.01 X2 Y0\nG92 X0 Y0\nG1 X3 Y0\nG99999999999999999999999 X7\n"
                        "G81 G83 X5 Y5 R1 Z-1\nX6 Y6\nG80\nG1 X9 Y9\nT99999999999999999999 G1 X3");
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(PlineSegCount(v[0]), 4);  // to X1, X2, X3, X7: G92 moved nothing
    EXPECT_EQ(PlineSegs(v[0])[3].E.x, 7);
    EXPECT_EQ(AsPline(v[1])->S.x, 6);  // the drilling cycle's holes are no path
    EXPECT_EQ(PlineSegCount(v[1]), 2);
    EXPECT_EQ(v[1]->Layer, 68);
    EXPECT_EQ(Errors, (std::vector<std::string>{"Nepodporovaný Gkód: G64 P0.01 X2 Y0", "Nepodporovaný Gkód: G92 X0 Y0",
                                                "Nepodporovaný Gkód: G99999999999999999999999 X7",
                                                "Nepodporovaný Gkód: G81 G83 X5 Y5 R1 Z-1",
                                                "Nepodporovaný Gkód: G81 G83 X5 Y5 R1 Z-1", "Nepodporovaný Gkód: G80"}));
    EXPECT_TRUE(TCmdHarness::LogHas("Err:unsuported Gcode (G81 G83 X5 Y5 R1 Z-1)"));
    std::string many;
    for (int i = 0; i < 2000; ++i) many += "G81 X1\n";
    Read(many);
    ASSERT_EQ(Errors.size(), MaxNcErrorLines + 1);
    EXPECT_EQ(Errors.back(), "... a dalších 1500 řádků");
}

TEST_F(GcodeReadTest, LoadNcAppendsToTheDrawingWithItsExtent) {
    Osy mn{1, 1}, mx{2, 2};
    EXPECT_FALSE(LoadNc(InDir("none.nc"), mn, mx));
    EXPECT_TRUE(TCmdHarness::LogHas("Err:FAILED Load NC, file not found (" + InDir("none.nc") + ")"));
    EXPECT_EQ(mn.x, 1);
    TScriptResponder Resp;
    Resp.ExpectModal("ErrorDialog", mrOk);
    EXPECT_TRUE(LoadNc(WriteFile("p.gnc", "G0 X-1 Y2\nG1 X4 Y7\nG81\n"), mn, mx));
    EXPECT_TRUE(Resp.Done());
    EXPECT_EQ(ErrorDialog->Caption, "Chyby v načtení gkódu");
    ASSERT_NE(MainVars.DataStart, nullptr);
    EXPECT_EQ(mn.x, -1);
    EXPECT_EQ(mx.y, 7);
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:ErrorDG:Nepodporovaný Gkód: G81"));
    FreeObjList(MainVars.DataStart, MainVars.DataEnd);
}

}  // namespace
