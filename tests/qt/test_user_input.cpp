// The real main window as a new user meets it: object snaps switched on with F11 and a
// kind button the program made, the drawing zoomed to the limits at the window's final
// size, typing that reaches the command line after a menu was closed with Escape, and
// EXPORT to a Sinumerik program through the save dialog and the export dialog, and the
// file type chosen in the export's file dialog picking the control's program; FILTR and CHANGETEXTS
// taking what is typed and clicked in their dialogs.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "RealProgram.h"
#include "cam/CamOpList.h"
#include "cam/ContourDg.h"
#include "cam/FillDg.h"
#include "commands/ChangeTextDg.h"
#include "commands/FiltrDg.h"
#include "commands/Pelmora.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "core/ParText.h"
#include "core/UniPline.h"
#include "core/UniText.h"
#include "core/UniDraw.h"
#include "output/SinumericDg.h"
#include "platform/PrinterPort.h"

namespace {
using namespace QtProbe;

// The start-up timer maximises the window and zooms before each test begins.
class UserInputTest : public RealProgramTest {};

TEST_F(UserInputTest, F11AndTheEndButtonSnapAPickToTheLineEnd) {
    TypeKeys(View, "line\r0 0\r50 0\r\x1b");
    ASSERT_NE(MainVars.DataStart, nullptr);
    TControl* End = F->FindComponent("SpdBtnEnd");
    TControl* Switch = F->FindComponent("SbtnOsnapSwitch");
    ASSERT_NE(End, nullptr);
    ASSERT_NE(Switch, nullptr);
    EXPECT_TRUE(WidgetHasIcon(View, End));
    PressKey("F11");
    EXPECT_TRUE(MainVars.Mouse.OsnapAuto.Enabled);
    EXPECT_TRUE(WidgetChecked(View, Switch));
    ASSERT_TRUE(ClickWidget(View, End));
    EXPECT_TRUE(MainVars.Mouse.OsnapAuto.osEnd);
    TypeKeys(View, "line\r");
    // A few pixels beside the end (50, 0), then a click there.
    const TPoint P = WorldToPixel(Osy{50, 0});
    ASSERT_TRUE(MouseMove(View, F->PaintBoxDraw, P.X + 3, P.Y - 2));
    ASSERT_TRUE(MouseClick(View, F->PaintBoxDraw, P.X + 3, P.Y - 2));
    TypeKeys(View, "80 30\r\x1b");
    Pump(50);
    const TObjHeader* Last = MainVars.DataEnd;
    ASSERT_NE(Last, MainVars.DataStart);
    const Osy S = AsPline(const_cast<TObjHeader*>(Last))->S;
    EXPECT_EQ(double(S.x), 50.0);
    EXPECT_EQ(double(S.y), 0.0);
    // A click on the command panel releases the kinds.
    ASSERT_TRUE(MouseClick(View, F->ComPanel, 3, F->ComPanel->Height - 3));
    EXPECT_FALSE(WidgetChecked(View, End));
    EXPECT_TRUE(MainVars.Mouse.OsnapAuto.osNone);
}

TEST_F(UserInputTest, TheLimitsFillTheMaximisedDrawingArea) {
    const TPoint A = WorldToPixel(Glob.MinLim), B = WorldToPixel(Glob.MaxLim);
    const double W = std::abs(B.X - A.X), H = std::abs(B.Y - A.Y);
    // One side of the limits spans the drawing area (within a few per cent).
    const bool FillsWidth = std::abs(W - double(Glob.Okno.x)) < 0.05 * double(Glob.Okno.x);
    const bool FillsHeight = std::abs(H - double(Glob.Okno.y)) < 0.05 * double(Glob.Okno.y);
    EXPECT_TRUE(FillsWidth || FillsHeight) << W << "x" << H << " in " << double(Glob.Okno.x) << "x"
                                           << double(Glob.Okno.y);
}

// A customer module from the "Speciál" menu: the item clicked in the dropped menu opens
// its dialog, and the dialog's own OK button does the work.
TEST_F(UserInputTest, SpecialMenuItemOpensTheShortContourModule) {
    TypeKeys(View, "rectangle\r20 20\r20.5 20.5\r");
    TObjHeader* Small = MainVars.DataEnd;
    ASSERT_NE(Small, nullptr);
    bool Clicked = false;
    After(300, [&] { Clicked = ClickWidget(FormViewOf(*Program, *PelmoraDialog), PelmoraDialog->BitBtnOK); });
    ASSERT_TRUE(ClickMenuItem(View, "Speciál", "Krátké uzavřené pline"));
    Pump(100);
    ASSERT_TRUE(Clicked);
    EXPECT_EQ(Small->Layer, 1);
    ASSERT_NE(MainVars.DataEnd, Small);
    EXPECT_EQ(MainVars.DataEnd->Type, ObjPoint);
    EXPECT_EQ(MainVars.DataEnd->Layer, 2);
}

TEST_F(UserInputTest, TypingReachesTheCommandLineAfterAMenuClosedWithEscape) {
    ASSERT_TRUE(ClickMenuBar(View, "Soubor"));
    Pump(100);
    PressKey("Escape");
    Pump(100);
    TypeToFocus("line");
    PressKey("Return");
    Pump(100);
    EXPECT_EQ(MainVars.Command[0], "LINE");
    TypeKeys(View, "\x1b");
}

// A pocket and its source deleted again, typed and clicked in the real window:
// RECTANGLE, MEANDR with a click on the rectangle and the dialog's own OK button, then
// DELETE of the previous selection. The sub-operations' paths stand in the pocket's
// group: each record goes once and the drawing stays sound (ASan watches).
TEST_F(UserInputTest, APocketDeletedWithItsSourceLeavesASoundDrawing) {
    TypeKeys(View, "rectangle\r20 20\r120 80\r");
    TObjHeader* Rect = MainVars.DataEnd;
    ASSERT_NE(Rect, nullptr);
    TypeKeys(View, "meandr\r");
    const TPoint P = WorldToPixel({70, 20});
    ASSERT_TRUE(MouseClick(View, F->PaintBoxDraw, P.X, P.Y));
    ASSERT_TRUE(Rect->Flags & FlagSelected);
    bool Clicked = false;
    After(300, [&] { Clicked = ClickWidget(FormViewOf(*Program, *FillDialog), FillDialog->BitBtnOK); });
    TypeKeys(View, "\r");
    ASSERT_TRUE(Clicked);
    ASSERT_EQ(OpList.CamCnt, 3);
    TypeKeys(View, "delete\rp\r\r");
    Pump(100);
    EXPECT_EQ(OpList.CamCnt, 0);
    EXPECT_EQ(MainVars.DataStart, nullptr);
    EXPECT_EQ(CheckObjList(MainVars.DataStart, MainVars.DataEnd), "");
}

// CONTOUR in the real window: the depth typed into the dialog's own edit and the side
// clicked there reach the operation.
TEST_F(UserInputTest, ContourDialogTakesTheDepthAndSideTypedIntoItsWidgets) {
    Glob.AutoApplyToolOpen = true;  // the settings' switch that opens depth and feed for typing
    TypeKeys(View, "rectangle\r20 20\r120 80\r");
    TObjHeader* Rect = MainVars.DataEnd;
    ASSERT_NE(Rect, nullptr);
    TypeKeys(View, "contour\r");
    const TPoint P = WorldToPixel({70, 20});
    ASSERT_TRUE(MouseClick(View, F->PaintBoxDraw, P.X, P.Y));
    ASSERT_TRUE(Rect->Flags & FlagSelected);
    bool Typed = false, Clicked = false;
    After(300, [&] {
        TQtFormView* D = FormViewOf(*Program, *ContourDialog);
        Typed = TypeOver(D, ContourDialog->EditDepth, "1.5") && ClickWidget(D, ContourDialog->RBtnOutside);
        Clicked = ClickWidget(D, ContourDialog->BitBtnOK);
    });
    TypeKeys(View, "\r");
    ASSERT_TRUE(Typed);
    ASSERT_TRUE(Clicked);
    ASSERT_EQ(OpList.CamCnt, 1);
    ASSERT_GT(OpList.Cam[0].ChilCnt, 0);
    const TObjHeader* Path = OpList.Cam[0].Childs[0];
    Osy Min, Max;
    EnvelopeObj(const_cast<TObjHeader*>(Path), Min, Max);
    EXPECT_LT(double(Min.x), 20);  // outside the rectangle
    EXPECT_GT(double(Max.x), 120);
    EXPECT_EQ(double(OpList.Cam[0].Depth), 1.5);
}

TEST_F(UserInputTest, ExportToSinumerikGivesTheProgramTheZeroPointChosenInItsDialog) {
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
    // The answers poll from timers; once the test is over they must touch nothing of it.
    auto alive = std::make_shared<bool>(true);
    struct TEnd {
        std::shared_ptr<bool> A;
        ~TEnd() { *A = false; }
    } end{alive};
    std::function<void()> answerDialog = [&, alive] {
        if (!*alive) return;
        TQtFormView* v = SinumericDialog ? FormViewOf(*Program, *SinumericDialog) : nullptr;
        if (!v || !ViewVisible(v)) return After(50, answerDialog);
        gridShown = WidgetIs(v, SinumericDialog->DrawGrid, "QTableWidget");
        ClickWidget(v, SinumericDialog->RBtnG56);
        ClickWidget(v, SinumericDialog->BitBtnOK);
    };
    std::function<void()> answerFile = [&, alive] {
        if (!*alive) return;
        if (!AcceptFileDialog(target)) return After(50, answerFile);
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

// A name typed without extension takes the file type's; ".exp" then goes to the port.
TEST_F(UserInputTest, TheExportFileTypePicksTheControl) {
    TypeKeys(View, "line\r0 0\r50 0\r\x1b");
    WriteFile("lp0", "");
    PrinterPortDevice = InDir("lp0");
    const std::pair<const char*, const char*> Types[] = {
        {"Datron", ".mcr"}, {"Isel NC", ".ncp"}, {"HPGL pro GravoGraph", ".hp"}, {"Odeslat do GravoGraph", ".exp"}};
    for (const auto& [Type, Ext] : Types) {
        SCOPED_TRACE(Type);
        const std::string Name = InDir(std::string("job-") + (Ext + 1));
        bool Answered = false;
        int Tries = 0;
        std::function<void()> Answer = [&] {
            Answered = AnswerFileDialog(Type, Name);
            if (!Answered && ++Tries < 100) After(50, Answer);
        };
        After(50, Answer);
        TypeKeys(View, "export\r");
        EXPECT_TRUE(PumpUntil([&] { return TextFileExists(Name + Ext); }, 10000));
        EXPECT_TRUE(Answered);
    }
    EXPECT_NE(ReadFile(InDir("job-exp.exp")).find("!JF;"), std::string::npos);
    EXPECT_EQ(ReadFile(InDir("lp0")), ReadFile(InDir("job-exp.exp")));
}

}  // namespace

namespace {

// FILTR in the real window: the limit typed into the dialog's own edit and its OK
// clicked there rebuild the picked polyline without its short step.
TEST_F(UserInputTest, FilterTakesTheLimitTypedIntoItsDialog) {
    TypeKeys(View, "polyline\r20 20\r70 20\r\r70.3 20.2\r\r120 20\r\r");
    PressKey("Escape");
    ASSERT_NE(MainVars.DataEnd, nullptr);
    ASSERT_EQ(PlineSegCount(MainVars.DataEnd), 3);
    TypeKeys(View, "filtr\r");
    const TPoint P = WorldToPixel({95, 20});
    ASSERT_TRUE(MouseClick(View, F->PaintBoxDraw, P.X, P.Y));
    ASSERT_TRUE(MainVars.DataEnd->Flags & FlagSelected);
    bool Typed = false, Clicked = false;
    After(300, [&] {
        TQtFormView* D = FormViewOf(*Program, *FiltrDialog);
        Typed = TypeOver(D, FiltrDialog->EditSmall, "0,5");
        Clicked = ClickWidget(D, FiltrDialog->BitBtnOk);
    });
    TypeKeys(View, "\r");
    ASSERT_TRUE(Typed);
    ASSERT_TRUE(Clicked);
    ASSERT_EQ(MainVars.DataStart, MainVars.DataEnd);
    EXPECT_EQ(PlineSegCount(MainVars.DataEnd), 2);
    EXPECT_EQ(PlineEndPt(MainVars.DataEnd).x, 120);
}

// CHANGETEXTS in the real window: the part and the constant typed into the dialog's
// own edits, the radio button and OK clicked there.
TEST_F(UserInputTest, TextReplacementTakesWhatIsTypedIntoItsDialog) {
    TypeKeys(View, "text\r20 20\rLA-X\r");
    ASSERT_NE(MainVars.DataEnd, nullptr);
    TypeKeys(View, "changetexts\r");
    const TPoint P = WorldToPixel({20, 20});
    ASSERT_TRUE(MouseClick(View, F->PaintBoxDraw, P.X, P.Y));
    ASSERT_TRUE(MainVars.DataEnd->Flags & FlagSelected);
    bool Done = false;
    After(300, [&] {
        TQtFormView* D = FormViewOf(*Program, *ChangeTextDialog);
        Done = TypeOver(D, ChangeTextDialog->EditReplaced, "X") && ClickWidget(D, ChangeTextDialog->RBtnConstText) &&
               TypeOver(D, ChangeTextDialog->EditConstText, "Y 7") && ClickWidget(D, ChangeTextDialog->BitBtnOK);
    });
    TypeKeys(View, "\r");
    ASSERT_TRUE(Done);
    ParText T;
    EnText.ReadParamText(MainVars.DataEnd, T);
    EXPECT_EQ(T.Text, "LA-Y 7");
}

}  // namespace
