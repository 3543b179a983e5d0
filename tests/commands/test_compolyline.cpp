// POLYLINE typed through the command line: segments, radii, direction points, the
// tangent modes, removal of the last segment and the ways it ends.
#include <cmath>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;
constexpr Extended Pi = 3.1415926535897932385L;

class ComPolylineTest : public CmdTest {
protected:
    static const TObjHeader* OnlyObj() {
        const TObjHeader* p = MainVars.DataStart;
        return p && !p->Next ? p : nullptr;
    }
};

TEST_F(ComPolylineTest, SegmentsByThirdInputAndMode) {
    const struct {
        Lines Script;
        int Segs;
        Extended Alfa;  // of the last segment
        Extended EndX, EndY;
    } Cases[] = {
        {{"POLYLINE", "0 0", "10 0", ""}, 1, 0, 10, 0},
        {{"POLYLINE", "0 0", "10 0", "5"}, 1, Pi, 10, 0},
        {{"POLYLINE", "0 0", "10 0", "-5"}, 1, -Pi, 10, 0},
        {{"POLYLINE", "0 0", "10 0", "x"}, 1, 0, 10, 0},             // unparsable: straight
        {{"POLYLINE", "0 0", "10 0", "0 5"}, 1, -Pi, 10, 0},         // leaves straight up
        {{"POLYLINE", "0 0", "10 0", "", "T", "20 10"}, 2, Pi / 2, 20, 10},
        {{"POLYLINE", "0 0", "10 0", "", "tangent", "20 10"}, 2, Pi / 2, 20, 10},
        {{"POLYLINE", "0 0", "10 0", "", "l", "@0 7"}, 2, 0, 17, 0},  // length 7 along +x
        {{"POLYLINE", "0 0", "@10 0", "", "@0 10", "", "@-10 0", "", "U"}, 2, 0, 10, 10},
        {{"POLYLINE", "0 0", "10 0", "", "U"}, 1, 0, 10, 0},         // one segment: kept
    };
    for (const auto& C : Cases) {
        Start();
        Run(C.Script);
        const TObjHeader* P = OnlyObj();
        ASSERT_NE(P, nullptr) << C.Script.back();
        ASSERT_EQ(P->Type, ObjPline) << C.Script.back();
        ASSERT_EQ(PlineSegCount(P), C.Segs) << C.Script.back();
        const TPlineSeg& S = PlineSegs(P)[C.Segs - 1];
        EXPECT_NEAR(double(S.Alfa), double(C.Alfa), 1e-12) << C.Script.back();
        EXPECT_NEAR(double(S.E.x), double(C.EndX), 1e-12) << C.Script.back();
        EXPECT_NEAR(double(S.E.y), double(C.EndY), 1e-12) << C.Script.back();
        EXPECT_EQ(MainVars.ComCnt, 1) << C.Script.back();  // still waiting for the next point
        EXPECT_EQ(H->Prompt(), "Kam(t,n,l,u)>") << C.Script.back();
        H.reset();
    }
}

TEST_F(ComPolylineTest, ModesAfterLettersAndUndo) {
    Start();
    Run({"POLYLINE", "0 0", "10 0", "", "L", "@7 0"});
    // After the tangent line the mode is tangent arcs.
    EXPECT_TRUE(MainVars.UseTangArc);
    EXPECT_FALSE(MainVars.UseTangLine);
    EXPECT_EQ(MainVars.Mouse.NextMove, mmArcTg);
    Run({"U"});
    EXPECT_FALSE(MainVars.UseTangArc);
    EXPECT_FALSE(MainVars.UseTangLine);
    EXPECT_EQ(PlineSegCount(MainVars.DataEnd), 1);
    EXPECT_EQ(MainVars.SavePick.x, 10);
    EXPECT_TRUE(TCmdHarness::LogHas("Usr:PolyMode:line"));
    // The chain runs on beyond the ten input slots.
    for (int i = 0; i < 12; ++i) Run({"@1 0", ""});
    EXPECT_EQ(PlineSegCount(MainVars.DataEnd), 13);
    EXPECT_EQ(CountObjs(MainVars.DataStart), 1);
}

TEST_F(ComPolylineTest, EndingsKeepWhatWasBuilt) {
    const struct {
        Lines Script;
        uint8_t Kind;  // of the only object, 0 none
        const char* Err;
    } Cases[] = {
        {{"POLYLINE", ""}, 0, "Err:Wrong pickpoint ()"},
        {{"POLYLINE", "0 0", ""}, ObjPoint, "Err:Wrong pickpoint ()"},
        {{"POLYLINE", "0 0", "10 0", "", ""}, ObjPline, "Err:Wrong pickpoint ()"},
        {{"POLYLINE", "0 0", "10 0", "", "@0 0"}, ObjPline, "Err:Wrong pickpoint (@0 0)"},
    };
    for (const auto& C : Cases) {
        Start();
        Run(C.Script);
        EXPECT_EQ(MainVars.ComCnt, -1);
        if (C.Kind == 0) {
            EXPECT_EQ(MainVars.DataStart, nullptr);
        } else {
            ASSERT_NE(OnlyObj(), nullptr);
            EXPECT_EQ(OnlyObj()->Type, C.Kind);
        }
        EXPECT_TRUE(TCmdHarness::LogHas(C.Err)) << C.Err;
        EXPECT_TRUE(TCmdHarness::LogHas("Sys:ComPolyLine End"));
        H.reset();
    }
    // Escape right after the start point leaves the point.
    Start();
    Run({"POLYLINE", "3 4"});
    H->Esc();
    ASSERT_NE(OnlyObj(), nullptr);
    EXPECT_EQ(OnlyObj()->Type, ObjPoint);
}

TEST_F(ComPolylineTest, PickedPointsAndClosedResult) {
    Start();
    Glob.LayerDraw = 5;
    H->Enter("POLYLINE");
    H->Pick(0, 0);
    H->Pick(10, 0);
    H->Enter("");
    H->Pick(10, 10);
    H->Enter("");
    H->Enter("0 0");
    H->Enter("");
    const TObjHeader* P = OnlyObj();
    ASSERT_NE(P, nullptr);
    EXPECT_EQ(PlineSegCount(P), 3);
    EXPECT_EQ(P->Layer, 5);
    EXPECT_EQ(AsPline(P)->PlineFlags & PlineClosed, PlineClosed);
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:ComPolyline Start"));
}

}  // namespace
