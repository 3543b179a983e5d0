// Creation and transforms of polylines: the basic shapes, in-place transforms,
// non-proportional scaling, reversal, new start point, explode.
#include "core/UniLog.h"
#include "test_pline_util.h"

using namespace pltest;

namespace {

class PlineTransformTest : public PlineTest {};

const Extended pi = GeomPi;

TEST_F(PlineTransformTest, CreationShapes) {
    EnPline.CircleAdd({1, 2}, 3, 5, L, LE);
    ASSERT_EQ(PlineSegCount(LE), 4);
    EXPECT_EQ(LE->Layer, 5);
    EXPECT_EQ(LE->Flags, FlagNew);
    EXPECT_EQ(LE->SavedFlags, 0);
    EXPECT_EQ(AsPline(LE)->PlineFlags, PlineClosed);
    EXPECT_TRUE(Near(AsPline(LE)->S, {4, 2}, 0));
    EXPECT_TRUE(Near(PlineSegs(LE)[0].E, {1, 5}, 0));
    EXPECT_EQ(PlineSegs(LE)[0].Alfa, GeomPi2);

    // From the upper-right to the lower-left corner: counter-clockwise.
    EnPline.RectangleAdd({10, 10}, {0, 0}, 1, L, LE);
    EXPECT_EQ(AsPline(LE)->PlineFlags, PlineClosed);
    EXPECT_TRUE(Near(PlineSegs(LE)[0].E, {0, 10}, 0));
    EnPline.RectangleAdd({0, 10}, {10, 0}, 1, L, LE);
    EXPECT_EQ(AsPline(LE)->PlineFlags, PlineClosed | PlineCW);

    EnPline.ArcAdd({0, 0}, {2, 0}, -pi, 1, L, LE);
    EXPECT_EQ(PlineSegs(LE)[0].Alfa, -pi);
    EXPECT_EQ(AsPline(LE)->PlineFlags, 0);

    // Degenerate input makes nothing.
    const int32_t before = Count(L);
    EnPline.LineAdd({1, 1}, {1 + 1e-7L, 1}, 1, L, LE);
    EnPline.ArcAdd({1, 1}, {1, 1}, pi, 1, L, LE);
    EnPline.CircleAdd({0, 0}, 1e-7L, 1, L, LE);
    EnPline.RectangleAdd({0, 0}, {10, 1e-7L}, 1, L, LE);
    EXPECT_EQ(Count(L), before);
}

TEST_F(PlineTransformTest, InPlaceTransforms) {
    struct Case {
        const char* Name;
        void (*Op)(TObjHeader*);
        Osy S, E;
        Extended Alfa;
    } cases[] = {
        {"move", [](TObjHeader* p) { EnPline.Move(p, {1, -2}); }, {2, -2}, {3, -2}, pi / 2},
        {"rotate pi about (1,1)", [](TObjHeader* p) { EnPline.Rotate(p, {1, 1}, pi); }, {1, 2}, {0, 2}, pi / 2},
        {"mirror about x axis", [](TObjHeader* p) { EnPline.Mirror(p, {0, 0}, {5, 0}); }, {1, 0}, {2, 0}, -pi / 2},
        {"mirror about y = x", [](TObjHeader* p) { EnPline.Mirror(p, {0, 0}, {1, 1}); }, {0, 1}, {0, 2}, -pi / 2},
        {"scale 2 about (1,0)", [](TObjHeader* p) { EnPline.Scale(p, {1, 0}, 2); }, {1, 0}, {3, 0}, pi / 2},
    };
    for (const Case& c : cases) {
        TObjHeader* p = Add(Pline({1, 0}, {{{2, 0}, pi / 2}}, PlineClosed | PlineCW));
        p->Flags |= FlagSelected;
        c.Op(p);
        EXPECT_TRUE(Near(AsPline(p)->S, c.S)) << c.Name;
        EXPECT_TRUE(Near(PlineSegs(p)[0].E, c.E)) << c.Name;
        EXPECT_EQ(PlineSegs(p)[0].Alfa, c.Alfa) << c.Name;
        EXPECT_EQ(p->Flags & FlagSelected, 0) << c.Name;
        EXPECT_EQ(AsPline(p)->PlineFlags, PlineClosed | PlineCW) << c.Name << ": flags not recomputed";
    }
}

TEST_F(PlineTransformTest, RawVariantsDrawAndSelection) {
    TObjHeader* p = Add(Pline({10, 10}, {{{20, 10}}}));
    p->Flags |= FlagSelected;
    EnPline.RawMove(p, {1, 1});
    EXPECT_NE(p->Flags & FlagSelected, 0);
    ASSERT_FALSE(Canv.OfKind(TCanvasOpKind::Line).empty());
    EXPECT_EQ(Canv.OfKind(TCanvasOpKind::Line).back().PenColor, Glob.SelObjColor);  // highlighted
    Canv.Reset();
    Canv.PenColor = 0x123456;
    EnPline.RawRotate(p, {0, 0}, 0.1L);
    EXPECT_EQ(p->Flags & FlagSelected, 0);
    ASSERT_FALSE(Canv.OfKind(TCanvasOpKind::Line).empty());
    EXPECT_EQ(Canv.OfKind(TCanvasOpKind::Line).back().PenColor, 0x123456u);  // the caller's pen
}

TEST_F(PlineTransformTest, NpropScaleCircleTwoByOne) {
    EnPline.LineAdd({50, 50}, {60, 50}, 1, L, LE);
    EnPline.CircleAdd({0, 0}, 1, 1, L, LE);
    EnPline.LineAdd({70, 50}, {80, 50}, 1, L, LE);
    TObjHeader* circle = L->Next;
    TObjHeader* adr = nullptr;
    ASSERT_TRUE(EnPline.NpropScale(circle, {0, 0}, {2, 1}, L, LE, false, adr));
    ASSERT_NE(adr, nullptr);
    EXPECT_EQ(L->Next, adr);
    EXPECT_EQ(adr->Next, LE);
    EXPECT_EQ(CheckObjList(L, LE), "");
    ASSERT_EQ(PlineSegCount(adr), 16);
    EXPECT_EQ(AsPline(adr)->PlineFlags, PlineClosed);
    auto onEllipse = [](const Osy& p) { return double(p.x * p.x / 4 + p.y * p.y); };
    EXPECT_NEAR(onEllipse(AsPline(adr)->S), 1, 1e-12);
    Extended sum = 0;
    for (int32_t i = 0; i < 16; ++i) {
        EXPECT_NEAR(onEllipse(PlineSegs(adr)[i].E), 1, 1e-12) << i;
        EXPECT_GT(PlineSegs(adr)[i].Alfa, 0) << i;
        sum += PlineSegs(adr)[i].Alfa;
    }
    EXPECT_NEAR(double(sum), double(2 * pi), 0.05);  // the re-fitted arcs still turn once
}

TEST_F(PlineTransformTest, NpropScalePieceCounts) {
    const Extended F = pi / 4;  // factors (1, 1)
    struct Case {
        const char* Name;
        Extended Alfa;
        int32_t Pieces;
    } cases[] = {
        {"0.6 F stays whole", 0.6L * F, 1}, {"1.4 F rounds to 1", 1.4L * F, 1}, {"1.6 F rounds to 2", 1.6L * F, 2},
        {"quarter arc", pi / 2, 2},         {"half circle", pi, 4},             {"cw half circle", -pi, 4},
    };
    for (const Case& c : cases) {
        TObjHeader* p = Add(Pline({10, 0}, {{{0, 0}, c.Alfa}}));
        TObjHeader* adr = nullptr;
        ASSERT_TRUE(EnPline.NpropScale(p, {0, 0}, {1, 1}, L, LE, false, adr)) << c.Name;
        ASSERT_EQ(PlineSegCount(adr), c.Pieces) << c.Name;
        for (int32_t i = 0; i < c.Pieces; ++i)
            EXPECT_NEAR(double(PlineSegs(adr)[i].Alfa), double(c.Alfa / c.Pieces), 1e-12) << c.Name;
        EXPECT_TRUE(Near(PlineEndPt(adr), {0, 0}, 0)) << c.Name;
    }
}

TEST_F(PlineTransformTest, NpropScaleExtremeRatioStaysBounded) {
    EnPline.CircleAdd({0, 0}, 1, 1, L, LE);
    TObjHeader* adr = nullptr;
    ASSERT_TRUE(EnPline.NpropScale(LE, {0, 0}, {1e-9L, 1}, L, LE, false, adr));
    EXPECT_LE(PlineSegCount(adr), 4 * 4096);
    EXPECT_EQ(CheckObjList(L, LE), "");
}

TEST_F(PlineTransformTest, NpropScaleRefusesFactorsNotPositive) {
    const Osy bad[] = {{0, 1}, {1, 0}, {-1, 1}, {2, -0.5L}};
    for (const Osy& f : bad) {
        EnPline.CircleAdd({0, 0}, 1, 1, L, LE);
        TObjHeader* circle = LE;
        const std::vector<uint8_t> before(reinterpret_cast<uint8_t*>(circle),
                                          reinterpret_cast<uint8_t*>(circle) + circle->Size);
        TObjHeader* adr = nullptr;
        ResetLog();
        EXPECT_FALSE(EnPline.NpropScale(circle, {0, 0}, f, L, LE, false, adr));
        EXPECT_EQ(adr, nullptr);
        EXPECT_EQ(LE, circle);
        EXPECT_TRUE(SameRecord(reinterpret_cast<const TObjHeader*>(before.data()), circle));
        EXPECT_EQ(LogLastText().rfind("Err:", 0), 0u) << LogLastText();
    }
}

TEST_F(PlineTransformTest, ChangeDirTwiceRestoresRecord) {
    TObjHeader* recs[] = {
        Add(Pline({0, 0}, {{{10, 0}}, {{10, 10}, pi / 3}, {{0, 5}, -0.2L}, {{0, 0}}}, PlineClosed)),
        Add(Pline({0, 0}, {{{3, 1}, 1}, {{7, -2}}}, 0)),
        Add(Pline({1, 1}, {{{2, 2}}})),
    };
    for (TObjHeader* p : recs) {
        const std::vector<uint8_t> before(reinterpret_cast<uint8_t*>(p), reinterpret_cast<uint8_t*>(p) + p->Size);
        const uint8_t flags = AsPline(p)->PlineFlags;
        p->Flags |= FlagSelected;
        EnPline.ChangeDir(p);
        EXPECT_TRUE(Near(AsPline(p)->S, PlineEndPt(reinterpret_cast<const TObjHeader*>(before.data())), 0));
        EXPECT_EQ(AsPline(p)->PlineFlags, (flags & PlineClosed) ? flags ^ PlineCW : flags);
        EnPline.ChangeDir(p);
        EXPECT_TRUE(SameRecord(reinterpret_cast<const TObjHeader*>(before.data()), p));
    }
    // The reversed closed polyline: clockwise, and its arcs bend the other way.
    EnPline.ChangeDir(recs[0]);
    EXPECT_EQ(AsPline(recs[0])->PlineFlags, PlineClosed | PlineCW);
    EXPECT_EQ(PlineSegs(recs[0])[1].Alfa, 0.2L);
    EXPECT_EQ(PlineSegs(recs[0])[2].Alfa, -pi / 3);
    EXPECT_TRUE(Near(PlineSegs(recs[0])[1].E, {10, 10}, 0));
}

TEST_F(PlineTransformTest, CopyAndCopyIdent) {
    TObjHeader* p = Add(Pline({0, 0}, {{{1, 0}, 0.5L}}, 0));
    p->Flags |= FlagSelected;
    p->SavedFlags = 3;
    TObjHeader* ident = EnPline.CopyIdent(p, L, LE);
    EXPECT_TRUE(SameRecord(p, ident));
    TObjHeader* c = EnPline.Copy(p, {5, 5}, L, LE);
    EXPECT_EQ(p->Flags & FlagSelected, 0);
    EXPECT_EQ(c->Flags & FlagSelected, 0);
    EXPECT_EQ(c->SavedFlags, 0);
    EXPECT_TRUE(Near(AsPline(c)->S, {5, 5}, 0));
    EXPECT_TRUE(Near(PlineSegs(c)[0].E, {6, 5}, 0));
    EXPECT_EQ(PlineSegs(c)[0].Alfa, 0.5L);
    EXPECT_EQ(LE, c);
}

TEST_F(PlineTransformTest, ChangeStart) {
    TObjHeader* sq = Add(Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}));
    // A vertex inside the pick box: the new polyline starts there.
    TObjHeader* r = EnPline.ChangeStart(sq, {10.2L, 9.9L}, {9, 9}, {11, 11});
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Next, nullptr);
    EXPECT_EQ(r->Prev, nullptr);
    EXPECT_TRUE(Near(AsPline(r)->S, {10, 10}, 0));
    EXPECT_EQ(PlineSegCount(r), 4);
    EXPECT_EQ(AsPline(r)->PlineFlags, PlineClosed);
    EXPECT_NEAR(double(EnPline.Length(r)), 40, 1e-12);
    AppendObj(r, L, LE);
    // Picking the start vertex makes nothing.
    EXPECT_EQ(EnPline.ChangeStart(sq, {0.1L, 0.1L}, {-1, -1}, {1, 1}), nullptr);
    // Away from the vertices: the foot on the nearest segment becomes the start.
    r = EnPline.ChangeStart(sq, {4, -1}, {3.5L, -1.5L}, {4.5L, -0.5L});
    ASSERT_NE(r, nullptr);
    AppendObj(r, L, LE);
    EXPECT_TRUE(Near(AsPline(r)->S, {4, 0}));
    EXPECT_TRUE(Near(PlineEndPt(r), {4, 0}));
    EXPECT_EQ(PlineSegCount(r), 5);
    EXPECT_NEAR(double(EnPline.Length(r)), 40, 1e-9);
    // Open: nothing.
    TObjHeader* open = Add(Poly({{0, 0}, {10, 0}, {10, 10}}));
    EXPECT_EQ(EnPline.ChangeStart(open, {10, 0}, {9, -1}, {11, 1}), nullptr);
}

TEST_F(PlineTransformTest, ExplodeReplacesBySegments) {
    TObjHeader* first = Add(Pline({0, 0}, {{{1, 0}}}));
    TObjHeader* p = Add(Pline({0, 0}, {{{10, 0}}, {{10, 10}, pi / 2}, {{0, 10}}}, PlineClosed));
    p->Layer = 2;
    std::vector<TObjHeader*> parts = EnPline.Explode(p, L, LE);
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(L, first);
    EXPECT_EQ(first->Next, parts[0]);
    EXPECT_EQ(LE, parts[2]);
    EXPECT_EQ(CheckObjList(L, LE), "");
    EXPECT_TRUE(Near(AsPline(parts[1])->S, {10, 0}, 0));
    EXPECT_EQ(PlineSegs(parts[1])[0].Alfa, pi / 2);
    for (TObjHeader* q : parts) {
        EXPECT_EQ(q->Layer, 2);
        EXPECT_EQ(AsPline(q)->PlineFlags, 0);
        EXPECT_EQ(PlineSegCount(q), 1);
    }
}

}  // namespace
