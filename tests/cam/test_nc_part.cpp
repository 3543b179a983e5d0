// Jobs made as a user makes them (drawing, CONTOUR, MEANDR, SURFACE with their
// dialogs), exported to G-code, run through the standard interpreter and judged against
// the drawn part with GEOS: no tool disc enters the part, pockets and surfaces are cut
// wherever the tool reaches, contours touch every wall they can reach, every plunge
// stays in what is cut away, and the deepest Z is the deepest pass.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "ContourFixture.h"
#include "cam/CamOpList.h"
#include "cam/ErrorDg.h"
#include "core/Builder.h"
#include "core/Glob.h"
#include "core/ParText.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniText.h"
#include "formats/SafeFile.h"
#include "output/NcOut.h"
#include "shell/MainVars.h"
#include "support/NcPartCheck.h"
#include "tools/ToolLibFile.h"

namespace {

using TSetup = std::function<void(TForm&)>;

class NcPartTest : public ContourTest {
protected:
    void SetUp() override {
        ContourTest::SetUp();
        InitMaterial();
        SafeFileDiskFree = [](const std::string&) { return int64_t(1) << 40; };
        Glob.SpolParObr.PrejezdNadMat = 5;
        Glob.SpolParObr.PrejezdNadUpin = 10;
        Glob.SpolParObr.DepthToPlunge = 0.5L;
        Glob.TabLayer[PartLayer].Show = true;
        for (int La : {1, 2}) {
            Glob.TabLayer[La].Show = true;
            Tool(La, TToolShape::Cylinder(2), {1});
        }
    }

public:
    // Tool layer La: the shape, passes at the given depths, feed 10 mm/s, plunges at
    // 2 mm/s; the program calls it T<La>.
    static TTool& Tool(int La, const TToolShape& S, std::initializer_list<Extended> Depths) {
        TTool& T = Glob.Tool[La];
        const bool Cone = S.AngleDeg > 0, Ball = S.Ball > 0;
        T.ToolType = Cone ? 2 : Ball ? 3 : 1;
        T.SpodniPrumer = S.TipDiam;
        T.HorniPrumer = S.TopDiam;
        T.Radius = S.Ball;
        T.UhelSpicky = S.AngleDeg;
        T.Tnum = La;
        T.Obrob = CelyPruchod;
        T.Pruchod.fill(TPruchod{-1, -1, 10, 12000});
        int i = 1;
        for (Extended d : Depths) T.Pruchod[i++].Hloubka = d;
        for (TToolPlunge& p : T.Material.Zapich) {
            p.Method = 0;
            p.FeedTime = 2;
            p.FeedPercent = false;
        }
        return T;
    }
    // The part is drawn on a layer without a tool, so that only the paths are cut.
    static constexpr int PartLayer = LayerOrig;
    static TObjHeader* Selected(TObjHeader* P) {
        P->Flags |= FlagSelected;
        P->Layer = PartLayer;
        return P;
    }
    static TObjHeader* RoundRect(Osy A, Osy B, Extended R) {
        StartObj({A.x + R, A.y});
        AddSeg({B.x - R, A.y}, 0, CoordTol);
        AddSeg({B.x, A.y + R}, GeomPi2, CoordTol);
        AddSeg({B.x, B.y - R}, 0, CoordTol);
        AddSeg({B.x - R, B.y}, GeomPi2, CoordTol);
        AddSeg({A.x + R, B.y}, 0, CoordTol);
        AddSeg({A.x, B.y - R}, GeomPi2, CoordTol);
        AddSeg({A.x, A.y + R}, 0, CoordTol);
        AddSeg({A.x + R, A.y}, GeomPi2, CoordTol);
        TObjHeader* P = MakeObj(1, MainVars.DataStart, MainVars.DataEnd);
        EnPline.OpenPline(P);
        return Selected(P);
    }
    static TObjHeader* Circle(Osy C, Extended R) {
        EnPline.CircleAdd(C, R, 1, MainVars.DataStart, MainVars.DataEnd);
        return Selected(MainVars.DataEnd);
    }
    static TObjHeader* Rect(Osy A, Osy B) { return Selected(AddRect(A, B, true)); }
    void Type(const std::vector<std::string>& Lines) { Run(Lines); }
    TScriptResponder& Answers() { return *R; }
    // CONTOUR of the selection on one side, climb milling, with the given allowance.
    void ContourOn(const char* Side, const char* Allowance, const TSetup& More = nullptr) {
        Contour([=](TForm& F) {
            F.Find<TControl>(Side)->Click();
            F.Find<TControl>("RBtnSousledne")->Click();
            F.Find<TControl>("EditPridavek")->Text = Allowance;
            if (More) More(F);
        });
    }
    static TSetup Leads(const char* Radius) {
        return [=](TForm& F) {
            F.Find<TControl>("RBtnToolTang")->Click();
            F.Find<TCheckBox>("ChBoxTgIn")->Checked = true;
            F.Find<TCheckBox>("ChBoxTgOut")->Checked = true;
            F.Find<TControl>("EditTangRad")->Text = Radius;
            F.Find<TControl>("EditTangAngle")->Text = "90";
        };
    }
    static TSetup Corners3D() {
        return [](TForm& F) {
            F.Find<TControl>("ChBoxInsideRevers")->Click();
            F.Find<TCheckBox>("ChBox3DCorner")->Checked = true;
            F.Find<TControl>("Edit3DAngle")->Text = "170";
        };
    }
    // MEANDR of the selection with one tool (Fill: "RBtnMeandr" or "RBtnOffset").
    void PocketOf(const char* Fill, const char* Overlap, const TSetup& More = nullptr) {
        R->ExpectModal("FillDialog", [=](TForm& F) {
            F.Find<TControl>(Fill)->Click();
            F.Find<TControl>("RBtnSingleTool")->Click();
            F.Find<TControl>("EditPresahSrafMm")->Text = Overlap;
            F.Find<TControl>("EditUhelSraf")->Text = "0";
            F.Find<TControl>("EditPridSrafMm")->Text = "0";
            F.Find<TControl>("EditAllError")->Text = "0";
            if (More) More(F);
            F.ClickButton("BitBtnOK");
            return mrOk;
        });
        Run({"MEANDR", ""});
        EXPECT_TRUE(R->Done());
    }
    static TSetup RoughPlunge(const char* Method) {
        return [=](TForm& F) { F.Find<TControl>(std::string(Method) + "Rough")->Click(); };
    }

    std::vector<std::string> NcErrors;
    // Exports the job and runs it on the machine.
    TMachineRun Machine() {
        const std::string Nc = Dir() + "/job.nc";
        // The export's list of what it could not do as asked (a plunge it replaced).
        R->ExpectModal("ErrorDialog", [this](TForm&) {
            NcErrors = ErrorDialog->ErrorList->Lines;
            return mrOk;
        });
        EXPECT_TRUE(SaveNc(Nc, true));
        TMachineRun Run = RunOnMachine(Nc, Dir());
        EXPECT_TRUE(Run.Ok) << Run.Messages;
        return Run;
    }
};

struct TRow {
    const char* Name;
    std::function<void(NcPartTest&)> Make;  // draws the part and makes the operation
    TPartJob Job;                           // without the outlines: operation 0's sources
    const char* Pending = nullptr;          // a fault being mended elsewhere: the check finds it
    const char* Logs = nullptr;             // the start of a log line the job must write
};

const TToolShape Cyl6 = TToolShape::Cylinder(6), Cyl2 = TToolShape::Cylinder(2), Ball4 = TToolShape::BallNose(4),
                 Vee = TToolShape::Cone(0.2, 60, 6);

TPartJob Walls(bool Inside, double Allowance, const TToolShape& S, double Deepest) {
    TPartJob J;
    J.WasteInside = Inside;
    J.Allowance = Allowance;
    J.Tools = {{1, S}};
    J.Deepest = Deepest;
    J.Walls = true;
    return J;
}
TPartJob Area(const std::map<int, TToolShape>& Tools, double Deepest, double Allowance = 0) {
    TPartJob J;
    J.Tools = Tools;
    J.Deepest = Deepest;
    J.Allowance = Allowance;
    J.Cover = true;
    return J;
}

const std::vector<TRow>& Rows() {
    using T = NcPartTest;
    static const std::vector<TRow> rows = {
        {"WindowFromInsideSharpCorners",
         [](T& t) {
             T::Tool(1, Cyl6, {0.5, 1});
             T::Rect({0, 0}, {30, 20});
             t.ContourOn("RBtnInside", "0");
         },
         Walls(true, 0, Cyl6, 1)},
        {"WindowFromInsideWithLeadsAtACorner",
         [](T& t) {
             T::Tool(1, Cyl6, {1});
             T::Rect({0, 0}, {30, 20});
             t.ContourOn("RBtnInside", "0", T::Leads("2"));
         },
         Walls(true, 0, Cyl6, 1), nullptr, "CAM:Lead moved to"},
        {"NarrowSlotFromInsideWithLeadsShrunk",
         [](T& t) {
             T::Tool(1, Cyl2, {1});
             T::Rect({0, 0}, {30, 4});
             t.ContourOn("RBtnInside", "0", T::Leads("3"));
         },
         Walls(true, 0, Cyl2, 1), nullptr, "CAM:Lead radius reduced to"},
        {"BlockFromOutsideWithLeadsAndAllowance",
         [](T& t) {
             T::Tool(1, Cyl6, {0.6, 1.2});
             T::Rect({0, 0}, {30, 20});
             t.ContourOn("RBtnOutside", "0.5", T::Leads("2"));
         },
         Walls(false, 0.5, Cyl6, 1.2)},
        {"RoundedWindowWithLeadsRampedPasses",
         [](T& t) {
             TTool& Tl = T::Tool(1, Cyl2, {0.5, 1, 1.5});
             Tl.Material.Zapich[poContour].Method = 2;
             Tl.Material.Zapich[poContour].RampAngle = 5;
             Tl.Material.Zapich[poContour].RampLength = 8;
             T::RoundRect({0, 0}, {30, 20}, 4);
             t.ContourOn("RBtnInside", "0", T::Leads("2"));
         },
         Walls(true, 0, Cyl2, 1.5)},
        {"RoundedBlockFromOutsideDescending",
         [](T& t) {
             TTool& Tl = T::Tool(1, Cyl6, {0.5, 1});
             Tl.Material.Zapich[poContour].Method = 3;
             Tl.Material.Zapich[poContour].SpiralAngle = 3;
             T::RoundRect({0, 0}, {30, 20}, 3);
             t.ContourOn("RBtnOutside", "0");
         },
         Walls(false, 0, Cyl6, 1)},
        {"CircleFromOutsideWithLeads",
         [](T& t) {
             T::Tool(1, Cyl6, {1});
             T::Circle({10, 10}, 6);
             t.ContourOn("RBtnOutside", "0.2", T::Leads("2"));
         },
         Walls(false, 0.2, Cyl6, 1)},
        {"CircleFromInsideBallNose",
         [](T& t) {
             T::Tool(1, Ball4, {0.5, 1.5});
             T::Circle({10, 10}, 8);
             t.ContourOn("RBtnInside", "0", T::Leads("1"));
         },
         Walls(true, 0, Ball4, 1.5)},
        {"WindowWithVBitAnd3DCorners",
         [](T& t) {
             T::Tool(1, Vee, {1});
             T::Rect({0, 0}, {20, 12});
             t.ContourOn("RBtnInside", "0", T::Corners3D());
         },
         Walls(true, 0, Vee, 1)},
        {"WindowWithCylinderAnd3DCorners",
         [](T& t) {
             T::Tool(1, Cyl2, {1});
             T::Rect({0, 0}, {20, 12});
             t.ContourOn("RBtnInside", "0", T::Corners3D());
         },
         Walls(true, 0, Cyl2, 1), nullptr, "CAM:3D corners limited by the tool's shape"},
        {"MeanderAroundAnIslandRamped",
         [](T& t) {
             T::Tool(1, Cyl2, {0.5, 1});
             T::Rect({0, 0}, {20, 14});
             T::Rect({7, 5}, {12, 9});
             t.PocketOf("RBtnMeandr", "0.5", T::RoughPlunge("RBtnToolRamp"));
         },
         Area({{1, Cyl2}}, 1)},
        {"OffsetFillAroundTwoIslands",
         [](T& t) {
             T::Tool(1, Cyl2, {0.4, 0.8, 1.2});
             T::Rect({0, 0}, {24, 16});
             T::Rect({3, 3}, {7, 7});
             T::Rect({14, 5}, {19, 11});
             t.PocketOf("RBtnOffset", "0.6");
         },
         Area({{1, Cyl2}}, 1.2)},
        {"OffsetFillAroundAnIsland",
         [](T& t) {
             T::Tool(1, Cyl2, {0.4, 0.8});
             T::Rect({0, 0}, {20, 14});
             T::Rect({7, 5}, {12, 9});
             t.PocketOf("RBtnOffset", "0.6");
         },
         Area({{1, Cyl2}}, 0.8)},
        {"MeanderWithAHelixPlungeAtEveryPass",
         [](T& t) {
             TTool& Tl = T::Tool(1, Cyl2, {0.5, 1, 1.5});
             Tl.Material.Zapich[poPoint].SpiralRad = 1.8;
             Tl.Material.Zapich[poPocketRough].SpiralPitch = 0.5;
             T::Rect({0, 0}, {20, 14});
             T::Rect({7, 5}, {12, 9});
             t.PocketOf("RBtnMeandr", "0.5", T::RoughPlunge("RBtnToolSpiral"));
         },
         Area({{1, Cyl2}}, 1.5)},
        {"HelixWithoutRoomPlungesVertically",
         [](T& t) {
             TTool& Tl = T::Tool(1, Cyl2, {1});
             Tl.Material.Zapich[poPoint].SpiralRad = 6;
             Tl.Material.Zapich[poPocketRough].SpiralPitch = 0.5;
             T::Rect({0, 0}, {30, 5});
             t.PocketOf("RBtnMeandr", "0.5", T::RoughPlunge("RBtnToolSpiral"));
         },
         Area({{1, Cyl2}}, 1), nullptr, "Out:No room for the helix"},
        {"RoundPocketWithARoundIsland",
         [](T& t) {
             T::Tool(1, Cyl2, {1});
             T::Circle({0, 0}, 10);
             T::Circle({2, 1}, 3);
             t.PocketOf("RBtnMeandr", "0.5");
         },
         Area({{1, Cyl2}}, 1)},
        {"PocketWideningANarrowCorridor",
         [](T& t) {
             T::Tool(1, Cyl2, {1});
             StartObj({0, 0});
             for (const Osy& P : std::vector<Osy>{{10, 0}, {10, 4}, {30, 4}, {30, 0}, {40, 0}, {40, 10}, {30, 10},
                                                  {30, 5.9L}, {10, 5.9L}, {10, 10}, {0, 10}, {0, 0}})
                 AddSeg(P, 0, CoordTol);
             EnPline.OpenPline(T::Selected(MakeObj(1, MainVars.DataStart, MainVars.DataEnd)));
             t.PocketOf("RBtnMeandr", "0.5", [](TForm& F) {
                 F.Find<TControl>("RBtnSingleToolErr")->Click();
                 F.Find<TControl>("EditThinError")->Text = "0.5";
             });
         },
         [] {
             TPartJob J = Area({{1, Cyl2}}, 1);
             J.Widen = 0.05;  // the centre line of the 1.9 mm corridor
             return J;
         }()},
        {"RestMachiningWithTwoTools",
         [](T& t) {
             T::Tool(1, TToolShape::Cylinder(4), {0.5, 1});
             T::Tool(2, TToolShape::Cylinder(1), {0.5, 1});
             T::Rect({0, 0}, {30, 20});
             T::Rect({10, 3}, {20, 12});
             t.PocketOf("RBtnMeandr", "1", [](TForm& F) {
                 F.Find<TControl>("RBtnDoubleTool")->Click();
                 F.Find<TControl>("EditSmPresahSraf")->Text = "0.2";
                 F.Find<TControl>("EditSmPridSraf")->Text = "0";
                 F.Find<TControl>("EditSmUhelSraf")->Text = "90";
             });
         },
         Area({{1, TToolShape::Cylinder(4)}, {2, TToolShape::Cylinder(1)}}, 1)},
        {"RestToolAtTheDialogsDepth",
         [](T& t) {
             for (int La : {1, 2}) {
                 T::Tool(La, TToolShape::Cylinder(La == 1 ? 4 : 1), {1});
                 Glob.Tool[La].Material.Tech.Ap = 1;
                 Glob.Tool[La].Material.Tech.ApPercent = false;
             }
             Glob.AutoApplyToolOpen = true;
             T::Rect({0, 0}, {30, 20});
             T::Rect({10, 3}, {20, 12});
             t.PocketOf("RBtnMeandr", "1", [](TForm& F) {
                 F.Find<TControl>("EditDepth")->Text = "2";
                 F.Find<TControl>("RBtnDoubleTool")->Click();
                 F.Find<TControl>("EditSmPresahSraf")->Text = "0.2";
                 F.Find<TControl>("EditSmPridSraf")->Text = "0";
                 F.Find<TControl>("EditSmUhelSraf")->Text = "90";
             });
         },
         Area({{1, TToolShape::Cylinder(4)}, {2, TToolShape::Cylinder(1)}}, 2)},
        {"SurfacingInsideTheEdge",
         [](T& t) {
             T::Tool(1, Cyl6, {0.3});
             T::Rect({0, 0}, {40, 30});
             t.Answers().ExpectModal("SurfaceDialog", [](TForm& F) {
                 F.Find<TControl>("RBtnInside")->Click();
                 F.Find<TControl>("EditDistOver")->Text = "2";
                 F.Find<TControl>("EditPresahSraf")->Text = "1";
                 F.Find<TControl>("RbtnAlongX")->Click();
                 F.ClickButton("BitBtnOK");
                 return mrOk;
             });
             t.Type({"SURFACE", ""});
         },
         Area({{1, Cyl6}}, 0.3, 2)},
        {"TrueTypeTextPocket",
         [](T& t) {
             T::Tool(1, TToolShape::Cylinder(0.6), {0.3, 0.6});
             WorkText = ParText{};
             WorkText.Text = "Ko";
             WorkText.JmFontu = "DejaVu Sans";
             WorkText.Vyska = 8;
             WorkText.WidthFactor = 1;
             WorkText.Justify = JustifyTrueType;
             EnText.Add(T::PartLayer, MainVars.DataStart, MainVars.DataEnd, false);
             T::Selected(MainVars.DataEnd);
             t.Type({"TEXTTOPLINE", ""});
             for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) p->Flags |= FlagSelected;
             t.PocketOf("RBtnOffset", "0.1");
         },
         Area({{1, TToolShape::Cylinder(0.6)}}, 0.6)},
        {"VBitPocketDeeperThanTheToolsPasses",
         [](T& t) {
             T::Tool(1, Vee, {1});
             Glob.AutoApplyToolOpen = true;
             Glob.Tool[1].Material.Tech.Ap = 3;
             Glob.Tool[1].Material.Tech.ApPercent = false;
             T::Rect({0, 0}, {8, 6});
             t.PocketOf("RBtnMeandr", "0.05", [](TForm& F) { F.Find<TControl>("EditDepth")->Text = "3"; });
         },
         Area({{1, Vee}}, 3)},
    };
    return rows;
}

void PrintTo(const TRow& R, std::ostream* Os) { *Os << R.Name; }

class NcPartCheck : public NcPartTest, public ::testing::WithParamInterface<TRow> {};

TEST_P(NcPartCheck, ProgramKeepsToThePart) {
    const TRow& Row = GetParam();
    Row.Make(*this);
    ASSERT_GE(OpList.CamCnt, 1);
    TPartJob Job = Row.Job;
    for (TObjHeader* p : Parents(0))
        if (p->Type == ObjPline) Job.Outlines.push_back(p);
    const TMachineRun Run = Machine();
    const TPartReport Rep = CheckAgainstPart(Run, Job);
    std::string Faults;
    for (const std::string& f : Rep.Faults) Faults += f + "\n";
    for (const std::string& e : NcErrors) Faults += "(export: " + e + ")\n";
    if (Row.Pending) {
        EXPECT_FALSE(Rep.Faults.empty()) << "mended (" << Row.Pending << "): turn this row on";
        GTEST_SKIP() << "expected to fail until mended: " << Row.Pending << "\n" << Faults;
    }
    EXPECT_TRUE(Rep.Faults.empty()) << Faults << "gouge " << Rep.Gouge << " at " << Rep.GougeAt;
    if (Row.Logs) {
        bool Found = false;
        for (const std::string& L : TCmdHarness::LogTexts()) Found = Found || L.rfind(Row.Logs, 0) == 0;
        EXPECT_TRUE(Found) << Row.Logs;
    }
}

INSTANTIATE_TEST_SUITE_P(Jobs, NcPartCheck, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<TRow>& I) { return std::string(I.param.Name); });

// The check itself finds a path 0.005 mm off: the same program moved toward a wall.
TEST_F(NcPartTest, CheckCatchesAPathMovedTowardAWall) {
    Tool(1, Cyl6, {1});
    TObjHeader* Window = Rect({0, 0}, {30, 20});
    ContourOn("RBtnInside", "0");
    const TMachineRun Run = Machine();
    TPartJob Job = Walls(true, 0, Cyl6, 1);
    Job.Outlines = {Window};
    EXPECT_TRUE(CheckAgainstPart(Run, Job).Faults.empty());
    const TPartReport Moved = CheckAgainstPart(ShiftedRun(Run, 0.005, 0), Job);
    EXPECT_NEAR(Moved.Gouge, 0.005, 1e-4);
    EXPECT_GT(Moved.UncutWall, 10);  // the left wall is no longer reached
    EXPECT_EQ(Moved.Faults.size(), 2u);
}

}  // namespace
