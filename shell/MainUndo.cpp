// Undo by whole snapshots: before an undoable command the drawing and the operation list
// are copied into the next slot of a ring of Glob.MaxUndo slots; UNDO puts the newest
// remaining copy back.
#include <algorithm>

#include "cam/CamOpList.h"
#include "cam/CamOpUndo.h"
#include "commands/ComCommon.h"
#include "commands/UniCom.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

// The ring size in use: MaxUndo kept within the slots there are.
int RingSize() { return std::clamp<int>(Glob.MaxUndo, 1, UndoSlots); }

// "Zpět " + the alias of the built-in row whose keyword is Keyword, else + Keyword.
std::string UndoCaptionFor(const std::string& Keyword) {
    std::string Caption = StrUndo + Keyword;
    for (int i = 1; i <= BuiltInComCount; ++i)
        if (Prikaz[i].Orig == Keyword) Caption = StrUndo + Prikaz[i].User;
    return Caption;
}

// Empties the operation copy of a slot: names, counts and parameters cleared, the link
// arrays released.
void InitUndoSlot(int Slot) {
    for (TCamOp& Op : MainVars.UndoTab[Slot].Ops.Cam) Op = TCamOp{};
}

}  // namespace

void TMainForm::CreateUndoControls() {
    UndoMnu = Find<TMenuItem>("UndoMnu");
    if (!UndoMnu) {
        if (!Menu) Menu = FindOrMake<TMainMenu>("MainMenu1");
        TMenuItem* Edit = FindOrMake<TMenuItem>("mEditMnu", Menu);
        UndoMnu = Make<TMenuItem>("UndoMnu", Edit);
    }
    UndoMnu->Enabled = false;
}

void TMainForm::InitUndoSlots() {
    for (int s = 0; s < UndoSlots; ++s) {
        UndoRec& R = MainVars.UndoTab[s];
        FreeObjList(R.StartUndo, R.EndUndo);
        R.Jmeno.clear();
        InitUndoSlot(s);
        R.Ops.CamCnt = R.Ops.CadCnt = 0;
    }
    MainVars.UndoIndex = 0;
    MainVars.UndoCount = 0;
    UndoMnu->Enabled = false;
}

void TMainForm::FreeUndoSlots() {
    for (UndoRec& R : MainVars.UndoTab) {
        FreeObjList(R.StartUndo, R.EndUndo);
        R.Jmeno.clear();
        R.Ops.CamCnt = 0;
        R.Ops.CadCnt = 0;
    }
    MainVars.UndoCount = 0;
    MainVars.UndoIndex = 0;
    UndoMnu->Enabled = false;
}

void TMainForm::TakeUndoSnapshot() {
    TMainVars& V = MainVars;
    const int N = RingSize();
    // A ring that shrank since the last step starts again at its first slot.
    if (V.UndoIndex < 0 || V.UndoIndex >= N) V.UndoIndex = 0;
    const int S = V.UndoIndex;
    UndoRec& R = V.UndoTab[S];
    FreeObjList(R.StartUndo, R.EndUndo);
    InitUndoCamOps(S);
    CamOpsToUndo(S);
    CopyObjsRelinkOps(V.DataStart, R.StartUndo, R.EndUndo, R.Ops, S);
    R.Jmeno = V.Command[0];
    V.UndoIndex = S + 1 >= N ? 0 : S + 1;
    V.UndoCount = std::min(std::max(V.UndoCount, 0) + 1, N);
    UndoMnu->Enabled = true;
    for (int i = 1; i <= ComCount; ++i)
        if (Prikaz[i].Orig == V.Command[0]) UndoMnu->Caption = StrUndo + Prikaz[i].User;
}

void TMainForm::SetUndoMenuToTop() {
    const TMainVars& V = MainVars;
    if (V.UndoCount > 0) {
        const int N = RingSize();
        const int Below = (V.UndoIndex - 1 + N) % N;
        UndoMnu->Enabled = true;
        UndoMnu->Caption = UndoCaptionFor(V.UndoTab[Below].Jmeno);
    } else {
        UndoMnu->Enabled = false;
        UndoMnu->Caption = StrUndo;
    }
}

void ComUndo() {
    TMainVars& V = MainVars;
    WriteLog("Sys:ComUndo Start");
    V.ComCnt = -1;
    V.FileSaved = false;
    if (V.UndoCount > 0) {
        const int N = RingSize();
        V.UndoIndex = (V.UndoIndex <= 0 || V.UndoIndex > N) ? N - 1 : V.UndoIndex - 1;
        --V.UndoCount;
        const int S = V.UndoIndex;
        FreeObjList(V.DataStart, V.DataEnd);
        UndoToCamOps(S);
        CopyObjsRelinkOps(V.UndoTab[S].StartUndo, V.DataStart, V.DataEnd, OpList, S);
        if (MainForm) MainForm->SetUndoMenuToTop();
        ClearSelection(V.DataStart);
        if (MainForm) {
            MainForm->LayPanelUpdate();
            MainForm->CamOpsToPanel();
        }
    } else {
        WriteLog("Err:nothing to undo");
    }
    WriteLog("Sys:ComUndo End");
}
