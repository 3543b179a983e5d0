#include "commands/ComCopy.h"

#include <cmath>
#include <vector>

#include "commands/ArPolDg.h"
#include "commands/ArRectDg.h"
#include "commands/ComCommon.h"
#include "commands/ComRegen.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniDraw.h"
#include "core/UniGroup.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

constexpr Extended Pi = 3.1415926535897932385L;

// The most elements an array makes (the selection itself counted): more would only
// exhaust memory.
constexpr long MaxArrayCount = 10000;

// A count as typed: rounded to the nearest whole number (halves to the even one) and
// raised to 1; a count above MaxArrayCount gives MaxArrayCount + 1.
long CountOf(Extended X) {
    if (!(X >= 1)) return 1;  // also NaN
    if (X > MaxArrayCount) return MaxArrayCount + 1;
    const Extended R = std::nearbyint(X);
    return R < 1 ? 1 : static_cast<long>(R);
}

// Refuses an array of more than MaxArrayCount elements with a message; Typed names
// the count(s) the user gave.
bool ArrayTooLarge(long Elements, const std::string& Typed) {
    if (Elements <= MaxArrayCount) return false;
    WriteLog("Err:Array too large (Cnt:" + Typed + ", max " + std::to_string(MaxArrayCount) + ")");
    MessageDlg(Msg[97] + " " + Typed + " (max " + std::to_string(MaxArrayCount) + ")", TMsgDlgType::mtError,
               mbOK);
    return true;
}

// The working copies of the selection: each selected object loses its selected bit and
// an identical copy is appended to Start..End; with Glob.CopyCamOps on, each gets an
// edit-address record (Orig the object, Temp its copy). Returns the copies in order.
std::vector<TObjHeader*> CopySelectionToTemp(TObjHeader*& Start, TObjHeader*& End, bool Unselect) {
    ResetEditAdr();
    std::vector<TObjHeader*> Temp;
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        if (!(p->Flags & FlagSelected)) continue;
        if (Unselect) p->Flags &= static_cast<uint8_t>(~FlagSelected);
        TObjHeader* c = CopyIdentObj(p, Start, End);
        if (!c) continue;
        Temp.push_back(c);
        if (Glob.CopyCamOps) AddEditAdr(p, c);
    }
    return Temp;
}

// The record of the I-th working copy, nullptr when no records are made.
TEditAdr* RecordOf(size_t I) {
    if (!Glob.CopyCamOps || I >= static_cast<size_t>(Glob.OpEditAdrCnt) || I >= Glob.OpEditAdr.size())
        return nullptr;
    return &Glob.OpEditAdr[I];
}

// The end of COPY: the working copies freed, the queue handed over and emptied.
void CopyEnd(const std::string& Input) {
    WrongPickPoint(Input);
    FreeObjList(MainVars.SaveStart, MainVars.SaveEnd);
    HandOffRegen(CopyRegenQueue);
    CopyRegenQueue.Clear();
    WriteLog("Sys:ComCopy End");
}

// The end of the array commands' work: links and actions of every record, the hand-off.
void ArrayLinks() {
    TRegenQueue Q;
    CopySweep(Q, true);
    HandOffRegen(Q);
}

}  // namespace

void ComCopy() {
    TMainVars& V = MainVars;
    switch (V.ComCnt) {
        case 0:
            WriteLog("Sys:ComCopy Start");
            SelectStepStart();
            return;
        case 1: {
            if (SelectStepPrevious("Usr:Select previous")) return;
            SelEnvelope();
            FreeObjList(V.SaveStart, V.SaveEnd);
            const std::vector<TObjHeader*> Temp = CopySelectionToTemp(V.SaveStart, V.SaveEnd, false);
            for (size_t i = 0; i < Temp.size(); ++i)
                if (TEditAdr* R = RecordOf(i)) R->New = {nullptr};
            PointModes();
            ComRedrawView();
            SetPrompt(Prompt[3]);
            return;
        }
        case 2:
            if (!StrToPt(V.Command[2], Osy{}, V.PickPoint)) return CopyEnd(V.Command[2]);
            LogPickPoint();
            V.SavePick = V.PickPoint;
            SetPrompt(Prompt[4]);
            V.Mouse.NextMove = mmDragEnv;
            V.Mouse.NextDown = mdCoord;
            V.Mouse.OsnapAuto.Search = true;
            ComRedrawView();
            return;
        default:
            break;
    }
    V.ComCnt = -1;
    V.PickPoint = V.SavePick;
    V.FileSaved = false;
    V.Mouse.NextMove = mmNone;
    V.Mouse.NextDown = mdNone;
    V.Mouse.OsnapAuto.Search = true;
    ComRedrawView();
    const std::string Input = V.Command[3];
    if (!StrToPt(Input, V.SavePick, V.PickPoint)) return CopyEnd(Input);
    LogPickPoint();
    const Osy Rel{V.PickPoint.x - V.SavePick.x, V.PickPoint.y - V.SavePick.y};
    size_t i = 0;
    for (TObjHeader* t = V.SaveStart; t; t = t->Next, ++i) {
        TObjHeader* c = CopyObj(t, Rel, V.DataStart, V.DataEnd);
        if (TEditAdr* R = RecordOf(i)) R->New = {c};
    }
    // A copied path joins its operation; the operation's status stays as it was.
    const int Cnt = Glob.CopyCamOps ? Glob.OpEditAdrCnt : 0;
    for (int r = 0; r < Cnt && r < static_cast<int>(Glob.OpEditAdr.size()); ++r)
        CopySweepRecord(Glob.OpEditAdr[r], CopyRegenQueue, false);
    // The next Enter is again a target point.
    V.ComCnt = 2;
    V.Command[3].clear();
    V.PickPoint = V.SavePick;
    SetPrompt(Prompt[4]);
    V.Mouse.NextMove = mmDragEnv;
    V.Mouse.NextDown = mdCoord;
    ComRedrawView();
    ComLayPanelUpdate();
}

void ComCopyToActive() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComCopyToActive Start");
        SelectStepStart();
        return;
    }
    if (SelectStepPrevious("Usr:Select previous")) return;
    WorkStepStart();
    TObjHeader* Last = V.DataEnd;
    // The walk reaches the appended copies too; they are not selected.
    for (TObjHeader* p = V.DataStart; p; p = p->Next) {
        if (!(p->Flags & FlagSelected)) continue;
        p->Flags &= static_cast<uint8_t>(~FlagSelected);
        CopyIdentObj(p, V.DataStart, V.DataEnd);
    }
    for (TObjHeader* p = Last ? Last->Next : V.DataStart; p; p = p->Next) {
        if (p->Type == ObjGroup) EnGroup.ChangeLayer(p, Glob.LayerDraw);
        p->Layer = Glob.LayerDraw;
    }
    ComLayPanelUpdate();
    WriteLog("Sys:ComCopyToActive End");
}

void ComArrRect() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComArrRect Start");
        SelectStepStart();
        return;
    }
    if (ComInput(1) == "P") {
        RestoreDrawingSelection();
        V.ComCnt = 0;
        SetPrompt(PrSelObject);
        return;
    }
    SaveSelection();
    FinalSettings();
    if (!ArrRectDialog) CreateArrRectDialog();
    TArrRectDialog& D = *ArrRectDialog;
    const char* End = "Sys:ComArrRect End";
    if (D.ShowModal() != mrOk) return WriteLog(End);
    Extended Val = 0;
    if (!StrToExtCalc(D.EditRowCount->Text, Val, true)) {
        WriteLog("Err:Wrong Row Count (" + D.EditRowCount->Text + ")");
        return WriteLog(End);
    }
    const long Rows = CountOf(Val);
    if (!StrToExtCalc(D.EditColCount->Text, Val, true)) {
        WriteLog("Err:Wrong Col Count (" + D.EditColCount->Text + ")");
        return WriteLog(End);
    }
    const long Cols = CountOf(Val);
    if (ArrayTooLarge(Rows * Cols, D.EditRowCount->Text + " x " + D.EditColCount->Text)) return WriteLog(End);
    if (Rows == 1 && Cols == 1) return;
    Extended RowDist = 0, ColDist = 0;
    if (!StrToExtCalc(D.EditRowDist->Text, RowDist, true)) {
        WriteLog("Err:Wrong Row dist (" + D.EditRowDist->Text + ")");
        return WriteLog(End);
    }
    if (!StrToExtCalc(D.EditColDist->Text, ColDist, true)) {
        WriteLog("Err:Wrong Col dist (" + D.EditColDist->Text + ")");
        return WriteLog(End);
    }
    TObjHeader* TmpStart = nullptr;
    TObjHeader* TmpEnd = nullptr;
    const std::vector<TObjHeader*> Temp = CopySelectionToTemp(TmpStart, TmpEnd, true);
    // Rows along +y, columns along +x, in a serpentine order; the first cell is the
    // selection itself.
    for (long r = 0; r < Rows; ++r) {
        for (long c = (r == 0 ? 1 : 0); c < Cols; ++c) {
            const long Col = (r % 2 == 0) ? c : Cols - 1 - c;
            const Osy Rel{Col * ColDist, r * RowDist};
            SelectAll(TmpStart);
            for (size_t i = 0; i < Temp.size(); ++i) {
                TObjHeader* Copy = CopyObj(Temp[i], Rel, V.DataStart, V.DataEnd);
                if (TEditAdr* R = RecordOf(i)) R->New.push_back(Copy);
            }
        }
    }
    ArrayLinks();
    FreeObjList(TmpStart, TmpEnd);
    WriteLog(End);
}

void ComArrPolar() {
    TMainVars& V = MainVars;
    const char* End = "Sys:ComArrPolar End";
    if (SelectThenPointStep("Sys:ComArrPolar Start", 11)) return;
    FinalSettings();
    if (!StrToPt(V.Command[2], Osy{}, V.PickPoint)) {
        WrongPickPoint(V.Command[2]);
        return WriteLog(End);
    }
    LogPickPoint();
    const Osy Centre = V.PickPoint;
    if (!ArrPolarDialog) CreateArrPolarDialog();
    TArrPolarDialog& D = *ArrPolarDialog;
    if (D.ShowModal() != mrOk) return WriteLog(End);
    Extended Val = 0;
    if (!StrToExtCalc(D.EditCount->Text, Val, true)) {
        WriteLog("Usr:Count:" + D.EditCount->Text);
        return WriteLog(End);
    }
    const long N = CountOf(Val);
    if (ArrayTooLarge(N, D.EditCount->Text)) return WriteLog(End);
    if (N == 1) {
        WriteLog("Err:no elements to array");
        return WriteLog(End);
    }
    Extended Deg = 0;
    if (!StrToExtCalc(D.EditAngle->Text, Deg, true)) {
        WriteLog("Err:Wrong angle (" + D.EditAngle->Text + ")");
        return WriteLog(End);
    }
    WriteLog("Usr:Angle:" + D.EditAngle->Text);
    TObjHeader* TmpStart = nullptr;
    TObjHeader* TmpEnd = nullptr;
    const std::vector<TObjHeader*> Temp = CopySelectionToTemp(TmpStart, TmpEnd, true);
    for (long k = 1; k < N; ++k) {
        const Extended A = k * Deg * Pi / 180;
        SelectAll(TmpStart);
        for (size_t i = 0; i < Temp.size(); ++i) {
            TObjHeader* Copy = CopyIdentObj(Temp[i], V.DataStart, V.DataEnd);
            if (!Copy) continue;
            RotateObj(Copy, Centre, A);
            if (TEditAdr* R = RecordOf(i)) R->New.push_back(Copy);
        }
    }
    ClearSelection(TmpStart);
    ArrayLinks();
    FreeObjList(TmpStart, TmpEnd);
    WriteLog(End);
}
