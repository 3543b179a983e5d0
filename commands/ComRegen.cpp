#include "commands/ComRegen.h"

#include <algorithm>
#include <string>
#include <unordered_map>

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

namespace {

// Record number of each Temp (the first record that has it), so a command that copies
// many objects finds each copy's record at once. Records may be emptied or changed
// behind its back (the array is cleared directly, a Temp replaced): a hit is checked
// against the record, and a miss or a stale hit rebuilds the index once.
struct TTempIndex {
    std::unordered_map<const TObjHeader*, int> At;
    int Counted = 0;  // records 0..Counted-1 are in At
    void Clear() {
        At.clear();
        Counted = 0;
    }
    void Add(int i) {
        if (Glob.OpEditAdr[size_t(i)].Temp) At.emplace(Glob.OpEditAdr[size_t(i)].Temp, i);
        Counted = i + 1;
    }
};
TTempIndex& TempIndex() {
    static TTempIndex I;
    return I;
}

int EditAdrCountNow() { return std::clamp<int>(Glob.OpEditAdrCnt, 0, static_cast<int>(Glob.OpEditAdr.size())); }

}  // namespace

void ResetEditAdr() {
    Glob.OpEditAdrCnt = 0;
    TempIndex().Clear();
}

TEditAdr& AddEditAdr(TObjHeader* Orig, TObjHeader* Temp) {
    const int Cnt = EditAdrCountNow();
    Glob.OpEditAdr.resize(Cnt + 1);
    TEditAdr& R = Glob.OpEditAdr[Cnt];
    R = TEditAdr{};
    R.Orig = Orig;
    R.Temp = Temp;
    Glob.OpEditAdrCnt = Cnt + 1;
    TTempIndex& I = TempIndex();
    if (I.Counted == Cnt) I.Add(Cnt);
    return R;
}

TEditAdr* FindEditAdrByTemp(const TObjHeader* Temp) {
    const int Cnt = EditAdrCountNow();
    TTempIndex& I = TempIndex();
    auto Lookup = [&]() -> TEditAdr* {
        auto It = I.At.find(Temp);
        if (It == I.At.end() || It->second >= Cnt) return nullptr;
        TEditAdr& R = Glob.OpEditAdr[size_t(It->second)];
        return R.Temp == Temp ? &R : nullptr;
    };
    if (I.Counted == Cnt)
        if (TEditAdr* R = Lookup()) return R;
    // Stale or incomplete: index the counted records afresh and look once more.
    I.Clear();
    for (int i = 0; i < Cnt; ++i) I.Add(i);
    return Lookup();
}

void SetEditAdrTemp(TEditAdr& R, TObjHeader* Temp) {
    R.Temp = Temp;
    if (!Temp) return;
    const int i = int(&R - Glob.OpEditAdr.data());
    auto [It, Added] = TempIndex().At.emplace(Temp, i);
    if (!Added && (It->second >= EditAdrCountNow() || Glob.OpEditAdr[size_t(It->second)].Temp != Temp)) It->second = i;
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
