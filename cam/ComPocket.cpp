#include "cam/ComPocket.h"

#include <cmath>
#include <string>
#include <vector>

#include "cam/CamOpList.h"
#include "cam/CamOpListDelete.h"
#include "cam/CamOpRegen.h"
#include "cam/ComContour.h"
#include "cam/FillDg.h"
#include "cam/PocketBuild.h"
#include "cam/SurfaceBuild.h"
#include "cam/SurfaceDg.h"
#include "commands/ComCommon.h"
#include "commands/ComHatch.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/Global.h"
#include "core/UniArea.h"
#include "core/UniGeom.h"
#include "core/UniPoint.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "platform/Dialogs.h"
#include "shell/Main.h"
#include "shell/MainCursor.h"
#include "shell/MainVars.h"
#include "shell/StartupHooks.h"
#include "shell/UniLang.h"

namespace {

// The job as it stood before the build, in case the build goes wrong.
void AutoSave() {
    if (SaveYdfFileHook) SaveYdfFileHook(Glob.ProgramDir + "/AutoSave.ydf", true, true);
}

// The shared body of MEANDR, SURFACE and ENGRBLOCK; false when the command waits for
// more input. Logged: the start line, the status of a failed build and the panel.
bool PocketStep(bool Logged, const char* Start, bool Surface) {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0 && Logged) WriteLog(Start);
    if (CamSelectStep("Usr:Select previous", Glob.OpRegen)) return false;
    // ENGRBLOCK (the unlogged one) shows the busy pointer while it builds.
    if (Logged)
        ResetMainCursor();
    else
        BusyMainCursor();
    for (TObjHeader* p = V.DataStart; p; p = p->Next)
        if ((p->Flags & FlagSelected) && p->Type == ObjText) {
            ShowMessage(Msg[11]);
            ClearSelection(V.DataStart);
            ComRedrawView();
            return true;
        }
    TObjHeader *S = nullptr, *E = nullptr;
    CopySelObjects(V.DataStart, false, false, false, S, E);
    const bool Fresh = !Glob.OpEdit && !Glob.OpRegen;
    if (Fresh) Glob.OpNew = true;
    const TLayerDepths Depths = LayerDepths();
    const bool Ok = Surface ? CreateSurfaceToolpath(S, E, true) : CreatePocketToolpath(S, E, true, V.DataStart, V.DataEnd);
    if (!Ok && Logged && OpList.Index >= 0 && OpList.Index < OpList.CamCnt) OpList.Cam[OpList.Index].Status = 3;
    Glob.OpNew = false;
    if (!Glob.OpRegen) HandOffChangedDepths(Depths, OpList.Index);
    if (Fresh) OpList.Index = -1;
    ClearSelection(V.DataStart);
    ResetMainCursor();
    ComLayPanelUpdate();
    if (Logged && MainForm) MainForm->CamOpsToPanel();
    return true;
}

}  // namespace

void ComMeandr() {
    AutoSave();
    if (PocketStep(true, "Sys:ComPocket Start", false)) WriteLog("Sys:ComPocket End");
}

void ComSurface() {
    AutoSave();
    if (PocketStep(true, "Sys:ComSurface Start", true)) WriteLog("Sys:ComSurface End");
}

void ComEngrBlock() {
    AutoSave();
    PocketStep(false, "", false);
}

void SurfaceOpToDg(int OpNum) {
    TSurfaceDialog* Dg = SurfaceDialog;
    if (!Dg) return;
    const TCamOp& Op = OpList.Cam[OpNum];
    SurfaceLa = uint8_t(Op.La1);
    Dg->EditOpSurfName->Text = Op.Name;
    Dg->EditDepth->Text = GeneralNumText(Op.Depth);
    Dg->EditDistOver->Text = Dg->DistText = GeneralNumText(Op.MfillPridavek);
    Dg->EditPresahSraf->Text = GeneralNumText(Op.MFillPresah);
    (Op.Sousledne ? Dg->RBtnSousledne : Dg->RBtnNesousledne)->Click();
    (Op.MFillUhel != 0 ? Dg->RbtnAlongY : Dg->RbtnAlongX)->Click();
    (Op.EdgeMode == 0 ? Dg->RBtnInside : Op.EdgeMode == 2 ? Dg->RbtnOutside : Dg->RbtnEdge)->Click();
}

void ComInteliMeandr() {
    AutoSave();
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Syss:ComInteliPocket Start");
        StartAreaPicks(Prompt[16]);
        return;
    }
    V.FileSaved = false;
    V.Mouse.NextMove = mmNone;
    V.Mouse.NextDown = mdNone;
    ComRedrawView();
    Osy Pt;
    if (StrToPt(ComInput(V.ComCnt), V.LastPos, Pt)) {
        EnPoint.Add(Pt, LayerOrig, V.ViewStart, V.ViewEnd);
        if (TObjHeader* Area = SelectArea(Pt, V.SaveStart, V.SaveEnd)) AppendObj(Area, V.AreaStart, V.AreaEnd);
        V.ComCnt = 0;
        V.Mouse.NextDown = mdCoord;
        V.Mouse.NextMove = mmCross;
        SetPrompt(Prompt[16]);
        return;
    }
    V.ComCnt = -1;
    FreeObjList(V.SaveStart, V.SaveEnd);
    if (CountObjs(V.AreaStart) < CountObjs(V.ViewStart)) ShowMessage(Msg[13]);
    FreeObjList(V.ViewStart, V.ViewEnd);
    AreaJoin(V.AreaStart, V.AreaEnd);
    // The areas' contours, each area's outer contour before its islands.
    TObjHeader *S = nullptr, *E = nullptr;
    while (TObjHeader* G = V.AreaStart) {
        UnlinkObj(G, V.AreaStart, V.AreaEnd);
        if (G->Type == ObjGroup) {
            TObjHeader *MS = AsGroup(G)->First, *ME = AsGroup(G)->Last;
            FreeObjBlock(G);
            ConcatObjLists(S, E, MS, ME);
        } else {
            AppendObj(G, S, E);
        }
    }
    Glob.OpNew = true;
    CreatePocketToolpath(S, E, false, V.DataStart, V.DataEnd);
    Glob.OpNew = false;
    OpList.Index = -1;
    ClearSelection(V.DataStart);
    ComLayPanelUpdate();
    WriteLog("Syss:ComInteliPocket End");
}

void PocketOpToDg(int OpNum) {
    TFillDialog* Dg = FillDialog;
    if (!Dg) return;
    const TCamOp& Op = OpList.Cam[OpNum];
    Dg->EditOpPockName->Text = Op.Name;
    Dg->EditDepth->Text = GeneralNumText(Op.Depth);
    Dg->EditAllError->Text = GeneralNumText(Op.AllError);
    Dg->EditThinError->Text = GeneralNumText(Op.ThinError);
    (Op.Strategy == 1 ? Dg->RBtnSingleToolErr : Op.Strategy == 2 ? Dg->RBtnDoubleTool : Dg->RBtnSingleTool)->Click();
    (Op.FillType == 1 ? Dg->RBtnOffset : Op.FillType == 2 ? Dg->RbtnSpiral : Dg->RBtnMeandr)->Click();
    Dg->EditUhelSraf->Text = GeneralNumText(Op.MFillUhel * 180 / GeomPi);
    Dg->EditPresahSrafMm->Text = GeneralNumText(Op.MFillPresah);
    Dg->EditPridSrafMm->Text = GeneralNumText(Op.MfillPridavek);
    Dg->EditSmUhelSraf->Text = GeneralNumText(Op.RFillUhel * 180 / GeomPi);
    Dg->EditSmPresahSraf->Text = GeneralNumText(Op.RFillPresah);
    Dg->EditSmPridSraf->Text = GeneralNumText(Op.RFillPridavek);
    Dg->ChBox3DCorner->Checked = Op.Corner3D;
    Dg->Edit3DAngle->Text = GeneralNumText(Op.Corner3DUhel * 180 / GeomPi);
    Dg->ChBoxCrossing->Checked = Op.Crossing;
    (Op.Sousledne ? Dg->RBtnSousl : Dg->RBtnNesousl)->Click();
}

void RegenPocketOp(int OpNum) { RegenOpByCommand(OpNum, &ComMeandr, "PocketOp"); }

void RegenSurfaceOp(int OpNum) { RegenOpByCommand(OpNum, &ComSurface, "SurfaceOp"); }

void InstallPocketRegen() {
    RegisterCamOpKind(OpTypePocket, {&RegenPocketOp, &PocketOpToDg, "MEANDR", "Sys:Edit PocketOp"});
    RegisterCamOpKind(OpTypeSurface, {&RegenSurfaceOp, &SurfaceOpToDg, "SURFACE", "Sys:Edit SurfaceOp"});
}
