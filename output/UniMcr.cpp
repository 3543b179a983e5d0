#include "output/UniMcr.h"

#include <cmath>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "formats/SafeFile.h"
#include "output/NcDialect.h"
#include "output/NcClamps.h"
#include "output/NcOut.h"

namespace {

constexpr Extended RadToDeg = 57.295779513082320876798L;

std::string Trim(const std::string& S) {
    const size_t a = S.find_first_not_of(" \t\r\n"), b = S.find_last_not_of(" \t\r\n");
    return a == std::string::npos ? std::string() : S.substr(a, b - a + 1);
}

class TMcrWriter : public TNcDialect {
public:
    using TNcDialect::TNcDialect;

private:
    const TSpolParObr& Par() const { return Glob.SpolParObr; }

    void Move(bool Rapid, Extended X, Extended Y, Extended Z, const char* Comment = "") {
        Line(std::string("Axyz ") + (Rapid ? "1, " : "0, ") + FormatMcrNumber(X) + ", " + FormatMcrNumber(Y) + ", " +
             FormatMcrNumber(Z) + ", 0, 0;" + Comment);
    }
    void Feed(Extended MmPerSec, const char* Comment) {
        const std::string f = FormatMcrNumber(MmPerSec * 0.06L);
        Line("Feed " + f + ", " + f + ", " + f + ", " + f + Comment);
    }

    void Header() override {
        Line("! Vytvoreno programem Kestrilon 2.5 beta 6  !");
        Line("! Datum: " + ShortDateText() + "  Cas: " + LogTimeText().substr(0, 8) + " !");
        Line("! Zdrojovy soubor:  " + ProgramText(Glob.JmSouboru, "!") + " !");
        Line("_Sprache 1;");
    }
    void Footer() override { Line("! That's all folks !"); }

    bool LayerStart() override {
        const TTool& T = R.Tool();
        Line("! " + std::string(40, '=') + " !");
        Line("! Vymena nastroje, Pozn: " + Trim(ProgramText(T.Poznamka, "!")) + " !");
        Line("Tool " + std::to_string(McrToolNumber(T.JmNastroje)) + ", 0, 0, 0; ! " + ProgramText(T.JmNastroje, "!") +
             " !");
        return ClampOutlinesOrFail();
    }
    void LayerEnd() override {
        if (!R.SpindleOn) return;
        Line("Rpm 3, 0, 0, 0;");
        R.LastSpeed = 0;
        R.SpindleOn = false;
    }

    // The speed only when it changes.
    void PassOpening(int P) override {
        const Extended s = R.Tool().Pruchod[P].Otacky;
        if (s == R.LastSpeed) return;
        R.LastSpeed = s;
        Line("Rpm 3, " + FormatMcrNumber(s / 1000) + ", 0, 0;");
        R.SpindleOn = true;
    }

    // Over the clamps at the clamp height: above the old position, then above the new.
    void ClampRapid(const Osy& To) {
        if (!RapidCrossesClamp(R.ClampStart, R.LastPos, To)) return;
        Move(true, R.LastPos.x, R.LastPos.y, Par().PrejezdNadUpin, " ! nad upinky !");
        Move(true, To.x, To.y, Par().PrejezdNadUpin, " ! nad upinky !");
    }

    void Approach(const Osy& P, Extended PlungeFeed) {
        ClampRapid(P);
        Move(true, P.x, P.y, Par().PrejezdNadMat);
        Move(true, P.x, P.y, R.PrevDepth + Par().DepthToPlunge);
        Feed(PlungeFeed, "; ! zapich !");
        Move(false, P.x, P.y, R.CurDepth);
    }

    void PointPass(const Osy& P, int Pass) override {
        Approach(P, PlungeFeed(Pass, poPoint));
        Move(true, P.x, P.y, Par().PrejezdNadMat);
        R.LastPos = P;
    }

    // An arc whose start and end angles read the same is left out unless Always.
    void Arc(const Osy& From, const Osy& E, Extended Alfa, bool Always) {
        Osy C;
        Extended Rad;
        ArcCenter(From, E, Alfa, C, Rad);
        const std::string a1 = FormatMcrNumber(ArcStartAngle(From, E, Alfa) * RadToDeg);
        const std::string a2 = FormatMcrNumber(ArcEndAngle(From, E, Alfa) * RadToDeg);
        if (a1 == a2 && !Always) return;
        Line("Circle " + FormatMcrNumber(2 * Rad) + ", 0, 0, " + (Alfa > 0 ? " 0" : " -360") + ", " + a1 + ", " + a2 +
             ", 0, 0, 2, 1, 0;");
    }

    void Cut(const Osy& S, int Pass, int Kind) {
        Approach(S, PlungeFeed(Pass, Kind));
        Feed(R.Tool().Pruchod[Pass].Posuv, R.Tool().Obrob == CelyObjekt ? "; ! posuv. !" : "; ! posuv !");
    }

    void Retract(const Osy& E) {
        Move(true, E.x, E.y, Par().PrejezdNadMat);
        R.LastPos = E;
    }

    void PlinePass(TObjHeader* A, int Pass) override {
        Cut(AsPline(A)->S, Pass, PlungeKind(A));
        Retract(WalkPline(A, [&](const Osy& From, const Osy& E, Extended Alfa) {
            if (std::fabs(Alfa) <= CoordTol)
                Move(false, E.x, E.y, R.CurDepth);
            else
                Arc(From, E, Alfa, false);
        }));
    }

    // A step in height is a straight move; a flat line is cut at the pass depth and
    // every flat arc is written.
    void Pline3DPass(TObjHeader* A, int Pass) override {
        Cut(Osy{AsPline3D(A)->S.x, AsPline3D(A)->S.y}, Pass, poOpen);
        Retract(Walk3D(A, [&](const Osy& From, const Osy& E, Extended Alfa, Extended Z, bool Step) {
            if (Step)
                Move(false, E.x, E.y, Z);
            else if (std::fabs(Alfa) > CoordTol)
                Arc(From, E, Alfa, true);
            else
                Move(false, E.x, E.y, R.CurDepth);
        }));
    }
};

}  // namespace

std::string FormatMcrNumber(Extended X) {
    const bool neg = X < 0;
    const int64_t n = RoundHalfEven(std::fabs(X) * 1000);
    if (n == 0) return "0";
    std::string s = std::to_string(n);
    if (s.size() < 3) s.insert(0, 3 - s.size(), '0');
    s.insert(s.size() - 3, ".");
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    if (s[0] == '.') s.insert(0, "0");
    return neg ? "-" + s : s;
}

uint8_t McrToolNumber(const std::string& Name) {
    if (Name.empty() || Name[0] != 'N') return 0;
    int v = 0;
    for (size_t i = 1; i < Name.size() && Name[i] >= '0' && Name[i] <= '9'; ++i) {
        v = v * 10 + (Name[i] - '0');
        if (v > 255) return 0;
    }
    return uint8_t(v);
}

bool SaveMcr(const std::string& FileName, bool All) {
    TMcrWriter W(All);
    return W.Save(FileName, {"Sys:Save MCR Start (" + FileName + ")",
                             "Err:FAILED save MCR, not enough free disk space (" + TempFilePath() + ")",
                             "Err:FAILED Save MCR", "Sys:Save MCR End"});
}
