#include "output/UniGravoGraph.h"

#include <algorithm>
#include <cmath>

#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniSpace.h"
#include "output/NcDialect.h"

namespace {

constexpr Extended UnitsPerMm = 40;
constexpr Extended RadToDeg = 57.295779513082320876798L;

std::string Units(Extended Mm) { return std::to_string(RoundHalfEven(Mm * UnitsPerMm)); }
std::string Pt(const Osy& P) { return Units(P.x) + "," + Units(P.y); }
// The engraver's speed words take 1..35.
std::string Speed(Extended V) { return std::to_string(std::clamp<int64_t>(RoundHalfEven(V), 1, 35)); }

class TExpWriter : public TNcDialect {
public:
    using TNcDialect::TNcDialect;

private:
    void Header() override {
        Line("IN; PA; PU;");
        Line("!MC 0;");
        Line("DR 0;");
    }
    void Footer() override {
        Line("!OP;");
        Line("!JF;");
    }
    // A ";" in the tool name would end the label and start commands.
    bool LayerStart() override {
        Line("!LB T" + std::to_string(R.CurLayer) + "=" + ProgramText(R.Tool().JmNastroje, ";") + ";");
        return true;
    }
    void LayerEnd() override { Line("!MC 0;"); }

    void PassOpening(int P) override {
        const TPruchod& row = R.Tool().Pruchod[P];
        Line(row.Otacky > CoordTol ? "!MC 1;" : "!MC 0;");
        Line("VS " + Speed(row.Posuv) + "; !VZ " + Speed(PlungeFeed(P, poOpen)) + "; !PZ " +
             std::to_string(RoundHalfEven(row.Hloubka * 100)) + "," +
             std::to_string(RoundHalfEven(Glob.SpolParObr.PrejezdNadMat * 100)) + ";");
    }

    void PointPass(const Osy& P, int) override {
        Line("PA" + Pt(P) + ";");
        Line("PD;");
        Line("PU;");
    }

    void PlinePass(TObjHeader* A, int) override {
        Line("PA" + Pt(AsPline(A)->S) + ";");
        Line("PD;");
        WalkPline(A, [&](const Osy& From, const Osy& E, Extended Alfa) {
            if (std::fabs(Alfa) <= CoordTol) {
                Line("PA" + Pt(E) + ";");
                return;
            }
            Osy C;
            Extended Rad;
            ArcCenter(From, E, Alfa, C, Rad);
            Line("AA" + Pt(C) + "," + ExtToStr(Alfa * RadToDeg));
        });
        Line("PU;");
    }

    // The flat image; a 3D polyline without a flat segment leaves nothing to engrave.
    void Pline3DPass(TObjHeader* A, int Pass) override {
        TObjHeader* flat = EnSpace.Only2D(A);
        if (!flat) return;
        if (flat->Type == ObjPline) PlinePass(flat, Pass);
        FreeObjBlock(flat);
    }
};

}  // namespace

bool SaveExp(const std::string& FileName, bool All) {
    TExpWriter W(All);
    return W.Save(FileName, {"Sys:Save EXP Start (" + FileName + ")",
                             "Err:FAILED save EXP, not enough free disk space (" + FileName + ")",
                             "Err:FAILED Save EXP", "Sys:Save Exp End"});
}
