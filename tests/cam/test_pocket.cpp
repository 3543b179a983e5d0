// MEANDR and the pocket builder, judged by properties of the paths: distances to the
// walls, the step between passes, coverage on a grid, and Clipper's areas.
#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <cmath>
#include <set>

#include "ContourFixture.h"
#include "cam/CamOpList.h"
#include "cam/FillDg.h"
#include "cam/PocketBuild.h"
#include "core/Glob.h"
#include "core/UniGeom.h"
#include "core/UniWalk.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

struct TRect {
    Osy A, B;
};

class PocketTest : public ContourTest {
protected:
    // MEANDR of the selected objects; Setup changes the dialog before OK.
    void Pocket(const std::function<void(TForm&)>& Setup) {
        R->ExpectModal("FillDialog", [Setup](TForm& F) {
            if (Setup) Setup(F);
            F.ClickButton("BitBtnOK");
            return mrOk;
        });
        H->Enter("MEANDR");
        H->Enter("");
    }
    static std::function<void(TForm&)> Values(const char* Fill, const char* Overlap, const char* Angle,
                                              const char* Allowance = "0", const char* Widen = "0") {
        return [=](TForm& F) {
            F.Find<TControl>(Fill)->Click();
            F.Find<TControl>("EditPresahSrafMm")->Text = Overlap;
            F.Find<TControl>("EditUhelSraf")->Text = Angle;
            F.Find<TControl>("EditPridSrafMm")->Text = Allowance;
            F.Find<TControl>("EditAllError")->Text = Widen;
        };
    }
    // Every path of operation Op's groups (the paths of every region).
    static std::vector<TObjHeader*> Paths(int Op) {
        std::vector<TObjHeader*> Res;
        for (TObjHeader* G : Childs(Op)) {
            EXPECT_EQ(G->Type, ObjGroup);
            for (TObjHeader* p = AsGroup(G)->First; p; p = p->Next) Res.push_back(p);
        }
        return Res;
    }
};

Extended DistToRect(const TRect& r, const Osy& Q) {
    const Extended dx = std::max({r.A.x - Q.x, Extended(0), Q.x - r.B.x});
    const Extended dy = std::max({r.A.y - Q.y, Extended(0), Q.y - r.B.y});
    if (dx > 0 || dy > 0) return std::hypot(dx, dy);
    return -std::min({Q.x - r.A.x, r.B.x - Q.x, Q.y - r.A.y, r.B.y - Q.y});  // inside: negative
}

// The distance of Q from the walls of the region (outer rectangle, rectangular islands):
// positive inside the material to be cleared.
Extended Clearance(const TRect& Outer, const std::vector<TRect>& Islands, const Osy& Q) {
    Extended d = -DistToRect(Outer, Q);
    for (const TRect& I : Islands) d = std::min(d, DistToRect(I, Q));
    return d;
}

ClipperLib::Path ClipRect(const TRect& r, double Scale) {
    auto C = [Scale](Extended v) { return ClipperLib::cInt(std::llround(double(v) * Scale)); };
    return {{C(r.A.x), C(r.A.y)}, {C(r.B.x), C(r.A.y)}, {C(r.B.x), C(r.B.y)}, {C(r.A.x), C(r.B.y)}};
}

// Clipper's area of the region shrunk by D: the outer wall in by D, the islands out by D.
Extended ClipperPocketArea(const TRect& Outer, const std::vector<TRect>& Islands, Extended D) {
    const double Scale = 1e6;
    ClipperLib::ClipperOffset Co;
    Co.ArcTolerance = 0.0001 * Scale;
    Co.AddPath(ClipRect(Outer, Scale), ClipperLib::jtRound, ClipperLib::etClosedPolygon);
    ClipperLib::Paths In;
    Co.Execute(In, -double(D) * Scale);
    ClipperLib::Clipper Cl;
    Cl.AddPaths(In, ClipperLib::ptSubject, true);
    for (const TRect& I : Islands) {
        ClipperLib::ClipperOffset Ci;
        Ci.ArcTolerance = 0.0001 * Scale;
        Ci.AddPath(ClipRect(I, Scale), ClipperLib::jtRound, ClipperLib::etClosedPolygon);
        ClipperLib::Paths Out;
        Ci.Execute(Out, double(D) * Scale);
        Cl.AddPaths(Out, ClipperLib::ptClip, true);
    }
    ClipperLib::Paths Res;
    Cl.Execute(ClipperLib::ctDifference, Res, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
    Extended A = 0;
    for (const auto& P : Res) A += ClipperLib::Area(P);
    return A / (Scale * Scale);
}

// Distance from Q to the nearest sampled point of the paths (dense samples).
Extended NearestPath(const std::vector<Osy>& Pts, const Osy& Q) {
    Extended Best = 1e300;
    for (const Osy& P : Pts) Best = std::min(Best, Dist(P, Q));
    return Best;
}

struct TCase {
    const char* Name;
    const char* Fill;
    const char* Overlap;
    const char* Angle;
    std::vector<TRect> Islands;
};

TEST_F(PocketTest, FillsStayInsideTheWallsAndCoverTheReachableRegion) {
    const TRect Outer{{0, 0}, {20, 14}};
    const TCase Cases[] = {
        {"meander 90 with island", "RBtnMeandr", "0.5", "90", {{{7, 5}, {12, 9}}}},
        {"meander 0 without island", "RBtnMeandr", "0.2", "0", {}},
        {"meander 30 two islands", "RBtnMeandr", "0.5", "30", {{{3, 3}, {6, 6}}, {{12, 4}, {16, 10}}}},
        {"meander -45 with island", "RBtnMeandr", "1", "-45", {{{7, 5}, {12, 9}}}},
        {"offset with island", "RBtnOffset", "1.2", "0", {{{7, 5}, {12, 9}}}},
        {"offset without island", "RBtnOffset", "0.5", "0", {}},
    };
    int Op = 0;
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        AddRect(Outer.A, Outer.B, true);
        for (const TRect& I : C.Islands) AddRect(I.A, I.B, true);
        Pocket(Values(C.Fill, C.Overlap, C.Angle));
        ASSERT_EQ(OpList.CamCnt, Op + 3);
        const TCamOp& M = OpList.Cam[Op];
        EXPECT_EQ(M.OpType, OpTypePocket);
        EXPECT_EQ(M.Status, 0);
        EXPECT_EQ(OpList.Cam[Op + 1].MasterOp, Op);
        EXPECT_EQ(OpList.Cam[Op + 2].MasterOp, Op);
        ASSERT_EQ(Childs(Op).size(), 1u);
        const std::vector<TObjHeader*> All = Paths(Op);
        ASSERT_FALSE(All.empty());
        // The tool (radius 1) never cuts into a wall.
        std::vector<Osy> Pts;
        for (TObjHeader* P : All)
            for (const Osy& Q : SamplePath(P, 64)) {
                ASSERT_GE(double(Clearance(Outer, C.Islands, Q)), 1 - 1e-6) << Q.x << " " << Q.y;
                Pts.push_back(Q);
            }
        // The finishing contours enclose what Clipper's offset encloses.
        Extended FinArea = 0;
        for (TObjHeader* P : Childs(Op + 2)) FinArea += PathArea(P);
        EXPECT_NEAR(double(std::fabs(FinArea)), double(ClipperPocketArea(Outer, C.Islands, 1)), 1e-3);
        // Every point the tool's centre may reach is swept by the tool.
        for (Extended x = 0.05L; x < 20; x += 0.25L)
            for (Extended y = 0.05L; y < 14; y += 0.25L) {
                const Osy Q{x, y};
                if (Clearance(Outer, C.Islands, Q) < 1) continue;
                ASSERT_LE(double(NearestPath(Pts, Q)), 1.0) << x << " " << y;
            }
        Op += 3;
        ClearSelection(MainVars.DataStart);
    }
    EXPECT_EQ(OpList.Cam[3].Name, "Výplň objektu2");
}

TEST_F(PocketTest, MeanderPassesAreOneStepApart) {
    // Vertical passes (90 degrees) with a 2 mm tool and overlap 0.5: 1.5 mm apart.
    AddRect({0, 0}, {30, 10}, true);
    Pocket(Values("RBtnMeandr", "0.5", "90"));
    std::set<long long> Xs;
    for (TObjHeader* P : Childs(1)) {
        for (int i = 0; i < PlineSegCount(P); ++i) {
            const Osy S = PlineSegStart(P, i), E = PlineSegs(P)[i].E;
            if (std::fabs(S.x - E.x) < 1e-9 && std::fabs(S.y - E.y) > 1) Xs.insert(std::llround(double(S.x) * 1e6));
        }
    }
    ASSERT_GE(Xs.size(), 10u);
    std::vector<long long> V(Xs.begin(), Xs.end());
    for (size_t i = 1; i < V.size(); ++i) EXPECT_LE(V[i] - V[i - 1], 1500000 + 10);
    // A convex region without islands is one meander.
    EXPECT_EQ(Childs(1).size(), 1u);
}

TEST_F(PocketTest, ThreeContoursGiveThreeGroupsAndCancelRecordsNothing) {
    AddRect({0, 0}, {10, 10}, true);
    AddRect({20, 0}, {30, 10}, true);
    AddRect({40, 0}, {50, 10}, true);
    Pocket(Values("RBtnMeandr", "0.5", "90"));
    ASSERT_EQ(OpList.CamCnt, 3);
    EXPECT_EQ(Childs(0).size(), 3u);
    EXPECT_EQ(Parents(0).size(), 3u);
    EXPECT_EQ(OpList.Cam[0].Status, 0);

    MainVars.DataStart->Flags |= FlagSelected;
    R->ExpectModal("FillDialog", mrCancel);
    Run({"MEANDR", ""});
    EXPECT_EQ(OpList.CamCnt, 3);
    EXPECT_TRUE(R->Done());
}

TEST_F(PocketTest, FillAngleIsALineDirection) {
    struct {
        Extended Deg;
        bool Ok;
        Extended Rad;
    } Cases[] = {{-90, true, GeomPi / 2}, {270, true, GeomPi / 2}, {180, true, GeomPi}, {0, true, 0},
                 {45, true, GeomPi / 4},  {-360, true, 0},          {400, false, 0},    {-720, false, 0}};
    for (const auto& C : Cases) {
        Extended A = -1;
        EXPECT_EQ(FillAngle(C.Deg, A), C.Ok) << double(C.Deg);
        if (C.Ok) EXPECT_NEAR(double(A), double(C.Rad), 1e-12) << double(C.Deg);
    }
}

TEST_F(PocketTest, BadValuesAreListedAndNothingIsBuilt) {
    struct {
        const char* Overlap;
        const char* Angle;
        const char* Log;
    } Cases[] = {
        {"2", "90", "Err:Wrong overhang, too big"},  // overlap = tool diameter: step 0
        {"-0.5", "90", "Err:Wrong fill overhang (-0.5)"},  // wider than the tool: strips left
        {"0.5", "400", "Err:Wrong angle of fill (400)"},
        {"x", "90", "Err:Wrong fill overhang (x)"},
    };
    AddRect({0, 0}, {10, 10}, false);
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Log);
        MainVars.DataStart->Flags |= FlagSelected;
        R->ExpectModal("FillDialog", [&C](TForm& F) {
            F.Find<TControl>("EditPresahSrafMm")->Text = C.Overlap;
            F.Find<TControl>("EditUhelSraf")->Text = C.Angle;
            return mrOk;
        });
        R->ExpectMessage(mrOk, "");
        Run({"MEANDR", ""});
        EXPECT_TRUE(TCmdHarness::LogHas(C.Log));
        EXPECT_EQ(OpList.CamCnt, 0);
    }
    // Step 0.02 is accepted.
    MainVars.DataStart->Flags |= FlagSelected;
    Pocket(Values("RBtnMeandr", "1.98", "90"));
    EXPECT_EQ(OpList.CamCnt, 3);
    EXPECT_TRUE(R->Done());
}

TEST_F(PocketTest, PocketFollowsItsMovedSource) {
    Glob.AutoRegen = true;
    TObjHeader* Sq = AddRect({0, 0}, {10, 10}, true);
    Pocket(Values("RBtnMeandr", "0.5", "90"));
    ASSERT_EQ(OpList.CamCnt, 3);
    Sq->Flags |= FlagSelected;
    Run({"MOVE", "", "0 0", "10 5"});
    ASSERT_EQ(OpList.CamCnt, 3);
    EXPECT_EQ(OpList.Cam[0].Status, 0);
    const TRect Moved{{10, 5}, {20, 15}};
    ASSERT_EQ(Childs(0).size(), 1u);
    for (TObjHeader* P : Paths(0))
        for (const Osy& Q : SamplePath(P, 16)) ASSERT_GE(double(Clearance(Moved, {}, Q)), 1 - 1e-6);
    // The sub-operations hold the new paths only.
    for (int s : {1, 2})
        for (TObjHeader* p : Childs(s)) {
            bool InGroup = false;
            for (TObjHeader* q = AsGroup(Childs(0)[0])->First; q; q = q->Next) InGroup = InGroup || q == p;
            EXPECT_TRUE(InGroup);
        }
    EXPECT_TRUE(TCmdHarness::LogHas("Ops:Regen PocketOp End"));
}

}  // namespace
