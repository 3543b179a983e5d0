#include "cam/PocketBuild.h"

#include <cmath>
#include <string>
#include <unordered_set>
#include <vector>

#include "cam/CamOpList.h"
#include "cam/CamOpListDelete.h"
#include "cam/CamOpListRecord.h"
#include "cam/ContourBuild.h"
#include "cam/FillDg.h"
#include "cam/MeanderFill.h"
#include "cam/OffsetFill.h"
#include "cam/PocketRegionOffset.h"
#include "cam/Sort.h"
#include "commands/ComCommon.h"
#include "core/Global.h"
#include "core/Glob.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniNesting.h"
#include "core/UniPline.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"
#include "tools/ToolDg.h"

namespace {

std::vector<std::string> Errors;

std::string B(bool V) { return V ? "true" : "false"; }
bool ToolLayer(int La) { return La >= 1 && La <= ToolLayerCount; }

void ShowErrors(const std::string& Caption) {
    std::string Text = Caption;
    for (const std::string& L : Errors) Text += "\r\n" + L;
    ShowMessage(Text);
}

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
    Errors.push_back(Msg[MsgNo]);
    return false;
}

void Fail(const std::string& Log, int MsgNo) {
    WriteLog(Log);
    Errors.push_back(Msg[MsgNo]);
}

bool ReadAngle(const TEdit* E, Extended& A, const std::string& LogStem) {
    Extended Deg = 0;
    if (!StrToExtCalc(E->Text, Deg, true) || !FillAngle(Deg, A)) {
        WriteLog(LogStem + E->Text + ")");
        Errors.push_back(Msg[73]);
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
        // Rest machining with a second tool is not offered by this build.
        Fail("Err:Wrong rest tool (La2:" + std::to_string(P.La2) + ")", 40);
    }
    P.Rough = P.Dist1 + P.Prid1 - P.AllError;
    P.Finish = P.Dist1 - P.AllError;
}

// Climb milling: the outer contour counter-clockwise, the islands clockwise.
void OrientRegions(TObjHeader* First, bool Climb) {
    for (TObjHeader* G = First; G; G = G->Next) {
        TObjHeader* Outer = G->Type == ObjGroup ? AsGroup(G)->First : G;
        if (!Outer || Outer->Type != ObjPline) continue;
        if (EnPline.FindDir(Outer) == Climb) EnPline.ChangeDir(Outer);
        const bool OuterCw = EnPline.FindDir(Outer);
        if (G->Type != ObjGroup) continue;
        for (TObjHeader* I = Outer->Next; I; I = I->Next)
            if (I->Type == ObjPline && EnPline.FindDir(I) == OuterCw) EnPline.ChangeDir(I);
    }
}

TObjHeader* RegionFirst(TObjHeader* G) { return G->Type == ObjGroup ? AsGroup(G)->First : G; }
int RegionCount(TObjHeader* G) { return G->Type == ObjGroup ? AsGroup(G)->Count : 1; }

// The offset of a region at D (0 stands for 0.001): false when it broke apart or did
// not give one loop per contour.
bool RegionLoops(TObjHeader* G, Extended D, uint8_t La, TObjHeader*& S, TObjHeader*& E, TObjHeader*& FS,
                 TObjHeader*& FE) {
    const TObjHeader* Before = E;
    const bool Ok = PocketRegionOffset(true, RegionFirst(G), D == 0 ? 0.001L : D, S, E, FS, FE, La);
    int n = 0;
    for (TObjHeader* p = Before ? Before->Next : S; p; p = p->Next) ++n;
    return Ok && !FS && n == RegionCount(G);
}

struct TRegionResult {
    int CenterKept = 0, CenterDropped = 0, FinishCount = 0;
};

// One region: roughing fill inside the roughing boundary, finishing contours, the
// centre lines through narrow places (Thin), the sub-operations and the group.
bool FillRegion(TObjHeader* G, const TPocket& P, bool Thin, bool& SubOpsRecorded, TRegionResult& Res) {
    const int Idx = OpList.Index;
    const uint8_t La = uint8_t(P.La1);
    WriteLog(Thin ? "CAM:Creating fill with thin err Start (La:" + std::to_string(La) + ")"
                  : "CAM:Creating simple fill Start (La:" + std::to_string(La) + ")");
    bool Result = true;
    TObjHeader *BS = nullptr, *BE = nullptr, *FS = nullptr, *FE = nullptr;
    if (!RegionLoops(G, P.Rough, La, BS, BE, FS, FE) && !Thin) Result = false;
    FreeObjList(FS, FE);
    TObjHeader *RS = nullptr, *RE = nullptr;
    const bool CopyContours = !Thin && std::fabs(P.Finish - P.Rough) > CoordTol;
    if (BS) CreateFills(BS, BE, P.FillType == 0, La, RS, RE, P.R1, P.Angle1, P.Step1, CopyContours);
    FreeObjList(BS, BE);
    TObjHeader *CS = nullptr, *CE = nullptr, *NS = nullptr, *NE = nullptr;
    if (!RegionLoops(G, P.Finish, La, CS, CE, NS, NE) && !Thin) Result = false;
    TObjHeader *LS = nullptr, *LE = nullptr;
    if (Thin) {
        int Pieces = 0;
        for (TObjHeader* p = NS; p; p = p->Next) ++Pieces;
        Res.CenterKept = CreateCenterLines(NS, NE, LS, LE, La, P.ThinError, P.Finish);
        Res.CenterDropped = Pieces / 2 - Res.CenterKept;
        SortLayer(La, LS, LE, Osy{0, 0}, TSortOptions{});
    }
    FreeObjList(NS, NE);
    for (TObjHeader* p = CS; p; p = p->Next) ++Res.FinishCount;
    SortLayer(La, CS, CE, Osy{0, 0}, TSortOptions{});
    if (P.Crossing) JoinFills(RS, RE, CS);
    ConcatObjLists(RS, RE, LS, LE);
    if (OpList.Cam[Idx].OpType == OpTypePocket) {
        RecordSubOp(Idx + 1, OpTypePocketRough, "Pocket rough", La, Idx);
        if (RS) AddObjsToSubOp(Idx + 1, RS);
        RecordSubOp(Idx + 2, OpTypePocketFin, "Pocket fin", La, Idx);
        if (CS) AddObjsToSubOp(Idx + 2, CS);
        if (!Glob.OpEdit && !SubOpsRecorded) OpList.CamCnt = std::min(OpList.CamCnt + 2, MaxCamOps);
        SubOpsRecorded = true;
    }
    ConcatObjLists(RS, RE, CS, CE);
    if (RS) {
        TObjHeader* Grp = MakeGroup(true, RS, RE);
        Grp->Layer = La;
        AppendObj(Grp, MainVars.DataStart, MainVars.DataEnd);
        CamOpAddChild(Grp, Idx);
    }
    WriteLog(Thin ? "CAM:Creating fill with thin err End" : "CAM:Creating simple fill End");
    return Result;
}

// Paths of sub-operations are members of the master's groups: they go with the groups.
void ForgetSubOpPaths(int Idx) {
    for (int i = Idx + 1; i < OpList.CamCnt; ++i) {
        if (OpList.Cam[i].MasterOp != Idx) continue;
        TCamOp& Op = OpList.Cam[i];
        std::unordered_set<TObjHeader*> Keep(Op.Childs.begin(), Op.Childs.begin() + std::min<size_t>(Op.Childs.size(), size_t(std::max(0, Op.ChilCnt))));
        CamOpDelAllChilds(i, &Keep);
    }
}

// Open polylines: join them on the user's word; false when some stay open.
bool JoinOpen(TObjHeader*& S, TObjHeader*& E, bool& Joined) {
    int Open = 0;
    for (TObjHeader* p = S; p; p = p->Next)
        if (p->Type == ObjPline && EnPline.OpenPline(p)) ++Open;
    if (Open == 0) return true;
    if (Joined) {
        WriteLog("Err:Open plines selected");
        ShowMessage(Msg[15]);
        return false;
    }
    WriteLog("Sys:Join pline?");
    if (MessageDlg(Msg[64] + ": " + std::to_string(Open) + ", " + Msg[65], TMsgDlgType::mtConfirmation,
                   mbOKCancel) != mrOk) {
        WriteLog("Usr:No");
        ShowMessage(Msg[15]);
        return false;
    }
    WriteLog("Usr:Yes");
    for (TObjHeader* p = S; p; p = p->Next) p->Flags |= FlagSelected;
    EnPline.Join(0, S, E);
    Joined = true;
    return JoinOpen(S, E, Joined);
}

void TestCrossings(TObjHeader* S) {
    int Loops = 0;
    std::vector<TObjHeader*> Objs;
    for (TObjHeader* p = S; p; p = p->Next) {
        if (p->Type != ObjPline) continue;
        Objs.push_back(p);
        Osy P1, P2;
        int32_t At = 0;
        if (EnPline.LoopTest(p, P1, P2, At) > 0) ++Loops;
    }
    if (Loops > 0) Errors.push_back(Msg[16] + std::to_string(Loops));
    std::vector<bool> Counted(Objs.size(), false);
    int Cross = 0;
    ForCrossingPairs(Objs, [&](int i, int) {
        if (!Counted[size_t(i)]) {
            Counted[size_t(i)] = true;
            ++Cross;
        }
        return true;
    });
    if (Cross > 0) Errors.push_back(Msg[46] + std::to_string(Cross));
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

const std::vector<std::string>& PocketErrors() { return Errors; }

bool CreatePocketToolpath(TObjHeader*& SrcStart, TObjHeader*& SrcEnd, bool TestObjects, TObjHeader*& DrawStart,
                          TObjHeader*& DrawEnd) {
    WriteLog("CAM:Creating pocket toolpath Start");
    const std::string Flags =
        "OpNew:" + B(Glob.OpNew) + " OpEdit:" + B(Glob.OpEdit) + " OpRegen:" + B(Glob.OpRegen);
    if (Glob.OpNew && !Glob.OpEdit) OpList.Index = OpList.CamCnt;
    const int Idx = OpList.Index;
    const bool ValidIdx = Idx >= 0 && Idx + 2 < MaxCamOps;
    WriteLog("CAM:" + Flags + ", OpNum:" + std::to_string(Idx) + ", OpCnt:" + std::to_string(OpList.CamCnt) +
             ", OpName" + (Idx >= 0 && Idx < MaxCamOps ? OpList.Cam[Idx].Name : std::string()));
    Errors.clear();
    TFillDialog* Dg = FillDialog;
    if (!ValidIdx || !Dg) {
        WriteLog("Err:No free operation record");
        FreeObjList(SrcStart, SrcEnd);
        return false;
    }
    const Extended SavMinOffsArc = Glob.MinOffsArc;
    bool Done = false, Failed = false;
    auto End = [&]() {
        Glob.MinOffsArc = SavMinOffsArc;
        FreeObjList(SrcStart, SrcEnd);
        if (!Errors.empty()) {
            ShowErrors(Msg[Done ? 79 : Failed ? 78 : 71]);
            if (Idx < MaxCamOps) OpList.Cam[Idx].Status = 2;
        } else if (Done && !Failed) {
            OpList.Cam[Idx].Status = 0;
        }
        if (Done && !Failed && !Glob.OpEdit) OpList.CamCnt = std::min(OpList.CamCnt + 1, MaxCamOps);
        WriteLog("CAM:Creating pocket toolpath End");
        return Done;
    };
    if (TestObjects) {
        bool Joined = false;
        if (!JoinOpen(SrcStart, SrcEnd, Joined)) {
            Failed = true;
            return End();
        }
        TestCrossings(SrcStart);
        if (!Errors.empty()) return End();
    }
    Dg->Switch();
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
        P.La2 = OpList.Cam[Idx].La2;
    }
    Dg->FillShowLaTool(P.La1, P.La2);
    if (!Glob.OpRegen && Dg->ShowModal() != mrOk) {
        Done = Failed = true;
        return End();
    }
    GroupByNesting(SrcStart, SrcEnd, uint8_t(P.La1));
    P.Climb = Dg->RBtnSousl->Checked;
    OrientRegions(SrcStart, P.Climb);
    ReadValues(*Dg, P);
    if (!Errors.empty()) {
        Failed = true;
        return End();
    }
    ComRedrawView();
    if (Glob.AutoApplyToolOpen) DepthToTool(P.Depth, P.La1, false);
    if (!Glob.OpEdit) OpList.Index = OpList.CamCnt;
    RecordOpPocket(uint8_t(P.FillType), uint8_t(P.Strategy), P.Climb, P.ThinError, P.AllError, P.Angle1, P.Overlap1,
                   P.Prid1, P.Angle2, P.Overlap2, P.Prid2, P.Limit3D, P.Crossing, P.Corner3D, P.La1,
                   P.Strategy == 2 ? P.La2 : 0, Dg->EditOpPockName->Text, P.Depth, false);
    if (Glob.OpEdit) {
        ForgetSubOpPaths(Idx);
        CamOpDelAllChilds(Idx);
    } else {
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next)
            if (p->Flags & FlagSelected) CamOpAddParent(p, Idx);
        Glob.OpCamOp = true;
    }
    bool SubOps = false;
    int FailedRegions = 0;
    TRegionResult Tot;
    for (TObjHeader* G = SrcStart; G; G = G->Next) {
        TRegionResult R;
        if (!FillRegion(G, P, P.Strategy == 1, SubOps, R)) ++FailedRegions;
        Tot.CenterKept += R.CenterKept;
        Tot.CenterDropped += R.CenterDropped;
        Tot.FinishCount += R.FinishCount;
    }
    if (P.Strategy == 0 && FailedRegions > 0)
        Errors.push_back(Msg[80] + std::to_string(FailedRegions) + Msg[81]);
    Done = true;
    return End();
}
