// The object builder.
#include <gtest/gtest.h>

#include "core/Builder.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "shell/MainVars.h"
#include "support/Fixture.h"

namespace {

class BuilderTest : public KestrilonTest {
protected:
    TObjHeader* S = nullptr;
    TObjHeader* E = nullptr;
    void TearDown() override {
        FreeObjList(S, E);
        KestrilonTest::TearDown();
    }
};

TEST_F(BuilderTest, StartAloneMakesAPoint) {
    StartObj({0, 0});
    TObjHeader* r = MakeObj(5, S, E);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Type, ObjPoint);
    EXPECT_EQ(r->Size, PointRecSize);
    EXPECT_EQ(r->Layer, 5);
    EXPECT_EQ(r->Flags, FlagNew);
    EXPECT_EQ(r->SavedFlags, 0);
    EXPECT_EQ(AsPoint(r)->PlineFlags, 0);
    EXPECT_EQ(AsPoint(r)->S.x, 0);
    EXPECT_EQ(E, r);
    EXPECT_EQ(CheckObjList(S, E), "");
}

TEST_F(BuilderTest, IdleBuilderRefusesAndMakesNothing) {
    EXPECT_FALSE(AddSeg({1, 1}, 0, CoordTol));
    EXPECT_EQ(MakeObj(1, S, E), nullptr);
    EXPECT_EQ(MakeObj3D(1, S, E), nullptr);
    EXPECT_EQ(S, nullptr);

    StartObj({0, 0});
    EXPECT_TRUE(AddSeg({1, 0}, 0, CoordTol));
    MakeObj(1, S, E);
    EXPECT_EQ(MainVars.AdrPline, MainVars.AdrBasePline);
    EXPECT_FALSE(AddSeg({2, 0}, 0, CoordTol));
}

TEST_F(BuilderTest, AddSegToleranceIsABoxNotADistance) {
    const Extended tol = 0.01L;
    struct Case {
        Osy P;
        bool Stored;
    };
    // From the last point (0, 0): the diagonal point is farther than tol, yet inside
    // the box; one axis beyond tol is enough to store.
    for (const Case& c : {Case{{0.009L, 0.009L}, false}, Case{{0.011L, 0}, true}, Case{{0, -0.011L}, true},
                          Case{{0.01L, 0.01L}, false}}) {
        StartObj({0, 0});
        EXPECT_EQ(AddSeg(c.P, 0, tol), c.Stored) << c.P.x << " " << c.P.y;
        EXPECT_EQ(BuildSegCount(), c.Stored ? 1 : 0);
    }
}

TEST_F(BuilderTest, MakesAClosedPolylineWithFlags) {
    StartObj({0, 0});
    for (Osy p : {Osy{10, 0}, Osy{10, 10}, Osy{0, 10}, Osy{0, 0}}) EXPECT_TRUE(AddSeg(p, 0, CoordTol));
    TObjHeader* r = MakeObj(2, S, E);
    ASSERT_EQ(r->Type, ObjPline);
    EXPECT_EQ(r->Size, PlineSizeFor(4));
    EXPECT_EQ(PlineSegCount(r), 4);
    EXPECT_EQ(AsPline(r)->PlineFlags, PlineClosed);  // counter-clockwise
    EXPECT_EQ(PlineSegs(r)[1].E.y, 10);
}

TEST_F(BuilderTest, AddLinePtFiltersJitter) {
    Glob.InputFiltr = 0.1L;
    StartObj({0, 0});
    AddLinePt({0.01L, 0});
    AddLinePt({0.02L, 0});
    AddLinePt({0.03L, 0});
    EXPECT_EQ(BuildSegCount(), 0);
    TObjHeader* r = MakeObj(1, S, E);
    EXPECT_EQ(r->Type, ObjPoint);
    EXPECT_EQ(AsPoint(r)->S.x, 0.03L);

    // A far point adds a segment, a near one then moves its end, an equal one is ignored.
    StartObj({0, 0});
    AddLinePt({5, 0});
    AddLinePt({5.05L, 0});
    AddLinePt({5.05L, 0});
    EXPECT_EQ(BuildSegCount(), 1);
    EXPECT_EQ(BuildLastPt().x, 5.05L);
    AddLinePt({9, 0});
    EXPECT_EQ(BuildSegCount(), 2);
}

TEST_F(BuilderTest, BufferGrowsWithoutLimit) {
    constexpr int N = 50000;  // far beyond the initial buffer
    StartObj({0, 0});
    for (int i = 1; i <= N; ++i) ASSERT_TRUE(AddSeg({Extended(i), Extended(i % 2)}, 0, CoordTol));
    EXPECT_EQ(MainVars.AdrPline - MainVars.AdrBasePline, PlineSizeFor(N));
    EXPECT_EQ(reinterpret_cast<uint8_t*>(BuildSegs()), MainVars.AdrBasePline + PlineSizeFor(0));
    TObjHeader* r = MakeObj(1, S, E);
    ASSERT_EQ(PlineSegCount(r), N);
    EXPECT_EQ(PlineSegs(r)[N - 1].E.x, N);
    EXPECT_EQ(PlineSegs(r)[N - 1].E.y, 0);
    EXPECT_EQ(CheckObjList(S, E), "");
}

TEST_F(BuilderTest, PopAndPushAdjustTheBuild) {
    StartObj({0, 0});
    AddSeg({1, 0}, 0.5L, CoordTol);
    AddSeg({2, 0}, 0, CoordTol);
    TPlineSeg seg{};
    ASSERT_TRUE(BuildPopSeg(seg));
    EXPECT_EQ(seg.E.x, 2);
    EXPECT_EQ(BuildLastPt().x, 1);
    BuildPushSeg(seg);
    EXPECT_EQ(BuildSegCount(), 2);
    EXPECT_EQ(BuildSegs()[0].Alfa, 0.5L);
    // Moving the write position back through MainVars is honoured as well.
    MainVars.AdrPline -= sizeof(TPlineSeg);
    EXPECT_EQ(BuildSegCount(), 1);
}

TEST_F(BuilderTest, ThreeDBuilds) {
    StartObj3D({0, 0, 0});
    TObjHeader* r = MakeObj3D(4, S, E);
    ASSERT_EQ(r->Type, ObjPline3D);
    EXPECT_EQ(Pline3DSegCount(r), 0);
    EXPECT_EQ(r->Size, Pline3DSizeFor(0));

    StartObj3D({0, 0, 0});
    EXPECT_FALSE(AddSeg({1, 0}, 0, CoordTol));  // not a 2D build
    // A distance, not a box: (0.6, 0.6, 0) is 0.85 from the start.
    EXPECT_FALSE(AddSeg3D({0.6L, 0.6L, 0}, 0, 0.9L));
    EXPECT_TRUE(AddSeg3D({0.7L, 0.7L, 0}, 0, 0.9L));
    EXPECT_TRUE(AddSeg3D({0.7L, 0.7L, -5}, 0, CoordTol));
    r = MakeObj3D(4, S, E);
    ASSERT_EQ(Pline3DSegCount(r), 2);
    EXPECT_EQ(Pline3DSegs(r)[1].E.z, -5);

    // A closed 3D polyline gets its closed bit.
    StartObj3D({0, 0, 1});
    for (Osy3D p : {Osy3D{10, 0, 1}, Osy3D{10, 10, 1}, Osy3D{0, 0, 1}}) EXPECT_TRUE(AddSeg3D(p, 0, CoordTol));
    r = MakeObj3D(4, S, E);
    EXPECT_EQ(AsPline3D(r)->PlineFlags & PlineClosed, PlineClosed);
    EXPECT_EQ(CheckObjList(S, E), "");
}

}  // namespace
