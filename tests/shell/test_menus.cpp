// The main menu and the icon toolbar: keyword items, the toolbar groups and their
// buttons, cancelling before an icon, the panels' open and collapsed states.
#include "core/Glob.h"
#include "core/TextFile.h"
#include "shell/Main.h"
#include "shell/MainMenus.h"
#include "shell/MainVars.h"
#include "shell/ProgramFolder.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

namespace {

class MenuTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        WriteProgramFolderFiles(Dir());
        // Stand-ins for the pictures the native side paints.
        for (int k = 0; k < IconPictureCount - 1; ++k) WriteFile("Img/" + IconFileName(k), "BM");
        H = std::make_unique<TCmdHarness>(Dir());
        F().LoadIconBitmaps();
    }
    void TearDown() override {
        H.reset();
        KestrilonTest::TearDown();
    }
    TMainForm& F() { return H->Form(); }
    int VisibleItems() const {
        int n = 0;
        for (const TSpeedButton* B : H->Form().ItemButtons) n += B->Visible;
        return n;
    }
    std::unique_ptr<TCmdHarness> H;
};

TEST_F(MenuTest, MenuBarGroupsInOrderWithCaptionsFromTheCommandTable) {
    const char* Tops[] = {"Soubor", "Zobrazení", "Info", "Kreslení", "Editace", "Polyline", "Text", "CAM", "Help", "Speciál"};
    ASSERT_EQ(F().MainMenu1->Children.size(), 10u);
    for (size_t i = 0; i < 10; ++i) EXPECT_EQ(F().MainMenu1->Children[i]->Caption, Tops[i]);
    EXPECT_EQ(F().MenuItem("UndoMnu")->Parent, F().MenuItem("mEditMnu"));
    EXPECT_EQ(F().MenuItem("LineMnu")->Caption, "Úsečka");
    EXPECT_EQ(F().MenuItem("UndoMnu")->ShortCut, "Ctrl+Z");
    // The default command file names every built-in keyword once.
    std::vector<std::string> Lines;
    ASSERT_TRUE(ReadTextLines(Dir() + "/ComSet.cfg", Lines));
    EXPECT_EQ(Lines.size(), 102u);
    EXPECT_EQ(Lines[0], "STARTCOM");
}

TEST_F(MenuTest, KeywordItemTypesItsKeyword) {
    F().MenuItem("LineMnu")->Click();
    EXPECT_EQ(MainVars.Command[0], "LINE");
    EXPECT_EQ(MainVars.ComCnt, 0);
    EXPECT_TRUE(H->LogHas("Usr:LINE"));
    // While LINE runs, a keyword item is LINE's input.
    F().MenuItem("CircleMnu")->Click();
    EXPECT_FALSE(H->LogHas("Usr:CIRCLE"));
}

TEST_F(MenuTest, ToolbarGroupsShowTheirButtonsWithPicturesAndHints) {
    const std::pair<int, int> Counts[] = {{0, 10}, {1, 15}, {2, 3}, {3, 15}, {4, 19}, {5, 17}, {6, 7}, {7, 16}};
    for (auto [G, N] : Counts) {
        F().SbtnMNUSelectFileClick(G);
        EXPECT_EQ(F().IconGroup, G);
        EXPECT_EQ(VisibleItems(), N) << G;
        EXPECT_TRUE(F().GroupButtons[size_t(G)]->Down);
        const std::string Pic = F().ButtonPicture[F().ItemButtons[0]];
        EXPECT_EQ(Pic, Dir() + "/Img/" + IconFileName(IconGroupFirstPicture(G)));
    }
    F().SbtnMNUSelectFileClick(3);
    EXPECT_EQ(F().ItemButtons[2]->Hint, "Úsečka");
    EXPECT_EQ(F().GroupButtons[0]->Hint, "Soubor");
    // A caption changed later shows after the group is selected again.
    F().MenuItem("LineMnu")->Caption = "Čára";
    F().SbtnMNUSelectFileClick(3);
    EXPECT_EQ(F().ItemButtons[2]->Hint, "Čára");
}

TEST_F(MenuTest, ViewToggleButtonsFollowTheSwitchesOnlyInTheViewGroup) {
    F().MenuItem("GridOnMnu")->Checked = true;
    F().SbtnMNUSelectFileClick(1);
    EXPECT_TRUE(F().ItemButtons[7]->Down);
    EXPECT_NE(F().ItemButtons[7]->GroupIndex, 0);
    F().SbtnMNUSelectFileClick(0);
    EXPECT_FALSE(F().ItemButtons[7]->Down);
    EXPECT_EQ(F().ItemButtons[7]->GroupIndex, 0);
}

TEST_F(MenuTest, IconsCancelTheRunningCommandExceptTogglesAndInfo) {
    H->Enter("LINE");
    F().SbtnMNUSelectFileClick(3);
    F().ItemButtons[4]->Click();  // CIRCLE: LINE is cancelled, CIRCLE starts
    EXPECT_EQ(MainVars.Command[0], "CIRCLE");
    bool Cancelled = false;
    for (const std::string& L : F().HistoryList()) Cancelled |= L.find(" CANCEL") != std::string::npos;
    EXPECT_TRUE(Cancelled);
    // The Info group hands its keyword to the running command: nothing is cancelled
    // and DIST does not start.
    const size_t Lines = F().HistoryList().size();
    F().SbtnMNUSelectFileClick(2);
    F().ItemButtons[1]->Click();
    EXPECT_FALSE(H->LogHas("Usr:DIST"));
    const auto Hist = F().HistoryList();
    ASSERT_EQ(Hist.size(), Lines + 1);
    EXPECT_EQ(Hist.back().find(" CANCEL"), std::string::npos);
}

TEST_F(MenuTest, CollapsingTheIconPanelHidesEveryItemButton) {
    Glob.ViewPanelIcons = 2;
    F().PanelsFromSettings();
    F().SbtnMNUSelectFileClick(4);  // Edit: all 19
    ASSERT_EQ(VisibleItems(), 19);
    F().PanelIconsOff();
    EXPECT_EQ(VisibleItems(), 0);
    EXPECT_EQ(F().IconsPanel->Height, 10);
    F().PanelIconsOn();
    EXPECT_EQ(VisibleItems(), 19);
    EXPECT_EQ(F().IconsPanel->Height, 45);
}

TEST_F(MenuTest, PanelsFollowTheSettings) {
    Glob.ViewPanelOps = 0;
    Glob.ViewPanelLays = 2;
    Glob.ViewPanelMenu = 0;
    F().PanelsFromSettings();
    EXPECT_FALSE(F().OpsPanel->Visible);
    EXPECT_TRUE(F().LayPanel->Visible);
    EXPECT_EQ(F().LayPanel->Width, 104);
    EXPECT_FALSE(F().MainMenu1->Visible);
    F().PanelOpsOff();  // setting 0: the panel stays as it is
    F().PanelLayOff();
    EXPECT_EQ(F().LayPanel->Width, 10);
    F().LayPanelMouseMove(0, 2, 2);
    EXPECT_EQ(F().LayPanel->Width, 104);
    Glob.ViewPanelLays = 1;
    F().PanelLayOff();
    EXPECT_EQ(F().LayPanel->Width, 104);
}

TEST_F(MenuTest, StatusPanels) {
    F().MenuItem("SnapOnMnu")->Checked = false;
    F().MenuItem("OrthoOnMnu")->Checked = true;
    MainVars.Mouse.Move = mmLine;
    F().AktualizaceListy();
    EXPECT_EQ(F().PanelSnap->Caption, "VYP");
    EXPECT_EQ(F().PanelOrtho->Caption, "ZAP");
    EXPECT_EQ(F().PanelOrtho->Color, 0xFFFFFFu);
    MainVars.Mouse.Move = mmWin;
    F().AktualizaceListy();
    EXPECT_EQ(F().PanelSnap->Color, 0xC0C0C0u);
    EXPECT_EQ(F().PanelOrtho->Color, 0xC0C0C0u);
    EXPECT_EQ(F().PanelDraw->Caption, Glob.TabLayer[Glob.LayerDraw].Name);
}

}  // namespace
