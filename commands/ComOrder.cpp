#include "commands/ComOrder.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "commands/ComCommon.h"
#include "commands/ComRegen.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniDraw.h"
#include "core/UniGroup.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

constexpr uint8_t OrigLayer = 68;

int EditAdrCount() {
    return std::clamp<int>(Glob.OpEditAdrCnt, 0, static_cast<int>(Glob.OpEditAdr.size()));
}

// Clears the selected bit of a walked record and draws it again.
void Unselect(TObjHeader* p) {
    p->Flags &= static_cast<uint8_t>(~FlagSelected);
    DrawObj(p, MainCanvas);
}

// The end of the selection step of the four one-step order commands.
void OrderWorkStart() {
    WorkStepStart();
    ResetEditAdr();
}

// Step 0 and the "P" of step 1; true when the routine is done with this Enter.
bool OrderSelectSteps(const char* StartLine) {
    if (MainVars.ComCnt == 0) {
        WriteLog(StartLine);
        SelectStepStart();
        return true;
    }
    return MainVars.ComCnt == 1 && SelectStepPrevious("Usr:Select previous");
}

// A whole number as the platform converts one: blanks before it, a sign, decimal digits,
// nothing after, within 32 bits.
bool ParseWholeNumber(const std::string& S, long& N) {
    size_t i = 0;
    while (i < S.size() && S[i] == ' ') ++i;
    const std::string T = S.substr(i);
    if (T.empty()) return false;
    size_t d = (T[0] == '+' || T[0] == '-') ? 1 : 0;
    if (d >= T.size()) return false;
    for (size_t k = d; k < T.size(); ++k)
        if (T[k] < '0' || T[k] > '9') return false;
    errno = 0;
    N = std::strtol(T.c_str(), nullptr, 10);
    return errno == 0 && N >= INT32_MIN && N <= INT32_MAX;
}

}  // namespace

bool IsActiveLayerObj(const TObjHeader* p) {
    if (!p) return false;
    if (p->Type != ObjGroup) return p->Layer == Glob.LayerDraw;
    return EnGroup.Contents(Glob.LayerDraw, const_cast<TObjHeader*>(p));
}

void RepointOpLinks(const TOpAction& ParentAction, const TOpAction& ChildAction) {
    if (OpList.CamCnt <= 0) return;
    const int Cnt = EditAdrCount();
    const int Ops = std::min(OpList.CamCnt, MaxCamOps);
    TOpMap Map;
    for (int i = 0; i < Cnt; ++i) {
        // A copy: an action may not touch the records, but the vector stays put anyway.
        const TEditAdr& R = Glob.OpEditAdr[i];
        CamOpsOfObject(R.Orig, Map);
        for (int op = 0; op < Ops; ++op) {
            if (Map[op] == 1) {
                CamOpDelParent(R.Orig, op);
                if (ParentAction) ParentAction(op);
                for (TObjHeader* N : R.New) CamOpAddParent(N, op);
            } else if (Map[op] == 2) {
                CamOpDelChild(R.Orig, op);
                for (TObjHeader* N : R.New) {
                    CamOpAddChild(N, op);
                    if (ChildAction) ChildAction(op);
                }
            }
        }
    }
}

namespace {

// ONETOSTART (Earlier) and ONETOEND: each selected object swaps places with the nearest
// object of the active layer before (after) it. Walked in the direction of the move, so
// that a run of adjacent selected objects moves one place together.
void MoveSelectedOnePlace(bool Earlier) {
    TMainVars& V = MainVars;
    OrderWorkStart();
    for (TObjHeader* p = Earlier ? V.DataStart : V.DataEnd; p;) {
        TObjHeader* Following = Earlier ? p->Next : p->Prev;
        if (p->Flags & FlagSelected) {
            Unselect(p);
            AddEditAdr(p).New = {p};
            TObjHeader* q = Earlier ? p->Prev : p->Next;
            while (q && !IsActiveLayerObj(q)) q = Earlier ? q->Prev : q->Next;
            if (q) SwapObjs(p, q, V.DataStart, V.DataEnd);
        }
        p = Following;
    }
    RepointOpLinks();
}

}  // namespace

void ComToStart() {
    if (OrderSelectSteps("Sys:ComToStart Start")) return;
    TMainVars& V = MainVars;
    OrderWorkStart();
    for (TObjHeader* p = V.DataStart; p;) {
        TObjHeader* Next = p->Next;
        if (p->Flags & FlagSelected) {
            Unselect(p);
            if (p->Prev) {
                AddEditAdr(p).New = {p};
                UnlinkObj(p, V.DataStart, V.DataEnd);
                InsertObjAfter(nullptr, p, V.DataStart, V.DataEnd);
            }
        }
        p = Next;
    }
    RepointOpLinks();
    WriteLog("Sys:ComToStart End");
}

void ComToEnd() {
    if (OrderSelectSteps("Sys:ComToEnd Start")) return;
    TMainVars& V = MainVars;
    OrderWorkStart();
    // The records appended at the end are visited again, no longer selected.
    for (TObjHeader* p = V.DataStart; p;) {
        TObjHeader* Next = p->Next;
        if (p->Flags & FlagSelected) {
            Unselect(p);
            AddEditAdr(p).New = {p};
            if (p->Next) {
                UnlinkObj(p, V.DataStart, V.DataEnd);
                AppendObj(p, V.DataStart, V.DataEnd);
            }
        }
        p = Next;
    }
    RepointOpLinks();
    WriteLog("Sys:ComToEnd End");
}

void ComOneToStart() {
    if (OrderSelectSteps("Sys:ComOneToStart Start")) return;
    MoveSelectedOnePlace(true);
    WriteLog("Sys:ComOneToStart End");
}

void ComOneToEnd() {
    if (OrderSelectSteps("Sys:ComOneToEnd Start")) return;
    MoveSelectedOnePlace(false);
    WriteLog("Sys:ComOneToEnd End");
}

void ComToPos() {
    if (OrderSelectSteps("Sys:ComToPos Start")) return;
    TMainVars& V = MainVars;
    if (V.ComCnt == 1) {
        SetPrompt(Prompt[47]);
        V.Mouse.NextMove = mmCross;
        V.Mouse.NextDown = mdNone;
        ComRedrawView();
        return;
    }
    V.ComCnt = -1;
    SaveSelection();
    V.FileSaved = false;
    V.Mouse.NextMove = mmNone;
    V.Mouse.NextDown = mdNone;
    ComRedrawView();
    const std::string Input = V.Command[2];
    long Typed = 0;
    if (!ParseWholeNumber(Input, Typed)) {
        WriteLog("Err:Wrong position (" + Input + ")");
        WriteLog("Sys:ComToPos End");
        return;
    }
    long N = 0;
    for (TObjHeader* p = V.DataStart; p; p = p->Next)
        if (IsActiveLayerObj(p)) ++N;
    if (N < 2) {
        WriteLog("Sys:Low objects count, nothing to change");
        WriteLog("Sys:ComToPos End");
        return;
    }
    // Positions below 1 mean the first place.
    const long P = std::clamp<long>(Typed, 1, N);
    ResetEditAdr();
    TObjHeader* TmpStart = nullptr;
    TObjHeader* TmpEnd = nullptr;
    for (TObjHeader* p = V.DataStart; p;) {
        TObjHeader* Next = p->Next;
        if ((p->Flags & FlagSelected) && IsActiveLayerObj(p)) {
            AddEditAdr(p, p);
            p->Flags &= static_cast<uint8_t>(~FlagSelected);
            UnlinkObj(p, V.DataStart, V.DataEnd);
            AppendObj(p, TmpStart, TmpEnd);
        }
        p = Next;
    }
    // The anchor: the remaining object of the active layer at place P - 1, or the last
    // one when fewer remain; none for the first place.
    TObjHeader* Anchor = nullptr;
    if (P > 1) {
        long Count = 0;
        for (TObjHeader* p = V.DataStart; p; p = p->Next) {
            if (!IsActiveLayerObj(p)) continue;
            Anchor = p;
            if (++Count >= P - 1) break;
        }
    }
    // Records and temporary list share their order.
    int Rec = 0;
    for (TObjHeader* p = TmpStart; p;) {
        TObjHeader* Next = p->Next;
        UnlinkObj(p, TmpStart, TmpEnd);
        InsertObjAfter(Anchor, p, V.DataStart, V.DataEnd);
        if (Rec < EditAdrCount() && Glob.OpEditAdr[Rec].Temp == p) Glob.OpEditAdr[Rec].New = {p};
        ++Rec;
        p = Next;
    }
    RepointOpLinks();
    WriteLog("Sys:ComToPos End");
}

void ComOrigToFront() {
    TMainVars& V = MainVars;
    WriteLog("Sys:ComOrigToFront Start");
    V.ComCnt = -1;
    V.Mouse.OsnapAuto.Search = false;
    ResetEditAdr();
    TObjHeader* TmpStart = nullptr;
    TObjHeader* TmpEnd = nullptr;
    for (TObjHeader* p = V.DataStart; p;) {
        TObjHeader* Next = p->Next;
        if (p->Type != ObjGroup && p->Layer == OrigLayer) {
            UnlinkObj(p, V.DataStart, V.DataEnd);
            AppendObj(p, TmpStart, TmpEnd);
            AddEditAdr(p, p).New = {p};
        }
        p = Next;
    }
    ConcatObjLists(V.DataStart, V.DataEnd, TmpStart, TmpEnd);
    RepointOpLinks();
    ComRedrawView();
    WriteLog("Sys:ComOrigToFront End");
}
