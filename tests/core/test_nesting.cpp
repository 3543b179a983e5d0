// Grouping contours by nesting: levels, order, member counts, and contours that hold
// each other's test points (duplicates, shared sides), which must not stall it.
#include <gtest/gtest.h>

#include <vector>

#include "core/UniNesting.h"
#include "test_pline_util.h"

using namespace pltest;

namespace {

class NestingTest : public PlineTest {
protected:
    TObjHeader* Sq(Extended x, Extended y, Extended s) {
        return Add(Poly({{x, y}, {x + s, y}, {x + s, y + s}, {x, y + s}, {x, y}}));
    }
    // The members of each group, group by group.
    std::vector<std::vector<TObjHeader*>> Groups() const {
        std::vector<std::vector<TObjHeader*>> v;
        for (TObjHeader* g = L; g; g = g->Next) {
            EXPECT_EQ(g->Type, ObjGroup);
            EXPECT_EQ(g->Layer, 7);
            std::vector<TObjHeader*> m;
            for (TObjHeader* p = AsGroup(g)->First; p; p = p->Next) m.push_back(p);
            EXPECT_EQ(AsGroup(g)->Count, int32_t(m.size()));
            v.push_back(m);
        }
        return v;
    }
};

TEST_F(NestingTest, DisjointSquaresGiveOneGroupEach) {
    TObjHeader* a = Sq(0, 0, 10);
    TObjHeader* b = Sq(20, 0, 10);
    GroupByNesting(L, LE, 7);
    EXPECT_EQ(CheckObjList(L, LE), "");
    const auto g = Groups();
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0], std::vector<TObjHeader*>{a});
    EXPECT_EQ(g[1], std::vector<TObjHeader*>{b});
}

TEST_F(NestingTest, SquareWithHoleAndIslandIslandFirst) {
    TObjHeader* island = Sq(4, 4, 2);
    TObjHeader* outer = Sq(0, 0, 10);
    TObjHeader* hole = Sq(2, 2, 6);
    GroupByNesting(L, LE, 7);
    EXPECT_EQ(CheckObjList(L, LE), "");
    const auto g = Groups();
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0], std::vector<TObjHeader*>{island});
    EXPECT_EQ(g[1], (std::vector<TObjHeader*>{outer, hole}));
    EXPECT_EQ(outer->Flags, FlagSelected);  // an outer contour keeps only the selected bit
}

TEST_F(NestingTest, TwoHolesStayInOneGroup) {
    TObjHeader* outer = Sq(0, 0, 30);
    TObjHeader* h1 = Sq(2, 2, 5);
    TObjHeader* h2 = Sq(20, 20, 5);
    GroupByNesting(L, LE, 7);
    const auto g = Groups();
    ASSERT_EQ(g.size(), 1u);
    EXPECT_EQ(g[0], (std::vector<TObjHeader*>{outer, h1, h2}));
}

TEST_F(NestingTest, ContoursHoldingEachOthersPointsStillEnd) {
    // Duplicates, three of them; squares sharing a side; a square inside a duplicate
    // pair. Every contour ends up in exactly one group with true counts.
    for (int shape = 0; shape < 3; ++shape) {
        FreeObjList(L, LE);
        if (shape == 0) {
            for (int k = 0; k < 3; ++k) Sq(0, 0, 10);
        } else if (shape == 1) {
            Sq(0, 0, 10);
            Add(Poly({{10, 0}, {10, 10}, {20, 10}, {20, 0}, {10, 0}}));  // starts on the shared side
        } else {
            Sq(0, 0, 10);
            Sq(0, 0, 10);
            Sq(3, 3, 2);
        }
        const int32_t n = Count(L);
        GroupByNesting(L, LE, 7);
        EXPECT_EQ(CheckObjList(L, LE), "") << shape;
        int32_t members = 0;
        for (const auto& m : Groups()) members += int32_t(m.size());
        EXPECT_EQ(members, n) << shape;
    }
}

TEST_F(NestingTest, ObjTestPtIsTheMiddleOfTheFirstSegment) {
    Osy P;
    ObjTestPt(Sq(0, 0, 10), P);
    EXPECT_TRUE(Near(P, {5, 0}));
    TObjHeader* pt = AllocObj(PointRecSize, ObjPoint);
    AsPline(pt)->S = {3, 4};
    Add(pt);
    ObjTestPt(pt, P);
    EXPECT_TRUE(Near(P, {3, 4}));
}

}  // namespace
