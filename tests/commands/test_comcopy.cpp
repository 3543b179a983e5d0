// COPY, COPYTOACTIVE, RECTARR and POLARARR with their dialogs and operation links.
#include <cmath>
#include <vector>

#include "cam/CamOpList.h"
#include "commands/ArPolDg.h"
#include "commands/ArRectDg.h"
#include "commands/ComRegen.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "core/UniWalk.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;

std::vector<int> Regenerated;
void RecordRegen(int OpNum) { Regenerated.push_back(OpNum); }

class ComCopyTest : public CmdTest {
protected:
    void SetUp() override {
        CmdTest::SetUp();
        Regenerated.clear();
        RegenCamOpHook = &RecordRegen;
    }
    void TearDown() override {
        RegenCamOpHook = nullptr;
        CmdTest::TearDown();
    }
    // A start resets the program, which installs the machining code's regeneration: the
    // recorder takes its place again.
    void Start() {
        CmdTest::Start();
        RegenCamOpHook = &RecordRegen;
    }
    static TObjHeader* Line(Osy S, Osy E, bool Selected = false) {
        EnPline.LineAdd(S, E, 1, MainVars.DataStart, MainVars.DataEnd);
        if (Selected) MainVars.DataEnd->Flags |= FlagSelected;
        return MainVars.DataEnd;
    }
    // The start points of the records after First.
    static std::vector<Osy> StartsAfter(const TObjHeader* First) {
        std::vector<Osy> R;
        for (const TObjHeader* p = First->Next; p; p = p->Next) R.push_back(AsPline(p)->S);
        return R;
    }
    static int Count() {
        int n = 0;
        for (const TObjHeader* p = MainVars.DataStart; p; p = p->Next) ++n;
        return n;
    }
};

TEST_F(ComCopyTest, CopyPlacesSetsUntilAnInputIsNoPoint) {
    Start();
    TObjHeader* A = Line({0, 0}, {1, 0}, true);
    Mark();
    Run({"COPY", "", "0 0", "10 0", "@0 5", ""});
    const std::vector<Osy> S = StartsAfter(A);
    ASSERT_EQ(S.size(), 2u);
    EXPECT_EQ(S[0].x, 10);
    EXPECT_EQ(S[1].y, 5);  // relative to the base point
    EXPECT_EQ(MainVars.ComCnt, -1);
    const Lines L = NewLog();
    int Ends = 0;
    for (const auto& T : L) Ends += T == "Sys:ComCopy End";
    EXPECT_EQ(Ends, 1);
    ASSERT_GE(L.size(), 2u);
    EXPECT_EQ(L[L.size() - 2], "Err:Wrong pickpoint ()");
    EXPECT_EQ(L.back(), "Sys:ComCopy End");
    EXPECT_EQ(MainVars.SaveStart, nullptr);
}

TEST_F(ComCopyTest, CopiesInheritLinksOnlyWithCopyCamOps) {
    for (const bool Inherit : {false, true}) {
        Start();
        TObjHeader* Src = Line({0, 0}, {1, 0}, true);
        TObjHeader* Path = Line({0, 1}, {1, 1}, true);
        OpList.CamCnt = 1;
        OpList.Cam[0].OpType = 1;
        OpList.Cam[0].Status = 0;
        CamOpAddParent(Src, 0);
        CamOpAddChild(Path, 0);
        Glob.CopyCamOps = Inherit;
        Glob.AutoRegen = true;
        Run({"COPY", "", "0 0", "10 0", "20 0", ""});
        EXPECT_EQ(Count(), 6);
        EXPECT_EQ(OpList.Cam[0].ParCnt, Inherit ? 3 : 1) << Inherit;
        EXPECT_EQ(OpList.Cam[0].ChilCnt, Inherit ? 3 : 1) << Inherit;
        EXPECT_EQ(OpList.Cam[0].Status, 0) << Inherit;  // copied paths mark nothing
        EXPECT_EQ(Regenerated, Inherit ? std::vector<int>{0} : std::vector<int>{}) << Inherit;
        EXPECT_TRUE(CopyRegenQueue.Empty());
        H.reset();
        Regenerated.clear();
    }
}

TEST_F(ComCopyTest, EscapedCopysQueueGoesWhenTheOperationsChange) {
    // After each command the queued number would name another operation, or none.
    const Lines Commands[] = {{"NEW"}, {"UNDO"}, {"DELETE", ""}};
    for (const Lines& Cmd : Commands) {
        Start();
        TObjHeader* Src = Line({0, 0}, {1, 0}, true);
        TObjHeader* Other = Line({5, 0}, {6, 0});
        OpList.CamCnt = 2;
        for (int i = 0; i < 2; ++i) OpList.Cam[i].OpType = 1, OpList.Cam[i].Status = 0;
        CamOpAddParent(Other, 0);
        CamOpAddParent(Src, 1);
        Glob.CopyCamOps = true;
        Glob.AutoRegen = false;
        Run({"COPY", "", "0 0", "10 0"});
        H->Esc();
        ASSERT_EQ(CopyRegenQueue.Ops(), std::vector<int>{1}) << Cmd[0];
        ClearSelection(MainVars.DataStart);
        Other->Flags |= FlagSelected;
        Run(Cmd);
        EXPECT_TRUE(CopyRegenQueue.Empty()) << Cmd[0];
        H.reset();
    }
}

TEST_F(ComCopyTest, EscapedCopyLeavesItsQueueForTheNextCopy) {
    Start();
    TObjHeader* Src = Line({0, 0}, {1, 0}, true);
    OpList.CamCnt = 1;
    OpList.Cam[0].OpType = 1;
    OpList.Cam[0].Status = 0;
    CamOpAddParent(Src, 0);
    Glob.CopyCamOps = true;
    Glob.AutoRegen = false;
    Run({"COPY", "", "0 0", "10 0"});
    H->Esc();
    EXPECT_EQ(OpList.Cam[0].ParCnt, 2);   // the copy's link stays
    EXPECT_EQ(OpList.Cam[0].Status, 0);   // nothing handed over
    EXPECT_EQ(CopyRegenQueue.Ops(), std::vector<int>{0});
    // The next COPY that ends through its last step hands the number over.
    Line({5, 5}, {6, 5}, true);
    Run({"COPY", "", "0 0", ""});
    EXPECT_EQ(OpList.Cam[0].Status, 1);
    EXPECT_TRUE(CopyRegenQueue.Empty());
}

TEST_F(ComCopyTest, RectArrayMakesSerpentineCells) {
    const struct {
        const char *Rows, *Cols, *RowDist, *ColDist;
        std::vector<Osy> Starts;
        const char* Last;  // the last log line
    } Cases[] = {
        {"2", "3", "10", "20", {{20, 0}, {40, 0}, {40, 10}, {20, 10}, {0, 10}}, "Sys:ComArrRect End"},
        {"1", "1", "10", "20", {}, "Sys:RectArrayDg Close (H.Dist:20 V.Dist:10 H.Cnt:1 V.Cnt:1"},
        {"0", "2", "5", "-3", {{-3, 0}}, "Sys:ComArrRect End"},
        {"2.5", "1", "-4", "1", {{0, -4}}, "Sys:ComArrRect End"},  // 2.5 rounds to 2
        {"x", "2", "1", "1", {}, "Sys:ComArrRect End"},
        {"2", "2", "1", "y", {}, "Sys:ComArrRect End"},
        // Too many elements: refused before anything is copied.
        {"1e30", "1", "1", "1", {}, "Sys:ComArrRect End"},
        {"101", "100", "1", "1", {}, "Sys:ComArrRect End"},
    };
    for (const auto& C : Cases) {
        Start();
        CreateArrRectDialog();
        ArrRectDialog->EditRowCount->Text = C.Rows;
        ArrRectDialog->EditColCount->Text = C.Cols;
        ArrRectDialog->EditRowDist->Text = C.RowDist;
        ArrRectDialog->EditColDist->Text = C.ColDist;
        TObjHeader* A = Line({0, 0}, {1, 0}, true);
        H->Answer(mrOk);
        Mark();
        Run({"RECTARR", ""});
        const std::vector<Osy> S = StartsAfter(A);
        ASSERT_EQ(S.size(), C.Starts.size()) << C.Rows << " " << C.Cols;
        for (size_t i = 0; i < S.size(); ++i) {
            EXPECT_EQ(S[i].x, C.Starts[i].x) << i;
            EXPECT_EQ(S[i].y, C.Starts[i].y) << i;
        }
        EXPECT_EQ(NewLog().back(), C.Last) << C.Rows << " " << C.Cols;
        const bool Huge = std::string(C.Rows) == "1e30" || std::string(C.Rows) == "101";
        EXPECT_EQ(TCmdHarness::LogHas("Err:Array too large (Cnt:" + std::string(C.Rows) + " x " + C.Cols +
                                      ", max 10000)"),
                  Huge)
            << C.Rows;
        const auto& Shown = H->Responder().Shown;
        EXPECT_EQ(!Shown.empty() && Shown.back().find("(max 10000)") != std::string::npos, Huge) << C.Rows;
        H.reset();
    }
}

TEST_F(ComCopyTest, PolarArrayTurnsCopiesAboutTheCentre) {
    const struct {
        const char *Count, *Angle;
        size_t Copies;
        const char* Log;
    } Cases[] = {
        {"4", "90", 3, "Usr:Angle:90"},
        {"1", "90", 0, "Err:no elements to array"},
        {"abc", "90", 0, "Usr:Count:abc"},
        {"3", "z", 0, "Err:Wrong angle (z)"},
        {"1e30", "1", 0, "Err:Array too large (Cnt:1e30, max 10000)"},
        {"10001", "1", 0, "Err:Array too large (Cnt:10001, max 10000)"},
    };
    for (const auto& C : Cases) {
        Start();
        CreateArrPolarDialog();
        ArrPolarDialog->EditCount->Text = C.Count;
        ArrPolarDialog->EditAngle->Text = C.Angle;
        TObjHeader* A = Line({10, 0}, {11, 0}, true);
        H->Answer(mrOk);
        Mark();
        Run({"POLARARR", "", "0 0"});
        const std::vector<Osy> S = StartsAfter(A);
        ASSERT_EQ(S.size(), C.Copies) << C.Count;
        const Osy Want[] = {{0, 10}, {-10, 0}, {0, -10}};
        for (size_t i = 0; i < S.size(); ++i) {
            EXPECT_NEAR(double(S[i].x), double(Want[i].x), 1e-9) << i;
            EXPECT_NEAR(double(S[i].y), double(Want[i].y), 1e-9) << i;
        }
        EXPECT_TRUE(TCmdHarness::LogHas(C.Log)) << C.Log;
        EXPECT_EQ(NewLog().back(), "Sys:ComArrPolar End");
        H.reset();
    }
}

TEST_F(ComCopyTest, CopyToActiveCopiesGroupsOntoTheDrawingLayer) {
    Start();
    TObjHeader *S = nullptr, *E = nullptr;
    EnPline.LineAdd({0, 0}, {1, 0}, 1, S, E);
    TObjHeader* G = MakeGroup(false, S, E);
    G->Layer = 1;
    G->Flags |= FlagSelected;
    AppendObj(G, MainVars.DataStart, MainVars.DataEnd);
    Glob.LayerDraw = 68;
    Run({"COPYTOACTIVE", ""});
    ASSERT_NE(G->Next, nullptr);
    TObjHeader* C = G->Next;
    EXPECT_EQ(C->Type, ObjGroup);
    EXPECT_EQ(C->Layer, 68);
    EXPECT_EQ(AsGroup(C)->First->Layer, 68);
    EXPECT_EQ(G->Layer, 1);
    EXPECT_EQ(AsGroup(G)->First->Layer, 1);
    EXPECT_FALSE(G->Flags & FlagSelected);
    EXPECT_EQ(OpList.CamCnt, 0);
}

}  // namespace
