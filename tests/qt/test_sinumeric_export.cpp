// EXPORT to a Sinumerik program on the real window: the save dialog takes the name,
// the export dialog the user's zero point, and the program holds what was chosen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <functional>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "core/UniPline.h"
#include "output/SinumericDg.h"
#include "platform/qt/QtProbe.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/ProgramFolder.h"
#include "support/Fixture.h"

namespace {
using namespace QtProbe;

class SinumericExportTest : public KestrilonTest {
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
    bool OwnApp = false;
    TProgramPtr Program;
    TMainForm* F = nullptr;
    TQtFormView* View = nullptr;
};

TEST_F(SinumericExportTest, TheDialogsOfExportGiveTheProgramItsZeroPoint) {
    const int La = 1;
    EnPline.LineAdd(Osy{0, 0}, Osy{50, 0}, La, MainVars.DataStart, MainVars.DataEnd);
    Glob.TabLayer[La].Show = true;
    TTool& T = Glob.Tool[La];
    T.Tnum = 7;
    T.Dnum = 2;
    T.JmNastroje = "rytec";
    T.Obrob = CelyPruchod;
    T.Pruchod.fill(TPruchod{-1, 1, 10, 12000});
    T.Pruchod[1].Hloubka = 0.3L;
    const std::string target = Dir() + "/deska.mpf";
    bool gridShown = false;
    std::function<void()> answerDialog = [&] {
        TQtFormView* v = SinumericDialog ? FormViewOf(*Program, *SinumericDialog) : nullptr;
        if (!v || !ViewVisible(v)) return After(50, answerDialog);
        gridShown = WidgetIs(v, SinumericDialog->DrawGrid, "QTableWidget");
        ClickWidget(v, SinumericDialog->RBtnG56);
        ClickWidget(v, SinumericDialog->BitBtnOK);
    };
    std::function<void()> answerFile = [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d) return After(50, answerFile);
        d->selectFile(QString::fromStdString(target));
        static_cast<QDialog*>(d)->accept();
        After(50, answerDialog);
    };
    After(100, answerFile);
    TypeKeys(View, "export\r");
    ASSERT_TRUE(PumpUntil([&] { return TextFileExists(target); }, 20000));
    EXPECT_TRUE(gridShown);
    std::string text;
    ASSERT_TRUE(ReadFileBytes(target, text));
    EXPECT_NE(text.find("\r\nG56\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nT7 D2 ;rytec,\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nG1 X50 Y0\r\n"), std::string::npos) << text;
}

}  // namespace
