// STYLE, TEXT, EDITTEXT and TEXTTOPLINE through the command line, and the text
// parameters dialog answered through the script responder.
#include <cmath>

#include "commands/TextDg.h"
#include "core/Glob.h"
#include "core/IntFont.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "core/UniText.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;
constexpr Extended Pi = 3.1415926535897932385L;

class ComTextTest : public CmdTest {
protected:
    // The program's own start-up: stroke font, text style, dialogs.
    void StartProgram() {
        H = std::make_unique<TCmdHarness>(Dir(), TCmdHarness::TStartUp::Program);
        Mark();
    }
    static std::vector<TObjHeader*> Objects() {
        std::vector<TObjHeader*> Out;
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) Out.push_back(p);
        return Out;
    }
    static ParText TextOf(TObjHeader* p) {
        ParText T;
        EnText.ReadParamText(p, T);
        return T;
    }
    // A stroke text written with TEXT at (X, Y).
    void WriteText(const std::string& S, Extended X, Extended Y) {
        Run({"TEXT", GeneralPoint(X, Y), S});
    }
    static std::string GeneralPoint(Extended X, Extended Y) {
        return std::to_string(double(X)) + " " + std::to_string(double(Y));
    }
    static void SelectAllTopLevel(int Kind = 0) {
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next)
            if (!Kind || p->Type == Kind) p->Flags |= FlagSelected;
    }
    // The first TrueType family of the dialog's list.
    static std::string TrueTypeRowName() {
        for (const std::string& N : TextDialog->FontList())
            if (!IsStrokeFontName(N)) return N;
        return {};
    }
};

TEST_F(ComTextTest, TextPlacesLinesOneSpacingBelowInTheTextsDirection) {
    const struct {
        Extended RotateDeg;
        bool Mirror;
        const char* PointInput;
        Extended X, Y;
    } Cases[] = {
        {0, false, "", 0, 0},        // first text after start-up: (0, 10) moves to (0, 0)
        {90, false, "", 10, 10},     // rotated: the next line lies to the right
        {90, true, "", -10, 10},     // mirrored: to the left
        {0, false, "5 7", 5, 7},     // a typed point wins
        {0, false, "@2 3", 2, 3},    // relative input starts from the origin
        {0, false, "X", 0, 0},       // no point: the default stays
    };
    for (const auto& C : Cases) {
        StartProgram();
        TextStyle.Rotate = C.RotateDeg * Pi / 180;
        TextStyle.MirrorY = C.Mirror;
        Run({"TEXT", C.PointInput});
        EXPECT_EQ(H->Prompt(), "Text>") << C.PointInput;
        H->Enter("Hello Wörld");
        auto Objs = Objects();
        ASSERT_EQ(Objs.size(), 1u) << C.PointInput;
        const ParText T = TextOf(Objs[0]);
        EXPECT_NEAR(double(T.Origin.x), double(C.X), 1e-9) << C.PointInput;
        EXPECT_NEAR(double(T.Origin.y), double(C.Y), 1e-9) << C.PointInput;
        EXPECT_EQ(T.Text, Utf8ToCp1250("Hello Wörld"));  // typed case and letters kept
        EXPECT_EQ(TextStyle.Origin.x, T.Origin.x);
        EXPECT_EQ(TextStyle.Origin.y, T.Origin.y);
        EXPECT_EQ(NewLog().back(), "Sys:ComNewText End");
        H.reset();
    }
}

TEST_F(ComTextTest, ConsecutiveTextsStackAndAnEmptyStringMovesOnlyTheStyle) {
    StartProgram();
    Run({"TEXT", "", "A", "TEXT", "", "", "TEXT", "", "C"});
    auto Objs = Objects();
    ASSERT_EQ(Objs.size(), 2u);
    EXPECT_NEAR(double(TextOf(Objs[0]).Origin.y), 0, 1e-9);
    EXPECT_NEAR(double(TextOf(Objs[1]).Origin.y), -20, 1e-9);  // the empty line took -10
    EXPECT_TRUE(TCmdHarness::LogHas("Usr:PickPoint La:68 X:0 Y:0") == false);  // no point typed
}

TEST_F(ComTextTest, StyleTakesTheDialogOnlyOnOk) {
    for (const bool Ok : {true, false}) {
        StartProgram();
        const ParText Before = TextStyle;
        {
            // The script answers while it lives; it ends before the harness does.
            TScriptResponder R;
            R.ExpectModal("TextDialog", [Ok](TForm& F) {
                F.Find<TEdit>("EditWidthFactor")->TypeText("2");
                F.ClickButton(Ok ? "BitBtnOK" : "BitBtnCancel");
                return Ok ? mrOk : mrCancel;
            });
            H->Enter("STYLE");
            EXPECT_TRUE(R.Done());
        }
        EXPECT_EQ(MainVars.ComCnt, -1);
        EXPECT_EQ(double(TextStyle.WidthFactor), Ok ? 2.0 : double(Before.WidthFactor));
        EXPECT_EQ(NewLog().back(), "Sys:ComStyle End");
        EXPECT_TRUE(TCmdHarness::LogHas(Ok ? "Usr:ok" : "Usr:cancel"));
        H.reset();
    }
}

TEST_F(ComTextTest, DialogJustificationFontKindAndSlant) {
    StartProgram();
    const std::string Tt = TrueTypeRowName();
    ASSERT_FALSE(Tt.empty());
    const std::string Stroke = Cp1250ToUtf8(IntFontName);
    const struct {
        const char* Name;
        std::string Font;     // font of the record
        uint8_t Justify;      // record's Justify
        Extended Zkos;        // record's slant
        const char* Slant;    // typed into EditZkoseni before OK (nullptr: untouched)
        bool Bold;
        const char* Checked;  // radio button checked after showing
        uint8_t JustifyOut;
        Extended ZkosOut;
        const char* ShownSlant;
    } Cases[] = {
        {"top centre", Stroke, 7, Pi / 12, nullptr, false, "TopCenter", 7, Pi / 12, "15"},
        {"low bits 15 keep", Stroke, 15, 0, nullptr, false, "TopCenter", 7, 0, "0"},
        {"low bits 13 keep", Stroke, 128 + 64 + 13, 0, nullptr, false, "TopCenter", 7, 0, "0"},
        {"stroke drops 128", Stroke, 128 + 2, 0, nullptr, true, "BottomRight", 2, 0, "0"},
        {"truetype bold", Tt, 4, 20, nullptr, true, "MiddleCenter", 4 + 128 + 64, 20, "20"},
        {"bad slant keeps", Stroke, 0, Pi / 12, "12x", false, "BottomLeft", 0, Pi / 12, "15"},
    };
    for (const auto& C : Cases) {
        WorkText = TextStyle;
        WorkText.JmFontu = Utf8ToCp1250(C.Font);
        WorkText.Justify = C.Justify;
        WorkText.Zkos = C.Zkos;
        TScriptResponder R;
        std::string Shown, Checked;
        R.ExpectModal("TextDialog", [&](TForm& F) {
            Shown = F.Find<TEdit>("EditZkoseni")->Text;
            for (const char* N : {"BottomLeft", "BottomCenter", "BottomRight", "MiddleLeft", "MiddleCenter",
                                  "MiddleRight", "TopLeft", "TopCenter", "TopRight"})
                if (F.Find<TRadioButton>(N)->Checked) Checked = N;
            TCheckBox* B = F.Find<TCheckBox>("ChBoxBold");
            if (B->Checked != C.Bold) B->Click();
            if (C.Slant) F.Find<TEdit>("EditZkoseni")->TypeText(C.Slant);
            F.ClickButton("BitBtnOK");
            return mrOk;
        });
        EXPECT_EQ(TextDialog->ShowModal(), mrOk) << C.Name;
        EXPECT_EQ(Shown, C.ShownSlant) << C.Name;
        EXPECT_EQ(Checked, C.Checked) << C.Name;
        EXPECT_EQ(int(WorkText.Justify), int(C.JustifyOut)) << C.Name;
        EXPECT_NEAR(double(WorkText.Zkos), double(C.ZkosOut), 1e-15) << C.Name;
        EXPECT_EQ(Cp1250ToUtf8(WorkText.JmFontu), C.Font) << C.Name;
    }
    // The invalid slant marked the command line.
    EXPECT_NE(H->Prompt().find(" = INVALID"), std::string::npos);
}

TEST_F(ComTextTest, DialogRotationInDegreesAndEmptyPreview) {
    StartProgram();
    WorkText = TextStyle;
    WorkText.Rotate = Pi / 2;
    WorkText.Text.clear();
    TScriptResponder R;
    R.ExpectModal("TextDialog", [](TForm& F) {
        EXPECT_EQ(F.Find<TEdit>("EditRotace")->Text, "90");
        EXPECT_EQ(F.Find<TEdit>("EditOriginY")->Text, "10");
        F.Find<TEdit>("EditRotace")->TypeText("45");
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    TextDialog->ShowModal();
    EXPECT_NEAR(double(WorkText.Rotate), double(Pi / 4), 1e-15);
    EXPECT_TRUE(WorkText.Text.empty());
    // A TrueType row previews the word "Text" when the string is empty.
    TRecordingCanvas C(175, 55);
    TextDialog->ImgPrev->Canvas = &C;
    TextDialog->SelectFontRow(int(std::find(TextDialog->FontList().begin(), TextDialog->FontList().end(),
                                            TrueTypeRowName()) -
                                  TextDialog->FontList().begin()));
    auto Texts = C.OfKind(TCanvasOpKind::Text);
    ASSERT_FALSE(Texts.empty());
    EXPECT_EQ(Texts.back().Text, "Text");
    TextDialog->ImgPrev->Canvas = nullptr;
}

TEST(StripDiacriticsTest, CzechLettersBecomeTheirBaseLetters) {
    const struct {
        const char* In;
        const char* Out;
    } Cases[] = {
        {"áčďéěíňóřšťúůýž", "acdeeinorstuuyz"},
        {"ÁČĎÉĚÍŇÓŘŠŤÚÝŽ", "ACDEEINORSTUYZ"},
        {"Ů", "Ů"},  // not among the pairs
        {"abc 123", "abc 123"},
    };
    for (const auto& C : Cases) EXPECT_EQ(Cp1250ToUtf8(StripDiacritics(Utf8ToCp1250(C.In))), C.Out) << C.In;
}

TEST_F(ComTextTest, EditTextOneTextEmptiedIsDeleted) {
    StartProgram();
    WriteText("ABC", 0, 0);
    TScriptResponder R;
    R.ExpectModal("TextDialog", [](TForm& F) {
        EXPECT_TRUE(F.Find<TEdit>("EditOriginX")->Enabled);
        F.Find<TEdit>("EditString")->TypeText("");
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    Mark();
    H->Enter("EDITTEXT");
    SelectAllTopLevel();
    H->Enter("");
    EXPECT_TRUE(R.Done());
    EXPECT_TRUE(Objects().empty());
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:Empty string, deleting text"));
    EXPECT_EQ(NewLog().back(), "Sys:ComEditText End");
}

TEST_F(ComTextTest, EditTextSeveralTextsKeepStringAndPositionButTakeTheHeight) {
    StartProgram();
    WriteText("ONE", 0, 0);
    WriteText("TWO", 0, 20);
    WriteText("THREE", 30, 40);
    TScriptResponder R;
    R.ExpectModal("TextDialog", [](TForm& F) {
        EXPECT_FALSE(F.Find<TEdit>("EditOriginX")->Enabled);
        EXPECT_EQ(F.Find<TEdit>("EditString")->Text, "? ruzny ?");
        F.Find<TEdit>("EditVyska")->TypeText("7");
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    H->Enter("EDITTEXT");
    SelectAllTopLevel();
    H->Enter("");
    auto Objs = Objects();
    ASSERT_EQ(Objs.size(), 3u);
    const char* Strings[] = {"ONE", "TWO", "THREE"};
    const Extended Ys[] = {0, 20, 40};
    for (size_t i = 0; i < 3; ++i) {
        const ParText T = TextOf(Objs[i]);
        EXPECT_EQ(T.Text, Strings[i]);
        EXPECT_EQ(double(T.Vyska), 7.0);
        EXPECT_NEAR(double(T.Origin.y), double(Ys[i]), 1e-9);
    }
}

TEST_F(ComTextTest, EditTextDeselectsOtherKindsAndCancelChangesNothing) {
    StartProgram();
    EnPoint.Add({1, 1}, 3, MainVars.DataStart, MainVars.DataEnd);
    EnPline.LineAdd({0, 0}, {5, 0}, 3, MainVars.DataStart, MainVars.DataEnd);
    WriteText("ABC", 0, 0);
    TScriptResponder R;
    R.ExpectModal("TextDialog", [](TForm& F) {
        F.Find<TEdit>("EditVyska")->TypeText("9");
        F.ClickButton("BitBtnCancel");
        return mrCancel;
    });
    H->Enter("EDITTEXT");
    SelectAllTopLevel();
    H->Enter("");
    auto Objs = Objects();
    ASSERT_EQ(Objs.size(), 3u);
    for (TObjHeader* p : Objs) EXPECT_FALSE(p->Flags & FlagSelected);
    EXPECT_EQ(double(TextOf(Objs[2]).Vyska), 5.0);

    // Nothing but a point: no text to edit.
    Mark();
    H->Enter("EDITTEXT");
    Objs[0]->Flags |= FlagSelected;
    H->Enter("");
    EXPECT_EQ(NewLog(), (Lines{"Usr:EDITTEXT", "Sys:ComEditText Start", "Err:no text to edit",
                               "Sys:ComEditText End"}));
}

TEST_F(ComTextTest, TextToPlineExplodesTopLevelTextsOnly) {
    StartProgram();
    WriteText("L", 0, 0);
    WriteText("I", 20, 0);
    // The second text goes into a group.
    TObjHeader* Second = MainVars.DataEnd;
    UnlinkObj(Second, MainVars.DataStart, MainVars.DataEnd);
    TObjHeader *GS = Second, *GE = Second;
    Second->Next = Second->Prev = nullptr;
    TObjHeader* G = MakeGroup(false, GS, GE);
    AppendObj(G, MainVars.DataStart, MainVars.DataEnd);
    H->Enter("TEXTTOPLINE");
    SelectAllTopLevel();
    H->Enter("");
    auto Objs = Objects();
    ASSERT_GE(Objs.size(), 2u);
    EXPECT_EQ(Objs[0]->Type, ObjGroup);
    EXPECT_EQ(AsGroup(Objs[0])->First->Type, ObjText);
    for (size_t i = 1; i < Objs.size(); ++i) EXPECT_EQ(Objs[i]->Type, ObjPline);
    EXPECT_EQ(NewLog().back(), "Sys:ComTextToPline End");
}

TEST_F(ComTextTest, PreviousSelectionAnswer) {
    StartProgram();
    WriteText("ABC", 0, 0);
    H->Enter("TEXTTOPLINE");
    SelectAllTopLevel();
    H->Esc();  // the selection is remembered
    Mark();
    Run({"TEXTTOPLINE", "P"});
    EXPECT_EQ(H->Prompt(), "Vyber texty>");
    EXPECT_TRUE(MainVars.DataStart->Flags & FlagSelected);
    H->Enter("");
    for (TObjHeader* p : Objects()) EXPECT_EQ(p->Type, ObjPline);
    EXPECT_TRUE(TCmdHarness::LogHas("Usr:Select previous"));
}

}  // namespace
