#include "cam/ComCamOpEdit.h"

#include <algorithm>
#include <string>

#include "cam/CamOpList.h"
#include "cam/CamOpListDelete.h"
#include "cam/CamOpRegen.h"
#include "cam/SelOpsDg.h"
#include "commands/ComCommon.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "formats/UniYDF.h"
#include "platform/Dialogs.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/OpsPanel.h"
#include "shell/UniLang.h"

namespace {

std::string OpText(int n) {
    return "(OpNum:" + std::to_string(n) + ", OpName:" + OpList.Cam[n].Name + ")";
}

bool ValidOp(int n) { return n >= 0 && n < OpList.CamCnt && n < MaxCamOps; }

// A row other than the first chosen in the operations panel names the operation.
void IndexFromPanel() {
    if (!MainForm || !MainForm->ListBoxOps) return;
    const int Row = MainForm->ListBoxOps->ItemIndex;
    if (Row > 0) OpList.Index = ListRowToOpNum(Row);
}

// The operations of the selected top-level objects (at most 100 objects): the picker
// when there are several, else the lowest operation of the one object. False when the
// user declined the picker.
bool IndexFromSelection() {
    std::array<int, 100> Set;
    Set.fill(-1);
    int Objects = 0, FirstCount = 0, FirstOp = -1;
    for (TObjHeader* p = MainVars.DataStart; p && Objects < 100; p = p->Next) {
        if (!(p->Flags & FlagSelected)) continue;
        TOpMap Map{};
        CamOpsOfObject(p, Map);
        for (int i = 0; i < OpList.CamCnt && i < MaxCamOps; ++i) {
            if (!Map[i]) continue;
            AddOpNumToSet(i, Set);
            if (Objects == 0) {
                ++FirstCount;
                if (FirstOp < 0) FirstOp = i;
            }
        }
        ++Objects;
    }
    SaveSelection();
    if (Objects > 1 || FirstCount > 1) {
        std::vector<int> Ops;
        for (int v : Set)
            if (v >= 0) Ops.push_back(v);
        if (!SelOpsDialog) CreateSelOpsDialog();
        SelOpsDialog->SetOps(Ops);
        const int R = SelOpsDialog->ShowModal();
        const int Row = SelOpsDialog->ListBoxOps->ItemIndex;
        if (R == mrOk && Row >= 0 && Row < int(Ops.size())) {
            WriteLog("Usr:Yes");
            OpList.Index = Ops[Row];
            return true;
        }
        WriteLog("Usr:No");
        return false;
    }
    OpList.Index = FirstOp;
    return true;
}

void SelectParents(int n) {
    const TCamOp& Op = OpList.Cam[n];
    for (int i = 0; i < Op.ParCnt && i < int(Op.Parents.size()); ++i)
        if (Op.Parents[i]) Op.Parents[i]->Flags |= FlagSelected;
}

}  // namespace

void AddOpNumToSet(int Value, std::array<int, 100>& Set) {
    if (std::find(Set.begin(), Set.end(), Value) != Set.end()) return;
    auto Free = std::find(Set.begin(), Set.end(), -1);
    if (Free != Set.end()) *Free = Value;
}

void ComCamOpEdit() {
    TMainVars& V = MainVars;
    SaveYdfFile(Glob.ProgramDir + "/AutoSave.ydf", true, true);
    if (V.ComCnt == 0) IndexFromPanel();
    if (OpList.Index == -1) {
        if (V.ComCnt == 0) {
            WriteLog("Sys:ComCamOpEdit Start");
            SelectStepStart();
            return;
        }
        if (ComInput(V.ComCnt) == "P") {
            WriteLog("Usr:Select previous");
            RestoreDrawingSelection();
            V.ComCnt = 0;
            SetPrompt(PrSelObject);
            return;
        }
        if (!IndexFromSelection()) {
            WriteLog("Sys:ComCamOpEdit End;");
            V.ComCnt = -1;
            return;
        }
    } else if (ValidOp(OpList.Index)) {
        WriteLog("Sys:ComCamOpEdit Start " + OpText(OpList.Index));
    }
    V.ComCnt = -1;
    const int n = OpList.Index;
    if (!ValidOp(n)) {
        OpList.Index = -1;
        WriteLog("Err:CamOpEdit FAILED, no op selected");
        ShowMessage(Msg[85]);
    } else {
        ClearSelection(V.DataStart);
        Glob.OpEdit = true;
        CamOpToDg(n);
        const TCamOpKind& K = CamOpKind(OpList.Cam[n].OpType);
        if (K.Keyword && MainForm) {
            WriteLog(K.EditLog);
            SelectParents(n);
            MainForm->ComLine2->Caption = std::string("?>") + K.Keyword;
            MainForm->PressKey(13);
        }
        V.LastCom = "OPEDIT";
        OpList.Index = -1;
        Glob.OpEdit = false;
        ClearSelection(V.DataStart);
        ComRedrawView();
    }
    WriteLog("Sys:ComCamOpEdit End;");
}

void ComCamOpDelete() {
    TMainVars& V = MainVars;
    IndexFromPanel();
    const int n = OpList.Index;
    if (!ValidOp(n)) {
        WriteLog("Err:CamOpDelete FAILED, no op selected");
        ShowMessage(Msg[85]);
    } else {
        WriteLog("Sys:ComCamOpDelete Start " + OpText(n));
        std::vector<int> Subs;
        for (int i = 0; i < OpList.CamCnt && i < MaxCamOps; ++i)
            if (i != n && OpList.Cam[i].MasterOp == n && std::find(Subs.begin(), Subs.end(), i) == Subs.end()) {
                Subs.push_back(i);
                WriteLog("Ops:Adding OpNum:" + std::to_string(i) + " to delete");
            }
        // Sub-operations follow their master: removing the highest first keeps the
        // other numbers, so exactly the operation's own sub-operations go.
        for (auto It = Subs.rbegin(); It != Subs.rend(); ++It) {
            WriteLog("Sys:Delete SubOp " + OpText(*It));
            CamOpDelAllChilds(*It);
            DeleteCamOp(*It);
        }
        CamOpDelAllChilds(n);
        DeleteCamOp(n);
    }
    OpList.Index = -1;
    Glob.OpEdit = false;
    V.ComCnt = -1;
    ComRedrawView();
    WriteLog("Sys:ComCamOpDelete End");
}
