// Built-in user-interface texts and the language file.
#include <gtest/gtest.h>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniLog.h"
#include "platform/Forms.h"
#include "shell/UniLang.h"
#include "support/Fixture.h"

namespace {

bool LogHas(const std::string& text) {
    for (const std::string& l : LogRing())
        if (l.find(text) != std::string::npos) return true;
    return false;
}

class LangTest : public KestrilonTest {
protected:
    // The language file in Windows-1250, from UTF-8 text.
    void WriteLang(const std::string& utf8) { WriteFile("Language/Language.ini", Utf8ToCp1250(utf8)); }
};

TEST_F(LangTest, BuiltInTablesHoldTheCzechTexts) {
    InitLanguage();
    EXPECT_TRUE(LogHas("Sys:Init Language (czech)"));
    struct Case { int n; const char* text; };
    for (Case c : {Case{1, "První roh>"}, Case{20, "Kam(t,n,l,u)>"}, Case{31, "Vyber zarovnavající objekty>"},
                   Case{47, "Pořadové číslo objektu>"}})
        EXPECT_EQ(Prompt[c.n], c.text) << c.n;
    for (int i = 1; i <= PromptCount; ++i) EXPECT_EQ(Prompt[i].back(), '>') << i;
    for (Case c : {Case{3, "Uložit jako"}, Case{8, "Uložit soubor ?"}, Case{36, "    byly nahrazeny fontem YF01.SHP"},
                   Case{49, "rádku tabulky:   "}, Case{81, " objektů"}, Case{109, "Chyba:chybí soubor Comset.cfg"},
                   Case{128, "nelze editovat."}, Case{1, ""}, Case{66, ""}, Case{110, ""}})
        EXPECT_EQ(Msg[c.n], c.text) << c.n;
    int filled = 0;
    for (int i = 1; i <= MsgCount; ++i) filled += !Msg[i].empty();
    EXPECT_EQ(filled, 119);
    EXPECT_EQ(PrSelObject, "Vyber objekty>");
    EXPECT_EQ(StrUndo, "Zpět ");
    EXPECT_EQ(StrDir, "Směr");
    EXPECT_EQ(StrMillTType[8], "Sonda");
    EXPECT_EQ(StrLatheTType[16], "Vnějčí zápich./upích.");
    EXPECT_EQ(StrChlaz[3], "Proud kapaliny");
    EXPECT_EQ(StrOpStatus[4], "Neaktuální, Dráhy byly editovány");
    EXPECT_EQ(StrLayer68Name, "Orig");
}

TEST_F(LangTest, WithoutTheFileNothingChangesAndHelpTextsAreNotRead) {
    InitLanguage();
    WriteFile("Language/HelpSort.txt", "help");
    TForm sort("SortDialog");
    auto* memo = sort.Make<TMemo>("MemoHelp");
    LangRegisterForm("SortDg", &sort);
    LoadLanguageFile();
    EXPECT_TRUE(LogHas("Sys:no ext. language files found"));
    EXPECT_TRUE(memo->Lines.empty());
    EXPECT_EQ(Prompt[1], "První roh>");
    LangUnregisterForm(&sort);
}

TEST_F(LangTest, FileReplacesTableTexts) {
    InitLanguage();
    WriteLang(
        "; comment line\r\n"
        "Prompt1=ignored before any section\r\n"
        "\r\n"
        "[prompt]\r\n"
        "=starts with equals\r\n"
        "prompt2=Second corner>   ; trailing comment\r\n"
        "PROMPT3= Odkud s mezerou>\r\n"
        "Prompt04=leading zero\r\n"
        "Prompt48=beyond the table\r\n"
        "PrSelObject=Vyber>\r\n"
        "[Message]\r\n"
        "Msg8=Uložit soubor teď?\r\n"
        "msg128=nelze;cut here\r\n"
        "[MainForm]\r\n"
        "StrUndo=Zpět! \r\n"
        "[ToolDg]\r\n"
        "StrMillTType8=Dotyková sonda\r\n"
        "StrLatheTType17=Vnitřní\r\n"
        "[Nonsense]\r\n"
        "Prompt5=not a prompt section\r\n");
    LoadLanguageFile();
    EXPECT_TRUE(LogHas("Sys:Load ext. language file"));
    EXPECT_EQ(Prompt[1], "První roh>");
    EXPECT_EQ(Prompt[2], "Second corner>");
    EXPECT_EQ(Prompt[3], " Odkud s mezerou>");  // a blank right after "=" stays
    EXPECT_EQ(Prompt[4], "Kam>");
    EXPECT_EQ(Prompt[5], "Šířka můstku>");
    EXPECT_EQ(PrSelObject, "Vyber>");
    EXPECT_EQ(Msg[8], "Uložit soubor teď?");  // Windows-1250 in the file, UTF-8 in memory
    EXPECT_EQ(Msg[128], "nelze");
    EXPECT_EQ(StrUndo, "Zpět!");  // trailing blanks are trimmed with the line
    EXPECT_EQ(StrMillTType[8], "Dotyková sonda");
    EXPECT_EQ(StrLatheTType[17], "Vnitřní");
}

TEST_F(LangTest, LineFeedFileReadsLikeCrLf) {
    InitLanguage();
    WriteLang("[Prompt]\nPrompt1=Roh>\nPrompt2=Roh 2>\n");
    LoadLanguageFile();
    EXPECT_EQ(Prompt[1], "Roh>");
    EXPECT_EQ(Prompt[2], "Roh 2>");
}

TEST_F(LangTest, RegisteredFormGetsCaptionsAtOnce) {
    InitLanguage();
    TForm dlg("ContourDialog");
    auto* btn = dlg.Make<TBitBtn>("BitBtnOK");
    auto* lab = dlg.Make<TLabel>("LabAddition");
    std::map<std::string, std::string> texts;
    LangRegisterForm("ContourDg", &dlg, [&](const std::string& k, const std::string& v) { texts[k] = v; });
    WriteLang("[contourdg]\r\ncontourdialog=Kontura 2\r\nbitbtnok=Ano\r\nLabAddition=Přídavek:\r\n"
              "StrNoTool=Žádný nástroj\r\nUnknownKey=x\r\n");
    LoadLanguageFile();
    EXPECT_EQ(dlg.Caption, "Kontura 2");
    EXPECT_EQ(btn->Caption, "Ano");
    EXPECT_EQ(lab->Caption, "Přídavek:");
    EXPECT_EQ(texts["StrNoTool"], "Žádný nástroj");
    EXPECT_EQ(texts.size(), 1u);
    LangUnregisterForm(&dlg);
}

TEST_F(LangTest, SectionOfUnregisteredFormIsAppliedOnRegistration) {
    InitLanguage();
    WriteLang("[ToolDg]\r\nToolDialog=Nástroje\r\nGrBoxLayTechnology=Technologie\r\nBitBtnOK=OK!\r\n"
              "[MainForm]\r\nSpdBtnEnd=Konec úsečky\r\nmFileMnu=&Soubor\r\n"
              "[ViewDg]\r\nStrLayer65Name=Materiál\r\nStrLayer67Name=Kóty\r\n");
    LoadLanguageFile();
    // The special layer name reaches the layer table as soon as its line is read.
    EXPECT_EQ(Glob.TabLayer[65].Name, "Materiál");
    EXPECT_EQ(Glob.TabLayer[67].Name, "Kóty");
    EXPECT_EQ(Glob.TabLayer[68].Name, "Orig");

    TForm tool("ToolDialog");
    auto* tech = tool.Make<TGroupBox>("GrBoxLayTech");
    auto* ok = tool.Make<TBitBtn>("BitBtnOK");
    LangRegisterForm("TOOLDG", &tool);
    EXPECT_EQ(tool.Caption, "Nástroje");
    EXPECT_EQ(tech->Caption, "Technologie");
    EXPECT_EQ(ok->Caption, "OK!");

    TForm main("MainForm");
    auto* end = main.Make<TSpeedButton>("SpdBtnEnd");
    auto* file = main.Make<TMenuItem>("mFileMnu");
    auto* koty = main.Make<TLabel>("LbKoty");
    LangRegisterForm("MainForm", &main);
    EXPECT_EQ(end->Hint, "Konec úsečky");
    EXPECT_EQ(end->Caption, "");
    EXPECT_EQ(file->Caption, "&Soubor");
    EXPECT_EQ(koty->Caption, "Kóty");
    LangUnregisterForm(&tool);
    LangUnregisterForm(&main);
}

TEST_F(LangTest, HelpTextsFollowTheLanguageFile) {
    InitLanguage();
    WriteLang("[SortDg]\r\n");
    WriteFile("Language/HelpSort.txt", Utf8ToCp1250("Řazení\r\ndruhý řádek\r\n"));
    LoadLanguageFile();
    TForm sort("SortDialog");
    auto* memo = sort.Make<TMemo>("MemoHelp");
    LangRegisterForm("SortDg", &sort);
    EXPECT_EQ(memo->Lines, (std::vector<std::string>{"Řazení", "druhý řádek"}));
    LangUnregisterForm(&sort);
}

TEST_F(LangTest, AnyBytesAreReadWithoutHarm) {
    InitLanguage();
    std::string junk = "[Prompt]\r\nPrompt1=";
    for (int i = 0; i < 256; ++i) junk += char(i);
    junk += "\r\n[\r\n]\r\n[]\r\n=\r\n;\r\n[Message\r\n";
    WriteFile("Language/Language.ini", junk);
    LoadLanguageFile();
    EXPECT_EQ(Prompt[1], "");  // control characters up to the first line feed are trimmed
    EXPECT_EQ(Prompt[2], "Druhý roh>");
}

} // namespace
