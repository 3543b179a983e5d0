// The closed contour with 3D corners.
#include <cmath>
#include <string>

#include "cam/ContourBuild.h"
#include "cam/ContourDg.h"
#include "cam/ContourLeads.h"
#include "cam/Corner3D.h"
#include "core/Builder.h"
#include "core/Global.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniSpace.h"
#include "commands/ComCommon.h"

TObjHeader* CreateClosedContour3D(TObjHeader* Adresa, bool Inside, bool Dir, bool TgIn, bool TgOut, Extended Dist,
                                  Extended TgPolomer, Extended TgUhel, uint8_t La) {
    WriteLog("CAM:Creating 3D closed contour Start (La:" + std::to_string(La) + ")");
    Extended Deg = 0;
    if (!ContourDialog || !StrToExtCalc(ContourDialog->Edit3DAngle->Text, Deg, false)) Deg = 0;
    const Extended Limit = Deg * GeomPi / 180;
    TObjHeader *OS = nullptr, *OE = nullptr;
    EnPline.GenOffsetClose(Adresa, Dist, Inside, true, OS, OE, La);
    if (!OS) return nullptr;
    if (Dir) EnPline.ChangeDir(OS);
    const Extended s = EnPline.FindDir(OS) == Inside ? 1 : -1;
    const TLeadPlace L = PlaceLeads(Adresa, OS, TgIn, TgOut, Dist, TgPolomer, TgUhel, s, La);
    if (L.Restarted) ReplaceObj(OS, L.Restarted, OS, OE);  // frees the old start
    if (Dir) EnPline.ChangeDir(OS);
    const Osy Q0 = AsPline(OS)->S;
    const Extended A = L.A;
    TgPolomer = L.Rad;
    TgIn = TgIn && L.Rad > 0;
    TgOut = TgOut && L.Rad > 0;
    const Osy T{Q0.x + TgPolomer * std::cos(A), Q0.y + TgPolomer * std::sin(A)};

    TObjHeader *GS = nullptr, *GE = nullptr;
    EnPline.CopyIdent(Adresa, GS, GE);
    TObjHeader* Region = MakeGroup(false, GS, GE);
    Create3DFinish(Inside, false, Region, Limit, OS, OE, La);
    AppendObj(Region, GS, GE);
    FreeObjList(GS, GE);
    if (!OS || OS->Type != ObjPline3D) {
        FreeObjList(OS, OE);
        return nullptr;
    }
    TObjHeader* Path = OS;
    if (Dir) EnSpace.ChangeDir(Path);
    const Extended Z = AsPline3D(Path)->S.z;
    auto At = [Z](const Osy& P) { return Osy3D{P.x, P.y, Z}; };
    if (TgIn) {
        WriteLog("CAM:Adding tangent IN (Angle:" + GeneralNumText(TgUhel) + " Radius:" + GeneralNumText(TgPolomer) + ")");
        const Extended B = NormAngleOf(A - GeomPi + s * TgUhel);
        StartObj3D(At({T.x + TgPolomer * std::cos(B), T.y + TgPolomer * std::sin(B)}));
        AddSeg3D(AsPline3D(Path)->S, -s * TgUhel, 0.001L);
    } else {
        StartObj3D(AsPline3D(Path)->S);
    }
    const TPlineSeg3D* Seg = Pline3DSegs(Path);
    for (int32_t i = 0, n = Pline3DSegCount(Path); i < n; ++i) AddSeg3D(Seg[i].E, Seg[i].Alfa, 0.001L);
    if (TgOut) {
        WriteLog("CAM:Adding tangent OUT (Angle:" + GeneralNumText(TgUhel) + " Radius:" + GeneralNumText(TgPolomer) + ")");
        const Extended B = NormAngleOf(A - GeomPi - s * TgUhel);
        AddSeg3D(At({T.x + TgPolomer * std::cos(B), T.y + TgPolomer * std::sin(B)}), -s * TgUhel, 0.001L);
    }
    TObjHeader *RS = nullptr, *RE = nullptr;
    TObjHeader* Res = MakeObj3D(La, RS, RE);
    FreeObjList(OS, OE);
    if (Res) {
        EnSpace.OpenPline(Res);
        EnSpace.FindDir(Res);
    }
    WriteLog("CAM:Creating 3D closed contour End");
    return Res;
}
