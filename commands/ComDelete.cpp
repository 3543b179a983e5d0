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
#include "commands/ComCommon.h"
#include "commands/ComRegen.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "shell/Main.h"
#include "shell/MainVars.h"

namespace {

// The operation-list services DELETE needs beyond the link services of the regeneration
// queue, kept here until the operation list offers them itself.

std::string AdrText(const TObjHeader* p) { return std::to_string(reinterpret_cast<uintptr_t>(p)); }

// Every generated path of the operation leaves the drawing; the child list is emptied.
// Paths in Later are left to the caller, which deletes them itself (never twice).
void DelAllChilds(int OpNum, const std::unordered_set<TObjHeader*>& Later) {
    TCamOp& Op = OpList.Cam[OpNum];
    WriteLog("Ops:Deleting all childs (OpNum:" + std::to_string(OpNum) + ", OpName:" + Op.Name + ")");
    const int Used = std::clamp<int>(Op.ChilCnt, 0, static_cast<int>(Op.Childs.size()));
    for (int k = 0; k < Used; ++k) {
        if (TObjHeader* p = Op.Childs[k]) {
            WriteLog("Ops:Deleting child (Adr:" + AdrText(p) + ")");
            if (!Later.count(p)) DeleteObj(p, MainVars.DataStart, MainVars.DataEnd);
        }
        Op.Childs[k] = nullptr;
    }
    Op.ChilCnt = 0;
}

// Removes operation OpNum: the later records move down one place (masters of
// sub-operations renumbered with them), the freed last record is emptied. The
// operation's objects are not touched.
void RemoveCamOp(int OpNum) {
    if (OpNum < 0 || OpNum >= OpList.CamCnt) return;
    if (Glob.OpCamOp) {
        const int Cnt = std::min<int>(OpList.CamCnt, MaxCamOps);
        std::move(OpList.Cam.begin() + OpNum + 1, OpList.Cam.begin() + Cnt, OpList.Cam.begin() + OpNum);
        TCamOp& Freed = OpList.Cam[Cnt - 1];
        Freed = TCamOp{};
        Freed.Parents.assign(CamOpLinkCount, nullptr);
        Freed.Childs.assign(CamOpLinkCount, nullptr);
        Freed.Depth = -1;
        OpList.CamCnt = Cnt - 1;
        // Sub-operations name their master by number: follow it down.
        for (int i = 0; i < OpList.CamCnt; ++i)
            if (OpList.Cam[i].MasterOp > OpNum) --OpList.Cam[i].MasterOp;
    }
    if (MainForm) MainForm->CamOpsToPanel();
}

// The sub-operations of a main operation: pocket roughing and finishing records that
// name it as their master.
std::vector<int> SubOps(int OpNum) {
    std::vector<int> Subs;
    for (int i = 0; i < OpList.CamCnt && i < MaxCamOps; ++i)
        if (i != OpNum && OpList.Cam[i].MasterOp == OpNum &&
            (OpList.Cam[i].OpType == OpTypePocketRough || OpList.Cam[i].OpType == OpTypePocketFin))
            Subs.push_back(i);
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
    for (int Op : Doomed) DelAllChilds(Op, Later);
    for (int Op : Doomed) RemoveCamOp(Op);
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
    DeleteListedOps(Listed, Seen);
    for (TObjHeader* p : Objs) DeleteObj(p, V.DataStart, V.DataEnd);

    V.Mouse.NextMove = mmCross;
    V.Mouse.NextDown = mdNone;
    ComLayPanelUpdate();
    WriteLog("Sys:ComDelete End");
}
