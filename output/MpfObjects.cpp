// Points, polylines, 3D polylines, texts and groups of the Sinumerik program. Every
// plunge goes straight down; points retract as the tool's retract mode asks (tapping
// and spindle reversal included), paths retract at rapid.
#include <cmath>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniPline.h"
#include "output/MpfRun.h"
#include "output/NcClamps.h"
#include "output/NcKinds.h"
#include "output/NcOut.h"
#include "platform/Dialogs.h"
#include "shell/UniLang.h"

namespace {

constexpr Extended SmoothLimit = 0.0872664626L;  // 5 degrees
constexpr Extended TwoPi = 6.283185307179586477L;

const TSpolParObr& Par() { return Glob.SpolParObr; }


// One pass at a point: P the pass row; Full in whole-object order (the routine makes
// its own spindle request and depths).
void PointPass(TMpfRun& R, const Osy& P, int p, bool Full) {
    const TTool& T = R.Tool();
    const TPruchod& row = T.Pruchod[p];
    if (Full) MpfSpindle(R, T.VretTime, row.Otacky);
    MpfClampRapid(R, R.LastPos, P);
    MpfMoveXY(R, true, P);
    if (Full) R.PrevDepth = R.CurDepth;
    if (T.VyjezdZapichem == Rychloposuv || p == 1) MpfMoveZ(R, "G0", R.PrevDepth + Par().DepthToPlunge);
    if ((p == 1 || !Full) && !T.ChlazPrejezd) MpfCoolant(R, T.Chlaz, T.ChlazTime);
    MpfFeed(R, NcPlungeFeed(T, p, poPoint));
    if (Full) R.CurDepth = -row.Hloubka;
    MpfMoveZ(R, T.VyjezdZapichem == CyklG63 ? "G63" : "G1", R.CurDepth);
    switch (T.VyjezdZapichem) {
        case Rychloposuv: MpfMoveZ(R, "G0", Par().PrejezdNadMat); break;
        case Zapich: MpfMoveZ(R, "G1", Par().PrejezdNadMat); break;
        case Revers:
            MpfSpindle(R, T.VretTime, 0);
            MpfSpindle(R, T.VretTime, -row.Otacky);
            MpfMoveZ(R, "G1", Par().PrejezdNadMat);
            MpfSpindle(R, T.VretTime, 0);
            MpfSpindle(R, T.VretTime, row.Otacky);
            break;
        case CyklG63:
            MpfWriteBlock(R, "M4");
            MpfMoveZ(R, "G63", Par().PrejezdNadMat);
            MpfWriteBlock(R, "M3");
            break;
    }
    if ((p == R.PassCount || !Full) && !T.ChlazPrejezd) MpfCoolant(R, Zadne, 0);
    R.LastPos = P;
}

void PointOut(TMpfRun& R, TObjHeader* A, int Pass) {
    if (A->Layer != R.CurLayer) return;
    const Osy P = FirstPt(A);
    if (PointUnderClamp(R.ClampStart, P)) {
        ShowMessage(Msg[37]);
        return;
    }
    const TTool& T = R.Tool();
    if (T.Obrob == CelyPruchod) return PointPass(R, P, Pass, false);
    const int n = ObjectPasses(R);
    for (int p = 1; p <= n; ++p) PointPass(R, P, p, true);
}

// The path-control words of the stop mode: the smooth word and the corner word.
bool PathWords(const char*& Smooth, const char*& Corner) {
    switch (Glob.SinumStopMode) {
        case 0: Smooth = "G64", Corner = "G60"; return true;
        case 1: Smooth = Corner = "G60"; return true;
        case 2: Smooth = Corner = "G64"; return true;
        default: return false;
    }
}

// The word before segment First..: a smooth joint to the next segment (direction
// T1 at the end, T2 at the next start) or a corner; HasNext false at the last one.
void JointWord(TMpfRun& R, bool First, bool HasNext, Extended T1, Extended T2, const char* Smooth,
               const char* Corner) {
    if (!HasNext) {
        if (R.Smooth) MpfWriteBlock(R, Corner);
        return;
    }
    const Extended d = std::fabs(T2 - T1);
    if (d <= SmoothLimit || TwoPi - d <= SmoothLimit) {
        if (!R.Smooth || First) MpfWriteBlock(R, Smooth);
        R.Smooth = true;
    } else {
        if (R.Smooth || First) MpfWriteBlock(R, Corner);
        R.Smooth = false;
    }
}

Extended EndDirection(const Osy& A, const Osy& E, Extended Alfa) { return NormAngleOf(Angle(A, E) + Alfa / 2); }
Extended StartDirection(const Osy& A, const Osy& E, Extended Alfa) { return NormAngleOf(Angle(A, E) - Alfa / 2); }

void CutSegments(TMpfRun& R, TObjHeader* A) {
    const int32_t n = PlineSegCount(A);
    const TPlineSeg* seg = PlineSegs(A);
    const char *smooth = nullptr, *corner = nullptr;
    const bool words = PathWords(smooth, corner);
    R.Smooth = false;
    Osy prev = AsPline(A)->S;
    for (int32_t i = 0; i < n; ++i) {
        if (words) {
            const bool next = i + 1 < n;
            JointWord(R, i == 0, next, EndDirection(prev, seg[i].E, seg[i].Alfa),
                      next ? StartDirection(seg[i].E, seg[i + 1].E, seg[i + 1].Alfa) : 0, smooth, corner);
        }
        if (std::fabs(seg[i].Alfa) <= CoordTol)
            MpfMoveXY(R, false, seg[i].E);
        else
            MpfArcXY(R, prev, seg[i].E, seg[i].Alfa);
        prev = seg[i].E;
    }
    R.LastPos = prev;
}

// Passes along a path from S: approach, a straight plunge at the plunge feed of object
// Kind, Cut at the row's feed, a retract at rapid (a climb out at cutting feed only
// wastes time above the cut). Without retract a closed path's passes follow one another
// in the cut; EveryPassCoolant switches the coolant on and off around every pass.
void PathPasses(TMpfRun& R, TObjHeader* A, int Pass, const Osy& S, int Kind, bool EveryPassCoolant, bool NoRetract,
                void (*Cut)(TMpfRun&, TObjHeader*)) {
    const TTool& T = R.Tool();
    const bool full = T.Obrob == CelyObjekt;
    if (full) ObjectPasses(R);
    const int first = full ? 1 : Pass, last = full ? R.PassCount : Pass;
    for (int p = first; p <= last; ++p) {
        const TPruchod& row = T.Pruchod[p];
        if (full) MpfSpindle(R, T.VretTime, row.Otacky);
        MpfClampRapid(R, R.LastPos, S);
        if (p == first || !NoRetract) {
            MpfMoveXY(R, true, S);
            if (full) R.PrevDepth = R.CurDepth;
            if (T.VyjezdZapichem == Rychloposuv) MpfMoveZ(R, "G0", R.PrevDepth + Par().DepthToPlunge);
            if ((p == first || EveryPassCoolant) && !T.ChlazPrejezd) MpfCoolant(R, T.Chlaz, T.ChlazTime);
        }
        MpfFeed(R, NcPlungeFeed(T, p, Kind));
        if (full) R.CurDepth = -row.Hloubka;
        MpfMoveZ(R, "G1", R.CurDepth);
        MpfFeed(R, row.Posuv);
        Cut(R, A);
        if (!NoRetract || p == last) MpfMoveZ(R, "G0", Par().PrejezdNadMat);
        if ((p == last || EveryPassCoolant) && !T.ChlazPrejezd) MpfCoolant(R, Zadne, 0);
    }
}

void PlineOut(TMpfRun& R, TObjHeader* A, int Pass) {
    if (A->Layer != R.CurLayer) return;
    if (PlineUnderClamp(R.ClampStart, A)) {
        ShowMessage(Msg[38]);
        return;
    }
    const TTool& T = R.Tool();
    const bool open = EnPline.OpenPline(A);
    const bool noRetract = T.BezVyjezdu && !open && T.Obrob == CelyObjekt;
    PathPasses(R, A, Pass, AsPline(A)->S, open ? poOpen : poContour, open, noRetract, CutSegments);
}

// The height of a 3D vertex in pass: vertices off Z 0 at the pass depth.
Extended PassZ(const TMpfRun& R, Extended Z) { return std::fabs(Z) > CoordTol ? R.CurDepth : 0; }

void Cut3DSegments(TMpfRun& R, TObjHeader* A) {
    const TPline3DRec* pl = AsPline3D(A);
    const int32_t n = Pline3DSegCount(A);
    const TPlineSeg3D* seg = Pline3DSegs(A);
    R.Smooth = false;
    Osy prev{pl->S.x, pl->S.y};
    Extended prevZ = pl->S.z;
    for (int32_t i = 0; i < n; ++i) {
        const Osy E{seg[i].E.x, seg[i].E.y};
        const Extended z = PassZ(R, seg[i].E.z);
        if (std::fabs(z - prevZ) > CoordTol) {
            if (i == 0) MpfWriteBlock(R, "G60");
            MpfMoveXYZ(R, false, Osy3D{E.x, E.y, z});
            R.Smooth = false;
        } else {
            const bool next = i + 1 < n && std::fabs(PassZ(R, seg[i + 1].E.z) - z) <= CoordTol;
            const Osy N = next ? Osy{seg[i + 1].E.x, seg[i + 1].E.y} : E;
            JointWord(R, i == 0, next, EndDirection(prev, E, seg[i].Alfa),
                      next ? StartDirection(E, N, seg[i + 1].Alfa) : 0, "G64", "G60");
            if (std::fabs(seg[i].Alfa) <= CoordTol)
                MpfMoveXY(R, false, E);
            else
                MpfArcXY(R, prev, E, seg[i].Alfa);
        }
        prev = E;
        prevZ = z;
    }
    if (R.Smooth) MpfWriteBlock(R, "G60");
    R.LastPos = prev;
}

void Pline3DOut(TMpfRun& R, TObjHeader* A, int Pass) {
    if (A->Layer != R.CurLayer) return;
    if (Pline3DUnderClamp(R.ClampStart, A)) {
        ShowMessage(Msg[38]);
        return;
    }
    PathPasses(R, A, Pass, Osy{AsPline3D(A)->S.x, AsPline3D(A)->S.y}, poOpen, true, false, Cut3DSegments);
}

}  // namespace

void MpfObjectOut(TMpfRun& R, TObjHeader* A, int Pass) {
    static const TKindRoutines<TMpfRun> Routines{PointOut, PlineOut, Pline3DOut};
    ObjectOutByKind(R, A, Pass, Routines);
}
