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

std::string AdrText(const TObjHeader* Adr) { return std::to_string(reinterpret_cast<uintptr_t>(Adr)); }

// The used part of a link list (a count out of range is clamped to the storage).
int UsedLinks(int32_t Cnt, const std::vector<TObjHeader*>& Links) {
    return std::clamp<int>(Cnt, 0, static_cast<int>(Links.size()));
}

bool ValidOp(int OpNum) { return OpNum >= 0 && OpNum < MaxCamOps; }

// Removes the first occurrence of Adr from the first Cnt entries of Links.
void DelLink(std::vector<TObjHeader*>& Links, int32_t& Cnt, const TObjHeader* Adr) {
    const int Used = UsedLinks(Cnt, Links);
    auto End = Links.begin() + Used;
    auto It = std::find(Links.begin(), End, Adr);
    if (It == End) return;
    std::move(It + 1, End, It);
    Links[Used - 1] = nullptr;
    Cnt = Used - 1;
}

}  // namespace

// The link services belong to the machining code's operation list; these stand until
// it defines its own.
__attribute__((weak)) void CamOpsOfObject(const TObjHeader* Adr, TOpMap& Map) {
    Map.fill(0);
    const int Cnt = std::clamp<int>(OpList.CamCnt, 0, MaxCamOps);
    for (int i = 0; i < Cnt; ++i) {
        const TCamOp& Op = OpList.Cam[i];
        const auto PEnd = Op.Parents.begin() + UsedLinks(Op.ParCnt, Op.Parents);
        if (std::find(Op.Parents.begin(), PEnd, Adr) != PEnd) {
            Map[i] = 1;
            continue;
        }
        const auto CEnd = Op.Childs.begin() + UsedLinks(Op.ChilCnt, Op.Childs);
        if (std::find(Op.Childs.begin(), CEnd, Adr) != CEnd) Map[i] = 2;
    }
}

__attribute__((weak)) void CamOpAddParent(TObjHeader* Adr, int OpNum) {
    if (Adr == nullptr || !ValidOp(OpNum)) return;
    TCamOp& Op = OpList.Cam[OpNum];
    const std::string A = AdrText(Adr), N = std::to_string(OpNum);
    WriteLog("Ops:Adding parent (Adr:" + A + ", OpNum:" + N + ", OpName:" + Op.Name + ")");
    const auto End = Op.Parents.begin() + UsedLinks(Op.ParCnt, Op.Parents);
    if (std::find(Op.Parents.begin(), End, Adr) != End) {
        WriteLog("Ops:Parrent Adr:" + A + " already exist in OpNum:" + N + ", exit");
        return;
    }
    if (Op.ParCnt < 0 || Op.ParCnt >= CamOpLinkCount) {
        WriteLog("Err:Too many parents in OpNum:" + N);
        return;
    }
    if (static_cast<int>(Op.Parents.size()) <= Op.ParCnt) Op.Parents.resize(CamOpLinkCount, nullptr);
    Op.Parents[Op.ParCnt] = Adr;
    ++Op.ParCnt;
}

__attribute__((weak)) void CamOpDelParent(TObjHeader* Adr, int OpNum) {
    if (!ValidOp(OpNum)) return;
    TCamOp& Op = OpList.Cam[OpNum];
    WriteLog("Ops:Deleting parent (Adr:" + AdrText(Adr) + ", OpNum:" + std::to_string(OpNum) +
             ", OpName:" + Op.Name + ")");
    DelLink(Op.Parents, Op.ParCnt, Adr);
}

__attribute__((weak)) void CamOpDelChild(TObjHeader* Adr, int OpNum) {
    if (!ValidOp(OpNum)) return;
    TCamOp& Op = OpList.Cam[OpNum];
    WriteLog("Ops:Deleting child (Adr:" + AdrText(Adr) + ", OpNum:" + std::to_string(OpNum) +
             ", OpName:" + Op.Name + ")");
    DelLink(Op.Childs, Op.ChilCnt, Adr);
}

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
    for (int op : OpsToReg) {
        if (!ValidOp(op)) continue;
        if (Glob.AutoRegen) {
            if (RegenCamOpHook) RegenCamOpHook(op);
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
