// BREAK, TRIM and EXTEND typed through the command line, with the links of machining
// operations following the rebuilt polylines.
#include <cmath>
#include <vector>

#include "cam/CamOpList.h"
#include "commands/ComRegen.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;
using Adrs = std::vector<TObjHeader*>;

class ComTrimTest : public CmdTest {
protected:
    void Begin() { StartWithContours(1); }
    static TObjHeader* Line(Osy S, Osy E, bool Selected = false) { return AddLine(S, E, Selected); }
    static Extended Len(const TObjHeader* p) { return EnPline.Length(p); }
};

TEST_F(ComTrimTest, TrimCutsBetweenBoundariesAndTheSourceLinkFollows) {
    Begin();
    Line({3, -5}, {3, 5}, true);
    Line({7, -5}, {7, 5}, true);
    TObjHeader* L = Line({0, 0}, {10, 0});
    CamOpAddParent(L, 0);
    Run({"TRIM", "", "5 0"});
    EXPECT_EQ(MainVars.ComCnt, 1);  // waits for the next pick
    const Adrs D = Drawing();
    ASSERT_EQ(D.size(), 4u);
    EXPECT_NEAR(double(Len(D[2])), 3, 1e-9);
    EXPECT_NEAR(double(Len(D[3])), 3, 1e-9);
    EXPECT_EQ(Parents(0), (Adrs{D[2], D[3]}));
    EXPECT_EQ(OpList.Cam[0].Status, 1);
    // Neither piece stays highlighted, so the next pick can trim it again.
    EXPECT_FALSE(D[2]->Flags & FlagSelected);
    EXPECT_FALSE(D[3]->Flags & FlagSelected);
}

TEST_F(ComTrimTest, TrimOfAClosedPolylineCutTwiceJoinsTheRest) {
    Begin();
    EnPline.RectangleAdd({0, 0}, {10, 10}, 1, MainVars.DataStart, MainVars.DataEnd);
    TObjHeader* R = MainVars.DataEnd;
    CamOpAddParent(R, 0);
    Line({-5, 5}, {15, 5}, true);
    Run({"TRIM", "", "5 10"});
    const Adrs D = Drawing();
    ASSERT_EQ(D.size(), 2u) << ::testing::PrintToString(H->DumpLines());
    EXPECT_NEAR(double(Len(D[1])), 20, 1e-9);  // the lower part: 5 + 10 + 5
    EXPECT_EQ(Parents(0), (Adrs{D[1]}));
    EXPECT_FALSE(D[1]->Flags & FlagSelected);
}

TEST_F(ComTrimTest, OnePickTrimsEveryPolylineItHitsButExtendsOnlyTheFirst) {
    const struct {
        const char* Key;
        Extended Reach;  // the parallel lines run from -Reach to 10
        int Changed;     // of the two parallel lines
    } Cases[] = {{"TRIM", 30, 2}, {"EXTEND", 10, 1}};
    for (const auto& C : Cases) {
        Begin();
        Line({-20, -5}, {-20, 5}, true);
        Line({20, -5}, {20, 5}, true);
        TObjHeader* A = Line({-C.Reach, 0}, {10, 0});
        TObjHeader* B = Line({-C.Reach, 0.1L}, {10, 0.1L});
        Run({C.Key, "", "9 0"});
        int Changed = 0;
        bool AFound = false, BFound = false;
        for (TObjHeader* p : Drawing()) {
            AFound |= p == A;
            BFound |= p == B;
        }
        Changed = !AFound + !BFound;
        EXPECT_EQ(Changed, C.Changed) << C.Key;
        if (C.Changed == 1) EXPECT_TRUE(BFound);
        H.reset();
    }
}

TEST_F(ComTrimTest, TrimUsesEveryShownObjectWhenNothingIsSelected) {
    Begin();
    Line({3, -5}, {3, 5});
    TObjHeader* L = Line({0, 0}, {10, 0});
    Run({"TRIM", "", "8 0"});
    const Adrs D = Drawing();
    ASSERT_EQ(D.size(), 2u);
    EXPECT_NE(D[1], L);
    EXPECT_NEAR(double(Len(D[1])), 3, 1e-9);
}

TEST_F(ComTrimTest, PicksThatMissOrDoNotParse) {
    const struct {
        Lines Script;
        int ComCnt;
        const char* Last;
    } Cases[] = {
        {{"TRIM", "", "50 50"}, 1, "Sys:ComTrim End"},
        {{"TRIM", "", "x"}, -1, "Sys:ComTrim End"},
        {{"EXTEND", "", "50 50"}, 1, "Sys:ComExtend End;"},
        {{"EXTEND", "", ""}, -1, "Sys:ComExtend End;"},
        {{"BREAK", "50 50"}, -1, "Sys:ComBreak End"},
        {{"BREAK", "5 0", "y"}, -1, "Sys:ComBreak End"},
    };
    for (const auto& C : Cases) {
        Begin();
        Line({0, 0}, {10, 0});
        Mark();
        Run(C.Script);
        EXPECT_EQ(CountObjs(MainVars.DataStart), 1) << C.Script[0];
        EXPECT_EQ(MainVars.ComCnt, C.ComCnt) << C.Script[0] << C.Script.back();
        EXPECT_EQ(NewLog().back(), C.Last) << C.Script.back();
        H.reset();
    }
}

TEST_F(ComTrimTest, ExtendReachesTheBoundaryAndSkipsSelectedObjects) {
    Begin();
    TObjHeader* B = Line({10, -5}, {10, 5}, true);
    TObjHeader* L = Line({0, 0}, {5, 0});
    CamOpAddParent(L, 0);
    Run({"EXTEND", "", "4.9 0"});
    const Adrs D = Drawing();
    ASSERT_EQ(D.size(), 2u);
    EXPECT_EQ(D[0], B);
    EXPECT_NEAR(double(PlineEndPt(D[1]).x), 10, 1e-9);
    EXPECT_EQ(Parents(0), (Adrs{D[1]}));
    // The boundary stays selected and is never extended.
    H->Enter("10 4.9");
    EXPECT_EQ(CountObjs(MainVars.DataStart), 2);
    EXPECT_EQ(MainVars.DataStart, B);
}

TEST_F(ComTrimTest, BreakSplitsAndTheLinksGoToBothPieces) {
    Begin();
    TObjHeader* L = Line({0, 0}, {10, 0});
    CamOpAddChild(L, 0);
    Run({"BREAK", "5 0", "4 0"});
    const Adrs D = Drawing();
    ASSERT_EQ(D.size(), 2u);
    EXPECT_NEAR(double(Len(D[0])), 4, 1e-9);
    EXPECT_NEAR(double(Len(D[1])), 6, 1e-9);
    const TCamOp& C = OpList.Cam[0];
    EXPECT_EQ(Adrs(C.Childs.begin(), C.Childs.begin() + C.ChilCnt), (Adrs{D[0], D[1]}));
    EXPECT_EQ(C.Status, 4);
    EXPECT_EQ(MainVars.ComCnt, 0);  // back at the first prompt
    EXPECT_EQ(NewLog().back(), "Sys:ComBreak End");
}

}  // namespace
