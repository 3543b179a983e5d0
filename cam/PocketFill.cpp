#include "cam/PocketFill.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "cam/CamOpList.h"
#include "cam/CamOpListRecord.h"
#include "cam/ContourBuild.h"
#include "cam/Corner3D.h"
#include "cam/ErrorDg.h"
#include "cam/MeanderFill.h"
#include "cam/OffsetFill.h"
#include "cam/PocketRegionOffset.h"
#include "cam/Sort.h"
#include "commands/ComExplode.h"
#include "commands/ComRegen.h"
#include "core/Entity.h"
#include "core/UniDraw.h"
#include "core/Glob.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniPline.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

std::vector<std::string> Errors;
bool SubOpsCounted = false;

TObjHeader* RegionFirst(TObjHeader* G) { return G->Type == ObjGroup ? AsGroup(G)->First : G; }
int RegionCount(TObjHeader* G) { return G->Type == ObjGroup ? AsGroup(G)->Count : 1; }

// The offset of a region at D: false when it broke apart or did not give one loop
// per contour.
bool RegionLoops(TObjHeader* G, bool Inside, Extended D, uint8_t La, TObjHeader*& S, TObjHeader*& E,
                 TObjHeader*& FS, TObjHeader*& FE) {
    TObjHeader* Before = E;
    const bool Ok = PocketRegionOffset(Inside, RegionFirst(G), D, S, E, FS, FE, La);
    int n = 0;
    for (TObjHeader* p = Before ? Before->Next : S; p; p = p->Next) ++n;
    return Ok && !FS && n == RegionCount(G);
}

// The roughing and finishing sub-operations of the pocket being built, and the group
// of the region's paths appended to the drawing as a path of the operation.
void Finish(TObjHeader*& RS, TObjHeader*& RE, TObjHeader*& CS, TObjHeader*& CE, uint8_t La) {
    const int Idx = OpList.Index;
    if (OpList.Cam[Idx].OpType == OpTypePocket) {
        RecordSubOp(Idx + 1, OpTypePocketRough, "Pocket rough", La, Idx);
        if (RS) AddObjsToSubOp(Idx + 1, RS);
        RecordSubOp(Idx + 2, OpTypePocketFin, "Pocket fin", La, Idx);
        if (CS) AddObjsToSubOp(Idx + 2, CS);
        if (!Glob.OpEdit && !SubOpsCounted) OpList.CamCnt = std::min(OpList.CamCnt + 2, MaxCamOps);
        SubOpsCounted = true;
    }
    ConcatObjLists(RS, RE, CS, CE);
    if (!RS) return;
    TObjHeader* Grp = MakeGroup(true, RS, RE);
    Grp->Layer = La;
    AppendObj(Grp, MainVars.DataStart, MainVars.DataEnd);
    CamOpAddChild(Grp, Idx);
}

// Two circles of 5 and 4 pixels round a place the user is asked about (an open end,
// a loop, a crossing), in the pen of the current drawing layer.
void MarkOnCanvas(const Osy& P) {
    TCanvas* C = MainCanvas;
    if (!C) return;
    const TPoint Q = WorldToPixel(P);
    C->PenStyle = TPenStyle::psSolid;
    C->PenWidth = 1;
    C->Opacity = 1;
    C->BrushStyle = TBrushStyle::bsClear;
    for (int32_t R : {5, 4}) C->Ellipse(Q.X - R, Q.Y - R, Q.X + R, Q.Y + R);
}

void JoinAll(TObjHeader*& S, TObjHeader*& E) {
    for (TObjHeader* p = S; p; p = p->Next) p->Flags |= FlagSelected;
    EnPline.Join(0, S, E);
}

// The selected polylines of the drawing are joined as the copies are, so that the
// pocket's sources are the joined outlines. Operations that used a joined piece follow
// it; one that had it as a source is out of date (nothing is regenerated inside a
// build, whose dialog values another operation's regeneration would overwrite).
void JoinDrawingSelection() {
    TRegenQueue Q(false);
    JoinKeepingLinks(0, MainVars.DataStart, MainVars.DataEnd, Q);
    for (int Op : Q.Ops())
        if (Op != OpList.Index && Op >= 0 && Op < OpList.CamCnt) OpList.Cam[Op].Status = 1;
}

// Every open polyline of the copies gets a straight closing line from its start to its
// end, in the drawing (selected, so that it joins the source it closes) and among the
// copies; both are joined again, and the copies come out closed.
void CloseOpenPlines(TObjHeader*& S, TObjHeader*& E) {
    TMainVars& V = MainVars;
    std::vector<TObjHeader*> Open;
    for (TObjHeader* p = S; p; p = p->Next)
        if (p->Type == ObjPline && EnPline.OpenPline(p)) Open.push_back(p);
    for (TObjHeader* p : Open) {
        const Osy A = EnPline.StartPt(p), B = EnPline.EndPt(p);
        if (SamePt(A, B)) continue;
        EnPline.LineAdd(A, B, p->Layer, V.DataStart, V.DataEnd);
        V.DataEnd->Flags |= FlagSelected;
        DrawObj(V.DataEnd, MainCanvas);
        EnPline.LineAdd(A, B, p->Layer, S, E);
    }
    JoinDrawingSelection();
    JoinAll(S, E);
}

// The objects of the "Orig" layer (not groups) go to the end of the drawing, in their
// order: the drawing's order is the machining order, and they are not machined.
void MoveOrigLayerToEnd() {
    TMainVars& V = MainVars;
    std::vector<TObjHeader*> Orig;
    for (TObjHeader* p = V.DataStart; p; p = p->Next)
        if (p->Layer == LayerOrig && p->Type != ObjGroup) Orig.push_back(p);
    for (TObjHeader* p : Orig) {
        UnlinkObj(p, V.DataStart, V.DataEnd);
        AppendObj(p, V.DataStart, V.DataEnd);
    }
}

}  // namespace

TFillRun::TFillRun(const std::string& K) : Kind(K) {
    auto B = [](bool V) { return std::string(V ? "true" : "false"); };
    WriteLog("CAM:Creating " + Kind + " toolpath Start");
    if (Glob.OpNew && !Glob.OpEdit) OpList.Index = OpList.CamCnt;
    Idx = OpList.Index;
    WriteLog("CAM:OpNew:" + B(Glob.OpNew) + " OpEdit:" + B(Glob.OpEdit) + " OpRegen:" + B(Glob.OpRegen) +
             ", OpNum:" + std::to_string(Idx) + ", OpCnt:" + std::to_string(OpList.CamCnt) + ", OpName" +
             (Idx >= 0 && Idx < MaxCamOps ? OpList.Cam[Idx].Name : std::string()));
    Errors.clear();
    SubOpsCounted = false;
    SavMinOffsArc = Glob.MinOffsArc;
}

bool TFillRun::HasSlot() const {
    // A pocket needs two more records for its sub-operations.
    if (Idx >= 0 && Idx + (Kind == "pocket" ? 2 : 0) < MaxCamOps) return true;
    WriteLog("Err:No free operation record");
    return false;
}

bool TFillRun::End(TObjHeader*& SrcStart, TObjHeader*& SrcEnd) {
    Glob.MinOffsArc = SavMinOffsArc;
    FreeObjList(SrcStart, SrcEnd);
    const bool Valid = Idx >= 0 && Idx < MaxCamOps;
    if (!Errors.empty()) {
        ShowFillErrors(Msg[Done ? 79 : Failed ? 78 : 71]);
        if (Valid) OpList.Cam[Idx].Status = 2;
    } else if (Done && !Failed && Valid) {
        OpList.Cam[Idx].Status = 0;
    }
    MoveOrigLayerToEnd();
    if (Done && !Failed && !Glob.OpEdit) OpList.CamCnt = std::min(OpList.CamCnt + 1, MaxCamOps);
    WriteLog("CAM:Creating " + Kind + " toolpath End");
    return Done;
}

std::vector<std::string>& FillErrors() { return Errors; }

void ShowFillErrors(const std::string& Caption) {
    if (!ErrorDialog) CreateErrorDialog();
    ErrorDialog->Caption = Caption;
    ShowErrorList(Errors);
}

bool TestFillObjects(TObjHeader*& S, TObjHeader*& E) {
    if (MainCanvas && Glob.LayerDraw <= LayerCount) MainCanvas->PenColor = Glob.TabLayer[Glob.LayerDraw].Color;
    for (bool Joined = false;;) {
        int Open = 0;
        for (TObjHeader* p = S; p; p = p->Next)
            if (p->Type == ObjPline && EnPline.OpenPline(p)) {
                ++Open;
                MarkOnCanvas(EnPline.StartPt(p));
            }
        if (Open == 0) break;
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
        JoinDrawingSelection();
        JoinAll(S, E);
        Joined = true;
        WriteLog("Sys:Close open plines?");
        if (MessageDlg(Msg[64] + ", " + Msg[84], TMsgDlgType::mtConfirmation, mbOKCancel) == mrOk) {
            WriteLog("Usr:Yes");
            CloseOpenPlines(S, E);
        } else {
            WriteLog("Usr:No");
        }
    }
    int Loops = 0;
    std::vector<TObjHeader*> Objs;
    for (TObjHeader* p = S; p; p = p->Next) {
        if (p->Type != ObjPline) continue;
        Objs.push_back(p);
        Osy P1, P2;
        int32_t At = 0;
        if (EnPline.LoopTest(p, P1, P2, At) > 0) {
            ++Loops;
            MarkOnCanvas(P1);
        }
    }
    if (Loops > 0) Errors.push_back(Msg[16] + std::to_string(Loops));
    // One count per object that crosses a later one.
    std::vector<bool> Counted(Objs.size(), false);
    int Cross = 0;
    ForCrossingPairs(Objs, [&](int i, int j) {
        if (!Counted[size_t(i)]) {
            Counted[size_t(i)] = true;
            ++Cross;
            Osy X;
            if (EnPline.CrossTest(Objs[size_t(i)], Objs[size_t(j)], X)) MarkOnCanvas(X);
        }
        return true;
    });
    if (Cross > 0) Errors.push_back(Msg[46] + std::to_string(Cross));
    return true;
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


bool SimpleFill(TObjHeader* Region, const TFillParams& P) {
    WriteLog("CAM:Creating simple fill Start (La:" + std::to_string(P.La) + ")");
    bool Result = true;
    TObjHeader *BS = nullptr, *BE = nullptr, *FS = nullptr, *FE = nullptr;
    const bool RoughOk = RegionLoops(Region, true, P.Rough, P.La, BS, BE, FS, FE);
    if (!RoughOk) Result = false;
    FreeObjList(FS, FE);
    TObjHeader *RS = nullptr, *RE = nullptr;
    if (BS)
        CreateFills(BS, BE, P.Meander, P.La, RS, RE, P.R, P.Angle, P.Step,
                    std::fabs(P.Finish - P.Rough) > CoordTol);
    TObjHeader *CS = nullptr, *CE = nullptr;
    // Without an allowance the finishing contours are the roughing boundary itself:
    // the same offset of the same region, so it is copied rather than made again.
    if (RoughOk && P.Finish == P.Rough) {
        for (TObjHeader* p = BS; p; p = p->Next) EnPline.CopyIdent(p, CS, CE);
    } else if (!RegionLoops(Region, true, P.Finish, P.La, CS, CE, FS, FE)) {
        Result = false;
    }
    FreeObjList(BS, BE);
    FreeObjList(FS, FE);
    SortLayer(P.La, CS, CE, Osy{0, 0}, TSortOptions{});
    // The links stay inside the finishing contours, which the corners' rises leave
    // outwards: joining against the flat contours first gives the same links.
    if (P.Crossing) JoinFills(RS, RE, CS);
    Create3DFinish(true, false, Region, P.Limit3D, CS, CE, P.La);
    Finish(RS, RE, CS, CE, P.La);
    WriteLog("CAM:Creating simple fill End");
    return Result;
}

bool FillWithWidening(TObjHeader* Region, const TFillParams& P, bool Inside, bool Thin, TRegionCounts& Counts) {
    WriteLog("CAM:Creating fill with thin err Start (La:" + std::to_string(P.La) + ")");
    Counts = TRegionCounts{};
    TObjHeader *BS = nullptr, *BE = nullptr, *FS = nullptr, *FE = nullptr;
    const Extended RoughDist = P.Rough == 0 ? 0.001L : P.Rough;
    RegionLoops(Region, Inside, RoughDist, P.La, BS, BE, FS, FE);
    TObjHeader *CS = nullptr, *CE = nullptr, *LS = nullptr, *LE = nullptr;
    // Without an allowance the finishing offset is the roughing one: the same offset
    // of the same region, copied (narrow places included) rather than made again.
    const bool Reuse = Thin && Inside && RoughDist == P.Finish && (BS || FS);
    if (Reuse)
        for (TObjHeader* p = BS; p; p = p->Next) EnPline.CopyIdent(p, CS, CE);
    else
        FreeObjList(FS, FE);
    TObjHeader *RS = nullptr, *RE = nullptr;
    if (BS) CreateFills(BS, BE, P.Meander, P.La, RS, RE, P.R, P.Angle, P.Step, false);
    if (P.EdgePass) {
        SortLayer(P.La, BS, BE, Osy{0, 0}, TSortOptions{});
        ConcatObjLists(RS, RE, BS, BE);
    }
    FreeObjList(BS, BE);
    if (Thin) {
        if (!Reuse) RegionLoops(Region, true, P.Finish, P.La, CS, CE, FS, FE);
        int Pieces = 0;
        for (TObjHeader* p = FS; p; p = p->Next) ++Pieces;
        Counts.CenterKept = CreateCenterLines(FS, FE, LS, LE, P.La, P.ThinError, P.Finish);
        Counts.CenterDropped = Pieces / 2 - Counts.CenterKept;
        FreeObjList(FS, FE);
        for (TObjHeader* p = CS; p; p = p->Next) ++Counts.FinishCount;
    }
    SortLayer(P.La, LS, LE, Osy{0, 0}, TSortOptions{});
    if (P.Crossing) JoinFills(RS, RE, CS);
    ConcatObjLists(RS, RE, LS, LE);
    SortLayer(P.La, CS, CE, Osy{0, 0}, TSortOptions{});
    Create3DFinish(true, false, Region, P.Limit3D, CS, CE, P.La);
    Finish(RS, RE, CS, CE, P.La);
    WriteLog("CAM:Creating fill with thin err End");
    return true;
}
