#include "commands/ComFiltr.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <utility>
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

// The smallest x and y of a polyline's vertices: duplicates share their vertices, so
// only polylines of the same size whose corners lie this close need comparing.
Osy MinVertex(const TObjHeader* p) {
    Osy M = AsPline(p)->S;
    const TPlineSeg* s = PlineSegs(p);
    for (int32_t i = 0, n = PlineSegCount(p); i < n; ++i) {
        M.x = std::min(M.x, s[i].E.x);
        M.y = std::min(M.y, s[i].E.y);
    }
    return M;
}
constexpr Extended KeyWindow = 10 * CoordTol;
// Cells of the candidate grid, larger than the window, so a polyline's duplicates lie
// in its own cell or a neighbouring one.
constexpr Extended KeyCell = 1e-3L;

struct TCellKey {
    int32_t Size;
    int64_t X, Y;
    bool operator==(const TCellKey& o) const { return Size == o.Size && X == o.X && Y == o.Y; }
};
struct TCellHash {
    size_t operator()(const TCellKey& k) const {
        return std::hash<int64_t>()(k.X * 1000003 + k.Y) ^ (std::hash<int32_t>()(k.Size) << 1);
    }
};
int64_t Cell(Extended V) { return int64_t(std::floor(std::clamp<Extended>(V / KeyCell, -4e18L, 4e18L))); }
// The cells, of V's own and its two neighbours, that a window of Reach around V can
// touch (twice the reach, beyond any rounding of the differences): nearly always just
// V's own, one look-up instead of three.
std::pair<int64_t, int64_t> CellSpan(Extended V, Extended Reach) {
    const int64_t c = Cell(V);
    return {std::max(c - 1, Cell(V - 2 * Reach)), std::min(c + 1, Cell(V + 2 * Reach))};
}

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

// One pass of the duplicate filter over the polylines Pl (selected, in drawing order).
void DuplicatePass(const std::vector<TObjHeader*>& Pl, TRegenQueue& Q) {
    TMainVars& V = MainVars;
    if (Pl.empty()) return;
    TObjHeader *TS = nullptr, *TE = nullptr;
    for (TObjHeader* p : Pl) {
        UnlinkObj(p, V.DataStart, V.DataEnd);
        AppendObj(p, TS, TE);
    }
    // Candidates by size and the cell of their lower left vertex corner; the polylines
    // of a cell are chained through NextInCell in their order.
    constexpr size_t None = SIZE_MAX;
    std::vector<Osy> Corner(Pl.size());
    std::unordered_map<TCellKey, size_t, TCellHash> Grid;
    Grid.reserve(Pl.size());
    std::vector<size_t> NextInCell(Pl.size(), None);
    for (size_t i = 0; i < Pl.size(); ++i) Corner[i] = MinVertex(Pl[i]);
    for (size_t i = Pl.size(); i-- > 0;) {
        const auto [It, New] = Grid.try_emplace({Pl[i]->Size, Cell(Corner[i].x), Cell(Corner[i].y)}, i);
        if (!New) NextInCell[i] = std::exchange(It->second, i);
    }
    std::vector<TObjHeader*> KeptBy(Pl.size(), nullptr);  // the polyline a duplicate yields to
    for (size_t i = 0; i < Pl.size(); ++i) {
        if (KeptBy[i]) continue;
        const auto [x0, x1] = CellSpan(Corner[i].x, KeyWindow);
        const auto [y0, y1] = CellSpan(Corner[i].y, KeyWindow);
        for (int64_t x = x0; x <= x1; ++x)
            for (int64_t y = y0; y <= y1; ++y) {
                auto B = Grid.find({Pl[i]->Size, x, y});
                if (B == Grid.end()) continue;
                for (size_t j = B->second; j != None; j = NextInCell[j])
                    if (j > i && !KeptBy[j] && std::fabs(Corner[j].x - Corner[i].x) <= KeyWindow &&
                        std::fabs(Corner[j].y - Corner[i].y) <= KeyWindow && Duplicity(Pl[i], Pl[j]))
                        KeptBy[j] = Pl[i];
            }
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
        // Arcs by the cell of their centre; a rung's end looks in its cell and the
        // neighbouring ones.
        std::unordered_map<TCellKey, std::vector<size_t>, TCellHash> Grid;
        for (size_t k = 0; k < Arcs.size(); ++k) Grid[{0, Cell(Arcs[k].C.x), Cell(Arcs[k].C.y)}].push_back(k);
        // An arc centred on End whose radius is the distance to Other.
        auto Rung = [&](const Osy& End, const Osy& Other) {
            const auto [x0, x1] = CellSpan(End.x, CoordTol);
            const auto [y0, y1] = CellSpan(End.y, CoordTol);
            for (int64_t x = x0; x <= x1; ++x)
                for (int64_t y = y0; y <= y1; ++y) {
                    auto B = Grid.find({0, x, y});
                    if (B == Grid.end()) continue;
                    for (size_t k : B->second)
                        if (SamePt(Arcs[k].C, End) && std::fabs(Dist(End, Other) - Arcs[k].R) < CoordTol) return true;
                }
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
        // One walk over the drawing sorts the selected polylines into the passes (one
        // per layer, or one for all): a pass moves only its own polylines, so the others
        // keep their order for the passes after it.
        std::vector<std::vector<TObjHeader*>> Passes(P.SameLayer ? 69 : 1);
        for (TObjHeader* p = V.DataStart; p; p = p->Next)
            if (IsSelPline(p) && (!P.SameLayer || (p->Layer >= 1 && p->Layer <= 68)))
                Passes[P.SameLayer ? p->Layer : 0].push_back(p);
        for (const auto& Pl : Passes) DuplicatePass(Pl, Q);
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
