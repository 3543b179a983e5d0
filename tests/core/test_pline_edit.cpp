// Break, trim, extend, self-crossing and divide, concatenation.
#include <limits>

#include "test_pline_util.h"

using namespace pltest;

namespace {

class PlineEditTest : public PlineTest {};

const Extended pi = GeomPi;

TEST_F(PlineEditTest, BreakAtEndsMovesWholeCopyToEnd) {
    for (int end = 0; end < 2; ++end) {
        TObjHeader* p = Add(Pline({0, 0}, {{{10, 0}}, {{10, 10}}}));
        TObjHeader* other = Add(Pline({50, 50}, {{{60, 50}}}));
        const Osy at = end == 0 ? Osy{0, 0} : Osy{10, 10};
        auto pieces = EnPline.BreakPlineOnPoint(at, p, end == 0 ? 0 : 1, L, LE);
        ASSERT_EQ(pieces.size(), 1u);
        EXPECT_EQ(LE, pieces[0]);
        EXPECT_EQ(pieces[0]->Prev, other);
        EXPECT_EQ(PlineSegCount(pieces[0]), 2);
        FreeObjList(L, LE);
    }
}

TEST_F(PlineEditTest, BreakArcInTheMiddle) {
    for (Extended alfa : {pi / 2, -pi / 2}) {
        TObjHeader* p = Add(Pline({1, 0}, {{{0, alfa > 0 ? 1 : -1}, alfa}}));
        const Extended a = alfa / 2;
        const Osy mid = {std::cos(a), std::sin(a)};
        auto pieces = EnPline.BreakPlineOnPoint(mid, p, 0, L, LE);
        ASSERT_EQ(pieces.size(), 2u);
        EXPECT_EQ(Count(L), 2);
        for (TObjHeader* q : pieces) {
            ASSERT_EQ(PlineSegCount(q), 1);
            EXPECT_NEAR(double(PlineSegs(q)[0].Alfa), double(alfa / 2), 1e-15);
        }
        EXPECT_TRUE(Near(PlineEndPt(pieces[0]), mid, 0));
        EXPECT_TRUE(Near(AsPline(pieces[1])->S, mid, 0));
        FreeObjList(L, LE);
    }
}

TEST_F(PlineEditTest, BreakPlineAtNearestFoot) {
    TObjHeader* p = AddDrawing(Pline({0, 0}, {{{10, 0}}, {{10, 10}}}));
    auto pieces = EnPline.BreakPline(p, {4, 1});
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_TRUE(Near(PlineEndPt(pieces[0]), {4, 0}));
    EXPECT_EQ(PlineSegCount(pieces[1]), 2);
    EXPECT_EQ(CountObjs(MainVars.DataStart), 2);
}

// A horizontal line 0..100 on y = 0 cut by vertical edges.
TEST_F(PlineEditTest, TrimBetweenEdges) {
    auto edge = [&](Extended x) { return Add(Pline({x, -10}, {{{x, 10}}})); };
    struct Case {
        const char* Name;
        std::vector<Extended> Edges;
        Extended PickX;
        bool Cut;
        Extended Piece1End;  // -1: no piece before
        Extended Piece2Start;
    } cases[] = {
        {"one edge, pick right of it", {40}, 60, true, 40, -1},
        {"one edge, pick left of it", {40}, 20, true, -1, 40},
        {"two edges, pick between", {30, 70}, 50, true, 30, 70},
        {"two edges, pick beyond both", {30, 70}, 90, true, 70, -1},
        {"start on an edge: degenerate piece dropped", {0, 50}, 10, true, -1, 50},
        {"crossing at the pick ignored", {30, 50, 70}, 50, true, 30, 70},
        {"no crossing", {200}, 50, false, 0, 0},
    };
    for (const Case& c : cases) {
        for (Extended x : c.Edges) edge(x);
        TObjHeader* line = AddDrawing(Pline({0, 0}, {{{100, 0}}}));
        TObjHeader *r1 = line, *r2 = line;  // not written when nothing is cut
        // The box's right side meets the line first: the pick point is (PickX, 0).
        const bool cut = EnPline.Trim(line, {c.PickX - 0.5L, -0.5L}, {c.PickX, 0.5L}, L, LE, r1, r2);
        ASSERT_EQ(cut, c.Cut) << c.Name;
        if (!cut) {
            EXPECT_EQ(r1, line);
            EXPECT_EQ(MainVars.DataStart, line);
        } else {
            if (c.Piece1End < 0) {
                EXPECT_EQ(r1, nullptr) << c.Name;
            } else {
                ASSERT_NE(r1, nullptr) << c.Name;
                EXPECT_TRUE(Near(AsPline(r1)->S, {0, 0})) << c.Name;
                EXPECT_TRUE(Near(PlineEndPt(r1), {c.Piece1End, 0})) << c.Name;
            }
            if (c.Piece2Start < 0) {
                EXPECT_EQ(r2, nullptr) << c.Name;
            } else {
                ASSERT_NE(r2, nullptr) << c.Name;
                EXPECT_TRUE(Near(AsPline(r2)->S, {c.Piece2Start, 0})) << c.Name;
                EXPECT_TRUE(Near(PlineEndPt(r2), {100, 0})) << c.Name;
            }
            EXPECT_EQ(CountObjs(MainVars.DataStart), (r1 ? 1 : 0) + (r2 ? 1 : 0)) << c.Name;
        }
        EXPECT_EQ(CheckObjList(MainVars.DataStart, MainVars.DataEnd), "") << c.Name;
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
        FreeObjList(L, LE);
    }
}

TEST_F(PlineEditTest, TrimArcBetweenEdges) {
    // A half circle r 10 about the origin from (10, 0) to (-10, 0), cut by the y axis
    // segment and a horizontal line at y = 5 on the right.
    Add(Pline({0, 0}, {{{0, 20}}}));
    Add(Pline({5, 5}, {{{20, 5}}}));
    TObjHeader* arc = AddDrawing(Pline({10, 0}, {{{-10, 0}, pi}}));
    TObjHeader *r1 = nullptr, *r2 = nullptr;
    // Pick near 45 degrees.
    const Osy pk = {10 * std::cos(pi / 4), 10 * std::sin(pi / 4)};
    ASSERT_TRUE(EnPline.Trim(arc, {pk.x - 0.3L, pk.y - 0.3L}, {pk.x + 0.3L, pk.y + 0.3L}, L, LE, r1, r2));
    ASSERT_NE(r1, nullptr);
    ASSERT_NE(r2, nullptr);
    EXPECT_NEAR(double(PlineSegs(r1)[0].Alfa), double(pi / 6), 1e-12);  // up to 30 degrees
    EXPECT_TRUE(Near(AsPline(r2)->S, {0, 10}));
    EXPECT_NEAR(double(PlineSegs(r2)[0].Alfa), double(pi / 2), 1e-12);
}

// A zigzag of 400 segments against an edge of 400 segments crossing it at every
// segment: the pieces end at the crossings next to the pick.
TEST_F(PlineEditTest, TrimLargeZigzag) {
    std::vector<Seg> zig, edge;
    for (int i = 1; i <= 400; ++i) {
        zig.push_back({{Extended(i), Extended(i % 2)}});
        edge.push_back({{Extended(i), 0.5L}});
    }
    Add(Pline({-0.5L, 0.5L}, edge));
    TObjHeader* p = AddDrawing(Pline({0, 0}, zig));
    TObjHeader *r1 = nullptr, *r2 = nullptr;
    // Pick the rising segment 200..201 near its start: crossings at 200.5 and 199.5.
    ASSERT_TRUE(EnPline.Trim(p, {200.05L, -0.5L}, {200.15L, 1.5L}, L, LE, r1, r2));
    ASSERT_NE(r1, nullptr);
    ASSERT_NE(r2, nullptr);
    EXPECT_TRUE(Near(PlineEndPt(r1), {199.5L, 0.5L}));
    EXPECT_TRUE(Near(AsPline(r2)->S, {200.5L, 0.5L}));
    EXPECT_EQ(PlineSegCount(r1), 200);
    EXPECT_EQ(PlineSegCount(r2), 200);
}

TEST_F(PlineEditTest, ExtendLimits) {
    struct Case {
        const char* Name;
        Extended BoundaryX;
        Extended PickX;  // on the line 0..10
        bool OK;
        Osy S, E;  // the result
    } cases[] = {
        {"end to a boundary", 30, 8, true, {0, 0}, {30, 0}},
        {"start to a boundary behind it", -30, 2, true, {-30, 0}, {10, 0}},
        {"exactly at half: the end", 30, 5, true, {0, 0}, {30, 0}},
        {"boundary 20000 mm away: out of reach", 20000, 8, false, {0, 0}, {10, 0}},
        {"boundary 9000 mm away", 9000, 8, true, {0, 0}, {9000, 0}},
        {"boundary on the other side only", -30, 8, false, {0, 0}, {10, 0}},
    };
    for (const Case& c : cases) {
        Add(Pline({c.BoundaryX, -10}, {{{c.BoundaryX, 10}}}));
        TObjHeader* line = AddDrawing(Pline({0, 0}, {{{10, 0}}}));
        line->Flags |= FlagSelected;
        bool ok = !c.OK;
        TObjHeader* r = EnPline.Extend(line, {c.PickX - 0.1L, -0.1L}, {c.PickX, 0.1L}, L, LE, ok);
        EXPECT_EQ(ok, c.OK) << c.Name;
        EXPECT_EQ(r != nullptr, c.OK) << c.Name;
        TObjHeader* now = MainVars.DataEnd;
        ASSERT_EQ(CountObjs(MainVars.DataStart), 1) << c.Name;
        if (!c.OK) EXPECT_EQ(now, line) << c.Name;
        EXPECT_EQ(now->Flags & FlagSelected, 0) << c.Name;
        EXPECT_TRUE(Near(AsPline(now)->S, c.S, 1e-9L)) << c.Name;
        EXPECT_TRUE(Near(PlineEndPt(now), c.E, 1e-9L)) << c.Name;
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
        FreeObjList(L, LE);
    }
}

TEST_F(PlineEditTest, ExtendArcAlongItsCircle) {
    // A quarter arc r 10 from (10, 0) to (0, 10); boundaries: the x axis to the left
    // (reached after a half circle from the start) and a line beyond it.
    Add(Pline({-20, 0}, {{{-5, 0}}}));
    TObjHeader* arc = AddDrawing(Pline({10, 0}, {{{0, 10}, pi / 2}}));
    const Osy pk = {10 * std::cos(1.4L), 10 * std::sin(1.4L)};
    bool ok = false;
    TObjHeader* r = EnPline.Extend(arc, {pk.x - 0.2L, pk.y - 0.2L}, {pk.x + 0.2L, pk.y + 0.2L}, L, LE, ok);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(Near(PlineEndPt(r), {-10, 0}, 1e-9L));
    EXPECT_NEAR(double(PlineSegs(r)[0].Alfa), double(pi), 1e-9);
    // A boundary past the half circle is not reached.
    FreeObjList(L, LE);
    Add(Pline({-20, -5}, {{{0, -5}}}));
    r = EnPline.Extend(r, {-10.2L, -0.2L}, {-9.8L, 0.2L}, L, LE, ok);
    EXPECT_FALSE(ok);
}

TEST_F(PlineEditTest, LoopTestCases) {
    struct Case {
        const char* Name;
        TObjHeader* Rec;
        int32_t Result;
        Osy P1;
        int32_t Seg;
    } cases[] = {
        {"two semicircles", Add(Pline({1, 0}, {{{-1, 0}, pi}, {{1, 0}, pi}})), 0, {}, 0},
        {"one segment", Add(Pline({0, 0}, {{{1, 0}}})), 0, {}, 0},
        {"square", Add(Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}})), 0, {}, 0},
        {"figure eight", Add(Poly({{0, 0}, {10, 10}, {10, 0}, {0, 10}, {0, 0}})), 1, {5, 5}, 0},
        {"open, crossing itself", Add(Poly({{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, -5}})), 1, {5, 0}, 0},
        // The first segment meets a later one at the start point: broken on the later one.
        {"through the start", Add(Poly({{0, 0}, {10, 0}, {10, 10}, {-5, -5}})), 1, {0, 0}, 2},
        {"overlap", Add(Poly({{0, 0}, {10, 0}, {10, 5}, {20, 5}, {20, 0}, {5, 0}})), 2, {5, 0}, 0},
    };
    for (const Case& c : cases) {
        Osy P1, P2;
        int32_t seg = -1;
        ASSERT_EQ(EnPline.LoopTest(c.Rec, P1, P2, seg), c.Result) << c.Name;
        if (c.Result) {
            EXPECT_TRUE(Near(P1, c.P1)) << c.Name;
            EXPECT_EQ(seg, c.Seg) << c.Name;
        }
    }
}

TEST_F(PlineEditTest, DivideFigureEight) {
    TObjHeader* before = Add(Pline({50, 50}, {{{60, 50}}}));
    TObjHeader* eight = Add(Poly({{0, 0}, {10, 10}, {10, 0}, {0, 10}, {0, 0}}));
    TObjHeader* after = Add(Pline({70, 50}, {{{80, 50}}}));
    ASSERT_EQ(AsPline(eight)->PlineFlags, PlineSelfCross);
    std::vector<TObjHeader*> pieces = EnPline.Divide(eight, L, LE);
    ASSERT_EQ(pieces.size(), 3u);  // the loop (5,5)..(5,5), and the two halves of the rest
    EXPECT_EQ(before->Next, pieces[0]);
    EXPECT_EQ(pieces[2]->Next, after);
    EXPECT_EQ(CheckObjList(L, LE), "");
    Extended total = 0;
    for (TObjHeader* q : pieces) {
        Osy P1, P2;
        int32_t seg;
        EXPECT_EQ(EnPline.LoopTest(q, P1, P2, seg), 0);
        total += EnPline.Length(q);
    }
    EXPECT_NEAR(double(total), double(20 + 20 * std::sqrt(2.0L)), 1e-9);
    // The loop through the right half is a closed triangle.
    int closed = 0;
    for (TObjHeader* q : pieces) closed += (AsPline(q)->PlineFlags & PlineClosed) ? 1 : 0;
    EXPECT_EQ(closed, 1);
}

TEST_F(PlineEditTest, DivideWithoutCrossingKeepsPlace) {
    TObjHeader* sq = Add(Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}));
    auto pieces = EnPline.Divide(sq, L, LE);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(L, pieces[0]);
    EXPECT_EQ(LE, pieces[0]);
}

TEST_F(PlineEditTest, ConcatPlines) {
    TObjHeader* a = Add(Pline({0, 0}, {{{10, 0}}}, 0));
    TObjHeader* mid = Add(Pline({50, 50}, {{{60, 50}}}));
    TObjHeader* b = Add(Pline({10, 0}, {{{10, 10}, 0.5L}, {{0, 10}}}));
    TObjHeader* a1 = a;
    TObjHeader* a2 = b;
    ConcatPlines(a1, a2, L, LE);
    EXPECT_EQ(a2, nullptr);
    EXPECT_EQ(L, a1);
    EXPECT_EQ(a1->Next, mid);
    EXPECT_EQ(LE, mid);
    ASSERT_EQ(PlineSegCount(a1), 3);
    EXPECT_EQ(PlineSegs(a1)[1].Alfa, 0.5L);
    EXPECT_TRUE(Near(PlineEndPt(a1), {0, 10}, 0));
    EXPECT_EQ(CheckObjList(L, LE), "");
    // The same record twice: nothing.
    TObjHeader* same = a1;
    TObjHeader* same2 = a1;
    ConcatPlines(same, same2, L, LE);
    EXPECT_EQ(same, a1);
    EXPECT_EQ(PlineSegCount(a1), 3);
}

}  // namespace

namespace {

// Broken records (no segment, coordinates that are not numbers, an arc of zero chord)
// go through every operation without a crash or a broken list.
TEST_F(PlineEditTest, BrokenRecordsSurviveEveryOperation) {
    const Extended nan = std::numeric_limits<Extended>::quiet_NaN();
    auto make = [&](size_t k) -> TObjHeader* {
        if (k == 0) {
            TObjHeader* empty = AllocObj(PlineSizeFor(0), ObjPline);
            empty->Layer = 1;
            return empty;
        }
        if (k == 1) return Pline({nan, 0}, {{{1, nan}}, {{2, 2}, nan}, {{0, 0}}});
        return Pline({1, 1}, {{{1, 1}, pi}, {{1, 1}, -2 * pi}, {{5, 1}}, {{1, 1}}}, PlineClosed);
    };
    for (size_t k = 0; k < 3; ++k) {
        TObjHeader* r = make(k);
        FreeObjList(L, LE);
        Add(r);
        TObjHeader* edge = Add(Pline({-5, 0}, {{{10, 5}}}));
        Osy a, b;
        Extended R;
        int32_t seg;
        RPolyPoints pts;
        EnPline.Draw(r, &Canv);
        EnPline.GetPoints(r, pts);
        EnPline.RawSelect(r, {0, 0}, {10, 10}, false);
        EnPline.Envelope(r, a, b);
        EnPline.Length(r);
        EnPline.HalfPoint(r);
        EnPline.IsCircle(r, a, R);
        EnPline.DistPoint(r, {3, 3}, seg);
        EnPline.PointInside(r, {3, 3});
        EnPline.CrossTest(r, edge, a);
        EnPline.LoopTest(r, a, b, seg);
        EnPline.ChangeDir(r);
        TObjHeader* cs = EnPline.ChangeStart(r, {1, 1}, {0, 0}, {2, 2});
        if (cs) FreeObjBlock(cs);
        std::vector<TObjHeader*> parts = EnPline.Divide(r, L, LE);
        if (k != 0) ASSERT_EQ(CheckObjList(L, LE), "") << k;  // a record without segments is itself unsound
        for (TObjHeader* p : parts) {
            if (p->Type != ObjPline) continue;
            TObjHeader* adr = nullptr;
            EnPline.NpropScale(p, {0, 0}, {2, 1}, L, LE, false, adr);
            ASSERT_EQ(CheckObjList(L, LE), "") << k;
            break;
        }
        // Trim and extend work on the drawing list.
        for (TObjHeader* p = L; p;) {
            TObjHeader* next = p->Next;
            if (p != edge) {
                UnlinkObj(p, L, LE);
                AddDrawing(p);
            }
            p = next;
        }
        TObjHeader* t = MainVars.DataStart;
        TObjHeader *r1 = nullptr, *r2 = nullptr;
        bool ok;
        if (t && t->Type == ObjPline) EnPline.Trim(t, {0, 0}, {3, 3}, L, LE, r1, r2);
        t = MainVars.DataStart;
        if (t && t->Type == ObjPline) EnPline.Extend(t, {0, 0}, {3, 3}, L, LE, ok);
        ASSERT_EQ(CheckObjList(MainVars.DataStart, MainVars.DataEnd), "") << k;
        FreeObjList(MainVars.DataStart, MainVars.DataEnd);
    }
}

}  // namespace
