// The point entity: drawing, picking, transforms, copies and the tool path.
#include <gtest/gtest.h>

#include <cmath>

#include "core/Entity.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"
#include "core/UniPoint.h"
#include "platform/RecordingCanvas.h"
#include "shell/MainVars.h"
#include "support/DrawArea.h"
#include "support/Fixture.h"

namespace {
using K = TCanvasOpKind;

class PointTest : public KestrilonTest {
protected:
    void SetUp() override {
        KestrilonTest::SetUp();
        SetTestDrawArea();
        Glob.View = vLayer;
        Glob.TabLayer[1].Show = true;
        Glob.TabLayer[1].Color = 0x0000FF;
        Glob.TabLayer[2].Show = true;
        Glob.TabLayer[2].Color = 0x00FF00;
        Glob.LayerDraw = 1;
        MainCanvas = &C;
    }
    void TearDown() override {
        FreeObjList(Start, End);
        KestrilonTest::TearDown();
    }
    TObjHeader* Add(Osy S, uint8_t Layer = 1) { return EnPoint.Add(S, Layer, Start, End); }
    static Osy S(TObjHeader* P) { return AsPoint(P)->S; }
    static void ExpectPt(const Osy& A, Extended X, Extended Y) {
        EXPECT_NEAR(double(A.x), double(X), 1e-9);
        EXPECT_NEAR(double(A.y), double(Y), 1e-9);
    }
    TObjHeader *Start = nullptr, *End = nullptr;
    TRecordingCanvas C{800, 600};
};

TEST_F(PointTest, AddMakesAPointRecord) {
    TObjHeader* p = Add({3, 4}, 7);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Type, ObjPoint);
    EXPECT_EQ(p->Size, PointRecSize);
    EXPECT_EQ(p->Layer, 7);
    EXPECT_EQ(p->Flags, 1);
    EXPECT_EQ(p->SavedFlags, 0);
    EXPECT_EQ(AsPoint(p)->PlineFlags, 0);
    ExpectPt(S(p), 3, 4);
    EXPECT_EQ(End, p);
    EXPECT_EQ(CheckObjList(Start, End), "");
}

TEST_F(PointTest, SelectToggletsOnTheBorderAndIgnoresHiddenLayers) {
    TObjHeader* p = Add({10, 10});
    EXPECT_TRUE(EnPoint.Select(p, {10, 5}, {20, 10}, true));  // both borders through the point
    EXPECT_TRUE(p->Flags & FlagSelected);
    EXPECT_EQ(C.Count(K::Ellipse), 1u);  // drawn at once on the main canvas
    EXPECT_FALSE(EnPoint.Select(p, {10, 5}, {20, 10}, false));
    EXPECT_FALSE(p->Flags & FlagSelected);
    EXPECT_FALSE(EnPoint.Select(p, {11, 5}, {20, 10}, true));  // a miss changes nothing
    EXPECT_TRUE(EnPoint.RawSelect(p, {0, 0}, {20, 20}, true));
    EXPECT_FALSE(p->Flags & FlagSelected);
    Glob.TabLayer[1].Show = false;
    C.Reset();
    EXPECT_FALSE(EnPoint.Select(p, {0, 0}, {20, 20}, true));
    EXPECT_FALSE(EnPoint.RawSelect(p, {0, 0}, {20, 20}, true));
    EXPECT_FALSE(p->Flags & FlagSelected);
    EXPECT_TRUE(C.Ops.empty());
}

TEST_F(PointTest, CopiesAndTheSelectedBit) {
    TObjHeader* p = Add({1, 2});
    p->Flags |= FlagSelected;
    p->SavedFlags = 2;
    TObjHeader* c = EnPoint.Copy(p, {10, 20}, Start, End);
    EXPECT_FALSE(p->Flags & FlagSelected);
    EXPECT_FALSE(c->Flags & FlagSelected);
    EXPECT_EQ(c->SavedFlags, 0);
    EXPECT_EQ(c->Layer, 1);
    ExpectPt(S(c), 11, 22);
    p->Flags |= FlagSelected;
    TObjHeader* i = EnPoint.CopyIdent(p, Start, End);
    EXPECT_TRUE(i->Flags & FlagSelected);
    EXPECT_EQ(i->SavedFlags, 2);
    ExpectPt(S(i), 1, 2);
    EXPECT_EQ(CountObjs(Start), 3);
    EXPECT_EQ(CheckObjList(Start, End), "");
}

TEST_F(PointTest, Transforms) {
    struct Case {
        const char* Name;
        void (*Op)(TObjHeader*);
        Osy From, To;
    };
    const Case cases[] = {
        {"move", [](TObjHeader* p) { EnPoint.Move(p, {1, -2}); }, {3, 4}, {4, 2}},
        {"rotate pi", [](TObjHeader* p) { EnPoint.Rotate(p, {1, 1}, GeomPi); }, {3, 4}, {-1, -2}},
        {"rotate 3pi/2 wraps", [](TObjHeader* p) { EnPoint.Rotate(p, {0, 0}, 3 * GeomPi2); }, {0, 2}, {2, 0}},
        {"mirror x axis", [](TObjHeader* p) { EnPoint.Mirror(p, {0, 0}, {5, 0}); }, {3, 4}, {3, -4}},
        {"mirror diagonal", [](TObjHeader* p) { EnPoint.Mirror(p, {0, 0}, {1, 1}); }, {3, 1}, {1, 3}},
        {"scale", [](TObjHeader* p) { EnPoint.Scale(p, {1, 1}, 2); }, {3, 4}, {5, 7}},
        {"nprop scale",
         [](TObjHeader* p) {
             TObjHeader* adr = nullptr;
             EnPoint.NpropScale(p, {1, 1}, {2, 3}, adr);
             EXPECT_EQ(adr, nullptr);
         },
         {3, 4}, {5, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TObjHeader* p = Add(c.From);
        p->Flags |= FlagSelected;
        c.Op(p);
        ExpectPt(S(p), c.To.x, c.To.y);
        EXPECT_FALSE(p->Flags & FlagSelected);
    }
}

TEST_F(PointTest, RawTransformsDrawOnTheMainCanvas) {
    TObjHeader* p = Add({10, 10});
    p->Flags |= FlagSelected;
    EnPoint.RawMove(p, {1, 0});
    EXPECT_TRUE(p->Flags & FlagSelected);  // RawMove keeps the bit
    ExpectPt(S(p), 11, 10);
    EnPoint.RawRotate(p, {10, 10}, GeomPi);
    EXPECT_FALSE(p->Flags & FlagSelected);
    ExpectPt(S(p), 9, 10);
    EnPoint.RawMirror(p, {10, 0}, {10, 1});
    ExpectPt(S(p), 11, 10);
    EnPoint.RawScale(p, {0, 0}, 2);
    TObjHeader* adr = nullptr;
    EnPoint.RawNpropScale(p, {0, 0}, {0.5L, 1}, adr);
    ExpectPt(S(p), 11, 20);
    EXPECT_EQ(C.Count(K::Ellipse), 5u);
}

TEST_F(PointTest, DrawFollowsTheViewMode) {
    Glob.SelObjColor = 0xABCDEF;
    Glob.SelObjWidth = 3;
    Glob.SelObjOpac = 0.5f;
    TObjHeader* p = Add({10, 10});
    EnPoint.Draw(p, &C);
    ASSERT_EQ(C.Ops.size(), 1u);
    EXPECT_EQ(C.Ops[0].PenColor, 0x0000FFu);
    EXPECT_EQ(C.Ops[0].PenWidth, 1);
    ExpectPt(MainVars.LastPos, 10, 10);

    C.Reset();
    p->Flags |= FlagSelected;
    EnPoint.Draw(p, &C);
    EXPECT_EQ(C.Ops[0].PenColor, 0xABCDEFu);
    EXPECT_EQ(C.Ops[0].PenWidth, 3);
    EXPECT_FLOAT_EQ(C.Ops[0].Opacity, 0.5f);
    p->Flags &= ~FlagSelected;

    // The tool-bottom view draws the tool's footprint.
    C.Reset();
    Glob.View = vToolDn;
    Glob.Tool[1].SpodniPrumer = 2;
    EnPoint.Draw(p, &C);
    EXPECT_EQ(C.Ops[0].PenWidth, 16);

    // The direction view shows points only with the open class.
    C.Reset();
    Glob.View = vDir;
    Glob.Direct[dkOpen] = {false, 0x111111};
    EnPoint.Draw(p, &C);
    EXPECT_TRUE(C.Ops.empty());
    Glob.Direct[dkOpen].Show = true;
    EnPoint.Draw(p, &C);
    ASSERT_EQ(C.Ops.size(), 1u);
    EXPECT_EQ(C.Ops[0].PenColor, 0x111111u);

    // Hidden layer: nothing.
    C.Reset();
    Glob.View = vLayer;
    Glob.TabLayer[1].Show = false;
    EnPoint.Draw(p, &C);
    EXPECT_TRUE(C.Ops.empty());
}

TEST_F(PointTest, SortViewNumbersAndRapids) {
    Glob.View = vSort;
    Glob.Arrow = false;
    Glob.Sort.Cisla = true;
    Glob.Sort.Prejezdy = true;
    Glob.Sort.PointColor = 0x222222;
    Glob.Sort.Index = 7;
    Glob.RapidsWidth = 2;
    Glob.RapidsOpac = 0.3f;
    Glob.BackColor = 0x010101;
    MainVars.LastPos = {0, 0};
    TObjHeader* other = Add({20, 20}, 2);
    EnPoint.Draw(other, &C);  // not the current layer: nothing, no number
    EXPECT_TRUE(C.Ops.empty());

    TObjHeader* p = Add({10, 10});
    EnPoint.Draw(p, &C);
    auto lines = C.OfKind(K::Line);
    ASSERT_EQ(lines.size(), 1u);  // the rapid move from LastPos
    EXPECT_EQ(lines[0].Pts, (std::vector<TPoint>{{0, 600}, {80, 520}}));
    EXPECT_FLOAT_EQ(lines[0].Opacity, 0.3f);
    EXPECT_EQ(lines[0].PenColor, 0x222222u);
    auto rects = C.OfKind(K::Rectangle);
    auto texts = C.OfKind(K::Text);
    ASSERT_EQ(rects.size(), 1u);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Text, "7");
    // Text 8 x 16 px: box from (px + 3, py - 9), 12 x 18, filled with the background.
    EXPECT_EQ(rects[0].Pts, (std::vector<TPoint>{{83, 511}, {95, 529}}));
    EXPECT_EQ(rects[0].BrushColor, 0x010101u);
    EXPECT_EQ(texts[0].Pts[0], (TPoint{85, 512}));
    EXPECT_EQ(texts[0].Color, 0x222222u);
}

TEST_F(PointTest, DispatchOnTheKindByte) {
    TObjHeader* p = Add({1, 1});
    MoveObj(p, {1, 1});
    ExpectPt(S(p), 2, 2);
    Osy mn, mx;
    EnvelopeObj(p, mn, mx);
    ExpectPt(mn, 2, 2);
    ExpectPt(mx, 2, 2);
    EXPECT_TRUE(SelectObj(p, {0, 0}, {5, 5}, true));
    TObjHeader* bogus = AllocObj(PointRecSize, 9);
    MoveObj(bogus, {1, 1});  // unknown kinds are skipped
    EXPECT_FALSE(SelectObj(bogus, {-1e9L, -1e9L}, {1e9L, 1e9L}, true));
    EXPECT_EQ(CopyObj(bogus, {1, 1}, Start, End), nullptr);
    FreeObjBlock(bogus);
}

// The tool path around a point.
class PointOffsetTest : public PointTest {
protected:
    TObjHeader* Path = nullptr;
    void TearDown() override {
        if (Path) FreeObjBlock(Path);
        PointTest::TearDown();
    }
    std::vector<Osy> Points() const {
        std::vector<Osy> v{AsPline(Path)->S};
        for (int32_t i = 0; i < PlineSegCount(Path); ++i) v.push_back(PlineSegs(Path)[i].E);
        return v;
    }
};

TEST_F(PointOffsetTest, CircleWithoutLeads) {
    Glob.LayerDraw = 5;
    TObjHeader* p = Add({10, 20});
    Path = EnPoint.Offset(p, false, false, 3, 1, 0.5L);
    ASSERT_NE(Path, nullptr);
    EXPECT_EQ(Path->Type, ObjPline);
    EXPECT_EQ(Path->Layer, 5);
    EXPECT_EQ(Path->Next, nullptr);
    EXPECT_EQ(Path->Prev, nullptr);
    EXPECT_EQ(Path->SavedFlags, 0);
    ASSERT_EQ(PlineSegCount(Path), 4);
    EXPECT_TRUE(AsPline(Path)->PlineFlags & PlineClosed);
    ExpectPt(AsPline(Path)->S, 13, 20);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(double(PlineSegs(Path)[i].Alfa), double(GeomPi2), 1e-12);
    EXPECT_EQ(CountObjs(Start), 1);  // the drawing list is untouched
}

TEST_F(PointOffsetTest, Leads) {
    TObjHeader* p = Add({10, 20});
    const Extended d = 3, r = 2, u = 0.7L;
    const Osy q{10 + d + r, 20};
    struct Case {
        bool In, Out;
        int Segs;
    };
    for (const Case c : {Case{true, true, 6}, Case{true, false, 5}, Case{false, true, 5}}) {
        SCOPED_TRACE(std::to_string(c.In) + std::to_string(c.Out));
        Path = EnPoint.Offset(p, c.In, c.Out, d, r, u);
        ASSERT_NE(Path, nullptr);
        ASSERT_EQ(PlineSegCount(Path), c.Segs);
        EXPECT_FALSE(AsPline(Path)->PlineFlags & PlineClosed);
        auto pts = Points();
        if (c.In) {
            ExpectPt(pts.front(), q.x + r * std::cos(u + GeomPi), q.y + r * std::sin(u + GeomPi));
            EXPECT_LT(pts.front().y, 20);
            EXPECT_NEAR(double(PlineSegs(Path)[0].Alfa), -double(u), 1e-12);
            ExpectPt(pts[1], 13, 20);
        } else {
            ExpectPt(pts.front(), 13, 20);
        }
        if (c.Out) {
            ExpectPt(pts.back(), q.x + r * std::cos(GeomPi - u), q.y + r * std::sin(GeomPi - u));
            EXPECT_GT(pts.back().y, 20);  // above the circle's start
            EXPECT_NEAR(double(PlineSegs(Path)[c.Segs - 1].Alfa), -double(u), 1e-12);
        }
        if (c.In && c.Out) {  // mirror images about y = S.y
            EXPECT_NEAR(double(pts.front().x), double(pts.back().x), 1e-9);
            EXPECT_NEAR(double(pts.front().y - 20), double(20 - pts.back().y), 1e-9);
        }
        FreeObjBlock(Path);
        Path = nullptr;
    }
}

TEST_F(PointOffsetTest, NoPathBelowTheTolerance) {
    TObjHeader* p = Add({10, 20});
    EXPECT_EQ(EnPoint.Offset(p, false, false, 0, 1, 1), nullptr);
    EXPECT_EQ(EnPoint.Offset(p, true, true, 1e-7L, 1, 1), nullptr);
    EXPECT_EQ(EnPoint.Offset(p, true, true, -5, 1, 1), nullptr);
}
}  // namespace
