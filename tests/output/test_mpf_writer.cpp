// The Sinumerik 802 program: the worked blocks of a job as golden text, tool calls and
// number texts, path-control words, the retract modes of points, 3D polylines, and the
// faults that must never reach a machine (a block cut inside its words, a layer left out
// without a word).
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <sstream>

#include "NcJob.h"
#include "core/Builder.h"
#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "output/Sinumeric802.h"
#include "output/SinumericDg.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdHarness.h"

namespace {

class MpfTest : public NcJobTest {
protected:
    void SetUp() override {
        NcJobTest::SetUp();
        CreateSinumericDialog();
        TTool& T = SetTool(1, {0.5L});
        T.Tnum = T.Dnum = 1;
        T.JmNastroje = "fréza 3mm";
        T.Poznamka = "hrubovani";
        T.HloubkaRychloposuvem = 0;
    }
    static TObjHeader*& DS() { return MainVars.DataStart; }
    static TObjHeader*& DE() { return MainVars.DataEnd; }
    std::string Path() const { return InDir("DESKA.MPF"); }
    // The program as UTF-8 text ("" when none was written).
    std::string Mpf(bool All = true) { return SaveMpf(Path(), All) ? Cp1250ToUtf8(ReadFile(Path())) : ""; }
    // The blocks after the header, without numbers, up to the program end.
    std::vector<std::string> Body(bool All = true) {
        std::vector<std::string> out;
        std::stringstream ss(Mpf(All));
        std::string l;
        for (int i = 0; std::getline(ss, l); ++i) {
            if (!l.empty() && l.back() == '\r') l.pop_back();
            if (i >= 7) out.push_back(l);
        }
        return out;
    }
    static void Slot() {
        // Two lines joined by tangent half circles.
        StartObj(Osy{0, 0});
        AddSeg(Osy{20, 0}, 0, CoordTol);
        AddSeg(Osy{20, 10}, 3.14159265358979323846L, CoordTol);
        AddSeg(Osy{0, 10}, 0, CoordTol);
        AddSeg(Osy{0, 0}, 3.14159265358979323846L, CoordTol);
        MakeObj(1, DS(), DE());
    }
    static bool ErrorListSays(const std::string& Text) {
        for (const std::string& l : TCmdHarness::LogTexts())
            if (l.rfind("Sys:ErrorDG:", 0) == 0 && l.find(Text) != std::string::npos) return true;
        return false;
    }
};

TEST_F(MpfTest, RectangleJobGivesTheWorkedBlocks) {
    Glob.Tool[1].VretTime = 2;
    EnPline.RectangleAdd(Osy{0, 0}, Osy{10, 5}, 1, DS(), DE());
    SinumericDialog->ChBoxLineCount->Checked = true;
    const std::string expected =
        "%_N_DESKA_MPF\r\n;$PATH=/_N_MPF_DIR\r\nN10 ;Kestrilon 2.5 beta 6\r\nN20 ;Dne: " + ShortDateText() +
        "\r\nN30 G90\r\nN40 G17\r\nN50 G54\r\nN60 G75 X0 Y0 Z0\r\nN70 M0\r\nN80 T1 D1 ;fréza 3mm,hrubovani\r\n"
        "N90 M6\r\nN100 S12000 M3\r\nN110 G4 F2\r\nN120 G0 X0 Y0\r\nN130 G0 Z0.5\r\nN140 F120\r\nN150 G1 Z-0.5\r\n"
        "N160 F600\r\nN170 G60\r\nN180 G1 X10 Y0\r\nN190 G1 X10 Y5\r\nN200 G1 X0 Y5\r\nN210 G1 X0 Y0\r\n"
        "N220 G0 Z5\r\nN230 M5\r\nN240 G75 X0 Y0 Z0\r\nN250 M2\r\n";
    EXPECT_EQ(Mpf(), expected);
    // The file is 8-bit text, as the control reads it.
    EXPECT_NE(ReadFile(Path()).find("fr\xE9za"), std::string::npos);
    // Numbering off, another zero point, a target with two points in its name.
    SinumericDialog->ChBoxLineCount->Checked = false;
    SinumericDialog->RBtnG56->Click();
    ASSERT_TRUE(SaveMpf(InDir("Deska.rev.mpf"), true));
    const std::string t = ReadFile(InDir("Deska.rev.mpf"));
    EXPECT_EQ(t.substr(0, t.find("\r\n")), "%_N_Deska_rev_mpf");
    EXPECT_NE(t.find("\r\nG56\r\nG75 X0 Y0 Z0\r\n"), std::string::npos);
}

TEST_F(MpfTest, ToolCallsAndNumberTexts) {
    const struct {
        const char* Name;
        bool Ok;
        const char* Call;
        const char* Rest;
    } Names[] = {
        {"T1D1 fréza 3mm", true, "T1D1", " fréza 3mm "}, {"T12D3", true, "T12D3", " "},
        {"T1D1 abcdefghijklmnopqrstuvwxyz", true, "T1D1", " abcdefghijklmnopqrstuvw"},
        {"T1 D1 x", false, "", "T1 D1 x"}, {"t1d1", false, "", "t1d1"}, {"T1X", false, "", "T1X"},
        {"TD1", false, "", "TD1"}, {"T5", false, "", "T5"}, {"T99999999999D1", false, "", "T99999999999D1"},
    };
    for (const auto& c : Names) {
        std::string call, rest;
        EXPECT_EQ(SinumericToolName(c.Name, call, rest), c.Ok) << c.Name;
        EXPECT_EQ(call, c.Call) << c.Name;
        EXPECT_EQ(rest, c.Rest) << c.Name;
    }
    const std::pair<long double, const char*> Numbers[] = {
        {10, "10"}, {2.5L, "2.5"}, {0.1234L, "0.123"}, {-3.0004L, "-3"}, {-0.0004L, "0"}, {1.23456L, "1.235"}};
    for (const auto& [v, t] : Numbers) EXPECT_EQ(MpfNumber(v), t);
}

TEST_F(MpfTest, PathWordsFollowTheCornersOfThePath) {
    EnPline.RectangleAdd(Osy{0, 0}, Osy{10, 5}, 1, DS(), DE());
    Slot();
    EnPline.LineAdd(Osy{30, 0}, Osy{40, 0}, 1, DS(), DE());
    auto words = [&](int Mode) {
        Glob.SinumStopMode = Mode;
        std::string s;
        for (const std::string& b : Body())
            if (b == "G60" || b == "G64" || b.rfind("G0 X", 0) == 0) s += b.substr(0, 3) + (b[1] == '0' ? "" : " ");
        return s;
    };
    // The rectangle's corners; the slot (starting where the rectangle ends) with its
    // tangent joints and its last corner; a rapid to the single line, which has none.
    EXPECT_EQ(words(0), "G0 G60 G64 G60 G0 ");
    EXPECT_EQ(words(1), "G0 G60 G60 G60 G0 ");
    EXPECT_EQ(words(2), "G0 G64 G64 G64 G0 ");
    EXPECT_EQ(words(7), "G0 G0 ");
}

TEST_F(MpfTest, PointsRetractAsTheRetractModeAsks) {
    EnPoint.Add(Osy{3, 4}, 1, DS(), DE());
    TTool& T = Glob.Tool[1];
    T.VretTime = 1;
    T.VyjezdZapichem = CyklG63;
    std::vector<std::string> b = Body();
    std::vector<std::string> tail(b.begin() + 8, b.begin() + 14);
    EXPECT_EQ(tail, (std::vector<std::string>{"F120", "G63 Z-0.5", "M4", "G63 Z5", "M3", "M5"}));
    T.VyjezdZapichem = Revers;
    b = Body();
    tail.assign(b.begin() + 8, b.begin() + 20);
    EXPECT_EQ(tail, (std::vector<std::string>{"F120", "G1 Z-0.5", "M5", "G4 F1", "S12000 M4", "G4 F1", "G1 Z5", "M5",
                                               "G4 F1", "S12000 M3", "G4 F1", "M5"}));
}

TEST_F(MpfTest, ThreeDPolylineVerticesOffZeroAreCutAtThePassDepth) {
    StartObj3D(Osy3D{0, 0, 0});
    AddSeg3D(Osy3D{10, 0, -2}, 0, CoordTol);
    AddSeg3D(Osy3D{20, 0, 0}, 0, CoordTol);
    MakeObj3D(1, DS(), DE());
    const std::vector<std::string> b = Body();
    const std::vector<std::string> cut(b.begin() + 8, b.begin() + 14);
    EXPECT_EQ(cut, (std::vector<std::string>{"G1 Z-0.5", "F600", "G60", "G1 X10 Y0 Z-0.5", "G1 X20 Y0 Z0", "G0 Z5"}));
}

TEST_F(MpfTest, LayersOfOneToolCallShareTheirToolChange) {
    TTool& T2 = Glob.Tool[2];
    T2 = Glob.Tool[1];
    T2.Pruchod[1].Hloubka = 0.8L;
    EnPline.LineAdd(Osy{0, 0}, Osy{10, 0}, 1, DS(), DE());
    EnPline.LineAdd(Osy{0, 5}, Osy{10, 5}, 2, DS(), DE());
    SinumericDialog->ChBoxProgStop->Checked = true;
    SinumericDialog->CboxProgramStopMode->ItemIndex = 1;
    std::string t = Mpf();
    auto count = [&](const std::string& W) {
        size_t n = 0;
        for (size_t a = t.find("\n" + W + "\r"); a != std::string::npos; a = t.find("\n" + W + "\r", a + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("M6"), 1u);
    EXPECT_EQ(count("G75 X0 Y0 Z0"), 2u);  // the tool change and the program end
    EXPECT_EQ(count("M1"), 1u);
    EXPECT_NE(t.find("G1 Z-0.8"), std::string::npos);
    // Another call on layer 2: a tool change, no stop.
    T2.Dnum = 2;
    t = Mpf();
    EXPECT_EQ(count("M6"), 2u);
    EXPECT_EQ(count("M1"), 0u);
    EXPECT_NE(t.find("T1 D2 ;"), std::string::npos);
}

// A cut block would drop the words at its end (a Z, a centre offset); the program is
// refused and the user is shown the block. A comment may lose its end.
TEST_F(MpfTest, ABlockLongerThanTheControlReadsRefusesTheProgram) {
    TTool& T = Glob.Tool[1];
    T.Tnum = 12;
    T.Dnum = 3;
    T.JmNastroje = "gravírovací kužel 30 stupňů";
    T.Poznamka = "dlouhá poznámka";
    SinumericDialog->ChBoxLineCount->Checked = true;
    EnPline.LineAdd(Osy{0, 0}, Osy{10, 0}, 1, DS(), DE());
    const std::string t = Mpf();
    EXPECT_NE(t.find("\r\nN80 T12 D3 ;gravírovací kužel 30 stu,dl\r\n"), std::string::npos) << t;

    FreeObjList(DS(), DE());
    EnPline.ArcAdd(Osy{-1000.123L, -1000.123L}, Osy{-1010.456L, -990.789L}, 1.2L, 1, DS(), DE());
    std::remove(Path().c_str());
    TScriptResponder R;
    R.ExpectMessage(mrOk, "N160 G3 X-1010.456 Y-990.789 I");
    EXPECT_FALSE(SaveMpf(Path(), true));
    EXPECT_TRUE(R.Done());
    EXPECT_EQ(ReadFile(Path()), "");
    EXPECT_FALSE(TextFileExists(InDir("TEMP.$$$")));
}

TEST_F(MpfTest, ALayerWithoutToolCallIsNamedAndTheOthersAreWritten) {
    EnPline.LineAdd(Osy{0, 0}, Osy{10, 0}, 1, DS(), DE());
    EnPline.LineAdd(Osy{0, 5}, Osy{10, 5}, 3, DS(), DE());
    SetTool(3, {0.5L}).JmNastroje = "fréza bez čísla";
    TScriptResponder R;
    R.ExpectModal("ErrorDialog", mrOk);
    const std::string t = Mpf();
    EXPECT_TRUE(R.Done());
    EXPECT_TRUE(ErrorListSays("Vrstva 3: nástroj nemá volání T..D.."));
    EXPECT_NE(t.find("X10 Y0"), std::string::npos);
    EXPECT_EQ(t.find("Y5"), std::string::npos);
    // The call may stand at the start of the name.
    Glob.Tool[3].JmNastroje = "T4D1 fréza";
    EXPECT_NE(Mpf().find("T4 D1 ;fréza,"), std::string::npos);
}

TEST_F(MpfTest, RefusedRunsLeaveNoFile) {
    EnPline.LineAdd(Osy{0, 0}, Osy{10, 0}, 1, DS(), DE());
    {
        // Tapping or reversal on a layer that holds a polyline.
        Glob.Tool[1].VyjezdZapichem = Revers;
        TScriptResponder R;
        R.ExpectMessage(mrOk, "Export error: závitování - hladina T1neobsahuje jenom body");
        EXPECT_EQ(Mpf(), "");
        EXPECT_TRUE(R.Done());
        Glob.Tool[1].VyjezdZapichem = Rychloposuv;
    }
    {
        // A tool without a pass has no cutting distance for the clamp outlines.
        Glob.Tool[1].Pruchod[1].Hloubka = -1;
        TScriptResponder R;
        R.ExpectMessage(mrOk, "Špatne definovaný nástroj nebo upínka");
        EXPECT_EQ(Mpf(), "");
        EXPECT_TRUE(R.Done());
    }
    EXPECT_FALSE(TextFileExists(InDir("TEMP.$$$")));
}

}  // namespace
