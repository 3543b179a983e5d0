// The post-processor file "Gcode.cfg": key and value syntax, conversions by field
// type, and values no machine program can be made with refused by name.
#include <gtest/gtest.h>

#include "core/UniLog.h"
#include "output/GcodeCfg.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

namespace {

using GcodeCfgTest = KestrilonTest;

TGcodeConfig Apply(const std::string& Text, std::vector<std::string>* Refused = nullptr) {
    TGcodeConfig c;
    std::vector<std::string> r;
    ApplyGcodeCfgText(Text, c, Refused ? *Refused : r);
    return c;
}

TEST_F(GcodeCfgTest, LinesGiveKeyAndValue) {
    const struct {
        const char* Line;
        bool Ok;
        const char* Key;
        const char* Value;
    } Cases[] = {
        {"Posuv='G01'", true, "Posuv", "G01"},
        {"Posuv = 'G01'", true, "Posuv ", ""},  // the blank after "=" is taken as the opening quote
        {"Posuv='G01", true, "Posuv", ""},          // no closing quote: empty
        {"Posuv=", true, "Posuv", ""},
        {"a=b=c'", true, "a", "=c"},
        {"no equals sign", false, "", ""},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Line);
        std::string k, v;
        ASSERT_EQ(ParseGcodeCfgLine(c.Line, k, v), c.Ok);
        if (!c.Ok) continue;
        EXPECT_EQ(k, c.Key);
        EXPECT_EQ(v, c.Value);
    }
}

TEST_F(GcodeCfgTest, ValuesConvertByFieldType) {
    const TGcodeConfig d;
    EXPECT_EQ(Apply("InkrementRadku='10'\n").InkrementRadku, 10);
    EXPECT_EQ(Apply("InkrementRadku='x'\n").InkrementRadku, d.InkrementRadku);
    EXPECT_TRUE(Apply("RozkladRychloposuvu='tRuE'\n").RozkladRychloposuvu);
    EXPECT_FALSE(Apply("RozkladRychloposuvu='1'\n").RozkladRychloposuvu);
    EXPECT_EQ(Apply("StylOblouku='polomer'\n").StylOblouku, "P");
    EXPECT_EQ(Apply("StylOblouku=''\n").StylOblouku, "");
    EXPECT_EQ(Apply("NasobitelRychlosti='60'\n").NasobitelRychlosti, 60);
    EXPECT_EQ(Apply("OdchylkaSecny='0,05'\n").OdchylkaSecny, 0.05L);
    EXPECT_EQ(Apply("OddelovacKomentare=''\r\nCislovaniRadku=''").CislovaniRadku, "");
    // A blank around "=" makes another key; a repeated key takes its last value.
    EXPECT_EQ(Apply("Posuv ='G01'\n").Posuv, "G1");
    EXPECT_EQ(Apply("Posuv='G01'\nPosuv='G1.'\n").Posuv, "G1.");
}

TEST_F(GcodeCfgTest, ValuesNoProgramCanBeMadeWithAreRefusedByName) {
    const char* Cases[] = {
        "DesetinnychMistSouradnic='1000000'", "DesetinnychMistRychlosti='-1'", "NasobitelSouradnic='0'",
        "NasobitelRychlosti='-60'",           "NasobitelOtacek='1e99'",        "StylPosuvu='2'",
        "OdchylkaSecny='0'",                  "OdchylkaSecny='-0.01'",         "DesetinnychMistSouradnic='0'",
    };
    const TGcodeConfig d;
    for (const char* line : Cases) {
        SCOPED_TRACE(line);
        ResetLog();
        std::vector<std::string> refused;
        const TGcodeConfig c = Apply(std::string(line) + "\n", &refused);
        const std::string text = line, key = text.substr(0, text.find('='));
        const std::string value = text.substr(key.size() + 2, text.size() - key.size() - 3);
        ASSERT_EQ(refused.size(), 1u);
        EXPECT_NE(refused[0].find(key), std::string::npos);
        EXPECT_TRUE(TCmdHarness::LogHas("Err:Gcode CFG value refused (" + key + "=" + value + ")"));
        EXPECT_EQ(c.DesetinnychMistSouradnic, d.DesetinnychMistSouradnic);
        EXPECT_EQ(c.NasobitelSouradnic, d.NasobitelSouradnic);
        EXPECT_EQ(c.StylVymeny, d.StylVymeny);
        EXPECT_EQ(c.OdchylkaSecny, d.OdchylkaSecny);
        EXPECT_EQ(c.InkrementRadku, d.InkrementRadku);
    }
}

// What a control can run is accepted, also where it looks unusual.
TEST_F(GcodeCfgTest, ValuesThatWriteARunnableProgramAreAccepted) {
    std::vector<std::string> refused;
    const TGcodeConfig c = Apply("StylVymeny='4'\nInkrementRadku='-10'\nNasobitelSouradnic='-1000'\n"
                                 "DesetinnychMistSouradnic='0'\nOdchylkaSecny='0.00001'\nRychlostPosuvu=''\n",
                                 &refused);
    EXPECT_TRUE(refused.empty()) << refused.front();
    EXPECT_EQ(c.StylVymeny, 4);
    EXPECT_EQ(c.InkrementRadku, -10);
    EXPECT_EQ(c.NasobitelSouradnic, -1000);  // micrometres, mirrored: whole numbers suffice
    EXPECT_EQ(c.DesetinnychMistSouradnic, 0);
    EXPECT_EQ(c.OdchylkaSecny, 0.00001L);
    EXPECT_EQ(Apply("StylVymeny='-1'\n").StylVymeny, -1);
    // With no feed word at all no feed move could run.
    const TGcodeConfig none = Apply("RychlostPosuvu=''\nRychlostZapichu=''\n", &refused);
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_NE(refused[0].find("RychlostPosuvu"), std::string::npos);
    EXPECT_EQ(none.RychlostPosuvu, "F");
}

TEST_F(GcodeCfgTest, MissingFileKeepsTheDefaults) {
    TGcodeConfig c;
    c.Posuv = "changed";
    std::vector<std::string> refused;
    LoadGcodeCfg(c, refused);
    EXPECT_EQ(c.Posuv, "G1");
    EXPECT_TRUE(TCmdHarness::LogHas("Err:FAILED Load Gcode CFG, file not exist (" + InDir("Gcode.cfg") + ")"));
    // The user learns it too, not only the log.
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_NE(refused[0].find("Gcode.cfg v adresáři programu chybí"), std::string::npos);
    refused.clear();
    WriteFile("Gcode.cfg", "Posuv='G01'\r\n");
    LoadGcodeCfg(c, refused);
    EXPECT_EQ(c.Posuv, "G01");
    EXPECT_TRUE(refused.empty());
}

}  // namespace
