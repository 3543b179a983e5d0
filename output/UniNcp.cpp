#include "output/UniNcp.h"

#include <cmath>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "output/NcDialect.h"
#include "output/NcClamps.h"
#include "output/NcOut.h"

namespace {

// Above the previous level where the plunge at feed begins.
constexpr Extended PlungeStart = 0.5L;

class TNcpWriter : public TNcDialect {
public:
    using TNcDialect::TNcDialect;

private:
    static std::string XY(const Osy& P) { return "X" + NcpNumber(P.x) + " Y" + NcpNumber(P.y); }

    void Header() override {
        Line("; Vytvoreno programem Kestrilon 2.5 beta 6");
        Line("; Datum " + ShortDateText());
        Line("; Cas " + LogTimeText().substr(0, 8));
        Line("; Zdrojovy soubor " + ProgramText(Glob.JmSouboru));
        Line(";Pouzite nastroje");
        Line("FASTVEL " + NcpNumber(Glob.SpolParObr.Rychloposuv));
        Line("PLANE XY");
    }
    void Footer() override { Line("PROGEND"); }

    // Every layer gets its own tool block, named by the layer number.
    bool LayerStart() override {
        Line("GETTOOL " + std::to_string(R.CurLayer) + " ;" + ProgramText(R.Tool().JmNastroje));
        return ClampOutlinesOrFail();
    }
    void LayerEnd() override {
        if (!R.SpindleOn) return;
        Line("COOLANT OFF");
        Line("SPINDLE OFF");
        R.SpindleOn = false;
    }

    void PassOpening(int P) override {
        const TTool& T = R.Tool();
        if (T.Pruchod[P].Otacky > CoordTol) {
            Line("SPINDLE CW RPM" + std::to_string(RoundHalfEven(T.Pruchod[P].Otacky)));
            if (T.VretTime > CoordTol) Line("WAIT" + NcpNumber(T.VretTime));
            R.SpindleOn = true;
        } else {
            Line("SPINDLE OFF");
            R.SpindleOn = false;
        }
        if (T.Chlaz != Zadne) {
            Line("COOLANT ON");
            if (T.ChlazTime > CoordTol) Line("WAIT" + NcpNumber(T.ChlazTime));
        }
    }

    void ClampRapid(const Osy& To) {
        if (RapidCrossesClamp(R.ClampStart, R.LastPos, To)) Line("FASTABS Z" + NcpNumber(Glob.SpolParObr.PrejezdNadUpin));
    }

    // Rapid over the start, down to just above the previous level, plunge at feed.
    void Approach(const Osy& S, Extended PlungeFeed, const char* Comment) {
        ClampRapid(S);
        Line("FASTABS " + XY(S));
        Line("FASTABS Z" + NcpNumber(R.PrevDepth + PlungeStart));
        Line("VEL " + NcpNumber(PlungeFeed) + Comment);
        Line("MOVEABS Z" + NcpNumber(R.CurDepth));
    }

    void PointPass(const Osy& P, int Pass) override {
        Approach(P, PlungeFeed(Pass, poPoint), "");
        Line("FASTABS Z" + NcpNumber(Glob.SpolParObr.PrejezdNadMat));
        R.LastPos = P;
    }

    void Segment(const Osy& From, const Osy& E, Extended Alfa) {
        if (std::fabs(Alfa) <= CoordTol) {
            Line("MOVEABS " + XY(E));
            return;
        }
        Osy C;
        Extended Rad;
        ArcCenter(From, E, Alfa, C, Rad);
        Line(std::string(Alfa > 0 ? "CCWABS" : "CWABS") + " I" + NcpNumber(C.x) + " J" + NcpNumber(C.y) + " " + XY(E));
    }

    void Cut(const Osy& S, int Pass, int Kind) {
        Approach(S, PlungeFeed(Pass, Kind), " ;zapich.rychl.");
        Line("VEL " + NcpNumber(R.Tool().Pruchod[Pass].Posuv) + " ;posuv.rychl");
    }

    void Retract(const Osy& E) {
        Line("FASTABS Z" + NcpNumber(Glob.SpolParObr.PrejezdNadMat) + " ;na prejezd.hladinu");
        R.LastPos = E;
    }

    void PlinePass(TObjHeader* A, int Pass) override {
        Cut(AsPline(A)->S, Pass, PlungeKind(A));
        Retract(WalkPline(A, [&](const Osy& From, const Osy& E, Extended Alfa) { Segment(From, E, Alfa); }));
    }

    // A step in height is a straight move.
    void Pline3DPass(TObjHeader* A, int Pass) override {
        Cut(Osy{AsPline3D(A)->S.x, AsPline3D(A)->S.y}, Pass, poOpen);
        Retract(Walk3D(A, [&](const Osy& From, const Osy& E, Extended Alfa, Extended Z, bool Step) {
            if (Step)
                Line("MOVEABS " + XY(E) + " Z" + NcpNumber(Z));
            else
                Segment(From, E, Alfa);
        }));
    }
};

}  // namespace

std::string NcpNumber(Extended V) { return std::to_string(RoundHalfEven(V * 1000)); }

bool SaveNcp(const std::string& FileName, bool All) {
    TNcpWriter W(All);
    return W.Save(FileName, {"", "Err:FAILED save NCP, not enough free disk space (" + FileName + ")",
                             "Err:FAILED Save NCP", "Sys:Save NCP End"});
}
