// The region offset and the 3D corners.
#include <polyclipping/clipper.hpp>

#include <cmath>

#include "ContourFixture.h"
#include "cam/Corner3D.h"
#include "cam/UniRegion.h"
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
