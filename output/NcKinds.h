// What the object routines of the fixed-word writers share: dispatch of an object to
// the routine of its kind (groups hand on their members without a layer or selection
// test of their own, texts of the current layer are cut polyline by polyline through
// their exploded outlines) and the pass count of whole-object order.
#pragma once
#include <string>

#include "core/ObjRecords.h"
#include "core/UniText.h"
#include "output/NcOut.h"

template <class TRun>
struct TKindRoutines {
    void (*Point)(TRun& R, TObjHeader* A, int Pass);
    void (*Pline)(TRun& R, TObjHeader* A, int Pass);
    void (*Pline3D)(TRun& R, TObjHeader* A, int Pass);
};

template <class TRun>
void ObjectOutByKind(TRun& R, TObjHeader* A, int Pass, const TKindRoutines<TRun>& K) {
    switch (A->Type) {
        case ObjPoint: K.Point(R, A, Pass); break;
        case ObjPline: K.Pline(R, A, Pass); break;
        case ObjGroup:
            for (TObjHeader* p = AsGroup(A)->First; p; p = p->Next) ObjectOutByKind(R, p, Pass, K);
            break;
        case ObjText: {
            if (A->Layer != R.CurLayer) break;
            TObjHeader *s = nullptr, *e = nullptr;
            EnText.Explode(A, false, s, e);
            for (TObjHeader* p = s; p; p = p->Next)
                if (p->Type == ObjPline) K.Pline(R, p, Pass);
            FreeObjList(s, e);
            break;
        }
        case ObjPline3D: K.Pline3D(R, A, Pass); break;
        default: break;
    }
}

// Passes of the current tool for an object in whole-object order, from the rapid depth;
// a tool without any leaves the object out, and the user learns which layer.
template <class TRun>
int ObjectPasses(TRun& R) {
    const TTool& T = R.Tool();
    R.CurDepth = -T.HloubkaRychloposuvem;
    R.PassCount = NcPassCount(T);
    if (R.PassCount == 0)
        R.Error("Vrstva " + std::to_string(R.CurLayer) + ": nástroj nemá žádný průchod, objekty vrstvy nebyly vyvezeny");
    return R.PassCount;
}
