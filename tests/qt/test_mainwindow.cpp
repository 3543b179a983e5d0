// The real main window on the offscreen platform: it starts from a laid-out program
// folder, LINE is typed and its points are picked with the mouse, and the drawing
// area's pixels show the line; the system pointer there follows the cross-hair kind.
#include <gtest/gtest.h>

#include <cmath>

#include "core/Glob.h"
#include "core/UniDraw.h"
#include "platform/qt/QtProbe.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/ProgramFolder.h"
#include "support/Fixture.h"

namespace {
using namespace QtProbe;

struct TPt {
    int x, y;
};
// A + (B - A) * I / N, rounded to the nearest pixel (halves away from below).
TPt Between(TPt A, TPt B, int I, int N) {
    auto R = [](double V) { return int(std::floor(V + 0.5)); };
    return {A.x + R(double((B.x - A.x) * I) / N), A.y + R(double((B.y - A.y) * I) / N)};
}

class MainWindowTest : public KestrilonTest {};

TEST_F(MainWindowTest, LineTypedAndPickedShowsInTheDrawingArea) {
    // The application of this test, when no other test made one: it is ended with the
    // test, so a later test can make its own.
    const bool OwnApp = EnsureApp();
    ASSERT_TRUE(WriteProgramFolderFiles(Dir()));
    ASSERT_TRUE(PaintIcons(Dir() + "/Img"));
    {
        TProgramPtr Program = StartProgram(Dir() + "/kestrilon", {});
        TMainForm& F = MainOf(*Program);
        TQtFormView* View = WindowViewOf(*Program);
        // The start-up maximises the window and zooms to the limits at its final size.
        ASSERT_TRUE(PumpUntil([&] { return StartupDone(View); }));
        ASSERT_TRUE(F.FormStarted);
        ASSERT_NE(MainCanvas, nullptr);
        // Every toolbar button shown has a picture and a hint.
        for (TSpeedButton* B : F.ItemButtons) {
            if (!B->Visible) continue;
            ASSERT_TRUE(WidgetIs(View, B, "QToolButton")) << B->Name;
            EXPECT_TRUE(WidgetHasIcon(View, B)) << B->Name;
            EXPECT_TRUE(WidgetHasToolTip(View, B)) << B->Name;
        }
        ASSERT_TRUE(WidgetIs(View, F.PaintBoxDraw, "QWidget"));
        TypeKeys(View, "line\r");
        EXPECT_EQ(MainVars.Command[0], "LINE");
        // Two picks well inside the drawing area, clear of the panels.
        const int X0 = int(Glob.OknoStart.x), Y0 = int(Glob.OknoStart.y);
        const int W = int(Glob.Okno.x), H = int(Glob.Okno.y);
        const TPt A{X0 + W / 4, Y0 + H * 3 / 4}, B{X0 + W * 3 / 4, Y0 + H / 4};
        ASSERT_TRUE(MouseClick(View, F.PaintBoxDraw, A.x, A.y));
        ASSERT_TRUE(MouseClick(View, F.PaintBoxDraw, B.x, B.y));
        TypeKeys(View, "\x1b");
        Pump(200);
        ASSERT_NE(MainVars.DataStart, nullptr);
        // Repaint the whole drawing and look at the pixels along the line.
        F.ComRedraw();
        const uint32_t Line = ColorRoundTrip(Glob.TabLayer[Glob.LayerDraw].Color);
        int Hits = 0;
        for (int i = 1; i < 10; ++i) {
            const TPt P = Between(A, B, i, 10);
            bool Near = false;
            for (int dx = -2; dx <= 2 && !Near; ++dx)
                for (int dy = -2; dy <= 2 && !Near; ++dy)
                    Near = CanvasPixel(MainCanvas, P.x + dx, P.y + dy) == Line;
            Hits += Near;
        }
        EXPECT_GE(Hits, 8);
        // A point away from the line keeps the background.
        EXPECT_NE(CanvasPixel(MainCanvas, A.x, B.y), Line);
        // With the full cross-hair the system pointer is hidden over the drawing area once
        // a command ends, and the arrow comes back with another kind of cross-hair.
        EXPECT_FALSE(WidgetHidesPointer(View, F.PaintBoxDraw));
        for (uint8_t Type : {1, 2}) {
            Glob.CursorType = Type;
            TypeKeys(View, "redraw\r");
            Pump(150);
            EXPECT_EQ(WidgetHidesPointer(View, F.PaintBoxDraw), Type == 1) << int(Type);
        }
        MainVars.FileSaved = true;
        F.Close();
        Pump(50);
    }
    RunDeferredDeletes();
    if (OwnApp) EndApp();
}

}  // namespace
