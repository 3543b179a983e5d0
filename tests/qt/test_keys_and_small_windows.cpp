// The real window's keys and small windows as a new user meets them: F2 zooms in, the
// settings' command grid refuses a key another menu item holds, the error list closes
// with Escape typed in it or with its button, and OK in the settings on a fresh folder
// leaves the style alone.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>

#include <functional>
#include <memory>

#include "cam/ErrorDg.h"
#include "commands/UniCom.h"
#include "core/Glob.h"
#include "core/TextFile.h"
#include "platform/qt/QtFormView.h"
#include "platform/qt/QtProbe.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/ProgramFolder.h"
#include "shell/SetDg.h"
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

// F2 typed into TOOL's shortcut cell: refused, naming "Zvětšit"; Ctrl+T is taken.
TEST_F(KeysAndSmallWindowsTest, TheCommandGridRefusesAKeyAnotherItemHolds) {
    constexpr int ToolRow = 86, ShortCol = 3;
    const auto Messages = AnswerMessages();
    bool Edited = false;
    auto TypeIntoCell = [this](int Row, const char* Text) {
        auto* Grid = WidgetOf<QTableWidget>(*SetDialog, SetDialog->StrGridCommands);
        if (!Grid) return false;
        QTableWidgetItem* It = Grid->item(Row, ShortCol);
        Grid->scrollToItem(It);
        const QRect R = Grid->visualItemRect(It);
        QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {}, R.center());
        QTest::mouseDClick(Grid->viewport(), Qt::LeftButton, {}, R.center());
        auto* Editor = Grid->viewport()->findChild<QLineEdit*>();
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

}  // namespace
