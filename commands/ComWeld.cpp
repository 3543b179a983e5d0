#include "commands/ComWeld.h"

#include <cfenv>
#include <cmath>
#include <string>

#include "commands/ComCommon.h"
#include "commands/ComRegen.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniArea.h"
#include "core/UniDraw.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniWalk.h"
#include "platform/Dialogs.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

// The most points MARK places along one polyline: more would only exhaust memory.
constexpr Extended MaxMarkCount = 1000000;

bool UsedByOperation(const TObjHeader* p) {
    TOpMap Map;
    CamOpsOfObject(p, Map);
    for (int op = 0; op < OpList.CamCnt; ++op)
        if (Map[op] != 0) return true;
    return false;
}

// Unlinks the selected closed polylines into Start..End (WELD refuses a polyline an
// operation uses: the ones taken so far go back to the end of the drawing). Open ones
// stay as they are: welding is an area union, which would break them; Open counts them.
// False on refusal.
bool TakeSelectedPlines(TObjHeader*& Start, TObjHeader*& End, int& Open) {
    TMainVars& V = MainVars;
    Open = 0;
    for (TObjHeader* p = V.DataStart; p;) {
        TObjHeader* Next = p->Next;
        if (p->Type == ObjPline && (p->Flags & FlagSelected) && EnPline.OpenPline(p)) {
            ++Open;
        } else if (p->Type == ObjPline && (p->Flags & FlagSelected)) {
            if (UsedByOperation(p)) {
                ConcatObjLists(V.DataStart, V.DataEnd, Start, End);
                MessageDlg(Msg[111], TMsgDlgType::mtError, mbOK);
                return false;
            }
            UnlinkObj(p, V.DataStart, V.DataEnd);
            AppendObj(p, Start, End);
        }
        p = Next;
    }
    return true;
}

}  // namespace

void ComWeld() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComWeld Start");
        SelectStepStart();
        return;
    }
    if (SelectStepPrevious("Usr:Select previous")) return;
    TObjHeader* Start = nullptr;
    TObjHeader* End = nullptr;
    int Open = 0;
    if (TakeSelectedPlines(Start, End, Open)) {
        Weld(Start, End);
        ConcatObjLists(V.DataStart, V.DataEnd, Start, End);
        ComRedrawView();
        if (Open > 0) {
            WriteLog("Err:Open polylines not welded (" + std::to_string(Open) + ")");
            MessageDlg(Msg[15], TMsgDlgType::mtInformation, mbOK);
        }
    }
    if (MainForm) MainForm->CamOpsToPanel();
    WorkStepStart();
    ComLayPanelUpdate();
    WriteLog("Sys:ComWeld End");
}

void ComDivide() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComDivide Start");
        SelectStepStart();
        return;
    }
    if (SelectStepPrevious("Usr:Select previous")) return;
    WorkStepStart();
    ResetEditAdr();
    TObjHeader* Start = nullptr;
    TObjHeader* End = nullptr;
    for (TObjHeader* p = V.DataStart; p;) {
        TObjHeader* Next = p->Next;
        if (p->Flags & FlagSelected) {
            ClearSelected(p);
            if (p->Type == ObjPline) {
                AddEditAdr(p, p);
                UnlinkObj(p, V.DataStart, V.DataEnd);
                AppendObj(p, Start, End);
            } else {
                DrawObj(p, MainCanvas);
            }
        }
        p = Next;
    }
    // The divided polylines leave their operations; their parts are new objects. The
    // links go before the records are freed.
    TRegenQueue Q;
    TOpMap Map;
    for (int i = 0; i < Glob.OpEditAdrCnt; ++i) {
        TObjHeader* o = Glob.OpEditAdr[i].Orig;
        CamOpsOfObject(o, Map);
        for (int op = 0; op < OpList.CamCnt; ++op) {
            if (Map[op] == 1) {
                CamOpDelParent(o, op);
                Q.SourceAction(op);
            } else if (Map[op] == 2) {
                CamOpDelChild(o, op);
                Q.PathAction(op);
            }
        }
    }
    if (Start) {
        for (TObjHeader* p = Start; p;) {
            TObjHeader* Next = p->Next;
            EnPline.Divide(p, Start, End);
            p = Next;
        }
        EnPline.PlineTrunc(Start, End);
        ConcatObjLists(V.DataStart, V.DataEnd, Start, End);
    }
    SolveCamOpRegen(Q.Ops());
    FindDirAll(V.DataStart);
    ClearSelection(V.DataStart);
    ComRedrawView();
    ComLayPanelUpdate();
    WriteLog("Sys:ComDivide End");
}

void ComMark() {
    TMainVars& V = MainVars;
    switch (V.ComCnt) {
        case 0:
            WriteLog("Sys:ComMark Start");
            SetPrompt(Prompt[44]);
            V.Mouse.OsnapAuto.Search = false;
            return;
        case 1:
            SetPrompt(Prompt[45]);
            V.Mouse.NextMove = mmSel;
            V.Mouse.NextDown = mdSel;
            ComRedrawView();
            return;
        default:
            break;
    }
    if (ComInput(2) == "P") {
        WriteLog("Usr:Select previous");
        RestoreDrawingSelection();
        V.ComCnt = 1;
        SetPrompt(PrSelObject);
        SaveSelection();
        return;
    }
    WorkStepStart();
    Extended C = 0;
    if (!StrToExtCalc(ComInput(1), C, false) || !(std::fabs(C) <= MaxMarkCount)) {
        WriteLog("Err:Wrong count (" + ComInput(1) + ")");
        WriteLog("Sys:ComMark End");
        return;
    }
    WriteLog("Usr:Count:" + std::to_string(static_cast<long long>(C)));
    std::fesetround(FE_TONEAREST);
    const int32_t Count = static_cast<int32_t>(std::llrint(C));  // halves to the even number
    TObjHeader* Last = V.DataEnd;
    for (TObjHeader* p = V.DataStart; p;) {
        TObjHeader* Next = p == Last ? nullptr : p->Next;
        if (p->Flags & FlagSelected) {
            ClearSelected(p);
            DrawObj(p, MainCanvas);
            if (p->Type == ObjPline) {
                if (TObjHeader* G = Mark(p, Count)) {
                    AppendObj(G, V.DataStart, V.DataEnd);
                    DrawObj(G, MainCanvas);
                }
            }
        }
        p = Next;
    }
    ComLayPanelUpdate();
    WriteLog("Sys:ComMark End");
}
