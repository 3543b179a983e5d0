// Programs of the G-code export judged as a machine runs them: every job's program
// goes through the standard RS-274/NGC interpreter, whose motion must keep rapids
// above the clearance height over the stock, stay above the deepest pass, feed at
// positive rates after a tool change, and cut the drawn paths at every pass depth.
// The G-code reader must give the cut paths back.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "NcJob.h"
#include "core/Builder.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "core/UniText.h"
#include "output/GcodeRead.h"
#include "shell/MainVars.h"
#include "tools/ToolDg.h"

namespace {

struct TJob {
    const char* Name;
    std::function<void()> Make;
    std::vector<Extended> Depths;  // passes of layer 1's tool
};

TObjHeader*& DS() { return MainVars.DataStart; }
TObjHeader*& DE() { return MainVars.DataEnd; }

void Shapes() {
    EnPline.LineAdd(Osy{0, 0}, Osy{30, 0}, 1, DS(), DE());
    EnPline.ArcAdd(Osy{40, 0}, Osy{50, 10}, 1.2L, 1, DS(), DE());
    EnPline.CircleAdd(Osy{20, 20}, 6, 1, DS(), DE());
    EnPline.RectangleAdd(Osy{60, 0}, Osy{80, 15}, 1, DS(), DE());
}

TToolPlunge& Plunge(int K) { return Glob.Tool[1].Material.Zapich[size_t(K)]; }

const std::vector<TJob>& Jobs() {
    static const std::vector<TJob> jobs = {
        {"vertical, whole passes", [] { Shapes(); }, {0.5L, 1.0L}},
        {"vertical, whole objects",
         [] {
             Glob.Tool[1].Obrob = CelyObjekt;
             Shapes();
         },
         {0.5L, 1.0L}},
        {"ramp on open and closed paths",
         [] {
             Plunge(poOpen).Method = 2;
             Plunge(poOpen).RampAngle = 5.71L;
             Plunge(poOpen).RampLength = 10;
             Shapes();
         },
         {0.6L, 1.5L}},
        {"ramp with a partial leg",
         [] {
             Plunge(poOpen).Method = 2;
             Plunge(poOpen).RampAngle = 3;
             Plunge(poOpen).RampLength = 0;
             EnPline.RectangleAdd(Osy{0, 0}, Osy{12, 7}, 1, DS(), DE());
         },
         {0.7L}},
        {"descent along closed paths, no retract",
         [] {
             Glob.Tool[1].Obrob = CelyObjekt;
             Glob.Tool[1].BezVyjezdu = true;
             Plunge(poOpen).Method = 3;
             Plunge(poContour).SpiralAngle = 2;
             EnPline.CircleAdd(Osy{20, 20}, 6, 1, DS(), DE());
             EnPline.RectangleAdd(Osy{60, 0}, Osy{80, 15}, 1, DS(), DE());
         },
         {0.5L, 1.0L, 1.4L}},
        {"points drilled and helically bored",
         [] {
             EnPoint.Add(Osy{5, 5}, 1, DS(), DE());
             EnPoint.Add(Osy{15, 5}, 1, DS(), DE());
             EnPoint.Add(Osy{30, 5}, 2, DS(), DE());
             for (bool down : {false, true}) {
                 TToolPlunge& p = Glob.Tool[2].Material.Zapich[poPoint];
                 p.Method = 3;
                 p.SpiralPitch = 0.4L;
                 p.SpiralRad = 3;
                 p.SpiralDownStep = down;
             }
         },
         {0.5L, 1.3L}},
        {"text, group and 3D polyline",
         [] {
             AddStrokeText("Ka", 1, Osy{0, 30});
             TObjHeader *s = nullptr, *e = nullptr;
             EnPline.LineAdd(Osy{0, -10}, Osy{10, -12}, 1, s, e);
             EnPoint.Add(Osy{20, -10}, 1, s, e);
             AppendObj(MakeGroup(false, s, e), DS(), DE());
             StartObj3D(Osy3D{40, 40, -1});
             AddSeg3D(Osy3D{50, 40, -1}, 0, CoordTol);
             AddSeg3D(Osy3D{55, 45, 0}, 0, CoordTol);
             AddSeg3D(Osy3D{60, 40, -1}, 0, CoordTol);
             MakeObj3D(1, DS(), DE());
         },
         {0.5L, 1.0L}},
    };
    return jobs;
}

class NcMachineTest : public NcJobTest {
protected:
    // Feed moves that stay at height Z.
    static TPathSet CutsAt(const TMachineRun& Run, Extended Z) {
        TPathSet out;
        for (const TMachineMove& m : Run.Moves)
            if (!m.Rapid && std::fabs(m.From.z - Z) < 0.0011L && std::fabs(m.To.z - Z) < 0.0011L)
                out.Add(MovePoints(m, 0.01L));
        return out;
    }
};

TEST_F(NcMachineTest, EveryJobRunsSafelyAndCutsTheDrawnPathsAtEveryPass) {
    for (const TJob& job : Jobs()) {
        SCOPED_TRACE(job.Name);
        FreeObjList(DS(), DE());
        FreeDrawnPaths();
        ResetTools();
        for (int La : {1, 2}) {
            TTool& T = SetTool(La, {0.5L, 1.0L});
            T.Pruchod.fill(TPruchod{-1, -1, 10, 12000});
            for (size_t i = 0; i < job.Depths.size(); ++i) T.Pruchod[i + 1].Hloubka = job.Depths[i];
        }
        job.Make();
        const TMachineRun run = ExportAndRun();
        const std::vector<std::string> bad = SafetyViolations(run, 5, job.Depths.back());
        EXPECT_TRUE(bad.empty()) << bad.front() << "\n" << ReadFile(NcPath());
        EXPECT_FALSE(run.ToolChanges.empty());
        // Every drawn path is cut along its whole length at every pass depth.
        for (Extended d : job.Depths) {
            const auto cuts = CutsAt(run, -d);
            for (int La : {1, 2})
                for (TObjHeader* p : DrawnPaths(La))
                    for (const Osy& q : PathPoints(p, 0.2L))
                        ASSERT_LT(cuts.Dist(q), 0.003L) << "depth " << double(d) << " at " << double(q.x) << " "
                                                            << double(q.y) << "\n" << ReadFile(NcPath());
        }
        // Every point reaches every pass depth at its place (a helix: on its circle).
        for (TObjHeader* p = DS(); p; p = p->Next) {
            if (p->Type != ObjPoint) continue;
            for (Extended d : job.Depths) {
                bool reached = false;
                for (const TMachineMove& m : run.Moves)
                    reached |= std::fabs(m.To.z + d) < 0.0011L && Dist(Osy{m.To.x, m.To.y}, FirstPt(p)) < 1.5011L;
                EXPECT_TRUE(reached) << double(d);
            }
        }
    }
}

// The reader gives back the XY paths of the exported polylines, whatever form the
// arcs were written in (absolute or relative centre, radius, chords: every job in
// the first form, the lines, arcs and circles of the first job in the others).
TEST_F(NcMachineTest, ImportGivesBackTheCutPaths) {
    for (const char* style : {"A", "R", "P", "x"})
    for (const TJob& job : Jobs()) {
        if (*style != 'A' && &job != &Jobs().front()) continue;
        SCOPED_TRACE(job.Name + std::string(", arcs ") + style);
        WriteFile("Gcode.cfg", std::string("StylOblouku='") + style + "'\nOdchylkaSecny='0.002'\n");
        FreeObjList(DS(), DE());
        FreeDrawnPaths();
        ResetTools();
        SetTool(1, {0.5L});
        SetTool(2, {0.5L});
        job.Make();
        ASSERT_NE(Export(), "");
        TObjHeader *s = nullptr, *e = nullptr;
        std::vector<std::string> errors;
        ReadNcText(ReadFile(NcPath()), s, e, errors);
        EXPECT_TRUE(errors.empty()) << errors.front();
        TPathSet read;
        for (TObjHeader* p = s; p; p = p->Next) {
            if (p->Type != ObjPline) continue;
            std::vector<Osy3D> v;
            for (const Osy& q : PathPoints(p, 0.01L)) v.push_back(Osy3D{q.x, q.y, 0});
            read.Add(v);
        }
        for (int La : {1, 2})
            for (TObjHeader* p : DrawnPaths(La))
                for (const Osy& q : PathPoints(p, 0.2L)) ASSERT_LT(read.Dist(q), 0.003L) << double(q.x) << " " << double(q.y);
        FreeObjList(s, e);
    }
}

}  // namespace
