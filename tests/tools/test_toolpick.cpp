// The contour dialog's tool selection through the tool dialogs, as a user picks a tool.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "cam/ContourDg.h"
#include "core/Glob.h"
#include "platform/ScriptResponder.h"
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
    // CONTOUR with a click on the shown tool; Pick answers what opens then.
    void SelectTool(const std::function<void()>& Pick, const std::function<void(TContourDialog&)>& Check) {
        Script->ExpectModal("ContourDialog", [&](TForm& F) {
            Pick();
            F.Find<TControl>("LabToolActive")->Click();
            Check(static_cast<TContourDialog&>(F));
            return mrCancel;
        });
        Run({"CONTOUR", ""});
        EXPECT_TRUE(Script->Done());

    }
    std::unique_ptr<TScriptResponder> Script;
};

TEST_F(ToolPickTest, ToolDialogOnTheOperationsLayer) {
    SelectTool(
        [this] {
            Script->ExpectModal("ToolDialog", [](TForm& F) {
                auto& D = static_cast<TToolDialog&>(F);
                EXPECT_EQ(D.CurLayer(), 1);
                D.TabControl->ChoosePage(2);
                D.BitBtnOK->Click();
                return mrOk;
            });
        },
        [](TContourDialog& C) { EXPECT_EQ(C.ContourLa, 3); });
    EXPECT_EQ(Glob.LayerDraw, 3);
}

TEST_F(ToolPickTest, LibraryToolInOneLayerPerOperationMode) {
    Glob.AutoLayNum = true;
    Glob.ToolLoc = 1;
    SelectTool(
        [this] {
            Script->ExpectModal("ToolLibOpenDialog", [](TForm& F) {
                auto& D = static_cast<TToolLibOpenDialog&>(F);
                const auto row = std::find(LibPickRowMap.begin(), LibPickRowMap.end(), 2);
                EXPECT_NE(row, LibPickRowMap.end());
                D.LboxTools->ChooseItem(int(row - LibPickRowMap.begin()));
                D.BitBtnOk->Click();
                return mrOk;
            });
        },
        [](TContourDialog& C) {
            EXPECT_EQ(C.ContourLibTool, 2);
            EXPECT_EQ(C.ContourTID, Glob.ToolLib[2].Tool.TID);
            ASSERT_TRUE(C.ContourLa >= 1 && C.ContourLa <= ToolLayerCount);
            EXPECT_EQ(C.WorkTools[C.ContourLa].JmNastroje, Glob.ToolLib[2].Tool.JmNastroje);
        });
}

}  // namespace
