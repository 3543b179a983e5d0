#include "cam/RestFill.h"

#include <string>
#include <vector>

#include "cam/CamOpList.h"
#include "cam/Corner3D.h"
#include "cam/MeanderFill.h"
#include "cam/PocketRegionOffset.h"
#include "cam/Sort.h"
#include "core/UniLog.h"
#include "core/UniGeom.h"
#include "core/UniNesting.h"
#include "core/UniPline.h"
#include "core/UniPlineIndex.h"
#include "shell/MainVars.h"

namespace {

// Scratch layers that mark where a piece came from through the cutting.
constexpr uint8_t FromRest = 250, FromCleared = 251;

TObjHeader* First(TObjHeader* G) { return G->Type == ObjGroup ? AsGroup(G)->First : G; }

void FreeGroups(TObjHeader*& S, TObjHeader*& E) { FreeObjList(S, E); }

// Groups found by the box of their outer contour: a piece is tested only against the
// groups whose outer box holds the point that decides containment.
class TGroupFinder {
public:
    explicit TGroupFinder(TObjHeader* Groups) {
        std::vector<TIdxBox> Boxes;
        for (TObjHeader* G = Groups; G; G = G->Next) {
            Osy Min, Max;
            EnPline.Envelope(First(G), Min, Max);
            List.push_back(G);
            Boxes.push_back({double(Min.x), double(Min.y), double(Max.x), double(Max.y)});
        }
        Index.Build(std::move(Boxes));
    }
    // Where the piece lies among the groups, tried in their order: 0 outside every outer
    // contour, 1 inside an outer only, 2 inside an island of the first outer that holds it.
    int Where(TObjHeader* Piece) const {
        if (PlineSegCount(Piece) == 0) return 0;
        Osy M;
        SegMidPt(AsPline(Piece)->S, PlineSegs(Piece)[0].E, PlineSegs(Piece)[0].Alfa, M);
        std::vector<int32_t> Cand;
        Index.QuerySorted({double(M.x), double(M.y), double(M.x), double(M.y)}, Cand);
        for (int32_t k : Cand) {
            TObjHeader* G = List[size_t(k)];
            TObjHeader* Outer = First(G);
            if (!EnPline.PlineInside(Piece, Outer)) continue;
            for (TObjHeader* I = Outer->Next; G->Type == ObjGroup && I; I = I->Next)
                if (EnPline.PlineInside(Piece, I)) return 2;
            return 1;
        }
        return 0;
    }

private:
    std::vector<TObjHeader*> List;
    TSegBoxIndex Index;
};

int CountLoops(TObjHeader* S) {
    int n = 0;
    for (; S; S = S->Next) ++n;
    return n;
}

void Offset(bool Inside, TObjHeader* Chain, Extended D, uint8_t La, TObjHeader*& S, TObjHeader*& E) {
    TObjHeader *FS = nullptr, *FE = nullptr;
    PocketRegionOffset(Inside, Chain, D, S, E, FS, FE, La);
    FreeObjList(FS, FE);
}

}  // namespace

bool FillWithRestTool(TObjHeader* Region, const TFillParams& Main, const TRestParams& Rest) {
    WriteLog("CAM:Creating fills with rest milling Start");
    WriteLog("CAM:Creating MainTool path (La1:" + std::to_string(Main.La) + ")");
    const int Idx = OpList.Index;
    bool Result = false;
    TObjHeader *MS = nullptr, *ME = nullptr;  // main boundary
    Offset(true, First(Region), Rest.Dist1 + Rest.Prid2 - Rest.AllError, Main.La, MS, ME);
    TObjHeader* MainGroup = nullptr;
    TObjHeader *KS = nullptr, *KE = nullptr;  // kept copies of the main boundary
    if (!MS) {
        WriteLog("CAM:No MainTool path created");
    } else {
        TObjHeader *PS = nullptr, *PE = nullptr;
        CreateFills(MS, ME, Main.Meander, Main.La, PS, PE, Main.R, Main.Angle, Main.Step, Rest.Prid2 > CoordTol);
        if (Main.Crossing) JoinFills(PS, PE, MS);
        for (TObjHeader* p = MS; p; p = p->Next) EnPline.CopyIdent(p, KS, KE);
        SortLayer(Main.La, MS, ME, Osy{0, 0}, TSortOptions{});
        ConcatObjLists(PS, PE, MS, ME);
        MainGroup = MakeGroup(true, PS, PE);
        MainGroup->Layer = Main.La;
    }
    WriteLog("CAM:Creating RestTool path (La2:" + std::to_string(Rest.La2) + ")");
    // What the main tool clears: its boundary grown by its radius.
    TObjHeader *CS = nullptr, *CE = nullptr;
    GroupByNesting(KS, KE, Main.La);
    for (TObjHeader* G = KS; G; G = G->Next) {
        TObjHeader *OS = nullptr, *OE = nullptr;
        Offset(false, First(G), Main.R, Rest.La2, OS, OE);
        if (!OS) continue;
        GroupByNesting(OS, OE, Rest.La2);
        ConcatObjLists(CS, CE, OS, OE);
    }
    FreeGroups(KS, KE);
    TObjHeader *BS = nullptr, *BE = nullptr;  // rest boundary
    Offset(true, First(Region), Rest.Prid2 + Rest.Dist2 - Rest.AllError, Rest.La2, BS, BE);
    TObjHeader *RPS = nullptr, *RPE = nullptr;  // rest paths
    if (BS) {
        TObjHeader *XS = nullptr, *XE = nullptr;
        for (TObjHeader* p = BS; p; p = p->Next) EnPline.CopyIdent(p, XS, XE)->Layer = FromRest;
        for (TObjHeader* G = CS; G; G = G->Next)
            for (TObjHeader* p = First(G); p; p = p->Next) EnPline.CopyIdent(p, XS, XE)->Layer = FromCleared;
        EnPline.PlineTrunc(XS, XE);
        GroupByNesting(BS, BE, Rest.La2);
        const TGroupFinder InRest(BS), InCleared(CS);
        TObjHeader *AS = nullptr, *AE = nullptr;  // collected area bounds
        for (TObjHeader* p = XS; p;) {
            TObjHeader* Next = p->Next;
            if (p->Layer == FromCleared) {
                UnlinkObj(p, XS, XE);
                if (InRest.Where(p) == 1) {
                    p->Layer = Rest.La2;
                    EnPline.ChangeDir(p);
                    AppendObj(p, AS, AE);
                } else {
                    FreeObjBlock(p);
                }
            } else if (InCleared.Where(p) == 1) {
                DeleteObj(p, XS, XE);
            } else {
                p->Layer = Rest.La2;
            }
            p = Next;
        }
        FreeGroups(BS, BE);
        ConcatObjLists(AS, AE, XS, XE);
        TObjHeader *RAS = nullptr, *RAE = nullptr;  // rest areas
        EnPline.OffsPlineJoin(false, AS, AE, RAS, RAE);
        EnPline.OffsPlineJoin(true, AS, AE, RAS, RAE);
        for (TObjHeader* p = AS; p;) {
            TObjHeader* Next = p->Next;
            UnlinkObj(p, AS, AE);
            if (EnPline.OpenPline(p))
                FreeObjBlock(p);
            else
                AppendObj(p, RAS, RAE);
            p = Next;
        }
        for (TObjHeader* p = RAS; p; p = p->Next) p->Layer = Rest.La2;
        if (RAS) {
            CreateFills(RAS, RAE, Main.Meander, Main.La, RPS, RPE, Rest.R2, Rest.Angle2, Rest.Step2, true);
            SortLayer(Main.La, RPS, RPE, Osy{0, 0}, TSortOptions{});
        }
        ConcatObjLists(RPS, RPE, RAS, RAE);
        WriteLog("CAM:Creating resttool finish");
        TObjHeader *FS = nullptr, *FE = nullptr;
        Offset(true, First(Region), Rest.Dist2 - Rest.AllError, Rest.La2, FS, FE);
        Result = CountLoops(FS) == (Region->Type == ObjGroup ? AsGroup(Region)->Count : 1);
        SortLayer(Rest.La2, FS, FE, Osy{0, 0}, TSortOptions{});
        // The rest tool's corners follow this operation's rest layer, not the one the
        // dialog chose last: a regenerated pocket keeps its own tool.
        Create3DFinish(true, false, Region, Main.Limit3D, FS, FE, Rest.La2);
        ConcatObjLists(RPS, RPE, FS, FE);
        for (TObjHeader* p = RPS; p; p = p->Next) p->Layer = Rest.La2;
        if (RPS) {
            TObjHeader* RestGroup = MakeGroup(true, RPS, RPE);
            RestGroup->Layer = Rest.La2;
            AppendObj(RestGroup, MainVars.DataStart, MainVars.DataEnd);
            CamOpAddChild(RestGroup, Idx);
        }
    }
    FreeGroups(CS, CE);
    if (MainGroup) {
        AppendObj(MainGroup, MainVars.DataStart, MainVars.DataEnd);
        CamOpAddChild(MainGroup, Idx);
    }
    WriteLog("CAM:Creating fills with rest milling End");
    return Result;
}
