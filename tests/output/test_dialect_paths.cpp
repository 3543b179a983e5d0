// The programs of the other controls on a job with a contour, a pocket with an island
// and a text, exported through EXPORT as a user does it: read back into tool-centre
// moves, each cuts the paths of the G-code export (as the standard interpreter runs
// it) at the same depths, with the same tools and feeds, and keeps the machine safe.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "NcJob.h"
#include "cam/CamOpList.h"
#include "core/Glob.h"
#include "core/IntFont.h"
#include "core/ParText.h"
#include "core/TextFile.h"
#include "core/UniText.h"
#include "core/UniWalk.h"
#include "output/Comagrav.h"
#include "output/GcodeCfg.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"
#include "support/NcDialects.h"
#include "tools/ToolDg.h"
#include "tools/ToolLibFile.h"
#include "tools/UniTType.h"

namespace {

class DialectPathsTest : public CmdTest {
protected:
    void SetUp() override {
        CmdTest::SetUp();
        Start();
        InitMaterial();
        InitToolLib();
        InitTool();
        InitToolType();
        Glob.LayerDraw = 1;
        Glob.SpolParObr.PrejezdNadMat = 5;
        Glob.SpolParObr.PrejezdNadUpin = 10;
        Glob.SpolParObr.DepthToPlunge = 0.5L;
        for (int La = 1; La <= ToolLayerCount; ++La) {
            Glob.TabLayer[La].Show = true;
            TTool& T = Glob.Tool[La];
            T.ToolType = 1;
            T.SpodniPrumer = T.HorniPrumer = 2;
            T.Radius = T.UhelSpicky = 0;
            T.Tnum = La;
            T.Dnum = 1;
            T.Obrob = La == 2 ? CelyObjekt : CelyPruchod;
            T.HloubkaRychloposuvem = 0;
            T.Pruchod.fill(TPruchod{-1, -1, 10, 12000});
            T.Pruchod[1].Hloubka = 0.5L;
            T.Pruchod[2].Hloubka = 1;
            for (TToolPlunge& p : T.Material.Zapich) {
                p.Method = 0;
                p.FeedTime = 2;
                p.FeedPercent = false;
            }
        }
    }

    void MakeJob() {
        TScriptResponder R;
        AddRect(Osy{0, 0}, Osy{30, 20}, true);
        R.ExpectModal("ContourDialog", [](TForm& F) {
            F.Find<TControl>("RBtnOutside")->Click();
            F.ClickButton("BitBtnOK");
            return mrOk;
        });
        H->Enter("CONTOUR");
        H->Enter("");
        ClearSelection(MainVars.DataStart);
        AddRect(Osy{40, 0}, Osy{60, 14}, true);
        AddRect(Osy{47, 5}, Osy{52, 9}, true);
        R.ExpectModal("FillDialog", [](TForm& F) {
            F.Find<TControl>("RBtnMeandr")->Click();
            F.Find<TControl>("RBtnSingleTool")->Click();
            F.Find<TControl>("EditPresahSrafMm")->Text = "0.5";
            F.Find<TControl>("EditUhelSraf")->Text = "30";
            F.ClickButton("BitBtnOK");
            return mrOk;
        });
        H->Enter("MEANDR");
        H->Enter("");
        EXPECT_TRUE(R.Done());
        ClearSelection(MainVars.DataStart);
        WorkText = ParText{};
        WorkText.Text = "Ka";
        WorkText.JmFontu = IntFontName;
        WorkText.Vyska = 8;
        WorkText.WidthFactor = 1;
        WorkText.Origin = Osy{0, 30};
        EnText.Add(2, MainVars.DataStart, MainVars.DataEnd, false);
    }

    void Export(const std::string& File, bool Sinumerik) {
        TScriptResponder R;
        R.ExpectSave(File);
        if (Sinumerik) R.ExpectModal("SinumericDialog", mrOk);
        H->Enter("EXPORT");
        EXPECT_TRUE(R.Done()) << File;
    }

    // Horizontal feed moves by their height (to the written micrometre).
    static std::map<long, TPathSet> CutsByLevel(const TMachineRun& Run) {
        std::map<long, TPathSet> out;
        for (const TMachineMove& m : Run.Moves)
            if (!m.Rapid && std::isfinite(double(m.From.z)) && std::fabs(m.From.z - m.To.z) < 1e-9L)
                out[std::lround(double(m.To.z) * 1000)].Add(MovePoints(m, 0.05L));
        return out;
    }
    static std::set<long> FeedsPerMinute(const TMachineRun& Run, double Scale) {
        std::set<long> out;
        for (const TMachineMove& m : Run.Moves)
            if (!m.Rapid) out.insert(std::lround(m.Feed * Scale * 10));
        return out;
    }
    // Every point of A's paths at a level lies within Tol of B's paths at that level.
    static void Covers(const std::map<long, TPathSet>& A, const std::map<long, TPathSet>& B, Extended Tol,
                       const TMachineRun& RunA) {
        for (const TMachineMove& m : RunA.Moves) {
            if (m.Rapid || !std::isfinite(double(m.From.z)) || std::fabs(m.From.z - m.To.z) >= 1e-9L) continue;
            const auto b = B.find(std::lround(double(m.To.z) * 1000));
            ASSERT_NE(b, B.end()) << "no cut at " << double(m.To.z);
            for (const Osy3D& p : MovePoints(m, 0.2L))
                ASSERT_LT(b->second.Dist(Osy{p.x, p.y}, 0.05L), Tol) << double(p.x) << " " << double(p.y);
        }
        (void)A;
    }
    static void SameAsGcode(const TMachineRun& Gc, const TMachineRun& Run, Extended Tol, double GcFeedScale) {
        ASSERT_TRUE(Run.Ok) << Run.Messages;
        EXPECT_EQ(Run.ToolChanges, Gc.ToolChanges);
        const auto gcCuts = CutsByLevel(Gc), cuts = CutsByLevel(Run);
        std::set<long> gcLevels, levels;
        for (const auto& [z, p] : gcCuts) gcLevels.insert(z);
        for (const auto& [z, p] : cuts) levels.insert(z);
        EXPECT_EQ(levels, gcLevels);
        Covers(gcCuts, cuts, Tol, Gc);
        Covers(cuts, gcCuts, Tol, Run);
        EXPECT_EQ(FeedsPerMinute(Run, 1), FeedsPerMinute(Gc, GcFeedScale));
        const std::vector<std::string> bad = SafetyViolations(Run, 5, 1);
        EXPECT_TRUE(bad.empty()) << bad.front();
    }
};

TEST_F(DialectPathsTest, EveryDialectCutsTheGcodePathsAtTheSameDepths) {
    MakeJob();
    ASSERT_GT(OpList.CamCnt, 1);
    Export(InDir("job.nc"), false);
    const TMachineRun gc = RunOnMachine(InDir("job.nc"), Dir());
    ASSERT_TRUE(gc.Ok) << gc.Messages;
    ASSERT_GE(gc.ToolChanges.size(), 2u);
    TGcodeConfig cfg;
    std::vector<std::string> errors;
    LoadGcodeCfg(cfg, errors);
    const double gcScale = 60 / double(cfg.NasobitelRychlosti);
    {
        SCOPED_TRACE("Sinumerik 802");
        Export(InDir("job.mpf"), true);
        SameAsGcode(gc, ReadMpfRun(ReadFile(InDir("job.mpf"))), 0.002L, gcScale);
    }
    {
        SCOPED_TRACE("Comagrav");
        Export(InDir("job.cnc"), false);
        std::vector<std::string> files;
        for (int La = 1; La <= ToolLayerCount; ++La)
            if (TextFileExists(CncLayerFile(InDir("job.cnc"), La))) files.push_back(ReadFile(CncLayerFile(InDir("job.cnc"), La)));
        ASSERT_EQ(files.size(), gc.ToolChanges.size());
        SameAsGcode(gc, ReadCncRun(files), 0.0115L, gcScale);
    }
}

}  // namespace
