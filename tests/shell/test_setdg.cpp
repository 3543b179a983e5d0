// SET through the program: the settings dialog's take-over rules, refused values,
// Cancel, the page list, the command grid, and a choice that survives a restart.
#include <cmath>
#include <numbers>

#include "commands/UniCom.h"
#include "core/Glob.h"
#include "core/UniPline.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "shell/SetDg.h"
#include "support/CmdTest.h"

namespace {

class SetDgTest : public CmdTest {
protected:
    void SetUp() override {
        CmdTest::SetUp();
        H = std::make_unique<TCmdHarness>(Dir(), TCmdHarness::TStartUp::Program);
    }
    // SET, with Script working the dialog.
    void Set(TScriptResponder::TModalScript Script) {
        TScriptResponder R;
        R.ExpectModal("SetDialog", std::move(Script));
        H->Enter("SET");
        EXPECT_TRUE(R.Done());
    }
    static void Type(TForm& F, const char* Edit, const std::string& Text) { F.Find<TEdit>(Edit)->TypeText(Text); }
};

TEST_F(SetDgTest, TakeOverRules) {
    Set([](TForm& F) {
        Type(F, "EditSelSize", "8");           // odd sizes only: 9
        Type(F, "EditDecNum", "6");            // a pattern of six decimals
        Type(F, "EditDimDecNum", "2,4");       // "," reads as ".", rounded
        Type(F, "EditMinOffsArc", "30");       // degrees into radians
        Type(F, "EditMaxUndo", "2.5");         // halves to even
        Type(F, "EditMaxFileHist", "3.5");
        Type(F, "EditMaxShowLogCount", "99.9");  // fraction cut off
        Type(F, "EditZoomRatio", "1+2");       // the calculator rule
        F.Find<TTrackBar>("TrBarObjOpac")->MoveTo(7);
        F.Find<TCheckBox>("ChBoxAutoRegen")->Click();
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    EXPECT_EQ(Glob.SelectSize, 9);
    EXPECT_EQ(Glob.DecNum, "0.000000");
    EXPECT_EQ(Glob.DimDecForm, "0.00");
    EXPECT_NEAR(double(Glob.MinOffsArc), std::numbers::pi / 6, 1e-12);
    EXPECT_EQ(Glob.MaxUndo, 2);
    EXPECT_EQ(Glob.MaxFileHist, 4);
    EXPECT_EQ(Glob.MaxShowLogCount, 99);
    EXPECT_EQ(Glob.ZoomInRatio, 3);
    EXPECT_FLOAT_EQ(Glob.ObjOpac, 0.7f);
    EXPECT_TRUE(Glob.AutoRegen);
    // The next showing shows what is in force.
    Set([](TForm& F) {
        EXPECT_EQ(F.Find<TEdit>("EditMinOffsArc")->Text, "30");
        EXPECT_EQ(F.Find<TEdit>("EditSelSize")->Text, "9");
        return mrCancel;
    });
}

TEST_F(SetDgTest, RefusedValuesAreNamedAndNothingIsTaken) {
    const Extended JoinTol = Glob.JoinTol, Arc = Glob.MinOffsArc;
    const int32_t Undo = Glob.MaxUndo;
    TScriptResponder R;
    R.ExpectModal("SetDialog", [&R](TForm& F) {
        Type(F, "EditJoinTol", "abc");
        Type(F, "EditMinOffsArc", "45");
        Type(F, "EditMaxUndo", "7");
        R.ExpectMessage(mrOk, "Tolerance spojování");
        F.ClickButton("BitBtnOK");
        // Still open: the user corrects or cancels.
        EXPECT_EQ(F.ModalResult, mrNone);
        const auto& Why = static_cast<TSetDialog&>(F).Refused;
        EXPECT_EQ(Why.size(), 2u);
        EXPECT_NE(Why[1].find("0 .. 30"), std::string::npos) << Why[1];
        F.ClickButton("BitBtnCancel");
        return mrCancel;
    });
    H->Enter("SET");
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(Glob.JoinTol, JoinTol);
    EXPECT_EQ(Glob.MinOffsArc, Arc);
    EXPECT_EQ(Glob.MaxUndo, Undo);
}

TEST_F(SetDgTest, CancelKeepsSettingsAndThePageShownLastOpensNext) {
    const uint32_t Back = Glob.BackColor;
    Set([](TForm& F) {
        // The first opening shows "Edit/CAM".
        EXPECT_EQ(F.Find<TPageControl>("PageControlSetup")->ActivePageIndex, 6);
        EXPECT_FALSE(F.Find<TPageControl>("PageControlSetup")->TabsVisible);
        F.Find<TListBox>("LBoxTabs")->ChooseItem(1);
        F.Find<TPanel>("ShBackColor")->Color = 0x123456;
        Type(F, "EditMaxUndo", "9");
        F.ClickButton("BitBtnCancel");
        return mrCancel;
    });
    EXPECT_EQ(Glob.BackColor, Back);
    EXPECT_NE(Glob.MaxUndo, 9);
    EXPECT_TRUE(H->LogHas("Usr:Select menu item:Zobrazení"));
    Set([](TForm& F) {
        EXPECT_EQ(F.Find<TPageControl>("PageControlSetup")->ActivePageIndex, 1);
        return mrCancel;
    });
}

TEST_F(SetDgTest, CommandGridEditsNamesAliasesAndRepeat) {
    Set([](TForm& F) {
        TStringGrid& G = *F.Find<TStringGrid>("StrGridCommands");
        EXPECT_EQ(G.RowCount(), BuiltInComCount + 1);
        EXPECT_EQ(G.Cells[0][BuiltInComCount], Prikaz[BuiltInComCount].Orig);
        for (int r = 1; r <= BuiltInComCount; ++r)
            if (G.Cells[0][size_t(r)] == "LINE") {
                G.EditCell(2, r, "ln");   // an alias typed in small letters still works
                G.EditCell(4, r, "a");    // only "A" means repeat
            }
        G.EditCell(1, BuiltInComCount, "Poslední");
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    EXPECT_EQ(Prikaz[BuiltInComCount].MenuName, "Poslední");
    H->Enter("ln");
    EXPECT_TRUE(H->LogHas("Usr:LINE") || MainVars.ComCnt >= 0);
    H->Esc();
    for (int r = 1; r <= BuiltInComCount; ++r)
        if (Prikaz[size_t(r)].Orig == "LINE") EXPECT_FALSE(Prikaz[size_t(r)].RBtnRep);
}

TEST_F(SetDgTest, OffsetKeepsItsSourceAndTheChoiceSurvivesARestart) {
    Set([](TForm& F) {
        F.Find<TRadioButton>("RbtnOffLeave")->Click();
        F.ClickButton("BtnSave");  // "Uložit Default.cfg"
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    EnPline.RectangleAdd({0, 0}, {10, 10}, 1, MainVars.DataStart, MainVars.DataEnd);
    TObjHeader* Source = MainVars.DataStart;
    Source->Flags |= FlagSelected;
    Run({"OFFSET", "1", "", "20 5"});
    int Plines = 0;
    bool SourceThere = false;
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        ++Plines;
        SourceThere |= p == Source;
    }
    EXPECT_TRUE(SourceThere);
    EXPECT_EQ(Plines, 2);
    // A new start on the same folder reads the choice back from "Default.cfg".
    H.reset();
    H = std::make_unique<TCmdHarness>(Dir(), TCmdHarness::TStartUp::Program);
    EXPECT_TRUE(SetDialog->RbtnOffLeave->Checked);
    EXPECT_FALSE(SetDialog->RbtnOffDel->Checked);
}

}  // namespace
