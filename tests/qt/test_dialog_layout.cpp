// Every form of the started program, opened through the Qt binding: its controls fit
// their parents, visible siblings do not overlap and no caption is clipped; a dialog
// opens centred on the main window.
#include <gtest/gtest.h>

#include "platform/Forms.h"
#include "platform/qt/QtProbe.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/ProgramFolder.h"
#include "support/Fixture.h"

namespace {
using namespace QtProbe;

class DialogLayoutTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        OwnApp = EnsureApp();
        ASSERT_TRUE(WriteProgramFolderFiles(Dir()));
        ASSERT_TRUE(PaintIcons(Dir() + "/Img"));
        Program = StartProgram(Dir() + "/kestrilon", {});
        ASSERT_TRUE(PumpUntil([&] { return StartupDone(WindowViewOf(*Program)); }));
    }
    void TearDown() override {
        if (Program) {
            MainVars.FileSaved = true;
            MainOf(*Program).Close();
            Pump(50);
            Program.reset();
        }
        RunDeferredDeletes();
        if (OwnApp) EndApp();
        KestrilonTest::TearDown();
    }
    bool OwnApp = false;
    TProgramPtr Program;
};

TEST_F(DialogLayoutTest, EveryFormFitsAtTheDefaultFont) {
    TMainForm& Main = MainOf(*Program);
    const std::vector<TForm*> Forms = LiveForms();
    int Opened = 0;
    for (TForm* F : Forms) {
        bool Shown = false;
        const std::vector<std::string> Faults =
            F == &Main ? std::vector<std::string>{} : LayoutFaults(*Program, *F, Shown);
        Opened += Shown;
        std::string All;
        for (const std::string& S : Faults) All += "\n  " + S;
        EXPECT_TRUE(Faults.empty()) << F->Name << ":" << All;
    }
    // The main window as it is shown.
    bool Shown = false;
    const std::vector<std::string> MainFaults = LayoutFaults(*Program, Main, Shown);
    std::string All;
    for (const std::string& S : MainFaults) All += "\n  " + S;
    EXPECT_TRUE(MainFaults.empty()) << All;
    // The walk reached the dialogs the start-up made.
    EXPECT_GE(Opened, 10);
}

TEST_F(DialogLayoutTest, ADialogOpensCentredOnTheMainWindow) {
    TMainForm& Main = MainOf(*Program);
    const TWindowRect M = WindowRect(WindowViewOf(*Program));
    TForm* Dlg = nullptr;
    for (TForm* F : LiveForms())
        if (F->Name == "ArrRectDialog") Dlg = F;
    ASSERT_NE(Dlg, nullptr);
    TWindowRect D;
    After(100, [&] {
        D = WindowRect(FormViewOf(*Program, *Dlg));
        Dlg->ModalResult = mrCancel;
        AfterEvent();
    });
    Dlg->ShowModal();
    ASSERT_GT(D.Width, 0);
    EXPECT_NEAR(D.Left + D.Width / 2, M.Left + M.Width / 2, 2);
    EXPECT_NEAR(D.Top + D.Height / 2, M.Top + M.Height / 2, 2);
    (void)Main;
}

}  // namespace
