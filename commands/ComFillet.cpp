#include "commands/ComFillet.h"

#include <string>

#include "commands/ComCommon.h"
#include "commands/ComOrder.h"
#include "commands/ComRegen.h"
#include "commands/ComTrim.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniDraw.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniWalk.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

// R replaces P at the end of the drawing; the record lets the links follow.
void ReplacePline(TObjHeader* P, TObjHeader* R) {
    TMainVars& V = MainVars;
    AddEditAdr(P).New = {R};
    DeleteObj(P, V.DataStart, V.DataEnd);
    AppendObj(R, V.DataStart, V.DataEnd);
    DrawObj(R, MainCanvas);
}

// Step 2 of the selection commands: "P" brings the previous selection back.
bool PreviousSelection() {
    TMainVars& V = MainVars;
    if (ComInput(2) != "P") return false;
    WriteLog("Usr:Select previous");
    RestoreDrawingSelection();
    V.ComCnt = 1;
    SetPrompt(PrSelObject);
    SaveSelection();
    return true;
}

void AskSelection() {
    SetPrompt(PrSelObject);
    MainVars.Mouse.NextMove = mmSel;
    MainVars.Mouse.NextDown = mdSel;
    ComRedrawView();
}

// One offset pass: exactly one polyline from Src, else nullptr (and nothing kept).
TObjHeader* OnePass(TObjHeader* Src, bool Open, Extended D, bool Side) {
    TObjHeader* S = nullptr;
    TObjHeader* E = nullptr;
    if (Open)
        EnPline.GenOffsetOpen(Src, D, Side, S, E, Glob.LayerDraw);
    else
        EnPline.GenOffsetClose(Src, D, Side, true, S, E, Glob.LayerDraw);
    if (S && S == E && S->Type == ObjPline) return S;
    FreeObjList(S, E);
    return nullptr;
}

void FreeOne(TObjHeader* p) {
    TObjHeader* S = p;
    TObjHeader* E = p;
    FreeObjList(S, E);
}

// Out, in and out again (left, right, left for an open polyline): every corner rounded
// with radius R. nullptr when some pass does not give exactly one polyline.
TObjHeader* RoundByOffsets(TObjHeader* P, Extended R) {
    const bool Open = EnPline.OpenPline(P);
    TObjHeader* A = OnePass(P, Open, R, false);
    if (!A) return nullptr;
    TObjHeader* B = OnePass(A, Open, 2 * R, true);
    FreeOne(A);
    if (!B) return nullptr;
    TObjHeader* C = OnePass(B, Open, R, false);
    FreeOne(B);
    return C;
}

// The edit list is reset, then every selected object of the drawing as it was (the
// appended replacements are not visited) loses the bit; a polyline for which Make gives
// a replacement is replaced by it, anything else is drawn again.
template <class TMake>
void ReplaceSelectedPlines(TMake Make) {
    TMainVars& V = MainVars;
    ResetEditAdr();
    TObjHeader* Last = V.DataEnd;
    for (TObjHeader* p = V.DataStart; p;) {
        TObjHeader* Next = p == Last ? nullptr : p->Next;
        if (p->Flags & FlagSelected) {
            ClearSelected(p);
            TObjHeader* r = p->Type == ObjPline ? Make(p) : nullptr;
            if (r)
                ReplacePline(p, r);
            else
                DrawObj(p, MainCanvas);
        }
        p = Next;
    }
}

}  // namespace

void ComFilletOne(bool Chamfer) {
    TMainVars& V = MainVars;
    const char* EndLine = Chamfer ? "Sys:ComChamferOne End" : "Sys:ComFillerOne End";
    switch (V.ComCnt) {
        case 0:
            WriteLog(Chamfer ? "Sys:ComChamferOne Start" : "Sys:ComFillerOne Start");
            SetPrompt(Prompt[Chamfer ? 14 : 13]);
            return;
        case 1:
            SetPrompt(Prompt[46]);
            V.Mouse.NextMove = mmSel;
            V.Mouse.NextDown = mdCoord;
            ComRedrawView();
            return;
        default:
            break;
    }
    V.ComCnt = -1;
    V.FileSaved = false;
    Extended R = 0;
    if (!StrToExtCalc(ComInput(1), R, false)) {
        WriteLog("Err: Wrong value (" + ComInput(1) + ")");
        WriteLog(EndLine);
        return;
    }
    WriteLog("Usr:Value:" + GeneralNumText(R));
    if (!StrToPt(ComInput(2), Osy{}, V.PickPoint)) {
        WrongPickPoint(ComInput(2));
        ClearSelection(V.DataStart);
        ComRedrawView();
        WriteLog(EndLine);
        return;
    }
    ResetEditAdr();
    if (TObjHeader* p = FirstPlineHit(V.PickPoint, false)) {
        if (TObjHeader* r = EnPline.FilletOne(p, R, V.PickPoint, Chamfer))
            ReplacePline(p, r);
        else
            DrawObj(p, MainCanvas);
    }
    TRegenQueue Q;
    ReplaceSweep(Q);
    HandOffRegen(Q);
    ResetEditAdr();
    V.ComCnt = 1;
    V.Command[2].clear();
    SetPrompt(Prompt[46]);
    WriteLog(EndLine);
}

void ComFilletAll(bool Chamfer) {
    TMainVars& V = MainVars;
    switch (V.ComCnt) {
        case 0:
            WriteLog(Chamfer ? "Sys:ComChamferAll Start" : "Sys:ComFilletAll Start");
            SetPrompt(Prompt[Chamfer ? 14 : 13]);
            return;
        case 1:
            AskSelection();
            return;
        default:
            break;
    }
    if (PreviousSelection()) return;
    const char* EndLine = Chamfer ? "Sys:ComChamferAll End" : "Sys:ComFillerAll End";
    WorkStepStart();
    Extended R = 0;
    if (!StrToExtCalc(ComInput(1), R, false)) {
        WriteLog(Chamfer ? "Sys:wrong chamfer len" : "Sys:Wrong fillet radius");
        WriteLog(EndLine);
        return;
    }
    ReplaceSelectedPlines([&](TObjHeader* p) { return EnPline.FilletAll(p, R, Chamfer); });
    TRegenQueue Q;
    ReplaceSweep(Q);
    HandOffRegen(Q);
    WriteLog(EndLine);
}

void ComFilletOffs() {
    TMainVars& V = MainVars;
    switch (V.ComCnt) {
        case 0:
            WriteLog("Sys:ComFilletOffset Start");
            SetPrompt(Prompt[13]);
            return;
        case 1:
            AskSelection();
            return;
        default:
            break;
    }
    if (PreviousSelection()) return;
    WorkStepStart();
    Extended R = 0;
    if (!StrToExtCalc(ComInput(1), R, false)) {
        WriteLog("Err:Wrong distance (" + ComInput(1) + ")");
        WriteLog("Sys:ComFilletOffset End");
        return;
    }
    ReplaceSelectedPlines([&](TObjHeader* p) {
        TObjHeader* r = RoundByOffsets(p, R);
        if (r) {
            // The rounded polyline stays on the original's layer.
            r->Layer = p->Layer;
            r->Flags = p->Flags;
            r->SavedFlags = p->SavedFlags;
            r->Type = p->Type;
        }
        return r;
    });
    TRegenQueue Q(false);
    RepointOpLinks([&](int op) { Q.SourceAction(op); },
                   [&](int op) {
                       // A rebuilt path runs the other way round: climb and conventional swap.
                       OpList.Cam[op].Sousledne = !OpList.Cam[op].Sousledne;
                       Q.PathAction(op);
                   });
    HandOffRegen(Q);
    WriteLog("Sys:ComFilletOffset End");
}
