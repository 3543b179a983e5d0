#include "cam/CamOpList.h"

#include <algorithm>
#include <cstdint>

#include "core/UniLog.h"

TOpList OpList;

namespace {

void ClearCamOp(TCamOp& Op) {
    Op.Parents.assign(CamOpLinkCount, nullptr);
    Op.Childs.assign(CamOpLinkCount, nullptr);
    Op.Name.clear();
    Op.OpType = 0;
    Op.La1 = 0;
    Op.La2 = 0;
    Op.ParCnt = 0;
    Op.ChilCnt = 0;
    Op.Inside = Op.Outside = Op.Revers = Op.Sousledne = false;
    Op.TgIn = Op.TgOut = false;
    Op.TgUhel = Op.TgPolomer = Op.Pridavek = 0;
    Op.Fillet = Op.Corner3D = false;
    Op.Corner3DUhel = 0;
    Op.FillType = Op.Strategy = Op.EdgeMode = 0;
    Op.ThinError = Op.AllError = 0;
    Op.Crossing = false;
    Op.MFillUhel = Op.MFillPresah = Op.MfillPridavek = 0;
    Op.RFillUhel = Op.RFillPresah = Op.RFillPridavek = 0;
    Op.OnePassFin = false;
    Op.Depth = -1;
}

}  // namespace

void ClearOpList(TOpList& Ops) {
    for (TCamOp& Op : Ops.Cam) ClearCamOp(Op);
    Ops.CamCnt = 0;
    Ops.CadCnt = 0;
    Ops.LastLa = 1;
    Ops.LastTID = -1;
    Ops.LastHintIndex = -1;
}

void InitCamOps() {
    WriteLog("Sys:Init CamOps");
    ClearOpList(OpList);
}

void CamOpAddChild(TObjHeader* Adr, int OpNum) {
    // Numbers from a damaged job file may exceed the list: ignore them too.
    if (Adr == nullptr || OpNum < 0 || OpNum >= MaxCamOps) return;
    TCamOp& Op = OpList.Cam[OpNum];
    const std::string A = std::to_string(reinterpret_cast<uintptr_t>(Adr));
    const std::string N = std::to_string(OpNum);
    WriteLog("Ops:Adding child (Adr:" + A + ", OpNum:" + N + ", OpName:" + Op.Name + ")");
    const int Used = std::clamp<int>(Op.ChilCnt, 0, static_cast<int>(Op.Childs.size()));
    if (std::find(Op.Childs.begin(), Op.Childs.begin() + Used, Adr) != Op.Childs.begin() + Used) {
        WriteLog("Ops:Child:" + A + " already exist in OpNum:" + N + ", exit");
        return;
    }
    // The operation may hold at most CamOpLinkCount paths.
    if (Op.ChilCnt < 0 || Op.ChilCnt >= CamOpLinkCount) {
        WriteLog("Err:Too many childs in OpNum:" + N);
        return;
    }
    if (static_cast<int>(Op.Childs.size()) <= Op.ChilCnt) Op.Childs.resize(CamOpLinkCount, nullptr);
    Op.Childs[Op.ChilCnt] = Adr;
    ++Op.ChilCnt;
}
