// Contour paths of many shapes, judged by independent distances: every point of every
// path lies at the offset distance from its source, closed paths never cross
// themselves, and closed paths of straight shapes enclose Clipper's offset area.
#include <algorithm>
#include <cmath>
#include <functional>

#include "ContourFixture.h"
#include "cam/CamOpList.h"
#include "core/Builder.h"
#include "core/Glob.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "shell/MainVars.h"

namespace {

struct TSeg {
    Osy E;
    Extended Alfa;
};

// A polyline of the drawing on layer 1 from a start point and its segments, selected.
TObjHeader* AddShape(const Osy& At, const Osy& S, const std::vector<TSeg>& Segs) {
    auto Off = [&At](const Osy& P) { return Osy{P.x + At.x, P.y + At.y}; };
    StartObj(Off(S));
    for (const TSeg& G : Segs) AddSeg(Off(G.E), G.Alfa, CoordTol);
    TObjHeader* P = MakeObj(1, MainVars.DataStart, MainVars.DataEnd);
    EnPline.OpenPline(P);
    P->Flags |= FlagSelected;
    return P;
}

std::vector<TSeg> Poly(const std::vector<Osy>& Pts) {
    std::vector<TSeg> S;
    for (size_t i = 1; i < Pts.size(); ++i) S.push_back({Pts[i], 0});
    S.push_back({Pts[0], 0});
    return S;
}

std::vector<Osy> Star(int Arms, Extended Ro, Extended Ri) {
    std::vector<Osy> P;
    for (int k = 0; k < 2 * Arms; ++k) {
        const Extended A = GeomPi * k / Arms, R = k % 2 ? Ri : Ro;
        P.push_back({R * std::cos(A), R * std::sin(A)});
    }
    return P;
}

// Every shape machined inside, outside and on both sides with a 2 mm tool, and once
// with a 3 mm tool and 0.5 mm allowance (2 mm from the source).
TEST_F(ContourTest, EveryPathLiesAtTheOffsetDistanceWithoutCrossingItself) {
    struct TShape {
        const char* Name;
        std::function<TObjHeader*(const Osy&)> Make;
        bool Straight;  // lines only: Clipper's area applies
    };
    const std::vector<TShape> Shapes = {
        {"square", [](const Osy& A) { return AddShape(A, {0, 0}, Poly({{0, 0}, {10, 0}, {10, 10}, {0, 10}})); }, true},
        {"L", [](const Osy& A) {
             return AddShape(A, {0, 0}, Poly({{0, 0}, {20, 0}, {20, 8}, {8, 8}, {8, 20}, {0, 20}}));
         }, true},
        {"thin triangle", [](const Osy& A) { return AddShape(A, {0, 0}, Poly({{0, 0}, {30, 0}, {15, 9}})); }, true},
        {"clockwise star", [](const Osy& A) {
             std::vector<Osy> P = Star(5, 14, 6);
             std::reverse(P.begin(), P.end());
             return AddShape(A, P[0], Poly(P));
         }, true},
        {"slot", [](const Osy& A) {
             return AddShape(A, {0, 0}, {{{20, 0}, 0}, {{20, 10}, GeomPi}, {{0, 10}, 0}, {{0, 0}, GeomPi}});
         }, false},
        {"circle", [](const Osy& A) {
             EnPline.CircleAdd({A.x + 6, A.y + 6}, 6, 1, MainVars.DataStart, MainVars.DataEnd);
             MainVars.DataEnd->Flags |= FlagSelected;
             return MainVars.DataEnd;
         }, false},
        {"bitten square", [](const Osy& A) {
             return AddShape(A, {0, 0}, {{{20, 0}, 0}, {{20, 20}, 0}, {{0, 20}, -1.2L}, {{0, 0}, 0}});
         }, false},
        {"open zigzag", [](const Osy& A) {
             return AddShape(A, {0, 0}, {{{8, 6}, 0}, {{16, 0}, 0}, {{24, 6}, 0.8L}});
         }, false},
        {"point", [](const Osy& A) {
             TObjHeader* P = EnPoint.Add(A, 1, MainVars.DataStart, MainVars.DataEnd);
             P->Flags |= FlagSelected;
             return P;
         }, false},
    };
    struct TRun {
        const char* Side;
        Extended Tool;
        const char* Allowance;
        Extended D;
    };
    const TRun Runs[] = {{"in", 2, "0", 1}, {"out", 2, "0", 1}, {"both", 2, "0", 1}, {"out", 3, "0.5", 2}};
    Extended X = 0;
    for (const TShape& Sh : Shapes)
        for (const TRun& Rn : Runs) {
            SCOPED_TRACE(std::string(Sh.Name) + " " + Rn.Side + " " + Rn.Allowance);
            SetTool(1, Rn.Tool);
            TObjHeader* Src = Sh.Make({X, 0});
            X += 60;
            ContourSide(Rn.Side, Rn.Allowance);
            const int Op = OpList.CamCnt - 1;
            ASSERT_GE(Op, 0);
            EXPECT_EQ(OpList.Cam[Op].Status, 0);
            const std::vector<TObjHeader*> Paths = Childs(Op);
            ASSERT_FALSE(Paths.empty());
            const bool SrcClosed = Src->Type == ObjPline && (AsPline(Src)->PlineFlags & PlineClosed);
            // A closed source gets a path per side; an open one or a point gets one.
            EXPECT_EQ(Paths.size(), SrcClosed && std::string(Rn.Side) == "both" ? 2u : 1u);
            const Extended SrcArea = SrcClosed ? std::fabs(PathArea(Src)) : 0;
            for (const TObjHeader* P : Paths) {
                ASSERT_EQ(P->Type, ObjPline);
                for (const Osy& Q : SamplePath(P)) ASSERT_NEAR(double(DistToPath(Src, Q)), double(Rn.D), 1e-6);
                if (!(AsPline(P)->PlineFlags & PlineClosed)) continue;
                EXPECT_FALSE(SelfCrossing(P));
                if (Sh.Straight) {
                    const bool Inner = std::fabs(PathArea(P)) < SrcArea;
                    EXPECT_NEAR(double(std::fabs(PathArea(P))),
                                double(std::fabs(ClipperOffsetArea(Src, Inner ? -Rn.D : Rn.D))), 2e-3);
                }
            }
        }
}

// 3D corners of an inside contour with a pointed tool: at every convex corner of the
// source (sharp for the path) the path rises to the source's corner itself at the surface and comes back down;
// the corner inside an L, where the path runs round an arc, gets none.
TEST_F(ContourTest, InsideCornersRiseToTheSourceCorners) {
    const struct {
        const char* Name;
        std::vector<Osy> Pts;
        std::vector<int> Convex;  // the corners that rise
    } Cases[] = {
        {"square", {{0, 0}, {12, 0}, {12, 12}, {0, 12}}, {0, 1, 2, 3}},
        {"thin triangle", {{0, 0}, {30, 0}, {15, 9}}, {0, 1, 2}},
        {"L", {{0, 0}, {20, 0}, {20, 8}, {8, 8}, {8, 20}, {0, 20}}, {0, 1, 2, 4, 5}},
    };
    SetPointedTool(1);
    Extended X = 0;
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        std::vector<Osy> Pts;
        for (const Osy& P : C.Pts) Pts.push_back({P.x + X, P.y});
        X += 60;
        TObjHeader* Src = AddShape({0, 0}, Pts[0], Poly(Pts));
        Contour([](TForm& F) {
            F.Find<TControl>("RBtnInside")->Click();
            F.Find<TControl>("ChBox3DCorner")->Checked = true;
        });
        const int Op = OpList.CamCnt - 1;
        ASSERT_EQ(Childs(Op).size(), 1u);
        const TObjHeader* P = Childs(Op)[0];
        ASSERT_EQ(P->Type, ObjPline3D);
        std::vector<int> Reached;
        const TPlineSeg3D* G = Pline3DSegs(P);
        for (int i = 0; i < Pline3DSegCount(P); ++i) {
            const Osy Q{G[i].E.x, G[i].E.y};
            if (std::fabs(G[i].E.z) > CoordTol) {
                // At the deepest pass the path keeps the tool radius from the source.
                EXPECT_NEAR(double(G[i].E.z), -1, 1e-12);
                EXPECT_NEAR(double(DistToPath(Src, Q)), 1, 1e-6);
                continue;
            }
            for (int k = 0; k < int(Pts.size()); ++k)
                if (Dist(Q, Pts[k]) < 1e-6) Reached.push_back(k);
        }
        std::sort(Reached.begin(), Reached.end());
        EXPECT_EQ(Reached, C.Convex);
    }
}

}  // namespace
