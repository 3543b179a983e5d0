// The pocket builder's own steps around the fill: the depth it cuts at (a pointed tool
// cuts wider the deeper it goes; a rest tool gets the depth too), open outlines joined
// and closed on request with their ends marked on the drawing area, and the "Orig"
// layer's objects kept at the end of the drawing.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "ContourFixture.h"
#include "cam/CamOpList.h"
#include "core/Glob.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "platform/RecordingCanvas.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"
#include "tools/ToolDg.h"

namespace {

class PocketStepTest : public ContourTest {
protected:
    // MEANDR of the selected objects; Setup changes the dialog before OK.
    void Pocket(const std::function<void(TForm&)>& Setup = nullptr) {
        R->ExpectModal("FillDialog", [Setup](TForm& F) {
            if (Setup) Setup(F);
            F.ClickButton("BitBtnOK");
            return mrOk;
        });
        Run({"MEANDR", ""});
    }
    // The nearest distance of Q from the outline of the rectangle 0..W x 0..H (inside).
    static Extended Clearance(const Osy& Q, Extended W, Extended Ht) {
        return std::min({Q.x, W - Q.x, Q.y, Ht - Q.y});
    }
};

TEST_F(PocketStepTest, PathsLieAtTheCuttingDistanceOfTheTypedDepth) {
    // A 60 degree V tool with a 0.2 mm tip whose passes end at 1 mm; the pocket is cut
    // 3 mm deep, where the tool is 0.1 + 3 tan 30 mm off its axis.
    Glob.AutoApplyToolOpen = true;
    TTool& T = Glob.Tool[1];
    T.ToolType = 2;
    T.SpodniPrumer = 0.2L;
    T.HorniPrumer = 8;
    T.UhelSpicky = 60;
    T.Material.Tech.Ap = 5;
    Run({"RECTANGLE", "0 0", "20 14"});
    MainVars.DataEnd->Flags |= FlagSelected;
    Pocket([](TForm& F) {
        F.Find<TEdit>("EditDepth")->Text = "3";
        F.Find<TEdit>("EditAllError")->Text = "0";
    });
    ASSERT_EQ(OpList.CamCnt, 3);
    const Extended Want = 0.1L + 3 * std::tan(GeomPi / 6);
    Extended Deepest = 0;
    ASSERT_TRUE(MaxDepth(1, Deepest, false));
    EXPECT_EQ(Deepest, 3);
    const std::vector<TObjHeader*> Fin = Childs(2);
    ASSERT_EQ(Fin.size(), 1u);
    Extended Nearest = 1e300;
    for (const Osy& Q : SamplePath(Fin[0])) Nearest = std::min(Nearest, Clearance(Q, 20, 14));
    EXPECT_NEAR(double(Nearest), double(Want), 1e-6);
    for (TObjHeader* P : Childs(1))
        for (const Osy& Q : SamplePath(P)) ASSERT_GE(double(Clearance(Q, 20, 14)), double(Want) - 1e-6);
}

TEST_F(PocketStepTest, RestToolLayerGetsTheTypedDepth) {
    Glob.AutoApplyToolOpen = true;
    SetTool(1, 4);
    SetTool(2, 1);
    for (int La : {1, 2}) Glob.Tool[La].Material.Tech.Ap = 5;
    Run({"RECTANGLE", "0 0", "20 14"});
    MainVars.DataEnd->Flags |= FlagSelected;
    Pocket([](TForm& F) {
        F.Find<TEdit>("EditDepth")->Text = "2.5";
        F.Find<TControl>("RBtnDoubleTool")->Click();
    });
    ASSERT_EQ(OpList.CamCnt, 1);
    EXPECT_EQ(OpList.Cam[0].La2, 2);
    for (int La : {1, 2}) {
        Extended D = 0;
        ASSERT_TRUE(MaxDepth(La, D, false));
        EXPECT_EQ(D, 2.5L) << La;
    }
}

// Three lines drawn as a U: joined on request, then closed on request with a line
// from the start to the end (the drawing's source too), or refused.
TEST_F(PocketStepTest, OpenOutlinesAreJoinedAndClosedOnRequest) {
    for (const bool Close : {true, false}) {
        SCOPED_TRACE(Close);
        const Extended X = Close ? 0 : 50;
        auto P = [X](Extended x, Extended y) { return std::to_string(double(X + x)) + " " + std::to_string(double(y)); };
        TRecordingCanvas Canvas{1000, 700};
        MainCanvas = &Canvas;
        const int Before = OpList.CamCnt;
        Run({"L", P(0, 0), P(10, 0), P(10, 8), P(0, 8), ""});
        std::vector<TObjHeader*> Lines;
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next)
            if (p->Type == ObjPline && EnPline.StartPt(p).x >= X && EnPline.StartPt(p).x <= X + 10) {
                p->Flags |= FlagSelected;
                Lines.push_back(p);
            }
        ASSERT_EQ(Lines.size(), 3u);
        // Where the first look marks the open ends: two circles round each start.
        std::vector<TPoint> Starts;
        for (TObjHeader* p : Lines) Starts.push_back(WorldToPixel(EnPline.StartPt(p)));
        R->ExpectMessage(mrOk, Msg[65]);
        R->ExpectMessage(Close ? mrOk : mrCancel, Msg[84]);
        if (Close) {
            R->ExpectModal("FillDialog", [](TForm& F) {
                F.Find<TEdit>("EditAllError")->Text = "0";
                F.ClickButton("BitBtnOK");
                return mrOk;
            });
        } else {
            R->ExpectMessage(mrOk, Msg[15]);
        }
        Run({"MEANDR", ""});
        EXPECT_TRUE(R->Done());
        MainCanvas = nullptr;
        for (const TPoint& S : Starts)
            for (int Rad : {5, 4}) {
                bool Marked = false;
                for (const TCanvasOp& Op : Canvas.OfKind(TCanvasOpKind::Ellipse))
                    Marked = Marked || (Op.Pts[0].X == S.X - Rad && Op.Pts[0].Y == S.Y - Rad &&
                                        Op.Pts[1].X == S.X + Rad && Op.Pts[1].Y == S.Y + Rad);
                EXPECT_TRUE(Marked) << S.X << " " << S.Y << " " << Rad;
            }
        EXPECT_TRUE(TCmdHarness::LogHas("Sys:Close open plines?"));
        if (!Close) {
            EXPECT_EQ(OpList.CamCnt, Before);
            continue;
        }
        ASSERT_EQ(OpList.CamCnt, Before + 3);
        // The source is the joined and closed outline of the drawing.
        ASSERT_EQ(Parents(Before).size(), 1u);
        TObjHeader* Src = Parents(Before)[0];
        EXPECT_FALSE(EnPline.OpenPline(Src));
        EXPECT_NEAR(double(EnPline.Length(Src)), 36, 1e-9);
        EXPECT_EQ(OpList.Cam[Before].Status, 0);
        for (TObjHeader* Q : Childs(Before + 2))
            for (const Osy& S : SamplePath(Q)) EXPECT_GE(double(Clearance({S.x - X, S.y}, 10, 8)), 1 - 1e-6);
        EXPECT_EQ(DeadOpLink(), "");
    }
}

TEST_F(PocketStepTest, OrigLayerObjectsEndTheDrawing) {
    Glob.LayerDraw = LayerOrig;
    Run({"POINT", "30 30"});
    TObjHeader* Mark = MainVars.DataEnd;
    ASSERT_EQ(Mark->Layer, LayerOrig);
    Glob.LayerDraw = 1;
    Run({"RECTANGLE", "0 0", "5 3"});
    MainVars.DataEnd->Flags |= FlagSelected;
    Pocket();
    ASSERT_EQ(OpList.CamCnt, 3);
    EXPECT_EQ(MainVars.DataEnd, Mark);
    EXPECT_EQ(MainVars.DataEnd->Prev, Childs(0).at(0));
}

}  // namespace
