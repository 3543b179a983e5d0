#include "commands/ComRegen.h"

#include <algorithm>
#include <string>

#include "commands/ComOrder.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "shell/Main.h"

TRegenQueue CopyRegenQueue;
TRegenCamOpFn RegenCamOpHook = nullptr;

namespace {

bool ValidOp(int OpNum) { return OpNum >= 0 && OpNum < MaxCamOps; }

}  // namespace

void TRegenQueue::Add(int OpNum) {
    if (!ValidOp(OpNum) || Contains(OpNum)) return;
    const int Type = OpList.Cam[OpNum].OpType;
    if (Type == OpTypePocketRough || Type == OpTypePocketFin) return;
    Queue.push_back(OpNum);
    if (LogAdds) WriteLog("Ops:Adding OpNum:" + std::to_string(OpNum) + " to regen");
}

bool TRegenQueue::Contains(int OpNum) const {
    return std::find(Queue.begin(), Queue.end(), OpNum) != Queue.end();
}

void TRegenQueue::PathAction(int OpNum) {
    if (!ValidOp(OpNum)) return;
    if (Contains(OpNum) && Glob.AutoRegen) return;
    OpList.Cam[OpNum].Status = 4;
}

void InPlaceSweep(const TObjHeader* Obj, TRegenQueue& Q, bool Path) {
    if (OpList.CamCnt <= 0) return;
    TOpMap Map;
    CamOpsOfObject(Obj, Map);
    const int Cnt = std::min(OpList.CamCnt, MaxCamOps);
    for (int op = 0; op < Cnt; ++op) {
        if (Map[op] == 1) Q.SourceAction(op);
        else if (Map[op] == 2 && Path) Q.PathAction(op);
    }
}

void CopySweepRecord(const TEditAdr& R, TRegenQueue& Q, bool Path) {
    if (OpList.CamCnt <= 0) return;
    TOpMap Map;
    CamOpsOfObject(R.Orig, Map);
    const int Cnt = std::min(OpList.CamCnt, MaxCamOps);
    for (int op = 0; op < Cnt; ++op) {
        if (Map[op] == 1) {
            for (TObjHeader* N : R.New) CamOpAddParent(N, op);
            Q.SourceAction(op);
        } else if (Map[op] == 2) {
            for (TObjHeader* N : R.New) CamOpAddChild(N, op);
            if (Path) Q.PathAction(op);
        }
    }
}

void CopySweep(TRegenQueue& Q, bool Path) {
    const int Cnt = std::clamp<int>(Glob.OpEditAdrCnt, 0, static_cast<int>(Glob.OpEditAdr.size()));
    for (int i = 0; i < Cnt; ++i) CopySweepRecord(Glob.OpEditAdr[i], Q, Path);
}

void ReplaceSweep(TRegenQueue& Q) {
    RepointOpLinks([&Q](int op) { Q.SourceAction(op); }, [&Q](int op) { Q.PathAction(op); });
}

void ResetEditAdr() { Glob.OpEditAdrCnt = 0; }

TEditAdr& AddEditAdr(TObjHeader* Orig, TObjHeader* Temp) {
    const int Cnt = std::clamp<int>(Glob.OpEditAdrCnt, 0, static_cast<int>(Glob.OpEditAdr.size()));
    Glob.OpEditAdr.resize(Cnt + 1);
    TEditAdr& R = Glob.OpEditAdr[Cnt];
    R = TEditAdr{};
    R.Orig = Orig;
    R.Temp = Temp;
    Glob.OpEditAdrCnt = Cnt + 1;
    return R;
}

TEditAdr* FindEditAdrByTemp(const TObjHeader* Temp) {
    const int Cnt = std::clamp<int>(Glob.OpEditAdrCnt, 0, static_cast<int>(Glob.OpEditAdr.size()));
    for (int i = 0; i < Cnt; ++i)
        if (Glob.OpEditAdr[i].Temp == Temp) return &Glob.OpEditAdr[i];
    return nullptr;
}

void SolveCamOpRegen(const std::vector<int>& OpsToReg) {
    if (Glob.OpNew || OpsToReg.empty()) return;
    std::vector<int> Ops = OpsToReg;
    for (size_t i = 0; i < Ops.size(); ++i) {
        const int op = Ops[i];
        if (!ValidOp(op)) continue;
        // Without a regenerator the operation cannot follow its sources: it is out of date.
        if (Glob.AutoRegen && RegenCamOpHook) {
            const int Before = OpList.CamCnt;
            RegenCamOpHook(op);
            // An operation without sources went with its sub-operations (which follow it):
            // the later numbers move down with the records.
            const int Gone = Before - OpList.CamCnt;
            if (Gone > 0)
                for (size_t k = i + 1; k < Ops.size(); ++k)
                    if (Ops[k] > op) Ops[k] -= Gone;
        } else {
            OpList.Cam[op].Status = 1;
        }
    }
}

void HandOffRegen(const TRegenQueue& Q) {
    SolveCamOpRegen(Q.Ops());
    if (MainForm) MainForm->CamOpsToPanel();
}

void ResetComRegen() { CopyRegenQueue.Clear(); }
