#include "NcJob.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/IntFont.h"
#include "core/ParText.h"
#include "core/UniGeom.h"
#include "core/UniText.h"
#include "formats/SafeFile.h"
#include "output/NcOut.h"
#include "shell/MainVars.h"
#include "tools/ToolDg.h"
#include "tools/ToolLibFile.h"
#include "tools/UniTType.h"

void NcJobTest::SetUp() {
    KestrilonTest::SetUp();
    InitMaterial();
    InitToolLib();
    InitToolType();
    ResetTools();
    for (TLayer& l : Glob.TabLayer) l.Show = true;
    // A configuration without keys: the writer's built-in record, without the notice
    // that the file is missing.
    WriteFile("Gcode.cfg", "");
    SafeFileDiskFree = [](const std::string&) { return int64_t(1) << 40; };
}

void NcCmdTest::SetUp() {
    CmdTest::SetUp();
    Start();
    InitMaterial();
    InitToolLib();
    InitTool();
    InitToolType();
    Glob.TabLayer[1].Show = true;
}

void NcJobTest::ResetTools() {
    InitTool();
    Glob.SpolParObr.PrejezdNadMat = 5;
    Glob.SpolParObr.PrejezdNadUpin = 10;
    Glob.SpolParObr.DepthToPlunge = 0.5L;
}

void NcJobTest::TearDown() {
    FreeDrawnPaths();
    KestrilonTest::TearDown();
}

TTool& NcJobTest::SetTool(int La, std::initializer_list<Extended> Depths, TObrob Order) {
    TTool& T = Glob.Tool[La];
    T.Obrob = Order;
    T.VretTime = 0;
    T.Pruchod.fill(TPruchod{-1, -1, 10, 12000});
    int i = 1;
    for (Extended d : Depths) T.Pruchod[i++].Hloubka = d;
    for (TToolPlunge& p : T.Material.Zapich) {
        p.FeedTime = 2;
        p.FeedPercent = false;
    }
    return T;
}

std::string NcJobTest::Export(bool All) {
    return SaveNc(NcPath(), All) ? ReadFile(NcPath()) : std::string();
}

TMachineRun NcJobTest::ExportAndRun() {
    EXPECT_NE(Export(), "");
    TMachineRun run = RunOnMachine(NcPath(), Dir());
    EXPECT_TRUE(run.Ok) << run.Messages << ReadFile(NcPath());
    EXPECT_EQ(run.Messages, "") << ReadFile(NcPath());
    return run;
}

std::vector<TObjHeader*> NcJobTest::DrawnPaths(int La) {
    std::vector<TObjHeader*> out;
    auto walk = [&](auto& self, TObjHeader* First) -> void {
        for (TObjHeader* p = First; p; p = p->Next) {
            if (p->Type == ObjGroup) self(self, AsGroup(p)->First);
            if (p->Layer != La) continue;
            if (p->Type == ObjPline) out.push_back(p);
            if (p->Type == ObjText) {
                TObjHeader* before = OpenedEnd;
                EnText.Explode(p, false, Opened, OpenedEnd);
                for (TObjHeader* q = before ? before->Next : Opened; q; q = q->Next) out.push_back(q);
            }
        }
    };
    walk(walk, MainVars.DataStart);
    return out;
}

void NcJobTest::FreeDrawnPaths() { FreeObjList(Opened, OpenedEnd); }

void AddStrokeText(const char* Text, int La, const Osy& Origin) {
    WorkText = ParText{};
    WorkText.Text = Text;
    WorkText.JmFontu = IntFontName;
    WorkText.Vyska = 8;
    WorkText.WidthFactor = 1;
    WorkText.Origin = Origin;
    EnText.Add(uint8_t(La), MainVars.DataStart, MainVars.DataEnd, false);
}

std::vector<Osy> PathPoints(const TObjHeader* Pline, Extended Step) {
    std::vector<Osy> pts{AsPline(Pline)->S};
    for (int32_t i = 0; i < PlineSegCount(Pline); ++i) {
        const Osy S = PlineSegStart(Pline, i);
        const TPlineSeg& g = PlineSegs(Pline)[i];
        if (std::fabs(g.Alfa) <= CoordTol) {
            const int n = std::max(1, int(Dist(S, g.E) / Step));
            for (int k = 1; k <= n; ++k) pts.push_back(Osy{S.x + (g.E.x - S.x) * k / n, S.y + (g.E.y - S.y) * k / n});
            continue;
        }
        Osy C;
        Extended R;
        ArcCenter(S, g.E, g.Alfa, C, R);
        const Extended a0 = std::atan2(S.y - C.y, S.x - C.x);
        const int n = std::max(2, int(std::fabs(g.Alfa) * R / Step));
        for (int k = 1; k <= n; ++k)
            pts.push_back(Osy{C.x + R * std::cos(a0 + g.Alfa * k / n), C.y + R * std::sin(a0 + g.Alfa * k / n)});
    }
    return pts;
}

Extended DistToPoints(const Osy& P, const std::vector<Osy3D>& Pts) {
    Extended best = INFINITY;
    for (size_t i = 0; i + 1 < Pts.size(); ++i) {
        const Osy a{Pts[i].x, Pts[i].y}, b{Pts[i + 1].x, Pts[i + 1].y};
        const Extended dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
        Extended t = l2 > 0 ? ((P.x - a.x) * dx + (P.y - a.y) * dy) / l2 : 0;
        t = std::clamp<Extended>(t, 0, 1);
        best = std::min(best, std::hypot(P.x - a.x - t * dx, P.y - a.y - t * dy));
    }
    if (Pts.size() == 1) best = std::hypot(P.x - Pts[0].x, P.y - Pts[0].y);
    return best;
}

void TPathSet::Add(std::vector<Osy3D> Pts) {
    if (Pts.empty()) return;
    TPath p{std::move(Pts), Osy{INFINITY, INFINITY}, Osy{-INFINITY, -INFINITY}};
    for (const Osy3D& q : p.Pts) {
        p.Min = Osy{std::min(p.Min.x, q.x), std::min(p.Min.y, q.y)};
        p.Max = Osy{std::max(p.Max.x, q.x), std::max(p.Max.y, q.y)};
    }
    Paths.push_back(std::move(p));
}

Extended TPathSet::Dist(const Osy& P, Extended Reach) const {
    Extended best = INFINITY;
    for (const TPath& p : Paths)
        if (P.x > p.Min.x - Reach && P.x < p.Max.x + Reach && P.y > p.Min.y - Reach && P.y < p.Max.y + Reach)
            best = std::min(best, DistToPoints(P, p.Pts));
    return best;
}
