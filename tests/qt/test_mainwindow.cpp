// The real main window on the offscreen platform: it starts from a laid-out program
// folder, LINE is typed and its points are picked with the mouse, and the drawing
// area's pixels show the line.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>

#include "core/Glob.h"
#include "core/UniDraw.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtFormView.h"
#include "platform/qt/QtIcons.h"
#include "platform/qt/QtProgram.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/ProgramFolder.h"
#include "support/Fixture.h"

namespace {

// The application of this test, when no other test made one: it is ended with the
// test, so a later test can make its own.
std::unique_ptr<QApplication> OwnApp;

void EnsureApp() {
    static int argc = 1;
    static char name[] = "test_qt";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) OwnApp = std::make_unique<QApplication>(argc, argv);
}

void Pump(int Ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < Ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

void Key(QWidget* W, int K, const QString& Text) {
    QKeyEvent Down(QEvent::KeyPress, K, Qt::NoModifier, Text);
    QApplication::sendEvent(W, &Down);
    QKeyEvent Up(QEvent::KeyRelease, K, Qt::NoModifier, Text);
    QApplication::sendEvent(W, &Up);
}

void Click(QWidget* Area, QPoint P) {
    const QPointF G = Area->mapToGlobal(P);
    QMouseEvent Move(QEvent::MouseMove, P, G, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Area, &Move);
    QMouseEvent Press(QEvent::MouseButtonPress, P, G, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Area, &Press);
    QMouseEvent Release(QEvent::MouseButtonRelease, P, G, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Area, &Release);
}

class MainWindowTest : public KestrilonTest {};

TEST_F(MainWindowTest, LineTypedAndPickedShowsInTheDrawingArea) {
    EnsureApp();
    ASSERT_TRUE(WriteProgramFolderFiles(Dir()));
    ASSERT_TRUE(PaintIconFiles(Dir() + "/Img"));
    {
        TQtProgram Program;
        Program.Start(Dir() + "/kestrilon", {});
        TMainForm& F = *Program.Main;
        TQtFormView* View = Program.Window->View;
        Pump(300);
        ASSERT_TRUE(F.FormStarted);
        ASSERT_NE(MainCanvas, nullptr);
        // Every toolbar button shown has a picture and a hint.
        for (TSpeedButton* B : F.ItemButtons) {
            if (!B->Visible) continue;
            auto* W = qobject_cast<QToolButton*>(View->WidgetOf(B));
            ASSERT_NE(W, nullptr);
            EXPECT_FALSE(W->icon().isNull()) << B->Name;
            EXPECT_FALSE(W->toolTip().isEmpty()) << B->Name;
        }
        QWidget* Area = View->WidgetOf(F.PaintBoxDraw);
        ASSERT_NE(Area, nullptr);
        for (QChar C : QString("line")) Key(View, C.toUpper().unicode(), QString(C));
        Key(View, Qt::Key_Return, "\r");
        EXPECT_EQ(MainVars.Command[0], "LINE");
        // Two picks well inside the drawing area, clear of the panels.
        const int X0 = int(Glob.OknoStart.x), Y0 = int(Glob.OknoStart.y);
        const int W = int(Glob.Okno.x), H = int(Glob.Okno.y);
        const QPoint A(X0 + W / 4, Y0 + H * 3 / 4), B(X0 + W * 3 / 4, Y0 + H / 4);
        Click(Area, A);
        Click(Area, B);
        Key(View, Qt::Key_Escape, QString(QChar(27)));
        Pump(200);
        ASSERT_NE(MainVars.DataStart, nullptr);
        // Repaint the whole drawing and look at the pixels along the line.
        F.ComRedraw();
        auto* Canvas = static_cast<TQtCanvas*>(MainCanvas);
        Canvas->Flush();
        const QImage& Img = Canvas->Image();
        const QColor Line = ToQColor(Glob.TabLayer[Glob.LayerDraw].Color);
        int Hits = 0;
        for (int i = 1; i < 10; ++i) {
            const QPoint P = A + (B - A) * i / 10;
            bool Near = false;
            for (int dx = -2; dx <= 2 && !Near; ++dx)
                for (int dy = -2; dy <= 2 && !Near; ++dy)
                    Near = Img.pixelColor(P.x() + dx, P.y() + dy).rgb() == Line.rgb();
            Hits += Near;
        }
        EXPECT_GE(Hits, 8);
        // A point away from the line keeps the background.
        EXPECT_NE(Img.pixelColor(A.x(), B.y()).rgb(), Line.rgb());
        MainVars.FileSaved = true;
        F.Close();
        Pump(50);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    OwnApp.reset();
}

}  // namespace
