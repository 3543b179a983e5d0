// The 3D polyline entity: lengths and flat images, closed and direction flags,
// reversal, non-proportional scaling, transforms, picking and the tool views.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "core/Builder.h"
#include "core/UniLog.h"
#include "core/UniSpace.h"
#include "test_pline_util.h"

namespace {

using pltest::Near;

struct Seg3 {
    Osy3D E;
    Extended Alfa = 0;
};

// A 3D polyline record on layer 1, not linked.
TObjHeader* Sp(Osy3D S, const std::vector<Seg3>& Segs, uint8_t PlineFlags = 0) {
    TObjHeader* r = AllocObj(Pline3DSizeFor(int32_t(Segs.size())), ObjPline3D);
    r->Layer = 1;
    AsPline3D(r)->S = S;
    AsPline3D(r)->PlineFlags = PlineFlags;
    for (size_t i = 0; i < Segs.size(); ++i) Pline3DSegs(r)[i] = {Segs[i].Alfa, Segs[i].E};
    return r;
}

// Owns a record handed out by Only2D / To2D.
struct Owned {
    TObjHeader* p;
    explicit Owned(TObjHeader* p) : p(p) {}
    ~Owned() { FreeObjBlock(p); }
};

// Every field of two 3D polyline records but the list links.
bool SameRec(const TObjHeader* a, const TObjHeader* b) {
    auto Same3 = [](const Osy3D& p, const Osy3D& q) { return p.x == q.x && p.y == q.y && p.z == q.z; };
    if (a->Size != b->Size || a->Layer != b->Layer || a->Flags != b->Flags || a->SavedFlags != b->SavedFlags ||
        a->Type != b->Type || AsPline3D(a)->PlineFlags != AsPline3D(b)->PlineFlags ||
        !Same3(AsPline3D(a)->S, AsPline3D(b)->S))
        return false;
    for (int32_t i = 0; i < Pline3DSegCount(a); ++i)
        if (Pline3DSegs(a)[i].Alfa != Pline3DSegs(b)[i].Alfa || !Same3(Pline3DSegs(a)[i].E, Pline3DSegs(b)[i].E))
            return false;
    return true;
}

class SpaceTest : public pltest::PlineTest {};

TEST_F(SpaceTest, LengthAndFlatImages) {
    const Extended Pi = GeomPi;
    struct Case {
        const char* Name;
        Osy3D S;
        std::vector<Seg3> Segs;
        Extended Length;
        int OnlySegs, ToSegs;  // segments of the images, -1: a point record
    } Cases[] = {
        {"one sloped line", {0, 0, 0}, {{{3, 4, -12}}}, 13, -1, 1},
        {"two flat lines", {0, 0, -1}, {{{10, 0, -1}}, {{10, 5, -1}}}, 15, 2, 2},
        // A flat half circle, then a plunge straight down: the plunge has no x-y image.
        {"arc and plunge", {0, 0, 0}, {{{2, 0, 0}, Pi}, {{2, 0, -5}}}, Pi + 5, 1, 1},
        // A flat segment after a sloped one joins the last point taken (the start).
        // The length takes the joined image: 5 (ramp in space) + 5 (image chord to (4, 3)).
        {"ramp then flat", {0, 0, 0}, {{{4, 0, -3}}, {{4, 3, -3}}}, 5 + 5, 1, 2},
        {"no segments", {1, 2, 3}, {}, 0, -1, -1},
    };
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.Name);
        TObjHeader* r = Add(Sp(c.S, c.Segs));
        EXPECT_NEAR(double(EnSpace.Length(r)), double(c.Length), 1e-12);
        Owned Only(EnSpace.Only2D(r)), To(EnSpace.To2D(r));
        for (auto [Img, Segs] : {std::pair{Only.p, c.OnlySegs}, std::pair{To.p, c.ToSegs}}) {
            EXPECT_EQ(Img->Next, nullptr);
            EXPECT_EQ(Img->Layer, 1);
            EXPECT_EQ(Img->Type, Segs < 0 ? ObjPoint : ObjPline);
            if (Segs >= 0) {
                EXPECT_EQ(PlineSegCount(Img), Segs);
            }
            EXPECT_TRUE(Near(AsPline(Img)->S, {c.S.x, c.S.y}));
        }
    }
    // The joined flat segment of "ramp then flat" runs from the start to (4, 3).
    TObjHeader* r = Add(Sp({0, 0, 0}, {{{4, 0, -3}}, {{4, 3, -3}}}));
    Owned Only(EnSpace.Only2D(r));
    EXPECT_TRUE(Near(PlineSegs(Only.p)[0].E, {4, 3}));
}

TEST_F(SpaceTest, OpenPlineUsesSpatialDistanceAndJoinTol) {
    Glob.JoinTol = 0.01L;
    struct Case {
        Osy3D End;
        bool Open;
    } Cases[] = {
        {{0.003L, 0.004L, 0}, false},  // 0.005 mm away in space: closed
        {{0, 0, 1}, true},             // same x and y, 1 mm higher: open
        {{0, 0.02L, 0}, true},
    };
    for (const Case& c : Cases) {
        TObjHeader* r = Add(Sp({0, 0, 0}, {{{10, 0, 0}}, {{10, 10, 0}}, {c.End}}, PlineClosed));
        EXPECT_EQ(EnSpace.OpenPline(r), c.Open);
        EXPECT_EQ((AsPline3D(r)->PlineFlags & PlineClosed) != 0, !c.Open);
    }
    TObjHeader* Empty = Add(Sp({5, 5, 5}, {}));
    EXPECT_FALSE(EnSpace.OpenPline(Empty));  // no segment: closed
}

TEST_F(SpaceTest, FindDirReadsTheFlatImageAndStoresOnlyTheClosedBit) {
    Glob.JoinTol = 0.01L;
    // Clockwise and counter-clockwise flat squares at z = -1.
    std::vector<Seg3> CW = {{{0, 10, -1}}, {{10, 10, -1}}, {{10, 0, -1}}, {{0, 0, -1}}};
    std::vector<Seg3> CCW = {{{10, 0, -1}}, {{10, 10, -1}}, {{0, 10, -1}}, {{0, 0, -1}}};
    TObjHeader* a = Add(Sp({0, 0, -1}, CW));
    TObjHeader* b = Add(Sp({0, 0, -1}, CCW, PlineCW));
    EXPECT_TRUE(EnSpace.FindDir(a));
    EXPECT_EQ(AsPline3D(a)->PlineFlags, PlineClosed);  // clockwise bit not stored
    EXPECT_FALSE(EnSpace.FindDir(b));
    EXPECT_EQ(AsPline3D(b)->PlineFlags, PlineClosed | PlineCW);  // left as it was

    // Without segments there is nothing to orient: false, no 2D reading of the record.
    TObjHeader* e = Add(Sp({0, 0, 0}, {}, PlineCW));
    EXPECT_FALSE(EnSpace.FindDir(e));
    EXPECT_EQ(AsPline3D(e)->PlineFlags, PlineClosed | PlineCW);
    // Closed, but every segment sloped: the flat image is a point.
    TObjHeader* s = Add(Sp({0, 0, 0}, {{{5, 0, -1}}, {{0, 0, 0}}}));
    EXPECT_FALSE(EnSpace.FindDir(s));

    // The builder makes a segment-less 3D polyline too; FindDir copes with it.
    StartObj3D({1, 1, 1});
    TObjHeader* m = MakeObj3D(1, L, LE);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->Type, ObjPline3D);
    EXPECT_FALSE(EnSpace.FindDir(m));
}

TEST_F(SpaceTest, ChangeDirTwiceRestoresTheRecord) {
    for (uint8_t Flags : {uint8_t(0), uint8_t(PlineClosed)}) {
        TObjHeader* r = Add(Sp({0, 0, 0}, {{{10, 0, -1}, 0}, {{10, 10, -2}, 1.0L}, {{0, 10, -2}, -0.5L}}, Flags));
        r->Flags |= FlagSelected;
        TObjHeader* Before = CopyObjBlock(r);

        EnSpace.ChangeDir(r);
        const TPline3DRec* q = AsPline3D(r);
        EXPECT_EQ(q->S.x, 0);
        EXPECT_EQ(q->S.y, 10);
        EXPECT_EQ(q->S.z, -2);
        EXPECT_EQ(Pline3DSegs(r)[0].Alfa, 0.5L);
        EXPECT_EQ(Pline3DSegs(r)[0].E.z, -2);
        EXPECT_EQ(Pline3DSegs(r)[1].Alfa, -1.0L);
        EXPECT_EQ(Pline3DSegs(r)[2].E.z, 0);
        EXPECT_EQ(q->PlineFlags, Flags ^ PlineCW);  // flipped for open ones as well
        EXPECT_EQ(r->Flags & FlagSelected, 0);

        EnSpace.ChangeDir(r);
        r->Flags |= FlagSelected;
        EXPECT_TRUE(SameRec(Before, r));
        FreeObjBlock(Before);
    }
}

TEST_F(SpaceTest, NpropScaleCutsArcsAndReplacesTheRecord) {
    // Half circle of radius 5 about (5, 0) at z = -2, between two other records.
    TObjHeader* a = Add(Sp({0, 0, 0}, {{{1, 0, 0}}}));
    TObjHeader* r = Add(Sp({0, 0, -1}, {{{10, 0, -2}, -GeomPi}, {{20, 0, -2}}}, PlineClosed | PlineCW));
    TObjHeader* c = Add(Sp({0, 0, 0}, {{{1, 0, 0}}}));
    r->Flags |= FlagSelected;
    TObjHeader* Adr = nullptr;
    ASSERT_TRUE(EnSpace.NpropScale(r, {0, 0}, {2, 1}, L, LE, Adr));
    ASSERT_NE(Adr, nullptr);
    EXPECT_EQ(a->Next, Adr);
    EXPECT_EQ(c->Prev, Adr);
    EXPECT_EQ(Adr->Flags & FlagSelected, 0);
    EXPECT_EQ(AsPline3D(Adr)->PlineFlags, PlineClosed | PlineCW);
    // F = pi/8: the half circle becomes 8 arcs, the line stays one segment.
    ASSERT_EQ(Pline3DSegCount(Adr), 9);
    Osy3D P = AsPline3D(Adr)->S;
    EXPECT_EQ(P.z, -1);
    for (int i = 0; i < 8; ++i) {
        const TPlineSeg3D& g = Pline3DSegs(Adr)[i];
        EXPECT_LT(g.Alfa, 0);
        EXPECT_EQ(g.E.z, -2);
        // Every end lies on the ellipse ((x - 10) / 10)^2 + (y / 5)^2 = 1.
        Extended u = (g.E.x - 10) / 10, v = g.E.y / 5;
        EXPECT_NEAR(double(u * u + v * v), 1.0, 1e-12);
        EXPECT_GE(g.E.y, -1e-12L);  // clockwise from the left end: above the axis
    }
    EXPECT_TRUE(Near({Pline3DSegs(Adr)[8].E.x, Pline3DSegs(Adr)[8].E.y}, {40, 0}));
    EXPECT_EQ(Pline3DSegs(Adr)[8].Alfa, 0);

    // As the only record of a list the replacement becomes both ends.
    TObjHeader *S1 = nullptr, *E1 = nullptr;
    TObjHeader* o = AppendObj(Sp({0, 0, 0}, {{{2, 0, 0}, GeomPi / 2}}), S1, E1);
    ASSERT_TRUE(EnSpace.NpropScale(o, {0, 0}, {1, 3}, S1, E1, Adr));
    EXPECT_EQ(S1, Adr);
    EXPECT_EQ(E1, Adr);
    FreeObjList(S1, E1);
}

TEST_F(SpaceTest, NpropScaleRefusesFactorsThatAreNotPositive) {
    for (Osy F : {Osy{0, 1}, Osy{1, 0}, Osy{-1, 2}, Osy{2, -0.5L}}) {
        TObjHeader* r = Add(Sp({0, 0, 0}, {{{2, 0, 0}, GeomPi}}));
        TObjHeader* Adr = nullptr;
        EXPECT_FALSE(EnSpace.NpropScale(r, {0, 0}, F, L, LE, Adr));
        EXPECT_EQ(Adr, nullptr);
        EXPECT_EQ(LE, r);
        EXPECT_EQ(Pline3DSegs(r)[0].E.x, 2);
        EXPECT_EQ(LogLastText().rfind("Err:", 0), 0u) << LogLastText();
    }
}

TEST_F(SpaceTest, TransformsKeepZAndFollowTheSelectionRules) {
    auto Fresh = [&] {
        TObjHeader* r = Add(Sp({1, 0, -3}, {{{2, 0, -4}, 0.5L}}));
        r->Flags |= FlagSelected;
        return r;
    };
    TObjHeader* r = Fresh();
    EnSpace.Mirror(r, {0, 0}, {1, 0});
    EXPECT_EQ(Pline3DSegs(r)[0].Alfa, -0.5L);
    EXPECT_EQ(Pline3DSegs(r)[0].E.z, -4);
    EXPECT_EQ(r->Flags & FlagSelected, 0);

    struct Case {
        const char* Name;
        void (*Op)(TObjHeader*);
        bool KeepsSel;
        Osy S;
    } Cases[] = {
        {"Move", [](TObjHeader* p) { EnSpace.Move(p, {1, 2}); }, false, {2, 2}},
        {"RawMove", [](TObjHeader* p) { EnSpace.RawMove(p, {1, 2}); }, true, {2, 2}},
        {"Rotate", [](TObjHeader* p) { EnSpace.Rotate(p, {0, 0}, GeomPi2); }, false, {0, 1}},
        {"RawRotate", [](TObjHeader* p) { EnSpace.RawRotate(p, {0, 0}, GeomPi2); }, true, {0, 1}},
        {"Scale", [](TObjHeader* p) { EnSpace.Scale(p, {1, 1}, 3); }, false, {1, -2}},
        {"RawScale", [](TObjHeader* p) { EnSpace.RawScale(p, {1, 1}, 3); }, false, {1, -2}},
        {"RawMirror", [](TObjHeader* p) { EnSpace.RawMirror(p, {0, 0}, {0, 1}); }, true, {-1, 0}},
    };
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.Name);
        TObjHeader* q = Fresh();
        c.Op(q);
        EXPECT_TRUE(Near({AsPline3D(q)->S.x, AsPline3D(q)->S.y}, c.S, 1e-15L));
        EXPECT_EQ(AsPline3D(q)->S.z, -3);
        EXPECT_EQ((q->Flags & FlagSelected) != 0, c.KeepsSel);
    }
}

TEST_F(SpaceTest, CopyDisplacesInXYAndDrawsBoth) {
    TObjHeader* r = Add(Sp({1, 1, -1}, {{{5, 1, -2}}}));
    r->Flags |= FlagSelected;
    r->SavedFlags = 3;
    Canv.Reset();
    TObjHeader* c = EnSpace.Copy(r, {10, 0}, L, LE);
    EXPECT_EQ(LE, c);
    EXPECT_EQ(r->Flags & FlagSelected, 0);
    EXPECT_EQ(c->Flags & FlagSelected, 0);
    EXPECT_EQ(c->SavedFlags, 0);
    EXPECT_EQ(AsPline3D(c)->S.x, 11);
    EXPECT_EQ(Pline3DSegs(c)[0].E.x, 15);
    EXPECT_EQ(Pline3DSegs(c)[0].E.z, -2);
    EXPECT_EQ(Canv.Count(TCanvasOpKind::Line), 2u);

    r->Flags |= FlagSelected;
    TObjHeader* i = EnSpace.CopyIdent(r, L, LE);
    EXPECT_EQ(std::memcmp(reinterpret_cast<uint8_t*>(i) + 2 * sizeof(void*),
                          reinterpret_cast<uint8_t*>(r) + 2 * sizeof(void*), size_t(r->Size) - 2 * sizeof(void*)),
              0);
}

TEST_F(SpaceTest, EnvelopeAndPickUseTheProjection) {
    // A quarter arc from (10, 0) to (0, 10) about the origin, then up in z only.
    TObjHeader* r = Add(Sp({10, 0, 0}, {{{0, 10, 0}, GeomPi2}, {{0, 10, -5}}}));
    Osy Min, Max;
    EnSpace.Envelope(r, Min, Max);
    EXPECT_TRUE(Near(Min, {0, 0}, 1e-15L));
    EXPECT_TRUE(Near(Max, {10, 10}, 1e-15L));

    struct Case {
        Osy Min, Max;
        bool Window, Hit;
    } Cases[] = {
        {{-1, -1}, {11, 11}, true, true},
        {{-1, -1}, {9, 11}, true, false},    // the arc reaches beyond x = 9
        {{6, 6}, {8, 8}, false, true},       // the arc runs through (7.07, 7.07)
        {{1, 1}, {3, 3}, false, false},      // inside the arc, touching nothing
        {{9, -1}, {11, 1}, false, true},     // around the start point
    };
    for (const Case& c : Cases) {
        EXPECT_EQ(EnSpace.RawSelect(r, c.Min, c.Max, c.Window), c.Hit);
        EXPECT_EQ(r->Flags & FlagSelected, 0);
        EXPECT_EQ(EnSpace.Select(r, c.Min, c.Max, c.Window), c.Hit);
        r->Flags &= uint8_t(~FlagSelected);
    }
    Glob.TabLayer[1].Show = false;
    r->Flags |= FlagSelected;
    EXPECT_FALSE(EnSpace.Select(r, {-1, -1}, {11, 11}, true));
    EXPECT_NE(r->Flags & FlagSelected, 0);
}

TEST_F(SpaceTest, ToolViewsDropOrDotSlopedSegments) {
    Glob.Tool[1].SpodniPrumer = 1;
    // A flat line, a ramp from z = -1 up to 0, a ramp down to -2.
    TObjHeader* r = Add(Sp({10, 10, -1}, {{{20, 10, -1}}, {{30, 10, 0}}, {{40, 10, -2}}}));
    struct Case {
        TView View;
        size_t Lines, Ellipses;
    } Cases[] = {
        {vLayer, 3, 0},
        {vToolDn, 1, 0},
        {vToolUp, 1, 10},  // the ramp ending at height 0 becomes ten dots
    };
    for (const Case& c : Cases) {
        Glob.View = c.View;
        Canv.Reset();
        EnSpace.Draw(r, &Canv);
        EXPECT_EQ(Canv.Count(TCanvasOpKind::Line), c.Lines) << int(c.View);
        EXPECT_EQ(Canv.Count(TCanvasOpKind::Ellipse), c.Ellipses) << int(c.View);
        EXPECT_TRUE(Near(MainVars.LastPos, {40, 10}));
    }
    // Without a tool answer W is 0: the dots grow from a tenth of the lower diameter
    // next to the start to the lower diameter at the end (8 px/mm, width D * 8 - 1).
    auto Dots = Canv.OfKind(TCanvasOpKind::Ellipse);
    EXPECT_EQ(Dots.front().PenWidth, 0);  // trunc(0.1 * 8 - 1)
    EXPECT_EQ(Dots.back().PenWidth, 7);   // trunc(1 * 8 - 1)

    // A selected 3D polyline draws in the selection colour and width.
    Glob.View = vLayer;
    Glob.SelObjColor = 0x123456;
    Glob.SelObjWidth = 5;
    r->Flags |= FlagSelected;
    Canv.Reset();
    EnSpace.Draw(r, &Canv);
    for (const TCanvasOp& op : Canv.OfKind(TCanvasOpKind::Line)) {
        EXPECT_EQ(op.PenColor, 0x123456u);
        EXPECT_EQ(op.PenWidth, 5);
    }
    // A hidden layer draws nothing.
    Glob.TabLayer[1].Show = false;
    Canv.Reset();
    EnSpace.Draw(r, &Canv);
    EnSpace.RawDraw(r, &Canv);
    EXPECT_TRUE(Canv.Ops.empty());
}

TEST_F(SpaceTest, DirectionViewColoursByClosedAndClockwiseBits) {
    Glob.View = vDir;
    Glob.Arrow = false;
    struct Case {
        uint8_t Flags;
        TDirKind Kind;
    } Cases[] = {{0, dkOpen}, {PlineCW, dkOpen}, {PlineClosed, dkCCW}, {PlineClosed | PlineCW, dkCW}};
    for (const Case& c : Cases) {
        TObjHeader* r = Add(Sp({10, 10, 0}, {{{20, 10, 0}}}, c.Flags));
        Canv.Reset();
        EnSpace.Draw(r, &Canv);
        ASSERT_EQ(Canv.Count(TCanvasOpKind::Line), 1u);
        EXPECT_EQ(Canv.Ops[0].PenColor, Glob.Direct[c.Kind].Color);
    }
    Glob.Direct[dkOpen].Show = false;
    Canv.Reset();
    EnSpace.Draw(Add(Sp({10, 10, 0}, {{{20, 10, 0}}})), &Canv);
    EXPECT_TRUE(Canv.Ops.empty());
}

}  // namespace
