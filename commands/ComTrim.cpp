#include "commands/ComTrim.h"

#include <algorithm>
#include <vector>

#include "commands/ComCommon.h"
#include "commands/ComRegen.h"
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

void PickBox(const Osy& P, Osy& Min, Osy& Max) {
    const Extended h = Glob.BoduNaMm > 0 ? Extended(Glob.SelectSize) / (2 * Glob.BoduNaMm) : 0;
    Min = {P.x - h, P.y - h};
    Max = {P.x + h, P.y + h};
}

TObjHeader* FirstPlineHit(const Osy& P, bool SkipSelected) {
    Osy Min, Max;
    PickBox(P, Min, Max);
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        if (p->Type != ObjPline) continue;
        if (SkipSelected && (p->Flags & FlagSelected)) continue;
        if (EnPline.RawSelect(p, Min, Max, false)) return p;
    }
    return nullptr;
}

namespace {

// A point of these commands: typed relative to the origin.
bool ReadPoint(const std::string& Input) { return StrToPt(Input, Osy{}, MainVars.PickPoint); }

// The prompt of a pick step: selection cross-hair, a click types its point, no snaps.
void AskPick(const std::string& Text) {
    SetPrompt(Text);
    MainVars.Mouse.NextMove = mmSel;
    MainVars.Mouse.NextDown = mdCoord;
    MainVars.Mouse.OsnapAuto.Search = false;
    ComRedrawView();
}

// "P" at a first prompt: the previous selection again, the prompt again.
bool PreviousAt(const std::string& Text) {
    if (ComInput(1) != "P") return false;
    WriteLog("Usr:Select previous");
    RestoreDrawingSelection();
    MainVars.ComCnt = 0;
    SetPrompt(Text);
    return true;
}

// The boundary objects of TRIM and EXTEND: copies of the selection, or of everything
// shown when nothing is selected.
void CopyBoundaries() {
    TMainVars& V = MainVars;
    FreeObjList(V.SaveStart, V.SaveEnd);
    CopySelObjects(V.DataStart, false, false, false, V.SaveStart, V.SaveEnd);
    if (!V.SaveStart) CopySelObjects(V.DataStart, true, false, false, V.SaveStart, V.SaveEnd);
}

// Step 0 and 1 of TRIM and EXTEND.
bool BoundaryStep(const char* StartLine, const std::string& PickPrompt, bool ClearAfter) {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog(StartLine);
        SetPrompt(Prompt[41]);
        V.Mouse.NextMove = mmSel;
        V.Mouse.NextDown = mdSel;
        V.Mouse.OsnapAuto.Search = false;
        ComRedrawView();
        return true;
    }
    if (V.ComCnt != 1) return false;
    if (PreviousAt(Prompt[41])) return true;
    SaveSelection();
    CopyBoundaries();
    if (ClearAfter) ClearSelection(V.DataStart);
    AskPick(PickPrompt);
    return true;
}

// The end of a pass of TRIM and EXTEND: links follow, the next pick is asked for.
void NextPick(TRegenQueue& Q, const std::string& PickPrompt) {
    TMainVars& V = MainVars;
    ReplaceSweep(Q);
    HandOffRegen(Q);
    Glob.OpEditAdr.clear();
    ResetEditAdr();
    V.ComCnt = 1;
    V.Command[1] = V.Command[2];
    V.Command[2].clear();
    SetPrompt(PickPrompt);
    ComLayPanelUpdate();
}

// A pick that is no point ends TRIM and EXTEND.
void PickFailed(const char* EndLine) {
    WrongPickPoint(ComInput(2));
    ClearSelection(MainVars.DataStart);
    ComRedrawView();
    WriteLog(EndLine);
}

}  // namespace

void ComBreak() {
    TMainVars& V = MainVars;
    switch (V.ComCnt) {
        case 0:
            WriteLog("Sys:ComBreak Start");
            AskPick(Prompt[39]);
            return;
        case 1: {
            if (PreviousAt(Prompt[39])) return;
            SaveSelection();
            if (!ReadPoint(ComInput(1))) {
                WrongPickPoint(ComInput(1));
                WriteLog("Sys:ComBreak End");
                return;
            }
            TObjHeader* Hit = FirstPlineHit(V.PickPoint, false);
            if (!Hit) {
                V.ComCnt = -1;
                WriteLog("Sys:ComBreak End");
                return;
            }
            Hit->Flags |= FlagSelected;
            DrawObj(Hit, MainCanvas);
            SetPrompt(Prompt[40]);
            PointModes();
            ComRedrawView();
            return;
        }
        default:
            break;
    }
    V.ComCnt = -1;
    V.FileSaved = false;
    if (!ReadPoint(ComInput(2))) {
        WrongPickPoint(ComInput(2));
        WriteLog("Sys:ComBreak End");
        return;
    }
    // The broken polyline's operations take both pieces, as TRIM's do, so no operation
    // keeps the address of the deleted record.
    ResetEditAdr();
    TObjHeader* Last = V.DataEnd;
    for (TObjHeader* p = V.DataStart; p;) {
        TObjHeader* Next = p == Last ? nullptr : p->Next;
        if (p->Flags & FlagSelected) {
            if (p->Type == ObjPline) {
                std::vector<TObjHeader*> Pieces = EnPline.BreakPline(p, V.PickPoint);
                if (!Pieces.empty()) AddEditAdr(p).New = Pieces;
            } else {
                DrawObj(p, MainCanvas);
            }
        }
        p = Next;
    }
    TRegenQueue Q;
    ReplaceSweep(Q);
    HandOffRegen(Q);
    ResetEditAdr();
    V.ComCnt = 0;
    AskPick(Prompt[39]);
    ComLayPanelUpdate();
    WriteLog("Sys:ComBreak End");
}

void ComTrim() {
    TMainVars& V = MainVars;
    if (BoundaryStep("Sys:ComTrim Start", Prompt[42], true)) return;
    V.ComCnt = -1;
    V.FileSaved = false;
    ResetEditAdr();
    if (!ReadPoint(ComInput(2))) return PickFailed("Sys:ComTrim End");
    LogPickPoint();
    Osy Min, Max;
    PickBox(V.PickPoint, Min, Max);
    // Pieces are appended behind the walk's last record and are not picked again in
    // the same pass.
    TObjHeader* Last = V.DataEnd;
    for (TObjHeader* p = V.DataStart; p;) {
        TObjHeader* Next = p == Last ? nullptr : p->Next;
        if (p->Type == ObjPline && !(p->Flags & FlagSelected) && EnPline.RawSelect(p, Min, Max, false)) {
            TObjHeader* R1 = nullptr;
            TObjHeader* R2 = nullptr;
            if (EnPline.Trim(p, Min, Max, V.SaveStart, V.SaveEnd, R1, R2)) {
                std::vector<TObjHeader*> Pieces;
                for (TObjHeader* r : {R1, R2})
                    if (r && r != p) Pieces.push_back(r);
                std::vector<TObjHeader*> New = Pieces;
                if (Pieces.size() >= 2) {
                    // A closed polyline cut twice: its two pieces meet at its old start.
                    for (TObjHeader* r : Pieces) r->Flags |= FlagSelected;
                    TObjHeader* L = V.DataEnd;
                    EnPline.Join(0, V.DataStart, V.DataEnd);
                    if (V.DataEnd != L) New = {V.DataEnd};
                    // Pieces that stayed apart are not left highlighted: they can be
                    // trimmed by the next pick.
                    for (TObjHeader* r : New) {
                        ClearSelected(r);
                        DrawObj(r, MainCanvas);
                    }
                }
                AddEditAdr(p).New = New;
            }
        }
        p = Next;
    }
    TRegenQueue Q;
    NextPick(Q, Prompt[42]);
    WriteLog("Sys:ComTrim End");
}

void ComExtend() {
    TMainVars& V = MainVars;
    if (BoundaryStep("Sys:ComExtend Start", Prompt[43], false)) return;
    V.ComCnt = -1;
    V.FileSaved = false;
    ResetEditAdr();
    if (!ReadPoint(ComInput(2))) return PickFailed("Sys:ComExtend End;");
    LogPickPoint();
    Osy Min, Max;
    PickBox(V.PickPoint, Min, Max);
    if (TObjHeader* p = FirstPlineHit(V.PickPoint, true)) {
        bool OK = false;
        EnPline.Extend(p, Min, Max, V.SaveStart, V.SaveEnd, OK);
        if (OK) AddEditAdr(p).New = {V.DataEnd};
    }
    TRegenQueue Q;
    NextPick(Q, Prompt[43]);
    WriteLog("Sys:ComExtend End;");
}
