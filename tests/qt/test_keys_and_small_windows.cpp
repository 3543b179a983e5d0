// The real window's keys and small windows as a new user meets them: F2 zooms in, the
// settings' command grid refuses a key another menu item holds, the error list closes
// with Escape typed in it or with its button, and OK in the settings on a fresh folder
// leaves the style alone, and the library's plunge tabs switched with no node selected
// check nothing while a selected node's bad value is still refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "RealProgram.h"
#include "cam/ErrorDg.h"
#include "cam/LenDg.h"
#include "cam/SortDg.h"
#include "commands/Help.h"
#include "commands/UniCom.h"
#include "core/ErrLogDg.h"
#include "core/Glob.h"
#include "core/TextFile.h"
#include "shell/SetDg.h"
#include "tools/ToolMatLibDg.h"
#include "support/CmdHarness.h"

namespace {
using namespace QtProbe;

class KeysAndSmallWindowsTest : public RealProgramTest {
protected:
    bool Showing(TForm& Form) { return ViewVisible(FormViewOf(*Program, Form)); }
};

TEST_F(KeysAndSmallWindowsTest, F2ZoomsIn) {
    const Extended Before = Glob.ZoomMax.x - Glob.ZoomMin.x;
    PressKey("F2");
    Pump(100);
    EXPECT_TRUE(TCmdHarness::LogHas("Usr:ZoomIn"));
    EXPECT_LT(double(Glob.ZoomMax.x - Glob.ZoomMin.x), double(Before));
    EXPECT_EQ(MainVars.Command[0], "");  // TOOL did not start
}

// Qt runs neither of two actions that share a key: every menu item of the real window has its own.
TEST_F(KeysAndSmallWindowsTest, NoTwoMenuItemsShareAKey) {
    const std::vector<std::string> Shared = SharedShortcuts(View);
    EXPECT_TRUE(Shared.empty()) << Shared.front();
}

// F2 typed into TOOL's shortcut cell: refused, naming "Zvětšit"; Ctrl+T is taken.
TEST_F(KeysAndSmallWindowsTest, TheCommandGridRefusesAKeyAnotherItemHolds) {
    constexpr int ToolRow = 86, ShortCol = 3;
    const TMessageAnswers Messages;
    bool Edited = false;
    When([this] { return SetDialog && Showing(*SetDialog); },
         [&, this] {
             TQtFormView* D = FormViewOf(*Program, *SetDialog);
             // The page list's last entry, "Příkazy", clicked.
             ASSERT_TRUE(UserClickItem(D, SetDialog->LBoxTabs, int(SetDialog->LBoxTabs->Items.size()) - 1));
             PumpUntil([&] { return WidgetShown(D, SetDialog->StrGridCommands); }, 5000);
             Edited = TypeIntoCell(D, SetDialog->StrGridCommands, ShortCol, ToolRow, "F2");
             Pump(100);
             Edited = Edited && TypeIntoCell(D, SetDialog->StrGridCommands, ShortCol, ToolRow, "Ctrl+T");
             Pump(100);
             ClickWidget(D, SetDialog->BitBtnOK);
         });
    TypeKeys(View, "set\r");
    ASSERT_TRUE(PumpUntil([&] { return !Showing(*SetDialog); }, 10000));
    EXPECT_TRUE(Edited);
    ASSERT_EQ(Messages.Texts().size(), 1u);
    const std::string& Refusal = Messages.Texts().front();
    EXPECT_NE(Refusal.find("F2"), std::string::npos) << Refusal;
    EXPECT_NE(Refusal.find("Zvětšit"), std::string::npos) << Refusal;
    EXPECT_EQ(Prikaz[ToolRow].Orig, "TOOL");
    EXPECT_EQ(Prikaz[ToolRow].Short, "Ctrl+T");
}

TEST_F(KeysAndSmallWindowsTest, TheErrorListClosesWithEscapeInItsTextAndWithItsButton) {
    bool Typed = false;
    When([this] { return ErrorDialog && Showing(*ErrorDialog); },
         [&, this] {
             Typed = UserKey(FormViewOf(*Program, *ErrorDialog), ErrorDialog->ErrorList, "Escape");
         });
    ShowErrorList({"Err:Wrong tool"});  // returns once the window closed
    EXPECT_TRUE(Typed);
    EXPECT_EQ(ErrorDialog->ModalResult, mrCancel);
    When([this] { return ErrorDialog && Showing(*ErrorDialog); },
         [this] { ClickWidget(FormViewOf(*Program, *ErrorDialog), ErrorDialog->BitBtnOK); });
    ShowErrorList({"Err:Wrong tool"});
    EXPECT_EQ(ErrorDialog->ModalResult, mrOk);
}

// A fresh folder names "Windows", which the program applies; OK keeps it without a
// word. Another style chosen in the box is written and needs a restart.
TEST_F(KeysAndSmallWindowsTest, SettingsOkKeepsTheAppliedStyleAndWritesAChosenOne) {
    const std::string StyleFile = Dir() + "/Style";
    ASSERT_EQ(ReadFile(StyleFile), "Windows\r\n");
    const TMessageAnswers Messages;
    auto RunSet = [&](bool ChooseOther) {
        When([this] { return SetDialog && Showing(*SetDialog); },
             [this, ChooseOther] {
                 TQtFormView* D = FormViewOf(*Program, *SetDialog);
                 if (ChooseOther) {
                     // The page that holds the style box, chosen in the page list.
                     const std::vector<std::string>& Pages = SetDialog->LBoxTabs->Items;
                     const auto Page = std::find(Pages.begin(), Pages.end(), "Zobrazení");
                     ASSERT_NE(Page, Pages.end());
                     EXPECT_TRUE(UserClickItem(D, SetDialog->LBoxTabs, int(Page - Pages.begin())));
                     const std::vector<std::string>& Styles = SetDialog->CboxGuiStyle->Items;
                     ASSERT_NE(std::find(Styles.begin(), Styles.end(), "Fusion"), Styles.end());
                     // Down through the list, then up from its end.
                     for (const char* Key : {"Down", "Up"})
                         for (size_t i = 0; i < Styles.size() && WidgetText(D, SetDialog->CboxGuiStyle) != "Fusion"; ++i)
                             UserKey(D, SetDialog->CboxGuiStyle, Key);
                     EXPECT_EQ(WidgetText(D, SetDialog->CboxGuiStyle), "Fusion");
                 }
                 ClickWidget(D, SetDialog->BitBtnOK);
             });
        TypeKeys(View, "set\r");
        PumpUntil([&] { return !Showing(*SetDialog); }, 10000);
        Pump(200);
    };
    RunSet(false);
    EXPECT_TRUE(Messages.Texts().empty()) << Messages.Texts().front();
    EXPECT_FALSE(TCmdHarness::LogHas("Sys:Changed style"));
    EXPECT_EQ(ReadFile(StyleFile), "Windows\r\n");
    RunSet(true);
    ASSERT_EQ(Messages.Texts().size(), 1u);
    EXPECT_EQ(Messages.Texts()[0], "Pro změnu stylu je potřeba program restartovat");
    EXPECT_EQ(ReadFile(StyleFile), "Fusion\r\n");
}

// The job saved, left and opened again unchanged: NEW asks nothing.
TEST_F(KeysAndSmallWindowsTest, NewAfterOpeningAnUnchangedJobAsksNothing) {
    const std::string Job = Dir() + "/deska.ydf";
    auto ChooseFile = [this, Job] { When([Job] { return AcceptFileDialog(Job); }, [] {}); };
    const TMessageAnswers Messages;
    TypeKeys(View, "rectangle\r10 10\r60 40\r");
    ChooseFile();
    TypeKeys(View, "saveas\r");
    ASSERT_TRUE(PumpUntil([&] { return TextFileExists(Job); }, 10000));
    TypeKeys(View, "new\r");
    Pump(300);
    ChooseFile();
    TypeKeys(View, "open\r");
    Pump(300);
    ASSERT_NE(MainVars.DataStart, nullptr);
    TypeKeys(View, "new\r");
    Pump(300);
    EXPECT_TRUE(Messages.Texts().empty()) << Messages.Texts().front();
    EXPECT_EQ(MainVars.DataStart, nullptr);
}

TEST_F(KeysAndSmallWindowsTest, CtrlZWithNothingToUndoLeavesTheLineClean) {
    PressKey("Ctrl+Z");
    Pump(100);
    EXPECT_EQ(F->ComLine2->Caption, "?>");
    TypeKeys(View, "line\r");
    EXPECT_EQ(MainVars.Command[0], "LINE");
    TypeKeys(View, "\x1b");
}

// All layers sorted, the last of them empty: the bar ends full and the dialog says so.
TEST_F(KeysAndSmallWindowsTest, SortShowsItIsDone) {
    TypeKeys(View, "line\r0 0\r50 0\r\x1b");
    int Shown = -1;
    std::string Done;
    When([this] { return SortDialog && Showing(*SortDialog); },
         [&, this] {
             TQtFormView* D = FormViewOf(*Program, *SortDialog);
             ClickWidget(D, SortDialog->BtnAll);
             ClickWidget(D, SortDialog->BitBtnStart);
             Pump(50);
             Shown = WidgetValue(D, SortDialog->ProgressBar);
             if (WidgetShown(D, SortDialog->LabDone)) Done = WidgetText(D, SortDialog->LabDone);
             ClickWidget(D, SortDialog->BitBtnExit);
         });
    TypeKeys(View, "sort\r");
    ASSERT_TRUE(PumpUntil([&] { return !Showing(*SortDialog); }, 10000));
    EXPECT_EQ(Shown, 100);
    EXPECT_EQ(Done, "Seřazeno");
}

// The statistics grid: the separators stay narrow and every heading fits its column.
TEST_F(KeysAndSmallWindowsTest, StatisticHeadingsFitAndSeparatorsStayNarrow) {
    std::vector<std::string> Clipped;
    int Separator = -1;
    When([this] { return LengthDialog && Showing(*LengthDialog); },
         [&, this] {
             TQtFormView* D = FormViewOf(*Program, *LengthDialog);
             TStringGrid* Grid = LengthDialog->StrGrid;
             ASSERT_TRUE(WidgetIs(D, Grid, "QTableWidget"));
             Separator = std::max(ColumnWidth(D, Grid, 2), ColumnWidth(D, Grid, 7));
             for (int c = 0; c < Grid->ColCount(); ++c)
                 for (int r = 0; r < 2; ++r) {
                     const std::string Text = CellText(D, Grid, c, r);
                     // A few pixels of cell margin on each side.
                     if (!Text.empty() && TextWidth(D, Grid, Text) + 8 > ColumnWidth(D, Grid, c)) Clipped.push_back(Text);
                 }
             ClickWidget(D, LengthDialog->BitBtnOK);
         });
    TypeKeys(View, "statistic\r");
    ASSERT_TRUE(PumpUntil([&] { return !Showing(*LengthDialog); }, 10000));
    EXPECT_LE(Separator, 3);
    EXPECT_TRUE(Clipped.empty()) << Clipped.front();
}

// F1 opens the about box; its button, named for what it does, shows the event log.
TEST_F(KeysAndSmallWindowsTest, TheHelpButtonSaysItShowsTheLog) {
    std::string Caption;
    When([this] { return HelpDialog && Showing(*HelpDialog); },
         [&, this] {
             TQtFormView* D = FormViewOf(*Program, *HelpDialog);
             Caption = WidgetText(D, HelpDialog->Button1);
             ClickWidget(D, HelpDialog->Button1);
         });
    PressKey("F1");
    ASSERT_TRUE(PumpUntil([] { return ErrLogDialog && ErrLogDialog->Visible; }, 10000));
    EXPECT_EQ(Caption, "Zobrazit SysLog");
    ErrLogDialog->Close();
}

// In the library, a bad number typed into a shown plunge node is refused when the plunge
// tab changes (and the tab changes all the same). Opened again, the dialog selects no
// node while its plunge page still holds what was last typed: a tab switch then checks
// nothing and says nothing.
TEST_F(KeysAndSmallWindowsTest, LibraryPlungeTabsCheckOnlyAShownNode) {
    const TMessageAnswers Messages;
    auto Library = [&](std::function<void(TToolMatLibDialog&, TQtFormView*)> Steps) {
        When([] { return ActiveModalForm() == ToolMatLibDialog; },
             [&, Steps] {
                 TToolMatLibDialog& L = *ToolMatLibDialog;
                 TQtFormView* D = FormViewOf(*Program, L);
                 Steps(L, D);
                 ClickWidget(D, L.SbtnCancel);
             });
        ASSERT_TRUE(ClickMenuItem(View, "CAM", "Knihovna nástrojů"));
        PumpUntil([] { return ActiveModalForm() == nullptr; }, 10000);
        Pump(200);
    };
    int TabAfterBadValue = -1;
    Library([&](TToolMatLibDialog& L, TQtFormView* D) {
        const std::vector<TTreeNode>& N = L.TrVLibList->Nodes;
        int Node = -1;
        for (int i = 0; i < int(N.size()) && Node < 0; ++i)
            if (N[size_t(i)].Text == "Zápich") Node = i;
        ASSERT_GE(Node, 0);
        for (int P = N[size_t(Node)].Parent; P >= 0; P = N[size_t(P)].Parent) ExpandTreeNode(D, L.TrVLibList, P, true);
        Pump(50);
        ASSERT_TRUE(ClickTreeNode(D, L.TrVLibList, Node));
        Pump(50);
        ASSERT_TRUE(TypeOver(D, L.EditToolPlungeFeed, "abc"));
        ASSERT_TRUE(UserClickTab(D, L.TabControlToolPlunge, 2));
        Pump(300);
        TabAfterBadValue = L.TabControlToolPlunge->ActivePageIndex;
        ASSERT_TRUE(TypeOver(D, L.EditToolPlungeFeed, "abc"));
    });
    const std::string Refused = "Špatně zadané číslo:Rychlost";
    const std::string CancelAsks = "Všechny provedené změny budou ztraceny.\r\nPokračovat?";
    EXPECT_EQ(Messages.Texts(), (std::vector<std::string>{Refused, CancelAsks}));
    EXPECT_EQ(TabAfterBadValue, 2);
    bool Switched = false;
    Library([&](TToolMatLibDialog& L, TQtFormView* D) {
        Switched = UserClickTab(D, L.TabControlToolPlunge, 1);
        Pump(300);
    });
    EXPECT_TRUE(Switched);
    EXPECT_EQ(Messages.Texts(), (std::vector<std::string>{Refused, CancelAsks, CancelAsks}));
}

}  // namespace
