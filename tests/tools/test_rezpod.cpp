// The cutting-conditions calculator on a form that carries the named inputs.
#include <gtest/gtest.h>

#include "core/Glob.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "shell/SetCfg.h"
#include "support/Fixture.h"
#include "tools/UniRezPod.h"

namespace {

class RezPodTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        SetCfgDecimalSeparator('.');
        for (const char* n : {"ToolDSpodni", "ToolR", "ToolU", "ToolV", "ToolDHorni", "ToolBrit",
                              "ToolPocetBritu", "ToolMaxSpindleSpeed", "ToolN", "ToolVc", "ToolVf",
                              "ToolFz", "ToolFn", "ToolAp", "ToolAe"}) {
            Form.Make<TEdit>(std::string("Edit") + n)->Text = "0";
            Form.Make<TLabel>(std::string("Lab") + n);
        }
        Form.Make<TSpeedButton>("SbtnToolApUnits")->Caption = "[mm]";
        Form.Make<TSpeedButton>("SBtnToolAeUnits")->Caption = "[%]";
        Set("DSpodni", "10");
        Set("DHorni", "10");
        Set("Brit", "20");
        Set("PocetBritu", "2");
        Set("MaxSpindleSpeed", "24000");
        Set("N", "10000");
        Set("Vc", "1");
        Set("Vf", "1");
        Set("Fz", "0.05");
        Set("Fn", "1");
        Set("Ap", "1");
        Set("Ae", "50");
        Glob.SpolParObr.VelUnit = MmPerMin;
        RezPodRegisterForm(0, &Form);
    }
    void TearDown() override {
        RezPodRegisterForm(0, nullptr);
        SetCfgDecimalSeparator(0);
        KestrilonTest::TearDown();
    }
    TControl* E(const std::string& n) { return Form.Find<TControl>("EditTool" + n); }
    TControl* Lab(const std::string& n) { return Form.Find<TControl>("LabTool" + n); }
    void Set(const std::string& n, const std::string& t) { E(n)->Text = t; }
    std::string Get(const std::string& n) { return E(n)->Text; }
    TForm Form{"ToolDialog"};
};

TEST_F(RezPodTest, SpeedAndFeedsFollowOneAnother) {
    RezPodRecalc(rpN, 0);
    EXPECT_EQ(Get("Vc"), "314.159");
    EXPECT_EQ(Get("Vf"), "1000");
    Glob.SpolParObr.VelUnit = MmPerSec;
    RezPodRecalc(rpN, 0);
    EXPECT_EQ(Get("Vf"), "16.667");
    Glob.SpolParObr.VelUnit = MmPerMin;
    Set("N", "1");
    Set("Vc", "314.159");
    RezPodRecalc(rpVc, 0);
    EXPECT_EQ(Get("N"), "10000");
    Set("Fn", "0.1");
    Set("Fz", "9");
    RezPodRecalc(rpFn, 0);
    EXPECT_EQ(Get("Fz"), "0.05");
    EXPECT_EQ(Get("Vf"), "1000");
    Set("Fz", "1");
    Set("Fn", "1");
    Glob.SpolParObr.VelUnit = MmPerSec;
    Set("Vf", "16.6666666667");
    RezPodRecalc(rpVf, 0);
    EXPECT_EQ(Get("Fn"), "0.1");
    EXPECT_EQ(Get("Fz"), "0.05");
    EXPECT_FALSE(RezPodPageErr[0] || RezPodPageErr[1]);
}

// The cutting speed is shown rounded; a spindle speed that gives the shown value is not
// computed back from it, so showing a tool again and again leaves its speed alone.
TEST_F(RezPodTest, SpeedShownAgainDoesNotDrift) {
    Set("DSpodni", "0.2");
    Set("MaxSpindleSpeed", "8000");
    Set("N", "8000");
    for (int i = 0; i < 3; ++i) RezPodRecalcAll(0);
    EXPECT_EQ(Get("Vc"), "5.027");
    EXPECT_EQ(Get("N"), "8000");
    EXPECT_FALSE(RezPodPageErr[1]);
    // A typed cutting speed still gives its spindle speed.
    Set("Vc", "5.1");
    RezPodRecalc(rpVc, 0);
    EXPECT_EQ(Get("N"), "8117");
}

TEST_F(RezPodTest, InvalidAndDisabledInputs) {
    Set("N", "30000");
    RezPodRecalc(rpN, 0);
    EXPECT_EQ(Lab("N")->Font.Color, clRed);
    EXPECT_EQ(Lab("MaxSpindleSpeed")->Font.Color, clRed);
    EXPECT_TRUE(RezPodPageErr[1]);
    EXPECT_EQ(Get("Vc"), "942.478");  // still computed with it
    Set("N", "10000");
    Set("R", "x");
    RezPodRecalc(rpNone, 0);
    EXPECT_EQ(Lab("R")->Font.Color, clRed);
    EXPECT_EQ(Lab("N")->Font.Color, clDefault);
    EXPECT_TRUE(RezPodPageErr[0]);
    EXPECT_FALSE(RezPodPageErr[1]);
    E("PocetBritu")->Enabled = false;
    Set("Vc", "1");
    RezPodRecalc(rpN, 0);
    EXPECT_EQ(Get("Vc"), "1");  // no edges: nothing computed
    E("MaxSpindleSpeed")->Enabled = false;
    RezPodRecalc(rpNone, 0);
    EXPECT_EQ(Lab("N")->Font.Color, clRed);
}

// A diameter or a depth of cut of 0 is refused (red caption, page error) and nothing
// is derived from it.
TEST_F(RezPodTest, ZeroDiameterOrDepthOfCutIsRefused) {
    struct Case {
        const char *Input, *Caption;
        int Kind, Page;
    };
    for (const Case& c : {Case{"DSpodni", "DSpodni", rpVc, 0}, Case{"Ap", "Ap", rpAp, 1}}) {
        SCOPED_TRACE(c.Input);
        Set(c.Input, "0");
        Set("N", "1234");
        Set("Vc", "100");
        RezPodRecalc(c.Kind, 0);
        EXPECT_EQ(Lab(c.Caption)->Font.Color, clRed);
        EXPECT_TRUE(RezPodPageErr[size_t(c.Page)]);
        EXPECT_EQ(Get("N"), "1234");
        EXPECT_EQ(Get(c.Input), "0");
        Set(c.Input, "6");
    }
}

TEST_F(RezPodTest, WidthInPercentAgainstTheDiameter) {
    Set("DSpodni", "6");
    Set("Ae", "50.0");
    RezPodRecalc(rpAe, 0);
    EXPECT_EQ(Get("Ae"), "50");
    Set("Ae", "100.0");
    RezPodRecalc(rpAe, 0);
    EXPECT_EQ(Get("Ae"), "100.0");
    Form.Find<TControl>("SBtnToolAeUnits")->Caption = "[mm]";
    Set("Ae", "100.0");
    RezPodRecalc(rpAe, 0);
    EXPECT_EQ(Get("Ae"), "100");
    // No form for the library dialog: nothing bound, nothing written, no fault.
    RezPodRecalcAll(1);
    EXPECT_EQ(RezPodDlg, 1);
}

}  // namespace
