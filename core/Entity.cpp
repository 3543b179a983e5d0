// Dispatch of the whole-object operations on the kind byte.
#include "core/Entity.h"

#include "core/UniPline.h"
#include "core/UniPoint.h"

TToolDistLaFn ToolDistLaHook = nullptr;

void DrawObj(TObjHeader* A, TCanvas* Canv) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.Draw(A, Canv); break;
        default: break;
    }
}

void RawDrawObj(TObjHeader* A, TCanvas* Canv) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.RawDraw(A, Canv); break;
        default: break;
    }
}

bool SelectObj(TObjHeader* A, const Osy& Min, const Osy& Max, bool Window) {
    if (!A) return false;
    switch (A->Type) {
        case ObjPoint: return EnPoint.Select(A, Min, Max, Window);
        default: return false;
    }
}

bool RawSelectObj(TObjHeader* A, const Osy& Min, const Osy& Max, bool Window) {
    if (!A) return false;
    switch (A->Type) {
        case ObjPoint: return EnPoint.RawSelect(A, Min, Max, Window);
        default: return false;
    }
}

void MoveObj(TObjHeader* A, const Osy& Rel) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.Move(A, Rel); break;
        case ObjPline: EnPline.Move(A, Rel); break;
        default: break;
    }
}

void RawMoveObj(TObjHeader* A, const Osy& Rel) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.RawMove(A, Rel); break;
        default: break;
    }
}

TObjHeader* CopyObj(TObjHeader* A, const Osy& Rel, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    if (!A) return nullptr;
    switch (A->Type) {
        case ObjPoint: return EnPoint.Copy(A, Rel, StartAdr, EndAdr);
        case ObjPline: return EnPline.Copy(A, Rel, StartAdr, EndAdr);
        default: return nullptr;
    }
}

TObjHeader* CopyIdentObj(TObjHeader* A, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    if (!A) return nullptr;
    switch (A->Type) {
        case ObjPoint: return EnPoint.CopyIdent(A, StartAdr, EndAdr);
        case ObjPline: return EnPline.CopyIdent(A, StartAdr, EndAdr);
        default: return nullptr;
    }
}

void RotateObj(TObjHeader* A, const Osy& Base, Extended Angle) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.Rotate(A, Base, Angle); break;
        default: break;
    }
}

void RawRotateObj(TObjHeader* A, const Osy& Base, Extended Angle) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.RawRotate(A, Base, Angle); break;
        default: break;
    }
}

void ScaleObj(TObjHeader* A, const Osy& Base, Extended Scale) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.Scale(A, Base, Scale); break;
        default: break;
    }
}

void RawScaleObj(TObjHeader* A, const Osy& Base, Extended Scale) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.RawScale(A, Base, Scale); break;
        default: break;
    }
}

void MirrorObj(TObjHeader* A, const Osy& P1, const Osy& P2) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.Mirror(A, P1, P2); break;
        default: break;
    }
}

void RawMirrorObj(TObjHeader* A, const Osy& P1, const Osy& P2) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.RawMirror(A, P1, P2); break;
        default: break;
    }
}

bool NpropScaleObj(TObjHeader* A, const Osy& Base, const Osy& Scale, TObjHeader*& StartAdr,
                   TObjHeader*& EndAdr, bool Draw, TObjHeader*& Adr) {
    if (!A) return false;
    switch (A->Type) {
        case ObjPoint: EnPoint.NpropScale(A, Base, Scale, Adr); return true;
        default: return false;
    }
}

void EnvelopeObj(TObjHeader* A, Osy& Min, Osy& Max) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: Min = Max = AsPoint(A)->S; break;
        default: break;
    }
}
