// DELETE: deletes the selected objects and keeps the operation list consistent. The
// deleted objects leave the operations' source and path lists; an operation left
// without sources or without paths goes too, with its sub-operations and every path
// they still hold.
#include "commands/ComDelete.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <unordered_set>
#include <vector>

#include "cam/CamOpList.h"
#include "cam/CamOpListDelete.h"
#include "commands/ComCommon.h"
#include "commands/ComRegen.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "shell/Main.h"
#include "shell/MainVars.h"

namespace {

// The sub-operations of main operation OpNum, by ascending number.
std::vector<int> SubOps(int OpNum) {
    std::vector<int> Subs;
    if (SubOpCount(OpNum) == 0) return Subs;
    for (int i = 0; i < OpList.CamCnt && i < MaxCamOps; ++i)
        if (i != OpNum && OpList.Cam[i].MasterOp == OpNum) Subs.push_back(i);
    return Subs;
}

// Deletes the listed operations, each with its sub-operations and the paths of all of
// them. Numbers are those before any deletion; removing from the highest number down
// keeps every lower number pointing at the operation it named.
void DeleteListedOps(const std::vector<int>& Listed, const std::unordered_set<TObjHeader*>& Later) {
    std::set<int, std::greater<int>> Doomed;
    for (int Op : Listed) {
        Doomed.insert(Op);
        for (int Sub : SubOps(Op)) Doomed.insert(Sub);
    }
    for (int Op : Listed) {
        const std::vector<int> Subs = SubOps(Op);
        for (auto It = Subs.rbegin(); It != Subs.rend(); ++It)
            WriteLog("Sys:Delete CamOp (OpNum:" + std::to_string(*It) + ", OpName:" + OpList.Cam[*It].Name + ")");
        WriteLog("Sys:Delete CamOp:" + std::to_string(Op));
    }
    for (int Op : Doomed) CamOpDelAllChilds(Op, &Later);
    for (int Op : Doomed) DeleteCamOp(Op);
}

}  // namespace

void ComDelete() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComDelete Start");
        SelectStepStart();
        return;
    }
    if (SelectStepPrevious("Usr:Select previous")) return;
    V.ComCnt = -1;
    V.FileSaved = false;
    DeleteSelectedObjects();
    V.Mouse.NextMove = mmCross;
    V.Mouse.NextDown = mdNone;
    ComLayPanelUpdate();
    WriteLog("Sys:ComDelete End");
}

void DeleteSelectedObjects() {
    TMainVars& V = MainVars;
    std::vector<TObjHeader*> Objs;
    std::unordered_set<TObjHeader*> Seen;
    std::vector<int> Listed;
    std::array<bool, MaxCamOps> IsListed{};
    TOpMap Map{};
    for (TObjHeader* p = V.DataStart; p; p = p->Next) {
        if (!(p->Flags & FlagSelected)) continue;
        if (Seen.insert(p).second) Objs.push_back(p);
        CamOpsOfObject(p, Map);
        for (int i = 0; i < OpList.CamCnt && i < MaxCamOps; ++i) {
            if (Map[i] == 1) {
                CamOpDelParent(p, i);
                if (OpList.Cam[i].ParCnt == 0 && !IsListed[i]) IsListed[i] = true, Listed.push_back(i);
            } else if (Map[i] == 2) {
                CamOpDelChild(p, i);
                if (OpList.Cam[i].ChilCnt == 0 && !IsListed[i]) IsListed[i] = true, Listed.push_back(i);
            }
        }
    }
    WriteLog("Sys:Deleted:" + std::to_string(Objs.size()) + " objects");
    // Operation numbers queued by an escaped COPY would name other operations now.
    if (!Listed.empty()) CopyRegenQueue.Clear();
    DeleteListedOps(Listed, Seen);
    for (TObjHeader* p : Objs) DeleteObj(p, V.DataStart, V.DataEnd);
}
