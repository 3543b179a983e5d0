#include "ContourFixture.h"

#include <polyclipping/clipper.hpp>

#include <cmath>
#include <unordered_set>

#include "cam/CamOpList.h"
#include "cam/ContourDg.h"
#include "core/Glob.h"
#include "core/UniGeom.h"
#include "shell/MainVars.h"
#include "tools/UniTType.h"

void ContourTest::SetUp() {
    CmdTest::SetUp();
    Start();
    Glob.TabLayer[1].Show = true;
    Glob.LayerDraw = 1;
    if (Glob.MillToolType.empty()) InitToolType();
    SetTool(1, 2);
    R = std::make_unique<TScriptResponder>();
}

void ContourTest::TearDown() {
    R.reset();
    CmdTest::TearDown();
}

void ContourTest::SetTool(int La, Extended Diam) {
    TTool& T = Glob.Tool[La];
    T.ToolType = 1;
    T.SpodniPrumer = T.HorniPrumer = Diam;
    T.Radius = T.UhelSpicky = 0;
    for (auto& P : T.Pruchod) P.Hloubka = -1;
    T.Pruchod[1].Hloubka = 1;
    T.Material.Zapich[2].Method = 0;
}

void ContourTest::SetPointedTool(int La) {
    SetTool(La, 0);
    TTool& T = Glob.Tool[La];
    T.ToolType = 2;
    T.HorniPrumer = 6;
    T.UhelSpicky = 90;
}

void ContourTest::Contour(const std::function<void(TForm&)>& Setup) {
    R->ExpectModal("ContourDialog", [Setup](TForm& F) {
        if (Setup) Setup(F);
        F.ClickButton("BitBtnOK");
        return mrOk;
    });
    H->Enter("CONTOUR");
    H->Enter("");
}

void ContourTest::ContourSide(const std::string& Side, const std::string& Allowance) {
    Contour([Side, Allowance](TForm& F) {
        const char* B = Side == "in" ? "RBtnInside" : Side == "out" ? "RBtnOutside" : "RBtnBoth";
        F.Find<TControl>(B)->Click();
        F.Find<TControl>("RBtnSousledne")->Click();
        F.Find<TControl>("EditPridavek")->Text = Allowance;
    });
}

namespace {

struct TArc {
    Osy C;
    Extended R, A0;
};

TArc ArcOf(const Osy& S, const Osy& E, Extended Alfa) {
    const Osy M{(S.x + E.x) / 2, (S.y + E.y) / 2};
    const Extended dx = E.x - S.x, dy = E.y - S.y, L = std::hypot(dx, dy);
    const Osy N{-dy / L, dx / L};  // left normal of the chord
    const Extended h = (L / 2) / std::tan(Alfa / 2);
    TArc A;
    A.C = {M.x + N.x * h, M.y + N.y * h};
    A.R = std::hypot(S.x - A.C.x, S.y - A.C.y);
    A.A0 = std::atan2(S.y - A.C.y, S.x - A.C.x);
    return A;
}

std::vector<Osy> Flatten(const TObjHeader* P, int Per) {
    std::vector<Osy> Pts{AsPline(P)->S};
    const TPlineSeg* Seg = PlineSegs(P);
    for (int i = 0; i < PlineSegCount(P); ++i) {
        const Osy S = PlineSegStart(P, i), E = Seg[i].E;
        if (std::fabs(Seg[i].Alfa) > CoordTol) {
            const TArc A = ArcOf(S, E, Seg[i].Alfa);
            for (int k = 1; k < Per; ++k) {
                const Extended t = A.A0 + Seg[i].Alfa * k / Per;
                Pts.push_back({A.C.x + A.R * std::cos(t), A.C.y + A.R * std::sin(t)});
            }
        } else {
            for (int k = 1; k < Per; ++k)
                Pts.push_back({S.x + (E.x - S.x) * k / Per, S.y + (E.y - S.y) * k / Per});
        }
        Pts.push_back(E);
    }
    return Pts;
}

Extended Cross(const Osy& O, const Osy& A, const Osy& B) {
    return (A.x - O.x) * (B.y - O.y) - (A.y - O.y) * (B.x - O.x);
}

}  // namespace

Extended SegRadius(const Osy& S, const Osy& E, Extended Alfa) {
    return std::fabs(Alfa) > CoordTol ? ArcOf(S, E, Alfa).R : 0;
}

std::vector<Osy> SamplePath(const TObjHeader* P, int Per) { return Flatten(P, Per); }

Extended DistToLines(const TObjHeader* Src, const Osy& Q) {
    Extended Best = 1e300;
    for (int i = 0; i < PlineSegCount(Src); ++i) {
        const Osy A = PlineSegStart(Src, i), B = PlineSegs(Src)[i].E;
        const Extended dx = B.x - A.x, dy = B.y - A.y, L2 = dx * dx + dy * dy;
        Extended t = L2 > 0 ? ((Q.x - A.x) * dx + (Q.y - A.y) * dy) / L2 : 0;
        t = std::clamp<Extended>(t, 0, 1);
        Best = std::min(Best, std::hypot(Q.x - A.x - t * dx, Q.y - A.y - t * dy));
    }
    return Best;
}

Extended DistToPath(const TObjHeader* Src, const Osy& Q) {
    if (Src->Type == ObjPoint) {
        const Osy P = AsPline(Src)->S;
        return std::hypot(Q.x - P.x, Q.y - P.y);
    }
    Extended Best = 1e300;
    for (int i = 0; i < PlineSegCount(Src); ++i) {
        const Osy A = PlineSegStart(Src, i), B = PlineSegs(Src)[i].E;
        const Extended Alfa = PlineSegs(Src)[i].Alfa;
        Best = std::min({Best, std::hypot(Q.x - A.x, Q.y - A.y), std::hypot(Q.x - B.x, Q.y - B.y)});
        if (std::fabs(Alfa) > CoordTol) {
            // Inside the arc's sweep the nearest point is on the radius through Q.
            const TArc Arc = ArcOf(A, B, Alfa);
            const Extended t = std::atan2(Q.y - Arc.C.y, Q.x - Arc.C.x);
            Extended Swept = (t - Arc.A0) * (Alfa > 0 ? 1 : -1);
            Swept = std::fmod(Swept + 4 * GeomPi, 2 * GeomPi);
            if (Swept <= std::fabs(Alfa))
                Best = std::min(Best, std::fabs(std::hypot(Q.x - Arc.C.x, Q.y - Arc.C.y) - Arc.R));
        } else {
            const Extended dx = B.x - A.x, dy = B.y - A.y, L2 = dx * dx + dy * dy;
            const Extended t = L2 > 0 ? std::clamp<Extended>(((Q.x - A.x) * dx + (Q.y - A.y) * dy) / L2, 0, 1) : 0;
            Best = std::min(Best, std::hypot(Q.x - A.x - t * dx, Q.y - A.y - t * dy));
        }
    }
    return Best;
}

bool SelfCrossing(const TObjHeader* P) {
    const std::vector<Osy> V = Flatten(P, 8);
    const size_t n = V.size() - 1;  // segments V[i]..V[i+1]
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1) continue;  // the closing neighbours
            const Extended d1 = Cross(V[i], V[i + 1], V[j]), d2 = Cross(V[i], V[i + 1], V[j + 1]);
            const Extended d3 = Cross(V[j], V[j + 1], V[i]), d4 = Cross(V[j], V[j + 1], V[i + 1]);
            if (((d1 > 1e-12 && d2 < -1e-12) || (d1 < -1e-12 && d2 > 1e-12)) &&
                ((d3 > 1e-12 && d4 < -1e-12) || (d3 < -1e-12 && d4 > 1e-12)))
                return true;
        }
    return false;
}

Extended PathArea(const TObjHeader* P) {
    const std::vector<Osy> V = Flatten(P, 512);
    Extended A = 0;
    for (size_t i = 0; i + 1 < V.size(); ++i) A += V[i].x * V[i + 1].y - V[i + 1].x * V[i].y;
    return A / 2;
}

Extended ClipperOffsetArea(const TObjHeader* Src, Extended Delta) {
    const double Scale = 1e6;
    ClipperLib::Path In;
    for (const Osy& P : Flatten(Src, 1))
        In.push_back({ClipperLib::cInt(std::llround(double(P.x) * Scale)), ClipperLib::cInt(std::llround(double(P.y) * Scale))});
    ClipperLib::ClipperOffset Co;
    Co.ArcTolerance = 0.0001 * Scale;
    Co.AddPath(In, ClipperLib::jtRound, ClipperLib::etClosedPolygon);
    ClipperLib::Paths Out;
    Co.Execute(Out, double(Delta) * Scale);
    Extended A = 0;
    for (const auto& P : Out) A += ClipperLib::Area(P);
    return A / (Scale * Scale);
}

std::string DeadOpLink() {
    std::unordered_set<const TObjHeader*> Live;
    std::vector<const TObjHeader*> Work;
    for (const TObjHeader* p = MainVars.DataStart; p; p = p->Next) Work.push_back(p);
    while (!Work.empty()) {
        const TObjHeader* p = Work.back();
        Work.pop_back();
        Live.insert(p);
        if (p->Type == ObjGroup)
            for (const TObjHeader* m = static_cast<const TGroupRec*>(p)->First; m; m = m->Next) Work.push_back(m);
    }
    for (int i = 0; i < OpList.CamCnt; ++i) {
        const TCamOp& Op = OpList.Cam[i];
        for (int k = 0; k < Op.ParCnt; ++k)
            if (!Live.count(Op.Parents[k])) return "parent " + std::to_string(k) + " of operation " + std::to_string(i);
        for (int k = 0; k < Op.ChilCnt; ++k)
            if (!Live.count(Op.Childs[k])) return "path " + std::to_string(k) + " of operation " + std::to_string(i);
    }
    return "";
}
