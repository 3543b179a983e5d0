// The region offset and the 3D corners.
#include <polyclipping/clipper.hpp>

#include <cmath>

#include "ContourFixture.h"
#include "cam/Corner3D.h"
#include "cam/UniRegion.h"
#include "core/Builder.h"
#include "core/Glob.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "shell/MainVars.h"

namespace {

class RegionTest : public ContourTest {
protected:
    TObjHeader *S = nullptr, *E = nullptr;
    void TearDown() override {
        FreeObjList(S, E);
        ContourTest::TearDown();
    }
    TObjHeader* Rect(Osy A, Osy B, bool Cw) {
        EnPline.RectangleAdd(A, B, 1, S, E);
        if (Cw) EnPline.ChangeDir(E);
        EnPline.FindDir(E);
        return E;
    }
};

Extended ClipperRegionArea(const std::vector<std::vector<Osy>>& Rings, Extended Delta) {
    const double Sc = 1e6;
    ClipperLib::Paths In;
    for (const auto& R : Rings) {
        ClipperLib::Path P;
        for (const Osy& Q : R) P.push_back({ClipperLib::cInt(std::llround(double(Q.x) * Sc)), ClipperLib::cInt(std::llround(double(Q.y) * Sc))});
        In.push_back(P);
    }
    ClipperLib::ClipperOffset Co;
    Co.ArcTolerance = 0.0001 * Sc;
    Co.AddPaths(In, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
    ClipperLib::Paths Out;
    Co.Execute(Out, double(Delta) * Sc);
    Extended A = 0;
    for (const auto& P : Out) A += ClipperLib::Area(P);
    return A / (Sc * Sc);
}

TEST_F(RegionTest, SquareWithHoleGivesTwoLoopsAtTheDistance) {
    TObjHeader* Outer = Rect({0, 0}, {20, 20}, false);
    TObjHeader* Hole = Rect({8, 8}, {12, 12}, true);
    TObjHeader *OS = nullptr, *OE = nullptr, *FS = nullptr, *FE = nullptr;
    OffsetRegion(true, Outer, Hole, 1, OS, OE, FS, FE, 1);
    ASSERT_EQ(CountObjs(OS), 2);
    EXPECT_EQ(FS, nullptr);
    Extended Net = 0;
    for (TObjHeader* p = OS; p; p = p->Next) {
        EXPECT_TRUE(AsPline(p)->PlineFlags & PlineClosed);
        EXPECT_FALSE(SelfCrossing(p));
        for (const Osy& Q : SamplePath(p)) {
            const Extended D = std::min(DistToLines(Outer, Q), DistToLines(Hole, Q));
            ASSERT_NEAR(double(D), 1.0, 1e-6);
        }
        Net += std::fabs(PathArea(p)) * (PathArea(p) > 300 ? 1 : -1);
    }
    const Extended Clip = ClipperRegionArea({{{0, 0}, {20, 0}, {20, 20}, {0, 20}}, {{8, 8}, {8, 12}, {12, 12}, {12, 8}}}, -1);
    EXPECT_NEAR(double(Net), double(Clip), 1e-3);
    FreeObjList(OS, OE);
}

TEST_F(RegionTest, HoleTooNarrowForTheOutsideOffsetFails) {
    TObjHeader* Outer = Rect({0, 0}, {20, 20}, false);
    TObjHeader* Hole = Rect({8, 8}, {9, 9}, true);
    TObjHeader *OS = nullptr, *OE = nullptr, *FS = nullptr, *FE = nullptr;
    OffsetRegion(false, Outer, Hole, 1, OS, OE, FS, FE, 1);
    EXPECT_EQ(OS, nullptr);
    EXPECT_EQ(FS, nullptr);
    EXPECT_TRUE(TCmdHarness::LogHas("Err:FAILED, no inner offset"));
    EXPECT_EQ(Outer->Layer, 15);  // marked for the user
}

TEST_F(RegionTest, PlaceExactlyTwiceTheDistanceWideGivesTheLineWhereBothSidesMeet) {
    // A 10 x 10 square with a passage 10 long on its right: where the passage is 2 wide,
    // the offsets by 1 of its two sides lie on its centre line, which no loop and no
    // narrow-place pair follows.
    struct TCase {
        const char* Name;
        std::vector<Osy> Outline;
        int Loops;
        std::vector<Osy> Line;  // its two ends, the first on a loop; none when empty
    } Cases[] = {
        {"dead end", {{0, 0}, {10, 0}, {10, 4}, {20, 4}, {20, 6}, {10, 6}, {10, 10}, {0, 10}}, 1, {{10, 5}, {19, 5}}},
        {"neck to a second square",
         {{0, 0}, {10, 0}, {10, 4}, {14, 4}, {14, 0}, {24, 0}, {24, 10}, {14, 10}, {14, 6}, {10, 6}, {10, 10}, {0, 10}},
         2, {{10, 5}, {14, 5}}},
        {"a little wider: a loop goes in", {{0, 0}, {10, 0}, {10, 4}, {20, 4}, {20, 6.01L}, {10, 6.01L}, {10, 10}, {0, 10}},
         1, {}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        StartObj(C.Outline[0]);
        for (size_t i = 1; i <= C.Outline.size(); ++i) AddSeg(C.Outline[i % C.Outline.size()], 0, CoordTol);
        TObjHeader* Src = MakeObj(1, S, E);
        EnPline.FindDir(Src);
        TObjHeader *OS = nullptr, *OE = nullptr, *FS = nullptr, *FE = nullptr, *TS = nullptr, *TE = nullptr;
        OffsetRegion(true, Src, Src, 1, OS, OE, FS, FE, 1, TS, TE);
        EXPECT_EQ(CountObjs(OS), C.Loops);
        EXPECT_EQ(FS, nullptr);
        ASSERT_EQ(CountObjs(TS), C.Line.empty() ? 0 : 1);
        if (TS) {
            EXPECT_FALSE(AsPline(TS)->PlineFlags & PlineClosed);
            const Osy A = AsPline(TS)->S, B = PlineEndPt(TS);
            EXPECT_TRUE((SamePt(A, C.Line[0]) && SamePt(B, C.Line[1])) || (SamePt(A, C.Line[1]) && SamePt(B, C.Line[0])))
                << A.x << " " << A.y << " - " << B.x << " " << B.y;
            for (const Osy& Q : SamplePath(TS)) ASSERT_NEAR(double(DistToLines(Src, Q)), 1.0, 1e-9);
        }
        FreeObjList(OS, OE);
        FreeObjList(TS, TE);
    }
}

TEST_F(RegionTest, SharpCornersRiseToTheSourceCornerWithinTheLimit) {
    struct TCase {
        Extended LimitDeg;
        int Rises;
    } Cases[] = {{170, 4}, {80, 0}};
    SetPointedTool(1);
    for (const TCase& C : Cases) {
        SCOPED_TRACE(double(C.LimitDeg));
        TObjHeader *PS = nullptr, *PE = nullptr, *RS = nullptr, *RE = nullptr;
        EnPline.RectangleAdd({1, 1}, {11, 11}, 1, PS, PE);  // counter-clockwise
        EnPline.FindDir(PS);
        TObjHeader* P3 = Create3DPlines(PS, true, false, C.LimitDeg * GeomPi / 180, 1, RS, RE);
        ASSERT_NE(P3, nullptr);
        int Rises = 0;
        const TPlineSeg3D* Sg = Pline3DSegs(P3);
        for (int i = 0; i < Pline3DSegCount(P3); ++i) {
            if (std::fabs(Sg[i].E.z) > CoordTol) {
                EXPECT_NEAR(double(Sg[i].E.z), -1, 1e-12);
                continue;
            }
            ++Rises;
            const Osy Corner{Sg[i].E.x, Sg[i].E.y};
            const Osy3D From = Sg[i - 1].E;
            EXPECT_NEAR(double(Dist(Corner, {From.x, From.y})), std::sqrt(2.0), 1e-9);
            Extended Nearest = 1e9;
            for (const Osy& Src : {Osy{0, 0}, Osy{12, 0}, Osy{12, 12}, Osy{0, 12}}) Nearest = std::min(Nearest, Dist(Corner, Src));
            EXPECT_LT(double(Nearest), 1e-9);
        }
        EXPECT_EQ(Rises, C.Rises);
        FreeObjList(PS, PE);
        FreeObjList(RS, RE);
    }
}

TEST_F(RegionTest, ZeroLimitLeavesThePathsFlat) {
    TObjHeader* Src = Rect({0, 0}, {12, 12}, false);
    TObjHeader *GS = nullptr, *GE = nullptr;
    EnPline.CopyIdent(Src, GS, GE);
    TObjHeader* G = MakeGroup(false, GS, GE);
    TObjHeader *LS = nullptr, *LE = nullptr;
    EnPline.RectangleAdd({1, 1}, {11, 11}, 1, LS, LE);
    TObjHeader* Before = LS;
    Create3DFinish(true, false, G, 0, LS, LE, 1);
    EXPECT_EQ(LS, Before);
    EXPECT_EQ(LS->Type, ObjPline);
    EXPECT_TRUE(TCmdHarness::LogHas("Err:Limit angle 3D < 0"));
    AppendObj(G, GS, GE);
    FreeObjList(GS, GE);
    FreeObjList(LS, LE);
}

TEST_F(RegionTest, ContourWithCornersIsAThreeDimensionalPath) {
    SetPointedTool(1);
    AddRect({0, 0}, {12, 12}, true);
    Contour([](TForm& F) {
        F.Find<TControl>("RBtnInside")->Click();
        F.Find<TControl>("ChBox3DCorner")->Checked = true;
    });
    ASSERT_EQ(Childs(0).size(), 1u);
    const TObjHeader* P = Childs(0)[0];
    ASSERT_EQ(P->Type, ObjPline3D);
    int Rises = 0;
    for (int i = 0; i < Pline3DSegCount(P); ++i)
        if (std::fabs(Pline3DSegs(P)[i].E.z) <= CoordTol) ++Rises;
    EXPECT_EQ(Rises, 4);
}

}  // namespace
