#include "cam/SurfaceBuild.h"

#include <algorithm>
#include <string>

#include "cam/CamOpList.h"
#include "cam/CamOpListDelete.h"
#include "cam/CamOpListRecord.h"
#include "cam/PocketFill.h"
#include "cam/SurfaceDg.h"
#include "commands/ComCommon.h"
#include "core/Global.h"
#include "core/Glob.h"
#include "core/UniLog.h"
#include "core/UniNesting.h"
#include "shell/MainCursor.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"
#include "tools/ToolDg.h"

namespace {


bool Field(const TEdit* E, Extended& V, const std::string& LogStem, int MsgNo) {
    if (StrToExtCalc(E->Text, V, true)) return true;
    WriteLog(LogStem + E->Text + ")");
    FillErrors().push_back(Msg[MsgNo]);
    return false;
}

}  // namespace

bool CreateSurfaceToolpath(TObjHeader*& SrcStart, TObjHeader*& SrcEnd, bool TestObjects) {
    TFillRun Run("surface");
    const int Idx = Run.Idx;
    TSurfaceDialog* Dg = SurfaceDialog;
    if (!Run.HasSlot() || !Dg) {
        FreeObjList(SrcStart, SrcEnd);
        return false;
    }
    auto End = [&]() { return Run.End(SrcStart, SrcEnd); };
    if (TestObjects) {
        if (!TestFillObjects(SrcStart, SrcEnd) || !FillErrors().empty()) {
            Run.Failed = true;
            return End();
        }
    }
    Dg->Switch();
    ResetMainCursor();
    if (!Glob.OpEdit) {
        if (Glob.AutoLayNum)
            SurfaceLa = uint8_t(std::clamp(OpList.LastLa, 1, ToolLayerCount));
        else
            SurfaceLa = Glob.LayerDraw == 0 || Glob.LayerDraw > ToolLayerCount ? 1 : uint8_t(Glob.LayerDraw);
        if (!Glob.OpRegen) {
            int Surfaces = 0;
            for (int i = 0; i < OpList.CamCnt; ++i)
                if (OpList.Cam[i].OpType == OpTypeSurface) ++Surfaces;
            Dg->EditOpSurfName->Text = Dg->StrSurface + std::to_string(Surfaces + 1);
        }
    } else {
        SurfaceLa = uint8_t(OpList.Cam[Idx].La1);
    }
    Dg->SurfaceDgShowLayer(SurfaceLa);
    if (!Glob.OpRegen && Dg->ShowModal() != mrOk) {
        Run.Done = Run.Failed = true;
        return End();
    }
    GroupByNesting(SrcStart, SrcEnd, SurfaceLa);
    const bool Climb = Dg->RBtnSousledne->Checked;
    OrientRegions(SrcStart, Climb);
    Extended Depth = 0, DistOver = 0, Overlap = 0, Dist = 0;
    Field(Dg->EditDepth, Depth, "Err:Wrong depth (", 108);
    const uint8_t EdgeMode = Dg->RBtnInside->Checked ? 0 : Dg->RbtnOutside->Checked ? 2 : 1;
    if (EdgeMode != 1) Field(Dg->EditDistOver, DistOver, "Err:Wrong Dist. over (", 72);
    const int La = SurfaceLa;
    const bool ToolOk = La >= 1 && La <= ToolLayerCount;
    if (!ToolOk || !ToolDistLa(La, Dist, -1, false)) FillErrors().push_back(Msg[40]);
    const Extended D = ToolOk ? Glob.Tool[La].SpodniPrumer : 0;
    const Extended R = D > 0 ? D / 2 : 0;
    const Extended V9 = D - 0.1L * D;
    const Extended Direction = Dg->RbtnAlongX->Checked ? 0 : SurfaceAlongY;
    Extended Step = 0.75L * D;
    if (Field(Dg->EditPresahSraf, Overlap, "Err:Wrong hangover (", 74)) Step = D - Overlap;
    if (!(Step >= 0.01L)) {
        WriteLog("Wrong fill dist. too low");
        FillErrors().push_back(Msg[75]);
    }
    if (!FillErrors().empty()) {
        Run.Failed = true;
        return End();
    }
    ComRedrawView();
    if (Glob.AutoApplyToolOpen) DepthToTool(Depth, La, false);
    if (!Glob.OpEdit) OpList.Index = OpList.CamCnt;
    RecordOpSurface(Climb, La, Dg->EditOpSurfName->Text, V9, Direction, Overlap, DistOver, Depth, EdgeMode);
    if (Glob.OpEdit) {
        CamOpDelAllChilds(Idx);
    } else {
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next)
            if (p->Flags & FlagSelected) CamOpAddParent(p, Idx);
        Glob.OpCamOp = true;
    }
    TFillParams F;
    F.Meander = true;
    F.EdgePass = true;
    F.La = uint8_t(La);
    F.R = R;
    F.Angle = Direction;
    F.Step = Step;
    F.Rough = EdgeMode == 1 ? 0 : D / 2 + DistOver;
    F.ThinError = V9;
    for (TObjHeader* G = SrcStart; G; G = G->Next) {
        TRegionCounts C;
        FillWithWidening(G, F, EdgeMode == 0, false, C);
    }
    Run.Done = true;
    return End();
}
