// The command table and "ComSet.cfg".
#include <gtest/gtest.h>

#include "commands/UniCom.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "platform/Forms.h"
#include "platform/ScriptResponder.h"
#include "support/Fixture.h"

namespace {

bool LogHas(const std::string& text) {
    for (const std::string& l : LogRing())
        if (l.find(text) != std::string::npos) return true;
    return false;
}

const TPrikaz& Com(const std::string& orig) {
    for (int i = 1; i <= ComCount; ++i)
        if (Prikaz[i].Orig == orig) return Prikaz[i];
    static TPrikaz none;
    return none;
}

class ComTableTest : public KestrilonTest {
protected:
    void WriteComSet(const std::string& utf8) { WriteFile("ComSet.cfg", Utf8ToCp1250(utf8)); }
};

TEST_F(ComTableTest, BuiltInRowsInTableOrder) {
    InitComTable();
    struct Row { int i; const char* orig; bool undo; const char* menu; };
    for (Row r : {Row{1, "NEW", true, "NewMnu"}, Row{4, "SAVE", false, "SaveMnu"},
                  Row{11, "UNDO", false, "UndoMnu"}, Row{15, "ZOOMPR", false, "ZoomPreviewMnu"},
                  Row{25, "LINE", true, "LineMnu"}, Row{37, "INTELIHATCH", true, "InteliHatchMnu"},
                  Row{39, "CLIPCOPY", false, "ClipCopyMnu"}, Row{84, "STATISTIC", false, "LengthMnu"},
                  Row{91, "DIST", false, "DistMnu"}, Row{92, "POINTTOCIR", true, "PointToCircleMnu"},
                  Row{96, "SPEC", true, ""}, Row{100, "OPDELETE", true, ""},
                  Row{101, "SURFACE", true, "SurfaceMNU"}}) {
        EXPECT_EQ(Prikaz[r.i].Orig, r.orig) << r.i;
        EXPECT_EQ(Prikaz[r.i].Undo, r.undo) << r.i;
        EXPECT_STREQ(BuiltInCom(r.i).MenuItem, r.menu) << r.i;
        EXPECT_TRUE(Prikaz[r.i].RBtnRep);
        EXPECT_TRUE(Prikaz[r.i].User.empty());
    }
    int undo = 0;
    for (int i = 1; i <= BuiltInComCount; ++i) undo += Prikaz[i].Undo;
    EXPECT_EQ(undo, 70);
    EXPECT_EQ(Prikaz[102].Orig, "USER0");
    EXPECT_EQ(Prikaz[201].Orig, "USER99");
    EXPECT_TRUE(Prikaz[201].Undo);
    EXPECT_FALSE(Prikaz[201].RBtnRep);
}

TEST_F(ComTableTest, MissingFileKeepsTheBuiltInTable) {
    TScriptResponder r;
    r.ExpectMessage(mrOk, "Error:Comset.cfg not found");
    EXPECT_FALSE(LoadComSet());
    EXPECT_TRUE(r.Done());
    EXPECT_TRUE(LogHas("Sys:Load Comset.cfg"));
    EXPECT_TRUE(LogHas("Err:FAILED Load ComSet.cfg, file not found"));
    EXPECT_EQ(Prikaz[25].Orig, "LINE");
}

TEST_F(ComTableTest, SampleLinesSetAliasCaptionFlagAndShortcut) {
    WriteComSet(
        "Kestrilon command set\r\n"
        "LINE=Ignored=L=FALSE\r\n"       // before STARTCOM: ignored
        "  startcom and more words\r\n"
        "line=Úsečka_dvou_bodů=l=TRUE=Ctrl+L\r\n"
        "Circle=Kružnice=c=FALSE\r\n"
        "ARC=Oblouk=A=false=\r\n"        // the flag is upper-cased; empty shortcut field
        "RECTANGLE=Obdélník s=R=FALSE\r\n"  // cut at the blank: alias and flag lost
        "POINT=\r\n"                     // keyword and one "=" only
        "MOVE\r\n"
        " COPY=Kopie=CP=FALSE\r\n"       // begins with a blank: empty
        "USER5=Můj=U5=TRUE=Shift+F5\r\n"
        "DIST=Vzdálenost=D=TRUE=Ctrl+=\r\n");
    TForm main("MainForm");
    auto* lineMnu = main.Make<TMenuItem>("LineMnu");
    auto* circleMnu = main.Make<TMenuItem>("CircleMnu");
    auto* newMnu = main.Make<TMenuItem>("NewMnu");
    newMnu->Caption = "Nový";
    ASSERT_TRUE(LoadComSet(&main));

    const TPrikaz& line = Com("LINE");
    EXPECT_EQ(line.MenuName, "Úsečka dvou bodů");
    EXPECT_EQ(line.User, "L");
    EXPECT_EQ(line.Short, "Ctrl+L");
    EXPECT_TRUE(line.RBtnRep);
    EXPECT_EQ(lineMnu->Caption, "Úsečka dvou bodů");
    EXPECT_EQ(lineMnu->ShortCut, "Ctrl+L");

    EXPECT_EQ(Com("CIRCLE").User, "C");
    EXPECT_FALSE(Com("CIRCLE").RBtnRep);
    EXPECT_EQ(circleMnu->ShortCut, "");
    EXPECT_FALSE(Com("ARC").RBtnRep);
    EXPECT_EQ(Com("ARC").Short, "");

    EXPECT_EQ(Com("RECTANGLE").MenuName, "Obdélník");
    EXPECT_EQ(Com("RECTANGLE").User, "");
    EXPECT_TRUE(Com("RECTANGLE").RBtnRep);
    EXPECT_EQ(Com("POINT").MenuName, "");
    EXPECT_EQ(Com("COPY").User, "");
    EXPECT_TRUE(Com("COPY").RBtnRep);
    EXPECT_EQ(Com("USER5").User, "U5");
    EXPECT_EQ(Com("USER5").Short, "Shift+F5");
    EXPECT_EQ(Com("DIST").Short, "Ctrl+=");
    // An entry without a line ends with an empty caption.
    EXPECT_EQ(newMnu->Caption, "");
}

// A folder whose file keys TOOL with F2, zoom-in's own key, or keys two commands alike:
// each key keeps one item, so that Qt runs it, and the log names the item that lost it.
TEST_F(ComTableTest, AKeyAnotherItemHoldsIsDroppedAtLoad) {
    WriteComSet(
        "STARTCOM\r\n"
        "TOOL=Nástroje==TRUE=F2\r\n"
        "LINE=Úsečka=L=TRUE=Ctrl+L\r\n"
        "ARC=Oblouk=A=TRUE=ctrl+l\r\n"
        "NEW=Nový==TRUE=Ctrl+O\r\n"
        "OPEN=Otevřít==TRUE=Ctrl+N\r\n");
    TForm main("MainForm");
    auto Item = [&main](const char* Name, const char* Key) {
        auto* I = main.Make<TMenuItem>(Name);
        I->ShortCut = Key;
        return I;
    };
    auto* zoomIn = Item("ZoomInMnu", "F2");
    auto* tool = Item("ToolMnu", "");
    auto* line = Item("LineMnu", "");
    auto* arc = Item("ArcMnu", "");
    auto* newMnu = Item("NewMnu", "Ctrl+N");
    auto* open = Item("OpenMnu", "Ctrl+O");
    ASSERT_TRUE(LoadComSet(&main));
    EXPECT_EQ(zoomIn->ShortCut, "F2");
    EXPECT_EQ(tool->ShortCut, "");
    EXPECT_TRUE(LogHas("Err:Shortcut F2 of ToolMnu already held by ZoomInMnu"));
    EXPECT_EQ(line->ShortCut, "Ctrl+L");
    EXPECT_EQ(arc->ShortCut, "");
    // Two items trading their keys keep both.
    EXPECT_EQ(newMnu->ShortCut, "Ctrl+O");
    EXPECT_EQ(open->ShortCut, "Ctrl+N");
}

TEST_F(ComTableTest, NoStartComLineAppliesNothing) {
    WriteComSet("LINE=Úsečka=L=FALSE\r\n");
    TForm main("MainForm");
    auto* newMnu = main.Make<TMenuItem>("NewMnu");
    newMnu->Caption = "Nový";
    EXPECT_FALSE(LoadComSet(&main));
    EXPECT_EQ(Com("LINE").User, "");
    EXPECT_EQ(newMnu->Caption, "Nový");
}

TEST_F(ComTableTest, SavingWritesExactlyTheSpecifiedLines) {
    WriteComSet("STARTCOM\nLINE=Úsečka=L=FALSE=Ctrl+L\nUSER5=Můj=U5=FALSE\n");  // LF line ends
    ASSERT_TRUE(LoadComSet());
    Prikaz[1].MenuName = "Nový výkres";
    SetComAlias(Prikaz[1], "n");
    ASSERT_TRUE(SaveComSet());
    EXPECT_TRUE(LogHas("Sys:Save Comset.cfg"));
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextLines(InDir("ComSet.cfg"), lines));
    ASSERT_EQ(lines.size(), 102u);
    EXPECT_EQ(lines[0], "STARTCOM");
    EXPECT_EQ(Cp1250ToUtf8(lines[1]), "NEW=Nový_výkres=N=TRUE");
    EXPECT_EQ(Cp1250ToUtf8(lines[25]), "LINE=Úsečka=L=FALSE=Ctrl+L");
    EXPECT_EQ(lines[101], "SURFACE===TRUE");
    std::string bytes = ReadFile(InDir("ComSet.cfg"));
    EXPECT_EQ(bytes.substr(0, 10), "STARTCOM\r\n");
    EXPECT_EQ(bytes.find("USER"), std::string::npos);
    // What was saved reads back the same.
    ASSERT_TRUE(LoadComSet());
    EXPECT_EQ(Prikaz[1].User, "N");
    EXPECT_EQ(Prikaz[1].MenuName, "Nový výkres");
    EXPECT_FALSE(Com("LINE").RBtnRep);
}

TEST_F(ComTableTest, SaveNeedsTheFileToExist) {
    TScriptResponder r;
    r.ExpectMessage(mrOk, "Error:Comset.cfg not found");
    EXPECT_FALSE(SaveComSet());
    EXPECT_TRUE(LogHas("Err:FAILED Save ComSet.cfg, file not found"));
    EXPECT_FALSE(TextFileExists(InDir("ComSet.cfg")));
}

TEST_F(ComTableTest, ShortcutTexts) {
    struct Case { const char* in; const char* out; };
    for (Case c : {Case{"ctrl+s", "Ctrl+S"}, Case{"Shift+Ctrl+F12", "Shift+Ctrl+F12"}, Case{"F5", "F5"},
                   Case{"Alt+del", "Alt+Del"}, Case{"F13", ""}, Case{"Hyper+A", ""}, Case{"", ""},
                   Case{"Ctrl+", ""}, Case{"AB", ""}})
        EXPECT_EQ(TextToShortCut(c.in), c.out) << c.in;
}

} // namespace
