// Pockets of shapes beyond rectangles: round walls and islands, the loops of the offset
// fill at corners sharper than its rings clear, and the finishing contour's 3D corners
// for pointed tools. Judged by distances to the walls, coverage on a grid and the
// heights of the paths.
#include <algorithm>
#include <cmath>
#include <string>

#include "ContourFixture.h"
#include "cam/CamOpList.h"
#include "core/Builder.h"
#include "core/UniPline.h"
#include "core/Glob.h"
#include "core/UniGeom.h"
#include "core/UniWalk.h"
#include "shell/MainVars.h"

namespace {

using TPoly = std::vector<Osy>;

class PocketShapeTest : public ContourTest {
protected:
    TObjHeader* AddPoly(const TPoly& P) {
        StartObj(P[0]);
        for (size_t i = 1; i <= P.size(); ++i) AddSeg(P[i % P.size()], 0, CoordTol);
        TObjHeader* Pl = MakeObj(1, MainVars.DataStart, MainVars.DataEnd);
        EnPline.OpenPline(Pl);
        Pl->Flags |= FlagSelected;
        return Pl;
    }
    void Pocket(const char* Fill, const char* Overlap, bool Corner3D, bool Crossing = false,
                const char* Allowance = "0", const char* Angle = "0") {
        R->ExpectModal("FillDialog", [=](TForm& F) {
            F.Find<TControl>("ChBoxCrossing")->Checked = Crossing;
            F.Find<TControl>(Fill)->Click();
            F.Find<TControl>("RBtnSingleTool")->Click();
            F.Find<TControl>("EditPresahSrafMm")->Text = Overlap;
            F.Find<TControl>("EditUhelSraf")->Text = Angle;
            F.Find<TControl>("EditPridSrafMm")->Text = Allowance;
            F.Find<TControl>("EditAllError")->Text = "0";
            F.Find<TControl>("ChBox3DCorner")->Checked = Corner3D;
            F.Find<TControl>("Edit3DAngle")->Text = "170";
            F.ClickButton("BitBtnOK");
            return mrOk;
        });
        H->Enter("MEANDR");
        H->Enter("");
        EXPECT_TRUE(R->Done());
    }
    static std::vector<TObjHeader*> GroupPaths(int Op) {
        std::vector<TObjHeader*> Res;
        for (TObjHeader* G : Childs(Op))
            for (TObjHeader* p = AsGroup(G)->First; p; p = p->Next) Res.push_back(p);
        return Res;
    }
};

Extended SegDist(const Osy& A, const Osy& B, const Osy& Q) {
    const Extended dx = B.x - A.x, dy = B.y - A.y, L2 = dx * dx + dy * dy;
    const Extended t = L2 > 0 ? std::clamp<Extended>(((Q.x - A.x) * dx + (Q.y - A.y) * dy) / L2, 0, 1) : 0;
    return std::hypot(Q.x - A.x - t * dx, Q.y - A.y - t * dy);
}

bool InPoly(const TPoly& P, const Osy& Q) {
    bool In = false;
    for (size_t i = 0, j = P.size() - 1; i < P.size(); j = i++)
        if ((P[i].y > Q.y) != (P[j].y > Q.y) && Q.x < (P[j].x - P[i].x) * (Q.y - P[i].y) / (P[j].y - P[i].y) + P[i].x)
            In = !In;
    return In;
}

// Distance of Q from the walls, negative outside the material to be cleared.
Extended Clearance(const TPoly& Outer, const std::vector<TPoly>& Islands, const Osy& Q) {
    Extended d = 1e300;
    bool In = InPoly(Outer, Q);
    for (const TPoly* P = &Outer; P; P = nullptr)
        for (size_t i = 0; i < P->size(); ++i) d = std::min(d, SegDist((*P)[i], (*P)[(i + 1) % P->size()], Q));
    for (const TPoly& I : Islands) {
        In = In && !InPoly(I, Q);
        for (size_t i = 0; i < I.size(); ++i) d = std::min(d, SegDist(I[i], I[(i + 1) % I.size()], Q));
    }
    return In ? d : -d;
}

// The distance from the nearest path of every grid point the tool's centre may reach
// (Clearance at least 1) stays within the tool's radius.
template <class TClear>
void ExpectSwept(const std::vector<TObjHeader*>& Paths, const Osy& Min, const Osy& Max, TClear Clear) {
    std::vector<std::pair<Osy, Osy>> Segs;
    for (TObjHeader* P : Paths) {
        const std::vector<Osy> V = SamplePath(P, 16);
        for (const Osy& Q : V) ASSERT_GE(double(Clear(Q)), 1 - 1e-6) << Q.x << " " << Q.y;
        for (size_t i = 0; i + 1 < V.size(); ++i) Segs.push_back({V[i], V[i + 1]});
    }
    for (Extended x = Min.x + 0.05L; x < Max.x; x += 0.25L)
        for (Extended y = Min.y + 0.05L; y < Max.y; y += 0.25L) {
            const Osy Q{x, y};
            if (Clear(Q) < 1) continue;
            Extended Near = 1e300;
            for (const auto& [A, B] : Segs) Near = std::min(Near, SegDist(A, B, Q));
            ASSERT_LE(double(Near), 1.0 + 1e-6) << x << " " << y;
        }
}

TEST_F(PocketShapeTest, RoundWallsAndIslandsAreFilledInsideAndWhole) {
    struct TCircle {
        Osy C;
        Extended R;
    };
    const TCircle Outer{{0, 0}, 15};
    const std::vector<TCircle> Islands{{{4, 3}, 4}, {{-7, -5}, 3}};
    auto Clear = [&](const Osy& Q) {
        Extended d = Outer.R - Dist(Q, Outer.C);
        for (const TCircle& I : Islands) d = std::min(d, Dist(Q, I.C) - I.R);
        return d;
    };
    // The meander joined over the bottom: the islands stand between its paths.
    for (const char* Fill : {"RBtnMeandr", "RBtnOffset"}) {
        SCOPED_TRACE(Fill);
        const bool Meander = std::string(Fill) == "RBtnMeandr";
        EnPline.CircleAdd(Outer.C, Outer.R, 1, MainVars.DataStart, MainVars.DataEnd);
        MainVars.DataEnd->Flags |= FlagSelected;
        for (const TCircle& I : Islands) {
            EnPline.CircleAdd(I.C, I.R, 1, MainVars.DataStart, MainVars.DataEnd);
            MainVars.DataEnd->Flags |= FlagSelected;
        }
        const int Op = OpList.CamCnt;
        Pocket(Fill, "0.5", false, Meander, Meander ? "0.3" : "0");
        ASSERT_EQ(OpList.CamCnt, Op + 3);
        EXPECT_EQ(OpList.Cam[Op].Status, 0);
        ExpectSwept(GroupPaths(Op), {-15, -15}, {15, 15}, Clear);
        ClearSelection(MainVars.DataStart);
    }
}

TEST_F(PocketShapeTest, JoiningOverTheBottomGoesRoundTheIslands) {
    // Vertical passes split by a round island: joined over the bottom they run on in
    // fewer paths, still clear of the walls. The allowance keeps the fill's ends off
    // the finishing contours.
    size_t Count[2] = {0, 0};
    for (const bool Join : {false, true}) {
        SCOPED_TRACE(Join);
        const Extended y0 = Join ? 20 : 0;
        AddRect({0, y0}, {30, y0 + 10}, true);
        EnPline.CircleAdd({15, y0 + 5}, 2, 1, MainVars.DataStart, MainVars.DataEnd);
        MainVars.DataEnd->Flags |= FlagSelected;
        const int Op = OpList.CamCnt;
        Pocket("RBtnMeandr", "0.5", false, Join, "0.3", "90");
        ASSERT_EQ(OpList.CamCnt, Op + 3);
        EXPECT_EQ(OpList.Cam[Op].Status, 0);
        Count[Join] = GroupPaths(Op).size();
        ExpectSwept(GroupPaths(Op), {0, y0}, {30, y0 + 10}, [&](const Osy& Q) {
            return std::min({Q.x, 30 - Q.x, Q.y - y0, y0 + 10 - Q.y, Dist(Q, {15, y0 + 5}) - 2});
        });
        ClearSelection(MainVars.DataStart);
    }
    EXPECT_LT(Count[1], Count[0]);
}

TEST_F(PocketShapeTest, OffsetRingsLoopIntoSharpCornersAndStayOffTheWalls) {
    // A 2 mm tool, rings 1.5 mm apart: corners turning by more than 105 degrees leave
    // material between the rings that only the loops reach.
    struct TCase {
        const char* Name;
        TPoly Outer;
        std::vector<TPoly> Islands;
    } Cases[] = {
        {"sharp triangle", {{0, 0}, {20, 0}, {10, 27.47L}}, {}},
        {"island with a narrow notch", {{0, 0}, {40, 0}, {40, 30}, {0, 30}},
         {{{10, 8}, {30, 8}, {30, 22}, {24, 22}, {20, 12}, {16, 22}, {10, 22}}}},
        {"star", {{20, 0}, {24, 12}, {38, 12}, {27, 19}, {31, 32}, {20, 24}, {9, 32}, {13, 19}, {2, 12}, {16, 12}}, {}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        AddPoly(C.Outer);
        for (const TPoly& I : C.Islands) AddPoly(I);
        const int Op = OpList.CamCnt;
        Pocket("RBtnOffset", "0.5", false);
        ASSERT_EQ(OpList.CamCnt, Op + 3);
        const std::vector<TObjHeader*> All = GroupPaths(Op);
        ASSERT_FALSE(All.empty());
        Osy Min = C.Outer[0], Max = C.Outer[0];
        for (const Osy& P : C.Outer) {
            Min = {std::min(Min.x, P.x), std::min(Min.y, P.y)};
            Max = {std::max(Max.x, P.x), std::max(Max.y, P.y)};
        }
        // Every point the tool's centre may reach, corners included, is swept.
        ExpectSwept(All, Min, Max, [&](const Osy& Q) { return Clearance(C.Outer, C.Islands, Q); });
        ClearSelection(MainVars.DataStart);
    }
}

TEST_F(PocketShapeTest, PointedToolRisesIntoTheWallCornersOnlyWhenAsked) {
    // A 60 degree V tool with a 0.2 mm tip, 1 mm deep: it cuts 0.677 mm off its axis.
    TTool& T = Glob.Tool[1];
    T.ToolType = 2;
    T.SpodniPrumer = 0.2L;
    T.HorniPrumer = 6;
    T.UhelSpicky = 60;
    const TPoly Outer{{0, 0}, {10, 0}, {10, 8}, {0, 8}};
    const std::vector<TPoly> Islands{{{4, 3}, {6, 3}, {6, 5}, {4, 5}}};
    for (const bool Corner3D : {false, true}) {
        SCOPED_TRACE(Corner3D);
        AddPoly(Outer);
        AddPoly(Islands[0]);
        const int Op = OpList.CamCnt;
        Pocket("RBtnMeandr", "0.05", Corner3D);
        ASSERT_EQ(OpList.CamCnt, Op + 3);
        const std::vector<TObjHeader*> Fin = Childs(Op + 2);
        ASSERT_EQ(Fin.size(), 2u);
        int Rises = 0;
        for (TObjHeader* P : Fin) {
            ASSERT_EQ(P->Type, Corner3D ? ObjPline3D : ObjPline);
            if (!Corner3D) continue;
            const TPlineSeg3D* S = Pline3DSegs(P);
            for (int i = 0; i < Pline3DSegCount(P); ++i) {
                const Osy Q{S[i].E.x, S[i].E.y};
                // Flat at the pass depth; a rise ends at the surface no nearer to a wall
                // than the tip's radius, in a corner of the outer wall.
                if (std::fabs(S[i].E.z + 1) < 1e-9) {
                    EXPECT_NEAR(double(Clearance(Outer, Islands, Q)), 0.6773502691896257, 1e-6);
                    continue;
                }
                ASSERT_NEAR(double(S[i].E.z), 0, 1e-9);
                ++Rises;
                EXPECT_GE(double(Clearance(Outer, Islands, Q)), 0.1 - 1e-6);
                Extended Corner = 1e300;
                for (const Osy& V : Outer) Corner = std::min(Corner, Dist(Q, V));
                EXPECT_NEAR(double(Corner), 0.1 * std::sqrt(2.0), 1e-6);
            }
        }
        // The island's corners are rounded off by the offset: only the walls' four rise.
        EXPECT_EQ(Rises, Corner3D ? 4 : 0);
        ClearSelection(MainVars.DataStart);
    }
}

}  // namespace
