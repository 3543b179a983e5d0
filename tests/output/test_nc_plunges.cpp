// The worked lines of the plunge strategies: a ramp without and with a partial leg,
// a descent along a closed path finished by its completion, and helices in both
// senses down and up.
#include <gtest/gtest.h>

#include <cmath>

#include "NcJob.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "shell/MainVars.h"

namespace {

class NcPlungeTest : public NcJobTest {
protected:
    static TObjHeader*& DS() { return MainVars.DataStart; }
    static TObjHeader*& DE() { return MainVars.DataEnd; }
    static TToolPlunge& Plunge(int K) { return Glob.Tool[1].Material.Zapich[size_t(K)]; }
    // The lines from the first one starting with From to the first retract after it.
    std::vector<std::string> Motion(const std::string& From) {
        WriteFile("Gcode.cfg", "CislovaniRadku=''\nOddelovacKomentare=''\n");
        const std::string text = Export();
        std::vector<std::string> v;
        bool on = false;
        for (size_t a = 0, b; (b = text.find("\r\n", a)) != std::string::npos; a = b + 2) {
            const std::string l = text.substr(a, b - a);
            on |= l.rfind(From, 0) == 0;
            if (!on) continue;
            v.push_back(l);
            if (l == "G0 Z5.000") break;
        }
        return v;
    }
};

// tan(A) = 0.1: a 10 mm leg gains 1 mm.
constexpr Extended TenthSlope = 5.710593137499643L;

TEST_F(NcPlungeTest, RampLegs) {
    const struct {
        Extended Depth;
        std::vector<std::string> Lines;
    } Cases[] = {
        // From 1 to -1: two full leg pairs, then the cut.
        {1, {"G0 X0.000 Y0.000 A0.000", "G0 Z1.000", "F2.0", "G1 X10.000 Y0.000", "G1 X0.000 Y0.000 Z0.000",
             "G1 X10.000 Y0.000", "G1 X0.000 Y0.000 Z-1.000", "F10.0", "G1 X30.000 Y0.000", "G0 Z5.000"}},
        // From 1 to -1.5: the entry 5 mm along, down to the start by 0.5, two leg pairs.
        {1.5L, {"G0 X5.000 Y0.000 A0.000", "G0 Z1.000", "F2.0", "G1 X0.000 Y0.000 Z0.500", "G1 X10.000 Y0.000",
                "G1 X0.000 Y0.000 Z-0.500", "G1 X10.000 Y0.000", "G1 X0.000 Y0.000 Z-1.500", "F10.0",
                "G1 X30.000 Y0.000", "G0 Z5.000"}},
    };
    EnPline.LineAdd(Osy{0, 0}, Osy{30, 0}, 1, DS(), DE());
    for (const auto& c : Cases) {
        SCOPED_TRACE(double(c.Depth));
        SetTool(1, {c.Depth});
        Glob.SpolParObr.DepthToPlunge = 1;
        Plunge(poOpen).Method = 2;
        Plunge(poOpen).RampAngle = TenthSlope;
        Plunge(poOpen).RampLength = 10;
        EXPECT_EQ(Motion("G0 X"), c.Lines);
    }
}

// A descent of 2.4 loops: three loops, the pass depth reached 6 mm into the second
// side of the third; the completion cuts from the start to there.
TEST_F(NcPlungeTest, DescentAlongTheClosedPath) {
    SetTool(1, {1.9L});
    Plunge(poOpen).Method = 3;
    Plunge(poContour).SpiralAngle = std::atan(1.0L / 40) * 57.29577951308232L;
    EnPline.RectangleAdd(Osy{0, 0}, Osy{10, 10}, 1, DS(), DE());
    const std::vector<std::string> l = Motion("G0 X");
    ASSERT_GE(l.size(), 8u);
    EXPECT_EQ(l[2], "F2.0");
    EXPECT_EQ(l[3], "G1 X10.000 Y0.000 Z0.250");
    EXPECT_EQ(std::vector<std::string>(l.end() - 10, l.end()),
              (std::vector<std::string>{"G1 X10.000 Y6.000 Z-1.900", "F10.0", "G1 X10.000 Y10.000",
                                        "G1 X0.000 Y10.000 Z-1.900", "G1 X0.000 Y0.000 Z-1.900", "F10.0", "F10.0",
                                        "G1 X10.000 Y0.000", "G1 X10.000 Y6.000", "G0 Z5.000"}));
}

// A helix of pitch 1 from -1 to -2 round (5, 5) with radius 1: four quarters of 0.25,
// out from the centre first and back last; the flags choose the sense.
TEST_F(NcPlungeTest, HelixQuarters) {
    const struct {
        bool Left, Down;
        std::vector<std::string> Lines;
    } Cases[] = {
        {true, true, {"G1 Z-1.000", "G1 X6.000 Y5.000", "G3 X5.000 Y6.000 Z-1.250 I5.000 J5.000",
                      "G3 X4.000 Y5.000 Z-1.500 I5.000 J5.000", "G3 X5.000 Y4.000 Z-1.750 I5.000 J5.000",
                      "G3 X6.000 Y5.000 Z-2.000 I5.000 J5.000", "G1 X5.000 Y5.000", "G0 Z5.000"}},
        {false, true, {"G1 Z-1.000", "G1 X6.000 Y5.000", "G2 X5.000 Y4.000 Z-1.250 I5.000 J5.000",
                       "G2 X4.000 Y5.000 Z-1.500 I5.000 J5.000", "G2 X5.000 Y6.000 Z-1.750 I5.000 J5.000",
                       "G2 X6.000 Y5.000 Z-2.000 I5.000 J5.000", "G1 X5.000 Y5.000", "G0 Z5.000"}},
        // Upwards: straight down to the pass depth, then the helix rises back.
        {false, false, {"G1 Z-2.000", "G1 X6.000 Y5.000", "G3 X5.000 Y6.000 Z-1.750 I5.000 J5.000",
                        "G3 X4.000 Y5.000 Z-1.500 I5.000 J5.000", "G3 X5.000 Y4.000 Z-1.250 I5.000 J5.000",
                        "G3 X6.000 Y5.000 Z-1.000 I5.000 J5.000", "G1 X5.000 Y5.000", "G0 Z5.000"}},
    };
    EnPoint.Add(Osy{5, 5}, 1, DS(), DE());
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Left * 2 + c.Down);
        TTool& T = SetTool(1, {2});
        T.HloubkaRychloposuvem = 1;
        Plunge(poPoint).Method = 3;
        Plunge(poPoint).SpiralPitch = 1;
        Plunge(poPoint).SpiralRad = 2;
        Plunge(poPoint).SpiralRadPercent = false;
        Plunge(poPoint).SpiralLeft = c.Left;
        Plunge(poPoint).SpiralDownStep = c.Down;
        EXPECT_EQ(Motion("G1 Z"), c.Lines);
    }
}

// A short helix (less than two quarters) still ends at its depth on its circle.
TEST_F(NcPlungeTest, ShortHelixReachesItsDepth) {
    EnPoint.Add(Osy{0, 0}, 1, DS(), DE());
    SetTool(1, {0.3L, 0.6L});
    Plunge(poPoint).Method = 3;
    Plunge(poPoint).SpiralPitch = 2;
    Plunge(poPoint).SpiralRad = 2;
    Plunge(poPoint).SpiralRadPercent = false;
    Plunge(poPoint).SpiralDownStep = true;
    const TMachineRun run = ExportAndRun();
    EXPECT_TRUE(SafetyViolations(run, 5, 0.6L).empty());
    for (Extended d : {0.3L, 0.6L}) {
        bool reached = false;
        for (const TMachineMove& m : run.Moves)
            reached |= m.Arc && std::fabs(m.To.z + d) < 1e-3L && std::fabs(std::hypot(m.To.x, m.To.y) - 1) < 1e-3L;
        EXPECT_TRUE(reached) << double(d);
    }
}

}  // namespace
