// The drawing commands POINT, POINTTOCIR, LINE, ARC, CIRCLE, RECTANGLE and the
// distance and special commands, typed through the command line.
#include <cmath>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;
constexpr Extended Pi = 3.1415926535897932385L;

class ComDrawTest : public CmdTest {
protected:
    // The only object of the drawing, which must be a polyline.
    static const TObjHeader* OnlyPline() {
        const TObjHeader* p = MainVars.DataStart;
        if (!p || p->Next || p->Type != ObjPline) return nullptr;
        return p;
    }
};

TEST_F(ComDrawTest, ArcDirectionAndRadiusRules) {
    const Extended Shorter = 2 * std::atan(10 / (2 * std::sqrt(75.0L)));
    const struct {
        const char* Third;
        Extended Alfa;
        const char* Log;
    } Cases[] = {
        {"5", Pi, "Sys:Arc radius:5"},                    // radius = half the chord: half circle
        {"5.0000005", Pi, "Sys:Arc radius:5.0000005"},    // within the tolerance above it
        {"2", Pi, "Sys:Arc radius:2"},                    // too small: still a half circle
        {"10", Shorter, "Sys:Arc radius:10"},             // the shorter arc, counter-clockwise
        {"-10", -Shorter, "Sys:Arc radius:10"},           // negative: clockwise
        {"0 5", -Pi, "Sys:Arc angle:1.5707963267949"},    // leaves the start straight up
        {"5 -5", Pi / 2, nullptr},                        // leaves at -45 degrees
        {"-5 1", -Pi, nullptr},                           // behind the start: limited to a half circle
        {"@0 -5", Pi, nullptr},                           // relative to the start, straight down
    };
    for (const auto& C : Cases) {
        Start();
        Run({"ARC", "0 0", "10 0", C.Third});
        const TObjHeader* P = OnlyPline();
        ASSERT_NE(P, nullptr) << C.Third;
        ASSERT_EQ(PlineSegCount(P), 1) << C.Third;
        EXPECT_NEAR(double(PlineSegs(P)[0].Alfa), double(C.Alfa), 1e-12) << C.Third;
        EXPECT_EQ(PlineSegs(P)[0].E.x, 10) << C.Third;
        if (C.Log) {
            EXPECT_TRUE(TCmdHarness::LogHas(C.Log)) << C.Third;
        }
        EXPECT_EQ(NewLog().back(), "Sys:ComArc End");
        EXPECT_EQ(MainVars.ComCnt, -1);
        H.reset();
    }
}

TEST_F(ComDrawTest, ArcRefusesAnEndOnItsStartAndBadThirdInputs) {
    const struct {
        Lines Script;
        const char* Err;
    } Cases[] = {
        {{"ARC", "0 0", "@0 0"}, "Err:Wrong pickpoint (@0 0)"},
        {{"ARC", "0 0", "10 0", "x"}, "Err:Wrong radius (X)"},
        {{"ARC", "0 0", "10 0", "x y"}, "Err:Wrong angle (X Y)"},
        {{"ARC", ""}, "Err:Wrong pickpoint ()"},
    };
    for (const auto& C : Cases) {
        Start();
        Run(C.Script);
        EXPECT_TRUE(H->DumpLines().empty()) << C.Err;
        EXPECT_TRUE(TCmdHarness::LogHas(C.Err)) << C.Err;
        EXPECT_EQ(NewLog().back(), "Sys:ComArc End");
        EXPECT_EQ(MainVars.ComCnt, -1);
        H.reset();
    }
}

TEST_F(ComDrawTest, CircleRadiusDiameterAndPoint) {
    const struct {
        const char* Second;
        Extended R;  // -1: no circle
        const char* Log;
    } Cases[] = {
        {"D20", 10, nullptr}, {"d20", 10, nullptr}, {"-5", 5, nullptr}, {"2*3", 6, nullptr},
        {"3 4", 5, "Sys:Circle radius:5"},  // a point on the circle
        {"@0 2", 2, "Sys:Circle radius:2"},
        {"", -1, "Err:Wrong radius ()"},
        {"Dx", -1, "Err:Wrong radius (X)"},
    };
    for (const auto& C : Cases) {
        Start();
        Run({"CIRCLE", "0 0", C.Second});
        if (C.R < 0) {
            EXPECT_TRUE(H->DumpLines().empty()) << C.Second;
        } else {
            const TObjHeader* P = OnlyPline();
            ASSERT_NE(P, nullptr) << C.Second;
            Osy Cen;
            Extended R = 0;
            EXPECT_TRUE(EnPline.IsCircle(P, Cen, R)) << C.Second;
            EXPECT_NEAR(double(R), double(C.R), 1e-12) << C.Second;
            EXPECT_EQ(AsPline(P)->PlineFlags & PlineClosed, PlineClosed);
        }
        if (C.Log) {
            EXPECT_TRUE(TCmdHarness::LogHas(C.Log)) << C.Second;
        }
        EXPECT_EQ(NewLog().back(), "Sys:ComCircle End");
        H.reset();
    }
}

TEST_F(ComDrawTest, FirstPointOffsetsStartFromTheOrigin) {
    const struct {
        Lines Script;
        Extended X, Y;  // first stored point of the new object
    } Cases[] = {
        {{"POINT", "@10 0"}, 10, 0},
        {{"LINE", "@10 0", "@5 0", ""}, 10, 0},
        {{"RECTANGLE", "@10 0", "@5 5"}, 10, 0},
        {{"POINT", "<10 90"}, 0, 10},
    };
    for (const auto& C : Cases) {
        Start();
        Run(C.Script);
        ASSERT_NE(MainVars.DataStart, nullptr) << C.Script[0];
        EXPECT_NEAR(double(FirstPt(MainVars.DataStart).x), double(C.X), 1e-15) << C.Script[0];
        EXPECT_NEAR(double(FirstPt(MainVars.DataStart).y), double(C.Y), 1e-15) << C.Script[0];
        H.reset();
    }
}

TEST_F(ComDrawTest, LineChainTakesMoreSegmentsThanInputSlots) {
    Start();
    Run({"LINE", "0 0"});
    for (int i = 1; i <= 15; ++i) H->Enter("@1 0");
    EXPECT_EQ(MainVars.ComCnt, 1);
    EXPECT_EQ(CountObjs(MainVars.DataStart), 15);
    EXPECT_EQ(PlineEndPt(MainVars.DataEnd).x, 15);
    H->Esc();
    EXPECT_EQ(CountObjs(MainVars.DataStart), 15);
}

TEST_F(ComDrawTest, PointLogsAndIsAppendedOnTheDrawingLayer) {
    Start();
    Glob.LayerDraw = 3;
    Run({"POINT", "1.5 -2"});
    EXPECT_EQ(NewLog(), (Lines{"Usr:POINT", "Sys:ComPoint Start", "Sys:PointTo La:3 X:1.5 Y:-2", "Sys:ComPoint End"}));
    EXPECT_EQ(H->DumpLines(), (Lines{"POINT layer=3 flags=1 1.5 -2.0"}));
    EXPECT_FALSE(MainVars.FileSaved);
    EXPECT_EQ(MainVars.Mouse.NextMove, mmCross);  // the clean-up restores the cross-hair
}

TEST_F(ComDrawTest, RectangleIsOneClosedPolyline) {
    Start();
    Run({"RECTANGLE", "0 0", "@4 3"});
    EXPECT_EQ(NewLog(), (Lines{"Usr:RECTANGLE", "Sys:ComRectangle Start", "Usr:PickPoint La:68 X:0 Y:0",
                               "Usr:PickPoint La:68 X:4 Y:3", "Sys:RectangleTo La:68 X:4 Y:3",
                               "Sys:ComRectangle End"}));
    const TObjHeader* P = OnlyPline();
    ASSERT_NE(P, nullptr);
    EXPECT_EQ(PlineSegCount(P), 4);
    EXPECT_EQ(AsPline(P)->PlineFlags & PlineClosed, PlineClosed);
}

TEST_F(ComDrawTest, PointToCircleMarksCentresOfSelectedCircles) {
    Start();
    Run({"CIRCLE", "5 5", "2", "LINE", "0 0", "1 1", ""});
    // Wrap the circle into a group; select the group and the line.
    TObjHeader* Circle = MainVars.DataStart;
    UnlinkObj(Circle, MainVars.DataStart, MainVars.DataEnd);
    TObjHeader* S = Circle;
    TObjHeader* E = Circle;
    TObjHeader* G = MakeGroup(false, S, E);
    AppendObj(G, MainVars.DataStart, MainVars.DataEnd);
    Mark();
    H->Enter("POINTTOCIR");
    // The user selects at the prompt.
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) p->Flags |= FlagSelected;
    AsGroup(G)->First->Flags |= FlagSelected;
    H->Enter("");
    EXPECT_EQ(NewLog(), (Lines{"Usr:POINTTOCIR", "Sys:ComPointToCircle Start", "Sys:ComPointToCircle End"}));
    const Lines Dump = H->DumpLines();
    ASSERT_EQ(Dump.size(), 4u) << ::testing::PrintToString(Dump) << ::testing::PrintToString(NewLog());
    EXPECT_EQ(Dump[3], "POINT layer=68 flags=1 5.0 5.0");  // outside the group, at the end
    EXPECT_FALSE(AsGroup(G)->First->Flags & FlagSelected);
}

TEST_F(ComDrawTest, DistShowsDistanceAngleAndDifferences) {
    const struct {
        const char* From;
        const char* To;
        const char* Text;
    } Cases[] = {
        {"0 0", "3 4", "d=5.000, u=53.130, dx=3.000, dy=4.000"},
        {"0 0", "0 -1", "d=1.000, u=270.000, dx=0.000, dy=-1.000"},
        {"1 1", "@2 -3", "d=3.606, u=303.690, dx=2.000, dy=-3.000"},
    };
    for (const auto& C : Cases) {
        Start();
        Run({"DIST", C.From, C.To});
        EXPECT_EQ(H->Echo(), C.Text);
        EXPECT_EQ(H->Form().HistoryList().back(), C.Text);
        EXPECT_EQ(H->Prompt(), "?>");
        EXPECT_EQ(NewLog(), (Lines{"Usr:DIST", "Sys:ComDist Start", "Sys:ComDist End"}));
        EXPECT_TRUE(H->DumpLines().empty());
        EXPECT_EQ(MainVars.UndoCount, 0);  // DIST takes no snapshot
        H.reset();
    }
}

TEST_F(ComDrawTest, DistWithABadPointEndsWithTheErrorLine) {
    Start();
    Run({"DIST", "0 0", "x"});
    EXPECT_EQ(NewLog(), (Lines{"Usr:DIST", "Sys:ComDist Start", "Err:Wrong pickpoint (X)", "Sys:ComDist End"}));
    EXPECT_EQ(H->Prompt(), "?>");
}

TEST_F(ComDrawTest, SpecEndsAtOnceAndChangesNothing) {
    Start();
    Run({"POINT", "1 1", "SPEC"});
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_EQ(H->DumpLines().size(), 1u);
    EXPECT_EQ(MainVars.UndoCount, 2);
}

}  // namespace
