#include "cam/ContourBuild.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "cam/CamOpList.h"
#include "cam/CamOpListDelete.h"
#include "cam/CamOpListRecord.h"
#include "cam/ContourDg.h"
#include "cam/ContourLeads.h"
#include "commands/ComCommon.h"
#include "core/Builder.h"
#include "core/Global.h"
#include "core/Glob.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniNesting.h"
#include "core/UniPline.h"
#include "core/UniPoint.h"
#include "core/UniWalk.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"
#include "tools/ToolDg.h"
#include "tools/ToolSmallDgs.h"

namespace {

std::string B(bool V) { return V ? "true" : "false"; }

bool IsPline(const TObjHeader* p) { return p && p->Type == ObjPline; }

// Takes the first record out of a list that a routine filled and frees the rest.
TObjHeader* TakeFirst(TObjHeader*& S, TObjHeader*& E) {
    TObjHeader* First = S;
    if (!First) return nullptr;
    UnlinkObj(First, S, E);
    FreeObjList(S, E);
    return First;
}

Osy PolarPt(const Osy& C, Extended R, Extended A) { return {C.x + R * std::cos(A), C.y + R * std::sin(A)}; }

// The lead-in arc to Q0, the segments of Path, the lead-out arc, as a new record on La
// (linked into no list); repeated points within 0.001 mm dropped. T is the centre of
// the lead arcs, A the direction from the source's start to Q0, s the side sign.
TObjHeader* BuildWithLeads(const TObjHeader* Path, bool TgIn, bool TgOut, Extended TgPolomer, Extended TgUhel,
                           const Osy& T, Extended A, Extended s, uint8_t La, bool LogLeads) {
    const Osy Q0 = AsPline(Path)->S;
    const std::string LaText = LogLeads ? ", La:" + std::to_string(La) : "";
    if (TgIn) {
        WriteLog("CAM:Adding tangent IN (Angle:" + GeneralNumText(TgUhel) + " Radius:" + GeneralNumText(TgPolomer) +
                 LaText + ")");
        StartObj(PolarPt(T, TgPolomer, NormAngleOf(A - GeomPi + s * TgUhel)));
        AddSeg(Q0, -s * TgUhel, 0.001L);
    } else {
        StartObj(Q0);
    }
    const TPlineSeg* Seg = PlineSegs(Path);
    for (int32_t i = 0, n = PlineSegCount(Path); i < n; ++i) AddSeg(Seg[i].E, Seg[i].Alfa, 0.001L);
    if (TgOut) {
        WriteLog("CAM:Adding tangent OUT (Angle:" + GeneralNumText(TgUhel) + " Radius:" + GeneralNumText(TgPolomer) +
                 LaText + ")");
        AddSeg(PolarPt(T, TgPolomer, NormAngleOf(A - GeomPi - s * TgUhel)), -s * TgUhel, 0.001L);
    }
    TObjHeader *S = nullptr, *E = nullptr;
    return MakeObj(La, S, E);
}

// Without leads: a closed path whose last segment is a corner arc of radius Dist starts
// at the beginning of that arc.
TObjHeader* StartAtCornerArc(TObjHeader* Path, Extended Dist) {
    const int32_t n = PlineSegCount(Path);
    if (n == 0) return Path;
    WriteLog("CAM:Changing st.point of pline");
    const Osy P = PlineSegStart(Path, n - 1);
    const TPlineSeg& Last = PlineSegs(Path)[n - 1];
    Extended R = 0;
    if (std::fabs(Last.Alfa) > CoordTol) {
        Osy C;
        ArcCenter(P, Last.E, Last.Alfa, C, R);
    }
    if (std::fabs(R - Dist) > CoordTol) return Path;
    TObjHeader* N = EnPline.ChangeStart(Path, P, {P.x - 0.01L, P.y - 0.01L}, {P.x + 0.01L, P.y + 0.01L});
    if (!N) return Path;
    FreeObjBlock(Path);
    return N;
}

// A text field of the contour dialog as a number; on failure the log line and message.
bool ReadField(const TEdit* E, Extended& V, const char* LogStem, int MsgNo) {
    if (StrToExtCalc(E->Text, V, false)) return true;
    WriteLog(std::string(LogStem) + E->Text + ")");
    ShowMessage(Msg[MsgNo]);
    return false;
}

// The crossing warning before the dialog: false when the user declines to go on.
bool AcceptCrossings(TObjHeader* First) {
    std::vector<TObjHeader*> Objs;
    for (TObjHeader* p = First; p; p = p->Next)
        if (IsPline(p)) Objs.push_back(p);
    bool Go = true;
    ForCrossingPairs(Objs, [&Go](int, int) {
        WriteLog("CAM:Warning intersections, Continue?");
        if (ConfirmYes(Msg[70])) {
            WriteLog("Usr:Yes");
        } else {
            WriteLog("Usr:no");
            Go = false;
        }
        return false;  // one question decides
    });
    return Go;
}

// Rounds every corner sharper than radius F: out by F, back by 2F, out by F again.
void FilletSources(TObjHeader*& S, TObjHeader*& E, Extended F, uint8_t La) {
    for (TObjHeader* p = S; p;) {
        TObjHeader* Next = p->Next;
        if (IsPline(p)) {
            const bool Open = EnPline.OpenPline(p);
            TObjHeader* Cur = p;
            bool Ok = true;
            TObjHeader* Made[3] = {nullptr, nullptr, nullptr};
            const Extended Dist[3] = {F, 2 * F, F};
            for (int k = 0; k < 3 && Ok; ++k) {
                TObjHeader *OS = nullptr, *OE = nullptr;
                const bool Out = k != 1;
                if (Open)
                    EnPline.GenOffsetOpen(Cur, Dist[k], !Out, OS, OE, La);
                else
                    EnPline.GenOffsetClose(Cur, Dist[k], !Out, true, OS, OE, La);
                Ok = OS && OS == OE;
                if (Ok) {
                    Made[k] = TakeFirst(OS, OE);
                    Cur = Made[k];
                } else {
                    FreeObjList(OS, OE);
                }
            }
            for (int k = 0; k < 2; ++k)
                if (Made[k]) FreeObjBlock(Made[k]);
            if (Ok) {
                Made[2]->Layer = p->Layer;
                Made[2]->Flags = p->Flags;
                ReplaceObj(p, Made[2], S, E);
            } else if (Made[2]) {
                FreeObjBlock(Made[2]);
            }
        }
        p = Next;
    }
}

struct TContourParams {
    bool Inside = false, Outside = false, Revers = false, Sousledne = false, Fillet = false, Corner3D = false;
    bool TgIn = false, TgOut = false;
    Extended Depth = 0, Dist = 0, Pridavek = 0, D = 0, TgPolomer = 1, TgUhel = GeomPi / 4, Corner3DUhel = 0;
};

// Steps 6 to 10: the dialog's values. False (with log line and message) for an invalid one.
bool ReadParams(TContourDialog& Dg, TContourParams& P) {
    if (!ReadField(Dg.EditDepth, P.Depth, "Err:Wrong depth (", 106)) return false;
    const int La = Dg.ContourLa;
    if (Glob.AutoApplyToolOpen && La >= 1 && La <= ToolLayerCount) DepthToTool(P.Depth, La, false);
    if (!(La >= 1 && La <= ToolLayerCount) || !ToolDistLa(La, P.Dist, P.Depth, false)) {
        WriteLog("Err:Wrong depth/offset dist.");
        ShowMessage(Msg[40]);
        return false;
    }
    P.Inside = Dg.RBtnInside->Checked || Dg.RBtnBoth->Checked;
    P.Outside = Dg.RBtnOutside->Checked || Dg.RBtnBoth->Checked;
    P.Revers = Dg.ChBoxInsideRevers->Checked;
    P.Sousledne = Dg.RBtnSousledne->Checked;
    P.Fillet = Dg.ChBoxFillet->Checked;
    P.Corner3D = Dg.ChBox3DCorner->Checked;
    if (!ReadField(Dg.EditPridavek, P.Pridavek, "Err:Wrong stock (", 41)) return false;
    P.D = P.Dist + P.Pridavek;
    if (P.Corner3D) {
        Extended Deg = 0;
        if (!ReadField(Dg.Edit3DAngle, Deg, "Err:Wrong 3D angle (", 42)) return false;
        P.Corner3DUhel = Deg * GeomPi / 180;
        // A limit of no angle would leave flat paths where 3D ones are asked for.
        if (P.Corner3DUhel < CoordTol) {
            WriteLog("Err:Wrong 3D angle (" + Dg.Edit3DAngle->Text + ")");
            ShowMessage(Msg[42]);
            return false;
        }
    }
    P.TgIn = Dg.ChBoxTgIn->Checked && Dg.RBtnToolTang->Checked;
    P.TgOut = Dg.ChBoxTgOut->Checked && Dg.RBtnToolTang->Checked;
    if (P.TgIn || P.TgOut) {
        if (!ReadField(Dg.EditTangRad, P.TgPolomer, "Err:Wrong tang. radius (", 43)) return false;
        Extended Deg = 0;
        if (!ReadField(Dg.EditTangAngle, Deg, "Err:Wrong tang. angle (", 44)) return false;
        P.TgUhel = Deg * GeomPi / 180;
    }
    return true;
}

// Step 14 for one source: the paths it gives, appended to Res; returns the failures.
int PathsOfMember(TObjHeader* M, bool First, const TContourParams& P, uint8_t La, std::vector<TObjHeader*>& Res) {
    int Failed = 0;
    auto Keep = [&](TObjHeader* Path) {
        if (Path)
            Res.push_back(Path);
        else
            ++Failed;
    };
    if (M->Type == ObjPoint) {
        TObjHeader* C = EnPoint.Offset(M, P.TgIn, P.TgOut, P.D, P.TgPolomer, P.TgUhel);
        if (C) {
            C->Layer = La;  // the contour's layer, not the current drawing layer
            if (P.Sousledne) EnPline.ChangeDir(C);
        }
        Keep(C);
    } else if (M->Type == ObjPline) {
        if (EnPline.OpenPline(M)) {
            Keep(CreateOpenContour(M, P.Sousledne, P.TgIn, P.TgOut, P.D, P.TgPolomer, P.TgUhel, La));
        } else {
            const bool Swap = !First && P.Revers;
            const bool InPass = Swap ? P.Outside : P.Inside;
            const bool OutPass = Swap ? P.Inside : P.Outside;
            const bool Cw = EnPline.FindDir(M);
            auto Closed = P.Corner3D ? &CreateClosedContour3D : &CreateClosedContour;
            if (InPass) Keep(Closed(M, true, Cw ^ P.Sousledne ^ true, P.TgIn, P.TgOut, P.D, P.TgPolomer, P.TgUhel, La));
            if (OutPass) Keep(Closed(M, false, Cw ^ P.Sousledne, P.TgIn, P.TgOut, P.D, P.TgPolomer, P.TgUhel, La));
        }
    }
    return Failed;
}

std::string ModeText() {
    return "OpNew:" + B(Glob.OpNew) + " OpEdit:" + B(Glob.OpEdit) + " OpRegen:" + B(Glob.OpRegen);
}

}  // namespace

void ForCrossingPairs(const std::vector<TObjHeader*>& Objs, const std::function<bool(int, int)>& Visit) {
    struct TBox {
        Osy Min, Max;
        int I;
    };
    std::vector<TBox> Boxes;
    Boxes.reserve(Objs.size());
    for (int i = 0; i < int(Objs.size()); ++i) {
        TBox Bx{{}, {}, i};
        EnPline.Envelope(Objs[i], Bx.Min, Bx.Max);
        Boxes.push_back(Bx);
    }
    std::sort(Boxes.begin(), Boxes.end(), [](const TBox& a, const TBox& b) { return a.Min.x < b.Min.x; });
    std::vector<std::pair<int, int>> Pairs;
    for (size_t a = 0; a < Boxes.size(); ++a)
        for (size_t b = a + 1; b < Boxes.size() && Boxes[b].Min.x <= Boxes[a].Max.x; ++b) {
            const TBox &A = Boxes[a], &Bb = Boxes[b];
            if (Bb.Min.y > A.Max.y || A.Min.y > Bb.Max.y) continue;
            Pairs.emplace_back(std::min(A.I, Bb.I), std::max(A.I, Bb.I));
        }
    std::sort(Pairs.begin(), Pairs.end());
    for (const auto& [i, j] : Pairs) {
        Osy X;
        if (EnPline.CrossTest(Objs[i], Objs[j], X) && !Visit(i, j)) return;
    }
}

TObjHeader* CreateClosedContour(TObjHeader* Adresa, bool Inside, bool Dir, bool TgIn, bool TgOut, Extended Dist,
                                Extended TgPolomer, Extended TgUhel, uint8_t La) {
    WriteLog("CAM:Creating closed contour Start (La:" + std::to_string(La) + ")");
    TObjHeader *OS = nullptr, *OE = nullptr;
    EnPline.GenOffsetClose(Adresa, Dist, Inside, true, OS, OE, La);
    TObjHeader* Offs = TakeFirst(OS, OE);
    if (!Offs) {
        WriteLog("Err:No object to contour");
        return nullptr;
    }
    if (Dir) EnPline.ChangeDir(Offs);
    const Extended s = EnPline.FindDir(Offs) == Inside ? 1 : -1;
    const TLeadPlace L = PlaceLeads(Adresa, Offs, TgIn, TgOut, Dist, TgPolomer, TgUhel, s, La);
    if (L.Restarted) {
        FreeObjBlock(Offs);
        Offs = L.Restarted;
    }
    const Osy T = PolarPt(AsPline(Offs)->S, L.Rad, L.A);
    TObjHeader* Res = BuildWithLeads(Offs, TgIn && L.Rad > 0, TgOut && L.Rad > 0, L.Rad, TgUhel, T, L.A, s, La, true);
    FreeObjBlock(Offs);
    if (!Res) return nullptr;
    if (!TgIn && !TgOut && !EnPline.OpenPline(Res)) Res = StartAtCornerArc(Res, Dist);
    EnPline.OpenPline(Res);
    WriteLog("CAM:Creating closed contour End");
    return Res;
}

TObjHeader* CreateOpenContour(TObjHeader* Adresa, bool Dir, bool TgIn, bool TgOut, Extended Dist,
                              Extended TgPolomer, Extended TgUhel, uint8_t La) {
    WriteLog("CAM:Creating open contour Start (La:" + std::to_string(La) + ")");
    const TContourDialog* Dg = ContourDialog;
    const bool Both = Dg && Dg->RBtnBoth->Checked;
    const bool Outside = Dg && Dg->RBtnOutside->Checked;
    std::vector<bool> Sides;
    if (Both)
        Sides = {true, false};
    else
        Sides = {Outside};
    std::vector<TObjHeader*> Offs;
    for (bool Right : Sides) {
        TObjHeader *OS = nullptr, *OE = nullptr;
        EnPline.GenOffsetOpen(Adresa, Dist, Right, OS, OE, La);
        if (!OS || OS != OE) {
            WriteLog("Err:FAILED, Gen. offset");
            FreeObjList(OS, OE);
            for (TObjHeader* p : Offs) FreeObjBlock(p);
            return nullptr;
        }
        Offs.push_back(TakeFirst(OS, OE));
    }
    if (!Outside) EnPline.ChangeDir(Offs.back());
    TObjHeader* Path = Offs[0];
    if (Both) {
        // Right offset, half circle round the end, reversed left offset, half circle back.
        const TObjHeader* L = Offs[1];
        StartObj(AsPline(Path)->S);
        for (const TObjHeader* Part : {static_cast<const TObjHeader*>(Path), L}) {
            if (Part == L) AddSeg(AsPline(L)->S, GeomPi, CoordTol);
            const TPlineSeg* Seg = PlineSegs(Part);
            for (int32_t i = 0, n = PlineSegCount(Part); i < n; ++i) AddSeg(Seg[i].E, Seg[i].Alfa, CoordTol);
        }
        AddSeg(AsPline(Path)->S, GeomPi, CoordTol);
        TObjHeader *S = nullptr, *E = nullptr;
        TObjHeader* Slot = MakeObj(La, S, E);
        for (TObjHeader* p : Offs) FreeObjBlock(p);
        if (!Slot) return nullptr;
        AsPline(Slot)->PlineFlags |= PlineClosed;
        Path = Slot;
    }
    if (Dir) EnPline.ChangeDir(Path);
    const Extended s = Dir ? -1 : 1;
    const Osy Q0 = AsPline(Path)->S;
    const Extended A = NormAngleOf(Angle(FirstPt(Adresa), Q0));
    const Osy T = PolarPt(Q0, TgPolomer, A);
    TObjHeader* Res = BuildWithLeads(Path, Both && TgIn, Both && TgOut, TgPolomer, TgUhel, T, A, s, La, false);
    FreeObjBlock(Path);
    if (Res) EnPline.OpenPline(Res);
    WriteLog("CAM:Creating open contour End");
    return Res;
}

bool CreateContourToolpath(TObjHeader*& SrcStart, TObjHeader*& SrcEnd, TObjHeader*& DrawStart,
                           TObjHeader*& DrawEnd) {
    WriteLog("CAM:Creating contour toolpath Start");
    if (!Glob.OpEdit && Glob.OpNew) OpList.Index = OpList.CamCnt;
    const int Idx = OpList.Index;
    const bool ValidIdx = Idx >= 0 && Idx < MaxCamOps;
    WriteLog("CAM:" + ModeText() + ", OpNum:" + std::to_string(Idx) + ", OpCnt:" + std::to_string(OpList.CamCnt) +
             ", OpName:" + (ValidIdx ? OpList.Cam[Idx].Name : std::string()));
    if (!ValidIdx || !ContourDialog) {
        // The list is full (or nothing to record into): nothing can be made.
        WriteLog("Err:No free operation record");
        FreeObjList(SrcStart, SrcEnd);
        return false;
    }
    auto Fail = [&] {
        FreeObjList(SrcStart, SrcEnd);
        return false;
    };
    if (!AcceptCrossings(SrcStart)) return Fail();
    for (TObjHeader* p = SrcStart; p;) {
        TObjHeader* Next = p->Next;
        if (IsPline(p)) EnPline.Divide(p, SrcStart, SrcEnd);
        p = Next;
    }
    TContourDialog& Dg = *ContourDialog;
    if (!Glob.OpEdit) {
        Dg.ChBox3DCorner->Checked = false;
        if (Glob.AutoLayNum) {
            Dg.ContourLa = OpList.LastLa;
            Dg.ContourTID = OpList.LastTID;
        } else {
            Dg.ContourLa = Glob.LayerDraw == 0 || Glob.LayerDraw > ToolLayerCount ? 1 : Glob.LayerDraw;
        }
        WriteLog("CAM:ContourLa:" + std::to_string(Dg.ContourLa));
    }
    if (!Glob.OpRegen && Dg.ShowModal() != mrOk) {
        // Cancelled: nothing counted, and an edited operation keeps its status.
        WriteLog("CAM:Creating contour toolpath End");
        FreeObjList(SrcStart, SrcEnd);
        return true;
    }
    TContourParams P;
    if (!ReadParams(Dg, P)) return Fail();
    const uint8_t La = uint8_t(Dg.ContourLa);

    RecordOpContour(P.TgIn, P.TgOut, P.Revers, P.Inside, P.Outside, P.Fillet, P.Corner3D, P.Sousledne, P.Pridavek,
                    P.TgPolomer, P.TgUhel, P.Corner3DUhel, La, Dg.EditOpConName->Text, P.Depth);
    TCamOp& Op = OpList.Cam[Idx];
    if (Glob.OpEdit) {
        if (Glob.AutoLayNum) {
            OpList.LastLa = std::max(1, MaxCamOpLayer());
            OpList.LastTID = Glob.Tool[std::clamp(OpList.LastLa, 1, ToolLayerCount)].TID;
        }
        CamOpDelAllChilds(Idx);
    } else {
        for (TObjHeader* p = MainVars.DataStart; p; p = p->Next)
            if (p->Flags & FlagSelected) CamOpAddParent(p, Idx);
        Glob.OpCamOp = true;
    }
    ComRedrawView();

    if (P.Fillet) {
        const Extended F = P.Corner3D ? Glob.Tool[La].SpodniPrumer / 2 : P.D;
        if (F > CoordTol) FilletSources(SrcStart, SrcEnd, F, La);
    }
    GroupByNesting(SrcStart, SrcEnd, La);
    std::vector<TObjHeader*> Paths;
    int Failed = 0;
    for (TObjHeader* G = SrcStart; G; G = G->Next) {
        if (G->Type != ObjGroup) {
            Failed += PathsOfMember(G, true, P, La, Paths);
            continue;
        }
        for (TObjHeader* M = AsGroup(G)->Last; M; M = M->Prev)
            Failed += PathsOfMember(M, M == AsGroup(G)->First, P, La, Paths);
    }
    int Crossings = 0;
    if (!P.Corner3D) {
        std::vector<TObjHeader*> Flat;
        for (TObjHeader* p : Paths)
            if (IsPline(p)) Flat.push_back(p);
        ForCrossingPairs(Flat, [&Crossings](int, int) {
            ++Crossings;
            return true;
        });
    }
    if (Glob.ContGroup && !Paths.empty()) {
        WriteLog("CAM:Grouping toolpath");
        TObjHeader *S = nullptr, *E = nullptr;
        for (TObjHeader* p : Paths) AppendObj(p, S, E);
        // The group is the operation's path: deleting the paths deletes it with its members.
        TObjHeader* G = MakeGroup(false, S, E);
        G->Layer = La;
        AppendObj(G, DrawStart, DrawEnd);
        CamOpAddChild(G, Idx);
    } else {
        for (TObjHeader* p : Paths) {
            AppendObj(p, DrawStart, DrawEnd);
            CamOpAddChild(p, Idx);
        }
    }
    WriteLog("CAM:Creating contour toolpath End");
    FreeObjList(SrcStart, SrcEnd);
    if (Failed || Crossings) {
        Op.Status = 2;
        ShowMessage(Msg[45] + std::to_string(Failed) + "\r\n" + Msg[46] + std::to_string(Crossings) + "\r\n" +
                    "Prohlédněte si důkladně výsledek");
    } else {
        Op.Status = 0;
    }
    if (!Glob.OpEdit) {
        OpList.CamCnt = std::min(OpList.CamCnt + 1, MaxCamOps);
        if (Glob.AutoLayNum) {
            OpList.LastLa = std::max(1, MaxCamOpLayer());
            OpList.LastTID = Glob.Tool[std::clamp(OpList.LastLa, 1, ToolLayerCount)].TID;
        }
    }
    return true;
}
