// Every control's program of one job (an outside contour, a pocket with an island and
// a text) replayed as its machine runs it: the same cut paths at the same depths and
// feeds as the G-code export run through the standard interpreter, rapids above the
// stock, nothing below the deepest pass. GravoGraph's HPGL is also plotted by hp2xx,
// whose ink must lie on the cut paths.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "NcJob.h"
#include "cam/CamOpList.h"
#include "core/TextFile.h"
#include "core/UniPline.h"
#include "core/UniText.h"
#include "core/UniWalk.h"
#include "formats/SafeFile.h"
#include "output/GcodeCfg.h"
#include "output/NcOut.h"
#include "output/UniGravoGraph.h"
#include "output/UniMcr.h"
#include "output/UniNcp.h"
#include "platform/ScriptResponder.h"
#include "shell/MainVars.h"
#include "support/CmdTest.h"
#include "support/NcDialectRead.h"
#include "tools/ToolDg.h"
#include "tools/ToolLibFile.h"
#include "tools/UniTType.h"

namespace {

constexpr Extended Feed = 10;  // mm/s, every pass
const std::vector<Extended> Depths1{0.5L, 1.0L};
const std::vector<Extended> Depths2{0.3L};

class NcDialectPathsTest : public NcCmdTest {
protected:
    void SetUp() override {
        NcCmdTest::SetUp();
        for (TLayer& l : Glob.TabLayer) l.Show = true;
        Glob.LayerDraw = 1;
        SafeFileDiskFree = [](const std::string&) { return int64_t(1) << 40; };
        Glob.SpolParObr.PrejezdNadMat = 5;
        Glob.SpolParObr.PrejezdNadUpin = 10;
        Glob.SpolParObr.DepthToPlunge = 0.5L;
        Tool(1, 2, Depths1);
        Tool(2, 0.5L, Depths2);
        MakeJob();
    }
    static void Tool(int La, Extended Diam, const std::vector<Extended>& Depths) {
        TTool& T = Glob.Tool[La];
        T.ToolType = 1;
        T.SpodniPrumer = T.HorniPrumer = Diam;
        T.Radius = T.UhelSpicky = 0;
        T.VretTime = 0;
        T.Obrob = CelyPruchod;
        T.Pruchod.fill(TPruchod{-1, -1, Feed, 12000});
        for (size_t i = 0; i < Depths.size(); ++i) T.Pruchod[i + 1].Hloubka = Depths[i];
        for (TToolPlunge& p : T.Material.Zapich) {
            p.Method = 0;
            p.FeedTime = 2;
            p.FeedPercent = false;
        }
    }
    // Sources on a drawing layer; their paths on tool layer 1; the text on tool layer 2.
    void MakeJob() {
        auto select = [] { MainVars.DataEnd->Flags |= FlagSelected; };
        auto rect = [&](Osy A, Osy B) {
            EnPline.RectangleAdd(A, B, 65, MainVars.DataStart, MainVars.DataEnd);
            select();
        };
        TScriptResponder R;
        rect(Osy{0, 0}, Osy{30, 20});
        R.ExpectModal("ContourDialog", [](TForm& F) {
            F.Find<TControl>("RBtnOutside")->Click();
            F.ClickButton("BitBtnOK");
            return mrOk;
        });
        H->Enter("CONTOUR");
        H->Enter("");
        ClearSelection(MainVars.DataStart);
        rect(Osy{40, 0}, Osy{60, 14});
        rect(Osy{47, 5}, Osy{52, 9});
        R.ExpectModal("FillDialog", [](TForm& F) {
            F.Find<TControl>("RBtnMeandr")->Click();
            F.Find<TControl>("RBtnSingleTool")->Click();
            F.ClickButton("BitBtnOK");
            return mrOk;
        });
        H->Enter("MEANDR");
        H->Enter("");
        ClearSelection(MainVars.DataStart);
        ASSERT_TRUE(R.Done());
        AddStrokeText("Ka", 2, Osy{0, 30});
    }

    // The G-code export run by the standard interpreter, its feeds in mm/s.
    TMachineRun GcodeRun() {
        const std::string path = InDir("job.nc");
        EXPECT_TRUE(SaveNc(path, true));
        TMachineRun run = RunOnMachine(path, Dir());
        EXPECT_TRUE(run.Ok) << run.Messages;
        TGcodeConfig cfg;
        std::vector<std::string> errors;
        LoadGcodeCfg(cfg, errors);
        for (TMachineMove& m : run.Moves) m.Feed /= double(cfg.NasobitelRychlosti);
        return run;
    }
    std::string Program(bool (*Save)(const std::string&, bool), const char* Name) {
        EXPECT_TRUE(Save(InDir(Name), true));
        return ReadFile(InDir(Name));
    }
};

bool MovesXY(const TMachineMove& M) { return std::hypot(M.To.x - M.From.x, M.To.y - M.From.y) > 1e-6L; }

// Cutting moves at height Z.
TPathSet CutsAt(const TMachineRun& Run, Extended Z) {
    TPathSet out;
    for (const TMachineMove& m : Run.Moves)
        if (!m.Rapid && std::fabs(m.From.z - Z) < 0.0011L && std::fabs(m.To.z - Z) < 0.0011L && MovesXY(m))
            out.Add(MovePoints(m, 0.05L));
    return out;
}

std::vector<Osy3D> CutPoints(const TMachineRun& Run, Extended Z) {
    std::vector<Osy3D> pts;
    for (const TMachineMove& m : Run.Moves)
        if (!m.Rapid && std::fabs(m.From.z - Z) < 0.0011L && std::fabs(m.To.z - Z) < 0.0011L && MovesXY(m))
            for (const Osy3D& p : MovePoints(m, 0.1L)) pts.push_back(p);
    return pts;
}

// Heights of the cutting moves, in micrometres.
std::set<long> CutDepths(const TMachineRun& Run) {
    std::set<long> d;
    for (const TMachineMove& m : Run.Moves)
        if (!m.Rapid && MovesXY(m)) d.insert(std::lround(double(m.To.z) * 1000));
    return d;
}

// The two runs cut the same paths at each depth: every point of one lies on the other.
void SamePaths(const TMachineRun& A, const TMachineRun& B, Extended Tol) {
    std::set<long> depths = CutDepths(A);
    for (long d : depths) {
        const Extended z = Extended(d) / 1000;
        const TPathSet a = CutsAt(A, z), b = CutsAt(B, z);
        for (const Osy3D& p : CutPoints(A, z)) ASSERT_LT(b.Dist(Osy{p.x, p.y}, Tol), Tol) << p.x << " " << p.y << " " << z;
        for (const Osy3D& p : CutPoints(B, z)) ASSERT_LT(a.Dist(Osy{p.x, p.y}, Tol), Tol) << p.x << " " << p.y << " " << z;
    }
}

// The polylines of tool layer La (inside groups too; a text opened up), sampled.
std::vector<Osy> LayerPathPoints(int La) {
    std::vector<Osy> pts;
    auto add = [&](TObjHeader* P) {
        for (const Osy& q : PathPoints(P, 0.2L)) pts.push_back(q);
    };
    auto walk = [&](auto& self, TObjHeader* First) -> void {
        for (TObjHeader* p = First; p; p = p->Next) {
            if (p->Type == ObjGroup) self(self, AsGroup(p)->First);
            if (p->Layer != La) continue;
            if (p->Type == ObjPline) add(p);
            if (p->Type != ObjText) continue;
            TObjHeader *s = nullptr, *e = nullptr;
            EnText.Explode(p, false, s, e);
            for (TObjHeader* q = s; q; q = q->Next) add(q);
            FreeObjList(s, e);
        }
    };
    walk(walk, MainVars.DataStart);
    return pts;
}

TEST_F(NcDialectPathsTest, EveryControlCutsWhatTheGcodeCuts) {
    const TMachineRun nc = GcodeRun();
    // The G-code cuts the contour, the pocket's paths and the text at every pass depth.
    ASSERT_EQ(OpList.CamCnt, 4);
    for (const auto& [La, Depths] : {std::pair{1, Depths1}, std::pair{2, Depths2}}) {
        const std::vector<Osy> pts = LayerPathPoints(La);
        ASSERT_GT(pts.size(), 100u);
        for (Extended d : Depths) {
            const TPathSet cuts = CutsAt(nc, -d);
            for (const Osy& q : pts) ASSERT_LT(cuts.Dist(q), 0.003L) << q.x << " " << q.y << " " << double(d);
        }
    }
    std::set<long> depths;
    for (Extended d : Depths1) depths.insert(-std::lround(double(d) * 1000));
    for (Extended d : Depths2) depths.insert(-std::lround(double(d) * 1000));
    ASSERT_EQ(CutDepths(nc), depths);
    const struct {
        const char* Name;
        TMachineRun Run;
        Extended Tol;  // the program's coordinate step and its arcs' rounding
    } Runs[] = {
        {"Isel", ReadNcpProgram(Program(SaveNcp, "job.ncp")), 0.002L},
        {"Datron", ReadMcrProgram(Program(SaveMcr, "job.mcr")), 0.002L},
        {"GravoGraph", ReadExpProgram(Program(SaveExp, "job.hp")), 0.04L},
    };
    for (const auto& D : Runs) {
        SCOPED_TRACE(D.Name);
        EXPECT_TRUE(D.Run.Ok) << D.Run.Messages;
        // Each used layer announces its own tool.
        EXPECT_EQ(D.Run.ToolChanges.size(), 2u);
        const std::vector<std::string> bad = SafetyViolations(D.Run, 5, 1);
        EXPECT_TRUE(bad.empty()) << bad.front();
        EXPECT_EQ(CutDepths(D.Run), depths);
        for (const TMachineMove& m : D.Run.Moves) {
            if (!m.Rapid && MovesXY(m)) ASSERT_NEAR(m.Feed, double(Feed), 0.01);
            // The tool leaves the cut at rapid.
            if (!MovesXY(m) && m.To.z > m.From.z) ASSERT_TRUE(m.Rapid) << m.To.x << " " << m.To.y;
        }
        SamePaths(nc, D.Run, D.Tol);
    }
    for (const TMachineMove& m : nc.Moves)
        if (!m.Rapid && MovesXY(m)) ASSERT_NEAR(m.Feed, double(Feed), 0.01);
}

// hp2xx cannot read the engraver's own words ("!" words, and "DR" with one value):
// the standard HPGL that remains is plotted at true size and its ink must lie on the
// cut paths, and cover them.
TEST_F(NcDialectPathsTest, HpglPlotsOnTheCutPaths) {
    const TMachineRun nc = GcodeRun();
    std::string plain;
    std::string errors;
    for (const std::string& l : ProgramLines(Program(SaveExp, "job.hp"), errors)) {
        std::stringstream ss(l);
        std::string cmd;
        while (std::getline(ss, cmd, ';')) {
            const size_t a = cmd.find_first_not_of(' ');
            if (a == std::string::npos || cmd[a] == '!' || cmd.compare(a, 2, "DR") == 0) continue;
            plain += cmd.substr(a) + ";\n";
        }
    }
    ASSERT_EQ(errors, "");
    std::ofstream(InDir("plain.hp")) << plain;
    // The plot keeps the program's coordinates, shifted by the range's lower corner.
    const std::string cmd = "hp2xx -q -t -x -4000 -X 40000 -y -4000 -Y 40000 -m hpgl -f '" + InDir("plot.hpgl") +
                            "' '" + InDir("plain.hp") + "' >'" + InDir("hp2xx.log") + "' 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << ReadFile(InDir("hp2xx.log"));
    EXPECT_EQ(ReadFile(InDir("hp2xx.log")), "");
    // Its output: "PU x,y;" and "PD x,y;" in plotter units.
    std::vector<std::vector<Osy3D>> strokes;
    std::stringstream out(ReadFile(InDir("plot.hpgl")));
    std::string word;
    while (std::getline(out, word, ';')) {
        double x, y;
        if (std::sscanf(word.c_str(), "PU%lf,%lf", &x, &y) == 2) strokes.push_back({});
        else if (std::sscanf(word.c_str(), "PD%lf,%lf", &x, &y) != 2) continue;
        if (strokes.empty()) strokes.push_back({});
        strokes.back().push_back(Osy3D{(x - 4000) / 40, (y - 4000) / 40, 0});
    }
    TPathSet ink, cut;
    size_t inked = 0;
    for (const auto& s : strokes) {
        if (s.size() < 2) continue;
        ink.Add(s);
        inked += s.size();
    }
    ASSERT_GT(inked, 100u);
    for (const TMachineMove& m : nc.Moves)
        if (!m.Rapid && MovesXY(m) && m.To.z < 0) cut.Add(MovePoints(m, 0.05L));
    // One plotter unit, and hp2xx's chords of the arcs.
    const Extended tol = 0.05L;
    for (const auto& s : strokes)
        for (size_t i = 0; i + 1 < s.size(); ++i) {
            TMachineMove m;
            m.From = s[i];
            m.To = s[i + 1];
            for (const Osy3D& p : MovePoints(m, 0.1L)) ASSERT_LT(cut.Dist(Osy{p.x, p.y}, tol), tol) << p.x << " " << p.y;
        }
    for (Extended d : {-0.5L, -1.0L, -0.3L})
        for (const Osy3D& p : CutPoints(nc, d)) ASSERT_LT(ink.Dist(Osy{p.x, p.y}, tol), tol) << p.x << " " << p.y;
}

}  // namespace
