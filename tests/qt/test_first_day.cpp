// A new engraver's first day in the real window, driven only through Qt's own widgets:
// the new-job wizard's stock page, and the whole road from a plate to an NC program and
// a job saved and opened again.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "cam/CamOpList.h"
#include "cam/ContourDg.h"
#include "cam/FillDg.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "core/UniDraw.h"
#include "shell/NewFileDg.h"
#include "tools/ToolDialog.h"
#include "tools/ToolLibPick.h"
#include "RealProgram.h"

namespace {
using namespace QtProbe;

class FirstDayTest : public RealProgramTest {
protected:
    // NEW with the wizard switched on: a plate of the default size with its origin at
    // the lower left, chosen with clicks on the wizard's pages. Rects gets where the nine
    // origin buttons lie once the plate is chosen.
    bool PlateByWizard(std::vector<TWidgetRect>* Rects = nullptr) {
        Glob.ShowNewFileDg = true;
        bool Done = false;
        WhenModal("NewFileDialog", [&](TQtFormView* D) {
            TNewFileDialog& W = *NewFileDialog;
            if (!UserClick(D, W.BitBtnOk) || !UserClick(D, W.BitBtnOk)) return;  // job kind, material
            if (!UserClickItem(D, W.RGrStockShape, 1)) return;

            Pump(100);
            if (Rects)
                for (TRadioButton* R : W.Origin) Rects->push_back(WidgetRectInWindow(D, R));
            Done = UserClick(D, W.Origin[0]) && W.Origin[0]->Checked;
            UserClick(D, W.BitBtnOk);
            if (W.ModalResult == mrNone) {  // not finished: leave the wizard anyway
                Done = false;
                UserKey(D, W.PageControl, "Escape");
            }
        });
        TypeKeys(View, "new\r");
        Pump(100);
        return Done;
    }
    // The file dialog on top answered with the file type and the name, as a user does.
    void WhenFileDialog(const std::string& Type, const std::string& Name, bool& Done, int Tries = 200) {
        After(50, [this, Type, Name, &Done, Tries, A = Alive] {
            if (!*A) return;
            Done = AnswerFileDialog(Type, Name);
            if (!Done && Tries > 0) WhenFileDialog(Type, Name, Done, Tries - 1);
        });
    }
    // A command that machines the object at World: the object clicked, Enter, the
    // dialog's OK clicked.
    bool Machine(const std::string& Command, Osy World, const std::string& Dialog, TControl* Ok) {
        bool Clicked = false;
        TypeKeys(View, Command + "\r");
        const TPoint P = WorldToPixel(World);
        if (!MouseClick(View, F->PaintBoxDraw, P.X, P.Y)) return false;
        WhenModal(Dialog, [&](TQtFormView* D) { Clicked = UserClick(D, Ok); });
        TypeKeys(View, "\r");
        Pump(100);
        return Clicked;
    }
};

// The origin buttons, hidden until a stock is chosen, show in their own places; the
// lower left one puts the plate on the positive quarter of the drawing.
TEST_F(FirstDayTest, TheWizardsLowerLeftOriginPutsThePlateAtPositiveCoordinates) {
    std::vector<TWidgetRect> Rects;
    ASSERT_TRUE(PlateByWizard(&Rects));
    std::set<std::pair<int, int>> Places;
    for (const TWidgetRect& R : Rects) {
        EXPECT_GT(R.Width, 0);
        Places.insert({R.Left, R.Top});
    }
    EXPECT_EQ(Places.size(), 9u);
    EXPECT_EQ(Glob.StockOrigin, 1);
    ASSERT_NE(MainVars.DataStart, nullptr);
    Osy Min, Max;
    EnvelopeObj(MainVars.DataStart, Min, Max);
    EXPECT_EQ(double(Min.x), 0.0);
    EXPECT_EQ(double(Min.y), 0.0);
    EXPECT_EQ(double(Max.x), 100.0);
    EXPECT_EQ(double(Max.y), 50.0);
}

// The whole first day: a plate, a rectangle and a circle typed, a two-row pass table
// typed into the tool dialog's grid and a tool taken from the library with "Otevřít",
// a contour and a pocket with their dialogs' OK, the NC program exported, the job saved,
// a new job and the saved one opened again: the typed depths are in both.
TEST_F(FirstDayTest, TypedPassDepthsReachTheNcProgramAndTheReopenedJob) {
    ASSERT_TRUE(PlateByWizard());
    // The first tool layer made the drawing layer with a click on its row.
    ASSERT_TRUE(UserClick(View, F->FindComponent("ShT1")));
    ASSERT_EQ(Glob.LayerDraw, 1);
    TypeKeys(View, "rectangle\r10 10\r60 40\r");
    TObjHeader* Rect = MainVars.DataEnd;
    TypeKeys(View, "circle\r80 25\r8\r\x1b");
    TObjHeader* Circle = MainVars.DataEnd;
    ASSERT_NE(Rect, Circle);
    const int Layer = Rect->Layer;
    ASSERT_GE(Layer, 1);
    ASSERT_LE(Layer, 64);

    // TOOL from the CAM menu: the passes typed, a library tool taken, OK.
    bool Typed = false, Picked = false;
    const char* const Rows[2][4] = {{"0.35", "?", "5", "12000"}, {"0.8", "?", "4", "10000"}};
    WhenModal("ToolDialog", [&](TQtFormView* D) {
        Typed = true;
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 4; ++c) Typed = Typed && TypeIntoCell(D, ToolDialog->StrGridLayParam, c + 1, r, Rows[r][c]);
        auto Pick = [&](TQtFormView* P) {
            if (Picked) return;
            Picked = UserClickItem(P, ToolLibOpenDialog->LboxTools, 0) && UserClick(P, ToolLibOpenDialog->BitBtnOk);
        };
        WhenModal("ToolLibOpenDialog", Pick);
        // Where to take it from, when the program asks: the library.
        WhenModal("ToolLocDialog", [&, Pick](TQtFormView* L) {
            WhenModal("ToolLibOpenDialog", Pick);
            UserClick(L, ToolLocDialog->SbtnLib);
        });
        Typed = Typed && UserClick(D, ToolDialog->BtnOpenTool);
        std::function<void(TQtFormView*)> Ok = [&](TQtFormView* D2) {
            if (!Picked) return WhenModal("ToolDialog", Ok);
            UserClick(D2, ToolDialog->BitBtnOK);
        };
        WhenModal("ToolDialog", Ok);
    });
    ASSERT_TRUE(ClickMenuItem(View, "CAM", "Nástroje"));
    Pump(200);
    ASSERT_TRUE(Typed);
    ASSERT_TRUE(Picked);
    EXPECT_EQ(double(Glob.Tool[Layer].Pruchod[1].Hloubka), 0.35);
    EXPECT_EQ(double(Glob.Tool[Layer].Pruchod[2].Hloubka), 0.8);

    ASSERT_TRUE(Machine("contour", {35, 10}, "ContourDialog", ContourDialog->BitBtnOK));
    ASSERT_TRUE(Machine("meandr", {88, 25}, "FillDialog", FillDialog->BitBtnOK));
    const int Ops = OpList.CamCnt;  // the contour, the pocket and its parts
    ASSERT_GE(Ops, 2);

    // EXPORT to G-code: both passes of the typed table are cut.
    const std::string Nc = InDir("first.nc");
    bool Answered = false;
    WhenFileDialog("G-code", Nc, Answered);
    TypeKeys(View, "export\r");
    ASSERT_TRUE(PumpUntil([&] { return TextFileExists(Nc); }, 20000));
    ASSERT_TRUE(Answered);
    const std::string Program = ReadFile(Nc);
    EXPECT_NE(Program.find("Z-0.35"), std::string::npos) << Program.substr(0, 2000);
    EXPECT_NE(Program.find("Z-0.8"), std::string::npos) << Program.substr(0, 2000);

    // SAVEAS, NEW (the wizard left with Escape), OPEN.
    const std::string Job = InDir("first.ydf");
    Answered = false;
    WhenFileDialog("Yorvan", Job, Answered);
    TypeKeys(View, "saveas\r");
    ASSERT_TRUE(PumpUntil([&] { return TextFileExists(Job); }, 20000));
    WhenModal("NewFileDialog", [&](TQtFormView* D) { UserKey(D, NewFileDialog->PageControl, "Escape"); });
    TypeKeys(View, "new\r");
    Pump(100);
    EXPECT_EQ(OpList.CamCnt, 0);
    Answered = false;
    WhenFileDialog("Yorvan", Job, Answered);
    TypeKeys(View, "open\r");
    ASSERT_TRUE(PumpUntil([&] { return OpList.CamCnt == Ops; }, 20000));
    EXPECT_EQ(double(Glob.Tool[Layer].Pruchod[1].Hloubka), 0.35);
    EXPECT_EQ(double(Glob.Tool[Layer].Pruchod[2].Hloubka), 0.8);
}

}  // namespace
