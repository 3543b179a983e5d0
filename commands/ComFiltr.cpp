#include "commands/ComFiltr.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "cam/CamOpList.h"
#include "commands/ComCommon.h"
#include "commands/ComRegen.h"
#include "commands/FiltrDg.h"
#include "core/Builder.h"
#include "core/Glob.h"
#include "core/Global.h"
#include "core/ObjRecords.h"
#include "core/UniArea.h"
#include "core/UniGeom.h"
#include "core/UniLog.h"
#include "core/UniWalk.h"
#include "platform/Dialogs.h"
#include "shell/MainVars.h"
#include "shell/UniLang.h"

namespace {

bool IsSelPline(const TObjHeader* p) { return p->Type == ObjPline && (p->Flags & FlagSelected); }

// The smallest x of a polyline's vertices: duplicates share their vertices, so only
// polylines of the same size whose smallest x lie this close need comparing.
Extended MinVertexX(const TObjHeader* p) {
    Extended X = AsPline(p)->S.x;
    const TPlineSeg* s = PlineSegs(p);
    for (int32_t i = 0, n = PlineSegCount(p); i < n; ++i) X = std::min(X, s[i].E.x);
    return X;
}
constexpr Extended KeyWindow = 10 * CoordTol;

// Removes Obj's links from every operation: a source link with the source action, a
// path link with the path action.
void DropLinks(TObjHeader* Obj, TRegenQueue& Q) {
    if (OpList.CamCnt <= 0) return;
    TOpMap Map;
    CamOpsOfObject(Obj, Map);
    for (int op = 0; op < std::min(OpList.CamCnt, MaxCamOps); ++op) {
        if (Map[op] == 1) {
            CamOpDelParent(Obj, op);
            Q.SourceAction(op);
        } else if (Map[op] == 2) {
            CamOpDelChild(Obj, op);
            Q.PathAction(op);
        }
    }
}

// One pass of the duplicate filter over the selected polylines that Take accepts.
template <class F>
void DuplicatePass(F Take, TRegenQueue& Q) {
    TMainVars& V = MainVars;
    TObjHeader *TS = nullptr, *TE = nullptr;
    std::vector<TObjHeader*> Pl;
    for (TObjHeader* p = V.DataStart; p;) {
        TObjHeader* Next = p->Next;
        if (IsSelPline(p) && Take(p)) {
            UnlinkObj(p, V.DataStart, V.DataEnd);
            AppendObj(p, TS, TE);
            Pl.push_back(p);
        }
        p = Next;
    }
    if (Pl.empty()) return;
    // Candidates ordered by size and smallest x; each polyline looks only at its
    // neighbours in that order.
    struct TKey {
        int32_t Size;
        Extended X;
        size_t Index;
    };
    std::vector<TKey> Keys(Pl.size());
    for (size_t i = 0; i < Pl.size(); ++i) Keys[i] = {Pl[i]->Size, MinVertexX(Pl[i]), i};
    std::sort(Keys.begin(), Keys.end(), [](const TKey& a, const TKey& b) {
        return a.Size != b.Size ? a.Size < b.Size : a.X != b.X ? a.X < b.X : a.Index < b.Index;
    });
    std::vector<size_t> Pos(Pl.size());
    for (size_t k = 0; k < Keys.size(); ++k) Pos[Keys[k].Index] = k;
    std::vector<TObjHeader*> KeptBy(Pl.size(), nullptr);  // the polyline a duplicate yields to
    auto Near = [&](size_t a, size_t b) {
        return Keys[a].Size == Keys[b].Size && std::fabs(Keys[a].X - Keys[b].X) <= KeyWindow;
    };
    for (size_t i = 0; i < Pl.size(); ++i) {
        if (KeptBy[i]) continue;
        auto Try = [&](size_t k) {
            const size_t j = Keys[k].Index;
            if (j > i && !KeptBy[j] && Duplicity(Pl[i], Pl[j])) KeptBy[j] = Pl[i];
        };
        for (size_t k = Pos[i] + 1; k < Keys.size() && Near(Pos[i], k); ++k) Try(k);
        for (size_t k = Pos[i]; k-- > 0 && Near(Pos[i], k);) Try(k);
    }
    // Kept polylines move to the end of the drawing in their order; an operation that
    // used a duplicate takes the polyline that stays in its place.
    ResetEditAdr();
    std::vector<TObjHeader*> Gone;
    for (size_t i = 0; i < Pl.size(); ++i) {
        AddEditAdr(Pl[i]).New = {KeptBy[i] ? KeptBy[i] : Pl[i]};
        if (KeptBy[i]) {
            UnlinkObj(Pl[i], TS, TE);
            Gone.push_back(Pl[i]);
        }
    }
    ConcatObjLists(V.DataStart, V.DataEnd, TS, TE);
    ReplaceSweep(Q);
    ResetEditAdr();
    for (TObjHeader* p : Gone) {
        TObjHeader *S = p, *E = p;
        FreeObjList(S, E);
    }
}

// Rebuilds every selected polyline without the segments shorter than L; the rebuilt
// polylines stay selected for the arc filter.
void ShortSegments(Extended L, TRegenQueue& Q) {
    TMainVars& V = MainVars;
    TObjHeader *TS = nullptr, *TE = nullptr;
    std::vector<TObjHeader*> Old;
    ResetEditAdr();
    for (TObjHeader* p = V.DataStart; p; p = p->Next) {
        if (!IsSelPline(p)) continue;
        StartObj(AsPline(p)->S);
        const TPlineSeg* s = PlineSegs(p);
        const int32_t n = PlineSegCount(p);
        for (int32_t i = 0; i < n; ++i) AddSeg(s[i].E, s[i].Alfa, L);
        if (n > 0) AddLinePt(s[n - 1].E);
        TObjHeader* R = MakeObj(p->Layer, TS, TE);
        if (!R) continue;
        R->Flags |= FlagSelected;
        AddEditAdr(p).New = {R};
        Old.push_back(p);
    }
    for (TObjHeader* p : Old) UnlinkObj(p, V.DataStart, V.DataEnd);
    ConcatObjLists(V.DataStart, V.DataEnd, TS, TE);
    ReplaceSweep(Q);
    ResetEditAdr();
    for (TObjHeader* p : Old) {
        TObjHeader *S = p, *E = p;
        FreeObjList(S, E);
    }
}

// Deletes single-arc polylines and the polylines that run from such an arc's centre
// to the arc.
void ArcsAndRungs(TRegenQueue& Q) {
    TMainVars& V = MainVars;
    struct TArc {
        Osy C;
        Extended R;
    };
    std::vector<TArc> Arcs;
    std::vector<TObjHeader*> Gone;
    for (TObjHeader* p = V.DataStart; p;) {
        TObjHeader* Next = p->Next;
        if (IsSelPline(p) && PlineSegCount(p) == 1 && std::fabs(PlineSegs(p)[0].Alfa) > CoordTol) {
            TArc A;
            ArcCenter(AsPline(p)->S, PlineSegs(p)[0].E, PlineSegs(p)[0].Alfa, A.C, A.R);
            Arcs.push_back(A);
            UnlinkObj(p, V.DataStart, V.DataEnd);
            DropLinks(p, Q);
            Gone.push_back(p);
        }
        p = Next;
    }
    if (!Arcs.empty()) {
        std::sort(Arcs.begin(), Arcs.end(), [](const TArc& a, const TArc& b) { return a.C.x < b.C.x; });
        // An arc centred on End whose radius is the distance to Other.
        auto Rung = [&](const Osy& End, const Osy& Other) {
            auto k = std::lower_bound(Arcs.begin(), Arcs.end(), End.x - 2 * CoordTol,
                                      [](const TArc& a, Extended x) { return a.C.x < x; });
            for (; k != Arcs.end() && k->C.x <= End.x + 2 * CoordTol; ++k)
                if (SamePt(k->C, End) && std::fabs(Dist(End, Other) - k->R) < CoordTol) return true;
            return false;
        };
        for (TObjHeader* p = V.DataStart; p;) {
            TObjHeader* Next = p->Next;
            if (IsSelPline(p)) {
                const Osy S = AsPline(p)->S, E = PlineEndPt(p);
                if (Rung(S, E) || Rung(E, S)) {
                    UnlinkObj(p, V.DataStart, V.DataEnd);
                    DropLinks(p, Q);
                    Gone.push_back(p);
                }
            }
            p = Next;
        }
    }
    for (TObjHeader* p : Gone) {
        TObjHeader *S = p, *E = p;
        FreeObjList(S, E);
    }
}

const char* TrueFalse(bool B) { return B ? "true" : "false"; }

}  // namespace

bool RunFilters(const TFiltrParams& P) {
    TMainVars& V = MainVars;
    WriteLog(std::string("Sys:Filter param:FilterShort:") + TrueFalse(P.Short) + ", ShortLen:" + P.ShortLen +
             (P.Duplicity ? " DeleteDuplicit:true" : " DeleteDupl:false") +
             (P.SameLayer ? " DuplicityDetect:Same layer" : " DuplicityDetect:Any layer") +
             " DeleteArcRungs:" + TrueFalse(P.ArcRungs));
    // The limit is checked before anything changes: a refused value leaves the drawing
    // and every operation as they were.
    Extended L = 0;
    if (P.Short && !StrToExtCalc(P.ShortLen, L, true)) {
        WriteLog("Err:Wrong filter length (" + P.ShortLen + ")");
        ShowMessage(Msg[47]);
        return false;
    }
    TRegenQueue Q;
    if (P.Duplicity) {
        if (P.SameLayer) {
            for (int La = 1; La <= 68; ++La) DuplicatePass([La](const TObjHeader* p) { return p->Layer == La; }, Q);
        } else {
            DuplicatePass([](const TObjHeader*) { return true; }, Q);
        }
    }
    if (P.Short) ShortSegments(std::clamp<Extended>(L, CoordTol, 1), Q);
    if (P.ArcRungs) ArcsAndRungs(Q);
    ClearSelection(V.DataStart);
    HandOffRegen(Q);
    return true;
}

void ComFiltr() {
    TMainVars& V = MainVars;
    if (V.ComCnt == 0) {
        WriteLog("Sys:ComFilter Start");
        SelectStepStart();
        return;
    }
    if (SelectStepPrevious("Usr:Select previous")) return;
    V.ComCnt = -1;
    V.FileSaved = false;
    if (!FiltrDialog) CreateFiltrDialog();
    FiltrDialog->ShowModal();
    V.Mouse.NextMove = mmCross;
    V.Mouse.NextDown = mdNone;
    ClearSelection(V.DataStart);
    ComLayPanelUpdate();
    ComRedrawView();
    WriteLog("Sys:ComFilter End");
}
