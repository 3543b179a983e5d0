// The post-processor files the program lays out in its folder: "Gcode.cfg" gives a
// program the standard RS-274/NGC interpreter runs as written, with the tools' feeds
// in mm/min; "GcodeGrbl.cfg" gives one made only of words GRBL 1.1 accepts. What an
// export cannot write as asked is told to the user.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>

#include "NcJob.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "output/GcodeProfiles.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdHarness.h"

namespace {

struct TWord {
    char Letter;
    double Value;
};

// The words of a program line as a control reads them: comments dropped, blanks
// ignored. False when something else than letter-number words is left.
bool Words(const std::string& Line, std::vector<TWord>& Out) {
    std::string s;
    bool paren = false;
    for (char c : Line) {
        if (paren) paren = c != ')';
        else if (c == '(') paren = true;
        else if (c == ';') break;
        else if (c != ' ') s += c;
    }
    Out.clear();
    for (size_t i = 0; i < s.size();) {
        if (!std::isupper(static_cast<unsigned char>(s[i]))) return false;
        const size_t b = i + 1;
        size_t e = b;
        while (e < s.size() && (std::isdigit(static_cast<unsigned char>(s[e])) || s[e] == '.' || s[e] == '-' || s[e] == '+'))
            ++e;
        if (e == b) return false;
        Out.push_back(TWord{s[i], std::stod(s.substr(b, e - b))});
        i = e;
    }
    return true;
}

std::vector<std::string> TextLines(const std::string& Text) {
    std::vector<std::string> v;
    for (size_t a = 0, b; a < Text.size(); a = b + 2) {
        b = Text.find("\r\n", a);
        if (b == std::string::npos) break;
        v.push_back(Text.substr(a, b - a));
    }
    return v;
}

class GcodeProfileTest : public NcJobTest {
protected:
    void SetUp() override {
        NcJobTest::SetUp();
        std::filesystem::remove(InDir("Gcode.cfg"));
        ASSERT_TRUE(WriteGcodeProfileFiles(Dir()));
        SetTool(1, {0.5L, 1.0L});
        SetTool(2, {0.4L}).Tnum = 2;
        TObjHeader*& s = MainVars.DataStart;
        TObjHeader*& e = MainVars.DataEnd;
        EnPline.LineAdd(Osy{0, 0}, Osy{30, 0}, 1, s, e);
        EnPline.ArcAdd(Osy{40, 0}, Osy{50, 10}, 1.2L, 1, s, e);
        EnPline.CircleAdd(Osy{20, 20}, 6, 1, s, e);
        EnPline.RectangleAdd(Osy{60, 0}, Osy{80, 15}, 2, s, e);
        EnPoint.Add(Osy{5, 30}, 2, s, e);
    }
    // Every feed the machine ran at is a tool's feed in mm/min: 10 mm/s cutting,
    // 2 mm/s plunging; both occur.
    static void FeedsAreMillimetresPerMinute(const TMachineRun& Run) {
        std::set<double> used;
        for (const TMachineMove& m : Run.Moves)
            if (!m.Rapid) used.insert(m.Feed);
        EXPECT_EQ(used, (std::set<double>{120, 600}));
    }
    // The drawn paths of layer 1 are cut at its last pass depth.
    void CutsTheDrawing(const TMachineRun& Run) {
        TPathSet cuts;
        for (const TMachineMove& m : Run.Moves)
            if (!m.Rapid && std::fabs(m.From.z + 1) < 0.0011L && std::fabs(m.To.z + 1) < 0.0011L)
                cuts.Add(MovePoints(m, 0.02L));
        for (TObjHeader* p : DrawnPaths(1))
            for (const Osy& q : PathPoints(p, 0.2L)) ASSERT_LT(cuts.Dist(q), 0.003L) << double(q.x) << " " << double(q.y);
    }
    static bool ErrorListSays(const std::string& Text) {
        size_t n = 0;
        for (const std::string& l : TCmdHarness::LogTexts())
            n += l.rfind("Sys:ErrorDG:", 0) == 0 && l.find(Text) != std::string::npos;
        return n == 1;
    }
};

TEST_F(GcodeProfileTest, LinuxCncProfileRunsAsWritten) {
    const TMachineRun run = ExportAndRun();
    EXPECT_TRUE(SafetyViolations(run, 5, 1).empty());
    EXPECT_EQ(run.ToolChanges, (std::vector<int>{1, 2}));
    FeedsAreMillimetresPerMinute(run);
    CutsTheDrawing(run);
    const std::vector<std::string> l = TextLines(ReadFile(NcPath()));
    // Millimetres and feed per minute before the first move; no A word, no absolute
    // centre mode; a retract to the top of Z travel before every tool change.
    const auto firstMove = std::find_if(l.begin(), l.end(), [](const std::string& s) { return s.rfind("G0 ", 0) == 0; });
    EXPECT_NE(std::find(l.begin(), firstMove, "G21"), firstMove);
    EXPECT_NE(std::find(l.begin(), firstMove, "G94"), firstMove);
    size_t changes = 0;
    std::vector<TWord> w;
    for (size_t i = 0; i < l.size(); ++i) {
        ASSERT_TRUE(Words(l[i], w)) << l[i];
        for (const TWord& x : w) EXPECT_NE(x.Letter, 'A') << l[i];
        EXPECT_EQ(l[i].find("G90.1"), std::string::npos);
        if (l[i] == "M6") {
            ++changes;
            EXPECT_EQ(l.at(i - 1), "G53 G0 Z0");
        }
    }
    EXPECT_EQ(changes, 2u);
}

// GRBL 1.1's documented words; M7 only in builds that enable it.
TEST_F(GcodeProfileTest, GrblProfileWritesOnlyWordsGrblAccepts) {
    const std::set<double> GrblG = {0,  1,  2,  3,  4,  10, 17, 18, 19,   20,   21,   28,   28.1, 30, 30.1,
                                    38.2, 38.3, 38.4, 38.5, 40, 43.1, 49, 53, 54, 55, 56, 57, 58, 59, 61,
                                    80, 90, 91, 91.1, 92, 92.1, 93, 94};
    const std::set<double> GrblM = {0, 1, 2, 3, 4, 5, 8, 9, 30};
    const std::string GrblLetters = "FGIJKLMNPRSTXYZ";
    std::filesystem::copy_file(InDir(GrblCfgName), InDir("Gcode.cfg"), std::filesystem::copy_options::overwrite_existing);
    Glob.Tool[1].Chlaz = Vzduch;
    // A clamp between the line and the arc: the rapid rises over it without a tool change.
    EnPline.RectangleAdd(Osy{33, -3}, Osy{36, 3}, LayerUpin, MainVars.DataStart, MainVars.DataEnd);
    // The second tool cannot be changed by the program: the user is told.
    TScriptResponder R;
    R.ExpectModal("ErrorDialog", mrOk);
    const std::string text = Export();
    EXPECT_TRUE(R.Done());
    EXPECT_TRUE(ErrorListSays("Vrstva 2: jiný nástroj (T2), výměna se nezapisuje (StylVymeny 4)"));
    std::vector<TWord> w;
    for (const std::string& l : TextLines(text)) {
        SCOPED_TRACE(l);
        ASSERT_TRUE(Words(l, w));
        for (const TWord& x : w) {
            EXPECT_NE(GrblLetters.find(x.Letter), std::string::npos);
            EXPECT_NE(x.Letter, 'T');
            if (x.Letter == 'G') EXPECT_TRUE(GrblG.count(std::round(x.Value * 10) / 10));
            if (x.Letter == 'M') EXPECT_TRUE(GrblM.count(x.Value));
        }
    }
    TMachineRun run = RunOnMachine(NcPath(), Dir());
    EXPECT_TRUE(run.Ok) << run.Messages;
    EXPECT_EQ(run.Messages, "");
    for (const std::string& v : SafetyViolations(run, 5, 1))
        EXPECT_NE(v.find("before a tool change"), std::string::npos) << v;
    EXPECT_TRUE(std::any_of(run.Moves.begin(), run.Moves.end(),
                            [](const TMachineMove& m) { return m.Rapid && std::fabs(m.To.z - 10) < 1e-9L; }));
    FeedsAreMillimetresPerMinute(run);
    CutsTheDrawing(run);
}

// The laid-out profiles read back to the records they were written from.
TEST_F(GcodeProfileTest, ProfileFilesHoldTheirRecords) {
    for (const auto& [name, profile] : {std::pair{"Gcode.cfg", LinuxCncProfile()}, std::pair{GrblCfgName, GrblProfile()}}) {
        SCOPED_TRACE(name);
        TGcodeConfig read;
        std::vector<std::string> refused;
        ApplyGcodeCfgText(ReadFile(InDir(name)), read, refused);
        EXPECT_TRUE(refused.empty());
        EXPECT_EQ(GcodeCfgLines(read), GcodeCfgLines(profile));
    }
    // A user's own file is kept.
    WriteFile("Gcode.cfg", "Posuv='G01'\r\n");
    ASSERT_TRUE(WriteGcodeProfileFiles(Dir()));
    EXPECT_EQ(ReadFile(InDir("Gcode.cfg")), "Posuv='G01'\r\n");
}

// An export says what it could not write as asked, once, not only in the log.
TEST_F(GcodeProfileTest, ExportTellsTheUserWhatItCouldNotWrite) {
    {
        SCOPED_TRACE("no Gcode.cfg");
        std::filesystem::remove(InDir("Gcode.cfg"));
        TScriptResponder R;
        R.ExpectModal("ErrorDialog", mrOk);
        EXPECT_NE(Export(), "");
        EXPECT_TRUE(R.Done());
        EXPECT_TRUE(ErrorListSays("Gcode.cfg v adresáři programu chybí"));
        ASSERT_TRUE(WriteGcodeProfileFiles(Dir()));
    }
    {
        SCOPED_TRACE("axis A without its word");
        ResetLog();
        Glob.Tool[2].AngleA = 90;
        TScriptResponder R;
        R.ExpectModal("ErrorDialog", mrOk);
        EXPECT_NE(Export(), "");
        EXPECT_TRUE(R.Done());
        EXPECT_TRUE(ErrorListSays("Vrstva 2: nástroj natáčí osu A, Gcode.cfg ji nezapisuje (SouradniceA)"));
        Glob.Tool[2].AngleA = 0;
    }
}

}  // namespace
