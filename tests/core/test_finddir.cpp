// Closed and direction flags of polylines, and the self-crossing search.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "core/Builder.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "support/Fixture.h"

namespace {

struct Seg {
    Osy E;
    Extended Alfa = 0;
};

// A polyline record built directly (no flags computed, no filtering).
TObjHeader* Pline(Osy S, const std::vector<Seg>& Segs) {
    TObjHeader* r = AllocObj(PlineSizeFor(int32_t(Segs.size())), ObjPline);
    AsPline(r)->S = S;
    for (size_t i = 0; i < Segs.size(); ++i) PlineSegs(r)[i] = {Segs[i].Alfa, Segs[i].E};
    return r;
}

TObjHeader* Poly(const std::vector<Osy>& Pts) {
    std::vector<Seg> segs;
    for (size_t i = 1; i < Pts.size(); ++i) segs.push_back({Pts[i]});
    return Pline(Pts[0], segs);
}

class FindDirTest : public KestrilonTest {};

TEST_F(FindDirTest, FlagsTable) {
    const Extended pi = GeomPi;
    struct Case {
        const char* Name;
        TObjHeader* Rec;
        uint8_t Flags;
        bool Cw;
    };
    const Case cases[] = {
        {"ccw square", Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}), 1, false},
        {"cw square", Poly({{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}}), 3, true},
        {"open", Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}}), 0, false},
        {"figure eight", Poly({{0, 0}, {10, 10}, {10, 0}, {0, 10}, {0, 0}}), 2, false},
        {"out and back", Poly({{0, 0}, {10, 0}, {0, 0}}), 0, false},
        {"one segment", Poly({{0, 0}, {10, 0}}), 0, false},
        {"two semicircles ccw", Pline({0, 0}, {{{2, 0}, pi}, {{0, 0}, pi}}), 1, false},
        {"two semicircles cw", Pline({0, 0}, {{{2, 0}, -pi}, {{0, 0}, -pi}}), 3, true},
        {"two opposite arcs", Pline({0, 0}, {{{2, 0}, pi}, {{0, 0}, -pi}}), 0, false},
        {"D shape ccw", Pline({0, 0}, {{{10, 0}}, {{0, 0}, pi}}), 1, false},
        {"D shape cw", Pline({0, 0}, {{{10, 0}}, {{0, 0}, -pi}}), 3, true},
        // Turns of exactly pi at the arc: decided again on the chords.
        {"inward bulge ccw", Pline({0, 0}, {{{10, 0}}, {{10, 2}, -pi}, {{0, 2}}, {{0, 0}}}), 1, false},
        {"inward bulge cw", Pline({0, 0}, {{{0, 2}}, {{10, 2}}, {{10, 0}, pi}, {{0, 0}}}), 3, true},
        // Ends within the tolerance count as closed.
        {"nearly closed", Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0.0000005L}}), 1, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EnPline.FindDir(c.Rec), c.Cw) << c.Name;
        EXPECT_EQ(AsPline(c.Rec)->PlineFlags, c.Flags) << c.Name;
        FreeObjBlock(c.Rec);
    }
}

TEST_F(FindDirTest, OpenPlineTouchesOnlyTheClosedBit) {
    TObjHeader* eight = Poly({{0, 0}, {10, 10}, {10, 0}, {0, 10}, {0, 0}});
    EnPline.FindDir(eight);
    EXPECT_EQ(AsPline(eight)->PlineFlags, PlineSelfCross);
    EXPECT_FALSE(EnPline.OpenPline(eight));
    EXPECT_EQ(AsPline(eight)->PlineFlags, 3);
    FreeObjBlock(eight);

    // An open polyline keeps its direction bit.
    TObjHeader* open = Poly({{0, 0}, {10, 0}, {10, 10}});
    AsPline(open)->PlineFlags = PlineClosed | PlineCW;
    EXPECT_FALSE(EnPline.FindDir(open));
    EXPECT_EQ(AsPline(open)->PlineFlags, PlineCW);
    FreeObjBlock(open);
}

// A polyline asked about again is judged by what it is now: changed in place, its
// flags follow the change; an equal polyline elsewhere gets the same flags, also on
// its own flag bits.
TEST_F(FindDirTest, AskedAgainTheAnswerFollowsTheGeometry) {
    const std::vector<Osy> ccw = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    TObjHeader* r = Poly(ccw);
    EXPECT_FALSE(EnPline.FindDir(r));
    EXPECT_EQ(AsPline(r)->PlineFlags, PlineClosed);
    struct Step {
        const char* Name;
        std::vector<Osy> Pts;
        uint8_t Flags;
        bool Cw;
    };
    const Step steps[] = {
        {"reversed", {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}}, PlineClosed | PlineCW, true},
        {"crossed", {{0, 0}, {10, 10}, {10, 0}, {0, 10}, {0, 0}}, PlineSelfCross, false},
        {"back to ccw", ccw, PlineClosed, false},
        {"a vertex moved a hair", {{0, 0}, {10, 0}, {10, 10 + 1e-15L}, {0, 10}, {0, 0}}, PlineClosed, false},
    };
    for (const Step& st : steps) {
        AsPline(r)->S = st.Pts[0];
        for (size_t i = 1; i < st.Pts.size(); ++i) PlineSegs(r)[i - 1].E = st.Pts[i];
        AsPline(r)->PlineFlags = PlineCW;
        EXPECT_EQ(EnPline.FindDir(r), st.Cw) << st.Name;
        EXPECT_EQ(AsPline(r)->PlineFlags, st.Flags) << st.Name;
        TObjHeader* twin = Poly(st.Pts);
        AsPline(twin)->PlineFlags = PlineCW;
        EXPECT_EQ(EnPline.FindDir(twin), st.Cw) << st.Name;
        EXPECT_EQ(AsPline(twin)->PlineFlags, st.Flags) << st.Name;
        FreeObjBlock(twin);
    }
    FreeObjBlock(r);
}

TEST_F(FindDirTest, OtherKindsAreLeftAlone) {
    TObjHeader* sp = AllocObj(Pline3DSizeFor(0), ObjPline3D);
    AsPline3D(sp)->PlineFlags = 1;
    EXPECT_FALSE(EnPline.FindDir(sp));
    EXPECT_TRUE(EnPline.OpenPline(sp));
    EXPECT_EQ(AsPline3D(sp)->PlineFlags, 1);
    FreeObjBlock(sp);
    EXPECT_FALSE(EnPline.FindDir(nullptr));
}

// Every pair tried, with the same rules: the reference for the indexed search.
int32_t BruteSelfCross(const TObjHeader* r, int32_t& I, int32_t& J) {
    const int32_t n = PlineSegCount(r);
    const TPlineSeg* s = PlineSegs(r);
    const Osy s0 = AsPline(r)->S;
    if (n <= 1 || (n == 2 && SamePt(s[1].E, s0))) return 0;
    for (int32_t i = 0; i < n; ++i)
        for (int32_t j = i + 1; j < n; ++j) {
            Osy x1, x2;
            int32_t c = int32_t(IntersSegSeg(PlineSegStart(r, i), s[i].E, PlineSegStart(r, j), s[j].E, s[i].Alfa,
                                             s[j].Alfa, x1, x2));
            if (c == 1 && (j == i + 1 || (i == 0 && j == n - 1 && SamePt(s[n - 1].E, s0)))) c = 0;
            if (c) {
                I = i;
                J = j;
                return c;
            }
        }
    return 0;
}

TEST_F(FindDirTest, IndexedSearchFindsTheSameFirstPairAsAllPairs) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> coord(0, 100), bend(-2, 2);
    int crossing = 0;
    for (int round = 0; round < 60; ++round) {
        // Random walks are mostly self-crossing; short steps on a circle mostly not.
        const int n = 30 + round;
        std::vector<Seg> segs;
        Osy s{50, 0};
        for (int k = 1; k <= n; ++k) {
            const double a = 2 * M_PI * k / n;
            Osy p = round % 2 ? Osy{coord(rng), coord(rng)}
                              : Osy{50 + 50 * std::sin(a) + (k == n / 2 ? 60 * (round % 4 == 0) : 0),
                                    50 - 50 * std::cos(a)};
            if (k == n) p = s;
            segs.push_back({p, round % 3 == 0 ? Extended(bend(rng)) : 0});
        }
        TObjHeader* r = Pline(s, segs);
        int32_t bi = -1, bj = -1;
        const int32_t want = BruteSelfCross(r, bi, bj);
        TSelfCross got;
        EXPECT_EQ(EnPline.SelfCross(r, got), want) << "round " << round;
        if (want) {
            ++crossing;
            EXPECT_EQ(got.I, bi) << "round " << round;
            EXPECT_EQ(got.J, bj) << "round " << round;
        }
        FreeObjBlock(r);
    }
    EXPECT_GT(crossing, 10);
    EXPECT_LT(crossing, 60);
}

TEST_F(FindDirTest, LargePolylinesStayFast) {
    // 50k segments: an all-pairs search would take minutes, the sweep about a second
    // under the sanitizers.
    constexpr int N = 50000;
    std::vector<Seg> segs;
    for (int k = 1; k <= N; ++k) {
        const Extended a = -2 * GeomPi * k / N;  // clockwise
        segs.push_back({k == N ? Osy{100, 0} : Osy{100 * std::cos(a), 100 * std::sin(a)}});
    }
    TObjHeader* r = Pline({100, 0}, segs);
    EXPECT_TRUE(EnPline.FindDir(r));
    EXPECT_EQ(AsPline(r)->PlineFlags, 3);
    // Pull one vertex across the circle: now it crosses itself.
    PlineSegs(r)[N / 2].E = {150, 1};
    EXPECT_FALSE(EnPline.FindDir(r));
    EXPECT_EQ(AsPline(r)->PlineFlags, 2);
    FreeObjBlock(r);

    // A meander (long parallel rows joined at alternate ends), level or turned, where
    // the boxes of all rows overlap: as quick.
    for (Extended turn : {0.0L, 0.5236L}) {
        std::vector<Osy> pts{{0, 0}};
        for (int row = 0; row < N / 2 - 1; ++row) {
            const Extended y = row * 0.01L, x = row % 2 ? 0.0L : 1000.0L;
            pts.push_back({x, y});
            pts.push_back({x, y + 0.01L});
        }
        for (Osy& p : pts) p = {p.x * std::cos(turn) - p.y * std::sin(turn), p.x * std::sin(turn) + p.y * std::cos(turn)};
        TObjHeader* m = Poly(pts);
        TSelfCross sc;
        EXPECT_EQ(EnPline.SelfCross(m, sc), 0) << turn;
        // The last row pulled back across the first rows: found, and as the first pair.
        PlineSegs(m)[pts.size() - 2].E = pts[1];
        EXPECT_EQ(EnPline.SelfCross(m, sc), 1) << turn;
        EXPECT_EQ(sc.I, 0) << turn;
        FreeObjBlock(m);
    }
}

}  // namespace
