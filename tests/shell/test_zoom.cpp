// Zoom stack, zoom commands, the wheel, panning by keys and the middle button, and the
// switches and steps of the snap raster and the angle step.
#include <cmath>

#include "core/UniLog.h"
#include "shell/MainView.h"
#include "shell/SetCfg.h"
#include "ViewFixture.h"

class ZoomTest : public ViewTest {};

namespace {

struct TWin {
    Osy Min, Max;
};

TWin Window() { return {Glob.ZoomMin, Glob.ZoomMax}; }

void ExpectWindow(const TWin& W, const TWin& Expected, const char* What = "") {
    EXPECT_EQ(W.Min.x, Expected.Min.x) << What;
    EXPECT_EQ(W.Min.y, Expected.Min.y) << What;
    EXPECT_EQ(W.Max.x, Expected.Max.x) << What;
    EXPECT_EQ(W.Max.y, Expected.Max.y) << What;
}

}  // namespace

TEST_F(ZoomTest, SixteenZoomInsFillTheStackAndZoomBackRestoresThem) {
    F().ComZoomLimits();
    const Osy P{100, 80};
    H->MoveTo(P.x, P.y);
    const TPoint Px = WorldToPixel(P);
    std::vector<TWin> Wins{Window()};
    for (int i = 1; i <= 16; ++i) {
        // Menu, keyword and wheel share the stack.
        if (i % 3 == 0)
            F().ZoomInMnuClick();
        else if (i % 3 == 1)
            H->Enter("ZOOMIN");
        else
            ASSERT_TRUE(H->Key("WHEELUP"));
        Wins.push_back(Window());
        // The point under the pointer stays where it is.
        EXPECT_EQ(WorldToPixel(P), Px) << i;
    }
    EXPECT_EQ(Glob.ZoomIndex, 64);
    EXPECT_NEAR(double(Wins[1].Max.x - Wins[1].Min.x), double(Wins[0].Max.x - Wins[0].Min.x) / 2, 1e-9);

    // The seventeenth step does nothing, however it comes (the menu's does not even redraw).
    Canvas.Reset();
    F().ComZoomIn();
    EXPECT_TRUE(Canvas.Ops.empty());
    H->Enter("ZOOMIN");
    H->Key("WHEELUP");
    ExpectWindow(Window(), Wins[16], "17th");
    EXPECT_EQ(Glob.ZoomIndex, 64);

    for (int i = 15; i >= 0; --i) {
        F().ComZoomPreview();
        ExpectWindow(Window(), Wins[i], "back");
    }
    EXPECT_EQ(Glob.ZoomIndex, 0);
    // Nothing left to go back to: zoom out at the pointer by WheelRatio.
    F().ComZoomPreview();
    EXPECT_NEAR(double(Glob.ZoomMin.x), double(P.x - (P.x - Wins[0].Min.x) * 1.5L), 1e-9);
    EXPECT_NEAR(double(Glob.ZoomMax.y), double(P.y + (Wins[0].Max.y - P.y) * 1.5L), 1e-9);
    EXPECT_NEAR(double(Glob.BoduNaMm), double(1000 / (Glob.ZoomMax.x - Glob.ZoomMin.x)), 1e-9);
    EXPECT_EQ(Glob.ZoomArr[0], Glob.ZoomMin.x);
}

TEST_F(ZoomTest, ZoomInCentredPutsThePointerInTheMiddle) {
    F().ComZoomLimits();
    Glob.ZoomCenter = true;
    H->MoveTo(100, 80);
    const Extended W = Glob.ZoomMax.x - Glob.ZoomMin.x;
    F().ComZoomIn();
    EXPECT_NEAR(double((Glob.ZoomMin.x + Glob.ZoomMax.x) / 2), 100, 1e-9);
    EXPECT_NEAR(double((Glob.ZoomMin.y + Glob.ZoomMax.y) / 2), 80, 1e-9);
    EXPECT_NEAR(double(Glob.ZoomMax.x - Glob.ZoomMin.x), double(W / 2), 1e-9);

    // The wheel moves the system pointer to the middle of the form with it.
    static TPoint Moved;
    SetCursorPosHook = [](int32_t X, int32_t Y) { Moved = {X, Y}; };
    F().Left = 100;
    F().Top = 50;
    H->Key("WHEELUP");
    SetCursorPosHook = nullptr;
    EXPECT_EQ(Moved, (TPoint{100 + 500, 50 + 350}));
    EXPECT_NEAR(double((Glob.ZoomMin.x + Glob.ZoomMax.x) / 2), 100, 1e-9);
}

TEST_F(ZoomTest, ZoomToTheDrawingAndToTheLimits) {
    struct Case {
        const char* What;
        std::vector<Osy> Points;
        Osy Min, Max;  // the box before the margin
    } Cases[] = {
        {"empty", {}, {0, 0}, {300, 200}},
        {"one point", {{50, 50}}, {49, 49}, {51, 51}},
        {"two points", {{10, 20}, {110, 30}}, {10, 20}, {110, 30}},
        {"beyond 10 m", {{20000, 15000}, {20100, 15030}}, {20000, 15000}, {20100, 15030}},
    };
    for (const Case& C : Cases) {
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
        for (const Osy& P : C.Points) Point(P);
        H->Enter("ZOOMOBJ");
        const Osy D{C.Max.x - C.Min.x, C.Max.y - C.Min.y};
        const Osy Min{C.Min.x - D.x / 100, C.Min.y - D.y / 100};
        const Extended W = D.x * 1.02L, Hh = D.y * 1.02L;
        EXPECT_NEAR(double(Glob.ZoomMin.x), double(Min.x), 1e-9) << C.What;
        EXPECT_NEAR(double(Glob.ZoomMin.y), double(Min.y), 1e-9) << C.What;
        // 1000 x 700 pixels: the fuller axis decides the scale, the other grows.
        const Extended B = 1000 / 700.0L >= W / Hh ? 700 / Hh : 1000 / W;
        EXPECT_NEAR(double(Glob.BoduNaMm), double(B), 1e-9) << C.What;
        EXPECT_NEAR(double(Glob.ZoomMax.x), double(Min.x + 1000 / B), 1e-9) << C.What;
        EXPECT_NEAR(double(Glob.ZoomMax.y), double(Min.y + 700 / B), 1e-9) << C.What;
        EXPECT_EQ(Glob.ZoomIndex, 0);
    }
    // A wider area: the lower-left corner stays at (-3, -2) and the height fits.
    F().Width = 1400;
    F().ZoomLimitsMnuClick();
    EXPECT_NEAR(double(Glob.ZoomMin.x), -3, 1e-12);
    EXPECT_NEAR(double(Glob.ZoomMin.y), -2, 1e-12);
    EXPECT_NEAR(double(Glob.ZoomMax.y), 202, 1e-9);
    EXPECT_NEAR(double(Glob.BoduNaMm), 700 / 204.0, 1e-9);
    EXPECT_TRUE(TCmdHarness::LogHas("Usr:ZoomLimits"));
}

TEST_F(ZoomTest, ZoomWindowFromTwoCorners) {
    struct Case {
        const char* First;
        const char* Second;
        bool Zooms;
    } Cases[] = {
        {"10 10", "50 30", true},
        {"50 30", "10 10", true},   // corners the other way round: the same window
        {"50 10", "10 30", true},
        {"10 10", "@40 20", true},  // relative to the first corner
        {"10 10", "abc", false},    // does not parse
        {"10 10", "10 30", false},  // no width
        {"10 10", "50 10", false},  // no height
    };
    for (const Case& C : Cases) {
        F().ComZoomLimits();
        const TWin Before = Window();
        H->Enter("ZOOMW");
        EXPECT_EQ(H->Prompt(), "První roh>");
        H->Enter(C.First);
        EXPECT_EQ(H->Prompt(), "Druhý roh>");
        EXPECT_EQ(MainVars.Mouse.NextMove, mmWin);
        H->Enter(C.Second);
        EXPECT_EQ(H->Prompt(), "?>");
        EXPECT_EQ(MainVars.ComCnt, -1);
        if (!C.Zooms) {
            ExpectWindow(Window(), Before, C.Second);
            EXPECT_EQ(Glob.ZoomIndex, 0) << C.Second;
            EXPECT_TRUE(std::isfinite(double(Glob.BoduNaMm)));
            continue;
        }
        // 40 x 20 mm on 1000 x 700 pixels: the width fits, the height grows to 28 mm.
        EXPECT_EQ(Glob.ZoomIndex, 4) << C.First;
        EXPECT_NEAR(double(Glob.ZoomMin.x), 10, 1e-12);
        EXPECT_NEAR(double(Glob.ZoomMin.y), 10, 1e-12);
        EXPECT_NEAR(double(Glob.ZoomMax.x), 50, 1e-12);
        EXPECT_NEAR(double(Glob.ZoomMax.y), 38, 1e-12);
        EXPECT_NEAR(double(Glob.BoduNaMm), 25, 1e-12);
        ExpectWindow({{Glob.ZoomArr[4], Glob.ZoomArr[5]}, {Glob.ZoomArr[6], Glob.ZoomArr[7]}}, Before);
    }
}

TEST_F(ZoomTest, ZoomWindowFromTheMenuReplacesTheRunningCommand) {
    H->Enter("LINE");
    H->Enter("0 0");
    F().ZoomWindowMnuClick();
    EXPECT_EQ(MainVars.Command[0], "ZOOMW");
    EXPECT_EQ(H->Prompt(), "První roh>");
    H->Pick(10, 10);
    H->Pick(50, 30);
    EXPECT_EQ(MainVars.ComCnt, -1);
    EXPECT_NEAR(double(Glob.BoduNaMm), 25, 1e-9);
    EXPECT_TRUE(H->DumpLines().empty());
}

TEST_F(ZoomTest, WheelDirectionFollowsTheSetting) {
    F().ComZoomLimits();
    H->MoveTo(100, 100);
    struct Case {
        bool Check;
        const char* Key;
        int Index;  // ZoomIndex after one step from a stack of one step
    } Cases[] = {{false, "WHEELUP", 8}, {false, "WHEELDOWN", 0}, {true, "WHEELUP", 0}, {true, "WHEELDOWN", 8}};
    for (const Case& C : Cases) {
        F().ComZoomLimits();
        F().ComZoomIn();
        Glob.WheelCheck = C.Check;
        H->Key(C.Key);
        EXPECT_EQ(Glob.ZoomIndex, C.Index) << C.Check << C.Key;
    }
}

TEST_F(ZoomTest, ArrowKeysAndTheMiddleButtonPan) {
    SetView({0, 0}, 8);  // 125 x 87.5 mm
    struct Case {
        const char* Key;
        Osy Min;
    } Cases[] = {{"LEFT", {-12.5, 0}}, {"RIGHT", {12.5, 0}}, {"UP", {0, 8.75}}, {"DOWN", {0, -8.75}}};
    for (const Case& C : Cases) {
        SetView({0, 0}, 8);
        H->Key(C.Key);
        EXPECT_NEAR(double(Glob.ZoomMin.x), double(C.Min.x), 1e-12) << C.Key;
        EXPECT_NEAR(double(Glob.ZoomMin.y), double(C.Min.y), 1e-12) << C.Key;
        EXPECT_NEAR(double(Glob.ZoomMax.x - Glob.ZoomMin.x), 125, 1e-12);
    }
    // Shift adds nothing.
    SetView({0, 0}, 8);
    uint16_t K = VK_LEFT;
    F().FormKeyDown(K, ssShift);
    EXPECT_NEAR(double(Glob.ZoomMin.x), -12.5, 1e-12);

    // The middle button pans once, at the release, even while a command waits for a point.
    SetView({0, 0}, 8);
    H->Enter("POINT");
    const std::string Prompt = H->Prompt();
    H->MoveTo(50, 50);
    F().FormMouseDown(TMouseButton::mbMiddle, ssMiddle, 0, 0);
    H->MoveTo(60, 55);
    EXPECT_EQ(Glob.ZoomMin.x, 0);
    F().FormMouseUp(TMouseButton::mbMiddle, 0, 0, 0);
    EXPECT_NEAR(double(Glob.ZoomMin.x), -10, 1e-12);
    EXPECT_NEAR(double(Glob.ZoomMin.y), -5, 1e-12);
    EXPECT_EQ(H->Prompt(), Prompt);
    EXPECT_EQ(MainVars.ComCnt, 0);
    EXPECT_TRUE(H->DumpLines().empty());
}

TEST_F(ZoomTest, SnapAndAngleStepsStayInRange) {
    TPanel* Panel = F().FindOrMake<TPanel>("PanelSnap");
    Glob.SnapRatio = 10;
    Glob.SnapDist = {1, 1};
    // Switched off: refused.
    Menu("SnapOnMnu")->Checked = false;
    H->Enter("SNAPUP");
    EXPECT_EQ(Glob.SnapDist.x, 1);
    H->Enter("SNAP");
    EXPECT_TRUE(Menu("SnapOnMnu")->Checked);
    const Extended Up[] = {10, 100, 100};
    for (Extended E : Up) {
        H->Enter("SNAPUP");
        EXPECT_EQ(Glob.SnapDist.x, E);
        EXPECT_EQ(Glob.SnapDist.y, E);
    }
    EXPECT_EQ(Panel->Caption, "100.0000");
    Glob.SnapDist = {0.001L, 0.001L};
    F().SnapDnMnuClick();
    EXPECT_NEAR(double(Glob.SnapDist.x), 0.0001, 1e-15);
    F().SnapDnMnuClick();
    EXPECT_NEAR(double(Glob.SnapDist.x), 0.0001, 1e-15);
    EXPECT_TRUE(TCmdHarness::LogHas("Usr:SnapDown"));

    Menu("ASnapOnMnu")->Checked = false;
    F().ASnapOnMnuClick();
    EXPECT_TRUE(Menu("ASnapOnMnu")->Checked);
    Glob.ASnapDist = 15;
    F().ASnapUpMnuClick();
    EXPECT_EQ(Glob.ASnapDist, 15);  // 150 is out of range
    F().ASnapDnMnuClick();
    EXPECT_EQ(Glob.ASnapDist, 1.5L);
    EXPECT_EQ(F().Find<TPanel>("PanelASnap") ? F().Find<TPanel>("PanelASnap")->Caption : "1.5", "1.5");
}

TEST_F(ZoomTest, StepTextsOfTheStatusPanels) {
    struct Case {
        Extended V;
        const char* Snap;
        const char* ASnap;
    } Cases[] = {{1, "1.0000", "1.0"}, {0.05L, "0.0500", "0.1"}, {15, "15.0000", "15.0"}};
    SetCfgDecimalSeparator(',');
    for (const Case& C : Cases) {
        Glob.SnapDist = {C.V, C.V};
        Glob.ASnapDist = C.V;
        EXPECT_EQ(TMainForm::SnapStepText(), C.Snap);
        EXPECT_EQ(TMainForm::ASnapStepText(), C.ASnap);
    }
    SetCfgDecimalSeparator(0);
}

TEST_F(ZoomTest, GridSwitchAndMenuLogLines) {
    F().GridOnMnuClick();
    EXPECT_TRUE(Menu("GridOnMnu")->Checked);
    H->Enter("GRID");
    EXPECT_FALSE(Menu("GridOnMnu")->Checked);
    F().OrthoOnMnuClick();
    EXPECT_TRUE(Menu("OrthoOnMnu")->Checked);
    F().NotCmd = true;
    F().RedrawMnuClick();
    EXPECT_FALSE(TCmdHarness::LogHas("Usr:Redraw"));
    F().NotCmd = false;
    F().RedrawMnuClick();
    for (const char* L : {"Usr:Grid", "Usr:Ortho", "Usr:Redraw"}) EXPECT_TRUE(TCmdHarness::LogHas(L)) << L;
}
