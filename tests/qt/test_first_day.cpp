// A new engraver's first day in the real window, driven only through Qt's own widgets:
// the new-job wizard's stock page, and the whole road from a plate to an NC program and
// a job saved and opened again.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "core/Entity.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "shell/NewFileDg.h"
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

}  // namespace
