// Drill data: the file layout, the round trip through our own reader, the reader's
// tool layers and modal coordinates, and the drawings the format cannot hold.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/TextFile.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "formats/UniDRL.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdHarness.h"
#include "support/Fixture.h"

namespace {

class DrlTest : public KestrilonTest {
protected:
    TObjHeader*& S = MainVars.DataStart;
    TObjHeader*& E = MainVars.DataEnd;
    void TearDown() override {
        FreeObjList(S, E);
        KestrilonTest::TearDown();
    }
    std::vector<std::string> Lines(const std::string& File) { return SplitTextLines(ReadFile(File)); }
    // Every point of the drawing: layer, x, y.
    struct TPt {
        int Layer;
        Extended X, Y;
    };
    std::vector<TPt> Points() {
        std::vector<TPt> r;
        for (TObjHeader* p = S; p; p = p->Next)
            if (p->Type == ObjPoint) r.push_back({p->Layer, AsPoint(p)->S.x, AsPoint(p)->S.y});
        return r;
    }
    static bool Logged(const std::string& Part) {
        for (const std::string& l : TCmdHarness::LogTexts())
            if (l.find(Part) != std::string::npos) return true;
        return false;
    }
};

TEST_F(DrlTest, HolesByToolInAscendingDiameterAndSelection) {
    EnPline.CircleAdd(Osy{12.5L, 100}, 1.5L, 1, S, E);
    EnPoint.Add(Osy{5, 5}, 1, S, E);  // a point is no hole
    TObjHeader *gs = nullptr, *ge = nullptr;
    EnPline.CircleAdd(Osy{3, 4}, 0.4L, 2, gs, ge);
    EnPline.CircleAdd(Osy{7, 8}, 1.5L, 2, gs, ge);
    TObjHeader* group = AppendObj(MakeGroup(false, gs, ge), S, E);
    EnPline.RectangleAdd(Osy{0, 0}, Osy{10, 10}, 1, S, E);  // closed but no circle
    ASSERT_TRUE(SaveDrl(InDir("a.drl"), true));
    EXPECT_EQ(Lines(InDir("a.drl")), (std::vector<std::string>{"T1 vrtak 0.8", "T2 vrtak 3.0", "%", "T1", "X000300Y000400",
                                                               "T2", "X000700Y000800", "X001250Y010000", "M30"}));
    // The selection: a selected group gives only its members that are selected themselves.
    group->Flags |= FlagSelected;
    AsGroup(group)->First->Next->Flags |= FlagSelected;
    ASSERT_TRUE(SaveDrl(InDir("b.drl"), false));
    EXPECT_EQ(Lines(InDir("b.drl")), (std::vector<std::string>{"T1 vrtak 3.0", "%", "T1", "X000700Y000800", "M30"}));
    // Nothing to drill: the separator and the end.
    FreeObjList(S, E);
    ASSERT_TRUE(SaveDrl(InDir("c.drl"), true));
    EXPECT_EQ(Lines(InDir("c.drl")), (std::vector<std::string>{"%", "M30"}));
}

TEST_F(DrlTest, RoundTripKeepsEveryHoleWithinAHundredth) {
    // More holes than a fixed table of 50000 would hold, on three diameters.
    const int n = 50001;
    for (int i = 0; i < n; ++i)
        EnPline.CircleAdd(Osy{(i % 250) * 2.6173L, (i / 250) * 3.1409L}, 0.3L + (i % 3) * 0.25L, 5, S, E);
    ASSERT_TRUE(SaveDrl(InDir("many.drl"), true));
    FreeObjList(S, E);
    Osy mn, mx;
    ASSERT_TRUE(LoadDrl(InDir("many.drl"), mn, mx));
    const std::vector<TPt> pts = Points();
    ASSERT_EQ(pts.size(), size_t(n));
    // Holes come back tool by tool: diameter 0.6 (T1), 1.1 (T2), 1.6 (T3).
    std::vector<int> seen(n, 0);
    for (size_t k = 0; k < pts.size(); ++k) {
        const int i = int(std::lround(pts[k].X / 2.6173L)) + 250 * int(std::lround(pts[k].Y / 3.1409L));
        ASSERT_TRUE(i >= 0 && i < n);
        EXPECT_NEAR(double(pts[k].X), double((i % 250) * 2.6173L), 0.0051);
        EXPECT_NEAR(double(pts[k].Y), double((i / 250) * 3.1409L), 0.0051);
        EXPECT_EQ(pts[k].Layer, 1 + i % 3);
        ++seen[size_t(i)];
    }
    for (int i = 0; i < n; ++i) ASSERT_EQ(seen[size_t(i)], 1) << i;
    EXPECT_NEAR(double(mn.x), 0, 1e-9);
    EXPECT_NEAR(double(mn.y), 0, 1e-9);
    EXPECT_NEAR(double(mx.x), 249 * 2.6173, 0.0051);
    EXPECT_NEAR(double(mx.y), 200 * 3.1409, 0.0051);
}

TEST_F(DrlTest, DrawingsTheFormatCannotHoldAreRefused) {
    struct TCase {
        Osy C;
        Extended R;
    } cases[] = {
        {{-1, 10}, 0.5L},       // left of zero
        {{10, 655.36L}, 0.5L},  // above 655.35 mm
        {{10, 10}, 330},        // a diameter above 655.35 mm
    };
    for (const TCase& c : cases) {
        FreeObjList(S, E);
        EnPline.CircleAdd(Osy{1, 1}, 0.5L, 1, S, E);
        EnPline.CircleAdd(c.C, c.R, 1, S, E);
        TScriptResponder R;
        R.ExpectMessage(mrOk, "655,35");
        EXPECT_FALSE(SaveDrl(InDir("out.drl"), true));
        EXPECT_TRUE(R.Done());
        EXPECT_FALSE(TextFileExists(InDir("out.drl")));
        EXPECT_TRUE(Logged("Err:FAILED Save DRL, hole outside"));
    }
    // 655.35 mm itself fits, and 99 diameters do; the hundredth does not.
    FreeObjList(S, E);
    EnPline.CircleAdd(Osy{655.35L, 0}, 0.025L, 1, S, E);
    for (int d = 1; d < 99; ++d) EnPline.CircleAdd(Osy{1, 1}, d * 0.05L, 1, S, E);
    ASSERT_TRUE(SaveDrl(InDir("fits.drl"), true));
    EXPECT_EQ(Lines(InDir("fits.drl"))[98], "T99 vrtak 9.8");
    EXPECT_EQ(Lines(InDir("fits.drl")).back(), "M30");
    EnPline.CircleAdd(Osy{1, 1}, 99 * 0.05L, 1, S, E);
    TScriptResponder R;
    R.ExpectMessage(mrOk, "99");
    EXPECT_FALSE(SaveDrl(InDir("many.drl"), true));
    EXPECT_TRUE(R.Done());
    EXPECT_FALSE(TextFileExists(InDir("many.drl")));
    EXPECT_TRUE(Logged("Err:FAILED Save DRL, 100 drill diameters"));
}

TEST_F(DrlTest, ReaderLayersModalCoordinatesAndExtents) {
    // The tool table before "%" is not read; bare line feeds and carriage returns alike.
    const std::string f = WriteFile("r.drl",
                                    "T1 vrtak 0.8\r\nX099999Y099999\r\n%\r\nX000100Y000200\r\nt5\n"
                                    "x001000\r\n  Y 002000  \nT13\nX000300\nT0\nY000400\nT257\nX-000500\n"
                                    "TX\nX1.2.3Y000600\nM30\n");
    Osy mn{7, 7}, mx{7, 7};
    ASSERT_TRUE(LoadDrl(f, mn, mx));
    const std::vector<TPt> pts = Points();
    const std::vector<TPt> want = {{68, 1, 2},  {5, 10, 2}, {5, 10, 20}, {16, 3, 20},
                                   {16, 3, 4},  {1, -5, 4}, {16, -5, 6}};
    ASSERT_EQ(pts.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(pts[i].Layer, want[i].Layer) << i;
        EXPECT_NEAR(double(pts[i].X), double(want[i].X), 1e-9) << i;
        EXPECT_NEAR(double(pts[i].Y), double(want[i].Y), 1e-9) << i;
    }
    EXPECT_NEAR(double(mn.x), -5, 1e-9);
    EXPECT_NEAR(double(mn.y), 2, 1e-9);
    EXPECT_NEAR(double(mx.x), 10, 1e-9);
    EXPECT_NEAR(double(mx.y), 20, 1e-9);
    // Without a "%" line nothing is read; a missing file says so.
    FreeObjList(S, E);
    ASSERT_TRUE(LoadDrl(WriteFile("n.drl", "X000100Y000200\n"), mn, mx));
    EXPECT_EQ(S, nullptr);
    EXPECT_GT(mn.x, mx.x);
    TScriptResponder R;
    R.ExpectMessage(mrOk, "není dostupný");
    EXPECT_FALSE(LoadDrl(InDir("none.drl"), mn, mx));
    EXPECT_TRUE(R.Done());
    EXPECT_TRUE(Logged("Err:FAILED Load DRL, file not exist"));
}

}  // namespace
