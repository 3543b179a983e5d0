#include "cam/PocketBuild.h"

#include <cmath>
#include <string>
#include <algorithm>
#include <vector>

#include "cam/CamOpList.h"
#include "cam/CamOpListDelete.h"
#include "cam/CamOpListRecord.h"
#include "cam/FillDg.h"
#include "cam/MeaRepDg.h"
#include "cam/PocketFill.h"
#include "cam/RestFill.h"
#include "commands/ComCommon.h"
#include "core/Global.h"
#include "core/Glob.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniNesting.h"
#include "core/UniPline.h"
#include "platform/Dialogs.h"
#include "shell/MainCursor.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"
#include "tools/ToolDg.h"

namespace {

bool ToolLayer(int La) { return La >= 1 && La <= ToolLayerCount; }

// The values of the pocket dialog.
struct TPocket {
    Extended Depth = 0, AllError = 0, ThinError = 0, Angle1 = 0, Overlap1 = 0, Prid1 = 0, Limit3D = 0;
    Extended Angle2 = 0, Overlap2 = 0, Prid2 = 0;
    int Strategy = 0, FillType = 0;
    bool Corner3D = false, Crossing = false, Climb = true;
    int La1 = 1, La2 = 2;
    Extended D1 = 0, R1 = 0, Dist1 = 0, Step1 = 0, D2 = 0, R2 = 0, Dist2 = 0, Step2 = 0;
    Extended Rough = 0, Finish = 0;
};

// A field as a number; on failure the log line (with the typed text) and the error line.
bool Field(const TEdit* E, Extended& V, bool Mark, const std::string& LogStem, int MsgNo) {
    if (StrToExtCalc(E->Text, V, Mark)) return true;
    WriteLog(LogStem + E->Text + ")");
    FillErrors().push_back(Msg[MsgNo]);
    return false;
}

void Fail(const std::string& Log, int MsgNo) {
    WriteLog(Log);
    FillErrors().push_back(Msg[MsgNo]);
}

bool ReadAngle(const TEdit* E, Extended& A, const std::string& LogStem) {
    Extended Deg = 0;
    if (!StrToExtCalc(E->Text, Deg, true) || !FillAngle(Deg, A)) {
        WriteLog(LogStem + E->Text + ")");
        FillErrors().push_back(Msg[73]);
        return false;
    }
    return true;
}

void ReadValues(TFillDialog& Dg, TPocket& P) {
    Field(Dg.EditDepth, P.Depth, false, "Err:Wrong depth (", 108);
    Field(Dg.EditAllError, P.AllError, true, "Err:Wrong widen (", 72);
    P.Strategy = Dg.RBtnSingleToolErr->Checked ? 1 : Dg.RBtnDoubleTool->Checked ? 2 : 0;
    P.FillType = Dg.RBtnOffset->Checked ? 1 : 0;
    const bool La1Ok = ToolLayer(P.La1) && ToolDistLa(P.La1, P.Dist1, -1, false);
    if (!La1Ok) Fail("Err:Wrong tool or depth of cut (La1:" + std::to_string(P.La1) + ")", 40);
    if (P.Strategy == 1) Field(Dg.EditThinError, P.ThinError, true, "Err:Wrong widen (", 72);
    ReadAngle(Dg.EditUhelSraf, P.Angle1, "Err:Wrong angle of fill (");
    if (ToolLayer(P.La1)) {
        P.D1 = Glob.Tool[P.La1].SpodniPrumer;
        P.R1 = P.D1 > 0 ? P.D1 / 2 : 0;
        P.Step1 = 0.75L * P.D1;
    }
    if (Field(Dg.EditPresahSrafMm, P.Overlap1, true, "Err:Wrong fill overhang (", 74)) P.Step1 = P.D1 - P.Overlap1;
    if (!(P.Step1 >= 0.01L)) Fail("Err:Wrong overhang, too big", 75);
    // A negative overlap spaces the paths wider than the tool: strips stay uncut.
    else if (P.Overlap1 < 0) Fail("Err:Wrong fill overhang (" + Dg.EditPresahSrafMm->Text + ")", 74);
    Field(Dg.EditPridSrafMm, P.Prid1, true, "Err:Wrong fill overhang (", 41);
    P.Corner3D = Dg.ChBox3DCorner->Checked;
    P.Crossing = Dg.ChBoxCrossing->Checked;
    if (P.Corner3D) Field(Dg.Edit3DAngle, P.Limit3D, true, "Err:Wrong 3D corner limit angle (", 42);
    P.Limit3D = P.Limit3D * GeomPi / 180;
    if (P.Strategy == 2) {
        const bool La2Ok = ToolLayer(P.La2);
        if (!La2Ok) Fail("Err:Wrong rest tool (La2:" + std::to_string(P.La2) + ")", 40);
        Extended D = 0;
        if (!ToolLayer(P.La1) || !ToolDistLa(P.La1, D, -1, false)) Fail("Err:Wrong tool or depth of cut", 40);
        if (La2Ok) {
            P.D2 = Glob.Tool[P.La2].SpodniPrumer;
            P.R2 = P.D2 / 2;
            P.Step2 = 0.75L * P.D2;
        }
        if (P.La1 == P.La2) Fail("Err:", 76);
        if (La2Ok && !ToolDistLa(P.La2, P.Dist2, -1, false)) Fail("Err:Wrong tool or depth of cut", 40);
        if (La2Ok && La1Ok && !(P.Dist2 < P.Dist1)) Fail("Err:Rest tool must be smaller then main tool", 77);
        ReadAngle(Dg.EditSmUhelSraf, P.Angle2, "Err:Wrong fill angle (");
        if (!StrToExtCalc(Dg.EditSmPresahSraf->Text, P.Overlap2, true))
            Fail("Err:Wrong widen of rest tool", 74);
        else
            P.Step2 = P.D2 - P.Overlap2;
        // A negative overlap leaves strips between the rest tool's passes as well.
        if (!(P.Step2 >= CoordTol) || P.Overlap2 < 0) Fail("Err:Wrong overhang of rest tool", 75);
        if (!StrToExtCalc(Dg.EditSmPridSraf->Text, P.Prid2, true)) Fail("Err:Wrong overhang of rest tool", 41);
    }
    P.Rough = P.Dist1 + P.Prid1 - P.AllError;
    P.Finish = P.Dist1 - P.AllError;
}

// The cutting distances once the dialog's depth is in the pass tables: a pointed tool
// cuts wider the deeper it goes, so the distances read before would put the paths
// into the walls. False (with the error line) when a tool gives none at that depth.
bool DistsAtDepth(TPocket& P) {
    if (!ToolDistLa(P.La1, P.Dist1, -1, false)) {
        Fail("Err:Wrong tool or depth of cut (La1:" + std::to_string(P.La1) + ")", 40);
        return false;
    }
    if (P.Strategy == 2) {
        if (!ToolDistLa(P.La2, P.Dist2, -1, false)) {
            Fail("Err:Wrong tool or depth of cut", 40);
            return false;
        }
        if (!(P.Dist2 < P.Dist1)) {
            Fail("Err:Rest tool must be smaller then main tool", 77);
            return false;
        }
    }
    P.Rough = P.Dist1 + P.Prid1 - P.AllError;
    P.Finish = P.Dist1 - P.AllError;
    return true;
}

// An edited pocket keeps exactly the sub-operations its strategy records (two, or none
// with two tools): records of other operations behind it are never written over.
void FitSubOps(int Idx, int Needed) {
    Glob.OpCamOp = true;
    int Have = 0;
    for (int i = Idx + 1; i < OpList.CamCnt; ++i)
        if (OpList.Cam[i].MasterOp == Idx) ++Have;
    if (Have > Needed) {
        for (int i = OpList.CamCnt - 1; i > Idx; --i)
            if (OpList.Cam[i].MasterOp == Idx) DeleteCamOp(i);
        Have = 0;
    }
    const int Add = Needed - Have;
    if (Add <= 0 || OpList.CamCnt + Add > MaxCamOps) return;
    const int At = Idx + 1 + Have;
    std::move_backward(OpList.Cam.begin() + At, OpList.Cam.begin() + OpList.CamCnt,
                       OpList.Cam.begin() + OpList.CamCnt + Add);
    for (int i = At; i < At + Add; ++i) {
        OpList.Cam[i] = TCamOp{};
        OpList.Cam[i].Parents.assign(CamOpLinkCount, nullptr);
        OpList.Cam[i].Childs.assign(CamOpLinkCount, nullptr);
        OpList.Cam[i].MasterOp = Idx;
    }
    OpList.CamCnt += Add;
    for (int i = 0; i < OpList.CamCnt; ++i)
        if ((i < At || i >= At + Add) && OpList.Cam[i].MasterOp >= At) OpList.Cam[i].MasterOp += Add;
}

// Paths of sub-operations are members of the master's groups: they go with the groups,
// the sub-operations only let go of them (nothing is deleted, path by path, here).
void ForgetSubOpPaths(int Idx) {
    for (int i = Idx + 1; i < OpList.CamCnt; ++i) {
        TCamOp& Op = OpList.Cam[i];
        if (Op.MasterOp != Idx) continue;
        WriteLog("Ops:Deleting all childs (OpNum:" + std::to_string(i) + ", OpName:" + Op.Name + ")");
        const size_t Used = std::min(Op.Childs.size(), size_t(std::max(0, Op.ChilCnt)));
        std::fill(Op.Childs.begin(), Op.Childs.begin() + long(Used), nullptr);
        Op.ChilCnt = 0;
    }
}

}  // namespace

bool FillAngle(Extended Degrees, Extended& Radians) {
    if (!std::isfinite(Degrees) || std::fabs(Degrees) > 360) return false;
    Extended a = Degrees * GeomPi / 180;
    if (a < 0) a += Geom2Pi;
    if (a > GeomPi) a -= GeomPi;
    Radians = a;
    return true;
}

bool CreatePocketToolpath(TObjHeader*& SrcStart, TObjHeader*& SrcEnd, bool TestObjects, TObjHeader*& DrawStart,
                          TObjHeader*& DrawEnd) {
    TFillRun Run("pocket");
    const int Idx = Run.Idx;
    TFillDialog* Dg = FillDialog;
    if (!Run.HasSlot() || !Dg) {
        FreeObjList(SrcStart, SrcEnd);
        return false;
    }
    auto End = [&]() { return Run.End(SrcStart, SrcEnd); };
    if (TestObjects) {
        if (!TestFillObjects(SrcStart, SrcEnd)) {
            Run.Failed = true;
            return End();
        }
        if (!FillErrors().empty()) return End();
    }
    Dg->Switch();
    ResetMainCursor();
    TPocket P;
    if (!Glob.OpEdit) {
        if (Glob.AutoLayNum) {
            P.La1 = OpList.LastLa;
            P.La2 = P.La1 < ToolLayerCount ? P.La1 + 1 : P.La1;
        } else {
            P.La1 = Glob.LayerDraw == 0 || Glob.LayerDraw > ToolLayerCount ? 1 : Glob.LayerDraw;
            P.La2 = P.La1 < ToolLayerCount - 1 ? P.La1 + 1 : P.La1;
        }
        int Pockets = 0;
        for (int i = 0; i < OpList.CamCnt; ++i)
            if (OpList.Cam[i].OpType == OpTypePocket) ++Pockets;
        if (!Glob.OpRegen) Dg->EditOpPockName->Text = Dg->StrFillName + std::to_string(Pockets + 1);
    } else {
        P.La1 = OpList.Cam[Idx].La1;
        // A pocket made with one tool has no rest layer yet: the one above its tool's.
        P.La2 = OpList.Cam[Idx].La2 != 0 ? OpList.Cam[Idx].La2 : std::min(P.La1 + 1, ToolLayerCount);
    }
    Dg->FillShowLaTool(P.La1, P.La2);
    if (!Glob.OpRegen && Dg->ShowModal() != mrOk) {
        Run.Done = Run.Failed = true;
        return End();
    }
    // The dialog's tool boxes may have chosen other layers.
    P.La1 = Dg->ShownLa1;
    P.La2 = Dg->ShownLa2;
    GroupByNesting(SrcStart, SrcEnd, uint8_t(P.La1));
    P.Climb = Dg->RBtnSousl->Checked;
    OrientRegions(SrcStart, P.Climb);
    ReadValues(*Dg, P);
    if (!FillErrors().empty()) {
        Run.Failed = true;
        return End();
    }
    ComRedrawView();
    if (Glob.AutoApplyToolOpen) {
        DepthToTool(P.Depth, P.La1, false);
        if (P.Strategy == 2 && ToolLayer(P.La2)) DepthToTool(P.Depth, P.La2, false);
        if (!DistsAtDepth(P)) {
            Run.Failed = true;
            return End();
        }
    }
    if (!Glob.OpEdit) OpList.Index = OpList.CamCnt;
    RecordOpPocket(uint8_t(P.FillType), uint8_t(P.Strategy), P.Climb, P.ThinError, P.AllError, P.Angle1, P.Overlap1,
                   P.Prid1, P.Angle2, P.Overlap2, P.Prid2, P.Limit3D, P.Crossing, P.Corner3D, P.La1,
                   P.Strategy == 2 ? P.La2 : 0, Dg->EditOpPockName->Text, P.Depth, false);
    if (Glob.OpEdit) {
        ForgetSubOpPaths(Idx);
        CamOpDelAllChilds(Idx);
        FitSubOps(Idx, P.Strategy == 2 ? 0 : 2);
    } else {
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next)
            if (p->Flags & FlagSelected) CamOpAddParent(p, Idx);
        Glob.OpCamOp = true;
    }
    TFillParams F;
    F.Meander = P.FillType == 0;
    F.Crossing = P.Crossing;
    F.La = uint8_t(P.La1);
    F.Limit3D = P.Limit3D;
    F.R = P.R1;
    F.Angle = P.Angle1;
    F.Step = P.Step1;
    F.Rough = P.Rough;
    F.Finish = P.Finish;
    F.ThinError = P.ThinError;
    TRegionCounts Tot;
    TRestParams RP;
    RP.La2 = uint8_t(P.La2);
    RP.R2 = P.R2;
    RP.Angle2 = P.Angle2;
    RP.Step2 = P.Step2;
    RP.Dist2 = P.Dist2;
    RP.Prid2 = P.Prid2;
    RP.Dist1 = P.Dist1;
    RP.AllError = P.AllError;
    for (TObjHeader* G = SrcStart; G; G = G->Next) {
        TRegionCounts C;
        if (P.Strategy == 2) {
            if (!FillWithRestTool(G, F, RP)) ++C.Failed;
        } else if (P.Strategy == 1) {
            FillWithWidening(G, F, true, true, C);
        } else if (!SimpleFill(G, F)) {
            ++C.Failed;
        }
        Tot.Add(C);
    }
    if (P.Strategy == 0 && Tot.Failed > 0) FillErrors().push_back(Msg[80] + std::to_string(Tot.Failed) + Msg[81]);
    if (P.Strategy == 2 && Tot.Failed > 0) {
        WriteLog("Err:Errors in creating (" + std::to_string(Tot.Failed) + ")");
        FillErrors().push_back(Msg[82] + std::to_string(Tot.Failed) + Msg[81]);
    }
    if (P.Strategy == 1 && (Tot.Failed > 0 || Tot.Open > 0 || Tot.CenterDropped > 0)) ShowPocketReport(Tot);
    Run.Done = true;
    return End();
}
