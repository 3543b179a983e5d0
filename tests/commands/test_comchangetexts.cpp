// CHANGETEXTS on a plate of texts written with TEXT, through its dialog's real OK: a
// constant, a number series and a table; a result that would be empty is refused.
#include <vector>

#include "core/Entity.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/ParText.h"
#include "core/UniText.h"
#include "platform/Controls.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "shell/ProgramFolder.h"
#include "support/CmdTest.h"

namespace {

using Lines = std::vector<std::string>;

class ComChangeTextsTest : public CmdTest {
protected:
    void Plate(const Lines& Texts) {
        ASSERT_TRUE(WriteProgramFolderFiles(Dir()));
        H = std::make_unique<TCmdHarness>(Dir(), TCmdHarness::TStartUp::Program);
        int Y = 70;
        for (const std::string& S : Texts) {
            Run({"TEXT", "10 " + std::to_string(Y), S});
            Y -= 20;
        }
        Mark();
    }
    static Lines Strings() {
        Lines Out;
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
            ParText T;
            EnText.ReadParamText(p, T);
            Out.push_back(Cp1250ToUtf8(T.Text));
        }
        return Out;
    }
};

TEST_F(ComChangeTextsTest, ConstantSeriesAndTableOnAPlate) {
    const struct {
        const char* Name;
        Lines Plate;
        const char* Radio;
        std::function<void(TForm&)> Set;
        const char* Message;  // a part of the message shown, nullptr: none
        Lines Out;
        std::string TableFile = {};  // bytes of the file "Načíst soubor" loads, when given
    } Cases[] = {
        {"series", {"A-X", "B-X", "C"}, "RBtnNumSeries",
         [](TForm& F) {
             F.Find<TEdit>("EditStart")->Text = "10";
             F.Find<TEdit>("EditInkrement")->Text = "5";
         },
         nullptr, {"A-10", "B-15", "C"}},
        {"countdown", {"X", "X", "X"}, "RBtnNumSeries",
         [](TForm& F) { F.Find<TEdit>("EditInkrement")->Text = "-1"; }, nullptr, {"1", "0", "-1"}},
        {"constant, first occurrence", {"N X X", "X"}, "RBtnConstText",
         [](TForm& F) { F.Find<TEdit>("EditConstText")->Text = "č. 7"; }, nullptr, {"N č. 7 X", "č. 7"}},
        {"table repeats", {"X1", "X2", "X3"}, "RBtnTableRow",
         [](TForm& F) { F.Find<TMemo>("Table")->Lines = {"P1", "P2"}; }, "cyklicky", {"P11", "P22", "P13"}},
        {"table from a file in the system code page", {"X1", "X2"}, "RBtnTableRow",
         [](TForm& F) { F.ClickButton("BtnLoadFile"); }, nullptr, {"Č11", "P22"}, Utf8ToCp1250("Č1\r\nP2\r\n")},
        {"empty result refused, blanks at the ends dropped", {"X", "A X"}, "RBtnConstText",
         [](TForm&) {}, "Prázdný text", {"X", "A"}},
        {"wrong number", {"X"}, "RBtnNumSeries", [](TForm& F) { F.Find<TEdit>("EditStart")->Text = "1.5"; },
         "špatné", {"X"}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Plate(C.Plate);
        {
        TScriptResponder R;
        R.ExpectModal("ChangeTextDialog", [&](TForm& F) {
            F.Find<TEdit>("EditReplaced")->Text = "X";
            F.Find<TRadioButton>(C.Radio)->Click();
            C.Set(F);
            F.ClickButton("BitBtnOK");
            return mrOk;
        });
        if (!C.TableFile.empty()) {
            WriteFile("table.txt", C.TableFile);
            R.ExpectOpen(InDir("table.txt"));
        }
        if (C.Message) R.ExpectMessage(mrOk, C.Message);
        H->Enter("CHANGETEXTS");
        H->Drag(1, 1, 150, 100);
        H->Enter("");
        EXPECT_TRUE(R.Done());
        EXPECT_EQ(Strings(), C.Out);
        EXPECT_EQ(NewLog().back(), "Sys:ComChangeTexts End");
        }
        H.reset();
    }
}

// EDITTEXT: a string of blanks deletes the text as a cleared one does; several texts
// given an empty string stay and the user is told.
TEST_F(ComChangeTextsTest, EditTextRefusesStringsThatBuildNothing) {
    Plate({"A", "B"});
    TScriptResponder R;
    R.ExpectModal("TextDialog", [](TForm& F) {
        F.Find<TEdit>("EditString")->TypeText("  ");
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    R.ExpectMessage(mrOk, "Prázdný text");
    H->Enter("EDITTEXT");
    H->Drag(1, 1, 150, 100);
    H->Enter("");
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(Strings(), (Lines{"A", "B"}));
    R.ExpectModal("TextDialog", [](TForm& F) {
        F.Find<TEdit>("EditString")->TypeText(" C D ");
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    H->Enter("EDITTEXT");
    H->Drag(1, 65, 150, 100);  // the first text only
    H->Enter("");
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(Strings(), (Lines{"C D", "B"}));
}

}  // namespace
