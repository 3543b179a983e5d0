// ROTATE, MIRROR, SCALE and SIZE: in place or as copies, and the operation links.
#include <cmath>
#include <vector>

#include "cam/CamOpList.h"
#include "commands/ComRegen.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "shell/MainVars.h"
#include "shell/SetDg.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;

class ComTransformTest : public CmdTest {
protected:
    static TObjHeader* Line(Osy S, Osy E, bool Selected = true) { return AddLine(S, E, Selected); }
    // Box of every record's polyline points.
    static void Box(const TObjHeader* p, Osy& Mn, Osy& Mx) {
        Mn = Mx = AsPline(p)->S;
        for (int i = 0; i < PlineSegCount(p); ++i) {
            const Osy E = PlineSegs(p)[i].E;
            Mn = {std::min(Mn.x, E.x), std::min(Mn.y, E.y)};
            Mx = {std::max(Mx.x, E.x), std::max(Mx.y, E.y)};
        }
    }
    static int Count() {
        int n = 0;
        for (const TObjHeader* p = MainVars.DataStart; p; p = p->Next) ++n;
        return n;
    }
    static void SetDlg() {
        if (!SetDialog) CreateSetDialog();
    }
};

TEST_F(ComTransformTest, RotateByAngleOrDirection) {
    const struct {
        const char* Input;
        Extended X, Y;  // the start of the line (10, 0)-(11, 0) afterwards
        const char* Log;
    } Cases[] = {
        {"90", 0, 10, "Usr:Angle:1.5707963267949"},
        {"0 5", 0, 10, nullptr},      // a point straight above the centre
        {"@-3 0", -10, 0, nullptr},   // to the left: half a turn
        {"-90", 0, -10, nullptr},
        {"q", 10, 0, "Err:Wrong angle (Q)"},
        {"1 q", 10, 0, "Err:Wrong angle (1 Q)"},
    };
    for (const auto& C : Cases) {
        Start();
        SetDlg();
        SetDialog->RBtnRotDel->Click();
        TObjHeader* L = Line({10, 0}, {11, 0});
        Mark();
        Run({"ROTATE", "", "0 0", C.Input});
        EXPECT_EQ(Count(), 1) << C.Input;
        EXPECT_NEAR(double(AsPline(L)->S.x), double(C.X), 1e-9) << C.Input;
        EXPECT_NEAR(double(AsPline(L)->S.y), double(C.Y), 1e-9) << C.Input;
        if (C.Log) EXPECT_TRUE(TCmdHarness::LogHas(C.Log)) << C.Input;
        EXPECT_EQ(NewLog().back(), "Sys:ComRotate End;");
        H.reset();
    }
}

TEST_F(ComTransformTest, RotateAndMirrorKeepOrDeleteByTheSettings) {
    const struct {
        const char* Keyword;
        bool Leave;
        const char* Second;
        Extended CopyX, CopyY;  // the start of the transformed line
    } Cases[] = {
        {"ROTATE", true, "90", 0, 10},
        {"ROTATE", false, "90", 0, 10},
        {"MIRROR", true, "0 1", -10, 0},
        {"MIRROR", false, "0 1", -10, 0},
    };
    for (const auto& C : Cases) {
        Start();
        SetDlg();
        const bool Rot = std::string(C.Keyword) == "ROTATE";
        (Rot ? (C.Leave ? SetDialog->RBtnRotLeave : SetDialog->RBtnRotDel)
             : (C.Leave ? SetDialog->RBtnMirLeave : SetDialog->RBtnMirDel))
            ->Click();
        TObjHeader* L = Line({10, 0}, {11, 0});
        OpList.CamCnt = 1;
        OpList.Cam[0].OpType = 1;
        OpList.Cam[0].Status = 0;
        CamOpAddParent(L, 0);
        Glob.CopyCamOps = false;
        Glob.AutoRegen = false;
        Run({C.Keyword, "", "0 0", C.Second});
        ASSERT_EQ(Count(), C.Leave ? 2 : 1) << C.Keyword << C.Leave;
        const TObjHeader* T = MainVars.DataEnd;
        EXPECT_NEAR(double(AsPline(T)->S.x), double(C.CopyX), 1e-9) << C.Keyword << C.Leave;
        EXPECT_NEAR(double(AsPline(T)->S.y), double(C.CopyY), 1e-9) << C.Keyword << C.Leave;
        EXPECT_NEAR(double(AsPline(L)->S.x), double(C.Leave ? 10 : C.CopyX), 1e-9);
        // A left original is not queued; a plain copy has no links.
        EXPECT_EQ(OpList.Cam[0].Status, C.Leave ? 0 : 1) << C.Keyword << C.Leave;
        EXPECT_EQ(OpList.Cam[0].ParCnt, 1);
        EXPECT_FALSE(T->Flags & FlagSelected);
        H.reset();
    }
}

TEST_F(ComTransformTest, DefaultMirrorKeepsOriginalsAndRefusesAPointAxis) {
    Start();
    CreateSetDialog();  // the start-up choices
    Line({10, 0}, {11, 0});
    Run({"MIRROR", "", "0 0", "0 5"});
    EXPECT_EQ(Count(), 2);
    H.reset();
    Start();
    TObjHeader* L = Line({10, 0}, {11, 0});
    Mark();
    Run({"MIRROR", "", "3 3", "@0 0"});
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(AsPline(L)->S.x, 10);
    const Lines Log = NewLog();
    EXPECT_EQ(Log[Log.size() - 2], "Err:Wrong mirror axis");
    EXPECT_EQ(Log.back(), "Sys:ComMirror End");
}

TEST_F(ComTransformTest, RotatedPathMarksItsOperation) {
    Start();
    SetDlg();
    SetDialog->RBtnRotDel->Click();
    TObjHeader* P = Line({10, 0}, {11, 0});
    Line({50, 0}, {60, 0}, false);
    OpList.CamCnt = 1;
    OpList.Cam[0].OpType = 1;
    OpList.Cam[0].Status = 0;
    CamOpAddParent(MainVars.DataEnd, 0);
    CamOpAddChild(P, 0);
    Glob.AutoRegen = true;
    Run({"ROTATE", "", "0 0", "45"});
    EXPECT_EQ(OpList.Cam[0].Status, 4);
}

TEST_F(ComTransformTest, ScaleByOneFactorOrAPair) {
    const struct {
        const char* Input;
        Extended W, H;  // extents of the square 0..2 scaled about (0, 0)
        const char* Log;
    } Cases[] = {
        {"2", 4, 4, "Usr:Scale:2"},
        {"2 1", 4, 2, nullptr},
        {"0.5 3", 1, 6, nullptr},
        {"zz", 2, 2, "Err:Wrong scale (ZZ)"},
        {"-1", 2, 2, "Usr:Scale:-1"},  // turned half a turn about the base
        {"0", 2, 2, "Err:Wrong scale (0)"},
    };
    for (const auto& C : Cases) {
        Start();
        EnPline.RectangleAdd({0, 0}, {2, 2}, 1, MainVars.DataStart, MainVars.DataEnd);
        TObjHeader* R = MainVars.DataEnd;
        R->Flags |= FlagSelected;
        OpList.CamCnt = 1;
        OpList.Cam[0].OpType = 1;
        OpList.Cam[0].Status = 0;
        CamOpAddParent(R, 0);
        Mark();
        Run({"SCALE", "", "0 0", C.Input});
        ASSERT_EQ(Count(), 1);
        const TObjHeader* N = MainVars.DataStart;
        Osy Mn, Mx;
        Box(N, Mn, Mx);
        EXPECT_NEAR(double(Mx.x - Mn.x), double(C.W), 1e-9) << C.Input;
        EXPECT_NEAR(double(Mx.y - Mn.y), double(C.H), 1e-9) << C.Input;
        EXPECT_EQ(Mn.x, C.Input == std::string("-1") ? -2 : 0) << C.Input;
        // The operation follows the record, rebuilt or not.
        ASSERT_EQ(OpList.Cam[0].ParCnt, 1);
        EXPECT_EQ(OpList.Cam[0].Parents[0], N) << C.Input;
        if (C.Log) EXPECT_TRUE(TCmdHarness::LogHas(C.Log)) << C.Input;
        EXPECT_EQ(NewLog().back(), "Sys:ComScale End");
        H.reset();
    }
}

TEST_F(ComTransformTest, FactorPairsThatAreNotPositiveChangeNothing) {
    // A point and a rectangle selected together: neither moves.
    const Lines Scripts[] = {{"SCALE", "", "5 5", "-1 2"}, {"SCALE", "", "5 5", "2 0"}, {"SIZE", "", "-40 30"},
                             {"SIZE", "", "? -20"}};
    for (const Lines& S : Scripts) {
        Start();
        EnPoint.Add({3, 4}, 1, MainVars.DataStart, MainVars.DataEnd);
        TObjHeader* P = MainVars.DataEnd;
        P->Flags |= FlagSelected;
        EnPline.RectangleAdd({0, 0}, {20, 10}, 1, MainVars.DataStart, MainVars.DataEnd);
        MainVars.DataEnd->Flags |= FlagSelected;
        Mark();
        Run(S);
        ASSERT_EQ(Count(), 2) << S.back();
        EXPECT_EQ(MainVars.DataStart, P) << S.back();
        EXPECT_EQ(AsPoint(P)->S.x, 3) << S.back();
        EXPECT_EQ(AsPoint(P)->S.y, 4) << S.back();
        Osy Mn, Mx;
        Box(MainVars.DataEnd, Mn, Mx);
        EXPECT_EQ(Mx.x, 20) << S.back();
        EXPECT_EQ(Mx.y, 10) << S.back();
        const Lines Log = NewLog();
        EXPECT_EQ(Log[Log.size() - 2].rfind("Err:Wrong scale factors (x=", 0), 0u) << Log[Log.size() - 2];
        EXPECT_EQ(Log.back(), "Sys:ComScale End");
        ASSERT_FALSE(H->Responder().Shown.empty()) << S.back();
        EXPECT_EQ(H->Responder().Shown.back(), "message:Špatné zadání císla -> OK");
        H.reset();
    }
}

TEST_F(ComTransformTest, ScaleRefusesAFlatSelection) {
    Start();
    TObjHeader* L = Line({0, 0}, {10, 0});
    Mark();
    Run({"SCALE", "", "0 0", "2"});
    EXPECT_EQ(PlineEndPt(L).x, 10);
    const Lines Log = NewLog();
    EXPECT_EQ(Log[Log.size() - 2], "Err:Wrong mirror axis");
}

TEST_F(ComTransformTest, SizeToWidthAndHeight) {
    const struct {
        Osy A, B;  // the rectangle's corners (a flat one when equal in y)
        const char* Input;
        Extended W, H;
        const char* Log;
    } Cases[] = {
        {{0, 0}, {20, 10}, "100 ?", 100, 50, "Usr:Size X:5 Y:5"},
        {{0, 0}, {20, 10}, "? 20", 40, 20, nullptr},
        {{0, 0}, {20, 10}, "40 30", 40, 30, nullptr},
        {{0, 0}, {20, 10}, "100", 20, 10, "Err:wrong size"},
        {{0, 0}, {20, 10}, "? x", 20, 10, "Err:Wrong size Y (? X)"},
        {{0, 0}, {20, 10}, "x ?", 20, 10, "Err:Wrong size X (X ?)"},
        {{0, 0}, {20, 10}, "x y", 20, 10, "Err:Wrong size (X Y)"},
        {{0, 5}, {20, 5}, "100 ?", 100, 0, nullptr},  // flat: the height stays
    };
    for (const auto& C : Cases) {
        Start();
        TObjHeader* R;
        if (C.A.y == C.B.y) {
            R = Line(C.A, C.B);
        } else {
            EnPline.RectangleAdd(C.A, C.B, 1, MainVars.DataStart, MainVars.DataEnd);
            R = MainVars.DataEnd;
            R->Flags |= FlagSelected;
        }
        (void)R;
        Mark();
        Run({"SIZE", "", C.Input});
        ASSERT_EQ(Count(), 1);
        Osy Mn, Mx;
        Box(MainVars.DataStart, Mn, Mx);
        EXPECT_NEAR(double(Mx.x - Mn.x), double(C.W), 1e-9) << C.Input;
        EXPECT_NEAR(double(Mx.y - Mn.y), double(C.H), 1e-9) << C.Input;
        // About the centre of the extents.
        EXPECT_NEAR(double(Mx.x + Mn.x) / 2, double(C.A.x + C.B.x) / 2, 1e-9) << C.Input;
        if (C.Log) EXPECT_TRUE(TCmdHarness::LogHas(C.Log)) << C.Input;
        const Lines Log = NewLog();
        EXPECT_EQ(Log[1], "Sys:ComScale Start");
        EXPECT_EQ(Log.back(), "Sys:ComScale End");
        H.reset();
    }
}

}  // namespace
