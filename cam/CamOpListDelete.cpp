#include "cam/CamOpListDelete.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "cam/CamOpList.h"
#include "core/Glob.h"
#include "core/ObjIndex.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "shell/Main.h"
#include "shell/MainVars.h"

namespace {

std::string AdrText(const TObjHeader* p) { return std::to_string(reinterpret_cast<uintptr_t>(p)); }

void RefreshPanel() {
    if (MainForm) MainForm->CamOpsToPanel();
}

// Layer La is no longer used: the objects and tools of the tool layers above it move
// down one layer, and every remaining operation on a layer above it follows, whatever
// its position in the list.
void FreeLayer(int La, int Deleted) {
    for (int L = La; L < ToolLayerCount; ++L) {
        ChangeLayerObjs(MainVars.DataStart, static_cast<uint8_t>(L + 1), static_cast<uint8_t>(L));
        Glob.Tool[L] = Glob.Tool[L + 1];
    }
    for (int i = 0; i < OpList.CamCnt; ++i) {
        if (i == Deleted) continue;
        TCamOp& Op = OpList.Cam[i];
        if (Op.La1 > La && Op.La1 <= ToolLayerCount) --Op.La1;
        if (Op.La2 > La && Op.La2 <= ToolLayerCount) --Op.La2;
    }
}

// Where every record of the drawing stands: a top-level record (owner nullptr) or a
// member of a group. A path may be a member of a group that another operation owns
// (a pocket's sub-operations hold the members of their master's groups): such a path
// leaves its group, and a group left empty goes too, so that each record is freed
// exactly once whatever the order in which operations let go of their paths. A link
// to a record the drawing does not hold is only dropped: it is never freed here.
class TDrawingOwners {
public:
    bool Built() const { return Done; }
    void Build() {
        Done = true;
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next) Add(p, nullptr);
    }
    // p, or a group it stands in, is one the caller deletes itself.
    bool Kept(TObjHeader* p, const std::unordered_set<TObjHeader*>* Keep) const {
        if (!Keep) return false;
        for (auto It = Owner.find(p); It != Owner.end(); It = Owner.find(It->second))
            if (Keep->count(It->first)) return true;
        return false;
    }
    void Delete(TObjHeader* p) {
        auto It = Owner.find(p);
        if (It == Owner.end()) {
            WriteLog("Ops:Child not in the drawing (Adr:" + AdrText(p) + ")");
            return;
        }
        TObjHeader* G = It->second;
        Forget(p);
        if (!G) {
            DeleteObj(p, MainVars.DataStart, MainVars.DataEnd);
            return;
        }
        TGroupRec* g = AsGroup(G);
        DeleteObj(p, g->First, g->Last);
        g->Count = CountObjs(g->First);
        DrawingIndex().Touched(G);
        if (!g->First) Delete(G);
    }

private:
    // Iterative: groups nested deeply (from any file) cannot exhaust the stack.
    void Add(TObjHeader* Top, TObjHeader* G) {
        std::vector<std::pair<TObjHeader*, TObjHeader*>> Work{{Top, G}};
        while (!Work.empty()) {
            auto [p, Of] = Work.back();
            Work.pop_back();
            Owner[p] = Of;
            if (p->Type == ObjGroup)
                for (TObjHeader* m = AsGroup(p)->First; m; m = m->Next) Work.emplace_back(m, p);
        }
    }
    // p and its members are about to be freed.
    void Forget(TObjHeader* Top) {
        std::vector<TObjHeader*> Work{Top};
        while (!Work.empty()) {
            TObjHeader* p = Work.back();
            Work.pop_back();
            Owner.erase(p);
            if (p->Type == ObjGroup)
                for (TObjHeader* m = AsGroup(p)->First; m; m = m->Next) Work.push_back(m);
        }
    }
    bool Done = false;
    std::unordered_map<TObjHeader*, TObjHeader*> Owner;
};

bool IsToolLayer(int La) { return La >= 1 && La <= ToolLayerCount; }

}  // namespace

void CamOpDelAllChilds(int OpNum, const std::unordered_set<TObjHeader*>* Keep) {
    if (OpNum < 0 || OpNum >= MaxCamOps) return;
    TCamOp& Op = OpList.Cam[OpNum];
    WriteLog("Ops:Deleting all childs (OpNum:" + std::to_string(OpNum) + ", OpName:" + Op.Name + ")");
    const int Used = std::clamp<int>(Op.ChilCnt, 0, static_cast<int>(Op.Childs.size()));
    TDrawingOwners Owners;
    for (int k = 0; k < Used; ++k) {
        if (TObjHeader* p = Op.Childs[k]) {
            WriteLog("Ops:Deleting child (Adr:" + AdrText(p) + ")");
            if (!Owners.Built()) Owners.Build();
            if (!Owners.Kept(p, Keep)) Owners.Delete(p);
        }
        Op.Childs[k] = nullptr;
    }
    Op.ChilCnt = 0;
}

void DeleteCamOp(int OpNum) {
    OpList.CamCnt = std::clamp<int>(OpList.CamCnt, 0, MaxCamOps);
    if (OpNum < 0 || OpNum >= OpList.CamCnt || !Glob.OpCamOp) {
        RefreshPanel();
        return;
    }
    if (Glob.AutoLayNum) {
        // Counted before any layer moves; the higher layer goes first so that the
        // lower number still names its layer.
        const int L1 = OpList.Cam[OpNum].La1, L2 = OpList.Cam[OpNum].La2;
        int Free[2] = {0, 0};
        if (IsToolLayer(L1) && LayerCamOpCount(static_cast<uint8_t>(L1)) < 2) Free[0] = L1;
        if (IsToolLayer(L2) && L2 != L1 && LayerCamOpCount(static_cast<uint8_t>(L2)) < 2) Free[1] = L2;
        std::sort(std::begin(Free), std::end(Free), std::greater<int>());
        for (int La : Free)
            if (La > 0) FreeLayer(La, OpNum);
    }
    const int Cnt = OpList.CamCnt;
    std::move(OpList.Cam.begin() + OpNum + 1, OpList.Cam.begin() + Cnt, OpList.Cam.begin() + OpNum);
    // The old last place is scratch again, with arrays of its own.
    TCamOp& Freed = OpList.Cam[Cnt - 1];
    Freed = TCamOp{};
    Freed.Parents.assign(CamOpLinkCount, nullptr);
    Freed.Childs.assign(CamOpLinkCount, nullptr);
    Freed.Depth = -1;
    OpList.CamCnt = Cnt - 1;
    for (int i = 0; i < OpList.CamCnt; ++i) {
        int32_t& M = OpList.Cam[i].MasterOp;
        if (M == OpNum)
            M = -1;
        else if (M > OpNum)
            --M;
    }
    if (Glob.AutoLayNum) {
        OpList.LastLa = MaxCamOpLayer();
        OpList.LastTID = IsToolLayer(OpList.LastLa) ? Glob.Tool[OpList.LastLa].TID : -1;
    }
    RefreshPanel();
}
