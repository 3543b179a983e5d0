// Where the export would hurt a machine or a part, it does the sound thing instead:
// the first layer always gets its tool, plunges without finite legs or loops go
// straight down and say so in the error list, no negative or zero feed is written, a
// polyline without a plunge strategy is not approached, and passes without a retract
// go straight down at the path's start.
#include <gtest/gtest.h>

#include <cmath>

#include "NcJob.h"
#include "core/Builder.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdHarness.h"

namespace {

class NcFaultTest : public NcJobTest {
protected:
    void SetUp() override {
        NcJobTest::SetUp();
        SetTool(1, {0.5L, 1.0L});
    }
    static TObjHeader*& DS() { return MainVars.DataStart; }
    static TObjHeader*& DE() { return MainVars.DataEnd; }
    static TToolPlunge& Plunge(int K) { return Glob.Tool[1].Material.Zapich[size_t(K)]; }
    // The error list shown at the end of the run holds a line with Text.
    static bool ErrorListSays(const std::string& Text) {
        for (const std::string& l : TCmdHarness::LogTexts())
            if (l.rfind("Sys:ErrorDG:", 0) == 0 && l.find(Text) != std::string::npos) return true;
        return false;
    }
    static size_t Count(const std::string& Text, const std::string& S) {
        size_t n = 0;
        for (size_t a = Text.find(S); a != std::string::npos; a = Text.find(S, a + 1)) ++n;
        return n;
    }
};

TEST_F(NcFaultTest, FirstLayerGetsItsToolChangeEvenWithTheToolOfLayer64) {
    Glob.Tool[64] = Glob.Tool[1];
    EnPoint.Add(Osy{1, 1}, 1, DS(), DE());
    EXPECT_EQ(Count(Export(), "T1;???"), 1u);
}

// Plunges that have no finite legs or loops: vertical, once in the error list.
TEST_F(NcFaultTest, PlungesWithoutFiniteLegsGoStraightDown) {
    const struct {
        const char* Name;
        std::function<void()> Set;
        bool Closed;
        const char* Said;
    } Cases[] = {
        {"ramp angle 0", [] { Plunge(poOpen).Method = 2; Plunge(poOpen).RampAngle = 0; }, false, "rampa"},
        {"ramp angle 90", [] { Plunge(poOpen).Method = 2; Plunge(poContour).RampAngle = 90; }, true, "rampa"},
        {"spiral angle 0", [] { Plunge(poOpen).Method = 3; Plunge(poContour).SpiralAngle = 0; }, true, "sestup"},
        {"helix pitch 0", [] { Plunge(poPoint).Method = 3; Plunge(poPoint).SpiralPitch = 0; Plunge(poPoint).SpiralRad = 2; }, false, "šroubovice"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Name);
        FreeObjList(DS(), DE());
        ResetLog();
        SetTool(1, {0.5L, 1.0L});
        c.Set();
        TScriptResponder R;
        R.ExpectModal("ErrorDialog", mrOk);
        if (std::string(c.Name) == "helix pitch 0")
            EnPoint.Add(Osy{4, 4}, 1, DS(), DE());
        else if (c.Closed)
            EnPline.RectangleAdd(Osy{0, 0}, Osy{10, 5}, 1, DS(), DE());
        else
            EnPline.LineAdd(Osy{0, 0}, Osy{10, 0}, 1, DS(), DE());
        const TMachineRun run = ExportAndRun();
        EXPECT_TRUE(SafetyViolations(run, 5, 1).empty());
        // Every move down at a plunge keeps its XY.
        for (const TMachineMove& m : run.Moves)
            if (!m.Rapid && m.To.z < m.From.z - 1e-6L) {
                EXPECT_NEAR(double(m.To.x), double(m.From.x), 1e-9);
                EXPECT_NEAR(double(m.To.y), double(m.From.y), 1e-9);
            }
        EXPECT_TRUE(R.Done());
        EXPECT_TRUE(ErrorListSays(c.Said));
    }
}

TEST_F(NcFaultTest, ZeroLengthPolylineGoesStraightDown) {
    Plunge(poOpen).Method = 2;
    Plunge(poOpen).RampAngle = 5;
    StartObj(Osy{3, 3});
    AddSeg(Osy{3.000000001L, 3}, 0, 0);
    MakeObj(1, DS(), DE());
    TScriptResponder R;
    R.ExpectModal("ErrorDialog", mrOk);
    const TMachineRun run = ExportAndRun();
    EXPECT_TRUE(SafetyViolations(run, 5, 1).empty());
    EXPECT_TRUE(ErrorListSays("Vrstva 1: rampa nelze spočítat, zanořeno kolmo"));
}

// A 3D polyline's pass row without a plunge feed takes the open objects' plunge feed;
// a pass without a feed writes none and says so.
TEST_F(NcFaultTest, NoNegativeOrZeroFeedIsWritten) {
    StartObj3D(Osy3D{0, 0, -1});
    AddSeg3D(Osy3D{10, 0, -1}, 0, CoordTol);
    MakeObj3D(1, DS(), DE());
    Glob.Tool[1].Pruchod[1].Zapich = -1;
    Plunge(poOpen).FeedTime = 1.5L;
    std::string text = Export();
    EXPECT_EQ(Count(text, "F-"), 0u);
    EXPECT_EQ(Count(text, "F1.5;zapich"), 2u);
    Glob.Tool[1].Pruchod[2].Posuv = 0;
    TScriptResponder R;
    R.ExpectModal("ErrorDialog", mrOk);
    text = Export();
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(Count(text, "F0.0"), 0u);
    EXPECT_TRUE(ErrorListSays("Vrstva 1: posuv 0.0 není kladný, nezapsán"));
}

// An open polyline whose plunge method has no strategy is neither approached nor cut.
TEST_F(NcFaultTest, PolylineWithoutStrategyIsNotApproached) {
    Plunge(poOpen).Method = 1;
    EnPline.LineAdd(Osy{2, 2}, Osy{10, 0}, 1, DS(), DE());
    const std::string text = Export();
    EXPECT_EQ(Count(text, "G1 "), 0u);
    EXPECT_EQ(Count(text, "G0 X"), 0u);
}

// A closed path without retracts: after the first pass the tool goes straight down
// at the start; no descending move crosses material below the first pass.
TEST_F(NcFaultTest, PassesWithoutRetractPlungeStraightDown) {
    for (int method : {0, 2, 3}) {
        SCOPED_TRACE(method);
        FreeObjList(DS(), DE());
        TTool& T = SetTool(1, {0.4L, 0.8L, 1.2L}, CelyObjekt);
        T.BezVyjezdu = true;
        Plunge(poOpen).Method = uint8_t(method);
        Plunge(poContour).RampAngle = 4;
        Plunge(poContour).SpiralAngle = 2;
        EnPline.RectangleAdd(Osy{0, 0}, Osy{20, 10}, 1, DS(), DE());
        const TMachineRun run = ExportAndRun();
        EXPECT_TRUE(SafetyViolations(run, 5, 1.2L).empty());
        size_t rapids = 0;
        for (const TMachineMove& m : run.Moves) {
            rapids += m.Rapid;
            if (!m.Rapid && m.To.z < -0.4L - 1e-6L && m.To.z < m.From.z - 1e-6L)
                EXPECT_LT(std::hypot(double(m.To.x - m.From.x), double(m.To.y - m.From.y)), 1e-9);
        }
        EXPECT_EQ(rapids, 4u);  // clearance after the tool change, XY, down, final retract
    }
}

}  // namespace
