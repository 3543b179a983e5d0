// CONTOUR and the contour builder, judged by distances, crossings and Clipper's areas.
#include <algorithm>
#include <cmath>

#include "ContourFixture.h"
#include "cam/CamOpList.h"
#include "cam/ContourDg.h"
#include "core/Glob.h"
#include "core/UniGeom.h"
#include "core/UniPoint.h"
#include "core/UniText.h"
#include "shell/ProgramFolder.h"
#include "shell/UniLang.h"
#include "shell/Main.h"
#include "shell/MainVars.h"

namespace {

// Every path lies at D from the line source, is closed and does not cross itself.
void ExpectAtDistance(const TObjHeader* Src, const std::vector<TObjHeader*>& Paths, Extended D) {
    for (const TObjHeader* P : Paths) {
        ASSERT_EQ(P->Type, ObjPline);
        EXPECT_TRUE(AsPline(P)->PlineFlags & PlineClosed);
        EXPECT_FALSE(SelfCrossing(P));
        for (const Osy& Q : SamplePath(P)) ASSERT_NEAR(double(DistToLines(Src, Q)), double(D), 1e-6);
    }
}

TEST_F(ContourTest, SquareOutsideIsFourSidesAndFourCornerArcsStartingAtAnArc) {
    TObjHeader* Sq = AddRect({0, 0}, {10, 10}, true);
    ContourSide("out");
    ASSERT_EQ(OpList.CamCnt, 1);
    const TCamOp& Op = OpList.Cam[0];
    EXPECT_EQ(Op.Name, "Kontura1");
    EXPECT_EQ(Op.Status, 0);
    EXPECT_EQ(Op.La1, 1);
    EXPECT_EQ(Parents(0), std::vector<TObjHeader*>{Sq});
    const std::vector<TObjHeader*> Paths = Childs(0);
    ASSERT_EQ(Paths.size(), 1u);
    const TObjHeader* P = Paths[0];
    EXPECT_EQ(P->Layer, 1);
    ASSERT_EQ(PlineSegCount(P), 8);
    int Arcs = 0;
    for (int i = 0; i < 8; ++i) {
        const TPlineSeg& S = PlineSegs(P)[i];
        if (std::fabs(S.Alfa) > CoordTol) {
            ++Arcs;
            EXPECT_NEAR(double(std::fabs(S.Alfa)), double(GeomPi / 2), 1e-9);
            EXPECT_NEAR(double(SegRadius(PlineSegStart(P, i), S.E, S.Alfa)), 1.0, 1e-9);
        }
    }
    EXPECT_EQ(Arcs, 4);
    EXPECT_GT(std::fabs(PlineSegs(P)[0].Alfa), CoordTol);  // starts with a corner arc
    ExpectAtDistance(Sq, Paths, 1);
    EXPECT_NEAR(double(std::fabs(PathArea(P))), double(ClipperOffsetArea(Sq, 1)), 1e-3);
    // Climb milling outside runs clockwise.
    EXPECT_LT(PathArea(P), 0);
    EXPECT_EQ(MainVars.DataEnd, P);
    EXPECT_FALSE(Sq->Flags & FlagSelected);
}

TEST_F(ContourTest, SidesAndAllowance) {
    struct TCase {
        const char* Side;
        const char* Allowance;
        Extended ToolDiam;
        size_t Paths;
        Extended Dist;
    } Cases[] = {
        {"in", "0", 2, 1, 1},
        {"both", "0", 2, 2, 1},
        {"out", "0,5", 3, 1, 2},  // tool radius 1.5 plus 0.5
        {"in", "0.5", 3, 1, 2},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(std::string(C.Side) + " " + C.Allowance);
        SetTool(1, C.ToolDiam);
        TObjHeader* Sq = AddRect({0, 0}, {10, 10}, true);
        ContourSide(C.Side, C.Allowance);
        const int Op = OpList.CamCnt - 1;
        ASSERT_EQ(Childs(Op).size(), C.Paths);
        ExpectAtDistance(Sq, Childs(Op), C.Dist);
        EXPECT_NEAR(double(OpList.Cam[Op].Pridavek), C.Allowance[0] == '0' && C.Allowance[1] ? 0.5 : 0, 1e-12);
        for (const TObjHeader* P : Childs(Op)) {
            const bool Inner = std::fabs(PathArea(P)) < 100;
            EXPECT_NEAR(double(std::fabs(PathArea(P))), double(ClipperOffsetArea(Sq, Inner ? -C.Dist : C.Dist)), 1e-3);
        }
    }
    EXPECT_EQ(OpList.Cam[3].Name, "Kontura4");
}

TEST_F(ContourTest, OpenLineWithBothSidesIsOneClosedSlot) {
    TObjHeader* L = AddLine({0, 0}, {10, 0}, true);
    ContourSide("both");
    const std::vector<TObjHeader*> Paths = Childs(0);
    ASSERT_EQ(Paths.size(), 1u);
    const TObjHeader* P = Paths[0];
    int HalfCircles = 0;
    for (int i = 0; i < PlineSegCount(P); ++i)
        if (std::fabs(std::fabs(PlineSegs(P)[i].Alfa) - GeomPi) < 1e-9) ++HalfCircles;
    EXPECT_EQ(HalfCircles, 2);
    ExpectAtDistance(L, Paths, 1);
    EXPECT_NEAR(double(std::fabs(PathArea(P))), 20 + GeomPi, 1e-3);
}

TEST_F(ContourTest, HoleWithReversIsCutFirstFromTheOtherSide) {
    TObjHeader* Outer = AddRect({0, 0}, {20, 20}, true);
    TObjHeader* Hole = AddRect({5, 5}, {15, 15}, true);
    ContourSide("out");
    const std::vector<TObjHeader*> Paths = Childs(0);
    ASSERT_EQ(Paths.size(), 2u);
    // The hole's path comes first in the drawing and lies inside the hole.
    EXPECT_NEAR(double(std::fabs(PathArea(Paths[0]))), 64, 1e-9);
    EXPECT_NEAR(double(std::fabs(PathArea(Paths[1]))), double(ClipperOffsetArea(Outer, 1)), 1e-3);
    ExpectAtDistance(Hole, {Paths[0]}, 1);
    EXPECT_EQ(Parents(0).size(), 2u);
}

TEST_F(ContourTest, PointContourLiesOnTheContourLayer) {
    EnPoint.Add({3, 4}, 1, MainVars.DataStart, MainVars.DataEnd)->Flags |= FlagSelected;
    SetTool(2, 4);
    Glob.LayerDraw = 2;
    ContourSide("out");
    Glob.LayerDraw = 1;
    ASSERT_EQ(Childs(0).size(), 1u);
    EXPECT_EQ(Childs(0)[0]->Layer, 2);
    for (const Osy& Q : SamplePath(Childs(0)[0])) EXPECT_NEAR(double(Dist(Q, {3, 4})), 2.0, 1e-9);
}

TEST_F(ContourTest, CancelLeavesTheListAndBadValuesAreRefused) {
    AddRect({0, 0}, {10, 10}, true);
    R->ExpectModal("ContourDialog", mrCancel);
    H->Enter("CONTOUR");
    H->Enter("");
    EXPECT_EQ(OpList.CamCnt, 0);
    EXPECT_EQ(CountObjs(MainVars.DataStart), 1);

    struct TCase {
        const char* Edit;
        const char* Log;
        int MsgNo;
    } Cases[] = {{"EditDepth", "Err:Wrong depth (x)", 106}, {"EditPridavek", "Err:Wrong stock (x)", 41}};
    for (const TCase& C : Cases) {
        MainVars.DataStart->Flags |= FlagSelected;
        R->ExpectModal("ContourDialog", [&C](TForm& F) {
            F.Find<TControl>(C.Edit)->Text = "x";
            return mrOk;
        });
        R->ExpectMessage(mrOk, Msg[C.MsgNo]);
        Run({"CONTOUR", ""});
        EXPECT_TRUE(TCmdHarness::LogHas(C.Log));
        EXPECT_EQ(OpList.CamCnt, 0);
    }
    // No tool on the layer.
    MainVars.DataStart->Flags |= FlagSelected;
    Glob.Tool[1].ToolType = -1;
    R->ExpectModal("ContourDialog", mrOk);
    R->ExpectMessage(mrOk, Msg[40]);
    Run({"CONTOUR", ""});
    EXPECT_EQ(OpList.CamCnt, 0);
    EXPECT_TRUE(R->Done());
}

// Crossing sources: the confirmation dialog asks first; "Ano" goes on to the contour
// dialog, "Ne" or Escape ends the command without an operation.
TEST_F(ContourTest, CrossingSourcesAskTheConfirmationDialogWhoseAnswerDecides) {
    struct TCase {
        const char* Button;  // nullptr: the dialog is closed by Escape
        int Ops;
    };
    Extended X = 0;
    for (const TCase& C : {TCase{"BitBtnYes", 1}, TCase{"BitBtnNo", 0}, TCase{nullptr, 0}}) {
        SCOPED_TRACE(C.Button ? C.Button : "Escape");
        const int32_t Before = OpList.CamCnt;
        AddRect({X, 0}, {X + 10, 10}, true);
        AddRect({X + 5, 5}, {X + 15, 15}, true);
        X += 100;
        Mark();
        std::string Asked;
        R->ExpectModal("ConfirmDialog", [&Asked, &C](TForm& F) {
            Asked = F.Caption;
            if (C.Button) F.ClickButton(C.Button);
            return mrCancel;
        });
        if (C.Ops) {
            R->ExpectModal("ContourDialog", [](TForm& F) {
                F.ClickButton("BitBtnOK");
                return mrOk;
            });
            // The paths of crossing sources cross too: the builder reports them after.
            R->ExpectMessage(mrOk, Msg[46]);
        }
        H->Enter("CONTOUR");
        H->Enter("");
        const std::vector<std::string> Log = NewLog();
        EXPECT_EQ(std::count(Log.begin(), Log.end(), "Usr:no"), C.Ops ? 0 : 1);
        EXPECT_EQ(Asked, Msg[70]);
        EXPECT_EQ(OpList.CamCnt, Before + C.Ops);
        EXPECT_EQ(MainVars.ComCnt, -1);
        EXPECT_TRUE(R->Done());
    }
}

TEST_F(ContourTest, GroupedPathsAreOneChildThatDeletingRemovesWhole) {
    Glob.ContGroup = true;
    AddRect({0, 0}, {10, 10}, true);
    AddRect({20, 0}, {30, 10}, true);
    ContourSide("both");
    ASSERT_EQ(Childs(0).size(), 1u);
    TObjHeader* G = Childs(0)[0];
    EXPECT_EQ(G->Type, ObjGroup);
    EXPECT_EQ(AsGroup(G)->Count, 4);
    EXPECT_EQ(MainVars.DataEnd, G);
    H->Form().ListBoxOps->ChooseItem(0);
    Run({"OPDELETE"});
    EXPECT_EQ(OpList.CamCnt, 0);
    EXPECT_EQ(CountObjs(MainVars.DataStart), 2);
    EXPECT_EQ(CheckObjList(MainVars.DataStart, MainVars.DataEnd), "");
}

// "P" at the selection prompt brings back the objects of the previous CONTOUR.
TEST_F(ContourTest, PreviousSelectionComesBackWithP) {
    TObjHeader* A = AddRect({0, 0}, {10, 10}, true);
    ContourSide("out");
    AddRect({50, 0}, {60, 10}, true);  // selected now, not machined before
    Mark();
    Run({"CONTOUR", "P"});
    EXPECT_TRUE(A->Flags & FlagSelected);
    EXPECT_EQ(H->Prompt(), PrSelObject);
    EXPECT_EQ(MainVars.ComCnt, 0);
    const std::vector<std::string> Log = NewLog();
    EXPECT_NE(std::find(Log.begin(), Log.end(), "Usr:Select previous"), Log.end());
    H->Esc();
    EXPECT_TRUE(R->Done());
}

// Clamp outlines (layer 66) and dimensions (layer 67) are never machined and end up
// unselected.
TEST_F(ContourTest, ClampOutlinesAndDimensionsAreNotMachined) {
    TObjHeader* Sq = AddRect({0, 0}, {10, 10}, true);
    std::vector<TObjHeader*> Skipped;
    for (uint8_t La : {66, 67}) {
        Glob.TabLayer[La].Show = true;
        Skipped.push_back(AddRect({La * 10.0L, 0}, {La * 10.0L + 5, 5}, true));
        Skipped.back()->Layer = La;
    }
    ContourSide("out");
    ASSERT_EQ(OpList.CamCnt, 1);
    EXPECT_EQ(Parents(0), std::vector<TObjHeader*>{Sq});
    ASSERT_EQ(Childs(0).size(), 1u);
    ExpectAtDistance(Sq, Childs(0), 1);
    for (TObjHeader* p : Skipped) EXPECT_FALSE(p->Flags & FlagSelected);
}

// A written text is machined by its outlines: one path per outline polyline, each at
// the tool radius from it; the text itself is the source.
TEST_F(ContourTest, TextIsMachinedByItsOutlines) {
    R.reset();  // the responder hands the dialogs back to the harness before it goes
    H.reset();
    ASSERT_TRUE(WriteProgramFolderFiles(Dir()));
    H = std::make_unique<TCmdHarness>(Dir(), TCmdHarness::TStartUp::Program);
    R = std::make_unique<TScriptResponder>();
    Glob.TabLayer[1].Show = true;
    Glob.LayerDraw = 1;
    SetTool(1, 2);
    Run({"TEXT", "0 0", "I"});
    TObjHeader* T = MainVars.DataStart;
    ASSERT_TRUE(T && T->Type == ObjText);
    TObjHeader *S = nullptr, *E = nullptr;
    const int32_t Outlines = EnText.Explode(T, false, S, E);
    ASSERT_GT(Outlines, 0);
    T->Flags |= FlagSelected;
    ContourSide("out");
    ASSERT_EQ(OpList.CamCnt, 1);
    EXPECT_EQ(Parents(0), std::vector<TObjHeader*>{T});
    const std::vector<TObjHeader*> Paths = Childs(0);
    EXPECT_EQ(int32_t(Paths.size()), Outlines);
    for (const TObjHeader* P : Paths)
        for (const Osy& Q : SamplePath(P)) {
            Extended Near = 1e300;
            for (const TObjHeader* O = S; O; O = O->Next) Near = std::min(Near, DistToPath(O, Q));
            ASSERT_NEAR(double(Near), 1.0, 1e-6);
        }
    FreeObjList(S, E);
    EXPECT_TRUE(R->Done());
}

// Lead arcs come only with the tangential plunge: then the path begins and ends with an
// arc of the typed radius and angle that meets the contour tangentially.
TEST_F(ContourTest, LeadArcsOnlyWithTheTangentialPlunge) {
    auto StartDir = [](const Osy& S, const Osy& E, Extended Alfa) { return Angle(S, E) - Alfa / 2; };
    auto EndDir = [](const Osy& S, const Osy& E, Extended Alfa) { return Angle(S, E) + Alfa / 2; };
    auto SameDir = [](Extended A, Extended B) {
        const Extended d = std::remainder(double(A - B), 2 * double(GeomPi));
        return std::fabs(d) < 1e-9;
    };
    Extended X = 0;
    for (bool Tang : {false, true}) {
        SCOPED_TRACE(Tang);
        TObjHeader* Sq = AddRect({X, 0}, {X + 10, 10}, true);
        X += 50;
        Contour([Tang](TForm& F) {
            F.Find<TControl>("RBtnOutside")->Click();
            F.Find<TControl>(Tang ? "RBtnToolTang" : "RbtnToolVert")->Click();
            F.Find<TControl>("ChBoxTgIn")->Checked = true;
            F.Find<TControl>("ChBoxTgOut")->Checked = true;
            F.Find<TControl>("EditTangRad")->Text = "2";
            F.Find<TControl>("EditTangAngle")->Text = "60";
        });
        const int Op = OpList.CamCnt - 1;
        EXPECT_EQ(OpList.Cam[Op].TgIn, Tang);
        EXPECT_EQ(OpList.Cam[Op].TgOut, Tang);
        ASSERT_EQ(Childs(Op).size(), 1u);
        const TObjHeader* P = Childs(Op)[0];
        const int n = PlineSegCount(P);
        ASSERT_EQ(n, Tang ? 10 : 8);
        if (!Tang) continue;
        const TPlineSeg* G = PlineSegs(P);
        for (int i : {0, n - 1}) {
            EXPECT_NEAR(double(std::fabs(G[i].Alfa)), GeomPi / 3, 1e-9) << i;
            EXPECT_NEAR(double(SegRadius(PlineSegStart(P, i), G[i].E, G[i].Alfa)), 2, 1e-9) << i;
        }
        // Between the leads the contour itself, at the tool radius from the square.
        for (int i = 1; i < n - 1; ++i)
            for (const Osy& Q : {PlineSegStart(P, i), G[i].E}) EXPECT_NEAR(double(DistToPath(Sq, Q)), 1, 1e-9);
        EXPECT_TRUE(SameDir(EndDir(PlineSegStart(P, 0), G[0].E, G[0].Alfa),
                            StartDir(PlineSegStart(P, 1), G[1].E, G[1].Alfa)));
        EXPECT_TRUE(SameDir(EndDir(PlineSegStart(P, n - 2), G[n - 2].E, G[n - 2].Alfa),
                            StartDir(PlineSegStart(P, n - 1), G[n - 1].E, G[n - 1].Alfa)));
    }
}

// A source without a path is counted and reported with the crossings; the operation is
// counted all the same, with the status of a build with failures.
TEST_F(ContourTest, SourceWithoutPathLeavesStatusTwo) {
    TObjHeader* Big = AddRect({0, 0}, {10, 10}, true);
    AddRect({50, 0}, {51, 1}, true);  // too small for the tool inside
    R->ExpectModal("ContourDialog", [](TForm& F) {
        F.Find<TControl>("RBtnInside")->Click();
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    R->ExpectMessage(mrOk, Msg[45] + "1\r\n" + Msg[46] + "0\r\nProhlédněte si důkladně výsledek");
    Run({"CONTOUR", ""});
    ASSERT_EQ(OpList.CamCnt, 1);
    EXPECT_EQ(OpList.Cam[0].Status, 2);
    EXPECT_EQ(Parents(0).size(), 2u);
    ASSERT_EQ(Childs(0).size(), 1u);
    ExpectAtDistance(Big, Childs(0), 1);
    EXPECT_TRUE(R->Done());
}

}  // namespace
