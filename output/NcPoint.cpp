// Points (drilled or helically bored), 3D polylines, the vertical pass cut of a
// polyline and the helical plunge.
#include <cmath>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "output/NcClamps.h"
#include "output/NcOut.h"
#include "platform/Dialogs.h"
#include "shell/UniLang.h"

namespace {

constexpr Extended DegToRad = 0.017453292519943295769L;

std::string LaText(const TNcRun& R) { return "(La:" + std::to_string(R.CurLayer) + ")"; }


// One pass at a point: method 0 drills, 3 bores a helix; both retract.
void PointPass(TNcRun& R, const Osy& P, const char* VerticalLog) {
    const TTool& T = R.Tool();
    const TToolPlunge& pl = T.Material.Zapich[poPoint];
    if (pl.Method == 3) {
        WriteLog("Out:Spiral point " + LaText(R));
        NcSpiralPlunge(R, true, true, P, R.PrevDepth, R.CurDepth, pl.SpiralPitch);
    } else {
        WriteLog(std::string(VerticalLog) + LaText(R));
        NcMoveZ(R, false, R.CurDepth);
    }
    NcMoveZ(R, true, Glob.SpolParObr.PrejezdNadMat);
}

}  // namespace

Extended HelixRadius(const TTool& T) {
    const TToolPlunge& pl = T.Material.Zapich[poPoint];
    return pl.SpiralRadPercent ? T.SpodniPrumer / 100 * pl.SpiralRad / 2 : pl.SpiralRad / 2;
}

void NcSpiralPlunge(TNcRun& R, bool MoveOut, bool MoveBack, const Osy& P, Extended Z1, Extended Z2, Extended Pitch) {
    const TTool& T = R.Tool();
    const TToolPlunge& pl = T.Material.Zapich[poPoint];
    const Extended Rad = HelixRadius(T);
    // Without a pitch or a radius there is no helix: the tool goes straight down.
    if (!(Pitch > CoordTol) || !(Rad > CoordTol) || !std::isfinite(Pitch) || !std::isfinite(Rad) ||
        (Z1 - Z2) / Pitch > 1e5L) {
        R.Error("Vrstva " + std::to_string(R.CurLayer) + ": šroubovice bez stoupání nebo poloměru, zanořeno kolmo");
        NcMoveZ(R, false, Z2);
        return;
    }
    const Extended dir = pl.SpiralLeft == pl.SpiralDownStep ? 1 : -1;
    const bool down = pl.SpiralDownStep;
    const Extended zFrom = down ? Z1 : Z2, zTo = down ? Z2 : Z1;
    const Extended a1 = 360 * (std::fabs(zFrom / Pitch) - std::floor(std::fabs(zFrom / Pitch)));
    const Extended total = (Z1 - Z2) / Pitch * 360;
    auto at = [&](Extended Deg, Extended Z) {
        const Extended a = dir * Deg * DegToRad;
        return Osy3D{P.x + Rad * std::cos(a), P.y + Rad * std::sin(a), Z};
    };
    auto height = [&](Extended Deg) { return zFrom + (zTo - zFrom) * (Deg - a1) / total; };
    NcMoveZ(R, false, down ? R.PrevDepth : Z2);
    Osy3D cur = at(a1, zFrom);
    if (MoveOut) NcMoveXY(R, false, Osy{cur.x, cur.y});
    // Pieces end on the quarter boundaries between the two phases and at the end
    // phase; the heights follow the angle, so the last piece ends at the target height.
    const Extended end = a1 + total;
    Extended b = std::floor(a1 / 90 + 1e-9L) * 90 + 90;
    Extended prev = a1;
    while (true) {
        const bool last = b >= end - 1e-9L;
        const Extended next = last ? end : b;
        const Osy3D to = last ? at(end, zTo) : at(next, height(next));
        NcArcXYZ(R, cur, to, dir * (next - prev) * DegToRad);
        cur = to;
        prev = next;
        if (last) break;
        b += 90;
    }
    if (MoveBack) NcMoveXY(R, false, P);
}

void PointOut(TNcRun& R, TObjHeader* Adresa, int Pass) {
    if (Adresa->Layer != R.CurLayer) return;
    WriteLog("Out:Point out Start");
    const TTool& T = R.Tool();
    const Osy P = FirstPt(Adresa);
    const uint8_t method = T.Material.Zapich[poPoint].Method;
    const Extended above = Glob.SpolParObr.DepthToPlunge;
    if (UnderClamp(R, P)) {
        WriteLog("Err:Wrong def. of tool or clamp " + LaText(R));
        ShowMessage(Msg[37]);
    } else if (method != 0 && method != 3) {
        // Checked before any move, so no approach is left standing in the material.
        if (T.Obrob == CelyObjekt) WriteLog("Err:Internal Error, pline out plunge");
        MessageDlg(Msg[105], TMsgDlgType::mtError, mbOK);
    } else if (T.Obrob == CelyPruchod) {
        NcRapidToStart(R, P, R.PrevDepth + above);
        NcFeed(R, true, NcPlungeFeed(T, Pass, poPoint));
        PointPass(R, P, "Out:Vertical point ");
        R.LastPos = P;
    } else {
        R.PassCount = NcPassCount(T);
        R.CurDepth = -T.HloubkaRychloposuvem;
        if (R.PassCount == 0) WriteLog("Err:No pass in layer " + LaText(R));
        for (int p = 1; p <= R.PassCount; ++p) {
            NcSpindle(R, T.Pruchod[p].Otacky, T.VretTime);
            NcCoolant(R, T.Chlaz, T.ChlazTime);
            R.PrevDepth = R.CurDepth;
            NcRapidToStart(R, P, R.PrevDepth + above);
            NcFeed(R, true, NcPlungeFeed(T, p, poPoint));
            R.CurDepth = -T.Pruchod[p].Hloubka;
            PointPass(R, P, "Out:Vertical Point ");
            R.LastPos = P;
        }
    }
    WriteLog("Out:Point out End");
}

void NcPlineCut(TNcRun& R, TObjHeader* Pline, int K, int Pass) {
    const TTool& T = R.Tool();
    NcFeed(R, true, NcPlungeFeed(T, Pass, K));
    NcMoveZ(R, false, R.CurDepth);
    NcFeed(R, false, T.Pruchod[Pass].Posuv);
    const int32_t n = PlineSegCount(Pline);
    const TPlineSeg* seg = PlineSegs(Pline);
    Osy prev = AsPline(Pline)->S;
    for (int32_t i = 0; i < n; ++i) {
        if (std::fabs(seg[i].Alfa) <= CoordTol)
            NcMoveXY(R, false, seg[i].E);
        else
            NcArcXY(R, prev, seg[i].E, seg[i].Alfa);
        prev = seg[i].E;
    }
}

namespace {

// One pass along a 3D polyline: a vertex with Z 0 stays on the material top, every
// other vertex is cut at the pass depth. The tool starts where the plunge left it.
void Pline3DPass(TNcRun& R, TObjHeader* Adresa, int P) {
    const TTool& T = R.Tool();
    const TPline3DRec* pl = AsPline3D(Adresa);
    const Osy S{pl->S.x, pl->S.y};
    NcRapidToStart(R, S, R.PrevDepth + Glob.SpolParObr.DepthToPlunge);
    // The plunge feed follows the rule of the open objects: a row without one takes
    // the plunge setting's, never the row's "not set" value.
    NcFeed(R, true, NcPlungeFeed(T, P, poOpen));
    R.CurDepth = -T.Pruchod[P].Hloubka;
    NcMoveZ(R, false, R.CurDepth);
    NcFeed(R, false, T.Pruchod[P].Posuv);
    Osy prev = S;
    Extended prevZ = R.CurDepth;
    const int32_t n = Pline3DSegCount(Adresa);
    const TPlineSeg3D* seg = Pline3DSegs(Adresa);
    for (int32_t i = 0; i < n; ++i) {
        const Osy E{seg[i].E.x, seg[i].E.y};
        const Extended z = std::fabs(seg[i].E.z) <= CoordTol ? 0 : R.CurDepth;
        if (std::fabs(z - prevZ) > CoordTol)
            NcMoveXYZ(R, false, Osy3D{E.x, E.y, z});
        else if (std::fabs(seg[i].Alfa) > CoordTol)
            NcArcXY(R, prev, E, seg[i].Alfa);
        else
            NcMoveXY(R, false, E);
        prev = E;
        prevZ = z;
    }
    NcMoveZ(R, true, Glob.SpolParObr.PrejezdNadMat);
    R.LastPos = prev;
}

}  // namespace

void Pline3DOut(TNcRun& R, TObjHeader* Adresa, int Pass) {
    if (Adresa->Layer != R.CurLayer) return;
    const TTool& T = R.Tool();
    if (Pline3DUnderClamp(R.ClampStart, Adresa)) {
        ShowMessage(Msg[38]);
        return;
    }
    if (T.Obrob == CelyPruchod) {
        Pline3DPass(R, Adresa, Pass);
        return;
    }
    R.PassCount = NcPassCount(T);
    R.CurDepth = -T.HloubkaRychloposuvem;
    for (int p = 1; p <= R.PassCount; ++p) {
        NcSpindle(R, T.Pruchod[p].Otacky, T.VretTime);
        NcCoolant(R, T.Chlaz, T.ChlazTime);
        R.PrevDepth = R.CurDepth;
        Pline3DPass(R, Adresa, p);
    }
}
