#include "commands/ComLayer.h"

#include <string>
#include <vector>

#include "commands/ComCommon.h"
#include "commands/ComRegen.h"
#include "core/Entity.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/UniDraw.h"
#include "core/UniGroup.h"
#include "core/UniLog.h"
#include "core/UniText.h"
#include "core/UniWalk.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

// The layer whose name, ASCII letters upper-cased, equals Name upper-cased; the last
// such layer wins; 0 when none.
int LayerByName(const std::string& Name) {
    const std::string U = UpCaseStr(Name);
    int Found = 0;
    for (int L = 1; L <= LayerCount; ++L)
        if (UpCaseStr(Glob.TabLayer[L].Name) == U) Found = L;
    return Found;
}

// The end of a step that does the work: no rubber band, no click meaning.
void WorkStepSettings(bool SnapsOff) {
    MainVars.ComCnt = -1;
    MainVars.FileSaved = false;
    MainVars.Mouse.NextMove = mmNone;
    MainVars.Mouse.NextDown = mdNone;
    if (SnapsOff) MainVars.Mouse.OsnapAuto.Search = false;
    ComRedrawView();
}

}  // namespace

void ComChangeLayer() {
    TMainVars& V = MainVars;
    switch (V.ComCnt) {
        case 0:
            WriteLog("Sys:ComChangeLayer Start");
            SelectStepStart();
            return;
        case 1:
            if (SelectStepPrevious("Usr:Select previous")) return;
            SetPrompt(Prompt[38]);
            V.Mouse.NextMove = mmCross;
            V.Mouse.NextDown = mdNone;
            V.Mouse.OsnapAuto.Search = false;
            ComRedrawView();
            return;
        default:
            break;
    }
    WorkStepSettings(false);
    const int L = LayerByName(ComInput(2));
    if (L == 0) {
        WriteLog("Err:Wrong layer (0)");
    } else {
        WriteLog("Usr:Change layer to:" + std::to_string(L));
        const uint8_t La = static_cast<uint8_t>(L);
        for (TObjHeader* p = V.DataStart; p; p = p->Next) {
            if (!(p->Flags & FlagSelected)) continue;
            ClearSelected(p);
            switch (p->Type) {
                case ObjGroup:
                    EnGroup.ChangeLayer(p, La);
                    break;
                case ObjText:
                    EnText.ChangeLayer(p, La);
                    break;
                default:
                    p->Layer = La;
                    break;
            }
            DrawObj(p, MainCanvas);
        }
        ComLayPanelUpdate();
    }
    WriteLog("Sys:ComChangeLayer End");
}

void ComGroup() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComGroup Start");
        SelectStepStart();
        return;
    }
    if (SelectStepPrevious("Usr:Select previous")) return;
    WorkStepSettings(true);
    if (!V.DataStart) {
        WriteLog("Err:no objects to group");
        WriteLog("Sys:ComGRoup End");
        return;
    }
    TObjHeader* G = AllocObj(GroupRecSize, ObjGroup);
    G->Flags = FlagNew;
    G->Layer = Glob.LayerDraw;
    AppendObj(G, V.DataStart, V.DataEnd);
    TGroupRec* GR = AsGroup(G);
    GR->First = GR->Last = nullptr;
    // Every operation that used some member uses the group instead: as a source (and is
    // queued) when some member was its source, else as a path.
    TOpMap GroupMap{};
    TOpMap Map;
    for (TObjHeader* p = V.DataStart; p;) {
        TObjHeader* Next = p->Next;
        if (p != G && (p->Flags & FlagSelected)) {
            UnlinkObj(p, V.DataStart, V.DataEnd);
            AppendObj(p, GR->First, GR->Last);
            CamOpsOfObject(p, Map);
            for (int op = 0; op < OpList.CamCnt; ++op) {
                if (Map[op] == 1) {
                    CamOpDelParent(p, op);
                    GroupMap[op] = 1;
                } else if (Map[op] == 2) {
                    CamOpDelChild(p, op);
                    if (GroupMap[op] == 0) GroupMap[op] = 2;
                }
            }
        }
        p = Next;
    }
    TRegenQueue Q;
    for (int op = 0; op < OpList.CamCnt; ++op) {
        if (GroupMap[op] == 1) {
            CamOpAddParent(G, op);
            Q.SourceAction(op);
        } else if (GroupMap[op] == 2) {
            CamOpAddChild(G, op);
        }
    }
    if (EnGroup.UpdateCount(G) > 0) {
        DrawObj(G, MainCanvas);
    } else {
        UnlinkObj(G, V.DataStart, V.DataEnd);
        FreeObjBlock(G);
    }
    HandOffRegen(Q);
    WriteLog("Sys:ComGRoup End");
}

void ComUngroup() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComUngroup Start");
        SelectStepStart();
        return;
    }
    if (SelectStepPrevious("Usr:Select previous")) return;
    WorkStepSettings(true);
    // Members appended at the end are not visited again: the walk stops after the
    // record that was last when it began.
    TObjHeader* Last = V.DataEnd;
    TOpMap Map;
    for (TObjHeader* p = V.DataStart; p;) {
        TObjHeader* Next = p == Last ? nullptr : p->Next;
        if (p->Flags & FlagSelected) {
            ClearSelected(p);
            DrawObj(p, MainCanvas);
            if (p->Type == ObjGroup) {
                TGroupRec* GR = AsGroup(p);
                UnlinkObj(p, V.DataStart, V.DataEnd);
                std::vector<TObjHeader*> Members;
                for (TObjHeader* m = GR->First; m; m = m->Next) Members.push_back(m);
                ConcatObjLists(V.DataStart, V.DataEnd, GR->First, GR->Last);
                CamOpsOfObject(p, Map);
                for (int op = 0; op < OpList.CamCnt; ++op) {
                    if (Map[op] == 1) {
                        CamOpDelParent(p, op);
                        for (TObjHeader* m : Members) CamOpAddParent(m, op);
                    } else if (Map[op] == 2) {
                        CamOpDelChild(p, op);
                        for (TObjHeader* m : Members) CamOpAddChild(m, op);
                    }
                }
                FreeObjBlock(p);
            }
        }
        p = Next;
    }
    ComLayPanelUpdate();
    WriteLog("Sys:ComUngroup End");
}
