#include "commands/ComOffset.h"

#include <string>

#include "commands/ComCommon.h"
#include "commands/ComRegen.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniDraw.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "core/UniWalk.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/SetDg.h"
#include "shell/UniLang.h"

namespace {

bool DeleteOriginals() { return SetDialog && SetDialog->RbtnOffDel && SetDialog->RbtnOffDel->Checked; }

void AskSelection() {
    SetPrompt(PrSelObject);
    MainVars.Mouse.NextMove = mmSel;
    MainVars.Mouse.NextDown = mdSel;
    ComRedrawView();
}

// Step 2: identical copies of the selected objects into the temporary list, one
// edit-address record each. False when nothing was selected.
bool CopySelection() {
    TMainVars& V = MainVars;
    FreeObjList(V.SaveStart, V.SaveEnd);
    ResetEditAdr();
    for (TObjHeader* p = V.DataStart; p; p = p->Next)
        if (p->Flags & FlagSelected) AddEditAdr(p, CopyIdentObj(p, V.SaveStart, V.SaveEnd));
    return V.SaveStart != nullptr;
}

// The offset curves of the copies, appended to the drawing; returns the number of
// points that gave no circle (a distance of 0 or less) and of polylines whose offset
// did not give exactly one polyline.
int OffsetCopies(Extended D) {
    TMainVars& V = MainVars;
    // Self-crossing copies are offset loop by loop; a split copy's record follows its
    // last part.
    for (TObjHeader* p = V.SaveStart; p;) {
        TObjHeader* Next = p->Next;
        if (p->Type == ObjPline) {
            TEditAdr* R = FindEditAdrByTemp(p);
            std::vector<TObjHeader*> Parts = EnPline.Divide(p, V.SaveStart, V.SaveEnd);
            if (R && !Parts.empty()) SetEditAdrTemp(*R, Parts.back());
        }
        p = Next;
    }
    int Failed = 0;
    for (TObjHeader* p = V.SaveStart; p; p = p->Next) {
        TObjHeader* Made = nullptr;
        if (p->Type == ObjPoint) {
            Made = EnPoint.Offset(p, false, false, D, 1, 1);
            if (Made) {
                Made->Layer = Glob.LayerDraw;
                AppendObj(Made, V.DataStart, V.DataEnd);
                DrawObj(Made, MainCanvas);
            } else {
                WriteLog("Err:No circle around a point at the distance " + GeneralNumText(D));
                ++Failed;
            }
        } else if (p->Type == ObjPline) {
            TObjHeader* OffS = nullptr;
            TObjHeader* OffE = nullptr;
            if (EnPline.OpenPline(p)) {
                EnPline.GenOffsetOpen(p, D, EnPline.PointRight(p, V.PickPoint), OffS, OffE, Glob.LayerDraw);
            } else {
                const bool Inside = EnPline.PointInside(p, V.PickPoint);
                EnPline.GenOffsetClose(p, D, Inside, true, OffS, OffE, Glob.LayerDraw);
            }
            if (CountObjs(OffS) != 1) ++Failed;
            Made = OffE;
            for (TObjHeader* q = OffS; q; q = q->Next) DrawObj(q, MainCanvas);
            ConcatObjLists(V.DataStart, V.DataEnd, OffS, OffE);
        }
        if (!Made) continue;
        if (TEditAdr* R = FindEditAdrByTemp(p)) R->New = {Made};
    }
    return Failed;
}

// The offset curve takes the place of a source; a path gains the curve as a path too.
void RelinkOffsets(TRegenQueue& Q) {
    TOpMap Map;
    for (int i = 0; i < Glob.OpEditAdrCnt; ++i) {
        const TEditAdr& R = Glob.OpEditAdr[i];
        if (R.New.empty()) continue;
        CamOpsOfObject(R.Orig, Map);
        for (int op = 0; op < OpList.CamCnt; ++op) {
            if (Map[op] == 1) {
                CamOpAddParent(R.New[0], op);
                CamOpDelParent(R.Orig, op);
                Q.SourceAction(op);
            } else if (Map[op] == 2) {
                CamOpAddChild(R.New[0], op);
            }
        }
    }
}

// With "delete the original" every selected point and polyline that gave an offset
// curve goes, with its links; one that gave none stays, so nothing is lost.
void DeleteSelectedOriginals() {
    TMainVars& V = MainVars;
    TOpMap Map;
    for (int i = 0; i < Glob.OpEditAdrCnt; ++i) {
        TObjHeader* o = Glob.OpEditAdr[i].Orig;
        if (!o || (o->Type != ObjPoint && o->Type != ObjPline) || Glob.OpEditAdr[i].New.empty()) continue;
        CamOpsOfObject(o, Map);
        for (int op = 0; op < OpList.CamCnt; ++op) {
            if (Map[op] == 0) continue;
            // An object may be both a source and a path of one operation.
            CamOpDelParent(o, op);
            CamOpDelChild(o, op);
        }
        DeleteObj(o, V.DataStart, V.DataEnd);
    }
}

}  // namespace

void ComOffset() {
    TMainVars& V = MainVars;
    Extended D = 0;
    switch (V.ComCnt) {
        case 0:
            WriteLog("Sys:ComOffset Start");
            SetPrompt(Prompt[14]);
            ResetEditAdr();
            return;
        case 1:
            if (StrToExtCalc(ComInput(1), D, true)) {
                AskSelection();
            } else {
                V.ComCnt = -1;
                WriteLog("Sys:ComOffset End");
            }
            return;
        case 2:
            if (ComInput(2) == "P") {
                WriteLog("Usr:Select previous");
                RestoreDrawingSelection();
                V.ComCnt = 1;
                SetPrompt(PrSelObject);
                return;
            }
            SaveSelection();
            if (CopySelection()) {
                SetPrompt(Prompt[15]);
                V.Mouse.NextMove = mmCross;
                V.Mouse.NextDown = mdCoord;
                ComRedrawView();
            } else {
                V.ComCnt = -1;
                WriteLog("Sys:ComOffset End");
            }
            return;
        default:
            break;
    }
    WorkStepStart();
    // A typed side point counts as much as a click (which types its own point).
    Osy Typed;
    if (StrToPt(ComInput(3), Osy{}, Typed)) V.PickPoint = Typed;
    if (!StrToExtCalc(ComInput(1), D, false)) {
        WriteLog("Err:Wrong distance (" + ComInput(1) + ")");
        WriteLog("Sys:ComOffset End");
        return;
    }
    const int Failed = OffsetCopies(D);
    if (Failed > 0) {
        WriteLog("Err:Offset did not fit");
        MessageDlg(Msg[9] + std::to_string(Failed) + "\r\n" + Msg[10], TMsgDlgType::mtInformation, mbOK);
    }
    TRegenQueue Q(false);
    RelinkOffsets(Q);
    if (DeleteOriginals()) DeleteSelectedOriginals();
    ClearSelection(V.DataStart);
    HandOffRegen(Q);
    Glob.OpEditAdr.clear();
    ResetEditAdr();
    FreeObjList(V.SaveStart, V.SaveEnd);
    ComRedrawView();
    V.ComCnt = 1;
    ShowSelectionCount(0);
    AskSelection();
    ComLayPanelUpdate();
    WriteLog("Sys:ComOffset End");
}
