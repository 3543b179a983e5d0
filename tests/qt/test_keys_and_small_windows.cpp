// The real window's keys and small windows as a new user meets them: F2 zooms in, the
// settings' command grid refuses a key another menu item holds, the error list closes
// with Escape typed in it or with its button, and OK in the settings on a fresh folder
// leaves the style alone, and the library's plunge tabs switched with no node selected
// check nothing while a selected node's bad value is still refused.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTableWidget>
#include <QTest>

#include <functional>
#include <memory>

#include "cam/ErrorDg.h"
#include "cam/LenDg.h"
#include "cam/SortDg.h"
#include "commands/Help.h"
#include "commands/UniCom.h"
#include "core/ErrLogDg.h"
#include "core/Glob.h"
#include "core/TextFile.h"
#include "platform/qt/QtFormView.h"
#include "platform/qt/QtProbe.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/ProgramFolder.h"
#include "shell/SetDg.h"
#include "tools/ToolMatLibDg.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

namespace {
using namespace QtProbe;

// The text of the message box on top, answered with its default button; "" when none.
std::string AnswerMessageBox() {
    auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!Box) return {};
    const std::string Text = Box->text().toStdString();
    QTest::keyClick(Box, Qt::Key_Return);
    return Text;
}

class KeysAndSmallWindowsTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        OwnApp = EnsureApp();
        ASSERT_TRUE(WriteProgramFolderFiles(Dir()));
        ASSERT_TRUE(PaintIcons(Dir() + "/Img"));
        Program = StartProgram(Dir() + "/kestrilon", {});
        F = &MainOf(*Program);
        View = WindowViewOf(*Program);
        ASSERT_TRUE(PumpUntil([&] { return StartupDone(View); }));
    }
    void TearDown() override {
        *Alive = false;
        if (Program) {
            MainVars.FileSaved = true;
            F->Close();
            Pump(50);
            Program.reset();
        }
        RunDeferredDeletes();
        if (OwnApp) EndApp();
        KestrilonTest::TearDown();
    }
    // Runs Step from the event loop once Ready holds (polling), while the test goes on
    // into a modal window; nothing runs after the test ended.
    void When(std::function<bool()> Ready, std::function<void()> Step) { PollUntil(Alive, Ready, Step); }
    static void PollUntil(std::shared_ptr<bool> Live, std::function<bool()> Ready, std::function<void()> Step) {
        After(50, [=] {
            if (!*Live) return;
            if (Ready()) return Step();
            PollUntil(Live, Ready, Step);
        });
    }
    // From now on every message box is answered with its default button; the texts.
    std::shared_ptr<std::vector<std::string>> AnswerMessages() {
        auto Texts = std::make_shared<std::vector<std::string>>();
        KeepAnswering(Alive, Texts);
        return Texts;
    }
    static void KeepAnswering(std::shared_ptr<bool> Live, std::shared_ptr<std::vector<std::string>> Texts) {
        After(50, [=] {
            if (!*Live) return;
            if (qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) Texts->push_back(AnswerMessageBox());
            KeepAnswering(Live, Texts);
        });
    }
    template <class T>
    T* WidgetOf(TForm& Form, const TControl* C) {
        return qobject_cast<T*>(FormViewOf(*Program, Form)->WidgetOf(C));
    }
    bool Showing(TForm& Form) { return ViewVisible(FormViewOf(*Program, Form)); }

    bool OwnApp = false;
    std::shared_ptr<bool> Alive = std::make_shared<bool>(true);
    TProgramPtr Program;
    TMainForm* F = nullptr;
    TQtFormView* View = nullptr;
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
    const auto Messages = AnswerMessages();
    bool Edited = false;
    auto TypeIntoCell = [this](int Row, const char* Text) {
        auto* Grid = WidgetOf<QTableWidget>(*SetDialog, SetDialog->StrGridCommands);
        if (!Grid || !PumpUntil([Grid] { return Grid->isVisible(); }, 5000)) return false;
        PumpUntil([Grid] {
            for (QLineEdit* E : Grid->viewport()->findChildren<QLineEdit*>())
                if (E->isVisible()) return false;
            return true;
        }, 5000);
        QTableWidgetItem* It = Grid->item(Row, ShortCol);
        Grid->scrollToItem(It);
        const QRect R = Grid->visualItemRect(It);
        QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {}, R.center());
        QTest::mouseDClick(Grid->viewport(), Qt::LeftButton, {}, R.center());
        // The editor of this edit: a shown one (the last edit's may still be going).
        QLineEdit* Editor = nullptr;
        PumpUntil([&] {
            for (QLineEdit* E : Grid->viewport()->findChildren<QLineEdit*>())
                if (E->isVisible()) Editor = E;
            return Editor != nullptr;
        }, 5000);
        if (!Editor) return false;
        Editor->selectAll();
        QTest::keyClicks(Editor, Text);
        QTest::keyClick(Editor, Qt::Key_Return);
        return true;
    };
    When([this] { return SetDialog && Showing(*SetDialog); },
         [&, this] {
             // The page list's last entry, "Příkazy", clicked.
             auto* Pages = WidgetOf<QListWidget>(*SetDialog, SetDialog->LBoxTabs);
             ASSERT_NE(Pages, nullptr);
             QListWidgetItem* Last = Pages->item(Pages->count() - 1);
             QTest::mouseClick(Pages->viewport(), Qt::LeftButton, {}, Pages->visualItemRect(Last).center());
             Edited = TypeIntoCell(ToolRow, "F2");
             Pump(100);
             Edited = Edited && TypeIntoCell(ToolRow, "Ctrl+T");
             Pump(100);
             ClickWidget(FormViewOf(*Program, *SetDialog), SetDialog->BitBtnOK);
         });
    TypeKeys(View, "set\r");
    ASSERT_TRUE(PumpUntil([&] { return !Showing(*SetDialog); }, 10000));
    EXPECT_TRUE(Edited);
    ASSERT_EQ(Messages->size(), 1u);
    const std::string& Refusal = Messages->front();
    EXPECT_NE(Refusal.find("F2"), std::string::npos) << Refusal;
    EXPECT_NE(Refusal.find("Zvětšit"), std::string::npos) << Refusal;
    EXPECT_EQ(Prikaz[ToolRow].Orig, "TOOL");
    EXPECT_EQ(Prikaz[ToolRow].Short, "Ctrl+T");
}

TEST_F(KeysAndSmallWindowsTest, TheErrorListClosesWithEscapeInItsTextAndWithItsButton) {
    bool Typed = false;
    When([this] { return ErrorDialog && Showing(*ErrorDialog); },
         [&, this] {
             auto* Text = WidgetOf<QPlainTextEdit>(*ErrorDialog, ErrorDialog->ErrorList);
             if (!Text) return;
             QTest::mouseClick(Text->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
             QTest::keyClick(Text, Qt::Key_Escape);
             Typed = true;
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
    const auto Messages = AnswerMessages();
    auto RunSet = [&](bool ChooseOther) {
        When([this] { return SetDialog && Showing(*SetDialog); },
             [this, ChooseOther] {
                 if (ChooseOther) {
                     auto* Box = WidgetOf<QComboBox>(*SetDialog, SetDialog->CboxGuiStyle);
                     ASSERT_NE(Box, nullptr);
                     const int Other = Box->findText("Fusion");
                     ASSERT_GE(Other, 0);
                     while (Box->currentIndex() != Other)
                         QTest::keyClick(Box, Box->currentIndex() < Other ? Qt::Key_Down : Qt::Key_Up);
                 }
                 ClickWidget(FormViewOf(*Program, *SetDialog), SetDialog->BitBtnOK);
             });
        TypeKeys(View, "set\r");
        PumpUntil([&] { return !Showing(*SetDialog); }, 10000);
        Pump(200);
    };
    RunSet(false);
    EXPECT_TRUE(Messages->empty()) << Messages->front();
    EXPECT_FALSE(TCmdHarness::LogHas("Sys:Changed style"));
    EXPECT_EQ(ReadFile(StyleFile), "Windows\r\n");
    RunSet(true);
    ASSERT_EQ(Messages->size(), 1u);
    EXPECT_EQ((*Messages)[0], "Pro změnu stylu je potřeba program restartovat");
    EXPECT_EQ(ReadFile(StyleFile), "Fusion\r\n");
}

// The job saved, left and opened again unchanged: NEW asks nothing.
TEST_F(KeysAndSmallWindowsTest, NewAfterOpeningAnUnchangedJobAsksNothing) {
    const std::string Job = Dir() + "/deska.ydf";
    auto ChooseFile = [this, Job] { When([Job] { return AcceptFileDialog(Job); }, [] {}); };
    const auto Messages = AnswerMessages();
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
    EXPECT_TRUE(Messages->empty()) << Messages->front();
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
             if (auto* Bar = WidgetOf<QProgressBar>(*SortDialog, SortDialog->ProgressBar)) Shown = Bar->value();
             auto* Label = WidgetOf<QLabel>(*SortDialog, SortDialog->LabDone);
             if (Label && Label->isVisible()) Done = Label->text().toStdString();
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
             auto* Grid = WidgetOf<QTableWidget>(*LengthDialog, LengthDialog->StrGrid);
             ASSERT_NE(Grid, nullptr);
             Separator = std::max(Grid->columnWidth(2), Grid->columnWidth(7));
             const QFontMetrics M(Grid->font());
             for (int c = 0; c < Grid->columnCount(); ++c)
                 for (int r = 0; r < 2; ++r) {
                     const QTableWidgetItem* It = Grid->item(r, c);
                     // A few pixels of cell margin on each side.
                     if (It && !It->text().isEmpty() && M.horizontalAdvance(It->text()) + 8 > Grid->columnWidth(c))
                         Clipped.push_back(It->text().toStdString());
                 }
             ClickWidget(FormViewOf(*Program, *LengthDialog), LengthDialog->BitBtnOK);
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
    const auto Messages = AnswerMessages();
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
    EXPECT_EQ(*Messages, (std::vector<std::string>{Refused, CancelAsks}));
    EXPECT_EQ(TabAfterBadValue, 2);
    bool Switched = false;
    Library([&](TToolMatLibDialog& L, TQtFormView* D) {
        Switched = UserClickTab(D, L.TabControlToolPlunge, 1);
        Pump(300);
    });
    EXPECT_TRUE(Switched);
    EXPECT_EQ(*Messages, (std::vector<std::string>{Refused, CancelAsks, CancelAsks}));
}

}  // namespace
