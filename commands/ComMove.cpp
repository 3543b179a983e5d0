#include "commands/ComMove.h"

#include "commands/AlignDg.h"
#include "commands/ComCommon.h"
#include "commands/ComRegen.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniWalk.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

// Moves every selected top-level object by Rel, each followed by its in-place sweep.
void MoveSelected(const Osy& Rel, TRegenQueue& Q, bool Path) {
    for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) {
        if (!(p->Flags & FlagSelected)) continue;
        MoveObj(p, Rel);
        InPlaceSweep(p, Q, Path);
    }
}

Osy EnvCentre() {
    return {(MainVars.SelEnv1.x + MainVars.SelEnv3.x) / 2, (MainVars.SelEnv1.y + MainVars.SelEnv3.y) / 2};
}

// The reference point of the extents for the checked button of the alignment dialog.
Osy AlignReference(const TAlignDialog& D) {
    const Extended x0 = MainVars.SelEnv1.x, x1 = MainVars.SelEnv3.x;
    const Extended y0 = MainVars.SelEnv1.y, y1 = MainVars.SelEnv3.y;
    const Extended X[3] = {x0, (x0 + x1) / 2, x1};
    const Extended Y[3] = {y1, (y0 + y1) / 2, y0};  // rows from the top
    const auto B = D.Buttons();
    for (int i = 0; i < 9; ++i)
        if (B[i]->Checked) return {X[i % 3], Y[i / 3]};
    return {x0, y0};
}

}  // namespace

void ComMove() {
    TMainVars& V = MainVars;
    switch (V.ComCnt) {
        case 0:
            WriteLog("Sys:ComMove Start");
            SelectStepStart();
            return;
        case 1:
            if (SelectStepPrevious("Usr:Select previous")) return;
            ResetEditAdr();
            SetPrompt(Prompt[3]);
            PointModes();
            ComRedrawView();
            return;
        case 2:
            if (!StrToPt(V.Command[2], Osy{}, V.PickPoint)) {
                WrongPickPoint(V.Command[2]);
                WriteLog("Sys:ComMove End");
                return;
            }
            LogPickPoint();
            V.SavePick = V.PickPoint;
            SelEnvelope();
            V.Mouse.NextMove = mmDragEnv;
            V.Mouse.NextDown = mdCoord;
            SetPrompt(Prompt[4]);
            ComRedrawView();
            return;
        default:
            break;
    }
    V.PickPoint = V.SavePick;
    FinalSettings();
    if (!StrToPt(V.Command[3], V.SavePick, V.PickPoint)) {
        WrongPickPoint(V.Command[3]);
    } else {
        LogPickPoint();
        const Osy Rel{V.PickPoint.x - V.SavePick.x, V.PickPoint.y - V.SavePick.y};
        // A moved generated path leaves its operation's status alone.
        TRegenQueue Q;
        MoveSelected(Rel, Q, false);
        HandOffRegen(Q);
    }
    WriteLog("Sys:ComMove End");
}

void ComMoveToCen() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0 || (V.ComCnt == 1 && ComInput(1) == "P")) {
        if (V.ComCnt == 0) {
            WriteLog("Sys:ComMoveToCen Start");
        } else {
            WriteLog("Usr:Select previous");
            RestoreDrawingSelection();
            V.ComCnt = 0;
        }
        SetPrompt(Prompt[31]);
        V.Mouse.NextMove = mmSel;
        V.Mouse.NextDown = mdSel;
        V.Mouse.OsnapAuto.Search = false;
        ComRedrawView();
        return;
    }
    if (V.ComCnt == 1) {
        // Without a reference there is no centre to move to (the empty extents are
        // only the start values of the search).
        if (CountDrawingSelection() == 0) {
            FinalSettings();
            WriteLog("Err:No reference object selected");
            MessageDlg(Msg[107], TMsgDlgType::mtError, mbOK);
            WriteLog("Sys:ComMoveToCen End");
            return;
        }
        ResetEditAdr();
        SaveSelection();
        SetPrompt(Prompt[32]);
        SelEnvelope();
        V.SavePick = EnvCentre();
        ClearSelection(V.DataStart);
        ComRedrawView();
        return;
    }
    FinalSettings();
    SelEnvelope();
    const Osy C = EnvCentre();
    const Osy Rel{V.SavePick.x - C.x, V.SavePick.y - C.y};
    TRegenQueue Q;
    MoveSelected(Rel, Q, true);
    HandOffRegen(Q);
    ComRedrawView();
    WriteLog("Sys:ComMoveToCen End");
}

void ComAlign() {
    TMainVars& V = MainVars;
    switch (V.ComCnt) {
        case 0:
            WriteLog("Sys:ComAlign Start");
            SelectStepStart();
            return;
        case 1:
            if (ComInput(1) == "P") {
                RestoreDrawingSelection();
                V.ComCnt = 0;
                SetPrompt(PrSelObject);
                return;
            }
            SaveSelection();
            SetPrompt(Prompt[4]);
            PointModes();
            ComRedrawView();
            return;
        default:
            break;
    }
    FinalSettings();
    if (!StrToPt(V.Command[2], Osy{}, V.PickPoint)) {
        WrongPickPoint(V.Command[2]);
        WriteLog("Sys:ComAlign End");
        return;
    }
    LogPickPoint();
    if (!AlignDialog) CreateAlignDialog();
    if (AlignDialog->ShowModal() != mrOk) {
        WriteLog("Sys:ComAlign End");
        return;
    }
    SelEnvelope();
    const Osy R = AlignReference(*AlignDialog);
    // An empty selection has no extents to surround (SelEnvelope then gives its
    // +-10000 start values): no rectangle is added.
    if (AlignDialog->ChBoxAddEnvelope->Checked && CountDrawingSelection() > 0) {
        WriteLog("Sys:Adding envelope");
        // Flat extents (a straight line, one point) give no rectangle: then the last
        // record is one the user did not select and must not move.
        const TObjHeader* Before = V.DataEnd;
        EnPline.RectangleAdd(V.SelEnv1, V.SelEnv3, Glob.LayerDraw, V.DataStart, V.DataEnd);
        if (V.DataEnd && V.DataEnd != Before) V.DataEnd->Flags = FlagSelected;
    }
    const Osy Rel{V.PickPoint.x - R.x, V.PickPoint.y - R.y};
    WriteLog("Sys:Align to X:" + GeneralNumText(R.x) + " Y:" + GeneralNumText(R.y));
    for (TObjHeader* p = V.DataStart; p; p = p->Next)
        if (p->Flags & FlagSelected) MoveObj(p, Rel);
    // Every operation with a source anywhere in the drawing is queued.
    TRegenQueue Q;
    for (TObjHeader* p = V.DataStart; p; p = p->Next) InPlaceSweep(p, Q, false);
    HandOffRegen(Q);
    WriteLog("Sys:ComAlign End");
}
