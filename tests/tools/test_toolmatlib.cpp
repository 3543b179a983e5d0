// The tool and material library dialog driven as a user drives it: the tree in both
// orders and under the type filter, editing a page, OK and Cancel, the commands and
// the two small question dialogs they open.
#include <gtest/gtest.h>

#include "core/Glob.h"
#include "core/TextFile.h"
#include "platform/ScriptResponder.h"
#include "shell/Main.h"
#include "shell/MainMenus.h"
#include "shell/MainVars.h"
#include "shell/ProgramFolder.h"
#include "shell/SetCfg.h"
#include "shell/UniLang.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"
#include "tools/ToolLibFile.h"
#include "tools/ToolMatLibDg.h"
#include "tools/ToolParamDgs.h"
#include "tools/ToolSmallDgs.h"
#include "tools/UniTType.h"

namespace {

// The index of the first node with Text at or after From (-1 when there is none).
int NodeOf(const TTreeView& T, const std::string& Text, int From = 0) {
    for (size_t i = size_t(From); i < T.Nodes.size(); ++i)
        if (T.Nodes[i].Text == Text) return int(i);
    return -1;
}

// The n-th node (from 0) with that text.
int NthNode(const TTreeView& T, const std::string& Text, int N) {
    int i = -1;
    for (int k = 0; k <= N; ++k) i = NodeOf(T, Text, i + 1);
    return i;
}

// Through the menu of a started program: a value changed on a page, OK, then the
// program closes and starts again and the library has the value.
class ToolMatLibProgram : public KestrilonTest {};

TEST_F(ToolMatLibProgram, MenuEditSaveAndReload) {
    ASSERT_TRUE(WriteProgramFolderFiles(Dir()));
    {
        TCmdHarness H(Dir(), TCmdHarness::TStartUp::Program);
        TScriptResponder R;
        R.ExpectModal("ToolMatLibDialog", [&R](TForm& F) {
            auto& L = static_cast<TToolMatLibDialog&>(F);
            const TTreeView& T = *L.TrVLibList;
            EXPECT_EQ(T.Nodes.size(), 41u);
            EXPECT_EQ(T.Nodes.back().Text, "[ Nový nástroj ]");
            EXPECT_EQ(T.Nodes[2].Text, "Mat.:Výchozí materiál");
            L.TrVLibList->SelectNode(NthNode(T, "Řezné pod.", 1));
            EXPECT_EQ(L.PageParams->ActivePageIndex, 1);
            L.EditToolVc->TypeText("150");
            L.TrVLibList->SelectNode(NthNode(T, "Geometrie", 1));
            EXPECT_EQ(L.PageParams->ActivePageIndex, 0);
            L.EditToolJmNastroje->TypeText("Fréza 3 mm nová");
            R.ExpectMessage(mrYes, Msg[94]);
            L.SbtnOk->Click();
            return mrNone;
        });
        H.Form().MenuItem("Knihovnanstroj1")->Click();
        EXPECT_TRUE(R.Done());
        EXPECT_EQ(Glob.ToolLib[1].Material[0].Tech.Vc, 150);
        EXPECT_EQ(Glob.ToolLib[1].Tool.JmNastroje, "Fréza 3 mm nová");
        MainVars.FileSaved = true;
        H.Form().MenuItem("ExitMnu")->Click();
    }
    InitMaterial();
    InitToolLib();
    ASSERT_NE(Glob.ToolLib[1].Tool.JmNastroje, "Fréza 3 mm nová");
    TCmdHarness H(Dir(), TCmdHarness::TStartUp::Program);
    EXPECT_EQ(Glob.ToolLib[1].Material[0].Tech.Vc, 150);
    EXPECT_EQ(Glob.ToolLib[1].Tool.JmNastroje, "Fréza 3 mm nová");
}

class ToolMatLibTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        SetCfgDecimalSeparator('.');
        InitMaterial();
        InitToolLib();
        InitToolType();
        CreateConfirmDialog();
        CreateCMDParamDialog();
        CreateValSelectDialog();
        CreateToolMatLibDialogForm();
        L().DoShow();
    }
    void TearDown() override {
        SetCfgDecimalSeparator(0);
        KestrilonTest::TearDown();
    }
    static TToolMatLibDialog& L() { return *ToolMatLibDialog; }
    static TTreeView& T() { return *ToolMatLibDialog->TrVLibList; }
    static void Select(const std::string& Text, int N = 0) {
        const int i = NthNode(T(), Text, N);
        ASSERT_GE(i, 0) << Text;
        T().SelectNode(i);
    }
    static void Order(int O) { L().RgRSortBy->ChooseItem(O); }
    // A new list material made on the cutting-data page of "[  Nový materiál  ]".
    void NewMaterial(const std::string& Name) {
        Select("[  Nový materiál  ]");
        for (TEdit* E : {L().EditToolMaxSpindlePower, L().EditToolMaxSpindleSpeed, L().EditToolN, L().EditToolFz,
                         L().EditToolFn, L().EditToolVf, L().EditToolAp, L().EditToolAe})
            E->TypeText("1");
        L().EditToolVc->TypeText("80");
        R.ExpectModal("CMDParamDialog", [Name](TForm& F) {
            EXPECT_EQ(F.Caption, "Nový materiál");
            static_cast<TCMDParamDialog&>(F).EditParam->Text = Name;
            return mrOk;
        });
        L().SbtnSaveNew->Click();
    }
    TScriptResponder R;
};

TEST_F(ToolMatLibTest, MaterialOrderAndTypeFilter) {
    Order(1);
    // One material with its five tools (four pages each), its defaults (three pages),
    // its new-tool node, and the add-material node.
    EXPECT_EQ(T().Nodes.size(), 1u + 5 * 5 + 4 + 1 + 1);
    EXPECT_EQ(T().Nodes[0].Text, "Výchozí materiál");
    EXPECT_EQ(T().Nodes.back().Text, "[ Přidat materiál ]");
    L().SbtnShowAll->Click();
    for (int k = 0; k <= 9; ++k) EXPECT_FALSE(L().ChBoxTType[size_t(k)]->Checked);
    EXPECT_EQ(T().Nodes.size(), 1u + 4 + 1 + 1);
    Order(0);
    ASSERT_EQ(T().Nodes.size(), 1u);
    EXPECT_EQ(T().Nodes[0].Text, "[ Nový nástroj ]");
    L().SbtnShowAll->Click();
    EXPECT_EQ(T().Nodes.size(), 41u);
    // One type box alone.
    L().ChBoxTType[0]->Click();
    EXPECT_EQ(T().Nodes.size(), 1u);
}

TEST_F(ToolMatLibTest, BadValueKeepsThePageUntilItReads) {
    // Looking at a page changes nothing it stores.
    Select("Řezné pod.", 1);
    Select("Zápich", 1);
    EXPECT_EQ(ToolLibTmp[1].Material[0].Tech, Glob.ToolLib[1].Material[0].Tech);
    Select("Řezné pod.", 0);
    L().EditToolVc->TypeText("x+");
    R.ExpectMessage(mrOk, Msg[97] + "Vc - Řezná rychlost [m/min]");
    Select("Geometrie", 2);
    EXPECT_EQ(L().SelPar, lnTech);
    EXPECT_EQ(L().PageParams->ActivePageIndex, 1);
    R.ExpectMessage(mrYes, Msg[94]);
    R.ExpectMessage(mrOk, Msg[97]);
    L().SbtnOk->Click();
    EXPECT_EQ(L().ModalResult, mrNone);
    // A whole number and a truncated one.
    L().EditToolVc->TypeText("123.7");
    R.ExpectMessage(mrYes, Msg[94]);
    L().SbtnOk->Click();
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(L().ModalResult, mrOk);
    EXPECT_EQ(Glob.ToolLib[0].Material[0].Tech.Vc, 123);
}

TEST_F(ToolMatLibTest, CancelAndOkAnsweredNoKeepTheLibrary) {
    const std::string name = Glob.ToolLib[0].Tool.JmNastroje;
    for (int way = 0; way < 2; ++way) {
        L().DoShow();
        Select("Geometrie", 0);
        L().EditToolJmNastroje->TypeText("jiný");
        if (way == 0) {
            R.ExpectMessage(mrNo, Msg[95]);
            L().SbtnCancel->Click();
            EXPECT_EQ(L().ModalResult, mrNone);
            R.ExpectMessage(mrYes, Msg[95]);
            L().SbtnCancel->Click();
        } else {
            R.ExpectMessage(mrNo, Msg[94]);
            L().SbtnOk->Click();
        }
        EXPECT_NE(L().ModalResult, mrNone);
        L().ModalResult = mrNone;
        EXPECT_EQ(Glob.ToolLib[0].Tool.JmNastroje, name);
    }
    EXPECT_TRUE(R.Done());
}

TEST_F(ToolMatLibTest, NewMaterialsAndSaveAsNewTool) {
    // Names that differ from a list material only in ASCII letter case are refused;
    // accented letters count as they are.
    Select("[  Nový materiál  ]");
    R.ExpectModal("CMDParamDialog", [](TForm& F) {
        static_cast<TCMDParamDialog&>(F).EditParam->Text = "výchozí MATERIál";
        return mrOk;
    });
    R.ExpectMessage(mrOk, Msg[100]);
    R.ExpectModal("CMDParamDialog", [](TForm& F) {
        EXPECT_TRUE(static_cast<TCMDParamDialog&>(F).EditParam->Text.empty());
        return mrCancel;
    });
    L().SbtnSaveNew->Click();
    EXPECT_EQ(MaterialTmp.size(), 1u);
    NewMaterial("VÝCHOZÍ MATERIÁL");
    ASSERT_EQ(MaterialTmp.size(), 2u);
    EXPECT_EQ(MaterialTmp[1].MID, 1);
    EXPECT_EQ(ToolLibTmp[0].Material.size(), 2u);
    EXPECT_EQ(ToolLibTmp[0].Material[1].Tech.Vc, 80);
    // Tool 0 now has two materials: saved as new, the copy carries both.
    Select("Geometrie", 0);
    L().EditToolJmNastroje->TypeText("Kopie");
    L().SbtnSaveNew->Click();
    ASSERT_EQ(ToolLibTmp.size(), 6u);
    EXPECT_EQ(ToolLibTmp[5].Tool.JmNastroje, "Kopie");
    EXPECT_EQ(ToolLibTmp[5].Tool.TID, 5);
    EXPECT_EQ(ToolLibTmp[5].Material.size(), 2u);
    // In material order the new material lists tool 0 and the copy.
    Order(1);
    const int second = NodeOf(T(), "VÝCHOZÍ MATERIÁL");
    ASSERT_GE(second, 0);
    EXPECT_EQ(T().Nodes[size_t(second) + 1].Text, Glob.ToolLib[0].Tool.JmNastroje);
    EXPECT_EQ(NodeOf(T(), "Kopie", second), int(second) + 6);
    EXPECT_TRUE(R.Done());
}

TEST_F(ToolMatLibTest, AddMaterialChoiceAndDeleteEverywhere) {
    NewMaterial("Dural");
    // Tool 1 takes it through its add-material node; a typed name that matches no item is no choice.
    R.ExpectModal("ValSelectDialog", [](TForm& F) {
        auto& V = static_cast<TValSelectDialog&>(F);
        EXPECT_EQ(V.CBoxSelect->Items.size(), 3u);
        V.CBoxSelect->TypeText("Durall");
        return mrOk;
    });
    R.ExpectMessage(mrOk, Msg[102]);
    R.ExpectModal("ValSelectDialog", [](TForm& F) {
        static_cast<TValSelectDialog&>(F).CBoxSelect->ChooseItem(2);
        return mrOk;
    });
    Select("[ Přidat materiál ]", 1);
    ASSERT_EQ(ToolLibTmp[1].Material.size(), 2u);
    EXPECT_EQ(ToolLibTmp[1].Material[1].Jmeno, "Dural");
    // The same again is refused.
    R.ExpectModal("ValSelectDialog", [](TForm& F) {
        static_cast<TValSelectDialog&>(F).CBoxSelect->ChooseItem(2);
        return mrOk;
    });
    R.ExpectMessage(mrOk, Msg[103]);
    R.ExpectModal("ValSelectDialog", mrCancel);
    Select("[ Přidat materiál ]", 1);
    // Deleting the list material asks once and takes it from both tools.
    Order(1);
    Select("Dural");
    R.ExpectMessage(mrYes, Msg[117]);
    L().SbtnDelete->Click();
    EXPECT_EQ(MaterialTmp.size(), 1u);
    for (const TToolLib& Rec : ToolLibTmp) EXPECT_EQ(Rec.Material.size(), 1u);
    EXPECT_EQ(L().SelTID, -1);
    EXPECT_FALSE(L().SbtnDelete->Enabled);
    EXPECT_TRUE(R.Done());
}

TEST_F(ToolMatLibTest, NewToolsAndDeletingATool) {
    struct Case {
        int Order;
        bool DefMat;
        size_t Materials;
    };
    for (const Case& c : {Case{0, false, 0}, Case{0, true, 1}, Case{1, false, 1}}) {
        SCOPED_TRACE(c.Order * 10 + c.DefMat);
        L().DoShow();
        Glob.DefMatToNewTool = c.DefMat;
        Order(c.Order);
        Select("[ Nový nástroj ]");
        EXPECT_FALSE(L().SbtnDelete->Enabled);
        L().EditToolJmNastroje->TypeText("Nový");
        for (TEdit* E : {L().EditToolTnum, L().EditToolDnum, L().EditToolDSpodni, L().EditToolR, L().EditToolU,
                         L().EditToolV, L().EditToolDHorni, L().EditToolBrit, L().EditToolPocetBritu})
            E->TypeText("3");
        L().SbtnSaveNew->Click();
        ASSERT_EQ(ToolLibTmp.size(), 6u);
        EXPECT_EQ(ToolLibTmp[5].Tool.TID, 5);
        EXPECT_EQ(ToolLibTmp[5].Material.size(), c.Materials);
        // Listed: at the end of the tool order, under its material in the other.
        EXPECT_GE(NodeOf(T(), "Nový"), 0);
    }
    // Deleting a tool asks nothing.
    Order(0);
    Select("Nový");
    L().SbtnDelete->Click();
    EXPECT_EQ(ToolLibTmp.size(), 5u);
    EXPECT_EQ(NodeOf(T(), "Nový"), -1);
    EXPECT_FALSE(L().PageParams->Visible);
    Select("Geometrie");
    EXPECT_TRUE(L().PageParams->Visible);
    EXPECT_TRUE(R.Done());
}

TEST_F(ToolMatLibTest, FirstMaterialStaysAndOrderChangeDropsTheEdit) {
    Order(1);
    for (const char* n : {"Výchozí materiál", "Výchozí hodnoty"}) {
        Select(n);
        EXPECT_FALSE(L().SbtnDelete->Enabled) << n;
        EXPECT_FALSE(L().SbtnExport->Enabled) << n;
    }
    Select("Geometrie", 1);
    EXPECT_TRUE(L().SbtnDelete->Enabled);
    L().EditToolJmNastroje->TypeText("jiný");
    Order(0);
    R.ExpectMessage(mrYes, Msg[94]);
    L().SbtnOk->Click();
    EXPECT_EQ(Glob.ToolLib[1].Tool.JmNastroje, "Fréza válc. 3mm");
    // An opened tool stays open when a material is added below it.
    L().DoShow();
    T().SetExpanded(0, true);
    R.ExpectModal("CMDParamDialog", [](TForm& F) {
        static_cast<TCMDParamDialog&>(F).EditParam->Text = "Mosaz";
        return mrOk;
    });
    Select("Zápich", 0);
    L().SbtnSaveNew->Click();
    EXPECT_TRUE(T().Nodes[0].Expanded);
    EXPECT_EQ(T().Nodes[size_t(NodeOf(T(), "Mat.:Mosaz"))].Parent, 0);
    EXPECT_FALSE(T().Nodes[8].Expanded);
    EXPECT_TRUE(R.Done());
}

TEST_F(ToolMatLibTest, ExportExtensionsAndImportBack) {
    Select("Geometrie", 2);
    struct Case {
        const char* Chosen;
        const char* Written;  // "" nothing
    };
    const Case cases[] = {{"a", "a.geo"}, {"b.txt", ""}, {"c.GEO", "c.GEO"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Chosen);
        R.ExpectSave(InDir(c.Chosen));
        if (!*c.Written) R.ExpectMessage(mrOk, Msg[4]);
        L().SbtnExport->Click();
        EXPECT_EQ(TextFileExists(InDir(*c.Written ? c.Written : c.Chosen)), *c.Written != 0);
        EXPECT_TRUE(R.Done());
    }
    // An existing file is kept unless the question is answered OK.
    R.ExpectSave(InDir("a"));
    R.ExpectModal("ConfirmDialog", mrCancel);
    L().SbtnExport->Click();
    // What the export wrote comes back over a changed geometry.
    const TTool before = ToolLibTmp[2].Tool;
    L().EditToolDSpodni->TypeText("9.5");
    L().EditToolJmNastroje->TypeText("změna");
    ASSERT_TRUE(L().StoreShownPage());
    EXPECT_NE(ToolLibTmp[2].Tool.SpodniPrumer, before.SpodniPrumer);
    R.ExpectSave(InDir("a.geo"));
    L().SbtnImport->Click();
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(ToolLibTmp[2].Tool.JmNastroje, before.JmNastroje);
    EXPECT_EQ(ToolLibTmp[2].Tool.SpodniPrumer, before.SpodniPrumer);
}

TEST_F(ToolMatLibTest, PlungePageKeepsEachObject) {
    // The built-in types allow no method until a tool-type file does.
    Glob.MillToolType[0].PlunEnaPointHeli = Glob.MillToolType[0].PlunEnaPockRoughHeli = true;
    Select("Zápich", 0);
    EXPECT_EQ(L().PageParams->ActivePageIndex, 2);
    L().TabControlToolPlunge->ChoosePage(3);
    L().RBtnToolSpiral->Click();
    L().EditToolSpiralAngle->TypeText("7");
    L().TabControlToolPlunge->ChoosePage(0);
    L().RBtnToolSpiral->Click();
    L().ChBoxToolSpiralupward->Checked = false;
    L().ChBoxToolSpiralupward->Click();
    EXPECT_NE(L().ImgToolPlunge->PictureFile.find("ImgPlungeHelixUpPoint"), std::string::npos);
    // D1 10 mm with Ds 6: D2 16.
    L().EditToolDSpodni->Text = "6";
    L().SbtnToolSpiralRadUnits->Caption = "[mm]";
    L().EditToolSpiralRad->Text = "10";
    L().SpiralRadToHoleRad();
    EXPECT_EQ(L().EditToolHoleRad->Text, "16");
    L().EditToolHoleRad->Text = "6";
    L().HoleRadToSpiralRad();
    EXPECT_EQ(L().LabToolHoleRad->Font.Color, clRed);
    Select("Geometrie", 0);
    const TPlungeObjects& P = ToolLibTmp[0].Material[0].Zapich;
    EXPECT_EQ(P[3].Method, 3);
    EXPECT_EQ(P[3].SpiralAngle, 7);
    EXPECT_EQ(P[0].Method, 3);
    EXPECT_FALSE(P[0].SpiralDownStep);
    EXPECT_EQ(P[0].SpiralRad, 10);
}

// A tool of diameter 0 has no per cent to convert, and a depth of cut of 0 divides no
// depth into passes: the unit buttons refuse the diameter and the cutting-data page
// is not stored with such a depth, each naming its field.
TEST_F(ToolMatLibTest, ZeroDiameterAndZeroDepthOfCutAreRefused) {
    Select("Geometrie", 0);
    L().EditToolDSpodni->TypeText("0");
    struct Case {
        const char* Node;
        TSpeedButton* Btn;
        TEdit* Edit;
    };
    for (const Case& c : {Case{"Řezné pod.", L().SbtnToolApUnits, L().EditToolAp},
                          Case{"Zápich", L().SbtnToolSpiralRadUnits, L().EditToolSpiralRad}}) {
        SCOPED_TRACE(c.Node);
        Select(c.Node, 0);
        const std::string text = c.Edit->Text, caption = c.Btn->Caption;
        R.ExpectMessage(mrOk, Msg[97] + "Ds = Spodní průměr");
        c.Btn->Click();
        EXPECT_EQ(c.Edit->Text, text);
        EXPECT_EQ(c.Btn->Caption, caption);
    }
    EXPECT_EQ(ToolLibTmp[0].Tool.SpodniPrumer, 0);
    Select("Řezné pod.", 0);
    const Extended ap = ToolLibTmp[0].Material[0].Tech.Ap;
    L().EditToolAp->TypeText("0");
    R.ExpectMessage(mrOk, Msg[97] + "Ap - Max. hloubka");
    Select("Geometrie", 0);
    EXPECT_EQ(L().SelPar, lnTech);
    EXPECT_EQ(ToolLibTmp[0].Material[0].Tech.Ap, ap);
    L().EditToolAp->TypeText("0.5");
    Select("Zápich", 0);
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(ToolLibTmp[0].Material[0].Tech.Ap, 0.5L);
}

}  // namespace

// An import shows what it read, so the next node click keeps it; a geometry file that
// names no tool type is refused with its file and line and keeps the record's type.
TEST_F(ToolMatLibTest, ImportShowsWhatWasReadAndRefusesAnUnknownType) {
    Select("Geometrie", 2);
    const TTool before = ToolLibTmp[2].Tool;
    R.ExpectSave(InDir("t2.geo"));
    L().SbtnExport->Click();
    L().EditToolDSpodni->TypeText("9.5");
    Select("Geometrie", 1);  // stores the changed page
    Select("Geometrie", 2);
    ASSERT_EQ(ToolLibTmp[2].Tool.SpodniPrumer, 9.5L);
    R.ExpectSave(InDir("t2.geo"));
    L().SbtnImport->Click();
    EXPECT_EQ(L().EditToolDSpodni->Text, CfgRegionalReal(before.SpodniPrumer));
    Select("Geometrie", 1);
    EXPECT_EQ(ToolLibTmp[2].Tool.SpodniPrumer, before.SpodniPrumer);

    std::string geo = ReadFile(InDir("t2.geo"));
    const size_t at = geo.find("TypNastroje=");
    ASSERT_NE(at, std::string::npos);
    geo.replace(at, geo.find('\r', at) - at, "TypNastroje=42");
    WriteFile("bad.geo", geo);
    Select("Geometrie", 2);
    R.ExpectSave(InDir("bad.geo"));
    R.ExpectMessage(mrOk, "Neznámý typ nástroje 42, nenačten (soubor " + InDir("bad.geo") + ", řádek 11)");
    L().SbtnImport->Click();
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(ToolLibTmp[2].Tool.ToolType, before.ToolType);
}

// "Uložit nový" leaves the source as it was: the page now stands for the new record, so
// the next click or OK stores the page there.
TEST_F(ToolMatLibTest, SaveAsNewLeavesTheSourceRecord) {
    Select("Geometrie", 1);
    const TTool source = ToolLibTmp[1].Tool;
    L().EditToolJmNastroje->TypeText("Kopie");
    L().SbtnSaveNew->Click();
    ASSERT_EQ(ToolLibTmp.size(), 6u);
    L().EditToolDSpodni->TypeText("7");  // an edit of the copy
    Select("Geometrie", 0);
    EXPECT_TRUE(ToolLibTmp[1].Tool == source);
    EXPECT_EQ(ToolLibTmp[5].Tool.JmNastroje, "Kopie");
    EXPECT_EQ(ToolLibTmp[5].Tool.SpodniPrumer, 7);

    // A new material saved from a tool's cutting page: the source material keeps its Vc.
    Select("Řezné pod.", 0);
    const Extended Vc = ToolLibTmp[0].Material[0].Tech.Vc;
    L().EditToolVc->TypeText("222");
    R.ExpectModal("CMDParamDialog", [](TForm& F) {
        static_cast<TCMDParamDialog&>(F).EditParam->Text = "Dural";
        return mrOk;
    });
    L().SbtnSaveNew->Click();
    L().EditToolVc->TypeText("333");
    Select("Geometrie", 0);
    EXPECT_EQ(ToolLibTmp[0].Material[0].Tech.Vc, Vc);
    ASSERT_EQ(ToolLibTmp[0].Material.size(), 2u);
    EXPECT_EQ(ToolLibTmp[0].Material[1].Tech.Vc, 333);
    EXPECT_TRUE(R.Done());
}
