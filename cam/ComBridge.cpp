#include "cam/ComBridge.h"

#include <cmath>
#include <string>
#include <vector>

#include "cam/CamOpList.h"
#include "cam/CamOpListDelete.h"
#include "commands/ComCommon.h"
#include "core/Global.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniWalk.h"
#include "platform/Dialogs.h"
#include "shell/Main.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"
#include "tools/ToolDg.h"

namespace {

void End() {
    MainVars.ComCnt = -1;
    WriteLog("Sys:ComBridge End");
}

// Removes an operation that the bridge would stop from generating. A freed layer that
// still holds the operation's paths is not compacted: its paths would mix with the
// objects of the layer above.
void RemoveOp(int Op) {
    const int L1 = OpList.Cam[Op].La1, L2 = OpList.Cam[Op].La2;
    auto Holds = [](int La) { return La >= 1 && La <= ToolLayerCount && !LayerIsEmpty(MainVars.DataStart, uint8_t(La)); };
    const bool Keep = Glob.AutoLayNum && (Holds(L1) || Holds(L2));
    if (Keep) Glob.AutoLayNum = false;
    DeleteCamOp(Op);
    if (Keep) {
        Glob.AutoLayNum = true;
        OpList.LastLa = std::max(1, MaxCamOpLayer());
        OpList.LastTID = Glob.Tool[std::clamp(OpList.LastLa, 1, ToolLayerCount)].TID;
    }
}

// Every operation that uses the polyline, asked about one by one. False when the user
// said no.
bool RemoveOpsOf(TObjHeader* P) {
    for (;;) {
        TOpMap Map{};
        CamOpsOfObject(P, Map);
        int Op = -1;
        for (int i = 0; i < OpList.CamCnt && i < MaxCamOps && Op < 0; ++i)
            if (Map[i]) Op = i;
        if (Op < 0) return true;
        WriteLog("Sys:Obj in op, Contnue?");
        if (MessageDlg(Msg[126] + OpList.Cam[Op].Name + "\r\n" + Msg[127], TMsgDlgType::mtInformation, mbYesNo) !=
            mrYes) {
            WriteLog("Usr:No");
            return false;
        }
        WriteLog("Usr:Yes");
        RemoveOp(Op);
    }
}

// The point of the polyline's nearest segment closest to P.
Osy BridgeCentre(const TObjHeader* Pl, const Osy& P) {
    int32_t Seg = 0;
    EnPline.DistPoint(Pl, P, Seg);
    const Osy S = PlineSegStart(Pl, Seg), E = PlineSegs(Pl)[Seg].E;
    const Extended Alfa = PlineSegs(Pl)[Seg].Alfa;
    Osy F;
    Extended D = 0;
    const bool On = std::fabs(Alfa) <= CoordTol ? PerpFootLine(P, S, E, F, D) : PerpFootArc(P, S, E, Alfa, F, D);
    if (!On) F = Dist(P, S) <= Dist(P, E) ? S : E;
    return F;
}

void CutBridge(TObjHeader* Pl, const Osy& P, Extended W) {
    Extended ToolDist = 0;
    const Extended R = W / 2 + (ToolDistLa(Pl->Layer, ToolDist, -1, false) ? ToolDist : 0);
    const Osy F = BridgeCentre(Pl, P);
    TObjHeader *CS = nullptr, *CE = nullptr;
    EnPline.CircleAdd(F, R, 16, CS, CE);
    TObjHeader *P1 = nullptr, *P2 = nullptr;
    EnPline.Trim(Pl, {F.x - R / 2, F.y - R / 2}, {F.x + R / 2, F.y + R / 2}, CS, CE, P1, P2);
    FreeObjList(CS, CE);
}

}  // namespace

void ComBridge() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComBridge Start");
        SetPrompt(Prompt[5]);
        V.Mouse.NextMove = mmCross;
        V.Mouse.NextDown = mdCoord;
        ComRedrawView();
        return;
    }
    Extended W = 0;
    if (V.ComCnt == 1) {
        if (StrToExtCalc(V.Command[1], W, false)) {
            SetPrompt(Prompt[6]);
            V.Mouse.NextMove = mmSel;
            V.Mouse.NextDown = mdCoord;
            ComRedrawView();
        } else {
            WriteLog("Err:Wrong pickpoint (" + V.Command[1] + ")");
            End();
        }
        return;
    }
    V.ComCnt = -1;
    V.FileSaved = false;
    if (!StrToExtCalc(V.Command[1], W, false)) {
        WriteLog("Err:Wrong bridge with (" + V.Command[1] + ")");
        End();
        return;
    }
    Osy P;
    if (!StrToPt(V.Command[2], V.PickPoint, P)) {
        WriteLog("Err:Wrong pickpoint (" + V.Command[1] + ")");
        ClearSelection(V.DataStart);
        ComRedrawView();
        End();
        return;
    }
    V.PickPoint = P;
    const Extended Half = Glob.BoduNaMm > 0 ? Glob.SelectSize / (2 * Glob.BoduNaMm) : 0;
    const Osy Min{P.x - Half, P.y - Half}, Max{P.x + Half, P.y + Half};
    std::vector<TObjHeader*> Hit;
    for (TObjHeader* p = V.DataStart; p; p = p->Next)
        if (p->Type == ObjPline && p->Layer >= 1 && p->Layer <= ToolLayerCount && EnPline.RawSelect(p, Min, Max, false))
            Hit.push_back(p);
    for (TObjHeader* Pl : Hit) {
        if (!RemoveOpsOf(Pl)) {
            End();
            return;
        }
        CutBridge(Pl, P, W);
    }
    if (MainForm) MainForm->CamOpsToPanel();
    WriteLog("Sys:Bridge pos X:" + GeneralNumText(P.x) + " Y:" + GeneralNumText(P.y) + ")");
    V.Command[2].clear();
    V.ComCnt = 1;
    SetPrompt(Prompt[6]);
    ComRedrawView();
    WriteLog("Sys:ComBridge End");
}
