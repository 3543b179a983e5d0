// Layer-tool defaults and the tool services: cutting radius, deepest pass, pass table
// for a depth, edge-length check and the record comparisons.
#include <gtest/gtest.h>

#include <cmath>

#include "core/Entity.h"
#include "core/Glob.h"
#include "core/IntFont.h"
#include "core/UniLog.h"
#include "platform/Dialogs.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"
#include "tools/ToolDg.h"
#include "tools/ToolLibFile.h"
#include "tools/UniTType.h"

namespace {

class ToolServicesTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        InitMaterial();
        InitToolLib();
        InitTool();
        InitToolType();
    }
    static void Rows(TTool& T, std::initializer_list<Extended> Depths) {
        T.Pruchod.fill(TPruchod{-1, -1, NoFeedValue, NoSpeedValue});
        int i = 1;
        for (Extended d : Depths) T.Pruchod[i++].Hloubka = d;
    }
};

TEST_F(ToolServicesTest, InitToolGivesEveryLayerItsDefaults) {
    EXPECT_EQ(Glob.Tool[1].SpodniPrumer, 0.2L);
    EXPECT_NEAR(double(Glob.Tool[64].SpodniPrumer), 12.8, 1e-12);
    for (int n = 1; n <= ToolLayerCount; ++n) {
        const TTool& T = Glob.Tool[n];
        ASSERT_EQ(LastUsedPass(T), 1) << n;
        EXPECT_EQ(T.Pruchod[1].Hloubka, 0.2L);
        EXPECT_EQ(T.Pruchod[2].Posuv, 5);
        EXPECT_EQ(T.TID, -1);
        EXPECT_EQ(T.Obrob, CelyPruchod);
        EXPECT_EQ(T.Material.Tech.Edge, 1);
        EXPECT_FALSE(ComparePlunge(T.Material.Zapich, TPlungeObjects{}));
    }
    EXPECT_EQ(Glob.SpolParObr.Rychloposuv, 50);
    EXPECT_EQ(Glob.SpolParObr.DepthToPlunge, 0.5L);
}

TEST_F(ToolServicesTest, InitToolKeepsTheMaterialsOwnFields) {
    Glob.Material[0].Zapich[0].RampPercent = true;
    Glob.Material[0].Zapich[2].IgnoreDepthDiv = true;
    Glob.Material[0].Zapich[4].FeedTime = 7;
    Glob.Material[0].Zapich[5].Method = 3;
    Glob.Material[0].Jmeno = "Dural";
    InitTool();
    const TMaterial& M = Glob.Tool[17].Material;
    EXPECT_TRUE(M.Zapich[0].RampPercent);
    EXPECT_TRUE(M.Zapich[2].IgnoreDepthDiv);
    EXPECT_EQ(M.Zapich[4].FeedTime, 7);
    EXPECT_EQ(M.Zapich[5].Method, 3);
    EXPECT_EQ(M.Jmeno, "Dural");
}

TEST_F(ToolServicesTest, InitToolWithoutMaterialsChangesNothing) {
    Glob.Material.clear();
    Glob.Tool[3].JmNastroje = "kept";
    ResetLog();
    InitTool();
    EXPECT_EQ(Glob.Tool[3].JmNastroje, "kept");
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:Init Tools"));
    EXPECT_TRUE(TCmdHarness::LogHas("Err:FAILED init Tools, no materials"));
}

TEST_F(ToolServicesTest, CuttingRadiusFollowsTheToolShape) {
    struct Case { int type; Extended Ds, R, U, Dh, depth, dist; };
    const Case cases[] = {
        {0, 0.2L, 0, 45, 3, 0, 0.1L},
        {0, 0.2L, 0, 45, 3, 1, 0.1L + std::tan(M_PIl / 8)},
        {0, 0.2L, 0, 45, 3, 4, 1.5L},
        {1, 6, 0, 45, 20, 0.5L, 3},  // cylindrical: the upper diameter does not count
        {1, 6, 0, 0, 1, 9, 3},
        {3, 0, 2, 0, 4, 0.5L, std::sqrt(4 - 2.25L)},
        {3, 0, 2, 0, 4, 2, 2},
        {3, 0, 2, 0, 4, 7, 2},
        {0, 2, 0, 0, 6, 1, 3},   // vertical flank wider above: the upper diameter at once
        {0, 6, 0, 0, 2, 1, 3},   // vertical flank narrower above: stays on the flank
    };
    for (const Case& c : cases) {
        TTool& T = Glob.Tool[5];
        T.ToolType = c.type;
        T.SpodniPrumer = c.Ds;
        T.Radius = c.R;
        T.UhelSpicky = c.U;
        T.HorniPrumer = c.Dh;
        Extended d = -5;
        ASSERT_TRUE(ToolDistLa(5, d, c.depth, false));
        EXPECT_NEAR(double(d), double(c.dist), 1e-9) << c.type << " " << double(c.depth);
    }
}

TEST_F(ToolServicesTest, CuttingRadiusRefusals) {
    Extended d = 42;
    EXPECT_FALSE(ToolDistLa(0, d, 1, false));
    EXPECT_FALSE(ToolDistLa(65, d, 1, false));
    Rows(Glob.Tool[2], {});
    EXPECT_FALSE(ToolDistLa(2, d, -1, false));
    Glob.Tool[4].ToolType = 9;  // beyond the type list
    EXPECT_FALSE(ToolDistLa(4, d, 1, false));
    EXPECT_EQ(d, 42);
    // -1 means the deepest pass, of the live tools or the working copy.
    ToolTmp = Glob.Tool;
    Rows(ToolTmp[1], {0.5L, 1});
    ASSERT_TRUE(ToolDistLa(1, d, -1, true));
    EXPECT_NEAR(double(d), double(0.1L + std::tan(M_PIl / 8)), 1e-9);
    ASSERT_TRUE(ToolDistLa(1, d, -1, false));
    EXPECT_NEAR(double(d), double(0.1L + 0.2L * std::tan(M_PIl / 8)), 1e-9);
}

TEST_F(ToolServicesTest, DrawingHooksAnswerWithTheDeepestPass) {
    Extended d = 0, e = 0;
    ASSERT_EQ(ToolDistLaHook, &ToolDistLa);
    ASSERT_TRUE(ShpToolDist && ShpToolDist(1, d));
    ASSERT_TRUE(ToolDistLa(1, e, 0.2L, false));
    EXPECT_EQ(d, e);
}

TEST_F(ToolServicesTest, DeepestPassIsTheLastUsedRow) {
    Extended m = 9;
    Rows(Glob.Tool[1], {3, 1});
    ASSERT_TRUE(MaxDepth(1, m, false));
    EXPECT_EQ(m, 1);
    Rows(Glob.Tool[1], {0.4L, 0});
    ASSERT_TRUE(MaxDepth(1, m, false));
    EXPECT_EQ(m, 0);
    Rows(Glob.Tool[1], {0.4L, -0.5L});
    ASSERT_TRUE(MaxDepth(1, m, false));
    EXPECT_EQ(m, 0.4L);
    Rows(Glob.Tool[1], {});
    m = 9;
    EXPECT_FALSE(MaxDepth(1, m, false));
    EXPECT_EQ(m, 0);
    EXPECT_FALSE(MaxDepth(65, m, false));
}

TEST_F(ToolServicesTest, DepthToToolSplitsIntoPasses) {
    TTool& T = Glob.Tool[1];
    T.Material.Tech.ApPercent = false;
    T.Material.Tech.Ap = 0.5L;
    DepthToTool(1.2L, 1, false);
    EXPECT_EQ(T.Pruchod[1].Hloubka, 0.5L);
    EXPECT_EQ(T.Pruchod[2].Hloubka, 1.0L);
    EXPECT_EQ(T.Pruchod[3].Hloubka, 1.2L);
    EXPECT_EQ(T.Pruchod[3].Posuv, T.Pruchod[2].Posuv);
    EXPECT_EQ(LastUsedPass(T), 3);
    EXPECT_EQ(T.Pruchod[4].Posuv, NoFeedValue);
    DepthToTool(1.0L, 1, false);
    EXPECT_EQ(LastUsedPass(T), 2);
    DepthToTool(0.3L, 1, false);
    EXPECT_EQ(LastUsedPass(T), 1);
    EXPECT_EQ(T.Pruchod[1].Hloubka, 0.3L);
    // Percent of the diameter: 10 % of 0.2 mm.
    T.Material.Tech.ApPercent = true;
    T.Material.Tech.Ap = 10;
    DepthToTool(0.1L, 1, false);
    EXPECT_EQ(LastUsedPass(T), 5);
}

TEST_F(ToolServicesTest, DepthToToolOnAnEmptyTableFillsPlaceholders) {
    TTool& T = ToolTmp[7];
    T = Glob.Tool[7];
    Rows(T, {});
    T.Material.Tech.ApPercent = false;
    T.Material.Tech.Ap = 1;
    T.Material.Tech.MaxN = 5000;
    DepthToTool(3, 7, true);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(T.Pruchod[i].Hloubka, i);
        EXPECT_EQ(T.Pruchod[i].Zapich, -1);
        EXPECT_EQ(T.Pruchod[i].Posuv, NoFeedValue);
        EXPECT_EQ(T.Pruchod[i].Otacky, 5000);
    }
    EXPECT_EQ(LastUsedPass(T), 3);
}

TEST_F(ToolServicesTest, DepthToToolLeavesTheTableAlone) {
    TTool& T = Glob.Tool[1];
    T.Material.Tech.ApPercent = false;
    const auto before = T.Pruchod;
    auto same = [&] {
        for (int i = 1; i <= MaxPruchod; ++i)
            if (T.Pruchod[i].Hloubka != before[i].Hloubka || T.Pruchod[i].Posuv != before[i].Posuv ||
                T.Pruchod[i].Otacky != before[i].Otacky || T.Pruchod[i].Zapich != before[i].Zapich)
                return false;
        return true;
    };
    T.Material.Tech.Ap = 1;
    for (Extended depth : {Extended(0), Extended(1e-7L), Extended(-2), Extended(256), Extended(NAN)}) {
        DepthToTool(depth, 1, false);
        EXPECT_TRUE(same()) << double(depth);
    }
    for (Extended ap : {Extended(0), Extended(-1), Extended(NAN), Extended(INFINITY)}) {
        T.Material.Tech.Ap = ap;
        DepthToTool(2, 1, false);
        EXPECT_TRUE(same()) << double(ap);
    }
    T.Material.Tech.Ap = 0.01L;
    DepthToTool(2.57L, 1, false);  // more than 255 passes
    EXPECT_TRUE(same());
    DepthToTool(1, 0, false);
    DepthToTool(1, 65, false);
}

TEST_F(ToolServicesTest, EdgeLengthAgainstThePassSteps) {
    TTool& T = ToolTmp[3];
    T.DelkaBritu = 1;
    Rows(T, {0.5L, 1.5L});
    EXPECT_TRUE(CheckEdgeLength(3));
    Rows(T, {0.5L, 1.6L});
    TCmdResponder R;
    TResponder* Prev = SetResponder(&R);
    ResetLog();
    EXPECT_FALSE(CheckEdgeLength(3));
    SetResponder(Prev);
    ASSERT_EQ(R.Shown.size(), 1u);
    EXPECT_NE(R.Shown[0].find("Pro zvolené hloubky je délka britu malá"), std::string::npos);
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Edge length too short"));
    Rows(T, {});
    EXPECT_TRUE(CheckEdgeLength(3));
    EXPECT_TRUE(CheckEdgeLength(70));
}

TEST_F(ToolServicesTest, Comparisons) {
    TTool a = Glob.Tool[1], b = Glob.Tool[1];
    b.Poznamka = "note";
    b.Pruchod[1].Posuv = 1;
    EXPECT_TRUE(CompareTool(a, b));
    b.DelkaBritu = 2;
    EXPECT_FALSE(CompareTool(a, b));
    TPlungeObjects p = a.Material.Zapich, q = p;
    q[0].FeedTime = 99;
    q[5].Method = 2;
    EXPECT_TRUE(ComparePlunge(p, q));
    q[4].TangExit = !q[4].TangExit;
    EXPECT_FALSE(ComparePlunge(p, q));
    Rows(a, {1, 2, 3});
    Rows(b, {2, 3});
    EXPECT_TRUE(CompareDepth(a, b));
    Rows(b, {});
    Rows(a, {});
    EXPECT_TRUE(CompareDepth(a, b));
    Rows(b, {0});
    EXPECT_TRUE(CompareDepth(a, b));  // none counts as 0
    Rows(b, {2});
    EXPECT_FALSE(CompareDepth(a, b));
}

}  // namespace

namespace {

// A spindle limit of 0 is no limit: the speeds of the passes stay as they were.
TEST_F(ToolServicesTest, DepthToToolWithoutSpindleLimitKeepsTheSpeeds) {
    TTool& T = ToolTmp[7];
    T = Glob.Tool[7];
    Rows(T, {});
    T.Material.Tech.ApPercent = false;
    T.Material.Tech.Ap = 1;
    for (const int32_t Limit : {0, -5}) {
        T.Material.Tech.MaxN = Limit;
        DepthToTool(3, 7, true);
        for (int i = 1; i <= 3; ++i) EXPECT_GT(T.Pruchod[i].Otacky, 0) << Limit << " row " << i;
    }
}

}  // namespace
