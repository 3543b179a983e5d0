// The G-code reader: rapids separate paths, feed moves and arcs become polylines of
// lines and arcs on the layer of the last T word, drilling gives points, arc centres
// follow the distance mode, radius-form arcs follow their radius, and lines with other
// G codes go to the error list, capped.
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
    const auto v = Read("G1 X1,5 Y2 ; X99\r\nG1 X1.5 Y3,5,5\nG1 X0 Y0");
    ASSERT_EQ(v.size(), 1u);
    ASSERT_EQ(PlineSegCount(v[0]), 3);
    EXPECT_EQ(PlineSegs(v[0])[0].E.x, 1.5L);
    EXPECT_EQ(PlineSegs(v[0])[1].E.y, 3.5L);  // a second comma ends the number
}

TEST_F(GcodeReadTest, ArcCentresFollowTheDistanceMode) {
    const struct {
        const char* Text;
        Osy C;
        Extended R;
    } Cases[] = {
        {"G90\nG0 X10 Y0\nG3 X0 Y10 I0 J0", {0, 0}, 10},
        {"G91\nG0 X10 Y0\nG3 X-10 Y10 I-10 J0", {0, 0}, 10},
        {"G90\nG0 X10 Y0\nG3 X0 Y10 R10", {0, 0}, 10},
        {"G90\nG0 X10 Y0\nG2 X0 Y10 R-10", {0, 0}, 10},
        {"G90\nG0 X10 Y0\nG2 X0 Y10 R10", {10, 10}, 10},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Text);
        const auto v = Read(c.Text);
        ASSERT_EQ(v.size(), 1u);
        Osy C;
        Extended R;
        Arc(v[0], 0, C, R);
        EXPECT_NEAR(double(C.x), double(c.C.x), 1e-9);
        EXPECT_NEAR(double(C.y), double(c.C.y), 1e-9);
        EXPECT_NEAR(double(R), double(c.R), 1e-9);
    }
}

TEST_F(GcodeReadTest, FullCircleBecomesTwoHalves) {
    const auto v = Read("G0 X10 Y0\nG2 X10 Y0 I5 J0");
    ASSERT_EQ(v.size(), 1u);
    ASSERT_EQ(PlineSegCount(v[0]), 2);
    EXPECT_NEAR(double(PlineSegs(v[0])[0].Alfa), -3.14159265358979, 1e-9);
    EXPECT_NEAR(double(PlineSegs(v[0])[0].E.x), 0, 1e-9);
}

TEST_F(GcodeReadTest, UnsupportedLinesAreListedAndCapped) {
    const auto v = Read("G1 X1 Y0\nG81 G83 X5 Y5\nG1 X2 Y0\nG99999999999999999999999 X7\nT99999999999999999999 G1 X3");
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(PlineSegCount(v[0]), 3);
    EXPECT_EQ(v[0]->Layer, 68);
    EXPECT_EQ(Errors, (std::vector<std::string>{"Nepodporovaný Gkód: G81 G83 X5 Y5", "Nepodporovaný Gkód: G81 G83 X5 Y5",
                                                "Nepodporovaný Gkód: G99999999999999999999999 X7"}));
    EXPECT_TRUE(TCmdHarness::LogHas("Err:unsuported Gcode (G81 G83 X5 Y5)"));
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
