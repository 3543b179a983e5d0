// The Comagrav programs: one file per used layer named after it, the worked lines of a
// rectangle as golden text, arcs as chords within 0.01 mm, and the faults mended (a
// folder with a point, a climb out at cutting feed between passes).
#include <gtest/gtest.h>

#include <cmath>

#include "NcJob.h"
#include "core/TextFile.h"
#include "core/UniPline.h"
#include "output/Comagrav.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdHarness.h"
#include "support/NcDialects.h"

namespace {

class CncTest : public NcJobTest {
protected:
    void SetUp() override {
        NcJobTest::SetUp();
        TTool& T = SetTool(1, {0.5L});
        T.Pruchod[1].Zapich = 1;
        T.HloubkaRychloposuvem = 0;
    }
    static TObjHeader*& DS() { return MainVars.DataStart; }
    static TObjHeader*& DE() { return MainVars.DataEnd; }
    std::string Target() const { return InDir("znak.cnc"); }
    std::string Layer(int La) const { return ReadFile(CncLayerFile(Target(), La)); }
};

TEST_F(CncTest, LayerFilesTakeTheExtensionOfTheFileNameOnly) {
    const std::pair<const char*, const char*> Cases[] = {
        {"/x/deska.cnc", "/x/deska_T3.cnc"},
        {"/data.2024/znak.cnc", "/data.2024/znak_T3.cnc"},
        {"C:\\data.2024\\znak.cnc", "C:\\data.2024\\znak_T3.cnc"},
        {"/data.2024/znak", "/data.2024/znak_T3"},
        {"/x/znak.rev.cnc", "/x/znak.rev_T3.cnc"},
    };
    for (const auto& [in, out] : Cases) EXPECT_EQ(CncLayerFile(in, 3), out);
}

TEST_F(CncTest, RectangleGivesTheWorkedLines) {
    EnPline.RectangleAdd(Osy{0, 0}, Osy{10, 5}, 1, DS(), DE());
    ASSERT_TRUE(SaveCnc(Target(), true));
    EXPECT_EQ(Layer(1),
              "T1M6\r\nG0X0.000Y0.000\r\nG0Z0.500\r\nG1Z-0.500F60.0\r\nG1X10.000Y0.000F600.0\r\nX10.000Y5.000\r\n"
              "X0.000Y5.000\r\nX0.000Y0.000\r\nG0Z5.000\r\nM30\r\n");
    EXPECT_FALSE(TextFileExists(Target()));
    EXPECT_FALSE(TextFileExists(InDir("TEMP.$$$")));
}

TEST_F(CncTest, ArcsAreChordsWithinTheirDeviation) {
    // Radius 10 and 90 degrees: 18 chords.
    EnPline.ArcAdd(Osy{10, 0}, Osy{0, 10}, 1.5707963267948966L, 1, DS(), DE());
    ASSERT_TRUE(SaveCnc(Target(), true));
    const TMachineRun run = ReadCncRun({Layer(1)});
    ASSERT_TRUE(run.Ok) << run.Messages;
    int chords = 0;
    for (const TMachineMove& m : run.Moves) {
        if (m.Rapid || std::fabs(m.From.z - m.To.z) > 1e-9L) continue;
        ++chords;
        const Osy mid{(m.From.x + m.To.x) / 2, (m.From.y + m.To.y) / 2};
        EXPECT_NEAR(double(std::hypot(m.To.x, m.To.y)), 10, 0.0006);
        EXPECT_LE(double(10 - std::hypot(mid.x, mid.y)), 0.0106);
    }
    EXPECT_EQ(chords, 18);
}

TEST_F(CncTest, EveryUsedLayerGetsItsOwnProgram) {
    SetTool(2, {0.5L});
    SetTool(5, {0.3L});
    EnPline.LineAdd(Osy{1, 1}, Osy{10, 1}, 2, DS(), DE());
    EnPline.LineAdd(Osy{1, 1}, Osy{10, 2}, 5, DS(), DE());
    ASSERT_TRUE(SaveCnc(Target(), true));
    EXPECT_EQ(Layer(1), "");
    for (int La : {2, 5}) {
        const std::string t = Layer(La);
        EXPECT_EQ(t.substr(0, t.find("\r\n")), "T" + std::to_string(La) + "M6");
        EXPECT_EQ(t.substr(t.size() - 5), "M30\r\n");
        // The second file starts anew: its rapid is written although the first ended there.
        EXPECT_EQ(t.substr(t.find("\r\n") + 2, 16), "G0X1.000Y1.000\r\n");
    }
}

// Between the passes of a closed path without retract the tool stays in the cut; it
// leaves the material only at rapid.
TEST_F(CncTest, ClosedPathWithoutRetractStaysDownBetweenItsPasses) {
    TTool& T = SetTool(1, {0.5L, 1.0L, 1.5L}, CelyObjekt);
    T.BezVyjezdu = true;
    EnPline.RectangleAdd(Osy{0, 0}, Osy{10, 5}, 1, DS(), DE());
    ASSERT_TRUE(SaveCnc(Target(), true));
    const TMachineRun run = ReadCncRun({Layer(1)});
    ASSERT_TRUE(run.Ok) << run.Messages;
    int ups = 0;
    for (const TMachineMove& m : run.Moves)
        if (m.To.z > m.From.z) {
            ++ups;
            EXPECT_TRUE(m.Rapid) << Layer(1);
        }
    EXPECT_EQ(ups, 1);
    EXPECT_TRUE(SafetyViolations(run, 5, 1.5L).empty());
}

TEST_F(CncTest, ALayerWithoutPassEndsTheExportAndSaysWhy) {
    SetTool(3, {});
    EnPline.LineAdd(Osy{1, 1}, Osy{10, 1}, 1, DS(), DE());
    EnPline.LineAdd(Osy{1, 1}, Osy{10, 1}, 3, DS(), DE());
    TScriptResponder R;
    R.ExpectModal("ErrorDialog", mrOk);
    EXPECT_FALSE(SaveCnc(Target(), true));
    EXPECT_TRUE(R.Done());
    EXPECT_NE(Layer(1), "");
    EXPECT_EQ(Layer(3), "");
    bool said = false;
    for (const std::string& l : TCmdHarness::LogTexts())
        said |= l.rfind("Sys:ErrorDG:", 0) == 0 && l.find("Vrstva 3: nástroj nemá žádný průchod") != std::string::npos;
    EXPECT_TRUE(said);
}

}  // namespace
