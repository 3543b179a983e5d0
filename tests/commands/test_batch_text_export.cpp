// The batch text export module from the "Speciál" menu: the files it writes beside the
// job reopen with the replaced text, the value sources and their limits, the folder a
// never-saved job asks for, and the drawing unchanged afterwards.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "commands/Dorsek.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "formats/HPOutDg.h"
#include "shell/Main.h"
#include "core/ObjRecords.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"
#include "support/CmdTest.h"

namespace {

namespace fs = std::filesystem;

struct TDorsekInput {
    std::string Start = "0001", Inc = "1", End = "3", First = "1";
    std::vector<std::string> Table;  // table mode when not empty
    bool Plt = false;
};

class SpecDorsekTest : public CmdTest {
protected:
    void SetUp() override {
        CmdTest::SetUp();
        H = std::make_unique<TCmdHarness>(Dir(), TCmdHarness::TStartUp::Program);
        // The plate is drawn on tool layer T1, which the pen table plots.
        Glob.TabLayer[1].Show = true;
        Glob.LayerDraw = 1;
        // The process stands in another folder than the job: nothing may land there.
        fs::create_directories(InDir("cwd"));
        Cwd = fs::current_path();
        fs::current_path(InDir("cwd"));
    }
    void TearDown() override {
        fs::current_path(Cwd);
        CmdTest::TearDown();
    }
    void Plate() {
        Run({"TEXT", "10 10", "Plate XX-A"});
        Run({"TEXT", "10 30", "Second XX"});
        Run({"RECTANGLE", "0 0", "80 40"});
    }
    void SaveJob() {
        fs::create_directories(InDir("jobs"));
        TScriptResponder R;
        R.ExpectSave(InDir("jobs/plate.ydf"));
        H->Enter("SAVEAS");
        ASSERT_TRUE(R.Done());
    }
    // Queues the module's dialog filled with In and its YDF or PLT button clicked.
    static void ExpectDorsek(TScriptResponder& R, const TDorsekInput& In) {
        R.ExpectModal("DorsekDialog", [In](TForm& F) {
            auto& D = static_cast<TDorsekDialog&>(F);
            D.EditReplaced->Text = "XX";
            D.EditStart->Text = In.Start;
            D.EditInkrement->Text = In.Inc;
            D.EditEnd->Text = In.End;
            D.EditFirst->Text = In.First;
            D.Table->Lines = In.Table;
            (In.Table.empty() ? D.RBtnNumber : D.RBtnTable)->Click();
            (In.Plt ? D.BitBtnPLT : D.BitBtnYDF)->Click();
            return mrOk;
        });
    }
    void Open() { H->Form().MenuItem("SpecDorsekMnu")->Click(); }
    // The names of the files in Folder, sorted.
    std::vector<std::string> Files(const std::string& Folder) const {
        std::vector<std::string> N;
        if (fs::exists(InDir(Folder)))
            for (const auto& E : fs::directory_iterator(InDir(Folder))) N.push_back(E.path().filename().string());
        std::sort(N.begin(), N.end());
        return N;
    }
    // The strings of the texts of the current drawing.
    static std::vector<std::string> Texts() {
        std::vector<std::string> T;
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next)
            if (p->Type == ObjText) T.push_back(Cp1250ToUtf8(AsText(p)->Text.Get()));
        return T;
    }
    fs::path Cwd;
};

TEST_F(SpecDorsekTest, SeriesFilesBesideTheJobReopenWithTheirNumber) {
    Plate();
    SaveJob();
    const std::vector<std::string> Before = H->DumpLines();
    TScriptResponder R;
    ExpectDorsek(R, {});
    Open();
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(H->DumpLines(), Before);
    EXPECT_EQ(Files("jobs"), (std::vector<std::string>{"AA_1.YDF", "AA_2.YDF", "AA_3.YDF", "plate.ydf"}));
    EXPECT_TRUE(Files("cwd").empty());
    for (int i = 1; i <= 3; ++i) {
        R.ExpectOpen(InDir("jobs/AA_" + std::to_string(i) + ".YDF"));
        H->Enter("OPEN");
        ASSERT_TRUE(R.Done());
        // Only the first text holding the part changes.
        EXPECT_EQ(Texts(), (std::vector<std::string>{"Plate 000" + std::to_string(i) + "-A", "Second XX"}));
    }
}

TEST_F(SpecDorsekTest, SeriesAndTableValuesAndTheirLimits) {
    Plate();
    SaveJob();
    const struct {
        TDorsekInput In;
        std::vector<std::string> Files;  // written, in name order
        int Msg;                         // message shown, 0 none
    } Cases[] = {
        {{"8", "2", "12", "1"}, {"AA_1.YDF", "AA_2.YDF", "AA_3.YDF"}, 0},
        {{"5", "1", "3", "1"}, {}, 0},  // last below the first: nothing, silently
        {{"1", "0", "3", "1"}, {}, 60},
        {{"1", "1", "3", "x"}, {}, 58},
        {{"99999999999999999999", "1", "3", "1"}, {}, 59},
        {{"1", "1", "10000", "1"}, {}, -1},  // more than 9999 files: refused before the first
        {{"1", "1", "3", "9223372036854775806"}, {}, 58},
        {{"1", "1", "2", "9223372036854775805"}, {"AA_9223372036854775805.YDF", "AA_9223372036854775806.YDF"}, 0},
        {{"", "", "", "5", {"  A  B ", "C", "D"}}, {"AA_5.YDF", "AA_6.YDF", "AA_7.YDF"}, 0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.In.Start + "/" + C.In.Inc + "/" + C.In.End + "/" + C.In.First);
        for (const std::string& F : Files("jobs"))
            if (F.rfind("AA_", 0) == 0) fs::remove(InDir("jobs/" + F));
        TScriptResponder R;
        ExpectDorsek(R, C.In);
        if (C.Msg > 0) R.ExpectMessage(mrOk, MsgText(C.Msg));
        if (C.Msg < 0) R.ExpectMessage(mrOk, "(max.9999)");
        Open();
        EXPECT_TRUE(R.Done());
        std::vector<std::string> Got;
        for (const std::string& F : Files("jobs"))
            if (F != "plate.ydf") Got.push_back(F);
        EXPECT_EQ(Got, C.Files);
    }
    // The table's values lose their outer blanks and keep the inner ones.
    TScriptResponder R;
    R.ExpectOpen(InDir("jobs/AA_5.YDF"));
    H->Enter("OPEN");
    ASSERT_TRUE(R.Done());
    EXPECT_EQ(Texts().front(), "Plate A  B-A");
}

TEST_F(SpecDorsekTest, EmptyResultRefusedAndANeverSavedJobAsksWhereHpglGoes) {
    // The target is the whole text: a blank table row would leave nothing to draw.
    Run({"TEXT", "10 50", "XX"});
    Plate();
    const std::vector<std::string> Before = H->DumpLines();
    {
        TScriptResponder R;
        ExpectDorsek(R, {"", "", "", "1", {"7", "   "}});
        R.ExpectMessage(mrOk, "prázdný text");
        Open();
        EXPECT_TRUE(R.Done());
    }
    EXPECT_TRUE(Files("cwd").empty());
    fs::create_directories(InDir("out"));
    TScriptResponder R;
    TDorsekInput In{"", "", "", "5", {"7", "8 9"}, true};
    ExpectDorsek(R, In);
    R.ExpectModal("HPOutputDialog", [](TForm& F) {
        EXPECT_TRUE(F.Find<TEdit>("EditDorsek")->Visible);
        F.Find<TCheckBox>("ChBoxOnlyOne")->Checked = true;
        F.Find<TButton>("BtnFillTab")->Click();
        return mrOk;
    });
    R.ExpectSave(InDir("out/AA_5.PLT"));
    Open();
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(Files("out"), (std::vector<std::string>{"AA_5.PLT", "AA_6.PLT"}));
    EXPECT_TRUE(Files("cwd").empty());
    EXPECT_EQ(H->DumpLines(), Before);
    // An ordinary HPGL export is not slanted by what these runs were given.
    EXPECT_FALSE(HPOutputDialog->EditDorsek->Visible);
    EXPECT_EQ(HPOutputDialog->EditDorsek->Text, "");
    if (std::system("command -v hp2xx >/dev/null 2>&1") == 0) {
        const std::string Cmd = "hp2xx -q -m eps -f " + InDir("out/a.eps") + " " + InDir("out/AA_6.PLT") + " >" +
                                InDir("hp2xx.log") + " 2>&1";
        EXPECT_EQ(std::system(Cmd.c_str()), 0) << ReadFile(InDir("hp2xx.log"));
    }
}

}  // namespace
