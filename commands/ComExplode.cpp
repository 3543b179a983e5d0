#include "commands/ComExplode.h"

#include <vector>

#include "commands/ComCommon.h"
#include "commands/ComOrder.h"
#include "commands/ComRegen.h"
#include "commands/ComTrim.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniDraw.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "core/UniSpace.h"
#include "core/UniWalk.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

// Re-pointing with the source action and the path action (CHANGEDIR also swaps the
// climb sense of a reversed path's operation), then the hand-off.
void RepointAndHandOff(bool SwapClimb) {
    TRegenQueue Q(false);
    RepointOpLinks([&](int op) { Q.SourceAction(op); },
                   [&](int op) {
                       if (SwapClimb) OpList.Cam[op].Sousledne = !OpList.Cam[op].Sousledne;
                       Q.PathAction(op);
                   });
    HandOffRegen(Q);
}

// A linked polyline before JOIN: its middle point finds the polyline it ended in.
struct TJoinPiece {
    TObjHeader* Adr;
    Osy Mid;
    TOpMap Map;
};

}  // namespace

void JoinKeepingLinks(uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr, TRegenQueue& Q) {
    // Joined pieces are deleted: the operations that used them take the joined
    // polyline instead, found through each linked piece's middle point.
    std::vector<TJoinPiece> Linked;
    for (TObjHeader* p = StartAdr; p; p = p->Next) {
        if (!(p->Flags & FlagSelected) || (Layer != 0 && p->Layer != Layer)) continue;
        TJoinPiece J{p, {}, {}};
        CamOpsOfObject(p, J.Map);
        bool Any = false;
        for (int op = 0; op < OpList.CamCnt; ++op) {
            if (J.Map[op] == 1) Q.SourceAction(op);
            if (J.Map[op] != 0) Any = true;
        }
        if (Any && p->Type == ObjPline && PlineSegCount(p) > 0) {
            J.Mid = EnPline.HalfPoint(p);
            Linked.push_back(J);
        }
    }
    EnPline.Join(Layer, StartAdr, EndAdr);
    if (!Linked.empty()) {
        std::vector<TObjHeader*> Results;
        for (TObjHeader* p = StartAdr; p; p = p->Next)
            if (p->Type == ObjPline && (p->Flags & FlagSelected)) Results.push_back(p);
        const Extended Tol = Glob.JoinTol + CoordTol;
        for (const TJoinPiece& J : Linked) {
            TObjHeader* Into = nullptr;
            for (TObjHeader* r : Results) {
                int32_t Seg = 0;
                if (EnPline.DistPoint(r, J.Mid, Seg) <= Tol) {
                    Into = r;
                    break;
                }
            }
            if (Into == J.Adr) continue;
            for (int op = 0; op < OpList.CamCnt; ++op) {
                if (J.Map[op] == 1) {
                    CamOpDelParent(J.Adr, op);
                    CamOpAddParent(Into, op);
                } else if (J.Map[op] == 2) {
                    CamOpDelChild(J.Adr, op);
                    CamOpAddChild(Into, op);
                    Q.PathAction(op);
                }
            }
        }
    }
}

void ComExplode() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComExplode Start");
        SelectStepStart();
        return;
    }
    if (SelectStepPrevious("Usr:Select previous")) return;
    WorkStepStart();
    ResetEditAdr();
    TObjHeader* Last = V.DataEnd;
    for (TObjHeader* p = V.DataStart; p;) {
        TObjHeader* Next = p == Last ? nullptr : p->Next;
        if (p->Flags & FlagSelected) {
            ClearSelected(p);
            if (p->Type == ObjPline) {
                TEditAdr& R = AddEditAdr(p, V.DataEnd);
                std::vector<TObjHeader*> Pieces = EnPline.Explode(p, V.DataStart, V.DataEnd);
                R.New.assign(Pieces.rbegin(), Pieces.rend());
                for (TObjHeader* q : Pieces) DrawObj(q, MainCanvas);
            } else {
                DrawObj(p, MainCanvas);
            }
        }
        p = Next;
    }
    RepointAndHandOff(false);
    ComLayPanelUpdate();
    WriteLog("Sys:ComExplode End");
}

void ComJoin() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComJoin Start");
        SelectStepStart();
        return;
    }
    if (SelectStepPrevious("Usr:Select previous")) return;
    V.ComCnt = -1;
    V.FileSaved = false;
    TRegenQueue Q(false);
    JoinKeepingLinks(0, V.DataStart, V.DataEnd, Q);
    HandOffRegen(Q);
    ClearSelection(V.DataStart);
    ComRedrawView();
    WriteLog("Sys:ComJoin End");
}

void ComChangeDir() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComChangeDir Start");
        SelectStepStart();
        return;
    }
    if (SelectStepPrevious("Usr:Select previous")) return;
    WorkStepStart();
    ResetEditAdr();
    for (TObjHeader* p = V.DataStart; p; p = p->Next) {
        if (!(p->Flags & FlagSelected)) continue;
        if (p->Type == ObjPline) {
            AddEditAdr(p).New = {p};
            EnPline.ChangeDir(p);
        } else if (p->Type == ObjPline3D) {
            AddEditAdr(p).New = {p};
            EnSpace.ChangeDir(p);
        }
        DrawObj(p, MainCanvas);
    }
    TRegenQueue Q(false);
    RepointOpLinks([&](int op) { Q.SourceAction(op); },
                   [&](int op) {
                       // A reversed path is cut the other way round.
                       OpList.Cam[op].Sousledne = !OpList.Cam[op].Sousledne;
                       Q.PathAction(op);
                   });
    Glob.OpEditAdr.clear();
    ResetEditAdr();
    HandOffRegen(Q);
    WriteLog("Sys:ComChangeDir End");
}

void ComChangeStart() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComChangeStart Start");
        SetPrompt(Prompt[9]);
        V.Mouse.NextMove = mmSel;
        V.Mouse.NextDown = mdCoord;
        ComRedrawView();
        return;
    }
    V.ComCnt = -1;
    V.FileSaved = false;
    if (!StrToPt(ComInput(1), Osy{}, V.PickPoint)) {
        WriteLog("Err:Wrong pickpoint (" + ComInput(1) + ")");
        V.Mouse.OsnapAuto.Search = false;
        ClearSelection(V.DataStart);
        ComRedrawView();
        WriteLog("Sys:ComChangeStart End");
        return;
    }
    Osy Min, Max;
    PickBox(V.PickPoint, Min, Max);
    ResetEditAdr();
    if (TObjHeader* p = FirstPlineHit(V.PickPoint, false)) {
        if (TObjHeader* r = EnPline.ChangeStart(p, V.PickPoint, Min, Max)) {
            AddEditAdr(p).New = {r};
            DeleteObj(p, V.DataStart, V.DataEnd);
            AppendObj(r, V.DataStart, V.DataEnd);
            DrawObj(r, MainCanvas);
        } else {
            ClearSelected(p);
            DrawObj(p, MainCanvas);
        }
    }
    RepointAndHandOff(false);
    V.ComCnt = 0;
    V.Command[1].clear();
    SetPrompt(Prompt[9]);
    WriteLog("Sys:ComChangeStart End");
}
