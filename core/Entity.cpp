// Dispatch of the whole-object operations on the kind byte.
#include "core/Entity.h"
#include "core/ObjIndex.h"

#include "core/UniGroup.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "core/UniSpace.h"
#include "core/UniText.h"

TToolDistLaFn ToolDistLaHook = nullptr;

void DrawObj(TObjHeader* A, TCanvas* Canv) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.Draw(A, Canv); break;
        case ObjPline: EnPline.Draw(A, Canv); break;
        case ObjGroup: EnGroup.Draw(A, Canv); break;
        case ObjText: EnText.Draw(A, Canv); break;
        case ObjPline3D: EnSpace.Draw(A, Canv); break;
        default: break;
    }
}

void RawDrawObj(TObjHeader* A, TCanvas* Canv) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.RawDraw(A, Canv); break;
        case ObjPline: EnPline.RawDraw(A, Canv); break;
        case ObjGroup: EnGroup.RawDraw(A, Canv); break;
        case ObjText: EnText.RawDraw(A, Canv); break;
        case ObjPline3D: EnSpace.RawDraw(A, Canv); break;
        default: break;
    }
}

bool SelectObj(TObjHeader* A, const Osy& Min, const Osy& Max, bool Window) {
    if (!A) return false;
    switch (A->Type) {
        case ObjPoint: return EnPoint.Select(A, Min, Max, Window);
        case ObjPline: return EnPline.Select(A, Min, Max, Window);
        case ObjGroup: return EnGroup.Select(A, Min, Max, Window);
        case ObjText: return EnText.Select(A, Min, Max, Window);
        case ObjPline3D: return EnSpace.Select(A, Min, Max, Window);
        default: return false;
    }
}

bool RawSelectObj(TObjHeader* A, const Osy& Min, const Osy& Max, bool Window) {
    if (!A) return false;
    switch (A->Type) {
        case ObjPoint: return EnPoint.RawSelect(A, Min, Max, Window);
        case ObjPline: return EnPline.RawSelect(A, Min, Max, Window);
        case ObjGroup: return EnGroup.RawSelect(A, Min, Max, Window);
        case ObjText: return EnText.RawSelect(A, Min, Max, Window);
        case ObjPline3D: return EnSpace.RawSelect(A, Min, Max, Window);
        default: return false;
    }
}

void MoveObj(TObjHeader* A, const Osy& Rel) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.Move(A, Rel); break;
        case ObjPline: EnPline.Move(A, Rel); break;
        case ObjGroup: EnGroup.Move(A, Rel); break;
        case ObjText: EnText.Move(A, Rel); break;
        case ObjPline3D: EnSpace.Move(A, Rel); break;
        default: break;
    }
    DrawingIndex().Touched(A);
}

void RawMoveObj(TObjHeader* A, const Osy& Rel) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.RawMove(A, Rel); break;
        case ObjPline: EnPline.RawMove(A, Rel); break;
        case ObjGroup: EnGroup.RawMove(A, Rel); break;
        case ObjText: EnText.RawMove(A, Rel); break;
        case ObjPline3D: EnSpace.RawMove(A, Rel); break;
        default: break;
    }
    DrawingIndex().Touched(A);
}

TObjHeader* CopyObj(TObjHeader* A, const Osy& Rel, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    if (!A) return nullptr;
    switch (A->Type) {
        case ObjPoint: return EnPoint.Copy(A, Rel, StartAdr, EndAdr);
        case ObjPline: return EnPline.Copy(A, Rel, StartAdr, EndAdr);
        case ObjGroup: return EnGroup.Copy(A, Rel, StartAdr, EndAdr);
        case ObjText: return EnText.Copy(A, Rel, StartAdr, EndAdr);
        case ObjPline3D: return EnSpace.Copy(A, Rel, StartAdr, EndAdr);
        default: return nullptr;
    }
}

TObjHeader* CopyIdentObj(TObjHeader* A, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    if (!A) return nullptr;
    switch (A->Type) {
        case ObjPoint: return EnPoint.CopyIdent(A, StartAdr, EndAdr);
        case ObjPline: return EnPline.CopyIdent(A, StartAdr, EndAdr);
        case ObjGroup: return EnGroup.CopyIdent(A, StartAdr, EndAdr);
        case ObjText: return EnText.CopyIdent(A, StartAdr, EndAdr);
        case ObjPline3D: return EnSpace.CopyIdent(A, StartAdr, EndAdr);
        default: return nullptr;
    }
}

void RotateObj(TObjHeader* A, const Osy& Base, Extended Angle) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.Rotate(A, Base, Angle); break;
        case ObjPline: EnPline.Rotate(A, Base, Angle); break;
        case ObjGroup: EnGroup.Rotate(A, Base, Angle); break;
        case ObjText: EnText.Rotate(A, Base, Angle); break;
        case ObjPline3D: EnSpace.Rotate(A, Base, Angle); break;
        default: break;
    }
    DrawingIndex().Touched(A);
}

void RawRotateObj(TObjHeader* A, const Osy& Base, Extended Angle) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.RawRotate(A, Base, Angle); break;
        case ObjPline: EnPline.RawRotate(A, Base, Angle); break;
        case ObjGroup: EnGroup.RawRotate(A, Base, Angle); break;
        case ObjText: EnText.RawRotate(A, Base, Angle); break;
        case ObjPline3D: EnSpace.RawRotate(A, Base, Angle); break;
        default: break;
    }
    DrawingIndex().Touched(A);
}

void ScaleObj(TObjHeader* A, const Osy& Base, Extended Scale) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.Scale(A, Base, Scale); break;
        case ObjPline: EnPline.Scale(A, Base, Scale); break;
        case ObjGroup: EnGroup.Scale(A, Base, Scale); break;
        case ObjText: EnText.Scale(A, Base, Scale); break;
        case ObjPline3D: EnSpace.Scale(A, Base, Scale); break;
        default: break;
    }
    DrawingIndex().Touched(A);
}

void RawScaleObj(TObjHeader* A, const Osy& Base, Extended Scale) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.RawScale(A, Base, Scale); break;
        case ObjPline: EnPline.RawScale(A, Base, Scale); break;
        case ObjGroup: EnGroup.RawScale(A, Base, Scale); break;
        case ObjText: EnText.RawScale(A, Base, Scale); break;
        case ObjPline3D: EnSpace.RawScale(A, Base, Scale); break;
        default: break;
    }
    DrawingIndex().Touched(A);
}

void MirrorObj(TObjHeader* A, const Osy& P1, const Osy& P2) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.Mirror(A, P1, P2); break;
        case ObjPline: EnPline.Mirror(A, P1, P2); break;
        case ObjGroup: EnGroup.Mirror(A, P1, P2); break;
        case ObjText: EnText.Mirror(A, P1, P2); break;
        case ObjPline3D: EnSpace.Mirror(A, P1, P2); break;
        default: break;
    }
    DrawingIndex().Touched(A);
}

void RawMirrorObj(TObjHeader* A, const Osy& P1, const Osy& P2) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: EnPoint.RawMirror(A, P1, P2); break;
        case ObjPline: EnPline.RawMirror(A, P1, P2); break;
        case ObjGroup: EnGroup.RawMirror(A, P1, P2); break;
        case ObjText: EnText.RawMirror(A, P1, P2); break;
        case ObjPline3D: EnSpace.RawMirror(A, P1, P2); break;
        default: break;
    }
    DrawingIndex().Touched(A);
}

namespace {
bool NpropScaleKind(TObjHeader* A, const Osy& Base, const Osy& Scale, TObjHeader*& StartAdr, TObjHeader*& EndAdr,
                    bool Draw, TObjHeader*& Adr) {
    switch (A->Type) {
        case ObjPoint: EnPoint.NpropScale(A, Base, Scale, Adr); return true;
        case ObjPline: return EnPline.NpropScale(A, Base, Scale, StartAdr, EndAdr, Draw, Adr);
        case ObjGroup: return EnGroup.NpropScale(A, Base, Scale, Draw, Adr);
        case ObjText: return EnText.NpropScale(A, Base, Scale, Adr);
        case ObjPline3D: return EnSpace.NpropScale(A, Base, Scale, StartAdr, EndAdr, Adr);
        default: return false;
    }
}
}  // namespace

bool NpropScaleObj(TObjHeader* A, const Osy& Base, const Osy& Scale, TObjHeader*& StartAdr,
                   TObjHeader*& EndAdr, bool Draw, TObjHeader*& Adr) {
    if (!A) return false;
    const bool Replaces = A->Type == ObjPline || A->Type == ObjPline3D;
    const bool Done = NpropScaleKind(A, Base, Scale, StartAdr, EndAdr, Draw, Adr);
    // The polyline kinds put a new record in A's place and free A: the new one is told.
    if (Done) DrawingIndex().Touched(Replaces ? Adr : A);
    return Done;
}

void EnvelopeObj(TObjHeader* A, Osy& Min, Osy& Max) {
    if (!A) return;
    switch (A->Type) {
        case ObjPoint: Min = Max = AsPoint(A)->S; break;
        case ObjPline: EnPline.Envelope(A, Min, Max); break;
        case ObjGroup: EnGroup.Envelope(A, Min, Max); break;
        case ObjText: EnText.Envelope(A, Min, Max); break;
        case ObjPline3D: EnSpace.Envelope(A, Min, Max); break;
        default: break;
    }
}
