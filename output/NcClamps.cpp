#include "output/NcClamps.h"

#include <cmath>

#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniPline.h"
#include "core/UniSpace.h"
#include "shell/MainVars.h"
#include "tools/ToolDg.h"

bool BuildClampOutlines(int La, TObjHeader*& Start, TObjHeader*& End) {
    FreeObjList(Start, End);
    Extended dist;
    if (!ToolDistLa(La, dist, -1, false)) return false;
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        if (p->Type != ObjPline || p->Layer != LayerUpin) continue;
        TObjHeader *s = nullptr, *e = nullptr;
        EnPline.GenOffsetClose(p, dist, false, true, s, e, LayerUpin);
        ConcatObjLists(Start, End, s, e);
    }
    return true;
}

bool RapidCrossesClamp(TObjHeader* Clamps, const Osy& From, const Osy& To) {
    if (!Clamps || (std::fabs(From.x - To.x) <= CoordTol && std::fabs(From.y - To.y) <= CoordTol)) return false;
    TObjHeader *s = nullptr, *e = nullptr;
    EnPline.LineAdd(From, To, 1, s, e);
    bool cross = false;
    Osy x;
    for (TObjHeader* c = Clamps; c && !cross; c = c->Next) cross = EnPline.CrossTest(s, c, x);
    FreeObjList(s, e);
    return cross;
}

bool PointUnderClamp(TObjHeader* Clamps, const Osy& P) {
    for (TObjHeader* c = Clamps; c; c = c->Next)
        if (EnPline.PointInside(c, P)) return true;
    return false;
}

bool PlineUnderClamp(TObjHeader* Clamps, TObjHeader* Pline) {
    Osy x;
    for (TObjHeader* c = Clamps; c; c = c->Next)
        if (EnPline.PointInside(c, AsPline(Pline)->S) || EnPline.CrossTest(Pline, c, x)) return true;
    return false;
}

bool Pline3DUnderClamp(TObjHeader* Clamps, TObjHeader* Pline3D) {
    const TPline3DRec* pl = AsPline3D(Pline3D);
    if (PointUnderClamp(Clamps, Osy{pl->S.x, pl->S.y})) return true;
    if (!Clamps) return false;
    TObjHeader* flat = EnSpace.To2D(Pline3D);
    bool clamp = false;
    Osy x;
    for (TObjHeader* c = Clamps; c && flat && !clamp; c = c->Next) clamp = EnPline.CrossTest(flat, c, x);
    if (flat) FreeObjBlock(flat);
    return clamp;
}
