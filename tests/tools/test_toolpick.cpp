// The tool boxes of the contour and pocket dialogs: a press opens the tool dialogs and
// the tool picked there becomes the operation's, as a user picks a tool.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <type_traits>

#include "cam/CamOpList.h"
#include "cam/ContourDg.h"
#include "cam/FillDg.h"
#include "core/Glob.h"
#include "platform/ScriptResponder.h"
#include "shell/Main.h"
#include "support/CmdTest.h"
#include "tools/ToolDialog.h"
#include "tools/ToolLibFile.h"
#include "tools/ToolLibPick.h"
#include "tools/ToolSmallDgs.h"
#include "tools/UniTType.h"

namespace {

class ToolPickTest : public CmdTest {
protected:
    void SetUp() override {
        CmdTest::SetUp();
        Start();
        Glob.TabLayer[1].Show = true;
        Glob.LayerDraw = 1;
        InitToolType();
        InitMaterial();
        InitToolLib();
        CreateConfirmDialog();
        CreateCopyFromToolDialog();
        CreateGenParamDialog();
        CreateToolLibOpenDialog();
        CreateToolLocDialog();
        CreateToolDialog();
        AddRect({0, 0}, {10, 10}, true);
        Script = std::make_unique<TScriptResponder>();  // over the harness's own answers
    }
    void TearDown() override {
        Script.reset();
        CmdTest::TearDown();
    }
    // A layer tool that machines: a cylinder of diameter D, one pass 1 mm deep.
    static void MillOn(int La, Extended D) {
        TTool& T = Glob.Tool[La];
        T.ToolType = 1;
        T.SpodniPrumer = T.HorniPrumer = D;
        T.Radius = T.UhelSpicky = 0;
        T.DelkaBritu = 10;
        for (auto& P : T.Pruchod) P.Hloubka = -1;
        T.Pruchod[1].Hloubka = 1;
    }
    // Command with a press on the dialog's control Box; Pick answers what opens then,
    // Check looks at the dialog afterwards. Ok: the dialog is confirmed.
    template <class TDg>
    void SelectTool(const char* Command, const char* Box, const std::function<void()>& Pick,
                    const std::function<void(TDg&)>& Check, bool Ok = false) {
        const char* Dialog = std::is_same_v<TDg, TContourDialog> ? "ContourDialog" : "FillDialog";
        Script->ExpectModal(Dialog, [&](TForm& F) {
            Pick();
            F.FindComponent(Box)->OnMouseDown(TMouseButton::mbLeft, 0, 0, 0);
            Check(static_cast<TDg&>(F));
            if (Ok) F.ClickButton("BitBtnOK");
            return Ok ? mrOk : mrCancel;
        });
        Run({Command, ""});
        EXPECT_TRUE(Script->Done());
    }
    // The tool dialog answered on page Tab (0-based) with OK.
    void ToolDialogPage(int Shown, int Tab) {
        Script->ExpectModal("ToolDialog", [Shown, Tab](TForm& F) {
            auto& D = static_cast<TToolDialog&>(F);
            EXPECT_EQ(D.CurLayer(), Shown);
            D.TabControl->ChoosePage(Tab);
            D.BitBtnOK->Click();
            return mrOk;
        });
    }
    // The library pick dialog answered with library record Rec.
    void LibraryRecord(int Rec) {
        Script->ExpectModal("ToolLibOpenDialog", [Rec](TForm& F) {
            auto& D = static_cast<TToolLibOpenDialog&>(F);
            const auto row = std::find(LibPickRowMap.begin(), LibPickRowMap.end(), Rec);
            EXPECT_NE(row, LibPickRowMap.end());
            D.LboxTools->ChooseItem(int(row - LibPickRowMap.begin()));
            D.BitBtnOk->Click();
            return mrOk;
        });
    }
    std::unique_ptr<TScriptResponder> Script;
};

TEST_F(ToolPickTest, ToolDialogOnTheOperationsLayer) {
    SelectTool<TContourDialog>("CONTOUR", "LabToolActive", [this] { ToolDialogPage(1, 2); },
                               [](TContourDialog& C) { EXPECT_EQ(C.ContourLa, 3); });
    EXPECT_EQ(Glob.LayerDraw, 3);
    // A new pocket takes the layer but leaves the drawing layer as it was.
    Glob.LayerDraw = 1;
    AddRect({0, 0}, {10, 10}, true);  // the cancelled contour left nothing selected
    SelectTool<TFillDialog>("MEANDR", "GrBoxMainTool", [this] { ToolDialogPage(1, 3); },
                            [](TFillDialog& D) {
                                EXPECT_EQ(D.ShownLa1, 4);
                                EXPECT_EQ(D.LabToolName->Caption, Glob.Tool[4].JmNastroje);
                            });
    EXPECT_EQ(Glob.LayerDraw, 1);
}

TEST_F(ToolPickTest, LibraryToolInOneLayerPerOperationMode) {
    Glob.AutoLayNum = true;
    Glob.ToolLoc = 1;
    SelectTool<TContourDialog>("CONTOUR", "LabToolActive", [this] { LibraryRecord(2); }, [](TContourDialog& C) {
        EXPECT_EQ(C.ContourLibTool, 2);
        EXPECT_EQ(C.ContourTID, Glob.ToolLib[2].Tool.TID);
        ASSERT_TRUE(C.ContourLa >= 1 && C.ContourLa <= ToolLayerCount);
        EXPECT_EQ(C.WorkTools[C.ContourLa].JmNastroje, Glob.ToolLib[2].Tool.JmNastroje);
    });
    AddRect({0, 0}, {10, 10}, true);  // the cancelled contour left nothing selected
    SelectTool<TFillDialog>("MEANDR", "LabToolName", [this] { LibraryRecord(3); }, [](TFillDialog& D) {
        EXPECT_EQ(D.TID1, Glob.ToolLib[3].Tool.TID);
        ASSERT_TRUE(D.ShownLa1 >= 1 && D.ShownLa1 <= ToolLayerCount);
        EXPECT_EQ(Glob.Tool[D.ShownLa1].JmNastroje, Glob.ToolLib[3].Tool.JmNastroje);
        EXPECT_EQ(D.LabToolName->Caption, Glob.ToolLib[3].Tool.JmNastroje);
    });
}

// The rest tool is picked on the tool dialog's tab; the pocket is built and recorded
// with that layer.
TEST_F(ToolPickTest, RestToolPickedInThePocketDialogIsTheOperationsSecondLayer) {
    MillOn(1, 2);
    MillOn(5, 1);
    Glob.CursorType = 1;  // the program's own cross-hair: no system pointer over the drawing
    SelectTool<TFillDialog>(
        "MEANDR", "ShapeSmallColor",
        [this] {
            FillDialog->RBtnDoubleTool->Click();
            ToolDialogPage(2, 4);
        },
        [this](TFillDialog& D) {
            EXPECT_EQ(H->Form().Cursor, TCursor::crNone);
            EXPECT_EQ(D.ShownLa2, 5);
            EXPECT_EQ(Glob.SmallTool, 5);
            EXPECT_EQ(D.LabSmallToolName->Caption, Glob.Tool[5].JmNastroje);
        },
        true);
    ASSERT_EQ(OpList.CamCnt, 1);
    EXPECT_EQ(OpList.Cam[0].La1, 1);
    EXPECT_EQ(OpList.Cam[0].La2, 5);
}

// The tool dialog's OK: a tool whose feed alone changed leaves its operations as they
// are; one whose diameter changed marks them out of date (no automatic regeneration
// here); each operation takes its layer's deepest pass as its depth.
TEST_F(ToolPickTest, ToolDialogOkMarksTheOperationsOfAChangedTool) {
    MillOn(3, 2);
    Glob.AutoRegen = false;
    SelectTool<TContourDialog>("CONTOUR", "LabToolActive", [this] { ToolDialogPage(1, 2); },
                               [](TContourDialog&) {}, true);
    ASSERT_EQ(OpList.CamCnt, 1);
    ASSERT_EQ(OpList.Cam[0].La1, 3);
    ASSERT_EQ(OpList.Cam[0].Status, 0);
    struct Case {
        const char* Field;
        const char* Text;
        const char* Deepest;
        int Status;
        Extended Depth;
    };
    for (const Case& c : {Case{"EditToolVf", "12", "1", 0, 1}, Case{"EditToolDSpodni", "3", "1.5", 1, 1.5L}}) {
        SCOPED_TRACE(c.Field);
        Script->ExpectModal("ToolDialog", [&c](TForm& F) {
            auto& D = static_cast<TToolDialog&>(F);
            D.TabControl->ChoosePage(2);
            F.Find<TEdit>(c.Field)->TypeText(c.Text);
            D.BtnLayClearTab->Click();
            D.StrGridLayParam->EditCell(1, 0, "0.5");
            D.StrGridLayParam->EditCell(1, 1, c.Deepest);
            for (int r = 0; r < 2; ++r) {
                D.StrGridLayParam->EditCell(2, r, "?");
                D.StrGridLayParam->EditCell(3, r, "5");
                D.StrGridLayParam->EditCell(4, r, "10000");
            }
            D.BitBtnOK->Click();
            return mrOk;
        });
        Run({"TOOL"});
        EXPECT_TRUE(Script->Done());
        EXPECT_EQ(OpList.Cam[0].Status, c.Status);
        EXPECT_EQ(OpList.Cam[0].Depth, c.Depth);
    }
}

}  // namespace
