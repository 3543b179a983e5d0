#include "cam/CamOpList.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "commands/ComRegen.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniLog.h"

TOpList OpList;

namespace {

// Every slot of a link list emptied: a list of the full length is zeroed as one block
// of memory (a list of a hundred operations holds 200,000 slots, cleared for every
// job opened), null being the all-zero pointer here.
void ClearLinks(std::vector<TObjHeader*>& Links) {
    if (Links.size() != size_t(CamOpLinkCount)) Links.assign(CamOpLinkCount, nullptr);
    else std::memset(static_cast<void*>(Links.data()), 0, Links.size() * sizeof(TObjHeader*));
}

void ClearCamOp(TCamOp& Op) {
    ClearLinks(Op.Parents);
    ClearLinks(Op.Childs);
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
    // Numbers queued by an escaped COPY named operations of the list just emptied.
    CopyRegenQueue.Clear();
}

namespace {

std::string AdrText(const TObjHeader* Adr) { return std::to_string(reinterpret_cast<uintptr_t>(Adr)); }

// The used part of a link list (a count out of range is clamped to the storage).
int UsedLinks(int32_t Cnt, const std::vector<TObjHeader*>& Links) {
    return std::clamp<int>(Cnt, 0, static_cast<int>(Links.size()));
}

bool HasLink(const std::vector<TObjHeader*>& Links, int32_t Cnt, const TObjHeader* Adr) {
    const auto End = Links.begin() + UsedLinks(Cnt, Links);
    return std::find(Links.begin(), End, Adr) != End;
}

// Appends Adr to a source or path list of operation OpNum, with the log lines of
// that list. Numbers from a damaged job file may exceed the list: ignored too.
void AddLink(TObjHeader* Adr, int OpNum, bool Parent) {
    if (Adr == nullptr || OpNum < 0 || OpNum >= MaxCamOps) return;
    TCamOp& Op = OpList.Cam[OpNum];
    std::vector<TObjHeader*>& Links = Parent ? Op.Parents : Op.Childs;
    int32_t& Cnt = Parent ? Op.ParCnt : Op.ChilCnt;
    const std::string A = AdrText(Adr), N = std::to_string(OpNum);
    WriteLog(std::string(Parent ? "Ops:Adding parent" : "Ops:Adding child") + " (Adr:" + A + ", OpNum:" + N +
             ", OpName:" + Op.Name + ")");
    if (HasLink(Links, Cnt, Adr)) {
        WriteLog((Parent ? "Ops:Parrent Adr:" : "Ops:Child:") + A + " already exist in OpNum:" + N + ", exit");
        return;
    }
    // The operation may hold at most CamOpLinkCount links of each kind.
    if (Cnt < 0 || Cnt >= CamOpLinkCount) {
        WriteLog((Parent ? "Err:Too many parents in OpNum:" : "Err:Too many childs in OpNum:") + N);
        return;
    }
    if (static_cast<int>(Links.size()) <= Cnt) Links.resize(CamOpLinkCount, nullptr);
    Links[Cnt] = Adr;
    ++Cnt;
}

// Removes the first occurrence of Adr from a source or path list (logged).
void DelLink(TObjHeader* Adr, int OpNum, bool Parent) {
    if (OpNum < 0 || OpNum >= MaxCamOps) return;
    TCamOp& Op = OpList.Cam[OpNum];
    WriteLog(std::string(Parent ? "Ops:Deleting parent" : "Ops:Deleting child") + " (Adr:" + AdrText(Adr) +
             ", OpNum:" + std::to_string(OpNum) + ", OpName:" + Op.Name + ")");
    std::vector<TObjHeader*>& Links = Parent ? Op.Parents : Op.Childs;
    int32_t& Cnt = Parent ? Op.ParCnt : Op.ChilCnt;
    const int Used = UsedLinks(Cnt, Links);
    auto End = Links.begin() + Used;
    auto It = std::find(Links.begin(), End, Adr);
    if (It == End) return;
    std::move(It + 1, End, It);
    Links[Used - 1] = nullptr;
    Cnt = Used - 1;
}

}  // namespace

void CamOpAddChild(TObjHeader* Adr, int OpNum) { AddLink(Adr, OpNum, false); }
void CamOpAddParent(TObjHeader* Adr, int OpNum) { AddLink(Adr, OpNum, true); }
void CamOpDelParent(TObjHeader* Adr, int OpNum) { DelLink(Adr, OpNum, true); }
void CamOpDelChild(TObjHeader* Adr, int OpNum) { DelLink(Adr, OpNum, false); }

void CamOpsOfObject(const TObjHeader* Adr, TOpMap& Map) {
    Map.fill(0);
    const int Cnt = std::clamp<int>(OpList.CamCnt, 0, MaxCamOps);
    for (int i = 0; i < Cnt; ++i) {
        const TCamOp& Op = OpList.Cam[i];
        if (HasLink(Op.Parents, Op.ParCnt, Adr))
            Map[i] = 1;
        else if (HasLink(Op.Childs, Op.ChilCnt, Adr))
            Map[i] = 2;
    }
}

namespace {

int UsedOps() { return std::clamp<int>(OpList.CamCnt, 0, MaxCamOps); }
// Layer 0 is "no second layer", never a match.
bool OnLayer(const TCamOp& Op, uint8_t La) { return La != 0 && (Op.La1 == La || Op.La2 == La); }

}  // namespace

void CamOpsOfLayer(uint8_t La, TOpMap& Map) {
    Map.fill(255);
    for (int i = 0; i < UsedOps(); ++i)
        if (OnLayer(OpList.Cam[i], La)) Map[i] = static_cast<uint8_t>(i);
}

bool LayerHasCamOp(uint8_t La) { return LayerCamOpCount(La) > 0; }

int LayerCamOpCount(uint8_t La) {
    int n = 0;
    for (int i = 0; i < UsedOps() && La != 0; ++i) n += (OpList.Cam[i].La1 == La) + (OpList.Cam[i].La2 == La);
    return n;
}

int MaxCamOpLayer() {
    int m = 1;
    for (int i = 0; i < UsedOps(); ++i) m = std::max({m, OpList.Cam[i].La1, OpList.Cam[i].La2});
    return m;
}

void SetLayerOpsDepth(uint8_t La, Extended Depth) {
    for (int i = 0; i < UsedOps(); ++i)
        if (OnLayer(OpList.Cam[i], La)) OpList.Cam[i].Depth = Depth;
}

int SubOpCount(int MasterId) {
    int n = 0;
    for (int i = 0; i < UsedOps(); ++i) n += OpList.Cam[i].MasterOp == MasterId;
    return n;
}

int CamOpLinkIndex(const TObjHeader* Adr, const std::vector<TObjHeader*>& Links) {
    const size_t n = std::min<size_t>(Links.size(), CamOpLinkCount);
    for (size_t j = 0; j < n; ++j)
        if (Links[j] == Adr) return static_cast<int>(j);
    return 0;
}

int CamOpParentIndex(const TObjHeader* Adr, int OpNum) {
    return OpNum < 0 || OpNum >= MaxCamOps ? 0 : CamOpLinkIndex(Adr, OpList.Cam[OpNum].Parents);
}

int CamOpChildIndex(const TObjHeader* Adr, int OpNum) {
    return OpNum < 0 || OpNum >= MaxCamOps ? 0 : CamOpLinkIndex(Adr, OpList.Cam[OpNum].Childs);
}

void SaveCamModeFlags() {
    Glob.SavOpEdit = Glob.OpEdit;
    Glob.SavOpRegen = Glob.OpRegen;
    Glob.SavOpNew = Glob.OpNew;
}

void RestoreCamModeFlags() {
    Glob.OpEdit = Glob.SavOpEdit;
    Glob.OpRegen = Glob.SavOpRegen;
    Glob.OpNew = Glob.SavOpNew;
}

void AddObjsToSubOp(int32_t SubOpId, TObjHeader* Obj) {
    if (!Obj) {
        WriteLog("Err:FAILED Add obj to SubOp (Adr:0)");
        return;
    }
    WriteLog("Ops:Adding Child to SubOp (SubOpId:" + std::to_string(SubOpId) + ", Adr:" + AdrText(Obj) + ")");
    for (TObjHeader* r = Obj; r;) {
        TObjHeader* next = r->Next;
        CamOpAddChild(r, SubOpId);
        r = next;
    }
}
