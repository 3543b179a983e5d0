// The export frame: rapids rise over the clamp outlines, objects under a clamp are
// skipped with their message, a layer without a usable tool or pass ends the run
// without touching the target, and a selected-only run cuts the selection only.
#include <gtest/gtest.h>

#include "NcJob.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"
#include "support/CmdHarness.h"

namespace {

class NcFrameTest : public NcJobTest {
protected:
    void SetUp() override {
        NcJobTest::SetUp();
        SetTool(1, {0.5L});
        SetTool(2, {0.5L});
    }
    static TObjHeader*& DS() { return MainVars.DataStart; }
    static TObjHeader*& DE() { return MainVars.DataEnd; }
    static std::vector<std::string> LinesOf(const std::string& Text) {
        std::vector<std::string> v;
        for (size_t a = 0, b; (b = Text.find("\r\n", a)) != std::string::npos; a = b + 2) v.push_back(Text.substr(a, b - a));
        return v;
    }
    static size_t Index(const std::vector<std::string>& L, const std::string& S) {
        for (size_t i = 0; i < L.size(); ++i)
            if (L[i].find(S) != std::string::npos) return i;
        return L.size();
    }
};

TEST_F(NcFrameTest, RapidsRiseOverClampsAndObjectsUnderThemAreSkipped) {
    EnPline.RectangleAdd(Osy{10, -5}, Osy{12, 5}, LayerUpin, DS(), DE());
    EnPoint.Add(Osy{0, 0}, 1, DS(), DE());
    EnPoint.Add(Osy{20, 0}, 1, DS(), DE());
    EnPoint.Add(Osy{11, 0}, 1, DS(), DE());               // under the clamp
    EnPline.LineAdd(Osy{5, 1}, Osy{15, 1}, 1, DS(), DE());  // across it
    EnPoint.Add(Osy{20, 20}, 1, DS(), DE());              // beside it: no rise
    TScriptResponder R;
    R.ExpectMessage(mrOk, Msg[37]);
    R.ExpectMessage(mrOk, Msg[38]);
    WriteFile("Gcode.cfg", "CislovaniRadku=''\nOddelovacKomentare=''\n");
    const TMachineRun run = ExportAndRun();
    EXPECT_TRUE(R.Done());
    EXPECT_TRUE(SafetyViolations(run, 5, 0.5L).empty());
    const std::vector<std::string> l = LinesOf(ReadFile(NcPath()));
    const size_t at = Index(l, "G0 X20.000 Y0.000");
    ASSERT_LT(at, l.size());
    EXPECT_EQ(l[at - 1], "G0 Z10.000");
    EXPECT_EQ(l[Index(l, "G0 X20.000 Y20.000") - 1], "G0 Z5.000");
    EXPECT_EQ(Index(l, "X11.000"), l.size());
    EXPECT_EQ(Index(l, "X15.000"), l.size());
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Wrong def. of tool or clamp (La:1)"));
}

// Two layers of one tool (no tool change between them) whose deepest passes differ:
// the clamp outlines follow the second layer's wider cut.
TEST_F(NcFrameTest, ClampOutlinesFollowEveryLayer) {
    SetTool(1, {0.1L});
    Glob.Tool[2] = Glob.Tool[1];
    Glob.Tool[2].Pruchod[1].Hloubka = 3;
    EnPline.RectangleAdd(Osy{10, -5}, Osy{12, 5}, LayerUpin, DS(), DE());
    EnPoint.Add(Osy{0, 0}, 1, DS(), DE());
    EnPline.LineAdd(Osy{12.5L, -10}, Osy{12.5L, 10}, 2, DS(), DE());
    TScriptResponder R;
    R.ExpectMessage(mrOk, Msg[38]);
    const std::string text = Export();
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(text.find("X12.500"), std::string::npos);
    EXPECT_EQ(text.find("T2"), std::string::npos);
}

TEST_F(NcFrameTest, LayerWithoutUsableToolEndsTheRunAndKeepsTheTarget) {
    WriteFile("job.nc", "old");
    EnPoint.Add(Osy{1, 1}, 1, DS(), DE());
    {
        // No pass at the tool change: the tool-or-clamp failure.
        SetTool(1, {});
        TScriptResponder R;
        R.ExpectMessage(mrOk, Msg[39]);
        EXPECT_EQ(Export(), "");
        EXPECT_TRUE(R.Done());
        EXPECT_TRUE(TCmdHarness::LogHas("Err:Wrong def. of tool or clamp (La:1)"));
    }
    {
        // Layer 2 has layer 1's tool but no pass: no tool change, the no-pass failure,
        // and the user learns why nothing was written.
        SetTool(1, {0.5L});
        Glob.Tool[2] = Glob.Tool[1];
        Glob.Tool[2].Pruchod[1].Hloubka = -1;
        EnPoint.Add(Osy{2, 2}, 2, DS(), DE());
        ResetLog();
        TScriptResponder R;
        R.ExpectMessage(mrOk, "Vrstva 2: nástroj nemá žádný průchod, program nebyl zapsán");
        EXPECT_EQ(Export(), "");
        EXPECT_TRUE(R.Done());
        EXPECT_TRUE(TCmdHarness::LogHas("Err:No pass in layer (La:2)"));
        EXPECT_TRUE(TCmdHarness::LogHas("Sys:Save NC End"));
    }
    EXPECT_EQ(ReadFile(InDir("job.nc")), "old");
}

TEST_F(NcFrameTest, SelectedOnlyRunCutsTheSelection) {
    EnPoint.Add(Osy{1, 1}, 1, DS(), DE())->Flags |= FlagSelected;
    EnPoint.Add(Osy{2, 2}, 1, DS(), DE());
    EnPoint.Add(Osy{3, 3}, 2, DS(), DE());
    WriteFile("Gcode.cfg", "CislovaniRadku=''\nOddelovacKomentare=''\n");
    const std::vector<std::string> l = LinesOf(Export(false));
    EXPECT_LT(Index(l, "G0 X1.000 Y1.000"), l.size());
    EXPECT_EQ(Index(l, "X2.000"), l.size());
    EXPECT_EQ(Index(l, "X3.000"), l.size());
    // Layer 2 has objects but none selected: its tool change and spindle words stay.
    EXPECT_LT(Index(l, "T2"), l.size());
}

// Whole-object order drills each point through all its passes before the next.
TEST_F(NcFrameTest, WholeObjectOrderDrillsPointByPoint) {
    SetTool(1, {0.5L, 1.0L}, CelyObjekt);
    EnPoint.Add(Osy{1, 1}, 1, DS(), DE());
    EnPoint.Add(Osy{2, 2}, 1, DS(), DE());
    const TMachineRun run = ExportAndRun();
    EXPECT_TRUE(SafetyViolations(run, 5, 1).empty());
    std::vector<Extended> bottoms;
    for (const TMachineMove& m : run.Moves)
        if (!m.Rapid && m.To.z < m.From.z) bottoms.push_back(m.To.x * 10 + m.To.z);
    EXPECT_EQ(bottoms, (std::vector<Extended>{10 - 0.5L, 10 - 1, 20 - 0.5L, 20 - 1}));
}

}  // namespace
