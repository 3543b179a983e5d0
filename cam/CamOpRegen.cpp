#include "cam/CamOpRegen.h"

#include <array>
#include <string>
#include <vector>

#include "cam/CamOpList.h"
#include "cam/CamOpListDelete.h"
#include "cam/ComContour.h"
#include "cam/ComPocket.h"
#include "cam/ContourDg.h"
#include "commands/ComCommon.h"
#include "commands/ComRegen.h"
#include "core/Glob.h"
#include "core/ObjIndex.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "shell/MainVars.h"
#include "tools/ToolDg.h"

namespace {

std::array<TCamOpKind, 6> Kinds;

bool ValidOp(int OpNum) { return OpNum >= 0 && OpNum < OpList.CamCnt && OpNum < MaxCamOps; }

std::string OpLine(int n) {
    const TCamOp& Op = OpList.Cam[n];
    return std::to_string(n) + ", OpName:" + Op.Name + ", La1:" + std::to_string(Op.La1) +
           ", La2" + std::to_string(Op.La2) + ", OpType:" + std::to_string(Op.OpType) + ")";
}

void RegenByType(int OpNum) {
    const TCamOpKind& K = CamOpKind(OpList.Cam[OpNum].OpType);
    if (K.Regen) K.Regen(OpNum);
}

}  // namespace

void RegisterCamOpKind(int OpType, const TCamOpKind& Kind) {
    if (OpType >= 1 && OpType < int(Kinds.size())) Kinds[OpType] = Kind;
}

const TCamOpKind& CamOpKind(int OpType) {
    static const TCamOpKind None;
    return OpType >= 1 && OpType < int(Kinds.size()) ? Kinds[OpType] : None;
}

void RegenOpByNum(int OpNum) {
    if (!ValidOp(OpNum)) return;
    WriteLog("Ops:Regenerating Op by Num (OpNum:" + OpLine(OpNum));
    if (OpList.Cam[OpNum].ParCnt != 0) {
        RegenByType(OpNum);
        return;
    }
    // No source left: the operation goes with its paths and its sub-operations (whose
    // numbers follow their master's, so the highest goes first).
    for (int i = OpList.CamCnt - 1; i > OpNum; --i)
        if (OpList.Cam[i].MasterOp == OpNum) {
            CamOpDelAllChilds(i);
            DeleteCamOp(i);
        }
    CamOpDelAllChilds(OpNum);
    DeleteCamOp(OpNum);
}

void RegenOpsByLa(uint8_t La) {
    for (int n = 0; n < OpList.CamCnt && n < MaxCamOps; ++n) {
        const TCamOp& Op = OpList.Cam[n];
        if (Op.La1 != La && Op.La2 != La) continue;
        WriteLog("Ops:Regenerating Op by La (OpNum:" + std::to_string(n) + ", Opname:" + Op.Name +
                 ", La1:" + std::to_string(Op.La1) + ", La2" + std::to_string(Op.La2) +
                 ", OpType:" + std::to_string(Op.OpType) + ")");
        RegenByType(n);
    }
}

void RegenOpByCommand(int OpNum, void (*Command)(), const char* What) {
    if (!ValidOp(OpNum)) return;
    WriteLog(std::string("Ops:Regen ") + What + " Start (OpNum:" + std::to_string(OpNum) + ")");
    TMainVars& V = MainVars;
    // Exactly the sources are machined; the user's selection comes back afterwards.
    std::vector<TObjHeader*> Selected;
    for (TObjHeader* p = V.DataStart; p; p = p->Next)
        if (p->Flags & FlagSelected) Selected.push_back(p);
    ClearSelection(V.DataStart);
    const TCamOp& Op = OpList.Cam[OpNum];
    for (int i = 0; i < Op.ParCnt && i < int(Op.Parents.size()); ++i)
        if (Op.Parents[i]) Op.Parents[i]->Flags |= FlagSelected;
    SaveSelection();
    CamOpToDg(OpNum);
    const bool SavRegen = Glob.OpRegen, SavEdit = Glob.OpEdit;
    const int SavIndex = OpList.Index, SavCnt = V.ComCnt;
    Glob.OpRegen = Glob.OpEdit = true;
    V.ComCnt = 1;
    OpList.Index = OpNum;
    Command();
    // The regeneration rebuilt paths of the drawing, some of them in place.
    DrawingIndex().Recheck();
    OpList.Index = SavIndex;
    V.ComCnt = SavCnt;
    Glob.OpRegen = SavRegen;
    Glob.OpEdit = SavEdit;
    for (TObjHeader* p : Selected) p->Flags |= FlagSelected;
    WriteLog(std::string("Ops:Regen ") + What + " End");
}

void RegenContourOp(int OpNum) { RegenOpByCommand(OpNum, &ComContour, "ContourOp"); }

void ContourOpToDg(int OpNum) {
    TContourDialog* Dg = ContourDialog;
    if (!Dg) return;
    const TCamOp& Op = OpList.Cam[OpNum];
    Dg->ContourLa = Op.La1;
    Dg->ContourTID = Op.La1 >= 1 && Op.La1 <= ToolLayerCount ? Glob.Tool[Op.La1].TID : -1;
    Dg->EditOpConName->Text = Op.Name;
    Dg->ContourShowLaTool(Op.La1);
    Dg->ChBoxFillet->Checked = Op.Fillet;
    Dg->ChBoxInsideRevers->Checked = Op.Revers;
    (Op.Sousledne ? Dg->RBtnSousledne : Dg->RBtnNesousledne)->Click();
    Dg->ChBox3DCorner->Checked = Op.Corner3D;
    Dg->Edit3DAngle->Text = GeneralNumText(Op.Corner3DUhel * 180 / GeomPi);
    Dg->EditPridavek->Text = GeneralNumText(Op.Pridavek);
    Dg->EditDepth->Text = GeneralNumText(Op.Depth);
    if (Op.Inside && Op.Outside)
        Dg->RBtnBoth->Click();
    else if (Op.Inside)
        Dg->RBtnInside->Click();
    else if (Op.Outside)
        Dg->RBtnOutside->Click();
}

void CamOpToDg(int OpNum) {
    if (OpNum > OpList.CamCnt - 1) {
        WriteLog("Err:CamOpToDg FAILED, OpNum > OpCount (OpNum:" + std::to_string(OpNum) +
                 "OpCount:" + std::to_string(OpList.CamCnt - 1) + ")");
        return;
    }
    if (OpNum < 0) return;
    const TCamOpKind& K = CamOpKind(OpList.Cam[OpNum].OpType);
    if (K.ToDg) K.ToDg(OpNum);
}

TLayerDepths LayerDepths() {
    TLayerDepths D;
    D.fill(-1);
    for (int L = 1; L <= ToolLayerCount && L < int(D.size()); ++L) {
        Extended d = 0;
        if (MaxDepth(L, d, false)) D[size_t(L)] = d;
    }
    return D;
}

void HandOffChangedDepths(const TLayerDepths& Before, int Built) {
    const TLayerDepths Now = LayerDepths();
    TRegenQueue Q;
    for (int L = 1; L < int(Now.size()); ++L) {
        if (Now[size_t(L)] == Before[size_t(L)] || Now[size_t(L)] < 0) continue;
        SetLayerOpsDepth(uint8_t(L), Now[size_t(L)]);
        TOpMap Map;
        CamOpsOfLayer(uint8_t(L), Map);
        for (int i = 0; i < OpList.CamCnt && i < MaxCamOps; ++i)
            if (Map[size_t(i)] != 255 && i != Built) Q.Add(i);
    }
    HandOffRegen(Q);
}

void InstallCamRegen() {
    RegisterCamOpKind(OpTypeContour, {&RegenContourOp, &ContourOpToDg, "CONTOUR", "Sys:Edit ContourOp"});
    InstallPocketRegen();
    RegenCamOpHook = &RegenOpByNum;
}
