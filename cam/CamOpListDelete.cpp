#include "cam/CamOpListDelete.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

#include "cam/CamOpList.h"
#include "core/Glob.h"
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

bool IsToolLayer(int La) { return La >= 1 && La <= ToolLayerCount; }

}  // namespace

void CamOpDelAllChilds(int OpNum, const std::unordered_set<TObjHeader*>* Keep) {
    if (OpNum < 0 || OpNum >= MaxCamOps) return;
    TCamOp& Op = OpList.Cam[OpNum];
    WriteLog("Ops:Deleting all childs (OpNum:" + std::to_string(OpNum) + ", OpName:" + Op.Name + ")");
    const int Used = std::clamp<int>(Op.ChilCnt, 0, static_cast<int>(Op.Childs.size()));
    for (int k = 0; k < Used; ++k) {
        if (TObjHeader* p = Op.Childs[k]) {
            WriteLog("Ops:Deleting child (Adr:" + AdrText(p) + ")");
            if (!Keep || !Keep->count(p)) DeleteObj(p, MainVars.DataStart, MainVars.DataEnd);
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
