// HISTORY, the about box with the "Info" file, the end dialog's logs, the print
// dialog and PRINT through a test printer.
#include "commands/EndDg.h"
#include "commands/Help.h"
#include "commands/PrintDg.h"
#include "commands/UniList.h"
#include "core/Glob.h"
#include "core/UniPline.h"
#include "platform/Printer.h"
#include "platform/RecordingCanvas.h"
#include "platform/ScriptResponder.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;

// A printer with an A4-like page of 10 pixels per millimetre that records the page.
class TTestPrinter : public TPrinter {
public:
    TRecordingCanvas Page{2001, 2801};
    bool Available = true;
    int Begun = 0, Ended = 0;
    bool BeginDoc() override {
        if (!Available) return false;
        ++Begun;
        Page.Reset();
        return true;
    }
    TCanvas* Canvas() override { return &Page; }
    void EndDoc() override { ++Ended; }
    int32_t PageWidth() const override { return 2001; }
    int32_t PageHeight() const override { return 2801; }
    Extended PageWidthMm() const override { return 200; }
    Extended PageHeightMm() const override { return 280; }
};

class DialogsTest : public CmdTest {
protected:
    void SetUp() override {
        CmdTest::SetUp();
        Start();
        Previous = SetPrinter(&Printer_);
    }
    void TearDown() override {
        SetPrinter(Previous);
        CmdTest::TearDown();
    }
    TTestPrinter Printer_;
    TPrinter* Previous = nullptr;
};

TEST_F(DialogsTest, HistoryListsTheRingOldestFirst) {
    const struct {
        int Stored;
        const char* First;
        const char* Last;
        size_t Count;
    } Cases[] = {
        {3, "L0", "L2", 3},        // next write index 4: in the order entered
        {105, "L5", "L104", 100},  // wrapped: the oldest surviving line first
    };
    for (const auto& C : Cases) {
        MainVars.ArrList = {};
        MainVars.IndexList = 1;
        for (int i = 0; i < C.Stored; ++i) H->Form().StoreHistory("L" + std::to_string(i));
        TFormList L;
        ASSERT_EQ(L.Memo1->Lines.size(), C.Count);
        EXPECT_EQ(L.Memo1->Lines.front(), C.First);
        EXPECT_EQ(L.Memo1->Lines.back(), C.Last);
        EXPECT_EQ(L.SelStart, L.TextLength());
    }
}

TEST_F(DialogsTest, HistoryKeysMoveTheCaretAndEscapeCloses) {
    Run({"LINE", "0 0", "10 0"});
    H->Esc();
    Mark();
    TScriptResponder R;
    R.ExpectModal("FormList", [](TForm& F) {
        TFormList& L = static_cast<TFormList&>(F);
        EXPECT_EQ(L.Caption, "Historie");
        EXPECT_EQ(L.Memo1->Lines.size(), 4u);  // keyword, two points, the cancelled prompt
        L.SelStart = 0;
        uint16_t K = 'A';
        L.Memo1->OnKeyDown(K, 0);
        EXPECT_EQ(L.SelStart, L.TextLength());
        K = VK_HOME;
        L.Memo1->OnKeyDown(K, 0);
        EXPECT_EQ(L.SelStart, 0u);
        K = VK_ESCAPE;
        L.Memo1->OnKeyDown(K, 0);
        return mrNone;
    });
    H->Enter("HISTORY");
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(NewLog(), (Lines{"Usr:HISTORY", "Sys:ComHistory Start", "Sys:HistDg Open", "Sys:HistDg Close",
                               "Sys:ComHistory End"}));
}

TEST_F(DialogsTest, InfoFileSetsTheContactLabels) {
    const struct {
        const char* Content;
        const char* Email;
        const char* Phone;
    } Cases[] = {
        {"Email = a \r\nPhone=123\r\n", "a", "123"},
        {"email=x\r\n", "-", "-"},              // keys are compared as written
        {"Phone=1\r\n  Email  \r\n", "1", "1"},  // a line without "=" keeps the last value
        {"Other=5\r\n=\r\n", "-", "-"},
        {nullptr, "-", "-"},                     // no file
    };
    for (const auto& C : Cases) {
        CreateHelpDialog();
        if (C.Content)
            WriteFile("Info", C.Content);
        else
            std::remove(InDir("Info").c_str());
        {
            TScriptResponder R;
            R.ExpectModal("HelpDialog", mrCancel);
            H->Form().mHelpMnuClick();
        }
        EXPECT_EQ(HelpDialog->LabEmailValue->Caption, C.Email) << (C.Content ? C.Content : "none");
        EXPECT_EQ(HelpDialog->LabPhoneValue->Caption, C.Phone) << (C.Content ? C.Content : "none");
        EXPECT_EQ(HelpDialog->Label4->Caption, "Verze: 2.5 beta 6 ");
        EXPECT_EQ(HelpDialog->Label5->Caption, "Datum: 09.02.2023");
    }
}

TEST_F(DialogsTest, EndAndPrintDialogsLogTheirClicks) {
    CreateTiskDialog();
    TTiskDialog& P = *TiskDialog;
    EXPECT_TRUE(P.RBtnDisplay->Checked);
    EXPECT_TRUE(P.RBtnFitToPage->Checked);
    Mark();
    P.RBtnObjects->Click();
    P.RBtnLimits->Click();
    P.RBtnDisplay->Click();
    P.RBtnScale1->Click();
    P.RBtnFitToPage->Click();
    P.BtnSetup->Click();
    EXPECT_EQ(NewLog(), (Lines{"Usr:Select view:All objects", "Usr:Select view:Limits", "Usr:Select view:All in win",
                               "Usr:Select scale:1:1", "Usr:Select scale:Zoom all", "Usr:Print setup"}));
    const struct {
        const char* Button;
        const char* Log;
        int Result;
    } Ends[] = {{"BitBtnYes", "Usr:Yes", mrYes}, {"BitBtnNo", "Usr:No", mrNo}, {"BitBtnReturn", "Usr:return", mrRetry}};
    for (const auto& E : Ends) {
        Mark();
        TScriptResponder R;
        R.ExpectModal("EndDialog", [&E](TForm& F) {
            F.ClickButton(E.Button);
            return mrNone;
        });
        EXPECT_EQ(EndDialog->ShowModal(), E.Result);
        EXPECT_EQ(NewLog(), (Lines{"Sys:EndDg Open", E.Log, "Sys:EndDg Close"}));
    }
}

// PRINT answered with the area and scale buttons; the page shows the drawing.
TEST_F(DialogsTest, PrintDrawsTheChosenAreaOnWhitePaper) {
    Glob.TabLayer[1].Show = true;
    EnPline.LineAdd({0, 0}, {100, 50}, 1, MainVars.DataStart, MainVars.DataEnd);
    const Extended Scale = Glob.BoduNaMm;
    const uint32_t Back = Glob.BackColor;
    const struct {
        const char* Area;
        const char* How;
        bool Drawn;
    } Cases[] = {
        {"RBtnObjects", "RBtnFitToPage", true},
        {"RBtnObjects", "RBtnScale1", true},
        {"RBtnLimits", "RBtnFitToPage", true},
        {"RBtnDisplay", "RBtnScale1", true},
    };
    for (const auto& C : Cases) {
        Mark();
        {
            TScriptResponder R;
            R.ExpectModal("TiskDialog", [&C](TForm& F) {
                F.ClickButton(C.Area);
                F.ClickButton(C.How);
                F.ClickButton("BitBtnOK");
                return mrNone;
            });
            H->Enter("PRINT");
        }
        EXPECT_EQ(NewLog().back(), "Sys:ComPrint End") << C.Area << C.How;
        ASSERT_FALSE(Printer_.Page.Ops.empty());
        EXPECT_EQ(Printer_.Page.Ops[0].Kind, TCanvasOpKind::Clear);
        EXPECT_EQ(Printer_.Page.Ops[0].Color, 0x00FFFFFFu);
        EXPECT_EQ(Printer_.Page.Ops.size() > 1, C.Drawn) << C.Area << C.How;
        EXPECT_EQ(Glob.BoduNaMm, Scale);  // the view is put back
        EXPECT_EQ(Glob.BackColor, Back);
    }
    EXPECT_EQ(Printer_.Begun, 4);
    EXPECT_EQ(Printer_.Ended, 4);
}

TEST_F(DialogsTest, PrintCancelledEmptyOrWithoutPrinter) {
    // Cancel: nothing printed, no end line.
    Mark();
    H->Answer(mrCancel);
    H->Enter("PRINT");
    EXPECT_EQ(NewLog(), (Lines{"Usr:PRINT", "Sys:ComPrint Start", "Sys:PrintDg Open", "Sys:PrintDg Close"}));
    EXPECT_EQ(Printer_.Begun, 0);
    // All objects of an empty drawing: the job is ended with nothing drawn.
    auto Ok = [](const char* Area) {
        return [Area](TForm& F) {
            F.ClickButton(Area);
            F.ClickButton("BitBtnOK");
            return mrNone;
        };
    };
    {
        TScriptResponder R;
        R.ExpectModal("TiskDialog", Ok("RBtnObjects"));
        H->Enter("PRINT");
    }
    EXPECT_EQ(Printer_.Begun, 1);
    EXPECT_EQ(Printer_.Ended, 1);
    EXPECT_EQ(Printer_.Page.Ops.size(), 0u);
    // No printer: refused with an error line.
    Printer_.Available = false;
    Mark();
    {
        TScriptResponder R;
        R.ExpectModal("TiskDialog", Ok("RBtnLimits"));
        H->Enter("PRINT");
    }
    EXPECT_TRUE(TCmdHarness::LogHas("Err:No printer"));
    EXPECT_EQ(NewLog().back(), "Sys:ComPrint End");
}

}  // namespace
