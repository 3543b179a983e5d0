// The Qt side on the offscreen platform: the canvas, form windows bound both ways,
// modal forms, timers, and the drawing area painted by the logic.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "core/Glob.h"
#include "core/UniDraw.h"
#include "platform/Timers.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtFormView.h"
#include "platform/qt/QtResponder.h"
#include "support/Fixture.h"

namespace {
// One application for the whole run, ended before the process exits.
QApplication* TheApp = nullptr;

class TAppEnvironment : public ::testing::Environment {
public:
    void TearDown() override {
        delete TheApp;
        TheApp = nullptr;
    }
};
const auto* const AppEnv = ::testing::AddGlobalTestEnvironment(new TAppEnvironment);

QApplication& App() {
    static int argc = 1;
    static char name[] = "test_qt";
    static char* argv[] = {name, nullptr};
    if (!TheApp) TheApp = new QApplication(argc, argv);
    return *TheApp;
}

void Pump(int Ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < Ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

class QtTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        App();
        R = std::make_unique<TQtResponder>();
        R->Install();
    }
    void TearDown() override {
        R.reset();
        KestrilonTest::TearDown();
    }
    std::unique_ptr<TQtResponder> R;
};

TEST_F(QtTest, CanvasConvertsColoursAndPaints) {
    EXPECT_EQ(ToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(FromQColor(QColor(1, 2, 3)), 0x030201u);
    TQtCanvas c(50, 40);
    c.Clear(0x000000);
    c.PenColor = 0x0000FF;  // red
    c.MoveTo(5, 10);
    c.LineTo(40, 10);
    c.BrushColor = 0x00FF00;
    c.BrushStyle = TBrushStyle::bsSolid;
    c.PenStyle = TPenStyle::psClear;
    c.Rectangle(10, 20, 20, 30);
    const QImage& img = c.Image();
    EXPECT_EQ(img.pixelColor(20, 10), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(20, 11), QColor(0, 0, 0));
    EXPECT_EQ(img.pixelColor(15, 25), QColor(0, 255, 0));
    EXPECT_EQ(img.pixelColor(25, 25), QColor(0, 0, 0));
    EXPECT_GT(c.TextExtent("Kestrilon").cx, c.TextExtent("K").cx);
    c.Resize(60, 40);  // the picture stays
    EXPECT_EQ(c.Image().pixelColor(20, 10), QColor(255, 0, 0));
}

TEST_F(QtTest, FormBindsBothWays) {
    TForm f("BindDg");
    auto* check = f.Make<TCheckBox>("ChBox");
    check->Caption = "Use";
    auto* edit = f.Make<TEdit>("Edit");
    int clicks = 0, changes = 0;
    check->OnClick = [&] { ++clicks; };
    edit->OnChange = [&] { ++changes; };
    f.Show();
    TQtFormView* v = R->ViewOf(f);
    auto* qc = qobject_cast<QCheckBox*>(v->WidgetOf(check));
    auto* qe = qobject_cast<QLineEdit*>(v->WidgetOf(edit));
    ASSERT_NE(qc, nullptr);
    ASSERT_NE(qe, nullptr);
    EXPECT_EQ(qc->text(), "Use");
    // Model -> widget.
    check->Checked = true;
    edit->Text = "12.5";
    check->Caption = "Použít";
    QtAfterEvent();
    EXPECT_TRUE(qc->isChecked());
    EXPECT_EQ(qe->text(), "12.5");
    EXPECT_EQ(qc->text(), QString::fromUtf8("Použít"));
    EXPECT_EQ(clicks, 0);
    // Widget -> model, with the events.
    qc->click();
    EXPECT_FALSE(check->Checked);
    EXPECT_EQ(clicks, 1);
    qe->setFocus();
    qe->selectAll();
    qe->insert("7");
    EXPECT_EQ(edit->Text, "7");
    EXPECT_EQ(changes, 1);
    check->Enabled = false;
    check->Visible = false;
    QtAfterEvent();
    EXPECT_FALSE(qc->isEnabled());
    EXPECT_TRUE(qc->isHidden());
    f.Close();
    EXPECT_FALSE(v->isVisible());
}

TEST_F(QtTest, ModalFormEndsWithTheButtonsResult) {
    TForm f("ModalDg");
    auto* ok = f.Make<TButton>("BtnOK");
    ok->Caption = "OK";
    ok->ModalResult = mrOk;
    QTimer::singleShot(50, [&] {
        auto* b = qobject_cast<QPushButton*>(R->ViewOf(f)->WidgetOf(ok));
        ASSERT_NE(b, nullptr);
        b->click();
    });
    EXPECT_EQ(f.ShowModal(), mrOk);
    EXPECT_FALSE(f.Visible);
    EXPECT_FALSE(R->ViewOf(f)->isVisible());
}

TEST_F(QtTest, TimersRunOnTheEventLoop) {
    int ticks = 0;
    TTimer t("T", 10);
    t.OneShot = true;
    t.OnTimer = [&] { ++ticks; };
    t.SetEnabled(true);
    Pump(200);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(t.Enabled());
}

// The program's drawing area: the logic paints the background and a line in world
// coordinates; the window shows those pixels.
TEST_F(QtTest, DrawingAreaShowsWhatTheLogicPaints) {
    TForm f("MainForm");
    f.Width = 400;
    f.Height = 300;
    auto* area = f.Make<TPaintBox>("DrawArea");
    area->Align = TAlign::alClient;
    Glob.BackColor = 0x402010;
    Glob.ZoomMin = {0, 0};
    Glob.BoduNaMm = 4;
    area->OnPaint = [&] {
        TCanvas* c = area->Canvas;
        Glob.Okno = {Extended(area->Width), Extended(area->Height)};
        Glob.ZoomMax = {area->Width / 4.0L, area->Height / 4.0L};
        c->BeginDraw();
        c->Clear(Glob.BackColor);
        c->PenColor = 0x00FFFF;  // yellow
        c->PenWidth = 1;
        DrawLine({10, 10}, {60, 10}, c, 1, 0);
        c->EndDraw();
    };
    f.Show();
    Pump(100);
    ASSERT_NE(area->Canvas, nullptr);
    EXPECT_EQ(area->Width, 400);
    EXPECT_EQ(area->Height, 300);
    QImage shown = R->ViewOf(f)->WidgetOf(area)->grab().toImage();
    const int y = 300 - 40;
    EXPECT_EQ(shown.pixelColor(100, y), QColor(255, 255, 0));
    EXPECT_EQ(shown.pixelColor(100, y - 3), QColor(0x10, 0x20, 0x40));
    EXPECT_EQ(shown.pixelColor(300, 100), QColor(0x10, 0x20, 0x40));
    // A primitive drawn outside a repaint shows at once.
    MainCanvas = area->Canvas;
    Glob.OsnapSymbSize = 4;
    Glob.OsnapWidth = 1;
    Glob.OSnapColor = 0x0000FF;
    Glob.OSnapOpac = 1;
    DrawOsnapMark({50, 50}, 3);
    Pump(50);
    shown = R->ViewOf(f)->WidgetOf(area)->grab().toImage();
    EXPECT_EQ(shown.pixelColor(200 - 4, 100), QColor(255, 0, 0));
    f.Close();
}
}  // namespace
