// Points, polylines, 3D polylines, texts and groups of the Comagrav program: straight
// plunges, rapids as G0 and cuts as G1 on the first line after each change.
#include <cmath>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "output/CncRun.h"
#include "output/NcKinds.h"
#include "output/NcOut.h"

namespace {

const TSpolParObr& Par() { return Glob.SpolParObr; }


// Rapid to S and down to the plunge height.
void Approach(TCncRun& R, const Osy& S) {
    R.PendingG = "G0";
    CncMoveXY(R, S);
    R.PendingG = "G0";
    CncMoveZ(R, R.PrevDepth + Par().DepthToPlunge);
}

// The plunge to the pass depth at the plunge feed of object Kind; the cut follows at
// the row's feed.
void Plunge(TCncRun& R, int p, int Kind, bool SetDepth) {
    const TTool& T = R.Tool();
    CncFeed(R, NcPlungeFeed(T, p, Kind));
    if (SetDepth) R.CurDepth = -T.Pruchod[p].Hloubka;
    R.PendingG = "G1";
    CncMoveZ(R, R.CurDepth);
    CncFeed(R, T.Pruchod[p].Posuv);
    R.PendingG = "G1";
}

void Retract(TCncRun& R) {
    R.PendingG = "G0";
    CncMoveZ(R, Par().PrejezdNadMat);
}

void PointPass(TCncRun& R, const Osy& P, int p, bool Full) {
    if (Full) R.PrevDepth = R.CurDepth;
    Approach(R, P);
    CncFeed(R, NcPlungeFeed(R.Tool(), p, poPoint));
    if (Full) R.CurDepth = -R.Tool().Pruchod[p].Hloubka;
    R.PendingG = "G1";
    CncMoveZ(R, R.CurDepth);
    Retract(R);
    R.LastPos = P;
}

void PointOut(TCncRun& R, TObjHeader* A, int Pass) {
    if (A->Layer != R.CurLayer) return;
    const Osy P = FirstPt(A);
    if (R.Tool().Obrob == CelyPruchod) return PointPass(R, P, Pass, false);
    const int n = ObjectPasses(R);
    for (int p = 1; p <= n; ++p) PointPass(R, P, p, true);
}

void CutSegments(TCncRun& R, TObjHeader* A) {
    const int32_t n = PlineSegCount(A);
    const TPlineSeg* seg = PlineSegs(A);
    Osy prev = AsPline(A)->S;
    for (int32_t i = 0; i < n; ++i) {
        if (std::fabs(seg[i].Alfa) <= CoordTol)
            CncMoveXY(R, seg[i].E);
        else
            CncArcChords(R, prev, seg[i].E, seg[i].Alfa);
        prev = seg[i].E;
    }
    R.LastPos = prev;
}

void PlineOut(TCncRun& R, TObjHeader* A, int Pass) {
    if (A->Layer != R.CurLayer) return;
    const TTool& T = R.Tool();
    const Osy S = AsPline(A)->S;
    const bool open = EnPline.OpenPline(A);
    const int kind = open ? poOpen : poContour;
    if (T.Obrob == CelyPruchod) {
        Approach(R, S);
        Plunge(R, Pass, kind, false);
        CutSegments(R, A);
        Retract(R);
        return;
    }
    const bool noRetract = T.BezVyjezdu && !open;
    const int n = ObjectPasses(R);
    for (int p = 1; p <= n; ++p) {
        if (p == 1 || !noRetract) {
            R.PrevDepth = R.CurDepth;
            Approach(R, S);
        }
        Plunge(R, p, kind, true);
        CutSegments(R, A);
        // Without retract the closed path ends where the next pass plunges: the tool
        // stays in the cut (a climb out at the cutting feed only to plunge again would
        // waste the time the setting saves).
        if (!noRetract || p == n) Retract(R);
    }
}

// The height of a 3D vertex in pass: vertices off Z 0 at the pass depth.
Extended PassZ(const TCncRun& R, Extended Z) { return std::fabs(Z) > CoordTol ? R.CurDepth : 0; }

void Pline3DPass(TCncRun& R, TObjHeader* A, int p, bool Full) {
    const TPline3DRec* pl = AsPline3D(A);
    if (Full) R.PrevDepth = R.CurDepth;
    Approach(R, Osy{pl->S.x, pl->S.y});
    Plunge(R, p, poOpen, Full);
    const int32_t n = Pline3DSegCount(A);
    const TPlineSeg3D* seg = Pline3DSegs(A);
    Osy prev{pl->S.x, pl->S.y};
    Extended prevZ = pl->S.z;
    for (int32_t i = 0; i < n; ++i) {
        const Osy E{seg[i].E.x, seg[i].E.y};
        const Extended z = PassZ(R, seg[i].E.z);
        if (std::fabs(z - prevZ) > CoordTol)
            CncMoveXYZ(R, Osy3D{E.x, E.y, z});
        else if (std::fabs(seg[i].Alfa) > CoordTol)
            CncArcChords(R, prev, E, seg[i].Alfa);
        else
            CncMoveXY(R, E);
        prev = E;
        prevZ = z;
    }
    Retract(R);
    R.LastPos = prev;
}

void Pline3DOut(TCncRun& R, TObjHeader* A, int Pass) {
    if (A->Layer != R.CurLayer) return;
    if (R.Tool().Obrob == CelyPruchod) return Pline3DPass(R, A, Pass, false);
    const int n = ObjectPasses(R);
    for (int p = 1; p <= n; ++p) Pline3DPass(R, A, p, true);
}

}  // namespace

void CncObjectOut(TCncRun& R, TObjHeader* A, int Pass) {
    static const TKindRoutines<TCncRun> Routines{PointOut, PlineOut, Pline3DOut};
    ObjectOutByKind(R, A, Pass, Routines);
}
