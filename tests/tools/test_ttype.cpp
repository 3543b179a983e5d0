// Tool types: the built-in set and "TTypeDef.ytf" read and written.
#include <gtest/gtest.h>

#include "core/Glob.h"
#include "platform/Dialogs.h"
#include "platform/ScriptResponder.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"
#include "tools/UniTType.h"

namespace {

class ToolTypeTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        InitToolType();
    }
    void Read(const std::string& Text) { FileToToolType(WriteFile("TTypeDef.ytf", Text)); }
};

TEST_F(ToolTypeTest, BuiltInTypes) {
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:Init Tool types"));
    ASSERT_EQ(MillTypeMax, 8);
    ASSERT_EQ(Glob.MillToolType.size(), 9u);
    EXPECT_EQ(Glob.MillToolType[0].Name, "Univerzální");
    EXPECT_EQ(Glob.MillToolType[8].Name, "Sonda");
    for (const TToolType& T : Glob.MillToolType) {
        EXPECT_TRUE(T.GeoEnaDSpodni && T.GeoEnaPocetBritu && T.TechEnaMaxSpPw && T.TechEnaAe);
        EXPECT_EQ(T.GeoValR, -1);
        EXPECT_EQ(T.TechValVf, -1);
        EXPECT_FALSE(T.PlunEnaPointVert || T.PlunEnaSurfHeli || T.PlunEnaOpenRamp);
    }
    EXPECT_TRUE(Glob.LatheToolType.empty());
    FileToToolType(InDir("TTypeDef.ytf"));
    EXPECT_TRUE(TCmdHarness::LogHas("Err:FAILED, load tool types, file not found (" + InDir("TTypeDef.ytf") + ")"));
    EXPECT_EQ(Glob.MillToolType.size(), 9u);
}

TEST_F(ToolTypeTest, WrittenFileAndTheLatheListAcrossTwoRuns) {
    ASSERT_TRUE(ToolTypeToFile(InDir("TTypeDef.ytf")));
    const std::string first = ReadFile(InDir("TTypeDef.ytf"));
    EXPECT_EQ(first.rfind("[Yorvan tool type definition file]\r\nMillTypesCount=8\r\nLatheTypesCount=0\r\n"
                          "[MillTypesDef]\r\n[MTType]=0\r\n  TypeName=Univerz\xE1ln\xED\r\n  JobID=0\r\n"
                          "  GeoEnaDLow=TRUE\r\n", 0), 0u);
    EXPECT_NE(first.find("  GeoValEdgelen=-1.0\r\n"), std::string::npos);
    EXPECT_NE(first.find("  TechValMaxSpRev=   -1.0\r\n"), std::string::npos);
    EXPECT_NE(first.find("  PlunEnaPointHeli=FALSE\r\n  PlunEnaOpenVert=FALSE\r\n"), std::string::npos);
    EXPECT_NE(first.find("[EndMillTypesDef]\r\n[LatheTypesDef]\r\n[EndLatheTypesDef]\r\n[EndToolTypeDef]\r\n"),
              std::string::npos);
    InitToolType();
    FileToToolType(InDir("TTypeDef.ytf"));
    EXPECT_TRUE(TCmdHarness::LogHas("Sys:Load tool types (" + InDir("TTypeDef.ytf") + ")"));
    ASSERT_EQ(Glob.LatheToolType.size(), 1u);
    ASSERT_TRUE(ToolTypeToFile(InDir("TTypeDef.ytf")));
    const std::string second = ReadFile(InDir("TTypeDef.ytf"));
    EXPECT_NE(second.find("[LatheTypesDef]\r\n[LTType]=0\r\n  TypeName=\r\n  JobID=0\r\n  GeoEnaRadius=FALSE\r\n"
                          "[EndLTType]\r\n"), std::string::npos);
    // Read a third time: nothing changes any more.
    InitToolType();
    FileToToolType(InDir("TTypeDef.ytf"));
    ASSERT_TRUE(ToolTypeToFile(InDir("third.ytf")));
    EXPECT_EQ(ReadFile(InDir("third.ytf")), second);
}

TEST_F(ToolTypeTest, EveryKeyReadsInAnyLetterCase) {
    Glob.MillToolType[4].Name = "Torus";
    Glob.MillToolType[4].PlunEnaOpenHeli = true;
    Glob.MillToolType[4].PlunEnaPockFinTang = true;
    Glob.MillToolType[4].GeoEnaV = false;
    Glob.MillToolType[4].GeoValDSpodni = 6;
    Glob.MillToolType[4].TechValMaxSpRev = 1000;
    Glob.MillToolType[4].JobID = 3;
    ASSERT_TRUE(ToolTypeToFile(InDir("a.ytf")));
    const std::string text = ReadFile(InDir("a.ytf"));
    for (bool upper : {false, true}) {
        std::string t = text;
        for (char& c : t) c = upper ? char(std::toupper(uint8_t(c))) : char(std::tolower(uint8_t(c)));
        InitToolType();
        Read(t);
        const TToolType& T = Glob.MillToolType[4];
        EXPECT_EQ(T.Name, upper ? "TORUS" : "torus");
        EXPECT_TRUE(T.PlunEnaOpenHeli);
        EXPECT_TRUE(T.PlunEnaPockFinTang);
        EXPECT_FALSE(T.PlunEnaOpenRamp);
        EXPECT_FALSE(T.GeoEnaV);
        EXPECT_EQ(T.GeoValDSpodni, 6);
        EXPECT_EQ(T.TechValMaxSpRev, 1000);
        EXPECT_EQ(T.JobID, 3);
    }
}

// Files that are not whole are said damaged (and kept as ".bak"); what they give stays
// within the lists.
TEST_F(ToolTypeTest, CountsAndIndicesStayWithinTheList) {
    TCmdResponder Any;
    TResponder* prev = SetResponder(&Any);
    EXPECT_FALSE(FileToToolType(WriteFile("TTypeDef.ytf", "h\nMillTypesCount=3\n[MillTypesDef]\n")));
    EXPECT_EQ(Glob.MillToolType.size(), 4u);
    EXPECT_EQ(MillTypeMax, 3);
    InitToolType();
    Read("h\nMillTypesCount=12\n[MillTypesDef]\n[MTType]=10\n  TypeName=Ten\n  GeoEnaR=TRUE\n  GeoEnaRadius=TRUE\n[EndMTType]\n"
         "[MTType]=13\n  TypeName=Beyond\n[EndMTType]\n[MTType]=-1\n  TypeName=Neg\n[EndMTType]\n[MTType]=x\n");
    ASSERT_EQ(Glob.MillToolType.size(), 13u);
    EXPECT_EQ(Glob.MillToolType[8].Name, "Sonda");
    EXPECT_TRUE(Glob.MillToolType[9].Name.empty());
    EXPECT_FALSE(Glob.MillToolType[9].GeoEnaDSpodni);
    EXPECT_EQ(Glob.MillToolType[10].Name, "Ten");
    EXPECT_TRUE(Glob.MillToolType[10].GeoEnaR);
    // The count after its section line: the count follows the list.
    InitToolType();
    Read("h\n[MillTypesDef]\nMillTypesCount=2\n[MTType]=1\n  TechValMaxSpRev=   1000\n[EndMTType]\n");
    EXPECT_EQ(MillTypeMax, 8);
    EXPECT_EQ(Glob.MillToolType[1].TechValMaxSpRev, 1000);
    EXPECT_EQ(Any.Shown.size(), 3u);
    SetResponder(prev);
    // Negative and absurd counts are not taken: an "Err:" line each and one message.
    InitToolType();
    TScriptResponder R;
    R.ExpectMessage(mrOk, "Špatné parametry ze souboru");
    Read("h\nMillTypesCount=-4\nLatheTypesCount=2000000000\n[MillTypesDef]\n[LatheTypesDef]\n");
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(Glob.MillToolType.size(), 9u);
    EXPECT_EQ(Glob.LatheToolType.size(), 1u);
    EXPECT_EQ(LatheTypeMax, 0);
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Tool types, count refused (-4, " + InDir("TTypeDef.ytf") + ")"));
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Tool types, count refused (2000000000, " + InDir("TTypeDef.ytf") + ")"));
    // The largest count taken.
    Glob.MillToolType.resize(1001);
    ASSERT_TRUE(ToolTypeToFile(InDir("TTypeDef.ytf")));
    InitToolType();
    EXPECT_TRUE(FileToToolType(InDir("TTypeDef.ytf")));
    EXPECT_EQ(Glob.MillToolType.size(), 1001u);
    EXPECT_EQ(R.Shown.size(), 1u);
}

// The program's own file is whole; cut, without its end line, with a value that does
// not read or a type block fewer than counted, it is damaged: said with its name and
// kept as ".bak".
TEST_F(ToolTypeTest, DamagedFilesAreToldAndKept) {
    ASSERT_TRUE(ToolTypeToFile(InDir("whole.ytf")));
    const std::string whole = ReadFile(InDir("whole.ytf"));
    const size_t last = whole.find("[MTType]=8"), lastEnd = whole.find("[EndMillTypesDef]");
    std::string value = whole;
    value.replace(value.find("  GeoValDlow=-1.0"), 17, "  GeoValDlow=-l.0");
    const std::string cases[] = {
        whole.substr(0, whole.size() * 7 / 10),
        whole.substr(0, whole.find("[EndToolTypeDef]")),
        value,
        whole.substr(0, last) + whole.substr(lastEnd),
    };
    TCmdResponder Any;
    TResponder* prev = SetResponder(&Any);
    EXPECT_TRUE(FileToToolType(WriteFile("TTypeDef.ytf", whole)));
    EXPECT_TRUE(Any.Shown.empty());
    for (const std::string& text : cases) {
        Any.Shown.clear();
        InitToolType();
        EXPECT_FALSE(FileToToolType(WriteFile("TTypeDef.ytf", text))) << text.size();
        ASSERT_EQ(Any.Shown.size(), 1u);
        EXPECT_NE(Any.Shown[0].find(InDir("TTypeDef.ytf") + ".bak"), std::string::npos);
        EXPECT_EQ(ReadFile(InDir("TTypeDef.ytf.bak")), text);
    }
    SetResponder(prev);
}

}  // namespace
