// Form and control models, the scripted responder, timers, the clock and file helpers.
#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/ScriptResponder.h"
#include "platform/Timers.h"
#include "support/Fixture.h"

namespace {
class TSampleDialog : public TForm {
public:
    TSampleDialog() : TForm("SampleDg") {
        Edit = Make<TEdit>("EditDepth");
        Check = Make<TCheckBox>("ChBoxUse");
        Panel = Make<TPanel>("PanelRadio");
        R1 = Make<TRadioButton>("RBtn1", Panel);
        R2 = Make<TRadioButton>("RBtn2", Panel);
        Combo = Make<TComboBox>("CBoxKind");
        Combo->Items = {"a", "b", "c"};
        Ok = Make<TButton>("BtnOK");
        Ok->ModalResult = mrOk;
        Grid = Make<TStringGrid>("Grid");
        Grid->SetSize(3, 2);
    }
    TEdit* Edit;
    TCheckBox* Check;
    TPanel* Panel;
    TRadioButton *R1, *R2;
    TComboBox* Combo;
    TButton* Ok;
    TStringGrid* Grid;
};

class FormsTest : public KestrilonTest {};

TEST_F(FormsTest, ControlsByNameAndUserActions) {
    TSampleDialog d;
    EXPECT_EQ(d.FindComponent("editdepth"), d.Edit);  // names compare without case
    EXPECT_EQ(d.Find<TCheckBox>("ChBoxUse"), d.Check);
    EXPECT_EQ(d.Find<TEdit>("ChBoxUse"), nullptr);
    EXPECT_EQ(d.FindComponent("Missing"), nullptr);
    EXPECT_EQ(d.FindComponent("SampleDg"), &d);
    EXPECT_EQ(d.R1->Parent, d.Panel);
    EXPECT_EQ(d.Components().size(), 8u);

    int changes = 0, clicks = 0;
    d.Edit->OnChange = [&] { ++changes; };
    d.Edit->TypeText("12");
    EXPECT_EQ(d.Edit->Text, "12");
    d.Edit->Text = "13";  // the logic writes directly: no event
    EXPECT_EQ(changes, 1);

    d.Check->OnClick = [&] { ++clicks; };
    d.Check->Click();
    EXPECT_TRUE(d.Check->Checked);
    d.Check->Enabled = false;
    d.Check->Click();  // a disabled control ignores the user
    EXPECT_TRUE(d.Check->Checked);
    EXPECT_EQ(clicks, 1);

    d.R1->Click();
    d.R2->Click();
    EXPECT_FALSE(d.R1->Checked);
    EXPECT_TRUE(d.R2->Checked);

    d.Combo->ChooseItem(2);
    EXPECT_EQ(d.Combo->ItemIndex, 2);
    EXPECT_EQ(d.Combo->Text, "c");
    d.Combo->ChooseItem(7);  // out of range: ignored
    EXPECT_EQ(d.Combo->ItemIndex, 2);

    d.Grid->Cells[1][1] = "x";
    d.Grid->SetSize(4, 3);
    EXPECT_EQ(d.Grid->Cells[1][1], "x");
    EXPECT_EQ(d.Grid->ColCount(), 4);
    EXPECT_EQ(d.Grid->RowCount(), 3);
}

TEST_F(FormsTest, SpeedButtonGroups) {
    TForm f("F");
    auto* a = f.Make<TSpeedButton>("A");
    auto* b = f.Make<TSpeedButton>("B");
    auto* t = f.Make<TSpeedButton>("T");
    a->GroupIndex = b->GroupIndex = 1;
    t->GroupIndex = 2;
    t->AllowAllUp = true;
    a->Down = true;
    b->Click();
    EXPECT_TRUE(b->Down);
    EXPECT_FALSE(a->Down);
    b->Click();  // without AllowAllUp the last one stays down
    EXPECT_TRUE(b->Down);
    t->Click();
    EXPECT_TRUE(t->Down);
    t->Click();
    EXPECT_FALSE(t->Down);
}

TEST_F(FormsTest, ModalFormsAnswerFromTheScript) {
    TSampleDialog d;
    int shown = 0, closed = 0;
    d.OnShow = [&] { ++shown; };
    d.OnClose = [&](TCloseAction&) { ++closed; };
    TScriptResponder r;
    r.ExpectModal("SampleDg", [](TForm& f) {
        EXPECT_TRUE(f.Visible);
        f.Find<TEdit>("EditDepth")->TypeText("2,5");
        f.ClickButton("BtnOK");
        return mrCancel;  // a button's result wins
    });
    r.ExpectModal("SampleDg", mrCancel);
    EXPECT_EQ(d.ShowModal(), mrOk);
    EXPECT_EQ(d.Edit->Text, "2,5");
    EXPECT_FALSE(d.Visible);
    EXPECT_EQ(d.ShowModal(), mrCancel);
    EXPECT_EQ(d.Edit->Text, "2,5");  // values are kept between showings
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(closed, 2);
    EXPECT_TRUE(r.Done());
    EXPECT_EQ(r.Shown, (std::vector<std::string>{"modal:SampleDg", "modal:SampleDg"}));
}

TEST_F(FormsTest, MessagesAndFileDialogs) {
    TScriptResponder r;
    r.ExpectMessage(mrYes, "Uložit");
    r.ExpectOpen("/tmp/a.dxf");
    r.ExpectSave("");
    r.ExpectColor(0x123456);
    r.ExpectMessage(IDNO);
    EXPECT_EQ(MessageDlg("Uložit soubor ?", TMsgDlgType::mtConfirmation, mbYesNoCancel), mrYes);
    TOpenDialog o;
    EXPECT_TRUE(o.Execute());
    EXPECT_EQ(o.FileName, "/tmp/a.dxf");
    TSaveDialog s;
    s.FileName = "keep";
    EXPECT_FALSE(s.Execute());
    EXPECT_EQ(s.FileName, "keep");
    TColorDialog c;
    EXPECT_TRUE(c.Execute());
    EXPECT_EQ(c.Color, 0x123456u);
    EXPECT_EQ(MessageBox("Text", "Title", MB_YESNO), IDNO);
    EXPECT_EQ(r.Shown.back(), "message:Title|Text");
    EXPECT_TRUE(r.Done());
}

TEST_F(FormsTest, UnexpectedDialogsFail) {
    TSampleDialog d;
    {
        TScriptResponder r;
        r.ExpectOpen("/x");
        EXPECT_THROW(ShowMessage("surprise"), EUnexpectedDialog);  // wrong kind
        EXPECT_EQ(r.Pending(), 1u);
        r.ExpectModal("OtherDg", mrOk);
    }
    {
        TScriptResponder r;
        r.ExpectModal("OtherDg", mrOk);
        EXPECT_THROW(d.ShowModal(), EUnexpectedDialog);  // wrong form
        EXPECT_FALSE(d.Modal);
    }
    EXPECT_THROW(ShowMessage("nobody answers"), EUnexpectedDialog);  // no responder
}

TEST_F(FormsTest, NonModalShowAndClose) {
    TScriptResponder r;
    TForm f("Viewer");
    bool allow = false;
    f.OnCloseQuery = [&](bool& can) { can = allow; };
    f.Show();
    EXPECT_TRUE(f.Visible);
    EXPECT_EQ(r.OpenForms, (std::vector<std::string>{"Viewer"}));
    f.Close();
    EXPECT_TRUE(f.Visible);
    allow = true;
    f.Close();
    EXPECT_FALSE(f.Visible);
    EXPECT_TRUE(r.OpenForms.empty());
}

TEST_F(FormsTest, TimersFireByHand) {
    int ticks = 0;
    TTimer once("Once", 50);
    once.OneShot = true;
    once.OnTimer = [&] { ++ticks; };
    TTimer rep("Repeat", 1000, true);
    rep.OnTimer = [&] { ticks += 10; };
    EXPECT_EQ(FindTimer("Once"), &once);
    EXPECT_FALSE(once.Fire());  // not enabled
    once.SetEnabled(true);
    EXPECT_TRUE(once.Fire());
    EXPECT_FALSE(once.Enabled());
    EXPECT_FALSE(once.Fire());
    EXPECT_TRUE(rep.Fire());
    EXPECT_TRUE(rep.Fire());
    EXPECT_TRUE(rep.Enabled());
    EXPECT_EQ(ticks, 21);
}

TEST_F(FormsTest, FixedClock) {
    FixClock({2024, 12, 31, 23, 59, 59, 990});
    EXPECT_EQ(FormatTimeHNSZ(Now()), "23:59:59.990");
    uint64_t t0 = TickCount();
    AdvanceClock(20);
    EXPECT_EQ(Now(), (TDateTimeParts{2025, 1, 1, 0, 0, 0, 10}));
    EXPECT_EQ(FormatShortDate(Now()), "1.1.2025");
    EXPECT_EQ(TickCount(), t0 + 20);
    ReleaseClock();
    EXPECT_FALSE(ClockFixed());
    EXPECT_GE(TickCount(), t0);
}

TEST_F(FormsTest, FileHelpers) {
    WriteFile("FONT/a.shp", "x");
    WriteFile("FONT/B.SHP", "y");
    WriteFile("FONT/c.txt", "z");
    ASSERT_TRUE(ForceDirectories(InDir("FONT/sub/deeper")));
    EXPECT_EQ(FindFiles(InDir("FONT"), "*.shp"), (std::vector<std::string>{"B.SHP", "a.shp"}));
    EXPECT_EQ(FindFiles(InDir("FONT"), "*", true), (std::vector<std::string>{"sub"}));
    EXPECT_TRUE(FindFiles(InDir("missing"), "*").empty());
    EXPECT_TRUE(FileExists(InDir("FONT/a.shp")));
    EXPECT_FALSE(FileExists(InDir("FONT")));
    EXPECT_TRUE(DirectoryExists(InDir("FONT")));
    EXPECT_TRUE(CopyFileTo(InDir("FONT/a.shp"), InDir("copy.shp")));
    EXPECT_TRUE(MoveFileTo(InDir("copy.shp"), InDir("FONT/c.txt")));  // replaces
    EXPECT_EQ(ReadFile(InDir("FONT/c.txt")), "x");
    EXPECT_FALSE(FileExists(InDir("copy.shp")));
    EXPECT_TRUE(DeleteFileAt(InDir("FONT/c.txt")));
    EXPECT_FALSE(DeleteFileAt(InDir("FONT/c.txt")));
    EXPECT_GT(DiskFree(Dir()), 0);
    EXPECT_EQ(DiskFree(InDir("no/such/dir")), -1);
}
}  // namespace
