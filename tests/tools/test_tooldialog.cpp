// The tool dialog, driven as a user drives it: layer tabs, fields, the pass table, OK,
// Cancel, the machining-set and report buttons, and the small dialogs it opens.
#include <gtest/gtest.h>

#include <functional>

#include "core/Glob.h"
#include "core/TextFile.h"
#include "formats/UniYDF.h"
#include "platform/ScriptResponder.h"
#include "shell/SetCfg.h"
#include "shell/UniLang.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"
#include "tools/ToolDg.h"
#include "tools/ToolDialog.h"
#include "tools/ToolLibFile.h"
#include "tools/ToolLibPick.h"
#include "tools/ToolSmallDgs.h"
#include "tools/UniTType.h"

namespace {

class ToolDialogTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        SetCfgDecimalSeparator('.');
        InitMaterial();
        InitToolLib();
        InitToolType();
        InitTool();
        CreateConfirmDialog();
        CreateCopyFromToolDialog();
        CreateGenParamDialog();
        CreateToolLibOpenDialog();
        CreateToolLocDialog();
        CreateToolDialog();
    }

    // The grid rows as a user types them (depth, plunge feed, feed, speed).
    static void TypeRows(TToolDialog& D, const std::vector<std::vector<std::string>>& Rows) {
        D.BtnLayClearTab->Click();
        for (size_t r = 0; r < Rows.size(); ++r)
            for (size_t c = 0; c < Rows[r].size(); ++c) D.StrGridLayParam->EditCell(int(c) + 1, int(r), Rows[r][c]);
    }

    TScriptResponder R;
};

TEST_F(ToolDialogTest, BallToolOnT3SurvivesSaveAndOpen) {
    R.ExpectModal("ToolDialog", [](TForm& F) {
        auto& D = static_cast<TToolDialog&>(F);
        D.TabControl->ChoosePage(2);
        D.EditToolJmNastroje->TypeText("Kulová 3mm");
        D.CboxToolTType->ChooseItem(3);
        D.EditToolDSpodni->TypeText("3");
        D.EditToolR->TypeText("1.5");
        D.EditToolBrit->TypeText("5");
        TypeRows(D, {{"0.5", "?", "8", "12000"}, {"1", "2", "8", "12000"}, {"1.5", "2", "8", "12000"},
                     {"2", "2", "8", "12000"}});
        D.BitBtnOK->Click();
        return mrOk;
    });
    ComTool();
    ASSERT_TRUE(R.Done());
    const TTool want = Glob.Tool[3];
    EXPECT_EQ(want.JmNastroje, "Kulová 3mm");
    EXPECT_EQ(want.ToolType, 3);
    EXPECT_EQ(want.SpodniPrumer, 3);
    EXPECT_EQ(LastUsedPass(want), 4);
    EXPECT_EQ(want.Pruchod[1].Zapich, -1);
    EXPECT_EQ(want.Pruchod[4].Hloubka, 2);
    const std::string job = InDir("job.ydf");
    ASSERT_TRUE(SaveYdfFile(job, true, true));
    // Start afresh, then open the job.
    InitMaterial();
    InitTool();
    Osy Min, Max;
    ASSERT_TRUE(LoadYdfFile(job, true, false, Max, Min, true, true, true, true));
    EXPECT_TRUE(Glob.Tool[3] == want);
}

TEST_F(ToolDialogTest, CancelKeepsTheTools) {
    const TToolArr before = Glob.Tool;
    R.ExpectModal("ToolDialog", [this](TForm& F) {
        auto& D = static_cast<TToolDialog&>(F);
        D.TabControl->ChoosePage(2);
        D.EditToolDSpodni->TypeText("9");
        R.ExpectMessage(mrYes, Msg[95]);
        D.BitBtnCancel->Click();
        return mrNone;
    });
    ComTool();
    EXPECT_TRUE(R.Done());
    for (int n = 1; n <= ToolLayerCount; ++n) EXPECT_TRUE(Glob.Tool[n] == before[n]) << n;
}

// An operation that deepens a layer's live tool while the dialog is open keeps its
// passes at OK unless the user changed that layer in the dialog.
TEST_F(ToolDialogTest, OkKeepsLiveToolsChangedMeanwhile) {
    Glob.Tool[5].Material.Tech.ApPercent = false;
    Glob.Tool[5].Material.Tech.Ap = 0.5L;
    R.ExpectModal("ToolDialog", [](TForm& F) {
        auto& D = static_cast<TToolDialog&>(F);
        DepthToTool(2, 5, false);  // what an operation's depth service does
        D.TabControl->ChoosePage(1);
        D.EditToolJmNastroje->TypeText("T2 edited");
        D.BitBtnOK->Click();
        return mrOk;
    });
    ComTool();
    EXPECT_EQ(LastUsedPass(Glob.Tool[5]), 4);
    EXPECT_EQ(Glob.Tool[2].JmNastroje, "T2 edited");
}

// OK without a change keeps the tool's values exactly: the texts shown have 15 digits,
// and a value read back from them would differ in the last bits and mark the operations.
TEST_F(ToolDialogTest, OkWithoutChangeKeepsExactValues) {
    Glob.Tool[13].Pruchod[1].Hloubka = 1 / 3.0L;
    Glob.Tool[13].Pruchod[1].Posuv = 2 / 3.0L;
    Glob.Tool[13].Material.Tech.Vc = 100 / 7.0L;
    ASSERT_EQ(Glob.Tool[13].SpodniPrumer, 0.2L * 13);  // computed at start-up
    const TToolArr Before = Glob.Tool;
    for (bool MmPerMinute : {false, true}) {
        Glob.SpolParObr.VelUnit = MmPerMinute ? MmPerMin : MmPerSec;
        R.ExpectModal("ToolDialog", [](TForm& F) {
            auto& D = static_cast<TToolDialog&>(F);
            D.TabControl->ChoosePage(12);
            D.TabControl->ChoosePage(11);
            D.TabControl->ChoosePage(12);
            D.BitBtnOK->Click();
            return mrOk;
        });
        ComTool();
        ASSERT_TRUE(R.Done());
        // (The cutting data are the calculator's, recomputed when the dialog shows.)
        for (int n = 1; n <= ToolLayerCount; ++n) {
            const TTool &A = Glob.Tool[n], &B = Before[n];
            EXPECT_TRUE(CompareTool(A, B) && ComparePlunge(A.Material.Zapich, B.Material.Zapich)) << n;
            ASSERT_EQ(LastUsedPass(A), LastUsedPass(B)) << n;
            for (int i = 1; i <= LastUsedPass(B); ++i) EXPECT_TRUE(A.Pruchod[i] == B.Pruchod[i]) << n << " " << i;
        }
    }
}

TEST_F(ToolDialogTest, PassTableRows) {
    struct Case {
        const char* Name;
        std::vector<std::vector<std::string>> Rows;
        std::vector<Extended> Depths;
        Extended Feed2;
    };
    const std::vector<Case> cases = {
        {"a hole ends the table", {{"0.5", "?", "5", "10000"}, {"", "", "", ""}, {"1.5", "?", "5", "10000"}}, {0.5L}, 0},
        {"decimal comma and sum", {{"2,5", "?", "5", "1"}, {"1+1.5+1", "3", "6", "1"}}, {2.5L, 3.5L}, 6},
        {"negative feed ends it", {{"1", "?", "5", "1"}, {"2", "?", "-1", "1"}}, {1}, 0},
    };
    ToolDialog->DoShow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TypeRows(*ToolDialog, c.Rows);
        ToolDialog->EditToPruchod(1);
        const TTool& T = ToolTmp[1];
        ASSERT_EQ(LastUsedPass(T), int(c.Depths.size()));
        for (size_t i = 0; i < c.Depths.size(); ++i) EXPECT_EQ(T.Pruchod[i + 1].Hloubka, c.Depths[i]);
        if (c.Feed2) {
            EXPECT_EQ(T.Pruchod[2].Posuv, c.Feed2);
        }
    }
    // In mm/min a feed of 300 is stored as 5 and shown as 300 again.
    Glob.SpolParObr.VelUnit = MmPerMin;
    TypeRows(*ToolDialog, {{"1", "?", "300", "1000"}});
    ToolDialog->EditToPruchod(1);
    EXPECT_EQ(ToolTmp[1].Pruchod[1].Posuv, 5);
    ToolDialog->PruchodToEdit(1);
    EXPECT_EQ(ToolDialog->StrGridLayParam->Cells[3][0], "300");
    EXPECT_EQ(ToolDialog->StrGridLayParam->Cells[2][0], "?");
}

TEST_F(ToolDialogTest, ConstantIncrementSpreadsBetweenFirstAndLast) {
    ToolDialog->DoShow();
    for (const auto& [first, want] : std::vector<std::pair<std::string, std::vector<Extended>>>{
             {"1", {1, 1.5L, 2, 2.5L, 3}}, {"", {0.6L, 1.2L, 1.8L, 2.4L, 3}}}) {
        TypeRows(*ToolDialog, {{first, "?", "5", "1"}, {"9", "?", "5", "1"}, {"9", "?", "5", "1"}, {"9", "?", "5", "1"},
                               {"3", "?", "8", "1"}});
        ToolDialog->BtnLayConstIncrement->Click();
        const TTool& T = ToolTmp[1];
        for (size_t i = 0; i < want.size(); ++i) {
            EXPECT_NEAR(double(T.Pruchod[i + 1].Hloubka), double(want[i]), 1e-12) << first << " " << i;
            EXPECT_EQ(T.Pruchod[i + 1].Posuv, 8);
        }
    }
}

TEST_F(ToolDialogTest, TechnologyReport) {
    ToolTmp = Glob.Tool;
    for (int n = 1; n <= ToolLayerCount; ++n) ToolTmp[n].Pruchod[1].Hloubka = -1;
    ToolTmp[1].JmNastroje = "A";
    ToolTmp[1].Pruchod[1] = TPruchod{0.5L, -1, 5, 10000};
    ToolTmp[5].JmNastroje = "B";
    ToolTmp[5].Pruchod[1] = TPruchod{1, 2.25L, 12.5L, 24000};
    ToolTmp[5].Pruchod[2] = TPruchod{12, 2.25L, 12.5L, 24000};
    Glob.JmSouboru = "job";
    const std::vector<std::string> r = ToolReportLines();
    const std::vector<std::string> want = {
        "Jméno souboru: job", "  PocatekXY:   ", "  RozmerPolot: ", "  MatPolot:    Výchozí materiál", "  Poznamka:    ",
        "", "T1: A ", "Pruchod  Hloubka   Zapich    Posuv   Otacky",
        "    1      0.500   -1.000    5.000    10000", "", "T5: B ", "Pruchod  Hloubka   Zapich    Posuv   Otacky",
        "    1      1.000    2.250   12.500    24000", "    2     12.000    2.250   12.500    24000", ""};
    EXPECT_EQ(r, want);
}

TEST_F(ToolDialogTest, MachiningSetButtonsWriteDotSet) {
    ToolDialog->DoShow();
    ToolDialog->EditToolJmNastroje->TypeText("Z množiny");
    R.ExpectSave(InDir("job.txt"));
    ToolDialog->BtnSaveSet->Click();
    ASSERT_TRUE(TextFileExists(InDir("job.set")));
    ToolDialog->EditToolJmNastroje->TypeText("jiný");
    ToolDialog->EditToTool(1, true);
    R.ExpectOpen(InDir("job.set"));
    ToolDialog->BtnOpenSet->Click();
    EXPECT_EQ(ToolDialog->EditToolJmNastroje->Text, "Z množiny");
    EXPECT_TRUE(R.Done());
}

TEST_F(ToolDialogTest, CommonParametersInMmPerMin) {
    Glob.SpolParObr.Rychloposuv = 50;
    Glob.SpolParObr.VelUnit = MmPerMin;
    R.ExpectModal("GenParamDialog", [](TForm& F) {
        auto& G = static_cast<TGenParamDialog&>(F);
        EXPECT_EQ(G.EditRychloposuv->Text, "3000");
        G.EditRychloposuv->TypeText("6000");
        G.EditVyskaMat->TypeText("x");
        G.RBtnMmPerSec->Click();
        EXPECT_EQ(G.EditRychloposuv->Text, "100");
        G.RBtnMmPerMin->Click();
        G.BitBtnOK->Click();
        return mrOk;
    });
    ToolDialog->DoShow();
    ToolDialog->BtnGeneralParam->Click();
    EXPECT_EQ(Glob.SpolParObr.Rychloposuv, 100);
    EXPECT_EQ(Glob.SpolParObr.PrejezdNadMat, 1);  // unparsable: kept
    EXPECT_EQ(ToolDialog->LabLayFeedUnit->Caption, "[mm/min]");
    EXPECT_EQ(ToolDialog->LabToolVf->Caption, "Vf - Posuv [mm/min]");
}

TEST_F(ToolDialogTest, LibraryPickListsToolsOfTheCurrentMaterial) {
    Glob.ToolLib[1].Tool.ToolType = 1;
    Glob.ToolLib[2].Material.push_back(Glob.ToolLib[2].Material[0]);
    Glob.ToolLib[3].Material[0].MID = 7;
    R.ExpectModal("ToolLibOpenDialog", [](TForm& F) {
        auto& P = static_cast<TToolLibOpenDialog&>(F);
        EXPECT_EQ(P.LboxTools->Items.size(), 5u);  // 2mm, 3mm, 4mm twice, 6mm
        EXPECT_EQ(P.LboxTools->Items[0], "Fréza válc. 2mm T#=0 D#=0 Dia=2.0 L=10.0");
        EXPECT_FALSE(P.BitBtnOk->Enabled);
        P.ChBoxTType[1]->Click();
        EXPECT_EQ(P.LboxTools->Items.size(), 4u);
        P.SbtnShowAll->Click();
        EXPECT_EQ(P.LboxTools->Items.size(), 5u);
        P.LboxTools->ChooseItem(4);
        EXPECT_TRUE(P.BitBtnOk->Enabled);
        P.BitBtnOk->Click();
        return mrOk;
    });
    Glob.ToolLoc = 1;
    ToolDialog->DoShow();
    ToolDialog->TabControl->ChoosePage(3);
    const auto passes = ToolTmp[4].Pruchod;
    ToolDialog->BtnOpenTool->OnMouseDown(TMouseButton::mbLeft, 0, 0, 0);
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(LibPickIndex, 4);
    EXPECT_EQ(ToolTmp[4].JmNastroje, "Fréza válc. 6mm");
    ASSERT_EQ(LastUsedPass(ToolTmp[4]), LastUsedPass(Glob.Tool[4]));
    EXPECT_TRUE(ToolTmp[4].Pruchod[1] == passes[1]);
    EXPECT_EQ(ToolDialog->EditToolDSpodni->Text, "6");
}

// Per cent of a diameter of 0 is no length, and a depth of cut of 0 divides no depth
// into passes: the unit buttons refuse the diameter and OK refuses the depth of cut,
// each naming its field; nothing they would have changed changes.
TEST_F(ToolDialogTest, ZeroDiameterAndZeroDepthOfCutAreRefused) {
    Glob.Tool[3].SpodniPrumer = 0;
    Glob.Tool[3].Material.Zapich[0].SpiralRadPercent = true;
    const TToolTech tech = Glob.Tool[3].Material.Tech;
    R.ExpectModal("ToolDialog", [this](TForm& F) {
        auto& D = static_cast<TToolDialog&>(F);
        D.TabControl->ChoosePage(2);
        const TToolTech& T = ToolTmp[3].Material.Tech;
        struct Case {
            TSpeedButton* Btn;
            TEdit* Edit;
            const bool* Percent;
        };
        for (const Case& c : {Case{D.SbtnToolApUnits, D.EditToolAp, &T.ApPercent},
                              Case{D.SBtnToolAeUnits, D.EditToolAe, &T.AePercent},
                              Case{D.SbtnToolSpiralRadUnits, D.EditToolSpiralRad,
                                   &ToolTmp[3].Material.Zapich[0].SpiralRadPercent}}) {
            SCOPED_TRACE(c.Btn->Name);
            const std::string text = c.Edit->Text, caption = c.Btn->Caption;
            const bool percent = *c.Percent;
            R.ExpectMessage(mrOk, Msg[97] + "Ds = Spodní průměr");
            c.Btn->Click();
            EXPECT_EQ(c.Edit->Text, text);
            EXPECT_EQ(c.Btn->Caption, caption);
            EXPECT_EQ(*c.Percent, percent);
        }
        D.EditToolAp->TypeText("0");
        R.ExpectMessage(mrOk, Msg[97] + "Ap - Max. hloubka");
        D.BitBtnOK->Click();
        return mrOk;
    });
    ComTool();
    EXPECT_TRUE(R.Done());
    const TToolTech& T = Glob.Tool[3].Material.Tech;
    EXPECT_EQ(T.Ap, tech.Ap);
    EXPECT_EQ(T.ApPercent, tech.ApPercent);
    EXPECT_EQ(T.AePercent, tech.AePercent);
    EXPECT_TRUE(Glob.Tool[3].Material.Zapich[0].SpiralRadPercent);
}

// The geometry file of a layer tool: saved under another extension it is written as
// ".geo"; opened over a changed tool it brings the geometry back and keeps the passes.
TEST_F(ToolDialogTest, GeometryFileRoundTrip) {
    Glob.ToolLoc = 2;
    ToolDialog->DoShow();
    ToolDialog->TabControl->ChoosePage(3);
    TToolDialog& D = *ToolDialog;
    D.EditToolJmNastroje->TypeText("Kužel 60°");
    D.CboxToolTType->ChooseItem(2);
    D.EditToolDSpodni->TypeText("0.2");
    D.EditToolU->TypeText("60");
    D.EditToolDHorni->TypeText("6");
    D.EditToolTnum->TypeText("7");
    R.ExpectSave(InDir("tool.Tool"));
    D.BtnSaveTool->OnMouseDown(TMouseButton::mbLeft, 0, 0, 0);
    ASSERT_TRUE(TextFileExists(InDir("tool.geo")));
    const TTool saved = ToolTmp[4];
    TypeRows(D, {{"0.5", "?", "5", "10000"}, {"1", "?", "5", "10000"}});
    D.EditToolJmNastroje->TypeText("jiný");
    D.EditToolDSpodni->TypeText("3");
    D.EditToolTnum->TypeText("1");
    D.EditToTool(4, true);
    R.ExpectOpen(InDir("tool.geo"));
    D.BtnOpenTool->OnMouseDown(TMouseButton::mbLeft, 0, 0, 0);
    EXPECT_TRUE(R.Done());
    const TTool& T = ToolTmp[4];
    EXPECT_EQ(T.JmNastroje, "Kužel 60°");
    EXPECT_EQ(T.ToolType, 2);
    EXPECT_EQ(T.SpodniPrumer, saved.SpodniPrumer);
    EXPECT_EQ(T.UhelSpicky, 60);
    EXPECT_EQ(T.HorniPrumer, 6);
    EXPECT_EQ(T.Tnum, 7);
    EXPECT_EQ(LastUsedPass(T), 2);
    EXPECT_EQ(D.EditToolDSpodni->Text, "0.2");
}

// The pick dialog's type filter grows with the type list: a tool of type 35 is listed
// and its filter is there for "Všechny / žádný" to switch on.
TEST_F(ToolDialogTest, PickFilterFollowsTheTypeList) {
    Glob.MillToolType.resize(40);
    ASSERT_TRUE(ToolTypeToFile(InDir("TTypeDef.ytf")));
    InitToolType();
    ASSERT_TRUE(FileToToolType(InDir("TTypeDef.ytf")));
    CreateToolLibOpenDialog();
    EXPECT_EQ(LibPickTypeFilter.size(), 40u);
    Glob.ToolLib[0].Tool.ToolType = 35;
    R.ExpectModal("ToolLibOpenDialog", [](TForm& F) {
        auto& P = static_cast<TToolLibOpenDialog&>(F);
        EXPECT_EQ(P.LboxTools->Items.size(), 5u);
        P.SbtnShowAll->Click();
        EXPECT_EQ(P.LboxTools->Items.size(), 5u);
        return mrCancel;
    });
    ToolLibOpenDialog->ShowModal();
    EXPECT_TRUE(R.Done());
    EXPECT_TRUE(LibPickTypeFilter[35]);
}

// The calculator's page flags show on the tabs: a geometry input that does not read
// turns the caption of the "Info/Geo" tab red, a cutting input that breaks its rule
// that of "RezPod", until they read again.
TEST_F(ToolDialogTest, PageTabsShowTheCalculatorsFlags) {
    ToolDialog->DoShow();
    TToolDialog& D = *ToolDialog;
    auto release = [](TEdit* E, const std::string& Text) {
        E->TypeText(Text);
        uint16_t key = 0;
        E->OnKeyUp(key, 0);
    };
    auto colours = [&D] {
        return std::vector<uint32_t>{D.TabInfo->TabColor, D.TabRezPod->TabColor, D.TabZapich->TabColor,
                                     D.TabVystupy->TabColor};
    };
    const std::vector<uint32_t> none(4, clDefault);
    EXPECT_EQ(colours(), none);  // the default tool shown is valid
    EXPECT_EQ(D.EditToolN->Text, "8000");
    const std::string r = D.EditToolR->Text, ap = D.EditToolAp->Text;
    release(D.EditToolR, "x");
    EXPECT_EQ(colours(), (std::vector<uint32_t>{clRed, clDefault, clDefault, clDefault}));
    release(D.EditToolAp, "0");
    EXPECT_EQ(colours(), (std::vector<uint32_t>{clRed, clRed, clDefault, clDefault}));
    release(D.EditToolR, r);
    release(D.EditToolAp, ap);
    EXPECT_EQ(colours(), none);
}

// A set, a report or a geometry file that cannot be written is reported as not written,
// with its "Err:" line.
TEST_F(ToolDialogTest, UnwritableFilesAreReported) {
    const std::string blocked = WriteFile("file", "") + "/x";
    Glob.ToolLoc = 2;
    ToolDialog->DoShow();
    struct Case {
        const char* Name;
        std::function<void()> Press;
        std::string Err;
    };
    const Case cases[] = {
        {"set", [] { ToolDialog->BtnSaveSet->Click(); }, "Err:FAILED Save Millset (" + blocked + ".set)"},
        {"report", [] { ToolDialog->BtnReport->Click(); }, "Err:FAILED Save tool report (" + blocked + ".txt)"},
        {"geometry", [] { ToolDialog->BtnSaveTool->OnMouseDown(TMouseButton::mbLeft, 0, 0, 0); },
         "Err:FAILED Save tool geo (" + blocked + ".geo)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        R.ExpectSave(c.Err.substr(c.Err.find('(') + 1, c.Err.size() - c.Err.find('(') - 2));
        R.ExpectMessage(mrOk, "Soubor se nepodarilo zapsat");
        c.Press();
        EXPECT_TRUE(R.Done());
        EXPECT_TRUE(TCmdHarness::LogHas(c.Err));
    }
}

}  // namespace
