// The dimension commands typed through the command line: the measured value offered
// as text, the text taken as typed, the leader's chain, and bad points.
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;

class ComDimTest : public CmdTest {};

TEST_F(ComDimTest, OfferedValueAndBuiltDimension) {
    const struct {
        Lines Script;  // up to the text prompt
        const char* Offer;
        const char* Text;  // typed; nullptr: accept the offer
        const char* End;
    } Cases[] = {
        {{"DIMHOR", "0 0", "10 5", "5 20"}, "Text>10.0", nullptr, "Sys:ComDimLinear End"},
        {{"DIMVERT", "0 0", "10 5", "20 0"}, "Text>5.0", nullptr, "Sys:ComDimLinear End"},
        {{"DIMROT", "0 0", "10 5", "0 10"}, "Text>11.2", "Délka", "Sys:ComDimLinear End"},
        {{"DIMANGLE", "0 0", "10 0", "0 10", "5 5"}, "Text>90.0°", nullptr, "Sys:ComDimAngle End"},
        {{"DIMANGLE", "0 0", "10 0", "0 10", "-5 -5"}, "Text>270.0°", nullptr, "Sys:ComDimAngle End"},
        {{"DIMLEADER", "0 0", "10 10", "@10 0", ""}, "Text>", "Ahoj", "Sys:ComDimLeader End"},
    };
    for (const auto& C : Cases) {
        Start();
        Run(C.Script);
        ASSERT_EQ(H->Prompt(), C.Offer) << C.Script[0];
        if (C.Text) {
            // The offer is erased first.
            for (size_t i = std::string(C.Offer).size(); i > 5; --i) H->Form().PressKey(8);
            H->Type(C.Text);
        }
        H->Enter("");
        EXPECT_EQ(MainVars.ComCnt, -1);
        EXPECT_EQ(NewLog().back(), C.End) << C.Offer;
        const std::string Want = C.Text ? C.Text : std::string(C.Offer).substr(5);
        EXPECT_EQ(WorkText.Text, Utf8ToCp1250(Want)) << C.Offer;
        ASSERT_NE(MainVars.DataStart, nullptr) << C.Offer;
        EXPECT_EQ(MainVars.DataStart->Type, ObjGroup) << C.Offer;  // one dimension group
        EXPECT_EQ(MainVars.DataStart->Next, nullptr) << C.Offer;
        EXPECT_EQ(MainVars.SaveStart, nullptr);
        H.reset();
    }
}

TEST_F(ComDimTest, BadPointsEndWithoutADimension) {
    const struct {
        Lines Script;
        const char* Err;  // nullptr: no error line
        const char* End;
    } Cases[] = {
        {{"DIMHOR", "x"}, "Err:Wrong pickpoint (X)", "Sys:ComDimLinear End"},
        {{"DIMVERT", "0 0", ""}, "Err:Wrong pickpoint ()", "Sys:ComDimLinear End"},
        {{"DIMROT", "0 0", "1 1", "a b"}, "Err:Wrong pickpoint (A B)", "Sys:ComDimLinear End"},
        {{"DIMANGLE", "0 0", "1 0", "q"}, nullptr, "Sys:ComDimAngle End"},
        {{"DIMANGLE", "0 0", "1 0", "0 1", ""}, "Err:Wrong pickpoint ()", "Sys:ComDimAngle End"},
        {{"DIMLEADER", ""}, "Err:Wrong pickpoint ()", "Sys:ComDimLeader End"},
        // Nothing to measure: refused like an angle dimension on one ray.
        {{"DIMHOR", "3 3", "3 3", "5 20", ""}, "Err:Linear dimension refused, the points coincide",
         "Sys:ComDimLinear End"},
        {{"DIMHOR", "3 0", "3 8", "5 20", ""}, "Err:Linear dimension refused, the points coincide",
         "Sys:ComDimLinear End"},
        {{"DIMVERT", "0 4", "9 4", "20 0", ""}, "Err:Linear dimension refused, the points coincide",
         "Sys:ComDimLinear End"},
        {{"DIMROT", "2 2", "2 2", "0 10", ""}, "Err:Linear dimension refused, the points coincide",
         "Sys:ComDimLinear End"},
    };
    for (const auto& C : Cases) {
        Start();
        Mark();
        Run(C.Script);
        EXPECT_EQ(MainVars.ComCnt, -1) << C.End;
        EXPECT_EQ(MainVars.DataStart, nullptr) << C.End;
        const Lines Log = NewLog();
        EXPECT_EQ(Log.back(), C.End);
        bool HasErr = false;
        for (const std::string& L : Log) HasErr |= L.rfind("Err:", 0) == 0;
        EXPECT_EQ(HasErr, C.Err != nullptr) << C.End;
        if (C.Err) {
            EXPECT_TRUE(TCmdHarness::LogHas(C.Err)) << C.Err;
        }
        H.reset();
    }
}

TEST_F(ComDimTest, LeaderLegsLiveOnlyInTheWorkingList) {
    Start();
    Run({"DIMLEADER", "0 0", "10 10", "20 10"});
    EXPECT_EQ(CountObjs(MainVars.SaveStart), 2);
    EXPECT_EQ(MainVars.DataStart, nullptr);
    EXPECT_EQ(H->Prompt(), "Kam>");
    H->Esc();
    EXPECT_EQ(MainVars.SaveStart, nullptr);
    EXPECT_EQ(MainVars.DataStart, nullptr);
}

}  // namespace

namespace {

TEST_F(ComDimTest, DimStyleKeepsTheStyleUnlessOk) {
    for (const int Answer : {mrCancel, mrOk}) {
        Start();
        DimTextStyle.Vyska = 2.5L;
        WorkText.Vyska = 7;
        H->Answer(Answer);
        H->Enter("DIMSTYLE");
        EXPECT_EQ(MainVars.ComCnt, -1);
        EXPECT_TRUE(TCmdHarness::LogHas("Sys:ComDimStyle End"));
        // The dialog edited the dimension style's values.
        EXPECT_EQ(WorkText.Vyska, 2.5L);
        if (Answer == mrOk) {
            EXPECT_EQ(DimTextStyle.JmFontu, WorkText.JmFontu);
        }
        EXPECT_EQ(DimTextStyle.Vyska, 2.5L);
        H.reset();
    }
}

}  // namespace
