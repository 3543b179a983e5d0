// The Qt side on the offscreen platform: the canvas, form windows bound both ways,
// modal forms, timers, and the drawing area painted by the logic.
#include <gtest/gtest.h>

#include <algorithm>

#include "cam/ContourDg.h"
#include "cam/FillDg.h"
#include "core/Glob.h"
#include "core/Entity.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "core/UniDraw.h"
#include "platform/Canvas.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Timers.h"
#include "platform/qt/QtProbe.h"
#include "platform/qt/QtResponder.h"
#include "platform/qt/QtCamPictures.h"
#include "platform/qt/QtToolPictures.h"
#include "core/TextFile.h"
#include "tools/ToolDialog.h"
#include "tools/ToolLibFile.h"
#include "tools/ToolMatLibDg.h"
#include "tools/UniTType.h"
#include "support/DrawArea.h"
#include "support/Fixture.h"

namespace {
using namespace QtProbe;

// One application for the whole run, ended before the process exits.
class TAppEnvironment : public ::testing::Environment {
public:
    void TearDown() override { EndApp(); }
};
const auto* const AppEnv = ::testing::AddGlobalTestEnvironment(new TAppEnvironment);

class QtTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        EnsureApp();
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
    EXPECT_EQ(ColorRoundTrip(0x0000FF), RgbColor(255, 0, 0));
    EXPECT_EQ(ColorRoundTrip(0xFF0000), RgbColor(0, 0, 255));
    EXPECT_EQ(RgbColor(1, 2, 3), 0x030201u);
    std::unique_ptr<TCanvas> Owned = MakeCanvas(50, 40);
    TCanvas& c = *Owned;
    c.Clear(0x000000);
    c.PenColor = 0x0000FF;  // red
    c.MoveTo(5, 10);
    c.LineTo(40, 10);
    c.BrushColor = 0x00FF00;
    c.BrushStyle = TBrushStyle::bsSolid;
    c.PenStyle = TPenStyle::psClear;
    c.Rectangle(10, 20, 20, 30);
    EXPECT_EQ(CanvasPixel(&c, 20, 10), 0x0000FFu);
    EXPECT_EQ(CanvasPixel(&c, 20, 11), 0x000000u);
    EXPECT_EQ(CanvasPixel(&c, 15, 25), 0x00FF00u);
    EXPECT_EQ(CanvasPixel(&c, 25, 25), 0x000000u);
    EXPECT_GT(c.TextExtent("Kestrilon").cx, c.TextExtent("K").cx);
    ASSERT_TRUE(ResizeCanvas(&c, 60, 40));  // the picture stays
    EXPECT_EQ(CanvasPixel(&c, 20, 10), 0x0000FFu);
}

// An outline's segments batched into one polyline paint the pixels that the same
// segments paint one by one, for thin and wide opaque pens.
TEST_F(QtTest, PolylinePaintsWhatItsSegmentsPaint) {
    const std::vector<TPoint> Pts{{5, 5}, {60, 8}, {62, 40}, {20, 55}, {21, 55}, {5, 5}, {70, 70}};
    for (int32_t Width : {1, 2, 7}) {
        std::unique_ptr<TCanvas> Batched = MakeCanvas(80, 80), Single = MakeCanvas(80, 80);
        for (TCanvas* c : {Batched.get(), Single.get()}) {
            c->Clear(0x000000);
            c->PenColor = 0x00FFFF;
            c->PenWidth = Width;
        }
        Batched->Polyline(Pts);
        for (size_t i = 1; i < Pts.size(); ++i) Single->Line(Pts[i - 1].X, Pts[i - 1].Y, Pts[i].X, Pts[i].Y);
        int Differ = 0;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 80; ++x) Differ += CanvasPixel(Batched.get(), x, y) != CanvasPixel(Single.get(), x, y);
        EXPECT_EQ(Differ, 0) << "pen width " << Width;
    }
}

// A drawing of overlapping outlines in several colours, some of one pen in a row, some
// clipped by the window, arcs, two see-through selected ones: the canvas's batching of
// lines paints what painting each primitive at once paints, and where outlines cross
// the later one's colour shows.
TEST_F(QtTest, BatchedLinesPaintWhatSingleCallsPaint) {
    SetTestDrawArea();  // 8 px/mm, y up, 800 x 600
    const uint32_t Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000;
    for (auto [L, C] : {std::pair{1, Red}, {2, Green}, {3, Blue}}) {
        Glob.TabLayer[L].Show = true;
        Glob.TabLayer[L].Color = C;
    }
    Glob.SelObjWidth = 1;
    Glob.SelObjOpac = 0.5f;
    TObjHeader *First = nullptr, *Last = nullptr;
    EnPline.LineAdd({10, 40}, {90, 40}, 1, First, Last);
    EnPline.RectangleAdd({20, 20}, {80, 60}, 1, First, Last);
    EnPline.LineAdd({30, 10}, {30, 70}, 2, First, Last);
    EnPline.CircleAdd({50, 40}, 15, 3, First, Last);
    EnPline.LineAdd({50, 0}, {50, 80}, 1, First, Last);  // leaves the window
    EnPline.LineAdd({10, 10}, {90, 70}, 2, First, Last);
    Last->Flags |= FlagSelected;
    EnPline.LineAdd({10, 70}, {90, 10}, 3, First, Last);
    Last->Flags |= FlagSelected;
    std::unique_ptr<TCanvas> Batched = MakeCanvas(800, 600), Single = MakeCanvas(800, 600);
    ASSERT_TRUE(SetLineBatching(Single.get(), false));
    for (TCanvas* c : {Batched.get(), Single.get()}) {
        c->Clear(0x000000);
        for (TObjHeader* P = First; P; P = P->Next) DrawObj(P, c);
    }
    FreeObjList(First, Last);
    int Differ = 0, Lit = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const uint32_t b = CanvasPixel(Batched.get(), x, y);
            Differ += b != CanvasPixel(Single.get(), x, y);
            Lit += b != 0;
        }
    EXPECT_EQ(Differ, 0);
    EXPECT_GT(Lit, 2000);
    EXPECT_EQ(CanvasPixel(Batched.get(), 200, 280), Red);    // (25, 40): the first line
    EXPECT_EQ(CanvasPixel(Batched.get(), 240, 280), Green);  // (30, 40): the green line over it
    EXPECT_EQ(CanvasPixel(Batched.get(), 400, 160), Red);    // (50, 55): the red line over the circle
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
    ASSERT_TRUE(WidgetIs(v, check, "QCheckBox"));
    ASSERT_TRUE(WidgetIs(v, edit, "QLineEdit"));
    EXPECT_EQ(WidgetText(v, check), "Use");
    // Model -> widget.
    check->Checked = true;
    edit->Text = "12.5";
    check->Caption = "Použít";
    AfterEvent();
    EXPECT_TRUE(WidgetChecked(v, check));
    EXPECT_EQ(WidgetText(v, edit), "12.5");
    EXPECT_EQ(WidgetText(v, check), "Použít");
    EXPECT_EQ(clicks, 0);
    // Widget -> model, with the events.
    ASSERT_TRUE(ClickWidget(v, check));
    EXPECT_FALSE(check->Checked);
    EXPECT_EQ(clicks, 1);
    ASSERT_TRUE(TypeOver(v, edit, "7"));
    EXPECT_EQ(edit->Text, "7");
    EXPECT_EQ(changes, 1);
    check->Enabled = false;
    check->Visible = false;
    AfterEvent();
    EXPECT_FALSE(WidgetEnabled(v, check));
    EXPECT_TRUE(WidgetHidden(v, check));
    f.Close();
    EXPECT_FALSE(ViewVisible(v));
}

// A tree shows the model's nodes; a click selects through the model's event and an
// opened node is noted in the model. A caption that turned red and back shows the
// default colour again.
TEST_F(QtTest, TreeAndCaptionColourFollowTheModel) {
    TForm f("TreeDg");
    f.Width = 300, f.Height = 300;
    auto* tree = f.Make<TTreeView>("Tree");
    tree->Left = 4, tree->Top = 4, tree->Width = 280, tree->Height = 200;
    auto* lab = f.Make<TLabel>("Lab");
    lab->Caption = "D";
    lab->Left = 4, lab->Top = 220, lab->Width = 100, lab->Height = 20;
    const int a = tree->AddNode(-1, "A", -1, -1);
    tree->AddNode(a, "A1", -1, -1);
    const int b = tree->AddNode(-1, "B", -1, -1);
    EXPECT_EQ(tree->AddNode(a, "late child of A", -1, -1), -1);
    std::vector<int> chosen;
    tree->OnChange = [&] { chosen.push_back(tree->Selected); };
    f.Show();
    TQtFormView* v = R->ViewOf(f);
    ASSERT_TRUE(WidgetIs(v, tree, "QTreeWidget"));
    const uint32_t ink = WidgetInk(v, lab);
    EXPECT_FALSE(ClickTreeNode(v, tree, 1));  // inside the closed A
    ASSERT_TRUE(ExpandTreeNode(v, tree, a, true));
    EXPECT_TRUE(tree->Nodes[size_t(a)].Expanded);
    ASSERT_TRUE(ClickTreeNode(v, tree, 1));
    Pump(20);
    ASSERT_TRUE(ClickTreeNode(v, tree, b));
    Pump(20);
    EXPECT_EQ(chosen, (std::vector<int>{1, b}));
    // Model -> widget: a new fill, nothing selected; no event.
    tree->Clear();
    tree->AddNode(-1, "C", -1, -1);
    lab->Font.Color = clRed;
    AfterEvent();
    EXPECT_EQ(WidgetInk(v, lab), 0x0000FFu);
    lab->Font.Color = clDefault;
    AfterEvent();
    EXPECT_EQ(WidgetInk(v, lab), ink);
    ASSERT_TRUE(ClickTreeNode(v, tree, 0));
    Pump(20);
    EXPECT_EQ(chosen.size(), 3u);
    EXPECT_FALSE(ClickTreeNode(v, tree, 1));
    f.Close();
}

// A page's tab caption takes the colour the model gives it and its own colour back.
TEST_F(QtTest, TabCaptionColourFollowsTheModel) {
    TForm f("TabsDg");
    f.Width = 300, f.Height = 200;
    auto* pages = f.Make<TPageControl>("Pages");
    pages->Left = 4, pages->Top = 4, pages->Width = 280, pages->Height = 150;
    TTabSheet* a = f.Make<TTabSheet>("A", pages);
    a->Caption = "Info/Geo";
    TTabSheet* b = f.Make<TTabSheet>("B", pages);
    b->Caption = "RezPod";
    f.Show();
    TQtFormView* v = R->ViewOf(f);
    const uint32_t ink = WidgetInk(v, b);
    ASSERT_NE(ink, 0xFFFFFFFFu);
    EXPECT_NE(ink, 0x0000FFu);
    b->TabColor = clRed;
    AfterEvent();
    EXPECT_EQ(WidgetInk(v, b), 0x0000FFu);
    EXPECT_EQ(WidgetInk(v, a), ink);
    b->TabColor = clDefault;
    AfterEvent();
    EXPECT_EQ(WidgetInk(v, b), ink);
    f.Close();
}

// Every picture the tool dialogs name is in the program folder once it is painted.
TEST_F(QtTest, ToolDialogPicturesExist) {
    ASSERT_TRUE(PaintToolPictureFiles(Dir() + "/img"));
    InitMaterial();
    InitToolLib();
    InitToolType();
    CreateToolMatLibDialogForm();
    TToolMatLibDialog& L = *ToolMatLibDialog;
    L.DoShow();
    std::vector<std::string> Named = L.TrVLibList->Images;
    for (int t = 0; t < int(Glob.MillToolType.size()); ++t) {
        L.SetToolType(t);
        Named.push_back(L.ImgToolNastroj->PictureFile);
    }
    for (int obj : {0, 2, 3}) {
        L.TabControlToolPlunge->ActivePageIndex = obj;
        for (int m = 0; m < 4; ++m) {
            L.SetPlunge(m);
            Named.push_back(L.ImgToolPlunge->PictureFile);
        }
    }
    L.ChBoxToolSpiralupward->Click();
    L.SetPlungeType(0, 3);
    Named.push_back(L.ImgToolPlunge->PictureFile);
    Named.push_back(L.ImgToolRezPod->PictureFile);
    EXPECT_EQ(Named.size(), 21u + 9 + 12 + 2);
    for (const std::string& F : Named) EXPECT_TRUE(TextFileExists(F)) << F;
}

// Every picture the contour and pocket dialogs name, for every side, fill and plunge
// method, is in the program folder once it is painted.
TEST_F(QtTest, MachiningDialogPicturesExist) {
    Glob.ProgramDir = Dir();
    ASSERT_TRUE(PaintToolPictureFiles(Dir() + "/img"));
    ASSERT_TRUE(PaintCamPictureFiles(Dir() + "/Img"));
    CreateContourDialog();
    CreateFillDialog();
    TContourDialog& C = *ContourDialog;
    TFillDialog& F = *FillDialog;
    std::vector<std::string> Named;
    for (TControl* Side : {C.RBtnInside, C.RBtnOutside, C.RBtnBoth})
        for (bool Revers : {false, true}) {
            C.ChBoxInsideRevers->Checked = Revers;
            Side->Click();
            Named.push_back(C.ImgContour->PictureFile);
        }
    for (TControl* M : {C.RbtnToolVert, C.RBtnToolTang, C.RBtnToolRamp, C.RBtnToolSpiral}) {
        M->Click();
        Named.push_back(C.ImgToolPlunge->PictureFile);
    }
    for (TControl* Fill : {F.RBtnMeandr, F.RBtnOffset, F.RbtnSpiral})
        for (bool Crossing : {false, true}) {
            F.ChBoxCrossing->Checked = Crossing;
            Fill->Click();
            Named.push_back(F.ImgPocket->PictureFile);
        }
    for (TPocketPlunge* P : {&F.PlungeRough, &F.PlungeFin})
        for (TRadioButton* M : P->Method) {
            M->Click();
            Named.push_back(P->Picture->PictureFile);
        }
    std::sort(Named.begin(), Named.end());
    Named.erase(std::unique(Named.begin(), Named.end()), Named.end());
    EXPECT_EQ(Named.size(), 4u + 4 + 5);  // sides, fills, plunges (the two helices apart)
    for (const std::string& N : Named) EXPECT_TRUE(TextFileExists(N)) << N;
}

TEST_F(QtTest, ModalFormEndsWithTheButtonsResult) {
    TForm f("ModalDg");
    auto* ok = f.Make<TButton>("BtnOK");
    ok->Caption = "OK";
    ok->ModalResult = mrOk;
    After(50, [&] {
        ASSERT_TRUE(WidgetIs(R->ViewOf(f), ok, "QPushButton"));
        ClickWidget(R->ViewOf(f), ok);
    });
    EXPECT_EQ(f.ShowModal(), mrOk);
    EXPECT_FALSE(f.Visible);
    EXPECT_FALSE(ViewVisible(R->ViewOf(f)));
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
    TQtFormView* v = R->ViewOf(f);
    const int y = 300 - 40;
    EXPECT_EQ(ShownPixel(v, area, 100, y), 0x00FFFFu);
    EXPECT_EQ(ShownPixel(v, area, 100, y - 3), 0x402010u);
    EXPECT_EQ(ShownPixel(v, area, 300, 100), 0x402010u);
    // A primitive drawn outside a repaint shows at once.
    MainCanvas = area->Canvas;
    Glob.OsnapSymbSize = 4;
    Glob.OsnapWidth = 1;
    Glob.OSnapColor = 0x0000FF;
    Glob.OSnapOpac = 1;
    DrawOsnapMark({50, 50}, 3);
    Pump(50);
    EXPECT_EQ(ShownPixel(v, area, 200 - 4, 100), 0x0000FFu);
    f.Close();
}
}  // namespace
