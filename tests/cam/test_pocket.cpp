// MEANDR and the pocket builder, judged by properties of the paths: distances to the
// walls, the step between passes, coverage on a grid, and Clipper's areas.
#include <polyclipping/clipper.hpp>

#include <algorithm>
#include <cmath>
#include <set>

#include "ContourFixture.h"
#include "cam/CamOpList.h"
#include "cam/FillDg.h"
#include "cam/CamOpRegen.h"
#include "cam/CamToolPick.h"
#include "cam/MeaRepDg.h"
#include "cam/PocketBuild.h"
#include "cam/SurfaceDg.h"
#include "core/Builder.h"
#include "core/UniPline.h"
#include "core/Glob.h"
#include "core/UniGeom.h"
#include "core/UniWalk.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"
#include "tools/ToolDg.h"

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
            F.Find<TControl>("RBtnSingleTool")->Click();
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

// The paths as straight pieces: lines as they are, arcs as chords of at most 0.01 mm sag.
std::vector<std::pair<Osy, Osy>> Pieces(const std::vector<TObjHeader*>& Paths) {
    std::vector<std::pair<Osy, Osy>> Res;
    for (TObjHeader* P : Paths) {
        const std::vector<Osy> V = SamplePath(P, 64);
        for (size_t i = 0; i + 1 < V.size(); ++i) Res.push_back({V[i], V[i + 1]});
    }
    return Res;
}

Extended NearestPath(const std::vector<std::pair<Osy, Osy>>& Segs, const Osy& Q) {
    Extended Best = 1e300;
    for (const auto& [A, B] : Segs) {
        const Extended dx = B.x - A.x, dy = B.y - A.y, L2 = dx * dx + dy * dy;
        const Extended t = L2 > 0 ? std::clamp<Extended>(((Q.x - A.x) * dx + (Q.y - A.y) * dy) / L2, 0, 1) : 0;
        Best = std::min(Best, std::hypot(Q.x - A.x - t * dx, Q.y - A.y - t * dy));
    }
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
        for (TObjHeader* P : All)
            for (const Osy& Q : SamplePath(P, 64))
                ASSERT_GE(double(Clearance(Outer, C.Islands, Q)), 1 - 1e-6) << Q.x << " " << Q.y;
        const auto Pts = Pieces(All);
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
        if (C.Ok) {
            EXPECT_NEAR(double(A), double(C.Rad), 1e-12) << double(C.Deg);
        }
    }
}

TEST_F(PocketTest, BadValuesAreListedAndNothingIsBuilt) {
    struct {
        const char* Overlap;
        const char* Angle;
        const char* Log;
        int MsgNo;
    } Cases[] = {
        {"2", "90", "Err:Wrong overhang, too big", 75},      // overlap = tool diameter: step 0
        {"-0.5", "90", "Err:Wrong fill overhang (-0.5)", 74},  // wider than the tool: strips left
        {"0.5", "400", "Err:Wrong angle of fill (400)", 73},
        {"x", "90", "Err:Wrong fill overhang (x)", 74},
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
        R->ExpectModal("ErrorDialog", [&C](TForm& F) {
            EXPECT_EQ(F.Caption, Msg[78]);
            const auto& L = F.Find<TMemo>("ErrorList")->Lines;
            EXPECT_NE(std::find(L.begin(), L.end(), Msg[C.MsgNo]), L.end());
            return mrOk;
        });
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

namespace {

class SurfaceTest : public PocketTest {
protected:
    void Surface(const char* Where, const char* DistOver, const char* Overlap, bool AlongY) {
        R->ExpectModal("SurfaceDialog", [=](TForm& F) {
            F.Find<TControl>(Where)->Click();
            F.Find<TControl>("EditDistOver")->Text = DistOver;
            F.Find<TControl>("EditPresahSraf")->Text = Overlap;
            F.Find<TControl>(AlongY ? "RbtnAlongY" : "RbtnAlongX")->Click();
            F.ClickButton("BitBtnOK");
            return mrOk;
        });
        H->Enter("SURFACE");
        H->Enter("");
    }
};

TEST_F(SurfaceTest, InsideOnAndOutsideTheEdgeAtTheDistanceFromIt) {
    // A 6 mm tool, 2 mm from the edge: the region is offset by 5 mm.
    SetTool(1, 6);
    const TRect Sq{{0, 0}, {40, 30}};
    struct {
        const char* Where;
        Extended Offset;  // how far the tool centre stays inside the edge (negative: outside)
        bool AlongY;
    } Cases[] = {{"RBtnInside", 5, false}, {"RbtnEdge", -0.001L, true}, {"RbtnOutside", -5, false}};
    int Op = 0;
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Where);
        AddRect(Sq.A, Sq.B, true);
        Surface(C.Where, "2", "1", C.AlongY);
        ASSERT_EQ(OpList.CamCnt, Op + 1);
        const TCamOp& M = OpList.Cam[Op];
        EXPECT_EQ(M.OpType, OpTypeSurface);
        EXPECT_EQ(M.Status, 0);
        EXPECT_EQ(double(M.MFillUhel), C.AlongY ? 1.5707963705062866 : 0.0);
        Extended Least = 1e9;
        for (TObjHeader* P : Paths(Op))
            for (const Osy& Q : SamplePath(P, 16)) Least = std::min(Least, Clearance(Sq, {}, Q));
        const auto Pts = Pieces(Paths(Op));
        EXPECT_NEAR(double(Least), double(C.Offset), 1e-6);
        // Passes along the chosen axis; the centre region is swept (step 5 with radius 3).
        int Along = 0, Across = 0;
        for (TObjHeader* P : Paths(Op))
            for (int i = 0; i < PlineSegCount(P); ++i) {
                const Osy S = PlineSegStart(P, i), E = PlineSegs(P)[i].E;
                if (Dist(S, E) < 6) continue;
                // Along Y is pi/2 in single precision: 2e-6 mm off over 40 mm.
                (std::fabs(C.AlongY ? S.x - E.x : S.y - E.y) < 1e-5 ? Along : Across)++;
            }
        EXPECT_GT(Along, Across);  // across: the boundary pass and the links over its arcs
        for (Extended x = 0; x <= 40; x += 0.5L)
            for (Extended y = 0; y <= 30; y += 0.5L)
                if (Clearance(Sq, {}, {x, y}) >= C.Offset) {
                    ASSERT_LE(double(NearestPath(Pts, {x, y})), 3 + 1e-6);
                }
        Op += 1;
    }
    EXPECT_EQ(OpList.Cam[2].Name, "Povrch3");
}

TEST_F(SurfaceTest, EdgeKeepsTheTypedDistanceAndEditShowsTheRecordedDirection) {
    TForm& F = *SurfaceDialog;
    F.Find<TControl>("RbtnOutside")->Click();
    F.Find<TControl>("EditDistOver")->Text = "2";
    F.Find<TControl>("RbtnEdge")->Click();
    EXPECT_FALSE(F.Find<TControl>("EditDistOver")->Enabled);
    F.Find<TControl>("RbtnOutside")->Click();
    EXPECT_TRUE(F.Find<TControl>("EditDistOver")->Enabled);
    EXPECT_EQ(F.Find<TControl>("EditDistOver")->Text, "2");

    AddRect({0, 0}, {20, 20}, true);
    Surface("RBtnInside", "0", "0.5", true);
    F.Find<TControl>("RbtnAlongX")->Click();
    CamOpToDg(0);
    EXPECT_TRUE(SurfaceDialog->RbtnAlongY->Checked);
    EXPECT_TRUE(SurfaceDialog->RBtnInside->Checked);
}

TEST_F(PocketTest, WideningMakesCentreLinesThroughNarrowPlacesAndReportsDropped) {
    // A 10 x 10 block with a 1.9 mm wide corridor: a 2 mm tool does not fit the corridor
    // with the whole-object widening 0, so its centre line (0.05 mm from each wall
    // inside the tool's reach) is made; with a tiny widening limit it is dropped.
    struct {
        const char* Thin;
        int Kept, Dropped;
        const char* Fill;
    } Cases[] = {{"0.5", 1, 0, "RBtnMeandr"}, {"0.01", 0, 1, "RBtnMeandr"}, {"0.5", 1, 0, "RBtnOffset"}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(std::string(C.Thin) + " " + C.Fill);
        TObjHeader* Sh = nullptr;
        {
            StartObj({0, 0});
            for (const Osy& P : std::vector<Osy>{{10, 0}, {10, 4}, {30, 4}, {30, 0}, {40, 0}, {40, 10}, {30, 10},
                                                 {30, 5.9L}, {10, 5.9L}, {10, 10}, {0, 10}, {0, 0}})
                AddSeg(P, 0, CoordTol);
            Sh = MakeObj(1, MainVars.DataStart, MainVars.DataEnd);
            EnPline.OpenPline(Sh);
            Sh->Flags |= FlagSelected;
        }
        R->ExpectModal("FillDialog", [&C](TForm& F) {
            F.Find<TControl>(C.Fill)->Click();
            F.Find<TControl>("RBtnSingleToolErr")->Click();
            F.Find<TControl>("EditThinError")->Text = C.Thin;
            F.Find<TControl>("EditAllError")->Text = "0";
            F.Find<TControl>("EditPridSrafMm")->Text = "0";
            return mrOk;
        });
        if (C.Dropped > 0) R->ExpectModal("Report", mrOk);
        Run({"MEANDR", ""});
        const int Op = OpList.CamCnt - 3;
        ASSERT_GE(Op, 0);
        EXPECT_EQ(OpList.Cam[Op].Strategy, 1);
        if (C.Dropped > 0) {
            EXPECT_EQ(ReportDialog->StrGrid->Cells[2][5], "1");
            EXPECT_EQ(ReportDialog->StrGrid->Cells[0][5], "Nepovedené středovky");
        }
        // Every path keeps the tool 1 mm off the walls except centre lines in the corridor.
        int InCorridor = 0;
        for (TObjHeader* P : Paths(Op))
            for (const Osy& Q : SamplePath(P, 8)) {
                const bool Corridor = Q.x > 10 + 1e-6 && Q.x < 30 - 1e-6 && Q.y > 4 && Q.y < 5.9L;
                if (Corridor) {
                    ++InCorridor;
                    EXPECT_NEAR(double(Q.y), 4.95, 1e-3);
                }
            }
        EXPECT_EQ(InCorridor > 0, C.Kept > 0);
        ClearSelection(MainVars.DataStart);
        EXPECT_TRUE(R->Done());
    }
}

}  // namespace

namespace {

std::function<void(TForm&)> TwoTools(const char* Fill) {
    return [Fill](TForm& F) {
        F.Find<TControl>(Fill)->Click();
        F.Find<TControl>("RBtnDoubleTool")->Click();
        F.Find<TControl>("EditPresahSrafMm")->Text = "1";
        F.Find<TControl>("EditUhelSraf")->Text = "0";
        F.Find<TControl>("EditSmPresahSraf")->Text = "0.2";
        F.Find<TControl>("EditSmPridSraf")->Text = "0";
        F.Find<TControl>("EditSmUhelSraf")->Text = "90";
        F.Find<TControl>("EditAllError")->Text = "0";
    };
}

TEST_F(PocketTest, RestToolClearsWhatTheMainToolCannotReach) {
    // A 4 mm main tool and a 1 mm rest tool; the island leaves a 3 mm gap to the wall
    // that only the rest tool passes.
    SetTool(1, 4);
    SetTool(2, 1);
    Glob.TabLayer[2].Show = true;
    const TRect Outer{{0, 0}, {30, 20}};
    const std::vector<TRect> Islands{{{10, 3}, {20, 12}}};
    for (const char* Fill : {"RBtnMeandr", "RBtnOffset"}) {
        SCOPED_TRACE(Fill);
        AddRect(Outer.A, Outer.B, true);
        AddRect(Islands[0].A, Islands[0].B, true);
        Pocket(TwoTools(Fill));
        const int Op = OpList.CamCnt - 1;
        ASSERT_GE(Op, 0);
        const TCamOp& M = OpList.Cam[Op];
        EXPECT_EQ(M.Strategy, 2);
        EXPECT_EQ(M.La2, 2);
        EXPECT_EQ(M.Status, 0);
        ASSERT_EQ(Childs(Op).size(), 2u);  // the rest tool's group, then the main tool's
        std::vector<TObjHeader*> Main, Small;
        for (TObjHeader* p : Paths(Op)) (p->Layer == 2 ? Small : Main).push_back(p);
        ASSERT_FALSE(Main.empty());
        ASSERT_FALSE(Small.empty());
        for (TObjHeader* p : Main) {
            EXPECT_EQ(p->Layer, 1);
            for (const Osy& Q : SamplePath(p, 32)) ASSERT_GE(double(Clearance(Outer, Islands, Q)), 2 - 1e-6);
        }
        for (TObjHeader* p : Small)
            for (const Osy& Q : SamplePath(p, 32)) ASSERT_GE(double(Clearance(Outer, Islands, Q)), 0.5 - 1e-6);
        // Nothing the rest tool can reach stays uncut (checked on a grid).
        const auto MainSegs = Pieces(Main), SmallSegs = Pieces(Small);
        for (Extended x = 0.05L; x < 30; x += 0.2L)
            for (Extended y = 0.05L; y < 20; y += 0.2L) {
                const Osy Q{x, y};
                if (Clearance(Outer, Islands, Q) < 0.5L) continue;
                const bool Cut = NearestPath(MainSegs, Q) <= 2 + 1e-6 || NearestPath(SmallSegs, Q) <= 0.5 + 1e-6;
                ASSERT_TRUE(Cut) << x << " " << y;
            }
        ClearSelection(MainVars.DataStart);
    }
    EXPECT_EQ(OpList.CamCnt, 2);  // no sub-operations
}

TEST_F(PocketTest, EditingTwoToolsIntoOneKeepsTheNextOperationAndBack) {
    SetTool(1, 4);
    SetTool(2, 1);
    Glob.AutoRegen = true;
    AddRect({0, 0}, {20, 20}, true);
    Pocket(TwoTools("RBtnMeandr"));
    ASSERT_EQ(OpList.CamCnt, 1);
    ClearSelection(MainVars.DataStart);
    AddRect({40, 0}, {50, 10}, true);
    Pocket(Values("RBtnMeandr", "0.5", "90"));
    ASSERT_EQ(OpList.CamCnt, 4);
    const std::string Second = OpList.Cam[1].Name;
    const std::vector<TObjHeader*> SecondPaths = Childs(1);

    // Strategy 2 edited into 0: two sub-operations are made for it behind it.
    OpList.Cam[0].Strategy = 0;
    RegenOpByNum(0);
    ASSERT_EQ(OpList.CamCnt, 6);
    EXPECT_EQ(OpList.Cam[1].MasterOp, 0);
    EXPECT_EQ(OpList.Cam[2].MasterOp, 0);
    EXPECT_EQ(OpList.Cam[3].Name, Second);
    EXPECT_EQ(OpList.Cam[3].MasterOp, -1);
    EXPECT_EQ(Childs(3), SecondPaths);
    EXPECT_EQ(OpList.Cam[4].MasterOp, 3);
    EXPECT_EQ(OpList.Cam[5].MasterOp, 3);
    EXPECT_FALSE(Childs(1).empty());

    // And back to two tools: the sub-operations go, the next operation moves up. The
    // rest tool is the operation's own second layer, whatever the settings name.
    OpList.Cam[0].Strategy = 2;
    OpList.Cam[0].La2 = 2;
    Glob.SmallTool = 3;
    RegenOpByNum(0);
    ASSERT_EQ(OpList.CamCnt, 4);
    EXPECT_EQ(OpList.Cam[1].Name, Second);
    EXPECT_EQ(OpList.Cam[2].MasterOp, 1);
    EXPECT_EQ(OpList.Cam[3].MasterOp, 1);
    EXPECT_EQ(Childs(0).size(), 2u);
    std::set<int> Layers;
    for (TObjHeader* p : Paths(0)) Layers.insert(p->Layer);
    EXPECT_EQ(Layers, (std::set<int>{1, 2}));
}

}  // namespace

namespace {

TEST_F(PocketTest, InteliMeandrPocketsTheAreasAroundPickedPoints) {
    Glob.TabLayer[68].Show = true;
    TObjHeader* Outline = AddRect({0, 0}, {20, 14}, false);
    Outline->Layer = 68;
    AddRect({7, 5}, {12, 9}, false)->Layer = 68;
    R->ExpectMessage(mrOk, Msg[13]);
    R->ExpectModal("FillDialog", [](TForm& F) {
        Values("RBtnMeandr", "0.5", "90")(F);
        return mrOk;
    });
    Run({"INTELIMEANDR", "3 3", "50 50", ""});
    ASSERT_EQ(OpList.CamCnt, 3);
    EXPECT_EQ(OpList.Cam[0].Status, 0);
    ASSERT_EQ(Childs(0).size(), 1u);
    for (TObjHeader* P : Paths(0))
        for (const Osy& Q : SamplePath(P, 16))
            ASSERT_GE(double(Clearance({{0, 0}, {20, 14}}, {{{7, 5}, {12, 9}}}, Q)), 1 - 1e-6);
    EXPECT_TRUE(R->Done());
}

TEST_F(PocketTest, EngrBlockPocketsAsMeandrDoesWithoutItsLogLines) {
    const TRect Outer{{0, 0}, {20, 14}};
    const std::vector<TRect> Islands{{{7, 5}, {12, 9}}};
    auto Count = [](const std::string& Line) {
        const auto L = TCmdHarness::LogTexts();
        return std::count(L.begin(), L.end(), Line);
    };
    int Op = 0;
    for (const std::string Keyword : {"MEANDR", "ENGRBLOCK"}) {
        SCOPED_TRACE(Keyword);
        AddRect(Outer.A, Outer.B, true);
        AddRect(Islands[0].A, Islands[0].B, true);
        const auto Starts = Count("Sys:ComPocket Start"), Ends = Count("Sys:ComPocket End");
        R->ExpectModal("FillDialog", [](TForm& F) {
            Values("RBtnOffset", "0.5", "0")(F);
            F.ClickButton("BitBtnOK");
            return mrOk;
        });
        Run({Keyword, ""});
        EXPECT_TRUE(R->Done());
        ASSERT_EQ(OpList.CamCnt, Op + 3);
        EXPECT_EQ(OpList.Cam[Op].Status, 0);
        ASSERT_FALSE(Paths(Op).empty());
        for (TObjHeader* P : Paths(Op))
            for (const Osy& Q : SamplePath(P, 16)) ASSERT_GE(double(Clearance(Outer, Islands, Q)), 1 - 1e-6);
        const int Logged = Keyword == "MEANDR" ? 1 : 0;
        EXPECT_EQ(Count("Sys:ComPocket Start") - Starts, Logged);
        EXPECT_EQ(Count("Sys:ComPocket End") - Ends, Logged);
        Op += 3;
        ClearSelection(MainVars.DataStart);
    }
}

}  // namespace

namespace {

TEST_F(PocketTest, RoughingAndFinishingPlungesAreKeptApart) {
    AddRect({0, 0}, {10, 10}, true);
    Pocket([](TForm& F) {
        Values("RBtnMeandr", "0.5", "90")(F);
        F.Find<TControl>("RBtnToolRampRough")->Click();
        F.Find<TControl>("EditToolPlungeFeedRough")->Text = "3";
        F.Find<TControl>("RBtnToolSpiralFin")->Click();
        F.Find<TControl>("EditToolPlungeFeedFin")->Text = "7";
    });
    ASSERT_EQ(OpList.CamCnt, 3);
    const TPlungeObjects& Z = Glob.Tool[1].Material.Zapich;
    EXPECT_EQ(Z[poPocketRough].Method, 2);
    EXPECT_EQ(double(Z[poPocketRough].FeedTime), 3.0);
    EXPECT_EQ(Z[poPocketFin].Method, 3);
    EXPECT_EQ(double(Z[poPocketFin].FeedTime), 7.0);
    // Shown again, each page shows its own plunge.
    MainVars.DataStart->Flags |= FlagSelected;
    R->ExpectModal("FillDialog", [](TForm& F) {
        EXPECT_TRUE(F.Find<TRadioButton>("RBtnToolRampRough")->Checked);
        EXPECT_EQ(F.Find<TControl>("EditToolPlungeFeedRough")->Text, "3");
        EXPECT_TRUE(F.Find<TRadioButton>("RBtnToolSpiralFin")->Checked);
        EXPECT_EQ(F.Find<TControl>("EditToolPlungeFeedFin")->Text, "7");
        return mrCancel;
    });
    Run({"MEANDR", ""});
    EXPECT_TRUE(R->Done());
}

}  // namespace

namespace {

// The pocket and surfacing dialogs show the layer tool's depth, enable the depth and
// feed only with AutoApplyToolOpen, start a new operation from its defaults (with
// AutoApplyToolOpen from the tool's cutting data), and OK leaves the layer cut as deep.
TEST_F(SurfaceTest, DialogsShowTheLayersDepthAndKeepIt) {
    TTool& T = Glob.Tool[1];
    T.Material.Tech.Ap = 0.5L;
    T.Material.Tech.ApPercent = T.Material.Tech.AePercent = false;
    T.Material.Tech.Ae = 0.4L;
    T.Material.Tech.Method = 2;
    T.Material.Tech.Edge = 0;
    DepthToTool(3, 1, false);
    struct {
        const char *Command, *Form, *Overlap, *Conv;
    } Cases[] = {{"MEANDR", "FillDialog", "EditPresahSrafMm", "RBtnNesousl"},
                 {"SURFACE", "SurfaceDialog", "EditPresahSraf", "RBtnNesousledne"}};
    for (bool Auto : {false, true})
        for (const auto& C : Cases) {
            SCOPED_TRACE(std::string(C.Command) + (Auto ? " AutoApplyToolOpen" : ""));
            Glob.AutoApplyToolOpen = Auto;
            FillDialog->ChBox3DCorner->Checked = true;
            SurfaceDialog->EditPresahSraf->Text = "5";
            AddRect({0, 0}, {20, 20}, true);
            const int Ops = OpList.CamCnt;
            R->ExpectModal(C.Form, [&](TForm& F) {
                EXPECT_EQ(F.Find<TControl>("EditDepth")->Text, "3");
                for (const char* N : {"EditDepth", "EditFeed", "LabOpDepth", "LabOpFeed"})
                    EXPECT_EQ(F.Find<TControl>(N)->Enabled, Auto) << N;
                if (&F == FillDialog) EXPECT_FALSE(FillDialog->ChBox3DCorner->Checked);
                if (Auto) {
                    EXPECT_EQ(F.Find<TControl>(C.Overlap)->Text, "0.4");
                    EXPECT_TRUE(F.Find<TControl>(C.Conv)->Checked);
                    if (&F == SurfaceDialog) EXPECT_TRUE(SurfaceDialog->RBtnInside->Checked);
                } else if (&F == SurfaceDialog) {
                    EXPECT_EQ(SurfaceDialog->EditPresahSraf->Text, "0");
                }
                F.ClickButton("BitBtnOK");
                return mrOk;
            });
            H->Enter(C.Command);
            H->Enter("");
            ASSERT_TRUE(R->Done());
            ASSERT_GT(OpList.CamCnt, Ops);
            EXPECT_EQ(OpList.Cam[Ops].Depth, 3);
            Extended D = 0;
            ASSERT_TRUE(MaxDepth(1, D, false));
            EXPECT_EQ(D, 3);
        }
}

// The surfacing plunge is the tool's: shown on the "Zápich" page and kept at OK; the
// tool box picks the operation's layer as the pocket dialog's does.
TEST_F(SurfaceTest, SurfacingPlungePageAndToolChoice) {
    Glob.Tool[1].Material.Zapich[poSurface].Method = 2;
    SetTool(4, 3);
    const TCamToolPickFn Installed = CamToolPickHook;
    CamToolPickHook = [](TCamToolPick& P) {
        P.La = 4;
        return true;
    };
    AddRect({0, 0}, {20, 20}, true);
    R->ExpectModal("SurfaceDialog", [](TForm& F) {
        EXPECT_TRUE(F.Find<TControl>("RBtnToolRamp")->Checked);
        F.Find<TControl>("GrBoxTool")->OnMouseDown(TMouseButton::mbLeft, 0, 0, 0);
        EXPECT_EQ(SurfaceLa, 4);
        EXPECT_EQ(SurfaceDialog->LabToolName->Caption, Glob.Tool[4].JmNastroje);
        F.Find<TControl>("RBtnToolSpiral")->Click();
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    H->Enter("SURFACE");
    H->Enter("");
    CamToolPickHook = Installed;
    ASSERT_EQ(OpList.CamCnt, 1);
    EXPECT_EQ(OpList.Cam[0].La1, 4);
    EXPECT_EQ(Glob.Tool[4].Material.Zapich[poSurface].Method, 3);
    EXPECT_EQ(Glob.Tool[1].Material.Zapich[poSurface].Method, 2);
}

// A machining command with nothing selected says so and records nothing.
TEST_F(PocketTest, NothingSelectedIsRefused) {
    for (const char* Command : {"CONTOUR", "MEANDR", "SURFACE"}) {
        SCOPED_TRACE(Command);
        R->ExpectMessage(mrOk, Msg[107]);
        H->Enter(Command);
        H->Enter("");
        EXPECT_TRUE(R->Done());
        EXPECT_EQ(OpList.CamCnt, 0);
    }
}

}  // namespace
