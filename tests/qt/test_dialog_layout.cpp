// Every form of the started program, opened through the Qt binding: its controls fit
// their parents, visible siblings do not overlap and no caption is clipped; a dialog
// opens centred on the main window; the pictures a dialog loads are in the program
// folder the program lays out.
#include <gtest/gtest.h>

#include "app/program/QtProgramFolder.h"
#include "platform/Files.h"
#include "platform/Forms.h"
#include "platform/qt/QtProbe.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/NewFileDg.h"
#include "support/Fixture.h"

namespace {
using namespace QtProbe;

class DialogLayoutTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        OwnApp = EnsureApp();
        ASSERT_TRUE(MakeProgramFolder(Dir()));
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
    // The main window as it is shown (its toolbar's extra item buttons and its debug
    // panel are left out).
    bool Shown = false;
    const std::vector<std::string> MainFaults = LayoutFaults(*Program, Main, Shown, false);
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

// The wizard's pictures of the job kind, the stock shapes and the origins show on a
// fresh program folder, page by page as a user clicks through it.
TEST_F(DialogLayoutTest, TheWizardShowsItsPictures) {
    for (const char* Name : {"JobType0.bmp", "JobType1.bmp", "JobType2.bmp", "JobType3.bmp", "ImgNoStock.bmp",
                             "ImgStockBox.bmp", "ImgStockCylinder.bmp", "ImgStockOriginGrid.bmp", "BtnRight.bmp",
                             "BtnOk.bmp"})
        EXPECT_TRUE(FileExists(Dir() + "/Img/" + Name)) << Name;
    ASSERT_NE(NewFileDialog, nullptr);
    TNewFileDialog& W = *NewFileDialog;
    std::vector<std::string> Shown, Missing;
    auto Look = [&](TQtFormView* V, TImage* Img) {
        (WidgetShowsPicture(V, Img) ? Shown : Missing).push_back(Img->Name + " " + Img->PictureFile);
    };
    After(100, [&] {
        TQtFormView* V = FormViewOf(*Program, W);
        Look(V, W.ImgJobType);
        ClickWidget(V, W.BitBtnOk);
        ClickWidget(V, W.BitBtnOk);
        EXPECT_EQ(W.PageControl->ActivePageIndex, 2);
        Look(V, W.ImgStockShape);
        Look(V, W.ImgStockOrig);
        for (int Shape : {1, 2}) {
            EXPECT_TRUE(ClickGroupItem(V, W.RGrStockShape, Shape)) << Shape;
            Pump(20);
            Look(V, W.ImgStockShape);
            Look(V, W.ImgStockOrig);
        }
        W.ModalResult = mrCancel;
        AfterEvent();
    });
    W.ShowModal();
    std::string All;
    for (const std::string& S : Missing) All += "\n  " + S;
    EXPECT_TRUE(Missing.empty()) << All;
    EXPECT_EQ(Shown.size(), 7u);
}

}  // namespace
